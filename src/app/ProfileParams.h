// The user's parameters of an output profile ("para" keys of section "formatInfo" + code of the
// settings file) and the tables that turn the profile settings dialog's items into them.
//
// The dialog stores engine names and numbers, not its display items: the tables below are the
// one place that mapping lives, so the dialog's OK and the job builder's defaults agree. A "para"
// key the user never confirmed reads as what confirming the dialog with the catalogue's default
// choices ("iXxx" indexes into the catalogue's lists) would store.
//
// The key names ("paraVideoEncoder", ...) are those of app/SettingsKeys.h; the settings file
// compares keys without letter case, so "parazoom" and "paraZoom" are one key.
//
// Stateless; main thread (settings work).
#pragma once

#include "app/IniFile.h"
#include "app/SettingsKeys.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelta {

// ---- the text tests of the para values ----

// "Is an integer": the whole text is an optional sign and decimal digits within the int range
// (no blanks). Value is set only on success.
bool ParaIsInteger(std::string_view Text, int& Value);
// "Is a number": the whole text is a finite decimal real ("96.5", "-2", "1e3"; "." as the
// decimal point, no blanks). Every integer text passes too. Value is set only on success.
bool ParaIsNumber(std::string_view Text, double& Value);

// ---- the dialog's item tables ----

// Item text (compared in lower case) -> "paraVideoEncoder": "mpeg-4" -> "mpeg4", "xvid" ->
// "libxvid", "h264" -> "libx264", ... Nothing for an item not in the table.
std::optional<std::string> VideoEncoderParaValue(std::string_view Item);
// Item text (compared in lower case) -> "paraAudioEncoder": "mp3" -> "libmp3lame", "aac" ->
// "libfaac", "ogg" -> "vorbis", "wma2" -> "wmav2", ...; trailing blanks of the item do not
// count ("pcm_mulaw " and "pcm_mulaw" -> "pcm_mulaw").
std::optional<std::string> AudioEncoderParaValue(std::string_view Item);
// Exact item text -> "paraChannel": "as source", "mono 1 channel" -> "1", "stereo 2 channels" -> "2".
std::optional<std::string> ChannelParaValue(std::string_view Item);
// Item "NNN%" (the text without its last character read as an integer) -> "paraVolume" on the
// scale where 256 is unchanged: 25 -> "64", 100 -> "256", 400 -> "1024" (only the twelve
// designed percentages).
std::optional<std::string> VolumeParaValue(std::string_view Item);

// "paraVolume" when nothing else gives a value: the volume is left unchanged.
inline constexpr std::string_view ParaVolumeUnchanged = "256";

// The value that confirming the profile settings dialog with the catalogue's default choice
// would store under ParaKey for profile Code: the default item of the key's catalogue list
// mapped through the tables above ("paraVideoEncoder", "paraAudioEncoder", "paraChannel",
// "paraVolume") or the item text itself ("paraVideoSize", "paraVideoBitRate", "paraFrameRate",
// "paraSampleRate", "paraAudioBitRate"; "" when the profile's list is "null": the parameter does
// not apply, and the dialog stores its empty text). Nothing when the list is missing, the index
// is outside it, the item does not map, or the key has no catalogue list ("paraZoom" and the
// x264 keys among others).
std::optional<std::string> CatalogueParaValue(const TIniFile& Catalogue, int Code,
                                              std::string_view ParaKey);

// The value of a "para" key of profile Code: the settings file's value when the key is there
// (an empty value included); otherwise CatalogueParaValue. A "paraVolume" that neither gives
// reads as ParaVolumeUnchanged; other keys give nothing.
std::optional<std::string> ReadProfilePara(const TIniFile& Settings, const TIniFile& Catalogue,
                                           int Code, std::string_view ParaKey);
// As above with the caller's default for "nothing".
std::string ReadProfilePara(const TIniFile& Settings, const TIniFile& Catalogue, int Code,
                            std::string_view ParaKey, std::string_view Default);

}  // namespace zelta
