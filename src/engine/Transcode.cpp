// The transcoding loop: input choice, time-stamp correction, decoding on the send/receive API,
// stream copy, limits, the final drain, the trailers and the loudness tags. The packet writer is
// in PacketWriter.cpp, the end of an input file (join mode) in JoinInputs.cpp and the progress
// reports in TranscodeProgress.cpp.

#include "engine/Transcode.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/Loudness.h"
#include "engine/Tags.h"
#include "engine/UnicodeProtocol.h"
#include "engine/Output.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/frame.h>
#include <libavutil/mathematics.h>
#include <libavutil/samplefmt.h>
#include <libavutil/time.h>
}

namespace {

constexpr AVRational MicroSeconds{1, AV_TIME_BASE};

bool ValidRate(AVRational R) {
    return R.num > 0 && R.den > 0;
}

// Length of one picture of the stream in microseconds (0 when the stream has no rate).
int64_t PictureDuration(const AVStream* St, int64_t PacketDuration, int RepeatPict) {
    if (PacketDuration > 0)
        return av_rescale_q(PacketDuration, St->time_base, MicroSeconds);
    const AVRational rate = ValidRate(St->avg_frame_rate) ? St->avg_frame_rate : St->r_frame_rate;
    if (!ValidRate(rate))
        return 0;
    return av_rescale(int64_t(AV_TIME_BASE) * (2 + RepeatPict), rate.den, int64_t(rate.num) * 2);
}

} // namespace

bool Transcode(TSessionState& Session, const std::atomic<bool>& StopRequested,
               const TRunProgress& Progress, const TTranscodeSettings& Settings) {
    TTranscoder run(Session, StopRequested, Progress, Settings);
    const bool finished = run.Run();
    // Only a finished run gives its files their names; the temporaries of a stopped or failed
    // one go with the session.
    if (finished)
        Session.PublishOutputs();
    return finished;
}

TTranscoder::TTranscoder(TSessionState& Session, const std::atomic<bool>& StopRequested,
                         TRunProgress Progress, TTranscodeSettings Settings)
    : Session_(Session), StopRequested_(StopRequested), Progress_(std::move(Progress)),
      Settings_(std::move(Settings)) {}

TTranscoder::~TTranscoder() {
    CloseCodecs();
}

bool TTranscoder::Run() {
    Prepare();
    Loop();
    return Finish();
}

// ---- input choice and reading ----

int TTranscoder::ChooseInputFile() {
    const TOptionState& o = Options();
    if (Session_.JoinMode()) {
        for (const auto& p : OutputStreams_) {
            const TOutputStream& ost = *p;
            const int type = MediaTypeOf(ost);
            if (ost.GroupIndex == JoinInput_ && type >= 0 && type < 4 &&
                ost.FrameNumber >= o.MaxFrames[size_t(type)])
                return -1;
        }
        return InputFiles_[size_t(JoinInput_)].Ended ? -1 : JoinInput_;
    }
    double minOutput = 1e100, minInput = 1e100;
    int byOutput = -1, byInput = -1;
    for (const auto& p : OutputStreams_) {
        const TOutputStream& ost = *p;
        const TInputStream& ist = *ost.Source;
        const TInputFileState& file = InputFiles_[size_t(ist.FileIndex)];
        if (ist.PastRecordingTime || file.Ended || file.NoPacketNow)
            continue;
        const int64_t outputTs = ost.SentTs >= 0 ? ost.SentTs : ost.CurrentTs;
        const double outputTime = double(outputTs) * av_q2d(ost.Stream->time_base);
        const double inputTime = double(ist.Pts);
        if (inputTime < minInput) {
            minInput = inputTime;
            byInput = ist.FileIndex;
        }
        if (outputTime < minOutput) {
            minOutput = outputTime;
            byOutput = ist.FileIndex;
        }
        const int type = MediaTypeOf(ost);
        if (type >= 0 && type < 4 && ost.FrameNumber >= o.MaxFrames[size_t(type)])
            return -1;
    }
    return o.InputSync ? byInput : byOutput;
}

