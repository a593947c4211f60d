// Helpers of the fuzz targets: a scratch file per process for inputs that must be files, and a
// check that stops the run with a message when an expectation fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace fuzz {

// A file name of this process in the fastest temporary folder there is.
inline std::string ScratchFile(const std::string& Suffix) {
    const char* Dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(Dir) + "/zelta-fuzz-" + std::to_string(::getpid()) + Suffix;
}

inline void WriteFile(const std::string& Path, std::string_view Bytes) {
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), std::streamsize(Bytes.size()));
}

// A failed expectation is a finding: abort so libFuzzer keeps the input.
inline void Expect(bool Condition, const char* What) {
    if (!Condition) {
        std::fprintf(stderr, "fuzz expectation failed: %s\n", What);
        std::abort();
    }
}

inline std::string_view AsText(const uint8_t* Data, std::size_t Size) {
    return {reinterpret_cast<const char*>(Data), Size};
}

// The parts of a text between NUL bytes (a trailing part without NUL counts too).
inline std::vector<std::string> SplitAtNul(std::string_view Text) {
    std::vector<std::string> Parts;
    std::string Current;
    for (const char C : Text) {
        if (C == '\0') {
            Parts.push_back(Current);
            Current.clear();
        } else {
            Current.push_back(C);
        }
    }
    if (!Current.empty())
        Parts.push_back(Current);
    return Parts;
}

} // namespace fuzz
