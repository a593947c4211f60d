// The progress window driving a real encoder component under the offscreen platform: showing
// starts the tasks, Cancel and the title bar stop them, the end of the run closes it, Pause and
// Resume reach the main window's handlers, the texts and the fitted live picture, and snapshots.
#include "app/AppPaths.h"
#include "app/BatchDriver.h"
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "app/SettingsKeys.h"
#include "engine/FFmpegLoader.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"
#include "RecordingServices.h"
#include "ui/FrmProgress.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include <unistd.h>

using namespace zelta;

namespace {

constexpr int Patience = 60000; // milliseconds

// 6 s of stereo PCM, made once beside the shared fixtures.
std::string SixSecondTone() {
    const std::string path = fixtures::Fixtures().Dir + "/progress-tone-6s.wav";
    fixtures::TMediaSpec spec;
    spec.Format = "wav";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 6.0;
    fixtures::MakeMediaOnce(path, spec);
    return path;
}

// An input read at its own pace, so a run lasts as long as the media.
TInputOptions Paced() {
    TInputOptions o;
    ResetInputOptions(o);
    o.ExtOptions = "re=1";
    return o;
}

void Paint(TBitmap24& B, int Width, int Height, uint8_t Blue, uint8_t Green, uint8_t Red) {
    B.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint8_t* p = B.ScanLine(y) + x * 3;
            p[0] = Blue;
            p[1] = Green;
            p[2] = Red;
        }
}

} // namespace

class TProgressWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TQtMainThreadDispatcher> Dispatcher;
    std::unique_ptr<QTemporaryDir> Home;
    std::unique_ptr<TFFConverter> Ovren;
    std::vector<TTerminateInfo> Ends;
    int Reports = 0;
    TRecordingServices Services;

    bool FinalSeen() const {
        for (const TTerminateInfo& e : Ends)
            if (e.TaskIndex < 0)
                return true;
        return false;
    }
    const TTerminateInfo* EndOf(int Task) const {
        for (const TTerminateInfo& e : Ends)
            if (e.TaskIndex == Task)
                return &e;
        return nullptr;
    }
    QString Output(const QString& Name) const { return Home->filePath(Name); }
    void AddJob(const std::string& Input, const QString& Output, bool Pace) {
        const TInputOptions paced = Paced();
        const int task = Ovren->AddTask(Input, Pace ? &paced : nullptr);
        QVERIFY2(task >= 0, Ovren->LastError().c_str());
        QVERIFY2(Ovren->SetOutputFile(task, Output.toStdString()), Ovren->LastError().c_str());
    }

