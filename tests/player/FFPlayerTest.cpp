// The player component on real media with SDL's dummy audio: timing, pause, seek, the end of a
// file, state order, a stalled input, the hook, audio-only files and clean shutdown.

#include "PlayerTestSupport.h"
#include "fixtures/ProcessUsage.h"
#include "fixtures/StalledFifo.h"

#include "engine/EngineTestSupport.h"
#include "engine/FFLogger.h"
#include "engine/FFUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

extern "C" {
#include <libavutil/error.h>
}

namespace {

using namespace playertest;
using namespace std::chrono_literals;

const fixtures::TFixtureSet& Media() { return fixtures::Fixtures(); }

// The pixel at the centre of a bitmap as B, G, R.
std::array<int, 3> CentrePixel(const TBitmap24& Bitmap) {
    const uint8_t* p = Bitmap.ScanLine(Bitmap.Height() / 2) + size_t(Bitmap.Width() / 2) * 3;
    return {p[0], p[1], p[2]};
}

std::shared_ptr<const TBitmap24> LatestBitmap(const TRecordingSink& Sink) {
    const auto entries = Sink.Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->Bitmap)
            return it->Bitmap;
    return nullptr;
}

bool RowIsWhite(const TBitmap24& Bitmap, int Row) {
    const uint8_t* p = Bitmap.ScanLine(Row);
    for (int i = 0; i < Bitmap.Width() * 3; ++i)
        if (p[i] != 0xFF)
            return false;
    return true;
}

using FFPlayerTest = PlayerTest;

TEST_F(FFPlayerTest, WithoutAFileThereIsNoFrameAndNothingPlays) {
    TFFPlayer player;
    int64_t pts = 0;
    TBitmap24& frame = player.CurrentFrame(&pts);
    EXPECT_EQ(frame.Width(), 0);
    EXPECT_EQ(frame.Height(), 0);
    EXPECT_EQ(pts, -1);
    EXPECT_TRUE(player.Paused());
    EXPECT_EQ(player.Position(), -1);
    player.Seek(0, true, 1000000); // nothing to do, returns at once
    player.Stop(true);
}

TEST_F(FFPlayerTest, OpenReportsWhyItFailed) {
    TFFPlayer player;
    FFLoader().UnloadLibs(PlayerLibraries);
    EXPECT_FALSE(player.LibrariesLoaded());
    EXPECT_FALSE(player.Open(Media().Mp4H264Aac, nullptr));
    EXPECT_EQ(player.LastError(), "libav or libsdl not loaded.");
    ASSERT_TRUE(player.LoadLibraries(""));

    const std::string missing = Media().Dir + "/no-such-file.mp4";
    EXPECT_FALSE(player.Open(missing, nullptr));
    EXPECT_EQ(player.LastError(), ErrorText(missing, AVERROR(ENOENT)));

    player.SetDisableAudio(true);
    player.SetDisableVideo(true);
    EXPECT_FALSE(player.Open(Media().Mp4H264Aac, nullptr));
    EXPECT_EQ(player.LastError(), Media().Mp4H264Aac + ": could not open codecs, no stream to play.");
    EXPECT_TRUE(player.Paused());
}

TEST_F(FFPlayerTest, PositionsAdvanceAtRealTimeRateAndPicturesFitTheScreen) {
    const std::string file = LongH264Aac();
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink(400, 200);
    int64_t duration = 0;
    int frameWidth = 0, frameHeight = 0;
    player.SetOnFileOpen([&](TFFPlayer*, int64_t D, int W, int H, int&, int&) {
        duration = D;
        frameWidth = W;
        frameHeight = H;
    });
    ASSERT_TRUE(player.Open(file, &sink)) << player.LastError();
    EXPECT_NEAR(double(duration), 8e6, 1e5);
    EXPECT_EQ(frameWidth, 320);
    EXPECT_EQ(frameHeight, 240);
    EXPECT_EQ(player.ScreenWidth(), 400); // taken from the sink
    EXPECT_EQ(player.ScreenHeight(), 200);

    ASSERT_TRUE(events.WaitPosition([](int64_t P) { return P > 500000; }, 3s));
    const auto start = events.Positions().back();
    ASSERT_TRUE(events.WaitPosition([&](int64_t P) { return P > start.PTS + 2500000; }, 5s));
    const auto end = events.Positions().back();
    const double rate = double(end.PTS - start.PTS) / 1e6 / SecondsSince(start.At, end.At);
    EXPECT_NEAR(rate, 1.0, 0.05);

    const auto positions = events.Positions();
    for (size_t i = 1; i < positions.size(); ++i)
        EXPECT_GT(positions[i].PTS, positions[i - 1].PTS) << i;

    const auto pictures = sink.Entries();
    ASSERT_GT(pictures.size(), 40u);
    for (size_t i = 1; i < pictures.size(); ++i)
        EXPECT_GT(pictures[i].PTS, pictures[i - 1].PTS) << i;
    // A 4:3 picture on a 400 x 200 area: full height, centred.
    const auto& last = pictures.back();
    EXPECT_EQ(last.SurfaceWidth, 400);
    EXPECT_EQ(last.SurfaceHeight, 200);
    EXPECT_EQ(last.Width, 266);
    EXPECT_EQ(last.Height, 200);
    EXPECT_EQ(last.Left, 67);
    EXPECT_EQ(last.Top, 0);

    player.Stop(true);
    const auto states = events.States();
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.front(), psPlay);
    EXPECT_EQ(states.back(), psStop);
    EXPECT_TRUE(player.Paused());
}

