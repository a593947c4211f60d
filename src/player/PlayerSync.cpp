#include "player/PlayerSync.h"

#include "engine/MainThread.h"

#include <algorithm>

namespace player {

namespace {
// How long the main thread waits between two looks at its pending calls.
constexpr TMilliseconds PumpStep{5};
} // namespace

bool WaitPumping(std::mutex& Lock, std::condition_variable& Cond,
                 const std::function<bool()>& Done, TMilliseconds Timeout) {
    const auto deadline = std::chrono::steady_clock::now() + Timeout;
    const bool pump = IsMainThread() && MainThreadDispatcher() != nullptr;
    std::unique_lock l(Lock);
    if (!pump)
        return Cond.wait_until(l, deadline, Done);
    for (;;) {
        if (Done())
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        const auto until = std::min(deadline, now + PumpStep);
        if (Cond.wait_until(l, until, Done))
            return true;
        l.unlock();
        ProcessMessages();
        l.lock();
    }
}

void TManualEvent::Set() {
    std::lock_guard g(Lock_);
    Set_ = true;
    Cond_.notify_all();
}

void TManualEvent::Reset() {
    std::lock_guard g(Lock_);
    Set_ = false;
}

bool TManualEvent::IsSet() const {
    std::lock_guard g(Lock_);
    return Set_;
}

bool TManualEvent::Wait(TMilliseconds Timeout) {
    return WaitPumping(Lock_, Cond_, [this] { return Set_; }, Timeout);
}

void TTimedLock::lock() {
    std::unique_lock l(Lock_);
    Cond_.wait(l, [this] { return !Held_; });
    Held_ = true;
}

bool TTimedLock::try_lock() {
    std::lock_guard g(Lock_);
    if (Held_)
        return false;
    Held_ = true;
    return true;
}

bool TTimedLock::try_lock_for(TMilliseconds Timeout) {
    std::unique_lock l(Lock_);
    if (!Cond_.wait_for(l, Timeout, [this] { return !Held_; }))
        return false;
    Held_ = true;
    return true;
}

void TTimedLock::unlock() {
    {
        std::lock_guard g(Lock_);
        Held_ = false;
    }
    Cond_.notify_one();
}

TWorkerThread::~TWorkerThread() { Join(); }

void TWorkerThread::Start(std::function<void()> Body) {
    Finished_.Reset();
    try {
        Thread_ = std::thread([this, Body = std::move(Body)] {
            struct TFinish {
                TManualEvent& E;
                ~TFinish() { E.Set(); }
            } finish{Finished_};
            Body();
        });
    } catch (...) {
        Finished_.Set();
        throw;
    }
}

void TWorkerThread::Join() {
    if (!Thread_.joinable())
        return;
    if (Thread_.get_id() == std::this_thread::get_id()) {
        Thread_.detach();
        return;
    }
    while (!Finished_.Wait(TMilliseconds(1000))) {
    }
    // A call made while this wait pumped may have joined the thread already.
    if (Thread_.joinable())
        Thread_.join();
}

void TWorkerThread::Detach() {
    if (Thread_.joinable())
        Thread_.detach();
}

} // namespace player
