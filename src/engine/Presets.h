// Encoding presets: the built-in table of libx264 option blocks, preset files, and the
// translation of the option names of the 2010 libx264 wrapper into the current libraries' names.
//
// A preset is applied with TCustomFFmpeg::ApplyPreset (options apre, vpre, spre, fpre, and the
// component's default presets). Each line "key=value" sets a codec (acodec, vcodec, scodec) or
// goes, after translation, to the generic option contexts or to the remembered private options
// of the encoder. Failures raise FFmpegException; lines applied before a failing line stay
// applied.
//
// Thread: the table is immutable and may be read from any thread; applying a preset changes
// the core's option state and runs where the core is configured.
#pragma once

#include <string>
#include <vector>

struct TOptionsPreset {
    std::string Name;
    std::string Text; // option lines separated by a line feed
};

// The 40 built-in presets, in table order.
const std::vector<TOptionsPreset>& BuiltInPresets();
// The first built-in preset whose name equals Name without regard to letter case; null if none.
const TOptionsPreset* FindPreset(const std::string& Name);

// The lines of a preset text: the text trimmed, line breaks (CR LF, CR, LF) normalised, each line
// trimmed of characters up to and including the space, empty lines left out.
std::vector<std::string> PresetLines(const std::string& Text);

// Where the current equivalent of an old option goes.
enum class TOptionRoute {
    Generic, // SetGenericOption(Name, Value)
    Encoder, // a private option of the libx264 encoder, copied onto it when it is opened
    Dropped, // no current meaning: logged at warning level and skipped
};

struct TRoutedOption {
    TOptionRoute Route;
    std::string Name;
    std::string Value;
};

// The current equivalents of one preset line key=value written for the 2010 libx264 wrapper.
// A key the translation does not know comes back unchanged as one Generic option. For a preset
// of another encoder (ForLibx264 false) every line stays a Generic option, but for "me_method",
// which the MPEG video encoders now call "motion_est" ("x1" is "xone" there).
std::vector<TRoutedOption> TranslatePresetOption(const std::string& Key, const std::string& Value,
                                                 bool ForLibx264 = true);

// The name of the encoder whose private options the translation targets.
inline constexpr const char* PresetEncoderName = "libx264";
