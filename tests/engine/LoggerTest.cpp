#include "EngineTestSupport.h"

#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

using enginetest::TDispatcherScope;
using enginetest::TQueueDispatcher;

TEST(LogLevelTest, LibraryLevelsMapBothWays) {
    const struct {
        int Numeric;
        TLogLevel Level;
    } cases[] = {{-8, llQuiet}, {-9, llQuiet},   {-15, llQuiet},  {-16, llQuiet}, {-1, llPanic},
                 {0, llPanic},  {7, llPanic},    {8, llFatal},    {16, llError},  {24, llWarning},
                 {32, llInfo},  {40, llVerbose}, {47, llVerbose}, {48, llDebug},  {56, llDebug},
                 {1000, llDebug}};
    for (const auto& c : cases)
        EXPECT_EQ(LogLevelFromLibrary(c.Numeric), c.Level) << c.Numeric;
    EXPECT_EQ(LibraryLevelOf(llQuiet), AV_LOG_QUIET);
    EXPECT_EQ(LibraryLevelOf(llPanic), AV_LOG_PANIC);
    EXPECT_EQ(LibraryLevelOf(llInfo), AV_LOG_INFO);
    EXPECT_EQ(LibraryLevelOf(llDebug), AV_LOG_DEBUG);
}

namespace {

struct TEvent {
    const void* Sender;
    uint32_t Thread;
    TLogLevel Level;
    std::string Msg;
    std::thread::id Runner; // the thread the handler ran on
};

struct TAVFormatContextDeleter {
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};

// The global logger is process-wide: every test installs its own handler and gets the level,
// the handler, the trigger mode and the dispatcher restored afterwards.
class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().LoadLibs(EngineLibraries)) << FFLoader().LastError();
        Saved_ = GetLogger().LogLevel();
        GetLogger().SetLogLevel(llInfo);
        GetLogger().SetTriggerEventInMainThread(true);
        GetLogger().SetOnLog([this](const void* Sender, uint32_t Thread, TLogLevel Level,
                                    const std::string& Msg) {
            std::lock_guard g(Lock_);
            Events_.push_back({Sender, Thread, Level, Msg, std::this_thread::get_id()});
        });
    }
    void TearDown() override {
        GetLogger().SetOnLog(nullptr);
        GetLogger().SetTriggerEventInMainThread(true);
        GetLogger().SetLogLevel(Saved_);
        SetMainThreadDispatcher(nullptr);
    }

    std::vector<TEvent> Events() {
        std::lock_guard g(Lock_);
        return Events_;
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> m;
        for (const TEvent& e : Events())
            m.push_back(e.Msg);
        return m;
    }
    void Clear() {
        std::lock_guard g(Lock_);
        Events_.clear();
    }

private:
    TLogLevel Saved_ = llInfo;
    std::mutex Lock_; // guards Events_
    std::vector<TEvent> Events_;
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F(LoggerTest, SetLogLevelByNameAcceptsNamesAndNumbers) {
    TFFLogger& logger = GetLogger();
    logger.SetLogLevelByName("DEBUG");
    EXPECT_EQ(logger.LogLevel(), llDebug);
    // The library callback is installed, so the level reaches the libraries too.
    EXPECT_EQ(CurrentLibraryLogLevel(), AV_LOG_DEBUG);
    EXPECT_EQ(av_log_get_level(), AV_LOG_DEBUG);

    logger.SetLogLevelByName("40");
    EXPECT_EQ(logger.LogLevel(), llVerbose);
    logger.SetLogLevelByName("Warning");
    EXPECT_EQ(logger.LogLevel(), llWarning);
    logger.SetLogLevelByName("-16");
    EXPECT_EQ(logger.LogLevel(), llQuiet);
    EXPECT_EQ(av_log_get_level(), AV_LOG_QUIET);

    EXPECT_THROW(logger.SetLogLevelByName("abc"), FFmpegException);
    EXPECT_THROW(logger.SetLogLevelByName("12abc"), FFmpegException);
    EXPECT_THROW(logger.SetLogLevelByName(""), FFmpegException);
    EXPECT_EQ(logger.LogLevel(), llQuiet);
}

