// The encoder component end to end: task list, runs one or N at a time, stop, pause, the
// termination order and its delivery threads, progress reports, hooks, preview, misuse and a
// start/stop/clear stress run. The run tests go twice: with a fake main-thread dispatcher
// serviced by the test's main thread, and with none (events on the engine's threads).
#include "component/FFConverter.h"

#include "engine/EngineTestSupport.h"
#include "engine/FFLogger.h"
#include "engine/SafeWrite.h"
#include "engine/TranscodeTestSupport.h"
#include "fixtures/Fixtures.h"
#include "fixtures/ProcessUsage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include <sys/resource.h>

using namespace std::chrono_literals;
using enginetest::TDispatcherScope;
using enginetest::TQueueDispatcher;
using enginetest::TWatchdog;
using ::testing::HasSubstr;
using transcodetest::Inspect;
using transcodetest::TOutputDir;

namespace {

const fixtures::TFixtureSet& Media() {
    return fixtures::Fixtures();
}

int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

// The private temporaries of unfinished outputs in Folder.
int Temporaries(const std::string& Folder) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(Folder))
        n += IsTemporaryName(e.path().filename().string());
    return n;
}

// An input read at its own pace (rate emulation), so a run lasts as long as the media.
TInputOptions Paced() {
    TInputOptions o;
    ResetInputOptions(o);
    o.ExtOptions = "re=1";
    return o;
}

struct TEnd {
    TTerminateInfo Info;
    bool OnMain = false;
    std::thread::id Thread;
};

struct TReport {
    TProgressInfo Info;
    bool OnMain = false;
    std::thread::id Thread;
    std::chrono::steady_clock::time_point Time;
};

// What the handlers saw, from whatever thread they ran on.
struct TEvents {
    mutable std::mutex Lock;
    std::condition_variable Changed;
    std::vector<TEnd> Ends;
    std::vector<TReport> Reports;

    void Add(const TTerminateInfo& Info) {
        std::lock_guard g(Lock);
        Ends.push_back({Info, IsMainThread(), std::this_thread::get_id()});
        Changed.notify_all();
    }
    void Add(const TProgressInfo& Info) {
        std::lock_guard g(Lock);
        Reports.push_back(
            {Info, IsMainThread(), std::this_thread::get_id(), std::chrono::steady_clock::now()});
        Changed.notify_all();
    }
    // Bounded, so that a lost notification or a deadlock fails the test instead of hanging it.
    template <class TPredicate> bool WaitFor(TPredicate Done) {
        std::unique_lock g(Lock);
        return Changed.wait_for(g, 60s, [&] { return Done(); });
    }
    bool FinalSeen() const {
        return std::any_of(Ends.begin(), Ends.end(),
                           [](const TEnd& e) { return e.Info.TaskIndex < 0; });
    }
    bool WaitFinal() {
        return WaitFor([&] { return FinalSeen(); });
    }
    bool WaitReport(int TaskIndex) {
        return WaitFor([&] {
            return std::any_of(Reports.begin(), Reports.end(),
                               [&](const TReport& r) { return r.Info.TaskIndex == TaskIndex; });
        });
    }
    std::vector<int> EndIndexes() const {
        std::lock_guard g(Lock);
        std::vector<int> v;
        for (const TEnd& e : Ends)
            v.push_back(e.Info.TaskIndex);
        return v;
    }
};

class TConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
        Conv = std::make_unique<TFFConverter>();
        Conv->SetOnTerminate(
            [this](TCustomFFConverter&, const TTerminateInfo& I) { Events.Add(I); });
        Conv->SetOnProgress([this](TCustomFFConverter&, PProgressInfo I) { Events.Add(*I); });
    }

    int AddJob(const std::string& Input, const std::string& Output,
               const TInputOptions* In = nullptr, const TOutputOptions* OutOptions = nullptr) {
        const int index = Conv->AddTask(Input, In);
        EXPECT_GE(index, 0) << Conv->LastError();
        if (index >= 0) {
            EXPECT_TRUE(Conv->SetOutputFile(index, Output, OutOptions)) << Conv->LastError();
        }
        return index;
    }

    TOutputDir Out;
    TEvents Events;
    std::unique_ptr<TFFConverter> Conv;
};

// The run tests, with (true) and without a main-thread dispatcher.
class TConverterRun : public TConverterTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (GetParam())
            Scope.emplace(&Dispatcher);
        TConverterTest::SetUp();
    }
    void TearDown() override {
        Conv.reset(); // while the dispatcher is still installed
        Scope.reset();
    }
    // Runs Body while the main thread services the dispatcher (or right here without one);
    // Body reaches the main thread through RunInMainThread.
    void Serving(const std::function<void()>& Body) {
        if (GetParam())
            Dispatcher.RunWorker(Body);
        else
            Body();
    }
    void RunToEnd(int Parallel) {
        Conv->StartTask(Parallel);
        Serving([&] { ASSERT_TRUE(Events.WaitFinal()); });
    }

    TQueueDispatcher Dispatcher;
    std::optional<TDispatcherScope> Scope;
};

