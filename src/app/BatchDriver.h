// Start as a window-free operation, and the handling of the encoder component's events while the
// batch runs. The main window and the command-line program drive conversions through this class;
// only the showing of windows and the after-completion commands differ, and those come in through
// TBatchHost.
//
// Order of use (main thread): BuildTasks once per Start; then the caller starts the tasks
// (StartTask); the component's events are routed to the On* methods (OnCustomHook on the worker
// thread, the others on the main thread); OnTerminate with TaskIndex -1 ends the run.
// A window builds its Start in steps instead, so that a long list neither keeps the progress
// window waiting nor blocks the event loop: BeginTasks, BuildMore until the first task exists,
// StartRun (the progress window's showing), then BuildMore in short slices while the first files
// convert, until it says Done.
#pragma once

#include "app/BatchProgress.h"
#include "app/IniFile.h"
#include "app/OutputNames.h"
#include "app/SourceList.h"
#include "app/TrackChoice.h"
#include "app/UserPrompts.h"
#include "component/FFConverter.h"
#include "effects/LayerPictures.h"
#include "engine/ConvertThread.h"
#include "engine/FFUtils.h"
#include "probe/AVProbe.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TLoudnessAlbum;

namespace zelta {

// "priority" (default 1) -> thread priority: 0 idle, 1 normal, 2 lower, 3 lowest; other values
// keep the component's priority (nothing).
std::optional<TThreadPriority> PriorityFromSetting(int Value);

// What the progress window and the row show for one progress report.
struct TProgressTexts {
    int TaskIndex = 0;        // the reporting task
    int Percent = 0;          // CurrentDuration * 100 / TotalDuration; 0 when the total is <= 0
    std::string RowProgress;  // Percent + "%"
    std::string Time;         // CurrentDuration / 1000000 + " Second"
    std::string Length;       // TotalDuration / 1000000 + " Second"
    std::string Size;         // CurrentSize / 1000 + " kb"
    std::string Progress;     // "[" + (TaskIndex + 1) + "/" + TaskCount + "]"
    std::string File;         // the caption, or its first 44 characters + ".." + its extension
};
TProgressTexts FormatProgress(const TProgressInfo& Info, int TaskCount, const std::string& Caption);
// The caption as the progress window shows it: unchanged below 51 characters (code points),
// else its first 44 + ".." + the extension with its dot.
std::string ShortenedFileName(const std::string& Caption);

// How many files a Start converts at once: the stored "Simultaneous conversions" choice, or for
// Auto one per core with an audio profile and one with a video profile (the profile of
// "FormatCode").
int ConversionJobCount(const TIniFile& Settings, const TIniFile& Catalogue);

// True when the row's frames must pass through the hook: any adjustment off its neutral value,
// or any layer with text or a picture file.
bool NeedsFrameHook(const TlvFilesRecord& Record);

// What the driver asks of the program around it.
class TBatchHost : public TUserPrompts {
public:
    // A report of a running task (main thread): the progress window's bar and labels.
    virtual void ShowProgress(const TProgressTexts& Texts) { (void)Texts; }
    // The bar alone: a task finished normally sets it to 100.
    virtual void ShowProgressBar(int Percent) { (void)Percent; }
    // The whole batch after every report and every end (main thread): the running files and
    // the totals.
    virtual void ShowBatch(const TBatchView& View) { (void)View; }
    // Every task's end, after its row was updated (Info.TaskIndex >= 0): lets the caller keep
    // its own account of the run (the command line names each failure).
    virtual void TaskEnded(const TTerminateInfo& Info) { (void)Info; }
    // A checked row the "exists" rule passed over while building (main thread).
    virtual void RowPassed(int Row, const std::string& Reason) { (void)Row, (void)Reason; }
    // The run has ended with no task stopped and at least one finished normally: the
    // after-completion choices of the progress window.
    virtual bool OpenFolderAfterConversion() const { return false; }
    virtual bool ShutDownAfterConversion() const { return false; }
    virtual void OpenOutputFolder() {}
    virtual void ShutDownComputer() {}
    // The whole run has ended (after the tasks were cleared): close the progress window,
    // re-enable the main window's commands.
    virtual void RunEnded() {}
};

// A checked row that was not converted: skipped at Start or failed while converting. Also a
// converted row with warnings (Reason: the warnings, joined by "; ").
struct TRunFailure {
    int Row = -1;
    std::string File;   // the row's source file
    std::string Reason; // the probe's, engine's or conversion's text
};

// The message after a run with failures: how many of Total checked files failed ("No file could
// be converted." when every one did), then one line "<file name>: <reason>" per failure; at most
// MaxListed lines, then "... and N more.". Empty when there is no failure.
std::string FailureReport(const std::vector<TRunFailure>& Failures, int Total,
                          std::size_t MaxListed = 15);
// The message after a run whose converted files have warnings: "Converted with warnings:", then
// one line "<file name>: <warnings>" per file; at most MaxListed lines, then "... and N more.".
// Empty when there is none.
std::string WarningReport(const std::vector<TRunFailure>& Warnings, std::size_t MaxListed = 15);
// The message of a Start that found nothing to convert: "Nothing to convert: the outputs of all
// 12 files exist or are up to date." ("the output of the file" for one).
std::string PassedReport(int Passed);

class TBatchDriver {
public:
    // Converter, List and Host must outlive the driver; destroy the driver only after the run
    // has ended (its handlers are removed from the component then).
    TBatchDriver(TFFConverter& Converter, TSourceListModel& List, TBatchHost& Host);
    ~TBatchDriver();
    TBatchDriver(const TBatchDriver&) = delete;
    TBatchDriver& operator=(const TBatchDriver&) = delete;

