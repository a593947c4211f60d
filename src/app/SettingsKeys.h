// Names and defaults of everything stored in the settings file "zeltavideoaudioconverter.ini".
//
// Every reader passes its own default. Where all readers of a key share one default it is in
// SettingsTable below and ReadSettingInteger/ReadSettingText apply it; where readers differ (the
// profile settings dialog and the job builder use other defaults for the same key) the defaults are
// named per reader. The Windows default folder "c:\videoconverter" is the home folder followed by
// "/videoconverter" here (DefaultOutputFolder), in texts and messages alike.
#pragma once

#include <string>
#include <string_view>

#include "app/IniFile.h"

namespace zelta {

// ---- sections ----
inline constexpr std::string_view SectionSettings = "settings";
// One Boolean per format-picker category, key = category number in decimal; true = collapsed.
inline constexpr std::string_view SectionLstFormat = "lstformat";
// Followed by a FormatCode in decimal: the user's parameters of one output profile.
inline constexpr std::string_view SectionFormatInfoPrefix = "formatInfo";

// "formatInfo" + FormatCode ("formatInfo1").
std::string FormatInfoSection(int FormatCode);
// The "lstformat" key of a category ("0").
std::string LstFormatKey(int Category);
inline constexpr bool LstFormatCollapsedDefault = true;

// ---- keys of section "settings" ----
inline constexpr std::string_view KeySkinIndex = "skinIndex";
inline constexpr std::string_view KeyOutPutDir = "OutPutDir";
inline constexpr std::string_view KeyOutPutFormat = "OutPutFormat";
inline constexpr std::string_view KeyFormatName = "FormatName";
inline constexpr std::string_view KeyFormatCode = "FormatCode";
inline constexpr std::string_view KeyVolume = "volume";
inline constexpr std::string_view KeyMute = "mute";
inline constexpr std::string_view KeyPriority = "priority";
inline constexpr std::string_view KeySnapOutPutDir = "SnapOutPutDir";
inline constexpr std::string_view KeySnapFullSize = "snapFullSize";
inline constexpr std::string_view KeySnapSmallSize = "snapSmallSize";
inline constexpr std::string_view KeySnapBmp = "snapBmp";
inline constexpr std::string_view KeySnapJpg = "snapJpg";
inline constexpr std::string_view KeyJpgCmp = "jpgCmp";
// Booleans: outputs take the source's tags and cover; outputs get loudness tags.
inline constexpr std::string_view KeyKeepTags = "KeepTags";
inline constexpr std::string_view KeyReplayGain = "ReplayGain";
inline constexpr std::string_view KeyNotifyBatchEnd = "NotifyBatchEnd"; // Boolean, on
// The interface language: "System" (the desktop's) or a shipped language's code ("de", "pt_BR");
// read once at start.
inline constexpr std::string_view KeyLanguage = "Language";
inline constexpr std::string_view LanguageDefault = "System";
// Loudness (app/LoudnessPreferences.h): normalisation on (1/0), its target in LUFS and the
// true-peak ceiling in dBTP (numbers as text), album mode (0 off, 1 albums by their tags,
// 2 the whole batch), tags stating the loudness spare the measuring (1/0), fades in seconds
// (numbers as text), silence trimmed at both ends (1/0).
inline constexpr std::string_view KeyNormalize = "Normalize";
inline constexpr std::string_view KeyNormalizeTarget = "NormalizeTarget";
inline constexpr std::string_view KeyTruePeak = "TruePeak";
inline constexpr std::string_view KeyAlbumGain = "AlbumGain";
inline constexpr std::string_view KeyLoudnessTags = "LoudnessFromTags";
inline constexpr std::string_view KeyFadeIn = "FadeIn";
inline constexpr std::string_view KeyFadeOut = "FadeOut";
inline constexpr std::string_view KeyTrimSilence = "TrimSilence";

// Theme indexes 0..6; any other stored value keeps the design-time theme.
inline constexpr int SkinIndexCount = 7;
// Volume range of the preview; a stored value outside it is shown as VolumeOutOfRangeShown.
inline constexpr int VolumeMax = 128;
// A first start plays at the player's own full volume, and the bar shows it.
inline constexpr int VolumeDefault = VolumeMax;
inline constexpr int VolumeOutOfRangeShown = 64;
// Values of "priority".
inline constexpr int PriorityIdle = 0;
inline constexpr int PriorityNormal = 1;
inline constexpr int PriorityLower = 2;
inline constexpr int PriorityLowest = 3;
// "FormatName" as the main window's format picker reads it, and as the profile dialog does: the
// name of the profile of the default FormatCode (1, AAC), so that a first start shows the profile
// it converts with.
inline constexpr std::string_view FormatNameDefault = "AAC Advenced Audio Codec (*.aac)";
inline constexpr std::string_view FormatNameDialogDefault = FormatNameDefault;
// "FormatCode" read as text (profile settings dialog); read as an integer it is FormatCodeDefault.
inline constexpr int FormatCodeDefault = 1;
inline constexpr std::string_view FormatCodeTextDefault = "1";

enum class TSettingType { Integer, Boolean, Text, Folder };

struct TSettingKey {
    std::string_view Key;
    TSettingType Type;
    int IntegerDefault;            // Integer and Boolean keys
    std::string_view TextDefault;  // Text keys; Folder keys default to DefaultOutputFolder()
};

// Every key of section "settings" with the default its main readers use.
inline constexpr TSettingKey SettingsTable[] = {
    {KeySkinIndex, TSettingType::Integer, 0, {}},
    {KeyOutPutDir, TSettingType::Folder, 0, {}},
    {KeyOutPutFormat, TSettingType::Integer, 0, {}},
    {KeyFormatName, TSettingType::Text, 0, FormatNameDefault},
    {KeyFormatCode, TSettingType::Integer, FormatCodeDefault, FormatCodeTextDefault},
    {KeyVolume, TSettingType::Integer, VolumeDefault, {}},
    {KeyMute, TSettingType::Boolean, 0, {}},
    {KeyPriority, TSettingType::Integer, PriorityNormal, {}},
    {KeySnapOutPutDir, TSettingType::Folder, 0, {}},
    {KeySnapFullSize, TSettingType::Boolean, 1, {}},
    {KeySnapSmallSize, TSettingType::Boolean, 1, {}},
    {KeySnapBmp, TSettingType::Boolean, 1, {}},
    {KeySnapJpg, TSettingType::Boolean, 1, {}},
    {KeyJpgCmp, TSettingType::Integer, 30, {}},
    {KeyKeepTags, TSettingType::Boolean, 1, {}},
    {KeyReplayGain, TSettingType::Boolean, 0, {}},
    {KeyNotifyBatchEnd, TSettingType::Boolean, 1, {}},
    {KeyLanguage, TSettingType::Text, 0, LanguageDefault},
    {KeyNormalize, TSettingType::Boolean, 0, {}},
    {KeyNormalizeTarget, TSettingType::Text, 0, "-16"},
    {KeyTruePeak, TSettingType::Text, 0, "-1"},
    {KeyAlbumGain, TSettingType::Integer, 0, {}},
    {KeyLoudnessTags, TSettingType::Boolean, 0, {}},
    {KeyFadeIn, TSettingType::Text, 0, "0"},
    {KeyFadeOut, TSettingType::Text, 0, "0"},
    {KeyTrimSilence, TSettingType::Boolean, 0, {}},
};

// The table entry of a key of section "settings" (names compared without letter case), or null.
const TSettingKey* FindSettingKey(std::string_view Key);

// Reads a key of section "settings" with the table's default. Integer/Boolean keys read as
// integers; ReadSettingText of a Folder key defaults to DefaultOutputFolder(), of an Integer key
// to its default in decimal. A key missing from the table reads as 0 or "".
int ReadSettingInteger(const TIniFile& Ini, std::string_view Key);
std::string ReadSettingText(const TIniFile& Ini, std::string_view Key);

// The default output and snapshot folder: the home folder followed by "/videoconverter".
std::string DefaultOutputFolder();
std::string DefaultOutputFolder(std::string_view Home);

// ---- keys of the "formatInfo<code>" sections ----
inline constexpr std::string_view KeyDescription = "Description";
// Integer: index of the chosen item in the catalogue's list; negative = the user typed a value.
inline constexpr std::string_view KeyIVideoSize = "iVideoSize";
inline constexpr std::string_view KeyIVideoBitRate = "iVideoBitRate";
inline constexpr std::string_view KeyIFrameRate = "iFrameRate";
inline constexpr std::string_view KeyIVideoEncoder = "iVideoEncoder";
inline constexpr std::string_view KeyISampleRate = "iSampleRate";
inline constexpr std::string_view KeyIAudioBitRate = "iAudioBitRate";
inline constexpr std::string_view KeyIChannel = "iChannel";
inline constexpr std::string_view KeyIVolume = "iVolume";
inline constexpr std::string_view KeyIAudioEncoder = "iAudioEncoder";
// Text values.
inline constexpr std::string_view KeyParaVideoSize = "paraVideoSize";
inline constexpr std::string_view KeyParaVideoBitRate = "paraVideoBitRate";
inline constexpr std::string_view KeyParaFrameRate = "paraFrameRate";
inline constexpr std::string_view KeyParaVideoEncoder = "paraVideoEncoder";
inline constexpr std::string_view KeyParaZoom = "paraZoom";
inline constexpr std::string_view KeyParaSampleRate = "paraSampleRate";
inline constexpr std::string_view KeyParaAudioBitRate = "paraAudioBitRate";
inline constexpr std::string_view KeyParaChannel = "paraChannel";
inline constexpr std::string_view KeyParaVolume = "paraVolume";
inline constexpr std::string_view KeyParaAudioEncoder = "paraAudioEncoder";
inline constexpr std::string_view KeyParaBitExact = "paraBitExact";
inline constexpr std::string_view KeyParaMaxBitrate = "paraMaxBitrate";
inline constexpr std::string_view KeyParaBufferSize = "paraBufferSize";
inline constexpr std::string_view KeyParaLevel = "paraLevel";
inline constexpr std::string_view KeyParaQscale = "paraQscale";
inline constexpr std::string_view KeyParaGop = "paraGop";
inline constexpr std::string_view KeyParaCoder = "paraCoder";

// The index keys, in the order of their parameters.
inline constexpr std::string_view FormatIndexKeys[] = {
    KeyIVideoSize, KeyIVideoBitRate, KeyIFrameRate, KeyIVideoEncoder, KeyISampleRate,
    KeyIAudioBitRate, KeyIChannel, KeyIVolume, KeyIAudioEncoder,
};
// Copied from the catalogue for profiles whose video encoder is libx264.
inline constexpr std::string_view FormatX264Keys[] = {
    KeyParaBitExact, KeyParaMaxBitrate, KeyParaBufferSize, KeyParaLevel,
    KeyParaQscale, KeyParaGop, KeyParaCoder,
};

// Text shown and stored for "take the source's value".
inline constexpr std::string_view ParaAsSource = "as source";

// Defaults of the conversion job builder and of Add/Start for missing "formatInfo" keys.
namespace JobDefaults {
inline constexpr std::string_view ParaVideoSize = "null";
inline constexpr std::string_view ParaVideoBitRate = "512";
inline constexpr std::string_view ParaFrameRate = "29.97";
inline constexpr std::string_view ParaVideoEncoder = "";
inline constexpr std::string_view ParaZoom = "lbox";  // Add and Start
inline constexpr std::string_view ParaSampleRate = "44100";
inline constexpr std::string_view ParaAudioBitRate = "128";
inline constexpr std::string_view ParaChannel = "2";
// A volume nothing gives means unchanged (the scale's 256), never the nearly silent 3.
inline constexpr std::string_view ParaVolume = "256";
inline constexpr std::string_view ParaAudioEncoderAudio = "libfaac";  // audio profiles
inline constexpr std::string_view ParaAudioEncoderVideo = "";         // video profiles
}  // namespace JobDefaults

// Defaults of the profile settings dialog for missing "formatInfo" keys.
namespace DialogDefaults {
inline constexpr int IndexKey = 0;  // every "i..." key
inline constexpr std::string_view ParaVideoSize = "320x240";
inline constexpr std::string_view ParaVideoBitRate = "800";
inline constexpr std::string_view ParaFrameRate = "25";
inline constexpr std::string_view ParaZoom = "full";
inline constexpr std::string_view ParaSampleRate = "44100";
inline constexpr std::string_view ParaAudioBitRate = "96";
}  // namespace DialogDefaults

}  // namespace zelta
