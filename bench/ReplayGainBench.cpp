// What loudness tags cost: the same conversion of a tagged source with a cover, with and without
// "replaygain", into every format that takes the tags. The extra time is the measuring of the
// encoded samples plus the rewrite of the finished file (packets copied, or the MP4 item list
// grown in place); the goal is at most 10 % over the conversion without tags.
//
//   ReplayGainBench [--media DIR] [--seconds N] [--repeat N]
//
// The source (N seconds, default 60, of a 44.1 kHz stereo tone in MP3 with tags and a cover) is
// made once with the test fixture builder and kept in DIR. Each conversion runs --repeat times
// (default 5) alternating with and without tags; the shortest times are compared, processor time
// deciding (wall time is shown too). Unknown arguments are ignored.

#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/Transcode.h"
#include "fixtures/Fixtures.h"

#include "BenchSupport.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TFormat {
    const char* Name;
    const char* Codec;
    const char* Ext;
    const char* Rate; // forced sample rate, or null
};

struct TTime {
    double Wall = -1; // negative: the conversion failed
    double Cpu = -1;
};

// Wall and processor seconds of one conversion (it runs on this thread only).
TTime Convert(const std::string& Source, const TFormat& F, const std::string& Output, bool Gain) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = CpuSeconds();
    TCustomFFmpeg core;
    core.PrepareTask();
    try {
        core.SetOption("vn", "1");
        if (!core.AddInputFile(Source)) {
            std::fprintf(stderr, "%s\n", core.LastErrMsg().c_str());
            return {};
        }
        core.SetOption("acodec", F.Codec);
        if (F.Rate != nullptr)
            core.SetOption("ar", F.Rate);
        core.SetOption("keep_tags", "1");
        if (Gain)
            core.SetOption("replaygain", "1");
        if (core.AddOutputFile(Output, false) < 0) {
            std::fprintf(stderr, "%s\n", core.LastErrMsg().c_str());
            return {};
        }
        std::atomic<bool> stop{false};
        if (!Transcode(core, stop))
            return {};
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        core.FreeSession();
        return {};
    }
    core.FreeSession();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(),
            CpuSeconds() - c0};
}

} // namespace

int main(int argc, char** argv) {
    std::string mediaDir = (fs::temp_directory_path() / "zelta-replaygain-bench").string();
    double seconds = 60;
    int repeat = 5;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--media")
            mediaDir = argv[++i];
        else if (a == "--seconds")
            seconds = std::max(5.0, std::atof(argv[++i]));
        else if (a == "--repeat")
            repeat = std::max(1, std::atoi(argv[++i]));
    }
    if (!FFLoader().LoadLibs(EngineLibraries)) {
        std::fprintf(stderr, "%s\n", FFLoader().LastError().c_str());
        return 2;
    }
    GetLogger().SetTriggerEventInMainThread(false);
    GetLogger().SetLogLevel(llError);

    fs::create_directories(mediaDir);
    const std::string source =
        (fs::path(mediaDir) / ("tagged_" + std::to_string(int(seconds)) + "s.mp3")).string();
    fixtures::TMediaSpec spec;
    spec.Format = "mp3";
    spec.AudioEncoders = {"libmp3lame"};
    spec.Seconds = seconds;
    spec.Metadata = fixtures::TaggedCoverTags();
    spec.Cover = fixtures::CoverPicture();
    fixtures::MakeMediaOnce(source, spec);

    const fs::path outDir = fs::path(mediaDir) / ("out-" + std::to_string(::getpid()));
    fs::create_directories(outDir);
    const TFormat formats[] = {
        {"MP3", "libmp3lame", "mp3", nullptr}, {"M4A AAC", "aac", "m4a", nullptr},
        {"M4A ALAC", "alac", "m4a", nullptr},  {"FLAC", "flac", "flac", nullptr},
        {"Opus", "libopus", "opus", "48000"},  {"OGG Vorbis", "libvorbis", "ogg", nullptr},
        {"WMA", "wmav2", "wma", nullptr},
    };
    // Processor time decides: on a shared machine the wall time also counts the others' work.
    std::printf("%-11s %9s %9s %7s   %9s %9s %7s\n", "format", "wall", "tagged", "extra",
                "cpu", "tagged", "extra");
    bool allMet = true;
    for (const TFormat& f : formats) {
        TTime plain{1e9, 1e9}, tagged{1e9, 1e9};
        const std::string out = (outDir / (std::string("out.") + f.Ext)).string();
        for (int r = 0; r < repeat; ++r) {
            const TTime a = Convert(source, f, out, false);
            const TTime b = Convert(source, f, out, true);
            if (a.Wall < 0 || b.Wall < 0) {
                std::fprintf(stderr, "%s: conversion failed\n", f.Name);
                return 1;
            }
            plain = {std::min(plain.Wall, a.Wall), std::min(plain.Cpu, a.Cpu)};
            tagged = {std::min(tagged.Wall, b.Wall), std::min(tagged.Cpu, b.Cpu)};
        }
        const double wallExtra = (tagged.Wall - plain.Wall) / plain.Wall * 100.0;
        const double cpuExtra = (tagged.Cpu - plain.Cpu) / plain.Cpu * 100.0;
        allMet = allMet && cpuExtra <= 10.0;
        std::printf("%-11s %9.3f %9.3f %6.1f%%   %9.3f %9.3f %6.1f%%\n", f.Name, plain.Wall,
                    tagged.Wall, wallExtra, plain.Cpu, tagged.Cpu, cpuExtra);
    }
    std::error_code ec;
    fs::remove_all(outDir, ec);
    std::printf("goal: loudness tags cost at most 10 %% extra conversion time: %s\n",
                allMet ? "met" : "NOT MET");
    return allMet ? 0 : 1;
}