private slots:
    void initTestCase() {
        Dispatcher = std::make_unique<TQtMainThreadDispatcher>();
        SixSecondTone();
    }
    void cleanupTestCase() { Dispatcher.reset(); }

    void init() {
        Home = std::make_unique<QTemporaryDir>();
        QVERIFY(Home->isValid());
        qputenv("ZELTA_HOME", Home->path().toUtf8());
        InitialiseGlobalObject(CreateGlobalObject());
        Ovren = std::make_unique<TFFConverter>();
        QVERIFY2(Ovren->LoadLibraries(LibAVFolder()), Ovren->LastError().c_str());
        Ends.clear();
        Reports = 0;
        Services.Messages.clear();
        Ovren->SetOnTerminate([this](TCustomFFConverter&, const TTerminateInfo& I) { Ends.push_back(I); });
        Ovren->SetOnProgress([this](TCustomFFConverter&, PProgressInfo) { ++Reports; });
    }
    void cleanup() {
        Ovren.reset();
        FreeGlobalObject();
    }

    void showingStartsTheTasksAndTheTitleBarStopsThem() {
        AddJob(SixSecondTone(), Output("out.wav"), true);
        TfrmProgress w(*Ovren);
        QVERIFY(!Ovren->Working());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(420, 640));
        QVERIFY(Ovren->Working());
        QVERIFY(w.TimerActive());
        QVERIFY(w.OpenFolderChecked());
        QVERIFY(!w.ShutDownChecked());
        QVERIFY(w.btnPause->isEnabled());
        QVERIFY(!w.btnResume->isEnabled());
        QCOMPARE(w.progbarFile->value(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Reports > 0, Patience);

        w.close(); // the title bar's close button
        QVERIFY(!w.isVisible());
        QVERIFY(!w.TimerActive());
        // Stopped with waiting: the task has ended, short of its natural end, leaving no file.
        QTRY_VERIFY_WITH_TIMEOUT(FinalSeen(), Patience);
        const TTerminateInfo* end = EndOf(0);
        QVERIFY(end != nullptr);
        QVERIFY(!end->Finished);
        QVERIFY(!QFileInfo::exists(Output("out.wav")));
    }

    void pauseAndResumeReachTheMainWindowThenCancelStops() {
        AddJob(SixSecondTone(), Output("paused.wav"), true);
        AddJob(SixSecondTone(), Output("never.wav"), true);
        int paused = 0, resumed = 0;
        TfrmProgress w(*Ovren);
        w.SetPauseHandlers([&] { ++paused; }, [&] { ++resumed; });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY_WITH_TIMEOUT(Reports > 0, Patience);

        w.btnPause->click();
        QCOMPARE(paused, 1);
        QCOMPARE(resumed, 0);
        QVERIFY(!w.btnPause->isEnabled());
        QVERIFY(w.btnResume->isEnabled());
        w.btnResume->click();
        QCOMPARE(paused, 1);
        QCOMPARE(resumed, 1);
        QVERIFY(w.btnPause->isEnabled());
        QVERIFY(!w.btnResume->isEnabled());

        w.btnPause->click();
        w.btnCancel->click(); // a paused run stops as well
        QVERIFY(!w.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(FinalSeen(), Patience);
        QVERIFY(EndOf(0) != nullptr && !EndOf(0)->Finished);
        // Neither the stopped task nor the unstarted one leaves a file.
        Ovren->ClearTasks();
        QVERIFY(!QFileInfo::exists(Output("never.wav")));
        QVERIFY(!QFileInfo::exists(Output("paused.wav")));
    }

    void theEndOfTheRunClosesTheModalWindow() {
        AddJob(fixtures::Fixtures().Wav, Output("a.mp3"), false);
        AddJob(fixtures::Fixtures().Mp3, Output("b.wav"), false);
        TfrmProgress w(*Ovren);
        // As the batch driver does: the final notification closes the window.
        Ovren->SetOnTerminate([&](TCustomFFConverter&, const TTerminateInfo& I) {
            Ends.push_back(I);
            if (I.TaskIndex < 0)
                w.close();
        });
        bool forced = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &w, [&] {
            forced = true;
            w.reject();
        });
        guard.start(Patience);
        w.exec();
        QVERIFY(!forced);
        QVERIFY(FinalSeen());
        QVERIFY(EndOf(0) != nullptr && EndOf(0)->Finished);
        QVERIFY(EndOf(1) != nullptr && EndOf(1)->Finished);
        QVERIFY(!w.TimerActive());
        QVERIFY(QFileInfo(Output("a.mp3")).size() > 0);
        QVERIFY(QFileInfo(Output("b.wav")).size() > 0);

        // The shut-down choice is kept from run to run, "open the folder" is checked again.
        w.ckShutDown->setChecked(true);
        w.ckOpen->setChecked(false);
        Ovren->ClearTasks();
        AddJob(fixtures::Fixtures().Wav, Output("c.mp3"), false);
        guard.start(Patience);
        w.exec();
        QVERIFY(!forced);
        QVERIFY(w.ShutDownChecked());
        QVERIFY(w.OpenFolderChecked());
        Ovren->SetOnTerminate(nullptr);
    }

    void textsPictureAndSnapshot() {
        AddJob(SixSecondTone(), Output("texts.wav"), true);
        TBitmap24 frame;
        Paint(frame, 1280, 720, 0, 0, 255);
        bool haveFrame = false;
        TfrmProgress w(*Ovren);
        w.SetServices(Services);
        w.SetPreviewCopier([&](TBitmap24& Into) {
            if (!haveFrame)
                return false;
            Into.SetSize(frame.Width(), frame.Height());
            std::copy(frame.Bits(), frame.Bits() + size_t(frame.ScanlineSize()) * frame.Height(),
                      Into.Bits());
            return true;
        });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QColor background(166, 202, 240);
        QCOMPARE(w.Picture().size(), QSize(320, 240));
        QCOMPARE(w.Picture().pixelColor(160, 120), background);

        TProgressTexts t;
        t.Percent = 37;
        t.Time = "2 Second";
        t.Length = "6 Second";
        t.Size = "344 kb";
        t.Progress = "[1/1]";
        t.File = "texts.wav";
        w.ShowProgress(t);
        QCOMPARE(w.lblTime->text(), QStringLiteral("2 Second"));
        QCOMPARE(w.lblLength->text(), QStringLiteral("6 Second"));
        QCOMPARE(w.lblSize->text(), QStringLiteral("344 kb"));
        QCOMPARE(w.lblProgress->text(), QStringLiteral("[1/1]"));
        QCOMPARE(w.lblOutput->text(), QStringLiteral("texts.wav"));
        QCOMPARE(w.progbarFile->value(), 37);
        QCOMPARE(w.progbarFile->text(), QStringLiteral("37%"));
        w.SetBarPosition(80);
        QCOMPARE(w.progbarFile->value(), 80);

        // The frame, fitted: 320 x 180 from 30 pixels below the top.
        haveFrame = true;
        QTRY_VERIFY_WITH_TIMEOUT(w.Picture().pixelColor(160, 120) == QColor(Qt::red), Patience);
        QCOMPARE(w.Picture().pixelColor(160, 29), background);
        QCOMPARE(w.Picture().pixelColor(160, 30), QColor(Qt::red));
        QCOMPARE(w.Picture().pixelColor(160, 209), QColor(Qt::red));
        QCOMPARE(w.Picture().pixelColor(160, 210), background);
        QCOMPARE(w.imgPreview->pixmap().size(), QSize(320, 240));

        const QString folder = Home->filePath("snaps");
        TIniFile ini = GlobalObject()->Settings();
        QVERIFY(ini.WriteString(SectionSettings, KeySnapOutPutDir, folder.toStdString()));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapJpg, 0));
        w.imgbtnSnap->click();
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{"Snapshot_full.bmp", "Snapshot_small.bmp"}));
        QCOMPARE(QImage(folder + "/Snapshot_full.bmp").size(), QSize(1280, 720));
        const QImage small(folder + "/Snapshot_small.bmp");
        QCOMPARE(small.size(), QSize(320, 240)); // the picture as shown, background included
        QCOMPARE(small.pixelColor(160, 10), background);
        QVERIFY(Services.Messages.isEmpty());
        w.btnCancel->click();
        QTRY_VERIFY_WITH_TIMEOUT(FinalSeen(), Patience);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TProgressWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "ProgressWindowTest.moc"