TEST_F(FFPlayerTest, PauseFreezesThePositionAndResumeContinuesFromIt) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(LongH264Aac(), &sink)) << player.LastError();
    ASSERT_TRUE(events.WaitPosition([](int64_t P) { return P > 500000; }, 3s));

    player.Pause();
    EXPECT_TRUE(player.Paused());
    ASSERT_TRUE(events.WaitState(psPause, 1s));
    // Pictures queued before the pause may still show (later on a slow or sanitized build):
    // wait until nothing has moved for 300 ms. A player that plays on never settles.
    int64_t frozen = player.Position();
    size_t shown = sink.Count();
    for (const auto settleBy = Clock::now() + 3s; Clock::now() < settleBy;) {
        std::this_thread::sleep_for(300ms);
        if (player.Position() == frozen && sink.Count() == shown)
            break;
        frozen = player.Position();
        shown = sink.Count();
    }
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(player.Position(), frozen);
    EXPECT_EQ(sink.Count(), shown);

    events.ClearPositions();
    const auto resumed = Clock::now();
    player.Resume();
    EXPECT_FALSE(player.Paused());
    ASSERT_TRUE(events.WaitState(psResume, 1s));
    ASSERT_TRUE(events.WaitPosition([&](int64_t P) { return P > frozen + 500000; }, 3s));
    const auto positions = events.Positions();
    EXPECT_LT(positions.front().PTS, frozen + 200000); // no jump over the paused time
    EXPECT_GT(SecondsSince(resumed, positions.back().At), 0.4);
    player.Stop(true);
}

TEST_F(FFPlayerTest, SeekShowsItsFirstPictureSoonAndPlaysOnFromThere) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(LongH264Aac(), &sink)) << player.LastError();
    ASSERT_TRUE(events.WaitPosition([](int64_t P) { return P > 300000; }, 3s));

    const int64_t target = 4000000; // half of the file
    const int64_t keyframeSlack = 600000;
    const size_t before = sink.Count();
    const auto asked = Clock::now();
    player.Seek(0, false, target);
    auto firstAfter = [&](const std::vector<TRecordingSink::TEntry>& E) -> const TRecordingSink::TEntry* {
        for (size_t i = before; i < E.size(); ++i)
            if (E[i].PTS >= target - keyframeSlack)
                return &E[i];
        return nullptr;
    };
    ASSERT_TRUE(sink.WaitFor([&](const auto& E) { return firstAfter(E) != nullptr; }, 2s));
    const auto entries = sink.Entries();
    const auto* first = firstAfter(entries);
    EXPECT_LT(SecondsSince(asked, first->At), 0.3);

    ASSERT_TRUE(events.WaitPosition([&](int64_t P) { return P > target + 500000; }, 3s));
    const auto later = sink.Entries();
    bool reached = false;
    for (size_t i = before; i < later.size(); ++i) {
        if (later[i].PTS >= target - keyframeSlack)
            reached = true;
        else if (reached)
            ADD_FAILURE() << "picture from before the seek shown after it: " << later[i].PTS;
    }
    player.Stop(true);
}

TEST_F(FFPlayerTest, EndOfFileReportsEndAndKeepsTheFileOpenForRewinding) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(Media().Mp4H264Aac, &sink)) << player.LastError();
    ASSERT_TRUE(events.WaitState(psEnd, 6s));
    EXPECT_FALSE(player.Paused());
    for (TPlayState s : events.States())
        EXPECT_NE(s, psStop);

    // What the main window does on psEnd: back to the start, paused on the first picture.
    const size_t before = sink.Count();
    player.Seek(sfAny, false, 0);
    player.Pause();
    EXPECT_TRUE(player.Paused());
    ASSERT_TRUE(sink.WaitFor([&](const auto& E) {
        for (size_t i = before; i < E.size(); ++i)
            if (E[i].PTS < 200000)
                return true;
        return false;
    }, 2s)) << "position " << player.Position() << ", " << sink.Count() - before
             << " pictures shown after the seek";
    int64_t pts = -1;
    TBitmap24& frame = player.CurrentFrame(&pts);
    EXPECT_EQ(frame.Width(), 320);
    EXPECT_EQ(frame.Height(), 240);
    EXPECT_GE(pts, 0);
    EXPECT_LT(pts, 200000);

    player.Stop(true);
    EXPECT_EQ(events.States().back(), psStop);
}