INSTANTIATE_TEST_SUITE_P(Delivery, TConverterRun, ::testing::Values(false, true),
                         [](const auto& Info) {
                             return Info.param ? "Dispatcher" : "NoDispatcher";
                         });

TEST_P(TConverterRun, OneAtATimeRunsTasksInOrderAndEndsWithTheFinalNotification) {
    for (int i = 0; i < 3; ++i)
        AddJob(Media().Wav, Out.File("t" + std::to_string(i) + ".mp3"));
    if (!GetParam()) {
        // The end of task 0 is held up until task 1 is under way: the ending worker must not
        // wait for the handler.
        Conv->SetOnTerminate([this](TCustomFFConverter&, const TTerminateInfo& I) {
            if (I.TaskIndex == 0) {
                EXPECT_TRUE(Events.WaitReport(1));
            }
            Events.Add(I);
        });
    }
    RunToEnd(1);

    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, 1, 2, -1}));
    std::lock_guard g(Events.Lock);
    for (const TEnd& e : Events.Ends) {
        EXPECT_TRUE(e.Info.Finished) << e.Info.TaskIndex;
        EXPECT_FALSE(e.Info.Exception) << e.Info.ExceptionMsg;
        EXPECT_EQ(e.OnMain, GetParam());
    }
    // One after another: every report of a task comes before the first of the next, and each
    // task's reports end with FileIndex -1.
    ASSERT_FALSE(Events.Reports.empty());
    for (size_t i = 1; i < Events.Reports.size(); ++i) {
        const TProgressInfo& a = Events.Reports[i - 1].Info;
        const TProgressInfo& b = Events.Reports[i].Info;
        ASSERT_LE(a.TaskIndex, b.TaskIndex);
        if (a.TaskIndex != b.TaskIndex) {
            EXPECT_EQ(a.FileIndex, -1);
        }
    }
    EXPECT_EQ(Events.Reports.back().Info.FileIndex, -1);
    for (const TReport& r : Events.Reports) {
        EXPECT_EQ(r.OnMain, GetParam());
        // Without a dispatcher a report comes on the task's worker, its end never does.
        if (!GetParam()) {
            EXPECT_NE(r.Thread, Events.Ends[size_t(r.Info.TaskIndex)].Thread);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const auto facts = Inspect(Out.File("t" + std::to_string(i) + ".mp3"));
        ASSERT_TRUE(facts.Opened) << facts.Error;
        EXPECT_NEAR(facts.First(AVMEDIA_TYPE_AUDIO)->AudioSeconds(), 2.0, 0.1);
    }
    EXPECT_TRUE(Conv->AllDone());
    EXPECT_EQ(Conv->FinishedCount(), 3);
}

TEST_P(TConverterRun, TwoAtATimeOverlapAndAllFinish) {
    const TInputOptions paced = Paced();
    for (int i = 0; i < 3; ++i)
        AddJob(Media().Tagged, Out.File("p" + std::to_string(i) + ".mp3"), &paced);
    Conv->SetProgressInterval(100);
    std::mutex lock;
    std::set<int> active;
    size_t mostActive = 0;
    Conv->SetOnProgress([&](TCustomFFConverter&, PProgressInfo I) {
        std::lock_guard g(lock);
        if (I->FileIndex >= 0)
            active.insert(I->TaskIndex);
        else
            active.erase(I->TaskIndex);
        mostActive = std::max(mostActive, active.size());
    });
    RunToEnd(2);

    EXPECT_EQ(mostActive, 2u);
    const std::vector<int> ends = Events.EndIndexes();
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends.back(), -1);
    EXPECT_EQ(std::set<int>(ends.begin(), ends.end() - 1), (std::set<int>{0, 1, 2}));
    std::lock_guard g(Events.Lock);
    for (const TEnd& e : Events.Ends)
        EXPECT_TRUE(e.Info.Finished && !e.Info.Exception)
            << e.Info.TaskIndex << e.Info.ExceptionMsg;
}

TEST_P(TConverterRun, StopDuringTheFirstTaskEndsAllThreeUnfinished) {
    const TInputOptions paced = Paced();
    for (int i = 0; i < 3; ++i)
        AddJob(Media().Wav, Out.File("s" + std::to_string(i) + ".mp3"), &paced);
    Conv->SetProgressInterval(100);
    Conv->StartTask(1);
    Serving([&] {
        ASSERT_TRUE(Events.WaitReport(0));
        RunInMainThread([&] { Conv->StopTasks(true); });
        ASSERT_TRUE(Events.WaitFinal());
    });

    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, 1, 2, -1}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(Events.Ends[size_t(i)].Info.Finished);
        EXPECT_FALSE(Events.Ends[size_t(i)].Info.Exception);
    }
    EXPECT_TRUE(Events.Ends[3].Info.Finished);
    // The stopped task's file was never given its name and went with it; the tasks never
    // started never made one.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(std::filesystem::exists(Out.File("s" + std::to_string(i) + ".mp3")));
    EXPECT_EQ(Temporaries(Out.Path()), 0);
    Conv->ClearTasks();
}

