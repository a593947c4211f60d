// Cost of turning decoded pictures into the engine's BGR24 bitmap: the per-frame work of every
// hooked conversion and every preview picture.
#include "engine/FFUtils.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavutil/frame.h>
}

#include <memory>

namespace {

struct TFrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};

std::unique_ptr<AVFrame, TFrameDeleter> MakeFrame(AVPixelFormat Format, int Width, int Height) {
    std::unique_ptr<AVFrame, TFrameDeleter> f(av_frame_alloc());
    f->format = Format;
    f->width = Width;
    f->height = Height;
    if (av_frame_get_buffer(f.get(), 32) < 0)
        return nullptr;
    for (int p = 0; p < 4 && f->data[p] != nullptr; ++p)
        for (int y = 0; y < (p == 0 ? Height : Height / 2); ++y)
            for (int x = 0; x < f->linesize[p]; ++x)
                f->data[p][y * f->linesize[p] + x] = uint8_t((x * 7 + y * 3 + p * 50) & 0xFF);
    return f;
}

void BM_Yuv420ToBitmap(benchmark::State& State) {
    const int w = int(State.range(0)), h = int(State.range(1));
    auto frame = MakeFrame(AV_PIX_FMT_YUV420P, w, h);
    TFrameConverter conv;
    for (auto _ : State)
        benchmark::DoNotOptimize(FrameToBitmap(conv, frame.get()));
    State.SetItemsProcessed(State.iterations());
    State.SetBytesProcessed(State.iterations() * int64_t(w) * h * 3);
}
BENCHMARK(BM_Yuv420ToBitmap)->Args({320, 240})->Args({1280, 720})->Args({1920, 1080});

void BM_Bgr24DirectCopy(benchmark::State& State) {
    const int w = int(State.range(0)), h = int(State.range(1));
    auto frame = MakeFrame(AV_PIX_FMT_BGR24, w, h);
    // The direct path needs the bitmap's padded line size.
    frame->linesize[0] = (w * 3 + 3) & ~3;
    TFrameConverter conv;
    for (auto _ : State)
        benchmark::DoNotOptimize(FrameToBitmap(conv, frame.get()));
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_Bgr24DirectCopy)->Args({1280, 720});

} // namespace

BENCHMARK_MAIN();
