// What the main window's creation, first showing and closing do with the settings and the
// libraries, kept apart from the widgets so it can be tested without a display.
#pragma once

#include "app/GlobalObject.h"
#include "app/IniFile.h"

#include <string>

namespace zelta {

// Creation steps 1-4 and the library step: creates and fills the global object. The caller
// applies the theme (StoredThemeIndex) and installs the exception handler in between.
TGlobalObject& MainFormCreateGlobals();

// The stored "skinIndex" (default 0). Values outside 0..6 mean "keep the design-time theme".
int StoredThemeIndex(const TIniFile& Settings);

// The theme entry in force (0..6, or FollowSystemTheme): the stored "skinIndex" when it is one of
// them; on the first start (no "skinIndex" stored) FollowSystemTheme when the desktop prefers dark
// colours, else 0; -1 for any other stored value (the design-time theme stays, nothing is marked).
int ThemeMenuIndex(const TIniFile& Settings, bool DesktopPrefersDark);

// Loads the preview player's library set from LibAVFolder() unless it is loaded already. On
// failure returns false and the loader's text in Error (one line for the log memo).
bool LoadPreviewLibraries(std::string& Error);

// Values the first showing puts into the window.
struct TMainFormShowSettings {
    std::string OutputFolder; // "OutPutDir" (default: the home folder + "/videoconverter")
    int Volume = 0;           // "volume" 0..128 (128 when missing); a value outside shows as 64
    int MuteState = 0;        // "mute": 1 checked, 0 unchecked, -1 leave the check box as it is
    int OutputFormat = 0;     // "OutPutFormat": item index of the hidden audio format combo
};
TMainFormShowSettings ReadMainFormShowSettings(const TIniFile& Settings);

// ProductName followed by VersionText.
std::string MainCaption(const TGlobalObject& Globals);

}  // namespace zelta
