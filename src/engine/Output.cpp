// The output stage's pictures: frame-rate duplication and dropping, cropping and scaling into
// pooled encoder pictures, encoding with the quality and pass-1 statistics, the drain and the
// per-picture statistics file; and what the audio and subtitle parts share (OutputStage.h).

#include "engine/Output.h"
#include "engine/OutputStage.h"

#include "engine/FFLogger.h"
#include "engine/GenericOptions.h"
#include "engine/SafeWrite.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

void TBufferPoolDeleter::operator()(AVBufferPool* p) const {
    av_buffer_pool_uninit(&p);
}

namespace zeltaoutput {

[[noreturn]] void Raise(const std::string& Msg) {
    throw FFmpegException(Msg);
}

std::string Format(const char* Fmt, ...) {
    char buf[512];
    va_list args;
    va_start(args, Fmt);
    std::vsnprintf(buf, sizeof buf, Fmt, args);
    va_end(args);
    return buf;
}

TOptionState& Opts(TOutputContext& Ctx) {
    return Ctx.Session.Options();
}

void RaiseOrLog(TOutputContext& Ctx, const std::string& Msg) {
    if (Opts(Ctx).ExitOnError)
        Raise(Msg);
    GetLogger().LogMessage(Ctx.Session.LogSender(), llError, Msg);
}

double SyncTime(TOutputContext& Ctx, const TOutputStream& S, const TInputStream& In) {
    const TInputStream* sync = S.Sync != nullptr ? S.Sync : &In;
    return double(sync->Pts - Opts(Ctx).StartTime) / 1e6;
}

AVFrame* OwnFrame(TFramePtr& F) {
    if (!F) {
        F.reset(av_frame_alloc());
        if (!F)
            Raise("Out of memory in do_audio_out");
    }
    return F.get();
}

AVPacket* OwnPacket(TOutputStream& S) {
    if (!S.EncodePacket) {
        S.EncodePacket.reset(av_packet_alloc());
        if (!S.EncodePacket)
            Raise("Out of memory");
    }
    return S.EncodePacket.get();
}

AVRational EncoderTimeBase(const AVCodecContext* Enc) {
    if (Enc->time_base.num > 0 && Enc->time_base.den > 0)
        return Enc->time_base;
    return AVRational{1, Enc->sample_rate > 0 ? Enc->sample_rate : AV_TIME_BASE};
}

void Deliver(TOutputContext& Ctx, TOutputStream& S, AVPacket* Pkt) {
    Pkt->stream_index = S.Stream->index;
    if (Pkt->dts == AV_NOPTS_VALUE)
        Pkt->dts = Pkt->pts;
    av_packet_rescale_ts(Pkt, EncoderTimeBase(S.Encoder), S.Stream->time_base);
    Pkt->time_base = S.Stream->time_base;
    Ctx.WriteFrame(S, Pkt);
    av_packet_unref(Pkt);
}

} // namespace zeltaoutput

using namespace zeltaoutput;

