// Where a converted file goes and what it is called: the layout of the outputs ("Output
// folder", "Keep the folder tree", "Name from tags"), the name templates with tag fields, the
// characters replaced in names, and what happens when the output exists already ("Number",
// "Skip", "Replace", "Update").
//
//   Output folder        OUT/name_(new).ext (then _(new_1), _(new_2), ...)
//   Keep the folder tree OUT/<the file's folder below the folder that was added>/name.ext
//   Name from tags       OUT/<the template, "/" making folders>.ext
//
// Template fields: {artist}, {albumartist}, {album}, {title}, {track} (two digits), {disc},
// {year}, {genre}, {name} (the source's name without extension), {folder} (its folder below the
// folder that was added; may be empty), {ext} (the source's extension); for a row holding a
// track or chapter of its source (Segments.h), {chapter} (its number, two digits) and
// {chaptertitle}.
// Audio track fields: {tracknumber} (the converted audio track's number), {tracklang} (its
// language); both empty when the file's track is not known. A missing tag falls
// back: albumartist to artist to "Unknown Artist", album to "Unknown Album", title to the file
// name, the others to nothing. Inside a value "/" and control characters become "_"; with
// portable names also what FAT and exFAT cards refuse (<>:"\|?*), and trailing dots and blanks
// of every part go. Parts left empty are dropped, a part starting with "." gets "_" before it.
//
// The "exists" rule is decided from the names alone (a stat of the output and of the source,
// no probe): Skip passes a file whose output exists, Update one whose output is at least as new
// as its source, Replace and Update write over the output once the new file is complete.
//
// No widgets; stateless functions, any thread.
#pragma once

#include "app/IniFile.h"
#include "app/SourceList.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

struct AVFormatContext;

namespace zelta {

enum class TOutputLayout { Flat = 0, Tree = 1, Tags = 2 };
enum class TIfExists { Number = 0, Skip = 1, Replace = 2, Update = 3 };

// Keys of section "settings".
inline constexpr std::string_view KeyOutputLayout = "OutputLayout";     // 0, 1, 2
inline constexpr std::string_view KeyNameTemplate = "OutputNameTemplate";
inline constexpr std::string_view KeyPortableNames = "PortableNames";   // Boolean
inline constexpr std::string_view KeyIfExists = "IfExists";             // 0..3
inline constexpr std::string_view KeyFolderPictures = "FolderPictures"; // Boolean; missing:
                                                                        // on for audio profiles
inline constexpr std::string_view DefaultNameTemplate = "{albumartist}/{album}/{track} {title}";

struct TOutputNaming {
    TOutputLayout Layout = TOutputLayout::Flat;
    std::string Template{DefaultNameTemplate};
    bool Portable = false;
    TIfExists IfExists = TIfExists::Number;
    bool FolderPictures = false;
    bool operator==(const TOutputNaming&) const = default;
};

// The stored choices; values out of range read as the defaults, an invalid template as the
// default template. AudioProfile decides FolderPictures when the key is missing.
TOutputNaming ReadOutputNaming(const TIniFile& Settings, bool AudioProfile);
// Writes every key; false at the first failed write (Settings.LastError() says why).
bool WriteOutputNaming(TIniFile& Settings, const TOutputNaming& Naming);

// Command-line words: "flat", "tree", "tags"; "number", "skip", "replace", "update".
std::optional<TOutputLayout> ParseLayout(std::string_view Word);
std::optional<TIfExists> ParseIfExists(std::string_view Word);

// Why Template cannot be used ("unknown field {artst}", "an unclosed {"), "" when it can.
std::string TemplateError(std::string_view Template);

// The tags a name is made of, under the libraries' generic names (artist, album_artist, album,
// title, track, disc, date, genre).
using TNameTags = std::map<std::string, std::string>;
// The container's tags, completed by those of its first audio stream (Ogg keeps them there).
TNameTags ReadNameTags(const AVFormatContext* Context);

// ---- audio track fields ----
// The entries of TNameTags that carry the converted audio track's number and language (no
// container tag has these names).
inline constexpr std::string_view TrackNumberField = ":tracknumber";
inline constexpr std::string_view TrackLanguageField = ":tracklang";

// One part of a name with the characters replaced as described above.
std::string CleanNamePart(std::string_view Value, bool Portable);
// Source's folder relative to Root ("Album/CD1"), "" when it lies in Root itself or outside it.
std::string RelativeFolder(const std::string& Source, const std::string& Root);
// The template filled in for Source (no extension added); "/" separates folders.
std::string ExpandNameTemplate(std::string_view Template, const TNameTags& Tags,
                               const std::string& Source, const std::string& Root, bool Portable);

// The output Source would get in Folder under Naming before the "exists" rule: Suffix is
// "." + the profile's extension. For the flat layout the first numbered name ("_(new)").
// Every part is cut to the file system's name length (the extension kept).
std::string PlannedOutput(const std::string& Folder, const std::string& Source,
                          const std::string& Root, const TNameTags& Tags,
                          std::string_view Suffix, const TOutputNaming& Naming);

// What to do for one file.
struct TOutputChoice {
    std::string Name;       // the file to write; empty when skipped or on an error
    bool Replace = false;   // write over a file of that name once complete
    bool Skipped = false;   // nothing to do: Reason says why ("exists", "up to date")
    std::string Reason;
    std::string Error;      // the name could not be decided (a folder that cannot be read)
};
// Applies the "exists" rule to Planned (from PlannedOutput). A name Reserved by another file of
// this Start gets the next number whatever the rule, so no two files of one Start share an
// output; the chosen name is added to Reserved. Tail goes into every name tried, after the
// number and before the extension ("film_(new)_2_fre.mp3" for the tail "_2_fre").
TOutputChoice ChooseOutput(const std::string& Planned, const std::string& Source,
                           const TOutputNaming& Naming, TReservedNames& Reserved,
                           std::string_view Tail = {});

// The file a name is shown for in the preferences: the selected row, else SampleNameExample().
struct TNameExample {
    std::string Source;
    std::string Root;
    TNameTags Tags;
};
TNameExample SampleNameExample();
// The output Example would get below the output folder under Naming ("Artist/Album/01 Title.mp3"
// for Suffix ".mp3"), before the "exists" rule; the template's error when it has one.
std::string OutputNameExample(const TOutputNaming& Naming, const TNameExample& Example,
                              std::string_view Suffix);

// "Skipped" rows and the command line give these reasons, translated (context "OutputNames").
inline constexpr std::string_view SkipReasonExists =
    QT_TRANSLATE_NOOP("OutputNames", "the output exists");
inline constexpr std::string_view SkipReasonUpToDate =
    QT_TRANSLATE_NOOP("OutputNames", "the output is up to date");

}  // namespace zelta
