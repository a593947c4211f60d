// The watermark dialog's live preview on a 720p30 file (H.264 + AAC, 30 s, made on first use)
// with two layers, a filled text and a PNG picture with alpha, and a picture adjustment, under
// the offscreen platform with SDL's dummy audio. Plays 15 s and reports, as counters of one run:
//   shown_pct      frames the layered view showed, in % of the frames of the played media time
//   hook_ms_mean   mean time of the player's hook per frame (schedule, crop frame, adjustments,
//                  hand-over to the view), measured on the video thread
//   hook_ms_max    its largest value
//   media_s        media seconds played
//   cpu_pct        process CPU time per second of playback, in % of one core
// The media folder is $ZELTA_BENCH_MEDIA, else a "zelta-bench" folder in the temporary folder.
#include "BenchSupport.h"
#include "app/QtDispatcher.h"
#include "effects/FrameEffects.h"
#include "fixtures/Fixtures.h"
#include "ui/DialogServices.h"
#include "ui/FrmWaterMark.h"
#include "ui/WaterMarkPreview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path BenchFolder() {
    const char* env = std::getenv("ZELTA_BENCH_MEDIA");
    const std::filesystem::path dir =
        env != nullptr && *env != 0 ? std::filesystem::path(env)
                                    : std::filesystem::temp_directory_path() / "zelta-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string BenchMedia() {
    const std::string path = (BenchFolder() / "watermark-720p30-h264-aac-30s.mp4").string();
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "libx264";
    spec.Width = 1280;
    spec.Height = 720;
    spec.FrameRateNum = 30;
    spec.AudioEncoders = {"aac"};
    spec.SampleRate = 48000;
    spec.Seconds = 30.0;
    fixtures::MakeMediaOnce(path, spec);
    return path;
}

void Wait(int Milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_Preview720p30TwoLayers(benchmark::State& State) {
    const std::string media = BenchMedia();
    QImage logo(200, 100, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    {
        QPainter p(&logo);
        p.setBrush(QColor(40, 90, 220, 200));
        p.drawEllipse(logo.rect().adjusted(2, 2, -2, -2));
    }
    const std::string logoFile = (BenchFolder() / "watermark-bench-logo.png").string();
    logo.save(QString::fromStdString(logoFile));

    for (auto _ : State) {
        zelta::TlvFilesRecord record;
        record.SrcFile = media;
        record.Duration = 30;
        record.Saturation = 300;
        auto text = std::make_unique<zelta::TWmRec>();
        text->Text = "Zelta Video Converter";
        text->Font = std::make_unique<zelta::TWmFont>();
        text->Font->Size = 36;
        text->Font->Color = zelta::RGBColor(255, 255, 255);
        text->BackFilled = true;
        text->BackColor = zelta::RGBColor(0, 0, 128);
        const QSize size = zelta::TextLayerSize(text->Text, *text->Font);
        text->TextLeft = 60;
        text->TextTop = 60;
        text->TextWidth = size.width();
        text->TextHeight = size.height();
        text->TextAlpha = 180;
        text->EndTime = 30;
        auto picture = std::make_unique<zelta::TWmRec>();
        picture->Kind = zelta::WmKindImage;
        picture->ImageFile = logoFile;
        picture->ImageLeft = 1000;
        picture->ImageTop = 560;
        picture->ImageAlpha = 230;
        picture->EndTime = 30;
        record.WaterMarks.push_back(std::move(text));
        record.WaterMarks.push_back(std::move(picture));

        TfrmWaterMark dialog(record, TDialogServices::Default());
        dialog.show();
        for (int i = 0; i < 500 && dialog.ImgView->FramesShown() == 0; ++i)
            Wait(20);
        if (dialog.ImgView->FramesShown() == 0) {
            State.SkipWithError("no frame shown");
            return;
        }
        Wait(1000);
        const int64_t from = dialog.Player().Position();
        const int shownFrom = dialog.ImgView->FramesShown();
        const double cpuStart = CpuSeconds();
        const auto wallStart = Clock::now();
        Wait(15000);
        const int64_t to = dialog.Player().Position();
        const int shown = dialog.ImgView->FramesShown() - shownFrom;
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        const double cpu = CpuSeconds() - cpuStart;
        const TfrmWaterMark::THookTimes times = dialog.HookTimes();
        dialog.btnCancelClick();

        const double mediaSeconds = double(to - from) / 1e6;
        const double expected = mediaSeconds * 30.0;
        State.counters["shown_pct"] = expected > 0 ? 100.0 * shown / expected : 0.0;
        State.counters["media_s"] = mediaSeconds;
        State.counters["hook_ms_mean"] = times.Count > 0 ? times.TotalMs / times.Count : -1.0;
        State.counters["hook_ms_max"] = times.MaxMs;
        State.counters["cpu_pct"] = 100.0 * cpu / wall;
    }
}
BENCHMARK(BM_Preview720p30TwoLayers)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
