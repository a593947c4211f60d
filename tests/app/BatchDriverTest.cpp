// The batch driver: Start's task building (checked rows, skipped rows, destinations, Hook,
// the priority), the progress texts, the hook's record, the preview copy and the terminate
// logic with the after-completion actions, on real conversions of short audio files; and the
// power-off command.
#include "app/AppPaths.h"
#include "app/BatchDriver.h"
#include "app/SettingsKeys.h"
#include "app/SystemCommands.h"
#include "EnvOverride.h"
#include "TempFolder.h"
#include "fixtures/Fixtures.h"
#include "component/FFConverter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <thread>
#include <utility>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
}

using namespace zelta;
namespace fs = std::filesystem;

namespace {

// Records what the driver asks; the component may call in from its threads during a background
// run, so the lists are filled under a lock and read after WaitForRunEnd.
class TRecordingHost : public TBatchHost {
public:
    void WaitForRunEnd()
    {
        std::unique_lock Guard(Lock);
        Changed.wait(Guard, [&] { return RunsEnded > 0; });
    }

    void ShowMessage(std::string_view Caption, std::string_view Text) override
    {
        Messages.emplace_back(std::string(Caption), std::string(Text));
    }
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    void ShowProgress(const TProgressTexts& Texts) override
    {
        std::lock_guard Guard(Lock);
        Progress.push_back(Texts);
        if (OnReport)
            OnReport(Texts);
    }
    void ShowProgressBar(int Percent) override
    {
        std::lock_guard Guard(Lock);
        Bars.push_back(Percent);
    }
    void ShowBatch(const TBatchView& View) override
    {
        std::lock_guard Guard(Lock);
        Batches.push_back(View);
        Changed.notify_all();
    }
    void TaskEnded(const TTerminateInfo& Info) override
    {
        std::lock_guard Guard(Lock);
        Ends.push_back(Info);
    }
    bool OpenFolderAfterConversion() const override { return OpenFolderChecked; }
    bool ShutDownAfterConversion() const override { return ShutDownChecked; }
    void OpenOutputFolder() override { ++FolderOpened; }
    void ShutDownComputer() override { ++ShutDowns; }
    void RunEnded() override
    {
        std::lock_guard Guard(Lock);
        ++RunsEnded;
        Changed.notify_all();
    }

    std::mutex Lock;
    std::condition_variable Changed;
    std::function<void(const TProgressTexts&)> OnReport; // called under Lock
    bool OpenFolderChecked = false;
    bool ShutDownChecked = false;
    std::vector<std::pair<std::string, std::string>> Messages;
    std::vector<TProgressTexts> Progress;
    std::vector<int> Bars;
    std::vector<TTerminateInfo> Ends;
    std::vector<TBatchView> Batches;
    int FolderOpened = 0;
    int ShutDowns = 0;
    int RunsEnded = 0;
};

// Profile 0 (MP3) of the shipped catalogue, an output folder and a home folder of our own.
class BatchDriver : public ::testing::Test {
protected:
    BatchDriver()
        : Home(Dir.File("home")), HomeVar("HOME", Home), Settings(Dir.File("zelta.ini")),
          Catalogue(JoinPath(ProgramFolder(), CatalogueFileName)), Out(Dir.File("out")),
          Driver(Converter, List, Host)
    {
        fs::create_directories(Home);
        test::WriteBytes(Settings.FileName(), "[settings]\nFormatCode=0\nOutPutDir=" + Out +
                                                  "\npriority=2\n");
        Driver.ConnectEvents();
    }

    void Add(const std::vector<std::string>& Paths)
    {
        const auto R = List.AddFiles(Paths, Converter, "", Settings, Catalogue, Host);
        ASSERT_EQ(R.Added, int(Paths.size()));
    }

    std::string Copy(const std::string& From, const std::string& Name)
    {
        const std::string To = Dir.File(Name);
        fs::create_directories(fs::path(To).parent_path());
        fs::copy_file(From, To, fs::copy_options::overwrite_existing);
        return To;
    }

    static double DurationSeconds(TFFConverter& Converter, const std::string& File)
    {
        TAVProbe& Probe = Converter.Probe();
        if (!Probe.Open(File))
            return -1;
        TFileStreamInfo Info;
        Probe.GetFileStreamInfo(Info);
        Probe.Close();
        return double(Info.Duration) / 1e6;
    }

    test::TTempFolder Dir;
    std::string Home;
    test::TEnvOverride HomeVar;
    TIniFile Settings;
    TIniFile Catalogue;
    std::string Out;
    TRecordingHost Host;
    TFFConverter Converter;
    TSourceListModel List;
    TBatchDriver Driver;
};

TProgressInfo Report(int Task, int64_t Current, int64_t Total, int64_t Size = 0)
{
    TProgressInfo I;
    I.TaskIndex = Task;
    I.CurrentDuration = Current;
    I.TotalDuration = Total;
    I.CurrentSize = Size;
    return I;
}

TTerminateInfo End(int Task, bool Finished)
{
    TTerminateInfo I;
    I.TaskIndex = Task;
    I.Finished = Finished;
    return I;
}

}  // namespace

