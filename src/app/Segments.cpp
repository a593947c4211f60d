#include "app/Segments.h"

#include "app/LibraryWalker.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "engine/UnicodeProtocol.h"
#include "probe/AudioTracks.h"

#include <algorithm>
#include <map>
#include <cctype>
#include <filesystem>
#include <memory>
#include <set>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

namespace zelta {

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const std::string& Path)
{
    std::string ext = fs::path(Path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool IsFile(const std::string& Path)
{
    std::error_code ec;
    return fs::is_regular_file(Path, ec);
}

bool SameFile(const std::string& A, const std::string& B)
{
    if (fs::path(A).lexically_normal() == fs::path(B).lexically_normal())
        return true;
    std::error_code ec;
    return fs::equivalent(A, B, ec);
}

// The sheet of the same name beside Path ("Album.flac" -> "Album.cue"), "" when there is none.
std::string SiblingSheet(const std::string& Path)
{
    for (const char* ext : {".cue", ".CUE", ".Cue"}) {
        const std::string sheet = fs::path(Path).replace_extension(ext).string();
        if (IsFile(sheet))
            return sheet;
    }
    return {};
}

// The file a sheet names, else a media file of its name under another extension beside it (a
// sheet written for "Album.wav" kept with the image compressed as "Album.flac").
std::string FindNamedFile(const std::string& Named)
{
    if (IsFile(Named))
        return Named;
    for (const char* ext : {".flac", ".wav", ".ape", ".wv", ".m4a", ".ogg", ".opus", ".mp3",
                            ".aiff", ".aif", ".tta"}) {
        const std::string other = fs::path(Named).replace_extension(ext).string();
        if (IsFile(other))
            return other;
    }
    return {};
}

struct TInputCloser {
    void operator()(AVFormatContext* C) const { UnicodeCloseInput(&C); }
};

// The file's header only: tags, chapters and duration, no stream analysis.
std::unique_ptr<AVFormatContext, TInputCloser> OpenHeader(const std::string& Path)
{
    AVFormatContext* ic = nullptr;
    if (UnicodeOpenInput(&ic, FileNameToURL(Path), nullptr, nullptr) < 0)
        return nullptr;
    return std::unique_ptr<AVFormatContext, TInputCloser>(ic);
}

std::string DictText(const AVDictionary* Dict, const char* Key)
{
    const AVDictionaryEntry* e = av_dict_get(Dict, Key, nullptr, 0);
    return e != nullptr && e->value != nullptr ? std::string(e->value) : std::string();
}

std::string TwoDigits(int N)
{
    return N < 10 ? "0" + std::to_string(N) : std::to_string(N);
}

}  // namespace

bool ReadSplitChapters(const TIniFile& Settings)
{
    return Settings.ReadBool(SectionSettings, KeySplitChapters, false);
}

bool WriteSplitChapters(TIniFile& Settings, bool Split)
{
    return Settings.WriteBool(SectionSettings, KeySplitChapters, Split);
}

int SplitRowIntoChapters(TSourceListModel& List, int Row, const TIniFile& Settings,
                         const TIniFile& Catalogue)
{
    if (Row < 0 || Row >= List.RowCount() || List.Record(Row).Segment.Active() ||
        !List.Record(Row).SegmentError.empty())
        return 0;
    const int made = List.ReplaceWithPieces(Row, ReadChapterSegments(List.Caption(Row)));
    if (made > 0)
        List.UpdateDestinations(Settings, Catalogue);
    return made;
}

std::vector<TSegment> SheetSegments(const TCueSheet& Sheet, const std::string& AudioFile,
                                    bool AnyFile)
{
    std::vector<TSegment> pieces;
    const TCueTrack* previous = nullptr;
    for (const TCueTrack& track : Sheet.Tracks) {
        if (!AnyFile && !track.File.empty() && !SameFile(FindNamedFile(track.File), AudioFile))
            continue;
        TSegment s;
        s.Kind = TSegmentKind::CueTrack;
        s.Number = track.Number;
        s.Count = int(Sheet.Tracks.size());
        s.Title = track.Title;
        s.Performer = track.Performer;
        s.Album = Sheet.Title;
        s.AlbumPerformer = Sheet.Performer;
        s.Date = Sheet.Date;
        s.Genre = Sheet.Genre;
        // The first piece of a file starts at its start (its pre-gap and anything before it).
        s.Start = previous == nullptr ? 0 : CueFramesToMicroseconds(track.Start);
        if (!pieces.empty() && previous != nullptr)
            pieces.back().End = CueFramesToMicroseconds(track.Start);
        pieces.push_back(std::move(s));
        previous = &track;
    }
    return pieces;
}

std::vector<TSegment> ChapterSegments(const AVFormatContext* Context)
{
    std::vector<TSegment> pieces;
    const std::vector<TChapter> chapters = ReadChapters(Context);
    if (chapters.size() < 2)
        return pieces;
    const int64_t first = Context->start_time != AV_NOPTS_VALUE ? Context->start_time : 0;
    const std::string album = DictText(Context->metadata, "album");
    const std::string artist = DictText(Context->metadata, "artist");
    for (size_t i = 0; i < chapters.size(); ++i) {
        TSegment s;
        s.Kind = TSegmentKind::Chapter;
        s.Number = int(i) + 1;
        s.Count = int(chapters.size());
        s.Title = chapters[i].Title;
        s.Performer = artist;
        s.Album = album.empty() ? DictText(Context->metadata, "title") : album;
        s.Start = i == 0 ? 0 : std::max<int64_t>(0, chapters[i].Start - first);
        if (!pieces.empty())
            pieces.back().End = s.Start;
        pieces.push_back(std::move(s));
    }
    return pieces;
}

std::vector<TSegment> EmbeddedSheetSegments(const AVFormatContext* Context,
                                            const std::string& AudioFile)
{
    if (Context == nullptr)
        return {};
    const std::string text = DictText(Context->metadata, "cuesheet");
    if (text.empty())
        return {};
    const TCueSheet sheet = ParseCueSheet(text, fs::path(AudioFile).parent_path().string());
    if (!sheet.Error.empty() && sheet.Tracks.empty())
        return {};
    // The sheet inside a file speaks of that file, whatever name its FILE line gives.
    std::vector<TSegment> pieces = SheetSegments(sheet, AudioFile, true);
    for (TSegment& s : pieces) {
        // A FLAC file's own tags name the album better than a sheet written for the CD.
        if (s.Album.empty())
            s.Album = DictText(Context->metadata, "album");
        if (s.AlbumPerformer.empty())
            s.AlbumPerformer = DictText(Context->metadata, "artist");
        if (s.Performer.empty())
            s.Performer = s.AlbumPerformer;
    }
    return pieces;
}

std::vector<TSegment> ReadChapterSegments(const std::string& Path)
{
    const auto ic = OpenHeader(Path);
    return ic ? ChapterSegments(ic.get()) : std::vector<TSegment>{};
}

std::vector<TAddEntry> ExpandSegments(const std::vector<TAddEntry>& Entries,
                                      const TSegmentOptions& Options)
{
    auto sheetKey = [](const std::string& Path) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(Path, ec);
        return ec ? fs::path(Path).lexically_normal().string() : canonical.string();
    };
    std::vector<TAddEntry> out;
    std::set<std::string> sheets; // sheets whose tracks were added
    std::vector<std::string> images; // files whose tracks were added
    auto imageDone = [&](const std::string& Path) {
        return std::any_of(images.begin(), images.end(),
                           [&](const std::string& I) { return SameFile(I, Path); });
    };
    auto addPieces = [&](const TAddEntry& From, const std::string& File,
                         std::vector<TSegment> Pieces, const std::string& Sheet) {
        images.push_back(File);
        for (TSegment& s : Pieces) {
            TAddEntry e;
            e.Path = File;
            e.Root = From.Root;
            s.Sheet = Sheet;
            e.Segment = std::move(s);
            out.push_back(std::move(e));
        }
    };

    // The files the sheets of this add name: they come as the sheets' tracks, wherever in the
    // add the sheet stands.
    std::map<std::string, TCueSheet> read;
    std::vector<std::string> covered;
    for (const TAddEntry& entry : Entries)
        if (!entry.Segment.Active() && entry.Error.empty() &&
            LowerExtension(entry.Path) == ".cue" && read.count(sheetKey(entry.Path)) == 0) {
            const TCueSheet& sheet = read[sheetKey(entry.Path)] = ReadCueSheet(entry.Path);
            if (sheet.Error.empty())
                for (const TCueTrack& t : sheet.Tracks)
                    if (const std::string file = FindNamedFile(t.File); !file.empty())
                        covered.push_back(file);
        }
    auto isCovered = [&](const std::string& Path) {
        return std::any_of(covered.begin(), covered.end(),
                           [&](const std::string& C) { return SameFile(C, Path); });
    };

    for (const TAddEntry& entry : Entries) {
        if (entry.Segment.Active() || !entry.Error.empty()) {
            out.push_back(entry);
            continue;
        }
        if (LowerExtension(entry.Path) == ".cue") {
            if (!sheets.insert(sheetKey(entry.Path)).second)
                continue;
            const TCueSheet& sheet = read[sheetKey(entry.Path)];
            if (!sheet.Error.empty()) {
                TAddEntry bad = entry;
                bad.Error = sheet.Error;
                out.push_back(std::move(bad));
                continue;
            }
            // The files in the order the sheet names them.
            std::vector<std::string> named;
            for (const TCueTrack& t : sheet.Tracks)
                if (std::find(named.begin(), named.end(), t.File) == named.end())
                    named.push_back(t.File);
            for (const std::string& name : named) {
                const std::string file = FindNamedFile(name);
                if (file.empty()) {
                    TAddEntry bad = entry;
                    bad.Error = FillText(TrText("Segments", "the CUE sheet names a file that "
                                                            "is not there: %1"),
                                         {fs::path(name).filename().string()});
                    out.push_back(std::move(bad));
                    continue;
                }
                if (imageDone(file))
                    continue;
                addPieces(entry, file, SheetSegments(sheet, file), entry.Path);
            }
            continue;
        }
        if (imageDone(entry.Path) || isCovered(entry.Path))
            continue;
        const std::string sibling = SiblingSheet(entry.Path);
        if (!sibling.empty()) {
            if (sheets.count(sheetKey(sibling)) > 0)
                continue; // its sheet is in this add and brought its tracks (or its error)
            const TCueSheet sheet = ReadCueSheet(sibling);
            if (sheet.Error.empty()) {
                std::vector<TSegment> pieces = SheetSegments(sheet, entry.Path);
                // A sheet naming one file under another name is the sheet of this file.
                if (pieces.empty()) {
                    bool oneFile = true;
                    for (const TCueTrack& t : sheet.Tracks)
                        oneFile = oneFile && t.File == sheet.Tracks.front().File;
                    if (oneFile && FindNamedFile(sheet.Tracks.front().File).empty())
                        pieces = SheetSegments(sheet, entry.Path, true);
                }
                if (!pieces.empty()) {
                    sheets.insert(sheetKey(sibling));
                    addPieces(entry, entry.Path, std::move(pieces), sibling);
                    continue;
                }
            }
        }
        const std::string ext = LowerExtension(entry.Path);
        const bool mayHoldSheet = ext == ".flac" || ext == ".wv" || ext == ".ape";
        if (mayHoldSheet || Options.SplitChapters) {
            if (const auto ic = OpenHeader(entry.Path)) {
                std::vector<TSegment> pieces;
                if (mayHoldSheet)
                    pieces = EmbeddedSheetSegments(ic.get(), entry.Path);
                if (pieces.empty() && ext == ".flac") {
                    // A CUESHEET block reaches us as chapters at its tracks' first samples.
                    pieces = ChapterSegments(ic.get());
                    for (TSegment& s : pieces) {
                        s.Kind = TSegmentKind::CueTrack;
                        s.AlbumPerformer = s.Performer;
                    }
                }
                if (pieces.empty() && Options.SplitChapters)
                    pieces = ChapterSegments(ic.get());
                if (!pieces.empty()) {
                    addPieces(entry, entry.Path, std::move(pieces), {});
                    continue;
                }
            }
        }
        out.push_back(entry);
    }
    return out;
}

