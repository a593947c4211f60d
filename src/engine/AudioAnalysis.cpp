#include "engine/AudioAnalysis.h"

#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/Loudness.h"
#include "engine/SessionTypes.h"
#include "engine/Transcode.h"
#include "engine/UnicodeProtocol.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libavutil/mathematics.h>
#include <libavutil/opt.h>
}

namespace {

constexpr AVRational MicroSeconds{1, 1000000};

// One decoded piece of the measured stream: Count samples of Frame from sample From on, the
// first of them at Time (us of the run's time line).
using TTake = std::function<void(const AVFrame* Frame, int From, int Count, int64_t Time)>;

// The measured stream of a file opened on its own, read as the run reads it.
class TReader {
public:
    // Empty, or why the file cannot be measured.
    std::string Open(const TAudioSource& Source) {
        const AVInputFormat* format = nullptr;
        if (!Source.FormatName.empty() &&
            (format = av_find_input_format(Source.FormatName.c_str())) == nullptr)
            return "Unknown input format: \"" + Source.FormatName + "\"";
        AVFormatContext* raw = nullptr;
        int r = UnicodeOpenInput(&raw, Source.Url, format, nullptr);
        Ic.reset(raw);
        if (r < 0)
            return ErrorText(URLToFileName(Source.Url), r);
        {
            std::lock_guard lock(CodecLock());
            r = avformat_find_stream_info(raw, nullptr);
        }
        if (r < 0)
            return URLToFileName(Source.Url) + ": could not find codec parameters";
        Index = Source.StreamIndex;
        if (Index < 0 || unsigned(Index) >= raw->nb_streams ||
            raw->streams[Index]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO) {
            // The run's own choice: the audio stream with the most frames, the first on ties.
            Index = -1;
            int64_t best = -1;
            for (unsigned i = 0; i < raw->nb_streams; ++i) {
                const AVStream* st = raw->streams[i];
                if (st->codecpar->codec_type != AVMEDIA_TYPE_AUDIO ||
                    (st->disposition & AV_DISPOSITION_ATTACHED_PIC))
                    continue;
                const int64_t frames = ProbedFrameCount(st, raw);
                if (frames > best) {
                    best = frames;
                    Index = int(i);
                }
            }
        }
        if (Index < 0)
            return URLToFileName(Source.Url) + ": has no sound to measure";
        for (unsigned i = 0; i < raw->nb_streams; ++i)
            if (int(i) != Index)
                raw->streams[i]->discard = AVDISCARD_ALL;
        St = raw->streams[Index];

        int64_t target = Source.InputStart;
        if (raw->start_time != AV_NOPTS_VALUE)
            target += raw->start_time;
        if (Source.InputStart != 0)
            av_seek_frame(raw, -1, target, AVSEEK_FLAG_BACKWARD);
        TsOffset = Source.TsOffset ? *Source.TsOffset : -target;

        const AVCodec* codec = avcodec_find_decoder(St->codecpar->codec_id);
        if (codec == nullptr)
            return URLToFileName(Source.Url) + ": no decoder for its sound";
        Dec.reset(avcodec_alloc_context3(codec));
        if (!Dec || avcodec_parameters_to_context(Dec.get(), St->codecpar) < 0)
            return "Out of memory";
        Dec->pkt_timebase = St->time_base;
        Dec->thread_count = 1;
        if (Source.DownmixChannels > 0 &&
            Source.DownmixChannels < St->codecpar->ch_layout.nb_channels &&
            av_opt_find(Dec.get(), "downmix", nullptr, 0, AV_OPT_SEARCH_CHILDREN) != nullptr) {
            AVChannelLayout layout{};
            av_channel_layout_default(&layout, Source.DownmixChannels);
            av_opt_set_chlayout(Dec.get(), "downmix", &layout, AV_OPT_SEARCH_CHILDREN);
        }
        {
            std::lock_guard lock(CodecLock());
            r = avcodec_open2(Dec.get(), codec, nullptr);
        }
        if (r < 0)
            return ErrorText(URLToFileName(Source.Url), r);
        return {};
    }

    ~TReader() {
        std::lock_guard lock(CodecLock());
        Dec.reset();
    }

