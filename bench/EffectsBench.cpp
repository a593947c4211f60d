// Per-frame cost of the frame-effects pipeline that a hooked conversion runs on every decoded
// picture: picture adjustment and exposure, one text layer and one picture layer on a 1280x720
// frame (goal: under 4 ms per frame on one core), and its parts on their own.
#include "effects/FrameEffects.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace zelta;

void FillNoise(TBitmap24& Bitmap)
{
    std::mt19937 Random(7);
    for (int Y = 0; Y < Bitmap.Height(); ++Y) {
        uint8_t* P = Bitmap.ScanLine(Y);
        for (int X = 0; X < Bitmap.Width() * 3; ++X)
            P[X] = uint8_t(Random() & 0xFF);
    }
}

// A 200x80 logo written once into the temporary folder.
const std::string& LogoFile()
{
    static const std::string Path = [] {
        const std::string File =
            (std::filesystem::temp_directory_path() / "zelta-effects-bench-logo.bmp").string();
        QImage Logo(200, 80, QImage::Format_RGB888);
        for (int Y = 0; Y < Logo.height(); ++Y)
            for (int X = 0; X < Logo.width(); ++X)
                Logo.setPixel(X, Y, qRgb(X, Y * 3, 128));
        if (!Logo.save(QString::fromStdString(File), "BMP"))
            std::abort();
        return File;
    }();
    return Path;
}

void MakeRecord(TFrameEffectsRecord& Record, bool Text, bool Picture, bool Adjust)
{
    if (Adjust) {
        Record.Brightness = 300;
        Record.Contrast = 20;
        Record.Saturation = 320;
        Record.Exposure = 60;
    }
    if (Text) {
        auto L = std::make_unique<TWmRec>();
        L->Kind = WmKindText;
        L->Text = "Zelta Video to Audio Converter";
        L->Font = std::make_unique<TWmFont>();
        L->Font->Name = "DejaVu Sans";
        L->Font->Size = 24;
        L->Font->Style = fsBold;
        L->Font->Color = RGBColor(255, 255, 255);
        L->TextLeft = 40;
        L->TextTop = 600;
        L->TextWidth = 560;
        L->TextHeight = 48;
        L->TextAlpha = 200;
        L->EndTime = 100;
        Record.WaterMarks.push_back(std::move(L));
    }
    if (Picture) {
        auto L = std::make_unique<TWmRec>();
        L->Kind = WmKindImage;
        L->ImageFile = LogoFile();
        L->ImageLeft = 1040;
        L->ImageTop = 20;
        L->ImageAlpha = 160;
        L->EndTime = 100;
        Record.WaterMarks.push_back(std::move(L));
    }
}

void RunPipeline(benchmark::State& State, bool Text, bool Picture, bool Adjust)
{
    TBitmap24 Frame;
    Frame.SetSize(1280, 720);
    FillNoise(Frame);
    TFrameEffectsRecord Record;
    MakeRecord(Record, Text, Picture, Adjust);
    TLayerPictures Pictures;
    int64_t Pts = 0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(ApplyFrameEffects(Frame, Record, Pts, Pictures));
        benchmark::ClobberMemory();
        Pts += 40000;
        if (Pts >= 100000000)
            Pts = 0;
    }
    State.SetItemsProcessed(State.iterations());
}

void BM_FullPipeline720p(benchmark::State& State) { RunPipeline(State, true, true, true); }
BENCHMARK(BM_FullPipeline720p)->Unit(benchmark::kMillisecond);

void BM_AdjustmentsOnly720p(benchmark::State& State) { RunPipeline(State, false, false, true); }
BENCHMARK(BM_AdjustmentsOnly720p)->Unit(benchmark::kMillisecond);

void BM_TextLayer720p(benchmark::State& State) { RunPipeline(State, true, false, false); }
BENCHMARK(BM_TextLayer720p)->Unit(benchmark::kMillisecond);

void BM_PictureLayer720p(benchmark::State& State) { RunPipeline(State, false, true, false); }
BENCHMARK(BM_PictureLayer720p)->Unit(benchmark::kMillisecond);

// The picture read and decoded for every frame, as a pipeline without the cache would.
void BM_PictureLayerUncached720p(benchmark::State& State)
{
    TBitmap24 Frame;
    Frame.SetSize(1280, 720);
    FillNoise(Frame);
    TFrameEffectsRecord Record;
    MakeRecord(Record, false, true, false);
    for (auto _ : State)
        benchmark::DoNotOptimize(RenderImageLayer(Frame, *Record.WaterMarks[0]));
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_PictureLayerUncached720p)->Unit(benchmark::kMillisecond);

void BM_AdjustPicture720p(benchmark::State& State)
{
    TBitmap24 Frame;
    Frame.SetSize(1280, 720);
    FillNoise(Frame);
    for (auto _ : State) {
        AdjustPicture(Frame, 300, 20, 320);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AdjustPicture720p)->Unit(benchmark::kMillisecond);

void BM_AdjustExposure720p(benchmark::State& State)
{
    TBitmap24 Frame;
    Frame.SetSize(1280, 720);
    FillNoise(Frame);
    for (auto _ : State) {
        AdjustExposure(Frame, 60.0f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AdjustExposure720p)->Unit(benchmark::kMillisecond);

}  // namespace

// Text layers need a QGuiApplication; the offscreen platform needs no display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    int AppArgc = 1;
    QGuiApplication App(AppArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code Ec;
    std::filesystem::remove(LogoFile(), Ec);
    return 0;
}
