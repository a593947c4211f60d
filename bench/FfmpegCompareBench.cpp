// zelta-convert against Debian's ffmpeg program on the same work, side by side in one run:
//  - a batch of twenty 8-second 1280x720 H.264/AAC files to MP3 in one zelta-convert run
//    (--jobs auto, the default) against ffmpeg run once per file, one after the other;
//    goal: zelta-convert at least 3.0x faster (two cores give about 3.3x at most);
//  - one 60-second 1920x1080 H.264/AAC file to MP3; goal: zelta-convert's wall time at most
//    0.97 x ffmpeg's.
// Both sides write MP3 at the settings of zelta's MP3 profile (code 0: libmp3lame, 128 kbit/s,
// 44100 Hz, stereo); the outputs are read back and their settings printed, so a mismatch shows.
// Runs are interleaved (zelta, ffmpeg, zelta, ...) and the best of each side counts, so a
// passing load burst hurts both alike. The media are made once through the libraries in
// <media>. Without ffmpeg on PATH only zelta-convert's own times are printed.
//   FfmpegCompareBench [--media DIR] [--files N] [--repeat R] [--long-seconds S]
#include "BenchSupport.h"
#include "ChildProcess.h"
#include "fixtures/Fixtures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;

namespace {

constexpr int ZeltaMp3Profile = 0;
const std::vector<std::string> FfmpegMp3Options = {"-vn", "-c:a", "libmp3lame", "-b:a", "128k",
                                                   "-ar", "44100", "-ac", "2"};

bool MakeSource(const std::string& Path, int Width, int Height, double Seconds)
{
    if (fs::exists(Path))
        return true;
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "libx264";
    spec.Width = Width;
    spec.Height = Height;
    spec.AudioEncoders = {"aac"};
    spec.Seconds = Seconds;
    try {
        fixtures::MakeMediaOnce(Path, spec);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot make %s: %s\n", Path.c_str(), e.what());
        return false;
    }
    return true;
}

// The first file in Folder whose name starts with Stem and has the extension Ext, or "".
std::string FindOutput(const std::string& Folder, const std::string& Stem, const std::string& Ext)
{
    std::error_code ec;
    for (fs::directory_iterator it(Folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(Stem, 0) == 0 && name.size() >= Ext.size() &&
            name.compare(name.size() - Ext.size(), Ext.size(), Ext) == 0)
            return it->path().string();
    }
    return {};
}

// "MP3 128 kbit/s 44100 Hz 2 ch, 8.03 s" for an output file, or why it cannot be read.
std::string Describe(const std::string& Path)
{
    AVFormatContext* ic = nullptr;
    if (avformat_open_input(&ic, Path.c_str(), nullptr, nullptr) < 0)
        return "cannot be opened";
    std::string text = "no audio";
    if (avformat_find_stream_info(ic, nullptr) >= 0)
        for (unsigned i = 0; i < ic->nb_streams; ++i) {
            const AVCodecParameters* par = ic->streams[i]->codecpar;
            if (par->codec_type != AVMEDIA_TYPE_AUDIO)
                continue;
            char line[160];
            std::snprintf(line, sizeof line, "%s %lld kbit/s %d Hz %d ch, %.2f s",
                          avcodec_get_name(par->codec_id), (long long)(par->bit_rate / 1000),
                          par->sample_rate, par->ch_layout.nb_channels,
                          ic->duration > 0 ? double(ic->duration) / AV_TIME_BASE : 0.0);
            text = line;
            break;
        }
    avformat_close_input(&ic);
    return text;
}

// Wall and processor seconds of one side; negative when a run failed.
struct TTimes {
    double Wall = -1;
    double Cpu = -1;
};

void PrintRow(const char* What, const TTimes& T)
{
    if (T.Wall < 0)
        std::printf("  %-46s   FAILED\n", What);
    else
        std::printf("  %-46s %8.3f s wall %8.3f s cpu\n", What, T.Wall, T.Cpu);
}

// Prints the ratio Slower / Faster against Goal (higher is better); false when not met.
bool PrintGoal(const char* What, double Ratio, double Goal)
{
    const bool met = Ratio >= Goal;
    std::printf("  %-46s %8.3fx  (goal >= %.2fx: %s)\n", What, Ratio, Goal, met ? "met" : "NOT met");
    return met;
}

}  // namespace

