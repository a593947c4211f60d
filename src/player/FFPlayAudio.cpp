// The audio side of the player: the decoding thread that converts audio to signed 16-bit into
// the sample queue, SDL's callback that only copies from it, the audio clock and the
// visualisation of files without video.

#include "player/FFPlayState.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/time.h>
}

namespace player {

namespace {

// Appends output samples to the visualisation ring. Called with the sample queue's lock held.
void AppendToRing(TPlaybackState& S, const uint8_t* Bytes, size_t Length) {
    std::lock_guard g(S.RingLock);
    size_t count = Length / 2;
    const auto* src = reinterpret_cast<const int16_t*>(Bytes);
    while (count > 0) {
        const size_t n = std::min(count, size_t(SampleRingSize - S.SampleRingIndex));
        std::memcpy(S.SampleRing.data() + S.SampleRingIndex, src, n * 2);
        src += n;
        count -= n;
        S.SampleRingIndex = int((size_t(S.SampleRingIndex) + n) % SampleRingSize);
    }
}

// Converts the frame into S.Samples as interleaved signed 16-bit at the device's rate and
// channel count; returns the byte count or -1.
int ConvertAudio(TPlaybackState& S, const AVFrame* Frame) {
    AVChannelLayout in{};
    if (Frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || Frame->ch_layout.nb_channels == 0)
        av_channel_layout_default(&in, std::max(1, Frame->ch_layout.nb_channels));
    else if (av_channel_layout_copy(&in, &Frame->ch_layout) < 0)
        return -1;
    struct TLayoutGuard {
        AVChannelLayout& L;
        ~TLayoutGuard() { av_channel_layout_uninit(&L); }
    } guard{in};

    if (!S.Resampler || Frame->format != S.ResamplerFormat || Frame->sample_rate != S.ResamplerRate ||
        av_channel_layout_compare(&in, &S.ResamplerLayout) != 0) {
        S.Resampler.reset();
        AVChannelLayout out{};
        av_channel_layout_default(&out, S.AudioChannels);
        SwrContext* swr = nullptr;
        const bool made = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_S16, S.AudioRate, &in,
                                              AVSampleFormat(Frame->format), Frame->sample_rate, 0,
                                              nullptr) >= 0 &&
                          swr_init(swr) >= 0;
        av_channel_layout_uninit(&out);
        if (!made) {
            swr_free(&swr);
            const char* name = av_get_sample_fmt_name(AVSampleFormat(Frame->format));
            LogText(S, llError,
                    FormatText("Cannot convert %s sample format to %s sample format",
                               name != nullptr ? name : "none", "s16"));
            return -1;
        }
        S.Resampler.reset(swr);
        S.ResamplerFormat = Frame->format;
        S.ResamplerRate = Frame->sample_rate;
        av_channel_layout_uninit(&S.ResamplerLayout);
        av_channel_layout_copy(&S.ResamplerLayout, &in);
    }
    const int frameBytes = 2 * S.AudioChannels;
    const int capacity = swr_get_out_samples(S.Resampler.get(), Frame->nb_samples) + 16;
    // Room for the audio correction to stretch the block by its largest step.
    const size_t need = size_t(capacity) * size_t(frameBytes) * (100 + CorrectionPercent) / 100 + size_t(frameBytes);
    if (S.Samples.size() < need)
        S.Samples.resize(need);
    uint8_t* out[1] = {S.Samples.data()};
    const int got = swr_convert(S.Resampler.get(), out, capacity,
                                const_cast<const uint8_t**>(Frame->extended_data), Frame->nb_samples);
    if (got < 0) {
        LogText(S, llError, "av_audio_convert() failed");
        return -1;
    }
    return got * frameBytes;
}

// With video or the external clock as the master, audio blocks are shortened or stretched so
// the audio clock follows the master.
int SynchronizeAudio(TPlaybackState& S, int Bytes) {
    if (!((S.SyncType == stVideoMaster && S.VideoStream >= 0) || S.SyncType == stExternalClock))
        return Bytes;
    const int frameBytes = 2 * S.AudioChannels;
    const double diff = AudioPosition(S) - MasterPosition(S);
    if (std::isnan(diff) || Bytes < frameBytes)
        return Bytes;
    if (std::fabs(diff) >= NoSyncThreshold) {
        S.DriftCount = 0;
        S.DriftSum = 0;
        return Bytes;
    }
    S.DriftSum = diff + S.DriftDecay * S.DriftSum;
    if (S.DriftCount < DriftMeasures) {
        ++S.DriftCount;
        return Bytes;
    }
    const double average = S.DriftSum * (1.0 - S.DriftDecay);
    if (std::fabs(average) < S.DriftThreshold)
        return Bytes;
    int wanted = Bytes + int(std::lrint(diff * S.AudioRate)) * frameBytes;
    const int lowest = Bytes * (100 - CorrectionPercent) / 100 / frameBytes * frameBytes;
    const int highest = Bytes * (100 + CorrectionPercent) / 100 / frameBytes * frameBytes;
    wanted = std::clamp(wanted, lowest, highest);
    for (int at = Bytes; at < wanted; at += frameBytes)
        std::memcpy(S.Samples.data() + at, S.Samples.data() + Bytes - frameBytes, size_t(frameBytes));
    return wanted;
}

// Queues Bytes of S.Samples whose first sample plays at Clock; waits for room. False when the
// audio queue was aborted.
bool QueueSamples(TPlaybackState& S, int Bytes, double Clock) {
    size_t done = 0;
    const size_t total = size_t(std::max(Bytes, 0));
    while (done < total) {
        std::unique_lock l(S.FifoLock);
        S.FifoCond.wait(l, [&] {
            return S.AudioQ.Aborted() || S.FifoDiscard || S.FifoFill < S.Fifo.size();
        });
        if (S.AudioQ.Aborted())
            return false;
        if (S.FifoDiscard)
            return true;
        const size_t cap = S.Fifo.size();
        size_t n = std::min(total - done, cap - S.FifoFill);
        while (n > 0) {
            const size_t at = (S.FifoRead + S.FifoFill) % cap;
            const size_t piece = std::min(n, cap - at);
            std::memcpy(S.Fifo.data() + at, S.Samples.data() + done, piece);
            S.FifoFill += piece;
            done += piece;
            n -= piece;
        }
        S.FifoEndClock = Clock + double(done) / S.AudioBytesPerSecond;
    }
    return true;
}

void ClearSampleQueue(TPlaybackState& S) {
    S.FifoRead = S.FifoFill = 0;
    S.FifoEndClock = NAN;
}

} // namespace