void TTranscoder::Loop() {
    TimerStart_ = av_gettime_relative();
    LastReport_ = TimerStart_;
    for (TInputFileState& f : InputFiles_)
        f.NoPacketNow = false;
    const std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();

    for (;;) {
        if (Settings_.PausePoint)
            Settings_.PausePoint();
        if (StopRequested_.load())
            break;
        const int file = ChooseInputFile();
        if (file < 0) {
            bool waiting = false;
            if (!Session_.JoinMode())
                for (TInputFileState& f : InputFiles_)
                    if (f.NoPacketNow) {
                        f.NoPacketNow = false;
                        waiting = true;
                    }
            if (waiting) {
                av_usleep(10000);
                continue;
            }
            // Every input read to its end, rather than a frame limit: the output's length can
            // be held against what the inputs announced.
            InputsExhausted_ = std::all_of(InputFiles_.begin(), InputFiles_.end(),
                                           [](const TInputFileState& f) { return f.Ended; });
            break;
        }
        const int64_t limit = Options().LimitFileSize;
        if (limit != 0 && !outputs.empty() && outputs[0].Context->pb != nullptr &&
            avio_tell(outputs[0].Context->pb) > limit)
            break;
        if (!ReadAndProcess(file))
            break;
    }
}

bool TTranscoder::ReadAndProcess(int FileIndex) {
    TInputFileState& file = InputFiles_[size_t(FileIndex)];
    AVFormatContext* ic = Session_.InputEntries()[size_t(FileIndex)].Context.get();
    AVPacket* pkt = Packet_.get();
    const TOptionState& o = Options();

    const int r = av_read_frame(ic, pkt);
    if (r == AVERROR(EAGAIN)) {
        file.NoPacketNow = true;
        return true;
    }
    // A stop ended a wait for the input (its interrupt callback, asked also by a stop of
    // everything before this run's own flag is set): not the end of the file.
    if (r == AVERROR_EXIT) {
        ReadInterrupted_ = true;
        return false;
    }
    if (r < 0) {
        bool leave = false;
        EndOfFile(FileIndex, leave);
        return !leave;
    }
    for (TInputFileState& f : InputFiles_)
        f.NoPacketNow = false;

    if (o.DoPktDump && pkt->stream_index >= 0 && unsigned(pkt->stream_index) < ic->nb_streams)
        av_pkt_dump_log2(nullptr, AV_LOG_DEBUG, pkt, o.DoHexDump ? 1 : 0,
                         ic->streams[pkt->stream_index]);

    bool report = true;
    if (pkt->stream_index >= 0 && pkt->stream_index < file.StreamCount) {
        TInputStream& ist = *InputStreams_[size_t(file.FirstStream + pkt->stream_index)];
        if (!ist.DiscardPending) {
            AdjustTimestamps(ist, pkt);
            if (!ist.PastRecordingTime && ProcessPacket(ist, pkt, false) < 0) {
                const std::string msg =
                    FormatText("Error while decoding stream #%d.%d (%s)", ist.FileIndex,
                               ist.StreamIndex, StreamKindName(MediaTypeOf(ist)).c_str());
                av_packet_unref(pkt);
                if (o.ExitOnError)
                    throw FFmpegException(msg);
                if (o.Verbose >= 0)
                    GetLogger().LogMessage(Session_.LogSender(), llVerbose, msg);
                report = false;
            }
        }
    }
    av_packet_unref(pkt);

    if (report) {
        const int64_t now = av_gettime_relative();
        if (now - LastReport_ > Settings_.ReportInterval) {
            LastReport_ = now;
            ReportProgress(false, FileIndex);
        }
    }
    return true;
}

