// The output profile catalogue: profile numbering, the table of profile names, the built-in audio
// category, the categories the catalogue file declares, the profile data the catalogue holds, the
// stored choice of the current profile, and the list of the hidden audio format combo.
//
// Numbering: a category c (0..50) has 51 entry slots; the entry in slot i (0..50) has the
// FormatCode c * 100 + i, and both INI files keep a profile's data in section "formatInfo" + code.
//
// Catalogue file ("zeltaaudioformat.ini", never written by the program):
//  - category 0, "General Audio formates", and its ten entries are built in and always first;
//    the file only describes their profiles (formatInfo0 .. formatInfo9);
//  - section "Categories" may declare further categories: key "1" .. "50" (decimal, no sign or
//    leading zero) = the category's name; an empty name declares nothing;
//  - the entries of a declared category c are the sections formatInfo{c*100+i}, i = 0..50, that
//    carry a non-empty "Name" key (the entry's name). Declared categories follow category 0 in
//    number order and show a generic video icon.
//
// All functions read the files at the moment of the call (nothing is cached); main thread, as
// all settings work.
#pragma once

#include "app/IniFile.h"
#include "app/SettingsKeys.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// ---- numbering ----
inline constexpr int FormatCategoryCount = 51; // categories 0..50
inline constexpr int FormatSlotCount = 51;     // slots 0..50 per category
inline constexpr int FormatCodesPerCategory = 100;

constexpr int FormatCodeOf(int Category, int Slot)
{
    return Category * FormatCodesPerCategory + Slot;
}
constexpr int CategoryOfFormatCode(int Code) { return Code / FormatCodesPerCategory; }
constexpr int SlotOfFormatCode(int Code) { return Code % FormatCodesPerCategory; }
// True when Code names a slot of the table (category 0..50, slot 0..50).
bool IsFormatCode(int Code);

// ---- the built-in category ----
inline constexpr int AudioCategory = 0;
inline constexpr std::string_view AudioCategoryName = "General Audio formates";
inline constexpr std::array<std::string_view, 10> AudioProfileNames = {
    "MP3 MPEG Layer-3 Audio (*.mp3)",   "AAC Advenced Audio Codec (*.aac)",
    "M4A MPEG-4 Audio (*.m4a)",         "WMA - Windows Meida Audio (*.wma)",
    "WAV - Waveform Audio (*.wav)",     "OGG Vorbis Audio Codec (*.ogg)",
    "AC-3 Audio Codec (*.ac3)",         "FLAC Free Lossless Audio Codec (*.flac)",
    "Opus Audio Codec (*.opus)",        "ALAC Apple Lossless Audio (*.m4a)",
};

// ---- catalogue sections and keys ----
inline constexpr std::string_view SectionCategories = "Categories";
inline constexpr std::string_view KeyProfileName = "Name";
inline constexpr std::string_view KeyFormat = "Format";
inline constexpr std::string_view KeyFileExt = "FileExt";
inline constexpr std::string_view FormatDefault = "null";
inline constexpr std::string_view FileExtDefault = "mp4";
// Lists of offered values: comma-separated items, "null" when the parameter does not apply.
inline constexpr std::string_view KeyListVideoSize = "VideoSize";
inline constexpr std::string_view KeyListVideoBitRate = "VideoBitRate";
inline constexpr std::string_view KeyListFrameRate = "FrameRate";
inline constexpr std::string_view KeyListVideoEncoder = "VideoEncoder";
inline constexpr std::string_view KeyListAudioBitRate = "AudioBitRate";
inline constexpr std::string_view KeyListSampleRate = "SampleRate";
inline constexpr std::string_view KeyListAudioEncoder = "AudioEncoder";
inline constexpr std::string_view KeyListChannel = "Channel";
inline constexpr std::string_view KeyListVolume = "Volume";
inline constexpr std::string_view ListNotApplicable = "null";

// A list key and the key of its default choice's index (the same "iXxx" names the settings file
// uses for the user's choice), in the order of the parameters.
struct TCatalogueListKey {
    std::string_view List;
    std::string_view Index;
};
inline constexpr TCatalogueListKey CatalogueListKeys[] = {
    {KeyListVideoSize, KeyIVideoSize},       {KeyListVideoBitRate, KeyIVideoBitRate},
    {KeyListFrameRate, KeyIFrameRate},       {KeyListVideoEncoder, KeyIVideoEncoder},
    {KeyListSampleRate, KeyISampleRate},     {KeyListAudioBitRate, KeyIAudioBitRate},
    {KeyListChannel, KeyIChannel},           {KeyListVolume, KeyIVolume},
    {KeyListAudioEncoder, KeyIAudioEncoder},
};

