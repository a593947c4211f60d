// Helpers of the conversion tests: run one conversion through the option layer, the session and
// Transcode exactly as a task does, and read an output back by decoding it with the libraries.
// Used by the engine tests and by the probe's conversion matrix.
#pragma once

#include "engine/CustomFFmpeg.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/SessionTypes.h"
#include "engine/Transcode.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace transcodetest {

using TOptionList = std::vector<std::pair<std::string, std::string>>;

struct TInput {
    std::string File;
    TOptionList Before; // options stated just before this input is opened
};

struct TConversion {
    std::vector<TInput> Inputs;
    TOptionList Options; // after the inputs, before the output
    std::string Output;
    bool Join = false;
    TOptionList After; // after the output (newaudio ...)
    // Called with the core after Options, before the output is added (typed setters).
    std::function<void(TCustomFFmpeg&)> BeforeOutput;
    TTranscodeSettings Settings;
    // Called from the progress callback; true asks the run to stop.
    std::function<bool(int Call)> StopAfter;
    bool WithProgress = false;
};

struct TReport {
    int FileIndex = 0;
    int64_t TotalDuration = 0;
    int64_t CurrentDuration = 0;
    int64_t CurrentSize = 0;
    float BitRate = 0;
    float Quality = 0;
    int FPS = 0;
    int FrameNumber = 0;
};

struct TOutcome {
    std::string Error; // why the set-up or the run failed; empty when Transcode returned
    bool Completed = false;
    std::vector<TReport> Reports;
    std::vector<TLogInfo> Log;

    bool Logged(TLogLevel Level, const std::string& Text) const {
        return std::any_of(Log.begin(), Log.end(), [&](const TLogInfo& l) {
            return l.LogLevel == Level && l.LogMsg.find(Text) != std::string::npos;
        });
    }
    int CountLogged(const std::string& Text) const {
        return int(std::count_if(Log.begin(), Log.end(), [&](const TLogInfo& l) {
            return l.LogMsg.find(Text) != std::string::npos;
        }));
    }
};

// Captures the engine log on the calling thread for its lifetime, at Level.
class TLogCapture {
public:
    explicit TLogCapture(std::vector<TLogInfo>& Lines, TLogLevel Level = llVerbose) {
        SavedLevel_ = GetLogger().LogLevel();
        SavedTrigger_ = GetLogger().TriggerEventInMainThread();
        GetLogger().SetTriggerEventInMainThread(false);
        GetLogger().SetLogLevel(Level);
        GetLogger().SetOnLog(
            [&Lines, this](const void*, uint32_t, TLogLevel L, const std::string& M) {
                std::lock_guard g(Lock_);
                Lines.push_back({nullptr, 0, L, M});
            });
    }
    ~TLogCapture() {
        GetLogger().SetOnLog(nullptr);
        GetLogger().SetLogLevel(SavedLevel_);
        GetLogger().SetTriggerEventInMainThread(SavedTrigger_);
    }
    TLogCapture(const TLogCapture&) = delete;
    TLogCapture& operator=(const TLogCapture&) = delete;

private:
    TLogLevel SavedLevel_ = llInfo;
    bool SavedTrigger_ = true;
    std::mutex Lock_;
};

// Runs one conversion on a fresh core. Every refusal or exception ends up in Error.
inline TOutcome Convert(const TConversion& C, TLogLevel LogLevel = llVerbose) {
    TOutcome out;
    if (!FFLoader().LoadLibs(EngineLibraries)) {
        out.Error = "libraries: " + FFLoader().LastError();
        return out;
    }
    TLogCapture capture(out.Log, LogLevel);
    TCustomFFmpeg core;
    core.PrepareTask();
    std::atomic<bool> stop{false};
    try {
        for (const TInput& in : C.Inputs) {
            for (const auto& [name, value] : in.Before)
                core.SetOption(name, value);
            if (!core.AddInputFile(in.File)) {
                out.Error = core.LastErrMsg();
                core.FreeSession();
                return out;
            }
        }
        for (const auto& [name, value] : C.Options)
            core.SetOption(name, value);
        if (C.BeforeOutput)
            C.BeforeOutput(core);
        if (core.AddOutputFile(C.Output, C.Join) < 0) {
            out.Error = core.LastErrMsg();
            core.FreeSession();
            return out;
        }
        for (const auto& [name, value] : C.After)
            core.SetOption(name, value);
        TRunProgress progress;
        if (C.WithProgress || C.StopAfter)
            progress = [&](int FileIndex, int64_t Total, int64_t Current,
                           int64_t Size, float BitRate, float Quality, int FPS, int Frame) {
                out.Reports.push_back(
                    {FileIndex, Total, Current, Size, BitRate, Quality, FPS, Frame});
                if (C.StopAfter && C.StopAfter(int(out.Reports.size())))
                    stop = true;
            };
        out.Completed = Transcode(core, stop, progress, C.Settings);
    } catch (const std::exception& e) {
        out.Error = e.what();
    }
    core.FreeSession();
    return out;
}

