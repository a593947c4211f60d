// The conversion task's side of the frame hooks and preview frames: the hook picture, the hook
// callback and modules, and the preview hand-off of each encoded picture.

#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FrameHook.h"

#include <cstring>
#include <new>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/pixdesc.h>
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int HookAlign = 32;

// The picture of the hook: a buffer of Like's size and format from the task's pool.
AVFrame* HookBuffer(TFrameHookState& S, const AVFrame* Like) {
    const AVPixelFormat fmt = AVPixelFormat(Like->format);
    const int size = av_image_get_buffer_size(fmt, Like->width, Like->height, HookAlign);
    if (size < 0)
        return nullptr;
    if (!S.PicturePool || S.PicturePoolSize < size) {
        // Pictures of the old pool still held downstream keep it alive until they return.
        S.PicturePool.reset(av_buffer_pool_init(size_t(size) + 64, av_buffer_alloc));
        S.PicturePoolSize = S.PicturePool ? size : 0;
        if (!S.PicturePool)
            return nullptr;
    }
    if (!S.HookPicture)
        S.HookPicture.reset(av_frame_alloc());
    AVFrame* f = S.HookPicture.get();
    if (f == nullptr)
        return nullptr;
    av_frame_unref(f);
    f->buf[0] = av_buffer_pool_get(S.PicturePool.get());
    if (f->buf[0] == nullptr ||
        av_image_fill_arrays(f->data, f->linesize, f->buf[0]->data, fmt, Like->width,
                             Like->height, HookAlign) < 0) {
        av_frame_unref(f);
        return nullptr;
    }
    f->extended_data = f->data;
    f->format = fmt;
    f->width = Like->width;
    f->height = Like->height;
    return f;
}

// Puts the hook bitmap back into Picture. False (message logged) when no scaler can be made.
bool BitmapToPicture(const void* LogSender, TFrameConverter& C, AVFrame* Picture) {
    TBitmap24& bmp = *C.Bitmap;
    const int w = Picture->width, h = Picture->height;
    const size_t rowBytes = size_t(w) * 3;
    const AVPixelFormat fmt = AVPixelFormat(Picture->format);
    if (fmt == C.RGBFormat) {
        std::lock_guard g(bmp.Canvas());
        for (int y = 0; y < h; ++y)
            std::memcpy(Picture->data[0] + ptrdiff_t(y) * Picture->linesize[0], bmp.ScanLine(y),
                        rowBytes);
        return true;
    }
    SwsContext* sws = nullptr;
    if (sws_isSupportedOutput(fmt))
        sws = sws_getCachedContext(C.FromRGB.release(), w, h, C.RGBFormat, w, h, fmt, SWS_BICUBIC,
                                   nullptr, nullptr, nullptr);
    C.FromRGB.reset(sws);
    if (sws == nullptr) {
        GetLogger().LogMessage(LogSender, llError, "Cannot initialize the fromRGB conversion context");
        return false;
    }
    int scaled = 0;
    {
        std::lock_guard g(bmp.Canvas());
        if (BitmapScalable(bmp)) {
            const uint8_t* src[4] = {bmp.Bits(), nullptr, nullptr, nullptr};
            const int srcLines[4] = {bmp.ScanlineSize(), 0, 0, 0};
            scaled = sws_scale(sws, src, srcLines, 0, h, Picture->data, Picture->linesize);
        } else {
            // Rows the scaler cannot take in place go through the converter's aligned buffer,
            // which the way in (FrameToBitmap) has sized for this picture.
            for (int y = 0; y < h; ++y)
                std::memcpy(C.RGBData[0] + ptrdiff_t(y) * C.RGBLinesize[0], bmp.ScanLine(y),
                            rowBytes);
            scaled = sws_scale(sws, C.RGBData, C.RGBLinesize, 0, h, Picture->data,
                               Picture->linesize);
        }
    }
    if (scaled <= 0) {
        GetLogger().LogMessage(LogSender, llError, "Cannot initialize the fromRGB conversion context");
        return false;
    }
    return true;
}

// Locks the engine preview lock; a main thread keeps its pending calls running meanwhile, as a
// worker holding the lock may be waiting for the main thread.
std::unique_lock<std::recursive_timed_mutex> LockPreview() {
    std::unique_lock lock(EnginePreviewLock(), std::defer_lock);
    // A system-clock deadline waits with pthread_mutex_timedlock, which ThreadSanitizer follows;
    // the steady-clock wait of try_lock_for (pthread_mutex_clocklock) it cannot see, and every
    // unlock would look like a fault. A clock change costs at most one short slice.
    WaitProcessingMessages([&](std::chrono::milliseconds Slice) {
        return lock.try_lock_until(std::chrono::system_clock::now() + Slice);
    });
    return lock;
}

} // namespace

void TCustomFFmpeg::AddHookModule(const std::string& Arguments) {
    if (HookState_->Modules.Add(Arguments) != 0)
        throw FFmpegException("Failed to add video hook function: " + Arguments);
    UsingHookModules_ = true;
}

void TCustomFFmpeg::ResetFrameHooks(bool Modules) {
    TFrameHookState& s = *HookState_;
    s.ResetBuffers();
    if (Modules) {
        s.Modules.Release();
        UsingHookModules_ = false;
    }
    std::unique_ptr<TPreviewer> previewer;
    {
        auto lock = LockPreview();
        previewer = std::move(s.Previewer);
    }
    // Destroyed outside the lock: a window may have to be closed on the main thread.
}

