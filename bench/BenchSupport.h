// Small measuring helpers shared by the benchmarks.
#pragma once

#include <sys/resource.h>

// Processor time of the whole process so far (user + system), seconds.
inline double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
