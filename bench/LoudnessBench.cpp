// Loudness normalisation timings:
//  - a 3-minute FLAC to MP3 by zelta-convert, plain and with --normalize (the decode-only
//    measuring pass, then one gain through the audio filter chain); goal: the normalised run's
//    wall time at most 1.35x the plain one's;
//  - the measuring pass alone (the engine's MeasureAudio, in this process, on one thread) on
//    the 3-minute FLAC and on the same sound as AAC; goal: at least 150x real time, counted on
//    the thread's processor time (one core) and shown on wall time too;
//  - against Debian's ffmpeg program doing what two-pass normalisers do: a loudnorm measuring
//    pass, then loudnorm in linear mode with the measured values, to MP3 at zelta's MP3 profile
//    settings; goals: zelta-convert faster, and both outputs within 0.5 LU of the target
//    (measured afterwards by libebur128). Without ffmpeg on PATH that part is skipped with a
//    line.
// Runs are interleaved and the best of each side counts. The media are made once through the
// libraries in <media>.
//   LoudnessBench [--media DIR] [--repeat R] [--seconds S] [--target LUFS]
#include "BenchSupport.h"
#include "ChildProcess.h"
#include "engine/AudioAnalysis.h"
#include "engine/UnicodeProtocol.h"
#include "fixtures/SoundLevels.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int ZeltaMp3Profile = 0;
const std::vector<std::string> FfmpegMp3Options = {"-vn", "-c:a", "libmp3lame", "-b:a", "128k",
                                                   "-ar", "44100", "-ac", "2"};

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double WallSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// A stereo tone of Seconds at about Lufs, written by Encoder into Format, made once.
bool MakeTone(const std::string& Path, const std::string& Format, const std::string& Encoder,
              double Seconds, double Lufs)
{
    if (fs::exists(Path))
        return true;
    fixtures::TMediaSpec spec =
        fixtures::ToneSpec(Format, Encoder, 44100, Seconds, std::pow(10.0, Lufs / 20.0));
    spec.ToneFrequency = 997;
    try {
        fixtures::MakeMediaOnce(Path, spec);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot make %s: %s\n", Path.c_str(), e.what());
        return false;
    }
    return true;
}

// The measuring pass on Path: the best real-time factors of Repeat runs, on the thread's
// processor time and on the wall clock; negative when the pass failed.
std::pair<double, double> MeasuringSpeed(const std::string& Path, double Seconds, int Repeat)
{
    TAudioSource source;
    source.Url = FileNameToURL(Path);
    double bestCpu = -1, bestWall = -1;
    for (int r = 0; r < Repeat; ++r) {
        const double cpu0 = ThreadCpuSeconds(), wall0 = WallSeconds();
        const TAudioMeasurement m = MeasureAudio(source, false, false, false, [] { return true; });
        const double cpu = ThreadCpuSeconds() - cpu0, wall = WallSeconds() - wall0;
        if (!m.Ok()) {
            std::fprintf(stderr, "measuring %s failed: %s\n", Path.c_str(), m.Error.c_str());
            return {-1, -1};
        }
        if (bestCpu < 0 || cpu < bestCpu)
            bestCpu = cpu;
        if (bestWall < 0 || wall < bestWall)
            bestWall = wall;
    }
    return {Seconds / bestCpu, Seconds / bestWall};
}

// The "name" : "value" pairs of the last JSON object in Text (loudnorm's report).
std::map<std::string, std::string> LastJsonObject(const std::string& Text)
{
    std::map<std::string, std::string> values;
    const size_t open = Text.rfind('{');
    const size_t close = Text.find('}', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos)
        return values;
    std::istringstream body(Text.substr(open + 1, close - open - 1));
    std::string line;
    while (std::getline(body, line, ',')) {
        std::vector<std::string> quoted;
        for (size_t q = line.find('"'); q != std::string::npos; q = line.find('"', q + 1)) {
            const size_t end = line.find('"', q + 1);
            if (end == std::string::npos)
                break;
            quoted.push_back(line.substr(q + 1, end - q - 1));
            q = end;
        }
        if (quoted.size() == 2)
            values[quoted[0]] = quoted[1];
    }
    return values;
}

