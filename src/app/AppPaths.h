// Where the program finds its files.
//
//  - The settings file "zeltavideoaudioconverter.ini" lives in the folder named by ZELTA_HOME when
//    that variable is set and not empty; otherwise beside the program when the program's folder is
//    writable and the program is not an installed copy; otherwise in $XDG_CONFIG_HOME/zelta/ (an
//    unset, empty or relative XDG_CONFIG_HOME means ~/.config). An installed program never writes
//    beside itself, even when run as root: the package owns that folder.
//  - The installed data folder is found relative to the program first (bin/../share/zelta for the
//    default layout), so a copy staged with DESTDIR or moved to another prefix finds its own data;
//    otherwise it is the folder compiled in.
//  - The catalogue "zeltaaudioformat.ini", the "skin/" pictures and the "LibAV" folder are looked
//    up in ZELTA_HOME (when set), then beside the program, then in the installed data folder; the
//    first that exists wins. When none exists the path beside the program is returned, so
//    messages name the expected place.
//
// Every function has an overload taking a TPathContext so that tests can use any folders; the
// overloads without it read the real process values each time they are called (nothing cached).
// All paths use "/"; folders returned by ProgramFolder and HomeFolder-based defaults are absolute.
// Safe to call from any thread (they only read the environment and the file system).
#pragma once

#include <string>
#include <string_view>

namespace zelta {

inline constexpr std::string_view SettingsFileName = "zeltavideoaudioconverter.ini";
inline constexpr std::string_view CatalogueFileName = "zeltaaudioformat.ini";
inline constexpr std::string_view LibAVFolderName = "LibAV";

// The values the paths are made of. Empty strings stand for unset variables.
struct TPathContext {
    std::string ProgramFolder;  // folder of the executable, with a trailing "/"
    std::string ZeltaHome;      // $ZELTA_HOME
    std::string XdgConfigHome;  // $XDG_CONFIG_HOME
    std::string Home;           // the home folder (see HomeFolder)
    std::string DataFolder;     // the installed data folder
    bool InstalledProgram = false; // the program runs from an installed tree (see above)
};

// The context of this process: /proc/self/exe, the environment and the compiled-in data folder.
TPathContext CurrentPathContext();

// The installed data folder seen from ProgramFolder (RelativeDataFolder is the path from the
// installed program folder to it, such as "../share/zelta"), when that folder exists; else "".
std::string InstalledDataFolderFor(std::string_view ProgramFolder,
                                   std::string_view RelativeDataFolder);

// Folder of the running executable with a trailing "/". Falls back to the current folder when
// /proc/self/exe cannot be read.
std::string ProgramFolder();

// $HOME when set and not empty, else the password database's home folder of the user, else "/".
// No trailing "/" (except for "/" itself). The overload takes the value of $HOME.
std::string HomeFolder();
std::string HomeFolder(std::string_view HomeVariable);

// Full path of the settings file (see the rules above).
std::string SettingsFilePath();
std::string SettingsFilePath(const TPathContext& Context);

// First existing of ZELTA_HOME/Relative, ProgramFolder/Relative, DataFolder/Relative; the one
// beside the program when none exists. Relative uses "/" ("skin/lvBack.bmp").
std::string FindDataFile(std::string_view Relative);
std::string FindDataFile(std::string_view Relative, const TPathContext& Context);

// The profile catalogue file, found by FindDataFile.
std::string CatalogueFilePath();
std::string CatalogueFilePath(const TPathContext& Context);

// The folder of the media libraries, found by FindDataFile; no trailing "/".
std::string LibAVFolder();
std::string LibAVFolder(const TPathContext& Context);

// Folder + "/" + Name, without doubling a "/" that Folder already ends with.
std::string JoinPath(std::string_view Folder, std::string_view Name);

}  // namespace zelta