    // Decodes to the end of the stream or of the recording time. False when stopped.
    bool Run(const TAudioSource& Source, const TKeepGoing& KeepGoing, const TTake& Take) {
        TPacketPtr pkt(av_packet_alloc());
        TFramePtr frame(av_frame_alloc());
        if (!pkt || !frame)
            return true;
        const AVRational tb = St->time_base;
        const int64_t offset = av_rescale_q(TsOffset, MicroSeconds, tb);
        // The frames' own times decide what is cut at the start, as in the run; the samples
        // delivered are placed one after the other from the first one's time (as the filter
        // chain places them).
        int64_t next = NoMediaTime;  // end of the last frame by the time stamps
        int64_t placed = NoMediaTime; // end of what was delivered
        int64_t delivered = 0;        // samples delivered since placed was set
        int placedRate = 0;
        auto receive = [&] {
            while (avcodec_receive_frame(Dec.get(), frame.get()) >= 0) {
                const AVFrame* f = frame.get();
                const int64_t ts = f->best_effort_timestamp;
                int64_t time = ts != AV_NOPTS_VALUE ? av_rescale_q(ts, tb, MicroSeconds)
                                                    : (next == NoMediaTime ? 0 : next);
                const int rate = f->sample_rate;
                if (rate > 0)
                    next = time + av_rescale(f->nb_samples, 1000000, rate);
                int from = 0;
                if (time < Source.OutputStart && rate > 0) {
                    from = int(std::min<int64_t>(
                        av_rescale(Source.OutputStart - time, rate, 1000000), f->nb_samples));
                    time = Source.OutputStart;
                }
                if (from < f->nb_samples && rate > 0 && f->ch_layout.nb_channels > 0) {
                    if (placed == NoMediaTime || rate != placedRate) {
                        placed = placed == NoMediaTime
                                     ? time
                                     : placed + av_rescale(delivered, 1000000, placedRate);
                        placedRate = rate;
                        delivered = 0;
                    }
                    Take(f, from, f->nb_samples - from,
                         placed + av_rescale(delivered, 1000000, rate));
                    delivered += f->nb_samples - from;
                }
                av_frame_unref(frame.get());
            }
        };
        for (;;) {
            if (KeepGoing && !KeepGoing())
                return false;
            if (av_read_frame(Ic.get(), pkt.get()) < 0)
                break;
            if (pkt->stream_index != Index) {
                av_packet_unref(pkt.get());
                continue;
            }
            if (pkt->dts != AV_NOPTS_VALUE)
                pkt->dts += offset;
            if (pkt->pts != AV_NOPTS_VALUE)
                pkt->pts += offset;
            const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (Source.RecordingTime != INT64_MAX && ts != AV_NOPTS_VALUE &&
                av_compare_ts(ts, tb, Source.RecordingTime + Source.OutputStart, MicroSeconds) >=
                    0) {
                av_packet_unref(pkt.get());
                break;
            }
            // A packet the decoder refuses is skipped, as the run skips it.
            int r = avcodec_send_packet(Dec.get(), pkt.get());
            if (r == AVERROR(EAGAIN)) {
                receive();
                r = avcodec_send_packet(Dec.get(), pkt.get());
            }
            if (r >= 0)
                receive();
            av_packet_unref(pkt.get());
        }
        if (avcodec_send_packet(Dec.get(), nullptr) >= 0)
            receive();
        return true;
    }

    TInputContextPtr Ic;
    TCodecContextPtr Dec;
    AVStream* St = nullptr;
    int Index = -1;
    int64_t TsOffset = 0;
};

// Cuts the decoded audio into steps of 100 ms of interleaved floats (the last may be shorter;
// a change of rate or layout ends a step early).
class TStepper {
public:
    using TStep = std::function<void(const float* Samples, int Frames, int Rate,
                                     const AVChannelLayout& Layout, int64_t Time)>;
    explicit TStepper(TStep Step) : FStep(std::move(Step)) {}
    ~TStepper() { av_channel_layout_uninit(&FLayout); }