TEST_P(TConverterRun, AStopBeforeTheStartStillLetsTheRunEnd) {
    for (int i = 0; i < 2; ++i)
        AddJob(Media().Wav, Out.File("early" + std::to_string(i) + ".mp3"));
    Serving([&] { RunInMainThread([&] { Conv->StopTasks(true); }); });
    {
        std::lock_guard g(Events.Lock);
        Events.Ends.clear();
    }
    RunToEnd(1);

    // The tasks ended before the run reached them: each end is counted once more, unfinished,
    // and the final notification follows.
    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, 1, -1}));
    EXPECT_FALSE(Events.Ends[0].Info.Finished);
    EXPECT_FALSE(Events.Ends[1].Info.Finished);
    EXPECT_TRUE(Conv->AllDone());
}

// A run kept open takes tasks while it goes on: a task queued while nothing runs starts at
// once, one whose file is gone fails with the reason the open gives, and the run ends only
// after it was closed. Nothing of a queued task is opened before its turn.
TEST_P(TConverterRun, AnOpenRunTakesQueuedTasksAndEndsOnceClosed) {
    const std::string missing = Out.File("missing.wav");
    ASSERT_EQ(Conv->QueueTask(Media().Wav, nullptr, Out.File("q0.mp3"), nullptr), 0);
    EXPECT_FALSE(std::filesystem::exists(Out.File("q0.mp3")));
    EXPECT_EQ(Conv->WaitingTaskCount(), 1);
    Conv->StartTask(2, true);
    Serving([&] {
        ASSERT_TRUE(Events.WaitFor([&] { return Events.Ends.size() == 1; }));
        // Every task has ended, yet the run is open: no final notification.
        std::this_thread::sleep_for(50ms);
        {
            std::lock_guard g(Events.Lock);
            EXPECT_EQ(Events.Ends.size(), 1u);
        }
        RunInMainThread([&] {
            EXPECT_TRUE(Conv->AcceptsTasks());
            TOutputOptions o;
            ResetOutputOptions(o);
            o.AudioCodec = "libmp3lame";
            EXPECT_EQ(Conv->QueueTask(missing, nullptr, Out.File("q1.mp3"), nullptr), 1);
            EXPECT_EQ(Conv->QueueTask(Media().Mp3, nullptr, Out.File("q2.mp3"), &o), 2);
        });
        ASSERT_TRUE(Events.WaitFor([&] { return Events.Ends.size() == 3; }));
        EXPECT_FALSE(Events.FinalSeen());
        RunInMainThread([&] {
            EXPECT_EQ(Conv->WaitingTaskCount(), 0);
            Conv->CloseRun();
        });
        ASSERT_TRUE(Events.WaitFinal());
    });

    std::vector<int> ends = Events.EndIndexes();
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends.back(), -1);
    std::lock_guard g(Events.Lock);
    for (const TEnd& e : Events.Ends) {
        if (e.Info.TaskIndex == 1) {
            EXPECT_TRUE(e.Info.Exception);
            EXPECT_THAT(e.Info.ExceptionMsg, HasSubstr("missing.wav"));
        } else {
            EXPECT_TRUE(e.Info.Finished) << e.Info.TaskIndex << e.Info.ExceptionMsg;
        }
    }
    EXPECT_TRUE(std::filesystem::exists(Out.File("q0.mp3")));
    EXPECT_TRUE(std::filesystem::exists(Out.File("q2.mp3")));
    EXPECT_FALSE(Conv->AcceptsTasks());
    try {
        Conv->QueueTask(Media().Wav, nullptr, Out.File("late.mp3"), nullptr);
        ADD_FAILURE() << "a closed run took a task";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot QueueTask while working.");
    }
}

// A stop closes an open run: with every task ended already the stop itself ends the run, and
// the run takes nothing more.
TEST_P(TConverterRun, AStopEndsAnOpenRunWhoseTasksHaveEnded) {
    ASSERT_EQ(Conv->QueueTask(Media().Wav, nullptr, Out.File("s.mp3"), nullptr), 0);
    Conv->StartTask(1, true);
    Serving([&] {
        ASSERT_TRUE(Events.WaitFor([&] { return Events.Ends.size() == 1; }));
        RunInMainThread([&] { Conv->StopTasks(true); });
        ASSERT_TRUE(Events.WaitFinal());
        RunInMainThread([&] { EXPECT_FALSE(Conv->AcceptsTasks()); });
    });
    EXPECT_EQ(Events.EndIndexes(), (std::vector<int>{0, -1}));
    Conv->ClearTasks();
    EXPECT_TRUE(Conv->AcceptsTasks());
}

TEST_P(TConverterRun, StoppingAPausedTaskLeavesNoFile) {
    const TInputOptions paced = Paced();
    AddJob(Media().Wav, Out.File("paused.mp3"), &paced);
    Conv->SetProgressInterval(100);
    Conv->StartTask(1);
    Serving([&] {
        ASSERT_TRUE(Events.WaitReport(0));
        RunInMainThread([&] { Conv->PauseTasks(); });
        RunInMainThread([&] { Conv->StopTasks(true); });
        ASSERT_TRUE(Events.WaitFinal());
    });

    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, -1}));
    EXPECT_FALSE(Events.Ends[0].Info.Finished);
    EXPECT_FALSE(Events.Ends[0].Info.Exception) << Events.Ends[0].Info.ExceptionMsg;
    EXPECT_TRUE(Events.Ends[0].Info.OutputFile.empty());
    EXPECT_FALSE(std::filesystem::exists(Out.File("paused.mp3")));
    EXPECT_EQ(Temporaries(Out.Path()), 0);
}

