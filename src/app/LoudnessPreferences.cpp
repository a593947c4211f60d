#include "app/LoudnessPreferences.h"

#include "app/SettingsKeys.h"
#include "app/Translation.h"
#include "engine/OptionRecords.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zelta {

namespace {

// A number of the text, allowing blanks around it, a decimal comma and a unit after it.
std::optional<double> ParseNumber(std::string Text, std::string_view Unit = {})
{
    std::replace(Text.begin(), Text.end(), ',', '.');
    size_t from = Text.find_first_not_of(" \t");
    if (from == std::string::npos)
        return std::nullopt;
    if (Text[from] == '+')
        ++from;
    double value = 0;
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] = std::from_chars(Text.data() + from, end, value);
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    std::string_view rest(ptr, size_t(end - ptr));
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t'))
        rest.remove_suffix(1);
    if (!rest.empty() && rest != Unit)
        return std::nullopt;
    return value;
}

std::optional<double> Within(std::optional<double> Value, double Low, double High)
{
    if (!Value || *Value < Low || *Value > High)
        return std::nullopt;
    return Value;
}

double StoredNumber(const TIniFile& Settings, std::string_view Key, double Low, double High)
{
    const double fallback = *ParseNumber(std::string(FindSettingKey(Key)->TextDefault));
    return Within(ParseNumber(ReadSettingText(Settings, Key)), Low, High).value_or(fallback);
}

}  // namespace

std::string NumberText(double Value)
{
    char text[32];
    const double rounded = std::round(Value * 1000.0) / 1000.0;
    const auto [end, ec] = std::to_chars(text, text + sizeof text, rounded == 0 ? 0.0 : rounded);
    return ec == std::errc() ? std::string(text, end) : std::string("0");
}

std::optional<double> ParseLoudnessTarget(const std::string& Text)
{
    return Within(ParseNumber(Text, "LUFS"), LoudnessTargetMin, LoudnessTargetMax);
}

std::optional<double> ChosenTarget(const TLoudnessPreferences& Values)
{
    if (Values.TargetChoice >= 0 && size_t(Values.TargetChoice) < LoudnessTargets.size())
        return LoudnessTargets[size_t(Values.TargetChoice)];
    return ParseLoudnessTarget(Values.TargetText);
}

TLoudnessPreferences DefaultLoudnessPreferences()
{
    return {};
}

TLoudnessPreferences ReadLoudnessPreferences(const TIniFile& Settings)
{
    TLoudnessPreferences v;
    v.Normalize = ReadSettingInteger(Settings, KeyNormalize) != 0;
    const double target =
        StoredNumber(Settings, KeyNormalizeTarget, LoudnessTargetMin, LoudnessTargetMax);
    v.TargetChoice = LoudnessTargetOther;
    for (size_t i = 0; i < LoudnessTargets.size(); ++i)
        if (LoudnessTargets[i] == target)
            v.TargetChoice = int(i);
    v.TargetText = NumberText(target);
    v.Ceiling = StoredNumber(Settings, KeyTruePeak, TruePeakMin, TruePeakMax);
    const int album = ReadSettingInteger(Settings, KeyAlbumGain);
    v.Album = album >= 0 && size_t(album) < AlbumGainTexts.size() ? album : 0;
    v.FromTags = ReadSettingInteger(Settings, KeyLoudnessTags) != 0;
    v.FadeIn = StoredNumber(Settings, KeyFadeIn, 0, FadeMax);
    v.FadeOut = StoredNumber(Settings, KeyFadeOut, 0, FadeMax);
    v.TrimSilence = ReadSettingInteger(Settings, KeyTrimSilence) != 0;
    return v;
}

std::string CheckLoudnessPreferences(const TLoudnessPreferences& Values)
{
    if (!ChosenTarget(Values))
        return TrText("LoudnessPreferences",
                      "The loudness target must be a number between -70 and -5 LUFS.");
    if (!Within(Values.Ceiling, TruePeakMin, TruePeakMax))
        return TrText("LoudnessPreferences",
                      "The true-peak ceiling must lie between -20 and 0 dBTP.");
    if (!Within(Values.FadeIn, 0, FadeMax) || !Within(Values.FadeOut, 0, FadeMax))
        return TrText("LoudnessPreferences", "A fade must last between 0 and 3600 seconds.");
    return {};
}

bool WriteLoudnessPreferences(TIniFile& Settings, const TLoudnessPreferences& Values)
{
    if (!CheckLoudnessPreferences(Values).empty())
        return false;
    return Settings.WriteBool(SectionSettings, KeyNormalize, Values.Normalize) &&
           Settings.WriteString(SectionSettings, KeyNormalizeTarget,
                                NumberText(*ChosenTarget(Values))) &&
           Settings.WriteString(SectionSettings, KeyTruePeak, NumberText(Values.Ceiling)) &&
           Settings.WriteInteger(SectionSettings, KeyAlbumGain, Values.Album) &&
           Settings.WriteBool(SectionSettings, KeyLoudnessTags, Values.FromTags) &&
           Settings.WriteString(SectionSettings, KeyFadeIn, NumberText(Values.FadeIn)) &&
           Settings.WriteString(SectionSettings, KeyFadeOut, NumberText(Values.FadeOut)) &&
           Settings.WriteBool(SectionSettings, KeyTrimSilence, Values.TrimSilence);
}

void ApplyLoudnessSettings(const TIniFile& Settings, TOutputOptions& Output)
{
    const TLoudnessPreferences v = ReadLoudnessPreferences(Settings);
    if (v.Normalize) {
        Output.Normalize = ChosenTarget(v).value_or(LoudnessTargets[1]);
        Output.TruePeak = v.Ceiling;
        Output.LoudnessTags = v.FromTags;
    }
    Output.FadeIn = v.FadeIn;
    Output.FadeOut = v.FadeOut;
    Output.TrimSilence = v.TrimSilence;
}

}  // namespace zelta