TEST_F(FFPlayerTest, OpeningASecondFileDeliversStopBeforeTheNewPlay) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    ASSERT_TRUE(player.Open(Media().Mp4H264Aac, nullptr)) << player.LastError();
    ASSERT_TRUE(events.WaitState(psPlay, 2s));
    ASSERT_TRUE(player.Open(Media().Wav, nullptr)) << player.LastError();
    // Open returns after the first file's psStop went out.
    auto states = events.States();
    ASSERT_GE(states.size(), 2u);
    EXPECT_EQ(states[0], psPlay);
    EXPECT_EQ(states[1], psStop);
    ASSERT_TRUE(events.WaitStateCount(3, 2s));
    states = events.States();
    EXPECT_EQ(states[2], psPlay);
    EXPECT_EQ(player.FileName(), Media().Wav);
    player.Stop(true);
}

TEST_F(FFPlayerTest, PositionsPostedDuringASlowHandlerArriveAsOneLatestValue) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    std::atomic<bool> blocked{false};
    events.SetPositionHook([&](int64_t) {
        if (!blocked.exchange(true))
            std::this_thread::sleep_for(400ms); // a slow handler; pictures go on meanwhile
    });
    ASSERT_TRUE(player.Open(LongH264Aac(), nullptr)) << player.LastError();
    ASSERT_TRUE(events.WaitPosition([](int64_t) { return true; }, 3s));
    std::this_thread::sleep_for(600ms);
    const auto positions = events.Positions();
    ASSERT_GE(positions.size(), 3u);
    // About ten positions were computed during the 400 ms; only the newest was delivered: the
    // next one is several pictures on (a loaded machine may play a little slower meanwhile),
    // not the picture after.
    EXPECT_GE(SecondsSince(positions[0].At, positions[1].At), 0.35);
    EXPECT_GE(positions[1].PTS - positions[0].PTS, 160000);
    EXPECT_LT(positions[2].PTS - positions[1].PTS, 150000);
    player.Stop(true);
}

TEST_F(FFPlayerTest, PauseOnOpenStopsAfterTheFirstPictures) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(Media().Mp4H264Aac, &sink, true)) << player.LastError();
    ASSERT_TRUE(events.WaitState(psPause, 2s));
    EXPECT_TRUE(player.Paused());
    // An undelivered psPlay may have been replaced by the newer psPause.
    EXPECT_EQ(events.States().back(), psPause);
    ASSERT_TRUE(sink.WaitFor([](const auto& E) { return !E.empty(); }, 2s));
    std::this_thread::sleep_for(200ms);
    int64_t pts = -1;
    player.CurrentFrame(&pts);
    EXPECT_GE(pts, 0);
    EXPECT_LT(pts, 200000);
    player.Resume();
    ASSERT_TRUE(events.WaitPosition([](int64_t P) { return P > 500000; }, 3s));
    player.Stop(true);
}

TEST_F(FFPlayerTest, WhatTheHookPaintsIsWhatTheSinkShows) {
    TFFPlayer player;
    TRecordingSink sink;
    std::atomic<int> calls{0};
    std::atomic<bool> ordered{true};
    std::atomic<int64_t> lastPts{-1};
    player.SetHook(true);
    player.SetOnHook([&](TFFPlayer*, TBitmap24& Bitmap, int64_t PTS) {
        EXPECT_EQ(Bitmap.Width(), 320);
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x) {
                uint8_t* p = Bitmap.ScanLine(y) + size_t(x) * 3;
                p[0] = 0;   // B
                p[1] = 0;   // G
                p[2] = 255; // R
            }
        if (PTS <= lastPts)
            ordered = false;
        lastPts = PTS;
        ++calls;
    });
    ASSERT_TRUE(player.Open(Media().Mp4H264Aac, &sink)) << player.LastError();
    ASSERT_TRUE(sink.WaitFor([](const auto& E) { return E.size() >= 10; }, 3s));
    const auto shown = LatestBitmap(sink);
    ASSERT_TRUE(shown);
    const auto pixel = CentrePixel(*shown);
    EXPECT_LT(pixel[0], 60);
    EXPECT_LT(pixel[1], 60);
    EXPECT_GT(pixel[2], 200);
    int64_t pts = -1;
    const auto frame = CentrePixel(player.CurrentFrame(&pts));
    EXPECT_GE(pts, 0);
    EXPECT_GT(frame[2], 200);
    EXPECT_LT(frame[1], 60);
    player.Stop(true);
    EXPECT_GE(calls, 10);
    EXPECT_TRUE(ordered);
}