// ---- the name table and the categories ----

// 51 x 51 entry names by category and slot; an empty name is an empty slot.
class TFormatNameTable {
public:
    void Clear();
    // "" outside the table.
    const std::string& Name(int Category, int Slot) const;
    // Ignored outside the table.
    void SetName(int Category, int Slot, std::string Name);

private:
    std::array<std::array<std::string, FormatSlotCount>, FormatCategoryCount> FNames;
};

enum class TCategoryIcon {
    Audio, // the audio category's own icon
    Video, // the generic video icon of declared categories
};

struct TFormatCategory {
    int Number = 0;
    std::string Name;
    TCategoryIcon Icon = TCategoryIcon::Audio;
};

// What the pickers show: the categories in picker order (category 0 first, then the declared
// ones by number) and the names of their entries.
struct TFormatCatalogue {
    std::vector<TFormatCategory> Categories;
    TFormatNameTable Names;
};

// Category 0 with its built-in entries, without any declared category.
TFormatCatalogue BuiltInFormatCatalogue();
// The built-in category plus the categories the catalogue file declares. A missing file gives
// the built-in content.
TFormatCatalogue ReadFormatCatalogue(const TIniFile& Catalogue);

struct TFormatProfile {
    int Code = 0;
    std::string Name;
};
// Every profile of the catalogue in picker order: categories in order, slots ascending.
std::vector<TFormatProfile> ListFormatProfiles(const TFormatCatalogue& Catalogue);
// The entry name of Code, or "" when the slot is empty.
const std::string& FormatProfileName(const TFormatCatalogue& Catalogue, int Code);

// ---- a profile's data in the catalogue ----

// "Format" (default "null") and "FileExt" (default "mp4") of the profile.
std::string CatalogueFormat(const TIniFile& Catalogue, int Code);
std::string CatalogueFileExt(const TIniFile& Catalogue, int Code);

// A list value split at commas, the items exactly as written: "a,b," gives "a", "b", "".
std::vector<std::string> SplitCatalogueList(std::string_view Value);
// The offered values of a list key, or nothing when the key is missing or "null".
std::optional<std::vector<std::string>> CatalogueList(const TIniFile& Catalogue, int Code,
                                                      std::string_view ListKey);
// The catalogue's default choice of a list ("iXxx", default 0) as an item index.
int CatalogueDefaultIndex(const TIniFile& Catalogue, int Code, std::string_view IndexKey);
// The item of the default choice, or nothing when the list is missing or the index is outside.
std::optional<std::string> CatalogueDefaultItem(const TIniFile& Catalogue, int Code,
                                                const TCatalogueListKey& Key);

// ---- the stored choice ----

struct TStoredFormat {
    std::string Name; // "FormatName", default FormatNameDefault (the default code's profile)
    int Code = FormatCodeDefault; // "FormatCode" read as an integer
};
TStoredFormat ReadStoredFormat(const TIniFile& Settings);
// Writes "FormatName" and "FormatCode" (decimal); false when a write fails.
bool StoreFormatChoice(TIniFile& Settings, std::string_view Name, int Code);

// ---- the hidden audio format combo of the main window ----

inline constexpr std::array<std::string_view, 6> AudioFormatComboItems = {
    "WAV - Waveform Audio (*.wav)",   "WMA - Windows Meida Audio (*.wma)",
    "M4A MPEG-4 Audio (*.m4a)",       "MP3 MPEG Layer-3 Audio (*.mp3)",
    "AAC Advenced Audio Codec (*.aac)", "OGG Vorbis Audio Codec (*.ogg)",
};
// The combo's drop-down row count: its item count, at most 20.
int AudioFormatComboDropDownCount();
// "OutPutFormat": the combo's item index, read at show and written on every change.
int ReadOutputFormatIndex(const TIniFile& Settings);
bool StoreOutputFormatIndex(TIniFile& Settings, int Index);

}  // namespace zelta
