// The component's run: queued tasks and the open run (QueueTask, CloseRun), the parked set-ups
// of waiting tasks, the scheduling of one or N tasks at a time (StartTask, claiming and
// launching the next task, joining ended workers), pausing and stopping, and the count of
// ended tasks that leads to the final notification.

#include "component/FFConverter.h"

#include "engine/Transcode.h"

#include <algorithm>
#include <malloc.h>
#include <string>
#include <thread>
#include <utility>

namespace {

// This thread is ending a task that could not start: that end must not claim the next task
// itself (the launch loop does), or a run of such tasks would nest one call per task.
thread_local bool EndingUnstarted = false;

// Tasks set up, released and ended one after another leave the heap strewn with freed pieces
// that the allocator keeps; a long batch would hold many megabytes it no longer uses. Every
// TrimEvery releases (a parked set-up, an ended run) they are given back to the system.
constexpr int TrimEvery = 16;

} // namespace

void TCustomFFConverter::NoteReleasedSetUp() {
    if (ReleasedSinceTrim_.fetch_add(1) % TrimEvery == TrimEvery - 1)
        ::malloc_trim(0);
}

// ---- queued tasks and the open run ----

int TCustomFFConverter::QueueTask(const std::string& FileName, const TInputOptions* InputOptions,
                                  const std::string& OutputFileName,
                                  const TOutputOptions* OutputOptions,
                                  const std::vector<TMoreOutput>& MoreOutputs) {
    auto refuseWhenClosed = [this] {
        if (Working_ && !Open_)
            throw FFmpegException(FormatText("Cannot %s while working.", "QueueTask"));
    };
    {
        std::lock_guard g(TerminateLock_);
        refuseWhenClosed();
    }
    auto task = std::make_shared<TFFmpeg>();
    task->Stop().SetOuter(&Stopping_);
    InstallPreview(*task);
    InstallTaskCallbacks(*task);
    task->DeferSetUp(FileName, InputOptions, OutputFileName, OutputOptions);
    for (const TMoreOutput& more : MoreOutputs)
        task->DeferOutput(more.FileName, more.Options);
    TFFmpegList::TTaskPtr next;
    int index = -1;
    {
        std::lock_guard g(TerminateLock_);
        // A handler may have stopped the run meanwhile.
        refuseWhenClosed();
        index = Tasks_.Add(std::move(task));
        if (Working_) {
            ++RemainingTasks_;
            // Tasks claimed and not ended are the ones running: a free place starts the next.
            if (NextTaskIndex_ - FinishedCount_ < ParallelCount_)
                next = ClaimNextTask();
        }
    }
    // Opened and started outside the lock: see LaunchTask.
    if (next)
        LaunchTask(next, true);
    return index;
}

void TCustomFFConverter::CloseRun() {
    bool background = false;
    {
        std::lock_guard g(TerminateLock_);
        if (!Open_)
            return;
        Open_ = false;
        background = Background_;
        if (!FinishClosedRun())
            return;
    }
    DeliverTerminations(background);
}

bool TCustomFFConverter::FinishClosedRun() {
    if (Open_ || AllDone_ || RemainingTasks_ > 0 || FinishedCount_ < Tasks_.Count())
        return false;
    FinalNotification();
    return true;
}

bool TCustomFFConverter::AcceptsTasks() const {
    std::lock_guard g(TerminateLock_);
    return !Working_ || Open_;
}

int TCustomFFConverter::WaitingTaskCount() const {
    std::lock_guard g(TerminateLock_);
    return Working_ ? RemainingTasks_ : Tasks_.Count();
}

// ---- parked set-ups ----

void TCustomFFConverter::ParkIdleTasks(size_t Keep) {
    // Tasks removed or cleared meanwhile have expired.
    std::erase_if(LiveTasks_, [](const std::weak_ptr<TFFmpeg>& t) { return t.expired(); });
    // A task with its outputs is ready for the run: once a later one is added it waits
    // released, so building a batch holds the files of one task at a time.
    for (size_t i = 0; i + 1 < LiveTasks_.size();) {
        const std::shared_ptr<TFFmpeg> task = LiveTasks_[i].lock();
        if (task && !task->OutputFileNames.empty()) {
            task->Park();
            NoteReleasedSetUp();
            LiveTasks_.erase(LiveTasks_.begin() + std::ptrdiff_t(i));
        } else {
            ++i;
        }
    }
    while (LiveTasks_.size() > Keep) {
        if (const std::shared_ptr<TFFmpeg> task = LiveTasks_.front().lock()) {
            task->Park();
            NoteReleasedSetUp();
        }
        LiveTasks_.pop_front();
    }
}