    void Take(const AVFrame* F, int From, int Count, int64_t Time) {
        if (F->sample_rate != FRate || av_channel_layout_compare(&F->ch_layout, &FLayout) != 0) {
            Finish();
            FRate = F->sample_rate;
            av_channel_layout_uninit(&FLayout);
            av_channel_layout_copy(&FLayout, &F->ch_layout);
            FFrames = TLoudnessMeter::StepFrames(FRate);
            FBuffer.resize(size_t(FFrames) * size_t(FLayout.nb_channels));
        }
        const size_t channels = size_t(FLayout.nb_channels);
        for (int done = 0; done < Count;) {
            const int n = std::min(Count - done, FFrames - FFilled);
            if (FFilled == 0)
                FTime = Time + av_rescale(done, 1000000, FRate);
            if (!InterleaveAsFloat(F, From + done, n, FBuffer.data() + size_t(FFilled) * channels))
                return;
            FFilled += n;
            done += n;
            if (FFilled == FFrames)
                Finish();
        }
    }
    void Finish() {
        if (FFilled > 0)
            FStep(FBuffer.data(), FFilled, FRate, FLayout, FTime);
        FFilled = 0;
    }

private:
    TStep FStep;
    std::vector<float> FBuffer;
    int FRate = 0;
    AVChannelLayout FLayout{};
    int FFrames = 0, FFilled = 0;
    int64_t FTime = 0;
};

const char* Tag(const AVFormatContext* Ic, const AVStream* St, const char* Name) {
    if (const AVDictionaryEntry* e = av_dict_get(Ic->metadata, Name, nullptr, 0))
        return e->value;
    if (const AVDictionaryEntry* e = av_dict_get(St->metadata, Name, nullptr, 0))
        return e->value;
    return nullptr;
}

// Loudness and sample peak stated by the file's ReplayGain or R128 tags.
bool LoudnessFromTags(const AVFormatContext* Ic, const AVStream* St, double& Lufs, double& Peak) {
    const char* peak = Tag(Ic, St, "REPLAYGAIN_TRACK_PEAK");
    if (peak == nullptr)
        return false; // without a peak the ceiling could not be kept
    char* end = nullptr;
    Peak = std::strtod(peak, &end);
    if (end == peak || !(Peak > 0) || Peak > 64)
        return false;
    if (const char* gain = Tag(Ic, St, "REPLAYGAIN_TRACK_GAIN")) {
        const double g = std::strtod(gain, &end);
        if (end != gain && std::isfinite(g)) {
            Lufs = TLoudnessMeter::ReferenceLufs - g;
            return true;
        }
    }
    if (const char* gain = Tag(Ic, St, "R128_TRACK_GAIN")) {
        // Q7.8 fixed point: the gain in 1/256 dB that brings the track to -23 LUFS.
        const long g = std::strtol(gain, &end, 10);
        if (end != gain) {
            Lufs = -23.0 - double(g) / 256.0;
            return true;
        }
    }
    return false;
}

std::string AlbumKeyOf(const AVFormatContext* Ic, const AVStream* St) {
    const char* album = Tag(Ic, St, "album");
    if (album == nullptr || *album == 0)
        return {};
    const char* artist = Tag(Ic, St, "album_artist");
    if (artist == nullptr)
        artist = Tag(Ic, St, "albumartist");
    if (artist == nullptr)
        artist = Tag(Ic, St, "album artist");
    return std::string(album) + '\x1f' + (artist != nullptr ? artist : "");
}

} // namespace

double DbOf(double Level) {
    return Level > 0 ? 20.0 * std::log10(Level) : -HUGE_VAL;
}

double LevelOf(double Db) {
    return std::pow(10.0, Db / 20.0);
}

