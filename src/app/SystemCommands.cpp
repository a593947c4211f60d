#include "app/SystemCommands.h"

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdlib>

#include <sys/resource.h>

namespace zelta {

std::vector<std::string> SplitCommandWords(std::string_view Text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : Text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

std::vector<std::string> ShutDownCommand(const char* Variable)
{
    if (Variable != nullptr) {
        std::vector<std::string> words = SplitCommandWords(Variable);
        if (!words.empty())
            return words;
    }
    return {"systemctl", "poweroff"};
}

std::vector<std::string> ShutDownCommand()
{
    return ShutDownCommand(std::getenv(std::string(ShutdownCommandVariable).c_str()));
}

bool ShutDownComputer()
{
    const std::vector<std::string> words = ShutDownCommand();
    QStringList arguments;
    for (size_t i = 1; i < words.size(); ++i)
        arguments << QString::fromStdString(words[i]);
    // Detached: the program may end (or the system go down) before the command has run.
    return QProcess::startDetached(QString::fromStdString(words.front()), arguments);
}

bool OpenFolder(const std::string& Folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(Folder)));
}

long RaiseOpenFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    return limit.rlim_cur == RLIM_INFINITY ? -1 : long(limit.rlim_cur);
}

}  // namespace zelta
