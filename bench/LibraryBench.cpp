// Whole libraries through zelta-convert with "Keep the folder tree" (--layout tree):
//  - a generated tree of N one-second WAV files in F folders (10,000 in 200 by default) to MP3:
//    the time until the first output file appears (goal: within 1 s of the start), the peak
//    resident memory against a 100-file tree (goal: at most 1.3 x) and the time per file
//    against it (goal: no worse);
//  - the same command again with --if-exists update: nothing converted, ended within 3 s;
//  - against Debian's ffmpeg run two at a time (what `find | parallel -j2 ffmpeg` does), side
//    by side on the same files at the same bit rate: the one-second files (a subset of the tree,
//    --compare-files; goal at least 5 x faster), the FLAC samples of Debian's sonic-pi-samples
//    package (goal at least 3.5 x) and a few 3-minute WAV files (goal: no slower).
// Without ffmpeg on PATH, or without the samples, those comparisons are skipped with a line.
//   LibraryBench [--media DIR] [--files N] [--folders F] [--small N] [--compare-files N]
//                [--long-files N] [--long-seconds S] [--samples DIR]
#include "BenchSupport.h"
#include "ChildProcess.h"
#include "fixtures/Fixtures.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using TClock = std::chrono::steady_clock;

struct TRun {
    bool Ok = false;
    double Seconds = -1;
    double FirstOutput = -1; // seconds until the first output file appeared
    long PeakRssKb = 0;
    double Cpu = 0;
};

double Since(TClock::time_point T0)
{
    return std::chrono::duration<double>(TClock::now() - T0).count();
}

double CpuOf(const rusage& U)
{
    return double(U.ru_utime.tv_sec + U.ru_stime.tv_sec) +
           double(U.ru_utime.tv_usec + U.ru_stime.tv_usec) / 1e6;
}

// Runs Args, watching for any of FirstOutputs to appear.
TRun Run(const std::vector<std::string>& Args, const std::vector<std::string>& Env,
         const std::vector<std::string>& FirstOutputs)
{
    TRun r;
    const auto t0 = TClock::now();
    const pid_t pid = StartQuietChild(Args, Env);
    if (pid < 0)
        return r;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done && r.FirstOutput < 0) {
            for (const std::string& f : FirstOutputs) {
                std::error_code ec;
                if (fs::exists(f, ec)) {
                    r.FirstOutput = Since(t0);
                    break;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    rusage usage{};
    r.Ok = WaitChild(pid, usage);
    r.Seconds = Since(t0);
    done = true;
    watcher.join();
    r.PeakRssKb = usage.ru_maxrss;
    r.Cpu = CpuOf(usage);
    return r;
}

int CountFiles(const std::string& Folder, const std::string& Ext)
{
    int n = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(Folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == Ext)
            ++n;
    return n;
}

// Media/name with Files hard links of Source spread over Folders folders ("f000/song00000.wav");
// the files in walk order.
std::vector<std::string> MakeTree(const std::string& Folder, const std::string& Source, int Files,
                                  int Folders)
{
    std::vector<std::string> files;
    for (int i = 0; i < Files; ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "f%03d/song%05d.wav", i % Folders, i);
        files.push_back(Folder + "/" + name);
    }
    std::sort(files.begin(), files.end());
    for (const std::string& f : files) {
        std::error_code ec;
        fs::create_directories(fs::path(f).parent_path());
        if (!fs::exists(f) && (fs::create_hard_link(Source, f, ec), ec))
            fs::copy_file(Source, f);
    }
    return files;
}

std::string Tone(const std::string& Media, double Seconds)
{
    const std::string path = Media + "/tone-" + std::to_string(int(Seconds)) + "s.wav";
    if (!fs::exists(path)) {
        fixtures::TMediaSpec spec;
        spec.Format = "wav";
        spec.AudioEncoders = {"pcm_s16le"};
        spec.Seconds = Seconds;
        fixtures::MakeMediaOnce(path, spec);
    }
    return path;
}

// ffmpeg on every file of Inputs (below Root), two at a time, into Out with the folders kept,
// at zelta's MP3 profile's settings: what `find | parallel -j2 ffmpeg` does.
TRun FfmpegPool(const std::vector<std::string>& Inputs, const std::string& Root,
                const std::string& Out, int Jobs)
{
    TRun r;
    const auto t0 = TClock::now();
    size_t next = 0;
    int running = 0;
    bool ok = true;
    double cpu = 0;
    while (next < Inputs.size() || running > 0) {
        while (running < Jobs && next < Inputs.size()) {
            const std::string& in = Inputs[next++];
            fs::path target = fs::path(Out) / fs::relative(in, Root);
            target.replace_extension(".mp3");
            fs::create_directories(target.parent_path());
            const pid_t pid = StartQuietChild({"ffmpeg", "-nostdin", "-loglevel", "error", "-y",
                                               "-i", in, "-vn", "-c:a", "libmp3lame", "-b:a",
                                               "128k", "-ar", "44100", "-ac", "2", target.string()});
            if (pid < 0)
                return r;
            ++running;
        }
        int status = 0;
        rusage usage{};
        if (::wait4(-1, &status, 0, &usage) <= 0)
            break;
        --running;
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        cpu += CpuOf(usage);
        if (r.FirstOutput < 0)
            r.FirstOutput = Since(t0);
    }
    r.Ok = ok;
    r.Seconds = Since(t0);
    r.Cpu = cpu;
    return r;
}

void Line(const char* What, int Files, const TRun& R)
{
    std::printf("  %-44s %6d files %s %8.2f s wall %8.2f s cpu %7.2f ms/file  first output "
                "%6.3f s  peak RSS %6.1f MB\n",
                What, Files, R.Ok ? "ok    " : "FAILED", R.Seconds, R.Cpu,
                1000 * R.Seconds / std::max(1, Files), R.FirstOutput, R.PeakRssKb / 1024.0);
}

bool Goal(const char* What, double Value, const char* Unit, double Goal, bool AtMost)
{
    const bool met = AtMost ? Value <= Goal : Value >= Goal;
    std::printf("  %-52s %8.3f%s (goal %s %.2f%s: %s)\n", What, Value, Unit, AtMost ? "<=" : ">=",
                Goal, Unit, met ? "met" : "NOT met");
    return met;
}

}  // namespace

