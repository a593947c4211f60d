// Times the conversion engine on reference media: the seven audio outputs taken from a 1080p
// H.264/AAC file, the same audio from audio-only files of the same length, and two video jobs.
// Every job runs in a child process so that its wall time and peak memory (ru_maxrss) are its
// own. When the ffmpeg command-line tool is on PATH, the same jobs run through it as the
// reference peer (same codecs and settings, automatic thread counts like the engine's), and the
// closing lines check the goals against it.
//
//   ConvertBench [--media DIR] [--quick] [--repeat N] [--only NAME[,NAME...]] [--no-peer]
//
// --quick uses 10-second media instead of the 60-second (and 3-minute) reference files. The
// media are made once with the test fixture builder and kept in DIR. Each job runs N times
// (default 3): the shortest wall time and the largest peak are shown. Unknown arguments (such as
// the benchmark library's --benchmark_out) are ignored; --run-job NAME is the child's side.

#include "ChildProcess.h"

#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/Transcode.h"
#include "fixtures/Fixtures.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using TOptionList = std::vector<std::pair<std::string, std::string>>;

struct TMedia {
    std::string Video1080; // 1080p30 H.264 + AAC
    std::string Video720;  // 720p25 H.264 + AAC
    std::string Audio;     // AAC only, as long as the video files
    std::string Wav;       // PCM, three times as long
    double Seconds = 0;
    double WavSeconds = 0;
};

struct TJob {
    std::string Name;
    std::string Input;
    TOptionList Options;               // engine options after the input
    std::string Output;                // file name (extension chooses the format)
    std::vector<std::string> PeerArgs; // ffmpeg arguments between the input and the output
    double MediaSeconds = 0;
};

struct TMeasure {
    bool Ok = false;
    double Wall = 0;  // seconds, the whole process
    double Inner = 0; // seconds, the conversion alone (as the child reports it)
    double Cpu = 0;   // seconds of processor time (user + system) of the child and its threads
    long PeakKiB = 0; // ru_maxrss of the child
};

bool Exists(const std::string& Path) {
    struct stat st;
    return ::stat(Path.c_str(), &st) == 0 && st.st_size > 0;
}

