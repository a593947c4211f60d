#pragma once
// The interface language: which one the person gets, its translations loaded once at start, and
// texts looked up in them.
//
// Windows translate with Qt's tr(); code without a window (the application core, the command
// line) calls TrText with literal texts, which `make translations-update` collects as well. English
// is the source language: a text without a translation stays as written.
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// The language setting's value for "follow the desktop".
inline constexpr const char* SystemLanguage = "System";

struct TLanguage {
    std::string Code; // "de", "pt_BR"; the translation files' suffix
    std::string Name; // the language's own name, as the preferences list it
};

// English first, then every language a translation ships for.
const std::vector<TLanguage>& ShippedLanguages();

// The shipped language the desktop asks for: the first of LANGUAGE's list that ships, else the
// locale of LC_ALL, LC_MESSAGES or LANG (the first set); English when none ships or the locale is
// C/POSIX. GetEnv returns nullptr for an unset variable.
std::string LanguageFromEnvironment(const std::function<const char*(const char*)>& GetEnv);

// The language to load: the preference when it names a shipped language, else the desktop's.
std::string InterfaceLanguage(const std::string& Preference,
                              const std::function<const char*(const char*)>& GetEnv);

// Loads the translations of Code (ours and Qt's own) for the rest of the program and installs
// them in the application object when one exists. Called once, before any other thread starts.
// False when a shipped translation could not be loaded (the texts then stay English).
bool LoadTranslations(const std::string& Code);

// Installs what was loaded before the application object existed into it (for tr()).
void InstallTranslations();

// The loaded language's code ("en" before any load).
const std::string& LoadedLanguage();

// Source translated in Context; with N >= 0 the plural form for N, with N put in place of "%n".
// Written with literal texts, or with a variable holding a text that a QT_TRANSLATE_NOOP list
// names, so that the translation tools collect every text. Thread-safe once the translations
// are loaded.
std::string TrText(const char* Context, const char* Source, const char* Disambiguation = nullptr,
                   int N = -1);

// Pattern with %1 ... %9 replaced by Values in order (each placeholder may stand anywhere and
// more than once, so a translation can put them in its own order); any other "%" stays.
std::string FillText(std::string_view Pattern, std::initializer_list<std::string_view> Values);

} // namespace zelta
