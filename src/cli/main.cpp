// zelta-convert: the batch conversion of the main window without a window, for scripts and
// servers. Files go through the same source list, batch driver and job builder as Start; only the
// user dialogue differs (messages on standard error, every question answered "yes").
//
// The conversion runs on the component's workers; no event loop exists, so the component's
// events arrive on its own threads and the main thread only waits for the end of the run.
#include "app/AppPaths.h"
#include "app/BatchDriver.h"
#include "app/ConvertArgs.h"
#include "app/FormatCatalogue.h"
#include "app/IniFile.h"
#include "app/SettingsKeys.h"
#include "app/JobBuilder.h"
#include "app/SourceList.h"
#include "app/SystemCommands.h"
#include "cli/ScratchFolder.h"
#include "cli/StopSignals.h"
#include "component/FFConverter.h"
#include "engine/Tags.h"
#include "probe/AVProbe.h"

#include <QGuiApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <clocale>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;
using namespace zelta;

namespace {

constexpr int ExitConverted = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

std::string VersionText()
{
    return "zelta-convert " + std::to_string(ZELTA_VERSION_MAJOR) + "." +
           std::to_string(ZELTA_VERSION_MINOR) + "." + std::to_string(ZELTA_VERSION_PATCH) + "." +
           std::to_string(ZELTA_VERSION_TWEAK);
}

std::string FileNameOf(const std::string& Path) { return fs::path(Path).filename().string(); }

// How each task ended.
struct TTaskEnd {
    bool Ended = false;
    bool Finished = false;
    std::string Message;
    std::vector<std::string> Warnings; // of a file converted with something to tell
};

// The user dialogue and the progress display of the command line. The component calls in from
// its threads (progress from the workers, ends from its delivery thread); everything here is
// guarded by FLock.
class TConsoleHost final : public TBatchHost {
public:
    explicit TConsoleHost(bool Terminal) : FTerminal(Terminal) {}

    // Whether a stop signal came (a stopped task is then named "stopped").
    void SetSignals(const TStopSignals* Signals) { FSignals = Signals; }

    void ShowMessage(std::string_view Caption, std::string_view Text) override
    {
        std::lock_guard guard(FLock);
        ClearLine();
        std::fprintf(stderr, "%.*s: %.*s\n", int(Caption.size()), Caption.data(),
                     int(Text.size()), Text.data());
    }
    bool AskYesNo(std::string_view Caption, std::string_view Text) override
    {
        std::lock_guard guard(FLock);
        ClearLine();
        std::fprintf(stderr, "%.*s: %.*s yes\n", int(Caption.size()), Caption.data(),
                     int(Text.size()), Text.data());
        return true;
    }

    // Before the run: the task names (source and destination file names).
    void Begin(std::vector<std::string> Sources, std::vector<std::string> Destinations)
    {
        std::lock_guard guard(FLock);
        FSources = std::move(Sources);
        FDestinations = std::move(Destinations);
        FPercent.assign(FSources.size(), 0);
        FPlainStep.assign(FSources.size(), 0);
        FEnds.assign(FSources.size(), TTaskEnd{});
        FRunEnded = false;
    }

    void ShowProgress(const TProgressTexts& Texts) override
    {
        std::lock_guard guard(FLock);
        const size_t task = size_t(Texts.TaskIndex);
        if (task >= FPercent.size())
            return;
        const int percent = std::clamp(Texts.Percent, 0, 100);
        if (FTerminal) {
            if (percent == FPercent[task] && task == FLastTask && FLineShown)
                return;
            FPercent[task] = percent;
            FLastTask = task;
            DrawLine();
        } else {
            FPercent[task] = percent;
            // One line per quarter, so a log file stays readable.
            const int step = percent / 25;
            if (step > FPlainStep[task] && step < 4) {
                FPlainStep[task] = step;
                std::fprintf(stderr, "[%zu/%zu] %s: %d%%\n", task + 1, FSources.size(),
                             FileNameOf(FSources[task]).c_str(), percent);
            }
        }
    }