int main(int argc, char** argv)
{
    const TBenchArgs args(argc, argv);
    std::string media = args.Text("--media", "bench-library-media");
    const int files = args.Int("--files", 10000, 10);
    const int folders = args.Int("--folders", 200, 1);
    const int small = args.Int("--small", 100, 10);
    const int compareFiles = args.Int("--compare-files", 2000, 10);
    const int longFiles = args.Int("--long-files", 4, 1);
    const double longSeconds = args.Number("--long-seconds", 180, 1);
    const std::string samples = args.Text("--samples", "/usr/share/sonic-pi/samples");
    fs::create_directories(media);
    media = fs::absolute(media).string();
    const std::string home = media + "/home";
    fs::create_directories(home);
    const std::vector<std::string> env = {"ZELTA_HOME=" + home, "HOME=" + home};
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int jobs = int(std::min(cores, 8u)); // --jobs auto for an audio profile
    std::printf("load before: %s (%u cores)\n", LoadAverage().c_str(), cores);

    std::string oneSecond;
    try {
        oneSecond = Tone(media, 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot make the media: %s\n", e.what());
        return 1;
    }
    const std::string out = media + "/out";
    auto zelta = [&](const std::string& Root, const std::vector<std::string>& Inputs,
                     const std::vector<std::string>& Extra, bool Fresh) {
        if (Fresh)
            fs::remove_all(out);
        std::vector<std::string> a = {ZELTA_CONVERT, "--profile", "0", "--layout", "tree",
                                      "--output", out};
        a.insert(a.end(), Extra.begin(), Extra.end());
        a.push_back(Root);
        std::vector<std::string> first;
        for (size_t i = 0; i < Inputs.size() && i < size_t(jobs) + 1; ++i) {
            fs::path p = fs::path(out) / fs::relative(Inputs[i], Root);
            first.push_back(p.replace_extension(".mp3").string());
        }
        return Run(a, env, first);
    };

    // The library: the small tree first, then the big one, then the big one again.
    const std::string smallRoot = media + "/small-" + std::to_string(small);
    const std::string bigRoot = media + "/tree-" + std::to_string(files) + "-" + std::to_string(folders);
    const std::vector<std::string> smallFiles =
        MakeTree(smallRoot, oneSecond, small, std::max(1, small * folders / files));
    const std::vector<std::string> bigFiles = MakeTree(bigRoot, oneSecond, files, folders);
    const TRun few = zelta(smallRoot, smallFiles, {}, true);
    const int fewConverted = CountFiles(out, ".mp3");
    const TRun many = zelta(bigRoot, bigFiles, {}, true);
    const int manyConverted = CountFiles(out, ".mp3");
    const TRun again = zelta(bigRoot, bigFiles, {"--if-exists", "update"}, false);
    const int afterUpdate = CountFiles(out, ".mp3");
    std::printf("library: one-second WAV -> MP3 (profile 0), --layout tree, --jobs auto (%d)\n",
                jobs);
    Line("zelta-convert, small tree", small, few);
    Line("zelta-convert, big tree", files, many);
    Line("zelta-convert, big tree again, --if-exists update", files, again);
    bool met = true;
    met = Goal("converted (small, big)", fewConverted + manyConverted, "", small + files, false) && met;
    met = Goal("first output after the start (big)", many.FirstOutput, " s", 1.0, true) && met;
    met = Goal("peak RSS big / small", double(many.PeakRssKb) / std::max(1L, few.PeakRssKb), "x",
               1.3, true) && met;
    met = Goal("time per file big / small",
               (many.Seconds / files) / std::max(1e-9, few.Seconds / small), "x", 1.0, true) && met;
    met = Goal("update run: files written again", afterUpdate - manyConverted, "", 0, true) && met;
    met = Goal("update run: wall time", again.Seconds, " s", 3.0, true) && met;
    std::printf("goals so far: %s\n", met ? "all met" : "NOT all met");

    if (!OnPath("ffmpeg")) {
        std::printf("ffmpeg is not on PATH: the comparisons are skipped\n");
        fs::remove_all(out);
        return few.Ok && many.Ok && again.Ok ? 0 : 1;
    }
    const std::string ffOut = media + "/out-ffmpeg";
    auto compare = [&](const char* What, const std::string& Root,
                       const std::vector<std::string>& Inputs, double GoalRatio) {
        const TRun z = zelta(Root, Inputs, {}, true);
        fs::remove_all(ffOut);
        const TRun f = FfmpegPool(Inputs, Root, ffOut, jobs);
        std::printf("%s\n", What);
        Line("zelta-convert --layout tree", int(Inputs.size()), z);
        Line("ffmpeg, two at a time", int(Inputs.size()), f);
        fs::remove_all(ffOut);
        return Goal("ffmpeg time / zelta-convert time", f.Seconds / z.Seconds, "x", GoalRatio,
                    false);
    };
    const std::string cmpRoot = media + "/compare-" + std::to_string(compareFiles);
    const std::vector<std::string> cmpFiles =
        MakeTree(cmpRoot, oneSecond, compareFiles, std::max(1, compareFiles / 50));
    met = compare("one-second WAV files", cmpRoot, cmpFiles, 5.0) && met;

    std::vector<std::string> flacs;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(samples, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".flac")
            flacs.push_back(it->path().string());
    std::sort(flacs.begin(), flacs.end());
    if (flacs.empty())
        std::printf("no FLAC samples in %s (Debian's sonic-pi-samples): skipped\n", samples.c_str());
    else
        met = compare("sonic-pi-samples FLAC files", samples, flacs, 3.5) && met;

    const std::string longRoot = media + "/long-" + std::to_string(int(longSeconds));
    std::vector<std::string> longInputs;
    try {
        const std::string tone = Tone(media, longSeconds);
        longInputs = MakeTree(longRoot, tone, longFiles, 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot make the long media: %s\n", e.what());
    }
    if (!longInputs.empty())
        met = compare("long WAV files", longRoot, longInputs, 1.0) && met;
    fs::remove_all(out);
    std::printf("load after: %s\n", LoadAverage().c_str());
    std::printf("goals: %s\n", met ? "all met" : "NOT all met");
    // Goals not met are reported, not failed: the run goes on to the other benchmarks.
    return few.Ok && many.Ok && again.Ok ? 0 : 1;
}
