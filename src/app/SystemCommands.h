// The after-completion commands of a batch: opening the output folder in the desktop's file
// manager and switching the computer off.
//
// Both start another program and return at once; neither waits for it nor reports what it did
// (a refused power-off is the system's business). Main thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// Names the command that switches the computer off, as words; when set and not empty it replaces
// the default "systemctl poweroff" (tests and unusual systems point it elsewhere).
inline constexpr std::string_view ShutdownCommandVariable = "ZELTA_SHUTDOWN_COMMAND";

// Splits a command text into words at blanks (space, tab, line breaks); no quoting, no shell.
std::vector<std::string> SplitCommandWords(std::string_view Text);

// The power-off command: the words of $ZELTA_SHUTDOWN_COMMAND when it has any, else
// {"systemctl", "poweroff"}. The overload takes the variable's value (null = unset).
std::vector<std::string> ShutDownCommand();
std::vector<std::string> ShutDownCommand(const char* Variable);

// Starts the power-off command detached, without a shell. Failures are not reported; the result
// only says whether the program could be started.
bool ShutDownComputer();

// Asks the desktop to show Folder (its file manager). False when the desktop refused.
bool OpenFolder(const std::string& Folder);

// Raises the process's soft limit of open files to its hard limit, so a batch that runs several
// files at once never meets the usual 1,024. Returns the soft limit in force afterwards.
long RaiseOpenFileLimit();

}  // namespace zelta