namespace {

// Pictures handed to encoders start on this boundary (what SIMD code in the encoders expects).
constexpr int PictureAlign = 32;

// An encoder-size picture whose buffer comes from the stream's pool, so that pictures the
// encoder still holds are not overwritten and none is allocated once the pool is warm.
AVFrame* PooledPicture(TOutputStream& S) {
    const AVCodecContext* enc = S.Encoder;
    const int size = av_image_get_buffer_size(enc->pix_fmt, enc->width, enc->height, PictureAlign);
    if (size < 0)
        Raise("Cannot allocate temp picture, check pix fmt");
    if (!S.PicturePool || S.PicturePoolSize != size) {
        // Padding past the last row: SIMD code may read a little beyond it.
        S.PicturePool.reset(av_buffer_pool_init(size_t(size) + 64, av_buffer_alloc));
        if (!S.PicturePool)
            Raise("Cannot allocate temp picture, check pix fmt");
        S.PicturePoolSize = size;
    }
    AVFrame* f = OwnFrame(S.ResamplePicture);
    av_frame_unref(f);
    f->buf[0] = av_buffer_pool_get(S.PicturePool.get());
    if (f->buf[0] == nullptr ||
        av_image_fill_arrays(f->data, f->linesize, f->buf[0]->data, enc->pix_fmt, enc->width,
                             enc->height, PictureAlign) < 0)
        Raise("Cannot allocate temp picture, check pix fmt");
    f->extended_data = f->data;
    f->format = enc->pix_fmt;
    f->width = enc->width;
    f->height = enc->height;
    f->sample_aspect_ratio = enc->sample_aspect_ratio;
    return f;
}

bool Aligned(const AVFrame* F) {
    for (int p = 0; p < AV_NUM_DATA_POINTERS && F->data[p] != nullptr; ++p)
        if (reinterpret_cast<uintptr_t>(F->data[p]) % PictureAlign != 0 ||
            F->linesize[p] % PictureAlign != 0)
            return false;
    return true;
}

// Follows a change of the decoded picture's size or format: the message, the crop bands scaled
// to the new size, a scaler for the new cropped size. An output that was set up without scaling
// gets one now.
void InputSizeChanged(TOutputContext& Ctx, TOutputStream& S, const TInputStream& In,
                      const AVFrame* P) {
    const char* fmtName = av_get_pix_fmt_name(AVPixelFormat(P->format));
    GetLogger().LogFormat(Ctx.Session.LogSender(), llQuiet, "Input Stream #%d.%d frame size changed to %dx%d, %s",
                          In.FileIndex, In.StreamIndex, P->width, P->height,
                          fmtName != nullptr ? fmtName : "none");
    if (S.OriginalWidth <= 0 || S.OriginalHeight <= 0) {
        S.OriginalWidth = S.ExpectedWidth + S.OriginalBands.Left + S.OriginalBands.Right;
        S.OriginalHeight = S.ExpectedHeight + S.OriginalBands.Top + S.OriginalBands.Bottom;
    }
    if (S.OriginalWidth > 0 && S.OriginalHeight > 0) {
        const TCropBands& o = S.OriginalBands;
        S.Bands.Top = (P->height * o.Top / S.OriginalHeight) & ~1;
        S.Bands.Bottom = (P->height * o.Bottom / S.OriginalHeight) & ~1;
        S.Bands.Left = (P->width * o.Left / S.OriginalWidth) & ~1;
        S.Bands.Right = (P->width * o.Right / S.OriginalWidth) & ~1;
    }
    S.ExpectedWidth = P->width - S.Bands.Left - S.Bands.Right;
    S.ExpectedHeight = P->height - S.Bands.Top - S.Bands.Bottom;
    S.ExpectedPixFmt = AVPixelFormat(P->format);
    S.ResampleNeeded = true;
    S.Scaler.reset();
}

// The picture to encode: the input itself (a reference), its cropped part, or the scaled
// picture. Null when cropping failed and the failure was only logged.
AVFrame* PreparePicture(TOutputContext& Ctx, TOutputStream& S, const TInputStream& In, AVFrame* P) {
    AVFrame* view = OwnFrame(S.SourceView);
    av_frame_unref(view);
    if (av_frame_ref(view, P) < 0)
        Raise("Out of memory");
    if (S.Graph)
        return view;

    const TCropBands& b = S.Bands;
    if (S.ExpectedWidth <= 0 || S.ExpectedHeight <= 0) {
        // The run left the expected size open: the first picture defines it.
        S.ExpectedWidth = P->width - b.Left - b.Right;
        S.ExpectedHeight = P->height - b.Top - b.Bottom;
        S.ExpectedPixFmt = AVPixelFormat(P->format);
    } else if (P->width - b.Left - b.Right != S.ExpectedWidth ||
               P->height - b.Top - b.Bottom != S.ExpectedHeight || P->format != S.ExpectedPixFmt) {
        InputSizeChanged(Ctx, S, In, P);
    }

    if (b.Top != 0 || b.Bottom != 0 || b.Left != 0 || b.Right != 0) {
        if (b.Top < 0 || b.Bottom < 0 || b.Left < 0 || b.Right < 0 ||
            b.Top + b.Bottom >= P->height || b.Left + b.Right >= P->width) {
            RaiseOrLog(Ctx, "error cropping picture");
            av_frame_unref(view);
            return nullptr;
        }
        view->crop_top = size_t(b.Top);
        view->crop_bottom = size_t(b.Bottom);
        view->crop_left = size_t(b.Left);
        view->crop_right = size_t(b.Right);
        // Exact cropping; the pointers are only read (by the scaler or the copy below) unless
        // they happen to stay aligned.
        if (av_frame_apply_cropping(view, AV_FRAME_CROP_UNALIGNED) < 0) {
            RaiseOrLog(Ctx, "error cropping picture");
            av_frame_unref(view);
            return nullptr;
        }
    }

    const AVCodecContext* enc = S.Encoder;
    if (S.ResampleNeeded) {
        if (!S.Scaler) {
            const int flags = Ctx.Session.OptionContexts().ScalerFlags();
            Opts(Ctx).SwsFlags = flags;
            S.Scaler.reset(sws_getContext(view->width, view->height, AVPixelFormat(view->format),
                                          enc->width, enc->height, enc->pix_fmt, flags, nullptr,
                                          nullptr, nullptr));
            if (!S.Scaler)
                Raise("Cannot get resampling context");
        }
        AVFrame* out = PooledPicture(S);
        if (sws_scale(S.Scaler.get(), view->data, view->linesize, 0, view->height, out->data,
                      out->linesize) <= 0)
            Raise("Cannot get resampling context");
        av_frame_unref(view);
        return out;
    }
    if (!Aligned(view)) {
        AVFrame* out = PooledPicture(S);
        av_image_copy(out->data, out->linesize, const_cast<const uint8_t**>(view->data),
                      view->linesize, AVPixelFormat(view->format),
                      std::min(view->width, out->width), std::min(view->height, out->height));
        out->sample_aspect_ratio = view->sample_aspect_ratio;
        av_frame_unref(view);
        return out;
    }
    return view;
}

// Keeps the statistics of a coded picture that the encoder attached to its packet.
void KeepQualityStats(TOutputStream& S, const AVPacket* Pkt) {
    size_t size = 0;
    const uint8_t* sd = av_packet_get_side_data(Pkt, AV_PKT_DATA_QUALITY_STATS, &size);
    if (sd == nullptr || size < 5)
        return;
    S.CodedQuality = int(AV_RL32(sd));
    S.CodedPictType = sd[4];
    const int errors = size >= 6 ? sd[5] : 0;
    for (int i = 0; i < 4; ++i)
        S.CodedError[i] =
            i < errors && size >= size_t(8 + 8 * (i + 1)) ? AV_RL64(sd + 8 + 8 * i) : 0;
}

int ReceiveVideo(TOutputContext& Ctx, TOutputStream& S, int& FrameSize) {
    AVCodecContext* enc = S.Encoder;
    AVPacket* pkt = OwnPacket(S);
    int count = 0;
    for (;;) {
        const int ret = avcodec_receive_packet(enc, pkt);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return count;
        if (ret < 0)
            Raise("Video encoding failed");
        ++count;
        FrameSize += pkt->size;
        Ctx.Counters.VideoBytes += pkt->size;
        KeepQualityStats(S, pkt);
        if (pkt->duration <= 0)
            pkt->duration = 1; // one frame: SyncOpts counts frames in the encoder time base
        if (S.PassLogFile && enc->stats_out != nullptr &&
            std::fputs(enc->stats_out, S.PassLogFile.get()) < 0)
            Raise("Cannot write log file for pass-1 encoding");
        Deliver(Ctx, S, pkt);
    }
}

} // namespace