void ResetAudioSync(TPlaybackState& S) {
    S.DriftSum = 0;
    S.DriftCount = 0;
    S.DriftDecay = std::exp(std::log(0.01) / DriftMeasures);
    S.DriftThreshold = S.AudioRate > 0 ? 2.0 * AudioBufferSamples / S.AudioRate : 0;
}

void DiscardQueuedAudio(TPlaybackState& S) {
    {
        std::lock_guard g(S.FifoLock);
        S.FifoDiscard = true;
        ClearSampleQueue(S);
        S.FifoCond.notify_all();
    }
    std::lock_guard g(S.AudioClockLock);
    S.AudioClockValue = NAN;
}

void AudioThreadBody(TPlaybackState& S) {
    AVCodecContext* dec = S.AudioCodec.get();
    TFramePtr frame(av_frame_alloc());
    if (!frame)
        return;
    double clock = NAN; // time of the next decoded sample
    for (;;) {
        TQueuedPacket item;
        if (S.AudioQ.Get(item, true) < 0)
            break;
        if (item.Kind == TPacketKind::Flush) {
            avcodec_flush_buffers(dec);
            std::lock_guard g(S.FifoLock);
            S.FifoDiscard = false;
            ClearSampleQueue(S);
            clock = NAN;
            continue;
        }
        if (item.Kind != TPacketKind::Data)
            continue;
        const AVPacket* packet = item.Packet.get();
        const double packetClock =
            packet->pts != AV_NOPTS_VALUE ? double(packet->pts) * av_q2d(S.AudioTimeBase) : NAN;
        if (avcodec_send_packet(dec, packet) < 0) {
            LogText(S, llInfo, "avcodec_decode_audio2() failed");
            continue;
        }
        int r;
        while ((r = avcodec_receive_frame(dec, frame.get())) == 0) {
            if (frame->pts != AV_NOPTS_VALUE)
                clock = double(frame->pts) * av_q2d(S.AudioTimeBase);
            else if (std::isnan(clock))
                clock = std::isnan(packetClock) ? 0.0 : packetClock;
            const int bytes = ConvertAudio(S, frame.get());
            av_frame_unref(frame.get());
            if (bytes <= 0)
                continue;
            const int queued = SynchronizeAudio(S, bytes);
            if (!QueueSamples(S, queued, clock))
                return;
            clock += double(bytes) / S.AudioBytesPerSecond;
        }
        if (r != AVERROR(EAGAIN) && r != AVERROR_EOF)
            LogText(S, llInfo, "avcodec_decode_audio2() failed");
    }
}

