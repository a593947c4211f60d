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
    {
        std::lock_guard guard(Lock_);
        Stop_ = Action;
    }
    if (Interrupted_ && Action)
        Action();
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
        std::function<void()> stop;
        bool giveUp = false;
        {
            std::lock_guard guard(Lock_);
            if (Quit_)
                return;
            if (signal > 0) {
                if (!Interrupted_) {
                    Interrupted_ = true;
                    firstAt = TClock::now();
                    stop = Stop_;
                } else {
                    giveUp = true;
                }
            } else if (Interrupted_ && TClock::now() - firstAt >= GracePeriod) {
                giveUp = true;
            }
        }
        if (stop)
            stop();
        if (giveUp) {
            GiveUp_();
            return;
        }
    }
}