TEST_F(BatchDriver, ThreeRowsMiddleUncheckedConvertRowsZeroAndTwo)
{
    const auto& F = fixtures::Fixtures();
    const std::string First = Copy(F.Wav, "first.wav");
    const std::string Third = Copy(F.Flac, "third.flac");
    Add({First, Copy(F.Mp3, "second.mp3"), Third});
    List.SetChecked(1, false);
    Host.OpenFolderChecked = true;

    const auto R = Driver.BuildTasks(Settings, Catalogue);
    EXPECT_FALSE(R.Stopped) << R.Error;
    EXPECT_EQ(R.Tasks, 2);
    EXPECT_EQ(R.Skipped, 0);
    EXPECT_EQ(Driver.CheckedRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Converter.TaskCount(), 2);
    EXPECT_EQ(Converter.ThreadPriority(), tpLower); // "priority" 2
    EXPECT_EQ(Driver.Destination(0), Out + "/first_(new).mp3");
    EXPECT_EQ(Driver.Destination(1), Out + "/third_(new).mp3");

    // Task 1 reports: the third row shows it, the first stays as it was.
    Driver.OnProgress(Report(1, 250000, 1000000));
    EXPECT_EQ(List.SubItem(2, colProgress), "25%");
    EXPECT_EQ(List.SubItem(0, colProgress), "");
    ASSERT_EQ(Host.Progress.size(), 1u);
    EXPECT_EQ(Host.Progress[0].Progress, "[2/2]");
    EXPECT_EQ(Host.Progress[0].File, ShortenedFileName(Third)); // the test folder may be long

    // Run them for real, one at a time on a worker thread as the progress window does.
    Host.Progress.clear();
    Converter.StartTask(1);
    Host.WaitForRunEnd();
    ASSERT_EQ(Host.Ends.size(), 2u);
    EXPECT_EQ(Host.Ends[0].TaskIndex, 0);
    EXPECT_EQ(Host.Ends[1].TaskIndex, 1);
    EXPECT_TRUE(Host.Ends[0].Finished && Host.Ends[1].Finished) << Host.Ends[0].ExceptionMsg
                                                               << Host.Ends[1].ExceptionMsg;
    EXPECT_EQ(List.SubItem(0, colProgress), "100%");
    EXPECT_EQ(List.SubItem(1, colProgress), "");
    EXPECT_EQ(List.SubItem(2, colProgress), "100%");
    EXPECT_EQ(Host.Bars, (std::vector<int>{100, 100}));
    EXPECT_EQ(Host.FolderOpened, 1); // after the last task only
    EXPECT_EQ(Host.ShutDowns, 0);    // its check box is off
    EXPECT_EQ(Host.RunsEnded, 1);
    EXPECT_EQ(Converter.TaskCount(), 0); // the final notification cleared the tasks
    EXPECT_TRUE(fs::is_regular_file(Driver.Destination(0)));
    EXPECT_TRUE(fs::is_regular_file(Driver.Destination(1)));
    EXPECT_FALSE(fs::exists(Out + "/second_(new).mp3"));
    for (const TProgressTexts& T : Host.Progress)
        EXPECT_EQ(T.File, ShortenedFileName(T.TaskIndex == 0 ? First : Third));
}

TEST_F(BatchDriver, AfterCompletionActionsRunOnceAtTheEndOfARunThatWasNotStopped)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 2);
    Host.OpenFolderChecked = true;
    Host.ShutDownChecked = true;

    // Files running at once end in any order: the last task's end is not the run's end.
    Driver.OnProgress(Report(1, 500000, 1000000));
    Driver.OnTerminate(End(1, true));
    Driver.OnTerminate(End(0, true));
    EXPECT_EQ(List.SubItem(1, colProgress), "100%");
    EXPECT_EQ(Host.FolderOpened, 0);
    EXPECT_EQ(Host.ShutDowns, 0);
    Driver.OnTerminate(End(-1, true));
    EXPECT_EQ(Host.FolderOpened, 1);
    EXPECT_EQ(Host.ShutDowns, 1);
    EXPECT_EQ(Host.RunsEnded, 1);
    EXPECT_EQ(Converter.TaskCount(), 0);

    // A run in which a task was stopped ends without them, even if the others finished.
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 2);
    Driver.OnProgress(Report(0, 500000, 1000000));
    Driver.OnTerminate(End(0, false)); // stopped: its 50% stays
    Driver.OnTerminate(End(1, true));
    Driver.OnTerminate(End(-1, true));
    EXPECT_EQ(List.SubItem(0, colProgress), "50%");
    EXPECT_EQ(Host.FolderOpened, 1);
    EXPECT_EQ(Host.ShutDowns, 1);
    EXPECT_EQ(Host.RunsEnded, 2);
}

// Two files at once, as the stored "simultaneous" choice asks: both are seen running in the
// batch view, the totals reach every file, and the folder opens once after the last one.
TEST_F(BatchDriver, ParallelRunShowsEveryRunningFileAndEndsOnce)
{
    test::WriteBytes(Settings.FileName(), "[settings]\nFormatCode=0\nOutPutDir=" + Out +
                                              "\nsimultaneous=2\n");
    const std::string Long = Dir.File("long.wav");
    fixtures::TMediaSpec Spec;
    Spec.Format = "wav";
    Spec.AudioEncoders = {"pcm_s16le"};
    Spec.SampleRate = 8000; // the output is 44.1 kHz stereo: as much work from a small file
    Spec.Channels = 1;
    Spec.Seconds = 240;
    fixtures::MakeMedia(Long, Spec);
    Add({Long, Copy(Long, "second.wav"), fixtures::Fixtures().Wav});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 3);
    Host.OpenFolderChecked = true;
    ASSERT_EQ(ConversionJobCount(Settings, Catalogue), 2);

    Converter.StartTask(ConversionJobCount(Settings, Catalogue));
    Host.WaitForRunEnd();
    std::lock_guard Guard(Host.Lock);
    ASSERT_EQ(Host.Ends.size(), 3u);
    for (const TTerminateInfo& E : Host.Ends)
        EXPECT_TRUE(E.Finished) << E.ExceptionMsg;
    EXPECT_EQ(Host.FolderOpened, 1);
    size_t MostRunning = 0;
    for (const TBatchView& V : Host.Batches) {
        MostRunning = std::max(MostRunning, V.Running.size());
        EXPECT_LE(V.Running.size(), 2u);
    }
    EXPECT_EQ(MostRunning, 2u);
    ASSERT_FALSE(Host.Batches.empty());
    const TBatchView& Last = Host.Batches.back();
    EXPECT_EQ(Last.Done, 3);
    EXPECT_EQ(Last.Percent, 100);
    EXPECT_TRUE(Last.Running.empty());
    EXPECT_EQ(Last.Files, "3 of 3 files");
}

