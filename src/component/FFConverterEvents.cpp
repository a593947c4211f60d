// The component's events: the four handlers (copied out under their lock before each call), the
// hook, preview and progress records filled on the task's worker and handed to the main thread,
// and the delivery of terminate notifications in order from one drainer at a time (a
// short-lived delivery thread in a background run), with the waits that keep the main thread
// serving them.

#include "component/FFConverter.h"

#include "engine/FFLogger.h"
#include "engine/MainThread.h"

#include <chrono>
#include <exception>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

// ---- handlers ----

TCustomHookEvent TCustomFFConverter::OnCustomHook() const {
    std::lock_guard g(HandlerLock_);
    return OnCustomHook_;
}

void TCustomFFConverter::SetOnCustomHook(TCustomHookEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnCustomHook_ = std::move(Handler);
}

TPreviewBitmapEvent TCustomFFConverter::OnPreviewBitmap() const {
    std::lock_guard g(HandlerLock_);
    return OnPreviewBitmap_;
}

void TCustomFFConverter::SetOnPreviewBitmap(TPreviewBitmapEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnPreviewBitmap_ = std::move(Handler);
}

TProgressEvent TCustomFFConverter::OnProgress() const {
    std::lock_guard g(HandlerLock_);
    return OnProgress_;
}

void TCustomFFConverter::SetOnProgress(TProgressEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnProgress_ = std::move(Handler);
}

TTerminateEvent TCustomFFConverter::OnTerminate() const {
    std::lock_guard g(HandlerLock_);
    return OnTerminate_;
}

void TCustomFFConverter::SetOnTerminate(TTerminateEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnTerminate_ = std::move(Handler);
}

// ---- task callbacks ----

void TCustomFFConverter::TaskHook(TCustomFFmpeg& Task, TBitmap24& Bitmap, bool& StopHook,
                                  bool& Update, int64_t PTS, int FrameNumber) {
    if (Destroying_)
        return;
    const TCustomHookEvent handler = OnCustomHook();
    if (!handler)
        return;
    std::lock_guard g(HookLock_);
    HookInfo_.TaskIndex = Tasks_.IndexOf(&Task);
    HookInfo_.Bitmap = &Bitmap;
    HookInfo_.FrameNumber = FrameNumber;
    HookInfo_.PTS = PTS;
    HookInfo_.Update = true;
    HookInfo_.StopHook = false;
    {
        // An exception leaves through here; the task logs it and keeps the picture unchanged.
        std::lock_guard canvas(Bitmap.Canvas());
        handler(*this, &HookInfo_);
    }
    Update = HookInfo_.Update;
    StopHook = HookInfo_.StopHook;
}

void TCustomFFConverter::TaskPreview(TCustomFFmpeg& Task, const TBitmap24& Bitmap, int64_t PTS,
                                     int FrameNumber) {
    if (Destroying_)
        return;
    const TPreviewBitmapEvent handler = OnPreviewBitmap();
    if (!handler)
        return;
    std::lock_guard g(PreviewLock_);
    PreviewInfo_.TaskIndex = Tasks_.IndexOf(&Task);
    PreviewInfo_.Bitmap = &Bitmap;
    PreviewInfo_.FrameNumber = FrameNumber;
    PreviewInfo_.PTS = PTS;
    if (TriggerEventInMainThread_)
        RunInMainThread([&] {
            // Removed while the call waited for the main thread: its owner may be gone.
            if (const TPreviewBitmapEvent current = OnPreviewBitmap())
                current(*this, PreviewInfo_);
        });
    else
        handler(*this, PreviewInfo_);
}

void TCustomFFConverter::TaskProgress(TCustomFFmpeg& Task, int FileIndex, int64_t TotalDuration,
                                      int64_t CurrentDuration, int64_t CurrentSize, float BitRate,
                                      float Quality, int FPS, int FrameNumber) {
    if (Destroying_)
        return;
    const TProgressEvent handler = OnProgress();
    if (!handler)
        return;
    std::lock_guard g(ProgressLock_);
    ProgressInfo_.TaskIndex = Tasks_.IndexOf(&Task);
    ProgressInfo_.FileIndex = FileIndex;
    ProgressInfo_.FrameNumber = FrameNumber;
    ProgressInfo_.FPS = FPS;
    ProgressInfo_.Quality = Quality;
    ProgressInfo_.BitRate = BitRate;
    ProgressInfo_.CurrentSize = CurrentSize;
    ProgressInfo_.CurrentDuration = CurrentDuration;
    ProgressInfo_.TotalDuration = TotalDuration;
    if (TriggerEventInMainThread_)
        RunInMainThread([&] {
            if (const TProgressEvent current = OnProgress())
                current(*this, &ProgressInfo_);
        });
    else
        handler(*this, &ProgressInfo_);
}