    void TaskEnded(const TTerminateInfo& Info) override
    {
        std::lock_guard guard(FLock);
        const size_t task = size_t(Info.TaskIndex);
        if (task >= FEnds.size())
            return;
        TTaskEnd& end = FEnds[task];
        end.Ended = true;
        end.Finished = Info.Finished;
        end.Message = Info.ExceptionMsg;
        if (!end.Finished && end.Message.empty())
            end.Message = Interrupted() ? "stopped" : "the conversion did not finish";
        FPercent[task] = end.Finished ? 100 : FPercent[task];
        ClearLine();
        end.Warnings = Info.Warnings;
        // The name the file got, which is another one when the planned one was taken meanwhile.
        if (end.Finished && !Info.OutputFile.empty())
            FDestinations[task] = Info.OutputFile;
        if (end.Finished)
            std::fprintf(stderr, "[%zu/%zu] %s -> %s: done%s\n", task + 1, FSources.size(),
                         FSources[task].c_str(), FDestinations[task].c_str(),
                         end.Warnings.empty() ? "" : ", with warnings");
        else
            std::fprintf(stderr, "[%zu/%zu] %s: failed: %s\n", task + 1, FSources.size(),
                         FSources[task].c_str(), end.Message.c_str());
        // What the conversion did worth a line (the loudness measured, the gain applied).
        if (end.Finished)
            for (const std::string& note : Info.Notes)
                std::fprintf(stderr, "  %s\n", note.c_str());
        if (FTerminal)
            DrawLine();
    }

    void RunEnded() override
    {
        std::lock_guard guard(FLock);
        ClearLine();
        FRunEnded = true;
        FChanged.notify_all();
    }

    // Waits for the end of the run; Interrupt is called once when a stop signal arrives.
    template <class TInterrupt>
    void WaitForRunEnd(TInterrupt Interrupt)
    {
        std::unique_lock guard(FLock);
        bool interrupted = false;
        while (!FRunEnded) {
            // The signal watcher does not notify this wait; look at the flag now and then.
            FChanged.wait_for(guard, std::chrono::milliseconds(50));
            if (Interrupted() && !interrupted) {
                interrupted = true;
                guard.unlock();
                Interrupt();
                guard.lock();
            }
        }
    }

    std::vector<TTaskEnd> Ends() const
    {
        std::lock_guard guard(FLock);
        return FEnds;
    }

    // The report of a run given up on (a second signal, or a stop that did not end in time):
    // the files not converted are named (all of Files before the run has begun), then the
    // summary.
    void ReportGivingUp(const std::vector<std::string>& Files)
    {
        std::lock_guard guard(FLock);
        ClearLine();
        size_t converted = 0;
        for (size_t task = 0; task < FEnds.size(); ++task) {
            if (FEnds[task].Finished)
                ++converted;
            else
                std::fprintf(stderr, "zelta-convert: failed: %s: stopped\n",
                             FSources[task].c_str());
        }
        if (FEnds.empty())
            for (const std::string& file : Files)
                std::fprintf(stderr, "zelta-convert: failed: %s: stopped\n", file.c_str());
        std::fprintf(stderr,
                     "zelta-convert: stopped without waiting for the conversion to end; "
                     "%zu of %zu files converted\n",
                     converted, Files.size());
    }

private:
    bool Interrupted() const { return FSignals != nullptr && FSignals->Interrupted(); }

    void ClearLine()
    {
        if (FTerminal && FLineShown) {
            std::fputs("\r\033[K", stderr);
            FLineShown = false;
        }
    }
    void DrawLine()
    {
        if (FSources.empty())
            return;
        constexpr int BarWidth = 20;
        auto bar = [](int Percent) {
            const int filled = Percent * BarWidth / 100;
            return std::string(size_t(filled), '#') + std::string(size_t(BarWidth - filled), '.');
        };
        int total = 0;
        for (int p : FPercent)
            total += p;
        const int overall = total / int(FPercent.size());
        const size_t task = std::min(FLastTask, FSources.size() - 1);
        std::string name = FileNameOf(FSources[task]);
        if (name.size() > 30)
            name = name.substr(0, 27) + "...";
        std::fprintf(stderr, "\r\033[K[%zu/%zu] %-30s %3d%% [%s]  all %3d%% [%s]", task + 1,
                     FSources.size(), name.c_str(), FPercent[task], bar(FPercent[task]).c_str(),
                     overall, bar(overall).c_str());
        std::fflush(stderr);
        FLineShown = true;
    }

