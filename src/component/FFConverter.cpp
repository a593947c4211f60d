#include "component/FFConverter.h"

#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/Transcode.h"

#include <algorithm>
#include <chrono>
#include <malloc.h>
#include <exception>
#include <system_error>
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

void NoteReleasedSetUp(std::atomic<int>& Count) {
    if (Count.fetch_add(1) % TrimEvery == TrimEvery - 1)
        ::malloc_trim(0);
}

} // namespace

// ---- TFFmpeg ----

TFFmpeg::TFFmpeg() = default;

TFFmpeg::~TFFmpeg() {
    // The worker runs this object's overrides (FreeSession): it must be gone before this part
    // of the object is.
    StopConvert(true);
    for (std::unique_ptr<TAVProbe>& probe : InputProbes)
        probe.reset();
    for (std::optional<TInputOptions>& copy : StoredInputOptions)
        copy.reset();
    for (std::optional<TOutputOptions>& copy : StoredOutputOptions)
        copy.reset();
}

void TFFmpeg::FreeSession() {
    for (std::unique_ptr<TAVProbe>& probe : InputProbes)
        if (probe)
            probe->Close();
    TCustomFFmpeg::FreeSession();
}

void TFFmpeg::Park() {
    if (Parked_ || Running() || Terminated())
        return;
    FreeSession();
    // Emptied tables keep their room; a queue of thousands would keep all of it.
    InputEntries_.shrink_to_fit();
    OutputEntries_.shrink_to_fit();
    Parked_ = true;
}

bool TFFmpeg::Reopen(int Verbose, const std::function<void()>& ConnectHook, std::string& Reason) {
    if (!Parked_)
        return true;
    try {
        PrepareTask();
        SetVerbose(Verbose);
        if (const std::optional<TInputOptions>* input = StoredInputOptions.Find(0);
            input != nullptr && *input) {
            ApplyInputOptions(*this, **input, InputFileName);
        } else if (!AddInputFile(InputFileName)) {
            Reason = LastErrMsg();
            FreeSession();
            return false;
        }
        auto probe = std::make_unique<TAVProbe>();
        probe->Attach(InputFile(0));
        InputProbes[0] = std::move(probe);
        for (size_t i = 0; i < OutputFileNames.size(); ++i) {
            if (const std::optional<TOutputOptions>* output = StoredOutputOptions.Find(i);
                output != nullptr && *output) {
                ApplyOutputOptions(*this, **output, OutputFileNames[i], ConnectHook);
            } else if (AddOutputFile(OutputFileNames[i], false) < 0) {
                Reason = LastErrMsg();
                FreeSession();
                return false;
            }
        }
    } catch (const std::exception& e) {
        Reason = e.what();
        FreeSession();
        return false;
    }
    Parked_ = false;
    return true;
}

void TFFmpeg::DeferSetUp(const std::string& Input, const TInputOptions* InputOptions,
                         const std::string& Output, const TOutputOptions* OutputOptions) {
    InputFileName = Input;
    if (InputOptions != nullptr)
        StoredInputOptions[0] = *InputOptions;
    OutputFileNames = {Output};
    if (OutputOptions != nullptr)
        StoredOutputOptions[0] = *OutputOptions;
    Parked_ = true;
}

// ---- TFFmpegList ----

int TFFmpegList::Add(TTaskPtr Task) {
    std::lock_guard g(Lock_);
    Items_.push_back(std::move(Task));
    return int(Items_.size()) - 1;
}

void TFFmpegList::Delete(int Index) {
    TTaskPtr doomed;
    {
        std::lock_guard g(Lock_);
        if (Index < 0 || Index >= int(Items_.size()))
            throw std::out_of_range(FormatText("List index out of bounds (%d)", Index));
        doomed = std::move(Items_[size_t(Index)]);
        Items_.erase(Items_.begin() + Index);
    }
    // Freed outside the lock: a task's destructor waits for its worker, whose callbacks look
    // tasks up in this list.
}

void TFFmpegList::Clear() {
    std::vector<TTaskPtr> doomed;
    {
        std::lock_guard g(Lock_);
        doomed.swap(Items_);
    }
    // In list order, outside the lock (see Delete).
    for (TTaskPtr& task : doomed)
        task.reset();
}

