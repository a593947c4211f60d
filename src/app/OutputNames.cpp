#include "app/OutputNames.h"

#include "app/AppPaths.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "engine/SafeWrite.h"
#include "engine/Tags.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include <sys/stat.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;

namespace zelta {

namespace {

constexpr std::string_view Fields[] = {"artist", "albumartist", "album", "title", "track",
                                       "disc",   "year",        "genre", "name",  "folder",
                                       "ext",
                                       // audio track fields
                                       "tracknumber", "tracklang",
                                       // the piece of the source a row converts (Segments.h)
                                       "chapter", "chaptertitle"};

bool IsField(std::string_view Name)
{
    for (std::string_view f : Fields)
        if (f == Name)
            return true;
    return false;
}

std::string Trimmed(std::string_view Text)
{
    const size_t first = Text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = Text.find_last_not_of(" \t");
    return std::string(Text.substr(first, last - first + 1));
}

std::string Tag(const TNameTags& Tags, const char* Name)
{
    const auto it = Tags.find(Name);
    return it == Tags.end() ? std::string() : Trimmed(it->second);
}

// "3/12" -> "03"; "" stays ""; text that is no number is kept as it is.
std::string TrackText(const std::string& Value)
{
    const std::string number = Value.substr(0, Value.find('/'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return number;
    const unsigned long n = std::stoul(number.size() > 9 ? number.substr(number.size() - 9) : number);
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string FileStem(const std::string& Path)
{
    return fs::path(Path).stem().string();
}

std::string SourceExtension(const std::string& Path)
{
    const std::string ext = fs::path(Path).extension().string();
    return ext.empty() ? ext : ext.substr(1);
}

// Splits at "/", cleans nothing.
std::vector<std::string> SplitParts(std::string_view Path)
{
    std::vector<std::string> parts;
    for (;;) {
        const size_t slash = Path.find('/');
        parts.emplace_back(Path.substr(0, slash));
        if (slash == std::string_view::npos)
            return parts;
        Path.remove_prefix(slash + 1);
    }
}

// A part of a path as it may be written: trailing dots and blanks go with portable names, a
// leading dot is shown ("_.hack"), "." and ".." never lead anywhere.
std::string FinishPart(std::string Part, bool Portable)
{
    Part = Trimmed(Part);
    if (Portable)
        while (!Part.empty() && (Part.back() == '.' || Part.back() == ' '))
            Part.pop_back();
    if (!Part.empty() && Part[0] == '.')
        Part.insert(0, "_");
    return Part;
}

// Joins the non-empty parts of Path, each finished and cut to MaxBytes (the last one keeping
// room for Suffix).
std::string JoinParts(std::string_view Path, bool Portable, std::string_view Suffix,
                      size_t MaxBytes)
{
    std::vector<std::string> parts;
    for (std::string& part : SplitParts(Path))
        if (std::string p = FinishPart(std::move(part), Portable); !p.empty())
            parts.push_back(std::move(p));
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const size_t room = last ? (MaxBytes > Suffix.size() ? MaxBytes - Suffix.size() : 1)
                                 : MaxBytes;
        if (!joined.empty())
            joined += '/';
        joined += Utf8Head(parts[i], room);
    }
    return joined;
}

int PathState(const std::string& Path)
{
    struct stat st{};
    if (::lstat(Path.c_str(), &st) == 0)
        return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

// The N-th name for Planned: Flat counts "_(new)", "_(new_1)", ...; the others start with
// Planned itself, then "_(new_1)", ...
std::string Candidate(const std::string& Planned, int N, bool Flat, size_t MaxBytes)
{
    if (!Flat && N == 0)
        return Planned;
    const fs::path path(Planned);
    std::string stem, ext;
    int number = -1;
    SplitNumberedName(path.filename().string(), stem, number, ext);
    if (!Flat) {
        const std::string name = path.filename().string();
        const size_t dot = name.rfind('.');
        stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    }
    return JoinPath(path.parent_path().string(), NumberedName(stem, N, ext, MaxBytes));
}

bool NewerOrSame(const struct stat& A, const struct stat& B)
{
    return A.st_mtim.tv_sec > B.st_mtim.tv_sec ||
           (A.st_mtim.tv_sec == B.st_mtim.tv_sec && A.st_mtim.tv_nsec >= B.st_mtim.tv_nsec);
}

}  // namespace

TOutputNaming ReadOutputNaming(const TIniFile& Settings, bool AudioProfile)
{
    TOutputNaming n;
    const int layout = Settings.ReadInteger(SectionSettings, KeyOutputLayout, 0);
    if (layout >= 0 && layout <= 2)
        n.Layout = TOutputLayout(layout);
    const std::string text = Settings.ReadString(SectionSettings, KeyNameTemplate,
                                                 std::string(DefaultNameTemplate));
    if (TemplateError(text).empty())
        n.Template = text;
    n.Portable = Settings.ReadInteger(SectionSettings, KeyPortableNames, 0) != 0;
    const int rule = Settings.ReadInteger(SectionSettings, KeyIfExists, 0);
    if (rule >= 0 && rule <= 3)
        n.IfExists = TIfExists(rule);
    n.FolderPictures =
        Settings.ReadInteger(SectionSettings, KeyFolderPictures, AudioProfile ? 1 : 0) != 0;
    return n;
}

bool WriteOutputNaming(TIniFile& Settings, const TOutputNaming& Naming)
{
    return Settings.WriteInteger(SectionSettings, KeyOutputLayout, int(Naming.Layout)) &&
           Settings.WriteString(SectionSettings, KeyNameTemplate, Naming.Template) &&
           Settings.WriteBool(SectionSettings, KeyPortableNames, Naming.Portable) &&
           Settings.WriteInteger(SectionSettings, KeyIfExists, int(Naming.IfExists)) &&
           Settings.WriteBool(SectionSettings, KeyFolderPictures, Naming.FolderPictures);
}

std::optional<TOutputLayout> ParseLayout(std::string_view Word)
{
    if (Word == "flat")
        return TOutputLayout::Flat;
    if (Word == "tree")
        return TOutputLayout::Tree;
    if (Word == "tags")
        return TOutputLayout::Tags;
    return std::nullopt;
}

std::optional<TIfExists> ParseIfExists(std::string_view Word)
{
    if (Word == "number")
        return TIfExists::Number;
    if (Word == "skip")
        return TIfExists::Skip;
    if (Word == "replace")
        return TIfExists::Replace;
    if (Word == "update")
        return TIfExists::Update;
    return std::nullopt;
}

std::string TemplateError(std::string_view Template)
{
    if (Trimmed(Template).empty())
        return TrText("OutputNames", "the name is empty");
    bool anyField = false;
    for (size_t at = 0; at < Template.size(); ++at) {
        if (Template[at] == '}')
            return TrText("OutputNames", "a \"}\" without \"{\"");
        if (Template[at] != '{')
            continue;
        const size_t close = Template.find('}', at);
        if (close == std::string_view::npos)
            return TrText("OutputNames", "a \"{\" without \"}\"");
        const std::string_view name = Template.substr(at + 1, close - at - 1);
        if (!IsField(name))
            //: %1 is a field name of the name template, shown in braces
            return FillText(TrText("OutputNames", "unknown field {%1}"), {name});
        anyField = true;
        at = close;
    }
    // A name without any field would give every file the same output.
    if (!anyField)
        return TrText("OutputNames",
                      "the name has no field, so every file would get the same name");
    return {};
}

TNameTags ReadNameTags(const AVFormatContext* Context)
{
    TNameTags tags;
    if (Context == nullptr)
        return tags;
    for (auto& [name, value] : zeltatags::SourceTags(Context->metadata))
        tags.emplace(name, value);
    for (unsigned i = 0; i < Context->nb_streams; ++i) {
        const AVStream* stream = Context->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        for (auto& [name, value] : zeltatags::SourceTags(stream->metadata))
            tags.emplace(name, value); // the container's win
        break;
    }
    return tags;
}

std::string CleanNamePart(std::string_view Value, bool Portable)
{
    std::string r;
    r.reserve(Value.size());
    for (const char c : Value) {
        const auto u = static_cast<unsigned char>(c);
        const bool refused = c == '/' || u < 0x20 || u == 0x7f ||
                             (Portable && std::strchr("<>:\"\\|?*", c) != nullptr);
        r += refused ? '_' : c;
    }
    return r;
}

std::string RelativeFolder(const std::string& Source, const std::string& Root)
{
    if (Root.empty())
        return {};
    const fs::path folder = fs::path(Source).parent_path().lexically_normal();
    const fs::path relative = folder.lexically_relative(fs::path(Root).lexically_normal());
    const std::string text = relative.string();
    if (text.empty() || text == "." || text.rfind("..", 0) == 0)
        return {};
    return text;
}

std::string ExpandNameTemplate(std::string_view Template, const TNameTags& Tags,
                               const std::string& Source, const std::string& Root, bool Portable)
{
    auto field = [&](std::string_view Name) -> std::string {
        const std::string artist = Tag(Tags, "artist");
        if (Name == "artist")
            return artist.empty() ? "Unknown Artist" : artist;
        if (Name == "albumartist") {
            const std::string albumArtist = Tag(Tags, "album_artist");
            return !albumArtist.empty() ? albumArtist
                                        : artist.empty() ? "Unknown Artist" : artist;
        }
        if (Name == "album") {
            const std::string album = Tag(Tags, "album");
            return album.empty() ? "Unknown Album" : album;
        }
        if (Name == "title") {
            const std::string title = Tag(Tags, "title");
            return title.empty() ? FileStem(Source) : title;
        }
        if (Name == "track")
            return TrackText(Tag(Tags, "track"));
        if (Name == "disc")
            return Tag(Tags, "disc").substr(0, Tag(Tags, "disc").find('/'));
        if (Name == "year")
            return Tag(Tags, "date").substr(0, 4);
        if (Name == "genre")
            return Tag(Tags, "genre");
        if (Name == "name")
            return FileStem(Source);
        if (Name == "ext")
            return SourceExtension(Source);
        // audio track fields
        if (Name == "tracknumber")
            return Tag(Tags, TrackNumberField.data());
        if (Name == "tracklang")
            return Tag(Tags, TrackLanguageField.data());
        // A track or chapter of the source: its number (two digits) and title.
        if (Name == "chapter")
            return TrackText(Tag(Tags, "chapter"));
        if (Name == "chaptertitle")
            return Tag(Tags, "chaptertitle");
        return {};
    };
    std::string out;
    for (size_t at = 0; at < Template.size(); ++at) {
        const size_t close = Template[at] == '{' ? Template.find('}', at) : std::string_view::npos;
        if (close == std::string_view::npos) {
            out += Template[at];
            continue;
        }
        const std::string_view name = Template.substr(at + 1, close - at - 1);
        if (name == "folder") {
            // Folders of the source stay folders; each part is cleaned on its own.
            std::string folder;
            for (const std::string& part : SplitParts(RelativeFolder(Source, Root)))
                folder += (folder.empty() ? "" : "/") + CleanNamePart(part, Portable);
            out += folder;
        } else {
            out += CleanNamePart(field(name), Portable);
        }
        at = close;
    }
    return out;
}

std::string PlannedOutput(const std::string& Folder, const std::string& Source,
                          const std::string& Root, const TNameTags& Tags,
                          std::string_view Suffix, const TOutputNaming& Naming)
{
    const size_t maxBytes = MaxNameBytes(Folder);
    if (Naming.Layout == TOutputLayout::Flat)
        return JoinPath(Folder, NumberedName(FileStem(Source), 0, Suffix, maxBytes));
    std::string relative;
    if (Naming.Layout == TOutputLayout::Tree) {
        for (const std::string& part : SplitParts(RelativeFolder(Source, Root)))
            relative += CleanNamePart(part, Naming.Portable) + "/";
        relative += CleanNamePart(FileStem(Source), Naming.Portable);
    } else {
        relative = ExpandNameTemplate(Naming.Template, Tags, Source, Root, Naming.Portable);
    }
    std::string joined = JoinParts(relative, Naming.Portable, Suffix, maxBytes);
    if (joined.empty() || joined.back() == '/')
        joined += CleanNamePart(FileStem(Source), Naming.Portable);
    return JoinPath(Folder, joined + std::string(Suffix));
}

TNameExample SampleNameExample()
{
    TNameExample e;
    e.Source = "/Music/Artist/Album/01 Title.flac";
    e.Root = "/Music";
    e.Tags = {{"artist", "Artist"}, {"album_artist", "Artist"}, {"album", "Album"},
              {"title", "Title"}, {"track", "1"}, {"disc", "1"}, {"date", "2010"},
              {"genre", "Rock"}};
    return e;
}

std::string OutputNameExample(const TOutputNaming& Naming, const TNameExample& Example,
                              std::string_view Suffix)
{
    if (Naming.Layout == TOutputLayout::Tags)
        if (const std::string error = TemplateError(Naming.Template); !error.empty())
            return error;
    const std::string folder = "/";
    return DestinationColumnText(
        folder, PlannedOutput(folder, Example.Source, Example.Root, Example.Tags, Suffix, Naming));
}

TOutputChoice ChooseOutput(const std::string& Planned, const std::string& Source,
                           const TOutputNaming& Naming, TReservedNames& Reserved,
                           std::string_view Tail)
{
    if (!Tail.empty()) {
        // The tail follows the number: "film_(new_1)_2_fre.mp3"; the name before it gives way
        // when the whole would be longer than the file system takes.
        const bool flat = Naming.Layout == TOutputLayout::Flat;
        const fs::path path(Planned);
        const std::string folder = path.parent_path().string();
        const size_t maxBytes = MaxNameBytes(folder);
        const std::string file = path.filename().string();
        std::string stem, ext;
        int number = -1;
        SplitNumberedName(file, stem, number, ext);
        if (!flat)
            stem = ext.empty() ? file : file.substr(0, file.size() - ext.size());
        const std::string tailExt = std::string(Tail) + ext;
        auto nameFor = [&](int N) {
            if (flat || N > 0)
                return JoinPath(folder, NumberedName(stem, N, tailExt, maxBytes));
            return JoinPath(folder, Utf8Head(stem, maxBytes > tailExt.size()
                                                       ? maxBytes - tailExt.size()
                                                       : 1) +
                                        tailExt);
        };
        if (Naming.IfExists != TIfExists::Number && Reserved.count(nameFor(0)) == 0)
            return ChooseOutput(nameFor(0), Source, Naming, Reserved);
        TOutputChoice choice;
        for (int n = 0; n <= MaxNameNumber; ++n) {
            std::string name = nameFor(n);
            if (Reserved.count(name) > 0)
                continue;
            const int state = PathState(name);
            if (state == EEXIST)
                continue;
            if (state != 0) {
                choice.Error =
                    FillText(TrText("OutputNames", "cannot look for a free name in %1: %2"),
                             {folder, SafeWriteErrorText(state)});
                return choice;
            }
            Reserved.insert(name);
            choice.Name = std::move(name);
            return choice;
        }
        choice.Error = FillText(
            TrText("OutputNames", "every numbered name of %1 up to %2 is taken in %3"),
            {fs::path(nameFor(0)).filename().string(), std::to_string(MaxNameNumber), folder});
        return choice;
    }
    TOutputChoice choice;
    const bool flat = Naming.Layout == TOutputLayout::Flat;
    const std::string folder = fs::path(Planned).parent_path().string();
    const size_t maxBytes = MaxNameBytes(folder);
    auto lookFailed = [&](int Error) {
        choice.Error = FillText(TrText("OutputNames", "cannot look for a free name in %1: %2"),
                                {folder, SafeWriteErrorText(Error)});
        return choice;
    };

    if (Naming.IfExists != TIfExists::Number && Reserved.count(Planned) == 0) {
        const int state = PathState(Planned);
        if (state != 0 && state != EEXIST)
            return lookFailed(state);
        bool skip = false;
        if (state == EEXIST && Naming.IfExists == TIfExists::Skip) {
            skip = true;
            choice.Reason = TrText("OutputNames", SkipReasonExists.data());
        } else if (state == EEXIST && Naming.IfExists == TIfExists::Update) {
            struct stat out{}, in{};
            if (::stat(Planned.c_str(), &out) == 0 && ::stat(Source.c_str(), &in) == 0 &&
                S_ISREG(out.st_mode) && NewerOrSame(out, in)) {
                skip = true;
                choice.Reason = TrText("OutputNames", SkipReasonUpToDate.data());
            }
        }
        Reserved.insert(Planned);
        if (skip) {
            choice.Skipped = true;
            return choice;
        }
        choice.Name = Planned;
        choice.Replace = state == EEXIST;
        return choice;
    }

    for (int n = 0; n <= MaxNameNumber; ++n) {
        std::string name = Candidate(Planned, n, flat, maxBytes);
        if (Reserved.count(name) > 0)
            continue;
        const int state = PathState(name);
        if (state == EEXIST)
            continue;
        if (state != 0)
            return lookFailed(state);
        Reserved.insert(name);
        choice.Name = std::move(name);
        return choice;
    }
    choice.Error =
        FillText(TrText("OutputNames", "every numbered name of %1 up to %2 is taken in %3"),
                 {fs::path(Planned).filename().string(), std::to_string(MaxNameNumber), folder});
    return choice;
}

}  // namespace zelta
