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
#include "app/JobBuilder.h"
#include "app/LibraryWalker.h"
#include "app/Segments.h"
#include "app/SettingsKeys.h"
#include "app/SourceList.h"
#include "app/StartupLanguage.h"
#include "app/SystemCommands.h"
#include "app/AudioTrackChooser.h"
#include "app/Translation.h"
#include "cli/ConsoleProgress.h"
#include "cli/ScratchFolder.h"
#include "cli/StopSignals.h"
#include "component/FFConverter.h"
#include "engine/Tags.h"
#include "probe/AVProbe.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <clocale>
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
    std::fprintf(stderr, "zelta-convert: %s\n",
                 FillText(TrText("ConvertMain", "cannot load the media libraries: %1"),
                          {Converter.LastError()})
                     .c_str());
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
    const std::vector<TAudioTrack> tracks = probe.AudioTracks();
    std::printf("%s\n", tracks.empty() ? TrText("ConvertMain", "Audio tracks: none").c_str()
                                       : TrText("ConvertMain", "Audio tracks:").c_str());
    for (const TAudioTrack& track : tracks)
        std::printf("  %s\n", ShownAudioTrackText(track).c_str());
    if (const std::vector<TChapter> chapters = probe.Chapters(); !chapters.empty()) {
        std::printf("%s\n", TrText("ConvertMain", "Chapters:").c_str());
        for (size_t i = 0; i < chapters.size(); ++i)
            std::printf("  %zu: %s - %s%s%s\n", i + 1, FormatStartTime(chapters[i].Start).c_str(),
                        FormatStartTime(chapters[i].End).c_str(),
                        chapters[i].Title.empty() ? "" : " ", chapters[i].Title.c_str());
    }
    // What a conversion takes along, under the names it writes them with.
    const AVFormatContext* context = probe.FormatContext();
    const zeltatags::TTagList tags = zeltatags::SourceTags(context->metadata);
    std::printf("%s\n", tags.empty() ? TrText("ConvertMain", "Tags carried: none").c_str()
                                     : TrText("ConvertMain", "Tags carried:").c_str());
    for (const auto& [name, value] : tags)
        std::printf("  %-14s: %s\n", name.c_str(), value.c_str());
    if (const AVStream* cover = zeltatags::FindCover(context))
        std::printf("  %-14s: %s\n", "cover",
                    TrText("ConvertMain", "%n bytes", nullptr, cover->attached_pic.size).c_str());
    return ExitConverted;
}

