// Whether the work on some files is to stop, as the libraries' waits (AVIOInterruptCB) and the
// engine's own file reads ask it while they block.
//
// A task has one for its run; a component has one for everything it opens (its probe, the files
// of tasks being added or reopened), which every task of it follows as its outer state. Inputs
// give up as soon as a stop is asked; outputs only once it was asked more than OutputGrace ago,
// so a stopped file still gets its trailer, while a write that hangs (a network share) cannot
// hold the run forever.
//
// Thread: every member may be called from any thread and never blocks; the callbacks run on
// whatever thread reads or writes.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

extern "C" {
#include <libavformat/avio.h>
}

class TStopState {
public:
    static constexpr std::chrono::milliseconds OutputGrace{1000};

    TStopState() = default;
    TStopState(const TStopState&) = delete;
    TStopState& operator=(const TStopState&) = delete;

    // Asks the stop (the first request's time is kept).
    void Request();
    // Takes this state's own request back (the outer state's stays).
    void Clear();
    // This state's own request.
    const std::atomic<bool>& Flag() const { return Requested_; }
    // Asked of this state or of its outer state.
    bool Requested() const;
    // Asked at least Age ago, here or outside.
    bool RequestedFor(std::chrono::milliseconds Age) const;

    // A state whose request counts as this one's (null: none). It must outlive this one.
    void SetOuter(const TStopState* Outer) { Outer_ = Outer; }

    // For the contexts of files read (give up at once) and of files written (give up after
    // OutputGrace). The opaque pointer is this state: it must outlive the contexts.
    AVIOInterruptCB InputCallback() const;
    AVIOInterruptCB OutputCallback() const;

private:
    static int64_t Now();

    std::atomic<bool> Requested_{false};
    std::atomic<int64_t> Since_{0}; // steady clock, microseconds, of the first request
    std::atomic<const TStopState*> Outer_{nullptr};
};

// True when Callback is set and says to stop.
bool Interrupted(const AVIOInterruptCB& Callback);
