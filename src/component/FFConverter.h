// The encoder component: the application's one face of the conversion engine.
//
// A TFFConverter keeps an ordered list of conversion tasks. Each task (TFFmpeg) converts one
// input file into one or more outputs and is a conversion core of its own. The application
// loads the libraries through the component, adds tasks with a TInputOptions record and outputs
// with TOutputOptions records, starts the list (one task at a time or N at a time on worker
// threads), pauses, resumes or stops it, and receives four events: progress, per-frame hook,
// preview bitmap and termination. The component also owns a probe for the application's use.
//
// The component lives with the probe because every task keeps a TAVProbe per input; it includes
// no Qt. The preview window is supplied by the program as a TPreviewerFactory (engine/Previewer.h).
//
// The tasks and their list are in FFTaskList.h. The component's definitions: its face in
// FFConverter.cpp, the run and the parked set-ups in FFConverterRun.cpp, the events and their
// delivery in FFConverterEvents.cpp.
//
// Threads:
// - Every operation is called on the main thread (StopTasks and ClearTasks may also be called
//   from an OnTerminate handler).
// - OnProgress and OnPreviewBitmap are raised on the task's worker; with
//   TriggerEventInMainThread (the default) they are passed to the main thread, the worker
//   waiting until the handler has run.
// - OnCustomHook always runs on the worker thread, with the bitmap's canvas locked.
// - OnTerminate: in a background run (StartTask with N > 0) each end is queued and raised from a
//   short-lived delivery thread, so an ending worker never waits for the handler; with
//   TriggerEventInMainThread the delivery thread passes the call to the main thread and waits
//   there. Notifications arrive one at a time and in the order the ends happened; the end of the
//   last task always precedes the final notification (TaskIndex -1). A handler may call
//   StopTasks or ClearTasks. In a run on the calling thread (N <= 0) the handlers run on that
//   thread before StartTask returns.
// - A main thread that waits (StopTasks with Wait, ClearTasks, destruction) keeps processing
//   the dispatcher's pending calls, so deliveries to it cannot lock against the wait.
#pragma once

#include "component/FFTaskList.h"
#include "engine/ConvertThread.h"
#include "engine/CustomFFmpeg.h"
#include "engine/FFTypes.h"
#include "engine/FFUtils.h"
#include "engine/OptionRecords.h"
#include "engine/Previewer.h"
#include "probe/AVProbe.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

// ---- event records (owned by the component, valid only during the event) ----

struct TProgressInfo {
    int TaskIndex = 0;
    int FileIndex = 0;           // input of the packet just processed; -1 in a task's last report
    int FrameNumber = 0;         // frames encoded by the first video output; -1 without video
    int FPS = 0;                 // encoding speed; -1 without video
    float Quality = 0;           // quantiser of the last video frame; -1 when not available
    float BitRate = 0;           // average output bit rate, kbit/s
    int64_t CurrentSize = 0;     // bytes written so far
    int64_t CurrentDuration = 0; // output time reached, microseconds
    int64_t TotalDuration = 0;   // expected output length, microseconds; -1 when unknown
};
using PProgressInfo = TProgressInfo*;

struct TTerminateInfo {
    int TaskIndex = 0;     // -1 for the final notification of the whole run
    bool Finished = false; // ran to its natural end; true in the final notification
    bool Exception = false;
    std::string ExceptionMsg;
    // What a task that went through has to tell besides (an output shorter than its source
    // announced, loudness tags not written), in the order they came; empty in the final
    // notification.
    std::vector<std::string> Warnings;
    // What the task did that is worth a line (the loudness measured, the gain applied); empty
    // in the final notification.
    std::vector<std::string> Notes;
    // The name the task's output file was given; it differs from the planned one when that name
    // was taken while the file was written. Empty when the task gave no file a name (stopped,
    // failed, nothing written) and in the final notification.
    std::string OutputFile;
    // Every name the task's outputs were given, in output order (OutputFile is the first).
    std::vector<std::string> OutputFiles;
};