// A stop while two files run ends both unfinished, the queued one never runs, and nothing of
// the after-completion choices happens.
TEST_F(BatchDriver, StopDuringAParallelRunStopsEveryFileAndSkipsTheAfterActions)
{
    const std::string Long = Dir.File("long.wav");
    fixtures::TMediaSpec Spec;
    Spec.Format = "wav";
    Spec.AudioEncoders = {"pcm_s16le"};
    Spec.SampleRate = 8000; // the output is 44.1 kHz stereo: as much work from a small file
    Spec.Channels = 1;
    Spec.Seconds = 240;
    fixtures::MakeMedia(Long, Spec);
    Add({Long, Copy(Long, "second.wav"), Copy(Long, "third.wav")});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 3);
    Host.OpenFolderChecked = true;
    Host.ShutDownChecked = true;

    Converter.StartTask(2);
    {
        std::unique_lock Guard(Host.Lock);
        Host.Changed.wait(Guard, [&] {
            return Host.RunsEnded > 0 ||
                   (!Host.Batches.empty() && Host.Batches.back().Running.size() == 2);
        });
        ASSERT_EQ(Host.RunsEnded, 0) << "the run ended before both files were seen running";
    }
    Converter.StopTasks(true);
    Host.WaitForRunEnd();
    std::lock_guard Guard(Host.Lock);
    ASSERT_EQ(Host.Ends.size(), 3u);
    for (const TTerminateInfo& E : Host.Ends) {
        EXPECT_FALSE(E.Finished) << E.TaskIndex;
        EXPECT_FALSE(E.Exception) << E.ExceptionMsg;
    }
    EXPECT_EQ(Host.FolderOpened, 0);
    EXPECT_EQ(Host.ShutDowns, 0);
    EXPECT_FALSE(fs::exists(Driver.Destination(2))); // queued: never opened, never made
}

TEST(BatchDriverTexts, BatchViewCountsRunningFilesByTheirShare)
{
    TBatchProgress P;
    const auto T0 = TBatchProgress::TClock::now();
    P.Begin(4, T0);
    EXPECT_EQ(P.View(T0).Remaining, "");
    P.Report(0, "a.wav", 50);
    P.Report(2, "c.wav", 50);
    P.Report(0, "a.wav", 100);
    P.Ended(0);
    P.Ended(0); // counted once
    P.Report(0, "a.wav", 100); // a late report of an ended task brings it back no more
    const TBatchView V = P.View(T0 + std::chrono::seconds(15));
    EXPECT_EQ(V.Running, (std::vector<TRunningFile>{{2, "c.wav", 50}}));
    EXPECT_EQ(V.Done, 1);
    EXPECT_EQ(V.Percent, 37); // (100 + 50) / 4
    EXPECT_EQ(V.Files, "1 of 4 files");
    EXPECT_EQ(V.Elapsed, "00:00:15");
    EXPECT_EQ(V.Remaining, "00:00:25"); // 15 s for 150 of 400 hundredths
    EXPECT_EQ(ClockText(3725), "01:02:05");
}

TEST_F(BatchDriver, RowThatCannotBeOpenedAnyMoreIsSkippedWithError)
{
    const auto& F = fixtures::Fixtures();
    const std::string Gone = Copy(F.Mp3, "gone.mp3");
    Add({F.Wav, Gone, F.Flac});
    test::WriteBytes(Gone, "no longer media");

    const auto R = Driver.BuildTasks(Settings, Catalogue);
    EXPECT_FALSE(R.Stopped);
    EXPECT_EQ(R.Tasks, 2);
    EXPECT_EQ(R.Skipped, 1);
    ASSERT_EQ(R.SkippedRows.size(), 1u);
    EXPECT_EQ(R.SkippedRows[0].first, 1);
    EXPECT_FALSE(R.SkippedRows[0].second.empty());
    EXPECT_EQ(List.SubItem(1, colProgress), "Error");
    EXPECT_EQ(Driver.CheckedRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Converter.TaskCount(), 2);

    // The reason is the cell's tool tip and the run's failure list names the file.
    const QVariant Tip = List.data(List.index(1, colProgress), Qt::ToolTipRole);
    EXPECT_EQ(Tip.toString().toStdString(), R.SkippedRows[0].second);
    ASSERT_EQ(Driver.Failures().size(), 1u);
    EXPECT_EQ(Driver.Failures()[0].File, Gone);

    // Task 1 is the third row, not the skipped one.
    Driver.OnProgress(Report(1, 1, 4));
    EXPECT_EQ(List.SubItem(2, colProgress), "25%");
    EXPECT_EQ(List.SubItem(1, colProgress), "Error");
}

// A film without sound and an audio profile: the engine's words go to its log, the row, the
// failure report and the host say what is wrong in a person's words.
TEST_F(BatchDriver, ASourceWithoutSoundIsSaidSo)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 2);
    TTerminateInfo Failed = End(1, false);
    Failed.Exception = true;
    Failed.ExceptionMsg = "Output file #0 does not contain any stream";
    Driver.OnTerminate(Failed);
    EXPECT_EQ(List.ProgressError(1), "has no sound to convert");
    ASSERT_EQ(Host.Ends.size(), 1u);
    EXPECT_EQ(Host.Ends[0].ExceptionMsg, "has no sound to convert");
    EXPECT_EQ(FailureReport(Driver.Failures(), 2),
              "1 of 2 files could not be converted.\n\n" + fs::path(F.Mp3).filename().string() +
                  ": has no sound to convert");
}