TEST_F(LoggerTest, EngineMessagesPassTheFilter) {
    TFFLogger& logger = GetLogger();
    int sender = 0;

    logger.SetLogLevel(llQuiet);
    logger.LogMessage(&sender, llQuiet, "stop error");
    logger.LogMessage(&sender, llVerbose, "status quiet");
    logger.LogMessage(&sender, llPanic, "panic quiet");

    logger.SetLogLevel(llPanic);
    logger.LogMessage(&sender, llVerbose, "status panic");
    logger.LogMessage(&sender, llError, "error panic");
    logger.LogMessage(&sender, llPanic, "panic panic");

    logger.SetLogLevel(llInfo);
    logger.LogFormat(&sender, llInfo, "%s %d", "info", 5);
    logger.LogMessage(&sender, llDebug, "debug info");

    EXPECT_EQ(Messages(), (Strings{"stop error", "status panic", "panic panic", "info 5"}));
    const std::vector<TEvent> events = Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].Sender, &sender);
    EXPECT_EQ(events[0].Level, llQuiet);
    EXPECT_EQ(events[0].Thread, CurrentThreadID());
    EXPECT_EQ(events[1].Level, llVerbose);

    // A failing handler's exception reaches the code that logged.
    logger.SetOnLog([](const void*, uint32_t, TLogLevel, const std::string&) {
        throw std::runtime_error("handler failed");
    });
    EXPECT_THROW(logger.LogMessage(&sender, llError, "x"), std::runtime_error);
}

TEST_F(LoggerTest, LibraryOutputAboveTheLibraryLevelIsDropped) {
    TFFLogger& logger = GetLogger();
    logger.SetLogLevel(llWarning);
    av_log(nullptr, AV_LOG_INFO, "info line\n");
    av_log(nullptr, AV_LOG_WARNING, "warning line\n");
    av_log(nullptr, AV_LOG_ERROR, "error %d\n", 7);
    av_log(nullptr, AV_LOG_DEBUG, "debug line\n");
    logger.SetLogLevel(llQuiet);
    av_log(nullptr, AV_LOG_PANIC, "panic line\n");

    const std::vector<TEvent> events = Events();
    ASSERT_EQ(Messages(), (Strings{"warning line", "error 7"}));
    EXPECT_EQ(events[0].Level, llWarning);
    EXPECT_EQ(events[1].Level, llError);
    EXPECT_EQ(events[0].Sender, &logger);
    EXPECT_EQ(events[0].Thread, CurrentThreadID());
}

TEST_F(LoggerTest, LibraryLineInPiecesIsOneEventWithTheFirstPrefix) {
    AVFormatContext* raw = nullptr;
    ASSERT_GE(avformat_alloc_output_context2(&raw, nullptr, "wav", nullptr), 0);
    std::unique_ptr<AVFormatContext, TAVFormatContextDeleter> ctx(raw);
    char address[32];
    std::snprintf(address, sizeof address, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(raw)));
    const std::string prefix = std::string("[wav @ ") + address + "]";

    av_log(raw, AV_LOG_INFO, "first %d,", 1);
    av_log(raw, AV_LOG_INFO, " second\n");
    av_log(raw, AV_LOG_INFO, "third");
    EXPECT_EQ(Messages(), (Strings{prefix + "first 1, second"}));

    // The third piece started a new line and waits for the next call of this thread; a
    // continuation carries no prefix of its own, and one call may complete several lines.
    av_log(raw, AV_LOG_INFO, " piece\nfourth\nfifth\n");
    EXPECT_EQ(Messages(),
              (Strings{prefix + "first 1, second", prefix + "third piece", "fourth", "fifth"}));
}