std::string SegmentCaption(const TSegment& Segment)
{
    std::string text = TwoDigits(Segment.Number);
    if (Segment.Title.empty())
        return (Segment.Kind == TSegmentKind::Chapter ? "Chapter " : "Track ") +
               std::to_string(Segment.Number);
    text += " " + Segment.Title;
    if (!Segment.Performer.empty() && Segment.Kind == TSegmentKind::CueTrack)
        text += " - " + Segment.Performer;
    return text;
}

std::string SegmentShownCaption(const TSegment& Segment) {
    if (!Segment.Title.empty())
        return SegmentCaption(Segment);
    //: the Source column's caption of a chapter or CUE track without a title
    return FillText(Segment.Kind == TSegmentKind::Chapter ? TrText("Segments", "Chapter %1")
                                                          : TrText("Segments", "Track %1"),
                    {std::to_string(Segment.Number)});
}

std::string NamingSource(const std::string& Path, const TSegment& Segment, TOutputLayout Layout)
{
    if (!Segment.Active() || Layout == TOutputLayout::Tags)
        return Path;
    const fs::path p(Path);
    std::string name = p.stem().string() + " - " + TwoDigits(Segment.Number);
    if (!Segment.Title.empty())
        name += " " + CleanNamePart(Segment.Title, false);
    return (p.parent_path() / (name + p.extension().string())).string();
}