    const bool FTerminal;
    const TStopSignals* FSignals = nullptr;
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    std::vector<std::string> FSources;
    std::vector<std::string> FDestinations;
    std::vector<int> FPercent;
    std::vector<int> FPlainStep;
    std::vector<TTaskEnd> FEnds;
    size_t FLastTask = 0;
    bool FLineShown = false;
    bool FRunEnded = false;
};

int UsageError(const std::string& Error)
{
    std::fprintf(stderr, "zelta-convert: %s\n\n%s", Error.c_str(), ConvertUsage().c_str());
    return ExitUsage;
}

int Fail(const std::string& Message)
{
    std::fprintf(stderr, "zelta-convert: %s\n", Message.c_str());
    return ExitFailed;
}

bool LoadEngine(TFFConverter& Converter)
{
    if (Converter.LoadLibraries(LibAVFolder()))
        return true;
    std::fprintf(stderr, "zelta-convert: cannot load the media libraries: %s\n",
                 Converter.LastError().c_str());
    return false;
}

int PrintInfo(const std::string& File)
{
    TFFConverter converter;
    if (!LoadEngine(converter))
        return ExitFailed;
    TAVProbe& probe = converter.Probe();
    if (!probe.Open(fs::absolute(File).string()))
        return Fail(File + ": " + probe.LastError());
    std::string text;
    if (!probe.GetInfoText(text))
        return Fail(File + ": " + probe.LastError());
    std::printf("%s\n", text.c_str());
    // What a conversion takes along, under the names it writes them with.
    const AVFormatContext* context = probe.FormatContext();
    const zeltatags::TTagList tags = zeltatags::SourceTags(context->metadata);
    std::printf("Tags carried:%s\n", tags.empty() ? " none" : "");
    for (const auto& [name, value] : tags)
        std::printf("  %-14s: %s\n", name.c_str(), value.c_str());
    if (const AVStream* cover = zeltatags::FindCover(context))
        std::printf("  %-14s: %d bytes\n", "cover", cover->attached_pic.size);
    return ExitConverted;
}

// "path: reason", unless the reason names the file already (the libraries' texts do).
std::string Named(const std::string& Path, const std::string& Reason)
{
    if (Reason.rfind(Path, 0) == 0)
        return Reason;
    return Path + ": " + Reason;
}

// Why a path given on the command line got no row.
std::string RefusalReason(const std::string& Path, TFFConverter& Converter)
{
    std::error_code ec;
    if (!fs::exists(Path, ec))
        return "no such file";
    if (fs::is_directory(Path, ec))
        return "is a folder";
    TAVProbe& probe = Converter.Probe();
    if (!probe.Open(Path)) {
        const std::string reason = probe.LastError();
        return reason.empty() ? "the file cannot be opened as media" : reason;
    }
    probe.Close();
    return "the file cannot be opened as media";
}

int Convert(const TConvertArgs& Args, int Argc, char** Argv)
{
    // From here on SIGINT and SIGTERM stop the work (no other thread exists yet, see
    // TStopSignals). Given up on, the process names what it knows, removes its scratch folder
    // and ends at once; the report lock keeps that from mixing with the summary.
    TConsoleHost host(::isatty(STDERR_FILENO) != 0);
    std::mutex reportLock;
    bool reported = false;   // guarded by reportLock
    std::string scratchPath; // guarded by reportLock
    std::vector<std::string> givenFiles = Args.Files; // guarded by reportLock
    TStopSignals stopSignals([&] {
        std::lock_guard guard(reportLock);
        if (!reported)
            host.ReportGivingUp(givenFiles);
        std::error_code removeEc;
        if (!scratchPath.empty())
            fs::remove_all(scratchPath, removeEc);
        std::_Exit(ExitFailed);
    });
    host.SetSignals(&stopSignals);

    // A damaged settings file or catalogue reads as absent (defaults), is named once, and is
    // never copied into the private settings below.
    const TIniFile catalogue(CatalogueFilePath(), TDamagedFile::StartOver);
    const TIniFile userSettings(SettingsFilePath(), TDamagedFile::StartOver);
    const TIniDamage settingsDamage = InspectIniFile(userSettings.FileName());
    for (const auto& [file, damage] : {std::pair{userSettings.FileName(), settingsDamage},
                                       std::pair{catalogue.FileName(),
                                                 InspectIniFile(catalogue.FileName())}})
        if (damage != TIniDamage::None)
            std::fprintf(stderr, "zelta-convert: warning: %s cannot be used (%s); using defaults\n",
                         file.c_str(), std::string(IniDamageText(damage)).c_str());
    const bool chosen = Args.Profile.has_value();
    const int code = chosen ? *Args.Profile
                            : userSettings.ReadInteger(SectionSettings, KeyFormatCode,
                                                       FormatCodeDefault);
    const std::vector<TFormatProfile> profiles = ListFormatProfiles(ReadFormatCatalogue(catalogue));
    if (std::none_of(profiles.begin(), profiles.end(),
                     [&](const TFormatProfile& p) { return p.Code == code; })) {
        const std::string text = "no profile " + std::to_string(code) + " in " +
                                 catalogue.FileName() + " (see --list-profiles)";
        return chosen ? UsageError(text) : Fail(text);
    }

    // The core reads the profile and the output folder from the settings file; a private copy
    // carries the options, so the user's stored choices stay as they are.
    TScratchFolder scratch;
    if (scratch.Path().empty())
        return Fail("cannot create a temporary folder");
    {
        std::lock_guard guard(reportLock);
        scratchPath = scratch.Path();
    }
    const std::string settingsCopy = JoinPath(scratch.Path(), SettingsFileName);
    std::error_code ec;
    if (settingsDamage == TIniDamage::None && fs::exists(userSettings.FileName(), ec))
        fs::copy_file(userSettings.FileName(), settingsCopy, ec);
    if (ec)
        return Fail("cannot read " + userSettings.FileName() + ": " + ec.message());
    // The copy goes with the scratch folder: no write of it needs to wait for the disk.
    TIniFile settings(settingsCopy, TDamagedFile::Keep, TIniWrites::Scratch);
    if (!settings.WriteInteger(SectionSettings, KeyFormatCode, code) ||
        (Args.NoTags && !settings.WriteBool(SectionSettings, KeyKeepTags, false)) ||
        (Args.ReplayGain && !settings.WriteBool(SectionSettings, KeyReplayGain, true)) ||
        !WriteLoudnessArgs(Args, settings))
        return Fail(settings.LastError());
    std::string outputFolder;
    if (Args.OutputDir) {
        // A folder the user named must be the one written to: no fallback to the default.
        const std::string folder = fs::absolute(*Args.OutputDir, ec).lexically_normal().string();
        if (!ec)
            fs::create_directories(folder, ec);
        if (!ec && !fs::is_directory(folder, ec))
            ec = std::make_error_code(std::errc::not_a_directory);
        if (ec) {
            std::fprintf(stderr, "zelta-convert: cannot create the output folder %s: %s\n",
                         folder.c_str(), ec.message().c_str());
            return ExitUsage;
        }
        if (!settings.WriteString(SectionSettings, KeyOutPutDir, folder))
            return Fail(settings.LastError());
        // Given as it is: the settings file would drop blanks at its ends.
        outputFolder = folder;
    }

    // Text layers are drawn with QPainter, which needs an application object; the offscreen
    // platform needs no display.
    std::unique_ptr<QGuiApplication> gui;
    if (!Args.Texts.empty()) {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        gui = std::make_unique<QGuiApplication>(Argc, Argv);
        // Option values and the libraries' parsing keep "." as the decimal separator.
        std::setlocale(LC_NUMERIC, "C");
    }

    TFFConverter converter;
    // A signal makes every open, probe and read of the converter's files give up; the run
    // itself is stopped below. Unset before the converter goes.
    stopSignals.OnStop([&converter] { converter.Interrupt(); });
    struct TUnsetStop {
        TStopSignals& Signals;
        ~TUnsetStop() { Signals.OnStop({}); }
    } unsetStop{stopSignals};
    if (!LoadEngine(converter))
        return ExitFailed;

    // Absolute names, each once: the list refuses exact duplicates.
    std::vector<std::string> paths;
    std::set<std::string> seen;
    for (const std::string& file : Args.Files) {
        std::string path = fs::absolute(file, ec).lexically_normal().string();
        if (seen.insert(path).second)
            paths.push_back(std::move(path));
    }

    {
        std::lock_guard guard(reportLock);
        givenFiles = paths;
    }

    std::vector<std::string> failures;
    std::vector<std::string> warnings; // "file: warning", of files converted
    int converted = 0;
    int warned = 0;
    // The summary; every file not converted is named with its reason, every warning of one
    // converted with its file. Warnings leave the exit status as it is.
    auto summary = [&] {
        std::lock_guard guard(reportLock);
        reported = true;
        for (const std::string& warning : warnings)
            std::fprintf(stderr, "zelta-convert: warning: %s\n", warning.c_str());
        for (const std::string& failure : failures)
            std::fprintf(stderr, "zelta-convert: failed: %s\n", failure.c_str());
        std::fprintf(stderr, "zelta-convert: %d of %zu files converted, %zu failed%s\n", converted,
                     paths.size(), failures.size(),
                     warned == 0 ? "" : (", " + std::to_string(warned) + " with warnings").c_str());
        if (stopSignals.Interrupted())
            return ExitFailed;
        return failures.empty() ? ExitConverted : ExitFailed;
    };
    // Stopped before the run: nothing was converted.
    auto stoppedEarly = [&] {
        failures.clear();
        for (const std::string& path : paths)
            failures.push_back(Named(path, "stopped"));
        return summary();
    };

    TSourceListModel list;
    list.SetOutputFolder(outputFolder);
    const TSourceListModel::TAddResult added =
        list.AddFiles(paths, converter, LibAVFolder(), settings, catalogue, host);
    if (stopSignals.Interrupted())
        return stoppedEarly();
    if (added.LibrariesFailed)
        return Fail("cannot load the media libraries: " + converter.LastError());
    if (added.Stopped)
        return Fail("no output folder can be created: nothing was converted");
    for (const std::string& path : paths)
        if (list.FindCaption(path) < 0)
            failures.push_back(Named(path, RefusalReason(path, converter)));

    for (int row = 0; row < list.RowCount(); ++row)
        ApplyConvertArgs(Args, list.Record(row));

    std::string extLines;
    for (const std::string& line : Args.ExtOptions)
        extLines += line + "\n";

    TBatchDriver driver(converter, list, host);
    driver.ConnectEvents();
    const TBatchDriver::TBuildResult built = driver.BuildTasks(settings, catalogue, extLines);
    if (stopSignals.Interrupted())
        return stoppedEarly();
    if (built.Stopped)
        return Fail(built.Error);
    for (const auto& [row, reason] : built.SkippedRows)
        failures.push_back(Named(list.Caption(row), reason));

    if (built.Tasks > 0) {
        std::vector<std::string> sources;
        std::vector<std::string> destinations;
        for (int task = 0; task < built.Tasks; ++task) {
            sources.push_back(list.Caption(driver.CheckedRows()[size_t(task)]));
            destinations.push_back(driver.Destination(task));
        }
        host.Begin(sources, destinations);
        const int jobs = Args.Jobs > 0 ? Args.Jobs
                                       : AutoJobCount(ProfileHasVideo(settings, catalogue, code),
                                                      std::thread::hardware_concurrency());
        try {
            converter.StartTask(jobs);
        } catch (const std::exception& e) {
            return Fail(e.what());
        }
        host.WaitForRunEnd([&] { converter.StopTasks(true); });

        const std::vector<TTaskEnd> ends = host.Ends();
        for (int task = 0; task < built.Tasks; ++task) {
            const TTaskEnd& end = ends[size_t(task)];
            if (end.Finished) {
                ++converted;
                warned += end.Warnings.empty() ? 0 : 1;
                for (const std::string& warning : end.Warnings)
                    warnings.push_back(Named(sources[size_t(task)], warning));
                continue;
            }
            // A failed or stopped task's file was never given its name: nothing to remove.
            failures.push_back(Named(sources[size_t(task)],
                                     end.Ended ? end.Message : "the conversion did not run"));
        }
    }
    return summary();
}

}  // namespace

int main(int argc, char** argv)
{
    // A file size limit reached while writing fails that file (EFBIG, like a full disk) instead
    // of killing the whole batch.
    std::signal(SIGXFSZ, SIG_IGN);
    RaiseOpenFileLimit();
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    const std::optional<TConvertArgs> args = ParseConvertArgs(arguments, error);
    if (!args)
        return UsageError(error);
    if (args->Help) {
        std::fputs(ConvertUsage().c_str(), stdout);
        return ExitConverted;
    }
    if (args->Version) {
        std::printf("%s\n", VersionText().c_str());
        return ExitConverted;
    }
    try {
        if (args->ListProfiles) {
            const TIniFile catalogue(CatalogueFilePath(), TDamagedFile::StartOver);
            for (const TFormatProfile& p : ListFormatProfiles(ReadFormatCatalogue(catalogue)))
                std::printf("%d\t%s\n", p.Code, p.Name.c_str());
            return ExitConverted;
        }
        if (args->InfoFile)
            return PrintInfo(*args->InfoFile);
        return Convert(*args, argc, argv);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
