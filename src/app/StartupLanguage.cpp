#include "app/StartupLanguage.h"

#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"

#include <cstdlib>
#include <exception>

namespace zelta {

std::string LoadStartupLanguage() {
    std::string preference = SystemLanguage;
    try {
        preference = ReadSettingText(TIniFile(SettingsFilePath(), TDamagedFile::StartOver),
                                     KeyLanguage);
    } catch (const std::exception&) {
        // An unreadable settings folder: the desktop's language.
    }
    const std::string language = InterfaceLanguage(
        preference, [](const char* Name) { return std::getenv(Name); });
    if (!LoadTranslations(language))
        LoadTranslations("en");
    return LoadedLanguage();
}

} // namespace zelta
