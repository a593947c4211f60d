// End to end through the windows: the main window opens the watermark dialog on its selected
// row, layers and effect values are made there with the dialog's controls, OK stores them, and
// Start converts the file. The converted pictures are decoded and compared with the source's:
// each layer appears at its place only inside its range, a brightness set on the Effect page
// changes the pictures, and the dialog's preview agrees with the converted frame inside every
// layer's rectangle.
#include "app/GlobalObject.h"
#include "app/IniFile.h"
#include "app/QtDispatcher.h"
#include "fixtures/Fixtures.h"
#include "RecordingServices.h"
#include "ui/FrmMain.h"
#include "ui/FrmWaterMark.h"
#include "ui/SourceListView.h"
#include "ui/TrackBar2.h"
#include "ui/WaterMarkPreview.h"
#include "ui/ZeltaApplication.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <functional>
#include <memory>

using namespace zelta;

namespace {

constexpr int Patience = 20000;

struct TDecoded {
    double Time = 0; // seconds
    QImage Picture;  // RGB888
};

// Every picture of the first video stream, with plain library calls.
std::vector<TDecoded> DecodeVideo(const std::string& Path) {
    std::vector<TDecoded> frames;
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, Path.c_str(), nullptr, nullptr) < 0)
        return frames;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> fmtGuard(
        fmt, [](AVFormatContext* f) { avformat_close_input(&f); });
    if (avformat_find_stream_info(fmt, nullptr) < 0)
        return frames;
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(fmt, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0 || codec == nullptr)
        return frames;
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> dec(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    avcodec_parameters_to_context(dec.get(), fmt->streams[index]->codecpar);
    if (avcodec_open2(dec.get(), codec, nullptr) < 0)
        return frames;
    const AVRational tb = fmt->streams[index]->time_base;
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> pkt(av_packet_alloc(), [](AVPacket* p) { av_packet_free(&p); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(), [](AVFrame* f) { av_frame_free(&f); });
    SwsContext* sws = nullptr;
    const auto receive = [&] {
        while (avcodec_receive_frame(dec.get(), frame.get()) >= 0) {
            sws = sws_getCachedContext(sws, frame->width, frame->height, AVPixelFormat(frame->format),
                                       frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_BICUBIC,
                                       nullptr, nullptr, nullptr);
            QImage img(frame->width, frame->height, QImage::Format_RGB888);
            uint8_t* dst[4] = {img.bits(), nullptr, nullptr, nullptr};
            int lines[4] = {int(img.bytesPerLine()), 0, 0, 0};
            sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, lines);
            const int64_t ts = frame->best_effort_timestamp;
            frames.push_back({ts == AV_NOPTS_VALUE ? 0.0 : ts * av_q2d(tb), img});
        }
    };
    while (av_read_frame(fmt, pkt.get()) >= 0) {
        if (pkt->stream_index == index && avcodec_send_packet(dec.get(), pkt.get()) >= 0)
            receive();
        av_packet_unref(pkt.get());
    }
    avcodec_send_packet(dec.get(), nullptr);
    receive();
    sws_freeContext(sws);
    return frames;
}

const QImage& At(const std::vector<TDecoded>& Frames, double Time) {
    const TDecoded* best = &Frames.front();
    for (const TDecoded& f : Frames)
        if (std::abs(f.Time - Time) < std::abs(best->Time - Time))
            best = &f;
    return best->Picture;
}

// Mean absolute channel difference of two pictures over a rectangle.
double MeanDiff(const QImage& A, const QImage& B, const QRect& R) {
    double sum = 0;
    int n = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
        for (int x = R.left(); x <= R.right(); ++x) {
            const QColor a = A.pixelColor(x, y), b = B.pixelColor(x, y);
            sum += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            n += 3;
        }
    return n > 0 ? sum / n : 0;
}

// PSNR over a rectangle, of the luma (BT.601) or of the three channels. The converted video keeps
// its colour at half resolution (4:2:0), so sharp saturated edges of a layer differ in colour
// from any full-resolution picture; the luma is kept at full resolution.
double Psnr(const QImage& A, const QImage& B, const QRect& R, bool Luma) {
    double mse = 0;
    int n = 0;
    const auto y = [](const QColor& c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue(); };
    for (int row = R.top(); row <= R.bottom(); ++row)
        for (int x = R.left(); x <= R.right(); ++x) {
            const QColor a = A.pixelColor(x, row), b = B.pixelColor(x, row);
            if (Luma) {
                const double d = y(a) - y(b);
                mse += d * d;
                ++n;
                continue;
            }
            for (int d : {a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue()}) {
                mse += double(d) * d;
                ++n;
            }
        }
    mse /= std::max(n, 1);
    return mse <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// Share of the rectangle's pixels near a colour.
double Share(const QImage& P, const QRect& R, QColor Colour) {
    int hit = 0, n = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
        for (int x = R.left(); x <= R.right(); ++x, ++n) {
            const QColor c = P.pixelColor(x, y);
            hit += std::abs(c.red() - Colour.red()) < 70 && std::abs(c.green() - Colour.green()) < 70 &&
                   std::abs(c.blue() - Colour.blue()) < 70;
        }
    return double(hit) / std::max(n, 1);
}

double MeanLevel(const QImage& P) {
    double sum = 0;
    for (int y = 0; y < P.height(); y += 3)
        for (int x = 0; x < P.width(); x += 3) {
            const QColor c = P.pixelColor(x, y);
            sum += c.red() + c.green() + c.blue();
        }
    return sum / ((P.height() / 3 + 1) * (P.width() / 3 + 1) * 3);
}

} // namespace

