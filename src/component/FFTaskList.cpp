// The tasks of the component: a conversion core with its input probes and stored records that
// can release its set-up while it waits (Park) and repeat it when its turn comes (Reopen), and
// the ordered task list with its snapshot operations.

#include "component/FFTaskList.h"

#include "engine/Transcode.h"

#include <exception>
#include <stdexcept>
#include <utility>

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

void TFFmpeg::DeferOutput(const std::string& Output, const TOutputOptions& Options) {
    StoredOutputOptions[OutputFileNames.size()] = Options;
    OutputFileNames.push_back(Output);
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

void TFFmpegList::Release(int Index) {
    TTaskPtr freed;
    {
        std::lock_guard g(Lock_);
        if (Index >= 0 && Index < int(Items_.size()))
            freed = std::move(Items_[size_t(Index)]);
    }
    // Freed outside the lock: the task's destructor may take time.
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
        if (task)
            task->PauseConvert();
}

void TFFmpegList::ResumeAll() {
    for (const TTaskPtr& task : Snapshot())
        if (task)
            task->ResumeConvert();
}

void TFFmpegList::TerminateAll(bool Wait) {
    for (const TTaskPtr& task : Snapshot())
        if (task)
            task->Terminate(Wait);
}

void TFFmpegList::SetPreviewFlagBit(int Bit, bool On) {
    for (const TTaskPtr& task : Snapshot())
        if (task)
            task->SetPreviewFlag(Bit, On);
}
