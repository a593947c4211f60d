#include "engine/ConvertThread.h"

#include "engine/FFLogger.h"
#include "engine/MainThread.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

bool ApplyThreadPriority(TThreadPriority Priority) {
    sched_param param{};
    if (Priority == tpIdle)
        return pthread_setschedparam(pthread_self(), SCHED_IDLE, &param) == 0;
    // A worker started by another worker inherits its policy and nice value.
    int policy = SCHED_OTHER;
    if (pthread_getschedparam(pthread_self(), &policy, &param) != 0)
        return false;
    if (policy == SCHED_IDLE) {
        param.sched_priority = 0;
        if (pthread_setschedparam(pthread_self(), SCHED_OTHER, &param) != 0)
            return false;
    }
    int nice = 0;
    if (Priority == tpLowest) {
        nice = 19;
    } else if (Priority == tpLower) {
        nice = 10;
    } else {
        errno = 0;
        nice = getpriority(PRIO_PROCESS, id_t(getpid()));
        if (nice == -1 && errno != 0)
            return false;
    }
    return setpriority(PRIO_PROCESS, id_t(gettid()), nice) == 0;
}

// ---- TManualResetEvent ----

TManualResetEvent::TManualResetEvent(bool Signalled) : Signalled_(Signalled) {}

void TManualResetEvent::Set() {
    std::lock_guard g(Lock_);
    Signalled_ = true;
    Changed_.notify_all();
}

void TManualResetEvent::Reset() {
    std::lock_guard g(Lock_);
    Signalled_ = false;
}

bool TManualResetEvent::Signalled() const {
    std::lock_guard g(Lock_);
    return Signalled_;
}

void TManualResetEvent::Wait() const {
    std::unique_lock l(Lock_);
    Changed_.wait(l, [this] { return Signalled_; });
}

bool TManualResetEvent::WaitFor(std::chrono::milliseconds Timeout) const {
    std::unique_lock l(Lock_);
    return Changed_.wait_for(l, Timeout, [this] { return Signalled_; });
}

void WaitProcessingMessages(const std::function<bool(std::chrono::milliseconds)>& WaitSlice) {
    constexpr std::chrono::milliseconds Slice(20);
    const bool serviceMainThread = IsMainThread() && MainThreadDispatcher() != nullptr;
    while (!WaitSlice(Slice))
        if (serviceMainThread)
            ProcessMessages();
}

void WaitProcessingMessages(const TManualResetEvent& Event) {
    WaitProcessingMessages([&](std::chrono::milliseconds Slice) { return Event.WaitFor(Slice); });
}

// ---- TConvertThread ----

TConvertThread::TConvertThread(TRunOwner& Owner, const void* LogSender, TThreadPriority Priority,
                               std::shared_ptr<TManualResetEvent> Done)
    : Owner_(Owner), LogSender_(LogSender), Priority_(Priority), Done_(std::move(Done)),
      Gate_(std::make_shared<TGate>()) {}

TConvertThread::~TConvertThread() {
    if (!Thread_.joinable())
        return;
    if (IsCurrentThread())
        Thread_.detach();
    else
        Thread_.join();
}

void TConvertThread::Resume() {
    {
        std::lock_guard g(Gate_->Lock);
        if (Gate_->Started) {
            Gate_->Paused = false;
            Gate_->Resumed.notify_all();
            return;
        }
        Gate_->Started = true;
    }
    // Reset before the thread exists, so a stop with wait issued right after this call cannot
    // see the event of the previous state.
    Done_->Reset();
    try {
        // The body holds the event and the owner only: after RunConvert the owner may be gone.
        Thread_ = std::thread([Owner = &Owner_, Sender = LogSender_, Done = Done_, Gate = Gate_,
                              Priority = Priority_] {
            {
                std::unique_lock l(Gate->Lock);
                Gate->Worker = std::this_thread::get_id();
                Gate->Resumed.wait(l, [&] { return Gate->Launched; });
            }
            if (!ApplyThreadPriority(Priority))
                GetLogger().LogFormat(Sender, llWarning, "Cannot set the thread priority: %s",
                                      std::strerror(errno));
            Owner->RunConvert(); // never raises
            Done->Set();
        });
        std::lock_guard g(Gate_->Lock);
        Gate_->Launched = true;
        Gate_->Resumed.notify_all();
    } catch (const std::system_error& e) {
        Owner_.EndUnstartedRun(std::string("Cannot start the conversion thread: ") + e.what());
        Done_->Set();
    }
}

void TConvertThread::Suspend() {
    std::lock_guard g(Gate_->Lock);
    if (Gate_->Started)
        Gate_->Paused = true;
}

bool TConvertThread::Suspended() const {
    std::lock_guard g(Gate_->Lock);
    return !Gate_->Started || Gate_->Paused;
}

bool TConvertThread::Held() const {
    std::lock_guard g(Gate_->Lock);
    return Gate_->Waiting;
}

bool TConvertThread::Started() const {
    std::lock_guard g(Gate_->Lock);
    return Gate_->Started;
}

bool TConvertThread::IsCurrentThread() const {
    std::lock_guard g(Gate_->Lock);
    return Gate_->Worker == std::this_thread::get_id();
}

void TConvertThread::SafePoint() {
    std::unique_lock l(Gate_->Lock);
    if (!Gate_->Paused)
        return;
    Gate_->Waiting = true;
    Gate_->Resumed.wait(l, [this] { return !Gate_->Paused; });
    Gate_->Waiting = false;
}

void TConvertThread::Join() {
    if (Thread_.joinable() && !IsCurrentThread())
        Thread_.join();
}

// ---- TDoTerminateThread ----

TDoTerminateThread::TDoTerminateThread(TRunOwner& Owner, const void* LogSender,
                                       std::shared_ptr<TManualResetEvent> Done)
    : Launch_(std::make_shared<TLaunch>()) {
    Done->Reset();
    Thread_ = std::thread([Owner = &Owner, Sender = LogSender, Done, Launch = Launch_] {
        {
            std::unique_lock l(Launch->Lock);
            Launch->Worker = std::this_thread::get_id();
            Launch->Changed.wait(l, [&] { return Launch->Launched; });
        }
        try {
            Owner->DoTerminate();
        } catch (const std::exception& e) {
            GetLogger().LogMessage(Sender, llQuiet, e.what());
        } catch (...) {
            GetLogger().LogMessage(Sender, llQuiet, "Unknown exception in the terminate callback");
        }
        Done->Set();
    });
    std::lock_guard g(Launch_->Lock);
    Launch_->Launched = true;
    Launch_->Changed.notify_all();
}

TDoTerminateThread::~TDoTerminateThread() {
    if (!Thread_.joinable())
        return;
    bool self = false;
    {
        std::lock_guard g(Launch_->Lock);
        self = Launch_->Worker == std::this_thread::get_id();
    }
    if (self)
        Thread_.detach();
    else
        Thread_.join();
}
