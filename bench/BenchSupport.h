// Small measuring helpers shared by the benchmarks.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>

// The machine's load averages over 1, 5 and 15 minutes ("1.02 0.80 0.75").
inline std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Processor time of the whole process so far (user + system), seconds.
inline double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The benchmarks' "--name value" options: the last value given for a name counts, a number
// below Min becomes Min, anything else on the command line is ignored.
class TBenchArgs {
public:
    TBenchArgs(int Argc, char** Argv) : Args_(Argv + (Argc > 0 ? 1 : 0), Argv + Argc) {}
    std::string Text(std::string_view Name, std::string Default) const {
        for (size_t i = 0; i + 1 < Args_.size(); ++i)
            if (Args_[i] == Name)
                Default = Args_[++i];
        return Default;
    }
    int Int(std::string_view Name, int Default, int Min) const {
        const std::string v = Text(Name, {});
        return v.empty() ? Default : std::max(Min, std::atoi(v.c_str()));
    }
    double Number(std::string_view Name, double Default, double Min) const {
        const std::string v = Text(Name, {});
        return v.empty() ? Default : std::max(Min, std::atof(v.c_str()));
    }

private:
    std::vector<std::string> Args_;
};

// Count copies of Source in Media, named clip0.mp4, clip1.mp4, ... (made once, kept between
// runs): the same work per file for the batch benchmarks.
inline std::vector<std::string> ClipCopies(const std::string& Media, const std::string& Source,
                                           int Count) {
    std::vector<std::string> clips;
    for (int i = 0; i < Count; ++i) {
        const std::string clip = Media + "/clip" + std::to_string(i) + ".mp4";
        if (!std::filesystem::exists(clip))
            std::filesystem::copy_file(Source, clip);
        clips.push_back(clip);
    }
    return clips;
}