TNameTags SegmentNameTags(TNameTags Tags, const TSegment& Segment)
{
    if (!Segment.Active())
        return Tags;
    auto set = [&](const char* Key, const std::string& Value) {
        if (!Value.empty())
            Tags[Key] = Value;
    };
    set("title", Segment.Title.empty() ? SegmentCaption(Segment) : Segment.Title);
    Tags["track"] = std::to_string(Segment.Number);
    Tags["chapter"] = std::to_string(Segment.Number);
    Tags["chaptertitle"] = Segment.Title;
    if (Segment.Kind == TSegmentKind::CueTrack) {
        set("artist", Segment.Performer);
        set("album", Segment.Album);
        set("album_artist", Segment.AlbumPerformer);
        set("date", Segment.Date);
        set("genre", Segment.Genre);
    }
    return Tags;
}

std::string PlannedRowOutput(const std::string& Folder, const std::string& Source,
                             const TlvFilesRecord& Row, std::string_view Suffix,
                             const TOutputNaming& Naming)
{
    return PlannedOutput(Folder, NamingSource(Source, Row.Segment, Naming.Layout), Row.Root,
                         SegmentNameTags(Row.NameTags, Row.Segment), Suffix, Naming);
}

namespace {
// A whole second: a whole number of samples at every rate, so the input's start and the
// output's start round to the sample the piece's start rounds to.
constexpr int64_t SegmentPreroll = 1000000;
}  // namespace

