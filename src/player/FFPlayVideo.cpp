// The video side of the player: the video and subtitle threads, the picture queue with the
// pictures' due times, and the refresh that shows, holds or drops pictures on the play thread.

#include "player/FFPlayState.h"

#include "engine/PictureGeometry.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace player {

namespace {

struct TGraphDeleter {
    void operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); }
};

struct TInOutDeleter {
    void operator()(AVFilterInOut* p) const { avfilter_inout_free(&p); }
};
using TInOutPtr = std::unique_ptr<AVFilterInOut, TInOutDeleter>;

// The small graph between the decoder and the picture queue: a "buffer" source named "src",
// the optional filter text, and a "buffersink" named "out" that takes planar YUV 4:2:0 only.
struct TVideoFilter {
    std::unique_ptr<AVFilterGraph, TGraphDeleter> Graph;
    AVFilterContext* Source = nullptr;
    AVFilterContext* Sink = nullptr;
    int Width = 0;
    int Height = 0;
    int Format = -1;

    bool Matches(const AVFrame* f) const {
        return Graph && f->width == Width && f->height == Height && f->format == Format;
    }
    bool Build(const TPlaybackState& S, const AVFrame* f);
};

bool TVideoFilter::Build(const TPlaybackState& S, const AVFrame* f) {
    Graph.reset(avfilter_graph_alloc());
    Source = Sink = nullptr;
    Format = -1;
    if (!Graph)
        return false;
    Graph->nb_threads = 1;
    Graph->scale_sws_opts = av_strdup(FormatText("flags=%d", S.Options.ScalerFlags).c_str());
    const AVRational tb = S.VideoTimeBase;
    AVRational sar = f->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        sar = AVRational{0, 1};
    const std::string args =
        FormatText("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", f->width,
                   f->height, f->format, tb.num, tb.den, sar.num, sar.den);
    if (avfilter_graph_create_filter(&Source, avfilter_get_by_name("buffer"), "src", args.c_str(),
                                     nullptr, Graph.get()) < 0)
        return false;
    if (avfilter_graph_create_filter(&Sink, avfilter_get_by_name("buffersink"), "out", nullptr,
                                     nullptr, Graph.get()) < 0)
        return false;
    const AVPixelFormat formats[] = {AV_PIX_FMT_YUV420P, AV_PIX_FMT_NONE};
    if (av_opt_set_int_list(Sink, "pix_fmts", formats, AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN) < 0)
        return false;
    // Pictures are turned upright first, so that every later filter, the hook and the shown
    // picture see them as the camera meant them to be seen.
    std::string text = RotationFilterText(S.VideoRotation);
    if (!S.Options.VideoFilter.empty())
        text = text.empty() ? S.Options.VideoFilter : text + "," + S.Options.VideoFilter;
    if (!text.empty()) {
        TInOutPtr outputs(avfilter_inout_alloc());
        TInOutPtr inputs(avfilter_inout_alloc());
        if (!outputs || !inputs)
            return false;
        outputs->name = av_strdup("in");
        outputs->filter_ctx = Source;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = Sink;
        AVFilterInOut* in = inputs.release();
        AVFilterInOut* out = outputs.release();
        const int r = avfilter_graph_parse_ptr(Graph.get(), text.c_str(), &in, &out, nullptr);
        avfilter_inout_free(&in);
        avfilter_inout_free(&out);
        if (r < 0)
            return false;
    } else if (avfilter_link(Source, 0, Sink, 0) < 0) {
        return false;
    }
    if (avfilter_graph_config(Graph.get(), nullptr) < 0)
        return false;
    Width = f->width;
    Height = f->height;
    Format = f->format;
    return true;
}

// Timestamp fault counting of the decoder's output.
struct TDecodeState {
    int64_t LastDts = AV_NOPTS_VALUE;
    int64_t LastPts = AV_NOPTS_VALUE;
    int FaultyDts = 0;
    int FaultyPts = 0;
    bool EndSent = false;         // an end-of-stream packet went to the decoder
    bool DecodedSinceEnd = false; // ... and gave a picture since
};