TEST_F(FFPlayerTest, AudioOnlyFileShowsAWaveformAndClampsPositionsToItsDuration) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink(320, 200);
    int64_t duration = 0;
    int frameWidth = 0;
    player.SetOnFileOpen([&](TFFPlayer*, int64_t D, int W, int, int&, int&) {
        duration = D;
        frameWidth = W;
    });
    ASSERT_TRUE(player.Open(Media().Wav, &sink)) << player.LastError();
    EXPECT_EQ(frameWidth, -1);
    ASSERT_GT(duration, 0);
    ASSERT_TRUE(events.WaitState(psEnd, 5s));
    ASSERT_TRUE(events.WaitPosition([&](int64_t P) { return P == duration; }, 1s));
    for (const auto& p : events.Positions())
        EXPECT_LE(p.PTS, duration);

    const auto pictures = sink.Entries();
    ASSERT_GT(pictures.size(), 20u);
    for (const auto& p : pictures) {
        EXPECT_EQ(p.PTS, NoMediaTime);
        EXPECT_EQ(p.Width, 320);
        EXPECT_EQ(p.Height, 200);
    }
    const auto wave = LatestBitmap(sink);
    ASSERT_TRUE(wave);
    int white = 0;
    for (int y = 0; y < wave->Height(); ++y)
        for (int x = 0; x < wave->Width(); ++x)
            white += wave->ScanLine(y)[x * 3] == 0xFF;
    EXPECT_GT(white, 2 * wave->Width());                   // the tone is drawn
    EXPECT_LT(white, wave->Width() * wave->Height() / 2);  // on black
    EXPECT_TRUE(RowIsWhite(*wave, 100)); // stereo: two bands
    player.Stop(true);
}

TEST_F(FFPlayerTest, SixChannelAudioPlaysAsStereo) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink(320, 240);
    ASSERT_TRUE(player.Open(Media().Surround51, &sink)) << player.LastError();
    ASSERT_TRUE(events.WaitPosition([](int64_t P) { return P > 500000; }, 3s));
    const auto wave = LatestBitmap(sink);
    ASSERT_TRUE(wave);
    EXPECT_TRUE(RowIsWhite(*wave, 120));  // the separator of two bands
    EXPECT_FALSE(RowIsWhite(*wave, 40));  // six bands would have one here
    EXPECT_FALSE(RowIsWhite(*wave, 80));
    player.Stop(true);
}

// Long enough that the stream analysis (5 s for this container) ends before a stall at 70 %.
std::string LongMpeg() {
    fixtures::TMediaSpec spec;
    spec.Format = "mpeg";
    spec.VideoEncoder = "mpeg2video";
    spec.AudioEncoders = {"mp2"};
    spec.Seconds = 12.0;
    return FixtureMediaOnce("player-mpeg2-mp2-12s.mpg", spec);
}

// A FIFO that delivers the first 70 % of LongMpeg() and then stalls. Path() is read through the
// engine's file routines, whose wait a stop ends; UnreachableURL() reads the same pipe through
// the libraries' "pipe:" protocol on a blocking descriptor, whose read waits inside the kernel
// where no stop reaches (as for a network share that hangs).
class TStalledInput {
public:
    explicit TStalledInput(const std::string& Name)
        : Path_(Media().Dir + "/" + Name + "-" + std::to_string(::getpid()) + ".mpg") {
        const std::string source = LongMpeg();
        ::unlink(Path_.c_str());
        Fifo_.emplace(Path_, fixtures::FileHead(source, size_t(std::filesystem::file_size(source)) * 7 / 10));
    }
    const std::string& Path() const { return Path_; }
    // The descriptor stays open until the process ends: it belongs to the read thread the player
    // abandons, which nothing joins, so no close here could be ordered after that thread's last
    // read (and the libraries' pipe protocol may close it, and the number be reused, first).
    std::string UnreachableURL() {
        const int fd = ::open(Path_.c_str(), O_RDONLY | O_CLOEXEC); // the writer connects at once
        return "pipe:" + std::to_string(fd);
    }
    // Ends the stall: the pipe closes, a read still waiting sees its end.
    void Release() { Fifo_.reset(); }

private:
    std::string Path_;
    std::optional<fixtures::TStalledFifo> Fifo_;
};

// Plays URL until its input has stalled, then stops it: how long Stop(true) took. AfterStop runs
// before the player goes.
double StopOnceStalled(const std::string& URL, const std::function<void()>& AfterStop = {}) {
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    if (!player.Open(URL, &sink)) {
        ADD_FAILURE() << player.LastError();
        return -1;
    }
    EXPECT_TRUE(sink.WaitFor([](const auto& E) { return E.size() >= 3; }, 3s));
    std::this_thread::sleep_for(300ms); // the read thread has used up what was written
    const auto asked = Clock::now();
    player.Stop(true);
    const double took = SecondsSince(asked, Clock::now());
    EXPECT_EQ(events.States().back(), psStop);
    EXPECT_TRUE(player.Paused());
    if (AfterStop)
        AfterStop();
    return took;
}

