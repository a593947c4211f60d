// The main window's preview panel with the real player under the offscreen platform and SDL's
// dummy audio: Play on an empty list, play/pause/resume/stop with the button states, the end of
// the file, seeking with the bar, volume and mute storage, and the snapshot files.
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "app/SettingsKeys.h"
#include "fixtures/Fixtures.h"
#include "RecordingServices.h"
#include "ui/PreviewPanel.h"
#include "ui/VideoView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <filesystem>
#include <memory>

#include <unistd.h>

using namespace zelta;

namespace {

constexpr int Patience = 20000; // milliseconds; generous for a loaded machine

// 6 s of 320x240 H.264 with AAC, made once beside the shared fixtures.
std::string SixSecondMovie() {
    const std::string path = fixtures::Fixtures().Dir + "/preview-h264-aac-6s.mp4";
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "libx264";
    spec.AudioEncoders = {"aac"};
    spec.Seconds = 6.0;
    fixtures::MakeMediaOnce(path, spec);
    return path;
}

struct TButtons {
    bool Play, Pause, Stop, Snap;
};
TButtons Buttons(const TPreviewPanel& P) {
    return {P.imgbtnPlay->isEnabled(), P.imgbtnPause->isEnabled(), P.imgbtnStop->isEnabled(),
            P.imgbtnSnap->isEnabled()};
}
bool Is(const TPreviewPanel& P, bool Play, bool Pause, bool Stop, bool Snap) {
    const TButtons b = Buttons(P);
    return b.Play == Play && b.Pause == Pause && b.Stop == Stop && b.Snap == Snap;
}

void SendMouse(QWidget* W, QEvent::Type Type, Qt::MouseButtons Buttons) {
    const QPointF local(W->width() / 2.0, W->height() / 2.0);
    QMouseEvent e(Type, local, W->mapToGlobal(local), Qt::LeftButton, Buttons, Qt::NoModifier);
    QApplication::sendEvent(W, &e);
}

int DurationLines(const QSignalSpy& Spy) {
    int n = 0;
    for (const QList<QVariant>& args : Spy)
        if (args.at(0).toString().startsWith("duration: "))
            ++n;
    return n;
}

} // namespace

class TPreviewPanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TQtMainThreadDispatcher> Dispatcher;
    std::unique_ptr<QTemporaryDir> Home;
    TRecordingServices Services;

    TIniFile Settings() const { return GlobalObject()->Settings(); }

    // A shown panel playing from the given file source.
    std::unique_ptr<TPreviewPanel> NewPanel(std::function<std::string()> Source) {
        auto p = std::make_unique<TPreviewPanel>();
        p->resize(320, 300);
        p->SetServices(Services);
        p->SetFileSource(std::move(Source));
        p->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(p.get())); }();
        return p;
    }

