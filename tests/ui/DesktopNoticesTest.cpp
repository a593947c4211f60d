// The desktop hears of a batch, against a notification service of the test's own on a private
// session bus: a batch with a failed file ends while the window is not active and the service
// is asked to show "1 of 2 files converted, 1 failed" with an action; picking the action opens
// the output folder; the dock entry showed the batch's progress and is cleared at the end; with
// notices turned off nothing is shown; without a service a batch ends as before.
#include "BatchRunSupport.h"
#include "RecordingServices.h"
#include "app/DesktopNotices.h"
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "fixtures/Fixtures.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/ZeltaApplication.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVariantMap>

#include <cstdio>
#include <memory>

using namespace zelta;

namespace {

// A private bus daemon for the whole program: the session bus of this process is it.
std::unique_ptr<QProcess> BusDaemon;

bool StartPrivateBus() {
    BusDaemon = std::make_unique<QProcess>(); // ends with the program (see main)
    BusDaemon->start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address")});
    if (!BusDaemon->waitForStarted(5000) || !BusDaemon->waitForReadyRead(5000))
        return false;
    const QByteArray address = BusDaemon->readLine().trimmed();
    if (address.isEmpty())
        return false;
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    return true;
}

}  // namespace

// The notification service and a dock, as a desktop runs them.
class TFakeDesktop : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct TNotice {
        QString Summary;
        QString Body;
        QStringList Actions;
    };
    QList<TNotice> Notices;
    QList<QVariantMap> DockUpdates;
    QDBusConnection Bus;

    TFakeDesktop()
        : Bus(QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"),
                                            QStringLiteral("fake-desktop"))) {}
    ~TFakeDesktop() override { Stop(); }

    bool Start() {
        return Bus.isConnected() &&
               Bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                  QDBusConnection::ExportAllSlots) &&
               Bus.registerService(QStringLiteral("org.freedesktop.Notifications")) &&
               Bus.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                           QStringLiteral("Update"), this, SLOT(Update(QString, QVariantMap)));
    }
    void Stop() {
        Bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        Bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    }
    // The person picks an action of the last notification.
    void Pick(const QString& Key) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
        signal << uint(Notices.size()) << Key;
        Bus.send(signal);
    }

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& Summary,
                const QString& Body, const QStringList& Actions, const QVariantMap&, int) {
        Notices.append({Summary, Body, Actions});
        return uint(Notices.size());
    }
    void Update(const QString& Uri, const QVariantMap& Properties) {
        if (Uri == QStringLiteral("application://zelta.desktop"))
            DockUpdates.append(Properties);
    }
};

class TDesktopNoticesTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString OutFolder() const { return Home.filePath("out"); }

    // Two files, the second gone before Start: a batch that ends with one failure.
    void RunBatchWithAFailure(TfrmMain& W) {
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        const QString doomed = Home.filePath("vanishing.wav");
        QFile::remove(doomed);
        QVERIFY(QFile::copy(QString::fromStdString(f.Wav), doomed));
        W.AddChosenFiles({f.Mp3, doomed.toStdString()});
        QCOMPARE(W.Files().RowCount(), 2);
        QVERIFY(QFile::remove(doomed));
        StartAndWatch(W, 120000, 50, [](TfrmProgress&) {});
        QVERIFY(QTest::qWaitFor([&] { return W.btnStart->isEnabled(); }, 60000));
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        fixtures::Fixtures();
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(Home.filePath("list.txt"));
        QDir(OutFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(OutFolder()));
        QVERIFY(WriteTwoAtOnceMp3Settings(SettingsPath(), OutFolder()));
        Services.Clear();
    }

    void batchEndIsNotifiedAndItsActionOpensTheFolder() {
        TFakeDesktop desktop;
        QVERIFY(desktop.Start());
        TfrmMain w(Services);
        w.show(); // offscreen: shown, never the active window
        RunBatchWithAFailure(w);
        QVERIFY(QTest::qWaitFor([&] { return !desktop.Notices.isEmpty(); }, 10000));
        QCOMPARE(desktop.Notices.size(), 1);
        QCOMPARE(desktop.Notices[0].Body, QStringLiteral("1 of 2 files converted, 1 failed"));
        QVERIFY(desktop.Notices[0].Actions.contains(QStringLiteral("open-folder")));

        const int opened = Services.Opened.size();
        desktop.Pick(QStringLiteral("open-folder"));
        QVERIFY(QTest::qWaitFor([&] { return Services.Opened.size() > opened; }, 10000));
        QCOMPARE(Services.Opened.last().toLocalFile(), OutFolder());

        // The dock showed the run and was cleared after it.
        QVERIFY(QTest::qWaitFor([&] { return !desktop.DockUpdates.isEmpty(); }, 5000));
        QVERIFY(desktop.DockUpdates.first().value("progress-visible").toBool());
        QVERIFY(!desktop.DockUpdates.last().value("progress-visible").toBool());
        w.close();
    }

    void noticesCanBeTurnedOffAndAreNotNeeded() {
        {
            TIniFile settings(SettingsPath().toStdString());
            QVERIFY(settings.WriteBool("settings", "NotifyBatchEnd", false));
        }
        TFakeDesktop desktop;
        QVERIFY(desktop.Start());
        {
            TfrmMain w(Services);
            w.show();
            RunBatchWithAFailure(w);
            QTest::qWait(300);
            QVERIFY(desktop.Notices.isEmpty());
            w.close();
        }
        // No service at all: the batch ends as before.
        desktop.Stop();
        QFile::remove(SettingsPath());
        QFile::remove(Home.filePath("list.txt"));
        QVERIFY(WriteTwoAtOnceMp3Settings(SettingsPath(), OutFolder()));
        TfrmMain w(Services);
        w.show();
        RunBatchWithAFailure(w);
        QTest::qWait(300);
        QVERIFY(desktop.Notices.isEmpty());
        QVERIFY(w.btnStart->isEnabled());
    }

    void textsCountWhatHappened() {
        QCOMPARE(BatchEndText({20, 20, 0, 0, false}), QStringLiteral("20 files converted"));
        QCOMPARE(BatchEndText({1, 1, 0, 0, false}), QStringLiteral("1 file converted"));
        QCOMPARE(BatchEndText({20, 18, 2, 0, false}),
                 QStringLiteral("18 of 20 files converted, 2 failed"));
        QCOMPARE(BatchEndText({20, 5, 0, 0, true}),
                 QStringLiteral("Conversion stopped: 5 of 20 files converted"));
        QCOMPARE(BatchEndText({10, 7, 0, 3, false}),
                 QStringLiteral("7 of 10 files converted, 3 skipped"));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    if (!StartPrivateBus()) {
        std::fprintf(stderr, "dbus-daemon could not be started\n");
        return 1;
    }
    TDesktopNoticesTest t;
    const int result = QTest::qExec(&t, argc, argv);
    BusDaemon->kill();
    BusDaemon->waitForFinished(5000);
    BusDaemon.reset();
    return result;
}

#include "DesktopNoticesTest.moc"
