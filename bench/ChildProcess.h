// Running programs as child processes for the benchmarks that time whole program runs.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// In a child process: becomes Args (argv[0] looked up on PATH); exits with 127 when it cannot.
[[noreturn]] inline void ExecArgs(const std::vector<std::string>& Args)
{
    std::vector<char*> argv;
    for (const std::string& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

// Starts Args (argv[0] looked up on PATH) with standard output and error discarded and
// ExtraEnv ("NAME=value") added. InChild, when given, runs in the child first; false makes the
// child exit with 126 (a limit it could not set, say). ErrorFile, when given, receives the
// standard error instead. The child's pid, or -1.
inline pid_t StartQuietChild(const std::vector<std::string>& Args,
                             const std::vector<std::string>& ExtraEnv = {},
                             const std::function<bool()>& InChild = {},
                             const std::string& ErrorFile = {})
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    if (InChild && !InChild())
        ::_exit(126);
    if (FILE* null = std::fopen("/dev/null", "w")) {
        ::dup2(::fileno(null), STDOUT_FILENO);
        ::dup2(::fileno(null), STDERR_FILENO);
    }
    if (!ErrorFile.empty())
        if (FILE* errors = std::fopen(ErrorFile.c_str(), "w"))
            ::dup2(::fileno(errors), STDERR_FILENO);
    for (const std::string& e : ExtraEnv)
        ::putenv(const_cast<char*>(e.c_str()));
    ExecArgs(Args);
}

// Waits for the child Pid; true when it exited with status 0. Usage gets its resource use.
inline bool WaitChild(pid_t Pid, rusage& Usage)
{
    int status = 0;
    return ::wait4(Pid, &status, 0, &Usage) == Pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Runs Args as StartQuietChild does; the wall time in seconds, or a negative value when it
// failed. Cpu, when given, gets the child's processor time (user + system, seconds), which a
// loaded machine disturbs less than the wall time. ErrorFile as for StartQuietChild.
inline double RunTimed(const std::vector<std::string>& Args,
                       const std::vector<std::string>& ExtraEnv = {}, double* Cpu = nullptr,
                       const std::string& ErrorFile = {})
{
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = StartQuietChild(Args, ExtraEnv, {}, ErrorFile);
    rusage usage{};
    if (pid < 0 || !WaitChild(pid, usage))
        return -1;
    if (Cpu != nullptr)
        *Cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Whether Program is an executable file in a folder of PATH.
inline bool OnPath(const std::string& Program)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return false;
    const std::string rest = path;
    size_t start = 0;
    for (;;) {
        const size_t colon = rest.find(':', start);
        const std::string dir = rest.substr(start, colon == std::string::npos ? colon : colon - start);
        if (!dir.empty() && ::access((dir + "/" + Program).c_str(), X_OK) == 0)
            return true;
        if (colon == std::string::npos)
            return false;
        start = colon + 1;
    }
}

// Best of Repeat runs of Job (a negative time from any run fails the whole).
template <class TJob>
double Best(int Repeat, TJob Job)
{
    double best = -1;
    for (int i = 0; i < Repeat; ++i) {
        const double t = Job();
        if (t < 0)
            return -1;
        if (best < 0 || t < best)
            best = t;
    }
    return best;
}