void TTranscoder::AdjustTimestamps(TInputStream& Ist, AVPacket* Packet) {
    TInputFileEntry& entry = Session_.InputEntries()[size_t(Ist.FileIndex)];
    const AVRational tb = Ist.Stream->time_base;
    const TOptionState& o = Options();

    const int64_t offset = av_rescale_q(entry.TsOffset, MicroSeconds, tb);
    if (Packet->dts != AV_NOPTS_VALUE)
        Packet->dts += offset;
    if (Packet->pts != AV_NOPTS_VALUE)
        Packet->pts += offset;
    if (Ist.TsScale != 0) {
        if (Packet->dts != AV_NOPTS_VALUE)
            Packet->dts = std::llrint(double(Packet->dts) * Ist.TsScale);
        if (Packet->pts != AV_NOPTS_VALUE)
            Packet->pts = std::llrint(double(Packet->pts) * Ist.TsScale);
    }

    if (Packet->dts != AV_NOPTS_VALUE && Ist.NextPts != NoMediaTime &&
        (entry.Context->iformat->flags & AVFMT_TS_DISCONT) && !o.CopyTs) {
        const int64_t dtsTime = av_rescale_q(Packet->dts, tb, MicroSeconds);
        const int64_t delta = dtsTime - Ist.NextPts;
        if (double(std::llabs(delta)) > double(o.DtsDeltaThreshold) * 1e6 ||
            dtsTime + 1 < Ist.Pts) {
            entry.TsOffset -= delta;
            if (o.Verbose >= 3)
                GetLogger().LogFormat(Session_.LogSender(), llVerbose,
                                      "timestamp discontinuity %" PRId64 ", new offset= %" PRId64,
                                      delta, entry.TsOffset);
            const int64_t shift = av_rescale_q(delta, MicroSeconds, tb);
            Packet->dts -= shift;
            if (Packet->pts != AV_NOPTS_VALUE)
                Packet->pts -= shift;
        }
    }

    if (o.RecordingTime != INT64_MAX) {
        const int64_t ts = Packet->pts != AV_NOPTS_VALUE ? Packet->pts : Packet->dts;
        if (ts != AV_NOPTS_VALUE &&
            av_compare_ts(ts, tb, o.RecordingTime + o.StartTime, MicroSeconds) >= 0)
            Ist.PastRecordingTime = true;
    }
}

// ---- decoding ----