TEST_P(TConverterRun, ATaskWithoutOutputFailsAndTheNextStillRuns) {
    ASSERT_EQ(Conv->AddTask(Media().Wav), 0);
    AddJob(Media().Mp3, Out.File("second.mp3"));
    RunToEnd(1);

    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, 1, -1}));
    EXPECT_TRUE(Events.Ends[0].Info.Exception);
    EXPECT_FALSE(Events.Ends[0].Info.Finished);
    EXPECT_EQ(Events.Ends[0].Info.ExceptionMsg, "At least one output file must be specified");
    EXPECT_TRUE(Events.Ends[1].Info.Finished);
    EXPECT_FALSE(Events.Ends[1].Info.Exception);
}

TEST_P(TConverterRun, ProgressComesAtMostOncePerIntervalAndEndsWithTheLastReport) {
    const TInputOptions paced = Paced();
    AddJob(Media().Tagged, Out.File("progress.mp3"), &paced);
    Conv->SetProgressInterval(50);
    EXPECT_EQ(Conv->ProgressInterval(), 100);
    const auto t0 = std::chrono::steady_clock::now();
    RunToEnd(1);
    const auto elapsed = std::chrono::steady_clock::now() - t0;

    std::lock_guard g(Events.Lock);
    const std::vector<TReport>& r = Events.Reports;
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r.back().Info.FileIndex, -1);
    for (size_t i = 0; i + 1 < r.size(); ++i) {
        EXPECT_EQ(r[i].Info.FileIndex, 0) << i;
        EXPECT_EQ(r[i].Info.TaskIndex, 0);
        if (i > 0) {
            EXPECT_LE(r[i - 1].Info.CurrentDuration, r[i].Info.CurrentDuration);
        }
    }
    // The engine spaces its reports by the interval, so no more than one per 100 ms fit.
    EXPECT_LE(int(r.size()) - 1, int(elapsed / 100ms) + 1);
    EXPECT_NEAR(double(r.back().Info.TotalDuration) / 1e6, 1.0, 0.1);
    EXPECT_NEAR(double(r.back().Info.CurrentDuration) / 1e6, 1.0, 0.1);
    EXPECT_GT(r.back().Info.CurrentSize, 0);
    EXPECT_EQ(r.back().Info.FrameNumber, -1); // no video output
}

TEST_P(TConverterRun, HandlersMayStopAndClearTheRun) {
    const TInputOptions paced = Paced();
    AddJob(Media().Tagged, Out.File("h0.mp3"));
    AddJob(Media().Wav, Out.File("h1.mp3"), &paced);
    AddJob(Media().Wav, Out.File("h2.mp3"), &paced);
    int countAtFinal = -1;
    Conv->SetOnTerminate([&](TCustomFFConverter& Sender, const TTerminateInfo& I) {
        if (I.TaskIndex == 0)
            Sender.StopTasks(true);
        if (I.TaskIndex < 0) {
            Sender.ClearTasks();
            countAtFinal = Sender.TaskCount();
        }
        Events.Add(I);
    });
    RunToEnd(1);

    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, 1, 2, -1}));
    EXPECT_TRUE(Events.Ends[0].Info.Finished);
    EXPECT_FALSE(Events.Ends[1].Info.Finished);
    EXPECT_FALSE(Events.Ends[2].Info.Finished);
    EXPECT_EQ(countAtFinal, 0);
    EXPECT_FALSE(Conv->Working());
}

TEST_P(TConverterRun, DestroyingTheComponentStopsTheRunAndRaisesNothingMore) {
    const TInputOptions paced = Paced();
    AddJob(Media().Wav, Out.File("d0.mp3"), &paced);
    AddJob(Media().Wav, Out.File("d1.mp3"), &paced);
    Conv->SetProgressInterval(100);
    Conv->StartTask(2);
    size_t seen = 0;
    Serving([&] {
        ASSERT_TRUE(Events.WaitReport(1));
        RunInMainThread([&] { Conv.reset(); });
        std::lock_guard g(Events.Lock);
        seen = Events.Ends.size() + Events.Reports.size();
    });
    std::this_thread::sleep_for(50ms);
    std::lock_guard g(Events.Lock);
    EXPECT_EQ(Events.Ends.size() + Events.Reports.size(), seen);
    // Stopped, the files were not given their names and their temporaries went with the tasks.
    EXPECT_FALSE(std::filesystem::exists(Out.File("d0.mp3")));
    EXPECT_EQ(Temporaries(Out.Path()), 0);
}

