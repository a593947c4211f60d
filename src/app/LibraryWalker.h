// Adding whole folders: the media files below the folders a person names (a dialog, a drop, the
// command line), each with the folder it was added from (its root), so that the output can keep
// the folder tree.
//
// Subfolders are walked; hidden entries (names starting with ".") are passed over, and a folder
// reached a second time (a link loop, or two links to one folder) is walked once. A file is kept
// by its name first: the media extensions of the desktop entry and the open dialog are kept,
// pictures, playlists, cue sheets and text are passed over, and any other name (no extension,
// ".dat", ".bin") is kept when its first bytes are recognised by the media libraries. Files
// passed over are counted for the summary ("1,204 files added, 37 others skipped").
//
// No widgets; any thread (the window calls it on the main thread with a step callback).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// A file to add and the folder it was added from: a folder named by the person, or for a file
// named itself, its own folder.
struct TLibraryFile {
    std::string Path;
    std::string Root;
};

struct TLibraryWalk {
    std::vector<TLibraryFile> Files; // in the order found: a folder's files by name, then its
                                     // subfolders by name
    int Others = 0;                  // files below the folders that are not media
    int Folders = 0;                 // folders among the paths given
    bool Cancelled = false;          // the step callback said stop: Files holds what was found
};

enum class TNameKind { Media, NotMedia, Unsure };
// What a file name alone tells (extension, any letter case).
TNameKind MediaKindOfName(std::string_view FileName);

// Called now and then with the files found so far; false stops the walk.
using TWalkProgress = std::function<bool(int Found)>;

// Every path in order: a folder becomes the media files below it (Root = that folder), any other
// path (a file, a name that does not exist) is passed on unchanged with its own folder as Root,
// for the adding to judge. Paths should be absolute; roots are given without a trailing "/".
TLibraryWalk CollectMedia(const std::vector<std::string>& Paths,
                          const TWalkProgress& Progress = {});

// A count with thousands separated by commas: "1,204".
std::string GroupedNumber(long long Value);
// "1,204 files added, 37 others skipped" ("1 file added"; ", N others skipped" only when N > 0).
std::string AddSummary(int Added, int Others);

}  // namespace zelta
