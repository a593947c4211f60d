#include "cli/StopSignals.h"

#include <csignal>
#include <ctime>

#include <pthread.h>

namespace {

sigset_t StopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

TStopSignals::TStopSignals(std::function<void()> GiveUp) : GiveUp_(std::move(GiveUp))
{
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    Watcher_ = std::thread([this] { Watch(); });
}

TStopSignals::~TStopSignals()
{
    // The watcher still watches while a stop action ends: one that hangs is given up on.
    std::thread stopper;
    {
        std::lock_guard guard(Lock_);
        Closing_ = true;
        stopper = std::move(Stopper_);
    }
    if (stopper.joinable())
        stopper.join();
    {
        std::lock_guard guard(Lock_);
        Quit_ = true;
    }
    // Wakes the watcher's wait at once; it sees Quit_ and ends.
    pthread_kill(Watcher_.native_handle(), SIGTERM);
    Watcher_.join();
}

void TStopSignals::OnStop(std::function<void()> Action)
{
    std::lock_guard running(ActionLock_);
    bool runNow = false;
    {
        std::lock_guard guard(Lock_);
        Stop_ = Action;
        if (Interrupted_) {
            // This call stands for the signal's own run of the action.
            StopRun_ = true;
            runNow = bool(Action);
        }
    }
    if (runNow)
        Action();
}

void TStopSignals::RunStop()
{
    // The action as it is now: one unset meanwhile is not called.
    std::lock_guard running(ActionLock_);
    std::function<void()> stop;
    {
        std::lock_guard guard(Lock_);
        if (StopRun_)
            return;
        StopRun_ = true;
        stop = Stop_;
    }
    if (stop)
        stop();
}

void TStopSignals::Watch()
{
    const sigset_t set = StopSet();
    using TClock = std::chrono::steady_clock;
    TClock::time_point firstAt{};
    for (;;) {
        // Short slices: the grace period is watched between them.
        timespec slice{0, 100 * 1000 * 1000};
        const int signal = sigtimedwait(&set, nullptr, &slice);
        bool giveUp = false;
        {
            std::lock_guard guard(Lock_);
            if (Quit_)
                return;
            if (signal > 0 && !Interrupted_) {
                Interrupted_ = true;
                firstAt = TClock::now();
                if (!Closing_)
                    Stopper_ = std::thread([this] { RunStop(); });
            } else if (signal > 0 ||
                       (Interrupted_ && TClock::now() - firstAt >= GracePeriod)) {
                giveUp = true;
            }
        }
        if (giveUp) {
            GiveUp_();
            return;
        }
    }
}