TEST_P(TConverterRun, HookRunsOnTheWorkerWithTheCanvasLockedUntilStopHook) {
    TOutputOptions o;
    ResetOutputOptions(o);
    o.Hook = true;
    o.VideoCodec = "mpeg4";
    AddJob(Media().AviMpeg4Mp3, Out.File("hook.avi"), nullptr, &o);
    int calls = 0;
    bool canvasLocked = false;
    bool onMain = true;
    THookInfo seen;
    Conv->SetOnCustomHook([&](TCustomFFConverter&, PHookInfo H) {
        ++calls;
        seen = *H;
        canvasLocked = !H->Bitmap->Canvas().try_lock();
        if (!canvasLocked)
            H->Bitmap->Canvas().unlock();
        onMain = IsMainThread();
        H->StopHook = true;
    });
    RunToEnd(1);

    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(canvasLocked);
    EXPECT_FALSE(onMain);
    EXPECT_EQ(seen.TaskIndex, 0);
    EXPECT_EQ(seen.FrameNumber, 1);
    EXPECT_TRUE(seen.Update);
    ASSERT_NE(seen.Bitmap, nullptr);
    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, -1}));
    EXPECT_TRUE(Events.Ends[0].Info.Finished) << Events.Ends[0].Info.ExceptionMsg;
}

TEST_P(TConverterRun, PreviewBitmapsAndThePreviewWindowGetFrames) {
    // A previewer that the user closes at once: one frame, then no more.
    struct TFakePreviewer : TPreviewer {
        std::atomic<int>& Frames;
        explicit TFakePreviewer(std::atomic<int>& F) : Frames(F) {}
        bool ShowFrame(const TBitmap24& B, int, int64_t) override {
            EXPECT_EQ(B.Width(), 320);
            ++Frames;
            return false;
        }
    };
    std::atomic<int> made{0}, frames{0};
    Conv->SetPreviewerFactory([&] {
        ++made;
        return std::make_unique<TFakePreviewer>(frames);
    });
    Conv->SetPreview(true);
    TOutputOptions o;
    ResetOutputOptions(o);
    o.VideoCodec = "mpeg4";
    AddJob(Media().AviMpeg4Mp3, Out.File("window.avi"), nullptr, &o);
    RunToEnd(1);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(frames, 1);

    Conv->ClearTasks();
    {
        std::lock_guard g(Events.Lock);
        Events.Ends.clear();
    }
    Conv->SetPreview(false);
    int bitmaps = 0;
    bool allOnMain = true;
    Conv->SetOnPreviewBitmap([&](TCustomFFConverter&, const TPreviewInfo& P) {
        ++bitmaps;
        allOnMain = allOnMain && IsMainThread() == GetParam();
        EXPECT_EQ(P.TaskIndex, 0);
        EXPECT_EQ(P.Bitmap->Height(), 240);
    });
    AddJob(Media().AviMpeg4Mp3, Out.File("bitmap.avi"), nullptr, &o);
    Conv->SetPreviewBitmap(true);
    RunToEnd(1);
    EXPECT_GE(bitmaps, 1);
    EXPECT_TRUE(allOnMain);
}

// ---- without a run ----

TEST_F(TConverterTest, PropertiesStartAtTheirDefaults) {
    EXPECT_EQ(TFFConverter::Version(), "3.3");
    EXPECT_EQ(Conv->ProgressInterval(), 500);
    EXPECT_EQ(Conv->ThreadPriority(), tpNormal);
    EXPECT_TRUE(Conv->TriggerEventInMainThread());
    EXPECT_FALSE(Conv->Preview());
    EXPECT_FALSE(Conv->PreviewBitmap());
    EXPECT_EQ(Conv->Verbose(), 1);
    EXPECT_FALSE(Conv->Working());
    for (const auto& [set, stored] : {std::pair{50, 100}, {100, 100}, {101, 101}, {250, 250}}) {
        Conv->SetProgressInterval(set);
        EXPECT_EQ(Conv->ProgressInterval(), stored);
    }
}

TEST_F(TConverterTest, AddTaskOpensTheInputOrReportsWhy) {
    const std::string missing = Out.File("missing.avi");
    EXPECT_EQ(Conv->AddTask(missing), -1);
    EXPECT_THAT(Conv->LastError(), HasSubstr(missing));
    TInputOptions badSize;
    ResetInputOptions(badSize);
    badSize.ExtOptions = "s=abc";
    EXPECT_EQ(Conv->AddTask(Media().Wav, &badSize), -1);
    EXPECT_EQ(Conv->LastError(), "Incorrect frame size");
    EXPECT_EQ(Conv->TaskCount(), 0);

    ASSERT_EQ(Conv->AddTask(Media().Wav), 0);
    ASSERT_EQ(Conv->AddTask(Media().Mp3), 1);
    ASSERT_EQ(Conv->AddTask(Media().Flac), 2);
    TAVProbe* probe = Conv->InputProbe(0, 0);
    ASSERT_NE(probe, nullptr);
    TFileStreamInfo info;
    ASSERT_TRUE(probe->GetFileStreamInfo(info));
    EXPECT_NEAR(double(info.Duration) / 1e6, 2.0, 0.1);
    EXPECT_EQ(Conv->InputProbe(0, 1), nullptr);
    EXPECT_EQ(Conv->InputProbe(3, 0), nullptr);
    Conv->RemoveTask(1);
    EXPECT_EQ(Conv->TaskCount(), 2);
    EXPECT_EQ(Conv->InputProbe(1, 0)->FileName(), Media().Flac);
}

