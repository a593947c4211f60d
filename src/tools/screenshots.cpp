// Renders every window in each of the seven colour themes to PNG files, to look at layouts
// without a desktop: "<output folder>/<window>-<theme>.png".
//
// Usage: zelta-screenshots [output folder]  (default: "screenshots" in the current folder)
// Runs under the offscreen platform unless QT_QPA_PLATFORM names another; the settings file goes
// to a temporary folder (ZELTA_HOME), so no real settings are read or written. The file
// information dialog shows a generated test file when the build has the test media builder.
#include "app/AppPaths.h"
#include "ui/DialogServices.h"
#include "ui/FmDirectory.h"
#include "ui/FrmAbout.h"
#include "ui/FrmCover.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmMain.h"
#include "ui/FrmPreference.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#ifdef ZELTA_SCREENSHOTS_FIXTURES
#include "fixtures/Fixtures.h"
#endif

#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <exception>

namespace {

// Lets queued work (layouts, the folder tree's background listing) finish.
void Settle(int Milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString ThemeFileName(int Theme) {
    return QString::fromLatin1(ThemeColors(Theme).Name).toLower().replace(' ', '-');
}

bool Save(QWidget& Window, const QString& Folder, const QString& Name, int Theme) {
    Window.show();
    Settle(50);
    const QString file = QDir(Folder).filePath(Name + "-" + ThemeFileName(Theme) + ".png");
    const bool ok = Window.grab().save(file, "PNG");
    Window.hide();
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "cannot write",
                 file.toLocal8Bit().constData());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "zelta-screenshots: cannot make a temporary folder\n");
        return 1;
    }
    qputenv("ZELTA_HOME", home.path().toUtf8());
    TZeltaApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "zelta-screenshots: cannot create %s\n", out.toLocal8Bit().constData());
        return 1;
    }

    std::string media;
#ifdef ZELTA_SCREENSHOTS_FIXTURES
    try {
        media = fixtures::Fixtures().Mp4H264Aac;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "zelta-screenshots: no test media: %s\n", E.what());
    }
#endif

    const TDialogServices& services = TDialogServices::Default();
    TfrmMain main(services); // creates the global object and loads the media libraries
    TfrmCover cover(QString::fromStdString(zelta::FindDataFile("skin/videoaudiocover.jpg")));
    TfrmPreference preference([&]() -> TfmDirectory& { return main.FolderChooser(); }, services,
                              &main);
    TfrmFileInfo fileInfo(&main);
    fileInfo.SetSourceFile(media);
    TfrmAbout about(services, &main);
    TfmDirectory& chooser = main.FolderChooser();

    main.show();
    chooser.show();
    Settle(500); // the first listing of the folder tree
    chooser.hide();

    bool ok = true;
    for (int theme = 0; theme < ThemeCount; ++theme) {
        ApplyTheme(theme);
        ok = Save(main, out, "main", theme) && ok;
        ok = Save(cover, out, "splash", theme) && ok;
        ok = Save(preference, out, "preference", theme) && ok;
        ok = Save(fileInfo, out, "fileinfo", theme) && ok;
        ok = Save(chooser, out, "directory", theme) && ok;
        ok = Save(about, out, "about", theme) && ok;
    }
    main.close();
    return ok ? 0 : 1;
}
