#include "app/MainFormLogic.h"

#include "app/AppPaths.h"
#include "app/ColorScheme.h"
#include "app/SettingsKeys.h"
#include "engine/FFmpegLoader.h"

namespace zelta {

TGlobalObject& MainFormCreateGlobals() {
    TGlobalObject& g = CreateGlobalObject();
    InitialiseGlobalObject(g);
    return g;
}

int StoredThemeIndex(const TIniFile& Settings) {
    return Settings.ReadInteger(SectionSettings, KeySkinIndex, 0);
}

int ThemeMenuIndex(const TIniFile& Settings, bool DesktopPrefersDark) {
    if (!Settings.ValueExists(SectionSettings, KeySkinIndex))
        return DesktopPrefersDark ? FollowSystemTheme : 0;
    const int stored = StoredThemeIndex(Settings);
    return stored >= 0 && stored <= FollowSystemTheme ? stored : -1;
}

bool LoadPreviewLibraries(std::string& Error) {
    TFFmpegLoader& loader = FFLoader();
    if (loader.LibsLoaded(PlayerLibraries))
        return true;
    loader.SetLibraryPath(LibAVFolder());
    if (loader.LoadLibs(PlayerLibraries))
        return true;
    Error = loader.LastError();
    return false;
}

TMainFormShowSettings ReadMainFormShowSettings(const TIniFile& Settings) {
    TMainFormShowSettings s;
    s.OutputFormat = Settings.ReadInteger(SectionSettings, KeyOutPutFormat, 0);
    s.OutputFolder = Settings.ReadString(SectionSettings, KeyOutPutDir, DefaultOutputFolder());
    const int volume = Settings.ReadInteger(SectionSettings, KeyVolume, VolumeDefault);
    s.Volume = (volume >= 0 && volume <= VolumeMax) ? volume : VolumeOutOfRangeShown;
    const int mute = Settings.ReadInteger(SectionSettings, KeyMute, 0);
    s.MuteState = (mute == 0 || mute == 1) ? mute : -1;
    return s;
}

std::string MainCaption(const TGlobalObject& Globals) {
    return Globals.ProductName() + Globals.VersionText();
}

}  // namespace zelta