    struct TBuildResult {
        int Tasks = 0;        // tasks built; 0: nothing to start
        int Skipped = 0;      // checked rows that could not be opened (Progress "Error")
        int Passed = 0;       // checked rows the "exists" rule passed over (Progress "Skipped")
        bool Stopped = false; // a message stopped Start (no output folder, a bad value)
        bool Cancelled = false; // Progress asked to stop: no task is left, nothing to say
        std::string Error;    // the text shown when Stopped
        // Why each skipped row has no task: row index and the probe's or engine's text.
        std::vector<std::pair<int, std::string>> SkippedRows;
    };
    // Start steps 1-4: priority, CheckedRows, one task per checked row (input and output
    // records, the job builder, Hook, SetOutputFile). A checked row that can no longer be opened,
    // or whose output the engine refuses, gets "Error" in its Progress column and no task, so
    // task indexes and CheckedRows stay aligned. Destinations are reserved for the whole Start.
    // Throws nothing: a refused profile value (bad "paraVolume") or a component refusal stops
    // Start with its message in Error, and so does the lack of any output folder (the user has
    // been told by BuildDestName already). A stopped Start leaves no task behind; the caller
    // shows Error.
    // ExtraOutputOptions ("name=value" lines) is appended to every output record's ExtOptions
    // after the job builder (the command line's --ext); the window passes nothing.
    // Progress, when given, is called before each checked row (see TStepProgress); false ends
    // Start like a stop without a message (Cancelled).
    TBuildResult BuildTasks(TIniFile& Settings, const TIniFile& Catalogue,
                            const std::string& ExtraOutputOptions = {},
                            const TSourceListModel::TStepProgress& Progress = {});

    // ---- Start in steps ----
    // Start steps 1-3 and nothing opened: the priority, the checked rows counted (the batch
    // totals count every one of them from now on), the tasks cleared. Tasks stays 0; Stopped
    // with Error when the component refuses. Settings and Catalogue are copied for the steps.
    // ExtraOutputOptions as for BuildTasks.
    TBuildResult BeginTasks(TIniFile& Settings, const TIniFile& Catalogue,
                            const std::string& ExtraOutputOptions = {});
    enum class TBuildStatus {
        More,    // rows remain: call again
        Waiting, // rows remain, but MaxWaiting tasks wait for their turn: call again later
        Done,    // every checked row was looked at, or the run stopped taking tasks (Cancel)
        Stopped, // a message stopped Start (Error); a run under way was stopped
    };
    struct TBuildStep {
        TBuildStatus Status = TBuildStatus::Done;
        std::string Error; // when Stopped
    };
    // Start step 4 for the next checked rows, as BuildTasks does, until Budget is spent (one row
    // at least), MaxWaiting tasks wait unstarted or the rows are done. Each row becomes a task
    // whose files open at its turn (the component's QueueTask): a source that cannot be opened
    // now is skipped as in BuildTasks; an output the engine refuses fails its task at its turn,
    // with the reason, like a file gone by then. Once StartRun has started the run the tasks
    // join it, and the last row closes it. Builds nothing more once the run takes no tasks (a
    // stop, Cancel) or has ended. Not reentrant: a call made while one is under way (from a
    // message box it shows) returns More at once.
    TBuildStep BuildMore(std::chrono::milliseconds Budget, int MaxWaiting);
    // Starts the run with Jobs files at once; it stays open for the rows still to build.
    void StartRun(int Jobs);
    // Gives up a Start in steps before its run was started: no task is left, nothing more is
    // built (rows skipped so far keep their "Error").
    void CancelTasks();
    // No checked row of the Start in steps is left to look at (also true outside one). A run
    // that ends before that runs no after-completion action.
    bool AllBuilt() const;
    // Checked rows of the last Start, tasks made of them so far, rows skipped so far.
    int CheckedTotal() const { return FCheckedTotal; }
    int TasksBuilt() const;
    int SkippedCount() const;