TAudioMeasurement MeasureAudio(const TAudioSource& Source, bool UseTags, bool NeedEdges,
                               bool KeepBlocks, const TKeepGoing& KeepGoing) {
    TAudioMeasurement m;
    TReader reader;
    m.Error = reader.Open(Source);
    if (!m.Error.empty())
        return m;
    m.AlbumKey = AlbumKeyOf(reader.Ic.get(), reader.St);
    double lufs = 0, peak = 0;
    if (UseTags && !NeedEdges && LoudnessFromTags(reader.Ic.get(), reader.St, lufs, peak)) {
        m.FromTags = true;
        m.IntegratedLufs = lufs;
        m.SamplePeak = peak;
        if (reader.Ic->duration != AV_NOPTS_VALUE && reader.Ic->duration > 0) {
            m.Start = 0;
            m.End = std::min(reader.Ic->duration - Source.InputStart, Source.RecordingTime);
        }
        return m;
    }

    TLoudnessMeter meter(TLoudnessMeter::fRange | (KeepBlocks ? TLoudnessMeter::fBlocks : 0));
    TStepper stepper([&](const float* Samples, int Frames, int Rate, const AVChannelLayout& Layout,
                         int64_t Time) {
        const size_t channels = size_t(Layout.nb_channels);
        float stepPeak = 0;
        int first = -1, last = -1;
        for (int i = 0; i < Frames; ++i) {
            float frame = 0;
            for (size_t c = 0; c < channels; ++c)
                frame = std::max(frame, std::fabs(Samples[size_t(i) * channels + c]));
            stepPeak = std::max(stepPeak, frame);
            if (frame > float(SilenceLevel)) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        if (m.Start == NoMediaTime)
            m.Start = Time;
        m.End = Time + av_rescale(Frames, 1000000, Rate);
        if (first >= 0 && m.SoundStart == NoMediaTime)
            m.SoundStart = Time + av_rescale(first, 1000000, Rate);
        if (last >= 0)
            m.SoundEnd = Time + av_rescale(last + 1, 1000000, Rate);
        m.StepPeaks.push_back(stepPeak);
        m.SamplePeak = std::max(m.SamplePeak, double(stepPeak));
        meter.AddSteps(Samples, Frames, Rate, Layout);
    });
    if (!reader.Run(Source, KeepGoing, [&](const AVFrame* F, int From, int Count, int64_t Time) {
            stepper.Take(F, From, Count, Time);
        })) {
        m.Stopped = true;
        return m;
    }
    stepper.Finish();
    m.IntegratedLufs = meter.IntegratedLufs();
    m.RangeLu = meter.RangeLu();
    if (KeepBlocks)
        m.Blocks = meter.BlockEnergies();
    return m;
}

double MeasureTruePeak(const TAudioSource& Source, const TAudioMeasurement& Measured,
                       double Above, const TKeepGoing& KeepGoing) {
    // Without steps (measured by its tags) every step of the file counts.
    const std::vector<float>& peaks = Measured.StepPeaks;
    auto selected = [&](size_t K) {
        return peaks.empty() || (K < peaks.size() && double(peaks[K]) >= Above);
    };
    if (Measured.SamplePeak < Above)
        return Measured.SamplePeak;
    TReader reader;
    if (!reader.Open(Source).empty())
        return -1;
    TEbur128Ptr state;
    int rate = 0;
    AVChannelLayout layout{};
    double truePeak = 0;
    size_t step = 0;
    // A selected step is measured with the step before it as the filter's history (its own
    // result not counted) and the step after it, which holds the interpolation of its last
    // samples; so every value counted is the signal's own.
    TStepper stepper([&](const float* Samples, int Frames, int Rate, const AVChannelLayout& L,
                         int64_t) {
        const size_t k = step++;
        const bool counts = selected(k) || (k > 0 && selected(k - 1));
        if (!counts && !selected(k + 1))
            return;
        if (!state || Rate != rate || av_channel_layout_compare(&L, &layout) != 0) {
            rate = Rate;
            av_channel_layout_uninit(&layout);
            av_channel_layout_copy(&layout, &L);
            state = MakeEbur128(Rate, L, EBUR128_MODE_TRUE_PEAK);
        }
        if (!state || ebur128_add_frames_float(state.get(), Samples, size_t(Frames)) != 0 ||
            !counts)
            return;
        for (int c = 0; c < L.nb_channels; ++c) {
            double p = 0;
            if (ebur128_prev_true_peak(state.get(), unsigned(c), &p) == EBUR128_SUCCESS)
                truePeak = std::max(truePeak, p);
        }
    });
    const bool done = reader.Run(Source, KeepGoing, [&](const AVFrame* F, int From, int Count,
                                                        int64_t Time) {
        stepper.Take(F, From, Count, Time);
    });
    stepper.Finish();
    av_channel_layout_uninit(&layout);
    if (!done)
        return -1;
    // The interpolation never reads lower than the samples themselves.
    return std::max(truePeak, Measured.SamplePeak);
}

TGainDecision DecideGain(double TargetLufs, double CeilingDb, double MeasuredLufs,
                         double SamplePeak, const std::function<double(double)>& TruePeakAbove) {
    TGainDecision d;
    if (!std::isfinite(MeasuredLufs))
        return d;
    d.Measured = true;
    d.GainDb = TargetLufs - MeasuredLufs;
    const double gain = LevelOf(d.GainDb);
    const double ceiling = LevelOf(CeilingDb);
    // Below the ceiling even at the highest overshoot the interpolation can give.
    if (SamplePeak * TruePeakOvershoot * gain <= ceiling)
        return d;
    double truePeak = TruePeakAbove ? TruePeakAbove(ceiling / (gain * TruePeakOvershoot)) : -1;
    if (truePeak < 0) // not measured: the highest it can be
        truePeak = SamplePeak * TruePeakOvershoot;
    d.TruePeakDb = DbOf(truePeak);
    if (d.TruePeakDb + d.GainDb > CeilingDb) {
        d.GainDb = CeilingDb - d.TruePeakDb;
        d.Limited = true;
    }
    return d;
}