// Stop ends the read that waits for the stalled pipe: the read thread ends with the playback.
TEST_F(FFPlayerTest, StopEndsAReadWaitingOnAStalledInput) {
    TStalledInput input("stalled");
    const int baseline = ThreadCount();
    // A hang guard, not a speed goal (abandoning a stuck read would take about a second).
    EXPECT_LT(StopOnceStalled(input.Path()), 4.0);
    // Ended, not abandoned: no thread waits for the pipe, which is still silent.
    for (int i = 0; i < 100 && ThreadCount() > baseline; ++i)
        std::this_thread::sleep_for(20ms);
    EXPECT_LE(ThreadCount(), baseline);
}

TEST_F(FFPlayerTest, StopAbandonsAReadStuckWhereNoStopReachesAfterAboutTenAttempts) {
    TStalledInput input("stuck");
    const int baseline = ThreadCount();
    // The abandoned read thread sees the end once released and finishes on its own.
    const double took = StopOnceStalled(input.UnreachableURL(), [&] { input.Release(); });
    EXPECT_GT(took, 0.9);
    EXPECT_LT(took, 4.0);
    for (int i = 0; i < 100 && ThreadCount() > baseline; ++i)
        std::this_thread::sleep_for(20ms);
    EXPECT_LE(ThreadCount(), baseline);
}

TEST_F(FFPlayerTest, EventsReachTheMainThreadAndItsWaitsKeepThemFlowing) {
    TQueuedDispatcher dispatcher;
    std::atomic<int> offMain{0};
    std::atomic<int> logLines{0};
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel, const std::string&) {
        offMain += !IsMainThread();
        ++logLines;
    });
    {
        TFFPlayer player;
        std::vector<TPlayState> states;
        int positions = 0;
        player.SetOnPosition([&](TFFPlayer*, int64_t) {
            offMain += !IsMainThread();
            ++positions;
        });
        player.SetOnState([&](TFFPlayer*, TPlayState S) {
            offMain += !IsMainThread();
            states.push_back(S);
        });
        ASSERT_TRUE(player.Open(Media().Mp4H264Aac, nullptr)) << player.LastError();
        const auto until = Clock::now() + 2500ms; // past the end: the read thread logs it
        while (Clock::now() < until) {
            ProcessMessages();
            std::this_thread::sleep_for(5ms);
        }
        EXPECT_GT(positions, 10);
        // Waiting calls made on the main thread while deliveries are pending must not lock.
        player.Seek(sfAny, true, 0);
        player.Pause();
        player.Resume();
        player.Stop(true);
        ASSERT_FALSE(states.empty());
        EXPECT_EQ(states.front(), psPlay);
        EXPECT_EQ(states.back(), psStop);
        EXPECT_NE(std::find(states.begin(), states.end(), psEnd), states.end());
    }
    GetLogger().SetOnLog({});
    EXPECT_GT(logLines, 0);
    EXPECT_EQ(offMain, 0);
}

