// The preview player on a heavy file: 60 s of 1080p30 H.264 + AAC (made on first use), played
// for 20 s into a 640 x 360 panel with SDL's dummy audio. Reports, as counters of one run:
//   open_to_picture_ms  time from Open to the first picture handed to the panel
//   dropped_pct         pictures of the 20 s not shown (the file has 30 per second)
//   av_offset_max_ms    largest |video clock - audio clock| at the reported positions
//   av_offset_mean_ms   their mean (signed: positive = video ahead)
//   av_offset_over_40   reported positions with an offset beyond 40 ms
//   positions           positions reported
//   seek_ms_mean / seek_ms_max   Seek call to the first picture at the target, over three seeks
//   cpu_pct             process CPU time (user + system) per second of playback, in % of one core
// The media folder is $ZELTA_BENCH_MEDIA, else a "zelta-bench" folder in the temporary folder.
#include "BenchSupport.h"
#include "fixtures/Fixtures.h"
#include "engine/FFmpegLoader.h"
#include "player/FFPlayer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::string BenchMedia() {
    const char* env = std::getenv("ZELTA_BENCH_MEDIA");
    const std::filesystem::path dir =
        env != nullptr && *env != 0 ? std::filesystem::path(env)
                                    : std::filesystem::temp_directory_path() / "zelta-bench";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "player-1080p30-h264-aac-60s.mp4").string();
    if (!std::filesystem::exists(path)) {
        fixtures::TMediaSpec spec;
        spec.Format = "mp4";
        spec.VideoEncoder = "libx264";
        spec.Width = 1920;
        spec.Height = 1080;
        spec.FrameRateNum = 30;
        spec.AudioEncoders = {"aac"};
        spec.SampleRate = 48000;
        spec.Seconds = 60.0;
        fixtures::MakeMediaOnce(path, spec);
    }
    return path;
}

// Counts the pictures it is shown and when the first one after a mark arrived.
class TCountingSink : public TPictureSink {
public:
    void ShowPicture(TShownPicture Picture) override {
        std::lock_guard g(Lock_);
        const auto now = Clock::now();
        if (Shown_ == 0)
            First_ = now;
        ++Shown_;
        Pts_.push_back(Picture.PTS);
        if (WaitTarget_ != NoMediaTime && Picture.PTS >= WaitTarget_ && !Reached_) {
            Reached_ = true;
            ReachedAt_ = now;
        }
        Cond_.notify_all();
    }
    void ClientSize(int& Width, int& Height) const override {
        Width = 640;
        Height = 360;
    }

    bool WaitFirst(std::chrono::milliseconds Timeout, Clock::time_point& At) {
        std::unique_lock l(Lock_);
        if (!Cond_.wait_for(l, Timeout, [&] { return Shown_ > 0; }))
            return false;
        At = First_;
        return true;
    }
    void Expect(int64_t Target) {
        std::lock_guard g(Lock_);
        WaitTarget_ = Target;
        Reached_ = false;
    }
    bool WaitReached(std::chrono::milliseconds Timeout, Clock::time_point& At) {
        std::unique_lock l(Lock_);
        if (!Cond_.wait_for(l, Timeout, [&] { return Reached_; }))
            return false;
        At = ReachedAt_;
        return true;
    }
    // Pictures shown with times in [From, To).
    int ShownBetween(int64_t From, int64_t To) {
        std::lock_guard g(Lock_);
        return int(std::count_if(Pts_.begin(), Pts_.end(),
                                 [&](int64_t P) { return P >= From && P < To; }));
    }

private:
    std::mutex Lock_;
    std::condition_variable Cond_;
    int Shown_ = 0;
    std::vector<int64_t> Pts_;
    Clock::time_point First_;
    int64_t WaitTarget_ = NoMediaTime;
    bool Reached_ = false;
    Clock::time_point ReachedAt_;
};

void BM_Play1080p30(benchmark::State& State) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!FFLoader().LoadLibs(PlayerLibraries)) {
        State.SkipWithError(FFLoader().LastError().c_str());
        return;
    }
    const std::string file = BenchMedia();
    for (auto _ : State) {
        TFFPlayer player;
        TCountingSink sink;
        std::mutex offsetLock;
        std::vector<double> offsets;
        std::atomic<bool> measuring{false};
        player.SetTriggerEventInMainThread(false);
        player.SetOnPosition([&](TFFPlayer* Sender, int64_t) {
            if (!measuring)
                return;
            const TPlayerClocks c = Sender->Clocks();
            if (std::isnan(c.Audio) || std::isnan(c.Video))
                return;
            std::lock_guard g(offsetLock);
            offsets.push_back((c.Video - c.Audio) * 1000.0);
        });

        const auto opened = Clock::now();
        if (!player.Open(file, &sink)) {
            State.SkipWithError(player.LastError().c_str());
            return;
        }
        Clock::time_point first;
        if (!sink.WaitFirst(10s, first)) {
            State.SkipWithError("no picture shown");
            return;
        }
        const double openMs = std::chrono::duration<double, std::milli>(first - opened).count();

        // Let start-up settle, then measure 20 s of playback.
        std::this_thread::sleep_for(1s);
        const int64_t from = player.Position();
        const double cpuStart = CpuSeconds();
        const auto wallStart = Clock::now();
        measuring = true;
        std::this_thread::sleep_for(20s);
        measuring = false;
        const int64_t to = player.Position();
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        const double cpu = CpuSeconds() - cpuStart;
        const int expected = int(std::lround(double(to - from) / 1e6 * 30.0));
        const int shown = sink.ShownBetween(from, to);

        std::vector<double> seeks;
        for (const int64_t target : {45000000LL, 12000000LL, 30000000LL}) {
            // The first picture of a seek is its keyframe, up to 12 frames before the target.
            sink.Expect(target - 500000);
            const auto asked = Clock::now();
            player.Seek(0, false, target);
            Clock::time_point reached;
            if (sink.WaitReached(3s, reached))
                seeks.push_back(std::chrono::duration<double, std::milli>(reached - asked).count());
            std::this_thread::sleep_for(1s);
        }
        player.Stop(true);

        double maxOffset = 0, sumOffset = 0;
        int over = 0;
        for (double o : offsets) {
            maxOffset = std::max(maxOffset, std::fabs(o));
            sumOffset += o;
            over += std::fabs(o) > 40.0;
        }
        State.counters["open_to_picture_ms"] = openMs;
        State.counters["dropped_pct"] =
            expected > 0 ? 100.0 * std::max(0, expected - shown) / expected : 0.0;
        State.counters["av_offset_max_ms"] = maxOffset;
        State.counters["av_offset_mean_ms"] = offsets.empty() ? 0.0 : sumOffset / double(offsets.size());
        State.counters["av_offset_over_40"] = over;
        State.counters["positions"] = double(offsets.size());
        double seekSum = 0, seekMax = 0;
        for (double s : seeks) {
            seekSum += s;
            seekMax = std::max(seekMax, s);
        }
        State.counters["seek_ms_mean"] = seeks.empty() ? -1.0 : seekSum / double(seeks.size());
        State.counters["seek_ms_max"] = seeks.empty() ? -1.0 : seekMax;
        State.counters["seeks_reached"] = double(seeks.size());
        State.counters["cpu_pct"] = 100.0 * cpu / wall;
    }
}
BENCHMARK(BM_Play1080p30)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