int TTranscoder::ProcessPacket(TInputStream& Ist, const AVPacket* Packet, bool DrainEncoders) {
    const AVStream* st = Ist.Stream;
    const AVCodecParameters* par = st->codecpar;
    const TOptionState& o = Options();

    if (Ist.NextPts == NoMediaTime)
        Ist.NextPts = Ist.Pts;
    if (Packet != nullptr && Packet->dts != AV_NOPTS_VALUE)
        Ist.Pts = Ist.NextPts = av_rescale_q(Packet->dts, st->time_base, MicroSeconds);
    // The packet's own time, for stream copy (decoded frames carry their own time stamps).
    const int64_t packetTime = Ist.NextPts;

    auto copyToOutputs = [&] {
        if (Packet == nullptr || (o.StartTime != 0 && packetTime < o.StartTime))
            return;
        for (const auto& p : OutputStreams_)
            if (p->Source == &Ist && !p->EncodingNeeded)
                CopyPacket(*p, Ist, Packet, packetTime);
    };

    if (!Ist.DecodingNeeded) {
        if (Packet == nullptr)
            return 0;
        Ist.Pts = Ist.NextPts;
        if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
            if (par->frame_size > 0 && par->sample_rate > 0)
                Ist.NextPts += int64_t(par->frame_size) * AV_TIME_BASE / par->sample_rate;
            else if (Packet->duration > 0)
                Ist.NextPts += av_rescale_q(Packet->duration, st->time_base, MicroSeconds);
        } else if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
            Ist.NextPts += PictureDuration(st, Packet->duration, 0);
        }
        copyToOutputs();
        return 0;
    }

    AVCodecContext* dec = Ist.Decoder.get();
    switch (par->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
    case AVMEDIA_TYPE_VIDEO: {
        AVFrame* frame = DecodedFrame_.get();
        int frames = 0;
        bool sent = false;
        bool stalled = false;
        while (!sent) {
            int r = avcodec_send_packet(dec, Packet);
            if (r == AVERROR(EAGAIN)) {
                // Output first, then send again; a decoder that neither takes input nor gives
                // output is broken.
                if (stalled)
                    return -1;
                stalled = true;
                r = 0;
            } else {
                sent = true;
                if (r == AVERROR_EOF)
                    r = 0; // already drained
                if (r < 0)
                    return -1;
            }
            for (;;) {
                r = avcodec_receive_frame(dec, frame);
                if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                    break;
                if (r < 0)
                    return -1;
                ++frames;
                stalled = false;
                if (Packet != nullptr && frames == 2 &&
                    ((o.Verbose > 0 && !Ist.MultiFrameWarned) || o.Verbose > 1)) {
                    GetLogger().LogFormat(Session_.LogSender(), llError,
                                          "Multiple frames in a packet from stream %d",
                                          Ist.StreamIndex);
                    Ist.MultiFrameWarned = true;
                }
                const int64_t ts = frame->best_effort_timestamp;
                Ist.Pts = ts != AV_NOPTS_VALUE ? av_rescale_q(ts, st->time_base, MicroSeconds)
                                               : Ist.NextPts;
                if (par->codec_type == AVMEDIA_TYPE_AUDIO)
                    Ist.NextPts = Ist.Pts + (frame->sample_rate > 0
                                                 ? av_rescale(frame->nb_samples, AV_TIME_BASE,
                                                              frame->sample_rate)
                                                 : 0);
                else
                    Ist.NextPts =
                        Ist.Pts + PictureDuration(st, frame->pkt_duration, frame->repeat_pict);
                OutputDecoded(Ist, frame);
                av_frame_unref(frame);
            }
        }
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE: {
        if (Packet == nullptr)
            break;
        AVSubtitle sub{};
        int got = 0;
        // The decoder does not change the packet.
        const int r = avcodec_decode_subtitle2(dec, &sub, &got, const_cast<AVPacket*>(Packet));
        if (r < 0)
            return -1;
        if (got) {
            struct TSubtitleFree {
                AVSubtitle* S;
                ~TSubtitleFree() { avsubtitle_free(S); }
            } subFree{&sub};
            Ist.Pts = Ist.NextPts;
            if (o.StartTime == 0 || Ist.Pts >= o.StartTime)
                for (const auto& p : OutputStreams_)
                    if (p->Source == &Ist && p->EncodingNeeded)
                        SubtitleOut(*OutputContext_, *p, Ist, &sub, Packet->pts);
        }
        break;
    }
    default:
        return -1;
    }

    copyToOutputs();
    if (Packet == nullptr) {
        FlushFilterGraphs(Ist);
        if (DrainEncoders)
            DrainEncodersOf(Ist);
    }
    return 0;
}

