// Run control of a conversion task: starting on a worker or on the caller's thread, the start
// refusals, pause and resume at the safe points, stopping, the termination of a task that never
// ran, the recorded end states and the waits.
#include "RunTestSupport.h"

#include "EngineTestSupport.h"
#include "engine/ConvertThread.h"
#include "engine/MainThread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace runtest;
using transcodetest::Inspect;
using transcodetest::TLogCapture;
using transcodetest::TOutputDir;

namespace {

constexpr int FullPictures = 50; // the 2-second fixture at 25 frames per second

// A task whose clean-up after the run fails once armed.
class TFailingCleanUp : public TCustomFFmpeg {
public:
    bool Armed = false;
    void FreeSession() override {
        TCustomFFmpeg::FreeSession();
        if (Armed) {
            Armed = false;
            throw FFmpegException("clean-up failed");
        }
    }
};

} // namespace

TEST(RunControl, StartRefusalsDeliverOneEndAndTerminateTheTask) {
    TOutputDir dir;
    std::vector<TLogInfo> log;
    TLogCapture capture(log, llError);
    {
        TCustomFFmpeg core;
        TEnds ends;
        ends.Install(core);
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries));
        core.PrepareTask();
        ASSERT_TRUE(core.AddInputFile(Media().AviMpeg4Mp3));
        EXPECT_EQ(core.StartConvert(true, tpNormal), nullptr);
        ASSERT_EQ(ends.Count(), 1u);
        const TEnds::TEnd end = ends.Last();
        EXPECT_EQ(end.Thread, std::this_thread::get_id());
        EXPECT_TRUE(end.ErrorOccurred);
        EXPECT_FALSE(end.Completed);
        EXPECT_EQ(end.ErrorMessage, "At least one output file must be specified");
        EXPECT_TRUE(core.Terminated());
        EXPECT_FALSE(core.Running());
        EXPECT_EQ(core.InputFileCount(), 0); // the session was freed
        // A terminated task neither starts nor delivers again.
        EXPECT_EQ(core.StartConvert(false, tpNormal), nullptr);
        EXPECT_EQ(core.StartConvert(true, tpNormal), nullptr);
        core.Terminate(true);
        EXPECT_EQ(ends.Count(), 1u);
        // Prepared again: an output without an input.
        core.PrepareTask();
        core.SetOption("vcodec", "mpeg4");
        ASSERT_GE(core.AddOutputFile(dir.File("no-input.avi"), false), 0) << core.LastErrMsg();
        EXPECT_EQ(core.StartConvert(true, tpNormal), nullptr);
        ASSERT_EQ(ends.Count(), 2u);
        EXPECT_EQ(ends.Last().ErrorMessage, "At least one input file must be specified");
        EXPECT_EQ(core.OutputFileCount(), 0);
    }
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const TLogInfo& l) {
        return l.LogLevel == llQuiet && l.LogMsg == "At least one output file must be specified";
    }));
}