void VideoOut(TOutputContext& Ctx, TOutputStream& S, TInputStream& In, AVFrame* Picture,
              int& FrameSize) {
    FrameSize = 0;
    const TOptionState& o = Opts(Ctx);
    AVCodecContext* enc = S.Encoder;
    TRunCounters& counters = Ctx.Counters;

    int64_t n = 1;
    const double s = SyncTime(Ctx, S, In) / av_q2d(enc->time_base);
    if (o.VideoSyncMethod != 0) {
        const double d = s - double(S.SyncOpts);
        const bool variableRate = S.Container != nullptr && S.Container->oformat != nullptr &&
                                  (S.Container->oformat->flags & AVFMT_VARIABLE_FPS);
        if (d < -1.1) {
            n = 0;
        } else if (o.VideoSyncMethod == 2 || (o.VideoSyncMethod < 0 && variableRate)) {
            if (d <= -0.6)
                n = 0;
            else if (d > 0.6)
                S.SyncOpts = std::llrint(s); // the stream jumps ahead; nothing is duplicated
        } else if (d > 1.1) {
            n = std::llrint(std::min(d, double(std::numeric_limits<int>::max())));
        }
    } else {
        // Each picture at its own time. One that rounds onto the time stamp of the picture before
        // (an output rate below the input's) has no slot of its own: it is dropped, so that the
        // encoder's time stamps stay strictly increasing and the length stays the input's.
        const int64_t pts = std::llrint(s);
        if (S.FrameNumber > 0 && pts < S.SyncOpts)
            n = 0;
        else
            S.SyncOpts = pts;
    }
    if (n == 0) {
        ++counters.DropFrames;
        counters.DupDropChanged = true;
        if (o.Verbose > 2)
            GetLogger().LogMessage(Ctx.Session.LogSender(), llVerbose, "*** drop!");
    } else if (n > 1) {
        counters.DupFrames += int(n - 1);
        counters.DupDropChanged = true;
        if (o.Verbose > 2)
            GetLogger().LogFormat(Ctx.Session.LogSender(), llVerbose, "*** %d dup!", int(n - 1));
    }
    n = std::min<int64_t>(n, int64_t(o.MaxFrames[skVideo]) - S.FrameNumber);
    if (n <= 0)
        return;

    AVFrame* final = PreparePicture(Ctx, S, In, Picture);
    if (final == nullptr)
        return;
    final->interlaced_frame = Picture->interlaced_frame;
    final->top_field_first = Picture->top_field_first;
    if (enc->flags & (AV_CODEC_FLAG_INTERLACED_ME | AV_CODEC_FLAG_INTERLACED_DCT))
        final->top_field_first = o.TopFieldFirst == -1 ? Picture->top_field_first : o.TopFieldFirst;
    final->quality = o.SameQuality ? Picture->quality : enc->global_quality;
    final->pict_type = o.MeThreshold != 0 ? Picture->pict_type : AV_PICTURE_TYPE_NONE;

    for (int64_t i = 0; i < n; ++i) {
        if (Ctx.PausePoint)
            Ctx.PausePoint();
        if (Ctx.StopRequested.load())
            break;
        final->pts = S.SyncOpts;
        if (avcodec_send_frame(enc, final) < 0)
            Raise("Video encoding failed");
        if (ReceiveVideo(Ctx, S, FrameSize) > 0 && Ctx.PreviewHandOff)
            Ctx.PreviewHandOff(S, final);
        ++S.SyncOpts;
        ++S.FrameNumber;
    }
    // Give the decoder's (or the pool's) buffer back now rather than at the next picture.
    av_frame_unref(final);
}