void FlushVideo(TPlaybackState& S, TDecodeState& D) {
    avcodec_flush_buffers(S.VideoCodec.get());
    {
        std::unique_lock l(S.PictLock);
        // Stale pictures must not hold the display until their old due times.
        for (TPictureSlot& p : S.Pictures)
            p.DueTime = 0;
        S.PictCond.wait(l, [&] { return S.PictSize == 0 || S.VideoQ.Aborted(); });
        S.DecodeRatio = 1.0f;
        S.DecodeRatioAcc = 0.0f;
    }
    D = TDecodeState{};
    {
        std::lock_guard g(S.ClockLock);
        S.PrevPictureTime = NAN;
        S.PrevPictureDelay = 0;
        S.DisplayTimer = Now();
    }
    S.DecoderFlushed = true;
}

// -1: stop the thread; 0: nothing to show yet (look at pause again); 1: a picture in Frame.
int GetDecodedPicture(TPlaybackState& S, TDecodeState& D, AVFrame* Frame) {
    AVCodecContext* dec = S.VideoCodec.get();
    for (;;) {
        int r = avcodec_receive_frame(dec, Frame);
        if (r == 0) {
            D.DecodedSinceEnd = true;
            if (Frame->pkt_dts != AV_NOPTS_VALUE) {
                D.FaultyDts += Frame->pkt_dts <= D.LastDts;
                D.LastDts = Frame->pkt_dts;
            }
            if (Frame->pts != AV_NOPTS_VALUE) {
                D.FaultyPts += Frame->pts <= D.LastPts;
                D.LastPts = Frame->pts;
            }
            const int reorder = S.Options.DecoderReorder;
            const bool useReordered = reorder == 1 || (reorder != 0 && D.FaultyPts < D.FaultyDts) ||
                                      Frame->pkt_dts == AV_NOPTS_VALUE;
            int64_t ts = useReordered ? Frame->pts : Frame->pkt_dts;
            if (ts == AV_NOPTS_VALUE)
                ts = useReordered ? Frame->pkt_dts : Frame->pts;
            // A picture without any timestamp keeps AV_NOPTS_VALUE; it is placed after the
            // previous one when queued (a real time of 0 is kept, so a rewound file starts at 0).
            Frame->pts = ts;
            bool deliver = false;
            {
                std::lock_guard g(S.PictLock);
                S.DecodeRatioAcc += 1.0f;
                if (S.DecodeRatioAcc >= S.DecodeRatio) {
                    S.DecodeRatioAcc -= std::max(1.0f, S.DecodeRatio);
                    deliver = true;
                }
            }
            if (deliver)
                return 1;
            av_frame_unref(Frame);
            continue;
        }
        if (r == AVERROR_EOF && D.EndSent) {
            D.EndSent = false;
            if (!D.DecodedSinceEnd)
                S.Host->ReportPosition(S);
        }
        TQueuedPacket item;
        if (S.VideoQ.Get(item, true) < 0)
            return -1;
        switch (item.Kind) {
        case TPacketKind::Flush:
            FlushVideo(S, D);
            return 0;
        case TPacketKind::End:
            avcodec_send_packet(dec, nullptr); // already draining: nothing more comes out
            D.EndSent = true;
            D.DecodedSinceEnd = false;
            break;
        case TPacketKind::Data:
            // A broken packet is skipped; the next one decodes on.
            avcodec_send_packet(dec, item.Packet.get());
            break;
        }
    }
}

int GetFilteredPicture(TPlaybackState& S, TVideoFilter& F, TDecodeState& D, AVFrame* Decoded,
                       AVFrame* Filtered) {
    for (;;) {
        if (F.Graph) {
            const int r = av_buffersink_get_frame(F.Sink, Filtered);
            if (r >= 0)
                return 1;
            if (r != AVERROR(EAGAIN) && r != AVERROR_EOF)
                return -1;
        }
        const int r = GetDecodedPicture(S, D, Decoded);
        if (r <= 0)
            return r;
        if (!F.Matches(Decoded) && !F.Build(S, Decoded)) {
            av_frame_unref(Decoded);
            return -1;
        }
        if (av_buffersrc_add_frame(F.Source, Decoded) < 0) {
            av_frame_unref(Decoded);
            return -1;
        }
    }
}