int main(int argc, char** argv)
{
    const TBenchArgs args(argc, argv);
    std::string media = args.Text("--media", "bench-ffmpeg-media");
    const int files = args.Int("--files", 20, 1);
    const int repeat = args.Int("--repeat", 3, 1);
    const double longSeconds = args.Number("--long-seconds", 60, 1);
    const std::string convert = ZELTA_CONVERT;
    fs::create_directories(media);
    media = fs::absolute(media).string();

    // One short source copied under N names: the same work per file, made once.
    constexpr double ShortSeconds = 8;
    const std::string shortSource = media + "/short-720p.mp4";
    const std::string longSource =
        media + "/long-1080p-" + std::to_string(int(longSeconds)) + "s.mp4";
    if (!MakeSource(shortSource, 1280, 720, ShortSeconds) ||
        !MakeSource(longSource, 1920, 1080, longSeconds))
        return 1;
    const std::vector<std::string> inputs = ClipCopies(media, shortSource, files);
    const std::string home = media + "/home";
    const std::string out = media + "/out";
    fs::create_directories(home);
    const std::vector<std::string> env = {"ZELTA_HOME=" + home, "HOME=" + home};
    auto fresh = [&] {
        fs::remove_all(out);
        fs::create_directories(out);
    };
    const bool peer = OnPath("ffmpeg");
    auto zeltaRun = [&](const std::vector<std::string>& Inputs) {
        fresh();
        std::vector<std::string> args = {convert, "--profile", std::to_string(ZeltaMp3Profile),
                                         "--output", out};
        args.insert(args.end(), Inputs.begin(), Inputs.end());
        TTimes t;
        t.Wall = RunTimed(args, env, &t.Cpu);
        return t;
    };
    auto ffmpegRun = [&](const std::vector<std::string>& Inputs) {
        fresh();
        TTimes total{0, 0};
        for (const std::string& in : Inputs) {
            std::vector<std::string> args = {"ffmpeg", "-nostdin", "-loglevel", "error", "-y",
                                             "-i", in};
            args.insert(args.end(), FfmpegMp3Options.begin(), FfmpegMp3Options.end());
            args.push_back(out + "/" + fs::path(in).stem().string() + ".ffmpeg.mp3");
            double cpu = 0;
            const double t = RunTimed(args, {}, &cpu);
            if (t < 0)
                return TTimes{};
            total.Wall += t;
            total.Cpu += cpu;
        }
        return total;
    };

    std::printf("load before: %s (%u cores)\n", LoadAverage().c_str(),
                unsigned(::sysconf(_SC_NPROCESSORS_ONLN)));
    if (!peer)
        std::printf("ffmpeg is not on PATH: the comparison is skipped, only zelta-convert is "
                    "timed\n");
    TTimes zeltaBatch, toolBatch, zeltaLong, toolLong;
    // The best wall time and, apart from it, the least processor time of the runs.
    auto keep = [](TTimes& Best, const TTimes& T) {
        if (T.Wall < 0)
            return;
        if (Best.Wall < 0 || T.Wall < Best.Wall)
            Best.Wall = T.Wall;
        if (Best.Cpu < 0 || T.Cpu < Best.Cpu)
            Best.Cpu = T.Cpu;
    };
    std::string zeltaShape, toolShape;
    for (int r = 0; r < repeat; ++r) {
        keep(zeltaBatch, zeltaRun(inputs));
        if (r == 0)
            zeltaShape = Describe(FindOutput(out, "clip0_", ".mp3"));
        if (peer) {
            keep(toolBatch, ffmpegRun(inputs));
            if (r == 0)
                toolShape = Describe(FindOutput(out, "clip0.", ".ffmpeg.mp3"));
        }
        keep(zeltaLong, zeltaRun({longSource}));
        if (peer)
            keep(toolLong, ffmpegRun({longSource}));
    }
    fs::remove_all(out);

    std::printf("output of clip0: zelta-convert %s\n", zeltaShape.c_str());
    if (peer)
        std::printf("                 ffmpeg        %s\n", toolShape.c_str());
    std::printf("batch: %d x %.0f s 1280x720 H.264/AAC -> MP3 (best of %d)\n", files,
                ShortSeconds, repeat);
    PrintRow("zelta-convert --jobs auto (one process)", zeltaBatch);
    if (peer)
        PrintRow("ffmpeg, one process per file, sequential", toolBatch);
    std::printf("single: %.0f s 1920x1080 H.264/AAC -> MP3 (best of %d)\n", longSeconds, repeat);
    PrintRow("zelta-convert", zeltaLong);
    if (peer)
        PrintRow("ffmpeg", toolLong);
    std::printf("load after: %s\n", LoadAverage().c_str());
    if (zeltaBatch.Wall < 0 || zeltaLong.Wall < 0 ||
        (peer && (toolBatch.Wall < 0 || toolLong.Wall < 0)))
        return 1;
    if (!peer)
        return 0;
    std::printf("goals (wall time):\n");
    PrintGoal("batch: ffmpeg time / zelta-convert time", toolBatch.Wall / zeltaBatch.Wall, 3.0);
    // At most 0.97 x ffmpeg's time is a ratio of at least 1 / 0.97.
    PrintGoal("single: ffmpeg time / zelta-convert time", toolLong.Wall / zeltaLong.Wall,
              1 / 0.97);
    std::printf("processor time, ffmpeg / zelta-convert: batch %.3fx, single %.3fx\n",
                toolBatch.Cpu / zeltaBatch.Cpu, toolLong.Cpu / zeltaLong.Cpu);
    return 0;
}
