// zelta-convert's private folder (the settings copy lives there), "zelta-convert-XXXXXX" in the
// temporary folder, removed with its content at the end.
//
// Its owner holds an exclusive flock on the folder while it lives. A run killed before its end
// (SIGKILL, a power cut) leaves its folder behind; the next run removes every such folder of
// this user whose lock is free, after checking again that the name still is the folder it
// locked. Folders of runs still going stay.
#pragma once

#include <string>

#include <sys/types.h>

namespace zelta {

class TScratchFolder {
public:
    // Removes the folders that killed runs left, then makes and locks a new one; Path() is empty
    // when that fails.
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
    int FFd = -1; // the folder, locked
};

// The folder the scratch folders are made in: TMPDIR when set, else /tmp.
std::string ScratchBase();
// Removes the scratch folders in Base whose owner is gone; the number removed.
int RemoveStaleScratchFolders(const std::string& Base);

}  // namespace zelta
