// The trim and crop dialogs opened from the main window's commands, then Start: the converted
// file keeps exactly the trimmed range, and a crop that removes a coloured border gives pictures
// whose edges no longer show it. The edit dialogs opened the way assistive technologies open
// them, through the menu entries' accessibility actions.
#include "EditDialogTestSupport.h"

#include "app/GlobalObject.h"
#include "app/PreviewLogic.h"
#include "app/SettingsKeys.h"
#include "app/QtDispatcher.h"
#include "probe/AVProbe.h"
#include "ui/FrmCrop.h"
#include "ui/FrmMain.h"
#include "ui/FrmProgress.h"
#include "ui/FrmSettings.h"
#include "ui/FrmTrim.h"
#include "ui/FrmWaterMark.h"
#include "ui/PreviewPanel.h"
#include "ui/SourceListView.h"
#include "ui/ZeltaApplication.h"

#include <QFileInfo>
#include <QDir>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <functional>
#include <memory>

using namespace zelta;
using namespace edittest;

namespace {

constexpr int64_t S = 1000000;

// The first picture at or after At seconds of the file's first video stream, as an image.
QImage PictureAt(const std::string& File, double At) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, File.c_str(), nullptr, nullptr) < 0)
        return {};
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> input(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return {};
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return {};
    const AVStream* stream = input->streams[index];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> decoder(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0 ||
        avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return {};
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> packet(av_packet_alloc(),
                                                          [](AVPacket* p) { av_packet_free(&p); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    TFrameConverter converter;
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == index;
        if (ours)
            avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        while (ours && avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            const double t = frame->best_effort_timestamp * av_q2d(stream->time_base);
            if (t >= At && FrameToBitmap(converter, frame.get()))
                return BitmapToImage(*converter.Bitmap);
        }
    }
    return {};
}

bool Magenta(QRgb C) { return qRed(C) > 180 && qGreen(C) < 90 && qBlue(C) > 180; }

// The share of magenta pixels in the row (Horizontal) or column at Line, its ends (where the
// borders across it lie) left out. The test pattern itself has some magenta, a border is all.
double MagentaLineShare(const QImage& Image, bool Horizontal, int Line) {
    const int n = Horizontal ? Image.width() : Image.height();
    int magenta = 0;
    for (int i = n / 8; i < n - n / 8; ++i)
        magenta += Magenta(Horizontal ? Image.pixel(i, Line) : Image.pixel(Line, i)) ? 1 : 0;
    return n > 0 ? double(magenta) / (n - 2 * (n / 8)) : 0;
}

// The share of magenta pixels in the outermost two rows and columns.
double MagentaEdgeShare(const QImage& Image) {
    int all = 0, magenta = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const bool edge = x < 2 || y < 2 || x >= Image.width() - 2 || y >= Image.height() - 2;
            if (!edge)
                continue;
            ++all;
            magenta += Magenta(Image.pixel(x, y));
        }
    return all > 0 ? double(magenta) / all : 0;
}

} // namespace

class TEditDialogsEndToEndTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    QString SettingsPath() const { return Home.filePath("zeltavideoaudioconverter.ini"); }
    QString OutFolder() const { return Home.filePath("out"); }

    // Runs Body once the modal dialog the command opens is up, then lets the command return.
    static void WhileModal(const std::function<void()>& Command, const std::function<void()>& Body) {
        bool ran = false;
        QTimer poll;
        poll.setInterval(10);
        // The command may process events before its dialog shows (stopping the preview).
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (ran || dialog == nullptr || !dialog->isVisible())
                return;
            ran = true;
            poll.stop();
            Body();
            if (dialog->isVisible())
                dialog->reject(); // Body failed before closing it
        });
        poll.start();
        Command();
        // A menu entry opens its window once the trigger has returned.
        QTRY_VERIFY_WITH_TIMEOUT(ran, Patience);
    }

    // Start, with a guard against a run that never ends.
    static void Start(TfrmMain& W) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (W.ProgressWindow() != nullptr)
                W.ProgressWindow()->close();
        });
        guard.start(120000);
        W.btnStartClick();
        QVERIFY(guard.isActive());
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        fixtures::Fixtures();
    }

    void init() {
        QFile::remove(SettingsPath());
        QFile::remove(QFileInfo(SettingsPath()).dir().filePath("list.txt")); // the kept list
        QDir(OutFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(OutFolder()));
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteString("settings", "OutPutDir", OutFolder().toStdString()));
    }

    void trimTwoToFiveSecondsConvertsThreeSeconds() {
        const std::string movie = Movie("edit-320x240-10s.mp4", 10);
        // M4A: a container whose length is exact.
        QVERIFY(TIniFile(SettingsPath().toStdString()).WriteString("settings", "FormatCode", "2"));
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({fixtures::Fixtures().Wav, movie});
        QCOMPARE(w.Files().RowCount(), 2);
        w.Files().SetChecked(0, false);
        w.lvFiles->SelectRow(1);
        // The preview plays; the command stops it first.
        w.PreviewPanel->Play();
        QVERIFY(!w.PreviewPanel->PlayerStopped());
        WhileModal([&] { w.Trim1->trigger(); }, [&] {
            TfrmTrim* trim = w.TrimWindow();
            QVERIFY(trim != nullptr && trim->isVisible());
            QVERIFY(w.PreviewPanel->PlayerStopped());
            QVERIFY(trim->FileOpened());
            trim->edtStart->setText("2");
            emit trim->edtStart->editingFinished();
            trim->edtTrimLength->setText("00:00:05.000");
            emit trim->edtTrimLength->editingFinished();
            trim->btnOk->click();
        });
        QCOMPARE(w.Files().Record(1).TrimStart, 2 * S);
        QCOMPARE(w.Files().Record(1).TrimLength, 3 * S);
        QCOMPARE(w.Files().data(w.Files().index(1, colTrimmedLength)).toString(), QStringLiteral("3"));
        QCOMPARE(w.Files().Record(0).TrimLength, 0);

        Start(w);
        const std::string out = w.Driver().Destination(0);
        TAVProbe probe;
        QVERIFY2(probe.Open(out), out.c_str());
        TFileStreamInfo info;
        QVERIFY(probe.GetFileStreamInfo(info));
        QVERIFY2(std::abs(info.Duration - 3 * S) <= S / 10,
                 qPrintable(QString::number(info.Duration)));
        w.close();
    }

    // An assistive technology presses a menu entry through its accessibility action and waits
    // for that call to return: it returns at once, and the dialog then opens as a click opens
    // it, its player playing (the settings dialog showing the current profile).
    void accessibilityActionsOpenTheEditDialogsAsAClickDoes() {
        const std::string movie = Movie("edit-320x240-10s.mp4", 10);
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({movie});
        QCOMPARE(w.Files().RowCount(), 1);
        w.lvFiles->SelectRow(0);
        const auto playing = [](QWidget* Dialog, QWidget* Play, QWidget* Pause) {
            return Dialog != nullptr && Dialog->isVisible() && !Play->isEnabled() &&
                   Pause->isEnabled();
        };
        struct TCase {
            QMenu* Menu;
            QAction* Action;
            std::function<bool()> Ready;
        };
        const TCase cases[] = {
            {w.EditMenu, w.Trim1,
             [&] {
                 TfrmTrim* d = w.TrimWindow();
                 return d != nullptr && playing(d, d->imgbtnPlay, d->imgbtnpause);
             }},
            {w.EditMenu, w.Crop1,
             [&] {
                 auto* d = w.findChild<TfrmCrop*>();
                 return d != nullptr && playing(d, d->imgbtnPlay, d->imgbtnpause);
             }},
            {w.EditMenu, w.WaterMark1,
             [&] {
                 auto* d = w.findChild<TfrmWaterMark*>();
                 return d != nullptr && playing(d, d->spdBtnPlay, d->spdBtnPause);
             }},
            {w.File1, w.Settings1,
             [&] {
                 TfrmSettings* d = w.SettingsWindow();
                 return d != nullptr && d->isVisible() && d->edt1->text() == w.edt1->text();
             }},
        };
        for (const TCase& c : cases) {
            // The entry's text without its mnemonic marks ("&&" is a plain "&").
            const QString name = c.Action->text()
                                     .replace(QStringLiteral("&&"), QStringLiteral("\x01"))
                                     .remove(QLatin1Char('&'))
                                     .replace(QLatin1Char('\x01'), QLatin1Char('&'));
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(c.Menu);
            QVERIFY(menu != nullptr);
            QAccessibleInterface* item = nullptr;
            for (int i = 0; i < menu->childCount() && item == nullptr; ++i)
                if (menu->child(i)->text(QAccessible::Name) == name)
                    item = menu->child(i);
            QVERIFY2(item != nullptr && item->actionInterface() != nullptr, qPrintable(name));
            // The dialog runs its own loop: it is looked at from a timer, closed once it is
            // ready, and closed anyway after a while so that nothing hangs.
            bool ready = false;
            QElapsedTimer since;
            since.start();
            QTimer poll;
            poll.setInterval(20);
            QObject::connect(&poll, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr || ready)
                    return;
                ready = c.Ready();
                if (ready || since.elapsed() > Patience)
                    dialog->reject();
            });
            poll.start();
            item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QVERIFY2(!ready, qPrintable(name + " kept the action's call until it closed"));
            QVERIFY(QApplication::activeModalWidget() == nullptr);
            QTRY_VERIFY2_WITH_TIMEOUT(ready, qPrintable(name), 2 * Patience);
            QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        }
        w.close();
    }

    void cropRemovesAColouredBorder() {
        const std::string movie = Movie("edit-720x576-border-2s.mp4", 2, 720, 576, 40);
        const QImage source = PictureAt(movie, 1.0);
        QCOMPARE(source.size(), QSize(720, 576));
        QVERIFY(MagentaEdgeShare(source) > 0.95);
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteString("settings", "FormatCode", "101")); // AVI, MPEG-4
        QVERIFY(settings.WriteString(FormatInfoSection(101), "paraZoom", "full"));
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({movie});
        QCOMPARE(w.Files().RowCount(), 1);
        w.lvFiles->SelectRow(-1); // no selection: the command takes row 0
        WhileModal([&] { w.CropClick(); }, [&] {
            auto* crop = w.findChild<TfrmCrop*>();
            QVERIFY(crop != nullptr && crop->isVisible());
            QCOMPARE(w.lvFiles->SelectedRow(), 0);
            // 20 preview pixels are about 46 source pixels: the 40-pixel border and a little.
            for (QSpinBox* s : {crop->spedUp, crop->spedDown, crop->spedLeft, crop->spedRight})
                s->stepBy(20);
            crop->btnOk->click();
        });
        const TlvFilesRecord& record = w.Files().Record(0);
        QCOMPARE(record.CropTop, 46);
        QCOMPARE(record.CropLeft, 46);
        QCOMPARE(record.CropBottom, 46);
        QCOMPARE(record.CropRight, 46);

        Start(w);
        const std::string out = w.Driver().Destination(0);
        const QImage converted = PictureAt(out, 1.0);
        QVERIFY2(!converted.isNull(), out.c_str());
        QVERIFY2(MagentaEdgeShare(converted) < 0.1,
                 qPrintable(QString::number(MagentaEdgeShare(converted))));
        w.close();
    }

    // One side cut in the dialog, on a video profile never set (its letterbox fitting): the
    // file converts, the cut side lost its border and the others kept theirs.
    void aCropOfOneSideConvertsWithTheFittingOfAFreshProfile() {
        const std::string movie = Movie("edit-720x576-border-2s.mp4", 2, 720, 576, 40);
        TIniFile settings(SettingsPath().toStdString());
        QVERIFY(settings.WriteString("settings", "FormatCode", "101")); // AVI, MPEG-4
        TfrmMain w(Services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.AddChosenFiles({movie});
        WhileModal([&] { w.CropClick(); }, [&] {
            auto* crop = w.findChild<TfrmCrop*>();
            QVERIFY(crop != nullptr && crop->isVisible());
            crop->spedUp->stepBy(20);
            crop->btnOk->click();
        });
        QCOMPARE(w.Files().Record(0).CropTop, 46);
        QCOMPARE(w.Files().Record(0).CropLeft, 0);

        Start(w);
        QVERIFY2(w.Files().ProgressError(0).empty(), w.Files().ProgressError(0).c_str());
        const QImage converted = PictureAt(w.Driver().Destination(0), 1.0);
        QVERIFY(!converted.isNull());
        QCOMPARE(converted.size(), QSize(720, 530)); // the source's size is the cropped picture's
        QVERIFY(MagentaLineShare(converted, true, 1) < 0.5);
        QVERIFY(MagentaLineShare(converted, true, converted.height() - 2) > 0.9);
        QVERIFY(MagentaLineShare(converted, false, 1) > 0.9);
        QVERIFY(MagentaLineShare(converted, false, converted.width() - 2) > 0.9);
        w.close();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TEditDialogsEndToEndTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "EditDialogsEndToEndTest.moc"
