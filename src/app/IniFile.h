// One INI file with the semantics of Windows private-profile files.
//
// Format, as read:
//  - A line is text up to "\n"; a "\r" before it belongs to the line ending, so CRLF and LF files
//    read alike. A UTF-8 byte-order mark at the start of the file is ignored.
//  - Blanks (space, tab, vertical tab, form feed, carriage return) around a line are ignored.
//  - "[name]" starts a section. The name is the text between "[" and the LAST "]" of the line,
//    without surrounding blanks; text after that "]" is ignored. A "[" line without "]" is junk.
//  - "key=value" inside a section is a key. The key is the text before the first "=", the value
//    everything after it, both without surrounding blanks. The value is otherwise returned as
//    written: no quotes are removed, no escapes are interpreted, inner blanks stay. A value
//    written with leading or trailing blanks therefore reads back without them (as on Windows).
//  - Lines starting with ";" or "#" are comments. Blank lines, comments, lines before the first
//    section, lines without "=", lines with an empty key name and junk are kept when the file is
//    rewritten but are never keys.
//  - Section and key names are compared with ASCII case folding ("SnapOutPutDir" equals
//    "snapOutPutDir"); bytes above 0x7F are compared exactly.
//  - First match wins: when a section name occurs twice, only its first occurrence is looked at
//    (keys of the later copies are invisible, and writes go to the first); when a key occurs
//    twice in that section, the first line counts and is the one a write changes.
//  - Arbitrary bytes (NUL, invalid UTF-8, very long lines, huge files) never make a read fail;
//    they simply do not form matching lines. Parsing is linear in the file size.
//
// Integers: ReadInteger accepts optional blanks, an optional "+" or "-", one or more decimal
// digits and optional blanks, and the value must fit in an int. Anything else (empty value, "12abc",
// "0x10", "1.5", out of range) gives the caller's default, as does a missing key or file.
// Booleans are integers: non-zero reads as true; writes store "1" or "0".
//
// Writes:
//  - change exactly one line (or insert one key line, or append one section) and keep every other
//    byte of the file: comments, blank lines, unknown sections and keys, line order and each
//    line's own line ending. A rewritten key line keeps its spelling and indentation up to and
//    including "=" and the blanks after it; new lines use the file's line ending (the ending of
//    its first line; LF for a new file).
//  - a missing key is inserted after the last key line of its section (right after the header
//    when the section has no key), so blank lines and comments that close the section stay below
//    it; a missing section is appended at the end of the file after one blank line.
//  - the first write creates the file, and its folder when missing.
//  - are atomic: the new content is written to a private temporary file in the same folder
//    (engine/SafeWrite), flushed to disk and renamed over the original, which keeps its
//    permission bits. A symbolic link at the path is followed, so the link stays and its target
//    is replaced. On any failure the old file stays untouched, the temporary file is removed, the
//    call returns false and LastError() holds a readable text ("Cannot write settings file
//    /path: Permission denied"). A writer killed before its rename leaves its temporary file;
//    the next write removes those whose writer is gone.
//  - read, change and replace the file under an exclusive advisory lock (flock on its folder,
//    where the file system has such locks), so two programs writing at once lose no update.
//    Scratch writes take no lock: their file has one writer.
//  - refuse names and values that the file cannot hold: an empty section or key name, a line
//    break in any of them, a key containing "=" or starting with ";", "#" or "[".
//  - DeleteKey removes every line of the key in the section's first occurrence; EraseSection
//    removes every occurrence of the section, each from its header up to the next header. Both
//    succeed without touching the disk when there is nothing to remove (also for a missing file).
//  - a write that would not change the content leaves the file alone and succeeds.
//
// Damaged files: a file this program wrote always ends with a line ending, holds text and has a
// section; InspectIniContent names the ways a file can fail that (see TIniDamage). An object made
// with TDamagedFile::StartOver treats such a file as absent for reading (every reader gets its
// default), never writes it on its own, and on the first write that changes something starts a
// new file, keeping the damaged one beside it as "<name>.damaged" (replacing an older copy).
// With TDamagedFile::Keep (the default) a damaged file is read and rewritten as it is.
//
// Nothing is cached: every call opens, reads and closes the file. An object holds only its path,
// its policy and the last error text; it is cheap to copy. Not synchronised: use one object per thread (the
// application does all INI work on the main thread).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelta {

// Why a file's content cannot be an INI file as this program writes it.
enum class TIniDamage {
    None,      // a plain INI text (also a missing file)
    Empty,     // no byte besides blanks and a byte-order mark
    Binary,    // a NUL byte or another control character than tab and the line endings
    Truncated, // the last line has no line ending and is no complete section or key line
    NoSection, // text without any section header
};
TIniDamage InspectIniContent(std::string_view Content);
// The file's damage; None for a missing or unreadable file (a reader gets its defaults anyway).
TIniDamage InspectIniFile(const std::string& FileName);
// "it is empty", "it is not a text file", "it is cut off", "it has no section"; empty for None.
std::string IniDamageText(TIniDamage Damage);

enum class TDamagedFile { Keep, StartOver };

// Whether a write waits until the new content is on the disk. Every write replaces the file
// atomically either way; Scratch is for a private copy removed at the end of the process, whose
// loss in a crash costs nothing (waiting for the disk costs tens of milliseconds a write).
enum class TIniWrites { Durable, Scratch };

class TIniFile {
public:
    explicit TIniFile(std::string FileName, TDamagedFile Policy = TDamagedFile::Keep,
                      TIniWrites Writes = TIniWrites::Durable);

    const std::string& FileName() const { return FFileName; }
    // Where a StartOver object keeps a damaged file when it starts a new one.
    std::string DamagedCopyName() const { return FFileName + ".damaged"; }

    // Why the last write, delete or erase failed; each of those calls clears it first. Reads never
    // change it.
    const std::string& LastError() const { return FLastError; }

    std::string ReadString(std::string_view Section, std::string_view Key,
                           std::string_view Default) const;
    int ReadInteger(std::string_view Section, std::string_view Key, int Default) const;
    bool ReadBool(std::string_view Section, std::string_view Key, bool Default) const;

    bool WriteString(std::string_view Section, std::string_view Key, std::string_view Value);
    bool WriteInteger(std::string_view Section, std::string_view Key, int Value);
    bool WriteBool(std::string_view Section, std::string_view Key, bool Value);

    // Key names of the section's first occurrence, as spelled in the file, each once, in file order.
    std::vector<std::string> ReadSection(std::string_view Section) const;
    // Keys and values of the section's first occurrence (first line of each key), in file order.
    std::vector<std::pair<std::string, std::string>> ReadSectionValues(std::string_view Section) const;
    // Section names as spelled at their first occurrence, each once, in file order.
    std::vector<std::string> ReadSections() const;

    // True when a header of the section is present, even if the section has no key.
    bool SectionExists(std::string_view Section) const;
    // True when the key is present in the section's first occurrence, even with an empty value.
    bool ValueExists(std::string_view Section, std::string_view Key) const;

    bool EraseSection(std::string_view Section);
    bool DeleteKey(std::string_view Section, std::string_view Key);

private:
    // The content readers see: empty for a missing file and, with StartOver, a damaged one.
    std::string ContentForReading() const;
    // Reads the file for a rewrite; a missing file gives empty content and Exists false. With
    // StartOver a damaged file gives empty content too, and Damaged true.
    bool LoadForWrite(std::string& Content, bool& Exists, bool& Damaged);
    // Replaces the file's content atomically; with KeepOld the file replaced stays as
    // DamagedCopyName().
    bool Store(const std::string& Content, bool KeepOld = false);
    bool Fail(const std::string& Reason);

    std::string FFileName;
    TDamagedFile FPolicy;
    TIniWrites FWrites;
    std::string FLastError;
};

// The integer rule of ReadInteger, usable on its own: true and Value set when Text is an integer.
bool ParseIniInteger(std::string_view Text, int& Value);

}  // namespace zelta
