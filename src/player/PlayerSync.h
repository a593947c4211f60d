// Synchronisation helpers of the player: manual-reset signals, the one wait that keeps the main
// thread's messages flowing, and threads that can be joined without blocking the main thread.
//
// Every wait of the player that may run on the main thread goes through WaitPumping: while the
// main thread waits for a player thread, that thread may be delivering a log line or an event
// synchronously to the main thread, so the main thread must keep handling those calls.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace player {

using TMilliseconds = std::chrono::milliseconds;

// Waits until Done() holds (checked under Lock, which the caller does not hold) or Timeout
// passes; returns Done(). Off the main thread it is a plain condition wait; on the main thread it
// waits in short steps and lets the main thread handle its pending calls between them.
bool WaitPumping(std::mutex& Lock, std::condition_variable& Cond,
                 const std::function<bool()>& Done, TMilliseconds Timeout);

// A manual-reset signal: stays set until Reset.
class TManualEvent {
public:
    explicit TManualEvent(bool Initial) : Set_(Initial) {}
    TManualEvent(const TManualEvent&) = delete;
    TManualEvent& operator=(const TManualEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits up to Timeout for the signal (pumping on the main thread); true when set.
    bool Wait(TMilliseconds Timeout);

private:
    mutable std::mutex Lock_; // guards Set_
    std::condition_variable Cond_;
    bool Set_;
};

// A lock that can also be tried for a while (the TimedLockable requirements), built on a
// condition variable so that every hand-over is visible to thread checkers.
class TTimedLock {
public:
    TTimedLock() = default;
    TTimedLock(const TTimedLock&) = delete;
    TTimedLock& operator=(const TTimedLock&) = delete;

    void lock();
    bool try_lock();
    bool try_lock_for(TMilliseconds Timeout);
    void unlock();

private:
    std::mutex Lock_; // guards Held_
    std::condition_variable Cond_;
    bool Held_ = false;
};

// A std::thread that reports its end, so that a joiner on the main thread can wait for it with
// WaitPumping before the (then immediate) join.
class TWorkerThread {
public:
    TWorkerThread() = default;
    ~TWorkerThread(); // joins (pumping) when still joinable
    TWorkerThread(const TWorkerThread&) = delete;
    TWorkerThread& operator=(const TWorkerThread&) = delete;

    // Starts Body on a new thread; the previous thread must have been joined or detached.
    // Throws std::system_error when no thread can be made.
    void Start(std::function<void()> Body);
    bool Joinable() const { return Thread_.joinable(); }
    bool Finished() const { return Finished_.IsSet(); }
    // Waits for Body to return (pumping on the main thread) and joins. No-op when not joinable.
    void Join();
    // Lets the thread finish on its own.
    void Detach();
    bool IsCurrent() const { return Thread_.joinable() && Thread_.get_id() == std::this_thread::get_id(); }

private:
    std::thread Thread_;
    TManualEvent Finished_{true};
};

} // namespace player