TEST_F(FFPlayerTest, AHandlerMayStopAndReopenThePlayer) {
    TQueuedDispatcher dispatcher;
    TFFPlayer player;
    std::vector<TPlayState> states;
    bool reopened = false;
    // On the main thread, as the application gets it: the end of one file opens the next.
    player.SetOnState([&](TFFPlayer* Sender, TPlayState S) {
        states.push_back(S);
        if (S == psEnd && !reopened) {
            reopened = true;
            EXPECT_TRUE(Sender->Open(Media().Wav, nullptr)) << Sender->LastError();
        }
    });
    ASSERT_TRUE(player.Open(Media().Mp4H264Aac, nullptr)) << player.LastError();
    const auto until = Clock::now() + 6s;
    while (std::count(states.begin(), states.end(), psPlay) < 2 && Clock::now() < until) {
        ProcessMessages();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(reopened);
    EXPECT_EQ(std::count(states.begin(), states.end(), psPlay), 2);
    // The first file still reports its stop, between its end and the second file's play.
    const auto second = std::find(std::find(states.begin(), states.end(), psPlay) + 1,
                                  states.end(), psPlay);
    const auto end = std::find(states.begin(), states.end(), psEnd);
    ASSERT_NE(end, states.end());
    EXPECT_NE(std::find(end, second, psStop), second);
    EXPECT_EQ(player.FileName(), Media().Wav);
    player.Stop(true);
    EXPECT_EQ(states.back(), psStop);
}

TEST_F(FFPlayerTest, RepeatedOpenSeekStopLeavesNoThreadBehind) {
    TRecordingSink sink;
    {
        TFFPlayer warmUp;
        ASSERT_TRUE(warmUp.Open(Media().Mp4H264Aac, &sink)) << warmUp.LastError();
        warmUp.Stop(true);
    }
    const int baseline = ThreadCount();
    const int files = fixtures::OpenFileCount();
    const std::size_t heap = fixtures::HeapInUse();
    {
        TFFPlayer player;
        TEventRecorder events;
        events.Attach(player);
        for (int i = 0; i < 100; ++i) {
            const std::string& file = i % 4 == 3 ? Media().Wav : Media().Mp4H264Aac;
            ASSERT_TRUE(player.Open(file, &sink)) << i << ": " << player.LastError();
            player.Seek(0, i % 2 == 0, 1000000);
            player.Stop(true);
            EXPECT_EQ(ThreadCountSettledAt(baseline), baseline) << i;
        }
        EXPECT_EQ(events.States().back(), psStop);
        EXPECT_LE(fixtures::OpenFileCount(), files);
    }
    EXPECT_EQ(ThreadCountSettledAt(baseline), baseline);
    EXPECT_LE(fixtures::OpenFileCount(), files);
    EXPECT_LE(fixtures::HeapInUse(), heap + fixtures::HeapGrowthAllowed);
}

// A hundred players made, opened and destroyed (as each dialog's own player is): nothing of them
// stays.
TEST_F(FFPlayerTest, AHundredPlayersOpenedAndDestroyedLeaveNothingBehind) {
    TRecordingSink sink;
    const auto cycle = [&](int i) {
        TFFPlayer player;
        ASSERT_TRUE(player.Open(i % 2 ? Media().Wav : Media().Mp4H264Aac, &sink))
            << i << ": " << player.LastError();
        if (i % 3 == 0)
            player.Stop(true);
    };
    for (int i = 0; i < 3; ++i)
        cycle(i);
    const int threads = ThreadCount();
    const int files = fixtures::OpenFileCount();
    const std::size_t heap = fixtures::HeapInUse();
    for (int i = 0; i < 100; ++i) {
        cycle(i);
        if (HasFatalFailure())
            return;
    }
    EXPECT_LE(ThreadCountSettledAt(threads), threads);
    EXPECT_LE(fixtures::OpenFileCount(), files);
    EXPECT_LE(fixtures::HeapInUse(), heap + fixtures::HeapGrowthAllowed);
}

TEST_F(FFPlayerTest, AfterAReadErrorPlaybackEndsAndSeeksStillReturn) {
    // Cut where a packet starts, so the demuxer's next read is the one that fails.
    const std::string data = TTcpSource::ReadFile(Media().Wav);
    const size_t samples = data.find("data", 12);
    ASSERT_NE(samples, std::string::npos);
    TTcpSource input(data, samples + 8 + 20 * 4096, true);
    std::atomic<int> errors{0};
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel Level, const std::string& Text) {
        if (Level <= llError && Text.find("while reading file") != std::string::npos)
            ++errors;
        if (std::getenv("ZELTA_TEST_LOG"))
            std::fprintf(stderr, "log %d: %s\n", int(Level), Text.c_str());
    });
    {
        TFFPlayer player;
        TEventRecorder events;
        events.Attach(player);
        TRecordingSink sink;
        ASSERT_TRUE(player.Open(input.URL(), &sink)) << player.LastError();
        // What arrived before the reset plays out, then the file ends.
        EXPECT_TRUE(events.WaitState(psEnd, 20s));
        for (int i = 0; i < 2; ++i) {
            auto seek = std::async(std::launch::async, [&] { player.Seek(sfAny, true, 1000000); });
            const bool returned = seek.wait_for(10s) == std::future_status::ready;
            EXPECT_TRUE(returned) << "seek " << i << " never returned";
            if (!returned) {
                player.Stop(false); // lets the waiting seek go
                seek.wait();
                break;
            }
        }
        player.Stop(true);
        EXPECT_EQ(events.States().back(), psStop);
    }
    GetLogger().SetOnLog({});
    EXPECT_GT(errors.load(), 0);
}

TEST_F(FFPlayerTest, StopHandledWhileOpenWaitsCancelsAnOpenOnAHangingInput) {
    TQueuedDispatcher dispatcher;
    TTcpSource input("", 0, false); // accepts and never sends a byte
    TFFPlayer player;
    enginetest::TWatchdog watchdog(60s);
    // A click handled while Open waits: the wait pumps the main thread's queue.
    std::thread click([&] {
        std::this_thread::sleep_for(500ms);
        dispatcher.RunAndWait([&] { player.Stop(true); });
    });
    EXPECT_FALSE(player.Open(input.URL(), nullptr));
    EXPECT_FALSE(player.LastError().empty());
    click.join();
    // The player is usable afterwards.
    ASSERT_TRUE(player.Open(Media().Wav, nullptr)) << player.LastError();
    player.Stop(true);
}

