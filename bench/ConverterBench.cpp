// Times the encoder component on whole batches, in one process:
// - twenty 10-second video files (320x240 MPEG-4 + AAC) to MP3, one task at a time (N = 1) and
//   two at a time (N = 2);
// - a 10-second 720p25 H.264 file to MPEG-4 AVI with a pass-through frame hook (every picture
//   goes to BGR24, to the OnCustomHook handler and back) and the same job without the hook.
//
//   ConverterBench [--media DIR] [--repeat N] [--only batch|hook] [--parallel 1|2]
//                  [--side plain|hooked]
//
// --parallel and --side run one half of a comparison only (for profiling it).
// The media are made once with the test fixture builder and kept in DIR (default: bench-media
// beside the program). Each job runs N times (default 3); the shortest wall time counts.
// Arguments of the benchmark library (--benchmark_...) are ignored.

#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/OptionRecords.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace {

bool Exists(const std::string& Path) {
    struct stat st;
    return ::stat(Path.c_str(), &st) == 0 && st.st_size > 0;
}

std::string MakeOnce(const std::string& Path, const fixtures::TMediaSpec& Spec) {
    if (!Exists(Path)) {
        std::printf("making %s ...\n", Path.c_str());
        std::fflush(stdout);
        fixtures::MakeMediaOnce(Path, Spec);
    }
    return Path;
}

std::string ProgramDir() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    path.resize(n > 0 ? size_t(n) : 0);
    return std::filesystem::path(path).parent_path().string();
}

struct TJob {
    std::string Input;
    std::string Output;
    TOutputOptions Options;
};

// Runs the jobs as one batch of a fresh component; seconds from StartTask to the final
// notification, or -1 when a task failed.
double RunBatch(const std::vector<TJob>& Jobs, int Parallel, bool Hook) {
    TFFConverter conv;
    std::mutex lock;
    std::condition_variable done;
    bool final = false;
    bool failed = false;
    conv.SetOnTerminate([&](TCustomFFConverter&, const TTerminateInfo& Info) {
        std::lock_guard g(lock);
        if (Info.TaskIndex < 0)
            final = true;
        else if (!Info.Finished || Info.Exception) {
            std::fprintf(stderr, "  task %d: %s\n", Info.TaskIndex, Info.ExceptionMsg.c_str());
            failed = true;
        }
        done.notify_all();
    });
    if (Hook)
        conv.SetOnCustomHook(
            [](TCustomFFConverter&, PHookInfo) {}); // draws nothing; frames go back
    for (const TJob& j : Jobs) {
        const int index = conv.AddTask(j.Input);
        if (index < 0 || !conv.SetOutputFile(index, j.Output, &j.Options)) {
            std::fprintf(stderr, "  %s: %s\n", j.Input.c_str(), conv.LastError().c_str());
            return -1;
        }
    }
    const auto t0 = std::chrono::steady_clock::now();
    conv.StartTask(Parallel);
    std::unique_lock g(lock);
    done.wait(g, [&] { return final; });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    g.unlock();
    conv.ClearTasks();
    return failed ? -1 : seconds;
}