TSourceRange RowRange(const TlvFilesRecord& Row)
{
    TSourceRange r;
    const int64_t trimStart = std::max<int64_t>(Row.TrimStart, 0);
    const int64_t trimEnd = Row.TrimLength > 0 ? trimStart + Row.TrimLength : -1;
    if (!Row.Segment.Active()) {
        r.Start = trimStart;
        if (Row.TrimLength > 0)
            r.Length = Row.TrimLength;
        return r;
    }
    // The trim dialog shows the whole file: a piece's trim is a range of the file, kept where it
    // overlaps the piece (one that misses it is passed over).
    const TSegment& s = Row.Segment;
    int64_t start = std::max(s.Start, trimStart);
    int64_t end = s.End;
    if (trimEnd >= 0 && (end < 0 || trimEnd < end))
        end = trimEnd;
    if (end >= 0 && end <= start) {
        start = s.Start;
        end = s.End;
    }
    r.Start = start;
    if (end >= 0)
        r.Length = end - start;
    if (s.End >= 0 && end == s.End)
        r.ExactEnd = s.End;
    return r;
}

void ApplySegment(const TlvFilesRecord& Row, TInputOptions& Input, TOutputOptions& Output)
{
    const TSegment& s = Row.Segment;
    if (!s.Active())
        return;
    const TSourceRange range = RowRange(Row);
    // The input is opened a second before the piece and decoded from there, so the sound at
    // its start is what decoding the whole file gives (a lossy decoder needs the frames before
    // to rebuild a frame); the output's start drops that second to the sample.
    Input.StartTime = std::max<int64_t>(range.Start - SegmentPreroll, 0);
    if (range.Start > Input.StartTime)
        Output.StartTime = range.Start - Input.StartTime;
    Output.Duration = range.Length;
    Output.SegmentEnd = range.ExactEnd;
    TStreamInfo& m = Output.Metadata;
    m.Title = s.Title.empty() ? SegmentCaption(s) : s.Title;
    m.Track = s.Number;
    if (s.Kind == TSegmentKind::CueTrack) {
        m.Author = s.Performer;
        m.Album = s.Album;
        m.Genre = s.Genre;
        if (s.Date.size() >= 4 && std::all_of(s.Date.begin(), s.Date.begin() + 4,
                                              [](unsigned char c) { return std::isdigit(c); }))
            m.Year = std::stoi(s.Date.substr(0, 4));
    }
}

std::string SegmentKey(const std::string& Path, const TSegment& Segment)
{
    if (!Segment.Active())
        return Path;
    return Path + (Segment.Kind == TSegmentKind::Chapter ? "\n#chapter " : "\n#track ") +
           std::to_string(Segment.Number);
}

int64_t SegmentLength(const TSegment& Segment, int64_t FileLength)
{
    int64_t end = Segment.End;
    if (end < 0 || (FileLength > 0 && end > FileLength))
        end = FileLength;
    return end > Segment.Start ? end - Segment.Start : 0;
}

}  // namespace zelta
