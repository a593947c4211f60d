#pragma once
// The language the program starts in: the "Language" preference when it names a shipped
// language, else the desktop's (app/Translation.h). A change of the preference takes effect at
// the next start.
#include <string>

namespace zelta {

// Loads the translations of the language the settings file's "Language" and the environment
// ask for; returns the language loaded ("en" when its translations could not be loaded). An
// unreadable settings file counts as "System".
std::string LoadStartupLanguage();

} // namespace zelta
