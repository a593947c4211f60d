// Big batches through the real main window and progress window: adding many files shows how
// far it is and can be cancelled; several files convert at once, every running file has its
// own line, the batch totals follow the run, Cancel stops every running file, and the
// after-completion actions run once after the last file only.
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "fixtures/Fixtures.h"
#include "BatchRunSupport.h"
#include "RecordingServices.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/ZeltaApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace zelta;

namespace {

// What the progress window showed while the run went on, looked at every few milliseconds.
struct TSeen {
    int MostLines = 0;
    QStringList TwoLines;   // the first look that had two running files
    QStringList FilesTexts; // every distinct "n of m files"
};

} // namespace

class TParallelRunTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;
    std::string First, Second;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString OutFolder() const { return Home.filePath("out"); }

    // Runs Start on W while Look watches the visible progress window; a run that hangs fails.
    static void StartWatching(TfrmMain& W, TSeen& Seen,
                              const std::function<void(TfrmProgress&)>& Look = {}) {
        StartAndWatch(W, 90000, 5, [&](TfrmProgress& P) {
            const int lines = P.lstRunning->count();
            Seen.MostLines = std::max(Seen.MostLines, lines);
            if (lines == 2 && Seen.TwoLines.isEmpty())
                for (int i = 0; i < lines; ++i)
                    Seen.TwoLines << P.lstRunning->item(i)->text();
            const QString files = P.lblFiles->text();
            if (!files.isEmpty() && (Seen.FilesTexts.isEmpty() || Seen.FilesTexts.back() != files))
                Seen.FilesTexts << files;
            if (Look)
                Look(P);
        });
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        qputenv("ZELTA_SHUTDOWN_COMMAND", "true");
        fixtures::Fixtures();
        // Long enough that both files are surely seen converting together (the output is
        // 44.1 kHz stereo whatever the source, so a small source makes as much work).
        fixtures::TMediaSpec spec;
        spec.Format = "wav";
        spec.AudioEncoders = {"pcm_s16le"};
        spec.SampleRate = 8000;
        spec.Channels = 1;
        spec.Seconds = 240;
        First = Home.filePath("first.wav").toStdString();
        Second = Home.filePath("second.wav").toStdString();
        fixtures::MakeMedia(First, spec);
        std::filesystem::copy_file(First, Second);
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        QDir(OutFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(OutFolder()));
        QVERIFY(WriteTwoAtOnceMp3Settings(SettingsPath(), OutFolder()));
        Services.Clear();
    }

    void twoFilesAtOnceShowTheirLinesAndTheTotals() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({First, Second, fixtures::Fixtures().Wav});
        QCOMPARE(w.Files().RowCount(), 3);
        TSeen seen;
        StartWatching(w, seen);

        QCOMPARE(w.ProgressWindow()->JobCount(), 2);
        QCOMPARE(seen.MostLines, 2);
        QCOMPARE(seen.TwoLines.size(), 2);
        QVERIFY2(seen.TwoLines[0].contains("first.wav") && seen.TwoLines[0].endsWith('%'),
                 qPrintable(seen.TwoLines.join('|')));
        QVERIFY2(seen.TwoLines[1].contains("second.wav") && seen.TwoLines[1].endsWith('%'),
                 qPrintable(seen.TwoLines.join('|')));
        QVERIFY(!seen.FilesTexts.isEmpty());
        QCOMPARE(seen.FilesTexts.front(), QStringLiteral("0 of 3 files"));
        // The window keeps the run's last figures after it closed.
        TfrmProgress* p = w.ProgressWindow();
        QVERIFY(!p->isVisible());
        QCOMPARE(p->lblFiles->text(), QStringLiteral("3 of 3 files"));
        QCOMPARE(p->progbarBatch->value(), 100);
        QCOMPARE(p->lstRunning->count(), 0);
        QVERIFY(!p->lblElapsed->text().isEmpty());
        for (int row = 0; row < 3; ++row)
            QCOMPARE(w.Files().SubItem(row, colProgress), std::string("100%"));
        // "Open the output folder" is checked by default: once, after the last file.
        QCOMPARE(Services.Opened.size(), 1);
        QVERIFY(Services.Messages.isEmpty());
        w.close();
    }

    void addingManyFilesShowsHowFarItIsAndCanBeCancelled() {
        // Many names of one short file: adding probes each of them.
        const QString folder = Home.filePath("many");
        QVERIFY(QDir().mkpath(folder));
        std::vector<std::string> paths;
        for (int i = 0; i < 400; ++i) {
            const std::string path = (folder + QStringLiteral("/tone%1.wav").arg(i)).toStdString();
            std::error_code ec;
            if (!std::filesystem::exists(path))
                std::filesystem::create_hard_link(fixtures::Fixtures().Wav, path, ec);
            paths.push_back(path);
        }
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QString shown;
        bool modal = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto* busy = w.findChild<QProgressDialog*>(QStringLiteral("dlgBusy"));
            if (busy == nullptr || !busy->isVisible() || !shown.isEmpty())
                return;
            shown = busy->labelText();
            modal = busy->isModal() || busy->windowModality() != Qt::NonModal;
            busy->cancel();
        });
        look.start(10);
        w.AddChosenFiles(paths);
        look.stop();

        QVERIFY2(shown.startsWith(QStringLiteral("Adding ")) &&
                     shown.endsWith(QStringLiteral(" of 400") + QChar(0x2026)),
                 qPrintable(shown));
        QVERIFY(modal);
        // Cancel kept what was added so far and added nothing more.
        QVERIFY(w.Files().RowCount() > 0);
        QVERIFY(w.Files().RowCount() < 400);
        QVERIFY(w.btnStart->isEnabled());
        w.close();
    }

    void cancelDuringAParallelRunStopsEveryFileAndNoAfterAction() {
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({First, Second, fixtures::Fixtures().Wav});
        TSeen seen;
        bool cancelled = false;
        StartWatching(w, seen, [&](TfrmProgress& P) {
            if (!cancelled && P.lstRunning->count() == 2) {
                cancelled = true;
                P.btnCancel->click();
            }
        });

        QVERIFY(cancelled);
        QVERIFY(!w.ProgressWindow()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(w.btnStart->isEnabled(), 10000); // the run's end follows the stop
        // Both running files were stopped short and left nothing, the queued one never began.
        QVERIFY(w.Files().SubItem(0, colProgress) != "100%");
        QVERIFY(w.Files().SubItem(1, colProgress) != "100%");
        QCOMPARE(w.Files().SubItem(2, colProgress), std::string());
        QVERIFY(!QFileInfo::exists(QString::fromStdString(w.Driver().Destination(2))));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(w.Driver().Destination(0))));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(w.Driver().Destination(1))));
        QVERIFY(Services.Opened.isEmpty());
        QVERIFY(Services.Messages.isEmpty());
        w.close();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher; // the encoder's events come to the main thread
    TParallelRunTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "ParallelRunTest.moc"
