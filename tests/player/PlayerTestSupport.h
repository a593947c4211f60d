// Helpers of the player tests: SDL's dummy audio, test media longer than the shared fixtures, a
// picture sink that records what it is shown, and a recorder of the player's events.
#pragma once

#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "fixtures/Fixtures.h"
#include "fixtures/ProcessUsage.h"
#include "player/FFPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <stdexcept>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace playertest {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline double SecondsSince(Clock::time_point Start, Clock::time_point At) {
    return std::chrono::duration<double>(At - Start).count();
}

// The dummy driver consumes audio in real time, so clocks advance without a sound device.
inline void UseDummyAudio() { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }

inline void LoadPlayerLibraries() {
    ASSERT_TRUE(FFLoader().LoadLibs(PlayerLibraries)) << FFLoader().LastError();
}

// A file of that name made once beside the shared fixtures (reused by later runs and other
// processes).
inline std::string FixtureMediaOnce(const std::string& Name, const fixtures::TMediaSpec& Spec) {
    const std::string path = fixtures::Fixtures().Dir + "/" + Name;
    fixtures::MakeMediaOnce(path, Spec);
    return path;
}

// 8 s of 320x240 H.264 at 25 fps with AAC in MP4.
inline std::string LongH264Aac() {
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "libx264";
    spec.AudioEncoders = {"aac"};
    spec.Seconds = 8.0;
    return FixtureMediaOnce("player-h264-aac-8s.mp4", spec);
}

// Threads of this process, and the count once it has settled (fixtures/ProcessUsage.h).
inline int ThreadCount() { return fixtures::ProcessThreadCount(); }
using fixtures::ThreadCountSettledAt;

// Records every picture it is shown; keeps the bitmaps of the latest few.
class TRecordingSink : public TPictureSink {
public:
    struct TEntry {
        Clock::time_point At;
        int64_t PTS = 0;
        int SurfaceWidth = 0, SurfaceHeight = 0;
        int Left = 0, Top = 0, Width = 0, Height = 0;
        std::shared_ptr<const TBitmap24> Bitmap; // null for all but the latest few
    };

    explicit TRecordingSink(int Width = 320, int Height = 240) : Width_(Width), Height_(Height) {}

    void ShowPicture(TShownPicture Picture) override {
        std::lock_guard g(Lock_);
        TEntry e;
        e.At = Clock::now();
        e.PTS = Picture.PTS;
        e.SurfaceWidth = Picture.SurfaceWidth;
        e.SurfaceHeight = Picture.SurfaceHeight;
        e.Left = Picture.Left;
        e.Top = Picture.Top;
        if (Picture.Bitmap) {
            e.Width = Picture.Bitmap->Width();
            e.Height = Picture.Bitmap->Height();
        }
        e.Bitmap = std::move(Picture.Bitmap);
        Entries_.push_back(std::move(e));
        if (Entries_.size() > KeptBitmaps)
            Entries_[Entries_.size() - KeptBitmaps - 1].Bitmap.reset();
        Cond_.notify_all();
    }

    void ClientSize(int& Width, int& Height) const override {
        std::lock_guard g(Lock_);
        Width = Width_;
        Height = Height_;
    }

    void Resize(int Width, int Height) {
        std::lock_guard g(Lock_);
        Width_ = Width;
        Height_ = Height;
    }

    std::vector<TEntry> Entries() const {
        std::lock_guard g(Lock_);
        return Entries_;
    }

    size_t Count() const {
        std::lock_guard g(Lock_);
        return Entries_.size();
    }

    bool WaitFor(const std::function<bool(const std::vector<TEntry>&)>& Done, milliseconds Timeout) {
        std::unique_lock l(Lock_);
        return Cond_.wait_for(l, Timeout, [&] { return Done(Entries_); });
    }

private:
    static constexpr size_t KeptBitmaps = 8;
    mutable std::mutex Lock_;
    std::condition_variable Cond_;
    std::vector<TEntry> Entries_;
    int Width_;
    int Height_;
};

// Records the states and positions a player delivers (on its event thread: no dispatcher is
// installed in these tests).
class TEventRecorder {
public:
    struct TPosition {
        Clock::time_point At;
        int64_t PTS;
    };

    void Attach(TFFPlayer& Player) {
        Player.SetOnPosition([this](TFFPlayer*, int64_t PTS) {
            std::function<void(int64_t)> hook;
            {
                std::lock_guard g(Lock_);
                Positions_.push_back({Clock::now(), PTS});
                hook = PositionHook_;
                Cond_.notify_all();
            }
            if (hook)
                hook(PTS);
        });
        Player.SetOnState([this](TFFPlayer*, TPlayState State) {
            std::lock_guard g(Lock_);
            States_.push_back(State);
            Cond_.notify_all();
        });
    }

    // Runs on the event thread after a position was recorded (may block it).
    void SetPositionHook(std::function<void(int64_t)> Hook) {
        std::lock_guard g(Lock_);
        PositionHook_ = std::move(Hook);
    }

    std::vector<TPlayState> States() const {
        std::lock_guard g(Lock_);
        return States_;
    }
    std::vector<TPosition> Positions() const {
        std::lock_guard g(Lock_);
        return Positions_;
    }
    void ClearPositions() {
        std::lock_guard g(Lock_);
        Positions_.clear();
    }