struct THookInfo {
    int TaskIndex = 0;
    TBitmap24* Bitmap = nullptr; // the decoded frame as BGR24; the handler draws on it
    int FrameNumber = 0;         // video frames decoded by the task so far
    int64_t PTS = 0;             // presentation time in the input, microseconds
    bool Update = true;          // set false: the frame is not replaced by the bitmap
    bool StopHook = false;       // set true: no more hook calls for this task
};
using PHookInfo = THookInfo*;

struct TPreviewInfo {
    int TaskIndex = 0;
    const TBitmap24* Bitmap = nullptr;
    int FrameNumber = 0;
    int64_t PTS = 0; // microseconds of the encoded frame
};

class TCustomFFConverter;

using TCustomHookEvent = std::function<void(TCustomFFConverter& Sender, PHookInfo AHookInfo)>;
using TPreviewBitmapEvent =
    std::function<void(TCustomFFConverter& Sender, const TPreviewInfo& APreviewInfo)>;
using TProgressEvent = std::function<void(TCustomFFConverter& Sender, PProgressInfo AProgressInfo)>;
using TTerminateEvent =
    std::function<void(TCustomFFConverter& Sender, const TTerminateInfo& ATerminateInfo)>;

// ---- the component ----

class TCustomFFConverter : public TFFBaseComponent {
public:
    TCustomFFConverter();
    // Stops every task and waits for it, waits for every callback and delivery in progress.
    // No event is raised once destruction has begun.
    ~TCustomFFConverter() override;
    const char* ClassName() const override { return "TCustomFFConverter"; }

    // The four task callbacks the component installs on each task. They run on the thread that
    // runs the task (TaskTerminated also on the thread that delivers a never-started task's end).
    virtual void TaskHook(TCustomFFmpeg& Task, TBitmap24& Bitmap, bool& StopHook, bool& Update,
                          int64_t PTS, int FrameNumber);
    virtual void TaskPreview(TCustomFFmpeg& Task, const TBitmap24& Bitmap, int64_t PTS,
                             int FrameNumber);
    virtual void TaskProgress(TCustomFFmpeg& Task, int FileIndex, int64_t TotalDuration,
                              int64_t CurrentDuration, int64_t CurrentSize, float BitRate,
                              float Quality, int FPS, int FrameNumber);
    virtual void TaskTerminated(TCustomFFmpeg& Task);

    // Design-time text; no effect.
    std::string About;
    static std::string Version() { return "3.3"; }

    // Loads the engine library set from Folder. False with LastError set on failure.
    bool LoadLibraries(const std::string& Folder);

