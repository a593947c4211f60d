// SIGINT (Ctrl+C) and SIGTERM for zelta-convert.
//
// Both are blocked in every thread and taken by a watcher thread, so a signal never interrupts
// a thread in the middle of a library call and the reaction may take locks and print. The first
// signal runs the stop action (the run is asked to stop, probing and building included); a second
// one, or the run still going GracePeriod after the first, runs the give-up action, which reports
// and ends the process: whatever is stuck where no stop reaches (an uninterruptible wait of the
// kernel for a hung network share) must not keep the program from ending.
//
// The stop action runs on a thread of its own, so the watcher keeps watching while it runs: a
// stop action that hangs is given up on like any other stop that does not end.
//
// Thread: construct on the main thread before any other thread exists (the blocked set is
// inherited by the threads started afterwards). The give-up action runs on the watcher thread;
// it may come while the main thread is anywhere, also after the run has ended.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

class TStopSignals {
public:
    static constexpr std::chrono::milliseconds GracePeriod{1500};

    // Blocks SIGINT and SIGTERM and starts watching. GiveUp must end the process (should it
    // return, nothing is watched any more).
    explicit TStopSignals(std::function<void()> GiveUp);
    // Waits for a stop action still running (given up on when it hangs), then ends the watcher.
    // The signals stay blocked: one arriving from now on is left pending (the process is about
    // to return its status).
    ~TStopSignals();
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

    // A signal has come.
    bool Interrupted() const { return Interrupted_.load(); }
    // The action of the first signal. Once one has come, the action given runs at once on the
    // calling thread (and the signal's own run of the action before is dropped). Replaces the
    // one set before, waiting until it has finished running; an empty one unsets it, after which
    // the old one is never called again. May be called from inside an action.
    void OnStop(std::function<void()> Action);

private:
    void Watch();
    void RunStop();

    std::function<void()> GiveUp_;
    std::atomic<bool> Interrupted_{false};
    // Held while a stop action runs and while it is replaced; an action may call OnStop.
    std::recursive_mutex ActionLock_;
    std::mutex Lock_; // guards the fields below
    std::function<void()> Stop_;
    bool StopRun_ = false; // the first signal's action has been run or dropped
    bool Closing_ = false; // no stop action is started any more
    bool Quit_ = false;
    std::thread Stopper_; // runs the action of the first signal
    std::thread Watcher_;
};
