// The "Loudness" preferences: loudness normalisation (target, true-peak ceiling, album mode,
// the tags shortcut), fades and silence trimming; how they are stored in section "settings",
// checked, shown and turned into an output record. The preferences page and zelta-convert
// both go through here.
//
// Plain functions without state, for the main thread.
#pragma once

#include "app/IniFile.h"

#include <array>
#include <optional>
#include <string>

struct TOutputOptions;

namespace zelta {

// The offered targets, in the order of the target list, then "Other" for a typed value. The
// preferences page collects these texts for translation itself.
inline constexpr std::array<double, 3> LoudnessTargets = {-23.0, -16.0, -14.0};
inline constexpr std::array<const char*, 4> LoudnessTargetTexts = {
    "-23 LUFS (EBU R128)", "-16 LUFS (podcasts)", "-14 LUFS (streaming)", "Other:"};
inline constexpr int LoudnessTargetOther = 3;
// The album choices, by stored value.
inline constexpr std::array<const char*, 3> AlbumGainTexts = {"Off", "By album tags",
                                                              "Whole batch"};
// The ranges the controls and the engine allow.
inline constexpr double LoudnessTargetMin = -70, LoudnessTargetMax = -5;
inline constexpr double TruePeakMin = -20, TruePeakMax = 0;
inline constexpr double FadeMax = 3600;

struct TLoudnessPreferences {
    bool Normalize = false;
    int TargetChoice = 1;          // index into LoudnessTargetTexts
    std::string TargetText = "-16"; // the typed target (TargetChoice LoudnessTargetOther)
    double Ceiling = -1.0;         // dBTP
    int Album = 0;                 // 0 off, 1 by album tags, 2 the whole batch
    bool FromTags = false;
    double FadeIn = 0;             // seconds
    double FadeOut = 0;
    bool TrimSilence = false;
    bool operator==(const TLoudnessPreferences&) const = default;
};

// What the settings hold; a stored target that is one of LoudnessTargets selects it, any other
// number is typed. Values outside their ranges read as the defaults.
TLoudnessPreferences ReadLoudnessPreferences(const TIniFile& Settings);
// The Default button: off, -16 LUFS, -1 dBTP, no album mode, no tags, no fades, no trimming.
TLoudnessPreferences DefaultLoudnessPreferences();

// A typed target ("-16", "-16.5", "-16,5 LUFS"); none when it is no number in range.
std::optional<double> ParseLoudnessTarget(const std::string& Text);
// The target the preferences stand for (TargetChoice or the typed value); none when unusable.
std::optional<double> ChosenTarget(const TLoudnessPreferences& Values);

// Why the values cannot be kept, in a person's words ("The loudness target must be a number
// between -70 and -5 LUFS."); "" when they can.
std::string CheckLoudnessPreferences(const TLoudnessPreferences& Values);
// OK: writes every key of values CheckLoudnessPreferences accepts; false at the first failed
// write (Settings.LastError()) or, writing nothing, for values it refuses.
bool WriteLoudnessPreferences(TIniFile& Settings, const TLoudnessPreferences& Values);

// What a conversion's output record takes from the settings: the target and ceiling when
// normalising, the tags shortcut, the fades, the trimming. (Album mode is the batch's: the
// driver gives every record of a Start the same album.)
void ApplyLoudnessSettings(const TIniFile& Settings, TOutputOptions& Output);

// A number as the settings store it ("-16", "-1.5", "0.25").
std::string NumberText(double Value);

}  // namespace zelta
