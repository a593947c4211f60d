// The output stage's audio: one resampler per stream (rate, channel layout and sample format,
// drift compensation), the time line kept in step with the sync stream (silence inserted,
// samples dropped), the sample FIFO cut into encoder frames, the encoder (on a thread of its
// own when asked), the drain at the end, the volume and the encoder's format and rate choice.

#include "engine/Output.h"
#include "engine/OutputStage.h"

#include "engine/AudioEncoderThread.h"
#include "engine/FFLogger.h"
#include "engine/Loudness.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

using namespace zeltaoutput;

namespace {

// Inserted silence is fed in pieces of this many samples, so a long gap needs no big buffer.
constexpr int SilenceChunk = 4096;

// A layout libswresample can work with: an unspecified order becomes the default layout of its
// channel count.
AVChannelLayout UsableLayout(const AVChannelLayout& L) {
    AVChannelLayout out{};
    if (L.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&out, L.nb_channels);
    else if (av_channel_layout_copy(&out, &L) < 0)
        Raise("Out of memory in do_audio_out");
    return out;
}

struct TLayoutHolder {
    AVChannelLayout L;
    ~TLayoutHolder() { av_channel_layout_uninit(&L); }
};

// Equal channel counts are enough when either side leaves the order unspecified.
bool LayoutsMatch(const AVChannelLayout& A, const AVChannelLayout& B) {
    if (A.nb_channels != B.nb_channels)
        return false;
    if (A.order == AV_CHANNEL_ORDER_UNSPEC || B.order == AV_CHANNEL_ORDER_UNSPEC)
        return true;
    return av_channel_layout_compare(&A, &B) == 0;
}

uint64_t LayoutMask(const AVChannelLayout& L) {
    return L.order == AV_CHANNEL_ORDER_NATIVE ? L.u.mask : 0;
}

AVAudioFifo* Fifo(TOutputStream& S) {
    if (!S.Fifo) {
        const AVCodecContext* enc = S.Encoder;
        S.Fifo.reset(av_audio_fifo_alloc(enc->sample_fmt, enc->ch_layout.nb_channels,
                                         std::max(enc->frame_size, 1024)));
        if (!S.Fifo)
            Raise("av_fifo_alloc fail");
    }
    return S.Fifo.get();
}

void FifoWrite(TOutputStream& S, uint8_t* const* Data, int Samples) {
    if (Samples <= 0)
        return;
    if (av_audio_fifo_write(Fifo(S), reinterpret_cast<void**>(const_cast<uint8_t**>(Data)),
                            Samples) < Samples)
        Raise("av_fifo_realloc2() failed");
}

// A sample buffer of at least Samples samples in the given format; reallocated only to grow.
AVFrame* SampleBuffer(TFramePtr& F, int Samples, AVSampleFormat Fmt, const AVChannelLayout& Layout,
                      int Rate) {
    AVFrame* f = F.get();
    if (f != nullptr && f->nb_samples >= Samples && f->format == Fmt &&
        av_channel_layout_compare(&f->ch_layout, &Layout) == 0)
        return f;
    const int want = std::max(Samples, f != nullptr && f->format == Fmt ? f->nb_samples : 0);
    if (av_samples_get_buffer_size(nullptr, Layout.nb_channels, want, Fmt, 0) < 0)
        Raise("Buffer sizes too large in do_audio_out");
    F.reset();
    f = OwnFrame(F);
    f->format = Fmt;
    f->sample_rate = Rate;
    f->nb_samples = want;
    if (av_channel_layout_copy(&f->ch_layout, &Layout) < 0 || av_frame_get_buffer(f, 0) < 0)
        Raise("Out of memory in do_audio_out");
    return f;
}

// The encoder input frame holding Samples samples, writable. A buffer the encoder (or its
// thread) still holds is left to it: a new one costs less than copying samples that are about
// to be overwritten.
AVFrame* EncoderFrame(TOutputStream& S, int Samples) {
    const AVCodecContext* enc = S.Encoder;
    AVFrame* f = OwnFrame(S.EncodeFrame);
    if (S.EncodeFrameCapacity < Samples || !av_frame_is_writable(f)) {
        const int capacity = std::max(Samples, S.EncodeFrameCapacity);
        if (av_samples_get_buffer_size(nullptr, enc->ch_layout.nb_channels, capacity,
                                       enc->sample_fmt, 0) < 0)
            Raise("Buffer sizes too large in do_audio_out");
        av_frame_unref(f);
        S.EncodeFrameCapacity = 0;
        f->format = enc->sample_fmt;
        f->sample_rate = enc->sample_rate;
        f->nb_samples = capacity;
        if (av_channel_layout_copy(&f->ch_layout, &enc->ch_layout) < 0 ||
            av_frame_get_buffer(f, 0) < 0)
            Raise("Out of memory in do_audio_out");
        S.EncodeFrameCapacity = capacity;
    }
    f->nb_samples = Samples;
    return f;
}

// Writes one encoded audio packet (taken from the encoder or its thread).
void DeliverAudio(TOutputContext& Ctx, TOutputStream& S, AVPacket* Pkt) {
    // The audio frame limit counts encoded frames, as the video and copy limits do.
    if (S.FrameNumber >= Opts(Ctx).MaxFrames[skAudio]) {
        av_packet_unref(Pkt);
        return;
    }
    ++S.FrameNumber;
    Ctx.Counters.AudioBytes += Pkt->size;
    Pkt->flags |= AV_PKT_FLAG_KEY;
    Deliver(Ctx, S, Pkt);
}

void ReceiveAudio(TOutputContext& Ctx, TOutputStream& S) {
    AVPacket* pkt = OwnPacket(S);
    for (;;) {
        const int ret = avcodec_receive_packet(S.Encoder, pkt);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return;
        if (ret < 0)
            Raise("Audio encoding failed");
        DeliverAudio(Ctx, S, pkt);
    }
}

// Writes the packets the encoder thread has made; with All, waits for everything sent.
void TakeAudioPackets(TOutputContext& Ctx, TOutputStream& S, bool All) {
    AVPacket* pkt = OwnPacket(S);
    while (S.EncoderThread->Receive(pkt, All))
        DeliverAudio(Ctx, S, pkt);
}

// Writes everything the encoder thread still makes and ends the thread; the encoder stays open.
void EndEncoderThread(TOutputContext& Ctx, TOutputStream& S) {
    TakeAudioPackets(Ctx, S, true);
    S.EncoderThread.reset();
}

// Plain PCM costs less to encode than to hand to another thread.
bool WorthAThread(const AVCodecContext* Enc) {
    return !(Enc->codec_id >= AV_CODEC_ID_PCM_S16LE && Enc->codec_id < AV_CODEC_ID_ADPCM_IMA_QT);
}

// Sends one frame (null: end of stream) and writes what the encoder gives back.
void SendAudio(TOutputContext& Ctx, TOutputStream& S, const AVFrame* Frame) {
    if (S.Loudness != nullptr && Frame != nullptr)
        S.Loudness->AddFrame(Frame);
    if (!S.EncoderThread && Frame != nullptr && Ctx.AudioEncoderThreads && WorthAThread(S.Encoder))
        S.EncoderThread = std::make_shared<TAudioEncoderThread>(S.Encoder);
    if (S.EncoderThread) {
        S.EncoderThread->Send(Frame);
        if (Frame == nullptr)
            EndEncoderThread(Ctx, S);
        else
            TakeAudioPackets(Ctx, S, false);
        return;
    }
    const int ret = avcodec_send_frame(S.Encoder, Frame);
    if (ret < 0 && !(Frame == nullptr && ret == AVERROR_EOF))
        Raise("Audio encoding failed");
    ReceiveAudio(Ctx, S);
}

bool VariableFrameSize(const AVCodecContext* Enc) {
    return (Enc->codec != nullptr &&
            (Enc->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE)) ||
           Enc->frame_size <= 1;
}

// Encodes the FIFO in encoder frames; at the end of the stream (Final) also the short rest.
void EncodeFifo(TOutputContext& Ctx, TOutputStream& S, bool Final) {
    AVCodecContext* enc = S.Encoder;
    AVAudioFifo* fifo = Fifo(S);
    const bool variable = VariableFrameSize(enc);
    const bool smallLast =
        enc->codec != nullptr && (enc->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME);
    for (;;) {
        const int avail = av_audio_fifo_size(fifo);
        if (avail <= 0)
            return;
        int take = avail, length = avail;
        if (!variable) {
            if (avail >= enc->frame_size)
                take = length = enc->frame_size;
            else if (!Final)
                return;
            else if (!smallLast)
                length = enc->frame_size;
        }
        AVFrame* f = EncoderFrame(S, length);
        if (av_audio_fifo_read(fifo, reinterpret_cast<void**>(f->extended_data), take) < take)
            Raise("Audio encoding failed");
        if (length > take &&
            av_samples_set_silence(f->extended_data, take, length - take,
                                   enc->ch_layout.nb_channels, enc->sample_fmt) < 0)
            Raise("Audio encoding failed");
        f->pts = av_rescale_q(S.SyncOpts, AVRational{1, enc->sample_rate}, EncoderTimeBase(enc));
        S.SyncOpts += length;
        S.SentTs = av_rescale_q(S.SyncOpts, AVRational{1, enc->sample_rate}, S.Stream->time_base);
        SendAudio(Ctx, S, f);
    }
}

// Runs Samples input samples (planes as in AVFrame::extended_data) through the resampler, when
// the stream has one, into the FIFO. False when a conversion failed and was only logged.
bool Feed(TOutputContext& Ctx, TOutputStream& S, const uint8_t* const* Data, int Samples) {
    if (Samples <= 0)
        return true;
    if (!S.Resampler) {
        FifoWrite(S, const_cast<uint8_t* const*>(Data), Samples);
        return true;
    }
    const AVCodecContext* enc = S.Encoder;
    SwrContext* swr = S.Resampler.get();
    const uint8_t** in = const_cast<const uint8_t**>(Data);
    // The first call converts everything that fits; further calls (still with an input pointer,
    // a null one would flush the filter) collect what did not.
    for (int count = Samples;; count = 0) {
        const int bound = swr_get_out_samples(swr, count);
        if (bound < 0)
            Raise("Buffer sizes too large in do_audio_out");
        const int capacity = bound + 32;
        AVFrame* out = SampleBuffer(S.ConvertFrame, capacity, enc->sample_fmt, enc->ch_layout,
                                    enc->sample_rate);
        const int got = swr_convert(swr, out->extended_data, capacity, in, count);
        if (got < 0) {
            RaiseOrLog(Ctx, "av_audio_convert() failed");
            return false;
        }
        FifoWrite(S, out->extended_data, got);
        if (got < capacity)
            return true;
    }
}

// Moves what the resampler still holds into the FIFO and drops it: at the end of the stream, or
// before a resampler for a different input replaces it.
void FlushResampler(TOutputContext& Ctx, TOutputStream& S) {
    if (!S.Resampler)
        return;
    const AVCodecContext* enc = S.Encoder;
    SwrContext* swr = S.Resampler.get();
    for (;;) {
        const int capacity = std::max(swr_get_out_samples(swr, 0), 0) + 32;
        AVFrame* out = SampleBuffer(S.ConvertFrame, capacity, enc->sample_fmt, enc->ch_layout,
                                    enc->sample_rate);
        const int got = swr_convert(swr, out->extended_data, capacity, nullptr, 0);
        if (got < 0) {
            RaiseOrLog(Ctx, "av_audio_convert() failed");
            break;
        }
        FifoWrite(S, out->extended_data, got);
        if (got < capacity)
            break;
    }
    S.Resampler.reset();
    S.ResamplerInRate = S.ResamplerInChannels = 0;
}

// Makes sure the stream has the resampler this input needs (none when rate, layout and format
// already are the encoder's and no drift compensation is asked for).
void PrepareResampler(TOutputContext& Ctx, TOutputStream& S, const AVFrame* In) {
    const TOptionState& o = Opts(Ctx);
    const AVCodecContext* enc = S.Encoder;
    const AVSampleFormat inFmt = AVSampleFormat(In->format);
    const bool layoutDiffers = !LayoutsMatch(In->ch_layout, enc->ch_layout);
    if (layoutDiffers)
        S.AudioResampleNeeded = true;
    const bool resample =
        S.AudioResampleNeeded || In->sample_rate != enc->sample_rate || o.AudioSyncMethod > 1;
    if (!resample && inFmt == enc->sample_fmt) {
        FlushResampler(Ctx, S);
        return;
    }
    if (S.Resampler && S.ConvertFrom == inFmt && S.ResamplerInRate == In->sample_rate &&
        S.ResamplerInChannels == In->ch_layout.nb_channels &&
        S.ResamplerInMask == LayoutMask(In->ch_layout))
        return;
    // What an earlier resampler still holds belongs before this input.
    FlushResampler(Ctx, S);

    TLayoutHolder inLayout{UsableLayout(In->ch_layout)};
    TLayoutHolder outLayout{UsableLayout(enc->ch_layout)};
    SwrContext* raw = nullptr;
    bool ok = swr_alloc_set_opts2(&raw, &outLayout.L, enc->sample_fmt, enc->sample_rate,
                                  &inLayout.L, inFmt, In->sample_rate, 0, nullptr) >= 0;
    TSwrContextPtr swr(raw);
    if (ok) {
        // The resampler of the design: 16 taps, 2^10 phases, no linear interpolation, cut-off 0.8.
        ok = av_opt_set_int(raw, "filter_size", 16, 0) >= 0 &&
             av_opt_set_int(raw, "phase_shift", 10, 0) >= 0 &&
             av_opt_set_int(raw, "linear_interp", 0, 0) >= 0 &&
             av_opt_set_double(raw, "cutoff", 0.8, 0) >= 0;
        // Drift compensation needs the resampling stage even at equal rates; set it now so that
        // the first compensation does not re-initialise the context mid-stream.
        if (ok && o.AudioSyncMethod > 1)
            ok = av_opt_set_int(raw, "flags", SWR_FLAG_RESAMPLE, 0) >= 0;
        ok = ok && swr_init(raw) >= 0;
    }
    if (!ok) {
        if (!resample)
            Raise(Format("Cannot convert %s sample format to %s sample format",
                         av_get_sample_fmt_name(inFmt), av_get_sample_fmt_name(enc->sample_fmt)));
        Raise(Format("Can not resample %d channels @ %d Hz to %d channels @ %d Hz",
                     In->ch_layout.nb_channels, In->sample_rate, enc->ch_layout.nb_channels,
                     enc->sample_rate));
    }
    S.Resampler = std::move(swr);
    S.ConvertFrom = inFmt;
    S.ConvertTo = enc->sample_fmt;
    S.ResamplerInRate = In->sample_rate;
    S.ResamplerInChannels = In->ch_layout.nb_channels;
    S.ResamplerInMask = LayoutMask(In->ch_layout);
}

// Feeds Samples samples of silence in the format of Like.
bool FeedSilence(TOutputContext& Ctx, TOutputStream& S, const AVFrame* Like, int64_t Samples) {
    const AVSampleFormat fmt = AVSampleFormat(Like->format);
    AVFrame* f = S.SilenceFrame.get();
    if (f == nullptr || f->format != fmt ||
        av_channel_layout_compare(&f->ch_layout, &Like->ch_layout) != 0) {
        f = SampleBuffer(S.SilenceFrame, SilenceChunk, fmt, Like->ch_layout, Like->sample_rate);
        if (av_samples_set_silence(f->extended_data, 0, f->nb_samples, f->ch_layout.nb_channels,
                                   fmt) < 0)
            Raise("Out of memory in do_audio_out");
    }
    while (Samples > 0) {
        const int n = int(std::min<int64_t>(Samples, f->nb_samples));
        if (!Feed(Ctx, S, f->extended_data, n))
            return false;
        Samples -= n;
    }
    return true;
}

template <class T, class Op> void ForEachSample(AVFrame* F, Op Apply) {
    const int planes =
        av_sample_fmt_is_planar(AVSampleFormat(F->format)) ? F->ch_layout.nb_channels : 1;
    const int count = av_sample_fmt_is_planar(AVSampleFormat(F->format))
                          ? F->nb_samples
                          : F->nb_samples * F->ch_layout.nb_channels;
    for (int p = 0; p < planes; ++p) {
        T* s = reinterpret_cast<T*>(F->extended_data[p]);
        for (int i = 0; i < count; ++i)
            s[i] = Apply(s[i]);
    }
}

} // namespace

