// Writing files people keep: conversion outputs, snapshots, the settings file.
//
// A file is written under a private temporary name in its destination folder and given its
// final name only when it is complete, so nothing but a finished file ever carries a final name:
//  - The temporary is "." + the final name (cut to fit the file system's name limit) + ".zelta-"
//    + 8 random letters and digits + ".part". It is created with O_CREAT|O_EXCL|O_NOFOLLOW, so
//    creating it never opens, empties or follows anything that was there, and an exclusive
//    flock is held on it while its owner lives.
//  - A TSafeFile remembers the device and inode it created and removes its temporary only while
//    the path still names them: a file that took its place is never removed.
//  - Publish Keep never replaces anything: renameat2(RENAME_NOREPLACE), or link + unlink where
//    the file system refuses that flag (and a rename after checking the name is free where it
//    has no hard links either). A name taken meanwhile gives the next free number
//    ("song_(new).mp3" -> "song_(new_1).mp3"), at most MaxNameNumber of them. Publish Replace
//    (fixed names the user expects to be overwritten) renames over the name: a link there is
//    replaced, not followed.
//  - Temporaries of a killed writer stay behind; RemoveLeftovers removes those of a folder whose
//    lock is free (their owner is gone), checking again that the path names the file it locked.
//
// No Qt. A TSafeFile belongs to one thread at a time; the free functions may run on any thread.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <sys/types.h>

// Longest file name (bytes) the file system of Folder takes: pathconf _PC_NAME_MAX, 255 when
// it cannot tell.
size_t MaxNameBytes(const std::string& Folder);

// The longest start of Text of at most MaxBytes bytes that ends on a UTF-8 character boundary.
std::string Utf8Head(std::string_view Text, size_t MaxBytes);

// Numbered names: Stem + "_(new)" + Ext for Number 0, Stem + "_(new_N)" + Ext otherwise. The stem
// is cut on a character boundary so that the name fits MaxBytes; the number and Ext are kept.
inline constexpr int MaxNameNumber = 9999;
std::string NumberedName(std::string_view Stem, int Number, std::string_view Ext, size_t MaxBytes);
// The parts of a file name (no folder) for NumberedName: Ext is the text from the last "." (empty
// without one); Number is the name's own number (0 for "_(new)") or -1 when the stem carries no
// "_(new)" or "_(new_N)" at its end.
void SplitNumberedName(std::string_view FileName, std::string& Stem, int& Number, std::string& Ext);

// The reason for an errno value of the calls here, in a person's words ("the disk is full").
std::string SafeWriteErrorText(int Error);
// errno value of Publish when the temporary no longer is the file this object created.
inline constexpr int TemporaryReplaced = ESTALE;

// True for a name of the temporaries' pattern (no folder).
bool IsTemporaryName(std::string_view FileName);

class TSafeFile {
public:
    enum class TPublish {
        Keep,    // never replace: a taken name gives the next free number
        Replace, // rename over the name
    };

    TSafeFile() = default;
    ~TSafeFile();
    TSafeFile(TSafeFile&& Other) noexcept;
    // Discards this object's temporary first.
    TSafeFile& operator=(TSafeFile&& Other) noexcept;
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    // Creates the temporary for the final name Planned (its folder must exist) with Mode less
    // the umask; 0 or an errno value. Discards a temporary this object held before.
    int Create(const std::string& Planned, mode_t Mode = 0666);

    // The temporary's descriptor (read and write), valid from Create to Publish or Discard. It
    // carries the lock: a dup of it keeps the lock alive as long as either is open.
    int Fd() const { return Fd_; }
    bool HoldsTemporary() const { return Fd_ >= 0; }
    const std::string& Planned() const { return Planned_; }
    const std::string& TemporaryPath() const { return Temp_; }
    // The name the file was given by Publish; empty before.
    const std::string& Name() const { return Name_; }

    // Gives the temporary its final name (see TPublish); Durable first waits until the content
    // is on the disk. 0 or an errno value (EEXIST when MaxNameNumber numbers are all taken,
    // TemporaryReplaced when the temporary was moved away or replaced); on failure the temporary
    // is kept for Discard. After success the descriptor is closed and the object holds nothing.
    int Publish(TPublish How = TPublish::Keep, bool Durable = true);

    // Removes the temporary when its path still names the file created, and closes it. Safe to
    // call at any time; does nothing after Publish.
    void Discard();

    // Size of the temporary now, -1 when it cannot be read.
    int64_t Size() const;

private:
    // True when the temporary's path still names the file this object created.
    bool StillOurs() const;
    int PublishKeeping();
    void Reset();

    std::string Planned_;
    std::string Temp_;
    std::string Name_;
    int Fd_ = -1;
    dev_t Dev_ = 0;
    ino_t Ino_ = 0;
};

// Writes Data to Planned through a TSafeFile (Mode less the umask for a new file); 0 or an
// errno value. Given receives the name the file got.
int WriteFileSafely(const std::string& Planned, std::string_view Data, TSafeFile::TPublish How,
                    bool Durable, std::string* Given = nullptr, mode_t Mode = 0666);

// A working file written as a run goes and replaced by the next run (the statistics of two-pass
// encoding and of the video frames): opened for writing and emptied only when it is a regular
// file; a link at Name is never followed and a device or pipe never opened for writing. Null
// with errno set when it cannot be.
FILE* OpenWorkingFile(const std::string& Name);

// Removes the temporaries of Folder whose writers are gone (lock free), owned by this user, and
// still the files that were locked; the number removed.
int RemoveLeftovers(const std::string& Folder);
