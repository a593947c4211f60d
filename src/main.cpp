// Program entry: splash, main window (with the files named on the command line), message loop.
#include "app/GlobalObject.h"
#include "app/AppPaths.h"
#include "app/QtDispatcher.h"
#include "app/SystemCommands.h"
#include "ui/FrmCover.h"
#include "ui/FrmMain.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (!TZeltaApplication::DisplayAvailable()) {
        std::fprintf(stderr,
                     "zelta: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run "
                     "without a screen.\n");
        return 1;
    }
    zelta::RaiseOpenFileLimit();
    TZeltaApplication app(argc, argv);
    // Qt takes the user's locale for everything; numbers in media texts, option values and the
    // libraries' own parsing must keep "." as the decimal separator.
    std::setlocale(LC_NUMERIC, "C");
    zelta::TQtMainThreadDispatcher dispatcher;

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
    for (qsizetype i = 1; i < arguments.size(); ++i)
        files.push_back(QFileInfo(arguments[i]).absoluteFilePath().toStdString());
    if (!files.empty())
        main.AddChosenFiles(files);
    return app.exec();
}