void TCustomFFmpeg::SetPreviewFlags(int Flags) {
    const int old = PreviewFlags_.exchange(Flags);
    if (!(old & 1) || (Flags & 1))
        return;
    std::unique_ptr<TPreviewer> previewer;
    {
        // Never waits: a worker inside its preview step may be waiting for this very thread.
        std::unique_lock lock(EnginePreviewLock(), std::try_to_lock);
        if (lock.owns_lock() && !HookState_->InPreview)
            previewer = std::move(HookState_->Previewer);
    }
}

void TCustomFFmpeg::SetPreviewFlag(int Bit, bool On) {
    const int mask = 1 << Bit;
    int flags = PreviewFlags_.load();
    SetPreviewFlags(On ? (flags | mask) : (flags & ~mask));
}

void TCustomFFmpeg::PreProcessPicture(TInputStream& Input, AVFrame* Picture) {
    ++HookFrameCount_;
    TFrameHookState& s = *HookState_;
    const bool deinterlace = Options_.DoDeinterlace;
    if (!deinterlace && !s.HookActive && !s.ModulesActive)
        return;
    const int64_t pts = Input.Pts;
    AVFrame* buffer = HookBuffer(s, Picture);
    if (buffer == nullptr) {
        GetLogger().LogMessage(this, llError, "hook buf malloc error.");
        return;
    }
    AVFrame* target = buffer;
    if (deinterlace) {
        if (!DeinterlacePicture(buffer, Picture)) {
            GetLogger().LogMessage(this, llError, "Deinterlacing failed.");
            av_frame_unref(buffer);
            target = Picture;
            if ((s.HookActive || s.ModulesActive) && av_frame_make_writable(Picture) < 0) {
                GetLogger().LogMessage(this, llError, "hook buf malloc error.");
                return;
            }
        }
    } else if (av_frame_copy(buffer, Picture) < 0) {
        av_frame_unref(buffer);
        GetLogger().LogMessage(this, llError, "hook buf malloc error.");
        return;
    }

    if (s.HookActive) {
        TFrameConverter& c = s.HookConverter;
        bool keepHooking = FrameToBitmap(c, target);
        if (!keepHooking) {
            GetLogger().LogMessage(this, llError, "Cannot initialize the toRGB conversion context");
        } else {
            bool stopHook = false;
            bool update = true;
            try {
                HookCallback(*this, *c.Bitmap, stopHook, update, pts, HookFrameCount_.load());
            } catch (const std::exception& e) {
                GetLogger().LogMessage(this, llError, std::string("Error occurs OnCustomHook: ") + e.what());
                update = false;
            } catch (...) {
                GetLogger().LogMessage(this, llError, "Error occurs OnCustomHook: unknown exception");
                update = false;
            }
            if (update)
                keepHooking = BitmapToPicture(LogSender(), c, target);
            keepHooking = keepHooking && !stopHook;
        }
        if (!keepHooking) {
            s.HookActive = false;
            s.ModulesActive = false;
        }
    } else if (s.ModulesActive) {
        s.Modules.Process(target, pts);
    }

    if (target == buffer) {
        if (av_frame_copy_props(buffer, Picture) < 0) {
            av_frame_unref(buffer);
            GetLogger().LogMessage(this, llError, "hook buf malloc error.");
            return;
        }
        av_frame_unref(Picture);
        av_frame_move_ref(Picture, buffer);
    }
}

void TCustomFFmpeg::PreviewPicture(TOutputStream& Output, const AVFrame* Picture) {
    if (PreviewFlags_.load() == 0)
        return;
    TFrameHookState& s = *HookState_;
    std::lock_guard lock(EnginePreviewLock());
    struct TInPreview {
        bool& Flag;
        explicit TInPreview(bool& F) : Flag(F) { Flag = true; }
        ~TInPreview() { Flag = false; }
    } inPreview(s.InPreview);

    const int flags = PreviewFlags_.load();
    if (!(flags & 1))
        s.Previewer.reset(); // bit 0 was cleared while a preview step was in progress
    const int64_t now = av_gettime_relative();
    const bool due = !s.PreviewDone || now - s.LastPreview > PreviewInterval;
    if (!due || !(flags & 3))
        return;
    const bool toCallback = (flags & 2) && PreviewCallback;
    if (!toCallback && !(flags & 1))
        return;
    s.LastPreview = now;
    s.PreviewDone = true;
    const int64_t pts = Picture->pts == AV_NOPTS_VALUE
                            ? 0
                            : av_rescale_q(Picture->pts, Output.Encoder->time_base,
                                           AVRational{1, AV_TIME_BASE});
    const bool converted = FrameToBitmap(s.PreviewConverter, Picture);
    if (!converted)
        GetLogger().LogMessage(this, llError, "Cannot initialize the toRGB conversion context");
    if (toCallback) {
        if (!converted) {
            PreviewFlags_.fetch_and(~2);
            return;
        }
        PreviewCallback(*this, *s.PreviewConverter.Bitmap, pts, HookFrameCount_.load());
        return;
    }
    bool keep = converted;
    if (converted) {
        if (!s.Previewer && PreviewerFactory)
            s.Previewer = PreviewerFactory();
        // Without a previewer (no window in this program) bit 0 has no effect.
        if (s.Previewer)
            keep = s.Previewer->ShowFrame(*s.PreviewConverter.Bitmap, HookFrameCount_.load(), pts);
    }
    if (!keep) {
        PreviewFlags_.fetch_and(~1);
        s.Previewer.reset();
    }
}
