#include "app/StartupLanguage.h"

#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "app/SettingsKeys.h"
#include "app/Translation.h"

#include <cstdlib>
#include <exception>

namespace zelta {

std::string StartupLanguage(const TIniFile& Settings) {
    return InterfaceLanguage(ReadSettingText(Settings, KeyLanguage),
                             [](const char* Name) { return std::getenv(Name); });
}

std::string LoadStartupLanguage() {
    std::string language;
    try {
        language = StartupLanguage(TIniFile(SettingsFilePath(), TDamagedFile::StartOver));
    } catch (const std::exception&) {
        language = InterfaceLanguage(std::string(SystemLanguage),
                                     [](const char* Name) { return std::getenv(Name); });
    }
    if (!LoadTranslations(language))
        LoadTranslations("en");
    return LoadedLanguage();
}

} // namespace zelta