TEST_F(LoggerTest, ThreadsWritingPartialLinesAlternatelyGetTheirOwnLines) {
    GetLogger().SetTriggerEventInMainThread(false);
    std::mutex m;
    std::condition_variable cv;
    int turn = 0;
    // Each thread writes its piece only on its own turns: A 0, 2, 4, 6 and B 1, 3, 5, 7.
    auto writer = [&](int first, const char* name, uint32_t& tid) {
        tid = CurrentThreadID();
        const char* const pieces[] = {"%s1 ", "%s2\n", "%s3 ", "%s4\n"};
        for (int i = 0; i < 4; ++i) {
            std::unique_lock l(m);
            cv.wait(l, [&] { return turn == first + 2 * i; });
            av_log(nullptr, AV_LOG_INFO, pieces[i], name);
            ++turn;
            cv.notify_all();
        }
    };
    uint32_t tidA = 0, tidB = 0;
    std::thread a(writer, 0, "A", std::ref(tidA));
    std::thread b(writer, 1, "B", std::ref(tidB));
    a.join();
    b.join();

    const std::vector<TEvent> events = Events();
    ASSERT_EQ(Messages(), (Strings{"A1 A2", "B1 B2", "A3 A4", "B3 B4"}));
    EXPECT_NE(tidA, tidB);
    EXPECT_EQ(events[0].Thread, tidA);
    EXPECT_EQ(events[1].Thread, tidB);
    EXPECT_EQ(events[2].Thread, tidA);
    EXPECT_EQ(events[3].Thread, tidB);
}

TEST_F(LoggerTest, OnlyOneLoggerMayExist) {
    TFFLogger& global = GetLogger();
    try {
        TFFLogger second;
        ADD_FAILURE() << "a second logger was created";
    } catch (const EAssertionFailed& e) {
        EXPECT_NE(std::string(e.what()).find("Allow creating only one instance of TFFLogger."),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(&GetLogger(), &global);
}

TEST_F(LoggerTest, EventsFromWorkersRunOnTheMainThreadThroughTheDispatcher) {
    TFFLogger& logger = GetLogger();
    const std::thread::id mainId = std::this_thread::get_id();
    int sender = 0;
    uint32_t workerTid = 0;
    std::thread::id workerId;
    auto work = [&] {
        workerTid = CurrentThreadID();
        workerId = std::this_thread::get_id();
        logger.LogMessage(&sender, llInfo, "engine line");
        av_log(nullptr, AV_LOG_INFO, "library line\n");
    };

    {
        TQueueDispatcher dispatcher;
        TDispatcherScope scope(&dispatcher);
        dispatcher.RunWorker(work);
        std::vector<TEvent> events = Events();
        ASSERT_EQ(Messages(), (Strings{"engine line", "library line"}));
        for (const TEvent& e : events) {
            EXPECT_EQ(e.Runner, mainId) << e.Msg;
            EXPECT_EQ(e.Thread, workerTid) << e.Msg;
        }
        EXPECT_EQ(dispatcher.Queued(), 2);

        // Switched off, the worker delivers on its own thread although a dispatcher exists.
        Clear();
        logger.SetTriggerEventInMainThread(false);
        dispatcher.RunWorker(work);
        events = Events();
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].Runner, workerId);
        EXPECT_EQ(events[1].Runner, workerId);
        EXPECT_EQ(dispatcher.Queued(), 2);
        logger.SetTriggerEventInMainThread(true);
    }

    // Without a dispatcher events come on the calling thread.
    Clear();
    std::thread worker(work);
    worker.join();
    const std::vector<TEvent> events = Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Runner, workerId);
    EXPECT_EQ(events[1].Runner, workerId);
    EXPECT_EQ(events[1].Thread, workerTid);
}

TEST(LoggerInstanceTest, LoadingTheLibrariesLeavesRoomForTheApplicationsLogger) {
    // A fresh process: this one already has its global logger.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (!FFLoader().LoadLibs(EngineLibraries))
                std::_Exit(2);
            TFFLogger mine; // raises when loading created a hidden logger
            mine.SetLogLevel(llDebug);
            const bool ok = &GetLogger() == &mine && av_log_get_level() == AV_LOG_DEBUG;
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