std::string ReadText(const std::string& Path)
{
    std::ifstream in(Path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PrintRow(const char* What, double Wall)
{
    if (Wall < 0)
        std::printf("  %-52s   FAILED\n", What);
    else
        std::printf("  %-52s %8.3f s wall\n", What, Wall);
}

void PrintGoal(const char* What, double Value, const char* Goal, bool Met)
{
    std::printf("  %-52s %8.3f   (goal %s: %s)\n", What, Value, Goal, Met ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv)
{
    const TBenchArgs args(argc, argv);
    std::string media = args.Text("--media", "bench-loudness-media");
    const int repeat = args.Int("--repeat", 3, 1);
    const double seconds = args.Number("--seconds", 180, 1);
    const double target = args.Number("--target", -16, -70);
    const std::string convert = ZELTA_CONVERT;
    fs::create_directories(media);
    media = fs::absolute(media).string();
    const std::string tag = std::to_string(int(seconds)) + "s";
    const std::string flac = media + "/tone-" + tag + ".flac";
    const std::string aac = media + "/tone-" + tag + ".m4a";
    if (!MakeTone(flac, "flac", "flac", seconds, -27) || !MakeTone(aac, "mp4", "aac", seconds, -27))
        return 1;
    const std::string home = media + "/home";
    const std::string out = media + "/out";
    const std::string errors = media + "/ffmpeg-errors.txt";
    fs::create_directories(home);
    const std::vector<std::string> env = {"ZELTA_HOME=" + home, "HOME=" + home};
    const std::string zeltaOutput = out + "/" + fs::path(flac).stem().string() + "_(new).mp3";
    const std::string toolOutput = out + "/ffmpeg.mp3";
    auto fresh = [&] {
        fs::remove_all(out);
        fs::create_directories(out);
    };
    auto zeltaRun = [&](bool Normalize) {
        fresh();
        std::vector<std::string> a = {convert, "--profile", std::to_string(ZeltaMp3Profile),
                                      "--output", out};
        if (Normalize) {
            char text[32];
            std::snprintf(text, sizeof text, "--normalize=%g", target);
            a.push_back(text);
        }
        a.push_back(flac);
        return RunTimed(a, env);
    };
    // loudnorm's own true-peak ceiling matches zelta's default (-1 dBTP); its loudness range
    // target is raised to its highest so linear mode is never refused for a wide range.
    char goal[64];
    std::snprintf(goal, sizeof goal, "I=%g:TP=-1:LRA=50", target);
    auto ffmpegRun = [&] {
        fresh();
        const double t0 = WallSeconds();
        if (RunTimed({"ffmpeg", "-nostdin", "-hide_banner", "-i", flac, "-vn", "-af",
                      std::string("loudnorm=") + goal + ":print_format=json", "-f", "null", "-"},
                     {}, nullptr, errors) < 0)
            return -1.0;
        const auto m = LastJsonObject(ReadText(errors));
        for (const char* key : {"input_i", "input_tp", "input_lra", "input_thresh", "target_offset"})
            if (m.find(key) == m.end()) {
                std::fprintf(stderr, "loudnorm's report lacks %s\n", key);
                return -1.0;
            }
        const std::string second = std::string("loudnorm=") + goal + ":measured_I=" +
                                   m.at("input_i") + ":measured_TP=" + m.at("input_tp") +
                                   ":measured_LRA=" + m.at("input_lra") + ":measured_thresh=" +
                                   m.at("input_thresh") + ":offset=" + m.at("target_offset") +
                                   ":linear=true";
        std::vector<std::string> a = {"ffmpeg", "-nostdin", "-loglevel", "error", "-y",
                                      "-i",     flac,       "-af",       second};
        a.insert(a.end(), FfmpegMp3Options.begin(), FfmpegMp3Options.end());
        a.push_back(toolOutput);
        if (RunTimed(a) < 0)
            return -1.0;
        return WallSeconds() - t0;
    };
    auto best = [](double& Best, double T) {
        if (T >= 0 && (Best < 0 || T < Best))
            Best = T;
    };

    const bool peer = OnPath("ffmpeg");
    std::printf("load before: %s (%u cores)\n", LoadAverage().c_str(),
                unsigned(::sysconf(_SC_NPROCESSORS_ONLN)));
    if (!peer)
        std::printf("ffmpeg is not on PATH: the comparison with its loudnorm is skipped\n");
    double plain = -1, normalised = -1, tool = -1;
    double zeltaLufs = NAN, toolLufs = NAN, zeltaPeak = NAN, toolPeak = NAN;
    bool failed = false;
    for (int r = 0; r < repeat; ++r) {
        const double p = zeltaRun(false);
        const double n = zeltaRun(true);
        failed = failed || p < 0 || n < 0;
        best(plain, p);
        best(normalised, n);
        if (r == 0) {
            const fixtures::TSound s = fixtures::DecodeSound(zeltaOutput);
            zeltaLufs = s.Error.empty() ? s.Lufs() : NAN;
            zeltaPeak = s.Error.empty() ? s.TruePeakDb() : NAN;
        }
        if (peer) {
            const double t = ffmpegRun();
            failed = failed || t < 0;
            best(tool, t);
            if (r == 0) {
                const fixtures::TSound s = fixtures::DecodeSound(toolOutput);
                toolLufs = s.Error.empty() ? s.Lufs() : NAN;
                toolPeak = s.Error.empty() ? s.TruePeakDb() : NAN;
            }
        }
    }
    fs::remove_all(out);
    const auto flacSpeed = MeasuringSpeed(flac, seconds, repeat);
    const auto aacSpeed = MeasuringSpeed(aac, seconds, repeat);

    std::printf("%.0f s 44.1 kHz stereo FLAC -> MP3 128 kbit/s, target %.1f LUFS (best of %d)\n",
                seconds, target, repeat);
    PrintRow("zelta-convert, plain", plain);
    PrintRow("zelta-convert --normalize (measuring pass + gain)", normalised);
    if (peer)
        PrintRow("ffmpeg loudnorm: measuring pass + linear pass", tool);
    std::printf("  output loudness: zelta-convert %.2f LUFS (true peak %.2f dBTP)", zeltaLufs,
                zeltaPeak);
    if (peer)
        std::printf(", ffmpeg %.2f LUFS (true peak %.2f dBTP)", toolLufs, toolPeak);
    std::printf("\nmeasuring pass alone (one thread): FLAC %.0fx real time (%.0fx on the wall "
                "clock), AAC %.0fx (%.0fx)\n",
                flacSpeed.first, flacSpeed.second, aacSpeed.first, aacSpeed.second);
    std::printf("load after: %s\n", LoadAverage().c_str());
    if (failed || flacSpeed.first < 0 || aacSpeed.first < 0)
        return 1;
    std::printf("goals:\n");
    PrintGoal("normalised / plain wall time", normalised / plain, "<= 1.35x",
              normalised / plain <= 1.35);
    PrintGoal("measuring FLAC, x real time on one core", flacSpeed.first, ">= 150x",
              flacSpeed.first >= 150);
    PrintGoal("measuring AAC, x real time on one core", aacSpeed.first, ">= 150x",
              aacSpeed.first >= 150);
    PrintGoal("zelta-convert output - target, LU", zeltaLufs - target, "within 0.5",
              std::fabs(zeltaLufs - target) <= 0.5);
    if (peer) {
        PrintGoal("ffmpeg time / zelta-convert time", tool / normalised, "> 1x", tool > normalised);
        PrintGoal("ffmpeg output - target, LU", toolLufs - target, "within 0.5",
                  std::fabs(toolLufs - target) <= 0.5);
    }
    return 0;
}