TEST_F(TConverterTest, TheTwentyFirstOutputIsRefused) {
    ASSERT_EQ(Conv->AddTask(Media().Wav), 0);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(Conv->SetOutputFile(0, Out.File("o" + std::to_string(i) + ".wav")))
            << Conv->LastError();
    EXPECT_FALSE(Conv->SetOutputFile(0, Out.File("o20.wav")));
    EXPECT_EQ(Conv->LastError(), "max output files 20 reached");
    EXPECT_FALSE(Conv->SetOutputFile(1, Out.File("x.wav")));
    TOutputOptions o;
    ResetOutputOptions(o);
    o.AudioCodec = "nosuchcodec";
    ASSERT_EQ(Conv->AddTask(Media().Wav), 1);
    EXPECT_FALSE(Conv->SetOutputFile(1, Out.File("bad.wav"), &o));
    EXPECT_THAT(Conv->LastError(), HasSubstr("nosuchcodec"));
}

TEST_F(TConverterTest, OperationsAreRefusedWhileWorking) {
    const TInputOptions paced = Paced();
    AddJob(Media().Wav, Out.File("w.mp3"), &paced);
    Conv->StartTask(1);
    auto refused = [&](const std::function<void()>& Call, const std::string& Text) {
        try {
            Call();
            ADD_FAILURE() << "no exception for " << Text;
        } catch (const FFmpegException& e) {
            EXPECT_EQ(std::string(e.what()), Text);
        }
    };
    refused([&] { Conv->ClearTasks(); }, "Cannot ClearTasks while working.");
    Conv->StopTasks(true);
    ASSERT_TRUE(Events.WaitFinal());
    // Done, but not cleared.
    refused([&] { Conv->AddTask(Media().Wav); }, "Cannot AddTask while working.");
    refused([&] { Conv->SetOutputFile(0, Out.File("x.mp3")); },
            "Cannot SetOutputFile while working.");
    refused([&] { Conv->RemoveTask(0); }, "Cannot RemoveTask while working.");
    refused([&] { Conv->StartTask(1); }, "Cannot StartTask while working.");
    Conv->ClearTasks();
    EXPECT_EQ(Conv->TaskCount(), 0);
    EXPECT_EQ(Conv->AddTask(Media().Wav), 0);
}

TEST_F(TConverterTest, ARunOnTheCallingThreadRaisesEveryEventBeforeItReturns) {
    ASSERT_EQ(Conv->AddTask(Media().Wav), 0); // no output
    AddJob(Media().Mp3, Out.File("sync.mp3"));
    std::string clearRefusal;
    Conv->SetOnTerminate([&](TCustomFFConverter& Sender, const TTerminateInfo& I) {
        Events.Add(I);
        if (I.TaskIndex < 0) {
            try {
                Sender.ClearTasks(); // the run is still on the stack
            } catch (const FFmpegException& e) {
                clearRefusal = e.what();
            }
        }
    });
    Conv->StartTask(0);
    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, 1, -1}));
    for (const TEnd& e : Events.Ends)
        EXPECT_EQ(e.Thread, std::this_thread::get_id());
    EXPECT_EQ(Events.Ends[0].Info.ExceptionMsg, "At least one output file must be specified");
    EXPECT_TRUE(Events.Ends[1].Info.Finished);
    EXPECT_EQ(clearRefusal, "Cannot ClearTasks while working.");
    Conv->ClearTasks();
}

TEST_F(TConverterTest, FiftyStartStopClearCyclesLeaveNoThreadBehind) {
    (void)Media();
    const int baseline = ThreadCount();
    std::mt19937 random(20100506);
    for (int cycle = 0; cycle < 50; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        {
            std::lock_guard g(Events.Lock);
            Events.Ends.clear();
            Events.Reports.clear();
        }
        const int tasks = 1 + int(random() % 3);
        for (int t = 0; t < tasks; ++t)
            AddJob(t % 2 ? Media().Tagged : Media().Wav, Out.File(std::to_string(t) + ".mp3"));
        Conv->StartTask(1 + int(random() % 2));
        switch (random() % 4) {
        case 0: // at once
            Conv->StopTasks(random() % 2 == 0);
            break;
        case 1: // somewhere in the run
            std::this_thread::sleep_for(std::chrono::milliseconds(random() % 40));
            Conv->StopTasks(random() % 2 == 0);
            break;
        case 2: // after the first report
            Events.WaitFor([&] { return !Events.Reports.empty(); });
            Conv->StopTasks(random() % 2 == 0);
            break;
        default: // not at all
            break;
        }
        ASSERT_TRUE(Events.WaitFinal());
        std::vector<int> ends = Events.EndIndexes();
        ASSERT_EQ(ends.size(), size_t(tasks) + 1);
        EXPECT_EQ(ends.back(), -1);
        std::sort(ends.begin(), ends.end() - 1);
        for (int t = 0; t < tasks; ++t)
            EXPECT_EQ(ends[size_t(t)], t);
        Conv->ClearTasks();
    }
    Conv.reset();
    EXPECT_LE(ThreadCount(), baseline);
}

} // namespace


