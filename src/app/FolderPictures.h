// Folder pictures (cover.jpg, folder.jpg, front.jpg and their .png, any letter case) copied
// beside the outputs when the outputs keep the folder tree or are named from tags, so a player
// or a phone shows the album's picture.
//
// No widgets; any thread.
#pragma once

#include <string>
#include <vector>

namespace zelta {

// The folder pictures in SourceFolder, by name.
std::vector<std::string> FolderPictureNames(const std::string& SourceFolder);

// Copies each folder picture of SourceFolder into OutputFolder (which must exist) unless a file
// of that name is there; written safely (never a half-written picture, never over anything).
// The number of pictures copied; Error gets the first reason a copy failed.
int CopyFolderPictures(const std::string& SourceFolder, const std::string& OutputFolder,
                       std::string& Error);

}  // namespace zelta
