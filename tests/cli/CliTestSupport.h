// Running the built zelta-convert from a test: a private temporary folder, a started program
// with its own settings and home folder, and the length a file reads back with.
#pragma once

#include "engine/FFmpegLoader.h"
#include "engine/SafeWrite.h"
#include "probe/AVProbe.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace clitest {

namespace fs = std::filesystem;

inline std::string ReadAll(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

class TTemp {
public:
    TTemp()
    {
        std::string Pattern = (fs::temp_directory_path() / "zelta-cli-XXXXXX").string();
        if (::mkdtemp(Pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        FPath = Pattern;
    }
    ~TTemp()
    {
        std::error_code Ec;
        fs::remove_all(FPath, Ec);
    }
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }

private:
    fs::path FPath;
};

struct TRun {
    int Status = -1; // exit status; -1 when it did not exit normally
    std::string Out;
    std::string Err;
};

// A started zelta-convert with its own settings folder (ZELTA_HOME) and home folder; standard
// output and error go to files.
class TProcess {
public:
    // FileSizeLimit, when not 0, is the program's limit on the size of any file it writes.
    // ExtraEnv ("NAME=value") is added to the environment, replacing a variable of that name.
    TProcess(const std::vector<std::string>& Arguments, const std::string& Home,
             const std::string& Capture, rlim_t FileSizeLimit = 0,
             const std::vector<std::string>& ExtraEnv = {})
        : FOut(Capture + ".out"), FErr(Capture + ".err")
    {
        std::vector<std::string> Env{"ZELTA_HOME=" + Home, "HOME=" + Home};
        Env.insert(Env.end(), ExtraEnv.begin(), ExtraEnv.end());
        auto Replaced = [&Env](const std::string& V) {
            for (const std::string& E : Env)
                if (V.compare(0, E.find('=') + 1, E, 0, E.find('=') + 1) == 0)
                    return true;
            return false;
        };
        for (char** E = environ; *E != nullptr; ++E)
            if (!Replaced(*E))
                Env.push_back(*E);
        std::vector<std::string> Args{ZELTA_CONVERT};
        Args.insert(Args.end(), Arguments.begin(), Arguments.end());
        std::vector<char*> Argv, Envp;
        for (std::string& A : Args)
            Argv.push_back(A.data());
        Argv.push_back(nullptr);
        for (std::string& E : Env)
            Envp.push_back(E.data());
        Envp.push_back(nullptr);

        if (FileSizeLimit != 0) {
            Fork(Argv, Envp, FileSizeLimit);
            return;
        }
        posix_spawn_file_actions_t Actions;
        posix_spawn_file_actions_init(&Actions);
        posix_spawn_file_actions_addopen(&Actions, 1, FOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&Actions, 2, FErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int R = posix_spawn(&FPid, ZELTA_CONVERT, &Actions, nullptr, Argv.data(), Envp.data());
        posix_spawn_file_actions_destroy(&Actions);
        if (R != 0)
            throw std::runtime_error("cannot start " + std::string(ZELTA_CONVERT));
    }
    ~TProcess()
    {
        if (FPid > 0) {
            ::kill(FPid, SIGKILL);
            Wait();
        }
    }
    void Signal(int Number) { ::kill(FPid, Number); }
    // Waits for the end; a program still running after TimeoutSeconds (when not 0) is killed
    // and its status is -1.
    TRun Wait(int TimeoutSeconds = 0)
    {
        TRun Run;
        int Status = 0;
        pid_t Ended = 0;
        for (int Waited = 0; FPid > 0 && TimeoutSeconds > 0 && Ended == 0; ++Waited) {
            Ended = ::waitpid(FPid, &Status, WNOHANG);
            if (Ended == 0 && Waited >= TimeoutSeconds * 100) {
                ::kill(FPid, SIGKILL);
                ::waitpid(FPid, &Status, 0);
                Status = -1;
                Ended = FPid;
            } else if (Ended == 0) {
                ::usleep(10000);
            }
        }
        if (FPid > 0 && Ended == 0)
            Ended = ::waitpid(FPid, &Status, 0);
        if (Ended == FPid && Status != -1 && WIFEXITED(Status))
            Run.Status = WEXITSTATUS(Status);
        FPid = -1;
        Run.Out = ReadAll(FOut);
        Run.Err = ReadAll(FErr);
        return Run;
    }

private:
    // posix_spawn cannot set a resource limit; the child does only async-signal-safe calls.
    void Fork(std::vector<char*>& Argv, std::vector<char*>& Envp, rlim_t FileSizeLimit)
    {
        FPid = ::fork();
        if (FPid < 0)
            throw std::runtime_error("fork failed");
        if (FPid > 0)
            return;
        const rlimit Limit{FileSizeLimit, FileSizeLimit};
        const int Out = ::open(FOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int Err = ::open(FErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (Out < 0 || Err < 0 || ::dup2(Out, 1) < 0 || ::dup2(Err, 2) < 0 ||
            ::setrlimit(RLIMIT_FSIZE, &Limit) != 0)
            ::_exit(127);
        ::execve(ZELTA_CONVERT, Argv.data(), Envp.data());
        ::_exit(127);
    }

    std::string FOut;
    std::string FErr;
    pid_t FPid = -1;
};

struct TProbed {
    bool Opened = false;
    std::string Error;
    int Audio = 0;
    int Video = 0;
    double Seconds = 0;
};

inline TProbed Probe(const std::string& File)
{
    TProbed R;
    if (!FFLoader().LoadLibs(EngineLibraries)) {
        R.Error = FFLoader().LastError();
        return R;
    }
    TAVProbe P;
    R.Opened = P.Open(File);
    if (!R.Opened) {
        R.Error = P.LastError();
        return R;
    }
    R.Audio = P.AudioStreamCount();
    R.Video = P.VideoStreamCount();
    TFileStreamInfo Info;
    if (P.GetFileStreamInfo(Info) && Info.Duration > 0)
        R.Seconds = double(Info.Duration) / 1e6;
    return R;
}

// Writes Text into a new file Path, never into one that is there; false when one is.
inline bool WriteNewFile(const std::string& Path, const std::string& Text)
{
    const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (Fd < 0)
        return false;
    const bool Ok = ::write(Fd, Text.data(), Text.size()) == ssize_t(Text.size());
    return ::close(Fd) == 0 && Ok;
}

// The private temporaries in Folder (full paths).
inline std::vector<std::string> Temporaries(const std::string& Folder)
{
    std::vector<std::string> Found;
    std::error_code Ec;
    for (fs::directory_iterator It(Folder, Ec), End; !Ec && It != End; It.increment(Ec))
        if (IsTemporaryName(It->path().filename().string()))
            Found.push_back(It->path().string());
    return Found;
}

// Waits up to TimeoutSeconds until a temporary in Folder holds data; false when none did.
inline bool WaitForWrittenTemporary(const std::string& Folder, int TimeoutSeconds = 60)
{
    for (int I = 0; I < TimeoutSeconds * 100; ++I) {
        for (const std::string& T : Temporaries(Folder)) {
            std::error_code Ec;
            if (fs::file_size(T, Ec) > 0 && !Ec)
                return true;
        }
        ::usleep(10000);
    }
    return false;
}

}  // namespace clitest