    // Every checked row of the last Start that was not converted, in the order they failed:
    // the rows skipped while building (all before the run with BuildTasks, along the run with a
    // Start in steps) and the tasks that ended with an error. Neither a failed nor a stopped
    // task leaves a file: only a finished one is given its name.
    std::vector<TRunFailure> Failures() const;
    // Every checked row of the last Start that the "exists" rule passed over (its output exists,
    // or is up to date), with the reason, in list order. They are no failures: the row shows
    // "Skipped" with the reason as its tool tip, and the batch counts them as done.
    std::vector<TRunFailure> Passed() const;
    int PassedCount() const;
    // Every row of the last Start that converted with warnings (an output shorter than its
    // source announced, loudness tags not written), in the order they ended. The row shows
    // "Warning" with the warnings as its tool tip.
    std::vector<TRunFailure> Warnings() const;

    // Task i converts row CheckedRows()[i]. A Start in steps adds to both lists while its run
    // goes on (main thread).
    const std::vector<int>& CheckedRows() const { return FCheckedRows; }
    // The row of task i, -1 outside the task list; any thread.
    int RowOf(int Task) const;
    // The destination of task i: the name planned at Start, and once the task finished the name
    // its file was given (another one when the planned name was taken meanwhile).
    std::string Destination(int Task) const;

    // Event handlers (records of the encoder component).
    void OnProgress(const TProgressInfo& Info);           // main thread
    void OnCustomHook(THookInfo& Info);                   // worker thread
    void OnPreviewBitmap(const TPreviewInfo& Info);       // main thread
    // TaskIndex -1 runs the after-completion actions once (when no task was stopped and one
    // finished), clears the tasks (refused, and left to the caller, in a run on the calling
    // thread: StartTask(0) is still on the stack) and ends the run with Host.RunEnded().
    void OnTerminate(const TTerminateInfo& Info);         // main thread

    // Copies the latest preview frame into Target (under the frame's lock); false, and Target
    // unchanged, while no frame has come.
    bool CopyPreviewFrame(TBitmap24& Target) const;

    // The driver's handlers installed on the component (the GUI passes OnTerminate to the main
    // thread itself when TriggerEventInMainThread is set; see the component's contract).
    void ConnectEvents();

private:
    // Row of task TaskIndex, or -1 outside the task list.
    int RowOfTask(int TaskIndex) const;