void DrainVideo(TOutputContext& Ctx, TOutputStream& S) {
    if (S.Encoder == nullptr)
        return;
    const int ret = avcodec_send_frame(S.Encoder, nullptr);
    if (ret < 0 && ret != AVERROR_EOF)
        Raise("Video encoding failed");
    int bytes = 0;
    ReceiveVideo(Ctx, S, bytes);
}

void WriteVideoStats(TOutputContext& Ctx, TOutputStream& S, int FrameSize) {
    const std::optional<std::string>& name = Opts(Ctx).VStatsFileName;
    if (!name)
        return;
    if (!Ctx.Counters.VStatsFile) {
        Ctx.Counters.VStatsFile.reset(OpenWorkingFile(*name));
        if (!Ctx.Counters.VStatsFile)
            Raise("fopen fail: " + *name);
    }
    const AVCodecContext* enc = S.Encoder;
    if (enc == nullptr || enc->codec_type != AVMEDIA_TYPE_VIDEO)
        return;
    FILE* f = Ctx.Counters.VStatsFile.get();
    std::fprintf(f, "frame= %5d q= %2.1f ", S.FrameNumber, S.CodedQuality / double(FF_QP2LAMBDA));
    if (enc->flags & AV_CODEC_FLAG_PSNR)
        std::fprintf(f, "PSNR= %6.2f ",
                     -10.0 * std::log10(double(S.CodedError[0]) /
                                        (double(enc->width) * enc->height * 255.0 * 255.0)));
    std::fprintf(f, "f_size= %6d ", FrameSize);
    const double tb = av_q2d(enc->time_base);
    const double t = std::max(double(S.SyncOpts) * tb, 0.01);
    const double bytes = double(Ctx.Counters.VideoBytes);
    std::fprintf(f, "s_size= %8.0fkB time= %0.3f br= %7.1fkbits/s avg_br= %7.1fkbits/s ",
                 bytes / 1024, t, FrameSize * 8 / tb / 1000, bytes * 8 / t / 1000);
    std::fprintf(f, "type= %c\n", av_get_picture_type_char(AVPictureType(S.CodedPictType)));
    if (std::ferror(f))
        Raise("Cannot write " + *name);
}