void AudioOut(TOutputContext& Ctx, TOutputStream& S, TInputStream& In, const AVFrame* Samples) {
    if (Samples == nullptr || Samples->nb_samples <= 0)
        return;
    const TOptionState& o = Opts(Ctx);
    const AVCodecContext* enc = S.Encoder;
    const int inRate = Samples->sample_rate;
    const int outRate = enc->sample_rate;
    const int inChannels = Samples->ch_layout.nb_channels;
    if (inRate <= 0 || inChannels <= 0 || outRate <= 0)
        Raise(Format("Can not resample %d channels @ %d Hz to %d channels @ %d Hz", inChannels,
                     inRate, enc->ch_layout.nb_channels, outRate));
    Fifo(S);
    PrepareResampler(Ctx, S, Samples);

    // Time line: output samples still waiting (FIFO and resampler) are already placed.
    const int64_t pending = av_audio_fifo_size(S.Fifo.get()) +
                            (S.Resampler ? swr_get_delay(S.Resampler.get(), outRate) : 0);
    const double syncTime = SyncTime(Ctx, S, In);
    int skip = 0;
    int64_t silence = 0;
    if (o.AudioSyncMethod != 0) {
        const double delta = syncTime * outRate - double(S.SyncOpts) - double(pending);
        const double idelta = delta * inRate / outRate;
        const int64_t inputDelta = int64_t(idelta);
        if (std::fabs(delta) > 50) {
            if (In.IsStart || std::fabs(delta) > o.AudioDriftThreshold * outRate) {
                if (inputDelta < 0) {
                    skip = int(std::min<int64_t>(-inputDelta, Samples->nb_samples));
                    if (o.Verbose > 2)
                        GetLogger().LogFormat(Ctx.Session.LogSender(), llVerbose, "discarding %d audio samples",
                                              int(-delta));
                    if (skip == Samples->nb_samples)
                        return;
                    In.IsStart = false;
                } else {
                    silence = inputDelta;
                    In.IsStart = false;
                    if (o.Verbose > 2)
                        GetLogger().LogFormat(Ctx.Session.LogSender(), llVerbose,
                                              "adding %d audio samples of silence", int(delta));
                }
            } else if (o.AudioSyncMethod > 1 && S.Resampler) {
                const double limit = o.AudioSyncMethod;
                const int comp = int(std::clamp(std::trunc(delta), -limit, limit));
                if (o.Verbose > 2)
                    GetLogger().LogFormat(
                        Ctx.Session.LogSender(), llVerbose,
                        "compensating audio timestamp drift:%f compensation:%d in:%d", delta, comp,
                        outRate);
                if (swr_set_compensation(S.Resampler.get(), comp, outRate) < 0)
                    GetLogger().LogMessage(Ctx.Session.LogSender(), llError,
                                           "audio timestamp drift compensation failed");
            }
        }
    } else {
        // The samples are stamped from the sync clock. A clock that lags the audio (another
        // stream's, moving in picture steps, or time stamps that step back) would stamp them
        // onto samples already placed: once the time line has started it only moves forward,
        // so such a lag costs nothing and a lead leaves a gap no longer than the lead.
        const int64_t clock = std::llrint(syncTime * outRate) - pending;
        const bool started = S.EncodeFrame != nullptr || pending > 0;
        S.SyncOpts = started ? std::max(S.SyncOpts, clock) : clock;
    }

    if (silence > 0 && !FeedSilence(Ctx, S, Samples, silence))
        return;
    const uint8_t* const* data = Samples->extended_data;
    const uint8_t* shifted[64];
    if (skip > 0) {
        const AVSampleFormat fmt = AVSampleFormat(Samples->format);
        const bool planar = av_sample_fmt_is_planar(fmt);
        const int planes = planar ? inChannels : 1;
        if (planes > 64)
            Raise("av_audio_convert() failed");
        const int step = av_get_bytes_per_sample(fmt) * (planar ? 1 : inChannels);
        for (int p = 0; p < planes; ++p)
            shifted[p] = Samples->extended_data[p] + size_t(skip) * size_t(step);
        data = shifted;
    }
    if (!Feed(Ctx, S, data, Samples->nb_samples - skip))
        return;
    EncodeFifo(Ctx, S, false);
}