// Refused starts log to the main thread from the path that starts the next task; the main
// thread meanwhile asks Working, stops and checks without servicing its queue in between.
TEST_F(TConverterTest, RefusedStartsStopsAndParallelTasksNeverLockAgainstTheMainThread) {
    (void)Media();
    TQueueDispatcher dispatcher;
    TDispatcherScope scope(&dispatcher);
    std::atomic<int> logged{0};
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel, const std::string&) { ++logged; });
    Conv->SetPreviewBitmap(true);
    Conv->SetOnPreviewBitmap([](TCustomFFConverter&, const TPreviewInfo&) {});
    {
        TWatchdog watchdog(120s);
        std::mt19937 random(20101117);
        for (int cycle = 0; cycle < 12; ++cycle) {
            SCOPED_TRACE("cycle " + std::to_string(cycle));
            {
                std::lock_guard g(Events.Lock);
                Events.Ends.clear();
                Events.Reports.clear();
            }
            const int tasks = 4 + int(random() % 3);
            for (int t = 0; t < tasks; ++t) {
                if (t % 2 == 1)
                    ASSERT_GE(Conv->AddTask(Media().Wav), 0); // no output: its start is refused
                else
                    AddJob(Media().Wav, Out.File(std::to_string(t) + ".mp3"));
            }
            Conv->StartTask(2);
            const bool stop = cycle % 3 == 2;
            const auto start = std::chrono::steady_clock::now();
            for (;;) {
                {
                    std::lock_guard g(Events.Lock);
                    if (Events.FinalSeen())
                        break;
                }
                (void)Conv->Working(); // takes the component's locks without pumping
                (void)Conv->FinishedCount();
                if (stop && std::chrono::steady_clock::now() - start > 5ms)
                    Conv->StopTasks(false);
                dispatcher.ProcessPendingEvents();
            }
            std::vector<int> ends = Events.EndIndexes();
            ASSERT_EQ(ends.size(), size_t(tasks) + 1);
            Conv->ClearTasks();
        }
        Conv.reset();
    }
    GetLogger().SetOnLog({});
    EXPECT_GT(logged.load(), 0);
}

