// The list kept across restarts, as a person meets it: a window with edited rows is killed
// (SIGKILL: no chance to save at the end) and the next window shows the same rows in the same
// order with their checks, trims, crops and watermark layers; a file deleted meanwhile is
// marked, not dropped; Clear empties the kept list; a list that cannot be written is said once;
// a file that is no kept list is set aside, not written over.
#include "RecordingServices.h"
#include "app/GlobalObject.h"
#include "app/ListKeeper.h"
#include "app/ListStore.h"
#include "app/QtDispatcher.h"
#include "app/SourceList.h"
#include "fixtures/Fixtures.h"
#include "ui/FrmMain.h"
#include "ui/SourceListView.h"
#include "ui/ZeltaApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace zelta;

namespace {

constexpr const char* ChildVariable = "ZELTA_KEPT_LIST_CHILD";
const QString LayerText = QStringLiteral("Grüße\tmit Tab\nund Zeile \\ 検証");

std::string ReadFile(const QString& Path) {
    std::ifstream in(Path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The child: a window whose rows are edited as the dialogs leave them, then it waits to be
// killed once the list is kept. The files come in the child variable, separated by "|".
int RunChild() {
    TRecordingServices services;
    TfrmMain w(services);
    w.show();
    std::vector<std::string> files;
    for (const QString& f : qEnvironmentVariable(ChildVariable).split('|'))
        files.push_back(f.toStdString());
    w.AddChosenFiles(files);
    TSourceListModel& list = w.Files();
    if (list.RowCount() != int(files.size()))
        return 2;
    list.SetChecked(1, false);
    TlvFilesRecord& first = list.Record(0);
    first.TrimStart = 500'000;
    first.TrimLength = 1'000'000;
    list.SetSubItem(0, colTrimmedLength, "1");
    first.CropLeft = 16;
    first.CropTop = 8;
    first.ZoomMode = "pan";
    first.Brightness = 300;
    list.RecordEdited(0);
    TlvFilesRecord& last = list.Record(2);
    auto layer = std::make_unique<TWmRec>();
    layer->Text = LayerText.toStdString();
    layer->Font = std::make_unique<TWmFont>();
    layer->Font->Name = "DejaVu Sans";
    layer->Font->Size = 24;
    layer->TextLeft = 40;
    last.WaterMarks.push_back(std::move(layer));
    list.RecordEdited(2);
    const QString kept = QFileInfo(QString::fromStdString(GlobalObject()->SettingsFile()))
                             .dir()
                             .filePath(QString::fromUtf8(ListFileName.data(),
                                                          int(ListFileName.size())));
    // Kept once the file holds the last edit.
    const std::string marker = "textleft=40";
    if (!QTest::qWaitFor([&] { return ReadFile(kept).find(marker) != std::string::npos; },
                         20000))
        return 3;
    std::printf("kept\n");
    std::fflush(stdout);
    return QApplication::exec(); // until killed
}

}  // namespace

class TKeptListTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString ListPath() const { return Home.filePath("list.txt"); }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        fixtures::Fixtures();
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(ListPath());
        Services.Clear();
    }