void EndAudioInput(TOutputContext& Ctx, TOutputStream& S) {
    if (S.Encoder == nullptr)
        return;
    FlushResampler(Ctx, S);
    if (S.EncoderThread)
        EndEncoderThread(Ctx, S);
}

void StopAudioEncoder(TOutputStream& S) {
    S.EncoderThread.reset();
}

void DrainAudio(TOutputContext& Ctx, TOutputStream& S) {
    if (S.Encoder == nullptr)
        return;
    FlushResampler(Ctx, S);
    if (S.Fifo)
        EncodeFifo(Ctx, S, true);
    SendAudio(Ctx, S, nullptr);
}

int ApplyVolume(AVFrame* F, int Volume) {
    if (Volume == 256 || F == nullptr || F->nb_samples <= 0)
        return 0;
    const int ret = av_frame_make_writable(F);
    if (ret < 0)
        return ret;
    const int64_t v = Volume;
    const double gain = Volume / 256.0;
    switch (AVSampleFormat(F->format)) {
    case AV_SAMPLE_FMT_S16:
    case AV_SAMPLE_FMT_S16P:
        ForEachSample<int16_t>(F, [&](int16_t s) {
            return int16_t(std::clamp<int64_t>((s * v + 128) >> 8, -32768, 32767));
        });
        break;
    case AV_SAMPLE_FMT_U8:
    case AV_SAMPLE_FMT_U8P:
        ForEachSample<uint8_t>(F, [&](uint8_t s) {
            return uint8_t(
                std::clamp<int64_t>((((int64_t(s) - 128) * v + 128) >> 8) + 128, 0, 255));
        });
        break;
    case AV_SAMPLE_FMT_S32:
    case AV_SAMPLE_FMT_S32P:
        ForEachSample<int32_t>(F, [&](int32_t s) {
            return int32_t(std::clamp<int64_t>((s * v + 128) >> 8,
                                               std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
        });
        break;
    case AV_SAMPLE_FMT_S64:
    case AV_SAMPLE_FMT_S64P:
        ForEachSample<int64_t>(F, [&](int64_t s) {
            const long double r = static_cast<long double>(s) * gain;
            if (r >= static_cast<long double>(std::numeric_limits<int64_t>::max()))
                return std::numeric_limits<int64_t>::max();
            if (r <= static_cast<long double>(std::numeric_limits<int64_t>::min()))
                return std::numeric_limits<int64_t>::min();
            return int64_t(r);
        });
        break;
    case AV_SAMPLE_FMT_FLT:
    case AV_SAMPLE_FMT_FLTP:
        ForEachSample<float>(F, [&](float s) { return float(s * gain); });
        break;
    case AV_SAMPLE_FMT_DBL:
    case AV_SAMPLE_FMT_DBLP:
        ForEachSample<double>(F, [&](double s) { return s * gain; });
        break;
    default:
        break;
    }
    return 0;
}

AVSampleFormat ChooseSampleFormat(const AVCodec* Codec, AVSampleFormat Requested) {
    if (Codec == nullptr || Codec->sample_fmts == nullptr)
        return Requested;
    for (const AVSampleFormat* f = Codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
        if (*f == Requested)
            return Requested;
    return Codec->sample_fmts[0] != AV_SAMPLE_FMT_NONE ? Codec->sample_fmts[0] : Requested;
}

int ChooseSampleRate(const AVCodec* Codec, int Requested) {
    if (Codec == nullptr || Codec->supported_samplerates == nullptr ||
        Codec->supported_samplerates[0] == 0)
        return Requested;
    int best = Codec->supported_samplerates[0];
    for (const int* r = Codec->supported_samplerates; *r != 0; ++r)
        if (std::llabs(int64_t(*r) - Requested) < std::llabs(int64_t(best) - Requested))
            best = *r;
    if (best != Requested)
        GetLogger().LogFormat(nullptr, llWarning,
                              "Requested sampling rate unsupported using closest supported (%d)",
                              best);
    return best;
}
