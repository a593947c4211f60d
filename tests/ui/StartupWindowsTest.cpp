// The splash, the main window's creation/showing/closing against real settings files, and the
// exception handler, under the offscreen platform.
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "engine/FFTypes.h"
#include "ui/AppExceptionHandler.h"
#include "RecordingServices.h"
#include "ui/FrmCover.h"
#include "ui/FrmMain.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <stdexcept>

using namespace zelta;

namespace {

QString ReadAll(const QString& Path) {
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

void WriteAll(const QString& Path, const QByteArray& Data) {
    QFile f(Path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(Data);
}

// An object whose event handler throws, to see the exception reach the application's handler.
class TThrower : public QObject {
public:
    bool event(QEvent* E) override {
        if (E->type() == QEvent::User)
            throw FFmpegException("Refused by the engine");
        return QObject::event(E);
    }
};

} // namespace

class TStartupWindowsTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }

private slots:
    void init() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
    }

    void mainWindowWithoutSettingsFile() {
        TfrmMain w;
        QVERIFY(GlobalObject() != nullptr);
        QCOMPARE(QString::fromStdString(GlobalObject()->SettingsFile()), SettingsPath());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(760, 512));
        QCOMPARE(w.windowTitle(), QString::fromStdString(std::string(ProductNameText) +
                                                         TGlobalObject::GetFileVersionText()));
        QCOMPARE(w.edtOutputDir->text(), QDir::homePath() + "/videoconverter");
        QCOMPARE(w.tbVolume->maximum(), 128);
        QCOMPARE(w.tbVolume->value(), 128); // a first start plays at full volume
        // The desktop adds the display name to titles that do not end with it: not here.
        QVERIFY(w.windowTitle().endsWith(QGuiApplication::applicationDisplayName()));
        QVERIFY(!w.chkMute->isChecked());
        QCOMPARE(CurrentTheme(), 0);
        // The libraries are linked and of the right version: nothing lands in the log.
        QCOMPARE(w.mmoLog->toPlainText(), QString());
        QVERIFY(w.close());
        QVERIFY(GlobalObject() == nullptr);
        // Showing and closing wrote nothing.
        QVERIFY(!QFile::exists(SettingsPath()));
    }

    void mainWindowReadsStoredSettings() {
        const QByteArray stored = "; user file\r\n[Settings]\r\nSKININDEX=9\r\nvolume=200\r\n"
                                  "Mute=1\r\noutputdir=/tmp/x\r\nOutPutDir=/srv/media out\r\n";
        WriteAll(SettingsPath(), stored);
        TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(CurrentTheme(), DesignTimeTheme); // 9 keeps the design-time theme
        QCOMPARE(w.tbVolume->value(), 64);         // out of range is shown as 64 ...
        QVERIFY(w.chkMute->isChecked());
        QCOMPARE(w.edtOutputDir->text(), QStringLiteral("/tmp/x")); // first match wins
        w.close();
        QCOMPARE(ReadAll(SettingsPath()), QString::fromUtf8(stored)); // ... and not rewritten
    }

    void mainWindowNamesADamagedSettingsFileAndKeepsItUntilASettingChanges() {
        const QByteArray damaged("[settings]\nvolume=20\nmute=1\n\0\x01\x02 junk", 36);
        WriteAll(SettingsPath(), damaged);
        TRecordingServices services;
        {
            TfrmMain w(services);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTRY_COMPARE(services.Messages.size(), 1);
            QVERIFY2(services.Messages[0].contains(SettingsPath() + " cannot be used"),
                     qPrintable(services.Messages[0]));
            QVERIFY(w.mmoLog->toPlainText().contains(SettingsPath()));
            QCOMPARE(w.tbVolume->value(), 128); // the defaults, not the damaged file's 20
            QVERIFY(!w.chkMute->isChecked());
            w.close();
        }
        QCOMPARE(ReadAll(SettingsPath()).toUtf8(), damaged);
        QVERIFY(!QFile::exists(SettingsPath() + ".damaged"));

        TfrmMain w(services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.chkMute->click(); // the user's first change
        QCOMPARE(TIniFile(SettingsPath().toStdString()).ReadInteger("settings", "mute", 0), 1);
        QCOMPARE(TIniFile(SettingsPath().toStdString()).ReadInteger("settings", "volume", -1), -1);
        QFile copy(SettingsPath() + ".damaged");
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), damaged);
        w.close();
    }

    void mainWindowAppliesStoredTheme() {
        WriteAll(SettingsPath(), "[settings]\nskinIndex=3\nmute=7\n");
        TfrmMain w;
        QCOMPARE(CurrentTheme(), 3);
        w.chkMute->setChecked(true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.chkMute->isChecked()); // a value other than 0/1 leaves the box alone
    }

    void splashKeepsBuiltInPictureAndClosesAfterMainShows() {
        TfrmCover cover(Home.filePath("skin/videoaudiocover.jpg")); // missing file
        QCOMPARE(cover.Picture().size(), TfrmCover::BuiltInPicture().size());
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QCOMPARE(cover.size(), cover.Picture().size());
        QWidget main;
        cover.SetMainWindow(&main);
        QTest::qWait(1200);
        QVERIFY(cover.isVisible()); // the main window is not showing yet
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(!cover.isVisible(), 2500);
    }

    void splashPictureFromSkinFolder() {
        QDir(Home.path()).mkpath("skin");
        QImage img(200, 120, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString file = Home.filePath("skin/videoaudiocover.jpg");
        QVERIFY(img.save(file, "JPG"));
        TfrmCover cover(file);
        QCOMPARE(cover.Picture().size(), QSize(200, 120));

        WriteAll(file, "not a picture");
        TfrmCover broken(file);
        QCOMPARE(broken.Picture().size(), TfrmCover::BuiltInPicture().size());
    }

    void exceptionsFromEventHandlersReachTheHandler() {
        auto* app = qobject_cast<TZeltaApplication*>(QCoreApplication::instance());
        QVERIFY(app != nullptr);
        static int calls = 0;
        calls = 0;
        app->SetExceptionHandler([] {
            ++calls;
            ShowCurrentAppException(); // offscreen: goes to standard error, never throws
        });
        TThrower t;
        QEvent e(QEvent::User);
        QCoreApplication::sendEvent(&t, &e);
        QCOMPARE(calls, 1);
        ShowAppException(std::runtime_error("direct call"));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    TStartupWindowsTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "StartupWindowsTest.moc"