    void editedRowsComeBackAfterAKillAndClearEmptiesThem() {
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        // The third file is deleted while the program is down.
        const QString doomed = Home.filePath("gone soon ü.flac");
        QVERIFY(QFile::copy(QString::fromStdString(f.Flac), doomed));
        const QStringList files = {QString::fromStdString(f.Wav), QString::fromStdString(f.Mp3),
                                   doomed};

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(ChildVariable, files.join('|'));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         child.waitForReadyRead(100);
                         return child.state() != QProcess::Running ||
                                child.readAllStandardOutput().contains("kept");
                     },
                     60000),
                 "the child never kept its list");
        QCOMPARE(child.state(), QProcess::Running);
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QVERIFY(QFile::remove(doomed));

        {
            TfrmMain w(Services);
            w.show();
            const TSourceListModel& list = w.Files();
            QCOMPARE(list.RowCount(), 3);
            for (int row = 0; row < 3; ++row)
                QCOMPARE(QString::fromStdString(list.Caption(row)), files[row]);
            QVERIFY(list.Checked(0) && !list.Checked(1) && list.Checked(2));
            const TlvFilesRecord& first = list.Record(0);
            QCOMPARE(first.TrimStart, int64_t(500'000));
            QCOMPARE(first.TrimLength, int64_t(1'000'000));
            QCOMPARE(list.SubItem(0, colTrimmedLength), std::string("1"));
            QCOMPARE(first.CropLeft, 16);
            QCOMPARE(first.CropTop, 8);
            QCOMPARE(first.ZoomMode, std::string("pan"));
            QCOMPARE(first.Brightness, 300);
            QCOMPARE(list.SubItem(0, colLength), std::to_string(first.Duration));
            QVERIFY(first.Duration > 0);
            const TlvFilesRecord& last = list.Record(2);
            QCOMPARE(last.WaterMarks.size(), size_t(1));
            QCOMPARE(QString::fromStdString(last.WaterMarks[0]->Text), LayerText);
            QVERIFY(last.WaterMarks[0]->Font);
            QCOMPARE(last.WaterMarks[0]->Font->Size, 24);
            // The deleted file is marked with its reason; the others are not.
            QVERIFY(!list.ProgressMissing(0) && !list.ProgressMissing(1));
            QVERIFY(list.ProgressMissing(2));
            QCOMPARE(list.data(list.index(2, colProgress), Qt::ToolTipRole).toString(),
                     QString::fromUtf8(MissingFileText.data(), int(MissingFileText.size())));
            // Today's destinations are shown.
            QVERIFY(!list.SubItem(0, colDestination).empty());
            QVERIFY(w.lvFiles->ReportView());
            QVERIFY(w.btnStart->isEnabled() && w.btnClear->isEnabled());

            w.btnClearClick();
            QVERIFY(QTest::qWaitFor(
                [&] { return ReadFile(ListPath()).find("\nrow") == std::string::npos; }, 10000));
            w.close();
        }
        TfrmMain again(Services);
        again.show();
        QCOMPARE(again.Files().RowCount(), 0);
    }

    // Closing the window writes what the delay still held back.
    void closingKeepsTheLastChangeAtOnce() {
        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        {
            TfrmMain w(Services);
            w.show();
            w.AddChosenFiles({f.Wav, f.Mp3});
            w.Files().SetChecked(0, false);
            w.Files().SetAudioTrack(1, 2, "2: fre");
            w.close(); // no wait: the change is at most a moment old
        }
        TfrmMain again(Services);
        again.show();
        QCOMPARE(again.Files().RowCount(), 2);
        QVERIFY(!again.Files().Checked(0));
        QVERIFY(again.Files().Checked(1));
        QCOMPARE(again.Files().Record(1).AudioTrack, 2);
        QCOMPARE(again.Files().Record(1).AudioTrackText, std::string("2: fre"));
    }

    // The tracks of one CUE image are rows of one file: every one comes back with its piece.
    void piecesOfOneFileComeBackEach() {
        std::vector<TListRow> rows(3);
        for (int i = 0; i < 3; ++i) {
            TlvFilesRecord& r = rows[size_t(i)].Record;
            r.SrcFile = "/music/album image.flac";
            r.Segment.Kind = TSegmentKind::CueTrack;
            r.Segment.Number = i + 1;
            r.Segment.Count = 3;
            r.Segment.Title = "Song " + std::to_string(i + 1);
            r.Segment.Start = i * 60'000'000LL;
            r.Segment.End = i == 2 ? -1 : (i + 1) * 60'000'000LL;
            r.Segment.Sheet = "/music/album image.cue";
        }
        TSourceListModel list;
        QCOMPARE(list.AppendKeptRows(std::move(rows)), 3);
        TSourceListModel back;
        QCOMPARE(back.AppendKeptRows(DecodeList(EncodeList(list))), 3);
        for (int i = 0; i < 3; ++i) {
            const TSegment& s = back.Record(i).Segment;
            QVERIFY(s.Kind == TSegmentKind::CueTrack);
            QCOMPARE(s.Number, i + 1);
            QCOMPARE(s.Title, "Song " + std::to_string(i + 1));
            QCOMPARE(s.End, i == 2 ? int64_t(-1) : (i + 1) * 60'000'000LL);
            QCOMPARE(s.Sheet, std::string("/music/album image.cue"));
        }
    }

    // A file in place of the list that is not one of ours survives beside it; a list that
    // cannot be written is said once, not at every change.
    void foreignFileIsSetAsideAndAFailureIsToldOnce() {
        const QByteArray foreign = "something else entirely\n";
        {
            QFile file(ListPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(foreign);
        }
        TSourceListModel list;
        QCOMPARE(RestoreList(list, ListPath().toStdString()), 0);
        QFile aside(ListPath() + ".unreadable");
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), foreign);

        const fixtures::TFixtureSet& f = fixtures::Fixtures();
        list.AddUnprobed({{f.Wav, ""}}, TIniFile(SettingsPath().toStdString()));
        TListKeeper keeper(list, Home.filePath("no such folder/list.txt").toStdString(), 10);
        QSignalSpy failed(&keeper, &TListKeeper::Failed);
        list.SetChecked(0, false);
        QVERIFY(!keeper.Flush().empty());
        list.SetChecked(0, true);
        QVERIFY(!keeper.Flush().empty());
        QCoreApplication::processEvents();
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed[0][0].toString().size() > 0);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    if (qEnvironmentVariableIsSet(ChildVariable))
        return RunChild();
    TKeptListTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "KeptListTest.moc"
