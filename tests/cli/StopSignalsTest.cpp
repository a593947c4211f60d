// zelta-convert's signal watcher in this process: the stop action is run once, an unset one
// never, an action may replace itself, and a stop action that hangs is still given up on.
#include "cli/StopSignals.h"

#include "engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

#include <pthread.h>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// What a test waits for, set from any thread.
class TLatch {
public:
    void Set()
    {
        std::lock_guard guard(Lock_);
        Set_ = true;
        Changed_.notify_all();
    }
    bool Wait(std::chrono::seconds Limit = 10s)
    {
        std::unique_lock guard(Lock_);
        return Changed_.wait_for(guard, Limit, [this] { return Set_; });
    }
    bool IsSet()
    {
        std::lock_guard guard(Lock_);
        return Set_;
    }

private:
    std::mutex Lock_;
    std::condition_variable Changed_;
    bool Set_ = false;
};

void SendStop() { ::kill(::getpid(), SIGINT); }

// Blocked here as the watcher does, before the test's own threads are made: they inherit it,
// so only a watcher takes the signals. Unblocked at the end (every signal sent was taken), so
// the programs the other tests start do not inherit it.
class TBlockedStopSignals {
public:
    TBlockedStopSignals()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set, &Old_);
    }
    ~TBlockedStopSignals() { pthread_sigmask(SIG_SETMASK, &Old_, nullptr); }

private:
    sigset_t Old_;
};

// Waits until the watcher has taken the signal sent.
bool WaitInterrupted(const TStopSignals& Signals)
{
    for (int I = 0; I < 1000 && !Signals.Interrupted(); ++I)
        std::this_thread::sleep_for(10ms);
    return Signals.Interrupted();
}

TEST(StopSignals, AStopActionThatHangsIsGivenUpOnAtASecondSignalOrAfterTheGracePeriod)
{
    TBlockedStopSignals blocked;
    enginetest::TWatchdog watchdog(30s);
    for (const bool second : {true, false}) {
        SCOPED_TRACE(second ? "second signal" : "grace period");
        TLatch gaveUp;
        TLatch release;
        TLatch running;
        TStopSignals signals([&] {
            gaveUp.Set();
            release.Set();
        });
        signals.OnStop([&] {
            running.Set();
            release.Wait(60s);
        });
        SendStop();
        ASSERT_TRUE(running.Wait());
        if (second)
            SendStop();
        ASSERT_TRUE(gaveUp.Wait()) << "the watcher waits for the stop action";
    }
}

TEST(StopSignals, TheActionRunsOnceAndNeverAfterItWasUnsetEvenWhenItReplacesItself)
{
    TBlockedStopSignals blocked;
    enginetest::TWatchdog watchdog(30s);

    // Unset before the signal: never called, also not by the signal's own run of it.
    int unsetCalls = 0;
    {
        TStopSignals quiet([] {});
        quiet.OnStop([&] { ++unsetCalls; });
        quiet.OnStop({});
        SendStop();
        ASSERT_TRUE(WaitInterrupted(quiet));
    }
    EXPECT_EQ(unsetCalls, 0);

    // An action that unsets itself on the signal's thread, then one given after the signal
    // (run at once on this thread) that does the same.
    TStopSignals signals([] {});
    TLatch first;
    int firstCalls = 0;
    signals.OnStop([&] {
        ++firstCalls;
        signals.OnStop({});
        first.Set();
    });
    SendStop();
    ASSERT_TRUE(first.Wait());
    int laterCalls = 0;
    signals.OnStop([&] {
        ++laterCalls;
        signals.OnStop({});
    });
    EXPECT_EQ(laterCalls, 1);
    signals.OnStop({});
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(laterCalls, 1);
}

}  // namespace
