// A big batch through zelta-convert: N generated one-second WAV files (2,000 by default) to MP3
// with --jobs auto under a soft and hard open-file limit of 1,024, against a 20-file batch of
// the same files. For each run: files converted, wall time per file, peak resident memory of
// the process and the most files it held open at once (sampled from /proc every 2 ms). The
// goals: every file converted, peak memory at most 1.3 x the small batch's, open files never
// above 64 + 8 x jobs, time per file no higher than the small batch's.
//   BigBatchBench [--media DIR] [--files N] [--small N] [--limit L]
#include "BenchSupport.h"
#include "BigBatchMedia.h"
#include "ChildProcess.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TRun {
    bool Ok = false;
    double Seconds = 0;
    long PeakRssKb = 0;
    int PeakOpenFiles = 0;
    int Converted = 0;
};

int OpenFilesOf(pid_t Pid) {
    std::error_code ec;
    int n = 0;
    for (fs::directory_iterator it("/proc/" + std::to_string(Pid) + "/fd", ec), end;
         !ec && it != end; it.increment(ec))
        ++n;
    return n;
}

// Runs Args with the open-file limit set to Limit (soft and hard, so the program cannot raise
// it), output discarded, watching its open files.
TRun Run(const std::vector<std::string>& Args, const std::vector<std::string>& Env, rlim_t Limit) {
    TRun r;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = StartQuietChild(Args, Env, [Limit] {
        const rlimit lim{Limit, Limit};
        return ::setrlimit(RLIMIT_NOFILE, &lim) == 0;
    });
    if (pid < 0)
        return r;
    std::atomic<bool> done{false};
    std::atomic<int> peak{0};
    std::thread watcher([&] {
        while (!done) {
            peak = std::max(peak.load(), OpenFilesOf(pid));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    rusage usage{};
    r.Ok = WaitChild(pid, usage);
    done = true;
    watcher.join();
    r.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.PeakRssKb = usage.ru_maxrss;
    r.PeakOpenFiles = peak;
    return r;
}

int CountOutputs(const std::string& Folder) {
    int n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(Folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".mp3" && it->file_size() > 0)
            ++n;
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    const TBenchArgs args(argc, argv);
    std::string media = args.Text("--media", "bench-bigbatch-media");
    const int files = args.Int("--files", 2000, 1);
    const int small = args.Int("--small", 20, 1);
    const rlim_t limit = rlim_t(args.Int("--limit", 1024, 32));
    const std::vector<std::string> names = BigBatchSources(media, files);
    if (names.empty())
        return 1;
    media = fs::absolute(media).string();
    const std::string home = media + "/home";
    fs::create_directories(home);
    const std::vector<std::string> env = {"ZELTA_HOME=" + home, "HOME=" + home};
    const std::string out = media + "/out";

    auto batch = [&](int Count) {
        fs::remove_all(out);
        fs::create_directories(out);
        std::vector<std::string> args = {ZELTA_CONVERT, "--profile", "0", "--jobs", "auto",
                                         "--output", out};
        args.insert(args.end(), names.begin(), names.begin() + Count);
        TRun r = Run(args, env, limit);
        r.Converted = CountOutputs(out);
        return r;
    };
    const TRun few = batch(std::min(small, files));
    const TRun many = batch(files);
    fs::remove_all(out);

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int jobs = int(std::min(cores, 8u)); // --jobs auto for an audio profile
    const int openGoal = 64 + 8 * jobs;
    auto line = [](const char* What, int Count, const TRun& R) {
        std::printf("  %-10s %5d files: %s, %d converted, %8.2f s, %6.2f ms/file, peak RSS %7.1f MB, "
                    "peak open files %d\n",
                    What, Count, R.Ok ? "ok" : "FAILED", R.Converted, R.Seconds,
                    1000 * R.Seconds / std::max(1, Count), R.PeakRssKb / 1024.0, R.PeakOpenFiles);
    };
    std::printf("big batch: one-second WAV -> MP3, --jobs auto (%d jobs on %u cores), open-file "
                "limit %lu\n",
                jobs, cores, static_cast<unsigned long>(limit));
    line("small", std::min(small, files), few);
    line("big", files, many);
    const double rss = few.PeakRssKb > 0 ? double(many.PeakRssKb) / double(few.PeakRssKb) : 0;
    const double perFew = few.Seconds / std::max(1, std::min(small, files));
    const double perMany = many.Seconds / std::max(1, files);
    const bool all = many.Ok && many.Converted == files;
    std::printf("  all converted: %s\n", all ? "met" : "NOT met");
    std::printf("  peak RSS big/small %.2fx (goal <= 1.3x: %s)\n", rss, rss <= 1.3 ? "met" : "NOT met");
    std::printf("  peak open files %d (goal <= %d: %s)\n", many.PeakOpenFiles, openGoal,
                many.PeakOpenFiles <= openGoal ? "met" : "NOT met");
    std::printf("  time per file big/small %.2fx (goal <= 1: %s)\n", perMany / perFew,
                perMany <= perFew ? "met" : "NOT met");
    return all && few.Ok ? 0 : 1;
}
