#include "app/ConvertArgs.h"

#include "app/LoudnessPreferences.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "effects/FrameEffects.h"
#include "engine/AudioFilters.h"
#include "engine/OptionConvert.h"

#include <QFontMetrics>
#include <QString>

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace zelta {

namespace {

std::optional<int> ParseInt(std::string_view Text)
{
    int value = 0;
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] = std::from_chars(Text.data(), end, value);
    if (Text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> SplitAtCommas(std::string_view Text)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t comma = Text.find(',');
        parts.push_back(Text.substr(0, comma));
        if (comma == std::string_view::npos)
            return parts;
        Text.remove_prefix(comma + 1);
    }
}

// Whole numbers separated by commas; nothing when any part is not one.
std::optional<std::vector<int>> ParseIntList(std::string_view Text)
{
    std::vector<int> values;
    for (std::string_view part : SplitAtCommas(Text)) {
        const std::optional<int> v = ParseInt(part);
        if (!v)
            return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

bool LooksLikePosition(std::string_view Text)
{
    if (Text.empty())
        return false;
    for (char c : Text)
        if (!(c == ',' || c == '-' || c == '+' || (c >= '0' && c <= '9')))
            return false;
    return true;
}

std::string Quoted(std::string_view Text) { return "'" + std::string(Text) + "'"; }

// A real number, optionally signed; nothing when the text is anything else.
std::optional<double> ParseReal(std::string_view Text)
{
    if (!Text.empty() && Text.front() == '+')
        Text.remove_prefix(1);
    double value = 0;
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] = std::from_chars(Text.data(), end, value, std::chars_format::fixed);
    if (Text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool ParseFade(std::optional<double>& Field, const char* Name, const std::string& V,
               std::string& E)
{
    const std::optional<int64_t> us = ParseSeconds(V);
    if (!us || double(*us) / 1e6 > FadeMax) {
        //: %1 is a command-line option name, %2 the value given to it
        E = FillText(TrText("ConvertArgs", "%1: %2 is not a number of seconds from 0 to 3600"),
                     {Name, Quoted(V)});
        return false;
    }
    Field = double(*us) / 1e6;
    return true;
}

// --normalize=TARGET: LUFS, or one of the offered targets by name.
bool ParseTargetArg(const std::string& Value, TConvertArgs& A, std::string& E)
{
    static const std::map<std::string, double> named = {
        {"ebu", LoudnessTargets[0]}, {"podcast", LoudnessTargets[1]},
        {"streaming", LoudnessTargets[2]}};
    if (const auto it = named.find(Value); it != named.end()) {
        A.NormalizeTarget = it->second;
        return true;
    }
    const std::optional<double> v = ParseReal(Value);
    if (!v || *v < LoudnessTargetMin || *v > LoudnessTargetMax) {
        E = FillText(TrText("ConvertArgs",
                            "--normalize: %1 is not ebu, podcast, streaming or a level "
                            "from -70 to -5 LUFS"),
                     {Quoted(Value)});
        return false;
    }
    A.NormalizeTarget = *v;
    return true;
}


// Each option's value handler; false with Error set when the value is refused.
using TOptionHandler =
    std::function<bool(TConvertArgs& Args, const std::string& Value, std::string& Error)>;

bool ParseTrim(TConvertArgs& Args, const std::string& Value, std::string& Error)
{
    const std::vector<std::string_view> parts = SplitAtCommas(Value);
    const std::optional<int64_t> start = ParseSeconds(parts[0]);
    std::optional<int64_t> length = int64_t(0);
    if (parts.size() == 2)
        length = ParseSeconds(parts[1]);
    if (parts.size() > 2 || !start || !length) {
        Error = FillText(TrText("ConvertArgs", "--trim: %1 is not START[,LENGTH] in seconds"),
                         {Quoted(Value)});
        return false;
    }
    Args.TrimStart = *start;
    Args.TrimLength = *length;
    return true;
}

bool ParseCrop(TConvertArgs& Args, const std::string& Value, std::string& Error)
{
    const std::optional<std::vector<int>> v = ParseIntList(Value);
    if (!v || v->size() != 4 || (*v)[0] < 0 || (*v)[1] < 0 || (*v)[2] < 0 || (*v)[3] < 0) {
        Error = FillText(
            TrText("ConvertArgs", "--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)"),
            {Quoted(Value)});
        return false;
    }
    Args.Crop = true;
    Args.CropTop = (*v)[0];
    Args.CropBottom = (*v)[1];
    Args.CropLeft = (*v)[2];
    Args.CropRight = (*v)[3];
    return true;
}

bool ParseText(TConvertArgs& Args, const std::string& Value, std::string& Error)
{
    TConvertTextArg layer;
    layer.Text = Value;
    // "@" followed by numbers only places the text; any other "@" belongs to the text itself.
    const size_t at = Value.rfind('@');
    if (at != std::string::npos && LooksLikePosition(std::string_view(Value).substr(at + 1))) {
        const std::optional<std::vector<int>> v =
            ParseIntList(std::string_view(Value).substr(at + 1));
        if (!v || (v->size() != 2 && v->size() != 4)) {
            Error = FillText(TrText("ConvertArgs", "--text: %1 is not X,Y or X,Y,FROM,TO"),
                             {Quoted(Value.substr(at + 1))});
            return false;
        }
        layer.Text = Value.substr(0, at);
        layer.X = (*v)[0];
        layer.Y = (*v)[1];
        if (v->size() == 4) {
            layer.From = (*v)[2];
            layer.To = (*v)[3];
            if (layer.From < 0 || layer.To < layer.From) {
                Error = TrText("ConvertArgs",
                               "--text: the seconds FROM,TO must satisfy 0 <= FROM <= TO");
                return false;
            }
        }
    }
    if (layer.Text.empty()) {
        Error = TrText("ConvertArgs", "--text: the text is empty");
        return false;
    }
    Args.Texts.push_back(std::move(layer));
    return true;
}

const std::map<std::string, TOptionHandler, std::less<>>& ValueOptions()
{
    static const std::map<std::string, TOptionHandler, std::less<>> Options = {
        {"--profile",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             const std::optional<int> code = ParseInt(V);
             if (!code || *code < 0) {
                 E = FillText(TrText("ConvertArgs",
                                     "--profile: %1 is not a profile code (see --list-profiles)"),
                              {Quoted(V)});
                 return false;
             }
             A.Profile = *code;
             return true;
         }},
        {"--output",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             if (V.empty()) {
                 E = TrText("ConvertArgs", "--output: the folder name is empty");
                 return false;
             }
             A.OutputDir = V;
             return true;
         }},
        {"--jobs",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             if (V == "auto") {
                 A.Jobs = 0;
                 return true;
             }
             const std::optional<int> n = ParseInt(V);
             if (!n || *n < 1 || *n > MaxConvertJobs) {
                 E = FillText(
                     TrText("ConvertArgs", "--jobs: %1 is not \"auto\" or a number from 1 to %2"),
                     {Quoted(V), std::to_string(MaxConvertJobs)});
                 return false;
             }
             A.Jobs = *n;
             return true;
         }},
        {"--trim", ParseTrim},
        {"--crop", ParseCrop},
        {"--text", ParseText},
        {"--ext",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             const size_t eq = V.find('=');
             if (eq == 0 || eq == std::string::npos ||
                 V.find_first_of("\r\n") != std::string::npos) {
                 E = FillText(TrText("ConvertArgs", "--ext: %1 is not NAME=VALUE"), {Quoted(V)});
                 return false;
             }
             // An audio filter text is tried now: a bad one fails here, not once per file.
             if (const std::string name = ffopt::LowerCase(V.substr(0, eq)); name == "af") {
                 const std::string reason = CheckAudioFilters(V.substr(eq + 1));
                 if (!reason.empty()) {
                     //: %2 is the media library's reason, in English
                     E = FillText(TrText("ConvertArgs", "--ext %1: %2"), {Quoted(V), reason});
                     return false;
                 }
             }
             A.ExtOptions.push_back(V);
             return true;
         }},
        {"--true-peak",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             const std::optional<double> v = ParseReal(V);
             if (!v || *v < TruePeakMin || *v > TruePeakMax) {
                 E = FillText(
                     TrText("ConvertArgs", "--true-peak: %1 is not a level from -20 to 0 dBTP"),
                     {Quoted(V)});
                 return false;
             }
             A.TruePeak = *v;
             return true;
         }},
        {"--fade-in",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             return ParseFade(A.FadeIn, "--fade-in", V, E);
         }},
        {"--fade-out",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             return ParseFade(A.FadeOut, "--fade-out", V, E);
         }},
        {"--split",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             A.SplitChapters = V == "chapters";
             if (!A.SplitChapters)
                 E = FillText(TrText("ConvertArgs", "--split: %1 is not chapters"), {Quoted(V)});
             return A.SplitChapters;
         }},
        {"--layout",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             A.Layout = ParseLayout(V);
             if (!A.Layout)
                 E = FillText(TrText("ConvertArgs", "--layout: %1 is not flat, tree or tags"),
                              {Quoted(V)});
             return A.Layout.has_value();
         }},
        {"--name",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             if (const std::string why = TemplateError(V); !why.empty()) {
                 //: %2 says what is wrong with the name template %1
                 E = FillText(TrText("ConvertArgs", "--name: %1: %2"), {Quoted(V), why});
                 return false;
             }
             A.NameTemplate = V;
             return true;
         }},
        {"--if-exists",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             A.IfExists = ParseIfExists(V);
             if (!A.IfExists)
                 E = FillText(TrText("ConvertArgs",
                                     "--if-exists: %1 is not number, skip, replace or update"),
                              {Quoted(V)});
             return A.IfExists.has_value();
         }},
        {"--audio-track",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             A.AudioTrack = ParseTrackRule(V);
             if (!A.AudioTrack)
                 E = FillText(TrText("ConvertArgs",
                                     "--audio-track: %1 is not default, first, a track "
                                     "number, languages such as eng,fre, or all"),
                              {Quoted(V)});
             return A.AudioTrack.has_value();
         }},
        {"--info",
         [](TConvertArgs& A, const std::string& V, std::string& E) {
             if (V.empty()) {
                 E = TrText("ConvertArgs", "--info: the file name is empty");
                 return false;
             }
             A.InfoFile = V;
             return true;
         }},
    };
    return Options;
}

}  // namespace