// ---- termination delivery ----

void TCustomFFConverter::QueueTermination(const TTerminateInfo& Info) {
    std::lock_guard g(DeliveryLock_);
    Pending_.push_back(Info);
}

void TCustomFFConverter::DeliverTerminations(bool Background) {
    std::thread finished;
    bool here = false;
    {
        std::lock_guard g(DeliveryLock_);
        // The drainer at work (maybe this very thread, inside a handler) takes what was queued.
        if (Draining_ || Pending_.empty())
            return;
        Draining_ = true;
        if (Background) {
            finished = std::move(DeliveryThread_);
            try {
                DeliveryThread_ = std::thread([this] { DrainTerminations(true); });
                Drainer_ = DeliveryThread_.get_id();
            } catch (const std::system_error& e) {
                // No thread to be had: deliver here rather than lose the notifications.
                GetLogger().LogMessage(
                    this, llError, std::string("Cannot start the delivery thread: ") + e.what());
                here = true;
            }
        } else {
            here = true;
        }
        if (here)
            Drainer_ = std::this_thread::get_id();
    }
    // The previous delivery thread had already left its loop; it only has to return.
    if (finished.joinable())
        finished.join();
    if (here)
        DrainTerminations(false);
}

void TCustomFFConverter::DrainTerminations(bool OnDeliveryThread) {
    for (;;) {
        TTerminateInfo info;
        {
            std::lock_guard g(DeliveryLock_);
            if (Pending_.empty() || Destroying_) {
                Pending_.clear();
                Draining_ = false;
                Drainer_ = {};
                DeliveryIdle_.notify_all();
                return;
            }
            info = std::move(Pending_.front());
            Pending_.pop_front();
        }
        try {
            RaiseTerminate(info, OnDeliveryThread && TriggerEventInMainThread_);
        } catch (const std::exception& e) {
            GetLogger().LogMessage(this, llError,
                                   std::string("The OnTerminate handler failed: ") + e.what());
        }
    }
}

void TCustomFFConverter::RaiseTerminate(const TTerminateInfo& Info, bool ToMainThread) {
    const TTerminateEvent handler = OnTerminate();
    if (!handler)
        return;
    auto call = [&] {
        std::thread::id previous;
        {
            std::lock_guard g(DeliveryLock_);
            previous = HandlerThread_;
            HandlerThread_ = std::this_thread::get_id();
        }
        struct TRestore {
            TCustomFFConverter& C;
            std::thread::id Previous;
            ~TRestore() {
                std::lock_guard g(C.DeliveryLock_);
                C.HandlerThread_ = Previous;
            }
        } restore{*this, previous};
        if (!ToMainThread) {
            handler(*this, Info);
            return;
        }
        // A handler removed while this call waited for the main thread is not called: whoever
        // removed it (a window closing) may be gone by now.
        if (const TTerminateEvent current = OnTerminate())
            current(*this, Info);
    };
    if (ToMainThread)
        RunInMainThread(call);
    else
        call();
}

void TCustomFFConverter::WaitForDeliveries() {
    const std::thread::id self = std::this_thread::get_id();
    {
        std::lock_guard g(DeliveryLock_);
        // Called from a handler (or on the drainer's thread): the delivery in progress is our
        // caller's; it finishes after we return.
        if (Draining_ && (Drainer_ == self || HandlerThread_ == self))
            return;
    }
    // A delivery thread may be passing a handler to the main thread: on the main thread this
    // wait keeps servicing it.
    WaitProcessingMessages([this](std::chrono::milliseconds Slice) {
        std::unique_lock g(DeliveryLock_);
        return DeliveryIdle_.wait_for(g, Slice, [this] { return !Draining_; });
    });
    std::thread finished;
    {
        std::lock_guard g(DeliveryLock_);
        if (Draining_ || !DeliveryThread_.joinable() || DeliveryThread_.get_id() == self)
            return;
        finished = std::move(DeliveryThread_);
    }
    finished.join();
}