std::string MakeOnce(const std::string& Path, const fixtures::TMediaSpec& Spec) {
    if (!Exists(Path)) {
        std::printf("making %s ...\n", Path.c_str());
        std::fflush(stdout);
        const auto t0 = std::chrono::steady_clock::now();
        fixtures::MakeMediaOnce(Path, Spec);
        std::printf("  %.1f s\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return Path;
}

TMedia PrepareMedia(const std::string& Dir, bool Quick) {
    std::filesystem::create_directories(Dir);
    TMedia m;
    m.Seconds = Quick ? 10 : 60;
    m.WavSeconds = Quick ? 30 : 180;
    const std::string tag = Quick ? "-10s" : "";
    fixtures::TMediaSpec v;
    v.Format = "mp4";
    v.VideoEncoder = "libx264";
    v.AudioEncoders = {"aac"};
    v.SampleRate = 48000;
    v.Seconds = m.Seconds;
    v.Width = 1920;
    v.Height = 1080;
    v.FrameRateNum = 30;
    m.Video1080 = MakeOnce(Dir + "/ref1080p30" + tag + ".mp4", v);
    v.Width = 1280;
    v.Height = 720;
    v.FrameRateNum = 25;
    m.Video720 = MakeOnce(Dir + "/ref720p25" + tag + ".mp4", v);
    fixtures::TMediaSpec a;
    a.Format = "mp4";
    a.AudioEncoders = {"aac"};
    a.SampleRate = 48000;
    a.Seconds = m.Seconds;
    m.Audio = MakeOnce(Dir + "/refaudio" + tag + ".m4a", a);
    fixtures::TMediaSpec w;
    w.Format = "wav";
    w.AudioEncoders = {"pcm_s16le"};
    w.Seconds = m.WavSeconds;
    m.Wav = MakeOnce(Dir + "/reftone" + tag + ".wav", w);
    return m;
}

std::vector<TJob> Jobs(const TMedia& M, const std::string& Out) {
    struct TAudio {
        const char* Name;
        const char* Codec;
        const char* Ext;
    };
    const TAudio audio[] = {{"mp3", "libmp3lame", "mp3"}, {"aac", "aac", "aac"},
                            {"m4a", "aac", "m4a"},        {"wma", "wmav2", "wma"},
                            {"wav", "pcm_s16le", "wav"},  {"ogg", "libvorbis", "ogg"},
                            {"ac3", "ac3", "ac3"}};
    std::vector<TJob> jobs;
    for (const TAudio& a : audio) {
        TJob j;
        j.Name = std::string("1080p->") + a.Name;
        j.Input = M.Video1080;
        j.Options = {{"vn", ""}, {"acodec", a.Codec}};
        j.Output = Out + "/1080p." + a.Ext;
        j.PeerArgs = {"-vn", "-c:a", a.Codec};
        j.MediaSeconds = M.Seconds;
        jobs.push_back(j);
    }
    // The same audio without a video stream next to it: extraction must cost no video work.
    for (const char* which : {"mp3", "ac3"}) {
        const TAudio& a = which[1] == 'p' ? audio[0] : audio[6];
        TJob j;
        j.Name = std::string("audio-only->") + a.Name;
        j.Input = M.Audio;
        j.Options = {{"acodec", a.Codec}};
        j.Output = Out + "/audio-only." + a.Ext;
        j.PeerArgs = {"-c:a", a.Codec};
        j.MediaSeconds = M.Seconds;
        jobs.push_back(j);
    }
    TJob wav;
    wav.Name = "wav->mp3";
    wav.Input = M.Wav;
    wav.Options = {{"acodec", "libmp3lame"}};
    wav.Output = Out + "/wav.mp3";
    wav.PeerArgs = {"-c:a", "libmp3lame"};
    wav.MediaSeconds = M.WavSeconds;
    jobs.push_back(wav);

    // 720p to MPEG-4 AVI 640x480, letterboxed as the job builder does it (picture 640x360 and a
    // pad filter).
    TJob avi;
    avi.Name = "720p->mpeg4-avi-640x480-lbox";
    avi.Input = M.Video720;
    avi.Options = {{"vcodec", "mpeg4"},   {"b", "1200000"},           {"s", "640x360"},
                   {"aspect", "640:360"}, {"vf", "pad=640:480:0:60"}, {"acodec", "libmp3lame"},
                   {"ab", "128000"}};
    avi.Output = Out + "/720p-lbox.avi";
    avi.PeerArgs = {
        "-c:v", "mpeg4",      "-b:v", "1200000", "-vf", "scale=640:360,pad=640:480:0:60",
        "-c:a", "libmp3lame", "-b:a", "128000"};
    avi.MediaSeconds = M.Seconds;
    jobs.push_back(avi);

    TJob h264;
    h264.Name = "1080p->h264-mp4-720p";
    h264.Input = M.Video1080;
    h264.Options = {{"vcodec", "libx264"},
                    {"b", "2000000"},
                    {"s", "1280x720"},
                    {"acodec", "aac"},
                    {"ab", "128000"}};
    h264.Output = Out + "/1080p-720p.mp4";
    h264.PeerArgs = {"-c:v",     "libx264", "-b:v", "2000000", "-s",
                     "1280x720", "-c:a",    "aac",  "-b:a",    "128000"};
    h264.MediaSeconds = M.Seconds;
    jobs.push_back(h264);
    return jobs;
}

// The child's side of an engine job; the exit code tells success.
int RunEngineJob(const TJob& J) {
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
    const auto t0 = std::chrono::steady_clock::now();
    TCustomFFmpeg core;
    core.PrepareTask();
    try {
        if (!core.AddInputFile(J.Input)) {
            std::fprintf(stderr, "%s\n", core.LastErrMsg().c_str());
            return 1;
        }
        for (const auto& [name, value] : J.Options)
            core.SetOption(name, value);
        if (core.AddOutputFile(J.Output, false) < 0) {
            std::fprintf(stderr, "%s\n", core.LastErrMsg().c_str());
            return 1;
        }
        std::atomic<bool> stop{false};
        Transcode(core, stop);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        core.FreeSession();
        return 1;
    }
    core.FreeSession();
    // The parent reads the conversion's own time from the first line of standard output.
    std::printf("%.6f\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    return 0;
}

// Runs the program Args in a fresh process (a fork would count the parent's pages in the
// child's peak); measures its wall time and peak memory. Repeat runs give the shortest time and
// the largest peak.
TMeasure Measure(const std::vector<std::string>& Args, int Repeat) {
    TMeasure best;
    for (int i = 0; i < Repeat; ++i) {
        TMeasure m;
        std::fflush(nullptr);
        int out[2];
        if (::pipe(out) != 0)
            return m;
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        if (pid < 0)
            return m;
        if (pid == 0) {
            ::close(out[0]);
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[1]);
            ExecArgs(Args);
        }
        ::close(out[1]);
        std::string text;
        char buf[256];
        ssize_t n = 0;
        while ((n = ::read(out[0], buf, sizeof buf)) > 0)
            text.append(buf, size_t(n));
        ::close(out[0]);
        int status = 0;
        struct rusage usage {};
        if (::wait4(pid, &status, 0, &usage) != pid)
            return m;
        m.Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        m.Inner = std::atof(text.c_str());
        m.Cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        m.PeakKiB = usage.ru_maxrss;
        m.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!m.Ok)
            return m;
        if (i == 0 || m.Wall < best.Wall)
            best.Wall = m.Wall;
        if (i == 0 || m.Inner < best.Inner)
            best.Inner = m.Inner;
        if (i == 0 || m.Cpu < best.Cpu)
            best.Cpu = m.Cpu;
        best.PeakKiB = std::max(best.PeakKiB, m.PeakKiB);
        best.Ok = true;
    }
    return best;
}

std::string SelfPath() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    path.resize(n > 0 ? size_t(n) : 0);
    return path;
}

