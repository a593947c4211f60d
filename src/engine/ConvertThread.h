// The threads of a conversion task and the waits of its run control.
//
// TConvertThread runs one task's RunConvert on a std::thread of its own. It is created
// suspended: no thread exists until the first Resume, which starts the body. Pausing is a
// safe-point wait, not a suspension: Suspend marks the worker held, and the run blocks the next
// time it passes a safe point (before each packet is read, before each picture is encoded)
// until Resume lifts the mark. A thread object belongs to its task, which joins it when the
// task is prepared again or destroyed; the body itself touches nothing of the task once
// RunConvert has returned except the shared done event, so a task may even be destroyed by its
// own terminate callback.
//
// TDoTerminateThread delivers the end of a task that was never started: it starts at once,
// calls DoTerminate and signals its done event, even when DoTerminate raised.
//
// Threads: Resume, Suspend and Suspended may be called from any thread; SafePoint only by the
// worker itself.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The task a worker or a termination thread runs for.
class TRunOwner {
public:
    // The body of a run; never raises.
    virtual void RunConvert() = 0;
    // No worker could be created: the run ends on the calling thread with Message as its error.
    virtual void EndUnstartedRun(const std::string& Message) = 0;
    // Records the end of a task and delivers it.
    virtual void DoTerminate() = 0;

protected:
    ~TRunOwner() = default;
};

// The seven-level priority scale of the component's ThreadPriority. On Linux: tpIdle runs the
// worker under SCHED_IDLE, tpLowest at nice 19, tpLower at nice 10, tpNormal and above at the
// process's own nice value (raising a thread above it needs privileges the program lacks).
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// Applies Priority to the calling thread. False when the system refused it (the thread keeps
// what it had).
bool ApplyThreadPriority(TThreadPriority Priority);

// A manual-reset event: stays signalled until reset.
class TManualResetEvent {
public:
    explicit TManualResetEvent(bool Signalled);
    void Set();
    void Reset();
    bool Signalled() const;
    void Wait() const;
    // True when the event was signalled within Timeout.
    bool WaitFor(std::chrono::milliseconds Timeout) const;

private:
    mutable std::mutex Lock_; // guards Signalled_
    mutable std::condition_variable Changed_;
    bool Signalled_;
};

// The one wait that keeps the main thread serviced: calls WaitSlice(20 ms) until it reports
// true. On the main thread with a dispatcher installed, every slice that ends without success
// is followed by ProcessMessages, so that calls a worker passes to the main thread (and waits
// for) can run instead of locking against this wait. WaitSlice must not hold a lock across
// its return.
void WaitProcessingMessages(const std::function<bool(std::chrono::milliseconds Slice)>& WaitSlice);

// Waits for Event with WaitProcessingMessages.
void WaitProcessingMessages(const TManualResetEvent& Event);

class TConvertThread {
public:
    // Created suspended; Done is the task's ConvertDoneEvent. LogSender: whom the thread's own
    // log lines are from (the task).
    TConvertThread(TRunOwner& Owner, const void* LogSender, TThreadPriority Priority,
                   std::shared_ptr<TManualResetEvent> Done);
    // Joins the thread (detaches it when called on the thread itself).
    ~TConvertThread();
    TConvertThread(const TConvertThread&) = delete;
    TConvertThread& operator=(const TConvertThread&) = delete;

    // Starts the body on the first call (the done event is reset before the thread exists);
    // afterwards lifts a pause. A thread that cannot be created ends the run on the calling
    // thread with the system's message recorded as the task's error.
    void Resume();
    // Holds the worker at its next safe point. Nothing before the body has started.
    void Suspend();
    // Not started yet, or held.
    bool Suspended() const;
    // The worker is waiting at a safe point right now.
    bool Held() const;
    bool Started() const;
    // The calling thread is this worker.
    bool IsCurrentThread() const;
    TThreadPriority Priority() const { return Priority_; }

    // Called by the run on the worker: blocks while the worker is held.
    void SafePoint();

    // Waits for the body to return (nothing when not started or on the thread itself).
    void Join();

private:
    struct TGate {
        mutable std::mutex Lock; // guards the fields below
        std::condition_variable Resumed;
        bool Started = false;
        bool Launched = false;   // Thread_ holds the thread; the body waits for it
        bool Paused = false;
        bool Waiting = false;
        std::thread::id Worker;  // set by the body before anything else
    };

    TRunOwner& Owner_;
    const void* LogSender_;
    const TThreadPriority Priority_;
    std::shared_ptr<TManualResetEvent> Done_;
    std::shared_ptr<TGate> Gate_;
    std::thread Thread_;
};

class TDoTerminateThread {
public:
    // Starts at once. Done (the task's TerminateDoneEvent) is reset before the thread exists.
    TDoTerminateThread(TRunOwner& Owner, const void* LogSender,
                       std::shared_ptr<TManualResetEvent> Done);
    // Joins the thread (detaches it when called on the thread itself).
    ~TDoTerminateThread();
    TDoTerminateThread(const TDoTerminateThread&) = delete;
    TDoTerminateThread& operator=(const TDoTerminateThread&) = delete;

private:
    struct TLaunch {
        std::mutex Lock; // guards the fields below
        std::condition_variable Changed;
        bool Launched = false;  // Thread_ holds the thread; the body waits for it
        std::thread::id Worker;
    };
    std::shared_ptr<TLaunch> Launch_;
    std::thread Thread_;
};
