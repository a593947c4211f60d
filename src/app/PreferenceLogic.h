// What the preferences dialog reads from and writes to the settings file, kept apart from the
// widgets so it can be tested without a display: the snapshot folder, sizes, formats and JPEG
// quality, and the work priority that Start gives the conversion thread.
//
// All functions are plain and stateless; the dialog calls them on the main thread at the moment
// of showing, of a click and of OK.
#pragma once

#include "app/IniFile.h"
#include "app/SettingsKeys.h"

#include <string>
#include <string_view>

namespace zelta {

// OK writes the snapshot folder under this spelling and Browse under KeySnapOutPutDir
// ("SnapOutPutDir"); the file compares keys without letter case, so both are the same key and
// the spelling only shows when the key is new.
inline constexpr std::string_view KeySnapOutPutDirOnOk = "snapOutPutDir";
// The spelling the dialog reads the priority with (the same key as KeyPriority).
inline constexpr std::string_view KeyPriorityOnShow = "Priority";

inline constexpr int JpegQualityMin = 1;
inline constexpr int JpegQualityMax = 100;
// Quality the Default button puts into the controls; a missing "jpgCmp" key reads as 30.
inline constexpr int JpegQualityDefaultButton = 20;
inline constexpr int PriorityItemCount = 4;  // "Idle", "Normal", "Lower", "Lowest"

// "Simultaneous conversions": how many files a Start converts at once. 0 is Auto (by the
// profile, see ConversionJobCount in BatchDriver.h); the other choices are the numbers offered.
inline constexpr std::string_view KeySimultaneous = "simultaneous";
inline constexpr int SimultaneousAuto = 0;
inline constexpr int SimultaneousChoices[] = {SimultaneousAuto, 1, 2, 3, 4, 6, 8};
// The stored choice; a missing key or a value not offered reads as Auto.
int StoredSimultaneous(const TIniFile& Settings);

// The values the dialog's controls hold.
struct TPreferenceValues {
    std::string SnapFolder;
    bool FullSize = true;
    bool SmallSize = true;
    bool Bmp = true;
    bool Jpg = true;
    int Quality = 30;    // 1..100
    int Priority = 1;    // index of the chosen radio item; -1 when none is chosen
    int Simultaneous = SimultaneousAuto; // one of SimultaneousChoices
    bool KeepTags = true;    // "KeepTags"
    bool ReplayGain = false; // "ReplayGain"
    bool NotifyBatchEnd = true; // "NotifyBatchEnd"
    std::string Language = std::string(LanguageDefault); // "Language": "System" or a code
    bool operator==(const TPreferenceValues&) const = default;
};

// What showing the dialog puts into the controls. A check box is checked exactly when its stored
// value is 1 (a missing key reads as 1); QualityEnabled follows the stored "snapJpg".
struct TPreferenceShowValues {
    std::string SnapFolder;  // "SnapOutPutDir", default DefaultOutputFolder()
    bool CheckFullSize = false;
    bool CheckSmallSize = false;
    bool CheckBmp = false;
    bool CheckJpg = false;
    bool QualityEnabled = false;
    int Quality = 30;   // "jpgCmp" (default 30), kept inside 1..100 as the controls do
    int Priority = 1;   // "Priority" (default 1), kept inside -1..3 as a radio group does
    int Simultaneous = SimultaneousAuto; // StoredSimultaneous
    bool KeepTags = true;    // "KeepTags" is not 0 (default on)
    bool ReplayGain = false; // "ReplayGain" is not 0 (default off)
    bool NotifyBatchEnd = true; // "NotifyBatchEnd" is not 0 (default on)
    std::string Language = std::string(LanguageDefault); // "Language"; "System" when not shipped
};

TPreferenceShowValues ReadPreferenceSettings(const TIniFile& Settings);

// Applies the show values to the controls' current state: every shown value is the stored one,
// whatever the controls held before (Current's other fields are kept).
TPreferenceValues ApplyShowValues(const TPreferenceShowValues& Show, TPreferenceValues Current);

// What the Default button shows, without saving anything: folder DefaultOutputFolder(), BMP on,
// JPG off, Full Size on, Small Size off, priority "Normal", quality 20, simultaneous Auto, tags
// kept, no loudness tags.
TPreferenceValues DefaultPreferenceValues();

// OK: "snapOutPutDir" (the default folder when the box is empty), the four check boxes as 1/0,
// "jpgCmp" when the quality is greater than 0, "priority" as the radio index, "simultaneous",
// "KeepTags" and "ReplayGain" as 1/0.
// Stops at the first
// failed write and returns false; the file's LastError() says why.
bool WritePreferenceSettings(TIniFile& Settings, const TPreferenceValues& Values);

// At least one of each pair (Full/Small size, BMP/JPG): the state a check box ends in after a
// click left it at ClickedNow while its partner is at Partner.
bool KeepOneOfPair(bool ClickedNow, bool Partner);

// A quality change of one control is passed to the other only when it lies in 1..100.
bool IsJpegQuality(int Value);

// Browse: when TakesChosenFolder, writes Chosen to "SnapOutPutDir" at once and returns true (the
// box then shows it). False when nothing changes or the write failed (see Settings.LastError()).
bool StoreBrowsedSnapFolder(TIniFile& Settings, const std::string& Chosen, const std::string& Shown);

// Open: the stored "SnapOutPutDir" (default DefaultOutputFolder()) when the folder box holds more
// than 2 characters, else "" (nothing to open).
std::string SnapFolderToOpen(const TIniFile& Settings, const std::string& BoxText);

}  // namespace zelta
