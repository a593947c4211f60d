// A conversion whose input stops delivering data (a pipe, a FIFO, a share that hangs) still
// ends when it is stopped: the stop reaches the read that waits for more.
#include "component/FFConverter.h"

#include "engine/EngineTestSupport.h"
#include "engine/FFmpegLoader.h"
#include "engine/TranscodeTestSupport.h"
#include "fixtures/Fixtures.h"
#include "fixtures/StalledFifo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

TEST(StalledInput, StopEndsAConversionWaitingForAFifoThatStalled) {
    ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
    transcodetest::TOutputDir dir;
    // The header states 10 s; the pipe carries the header and the first second, then nothing.
    fixtures::TMediaSpec spec;
    spec.Format = "wav";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 10;
    const std::string source = dir.File("ten.wav");
    fixtures::MakeMedia(source, spec);
    const size_t oneSecond = 44100 * 2 * 2;
    fixtures::TStalledFifo fifo(dir.File("stalled.wav"), fixtures::FileHead(source, 44 + oneSecond));

    std::mutex lock;
    std::condition_variable changed;
    std::vector<TTerminateInfo> ends;
    TFFConverter conv;
    conv.SetOnTerminate([&](TCustomFFConverter&, const TTerminateInfo& Info) {
        std::lock_guard g(lock);
        ends.push_back(Info);
        changed.notify_all();
    });
    const int task = conv.AddTask(fifo.Path());
    ASSERT_EQ(task, 0) << conv.LastError();
    ASSERT_TRUE(conv.SetOutputFile(task, dir.File("out.mp3"))) << conv.LastError();
    conv.StartTask(1);
    // The reader has taken every byte and waits for more.
    for (int i = 0; i < 500 && fifo.Written() < 44 + oneSecond; ++i)
        std::this_thread::sleep_for(20ms);
    ASSERT_EQ(fifo.Written(), 44 + oneSecond);
    std::this_thread::sleep_for(300ms);

    {
        // A hang guard, not a speed goal: without the stop reaching the read this never returns.
        enginetest::TWatchdog watchdog(10s);
        conv.StopTasks(true);
    }
    std::unique_lock g(lock);
    ASSERT_TRUE(changed.wait_for(g, 10s, [&] { return ends.size() == 2; }));
    EXPECT_EQ(ends[0].TaskIndex, 0);
    EXPECT_FALSE(ends[0].Finished);
    EXPECT_FALSE(ends[0].Exception) << ends[0].ExceptionMsg;
    EXPECT_EQ(ends[1].TaskIndex, -1);
}

} // namespace
