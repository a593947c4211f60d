#include "app/FolderPictures.h"

#include "app/AppPaths.h"
#include "engine/SafeWrite.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace zelta {

namespace {

// Larger files are not the small pictures players look for.
constexpr std::uintmax_t MaxPictureBytes = 32u << 20;

bool IsFolderPictureName(std::string Name)
{
    for (char& c : Name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const char* stem : {"cover", "folder", "front"})
        for (const char* ext : {".jpg", ".jpeg", ".png"})
            if (Name == std::string(stem) + ext)
                return true;
    return false;
}

}  // namespace

std::vector<std::string> FolderPictureNames(const std::string& SourceFolder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(SourceFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeEc;
        if (IsFolderPictureName(name) && it->is_regular_file(typeEc))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int CopyFolderPictures(const std::string& SourceFolder, const std::string& OutputFolder,
                       std::string& Error)
{
    int copied = 0;
    for (const std::string& name : FolderPictureNames(SourceFolder)) {
        const std::string target = JoinPath(OutputFolder, name);
        struct stat st{};
        if (::lstat(target.c_str(), &st) == 0)
            continue; // there already: left as it is
        const std::string source = JoinPath(SourceFolder, name);
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(source, ec);
        if (ec || size > MaxPictureBytes)
            continue;
        std::ifstream in(source, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            continue;
        // Keep: a picture that appeared meanwhile is not replaced (the copy then gets a number,
        // which is removed again: one picture of that name is enough).
        std::string given;
        const int e = WriteFileSafely(target, bytes, TSafeFile::TPublish::Keep, false, &given);
        if (e != 0) {
            if (Error.empty())
                Error = target + ": " + SafeWriteErrorText(e);
            continue;
        }
        if (given != target) {
            fs::remove(given, ec);
            continue;
        }
        ++copied;
    }
    return copied;
}

}  // namespace zelta
