// The sources of the big-batch benchmarks: Files names of one generated one-second WAV file
// (hard links, so a batch of thousands costs no disk space), made once in Media.
#pragma once

#include "fixtures/Fixtures.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// The absolute names Media/in/song00000.wav...; empty (with the reason on stderr) when the
// media cannot be made.
inline std::vector<std::string> BigBatchSources(const std::string& Media, int Files) {
    namespace fs = std::filesystem;
    fs::create_directories(Media);
    const std::string source = fs::absolute(Media).string() + "/tone-1s.wav";
    if (!fs::exists(source)) {
        fixtures::TMediaSpec spec;
        spec.Format = "wav";
        spec.AudioEncoders = {"pcm_s16le"};
        spec.Seconds = 1;
        try {
            fixtures::MakeMediaOnce(source, spec);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "cannot make the media: %s\n", e.what());
            return {};
        }
    }
    const std::string inputs = fs::absolute(Media).string() + "/in";
    fs::create_directories(inputs);
    std::vector<std::string> names;
    for (int i = 0; i < Files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/song%05d.wav", i);
        const std::string path = inputs + name;
        std::error_code ec;
        if (!fs::exists(path) && (fs::create_hard_link(source, path, ec), ec))
            fs::copy_file(source, path);
        names.push_back(path);
    }
    return names;
}
