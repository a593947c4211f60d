// Times zelta-convert on a batch: twenty 10-second 640x360 H.264/AAC files to MP3 (the profile
// defaults: libmp3lame, 128 kbit/s, 44100 Hz, stereo) with --jobs 2 in one process, against the
// ffmpeg command-line tool converting the same files one process per file at the same settings;
// and the start-up time of `zelta-convert --version` against `ffmpeg -version`. The media are
// made once through the libraries in <media> (never by the tool). Without ffmpeg on PATH only
// zelta-convert's own times are printed.
//   BatchBench [--media DIR] [--files N] [--seconds S] [--repeat R]
#include "BenchSupport.h"
#include "ChildProcess.h"
#include "fixtures/Fixtures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    const TBenchArgs args(argc, argv);
    std::string media = args.Text("--media", "bench-batch-media");
    const int files = args.Int("--files", 20, 1);
    const double seconds = args.Number("--seconds", 10, 1);
    const int repeat = args.Int("--repeat", 3, 1);
    const std::string convert = ZELTA_CONVERT;
    fs::create_directories(media);
    media = fs::absolute(media).string();

    // One source, copied under twenty names: the same work per file, made once.
    const std::string source = media + "/source-" + std::to_string(int(seconds)) + "s.mp4";
    if (!fs::exists(source)) {
        fixtures::TMediaSpec spec;
        spec.Format = "mp4";
        spec.VideoEncoder = "libx264";
        spec.Width = 640;
        spec.Height = 360;
        spec.AudioEncoders = {"aac"};
        spec.Seconds = seconds;
        try {
            fixtures::MakeMediaOnce(source, spec);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "cannot make the media: %s\n", e.what());
            return 1;
        }
    }
    const std::vector<std::string> inputs = ClipCopies(media, source, files);
    const std::string home = media + "/home";
    const std::string out = media + "/out";
    fs::create_directories(home);
    const std::vector<std::string> env = {"ZELTA_HOME=" + home, "HOME=" + home};
    auto fresh = [&] {
        fs::remove_all(out);
        fs::create_directories(out);
    };

    const double zelta = Best(repeat, [&] {
        fresh();
        std::vector<std::string> args = {convert, "--profile", "0", "--jobs", "2", "--output", out};
        args.insert(args.end(), inputs.begin(), inputs.end());
        return RunTimed(args, env);
    });
    const bool peer = OnPath("ffmpeg");
    double tool = -1;
    if (peer)
        tool = Best(repeat, [&] {
            fresh();
            double total = 0;
            for (size_t i = 0; i < inputs.size(); ++i) {
                const double t = RunTimed({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i",
                                           inputs[i], "-vn", "-c:a", "libmp3lame", "-b:a", "128k",
                                           "-ar", "44100", "-ac", "2",
                                           out + "/clip" + std::to_string(i) + ".mp3"});
                if (t < 0)
                    return -1.0;
                total += t;
            }
            return total;
        });

    constexpr int Starts = 20;
    auto startTime = [&](std::vector<std::string> Args, const std::vector<std::string>& Env) {
        return Best(repeat, [&] {
            double total = 0;
            for (int i = 0; i < Starts; ++i) {
                const double t = RunTimed(Args, Env);
                if (t < 0)
                    return -1.0;
                total += t;
            }
            return total / Starts;
        });
    };
    const double zeltaStart = startTime({convert, "--version"}, env);
    const double toolStart = peer ? startTime({"ffmpeg", "-version"}, {}) : -1;

    std::printf("batch: %d x %.0f s 640x360 H.264/AAC -> MP3 128k 44100 Hz stereo\n", files,
                seconds);
    std::printf("  %-44s %8.3f s\n", "zelta-convert --jobs 2 (one process)", zelta);
    if (peer)
        std::printf("  %-44s %8.3f s   ratio %.2fx (goal >= 2x: %s)\n",
                    "ffmpeg, one process per file", tool, zelta > 0 ? tool / zelta : 0.0,
                    zelta > 0 && tool / zelta >= 2 ? "met" : "NOT met");
    std::printf("start-up (mean of %d):\n", Starts);
    std::printf("  %-44s %8.1f ms\n", "zelta-convert --version", zeltaStart * 1000);
    if (peer)
        std::printf("  %-44s %8.1f ms   (goal: no slower: %s)\n", "ffmpeg -version",
                    toolStart * 1000, zeltaStart <= toolStart ? "met" : "NOT met");
    fs::remove_all(out);
    return zelta < 0 || (peer && tool < 0) ? 1 : 0;
}
