// The component's face: construction and shutdown, the properties and run state, the library
// set, and the task operations of an idle component (AddTask, SetOutputFile, RemoveTask,
// ClearTasks). The tasks themselves are in FFTaskList.cpp, the run in FFConverterRun.cpp and the
// events in FFConverterEvents.cpp.

#include "component/FFConverter.h"

#include "engine/FFmpegLoader.h"
#include "engine/Transcode.h"

#include <exception>
#include <utility>

// ---- TCustomFFConverter ----

TCustomFFConverter::TCustomFFConverter() : Probe_(std::make_unique<TAVProbe>()) {
    Probe_->SetStopState(&Stopping_);
}

TCustomFFConverter::~TCustomFFConverter() {
    Shutdown();
}

void TCustomFFConverter::Shutdown() {
    if (Destroying_.exchange(true))
        return;
    // Every task stops and is waited for; their callbacks raise nothing any more. A task opening
    // its files on another thread gives up.
    Stopping_.Request();
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

int TCustomFFConverter::AddTask(const std::string& FileName, const TInputOptions* Options) {
    CheckWorking("AddTask");
    auto task = std::make_shared<TFFmpeg>();
    task->Stop().SetOuter(&Stopping_);
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

void TCustomFFConverter::RemoveTask(int TaskIndex) {
    CheckWorking("RemoveTask");
    Tasks_.Delete(TaskIndex);
    // Adding files opens and removes one probing task per file.
    NoteReleasedSetUp();
}

void TCustomFFConverter::ClearTasks() {
    {
        std::lock_guard g(TerminateLock_);
        // A run on the calling thread is still on the stack when its own handlers run.
        if ((Working_ && !AllDone_) || SyncRuns_ > 0)
            throw FFmpegException("Cannot ClearTasks while working.");
    }
    Tasks_.Clear();
    if (!Interrupted_)
        Stopping_.Clear();
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