// A file that converted with something to tell keeps its output and counts as converted; its
// row says "Warning" with the engine's words as the tool tip, and the report after the run lists
// it.
TEST_F(BatchDriver, AConvertedFileWithWarningsIsShownOnItsRowAndInTheReport)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 2);
    TTerminateInfo Warned = End(1, true);
    Warned.Warnings = {
        "The output lasts 00:00:06.000, shorter than the 00:00:10.000 its source announced",
        "No loudness tags written: the disk is full"};
    Driver.OnTerminate(End(0, true));
    Driver.OnTerminate(Warned);

    EXPECT_EQ(List.SubItem(0, colProgress), "100%");
    EXPECT_EQ(List.SubItem(1, colProgress), "Warning");
    const std::string Both = Warned.Warnings[0] + "; " + Warned.Warnings[1];
    EXPECT_EQ(List.ProgressWarning(1), Both);
    EXPECT_EQ(List.data(List.index(1, colProgress), Qt::ToolTipRole).toString().toStdString(),
              Both);
    EXPECT_TRUE(Driver.Failures().empty());
    ASSERT_EQ(Driver.Warnings().size(), 1u);
    EXPECT_EQ(WarningReport(Driver.Warnings()),
              "Converted with warnings:\n\n" + fs::path(F.Mp3).filename().string() + ": " + Both);
    // A new Start forgets them.
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 2);
    EXPECT_TRUE(Driver.Warnings().empty());
}

// The ends of tasks remove nothing: what is at a planned name was put there by someone else (a
// task's own unfinished file never had that name). A finished task's row names the file as
// the engine wrote it.
TEST_F(BatchDriver, TaskEndsRemoveNothingAndNameTheFileWritten)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3, F.Flac});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 3);
    for (int Task = 0; Task < 3; ++Task)
        test::WriteBytes(Driver.Destination(Task), "another program's file");
    const std::vector<std::string> Planned = {Driver.Destination(0), Driver.Destination(1),
                                              Driver.Destination(2)};

    TTerminateInfo Failed = End(1, false);
    Failed.Exception = true;
    Failed.ExceptionMsg = "No space left on device";
    Driver.OnTerminate(Failed);
    Driver.OnTerminate(End(2, false)); // stopped by the user
    TTerminateInfo Done = End(0, true);
    Done.OutputFile = fs::path(Planned[0]).parent_path().string() + "/wav_(new_1).mp3";
    Driver.OnTerminate(Done);

    for (const std::string& Name : Planned)
        EXPECT_EQ(test::ReadBytes(Name), "another program's file") << Name;
    EXPECT_EQ(Driver.Destination(0), Done.OutputFile);
    EXPECT_EQ(List.SubItem(0, colDestination), "wav_(new_1).mp3");
    EXPECT_EQ(List.Record(0).DstFile, Done.OutputFile);
    EXPECT_EQ(Driver.Destination(1), Planned[1]);
    EXPECT_EQ(List.SubItem(1, colProgress), "Error");
    EXPECT_EQ(List.ProgressError(1), "No space left on device");
    ASSERT_EQ(Driver.Failures().size(), 1u);
    EXPECT_EQ(Driver.Failures()[0].Row, 1);

    const std::string Report = FailureReport(Driver.Failures(), 3);
    EXPECT_EQ(Report, "1 of 3 files could not be converted.\n\n" +
                          fs::path(F.Mp3).filename().string() + ": No space left on device");

    // A later text in the Progress column drops the stale reason.
    List.SetSubItem(1, colProgress, "10%");
    EXPECT_TRUE(List.ProgressError(1).empty());
    EXPECT_FALSE(List.data(List.index(1, colProgress), Qt::ToolTipRole).isValid());
    // A new Start forgets the last run's failures.
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 3);
    EXPECT_TRUE(Driver.Failures().empty());
}

// Sources that vanish or shrink between Add and Start: the vanished one is named and skipped, the
// truncated one converts what is left or fails with a reason, and every other file converts.
TEST_F(BatchDriver, SourcesGoneOrTruncatedAfterAddingDoNotStopTheBatch)
{
    const auto& F = fixtures::Fixtures();
    const std::string Gone = Copy(F.Mp3, "gone.mp3");
    const std::string Cut = Copy(F.Wav, "cut.wav");
    const std::string Whole = Copy(F.Flac, "whole.flac");
    Add({Gone, Cut, Whole});
    fs::remove(Gone);
    fs::resize_file(Cut, fs::file_size(Cut) / 3);

    const auto R = Driver.BuildTasks(Settings, Catalogue);
    ASSERT_EQ(R.Tasks, 2);
    ASSERT_EQ(R.SkippedRows.size(), 1u);
    EXPECT_EQ(R.SkippedRows[0].first, 0);
    EXPECT_FALSE(R.SkippedRows[0].second.empty());
    Converter.StartTask(1);
    Host.WaitForRunEnd();
    ASSERT_EQ(Host.Ends.size(), 2u);
    EXPECT_TRUE(Host.Ends[1].Finished) << Host.Ends[1].ExceptionMsg;
    EXPECT_GT(DurationSeconds(Converter, Driver.Destination(1)), 1.5);
    // The cut WAV converts its first third (its header still promises the whole length).
    if (Host.Ends[0].Finished) {
        const double Seconds = DurationSeconds(Converter, Driver.Destination(0));
        EXPECT_GT(Seconds, 0.3);
        EXPECT_LT(Seconds, 1.2);
    } else {
        EXPECT_FALSE(Host.Ends[0].ExceptionMsg.empty());
        EXPECT_FALSE(fs::exists(Driver.Destination(0)));
    }
    EXPECT_EQ(Host.RunsEnded, 1);
    EXPECT_EQ(Driver.Failures().front().File, Gone);
}