TFFmpegList::TTaskPtr TFFmpegList::Item(int Index) const {
    std::lock_guard g(Lock_);
    if (Index < 0 || Index >= int(Items_.size()))
        return nullptr;
    return Items_[size_t(Index)];
}

int TFFmpegList::IndexOf(const TCustomFFmpeg* Task) const {
    std::lock_guard g(Lock_);
    for (size_t i = 0; i < Items_.size(); ++i)
        if (Items_[i].get() == Task)
            return int(i);
    return -1;
}

int TFFmpegList::Count() const {
    std::lock_guard g(Lock_);
    return int(Items_.size());
}

std::vector<TFFmpegList::TTaskPtr> TFFmpegList::Snapshot() const {
    std::lock_guard g(Lock_);
    return Items_;
}

void TFFmpegList::PauseAll() {
    for (const TTaskPtr& task : Snapshot())
        task->PauseConvert();
}

void TFFmpegList::ResumeAll() {
    for (const TTaskPtr& task : Snapshot())
        task->ResumeConvert();
}

void TFFmpegList::TerminateAll(bool Wait) {
    for (const TTaskPtr& task : Snapshot())
        task->Terminate(Wait);
}

void TFFmpegList::SetPreviewFlagBit(int Bit, bool On) {
    for (const TTaskPtr& task : Snapshot())
        task->SetPreviewFlag(Bit, On);
}

// ---- TCustomFFConverter ----

TCustomFFConverter::TCustomFFConverter() : Probe_(std::make_unique<TAVProbe>()) {}

TCustomFFConverter::~TCustomFFConverter() {
    Shutdown();
}

void TCustomFFConverter::Shutdown() {
    if (Destroying_.exchange(true))
        return;
    // Every task stops and is waited for; their callbacks raise nothing any more.
    Tasks_.Clear();
    WaitForDeliveries();
    // Any callback still inside a lock has finished once each lock could be taken.
    { std::lock_guard g(HookLock_); }
    { std::lock_guard g(PreviewLock_); }
    { std::lock_guard g(ProgressLock_); }
    { std::lock_guard g(TerminateLock_); }
}

// ---- properties ----

void TCustomFFConverter::SetPreview(bool Value) {
    Preview_ = Value;
    Tasks_.SetPreviewFlagBit(0, Value);
}

void TCustomFFConverter::SetPreviewBitmap(bool Value) {
    PreviewBitmap_ = Value;
    Tasks_.SetPreviewFlagBit(1, Value);
}

void TCustomFFConverter::SetProgressInterval(int Milliseconds) {
    ProgressInterval_ = Milliseconds <= 100 ? 100 : Milliseconds;
}

void TCustomFFConverter::SetPreviewerFactory(TPreviewerFactory Factory) {
    PreviewerFactory_ = std::move(Factory);
}

TCustomHookEvent TCustomFFConverter::OnCustomHook() const {
    std::lock_guard g(HandlerLock_);
    return OnCustomHook_;
}

void TCustomFFConverter::SetOnCustomHook(TCustomHookEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnCustomHook_ = std::move(Handler);
}

TPreviewBitmapEvent TCustomFFConverter::OnPreviewBitmap() const {
    std::lock_guard g(HandlerLock_);
    return OnPreviewBitmap_;
}

void TCustomFFConverter::SetOnPreviewBitmap(TPreviewBitmapEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnPreviewBitmap_ = std::move(Handler);
}

TProgressEvent TCustomFFConverter::OnProgress() const {
    std::lock_guard g(HandlerLock_);
    return OnProgress_;
}

void TCustomFFConverter::SetOnProgress(TProgressEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnProgress_ = std::move(Handler);
}

TTerminateEvent TCustomFFConverter::OnTerminate() const {
    std::lock_guard g(HandlerLock_);
    return OnTerminate_;
}

void TCustomFFConverter::SetOnTerminate(TTerminateEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnTerminate_ = std::move(Handler);
}

std::string TCustomFFConverter::LastError() const {
    std::lock_guard g(ErrorLock_);
    return LastError_;
}