void TTranscoder::OutputDecoded(TInputStream& Ist, AVFrame* Frame) {
    const TOptionState& o = Options();
    const int type = MediaTypeOf(Ist);
    // Everything after decoding (frame hooks, crop, scale, the filter graph) works on the
    // picture as it is shown, so a phone's portrait video is converted upright.
    if (type == AVMEDIA_TYPE_VIDEO && Ist.Rotation != 0) {
        if (!Ist.Turner)
            Ist.Turner = std::make_unique<TPictureTurner>(Ist.Rotation);
        AVFrame* upright = Ist.Turner->Turn(Frame);
        if (upright == nullptr)
            throw FFmpegException(Ist.Turner->LastError());
        Frame = upright;
    }
    if (type == AVMEDIA_TYPE_VIDEO && Settings_.Hooks.PreProcess)
        Settings_.Hooks.PreProcess(Ist, Frame);
    if (type == AVMEDIA_TYPE_AUDIO && o.AudioVolume != 256) {
        const int r = ApplyVolume(Frame, o.AudioVolume);
        if (r < 0)
            GetLogger().LogMessage(Session_.LogSender(), llError, "Volume change failed: " + LibraryReason(r));
    }
    if (o.RateEmu) {
        const int64_t elapsed = av_gettime_relative() - Ist.RateEmuStart;
        if (Ist.Pts > elapsed + 1000)
            av_usleep(unsigned((Ist.Pts - elapsed) / 1000 * 1000));
    }
    // Nothing before the start of the time line goes out: the start time after an input, or
    // time 0 (an input seek lands on the key frame before its target, a negative itsoffset
    // moves data before 0). Audio is cut to the sample.
    if (Ist.Pts < o.StartTime) {
        if (type != AVMEDIA_TYPE_AUDIO || Ist.NextPts <= o.StartTime)
            return;
        Frame = TrimAudio(Frame, o.StartTime - Ist.Pts, Ist.Stream->time_base);
        if (Frame == nullptr)
            return;
        Ist.Pts = o.StartTime;
    }
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        if (ost.Source != &Ist || !ost.EncodingNeeded)
            continue;
        switch (MediaTypeOf(ost)) {
        case AVMEDIA_TYPE_AUDIO:
            AudioOut(*OutputContext_, ost, Ist, Frame);
            break;
        case AVMEDIA_TYPE_VIDEO:
            OutputPicture(ost, Ist, Frame);
            break;
        default:
            throw FFmpegException("invalid codec_type");
        }
    }
}

AVFrame* TTranscoder::TrimAudio(AVFrame* Frame, int64_t Skip, AVRational TimeBase) {
    const int skip = int(av_rescale(Skip, Frame->sample_rate, AV_TIME_BASE));
    if (skip <= 0)
        return Frame;
    if (skip >= Frame->nb_samples)
        return nullptr;
    AVFrame* view = TrimmedFrame_.get();
    av_frame_unref(view);
    if (av_frame_ref(view, Frame) < 0)
        throw FFmpegException("av_frame_ref failed");
    const AVSampleFormat fmt = AVSampleFormat(Frame->format);
    const int channels = Frame->ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(fmt);
    const int planes = planar ? channels : 1;
    const size_t offset =
        size_t(skip) * size_t(av_get_bytes_per_sample(fmt)) * size_t(planar ? 1 : channels);
    const bool separate = view->extended_data != view->data;
    for (int p = 0; p < planes; ++p) {
        view->extended_data[p] += offset;
        if (separate && p < AV_NUM_DATA_POINTERS)
            view->data[p] += offset;
    }
    view->linesize[0] -= int(offset);
    view->nb_samples -= skip;
    if (view->pts != AV_NOPTS_VALUE)
        view->pts += av_rescale_q(skip, AVRational{1, Frame->sample_rate}, TimeBase);
    return view;
}

void TTranscoder::EncodePicture(TOutputStream& Ost, TInputStream& Ist, AVFrame* Picture) {
    int frameSize = 0;
    VideoOut(*OutputContext_, Ost, Ist, Picture, frameSize);
    if (Options().VStatsFileName && frameSize > 0)
        WriteVideoStats(*OutputContext_, Ost, frameSize);
}