TEST(RunControl, EndStatesRecordHowTheRunEnded) {
    TOutputDir dir;
    std::vector<TLogInfo> log;
    TLogCapture capture(log, llError);
    struct TCase {
        const char* Name;
        std::function<void(TFailingCleanUp&)> Arrange;
        bool Completed;
        bool ErrorOccurred;
        std::string ErrorMessage;
    };
    const TCase cases[] = {
        {"consumed", [](TFailingCleanUp&) {}, true, false, ""},
        {"stopped",
         [](TFailingCleanUp& C) {
             C.ProgressCallback = [](TCustomFFmpeg& Core, int, int64_t, int64_t, int64_t, float,
                                     float, int, int) { Core.StopConvert(false); };
             C.ReportInterval = 0;
         },
         false, false, ""},
        {"failed",
         [](TFailingCleanUp& C) {
             C.HookCallback = [](TCustomFFmpeg&, TBitmap24&, bool&, bool&, int64_t, int) {};
         },
         false, true, "-vcodec copy and CustomHook are incompatible (frames are not decoded)"},
        {"clean-up failed", [](TFailingCleanUp& C) { C.Armed = true; }, true, true,
         "clean-up failed"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFailingCleanUp core;
        TEnds ends;
        ends.Install(core);
        const std::string out = dir.File(std::string(c.Name) + ".avi");
        SetUpTask(core, Media().AviMpeg4Mp3, out,
                  c.ErrorOccurred && !c.Completed ? TOptionList{{"vcodec", "copy"}} : TOptionList{});
        c.Arrange(core);
        // On the caller's thread: the end has been delivered when StartConvert returns.
        EXPECT_EQ(core.StartConvert(false, tpNormal), nullptr);
        ASSERT_EQ(ends.Count(), 1u);
        const TEnds::TEnd end = ends.Last();
        EXPECT_EQ(end.Thread, std::this_thread::get_id());
        EXPECT_FALSE(end.Running);
        EXPECT_TRUE(end.Terminated);
        EXPECT_EQ(end.Completed, c.Completed);
        EXPECT_EQ(end.ErrorOccurred, c.ErrorOccurred);
        EXPECT_EQ(end.ErrorMessage, c.ErrorMessage);
        EXPECT_EQ(core.Completed(), c.Completed);
        EXPECT_EQ(core.ErrorOccurred(), c.ErrorOccurred);
        EXPECT_EQ(core.ErrorMessage(), c.ErrorMessage);
        // Only a finished run leaves its file, and that whole; a stopped one leaves nothing.
        if (c.Completed) {
            const transcodetest::TMediaFacts facts = Inspect(out);
            ASSERT_TRUE(facts.Opened) << facts.Error;
            EXPECT_EQ(facts.DecodeErrors, 0);
            EXPECT_EQ(facts.First(AVMEDIA_TYPE_VIDEO)->Frames, FullPictures);
        } else {
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

TEST(RunControl, WorkerStartsSuspendedRunsAtItsPriorityAndLeavesNoThread) {
    TOutputDir dir;
    (void)Media();
    const int threadsBefore = ThreadCount();
    // A few pictures only: a worker at nice 19 gets little time on a busy machine.
    for (const TThreadPriority priority : {tpLowest, tpNormal}) {
        SCOPED_TRACE(int(priority));
        TCustomFFmpeg core;
        TEnds ends;
        ends.Install(core);
        SetUpTask(core, Media().AviMpeg4Mp3, dir.File("p" + std::to_string(priority) + ".avi"),
                  {{"vframes", "5"}});
        std::atomic<int> nice{-100}, policy{-1};
        std::atomic<bool> onMain{true};
        core.ProgressCallback = [&](TCustomFFmpeg&, int, int64_t, int64_t, int64_t, float, float,
                                    int, int) {
            nice = getpriority(PRIO_PROCESS, id_t(gettid()));
            policy = sched_getscheduler(0);
            onMain = IsMainThread();
        };
        TConvertThread* worker = core.StartConvert(true, priority);
        ASSERT_NE(worker, nullptr);
        EXPECT_EQ(core.ConvertThread(), worker);
        EXPECT_TRUE(core.Running());
        EXPECT_TRUE(worker->Suspended());
        EXPECT_FALSE(worker->Started());
        EXPECT_EQ(ends.Count(), 0u);
        worker->Resume();
        ASSERT_TRUE(ends.WaitFor(1));
        const TEnds::TEnd end = ends.Last();
        EXPECT_NE(end.Thread, std::this_thread::get_id());
        EXPECT_TRUE(end.Completed);
        EXPECT_FALSE(end.ErrorOccurred);
        EXPECT_FALSE(onMain.load());
        EXPECT_EQ(policy.load(), SCHED_OTHER);
        EXPECT_EQ(nice.load(), priority == tpLowest ? 19 : getpriority(PRIO_PROCESS, 0));
        EXPECT_EQ(core.ConvertThread(), nullptr);
    }
    EXPECT_EQ(ThreadCount(), threadsBefore);
    // An idle-class thread may never run on a busy machine: that mapping is checked on its own
    // (leaving the class again needs privileges).
    std::thread([] {
        EXPECT_TRUE(ApplyThreadPriority(tpIdle));
        EXPECT_EQ(sched_getscheduler(0), SCHED_IDLE);
    }).join();
}

TEST(RunControl, PauseHoldsTheWorkerAndResumeContinuesTheRun) {
    TOutputDir dir;
    TCustomFFmpeg core;
    TEnds ends;
    ends.Install(core);
    SetUpTask(core, Media().AviMpeg4Mp3, dir.File("paused.avi"));
    std::atomic<int> reports{0};
    core.ReportInterval = 0;
    core.ProgressCallback = [&](TCustomFFmpeg& Core, int, int64_t, int64_t, int64_t, float, float,
                                int, int) {
        if (++reports == 3)
            Core.PauseConvert(); // from the worker itself: held at its next safe point
    };
    // Nothing to pause before the worker runs, and nothing on the caller's thread.
    TConvertThread* worker = core.StartConvert(true, tpNormal);
    ASSERT_NE(worker, nullptr);
    core.PauseConvert();
    EXPECT_FALSE(worker->Started());
    core.ResumeConvert(); // starts a worker that was never resumed
    ASSERT_TRUE(Eventually([&] { return worker->Held(); }));
    EXPECT_TRUE(worker->Suspended());
    const int pictures = core.HookFrameCount();
    const int reportsWhenHeld = reports.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(worker->Held());
    EXPECT_EQ(core.HookFrameCount(), pictures);
    EXPECT_EQ(reports.load(), reportsWhenHeld);
    EXPECT_EQ(ends.Count(), 0u);
    core.PauseConvert(); // already held: nothing changes
    core.ResumeConvert();
    ASSERT_TRUE(ends.WaitFor(1));
    EXPECT_TRUE(ends.Last().Completed);
    EXPECT_EQ(core.HookFrameCount(), FullPictures);
    const transcodetest::TMediaFacts facts = Inspect(dir.File("paused.avi"));
    ASSERT_TRUE(facts.Opened) << facts.Error;
    EXPECT_EQ(facts.First(AVMEDIA_TYPE_VIDEO)->Frames, FullPictures);
}

// A stopped run's file is never given its name: nothing of it is left.
TEST(RunControl, StoppingAPausedRunEndsItLeavingNoFile) {
    TOutputDir dir;
    TCustomFFmpeg core;
    TEnds ends;
    ends.Install(core);
    SetUpTask(core, Media().AviMpeg4Mp3, dir.File("stopped.avi"));
    core.ReportInterval = 0;
    bool paused = false; // worker only
    core.ProgressCallback = [&](TCustomFFmpeg& Core, int, int64_t, int64_t, int64_t, float, float,
                                int, int FrameNumber) {
        if (FrameNumber >= 10 && !paused) {
            paused = true;
            Core.PauseConvert();
        }
    };
    TConvertThread* worker = core.StartConvert(true, tpNormal);
    ASSERT_NE(worker, nullptr);
    worker->Resume();
    ASSERT_TRUE(Eventually([&] { return worker->Held(); }));
    core.StopConvert(true);
    // The wait ended with the worker's body: the end is delivered, the temporary removed.
    ASSERT_EQ(ends.Count(), 1u);
    EXPECT_FALSE(ends.Last().Completed);
    EXPECT_FALSE(ends.Last().ErrorOccurred);
    EXPECT_TRUE(core.StopRequested());
    EXPECT_TRUE(core.WrittenFiles().empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(RunControl, StopWithWaitOnTheMainThreadServesCallsPassedToIt) {
    TOutputDir dir;
    enginetest::TQueueDispatcher dispatcher;
    SetMainThread(std::this_thread::get_id());
    enginetest::TDispatcherScope scope(&dispatcher);
    TCustomFFmpeg core;
    TEnds ends;
    SetUpTask(core, Media().AviMpeg4Mp3, dir.File("served.avi"));
    std::atomic<int> served{0};
    bool held = false; // worker only
    // Once the worker was held, both callbacks wait for the main thread, which is inside
    // StopConvert by then.
    core.ReportInterval = 0;
    core.ProgressCallback = [&](TCustomFFmpeg& C, int, int64_t, int64_t, int64_t, float, float,
                                int, int FrameNumber) {
        if (!held) {
            if (FrameNumber >= 5) {
                held = true;
                C.PauseConvert();
            }
            return;
        }
        RunInMainThread([&] { ++served; });
    };
    core.TerminateCallback = [&](TCustomFFmpeg& C) {
        RunInMainThread([&] { ++served; });
        ends.Record(C);
    };
    TConvertThread* worker = core.StartConvert(true, tpNormal);
    ASSERT_NE(worker, nullptr);
    worker->Resume();
    ASSERT_TRUE(Eventually([&] { return worker->Held(); }));
    core.StopConvert(true);
    EXPECT_EQ(ends.Count(), 1u);
    EXPECT_GE(served.load(), 2); // the final progress report and the end
    EXPECT_GE(dispatcher.ProcessCalls(), 1);
}

TEST(RunControl, TerminateDeliversTheEndOfANeverStartedTaskFromItsOwnThread) {
    TOutputDir dir;
    (void)Media();
    const int threadsBefore = ThreadCount();
    {
        TCustomFFmpeg core;
        TEnds ends;
        ends.Install(core);
        SetUpTask(core, Media().AviMpeg4Mp3, dir.File("never.avi"));
        core.Terminate(true);
        ASSERT_EQ(ends.Count(), 1u);
        const TEnds::TEnd end = ends.Last();
        EXPECT_NE(end.Thread, std::this_thread::get_id());
        EXPECT_FALSE(end.Completed);
        EXPECT_FALSE(end.ErrorOccurred);
        EXPECT_TRUE(end.Terminated);
        core.Terminate(true);
        core.Terminate(false);
        EXPECT_EQ(core.StartConvert(true, tpNormal), nullptr);
        EXPECT_EQ(ends.Count(), 1u);
    }
    {
        // Without waiting: the task's destruction waits for the delivery instead.
        TEnds ends;
        {
            TCustomFFmpeg core;
            ends.Install(core);
            SetUpTask(core, Media().AviMpeg4Mp3, dir.File("never2.avi"));
            core.Terminate(false);
            core.Terminate(false);
        }
        EXPECT_EQ(ends.Count(), 1u);
    }
    EXPECT_EQ(ThreadCount(), threadsBefore);
}

TEST(RunControl, ManualResetEventAndTheWaitOffTheMainThread) {
    TManualResetEvent event(true);
    EXPECT_TRUE(event.WaitFor(std::chrono::milliseconds(0)));
    event.Reset();
    EXPECT_FALSE(event.Signalled());
    EXPECT_FALSE(event.WaitFor(std::chrono::milliseconds(1)));
    int slices = 0;
    std::thread setter([&] { event.Set(); });
    WaitProcessingMessages([&](std::chrono::milliseconds Slice) {
        ++slices;
        EXPECT_EQ(Slice.count(), 20);
        return event.WaitFor(Slice);
    });
    setter.join();
    EXPECT_GE(slices, 1);
    EXPECT_TRUE(event.Signalled());
}
