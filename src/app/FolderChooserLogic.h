// The rules of the output folder chooser and of the windows that use its result, apart from the
// widgets: which tree entries can be confirmed, which folders are refused, and how a chosen folder
// reaches the settings file.
#pragma once

#include "app/IniFile.h"

#include <QtGlobal>

#include <string>
#include <string_view>

namespace zelta {

// The refusal text for a folder on a read-only file system, shown (translated, context
// "FolderChooserLogic") in a box captioned with the application title.
inline constexpr std::string_view ReadOnlyFolderMessage =
    QT_TRANSLATE_NOOP("FolderChooserLogic",
                      "Output folder cannot be located in CD-ROM.Please select another folder.");

// True when Path lies on a file system mounted read-only (statvfs reports ST_RDONLY). A path
// that cannot be examined (missing, no permission) is not called read-only. Any thread.
bool IsReadOnlyFolder(const std::string& Path);

// True when the user may create files in the folder Path (access W_OK). Any thread.
bool IsWritableFolder(const std::string& Path);

// Whether Ok is enabled for the tree's current entry. Depth counts from the tree's top: 0 is the
// file system's root "/", 1 its direct children. Those top entries can only be chosen when they
// are folders the user can write to; deeper folders always can (a read-only file system is
// refused on Ok instead). No entry (HasEntry false) disables Ok.
bool FolderChooserOkEnabled(bool HasEntry, int Depth, bool Writable);

// Depth of an absolute folder path below "/": "/" is 0, "/home" 1, "/home/user" 2. Trailing
// slashes do not count.
int FolderDepth(std::string_view Path);

// Whether a mount point is a volume the user mounted (removable media, other disks):
// /media/NAME, /media/USER/NAME, /run/media/USER/NAME or /mnt/NAME. The chooser opens the tree
// down to these so they are easy to reach.
bool IsUserVolumeMount(std::string_view MountPoint);

// Whether a folder returned by the folder chooser replaces the one a window shows: not empty and
// different from it.
bool TakesChosenFolder(const std::string& Chosen, const std::string& Shown);

// When TakesChosenFolder, writes Chosen to Key of section "settings" and returns true (the window
// then shows it). False when nothing changes or the write failed (see Settings.LastError()).
bool StoreChosenFolder(TIniFile& Settings, std::string_view Key, const std::string& Chosen,
                       const std::string& Shown);

// The folder an Open button opens: Key of section "settings" (default DefaultOutputFolder()) when
// the window's folder box holds more than 2 characters, else "" (nothing to open).
std::string FolderToOpen(const TIniFile& Settings, std::string_view Key, const std::string& BoxText);

}  // namespace zelta
