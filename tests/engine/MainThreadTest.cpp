#include "EngineTestSupport.h"

#include "engine/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using enginetest::TDispatcherScope;
using enginetest::TQueueDispatcher;

TEST(MainThreadTest, RunsAtOnceOnTheMainThreadAndOnWorkersWithoutDispatcher) {
    ASSERT_TRUE(IsMainThread());
    ASSERT_EQ(MainThreadDispatcher(), nullptr);

    bool ran = false;
    RunInMainThread([&] { ran = true; });
    EXPECT_TRUE(ran);

    // Without a dispatcher a worker runs the routine itself.
    std::thread::id runner;
    bool workerIsMain = true;
    std::thread worker([&] {
        workerIsMain = IsMainThread();
        RunInMainThread([&] { runner = std::this_thread::get_id(); });
        ProcessMessages(); // nothing to do without a dispatcher
    });
    const std::thread::id workerId = worker.get_id();
    worker.join();
    EXPECT_FALSE(workerIsMain);
    EXPECT_EQ(runner, workerId);

    // With a dispatcher the main thread still runs at once, without queueing.
    TQueueDispatcher dispatcher;
    TDispatcherScope scope(&dispatcher);
    ran = false;
    RunInMainThread([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(dispatcher.Queued(), 0);
}

TEST(MainThreadTest, WorkerWaitsUntilTheMainThreadHasRunTheRoutine) {
    TQueueDispatcher dispatcher;
    TDispatcherScope scope(&dispatcher);
    const std::thread::id mainId = std::this_thread::get_id();

    std::thread::id runner;
    bool ranBeforeReturn = false;
    dispatcher.RunWorker([&] {
        bool ran = false;
        RunInMainThread([&] {
            runner = std::this_thread::get_id();
            ran = true;
        });
        ranBeforeReturn = ran;
    });
    EXPECT_EQ(runner, mainId);
    EXPECT_TRUE(ranBeforeReturn);
    EXPECT_EQ(dispatcher.Queued(), 1);
}

TEST(MainThreadTest, ProcessMessagesPumpsOnlyOnTheMainThread) {
    TQueueDispatcher dispatcher;
    TDispatcherScope scope(&dispatcher);
    std::thread worker([] { ProcessMessages(); });
    worker.join();
    EXPECT_EQ(dispatcher.ProcessCalls(), 0);
    ProcessMessages();
    EXPECT_EQ(dispatcher.ProcessCalls(), 1);
}