class TWaterMarkConversionTest : public QObject {
    Q_OBJECT
    TRecordingServices Services;
    QTemporaryDir Home;
    std::string Source;

    // Opens the dialog through the main window's command, runs Edit on it once its preview
    // shows frames, presses OK, then runs Start; returns the converted file.
    std::string EditAndConvert(const std::function<void(TfrmWaterMark&)>& Edit, TlvFilesRecord* Stored = nullptr) {
        TfrmMain w(Services);
        w.show();
        std::string out;
        [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.AddChosenFiles({Source});
            QCOMPARE(w.Files().RowCount(), 1);
            w.lvFiles->clearSelection(); // no row selected: the command takes row 0
            bool edited = false;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                auto* d = qobject_cast<TfrmWaterMark*>(QApplication::activeModalWidget());
                if (edited || d == nullptr || d->ImgView->FramesShown() == 0)
                    return;
                edited = true;
                Edit(*d);
                d->btnOk->click();
            });
            poll.start(20);
            QTimer guard;
            guard.setSingleShot(true);
            QObject::connect(&guard, &QTimer::timeout, [&] {
                if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    d->reject();
            });
            guard.start(60000);
            w.WaterMarkClick();
            poll.stop();
            QVERIFY(edited);
            if (Stored != nullptr) {
                Stored->WaterMarks.clear();
                for (const auto& l : w.Files().Record(0).WaterMarks) {
                    auto c = std::make_unique<TWmRec>();
                    c->Text = l->Text;
                    c->TextLeft = l->TextLeft;
                    c->TextTop = l->TextTop;
                    c->TextWidth = l->TextWidth;
                    c->TextHeight = l->TextHeight;
                    c->ImageLeft = l->ImageLeft;
                    c->ImageTop = l->ImageTop;
                    c->ImageWidth = l->ImageWidth;
                    c->ImageHeight = l->ImageHeight;
                    c->Kind = l->Kind;
                    c->StartTime = l->StartTime;
                    c->EndTime = l->EndTime;
                    Stored->WaterMarks.push_back(std::move(c));
                }
                Stored->Brightness = w.Files().Record(0).Brightness;
            }
            w.btnStartClick();
            guard.stop();
            out = w.Driver().Destination(0);
            QVERIFY2(QFileInfo(QString::fromStdString(out)).size() > 1000, out.c_str());
        }();
        w.close();
        return out;
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
        TIniFile ini(Home.filePath("zeltavideoaudioconverter.ini").toStdString());
        QVERIFY(ini.WriteString("settings", "FormatCode", "101")); // AVI, MPEG-4 video
        QVERIFY(ini.WriteString("settings", "OutPutDir", Home.filePath("out").toStdString()));
        Source = fixtures::Fixtures().Dir + "/wm-e2e-6s.mp4";
        fixtures::TMediaSpec spec;
        spec.Format = "mp4";
        spec.VideoEncoder = "mpeg4";
        spec.Seconds = 6.0;
        fixtures::MakeMediaOnce(Source, spec);
    }

    // Each case starts with an empty list: the kept list of the case before is not restored.
    void init() { QFile::remove(Home.filePath("list.txt")); }

    void aTextAndAPngLayerAppearAtTheirPlacesOnlyInTheirRanges() {
        // 40 x 30 opaque blue with a transparent 10 x 10 hole in the middle.
        QImage png(40, 30, QImage::Format_ARGB32);
        png.fill(QColor(0, 0, 255));
        for (int y = 10; y < 20; ++y)
            for (int x = 15; x < 25; ++x)
                png.setPixelColor(x, y, QColor(0, 0, 0, 0));
        const QString pngFile = Home.filePath("logo.png");
        QVERIFY(png.save(pngFile));

        QImage previewText, previewImage;
        double textTime = -1, imageTime = -1;
        TlvFilesRecord stored;
        const std::string out = EditAndConvert(
            [&](TfrmWaterMark& d) {
                d.trcTextTran->setValue(255);
                d.colorBoxcmb->setCurrentIndex(15);        // white letters
                d.colorBoxbackground->setCurrentIndex(9);  // on red
                d.btnAddText->click();
                d.edt1->setText("ZELTA");
                d.edt1Change();
                d.edt1Exit();
                d.trcTextHoriz->setValue(20);
                d.trcTextVert->setValue(20);
                d.trcRange->SetPositions(1, 2);
                Services.FileAnswers = {pngFile};
                d.SetPictureChooser(Services.FileDialog());
                d.btnAddImage->click();
                d.trcTextHoriz->setValue(200);
                d.trcTextVert->setValue(150);
                d.trcRange->SetPositions(3, 4);
                d.ImgView->Select(-1); // the preview without the selection frame

                // The preview at 1.5 s and at 3.5 s, for the comparison with the output.
                d.spdBtnPauseClick();
                const auto grab = [&](int64_t Position, QImage& Picture, double& Time) {
                    d.Player().Seek(0, true, Position);
                    const int id = d.Layers().Row(Position < 3'000'000 ? 0 : 1).Id;
                    QTRY_VERIFY_WITH_TIMEOUT(d.ImgView->FramePTS() >= Position - 500'000 &&
                                                 d.ImgView->FramePTS() < Position + 500'000 &&
                                                 d.ImgView->LayerVisible(id),
                                             Patience);
                    QTest::qWait(100);
                    Picture = d.ImgView->Composite().convertToFormat(QImage::Format_RGB888);
                    Time = d.ImgView->FramePTS() / 1e6;
                };
                grab(1'500'000, previewText, textTime);
                grab(3'500'000, previewImage, imageTime);
            },
            &stored);
        QCOMPARE(stored.WaterMarks.size(), size_t(2));
        const TWmRec& text = *stored.WaterMarks[0];
        const TWmRec& image = *stored.WaterMarks[1];
        QCOMPARE(text.TextLeft, 20);
        QCOMPARE(image.ImageLeft, 200);
        QCOMPARE(image.ImageTop, 150);

        const std::vector<TDecoded> src = DecodeVideo(Source);
        const std::vector<TDecoded> conv = DecodeVideo(out);
        QVERIFY(src.size() > 100);
        QVERIFY(conv.size() > 100);
        const QRect textBox(text.TextLeft, text.TextTop, text.TextWidth, text.TextHeight);
        const QRect imageBox(200, 150, 40, 30);
        const QRect hole(200 + 17, 150 + 12, 6, 6);
        const QRect blue = QRect(200, 150, 40, 8); // the top band, no hole
        for (double t : {0.5, 1.5, 2.5, 3.5, 4.5, 5.5}) {
            const QImage& s = At(src, t);
            const QImage& c = At(conv, t);
            const bool textOn = t > 1 && t < 3;
            const bool imageOn = t > 3 && t < 5;
            const double textDiff = MeanDiff(s, c, textBox);
            const double imageDiff = MeanDiff(s, c, imageBox);
            QVERIFY2(textOn ? textDiff > 40 : textDiff < 12, qPrintable(QString("t=%1 text %2").arg(t).arg(textDiff)));
            QVERIFY2(imageOn ? imageDiff > 30 : imageDiff < 12, qPrintable(QString("t=%1 image %2").arg(t).arg(imageDiff)));
            if (textOn)
                QVERIFY(Share(c, textBox, QColor(255, 0, 0)) > 0.5);
            if (imageOn) {
                QVERIFY(Share(c, blue, QColor(0, 0, 255)) > 0.8);
                // The transparent hole shows the picture below.
                QVERIFY2(MeanDiff(s, c, hole) < 15, qPrintable(QString::number(MeanDiff(s, c, hole))));
            }
        }

        // What the preview showed is what the conversion made, inside each layer's rectangle.
        const double psnrText = Psnr(previewText, At(conv, textTime), textBox, true);
        const double psnrImage = Psnr(previewImage, At(conv, imageTime), imageBox, true);
        qInfo("WYSIWYG PSNR (luma): text %.1f dB, picture %.1f dB; all channels: %.1f dB, %.1f dB",
              psnrText, psnrImage, Psnr(previewText, At(conv, textTime), textBox, false),
              Psnr(previewImage, At(conv, imageTime), imageBox, false));
        QVERIFY2(psnrText >= 30, qPrintable(QString::number(psnrText)));
        QVERIFY2(psnrImage >= 30, qPrintable(QString::number(psnrImage)));
    }

    void aBrightnessSetOnTheEffectPageChangesTheConvertedPictures() {
        TlvFilesRecord stored;
        const std::string out = EditAndConvert(
            [&](TfrmWaterMark& d) {
                d.pageControl1->setCurrentWidget(d.tsEffect);
                d.spedtBrightness->setValue(100);
            },
            &stored);
        QCOMPARE(stored.Brightness, 100);
        QVERIFY(stored.WaterMarks.empty());
        const std::vector<TDecoded> src = DecodeVideo(Source);
        const std::vector<TDecoded> conv = DecodeVideo(out);
        for (double t : {0.5, 3.0, 5.5}) {
            const double before = MeanLevel(At(src, t)), after = MeanLevel(At(conv, t));
            QVERIFY2(after < before * 0.6, qPrintable(QString("t=%1: %2 -> %3").arg(t).arg(before).arg(after)));
        }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TWaterMarkConversionTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "WaterMarkConversionTest.moc"