// The time at which a picture of the given time is due (seconds of Now()); the picture lock is
// held.
double TargetTime(TPlaybackState& S, double PTS) {
    std::lock_guard g(S.ClockLock);
    double delay = PTS - S.PrevPictureTime;
    if (!(delay > 0 && delay < NoSyncThreshold))
        delay = S.PrevPictureDelay;
    else
        S.PrevPictureDelay = delay;
    S.PrevPictureTime = PTS;
    if ((S.SyncType == stAudioMaster && S.AudioStream >= 0) || S.SyncType == stExternalClock) {
        const double master = MasterPositionLocked(S);
        if (!std::isnan(master)) {
            // Video follows the master clock: hold or repeat a picture's time.
            const double diff = VideoPositionLocked(S) - master;
            const double threshold = std::max(delay, SyncThreshold);
            if (std::fabs(diff) < NoSyncThreshold) {
                if (diff <= -threshold)
                    delay = 0;
                else if (diff >= threshold)
                    delay = 2 * delay;
            }
        }
    }
    S.DisplayTimer += delay;
    return S.DisplayTimer;
}

// Queues a filtered picture (its references move into the queue); PTS is NaN for a picture
// without a time. False when aborted.
bool OutputPicture(TPlaybackState& S, AVFrame* Picture, double PTS) {
    {
        std::lock_guard g(S.ClockLock);
        if (std::isnan(PTS))
            PTS = S.NextPictureTime;
        else
            S.NextPictureTime = PTS;
        S.NextPictureTime += S.VideoFrameDuration * (1.0 + Picture->repeat_pict / 2.0);
    }
    if (!S.LoopRunning) {
        std::unique_lock l(S.WakeLock);
        S.WakeCond.wait(l, [&] { return S.LoopRunning || S.VideoQ.Aborted(); });
    }
    int slot;
    {
        std::unique_lock l(S.PictLock);
        if (S.PictSize >= PictureQueueSize && !S.RefreshQueued)
            S.DecodeRatio = std::max(1.0f - float(FrameSkipFactor), S.DecodeRatio * (1.0f - float(FrameSkipFactor)));
        S.PictCond.wait(l, [&] { return S.PictSize < PictureQueueSize || S.VideoQ.Aborted(); });
        if (S.VideoQ.Aborted()) {
            av_frame_unref(Picture);
            return false;
        }
        slot = S.PictWrite;
    }
    // The slot at the write index is the video thread's until the size grows.
    TPictureSlot& p = S.Pictures[size_t(slot)];
    av_frame_unref(p.Frame.get());
    Picture->width &= ~1;
    Picture->height &= ~1;
    if (S.Host->HookWanted() && av_frame_make_writable(Picture) >= 0)
        S.Host->HookPicture(*Picture, std::llround(PTS * 1000000.0) - S.StartTime);
    av_frame_move_ref(p.Frame.get(), Picture);
    p.PTS = PTS;
    p.Pos = p.Frame->pkt_pos;
    std::lock_guard g(S.PictLock);
    S.PictWrite = (S.PictWrite + 1) % PictureQueueSize;
    p.DueTime = TargetTime(S, PTS);
    ++S.PictSize;
    S.PictCond.notify_all();
    return true;
}

// --- output ---

// Scales the picture into its display rectangle and hands it to the sink.
void ShowFrame(TPlaybackState& S, const AVFrame* F, double PTS) {
    if (S.Sink == nullptr || F->width <= 0 || F->height <= 0)
        return;
    const TRect r = DisplayRect(S.Live->AspectRatio, F->sample_aspect_ratio, F->width, F->height,
                                S.SurfaceWidth, S.SurfaceHeight);
    if (r.Width <= 0 || r.Height <= 0)
        return;
    S.DisplayScaler = sws_getCachedContext(S.DisplayScaler, F->width, F->height,
                                           AVPixelFormat(F->format), r.Width, r.Height,
                                           AV_PIX_FMT_BGR24, S.Options.ScalerFlags, nullptr, nullptr,
                                           nullptr);
    if (S.DisplayScaler == nullptr)
        return;
    auto bitmap = std::make_shared<TBitmap24>();
    bitmap->SetSize(r.Width, r.Height);
    uint8_t* dst[4] = {bitmap->Bits(), nullptr, nullptr, nullptr};
    const int dstLines[4] = {bitmap->ScanlineSize(), 0, 0, 0};
    if (sws_scale(S.DisplayScaler, F->data, F->linesize, 0, F->height, dst, dstLines) <= 0)
        return;
    TShownPicture shown;
    shown.Bitmap = std::move(bitmap);
    shown.SurfaceWidth = S.SurfaceWidth;
    shown.SurfaceHeight = S.SurfaceHeight;
    shown.Left = r.Left;
    shown.Top = r.Top;
    shown.PTS = std::llround(PTS * 1000000.0) - S.StartTime;
    S.Sink->ShowPicture(std::move(shown));
}