// What decoding a file back shows about one stream.
struct TStreamFacts {
    int Type = AVMEDIA_TYPE_UNKNOWN;
    std::string Codec;
    int Width = 0, Height = 0;
    AVRational Sar{0, 1};
    int SampleRate = 0, Channels = 0;
    int64_t Frames = 0; // decoded frames (video) or samples (audio)
    int64_t Packets = 0;
    double FirstTime = 0;  // seconds, first decoded time stamp
    double EndTime = 0;    // seconds, last time stamp plus its duration
    double LargestGap = 0; // seconds between consecutive decoded frames beyond their length
    double Peak = 0;       // audio: largest absolute sample, 1.0 = full scale
    double AudioSeconds() const { return SampleRate > 0 ? double(Frames) / SampleRate : 0; }
};

struct TMediaFacts {
    bool Opened = false;
    std::string Error;
    std::string Format;
    double Duration = 0; // container duration, seconds
    std::vector<TStreamFacts> Streams;
    int Chapters = 0;
    std::vector<std::pair<std::string, std::string>> Metadata;
    int DecodeErrors = 0;

    const TStreamFacts* First(int Type) const {
        for (const TStreamFacts& s : Streams)
            if (s.Type == Type)
                return &s;
        return nullptr;
    }
    int Count(int Type) const {
        return int(std::count_if(Streams.begin(), Streams.end(),
                                 [&](const TStreamFacts& s) { return s.Type == Type; }));
    }
    // Tag names compared without letter case (Matroska stores them upper-case).
    std::string Tag(const std::string& Key) const {
        for (const auto& [k, v] : Metadata)
            if (k.size() == Key.size() &&
                std::equal(k.begin(), k.end(), Key.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) ==
                           std::tolower(static_cast<unsigned char>(b));
                }))
                return v;
        return {};
    }
};

namespace detail {

inline double SampleAt(const AVFrame* F, int Channel, int Index) {
    const AVSampleFormat fmt = AVSampleFormat(F->format);
    const bool planar = av_sample_fmt_is_planar(fmt);
    const int channels = F->ch_layout.nb_channels;
    const uint8_t* base = planar ? F->extended_data[Channel] : F->extended_data[0];
    const int pos = planar ? Index : Index * channels + Channel;
    switch (av_get_packed_sample_fmt(fmt)) {
    case AV_SAMPLE_FMT_U8:
        return (double(base[pos]) - 128) / 128;
    case AV_SAMPLE_FMT_S16:
        return double(reinterpret_cast<const int16_t*>(base)[pos]) / 32768;
    case AV_SAMPLE_FMT_S32:
        return double(reinterpret_cast<const int32_t*>(base)[pos]) / 2147483648.0;
    case AV_SAMPLE_FMT_FLT:
        return double(reinterpret_cast<const float*>(base)[pos]);
    case AV_SAMPLE_FMT_DBL:
        return reinterpret_cast<const double*>(base)[pos];
    default:
        return 0;
    }
}

} // namespace detail