private slots:
    void initTestCase() {
        Dispatcher = std::make_unique<TQtMainThreadDispatcher>();
        fixtures::Fixtures();
        SixSecondMovie();
    }
    void cleanupTestCase() { Dispatcher.reset(); }

    void init() {
        Home = std::make_unique<QTemporaryDir>();
        QVERIFY(Home->isValid());
        qputenv("ZELTA_HOME", Home->path().toUtf8());
        InitialiseGlobalObject(CreateGlobalObject());
        Services.Clear();
    }
    void cleanup() { FreeGlobalObject(); }

    void playOnAnEmptyListAsksForAddThenPlays() {
        std::string file;
        auto p = NewPanel([&] { return file; });
        QVERIFY(p->PlayerStopped());
        QVERIFY(Is(*p, true, false, false, false));
        QVERIFY(!p->trcPreview->isEnabled());
        // Fits the main window's preview area.
        QVERIFY(p->minimumSizeHint().width() <= 300);
        QVERIFY(p->minimumSizeHint().height() <= 322);
        QSignalSpy add(p.get(), &TPreviewPanel::AddRequested);
        p->Play();
        QCOMPARE(add.count(), 1);
        QVERIFY(p->PlayerStopped());
        QVERIFY(Is(*p, true, false, false, false));

        // The add dialog was cancelled: nothing plays, and no second request.
        p->PlayAfterAdd();
        QVERIFY(p->PlayerStopped());
        QCOMPARE(add.count(), 1);

        p->Play();
        file = fixtures::Fixtures().Mp4H264Aac;
        p->PlayAfterAdd();
        QVERIFY(!p->PlayerStopped());
        QVERIFY(Is(*p, false, true, true, true));
        QVERIFY(p->trcPreview->isEnabled());
        p->PlayAfterAdd(); // only once per request
        p->Stop();
    }

    void playPauseResumeStop() {
        const std::string file = SixSecondMovie();
        auto p = NewPanel([&] { return file; });
        QSignalSpy log(p.get(), &TPreviewPanel::LogLine);
        p->Play();
        QVERIFY(!p->PlayerStopped());
        QVERIFY(!p->PlayerPaused());
        QVERIFY(Is(*p, false, true, true, true));
        QCOMPARE(DurationLines(log), 1);
        QVERIFY(log.count() >= 2); // the file's description comes first
        QCOMPARE(log.last().at(0).toString(), QStringLiteral("duration: 6.000000, frame size: 320x240"));
        QCOMPARE(p->lblPTS->text(), QStringLiteral("0:00:06"));
        QCOMPARE(p->trcPreview->maximum(), p->trcPreview->width());
        QTRY_VERIFY_WITH_TIMEOUT(p->lblTime->text() == QStringLiteral("0:00:01"), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(p->trcPreview->value() > 0, Patience);

        p->imgbtnPause->click();
        QVERIFY(p->PlayerPaused());
        QVERIFY(!p->PlayerStopped());
        QVERIFY(p->Player().Paused());
        QVERIFY(Is(*p, true, false, true, true));
        p->imgbtnPause->click(); // disabled: nothing
        p->Pause();              // and the command itself does nothing while paused
        QVERIFY(p->PlayerPaused());

        // Play while paused resumes the same file: no new file-open lines.
        p->imgbtnPlay->click();
        QVERIFY(!p->PlayerPaused());
        QVERIFY(!p->Player().Paused());
        QVERIFY(Is(*p, false, true, true, true));
        QCOMPARE(DurationLines(log), 1);
        QCOMPARE(p->Player().FileName(), file);
        QTRY_VERIFY_WITH_TIMEOUT(p->lblTime->text() == QStringLiteral("0:00:02"), Patience);

        p->Pause();
        p->imgbtnStop->click();
        QVERIFY(p->PlayerStopped());
        QVERIFY(!p->PlayerPaused());
        QVERIFY(Is(*p, true, false, false, false));
        QCOMPARE(p->lblTime->text(), QStringLiteral("00:00:00"));
        QCOMPARE(p->lblPTS->text(), QStringLiteral("00:00:00"));
        QCOMPARE(p->trcPreview->value(), 0);
        QVERIFY(!p->trcPreview->isEnabled());
        QCOMPARE(p->Player().State(), psStop);
        QVERIFY(!p->pan1->Current().Bitmap);
        // Late reports of the stopped file change nothing.
        QTest::qWait(200);
        QCOMPARE(p->lblTime->text(), QStringLiteral("00:00:00"));
    }

    void theEndOfTheFileRewindsAndPauses() {
        const std::string file = fixtures::Fixtures().Mp4H264Aac;
        auto p = NewPanel([&] { return file; });
        QSignalSpy log(p.get(), &TPreviewPanel::LogLine);
        p->Play();
        QCOMPARE(p->lblPTS->text(), QStringLiteral("0:00:02"));
        QTRY_VERIFY_WITH_TIMEOUT(p->PlayerStopped(), Patience);
        QVERIFY(!p->PlayerPaused());
        QVERIFY(Is(*p, true, false, false, false));
        QCOMPARE(p->lblTime->text(), QStringLiteral("00:00:00"));
        QCOMPARE(p->lblPTS->text(), QStringLiteral("00:00:00"));
        QCOMPARE(p->trcPreview->value(), 0);
        QVERIFY(!p->trcPreview->isEnabled());
        // The file stays open, paused at its start.
        QCOMPARE(p->Player().FileName(), file);
        QTRY_VERIFY_WITH_TIMEOUT(p->Player().Paused(), Patience);
        QVERIFY(p->Player().State() != psStop);
        QTest::qWait(300);
        QCOMPARE(p->lblTime->text(), QStringLiteral("00:00:00"));

        // Play from here opens the file again.
        p->Play();
        QCOMPARE(DurationLines(log), 2);
        QVERIFY(Is(*p, false, true, true, true));
        p->Stop();
        QVERIFY(p->PlayerStopped());
    }

    void seekingWithTheBar() {
        const std::string file = SixSecondMovie();
        auto p = NewPanel([&] { return file; });
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->trcPreview->value() > 0, Patience);
        p->Pause();

        SendMouse(p->trcPreview, QEvent::MouseButtonPress, Qt::LeftButton);
        QVERIFY(p->Seeking());
        const int target = p->trcPreview->maximum() / 2;
        p->trcPreview->setValue(target); // the drag
        p->Play();
        // While the bar is held, reports do not move it.
        QTest::qWait(300);
        QCOMPARE(p->trcPreview->value(), target);
        SendMouse(p->trcPreview, QEvent::MouseButtonRelease, Qt::NoButton);
        QVERIFY(p->Seeking()); // held off for a moment after the seek
        // Playing continues from about the middle of the 6 s: the position jumps ahead by
        // more than playing alone ever moves it between two looks.
        int64_t last = p->Player().Position();
        bool jumped = false;
        for (QDeadlineTimer deadline(Patience); !jumped && !deadline.hasExpired();) {
            QTest::qWait(5);
            const int64_t now = p->Player().Position();
            jumped = now >= 2'500'000 && now - last > 1'000'000;
            last = now;
        }
        QVERIFY(jumped);
        QTRY_VERIFY_WITH_TIMEOUT(!p->Seeking(), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(p->trcPreview->value() >= target - 2, Patience);
        p->Stop();
    }

    void volumeAndMuteAreStored() {
        auto p = NewPanel([] { return std::string(); });
        TIniFile ini = Settings();
        // First start: bar and player agree at full volume, and nothing is written.
        p->LoadStoredSettings(ini);
        QCOMPARE(p->trcVolume->value(), 128);
        QCOMPARE(p->Player().AudioVolume(), 128);
        QCOMPARE(Settings().ReadInteger(SectionSettings, KeyVolume, -1), -1);
        QVERIFY(!p->ckMute->isChecked());
        // A stored 0 is silence for the player too, although the bar moves back to 0 from 128.
        QVERIFY(ini.WriteInteger(SectionSettings, KeyVolume, 0));
        p->LoadStoredSettings(ini);
        QCOMPARE(p->trcVolume->value(), 0);
        QCOMPARE(p->Player().AudioVolume(), 0);

        QVERIFY(ini.WriteInteger(SectionSettings, KeyVolume, 100));
        QVERIFY(ini.WriteInteger(SectionSettings, KeyMute, 1));
        p->LoadStoredSettings(ini);
        QCOMPARE(p->trcVolume->value(), 100);
        QCOMPARE(p->Player().AudioVolume(), 100);
        QVERIFY(p->ckMute->isChecked());
        QVERIFY(p->Player().Mute());

        // Changes reach the player at once; a drag writes "volume" when the mouse is released.
        p->trcVolume->setSliderDown(true);
        p->trcVolume->setValue(40);
        QCOMPARE(p->Player().AudioVolume(), 40);
        QCOMPARE(Settings().ReadInteger(SectionSettings, KeyVolume, -1), 100);
        p->trcVolume->setSliderDown(false);
        SendMouse(p->trcVolume, QEvent::MouseButtonRelease, Qt::NoButton);
        QTRY_COMPARE(Settings().ReadInteger(SectionSettings, KeyVolume, -1), 40);
        // The keyboard and the wheel are stored like the mouse.
        p->trcVolume->setFocus();
        QTest::keyClick(p->trcVolume, Qt::Key_Right);
        QCOMPARE(p->Player().AudioVolume(), 41);
        QCOMPARE(Settings().ReadInteger(SectionSettings, KeyVolume, -1), 41);
        QWheelEvent wheel(QPointF(5, 5), p->trcVolume->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(p->trcVolume, &wheel);
        QVERIFY(p->trcVolume->value() != 41);
        QCOMPARE(Settings().ReadInteger(SectionSettings, KeyVolume, -1), p->trcVolume->value());

        p->ckMute->click();
        QVERIFY(!p->Player().Mute());
        QCOMPARE(Settings().ReadInteger(SectionSettings, KeyMute, -1), 0);
        p->ckMute->click();
        QCOMPARE(Settings().ReadInteger(SectionSettings, KeyMute, -1), 1);
    }

    void snapshotWritesTheChosenFilesAndOpensTheFolder() {
        const std::string file = SixSecondMovie();
        auto p = NewPanel([&] { return file; });
        const QString folder = Home->filePath("snaps");
        TIniFile ini = Settings();
        QVERIFY(ini.WriteString(SectionSettings, KeySnapOutPutDir, folder.toStdString()));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapBmp, 1));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapJpg, 0));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapFullSize, 1));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapSmallSize, 0));

        // Nothing shown yet: nothing written.
        p->Snapshot();
        QVERIFY(!QDir(folder).exists());

        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->Player().CurrentFrame().Width() > 0 && p->trcPreview->value() > 0,
                                 Patience);
        p->imgbtnSnap->click();
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"Snapshot_full.bmp"});
        QCOMPARE(QImage(folder + "/Snapshot_full.bmp").size(), QSize(320, 240));
        QCOMPARE(Services.Opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
        QVERIFY(Services.Messages.isEmpty());

        // Both sizes as JPEG: the small one has the panel's size.
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapSmallSize, 1));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapJpg, 1));
        QVERIFY(ini.WriteInteger(SectionSettings, KeySnapBmp, 0));
        p->Snapshot();
        QCOMPARE(QImage(folder + "/Snapshot_small.jpg").size(), p->pan1->size());
        QCOMPARE(QImage(folder + "/Snapshot_full.jpg").size(), QSize(320, 240));
        p->Stop();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    TPreviewPanelTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "PreviewPanelTest.moc"