bool TCustomFFConverter::Working() const {
    std::lock_guard g(TerminateLock_);
    return Working_;
}

bool TCustomFFConverter::AllDone() const {
    std::lock_guard g(TerminateLock_);
    return AllDone_;
}

int TCustomFFConverter::FinishedCount() const {
    std::lock_guard g(TerminateLock_);
    return FinishedCount_;
}

int TCustomFFConverter::TaskCount() const {
    return Tasks_.Count();
}

TAVProbe* TCustomFFConverter::InputProbe(int TaskIndex, int InputIndex) const {
    const TFFmpegList::TTaskPtr task = Tasks_.Item(TaskIndex);
    if (!task || InputIndex < 0 || InputIndex >= MaxFiles)
        return nullptr;
    const std::unique_ptr<TAVProbe>* probe = task->InputProbes.Find(size_t(InputIndex));
    return probe != nullptr ? probe->get() : nullptr;
}

// ---- operations ----

void TCustomFFConverter::CheckWorking(const char* Operation) const {
    std::lock_guard g(TerminateLock_);
    if (Working_)
        throw FFmpegException(FormatText("Cannot %s while working.", Operation));
}

bool TCustomFFConverter::LoadLibraries(const std::string& Folder) {
    FFLoader().SetLibraryPath(Folder);
    if (!FFLoader().LoadLibs(EngineLibraries)) {
        std::lock_guard g(ErrorLock_);
        LastError_ = FFLoader().LastError();
        return false;
    }
    return true;
}

void TCustomFFConverter::InstallPreview(TFFmpeg& Task) {
    Task.SetPreviewFlags((Preview_ ? 1 : 0) | (PreviewBitmap_ ? 2 : 0));
    Task.PreviewerFactory = PreviewerFactory_;
    Task.PreviewCallback = [this](TCustomFFmpeg& Core, const TBitmap24& Bitmap, int64_t PTS,
                                  int FrameNumber) { TaskPreview(Core, Bitmap, PTS, FrameNumber); };
}

void TCustomFFConverter::InstallTaskCallbacks(TFFmpeg& Task) {
    Task.ProgressCallback = [this](TCustomFFmpeg& Core, int FileIndex, int64_t TotalDuration,
                                   int64_t CurrentDuration, int64_t CurrentSize, float BitRate,
                                   float Quality, int FPS, int FrameNumber) {
        TaskProgress(Core, FileIndex, TotalDuration, CurrentDuration, CurrentSize, BitRate, Quality,
                     FPS, FrameNumber);
    };
    Task.TerminateCallback = [this](TCustomFFmpeg& Core) { TaskTerminated(Core); };
}

