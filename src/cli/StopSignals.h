// SIGINT (Ctrl+C) and SIGTERM for zelta-convert.
//
// Both are blocked in every thread and taken by a watcher thread, so a signal never interrupts
// a thread in the middle of a library call and the reaction may take locks and print. The first
// signal runs the stop action (the run is asked to stop, probing and building included); a second
// one, or the run still going GracePeriod after the first, runs the give-up action, which reports
// and ends the process: whatever is stuck where no stop reaches (an uninterruptible wait of the
// kernel for a hung network share) must not keep the program from ending.
//
// Thread: construct on the main thread before any other thread exists (the blocked set is
// inherited by the threads started afterwards). The actions run on the watcher thread; the
// give-up action may come while the main thread is anywhere, also after the run has ended.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TStopSignals {
public:
    static constexpr std::chrono::milliseconds GracePeriod{1500};

    // Blocks SIGINT and SIGTERM and starts watching. GiveUp must end the process.
    explicit TStopSignals(std::function<void()> GiveUp);
    // Ends the watcher. The signals stay blocked: one arriving from now on is left pending
    // (the process is about to return its status).
    ~TStopSignals();
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

    // A signal has come.
    bool Interrupted() const { return Interrupted_.load(); }
    // The action of the first signal (run at once on the calling thread when one has come
    // already). Replaces the one set before; an empty one unsets it.
    void OnStop(std::function<void()> Action);

private:
    void Watch();

    std::function<void()> GiveUp_;
    std::atomic<bool> Interrupted_{false};
    std::mutex Lock_; // guards the fields below
    std::condition_variable Changed_;
    std::function<void()> Stop_;
    bool Quit_ = false;
    std::thread Watcher_;
};