void TTranscoder::OutputPicture(TOutputStream& Ost, TInputStream& Ist, AVFrame* Picture) {
    if (!Ost.Graph) {
        EncodePicture(Ost, Ist, Picture);
        return;
    }
    const int64_t savedPts = Picture->pts;
    Picture->pts = Ist.Pts;
    const int r =
        av_buffersrc_add_frame_flags(Ost.GraphSource, Picture, AV_BUFFERSRC_FLAG_KEEP_REF);
    Picture->pts = savedPts;
    if (r < 0) {
        const std::string msg = "Error while feeding the filter graph: " + LibraryReason(r);
        if (Options().ExitOnError)
            throw FFmpegException(msg);
        GetLogger().LogMessage(Session_.LogSender(), llError, msg);
        return;
    }
    PullFilteredPictures(Ost, Ist);
}

void TTranscoder::PullFilteredPictures(TOutputStream& Ost, TInputStream& Ist) {
    const int64_t savedPts = Ist.Pts;
    const AVRational tb = av_buffersink_get_time_base(Ost.GraphSink);
    AVFrame* filtered = FilteredFrame_.get();
    while (av_buffersink_get_frame(Ost.GraphSink, filtered) >= 0) {
        if (filtered->pts != AV_NOPTS_VALUE)
            Ist.Pts = av_rescale_q(filtered->pts, tb, MicroSeconds);
        // A filter that changed the aspect ratio (setsar, setdar, a non-proportional scale)
        // decides the encoder's; otherwise the session's aspect ratio stays.
        const AVRational sar = filtered->sample_aspect_ratio;
        if (sar.num > 0 && sar.den > 0 && av_cmp_q(sar, Ost.GraphSourceSar) != 0) {
            Ost.Encoder->sample_aspect_ratio = sar;
            Ost.Stream->sample_aspect_ratio = sar;
        }
        EncodePicture(Ost, Ist, filtered);
        av_frame_unref(filtered);
    }
    Ist.Pts = savedPts;
}

void TTranscoder::FlushFilterGraphs(TInputStream& Ist) {
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        if (ost.Source != &Ist || !ost.Graph || ost.GraphFlushed)
            continue;
        ost.GraphFlushed = true;
        if (av_buffersrc_add_frame(ost.GraphSource, nullptr) >= 0)
            PullFilteredPictures(ost, Ist);
    }
}

void TTranscoder::DrainEncodersOf(TInputStream& Ist) {
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        if (ost.Source != &Ist || !ost.EncodingNeeded)
            continue;
        switch (MediaTypeOf(ost)) {
        case AVMEDIA_TYPE_AUDIO:
            DrainAudio(*OutputContext_, ost);
            break;
        case AVMEDIA_TYPE_VIDEO:
            DrainVideo(*OutputContext_, ost);
            break;
        default:
            break;
        }
    }
}

// ---- stream copy ----

void TTranscoder::CopyPacket(TOutputStream& Ost, TInputStream& Ist, const AVPacket* Packet,
                             int64_t PacketTime) {
    const TOptionState& o = Options();
    if (!(Ost.FrameNumber > 0 || (Packet->flags & AV_PKT_FLAG_KEY) || o.CopyInitialNonKeyframes))
        return;
    const int type = MediaTypeOf(Ost);
    if (type == AVMEDIA_TYPE_AUDIO) {
        Counters_.AudioBytes += Packet->size;
    } else if (type == AVMEDIA_TYPE_VIDEO) {
        Counters_.VideoBytes += Packet->size;
        ++Ost.SyncOpts;
    }
    AVPacket* out = CopyPacket_.get();
    if (av_packet_ref(out, Packet) < 0)
        throw FFmpegException("av_packet_ref failed");
    const AVRational itb = Ist.Stream->time_base;
    const AVRational otb = Ost.Stream->time_base;
    const int64_t start = av_rescale_q(o.StartTime, MicroSeconds, otb);
    out->stream_index = Ost.Stream->index;
    out->pts = Packet->pts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE
                                             : av_rescale_q(Packet->pts, itb, otb) - start;
    out->dts = (Packet->dts == AV_NOPTS_VALUE ? av_rescale_q(PacketTime, MicroSeconds, otb)
                                              : av_rescale_q(Packet->dts, itb, otb)) -
               start;
    out->duration = av_rescale_q(Packet->duration, itb, otb);
    out->pos = -1;
    // Payloads go unchanged: the current libraries have no parser change step.
    try {
        WriteFrame(Ost, out);
    } catch (...) {
        av_packet_unref(out);
        throw;
    }
    av_packet_unref(out);
    ++Ost.FrameNumber;
}