bool TCustomFFConverter::Unpark(TFFmpeg& Task, std::string& Reason) {
    if (!Task.Parked())
        return true;
    if (!Task.Reopen(Verbose_, HookInstaller(Task), Reason))
        return false;
    for (const TFFmpegList::TTaskPtr& t : Tasks_.Snapshot())
        if (t && t.get() == &Task)
            LiveTasks_.push_back(t);
    ParkIdleTasks(LiveTaskLimit);
    return true;
}

// ---- scheduling ----

void TCustomFFConverter::StartTask(int ParallelCount, bool MoreToCome) {
    CheckWorking("StartTask");
    // A stop asked before this run (of tasks it will not start) is not one of this run.
    if (!Interrupted_)
        Stopping_.Clear();
    // Every task opens its files when its turn comes, so at most the running ones hold any.
    // The tasks that start at once keep a set-up they still hold: releasing it only to repeat
    // the whole open a moment later costs the start of every short batch.
    const int startingNow = std::max(1, ParallelCount);
    std::erase_if(LiveTasks_, [](const std::weak_ptr<TFFmpeg>& t) { return t.expired(); });
    for (const std::weak_ptr<TFFmpeg>& live : LiveTasks_)
        if (const std::shared_ptr<TFFmpeg> task = live.lock()) {
            const int index = Tasks_.IndexOf(task.get());
            if (index < 0 || index >= startingNow) {
                task->Park();
                NoteReleasedSetUp();
            }
        }
    LiveTasks_.clear();
    std::unique_lock guard(TerminateLock_);
    FinishedCount_ = 0;
    EndedTasks_.clear();
    NextTaskIndex_ = 0;
    ReapFrom_ = 0;
    RemainingTasks_ = Tasks_.Count();
    AllDone_ = false;
    Background_ = ParallelCount > 0;
    Working_ = true;
    Open_ = MoreToCome && Background_;
    ParallelCount_ = std::max(ParallelCount, 0);
    const bool background = Background_;
    if (RemainingTasks_ == 0) {
        // An open run waits for its tasks.
        if (Open_)
            return;
        // Nothing to run: the run has ended at once.
        FinalNotification();
        guard.unlock();
        DeliverTerminations(background);
        return;
    }
    if (background) {
        // Each start happens outside the lock; a task that ends meanwhile claims its successor
        // under the lock, so no more than ParallelCount tasks ever run at once.
        int n = ParallelCount;
        while (RemainingTasks_ > 0 && n-- > 0) {
            const TFFmpegList::TTaskPtr task = ClaimNextTask();
            if (!task)
                continue;
            guard.unlock();
            LaunchTask(task, true);
            guard.lock();
        }
        return;
    }
    ++SyncRuns_;
    try {
        while (RemainingTasks_ > 0) {
            const TFFmpegList::TTaskPtr task = ClaimNextTask();
            if (!task)
                continue;
            // The task runs here; its end takes the lock itself.
            guard.unlock();
            LaunchTask(task, false);
            guard.lock();
        }
    } catch (...) {
        if (!guard.owns_lock())
            guard.lock();
        --SyncRuns_;
        throw;
    }
    --SyncRuns_;
}

void TCustomFFConverter::ReapEndedWorkers() {
    for (int i = ReapFrom_; i < NextTaskIndex_; ++i) {
        TFFmpegList::TTaskPtr task = Tasks_.Item(i);
        const bool released = !task || task->ReleaseEndedThreads();
        // A task whose end has been counted is done with: freed, so a run of many thousand
        // files holds only its running and waiting tasks. Its place stays (task indexes), and
        // its address leaves the ended set before another task can be made at it.
        if (released && task && EndedTasks_.erase(task.get()) > 0) {
            task.reset();
            Tasks_.Release(i);
        }
        if (released && i == ReapFrom_)
            ++ReapFrom_;
    }
}

TFFmpegList::TTaskPtr TCustomFFConverter::ClaimNextTask() {
    if (Background_)
        ReapEndedWorkers();
    if (RemainingTasks_ <= 0)
        return nullptr;
    --RemainingTasks_;
    const TFFmpegList::TTaskPtr task = Tasks_.Item(NextTaskIndex_);
    ++NextTaskIndex_;
    if (task) {
        task->ReportInterval = int64_t(ProgressInterval_.load()) * 1000;
        // As many tasks at once as cores leave no core for a second thread per task. At once:
        // those running (this one included) and those waiting, up to the parallel count.
        const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
        const int atOnce =
            std::min(ParallelCount_, NextTaskIndex_ - FinishedCount_ + RemainingTasks_);
        task->AudioEncoderThread = !Background_ || atOnce < cores;
    }
    return task;
}

