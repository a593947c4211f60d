#include "app/PreferenceLogic.h"

#include "app/FolderChooserLogic.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"

#include <algorithm>

namespace zelta {

namespace {

bool StoredOne(const TIniFile& Settings, std::string_view Key) {
    return Settings.ReadInteger(SectionSettings, Key, 1) == 1;
}

}  // namespace

int StoredSimultaneous(const TIniFile& Settings) {
    const int stored = Settings.ReadInteger(SectionSettings, KeySimultaneous, SimultaneousAuto);
    for (const int choice : SimultaneousChoices)
        if (stored == choice)
            return stored;
    return SimultaneousAuto;
}

TPreferenceShowValues ReadPreferenceSettings(const TIniFile& Settings) {
    TPreferenceShowValues s;
    s.SnapFolder = Settings.ReadString(SectionSettings, KeySnapOutPutDir, DefaultOutputFolder());
    s.CheckFullSize = StoredOne(Settings, KeySnapFullSize);
    s.CheckSmallSize = StoredOne(Settings, KeySnapSmallSize);
    s.CheckBmp = StoredOne(Settings, KeySnapBmp);
    s.CheckJpg = StoredOne(Settings, KeySnapJpg);
    s.QualityEnabled = s.CheckJpg;
    s.Quality = std::clamp(Settings.ReadInteger(SectionSettings, KeyJpgCmp, 30), JpegQualityMin,
                           JpegQualityMax);
    s.Priority = std::clamp(Settings.ReadInteger(SectionSettings, KeyPriorityOnShow, PriorityNormal),
                            -1, PriorityItemCount - 1);
    s.Simultaneous = StoredSimultaneous(Settings);
    s.KeepTags = ReadSettingInteger(Settings, KeyKeepTags) != 0;
    s.ReplayGain = ReadSettingInteger(Settings, KeyReplayGain) != 0;
    s.NotifyBatchEnd = ReadSettingInteger(Settings, KeyNotifyBatchEnd) != 0;
    s.Language = ReadSettingText(Settings, KeyLanguage);
    const auto& shipped = ShippedLanguages();
    if (std::none_of(shipped.begin(), shipped.end(),
                     [&s](const TLanguage& L) { return L.Code == s.Language; }))
        s.Language = std::string(LanguageDefault);
    return s;
}

TPreferenceValues ApplyShowValues(const TPreferenceShowValues& Show, TPreferenceValues Current) {
    Current.SnapFolder = Show.SnapFolder;
    // The stored state, not the one the boxes were left in: after Default and Cancel the dialog
    // must show what is stored.
    Current.FullSize = Show.CheckFullSize;
    Current.SmallSize = Show.CheckSmallSize;
    Current.Bmp = Show.CheckBmp;
    Current.Jpg = Show.CheckJpg;
    Current.Quality = Show.Quality;
    Current.Priority = Show.Priority;
    Current.Simultaneous = Show.Simultaneous;
    Current.KeepTags = Show.KeepTags;
    Current.ReplayGain = Show.ReplayGain;
    Current.NotifyBatchEnd = Show.NotifyBatchEnd;
    Current.Language = Show.Language;
    return Current;
}

TPreferenceValues DefaultPreferenceValues() {
    TPreferenceValues v;
    v.SnapFolder = DefaultOutputFolder();
    v.Bmp = true;
    v.Jpg = false;
    v.FullSize = true;
    v.SmallSize = false;
    v.Priority = PriorityNormal;
    v.Quality = JpegQualityDefaultButton;
    return v;
}

bool WritePreferenceSettings(TIniFile& Settings, const TPreferenceValues& Values) {
    const std::string folder = Values.SnapFolder.empty() ? DefaultOutputFolder() : Values.SnapFolder;
    if (!Settings.WriteString(SectionSettings, KeySnapOutPutDirOnOk, folder) ||
        !Settings.WriteBool(SectionSettings, KeySnapBmp, Values.Bmp) ||
        !Settings.WriteBool(SectionSettings, KeySnapJpg, Values.Jpg) ||
        !Settings.WriteBool(SectionSettings, KeySnapFullSize, Values.FullSize) ||
        !Settings.WriteBool(SectionSettings, KeySnapSmallSize, Values.SmallSize))
        return false;
    if (Values.Quality > 0 && !Settings.WriteInteger(SectionSettings, KeyJpgCmp, Values.Quality))
        return false;
    return Settings.WriteInteger(SectionSettings, KeyPriority, Values.Priority) &&
           Settings.WriteInteger(SectionSettings, KeySimultaneous, Values.Simultaneous) &&
           Settings.WriteBool(SectionSettings, KeyKeepTags, Values.KeepTags) &&
           Settings.WriteBool(SectionSettings, KeyReplayGain, Values.ReplayGain) &&
           Settings.WriteBool(SectionSettings, KeyNotifyBatchEnd, Values.NotifyBatchEnd) &&
           Settings.WriteString(SectionSettings, KeyLanguage, Values.Language);
}

bool KeepOneOfPair(bool ClickedNow, bool Partner) {
    return ClickedNow || !Partner;
}

bool IsJpegQuality(int Value) {
    return Value >= JpegQualityMin && Value <= JpegQualityMax;
}

bool StoreBrowsedSnapFolder(TIniFile& Settings, const std::string& Chosen,
                            const std::string& Shown) {
    return StoreChosenFolder(Settings, KeySnapOutPutDir, Chosen, Shown);
}

std::string SnapFolderToOpen(const TIniFile& Settings, const std::string& BoxText) {
    return FolderToOpen(Settings, KeySnapOutPutDir, BoxText);
}

}  // namespace zelta