// "path: reason", unless the reason names the file already (the libraries' texts do).
std::string Named(const std::string& Path, const std::string& Reason)
{
    if (Reason.rfind(Path, 0) == 0)
        return Reason;
    return Path + ": " + Reason;
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
    // Named when given up on before the rows exist, and how many files there are.
    std::vector<std::string> givenFiles = Args.Files; // guarded by reportLock
    size_t givenTotal = Args.Files.size();            // guarded by reportLock
    TStopSignals stopSignals([&] {
        std::lock_guard guard(reportLock);
        if (!reported)
            host.ReportGivingUp(givenFiles, givenTotal);
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
            std::fprintf(
                stderr, "zelta-convert: %s\n",
                FillText(TrText("ConvertMain", "warning: %1 cannot be used (%2); using defaults"),
                         {file, IniDamageText(damage)})
                    .c_str());
    const bool chosen = Args.Profile.has_value();
    const int code = chosen ? *Args.Profile
                            : userSettings.ReadInteger(SectionSettings, KeyFormatCode,
                                                       FormatCodeDefault);
    const std::vector<TFormatProfile> profiles = ListFormatProfiles(ReadFormatCatalogue(catalogue));
    if (std::none_of(profiles.begin(), profiles.end(),
                     [&](const TFormatProfile& p) { return p.Code == code; })) {
        const std::string text =
            FillText(TrText("ConvertMain", "no profile %1 in %2 (see --list-profiles)"),
                     {std::to_string(code), catalogue.FileName()});
        return chosen ? UsageError(text) : Fail(text);
    }

    // The core reads the profile and the output folder from the settings file; a private copy
    // carries the options, so the user's stored choices stay as they are.
    TScratchFolder scratch;
    if (scratch.Path().empty())
        return Fail(TrText("ConvertMain", "cannot create a temporary folder"));
    {
        std::lock_guard guard(reportLock);
        scratchPath = scratch.Path();
    }
    const std::string settingsCopy = JoinPath(scratch.Path(), SettingsFileName);
    std::error_code ec;
    if (settingsDamage == TIniDamage::None && fs::exists(userSettings.FileName(), ec))
        fs::copy_file(userSettings.FileName(), settingsCopy, ec);
    if (ec)
        return Fail(FillText(TrText("ConvertMain", "cannot read %1: %2"),
                             {userSettings.FileName(), ec.message()}));
    // The copy goes with the scratch folder: no write of it needs to wait for the disk.
    TIniFile settings(settingsCopy, TDamagedFile::Keep, TIniWrites::Scratch);
    if (!settings.WriteInteger(SectionSettings, KeyFormatCode, code) ||
        (Args.NoTags && !settings.WriteBool(SectionSettings, KeyKeepTags, false)) ||
        (Args.ReplayGain && !settings.WriteBool(SectionSettings, KeyReplayGain, true)) ||
        (Args.Layout &&
         !settings.WriteInteger(SectionSettings, KeyOutputLayout, int(*Args.Layout))) ||
        (Args.NameTemplate &&
         !settings.WriteString(SectionSettings, KeyNameTemplate, *Args.NameTemplate)) ||
        (Args.IfExists &&
         !settings.WriteInteger(SectionSettings, KeyIfExists, int(*Args.IfExists))) ||
        (Args.AudioTrack && !WriteTrackRule(settings, *Args.AudioTrack)) ||
        (Args.SplitChapters && !settings.WriteBool(SectionSettings, KeySplitChapters, true)) ||
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
            std::fprintf(stderr, "zelta-convert: %s\n",
                         FillText(TrText("ConvertMain", "cannot create the output folder %1: %2"),
                                  {folder, ec.message()})
                             .c_str());
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

    // Absolute names, each once; folders become the media files below them.
    std::vector<std::string> given;
    std::set<std::string> seen;
    for (const std::string& file : Args.Files) {
        std::string path = fs::absolute(file, ec).lexically_normal().string();
        if (path.size() > 1 && path.back() == '/')
            path.pop_back();
        if (seen.insert(path).second)
            given.push_back(std::move(path));
    }
    std::vector<std::string> failures; // "file: reason", of files not converted
    TSourceListModel list;
    list.SetOutputFolder(outputFolder);
    {
        const TLibraryWalk walk = CollectMedia(given);
        std::vector<TAddEntry> entries;
        entries.reserve(walk.Files.size());
        const std::set<std::string> named(given.begin(), given.end());
        for (const TLibraryFile& file : walk.Files) {
            // A file named on the command line must be there; one found in a folder is.
            if (named.count(file.Path) > 0 && !fs::exists(file.Path, ec)) {
                failures.push_back(Named(file.Path, TrText("ConvertMain", "no such file")));
                continue;
            }
            entries.push_back(TAddEntry{file.Path, file.Root, {}, {}});
        }
        if (walk.Folders > 0)
            host.Print("zelta-convert: " + AddSummary(int(entries.size()), walk.Others));
        // Nothing is opened here: each file is opened when its task is built, while the first
        // files already convert.
        list.AddUnprobed(entries, settings);
    }
    const size_t total = size_t(list.RowCount()) + failures.size();
    for (int row = 0; row < list.RowCount(); ++row)
        ApplyConvertArgs(Args, list.Record(row));

    std::string extLines;
    for (const std::string& line : Args.ExtOptions)
        extLines += line + "\n";

    TBatchDriver driver(converter, list, host);
    driver.ConnectEvents();
    host.Begin(list, driver);
    {
        // Given up on from here, the rows name what was not converted (no copy of the names:
        // a library of many thousand files would hold them twice).
        std::lock_guard guard(reportLock);
        givenFiles.clear();
        givenFiles.shrink_to_fit();
        givenTotal = total;
    }
    const TBatchDriver::TBuildResult begun = driver.BeginTasks(settings, catalogue, extLines);
    if (begun.Stopped)
        return Fail(begun.Error);
    const int jobs = Args.Jobs > 0 ? Args.Jobs
                                   : AutoJobCount(ProfileHasVideo(settings, catalogue, code),
                                                  std::thread::hardware_concurrency());
    // The run starts with the first task and takes the others as they are built, a few per
    // running file ahead; the last row closes it.
    bool started = false;
    std::string stopError;
    for (;;) {
        if (stopSignals.Interrupted()) {
            if (started)
                converter.StopTasks(false);
            else
                driver.CancelTasks();
            break;
        }
        const TBatchDriver::TBuildStep step =
            driver.BuildMore(std::chrono::milliseconds(20), started ? jobs * 3 + 2 : 1);
        if (step.Status == TBatchDriver::TBuildStatus::Stopped) {
            stopError = step.Error;
            break;
        }
        if (!started && driver.TasksBuilt() > 0) {
            try {
                driver.StartRun(jobs);
            } catch (const std::exception& e) {
                return Fail(e.what());
            }
            started = true;
        }
        if (step.Status == TBatchDriver::TBuildStatus::Done)
            break;
        if (step.Status == TBatchDriver::TBuildStatus::Waiting)
            host.WaitForChange(std::chrono::milliseconds(20));
    }
    if (started)
        host.WaitForRunEnd([&] { converter.StopTasks(true); });
    if (!stopError.empty())
        host.Print("zelta-convert: " + stopError);

    // The summary: every file not converted is named with its reason, every warning of one
    // converted with its file. Skipped files and warnings leave the exit status as it is.
    std::lock_guard reportGuard(reportLock);
    reported = true;
    const std::vector<TRowEnd> ends = host.Ends();
    std::vector<std::string> warnings;
    int converted = 0;
    int warned = 0;
    std::vector<bool> failedAtBuild(ends.size(), false);
    for (const TRunFailure& f : driver.Failures())
        if (f.Row >= 0 && size_t(f.Row) < ends.size() && ends[size_t(f.Row)].Kind == TRowEnd::Open) {
            failedAtBuild[size_t(f.Row)] = true;
            const bool stopped = stopSignals.Interrupted() && EndedByStop(f.Reason);
            //: a file's reason for not being converted: the run was stopped
            failures.push_back(
                Named(f.File, stopped ? TrText("ConvertMain", "stopped") : f.Reason));
        }
    for (size_t row = 0; row < ends.size(); ++row) {
        const TRowEnd& end = ends[row];
        const std::string& source = list.Caption(int(row));
        switch (end.Kind) {
        case TRowEnd::Converted:
            ++converted;
            warned += end.Warnings.empty() ? 0 : 1;
            for (const std::string& warning : end.Warnings)
                warnings.push_back(Named(source, warning));
            break;
        case TRowEnd::Passed:
            break;
        case TRowEnd::Failed:
        case TRowEnd::Stopped:
            // A failed or stopped task's file was never given its name: nothing to remove.
            failures.push_back(Named(source, end.Text));
            break;
        case TRowEnd::Open:
            if (!failedAtBuild[row])
                failures.push_back(
                    Named(source, stopSignals.Interrupted()
                                      ? TrText("ConvertMain", "stopped")
                                      : TrText("ConvertMain", "the conversion did not run")));
            break;
        }
    }
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "zelta-convert: %s\n",
                     FillText(TrText("ConvertMain", "warning: %1"), {warning}).c_str());
    for (const std::string& failure : failures)
        std::fprintf(stderr, "zelta-convert: %s\n",
                     FillText(TrText("ConvertMain", "failed: %1"), {failure}).c_str());
    const int passed = driver.PassedCount();
    // The numbers are grouped ("1,204"), so they go in as %1...; the count picks the plural.
    //: %1 converted of %2 files (the count), %3 failed; more clauses may follow
    std::string summary =
        FillText(TrText("ConvertMain", "%1 of %2 files converted, %3 failed", nullptr, int(total)),
                 {GroupedNumber(converted), GroupedNumber(long(total)),
                  GroupedNumber(long(failures.size()))});
    if (passed > 0)
        summary += FillText(TrText("ConvertMain", ", %1 skipped", nullptr, passed),
                            {GroupedNumber(passed)});
    if (warned > 0)
        summary += TrText("ConvertMain", ", %n with warnings", nullptr, warned);
    std::fprintf(stderr, "zelta-convert: %s\n", summary.c_str());
    if (stopSignals.Interrupted() || !stopError.empty())
        return ExitFailed;
    return failures.empty() ? ExitConverted : ExitFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    // A file size limit reached while writing fails that file (EFBIG, like a full disk) instead
    // of killing the whole batch.
    std::signal(SIGXFSZ, SIG_IGN);
    RaiseOpenFileLimit();
    // Messages in the interface language (the preference, else the desktop's).
    LoadStartupLanguage();
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
