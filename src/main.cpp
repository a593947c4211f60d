// Program entry: splash, main window (with the files named on the command line), message loop.
#include "app/AppPaths.h"
#include "app/GlobalObject.h"
#include "app/QtDispatcher.h"
#include "app/StartupLanguage.h"
#include "app/SystemCommands.h"
#include "app/Translation.h"
#include "ui/FrmCover.h"
#include "ui/FrmMain.h"
#include "ui/ZeltaApplication.h"

#include <csignal>

#include <QFileInfo>
#include <QIcon>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using zelta::TrText;

namespace {

std::string HelpText() {
    //: zelta --help; keep the option names and the alignment
    return TrText(
        "Main", "Usage: zelta [QT-OPTION]... [FILE]...\n"
                "Opens the converter window; each FILE is added to the list of files to convert.\n"
                "\n"
                "  --help     print this text and exit\n"
                "  --version  print the version and exit\n"
                "  --         end of the options: every later argument is a file\n"
                "\n"
                "Qt's own options (such as -platform NAME or -style NAME) are accepted as well.\n"
                "Settings are kept in zeltavideoaudioconverter.ini (in $ZELTA_HOME when set).\n");
}

// --help and --version work without a display, so they are answered before Qt starts.
bool AnswerInformationOption(int argc, char** argv, int& ExitCode) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(HelpText().c_str(), stdout);
            ExitCode = 0;
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("zelta %d.%d.%d.%d\n", ZELTA_VERSION_MAJOR, ZELTA_VERSION_MINOR,
                        ZELTA_VERSION_PATCH, ZELTA_VERSION_TWEAK);
            ExitCode = 0;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // A file size limit reached while writing must fail the write (EFBIG, reported like a full
    // disk), not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The interface language (preference, else the desktop's), for every text from here on.
    zelta::LoadStartupLanguage();
    if (int code = 0; AnswerInformationOption(argc, argv, code))
        return code;
    if (!TZeltaApplication::DisplayAvailable()) {
        std::fprintf(stderr, "zelta: %s",
                     TrText("Main",
                            "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                            "Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen "
                            "to run without a screen.\n")
                         .c_str());
        return 1;
    }
    zelta::RaiseOpenFileLimit();
    TZeltaApplication app(argc, argv);
    zelta::InstallTranslations();
    // Qt takes the user's locale for everything; numbers in media texts, option values and the
    // libraries' own parsing must keep "." as the decimal separator.
    std::setlocale(LC_NUMERIC, "C");
    zelta::TQtMainThreadDispatcher dispatcher;
    // The desktop entry's name ties the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zelta")));

    TfrmCover cover(QString::fromStdString(zelta::FindDataFile("skin/videoaudiocover.jpg")));
    cover.show();
    cover.repaint();
    QApplication::processEvents();

    QApplication::setApplicationDisplayName(
        QString::fromLatin1(zelta::StartupApplicationTitle.data(),
                            int(zelta::StartupApplicationTitle.size())));
    TfrmMain main;
    cover.SetMainWindow(&main);
    main.show();
    // "zelta FILE...": the named files are added as if chosen in the add dialog (Qt has taken
    // its own options out of the arguments already).
    std::vector<std::string> files;
    const QStringList arguments = QCoreApplication::arguments();
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!optionsEnded && arguments[i] == QLatin1String("--")) {
            optionsEnded = true; // so that a file may be called "--help"
            continue;
        }
        files.push_back(QFileInfo(arguments[i]).absoluteFilePath().toStdString());
    }
    if (!files.empty())
        main.AddChosenFiles(files);
    return app.exec();
}