// ---- the end of the run ----

bool TTranscoder::Finish() {
    for (const auto& p : InputStreams_) {
        TInputStream& ist = *p;
        if (ist.DecodingNeeded && !ist.Flushed) {
            ist.Flushed = true;
            if (ProcessPacket(ist, nullptr, true) < 0 && Options().Verbose >= 0)
                GetLogger().LogFormat(Session_.LogSender(), llVerbose, "Error while decoding stream #%d.%d (%s)",
                                      ist.FileIndex, ist.StreamIndex,
                                      StreamKindName(MediaTypeOf(ist)).c_str());
        }
    }
    for (const auto& p : OutputStreams_)
        if (IsFirstOfGroup(*p))
            FlushBitstreamFilters(*p);

    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const size_t count = Session_.JoinMode() ? std::min<size_t>(1, outputs.size()) : outputs.size();
    for (size_t i = 0; i < count; ++i) {
        const int r = av_write_trailer(outputs[i].Context);
        if (r < 0)
            throw FFmpegException(ErrorText("av_write_trailer()", r));
    }
    ReportProgress(true, -1);
    const bool completed = !StopRequested_.load() && !ReadInterrupted_;
    if (completed) {
        CheckOutputLength();
        for (size_t i = 0; i < count; ++i)
            WriteLoudnessTags(outputs[i]);
    }
    CloseCodecs();
    Finished_ = true;
    return completed;
}

// The measured loudness goes in once the file is complete: the header the tags belong in was
// written before the first sample was measured. The tags go into the file's temporary, before
// the file gets its name, so a file under its name is never rewritten. A failure leaves the
// file without tags and its reason in TagsError.
void TTranscoder::WriteLoudnessTags(TOutputFileEntry& Entry) {
    const TLoudnessMeter* meter = Entry.Loudness.get();
    AVFormatContext* oc = Entry.Context;
    if (meter == nullptr || !Entry.Safe)
        return;
    const std::string format = oc->oformat->name;
    if (!meter->HasLoudness() || !zeltatags::HoldsFreeTags(format)) {
        GetLogger().LogFormat(Session_.LogSender(), llWarning, "No loudness tags written to %s",
                              Entry.Safe->Planned().c_str());
        return;
    }
    UnicodeIOClose(&oc->pb);
    std::string error;
    if (!zeltatags::RewriteWithTags(*Entry.Safe, format,
                                    {{"REPLAYGAIN_TRACK_GAIN", meter->GainText()},
                                     {"REPLAYGAIN_TRACK_PEAK", meter->PeakText()}},
                                    error)) {
        // The task tells it as a warning (and logs it then).
        Entry.TagsError = std::move(error);
    }
}

void TTranscoder::CloseCodecs() {
    for (const auto& p : OutputStreams_)
        StopAudioEncoder(*p);
    for (AVCodecContext* enc : OpenedEncoders_) {
        {
            std::lock_guard lock(CodecLock());
            avcodec_close(enc);
        }
        enc->stats_in = nullptr; // the run's pass-2 buffer
    }
    OpenedEncoders_.clear();
    for (const auto& p : OutputStreams_)
        if (p->Encoder != nullptr && p->PassLogIn.Buffer &&
            p->Encoder->stats_in == reinterpret_cast<char*>(p->PassLogIn.Buffer.get()))
            p->Encoder->stats_in = nullptr;
    for (const auto& p : InputStreams_)
        if (p->Decoder) {
            std::lock_guard lock(CodecLock());
            p->Decoder.reset();
        }
}