// The output folder stops being a folder while the first file converts: the later files fail
// with the reason, nothing half-written is left, and the run still ends once.
TEST_F(BatchDriver, OutputFolderLostMidBatchFailsTheRestWithTheReason)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3, F.Flac});
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 3);
    bool Replaced = false;
    Host.OnReport = [&](const TProgressTexts& T) {
        if (Replaced || T.TaskIndex != 0)
            return;
        Replaced = true;
        std::error_code Ec;
        fs::remove_all(Out, Ec);
        test::WriteBytes(Out, "a file where the folder was");
    };
    Converter.StartTask(1);
    Host.WaitForRunEnd();
    ASSERT_TRUE(Replaced);
    ASSERT_EQ(Host.Ends.size(), 3u);
    for (int Task = 1; Task < 3; ++Task) {
        SCOPED_TRACE(Task);
        EXPECT_FALSE(Host.Ends[size_t(Task)].Finished);
        EXPECT_NE(Host.Ends[size_t(Task)].ExceptionMsg.find("Not a directory"), std::string::npos)
            << Host.Ends[size_t(Task)].ExceptionMsg;
        EXPECT_EQ(List.SubItem(Driver.CheckedRows()[size_t(Task)], colProgress), "Error");
    }
    // The file being written went with its folder: it is not reported as converted.
    EXPECT_FALSE(Host.Ends[0].Finished);
    EXPECT_NE(Host.Ends[0].ExceptionMsg.find("moved or replaced"), std::string::npos)
        << Host.Ends[0].ExceptionMsg;
    EXPECT_EQ(Driver.Failures().size(), 3u);
    EXPECT_EQ(Host.RunsEnded, 1);
    EXPECT_EQ(test::ReadBytes(Out), "a file where the folder was");
}

TEST(BatchDriverTexts, FailureReportSaysWhenEveryFileFailedAndCutsLongLists)
{
    EXPECT_EQ(FailureReport({}, 3), "");
    std::vector<TRunFailure> All;
    for (int i = 0; i < 4; ++i)
        All.push_back({i, "/music/f" + std::to_string(i) + ".mp3", "Invalid data"});
    const std::string Text = FailureReport(All, 4, 2);
    EXPECT_EQ(Text, "No file could be converted.\n\nf0.mp3: Invalid data\nf1.mp3: Invalid data"
                    "\n... and 2 more.");
}

TEST_F(BatchDriver, SameFileNameInTwoFoldersGetsTwoDestinations)
{
    const auto& F = fixtures::Fixtures();
    Add({Copy(F.Wav, "a/song.wav"), Copy(F.Mp3, "b/song.mp3")});
    const auto R = Driver.BuildTasks(Settings, Catalogue);
    ASSERT_EQ(R.Tasks, 2);
    EXPECT_EQ(Driver.Destination(0), Out + "/song_(new).mp3");
    EXPECT_EQ(Driver.Destination(1), Out + "/song_(new_1).mp3");

    Converter.StartTask(0);
    EXPECT_TRUE(fs::is_regular_file(Out + "/song_(new).mp3"));
    EXPECT_TRUE(fs::is_regular_file(Out + "/song_(new_1).mp3"));
}

TEST_F(BatchDriver, NoOutputFolderStopsStartWithAMessage)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav});
    // Neither the stored folder nor the default one can be made under a regular file.
    test::WriteBytes(Dir.File("plain"), "x");
    ASSERT_TRUE(Settings.WriteString("settings", "OutPutDir", Dir.File("plain") + "/out"));
    const test::TEnvOverride BadHome("HOME", Dir.File("plain"));

    const auto R = Driver.BuildTasks(Settings, Catalogue);
    EXPECT_TRUE(R.Stopped);
    EXPECT_EQ(R.Tasks, 0);
    EXPECT_NE(R.Error.find("No output folder"), std::string::npos) << R.Error;
    EXPECT_EQ(Converter.TaskCount(), 0);
    EXPECT_TRUE(Driver.CheckedRows().empty());
    EXPECT_FALSE(Host.Messages.empty()); // the user was told which folder failed
}

TEST_F(BatchDriver, NothingCheckedBuildsNothing)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav});
    List.UncheckAll();
    const auto R = Driver.BuildTasks(Settings, Catalogue);
    EXPECT_EQ(R.Tasks, 0);
    EXPECT_FALSE(R.Stopped);
    EXPECT_EQ(Converter.TaskCount(), 0);
}

TEST_F(BatchDriver, TrimLengthBoundsTheOutputAndExtraOptionsReachTheEngine)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3});
    List.Record(0).TrimStart = 500000;
    List.Record(0).TrimLength = 1000000;
    // An option the engine refuses shows that the extra lines reach the output records.
    const auto Refused = Driver.BuildTasks(Settings, Catalogue, "aspect=16:0\n");
    EXPECT_EQ(Refused.Tasks, 0);
    EXPECT_EQ(Refused.Skipped, 2);
    EXPECT_EQ(List.SubItem(0, colProgress), "Error");

    // The record's own length wins over an extra "t"; a file without one takes it.
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue, "t=0.5").Tasks, 2);
    Converter.StartTask(0);
    ASSERT_EQ(Host.Ends.size(), 2u);
    ASSERT_TRUE(Host.Ends[0].Finished) << Host.Ends[0].ExceptionMsg;
    ASSERT_TRUE(Host.Ends[1].Finished) << Host.Ends[1].ExceptionMsg;
    EXPECT_NEAR(DurationSeconds(Converter, Driver.Destination(0)), 1.0, 0.1);
    EXPECT_NEAR(DurationSeconds(Converter, Driver.Destination(1)), 0.5, 0.1);
}