TEST_F(FFPlayerTest, AnOpenHandledWhileStopWaitsLeavesTheNewFilePlaying) {
    TQueuedDispatcher dispatcher;
    enginetest::TWatchdog watchdog(90s);
    TStalledInput input("stalled-open");
    const std::string stalled = input.UnreachableURL();
    const std::string next = LongH264Aac();
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(stalled, &sink)) << player.LastError();
    ASSERT_TRUE(sink.WaitFor([](const auto& E) { return E.size() >= 3; }, 3s));
    std::this_thread::sleep_for(300ms); // the read is stuck: Stop waits about a second
    // A click handled while Stop waits (its wait pumps) opens the next file.
    std::atomic<bool> opened{false};
    std::thread click([&] {
        std::this_thread::sleep_for(300ms);
        dispatcher.RunAndWait([&] { opened = player.Open(next, &sink); });
    });
    player.Stop(true); // must neither wait for nor end the file the click opened
    click.join();
    input.Release();
    EXPECT_TRUE(opened.load()) << player.LastError();
    EXPECT_EQ(player.FileName(), next);
    EXPECT_FALSE(player.Paused());
    // The next file plays on: its positions advance (delivered while this thread pumps).
    events.ClearPositions();
    const auto until = Clock::now() + 5s;
    while (Clock::now() < until && !events.WaitPosition([](int64_t P) { return P > 300000; }, 0ms)) {
        ProcessMessages();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(events.WaitPosition([](int64_t P) { return P > 300000; }, 0ms));
    EXPECT_EQ(player.State(), psPlay) << ::testing::PrintToString(events.States());
    player.Stop(true);
    EXPECT_EQ(events.States().back(), psStop);
}

} // namespace

namespace {

TEST_F(FFPlayerTest, NoPictureFromBeforeASeekIsShownOnceTheSeekHasShownItsOwn) {
    // Seeking in a programme stream reads the file, which leaves the decoder time to finish
    // pictures of the old position meanwhile.
    TFFPlayer player;
    TEventRecorder events;
    events.Attach(player);
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(LongMpeg(), &sink)) << player.LastError();
    ASSERT_TRUE(events.WaitPosition([](int64_t P) { return P > 300000; }, 3s));
    const int64_t slack = 700000;
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("seek " + std::to_string(i));
        const int64_t target = i % 2 == 0 ? 9000000 : 2000000;
        const size_t before = sink.Count();
        player.Seek(0, true, target);
        std::this_thread::sleep_for(150ms);
        const auto entries = sink.Entries();
        bool reached = false;
        for (size_t k = before; k < entries.size(); ++k) {
            const bool near = std::llabs(entries[k].PTS - target) <= slack + 500000;
            if (near)
                reached = true;
            else if (reached)
                ADD_FAILURE() << "picture at " << entries[k].PTS << " shown after the seek to " << target;
        }
    }
    player.Stop(true);
}

} // namespace

namespace {

// True when the picture shows the white block of a bitmap subtitle.
bool ShowsSubtitle(const TBitmap24& Bitmap) {
    const int x = fixtures::BitmapSubtitleRectCentre(0), y = fixtures::BitmapSubtitleRectCentre(1);
    if (Bitmap.Width() <= x || Bitmap.Height() <= y)
        return false;
    const uint8_t* p = Bitmap.ScanLine(y) + size_t(x) * 3;
    return p[0] > 235 && p[1] > 235 && p[2] > 235;
}

TEST_F(FFPlayerTest, BitmapSubtitlesShowAgainAfterABackwardSeek) {
    fixtures::TMediaSpec spec;
    spec.Format = "matroska";
    spec.VideoEncoder = "mpeg4";
    spec.Seconds = 8.0;
    spec.Subtitles = true;
    spec.BitmapSubtitles = true;
    const std::string file = FixtureMediaOnce("player-dvdsub-8s.mkv", spec);
    TFFPlayer player;
    TRecordingSink sink;
    ASSERT_TRUE(player.Open(file, &sink)) << player.LastError();
    auto subtitleShown = [&](size_t From, int64_t Low, int64_t High) {
        return [=](const std::vector<TRecordingSink::TEntry>& E) {
            for (size_t k = From; k < E.size(); ++k)
                if (E[k].PTS >= Low && E[k].PTS <= High && E[k].Bitmap && ShowsSubtitle(*E[k].Bitmap))
                    return true;
            return false;
        };
    };
    // The event from 2.6 s is up; the later ones wait in the queue. The waits are hang guards
    // only: a loaded machine (or a sanitizer build) plays late.
    ASSERT_TRUE(sink.WaitFor(subtitleShown(0, 2700000, 3100000), 20s));
    const size_t before = sink.Count();
    player.Seek(0, true, 0);
    // The first event (0.2 s to 0.8 s) shows again.
    EXPECT_TRUE(sink.WaitFor(subtitleShown(before, 300000, 700000), 10s));
    player.Stop(true);
}

} // namespace