    // Creates a task for FileName (UTF-8) with the input record applied first when given.
    // Returns its index, or -1 with LastError set. Raises FFmpegException "Cannot AddTask while
    // working." during a run and after it until ClearTasks.
    int AddTask(const std::string& FileName, const TInputOptions* Options = nullptr);
    // Adds an output to the task. False with LastError set ("max output files 20 reached", an
    // option's refusal, the core's text). Raises "Cannot SetOutputFile while working.".
    bool SetOutputFile(int TaskIndex, const std::string& FileName,
                       const TOutputOptions* Options = nullptr);
    // Starts the run over all tasks: with ParallelCount N > 0 the first N tasks start at once on
    // worker threads and each end starts the next; with N <= 0 all tasks run one after another
    // on the calling thread and StartTask returns when all have ended. Raises
    // "Cannot StartTask while working.".
    // MoreToCome (background runs only) keeps the run open for tasks that QueueTask adds while
    // it goes on: each joins the run in list order and starts as soon as fewer than N run, and
    // the final notification waits for CloseRun (or a stop) besides the end of every task.
    void StartTask(int ParallelCount, bool MoreToCome = false);
    // A further output of a queued task (one per audio track of a file converted track by track).
    struct TMoreOutput {
        std::string FileName;
        TOutputOptions Options;
    };
    // A task of one input and one output (and MoreOutputs after it, from the same input) whose
    // files are opened only when its turn comes:
    // nothing is opened or checked now (an input that cannot be opened or an output the engine
    // refuses ends the task as failed with the reason AddTask or SetOutputFile would have
    // given). Returns its index. Allowed while idle and during a run started with MoreToCome
    // until CloseRun or a stop; otherwise raises "Cannot QueueTask while working.".
    int QueueTask(const std::string& FileName, const TInputOptions* InputOptions,
                  const std::string& OutputFileName, const TOutputOptions* OutputOptions,
                  const std::vector<TMoreOutput>& MoreOutputs = {});
    // No more tasks come to the open run: it ends once its tasks have ended (at once when they
    // all have). Nothing when the run is not open.
    void CloseRun();
    // True while QueueTask is allowed: no run, or an open one.
    bool AcceptsTasks() const;
    // Tasks that have not been started yet: all of them before a run, during one those the run
    // has not reached (none once it was stopped).
    int WaitingTaskCount() const;
    // Pause or resume every task's worker (tasks run on the calling thread are not affected).
    void PauseTasks();
    void ResumeTasks();
    // Starts no further task and stops every task (a paused one is resumed first); with Wait,
    // waits for each. Every task raises OnTerminate once, then the final notification follows.
    // An open run is closed: it takes no more tasks. Until the next StartTask or ClearTasks, a
    // task opening its files on another thread meanwhile gives up too, also while it waits for
    // an input that stalled.
    void StopTasks(bool Wait);
    // For a program that is ending (a signal): from now on every open, probe and read of the
    // component's files gives up at once, those waiting for a stalled input included, for good.
    // Any thread; never blocks. The run itself still ends through StopTasks.
    void Interrupt();
    // Frees one task (later indexes shift down). Raises "Cannot RemoveTask while working.".
    void RemoveTask(int TaskIndex);
    // Frees all tasks and resets the run. Raises "Cannot ClearTasks while working." while a run
    // has not delivered its final notification.
    void ClearTasks();
    int TaskCount() const;
    // The probe attached to a task's input; null when that input has none. It reads the
    // container the task opened, so it reports the file until the task has run (the end of a
    // run closes the input and leaves the probe empty).
    TAVProbe* InputProbe(int TaskIndex, int InputIndex) const;
    // The component's own probe, for the application's use.
    TAVProbe& Probe() { return *Probe_; }
    std::string LastError() const;

    // Run state, readable from any thread.
    bool Working() const;
    bool AllDone() const;
    int FinishedCount() const;

    // Verbosity given to each new task.
    int Verbose() const { return Verbose_; }
    void SetVerbose(int Level) { Verbose_ = Level; }

    // Makes the preview window of tasks whose Preview bit is set (engine/Previewer.h). Given to
    // each new task; without one the Preview property shows nothing.
    void SetPreviewerFactory(TPreviewerFactory Factory);

protected:
    // ---- properties (published by TFFConverter) ----
    bool Preview() const { return Preview_; }
    // Also applied at once to every task in the list (preview flag bit 0).
    void SetPreview(bool Value);
    bool PreviewBitmap() const { return PreviewBitmap_; }
    // Also applied at once to every task in the list (preview flag bit 1).
    void SetPreviewBitmap(bool Value);
    // Milliseconds between progress reports; values <= 100 are stored as 100.
    int ProgressInterval() const { return ProgressInterval_; }
    void SetProgressInterval(int Milliseconds);
    TThreadPriority ThreadPriority() const { return ThreadPriority_; }
    void SetThreadPriority(TThreadPriority Priority) { ThreadPriority_ = Priority; }
    bool TriggerEventInMainThread() const { return TriggerEventInMainThread_; }
    void SetTriggerEventInMainThread(bool Value) { TriggerEventInMainThread_ = Value; }