int TCustomFFConverter::QueueTask(const std::string& FileName, const TInputOptions* InputOptions,
                                  const std::string& OutputFileName,
                                  const TOutputOptions* OutputOptions) {
    auto refuseWhenClosed = [this] {
        if (Working_ && !Open_)
            throw FFmpegException(FormatText("Cannot %s while working.", "QueueTask"));
    };
    {
        std::lock_guard g(TerminateLock_);
        refuseWhenClosed();
    }
    auto task = std::make_shared<TFFmpeg>();
    InstallPreview(*task);
    InstallTaskCallbacks(*task);
    task->DeferSetUp(FileName, InputOptions, OutputFileName, OutputOptions);
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

int TCustomFFConverter::AddTask(const std::string& FileName, const TInputOptions* Options) {
    CheckWorking("AddTask");
    auto task = std::make_shared<TFFmpeg>();
    auto fail = [this](const std::string& Reason) {
        std::lock_guard g(ErrorLock_);
        LastError_ = Reason;
        return -1;
    };
    try {
        task->PrepareTask();
        task->SetVerbose(Verbose_);
        InstallPreview(*task);
        const int slot = task->InputFileCount();
        task->InputFileName = FileName;
        if (Options != nullptr) {
            if (slot < MaxFiles)
                task->StoredInputOptions[size_t(slot)] = *Options;
            // Refusals raise with the core's text, caught below.
            ApplyInputOptions(*task, *Options, FileName);
        } else if (!task->AddInputFile(FileName)) {
            return fail(task->LastErrMsg());
        }
        // The probe reads the container the task opened; no second open.
        auto probe = std::make_unique<TAVProbe>();
        probe->Attach(task->InputFile(slot));
        task->InputProbes[size_t(slot)] = std::move(probe);
        InstallTaskCallbacks(*task);
        LiveTasks_.push_back(task);
        const int index = Tasks_.Add(std::move(task));
        ParkIdleTasks(LiveTaskLimit);
        return index;
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}

std::function<void()> TCustomFFConverter::HookInstaller(TFFmpeg& Task) {
    TFFmpeg* core = &Task;
    return [this, core] {
        core->HookCallback = [this](TCustomFFmpeg& Core, TBitmap24& Bitmap, bool& StopHook,
                                    bool& Update, int64_t PTS, int FrameNumber) {
            TaskHook(Core, Bitmap, StopHook, Update, PTS, FrameNumber);
        };
    };
}

void TCustomFFConverter::ParkIdleTasks(size_t Keep) {
    // Tasks removed or cleared meanwhile have expired.
    std::erase_if(LiveTasks_, [](const std::weak_ptr<TFFmpeg>& t) { return t.expired(); });
    // A task with its outputs is ready for the run: once a later one is added it waits
    // released, so building a batch holds the files of one task at a time.
    for (size_t i = 0; i + 1 < LiveTasks_.size();) {
        const std::shared_ptr<TFFmpeg> task = LiveTasks_[i].lock();
        if (task && !task->OutputFileNames.empty()) {
            task->Park();
            NoteReleasedSetUp(ReleasedSinceTrim_);
            LiveTasks_.erase(LiveTasks_.begin() + std::ptrdiff_t(i));
        } else {
            ++i;
        }
    }
    while (LiveTasks_.size() > Keep) {
        if (const std::shared_ptr<TFFmpeg> task = LiveTasks_.front().lock()) {
            task->Park();
            NoteReleasedSetUp(ReleasedSinceTrim_);
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
        if (t.get() == &Task)
            LiveTasks_.push_back(t);
    ParkIdleTasks(LiveTaskLimit);
    return true;
}

bool TCustomFFConverter::SetOutputFile(int TaskIndex, const std::string& FileName,
                                       const TOutputOptions* Options) {
    CheckWorking("SetOutputFile");
    auto fail = [this](const std::string& Reason) {
        std::lock_guard g(ErrorLock_);
        LastError_ = Reason;
        return false;
    };
    const TFFmpegList::TTaskPtr task = Tasks_.Item(TaskIndex);
    if (!task)
        return fail(FormatText("List index out of bounds (%d)", TaskIndex));
    const int slot = int(task->OutputFileNames.size());
    if (slot >= MaxFiles)
        return fail(FormatText("max output files %d reached", MaxFiles));
    if (std::string reason; !Unpark(*task, reason))
        return fail(reason);
    std::optional<TOutputOptions>& copy = task->StoredOutputOptions[size_t(slot)];
    // A refused output takes back the hook it connected: left in place it would make a later
    // stream-copy output of the task fail.
    const bool hooked = bool(task->HookCallback);
    try {
        if (Options != nullptr) {
            copy = *Options;
            ApplyOutputOptions(*task, *copy, FileName, HookInstaller(*task));
        } else {
            copy.reset();
            if (task->AddOutputFile(FileName, false) < 0)
                return fail(task->LastErrMsg());
        }
    } catch (const std::exception& e) {
        copy.reset();
        if (!hooked)
            task->HookCallback = nullptr;
        return fail(e.what());
    }
    task->OutputFileNames.push_back(FileName);
    return true;
}

void TCustomFFConverter::StartTask(int ParallelCount, bool MoreToCome) {
    CheckWorking("StartTask");
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
                NoteReleasedSetUp(ReleasedSinceTrim_);
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
        const TFFmpegList::TTaskPtr task = Tasks_.Item(i);
        const bool released = !task || task->ReleaseEndedThreads();
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

void TCustomFFConverter::StopTasks(bool Wait) {
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

void TCustomFFConverter::RemoveTask(int TaskIndex) {
    CheckWorking("RemoveTask");
    Tasks_.Delete(TaskIndex);
    // Adding files opens and removes one probing task per file.
    NoteReleasedSetUp(ReleasedSinceTrim_);
}

void TCustomFFConverter::ClearTasks() {
    {
        std::lock_guard g(TerminateLock_);
        // A run on the calling thread is still on the stack when its own handlers run.
        if ((Working_ && !AllDone_) || SyncRuns_ > 0)
            throw FFmpegException("Cannot ClearTasks while working.");
    }
    Tasks_.Clear();
    {
        std::lock_guard g(ErrorLock_);
        LastError_.clear();
    }
    {
        std::lock_guard g(TerminateLock_);
        FinishedCount_ = 0;
        EndedTasks_.clear();
        NextTaskIndex_ = -1;
        RemainingTasks_ = 0;
        AllDone_ = false;
        Background_ = false;
        Working_ = false;
        Open_ = false;
        ParallelCount_ = 0;
    }
    WaitForDeliveries();
}

// ---- task callbacks ----

void TCustomFFConverter::TaskHook(TCustomFFmpeg& Task, TBitmap24& Bitmap, bool& StopHook,
                                  bool& Update, int64_t PTS, int FrameNumber) {
    if (Destroying_)
        return;
    const TCustomHookEvent handler = OnCustomHook();
    if (!handler)
        return;
    std::lock_guard g(HookLock_);
    HookInfo_.TaskIndex = Tasks_.IndexOf(&Task);
    HookInfo_.Bitmap = &Bitmap;
    HookInfo_.FrameNumber = FrameNumber;
    HookInfo_.PTS = PTS;
    HookInfo_.Update = true;
    HookInfo_.StopHook = false;
    {
        // An exception leaves through here; the task logs it and keeps the picture unchanged.
        std::lock_guard canvas(Bitmap.Canvas());
        handler(*this, &HookInfo_);
    }
    Update = HookInfo_.Update;
    StopHook = HookInfo_.StopHook;
}

void TCustomFFConverter::TaskPreview(TCustomFFmpeg& Task, const TBitmap24& Bitmap, int64_t PTS,
                                     int FrameNumber) {
    if (Destroying_)
        return;
    const TPreviewBitmapEvent handler = OnPreviewBitmap();
    if (!handler)
        return;
    std::lock_guard g(PreviewLock_);
    PreviewInfo_.TaskIndex = Tasks_.IndexOf(&Task);
    PreviewInfo_.Bitmap = &Bitmap;
    PreviewInfo_.FrameNumber = FrameNumber;
    PreviewInfo_.PTS = PTS;
    if (TriggerEventInMainThread_)
        RunInMainThread([&] {
            // Removed while the call waited for the main thread: its owner may be gone.
            if (const TPreviewBitmapEvent current = OnPreviewBitmap())
                current(*this, PreviewInfo_);
        });
    else
        handler(*this, PreviewInfo_);
}

void TCustomFFConverter::TaskProgress(TCustomFFmpeg& Task, int FileIndex, int64_t TotalDuration,
                                      int64_t CurrentDuration, int64_t CurrentSize, float BitRate,
                                      float Quality, int FPS, int FrameNumber) {
    if (Destroying_)
        return;
    const TProgressEvent handler = OnProgress();
    if (!handler)
        return;
    std::lock_guard g(ProgressLock_);
    ProgressInfo_.TaskIndex = Tasks_.IndexOf(&Task);
    ProgressInfo_.FileIndex = FileIndex;
    ProgressInfo_.FrameNumber = FrameNumber;
    ProgressInfo_.FPS = FPS;
    ProgressInfo_.Quality = Quality;
    ProgressInfo_.BitRate = BitRate;
    ProgressInfo_.CurrentSize = CurrentSize;
    ProgressInfo_.CurrentDuration = CurrentDuration;
    ProgressInfo_.TotalDuration = TotalDuration;
    if (TriggerEventInMainThread_)
        RunInMainThread([&] {
            if (const TProgressEvent current = OnProgress())
                current(*this, &ProgressInfo_);
        });
    else
        handler(*this, &ProgressInfo_);
}

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
    NoteReleasedSetUp(ReleasedSinceTrim_);
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
        QueueTermination(TerminateInfo_);
    }
}

// ---- termination delivery ----

void TCustomFFConverter::QueueTermination(const TTerminateInfo& Info) {
    std::lock_guard g(DeliveryLock_);
    Pending_.push_back(Info);
}

void TCustomFFConverter::DeliverTerminations(bool Background) {
    std::thread finished;
    bool here = false;
    {
        std::lock_guard g(DeliveryLock_);
        // The drainer at work (maybe this very thread, inside a handler) takes what was queued.
        if (Draining_ || Pending_.empty())
            return;
        Draining_ = true;
        if (Background) {
            finished = std::move(DeliveryThread_);
            try {
                DeliveryThread_ = std::thread([this] { DrainTerminations(true); });
                Drainer_ = DeliveryThread_.get_id();
            } catch (const std::system_error& e) {
                // No thread to be had: deliver here rather than lose the notifications.
                GetLogger().LogMessage(
                    this, llError, std::string("Cannot start the delivery thread: ") + e.what());
                here = true;
            }
        } else {
            here = true;
        }
        if (here)
            Drainer_ = std::this_thread::get_id();
    }
    // The previous delivery thread had already left its loop; it only has to return.
    if (finished.joinable())
        finished.join();
    if (here)
        DrainTerminations(false);
}

void TCustomFFConverter::DrainTerminations(bool OnDeliveryThread) {
    for (;;) {
        TTerminateInfo info;
        {
            std::lock_guard g(DeliveryLock_);
            if (Pending_.empty() || Destroying_) {
                Pending_.clear();
                Draining_ = false;
                Drainer_ = {};
                DeliveryIdle_.notify_all();
                return;
            }
            info = std::move(Pending_.front());
            Pending_.pop_front();
        }
        try {
            RaiseTerminate(info, OnDeliveryThread && TriggerEventInMainThread_);
        } catch (const std::exception& e) {
            GetLogger().LogMessage(this, llError,
                                   std::string("The OnTerminate handler failed: ") + e.what());
        }
    }
}

void TCustomFFConverter::RaiseTerminate(const TTerminateInfo& Info, bool ToMainThread) {
    const TTerminateEvent handler = OnTerminate();
    if (!handler)
        return;
    auto call = [&] {
        std::thread::id previous;
        {
            std::lock_guard g(DeliveryLock_);
            previous = HandlerThread_;
            HandlerThread_ = std::this_thread::get_id();
        }
        struct TRestore {
            TCustomFFConverter& C;
            std::thread::id Previous;
            ~TRestore() {
                std::lock_guard g(C.DeliveryLock_);
                C.HandlerThread_ = Previous;
            }
        } restore{*this, previous};
        if (!ToMainThread) {
            handler(*this, Info);
            return;
        }
        // A handler removed while this call waited for the main thread is not called: whoever
        // removed it (a window closing) may be gone by now.
        if (const TTerminateEvent current = OnTerminate())
            current(*this, Info);
    };
    if (ToMainThread)
        RunInMainThread(call);
    else
        call();
}

void TCustomFFConverter::WaitForDeliveries() {
    const std::thread::id self = std::this_thread::get_id();
    {
        std::lock_guard g(DeliveryLock_);
        // Called from a handler (or on the drainer's thread): the delivery in progress is our
        // caller's; it finishes after we return.
        if (Draining_ && (Drainer_ == self || HandlerThread_ == self))
            return;
    }
    // A delivery thread may be passing a handler to the main thread: on the main thread this
    // wait keeps servicing it.
    WaitProcessingMessages([this](std::chrono::milliseconds Slice) {
        std::unique_lock g(DeliveryLock_);
        return DeliveryIdle_.wait_for(g, Slice, [this] { return !Draining_; });
    });
    std::thread finished;
    {
        std::lock_guard g(DeliveryLock_);
        if (Draining_ || !DeliveryThread_.joinable() || DeliveryThread_.get_id() == self)
            return;
        finished = std::move(DeliveryThread_);
    }
    finished.join();
}
