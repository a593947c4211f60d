// The command line of zelta-convert: its options as plain values, the parser, the usage text,
// and how the options become the per-file record that Start reads.
//
//   zelta-convert [--profile CODE] [--output DIR] [--jobs N] [--trim START[,LENGTH]]
//                 [--crop TOP,BOTTOM,LEFT,RIGHT] [--text TEXT[@X,Y[,FROM,TO]]]
//                 [--ext NAME=VALUE]... [--no-tags] [--replaygain] [--layout flat|tree|tags]
//                 [--name TEMPLATE] [--if-exists number|skip|replace|update]
//                 [--normalize[=TARGET]] [--true-peak DBTP] [--album-gain[=tags|batch]]
//                 [--loudness-tags] [--fade-in SECONDS] [--fade-out SECONDS]
//                 [--trim-silence] [--audio-track default|first|N|LANG[,LANG...]|all]
//                 [--split chapters] FILE|FOLDER...
//   zelta-convert --list-profiles | --info FILE | --help | --version
//
// Every option also takes the form --name=VALUE; "--" ends the options. Times are seconds
// (decimals allowed), text positions frame pixels, FROM and TO whole seconds.
//
// Stateless; any thread.
#pragma once

#include "app/IniFile.h"
#include "app/OutputNames.h"
#include "app/SourceList.h"
#include "app/TrackChoice.h"
#include "effects/WmRec.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// One --text layer.
struct TConvertTextArg {
    std::string Text;
    int X = 10;
    int Y = 10;
    int From = 0;          // first whole second shown
    int To = INT32_MAX;    // last whole second shown (inclusive); the default means to the end
};

struct TConvertArgs {
    std::optional<int> Profile;           // --profile; default: the stored FormatCode
    std::optional<std::string> OutputDir; // --output; default: the stored OutPutDir
    int Jobs = 0;                         // files converted at once; 0: auto (AutoJobCount)
    int64_t TrimStart = 0;                // microseconds
    int64_t TrimLength = 0;               // microseconds; 0 = to the end
    bool Crop = false;                    // --crop given
    int CropTop = 0, CropBottom = 0, CropLeft = 0, CropRight = 0;
    std::vector<TConvertTextArg> Texts;
    std::vector<std::string> ExtOptions;  // "name=value", in the given order
    bool NoTags = false;                  // --no-tags: "KeepTags" off for this run
    bool ReplayGain = false;              // --replaygain: "ReplayGain" on for this run
    // The "Loudness" preferences of this run (app/LoudnessPreferences.h); unset: as stored.
    bool Normalize = false;               // --normalize[=TARGET]
    std::optional<double> NormalizeTarget; // its TARGET, LUFS
    std::optional<double> TruePeak;       // --true-peak DBTP
    std::optional<int> AlbumGain;         // --album-gain[=tags|batch]: 1 by tags, 2 the batch
    bool LoudnessTags = false;            // --loudness-tags
    std::optional<double> FadeIn;         // --fade-in SECONDS
    std::optional<double> FadeOut;        // --fade-out SECONDS
    bool TrimSilence = false;             // --trim-silence
    std::optional<TOutputLayout> Layout;  // --layout, or Tags for --name; default: stored
    std::optional<std::string> NameTemplate; // --name; default: the stored template
    std::optional<TIfExists> IfExists;    // --if-exists; default: the stored rule
    std::optional<TTrackRule> AudioTrack; // --audio-track; default: the stored rule
    bool SplitChapters = false;           // --split chapters: one file per chapter
    bool ListProfiles = false;
    std::optional<std::string> InfoFile;
    bool Help = false;
    bool Version = false;
    std::vector<std::string> Files;
};

inline constexpr int MaxConvertJobs = 64;

// Parses the arguments after the program name. Nothing, with Error set to a one-line reason
// ("--jobs: '0' is not a number from 1 to 64"), for a wrong command line: an unknown option, a
// missing or malformed value, no FILE for a conversion, a FILE beside --list-profiles, a --name
// that is no usable template or comes with another --layout than "tags".
std::optional<TConvertArgs> ParseConvertArgs(const std::vector<std::string>& Arguments,
                                             std::string& Error);

// The --help text (ends with a line break).
std::string ConvertUsage();

// Seconds with optional decimals ("12", "1.5", ".25") as microseconds; nothing for a negative,
// empty or malformed value.
std::optional<int64_t> ParseSeconds(std::string_view Text);

// Puts the trim, crop and text options into a row's record (text layers in the given order).
// The text box is measured with the layer font, so a QGuiApplication must exist when Args has
// texts.
void ApplyConvertArgs(const TConvertArgs& Args, TlvFilesRecord& Record);

// Writes the loudness options of Args into a settings file (zelta-convert's private copy): only
// what the command line gives, the rest stays as stored. False when a write failed.
bool WriteLoudnessArgs(const TConvertArgs& Args, TIniFile& Settings);

// The layer of one --text option: white bold 16-point letters on a see-through box exactly as
// large as the text, opaque. Needs a QGuiApplication.
std::unique_ptr<TWmRec> MakeTextLayer(const TConvertTextArg& Arg);

}  // namespace zelta
