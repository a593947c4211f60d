// The component's tasks: TFFmpeg, one conversion task (a conversion core with a probe and a
// private copy of the option record of each input and output, which can wait with its set-up
// released), and TFFmpegList, the ordered list that owns them. No Qt.
#pragma once

#include "engine/CustomFFmpeg.h"
#include "engine/OptionRecords.h"
#include "probe/AVProbe.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Up to MaxFiles slots of a task, made as they are first used: most tasks have one input and one
// output, and a long queue should not carry twenty empty records per task.
template <class T>
class TTaskSlots {
public:
    T& operator[](size_t Index) {
        if (Index >= Items_.size())
            Items_.resize(Index + 1);
        return Items_[Index];
    }
    // The slot, or null when it was never used.
    const T* Find(size_t Index) const { return Index < Items_.size() ? &Items_[Index] : nullptr; }
    auto begin() { return Items_.begin(); }
    auto end() { return Items_.end(); }

private:
    std::vector<T> Items_;
};

// One conversion task: a conversion core with a probe and a private copy of the option record
// of each of its inputs and outputs. Destroying a task stops its worker and waits for it first.
class TFFmpeg : public TCustomFFmpeg {
public:
    TFFmpeg();
    ~TFFmpeg() override;
    const char* ClassName() const override { return "TFFmpeg"; }

    // Closes the input probes (they read the session's containers) before the session goes.
    void FreeSession() override;

    // Releases the opened input and created outputs (and the library contexts) of a task that
    // is waiting for its turn; the names and stored records stay, so Reopen can repeat the
    // set-up. Nothing once the task was started.
    void Park();
    bool Parked() const { return Parked_; }
    // Repeats the set-up of a parked task from its names and stored records, in the order it was
    // first made (the input, then each output). False with Reason set (the same texts the first
    // set-up gave) when the input or an output can no longer be opened; the task is then left
    // released. ConnectHook is what installs the component's frame hook (see
    // ApplyOutputOptions).
    bool Reopen(int Verbose, const std::function<void()>& ConnectHook, std::string& Reason);
    // Records the set-up of a task of one input and one output without making it: nothing is
    // opened now, the task waits parked and Reopen makes it when its turn comes. Either record
    // may be null (the file is then opened without options).
    void DeferSetUp(const std::string& Input, const TInputOptions* InputOptions,
                    const std::string& Output, const TOutputOptions* OutputOptions);
    // One more output of a deferred set-up, after those recorded so far.
    void DeferOutput(const std::string& Output, const TOutputOptions& Options);

    TTaskSlots<std::unique_ptr<TAVProbe>> InputProbes;
    TTaskSlots<std::optional<TInputOptions>> StoredInputOptions;
    TTaskSlots<std::optional<TOutputOptions>> StoredOutputOptions;
    // What the set-up was given, for Reopen: the input's name and one name per added output.
    std::string InputFileName;
    std::vector<std::string> OutputFileNames;

private:
    bool Parked_ = false;
};

// The ordered task list; it owns its tasks. Operations over all tasks work on a snapshot taken
// under the list's lock, so a handler that clears the list while such an operation waits
// cannot free a task under it (the snapshot keeps it alive until the operation returns).
class TFFmpegList {
public:
    using TTaskPtr = std::shared_ptr<TFFmpeg>;

    int Add(TTaskPtr Task);
    void Delete(int Index);         // frees the task; later indexes shift down
    void Clear();                   // frees all tasks
    // Frees the task at Index and leaves its place empty (indexes stay): a task whose run ended
    // in a background run is done with.
    void Release(int Index);
    TTaskPtr Item(int Index) const; // null outside 0..Count()-1 and for a released task
    int IndexOf(const TCustomFFmpeg* Task) const;
    int Count() const;

    void PauseAll();
    void ResumeAll();
    void TerminateAll(bool Wait);
    // Sets or clears one preview flag bit (0 or 1) on every task.
    void SetPreviewFlagBit(int Bit, bool On);

    // Every task in order; null for a released one.
    std::vector<TTaskPtr> Snapshot() const;

private:
    mutable std::mutex Lock_; // guards Items_
    std::vector<TTaskPtr> Items_;
};