TEST_F(BatchDriver, HookDrawsTheRecordOfTheTasksRow)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3, F.Flac});
    List.SetChecked(1, false);
    List.Record(1).Saturation = 0;
    List.Record(2).Saturation = 0; // grey
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 2);

    const uint8_t Colourful[6] = {200, 100, 10, 200, 100, 10}; // BGR
    THookInfo Info;
    TBitmap24 Frame0;
    Frame0.SetSize(2, 1);
    std::memcpy(Frame0.Bits(), Colourful, 6);
    Info.TaskIndex = 0; // row 0: neutral, the frame stays as it came
    Info.Bitmap = &Frame0;
    Driver.OnCustomHook(Info);
    EXPECT_TRUE(Info.Update);
    EXPECT_FALSE(Info.StopHook);
    EXPECT_EQ(std::memcmp(Frame0.Bits(), Colourful, 6), 0);

    TBitmap24 Frame1;
    Frame1.SetSize(2, 1);
    std::memcpy(Frame1.Bits(), Colourful, 6);
    Info.TaskIndex = 1; // row 2: saturation 0
    Info.Bitmap = &Frame1;
    Driver.OnCustomHook(Info);
    const uint8_t* P = Frame1.ScanLine(0);
    EXPECT_EQ(P[0], P[1]);
    EXPECT_EQ(P[1], P[2]);
}

TEST_F(BatchDriver, PreviewFrameIsCopied)
{
    TBitmap24 Target;
    EXPECT_FALSE(Driver.CopyPreviewFrame(Target));
    TBitmap24 Empty;
    TPreviewInfo Info;
    Info.Bitmap = &Empty;
    Driver.OnPreviewBitmap(Info); // no size: ignored
    EXPECT_FALSE(Driver.CopyPreviewFrame(Target));

    TBitmap24 Frame;
    Frame.SetSize(3, 2);
    for (int I = 0; I < Frame.ScanlineSize() * 2; ++I)
        Frame.Bits()[I] = uint8_t(I * 7);
    Info.Bitmap = &Frame;
    Driver.OnPreviewBitmap(Info);
    ASSERT_TRUE(Driver.CopyPreviewFrame(Target));
    ASSERT_EQ(Target.Width(), 3);
    ASSERT_EQ(Target.Height(), 2);
    EXPECT_EQ(std::memcmp(Target.Bits(), Frame.Bits(), size_t(Frame.ScanlineSize()) * 2), 0);
}

TEST(BatchDriverTexts, ProgressTexts)
{
    const TProgressTexts T = FormatProgress(Report(1, 250000, 1000000, 12345), 3, "/m/a.avi");
    EXPECT_EQ(T.Percent, 25);
    EXPECT_EQ(T.RowProgress, "25%");
    EXPECT_EQ(T.Time, "0 Second");
    EXPECT_EQ(T.Length, "1 Second");
    EXPECT_EQ(T.Size, "12 kb");
    EXPECT_EQ(T.Progress, "[2/3]");
    EXPECT_EQ(T.File, "/m/a.avi");
    EXPECT_EQ(T.TaskIndex, 1);

    // No length known: 0%, no division by zero.
    EXPECT_EQ(FormatProgress(Report(0, 250000, 0), 1, "x").RowProgress, "0%");
    EXPECT_EQ(FormatProgress(Report(0, 250000, -1), 1, "x").Percent, 0);
    // 64-bit arithmetic: hours of media in microseconds times 100 do not overflow.
    EXPECT_EQ(FormatProgress(Report(0, int64_t(30) * 3600000000, int64_t(40) * 3600000000), 1, "x")
                  .Percent,
              75);
}

TEST(BatchDriverTexts, LongCaptionsAreShortenedToFortyFourCharactersAndTheExtension)
{
    const std::string Sixty = "/" + std::string(55, 'a') + ".mp4"; // 60 characters
    ASSERT_EQ(Sixty.size(), 60u);
    EXPECT_EQ(ShortenedFileName(Sixty), Sixty.substr(0, 44) + "...mp4");
    const std::string Fifty = std::string(46, 'b') + ".wav";
    EXPECT_EQ(ShortenedFileName(Fifty), Fifty);
    const std::string FiftyOne = std::string(47, 'b') + ".wav";
    EXPECT_EQ(ShortenedFileName(FiftyOne), std::string(44, 'b') + "...wav");
    // Characters, not bytes: 50 two-byte letters stay whole; 55 are cut after 44 letters.
    std::string Wide;
    for (int I = 0; I < 46; ++I)
        Wide += "\xC3\xA9"; // é
    EXPECT_EQ(ShortenedFileName(Wide + ".wav"), Wide + ".wav");
    const std::string Longer = Wide + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.ogg";
    EXPECT_EQ(ShortenedFileName(Longer), Wide.substr(0, 88) + "...ogg");
    // A dot in a folder name is no extension.
    EXPECT_EQ(ShortenedFileName("/a.b/" + std::string(50, 'c')), "/a.b/" + std::string(39, 'c') + "..");
}

TEST(BatchDriverTexts, HookForChangedPicturesOrAnyLayerWithContent)
{
    TlvFilesRecord R;
    EXPECT_FALSE(NeedsFrameHook(R));
    R.WaterMarks.push_back(std::make_unique<TWmRec>());
    EXPECT_FALSE(NeedsFrameHook(R)); // an empty first layer
    R.WaterMarks.push_back(std::make_unique<TWmRec>());
    R.WaterMarks[1]->ImageFile = "/later.png";
    EXPECT_TRUE(NeedsFrameHook(R)); // a later layer with content counts too
    R.WaterMarks[1]->ImageFile.clear();
    EXPECT_FALSE(NeedsFrameHook(R));
    R.WaterMarks[0]->Text = "Zelta";
    EXPECT_TRUE(NeedsFrameHook(R));
    R.WaterMarks[0]->Text.clear();
    R.WaterMarks[0]->ImageFile = "/logo.bmp";
    EXPECT_TRUE(NeedsFrameHook(R));

    for (auto Change : {+[](TlvFilesRecord& X) { X.Brightness = 256; },
                        +[](TlvFilesRecord& X) { X.Contrast = -1; },
                        +[](TlvFilesRecord& X) { X.Saturation = 0; },
                        +[](TlvFilesRecord& X) { X.Exposure = 5; }}) {
        TlvFilesRecord S;
        Change(S);
        EXPECT_TRUE(NeedsFrameHook(S));
    }
}