std::optional<std::string> FindPeer() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = dir + "/ffmpeg";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

std::string Machine() {
    std::ifstream cpu("/proc/cpuinfo");
    std::string line, model = "unknown CPU";
    while (std::getline(cpu, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    return model + ", " + std::to_string(::sysconf(_SC_NPROCESSORS_ONLN)) + " cores";
}

// The goals: extracting audio from the video file costs within 10 % of the audio-only file of
// the same length, and with the peer installed every job is within 5 % of its wall time and
// 25 % of its peak memory. Prints one line per check that has its numbers.
void PrintGoals(const std::vector<std::pair<std::string, TMeasure>>& Engine,
                const std::vector<std::pair<std::string, std::pair<TMeasure, TMeasure>>>& Peer) {
    auto find = [&](const std::string& Name) -> const TMeasure* {
        for (const auto& [name, m] : Engine)
            if (name == Name)
                return &m;
        return nullptr;
    };
    std::printf("goals:\n");
    for (const char* codec : {"mp3", "ac3"}) {
        const TMeasure* video = find(std::string("1080p->") + codec);
        const TMeasure* audio = find(std::string("audio-only->") + codec);
        if (video == nullptr || audio == nullptr)
            continue;
        const double convert = (video->Inner / audio->Inner - 1) * 100;
        const double process = (video->Wall / audio->Wall - 1) * 100;
        const double cpu = (video->Cpu / audio->Cpu - 1) * 100;
        std::printf("  extraction %s vs audio-only: convert %+.1f%%, process %+.1f%%, cpu %+.1f%% "
                    "(goal <= +10%%) %s\n",
                    codec, convert, process, cpu, process <= 10 ? "met" : "NOT met");
    }
    int slow = 0, heavy = 0;
    for (const auto& [name, pair] : Peer) {
        const double time = (pair.first.Wall / pair.second.Wall - 1) * 100;
        const double mem = (double(pair.first.PeakKiB) / double(pair.second.PeakKiB) - 1) * 100;
        if (time > 5) {
            ++slow;
            std::printf("  %s: %+.1f%% wall time against the peer (goal <= +5%%), cpu %+.1f%%\n",
                        name.c_str(), time, (pair.first.Cpu / pair.second.Cpu - 1) * 100);
        }
        if (mem > 25) {
            ++heavy;
            std::printf("  %s: %+.1f%% peak memory against the peer (goal <= +25%%)\n",
                        name.c_str(), mem);
        }
    }
    if (!Peer.empty())
        std::printf("  against the peer: %zu jobs, %d over the time goal, %d over the memory goal\n",
                    Peer.size(), slow, heavy);
}

} // namespace

int main(int argc, char** argv) {
    std::string media = "bench-media";
    bool quick = false, peerWanted = true;
    int repeat = 3;
    std::string childJob;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--media" && i + 1 < argc)
            media = argv[++i];
        else if (a == "--quick")
            quick = true;
        else if (a == "--no-peer")
            peerWanted = false;
        else if (a == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (a == "--run-job" && i + 1 < argc)
            childJob = argv[++i];
        else if (a == "--only" && i + 1 < argc) {
            std::stringstream names(argv[++i]);
            std::string n;
            while (std::getline(names, n, ','))
                only.push_back(n);
        }
    }

    TMedia m;
    try {
        m = PrepareMedia(media, quick);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot make the reference media: %s\n", e.what());
        return 1;
    }
    const std::string out = media + "/out";
    std::filesystem::create_directories(out);
    if (!childJob.empty()) {
        for (const TJob& job : Jobs(m, out))
            if (job.Name == childJob)
                return RunEngineJob(job);
        std::fprintf(stderr, "no job %s\n", childJob.c_str());
        return 2;
    }
    const std::optional<std::string> peer = peerWanted ? FindPeer() : std::nullopt;

    std::printf("machine: %s\n", Machine().c_str());
    std::printf("media: %.0f s (wav %.0f s)%s, best of %d runs\n", m.Seconds, m.WavSeconds,
                quick ? " [quick]" : "", repeat);
    std::printf("peer: %s\n", peer ? peer->c_str() : "none (ffmpeg not on PATH, or --no-peer)");
    // "convert s" is the conversion inside the process (open, run, close), "process s" adds the
    // start of a process that loads the media libraries, as the peer's time does.
    // "cpu s" (processor time of the whole process) moves less than wall time on a machine that
    // other work shares.
    std::printf("%-30s %9s %8s %9s %7s %9s", "job", "convert s", "x real", "process s", "cpu s",
                "peak MB");
    if (peer)
        std::printf(" %9s %7s %9s %8s %8s %8s", "peer s", "cpu s", "peer MB", "time %", "cpu %",
                    "mem %");
    std::printf("\n");

    bool allOk = true;
    std::vector<std::pair<std::string, TMeasure>> engineResults;
    std::vector<std::pair<std::string, std::pair<TMeasure, TMeasure>>> peerResults;
    for (const TJob& job : Jobs(m, out)) {
        if (!only.empty() && std::find(only.begin(), only.end(), job.Name) == only.end())
            continue;
        std::vector<std::string> self = {SelfPath(), "--media", media, "--run-job", job.Name};
        if (quick)
            self.push_back("--quick");
        const TMeasure e = Measure(self, repeat);
        allOk = allOk && e.Ok;
        if (e.Ok)
            engineResults.emplace_back(job.Name, e);
        std::printf("%-30s %9.2f %8.1f %9.2f %7.2f %9.1f", job.Name.c_str(), e.Inner,
                    e.Inner > 0 ? job.MediaSeconds / e.Inner : 0.0, e.Wall, e.Cpu,
                    double(e.PeakKiB) / 1024);
        if (!e.Ok)
            std::printf(" FAILED");
        if (peer) {
            // The engine leaves every codec's thread count at 0 (the libraries' automatic
            // choice); the peer is told the same for its decoders and encoders.
            std::vector<std::string> args = {*peer, "-nostdin", "-y",      "-v", "error",
                                             "-threads", "0",   "-i", job.Input};
            args.insert(args.end(), job.PeerArgs.begin(), job.PeerArgs.end());
            args.insert(args.end(), {"-threads", "0"});
            args.push_back(job.Output + ".peer" + job.Output.substr(job.Output.rfind('.')));
            const TMeasure p = Measure(args, repeat);
            if (p.Ok)
                peerResults.emplace_back(job.Name, std::make_pair(e, p));
            if (p.Ok)
                std::printf(" %9.2f %7.2f %9.1f %+7.1f%% %+7.1f%% %+7.1f%%", p.Wall, p.Cpu,
                            double(p.PeakKiB) / 1024, (e.Wall / p.Wall - 1) * 100,
                            (e.Cpu / p.Cpu - 1) * 100,
                            (double(e.PeakKiB) / double(p.PeakKiB) - 1) * 100);
            else
                std::printf(" peer failed");
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    PrintGoals(engineResults, peerResults);
    return allOk ? 0 : 1;
}