// Opens Path with plain library calls and decodes every stream to the end.
inline TMediaFacts Inspect(const std::string& Path) {
    TMediaFacts facts;
    AVFormatContext* raw = nullptr;
    int r = avformat_open_input(&raw, Path.c_str(), nullptr, nullptr);
    if (r < 0) {
        facts.Error = "open failed " + std::to_string(r);
        return facts;
    }
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> ic(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(ic.get(), nullptr) < 0) {
        facts.Error = "no stream info";
        return facts;
    }
    facts.Opened = true;
    facts.Format = ic->iformat->name;
    facts.Duration = ic->duration == AV_NOPTS_VALUE ? 0 : double(ic->duration) / AV_TIME_BASE;
    facts.Chapters = int(ic->nb_chapters);
    const AVDictionaryEntry* e = nullptr;
    while ((e = av_dict_get(ic->metadata, "", e, AV_DICT_IGNORE_SUFFIX)))
        facts.Metadata.emplace_back(e->key, e->value);

    struct TCodecFree {
        void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
    };
    std::vector<std::unique_ptr<AVCodecContext, TCodecFree>> decoders;
    std::vector<double> lastEnd(ic->nb_streams, -1);
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        const AVStream* st = ic->streams[i];
        TStreamFacts s;
        s.Type = st->codecpar->codec_type;
        s.Codec = avcodec_get_name(st->codecpar->codec_id);
        s.Width = st->codecpar->width;
        s.Height = st->codecpar->height;
        s.Sar = st->sample_aspect_ratio.num ? st->sample_aspect_ratio
                                            : st->codecpar->sample_aspect_ratio;
        s.SampleRate = st->codecpar->sample_rate;
        s.Channels = st->codecpar->ch_layout.nb_channels;
        s.FirstTime = 1e9;
        facts.Streams.push_back(s);
        const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
        std::unique_ptr<AVCodecContext, TCodecFree> dec;
        if (codec != nullptr && (s.Type == AVMEDIA_TYPE_AUDIO || s.Type == AVMEDIA_TYPE_VIDEO)) {
            dec.reset(avcodec_alloc_context3(codec));
            if (avcodec_parameters_to_context(dec.get(), st->codecpar) < 0 ||
                (dec->pkt_timebase = st->time_base, avcodec_open2(dec.get(), codec, nullptr)) < 0)
                dec.reset();
        }
        decoders.push_back(std::move(dec));
    }

    std::unique_ptr<AVPacket, void (*)(AVPacket*)> pkt(av_packet_alloc(),
                                                       [](AVPacket* p) { av_packet_free(&p); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    auto receive = [&](unsigned Index) {
        AVCodecContext* dec = decoders[Index].get();
        TStreamFacts& s = facts.Streams[Index];
        const AVStream* st = ic->streams[Index];
        while (avcodec_receive_frame(dec, frame.get()) >= 0) {
            double t = frame->best_effort_timestamp == AV_NOPTS_VALUE
                           ? lastEnd[Index]
                           : double(frame->best_effort_timestamp) * av_q2d(st->time_base);
            double length = 0;
            if (s.Type == AVMEDIA_TYPE_AUDIO) {
                s.Frames += frame->nb_samples;
                length =
                    frame->sample_rate > 0 ? double(frame->nb_samples) / frame->sample_rate : 0;
                for (int c = 0; c < frame->ch_layout.nb_channels; ++c)
                    for (int k = 0; k < frame->nb_samples; ++k)
                        s.Peak = std::max(s.Peak, std::fabs(detail::SampleAt(frame.get(), c, k)));
                s.SampleRate = frame->sample_rate;
                s.Channels = frame->ch_layout.nb_channels;
            } else {
                ++s.Frames;
                const AVRational rate =
                    st->avg_frame_rate.num > 0 ? st->avg_frame_rate : st->r_frame_rate;
                length = frame->pkt_duration > 0
                             ? double(frame->pkt_duration) * av_q2d(st->time_base)
                         : rate.num > 0 && rate.den > 0 ? 1.0 / av_q2d(rate)
                                                        : 0;
                s.Width = frame->width;
                s.Height = frame->height;
            }
            if (t >= 0 || lastEnd[Index] < 0) {
                if (lastEnd[Index] >= 0)
                    s.LargestGap = std::max(s.LargestGap, t - lastEnd[Index]);
                s.FirstTime = std::min(s.FirstTime, t);
                lastEnd[Index] = t + length;
                s.EndTime = std::max(s.EndTime, t + length);
            }
            av_frame_unref(frame.get());
        }
    };
    while ((r = av_read_frame(ic.get(), pkt.get())) >= 0) {
        const unsigned index = unsigned(pkt->stream_index);
        if (index < decoders.size()) {
            ++facts.Streams[index].Packets;
            if (decoders[index]) {
                if (avcodec_send_packet(decoders[index].get(), pkt.get()) < 0)
                    ++facts.DecodeErrors;
                receive(index);
            }
        }
        av_packet_unref(pkt.get());
    }
    for (unsigned i = 0; i < decoders.size(); ++i)
        if (decoders[i]) {
            avcodec_send_packet(decoders[i].get(), nullptr);
            receive(i);
        }
    for (TStreamFacts& s : facts.Streams)
        if (s.FirstTime > 1e8)
            s.FirstTime = 0;
    return facts;
}

// A folder for one test's outputs, removed with its content.
class TOutputDir {
public:
    TOutputDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zelta-run-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Path_ = pattern;
    }
    ~TOutputDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path_, ec);
    }
    TOutputDir(const TOutputDir&) = delete;
    TOutputDir& operator=(const TOutputDir&) = delete;
    std::string File(const std::string& Name) const { return Path_ + "/" + Name; }
    const std::string& Path() const { return Path_; }

private:
    std::string Path_;
};

} // namespace transcodetest
