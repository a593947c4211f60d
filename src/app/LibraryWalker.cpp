#include "app/LibraryWalker.h"
#include "app/Translation.h"

#include "app/SourceList.h"
#include "probe/MediaSniff.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace zelta {

namespace {

std::string Lower(std::string_view Text)
{
    std::string r(Text);
    for (char& c : r)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// The extensions of the open dialog's media entries (not "All files"), and those of the types
// the desktop entry names that the dialog lacks. ".dat", ".ifo" and ".cda" are left to the
// content check: in a music or video folder they are rarely media.
const std::set<std::string>& MediaExtensions()
{
    static const std::set<std::string> Extensions = [] {
        std::set<std::string> e;
        for (const std::string& filter : AddDialogFilters()) {
            const size_t open = filter.rfind('(');
            if (open == std::string::npos)
                continue;
            std::string_view patterns(filter);
            patterns = patterns.substr(open + 1, patterns.size() - open - 2);
            while (!patterns.empty()) {
                const size_t blank = patterns.find(' ');
                const std::string_view p = patterns.substr(0, blank);
                if (p.size() > 2 && p.substr(0, 2) == "*.")
                    e.insert(Lower(p.substr(2)));
                if (blank == std::string_view::npos)
                    break;
                patterns.remove_prefix(blank + 1);
            }
        }
        for (const char* extra : {"webm", "ogv", "oga", "opus", "dv", "amr", "m4b", "aif", "aiff",
                                  "aifc", "wave", "3ga", "mkv", "weba", "m2t"})
            e.insert(extra);
        for (const char* unsure : {"dat", "ifo", "cda", "gif"})
            e.erase(unsure);
        // A sheet found in a folder is read through its image (the sheet of the same name,
        // Segments.h): the sheet a rip leaves beside its per-track files adds nothing.
        e.erase("cue");
        return e;
    }();
    return Extensions;
}

// What a media folder holds besides media: pictures, playlists, cue sheets, rip logs, text.
const std::set<std::string>& OtherExtensions()
{
    static const std::set<std::string> Extensions = {
        "jpg", "jpeg", "png", "gif", "bmp", "webp", "tif", "tiff", "ico", "svg", "heic",
        "txt", "nfo", "cue", "log", "m3u", "m3u8", "pls", "xspf", "pdf", "htm", "html", "xml",
        "json", "ini", "md", "sfv", "md5", "sha1", "sha256", "ffp", "db", "lrc", "srt", "ass",
        "ssa", "sub", "idx", "vtt", "url", "desktop", "doc", "docx", "odt", "rtf", "zip", "rar",
        "7z", "tar", "gz", "bz2", "xz", "accurip", "toc", "exe", "sh", "part"};
    return Extensions;
}

std::string Extension(std::string_view FileName)
{
    const size_t dot = FileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return Lower(FileName.substr(dot + 1));
}

std::string WithoutTrailingSlash(std::string Path)
{
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

class TWalker {
public:
    TWalker(TLibraryWalk& Result, const TWalkProgress& Progress)
        : Result_(Result), Progress_(Progress) {}

    // Walks Folder (already known to be one) below Root.
    void Walk(const std::string& Folder, const std::string& Root)
    {
        struct stat st{};
        if (::stat(Folder.c_str(), &st) != 0 || !Visited_.insert({st.st_dev, st.st_ino}).second)
            return;
        std::vector<std::string> files, folders;
        std::error_code ec;
        for (fs::directory_iterator it(Folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.empty() || name[0] == '.')
                continue; // hidden
            std::error_code typeEc;
            // Follows links: a link to a folder is walked (once), a dangling one is no media.
            const fs::file_status status = it->status(typeEc);
            if (!typeEc && fs::is_directory(status))
                folders.push_back(name);
            else
                files.push_back(name);
        }
        std::sort(files.begin(), files.end());
        std::sort(folders.begin(), folders.end());
        const std::string prefix = Folder == "/" ? Folder : Folder + "/";
        for (const std::string& name : files) {
            if (Stopped())
                return;
            const std::string path = prefix + name;
            if (IsMedia(path, name))
                Result_.Files.push_back({path, Root});
            else
                ++Result_.Others;
        }
        for (const std::string& name : folders) {
            if (Stopped())
                return;
            Walk(prefix + name, Root);
        }
    }

private:
    static bool IsMedia(const std::string& Path, const std::string& Name)
    {
        switch (MediaKindOfName(Name)) {
        case TNameKind::Media: {
            // A dangling link or a device under a media name is not kept.
            std::error_code ec;
            return fs::is_regular_file(Path, ec);
        }
        case TNameKind::NotMedia:
            return false;
        case TNameKind::Unsure:
            break;
        }
        return LooksLikeMedia(Path);
    }

    bool Stopped()
    {
        if (Result_.Cancelled)
            return true;
        if (Progress_ && Steps_++ % 64 == 0 && !Progress_(int(Result_.Files.size())))
            Result_.Cancelled = true;
        return Result_.Cancelled;
    }

    TLibraryWalk& Result_;
    const TWalkProgress& Progress_;
    std::set<std::pair<dev_t, ino_t>> Visited_;
    long Steps_ = 0;
};

}  // namespace

TNameKind MediaKindOfName(std::string_view FileName)
{
    const std::string ext = Extension(FileName);
    if (ext.empty())
        return TNameKind::Unsure;
    if (MediaExtensions().count(ext) > 0)
        return TNameKind::Media;
    if (OtherExtensions().count(ext) > 0)
        return TNameKind::NotMedia;
    return TNameKind::Unsure;
}

TLibraryWalk CollectMedia(const std::vector<std::string>& Paths, const TWalkProgress& Progress)
{
    TLibraryWalk result;
    TWalker walker(result, Progress);
    for (const std::string& given : Paths) {
        if (result.Cancelled)
            break;
        std::error_code ec;
        if (fs::is_directory(given, ec)) {
            ++result.Folders;
            const std::string root = WithoutTrailingSlash(given);
            walker.Walk(root, root);
            continue;
        }
        result.Files.push_back(
            {given, WithoutTrailingSlash(fs::path(given).parent_path().string())});
    }
    return result;
}

std::string GroupedNumber(long long Value)
{
    std::string digits = std::to_string(Value < 0 ? -Value : Value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return Value < 0 ? "-" + digits : digits;
}

std::string AddSummary(int Added, int Others)
{
    // The numbers are grouped ("1,204"), so they go in as %1; the count picks the plural.
    std::string text = Added == 1
                           ? TrText("LibraryWalker", "%n file added", nullptr, 1)
                           : FillText(TrText("LibraryWalker", "%1 files added", nullptr, Added),
                                      {GroupedNumber(Added)});
    //: added to "12 files added": files in the folders that are no media
    if (Others > 0)
        text += Others == 1
                    ? TrText("LibraryWalker", ", %n other skipped", nullptr, 1)
                    : FillText(TrText("LibraryWalker", ", %1 others skipped", nullptr, Others),
                               {GroupedNumber(Others)});
    return text;
}

}  // namespace zelta