void SDLCALL AudioCallback(void* Opaque, Uint8* Stream, int Length) {
    TPlaybackState& S = *static_cast<TPlaybackState*>(Opaque);
    const int64_t now = av_gettime_relative();
    S.AudioCallbackTime = now;
    std::memset(Stream, 0, size_t(std::max(Length, 0)));
    if (S.Paused) {
        std::lock_guard g(S.AudioClockLock);
        S.AudioClockTime = now;
        S.AudioClockSpan = 0;
        return;
    }
    const int volume = std::clamp(S.Live->AudioVolume.load(), 0, SDL_MIX_MAXVOLUME);
    const bool mute = S.Live->Mute;
    const bool visual = S.ShowMode != 0;
    double clock = NAN;
    size_t copied = 0;
    {
        std::lock_guard g(S.FifoLock);
        const size_t cap = S.Fifo.size();
        const size_t n = std::min(size_t(std::max(Length, 0)), S.FifoFill);
        while (copied < n) {
            const size_t piece = std::min(n - copied, cap - S.FifoRead);
            const uint8_t* src = S.Fifo.data() + S.FifoRead;
            if (!mute) {
                if (volume >= SDL_MIX_MAXVOLUME)
                    std::memcpy(Stream + copied, src, piece);
                else
                    SDL_MixAudioFormat(Stream + copied, src, AUDIO_S16SYS, Uint32(piece), volume);
            }
            if (visual)
                AppendToRing(S, src, piece);
            S.FifoRead = (S.FifoRead + piece) % cap;
            copied += piece;
        }
        S.FifoFill -= n;
        if (!std::isnan(S.FifoEndClock))
            clock = S.FifoEndClock - double(S.FifoFill) / S.AudioBytesPerSecond;
        S.FifoCond.notify_all();
    }
    if (!std::isnan(clock)) {
        std::lock_guard g(S.AudioClockLock);
        S.AudioClockValue = clock;
        S.AudioClockTime = now;
        S.AudioClockSpan = double(copied) / S.AudioBytesPerSecond;
    }
}

double AudioPosition(const TPlaybackState& S) {
    std::lock_guard g(S.AudioClockLock);
    if (std::isnan(S.AudioClockValue))
        return NAN;
    // The block handed over last plays out during the span after its callback.
    const double elapsed = double(av_gettime_relative() - S.AudioClockTime) / 1000000.0;
    return S.AudioClockValue - S.AudioClockSpan + std::clamp(elapsed, 0.0, S.AudioClockSpan);
}

void DrawVisualisation(TPlaybackState& S) {
    const int mode = S.ShowMode;
    const int channels = S.AudioChannels;
    if (mode == 0 || channels <= 0 || S.Sink == nullptr)
        return;
    OpenSurface(S, false, 0, 0);
    const int width = S.SurfaceWidth, height = S.SurfaceHeight;
    std::vector<int16_t> ring;
    int index;
    {
        std::lock_guard g(S.RingLock);
        ring = S.SampleRing;
        index = S.SampleRingIndex;
    }
    const int used = mode == 1 ? width : TSpectrum::BlockSize(height);
    int start;
    if (!S.Paused) {
        // Centre on what is playing now: the samples SDL still holds are not heard yet.
        int delay = S.AudioHwBufferSize / (2 * channels);
        const int64_t elapsed = av_gettime_relative() - S.AudioCallbackTime;
        delay -= int(elapsed * S.AudioRate / 1000000);
        delay += used;
        if (delay < used)
            delay = used;
        start = ((index - delay * channels) % SampleRingSize + SampleRingSize) % SampleRingSize;
        if (mode == 1)
            start = WaveformTrigger(ring.data(), start, channels);
        S.LastTrigger = start;
    } else {
        start = S.LastTrigger;
    }
    auto picture = std::make_shared<TBitmap24>();
    if (mode == 1) {
        picture->SetSize(width, height);
        DrawWaveform(*picture, ring.data(), start, channels);
    } else {
        if (!S.SpectrumPicture || S.SpectrumPicture->Width() != width ||
            S.SpectrumPicture->Height() != height) {
            S.SpectrumPicture = std::make_unique<TBitmap24>();
            S.SpectrumPicture->SetSize(width, height);
            S.SpectrumColumn = 0;
        }
        if (!S.Paused) {
            S.Spectrum.DrawColumn(*S.SpectrumPicture, S.SpectrumColumn, ring.data(), start, channels);
            S.SpectrumColumn = (S.SpectrumColumn + 1) % std::max(1, width);
        }
        picture->SetSize(width, height);
        std::memcpy(picture->Bits(), S.SpectrumPicture->Bits(),
                    size_t(picture->ScanlineSize()) * size_t(height));
    }
    TShownPicture shown;
    shown.Bitmap = std::move(picture);
    shown.SurfaceWidth = width;
    shown.SurfaceHeight = height;
    S.Sink->ShowPicture(std::move(shown));
}

} // namespace player