    bool WaitState(TPlayState State, milliseconds Timeout) {
        std::unique_lock l(Lock_);
        return Cond_.wait_for(l, Timeout, [&] {
            for (TPlayState s : States_)
                if (s == State)
                    return true;
            return false;
        });
    }

    bool WaitStateCount(size_t Count, milliseconds Timeout) {
        std::unique_lock l(Lock_);
        return Cond_.wait_for(l, Timeout, [&] { return States_.size() >= Count; });
    }

    // Waits for a position satisfying Done.
    bool WaitPosition(const std::function<bool(int64_t)>& Done, milliseconds Timeout) {
        std::unique_lock l(Lock_);
        return Cond_.wait_for(l, Timeout, [&] {
            return !Positions_.empty() && Done(Positions_.back().PTS);
        });
    }

private:
    mutable std::mutex Lock_;
    std::condition_variable Cond_;
    std::vector<TPlayState> States_;
    std::vector<TPosition> Positions_;
    std::function<void(int64_t)> PositionHook_;
};

// A main-thread dispatcher as a GUI program installs one: calls from other threads wait in a
// queue until the test's main thread handles its messages (ProcessMessages, or the player's own
// waits). Installed for its lifetime.
class TQueuedDispatcher : public TMainThreadDispatcher {
public:
    TQueuedDispatcher() {
        SetMainThread(std::this_thread::get_id());
        SetMainThreadDispatcher(this);
    }
    ~TQueuedDispatcher() override { SetMainThreadDispatcher(nullptr); }
    TQueuedDispatcher(const TQueuedDispatcher&) = delete;
    TQueuedDispatcher& operator=(const TQueuedDispatcher&) = delete;

    void RunAndWait(const std::function<void()>& Routine) override {
        auto call = std::make_shared<TCall>();
        call->Routine = &Routine;
        std::unique_lock l(Lock_);
        Queue_.push_back(call);
        Cond_.wait(l, [&] { return call->Done; });
        if (call->Error)
            std::rethrow_exception(call->Error);
    }

    void ProcessPendingEvents() override {
        for (;;) {
            std::shared_ptr<TCall> call;
            {
                std::lock_guard g(Lock_);
                if (Queue_.empty())
                    return;
                call = Queue_.front();
                Queue_.pop_front();
            }
            try {
                (*call->Routine)();
            } catch (...) {
                call->Error = std::current_exception();
            }
            std::lock_guard g(Lock_);
            call->Done = true;
            ++Handled_;
            Cond_.notify_all();
        }
    }

    int Handled() const {
        std::lock_guard g(Lock_);
        return Handled_;
    }

private:
    struct TCall {
        const std::function<void()>* Routine = nullptr;
        bool Done = false;
        std::exception_ptr Error;
    };
    mutable std::mutex Lock_;
    std::condition_variable Cond_;
    std::deque<std::shared_ptr<TCall>> Queue_;
    int Handled_ = 0;
};

// A one-connection TCP server on the loopback interface: the player reads it as
// "tcp://127.0.0.1:<port>". It sends the first Bytes of Data (none: the input hangs) and then,
// with Reset, waits a moment and resets the connection, so the reader gets a read error.
class TTcpSource {
public:
    TTcpSource(std::string Data, size_t Bytes, bool Reset) : Data_(std::move(Data)) {
        Listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (Listen_ < 0 || ::bind(Listen_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            ::listen(Listen_, 1) != 0 ||
            ::getsockname(Listen_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            throw std::runtime_error("cannot listen on the loopback interface");
        Port_ = ntohs(a.sin_port);
        Thread_ = std::thread([this, Bytes, Reset] {
            const int fd = ::accept(Listen_, nullptr, nullptr);
            if (fd < 0)
                return;
            size_t done = 0;
            const size_t total = std::min(Bytes, Data_.size());
            while (done < total) {
                const ssize_t n = ::send(fd, Data_.data() + done, total - done, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                done += size_t(n);
            }
            std::unique_lock l(Lock_);
            Cond_.wait_for(l, Reset ? milliseconds(500) : milliseconds(60000),
                           [this] { return Released_; });
            if (Reset) {
                linger hard{1, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
            }
            ::close(fd);
        });
    }
    ~TTcpSource() {
        {
            std::lock_guard g(Lock_);
            Released_ = true;
            Cond_.notify_all();
        }
        ::shutdown(Listen_, SHUT_RDWR); // ends an accept still waiting
        Thread_.join();
        ::close(Listen_);
    }
    TTcpSource(const TTcpSource&) = delete;
    TTcpSource& operator=(const TTcpSource&) = delete;

    std::string URL() const { return "tcp://127.0.0.1:" + std::to_string(Port_); }

    static std::string ReadFile(const std::string& Path) {
        std::ifstream in(Path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string Data_;
    int Listen_ = -1;
    int Port_ = 0;
    std::thread Thread_;
    std::mutex Lock_;
    std::condition_variable Cond_;
    bool Released_ = false;
};

// Base of the tests that play media.
class PlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        UseDummyAudio();
        fixtures::Fixtures();
    }
    void SetUp() override { LoadPlayerLibraries(); }
};

} // namespace playertest