    TCustomHookEvent OnCustomHook() const;
    void SetOnCustomHook(TCustomHookEvent Handler);
    TPreviewBitmapEvent OnPreviewBitmap() const;
    void SetOnPreviewBitmap(TPreviewBitmapEvent Handler);
    TProgressEvent OnProgress() const;
    void SetOnProgress(TProgressEvent Handler);
    TTerminateEvent OnTerminate() const;
    void SetOnTerminate(TTerminateEvent Handler);

protected:
    // The shutdown of the destructor; the most derived class calls it first so that no worker
    // calls a task callback while the object's class changes under it. Runs once.
    void Shutdown();

private:
    // Raises "Cannot %s while working." when a run was started and not cleared.
    void CheckWorking(const char* Operation) const;
    // Joins the workers of the tasks of this run that have ended (their threads' stacks would
    // otherwise stay until the list is cleared) and releases those tasks: their places stay
    // empty, TaskCount() and task indexes are unchanged, InputProbe() gives null for them.
    // TerminateLock_ held.
    void ReapEndedWorkers();
    // Takes task NextTaskIndex_ for this run when tasks remain (null otherwise, or when its
    // slot is empty). Released places lie behind it: a run is not started again before
    // ClearTasks. Called with TerminateLock_ held.
    TFFmpegList::TTaskPtr ClaimNextTask();
    // Opens a claimed task's files again and starts it (on its own thread when Background).
    // Called WITHOUT TerminateLock_: opening files and a refused start's log reach the main
    // thread, which may be waiting for that lock meanwhile. A task that cannot start ends as
    // failed; a background run then claims and launches the next one here.
    void LaunchTask(TFFmpegList::TTaskPtr Task, bool Background);
    // Fills and queues the final notification; AllDone := true. TerminateLock_ held.
    void FinalNotification();
    // The final notification once no task is left to start or to end and the run is not open;
    // true when it was queued. TerminateLock_ held.
    bool FinishClosedRun();
    // Queues one notification (TerminateLock_ held); DeliverTerminations raises it later.
    void QueueTermination(const TTerminateInfo& Info);
    // Makes sure the queued notifications get delivered: in a background run by a delivery
    // thread, otherwise on the calling thread. Called without TerminateLock_. Does nothing while
    // a drainer is at work (it takes what was queued).
    void DeliverTerminations(bool Background);
    // Raises the queued notifications one by one until the queue is empty.
    void DrainTerminations(bool OnDeliveryThread);
    // Waits until no delivery is running or pending (processing the main thread's messages
    // meanwhile) and joins the delivery thread; returns at once when called from a handler.
    void WaitForDeliveries();
    void RaiseTerminate(const TTerminateInfo& Info, bool ToMainThread);
    // The preview flags, previewer factory and preview callback a new task starts with.
    void InstallPreview(TFFmpeg& Task);
    void InstallTaskCallbacks(TFFmpeg& Task);
    // The installer of the frame hook that a task's output with Hook set calls.
    std::function<void()> HookInstaller(TFFmpeg& Task);
    // Parks every queued task that has its outputs but the newest, then the oldest beyond Keep
    // (tasks without outputs are only read through their probes). Made tasks are recorded in
    // LiveTasks_; Keep 0 parks every one.
    void ParkIdleTasks(size_t Keep);
    // Makes a parked task hold its set-up again (SetOutputFile on an older task).
    bool Unpark(TFFmpeg& Task, std::string& Reason);
    // Counts one released set-up (a parked task, an ended run, a removed task); every few the
    // allocator gives the freed heap back to the system.
    void NoteReleasedSetUp();

    // Asked by StopTasks (taken back by StartTask and ClearTasks) and for good by Interrupt: the
    // outer stop state of every task, and the stop state of the component's probe. Declared
    // before both, so it outlives them.
    TStopState Stopping_;
    std::atomic<bool> Interrupted_{false};
    std::unique_ptr<TAVProbe> Probe_;
    TFFmpegList Tasks_;
    // Queued tasks that still hold their set-up, oldest first (main thread only). The newest
    // one stays open while it gets its outputs, and a few without outputs stay open so the
    // probes of the latest additions can be read; the rest wait released, so a long list holds
    // no open file, context or decoder.
    static constexpr size_t LiveTaskLimit = 4;
    std::deque<std::weak_ptr<TFFmpeg>> LiveTasks_;
    TPreviewerFactory PreviewerFactory_;