    // What stays the same for every row of one Start.
    struct TStartContext {
        TStartContext(const TIniFile& S, const TIniFile& C) : Settings(S), Catalogue(C) {}
        TIniFile Settings;
        TIniFile Catalogue;
        std::string ExtraOutputOptions;
        int FormatCode = 0;
        std::string Suffix; // "." + the profile's FileExt
        std::string Zoom;   // the profile's "parazoom"
        // An audio profile takes nothing from the video: reading its header is enough.
        TAVProbe::TVideoAnalysis Analysis = TAVProbe::TVideoAnalysis::Decode;
        TReservedNames Reserved;
        TOutputNaming Naming; // where the outputs go, what they are called, the "exists" rule
        TTrackRule TrackRule; // which audio track a file converts with ("AudioTrack")
        std::set<std::string> Swept; // output folders cleared of leftover temporaries
        // Source folders whose pictures went beside their outputs, with the output folder.
        std::set<std::pair<std::string, std::string>> Pictured;
        int NextRow = 0;    // the next list row to look at
        bool Deferred = false; // tasks through QueueTask (a Start in steps)
        bool RunStarted = false;
        bool Finished = false;
        bool Busy = false;  // BuildMore is under way
        // Album mode: the album of this Start and each row's member number in it (-1: none).
        std::shared_ptr<TLoudnessAlbum> Album;
        std::vector<int> AlbumMembers;
    };
    // Album mode (the settings' "AlbumGain" with normalisation on): Start's album, listing every
    // checked row as a member.
    void MakeAlbum(TStartContext& Start) const;
    // Steps 1-3 of both ways of building; false (Error set) when the component refuses.
    bool Begin(TIniFile& Settings, const TIniFile& Catalogue, std::string ExtraOutputOptions,
               std::string& Error);
    enum class TRowOutcome { Task, Skipped, Stop };
    // Step 4 for one checked row. Stop: Start must end with Error.
    TRowOutcome BuildRow(int Row, std::string& Error, TBuildResult* Result);
    // A checked row without task: "Error" with Reason, a failure, done in the totals.
    void SkipRow(int Row, std::string Reason, TBuildResult* Result);
    // A checked row the "exists" rule passes over: "Skipped", no failure, done in the totals.
    void PassRow(int Row, std::string Reason, TBuildResult* Result);
    // The output of Row: its folder made, the folder pictures beside it. Stop when no output
    // folder can be had; Skipped (row handled) when the rule passes it over or it fails.
    // Track, when given, is the audio track this output takes: its number and language fill the
    // name's track fields, and with OwnFile (each track a file of its own) the name gets its
    // tail. Passed, when given, receives the reason of an output the "exists" rule passes over
    // instead of the row being passed.
    TRowOutcome ChooseDestination(int Row, std::string& Destination, bool& Replace,
                                  std::string& Error, TBuildResult* Result,
                                  const TAudioTrack* Track = nullptr, bool OwnFile = false,
                                  std::string* Passed = nullptr);
    // The outputs of a row whose tracks each get a file (Pick), chosen after its probe:
    // the first into Destination/Output, the others into More. Skipped when every output was
    // passed over (the row is passed) or the row failed.
    TRowOutcome ChooseTrackOutputs(int Row, const TTrackPick& Pick, std::string& Destination,
                                   TOutputOptions& Output,
                                   std::vector<TFFConverter::TMoreOutput>& More,
                                   std::string& Error, TBuildResult* Result);
    // Ends a Start that could not be built: no task, no row of it left.
    void DropTasks();
    // The batch's account of a task's end, then the host's.
    void EndTask(const TTerminateInfo& Info);

    TFFConverter& FConverter;
    TSourceListModel& FList;
    TBatchHost& FHost;
    std::vector<int> FCheckedRows;          // written on the main thread under FTaskLock
    std::vector<std::string> FDestinations; // likewise
    mutable std::mutex FTaskLock;           // the hook reads FCheckedRows on the worker
    std::unique_ptr<TStartContext> FStart;
    int FCheckedTotal = 0;
    int FPlannedTasks = 0;                  // checked rows not skipped; guarded by FRowLock
    int FSkipped = 0;                       // guarded by FRowLock
    // One per Start: every picture is decoded once for the whole run, whatever the task.
    std::unique_ptr<TLayerPictures> FPictures;
    std::vector<TRunFailure> FFailures; // guarded by FRowLock
    std::vector<TRunFailure> FWarnings; // guarded by FRowLock
    std::vector<TRunFailure> FPassed;   // guarded by FRowLock
    TBatchProgress FBatch;              // guarded by FRowLock
    bool FAnyStopped = false;           // guarded by FRowLock
    bool FAnyFinished = false;          // guarded by FRowLock
    bool FAudioProfile = false;         // the Start's profile takes no picture; set before the run
    // Orders the handlers' row writes: without a main-thread dispatcher (command line) the
    // progress and terminate handlers run on different engine threads.
    mutable std::mutex FRowLock;
    mutable std::mutex FPreviewLock; // guards FPreviewFrame
    TBitmap24 FPreviewFrame;
    bool FConnected = false;
};

}  // namespace zelta