double Best(int Repeat, const std::vector<TJob>& Jobs, int Parallel, bool Hook) {
    double best = -1;
    for (int i = 0; i < Repeat; ++i) {
        const double s = RunBatch(Jobs, Parallel, Hook);
        if (s < 0)
            return -1;
        best = best < 0 ? s : std::min(best, s);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    std::string mediaDir = ProgramDir() + "/bench-media";
    int repeat = 3;
    std::string only;
    int parallel = 0; // both 1 and 2
    std::string side; // both
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--media") == 0 && i + 1 < argc)
            mediaDir = argv[++i];
        else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--parallel") == 0 && i + 1 < argc)
            parallel = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--side") == 0 && i + 1 < argc)
            side = argv[++i];
    }
    if (!FFLoader().LoadLibs(EngineLibraries)) {
        std::fprintf(stderr, "%s\n", FFLoader().LastError().c_str());
        return 2;
    }
    GetLogger().SetTriggerEventInMainThread(false);
    GetLogger().SetLogLevel(llError);
    GetLogger().SetOnLog([](const void*, uint32_t, TLogLevel Level, const std::string& Msg) {
        if (Level <= llError)
            std::fprintf(stderr, "  log: %s\n", Msg.c_str());
    });

    std::filesystem::create_directories(mediaDir);
    fixtures::TMediaSpec small;
    small.Format = "mp4";
    small.VideoEncoder = "mpeg4";
    small.AudioEncoders = {"aac"};
    small.Seconds = 10;
    const std::string source = MakeOnce(mediaDir + "/batch-320x240-10s.mp4", small);
    fixtures::TMediaSpec hd;
    hd.Format = "mp4";
    hd.VideoEncoder = "libx264";
    hd.AudioEncoders = {"aac"};
    hd.SampleRate = 48000;
    hd.Width = 1280;
    hd.Height = 720;
    hd.FrameRateNum = 25;
    hd.Seconds = 10;
    const std::string source720 = MakeOnce(mediaDir + "/ref720p25-10s.mp4", hd);

    const std::string out = mediaDir + "/converter-out";
    std::filesystem::create_directories(out);
    std::vector<TJob> batch;
    for (int i = 0; i < 20; ++i) {
        TJob j;
        j.Input = mediaDir + "/batch-" + std::to_string(i) + ".mp4";
        if (!Exists(j.Input))
            std::filesystem::copy_file(source, j.Input,
                                       std::filesystem::copy_options::overwrite_existing);
        j.Output = out + "/batch-" + std::to_string(i) + ".mp3";
        ResetOutputOptions(j.Options);
        j.Options.DisableVideo = true;
        j.Options.AudioCodec = "libmp3lame";
        batch.push_back(j);
    }
    TJob video;
    video.Input = source720;
    video.Output = out + "/hook-720p.avi";
    ResetOutputOptions(video.Options);
    video.Options.VideoCodec = "mpeg4";
    video.Options.VideoBitrate = 2000000;
    video.Options.AudioCodec = "libmp3lame";
    TJob hooked = video;
    hooked.Options.Hook = true;

    std::printf("Encoder component, best of %d (this machine: %ld cores)\n", repeat,
                ::sysconf(_SC_NPROCESSORS_ONLN));
    bool ok = true;
    if (only.empty() || only == "batch") {
        const double n1 = parallel == 2 ? 0 : Best(repeat, batch, 1, false);
        const double n2 = parallel == 1 ? 0 : Best(repeat, batch, 2, false);
        if (parallel != 2)
            std::printf("  20 x 10 s MP4 -> MP3, N = 1   %8.2f s\n", n1);
        if (parallel != 1) {
            std::printf("  20 x 10 s MP4 -> MP3, N = 2   %8.2f s", n2);
            if (parallel == 0)
                std::printf("   speed-up %.2f x", n1 > 0 && n2 > 0 ? n1 / n2 : 0.0);
            std::printf("\n");
        }
        ok = ok && n1 >= 0 && n2 >= 0;
    }
    if (only.empty() || only == "hook") {
        const double plain = side == "hooked" ? 0 : Best(repeat, {video}, 1, false);
        const double hook = side == "plain" ? 0 : Best(repeat, {hooked}, 1, true);
        if (side != "hooked")
            std::printf("  720p25 10 s -> MPEG-4 AVI      %8.2f s\n", plain);
        if (side != "plain") {
            std::printf("  same, pass-through hook        %8.2f s", hook);
            if (side.empty())
                std::printf("   overhead %+.1f %%",
                            plain > 0 && hook > 0 ? (hook / plain - 1) * 100 : 0.0);
            std::printf("\n");
        }
        ok = ok && plain >= 0 && hook >= 0;
    }
    return ok ? 0 : 1;
}