void BlendSubtitle(TPlaybackState& S, TPictureSlot& Slot) {
    if (S.SubtitleStream < 0)
        return;
    std::lock_guard g(S.SubLock);
    if (S.SubSize == 0)
        return;
    const TSubpicture& sp = S.Subpictures[size_t(S.SubRead)];
    if (Slot.PTS < sp.PTS + sp.Sub.start_display_time / 1000.0)
        return;
    AVFrame* f = Slot.Frame.get();
    if (f->format != AV_PIX_FMT_YUV420P || av_frame_make_writable(f) < 0)
        return;
    TYUVPlanes planes;
    for (int i = 0; i < 3; ++i) {
        planes.Data[i] = f->data[i];
        planes.Linesize[i] = f->linesize[i];
    }
    planes.Width = f->width;
    planes.Height = f->height;
    for (unsigned i = 0; i < sp.Sub.num_rects; ++i)
        BlendSubtitleRect(planes, *sp.Sub.rects[i]);
}

void Display(TPlaybackState& S, TPictureSlot& Slot) {
    AVFrame* f = Slot.Frame.get();
    OpenSurface(S, false, f->width, f->height);
    BlendSubtitle(S, Slot);
    {
        std::lock_guard g(S.ShownLock);
        av_frame_unref(S.ShownFrame.get());
        S.HasShownFrame = av_frame_ref(S.ShownFrame.get(), f) >= 0;
        S.ShownFramePTS = Slot.PTS;
    }
    ShowFrame(S, f, Slot.PTS);
}

// Frees the current subpicture once the shown picture has passed it.
void UpdateSubtitles(TPlaybackState& S, double ShownTime) {
    if (S.SubtitleStream < 0)
        return;
    std::lock_guard g(S.SubLock);
    if (S.SubtitleStreamChanged) {
        for (TSubpicture& sp : S.Subpictures)
            avsubtitle_free(&sp.Sub);
        S.SubRead = S.SubWrite = S.SubSize = 0;
        S.SubtitleStreamChanged = false;
        S.SubCond.notify_all();
        return;
    }
    if (S.SubSize == 0)
        return;
    TSubpicture& sp = S.Subpictures[size_t(S.SubRead)];
    const TSubpicture* next =
        S.SubSize > 1 ? &S.Subpictures[size_t((S.SubRead + 1) % SubpictureQueueSize)] : nullptr;
    if (ShownTime > sp.PTS + sp.Sub.end_display_time / 1000.0 ||
        (next != nullptr && ShownTime > next->PTS + next->Sub.start_display_time / 1000.0)) {
        avsubtitle_free(&sp.Sub);
        S.SubRead = (S.SubRead + 1) % SubpictureQueueSize;
        --S.SubSize;
        S.SubCond.notify_all();
    }
}

// A changed size of the sink's area counts as the output window being resized.
void CheckClientSize(TPlaybackState& S) {
    if (S.Sink == nullptr)
        return;
    int w = 0, h = 0;
    S.Sink->ClientSize(w, h);
    if (w <= 0 || h <= 0 || (w == S.ClientWidth && h == S.ClientHeight))
        return;
    const bool first = S.ClientWidth == 0;
    S.ClientWidth = w;
    S.ClientHeight = h;
    if (first)
        return;
    S.Live->ScreenWidth = w;
    S.Live->ScreenHeight = h;
    if (S.Paused)
        Redisplay(S, true);
}

} // namespace

void OpenSurface(TPlaybackState& S, bool Forced, int PictureWidth, int PictureHeight) {
    int w = S.Live->ScreenWidth, h = S.Live->ScreenHeight;
    if (w <= 0 || h <= 0) {
        if (PictureWidth > 1 && PictureHeight > 1) {
            w = PictureWidth & ~1;
            h = PictureHeight & ~1;
        } else {
            w = 640;
            h = 480;
        }
    }
    if (!Forced && w == S.SurfaceWidth && h == S.SurfaceHeight)
        return;
    S.SurfaceWidth = w;
    S.SurfaceHeight = h;
}