std::optional<int64_t> ParseSeconds(std::string_view Text)
{
    if (Text.empty() || Text.front() == '-' || Text.front() == '+')
        return std::nullopt;
    double seconds = 0;
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] =
        std::from_chars(Text.data(), end, seconds, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(seconds) || seconds < 0 ||
        seconds > 1e9)
        return std::nullopt;
    return int64_t(std::llround(seconds * 1e6));
}

std::optional<TConvertArgs> ParseConvertArgs(const std::vector<std::string>& Arguments,
                                             std::string& Error)
{
    TConvertArgs args;
    Error.clear();
    bool optionsEnded = false;
    for (size_t i = 0; i < Arguments.size(); ++i) {
        const std::string& arg = Arguments[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            args.Files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            args.Help = true;
            continue;
        }
        if (arg == "--version") {
            args.Version = true;
            continue;
        }
        if (arg == "--list-profiles") {
            args.ListProfiles = true;
            continue;
        }
        if (arg == "--no-tags") {
            args.NoTags = true;
            continue;
        }
        if (arg == "--replaygain") {
            args.ReplayGain = true;
            continue;
        }
        if (arg == "--loudness-tags" || arg == "--trim-silence") {
            (arg == "--loudness-tags" ? args.LoudnessTags : args.TrimSilence) = true;
            continue;
        }
        // Options whose value is optional take it only after "=".
        if (arg == "--normalize" || arg.starts_with("--normalize=")) {
            args.Normalize = true;
            if (arg.size() > 11 && !ParseTargetArg(arg.substr(12), args, Error))
                return std::nullopt;
            continue;
        }
        if (arg == "--album-gain" || arg.starts_with("--album-gain=")) {
            const std::string value = arg.size() > 12 ? arg.substr(13) : "tags";
            if (value != "tags" && value != "batch") {
                Error =
                    FillText(TrText("ConvertArgs", "--album-gain: %1 is not \"tags\" or \"batch\""),
                             {Quoted(value)});
                return std::nullopt;
            }
            args.AlbumGain = value == "tags" ? 1 : 2;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const auto option = ValueOptions().find(name);
        if (option == ValueOptions().end()) {
            Error = FillText(TrText("ConvertArgs", "unknown option %1"), {Quoted(name)});
            return std::nullopt;
        }
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else if (i + 1 < Arguments.size()) {
            value = Arguments[++i];
        } else {
            Error = FillText(TrText("ConvertArgs", "%1 needs a value"), {name});
            return std::nullopt;
        }
        if (!option->second(args, value, Error))
            return std::nullopt;
    }
    if (args.Help || args.Version)
        return args;
    if (args.NameTemplate) {
        if (args.Layout && *args.Layout != TOutputLayout::Tags) {
            Error =
                FillText(TrText("ConvertArgs", "--name names files from their tags; it cannot be "
                                               "combined with --layout %1"),
                         {*args.Layout == TOutputLayout::Flat ? "flat" : "tree"});
            return std::nullopt;
        }
        args.Layout = TOutputLayout::Tags;
    }
    if (args.ListProfiles || args.InfoFile) {
        if (args.ListProfiles && args.InfoFile) {
            Error = TrText("ConvertArgs", "--list-profiles and --info cannot be combined");
            return std::nullopt;
        }
        if (!args.Files.empty()) {
            //: %2 is --list-profiles or --info
            Error = FillText(
                TrText("ConvertArgs", "unexpected file %1 beside %2"),
                {Quoted(args.Files.front()), args.ListProfiles ? "--list-profiles" : "--info"});
            return std::nullopt;
        }
        return args;
    }
    if (args.Files.empty()) {
        Error = TrText("ConvertArgs", "no FILE or FOLDER to convert");
        return std::nullopt;
    }
    return args;
}

std::string ConvertUsage()
{
    //: zelta-convert --help; keep the option names, their value words and the alignment
    return TrText(
        "ConvertArgs",
        "Usage: zelta-convert [OPTION]... FILE|FOLDER...\n"
        "       zelta-convert --list-profiles | --info FILE | --help | --version\n"
        "Converts each FILE, and every media file below each FOLDER, with an output profile\n"
        "of the catalogue, as the Start button does.\n"
        "\n"
        "  --profile CODE        output profile (see --list-profiles); default: the one\n"
        "                        last chosen in the program\n"
        "  --output DIR          output folder; default: the program's output folder\n"
        "  --jobs N|auto         convert N files at once; auto (the default): one per core\n"
        "                        for an audio profile, one at a time for a video profile\n"
        "  --trim START[,LENGTH] keep from START seconds on, LENGTH seconds long\n"
        "  --crop TOP,BOTTOM,LEFT,RIGHT\n"
        "                        cut that many pixels off each edge of the picture as\n"
        "                        shown (a phone video turned upright first)\n"
        "  --text TEXT[@X,Y[,FROM,TO]]\n"
        "                        draw TEXT at frame pixel X,Y (default 10,10), from second\n"
        "                        FROM to second TO (default: the whole file); repeatable\n"
        "  --ext NAME=VALUE      an extra engine option for every output; repeatable\n"
        "  --no-tags             write no tags and no cover picture from the sources\n"
        "  --replaygain          write ReplayGain loudness tags measured while converting\n"
        "  --layout flat|tree|tags\n"
        "                        where outputs go: flat (the default) NAME_(new).EXT in the\n"
        "                        output folder; tree: the folders below each FOLDER are\n"
        "                        kept, NAME.EXT; tags: named by the --name template\n"
        "  --name TEMPLATE       name outputs from their tags (implies --layout tags), \"/\"\n"
        "                        making folders; fields {artist} {albumartist} {album}\n"
        "                        {title} {track} {disc} {year} {genre} {name} {folder}\n"
        "                        {ext} {tracknumber} {tracklang} {chapter}\n"
        "                        {chaptertitle}; default:\n"
        "                        {albumartist}/{album}/{track} {title}\n"
        "  --split chapters      one file per chapter, NAME - NN TITLE (a CUE sheet beside\n"
        "                        or inside a file, or added itself, always gives one file\n"
        "                        per track)\n"
        "  --if-exists number|skip|replace|update\n"
        "                        when the output exists: number (the default) takes the\n"
        "                        next free name, skip passes the file over, replace writes\n"
        "                        over it once the new file is complete, update replaces\n"
        "                        only an output older than its source\n"
        "  --audio-track default|first|N|LANG[,LANG...]|all\n"
        "                        which audio track of a file with several to convert: the\n"
        "                        one flagged default (the default), the first, number N,\n"
        "                        the first in the most wanted language (eng,fre), or all:\n"
        "                        one output per track, NAME_(new)_2_fre.EXT\n"
        "  --normalize[=TARGET]  bring every file to one loudness: TARGET in LUFS (from\n"
        "                        -70 to -5) or ebu (-23), podcast (-16), streaming (-14);\n"
        "                        default: the stored target (-16)\n"
        "  --true-peak DBTP      highest true peak after normalising (-20 to 0; default -1)\n"
        "  --album-gain[=tags|batch]\n"
        "                        one gain for the files of an album (same album and album\n"
        "                        artist tags; the default) or for the whole batch\n"
        "  --loudness-tags       take the loudness from ReplayGain or R128 tags when a\n"
        "                        file has them instead of measuring it\n"
        "  --fade-in SECONDS     fade the sound in over SECONDS at the start\n"
        "  --fade-out SECONDS    fade the sound out over SECONDS at the end\n"
        "  --trim-silence        cut silence (below -50 dBFS for 0.5 s or more) at the\n"
        "                        start and the end of files without pictures\n"
        "  --list-profiles       print CODE<TAB>NAME of every profile and exit\n"
        "  --info FILE           print what the probe reads of FILE and the tags a\n"
        "                        conversion carries, and exit\n"
        "  --help                print this text and exit\n"
        "  --version             print the version and exit\n"
        "\n"
        "Settings come from zeltavideoaudioconverter.ini (in $ZELTA_HOME when set).\n"
        "Exit status: 0 every file converted or skipped, 1 a file failed, 2 wrong arguments.\n"
        "\n"
        "Example, a FLAC library to MP3 for a phone, again after adding albums:\n"
        "  zelta-convert --profile 0 --layout tree --if-exists update \\\n"
        "                --output ~/phone/Music ~/Music/FLAC\n");
}

std::unique_ptr<TWmRec> MakeTextLayer(const TConvertTextArg& Arg)
{
    auto layer = std::make_unique<TWmRec>();
    layer->Kind = WmKindText;
    layer->Text = Arg.Text;
    layer->Font = std::make_unique<TWmFont>();
    layer->Font->Size = 16;
    layer->Font->Style = fsBold;
    layer->Font->Color = RGBColor(255, 255, 255);
    const QFontMetrics metrics(LayerFont(*layer->Font));
    const QString text = QString::fromUtf8(Arg.Text.data(), qsizetype(Arg.Text.size()));
    // A pixel of room on the right: the last letter's overhang is not in its advance.
    layer->TextWidth = metrics.horizontalAdvance(text) + 2;
    layer->TextHeight = metrics.height();
    layer->TextLeft = Arg.X;
    layer->TextTop = Arg.Y;
    layer->TextAlpha = 255;
    layer->BackFilled = false;
    layer->StartTime = Arg.From;
    layer->EndTime = Arg.To;
    return layer;
}

bool WriteLoudnessArgs(const TConvertArgs& Args, TIniFile& Settings)
{
    auto real = [&](std::string_view Key, const std::optional<double>& Value) {
        return !Value || Settings.WriteString(SectionSettings, Key, NumberText(*Value));
    };
    return (!Args.Normalize || Settings.WriteBool(SectionSettings, KeyNormalize, true)) &&
           real(KeyNormalizeTarget, Args.NormalizeTarget) && real(KeyTruePeak, Args.TruePeak) &&
           (!Args.AlbumGain || Settings.WriteInteger(SectionSettings, KeyAlbumGain, *Args.AlbumGain)) &&
           (!Args.LoudnessTags || Settings.WriteBool(SectionSettings, KeyLoudnessTags, true)) &&
           real(KeyFadeIn, Args.FadeIn) && real(KeyFadeOut, Args.FadeOut) &&
           (!Args.TrimSilence || Settings.WriteBool(SectionSettings, KeyTrimSilence, true));
}

void ApplyConvertArgs(const TConvertArgs& Args, TlvFilesRecord& Record)
{
    Record.TrimStart = Args.TrimStart;
    Record.TrimLength = Args.TrimLength;
    if (Args.Crop) {
        Record.CropTop = Args.CropTop;
        Record.CropBottom = Args.CropBottom;
        Record.CropLeft = Args.CropLeft;
        Record.CropRight = Args.CropRight;
    }
    for (const TConvertTextArg& text : Args.Texts)
        Record.WaterMarks.push_back(MakeTextLayer(text));
    if (!Args.Texts.empty())
        Record.ProcessText = true;
}

}  // namespace zelta
