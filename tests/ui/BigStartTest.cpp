// Start on a long list through the real main window: the progress window comes up before the
// tasks of every row exist (the rest are made while the first files convert), every file still
// converts, a row that can no longer be opened ends as a named failure, and Cancel while rows
// are still being made starts nothing more and runs no after-completion action.
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "fixtures/Fixtures.h"
#include "BatchRunSupport.h"
#include "RecordingServices.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace zelta;

namespace {

constexpr int RowCount = 60;

// Sees the progress window come up: how many tasks existed at that moment.
class TShowWatcher : public QObject {
public:
    explicit TShowWatcher(TfrmMain& W) : W_(W) { qApp->installEventFilter(this); }
    ~TShowWatcher() override { qApp->removeEventFilter(this); }
    int TasksAtShow = -1;

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override {
        if (Event->type() == QEvent::Show && TasksAtShow < 0 && W_.ProgressWindow() != nullptr &&
            Object == W_.ProgressWindow())
            TasksAtShow = W_.Driver().TasksBuilt();
        return false;
    }

private:
    TfrmMain& W_;
};

} // namespace

class TBigStartTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;
    std::vector<std::string> Paths;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString OutFolder() const { return Home.filePath("out"); }
    QString ShutDownMarker() const { return Home.filePath("shut-down"); }

    int OutputCount() const {
        return int(QDir(OutFolder()).entryList({QStringLiteral("*.mp3")}, QDir::Files).size());
    }

    // Runs Start while Look is called every few milliseconds with the visible progress window;
    // a run that hangs fails.
    static void StartLooking(TfrmMain& W, const std::function<void(TfrmProgress&)>& Look) {
        StartAndWatch(W, 120000, 1, Look);
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        qputenv("ZELTA_SHUTDOWN_COMMAND", ("touch " + ShutDownMarker()).toUtf8());
        const std::string wav = fixtures::Fixtures().Wav;
        const QString folder = Home.filePath("many");
        QVERIFY(QDir().mkpath(folder));
        for (int i = 0; i < RowCount; ++i) {
            const std::string path = (folder + QStringLiteral("/tone%1.wav").arg(i)).toStdString();
            std::error_code ec;
            std::filesystem::create_hard_link(wav, path, ec);
            if (ec)
                std::filesystem::copy_file(wav, path);
            Paths.push_back(path);
        }
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        QFile::remove(ShutDownMarker());
        QDir(OutFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(OutFolder()));
        QVERIFY(WriteTwoAtOnceMp3Settings(SettingsPath(), OutFolder()));
        Services.Clear();
    }

    void progressWindowComesFirstAndEveryFileConverts() {
        // One row stops being media after it was added: found while the run goes on.
        const int broken = 40;
        const std::string brokenPath = Home.filePath("many/broken.wav").toStdString();
        std::filesystem::copy_file(Paths[0], brokenPath,
                                   std::filesystem::copy_options::overwrite_existing);
        std::vector<std::string> paths = Paths;
        paths[broken] = brokenPath;
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles(paths);
        QCOMPARE(w.Files().RowCount(), RowCount);
        {
            QFile f(QString::fromStdString(brokenPath));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("no longer media");
        }

        TShowWatcher watcher(w);
        QStringList counters; // every "[n/m]" shown
        QStringList totals;   // every "n of m files" shown
        StartLooking(w, [&](TfrmProgress& P) {
            if (!P.lblProgress->text().isEmpty() &&
                (counters.isEmpty() || counters.back() != P.lblProgress->text()))
                counters << P.lblProgress->text();
            if (!P.lblFiles->text().isEmpty() &&
                (totals.isEmpty() || totals.back() != P.lblFiles->text()))
                totals << P.lblFiles->text();
        });

        QVERIFY2(watcher.TasksAtShow >= 1 && watcher.TasksAtShow < RowCount,
                 qPrintable(QString::number(watcher.TasksAtShow)));
        QVERIFY(!w.ProgressWindow()->isVisible());
        QCOMPARE(w.Driver().TasksBuilt(), RowCount - 1);
        for (int row = 0; row < RowCount; ++row)
            QCOMPARE(w.Files().SubItem(row, colProgress),
                     std::string(row == broken ? "Error" : "100%"));
        QCOMPARE(OutputCount(), RowCount - 1);
        // The totals count every checked row from the first report on; the counter counts the
        // files that get a task.
        QVERIFY(!totals.isEmpty());
        for (const QString& t : totals)
            QVERIFY2(t.endsWith(QStringLiteral(" of 60 files")), qPrintable(t));
        QCOMPARE(w.ProgressWindow()->lblFiles->text(), QStringLiteral("60 of 60 files"));
        QVERIFY(!counters.isEmpty());
        QVERIFY2(counters.back().endsWith(QStringLiteral("/59]")), qPrintable(counters.join('|')));
        // The failure is named once the run is over; the folder opens once after the last file.
        QCOMPARE(Services.Messages.size(), 1);
        QVERIFY2(Services.Messages[0].contains(QStringLiteral("1 of 60 files could not be converted.")) &&
                     Services.Messages[0].contains(QStringLiteral("broken.wav: ")),
                 qPrintable(Services.Messages[0]));
        QCOMPARE(Services.Opened.size(), 1);
        QCOMPARE(w.Ovren().TaskCount(), 0);
        QVERIFY(w.btnStart->isEnabled());
        w.close();
    }

    void cancelWhileRowsAreBeingBuiltStartsNothingMore() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles(Paths);
        QCOMPARE(w.Files().RowCount(), RowCount);

        int builtAtCancel = -1;
        StartLooking(w, [&](TfrmProgress& P) {
            if (builtAtCancel >= 0)
                return;
            P.ckShutDown->setChecked(true); // "Open the output folder" is checked already
            builtAtCancel = w.Driver().TasksBuilt();
            P.btnCancel->click();
        });

        QVERIFY2(builtAtCancel >= 1 && builtAtCancel < RowCount,
                 qPrintable(QString::number(builtAtCancel)));
        QVERIFY(!w.ProgressWindow()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(w.btnStart->isEnabled(), 10000);
        QCOMPARE(w.Driver().TasksBuilt(), builtAtCancel);
        QCOMPARE(w.Ovren().TaskCount(), 0);
        QVERIFY(!w.Ovren().Working());
        // The rows never reached keep an empty Progress; none of them was converted.
        int untouched = 0;
        for (int row = 0; row < RowCount; ++row)
            if (w.Files().SubItem(row, colProgress).empty())
                ++untouched;
        QVERIFY2(untouched >= RowCount - builtAtCancel, qPrintable(QString::number(untouched)));
        QVERIFY(OutputCount() <= builtAtCancel);
        QVERIFY(Services.Opened.isEmpty());
        QTest::qWait(100); // the shut-down command would run detached
        QVERIFY(!QFile::exists(ShutDownMarker()));
        QVERIFY(Services.Messages.isEmpty());
        w.close();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher; // the encoder's events come to the main thread
    TBigStartTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "BigStartTest.moc"