// After a filter or decoder error: the pictures are given up, the rest of the playback goes on
// without them. The queue is still emptied, so the read thread never waits for room in it, and
// its end packets still let the end of the file be noticed.
static void DropVideo(TPlaybackState& S) {
    LogText(S, llError,
            FormatText("%s: the pictures cannot be shown (video filter or decoder error); playing on without them",
                       S.FileName.c_str()));
    S.VideoFailed = true;
    S.DropUntilFlushed = false;
    S.Signals->FrameReady.Set();
    S.Signals->SeekPendingMark = false;
    TQueuedPacket item;
    while (S.VideoQ.Get(item, true) >= 0) {
        if (item.Kind == TPacketKind::End)
            S.Host->ReportPosition(S);
        S.Signals->FrameReady.Set();
    }
}

void VideoThreadBody(TPlaybackState& S) {
    TFramePtr decoded(av_frame_alloc());
    TFramePtr filtered(av_frame_alloc());
    if (!decoded || !filtered)
        return;
    TVideoFilter filter;
    TDecodeState decode;
    for (;;) {
        {
            std::unique_lock l(S.WakeLock);
            S.WakeCond.wait(l, [&] {
                return !S.Paused || S.VideoQ.Aborted() || S.SeekedWhilePaused ||
                       S.OpenPauseCountdown != 0;
            });
        }
        if (S.VideoQ.Aborted())
            break;
        const int r = GetFilteredPicture(S, filter, decode, decoded.get(), filtered.get());
        if (r < 0) {
            if (!S.VideoQ.Aborted())
                DropVideo(S);
            break;
        }
        if (r == 0)
            continue;
        if (S.DropUntilFlushed && S.DecoderFlushed) {
            S.DropUntilFlushed = false;
            S.SeekedWhilePaused = false;
        }
        const int64_t ts = filtered->pts;
        const double pts =
            ts == AV_NOPTS_VALUE ? NAN : double(ts) * av_q2d(av_buffersink_get_time_base(filter.Sink));
        if (!OutputPicture(S, filtered.get(), pts))
            break;
        // A picture decoded before the seek's flush is not the one a waiting seek wants.
        if (!S.DropUntilFlushed)
            S.Signals->FrameReady.Set();
        S.EndSignalled = false;
        if (!S.SeekPending)
            S.Signals->SeekPendingMark = false;
        if (const int countdown = S.OpenPauseCountdown; countdown != 0) {
            if (countdown >= 2) {
                S.OpenPauseCountdown = 0;
                S.Host->SetPlayState(psPause);
            } else {
                S.OpenPauseCountdown = countdown + 1;
            }
        }
    }
}

void SubtitleThreadBody(TPlaybackState& S) {
    AVCodecContext* dec = S.SubtitleCodec.get();
    for (;;) {
        {
            std::unique_lock l(S.WakeLock);
            S.WakeCond.wait(l, [&] {
                return !S.Paused || S.SubtitleQ.Aborted() || S.SeekedWhilePaused;
            });
        }
        TQueuedPacket item;
        if (S.SubtitleQ.Get(item, true) < 0)
            break;
        if (item.Kind == TPacketKind::Flush) {
            avcodec_flush_buffers(dec);
            // A subpicture decoded while the seek was under way belongs to the old position.
            FlushSubpictures(S);
            continue;
        }
        if (item.Kind != TPacketKind::Data)
            continue;
        {
            std::unique_lock l(S.SubLock);
            S.SubCond.wait(l, [&] { return S.SubSize < SubpictureQueueSize || S.SubtitleQ.Aborted(); });
        }
        if (S.SubtitleQ.Aborted())
            break;
        AVSubtitle sub{};
        int got = 0;
        if (avcodec_decode_subtitle2(dec, &sub, &got, item.Packet.get()) < 0 || got == 0)
            continue;
        if (sub.format != 0) {
            avsubtitle_free(&sub);
            continue;
        }
        ConvertSubtitlePalettes(sub.rects, sub.num_rects);
        const int64_t pts = item.Packet->pts;
        std::lock_guard g(S.SubLock);
        TSubpicture& sp = S.Subpictures[size_t(S.SubWrite)];
        avsubtitle_free(&sp.Sub);
        sp.Sub = sub;
        sp.PTS = pts != AV_NOPTS_VALUE ? double(pts) * av_q2d(S.SubtitleTimeBase) : 0.0;
        S.SubWrite = (S.SubWrite + 1) % SubpictureQueueSize;
        ++S.SubSize;
    }
}