    mutable std::mutex ErrorLock_; // guards LastError_
    std::string LastError_;

    std::atomic<bool> Preview_{false};
    std::atomic<bool> PreviewBitmap_{false};
    std::atomic<int> ProgressInterval_{500};
    std::atomic<TThreadPriority> ThreadPriority_{tpNormal};
    std::atomic<bool> TriggerEventInMainThread_{true};
    std::atomic<int> Verbose_{1};
    std::atomic<bool> Destroying_{false};

    mutable std::mutex HandlerLock_; // guards the four handlers (copied out before each call)
    TCustomHookEvent OnCustomHook_;
    TPreviewBitmapEvent OnPreviewBitmap_;
    TProgressEvent OnProgress_;
    TTerminateEvent OnTerminate_;

    // One lock per record kind: they order the filling and raising of each record across tasks
    // running in parallel.
    std::mutex HookLock_; // guards HookInfo_
    THookInfo HookInfo_;
    std::mutex PreviewLock_; // guards PreviewInfo_
    TPreviewInfo PreviewInfo_;
    std::mutex ProgressLock_; // guards ProgressInfo_
    TProgressInfo ProgressInfo_;
    // Recursive: an ending task may start the next one, whose refusal ends it at once on the
    // same thread.
    mutable std::recursive_mutex TerminateLock_; // guards TerminateInfo_ and the run state
    TTerminateInfo TerminateInfo_;
    int FinishedCount_ = 0;
    std::set<const TCustomFFmpeg*> EndedTasks_; // tasks whose end was counted in this run
    int NextTaskIndex_ = -1;
    int ReapFrom_ = 0; // tasks before this index have had their workers joined
    std::atomic<int> ReleasedSinceTrim_{0}; // parked set-ups and ended runs, for the heap trim
    int RemainingTasks_ = 0;
    bool AllDone_ = false;
    bool Background_ = false;
    bool Working_ = false;
    bool Open_ = false;     // the run takes more tasks (StartTask with MoreToCome)
    int ParallelCount_ = 0; // tasks the background run keeps going at once
    int SyncRuns_ = 0; // StartTask calls running tasks on their own thread right now

    // Termination delivery: one drainer at a time delivers the queue in order.
    std::mutex DeliveryLock_; // guards everything down to DeliveryThread_
    std::condition_variable DeliveryIdle_;
    std::deque<TTerminateInfo> Pending_;
    bool Draining_ = false;
    std::thread::id Drainer_;       // the thread that drains now
    std::thread::id HandlerThread_; // the thread running an OnTerminate handler now
    std::thread DeliveryThread_;    // the last delivery thread started (joined on the next start)
};

// The component as the application uses it: the properties and events published.
class TFFConverter final : public TCustomFFConverter {
public:
    TFFConverter() = default;
    ~TFFConverter() override { Shutdown(); }
    const char* ClassName() const override { return "TFFConverter"; }

    using TCustomFFConverter::OnCustomHook;
    using TCustomFFConverter::OnPreviewBitmap;
    using TCustomFFConverter::OnProgress;
    using TCustomFFConverter::OnTerminate;
    using TCustomFFConverter::Preview;
    using TCustomFFConverter::PreviewBitmap;
    using TCustomFFConverter::ProgressInterval;
    using TCustomFFConverter::SetOnCustomHook;
    using TCustomFFConverter::SetOnPreviewBitmap;
    using TCustomFFConverter::SetOnProgress;
    using TCustomFFConverter::SetOnTerminate;
    using TCustomFFConverter::SetPreview;
    using TCustomFFConverter::SetPreviewBitmap;
    using TCustomFFConverter::SetProgressInterval;
    using TCustomFFConverter::SetThreadPriority;
    using TCustomFFConverter::SetTriggerEventInMainThread;
    using TCustomFFConverter::ThreadPriority;
    using TCustomFFConverter::TriggerEventInMainThread;
};