TEST(BatchDriverTexts, PriorityTable)
{
    EXPECT_EQ(PriorityFromSetting(0), tpIdle);
    EXPECT_EQ(PriorityFromSetting(1), tpNormal);
    EXPECT_EQ(PriorityFromSetting(2), tpLower);
    EXPECT_EQ(PriorityFromSetting(3), tpLowest);
    EXPECT_EQ(PriorityFromSetting(4), std::nullopt);
    EXPECT_EQ(PriorityFromSetting(-1), std::nullopt);
}

TEST(SystemCommands, OpenFileLimitIsRaisedToTheHardLimit)
{
    rlimit Saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &Saved), 0);
    if (Saved.rlim_max != RLIM_INFINITY && Saved.rlim_max <= 64)
        GTEST_SKIP() << "the hard limit leaves nothing to raise";
    rlimit Low = Saved;
    Low.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &Low), 0);
    const long Now = RaiseOpenFileLimit();
    rlimit After{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &After), 0);
    EXPECT_EQ(After.rlim_cur, Saved.rlim_max);
    if (Saved.rlim_max != RLIM_INFINITY) {
        EXPECT_EQ(Now, long(Saved.rlim_max));
    }
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &Saved), 0);
}

TEST(SystemCommands, ShutDownCommandWordsAndStart)
{
    EXPECT_EQ(SplitCommandWords("  a\tb  c\n"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ShutDownCommand(nullptr), (std::vector<std::string>{"systemctl", "poweroff"}));
    EXPECT_EQ(ShutDownCommand("  "), (std::vector<std::string>{"systemctl", "poweroff"}));
    EXPECT_EQ(ShutDownCommand("/sbin/halt -p"), (std::vector<std::string>{"/sbin/halt", "-p"}));

    // Words, no shell: two names give two files (in a folder whose name has no blank, which
    // the test folder's may have).
    char pattern[] = "/tmp/zelta-off-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string Dir = pattern;
    const std::string First = Dir + "/off1";
    const std::string Second = Dir + "/off2";
    const test::TEnvOverride Command(std::string(ShutdownCommandVariable).c_str(),
                                     "touch " + First + " " + Second);
    ASSERT_TRUE(ShutDownComputer());
    // The command runs detached; give it a moment to appear.
    for (int I = 0; I < 400 && !(fs::exists(First) && fs::exists(Second)); ++I)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    EXPECT_TRUE(fs::exists(First));
    EXPECT_TRUE(fs::exists(Second));
    std::error_code ec;
    fs::remove_all(Dir, ec);
}

// Long operations ask before every file, so a window can show how far they are and stop them:
// a stop while adding keeps the rows added so far, a stop while preparing Start leaves no task.
TEST_F(BatchDriver, AddingAndPreparingReportEachFileAndStopWhenAsked)
{
    const auto& F = fixtures::Fixtures();
    const std::vector<std::string> Paths = {F.Wav, F.Mp3, F.Flac, Copy(F.Wav, "four.wav")};
    std::vector<std::pair<int, int>> Steps;
    const auto Added = List.AddFiles(Paths, Converter, "", Settings, Catalogue, Host,
                                     [&](int Done, int Total) {
                                         Steps.emplace_back(Done, Total);
                                         return Done < 2;
                                     });
    EXPECT_TRUE(Added.Cancelled);
    EXPECT_EQ(Added.Added, 2);
    EXPECT_EQ(List.RowCount(), 2);
    EXPECT_EQ(Steps, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));

    Steps.clear();
    const auto Built = Driver.BuildTasks(Settings, Catalogue, {}, [&](int Done, int Total) {
        Steps.emplace_back(Done, Total);
        return Done < 1;
    });
    EXPECT_TRUE(Built.Cancelled);
    EXPECT_FALSE(Built.Stopped);
    EXPECT_EQ(Built.Tasks, 0);
    EXPECT_EQ(Converter.TaskCount(), 0);
    EXPECT_TRUE(Driver.CheckedRows().empty());
    EXPECT_EQ(Steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));

    // Asked and never stopped: the whole Start is built.
    Steps.clear();
    const auto Whole = Driver.BuildTasks(Settings, Catalogue, {}, [&](int Done, int Total) {
        Steps.emplace_back(Done, Total);
        return true;
    });
    EXPECT_FALSE(Whole.Cancelled);
    EXPECT_EQ(Whole.Tasks, 2);
    EXPECT_EQ(Steps.size(), 2u);
}