void RefreshThreadBody(TPlaybackState& S) {
    while (!S.Stopping) {
        if (!S.RefreshQueued.exchange(true))
            PostEvent(S, evRefresh);
        const int period = S.AudioStream >= 0 && S.ShowMode != 0 ? S.Options.SpectrumIntervalMs
                                                                  : RefreshPeriodMs;
        const auto until = std::chrono::steady_clock::now() + TMilliseconds(period);
        std::unique_lock l(S.WakeLock);
        S.WakeCond.wait_until(l, until, [&] { return S.Stopping.load(); });
    }
}

void RefreshPicture(TPlaybackState& S) {
    CheckClientSize(S);
    if (S.VideoStream >= 0 && !S.VideoFailed) {
        bool dropped = false;
        std::unique_lock l(S.PictLock);
        for (;;) {
            if (S.PictSize == 0)
                return;
            TPictureSlot& vp = S.Pictures[size_t(S.PictRead)];
            const double now = Now();
            if (now < vp.DueTime)
                return;
            double nextTarget;
            {
                std::lock_guard g(S.ClockLock);
                S.ShownPictureTime = vp.PTS;
                S.ShownPictureDrift = vp.PTS - now;
                S.ShownPicturePos = vp.Pos;
                S.PictureShown = true;
                nextTarget = S.PictSize > 1
                                 ? S.Pictures[size_t((S.PictRead + 1) % PictureQueueSize)].DueTime
                                 : vp.DueTime + S.NextPictureTime - vp.PTS;
            }
            const bool late = S.Options.FrameDropping && now > nextTarget && !S.LiveSource;
            if (late || S.DropUntilFlushed) {
                S.DecodeRatio *= 1.0f + float(FrameSkipFactor);
                if (S.PictSize > 1 || now > nextTarget + LateDropMargin || S.DropUntilFlushed) {
                    S.PictRead = (S.PictRead + 1) % PictureQueueSize;
                    --S.PictSize;
                    S.PictCond.notify_all();
                    dropped = true;
                    continue;
                }
            }
            l.unlock();
            UpdateSubtitles(S, vp.PTS);
            Display(S, vp);
            l.lock();
            S.PictRead = (S.PictRead + 1) % PictureQueueSize;
            --S.PictSize;
            S.PictCond.notify_all();
            break;
        }
        l.unlock();
        if (!dropped)
            S.Host->ReportPosition(S);
    } else if (S.AudioStream >= 0) {
        DrawVisualisation(S);
        S.Host->ReportPosition(S);
    }
}

void Redisplay(TPlaybackState& S, bool Force) {
    if (S.VideoStream >= 0) {
        TFramePtr copy(av_frame_alloc());
        double pts = 0;
        {
            std::lock_guard g(S.ShownLock);
            if (!S.HasShownFrame || !copy || av_frame_ref(copy.get(), S.ShownFrame.get()) < 0)
                return;
            pts = S.ShownFramePTS;
        }
        OpenSurface(S, Force, copy->width, copy->height);
        ShowFrame(S, copy.get(), pts);
    } else if (S.AudioStream >= 0) {
        OpenSurface(S, Force, 0, 0);
        DrawVisualisation(S);
    }
}

void FreePictures(TPlaybackState& S) {
    {
        std::lock_guard g(S.PictLock);
        for (TPictureSlot& p : S.Pictures)
            av_frame_unref(p.Frame.get());
        S.PictRead = S.PictWrite = S.PictSize = 0;
        S.PictCond.notify_all();
    }
    {
        std::lock_guard g(S.ShownLock);
        av_frame_unref(S.ShownFrame.get());
        S.HasShownFrame = false;
    }
    FlushSubpictures(S);
}

void FlushSubpictures(TPlaybackState& S) {
    std::lock_guard g(S.SubLock);
    for (TSubpicture& sp : S.Subpictures)
        avsubtitle_free(&sp.Sub);
    S.SubRead = S.SubWrite = S.SubSize = 0;
    S.SubCond.notify_all();
}

} // namespace player