void TCustomFFConverter::LaunchTask(TFFmpegList::TTaskPtr Task, bool Background) {
    // A task that cannot start is ended here and, in a background run, the loop claims the next
    // one itself: a long row of vanished files must not nest one end inside the other.
    while (Task) {
        std::string reason;
        // Ended before this run reached it (a stop before the start): it cannot run again, and
        // its end is counted now so the run still comes to its final notification. A task whose
        // files can no longer be opened ends as failed with the reason.
        const bool ended = Task->Terminated();
        if (!ended && Task->Reopen(Verbose_, HookInstaller(*Task), reason)) {
            if (Background) {
                if (TConvertThread* thread = Task->StartConvert(true, ThreadPriority_))
                    thread->Resume();
            } else {
                Task->StartConvert(false, ThreadPriority_);
            }
            return;
        }
        {
            const bool nested = EndingUnstarted;
            EndingUnstarted = true;
            try {
                if (ended)
                    TaskTerminated(*Task);
                else
                    Task->FailUnstarted(reason);
            } catch (...) {
                EndingUnstarted = nested;
                throw;
            }
            EndingUnstarted = nested;
        }
        if (!Background)
            return;
        std::lock_guard g(TerminateLock_);
        Task = ClaimNextTask();
    }
}

void TCustomFFConverter::PauseTasks() {
    Tasks_.PauseAll();
}

void TCustomFFConverter::ResumeTasks() {
    Tasks_.ResumeAll();
}

void TCustomFFConverter::Interrupt() {
    Interrupted_ = true;
    Stopping_.Request();
}

void TCustomFFConverter::StopTasks(bool Wait) {
    // First: a task that waits for an input or opens its files gives up at once.
    Stopping_.Request();
    bool wasOpen = false;
    {
        std::lock_guard g(TerminateLock_);
        RemainingTasks_ = 0;
        wasOpen = Open_;
        Open_ = false;
    }
    Tasks_.TerminateAll(Wait);
    if (!wasOpen)
        return;
    // An open run whose tasks had all ended gets no further end to finish it: it ends here.
    bool background = false;
    {
        std::lock_guard g(TerminateLock_);
        background = Background_;
        if (!FinishClosedRun())
            return;
    }
    DeliverTerminations(background);
}

// ---- ends ----

void TCustomFFConverter::TaskTerminated(TCustomFFmpeg& Task) {
    if (Destroying_)
        return;
    bool background = false;
    TFFmpegList::TTaskPtr next;
    {
        std::unique_lock guard(TerminateLock_);
        // A task's end counts once, even if a stop raced with its natural end.
        if (!EndedTasks_.insert(&Task).second)
            return;
        background = Background_;
        if (OnTerminate()) {
            TerminateInfo_.TaskIndex = Tasks_.IndexOf(&Task);
            TerminateInfo_.Finished = Task.Completed();
            TerminateInfo_.Exception = Task.ErrorOccurred();
            TerminateInfo_.ExceptionMsg = Task.ErrorMessage();
            TerminateInfo_.Warnings = Task.Warnings();
            TerminateInfo_.Notes = Task.Notes();
            const std::vector<std::string>& written = Task.WrittenFiles();
            TerminateInfo_.OutputFile = written.empty() ? std::string() : written.front();
            TerminateInfo_.OutputFiles = written;
            QueueTermination(TerminateInfo_);
        }
        ++FinishedCount_;
        if (RemainingTasks_ < 1) {
            // An open run ends when it is closed (CloseRun, a stop).
            FinishClosedRun();
        } else if (Background_ && !EndingUnstarted) {
            next = ClaimNextTask();
        }
    }
    NoteReleasedSetUp();
    // Started after the lock is released: see LaunchTask.
    if (next)
        LaunchTask(next, true);
    DeliverTerminations(background);
}

void TCustomFFConverter::FinalNotification() {
    // Set before the notification can be seen, so its handler may call ClearTasks.
    AllDone_ = true;
    if (OnTerminate()) {
        TerminateInfo_.TaskIndex = -1;
        TerminateInfo_.Finished = true;
        TerminateInfo_.Exception = false;
        TerminateInfo_.ExceptionMsg.clear();
        TerminateInfo_.Warnings.clear();
        TerminateInfo_.Notes.clear();
        TerminateInfo_.OutputFile.clear();
        TerminateInfo_.OutputFiles.clear();
        QueueTermination(TerminateInfo_);
    }
}