namespace {

// Pictures the player's filter cannot convert for display: its video thread stops on the error.
TEST_F(FFPlayerTest, AFailedVideoPathLeavesTheSoundPlayingToTheEndAndLogsWhy) {
    fixtures::TMediaSpec spec;
    spec.Format = "nut";
    spec.VideoEncoder = "rawvideo";
    spec.PixelFormat = "uyyvyy411";
    spec.AudioEncoders = {"pcm_s16le"};
    spec.Seconds = 2.0;
    const std::string file = FixtureMediaOnce("player-unshowable-2s.nut", spec);
    std::atomic<int> errors{0};
    GetLogger().SetOnLog([&](const void*, uint32_t, TLogLevel Level, const std::string& Text) {
        if (Level <= llError && Text.find(file) != std::string::npos)
            ++errors;
    });
    {
        TFFPlayer player;
        TEventRecorder events;
        events.Attach(player);
        TRecordingSink sink;
        ASSERT_TRUE(player.Open(file, &sink)) << player.LastError();
        EXPECT_TRUE(events.WaitPosition([](int64_t P) { return P > 1000000; }, 5s));
        EXPECT_TRUE(events.WaitState(psEnd, 8s));
        player.Seek(0, true, 500000); // returns, though no picture will come
        player.Stop(true);
        EXPECT_EQ(events.States().back(), psStop);
    }
    GetLogger().SetOnLog({});
    EXPECT_GT(errors.load(), 0);
}

} // namespace

namespace {

// The average of B, G and R around (X, Y) of a bitmap.
int BrightnessAt(const TBitmap24& Bitmap, int X, int Y) {
    const uint8_t* p = Bitmap.ScanLine(Y) + size_t(X) * 3;
    return (p[0] + p[1] + p[2]) / 3;
}

} // namespace

TEST_F(FFPlayerTest, TurnedPicturesAreShownUpright) {
    for (const int rotation : {90, 180, 270}) {
        SCOPED_TRACE(rotation);
        TFFPlayer player;
        TRecordingSink sink(400, 400);
        std::atomic<int> hookWidth{0}, hookHeight{0};
        int openWidth = 0, openHeight = 0;
        player.SetOnFileOpen([&](TFFPlayer*, int64_t, int W, int H, int&, int&) {
            openWidth = W;
            openHeight = H;
        });
        player.SetHook(true);
        player.SetOnHook([&](TFFPlayer*, TBitmap24& Bitmap, int64_t) {
            hookWidth = Bitmap.Width();
            hookHeight = Bitmap.Height();
        });
        ASSERT_TRUE(player.Open(fixtures::GeometryFixture(rotation), &sink, true))
            << player.LastError();
        ASSERT_TRUE(sink.WaitFor([](const auto& E) { return !E.empty() && E.back().Bitmap; }, 3s));
        const auto entries = sink.Entries();
        const TRecordingSink::TEntry& e = entries.back();
        const bool tall = rotation != 180;
        // The shown bitmap is the upright picture fitted into the 400x400 sink.
        EXPECT_EQ(e.Width, tall ? 224 : 400);
        EXPECT_EQ(e.Height, tall ? 400 : 224);
        const TBitmap24& shown = *e.Bitmap;
        const int w = shown.Width(), h = shown.Height();
        // The marker is in the top-left corner as the picture is shown, the others are grey.
        EXPECT_GT(BrightnessAt(shown, w / 10, h / 20), 200);
        EXPECT_LT(BrightnessAt(shown, w - 1 - w / 10, h / 20), 120);
        EXPECT_LT(BrightnessAt(shown, w / 10, h - 1 - h / 20), 120);
        EXPECT_LT(BrightnessAt(shown, w - 1 - w / 10, h - 1 - h / 20), 120);
        // The opening report, the hook and the snapshot frame have the upright picture too.
        EXPECT_EQ(openWidth, tall ? 180 : 320);
        EXPECT_EQ(openHeight, tall ? 320 : 180);
        EXPECT_EQ(hookWidth, tall ? 180 : 320);
        EXPECT_EQ(hookHeight, tall ? 320 : 180);
        const TBitmap24& frame = player.CurrentFrame();
        EXPECT_EQ(frame.Width(), tall ? 180 : 320);
        EXPECT_GT(BrightnessAt(frame, 5, 5), 200);
        player.Stop(true);
    }
}