// A Start in steps: one task before the run, the others while it goes on. A row that can no
// longer be opened is found on the way and named; the counter counts the files that get a task,
// the totals every checked row, and the folder opens once after the last file.
TEST_F(BatchDriver, StartInStepsJoinsTheRunAndEndsItOnce)
{
    const auto& F = fixtures::Fixtures();
    const std::string Gone = Copy(F.Mp3, "gone.mp3");
    Add({F.Wav, Gone, F.Flac, Copy(F.Wav, "four.wav")});
    test::WriteBytes(Gone, "no longer media");
    Host.OpenFolderChecked = true;

    ASSERT_FALSE(Driver.BeginTasks(Settings, Catalogue).Stopped);
    EXPECT_EQ(Driver.CheckedTotal(), 4);
    EXPECT_EQ(Driver.BuildMore(std::chrono::milliseconds(0), 1).Status,
              TBatchDriver::TBuildStatus::Waiting);
    EXPECT_EQ(Driver.TasksBuilt(), 1);
    EXPECT_FALSE(Driver.AllBuilt());
    EXPECT_FALSE(fs::exists(Out + "/" + fs::path(F.Wav).stem().string() + "_(new).mp3"));
    Driver.StartRun(1);
    TBatchDriver::TBuildStatus Status = TBatchDriver::TBuildStatus::More;
    while (Status != TBatchDriver::TBuildStatus::Done) {
        Status = Driver.BuildMore(std::chrono::milliseconds(20), 1).Status;
        ASSERT_NE(Status, TBatchDriver::TBuildStatus::Stopped);
        if (Status == TBatchDriver::TBuildStatus::Waiting)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Host.WaitForRunEnd();

    EXPECT_EQ(Driver.TasksBuilt(), 3);
    EXPECT_EQ(Driver.CheckedRows(), (std::vector<int>{0, 2, 3}));
    std::lock_guard Guard(Host.Lock);
    ASSERT_EQ(Host.Ends.size(), 3u);
    for (const TTerminateInfo& E : Host.Ends)
        EXPECT_TRUE(E.Finished) << E.ExceptionMsg;
    EXPECT_EQ(List.SubItem(1, colProgress), "Error");
    for (int Row : {0, 2, 3})
        EXPECT_EQ(List.SubItem(Row, colProgress), "100%") << Row;
    ASSERT_EQ(Driver.Failures().size(), 1u);
    EXPECT_EQ(Driver.Failures()[0].File, Gone);
    ASSERT_FALSE(Host.Progress.empty());
    for (const TProgressTexts& T : Host.Progress)
        EXPECT_TRUE(T.Progress.ends_with("/3]")) << T.Progress;
    ASSERT_FALSE(Host.Batches.empty());
    EXPECT_EQ(Host.Batches.back().Files, "4 of 4 files");
    EXPECT_EQ(Host.Batches.back().Percent, 100);
    EXPECT_EQ(Host.FolderOpened, 1);
    EXPECT_EQ(Host.RunsEnded, 1);
}

// A stop while rows are still to be built ends the run; nothing more is built and no
// after-completion action runs, even if every task made so far had finished.
TEST_F(BatchDriver, StopWhileBuildingInStepsBuildsNothingMore)
{
    const auto& F = fixtures::Fixtures();
    Add({F.Wav, F.Mp3, F.Flac});
    Host.OpenFolderChecked = true;
    Host.ShutDownChecked = true;
    ASSERT_FALSE(Driver.BeginTasks(Settings, Catalogue).Stopped);
    Driver.BuildMore(std::chrono::milliseconds(0), 1);
    ASSERT_EQ(Driver.TasksBuilt(), 1);
    Driver.StartRun(1);
    {
        // The first file ends; the run stays open for the rows not built yet.
        std::unique_lock Guard(Host.Lock);
        ASSERT_TRUE(Host.Changed.wait_for(Guard, std::chrono::seconds(60),
                                          [&] { return !Host.Ends.empty(); }));
    }
    Converter.StopTasks(true);
    Host.WaitForRunEnd();
    EXPECT_EQ(Driver.BuildMore(std::chrono::milliseconds(20), 8).Status,
              TBatchDriver::TBuildStatus::Done);
    EXPECT_EQ(Driver.TasksBuilt(), 1);
    EXPECT_EQ(List.SubItem(1, colProgress), "");
    EXPECT_EQ(List.SubItem(2, colProgress), "");
    EXPECT_EQ(Host.FolderOpened, 0);
    EXPECT_EQ(Host.ShutDowns, 0);
    EXPECT_EQ(Host.RunsEnded, 1);
}

// With an audio profile neither adding nor Start decodes a video file's pictures (its pixel
// format stays unknown to the task), and the audio still comes out whole; a video profile opens
// the same file with every video parameter.
TEST_F(BatchDriver, AnAudioProfileLeavesTheVideoUndecodedAVideoProfileReadsIt)
{
    const auto& F = fixtures::Fixtures();
    Add({Copy(F.Mp4H264Aac, "clip.mp4")});
    EXPECT_EQ(List.Record(0).Duration, 2);

    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 1);
    TAVProbe* Input = Converter.InputProbe(0, 0);
    ASSERT_NE(Input, nullptr);
    TVideoStreamInfo Video;
    ASSERT_TRUE(Input->GetVideoStreamInfo(-1, Video));
    EXPECT_EQ(Video.PixelFormat, -1) << "no picture decoded";
    TAudioStreamInfo Audio;
    ASSERT_TRUE(Input->GetAudioStreamInfo(-1, Audio));
    EXPECT_EQ(Audio.SampleRate, 44100);
    Converter.StartTask(1);
    Host.WaitForRunEnd();
    ASSERT_EQ(Host.Ends.size(), 1u);
    EXPECT_TRUE(Host.Ends[0].Finished) << Host.Ends[0].ExceptionMsg;
    EXPECT_NEAR(DurationSeconds(Converter, Driver.Destination(0)), 2.0, 0.1);

    ASSERT_TRUE(Settings.WriteInteger(SectionSettings, KeyFormatCode, 101)); // AVI MPEG-4 video
    ASSERT_EQ(Driver.BuildTasks(Settings, Catalogue).Tasks, 1);
    Input = Converter.InputProbe(0, 0);
    ASSERT_NE(Input, nullptr);
    ASSERT_TRUE(Input->GetVideoStreamInfo(-1, Video));
    EXPECT_EQ(Video.PixelFormat, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(Video.Width, 320);
    EXPECT_EQ(Video.Height, 240);
    EXPECT_EQ(Video.FrameRateNum, 25);
}