// A window that closes removes its handlers and then goes away; an end (or a report) that was
// already waiting for the main thread must not reach the handler after that.
TEST_F(TConverterTest, AHandlerRemovedWhileItsCallWaitsForTheMainThreadIsNotCalled) {
    TQueueDispatcher dispatcher;
    TDispatcherScope scope(&dispatcher);
    AddJob(Media().Wav, Out.File("late.mp3"));
    Conv->StartTask(1);
    // The first call handed to the main thread (a report or the task's end) waits there.
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (dispatcher.Queued() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_GT(dispatcher.Queued(), 0);
    Conv->SetOnTerminate({});
    Conv->SetOnProgress({});
    while (!Conv->AllDone() && std::chrono::steady_clock::now() < deadline)
        dispatcher.ProcessPendingEvents();
    ASSERT_TRUE(Conv->AllDone());
    Conv.reset(); // delivers whatever is still queued
    dispatcher.ProcessPendingEvents();
    std::lock_guard g(Events.Lock);
    EXPECT_TRUE(Events.Ends.empty());
    EXPECT_TRUE(Events.Reports.empty());
}

TEST_F(TConverterTest, AHookOfARefusedOutputDoesNotStayForTheNextOutput) {
    const int task = Conv->AddTask(Media().Mp4H264Aac);
    ASSERT_EQ(task, 0) << Conv->LastError();
    TOutputOptions hooked;
    ResetOutputOptions(hooked);
    hooked.Hook = true;
    EXPECT_FALSE(Conv->SetOutputFile(task, Out.File("refused.nosuchformat"), &hooked));
    // A stream copy cannot feed a hook; with the refused output's hook gone it runs.
    TOutputOptions copy;
    ResetOutputOptions(copy);
    copy.VideoCodec = "copy";
    copy.AudioCodec = "copy";
    ASSERT_TRUE(Conv->SetOutputFile(task, Out.File("copy.mkv"), &copy)) << Conv->LastError();
    Conv->StartTask(0);
    ASSERT_EQ(Events.EndIndexes(), (std::vector<int>{0, -1}));
    EXPECT_EQ(Events.Ends[0].Info.ExceptionMsg, "");
    EXPECT_TRUE(Events.Ends[0].Info.Finished);
}

namespace {

int OpenFileCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// Lowers the soft open-file limit of this process for one test and restores it.
class TOpenFileLimit {
public:
    explicit TOpenFileLimit(rlim_t Soft) {
        getrlimit(RLIMIT_NOFILE, &Saved_);
        rlimit lowered = Saved_;
        lowered.rlim_cur = Soft;
        Set_ = setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~TOpenFileLimit() { setrlimit(RLIMIT_NOFILE, &Saved_); }
    bool Set() const { return Set_; }

private:
    rlimit Saved_{};
    bool Set_ = false;
};

} // namespace

// A batch far longer than the open-file limit allows to be open at once converts completely:
// queued tasks hold no file, each opens its input and output when its turn comes. A file gone
// between adding and running ends its task as failed with the open's reason; the rest run on.
TEST_P(TConverterRun, ABatchLongerThanTheOpenFileLimitConvertsCompletely) {
    const std::string source = Out.File("tiny.wav");
    fixtures::TMediaSpec spec;
    spec.Format = "wav";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 0.2;
    fixtures::MakeMedia(source, spec);
    const std::string doomed = Out.File("doomed.wav");
    std::filesystem::copy_file(source, doomed);

    constexpr int Tasks = 120;
    constexpr int Jobs = 2;
    const int baseline = OpenFileCount();
    TOpenFileLimit limit(rlim_t(baseline + 40));
    ASSERT_TRUE(limit.Set());
    for (int i = 0; i < Tasks; ++i)
        AddJob(i == 70 ? doomed : source, Out.File("b" + std::to_string(i) + ".mp3"));
    ASSERT_EQ(Conv->TaskCount(), Tasks);
    // Adding left only the last task holding its files (an input and an output).
    EXPECT_LE(OpenFileCount(), baseline + 2);
    std::filesystem::remove(doomed);

    std::atomic<int> peak{0};
    Conv->SetOnProgress([&](TCustomFFConverter&, PProgressInfo I) {
        const int n = OpenFileCount();
        for (int p = peak.load(); n > p && !peak.compare_exchange_weak(p, n);) {
        }
        Events.Add(*I);
    });
    RunToEnd(Jobs);

    std::lock_guard g(Events.Lock);
    ASSERT_EQ(Events.Ends.size(), size_t(Tasks + 1));
    int finished = 0;
    for (const TEnd& e : Events.Ends) {
        if (e.Info.TaskIndex == 70) {
            EXPECT_FALSE(e.Info.Finished);
            EXPECT_TRUE(e.Info.Exception);
            EXPECT_THAT(e.Info.ExceptionMsg, HasSubstr(doomed));
        } else if (e.Info.TaskIndex >= 0 && e.Info.Finished) {
            ++finished;
        }
    }
    EXPECT_EQ(finished, Tasks - 1);
    EXPECT_EQ(Events.Ends.back().Info.TaskIndex, -1);
    for (int i = 0; i < Tasks; ++i)
        if (i != 70) {
            EXPECT_GT(std::filesystem::file_size(Out.File("b" + std::to_string(i) + ".mp3")), 0u)
                << i;
        }
    EXPECT_FALSE(std::filesystem::exists(Out.File("b70.mp3")));
    // Two running tasks hold an input and an output each, plus the libraries' own few.
    EXPECT_LE(peak.load(), baseline + 2 * (Jobs + 1) + 8);
    // Ended tasks were released as the run went on (their places stay): only the last few are
    // still held, those that ended after the last start and those whose worker was still
    // finishing at the starts before it.
    EXPECT_EQ(Conv->TaskCount(), Tasks);
    int held = 0;
    for (int i = 0; i < Tasks; ++i)
        held += Conv->InputProbe(i, 0) != nullptr ? 1 : 0;
    EXPECT_LE(held, 3 * Jobs);
}

// A hundred conversions one after another in one process, each its own run as a batch of one:
// open files, threads and heap are where they were after the first few.
TEST_F(TConverterTest, AHundredConversionsInOneProcessLeaveFilesThreadsAndHeapFlat) {
    const std::string source = Out.File("short.wav");
    fixtures::TMediaSpec spec;
    spec.Format = "wav";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 0.2;
    fixtures::MakeMedia(source, spec);
    const auto convert = [&](int i) {
        {
            std::lock_guard g(Events.Lock);
            Events.Ends.clear();
            Events.Reports.clear();
        }
        const std::string target = Out.File("c" + std::to_string(i % 3) + ".mp3");
        std::filesystem::remove(target);
        AddJob(source, target);
        Conv->StartTask(1);
        ASSERT_TRUE(Events.WaitFinal());
        std::lock_guard g(Events.Lock);
        ASSERT_EQ(Events.Ends.size(), 2u);
        EXPECT_TRUE(Events.Ends[0].Info.Finished) << i << ": " << Events.Ends[0].Info.ExceptionMsg;
        Conv->ClearTasks();
    };
    for (int i = 0; i < 5; ++i)
        convert(i); // libraries' one-time set-up and caches
    const int files = fixtures::OpenFileCount();
    const int threads = fixtures::ProcessThreadCount();
    const std::size_t heap = fixtures::HeapInUse();
    for (int i = 0; i < 100; ++i) {
        convert(i);
        if (HasFatalFailure())
            return;
    }
    EXPECT_LE(fixtures::OpenFileCount(), files);
    EXPECT_LE(fixtures::ThreadCountSettledAt(threads), threads);
    EXPECT_LE(fixtures::HeapInUse(), heap + fixtures::HeapGrowthAllowed);
}
