// The run's packet writer: each output stream's chain of bit-stream filters (set up once the
// encoder is open, run packet by packet, flushed at the end; a packet a filter fails on goes on
// unfiltered) and the interleaving writer behind it.

#include "engine/Transcode.h"

#include "engine/FFLogger.h"

#include <algorithm>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
}

void TTranscoder::InitBitstreamFilters(TOutputStream& Ost) {
    TBitstreamFilterChain& chain = Ost.Setup->Filters;
    if (chain.empty())
        return;
    const AVCodecParameters* par = Ost.Stream->codecpar;
    AVRational tb = Ost.Stream->time_base;
    for (TBSFContextPtr& f : chain) {
        AVBSFContext* bsf = f.get();
        if (avcodec_parameters_copy(bsf->par_in, par) < 0)
            throw FFmpegException("av_mallocz fail");
        bsf->time_base_in = tb;
        const int r = av_bsf_init(bsf);
        if (r < 0)
            throw FFmpegException(FormatText("%s failed for stream %d, codec %s: %s",
                                             bsf->filter->name, Ost.Stream->index,
                                             Ost.EncodingNeeded ? Ost.Encoder->codec->name : "copy",
                                             ErrorText("", r).substr(2).c_str()));
        par = bsf->par_out;
        tb = bsf->time_base_out;
    }
    // The muxer sees the stream as the last filter puts it out (extradata may change).
    if (avcodec_parameters_copy(Ost.Stream->codecpar, par) < 0)
        throw FFmpegException("av_mallocz fail");
}

void TTranscoder::WriteFrame(TOutputStream& Ost, AVPacket* Packet) {
    if (Ost.Setup->Filters.empty())
        MuxPacket(Ost, Packet);
    else
        FilterAndWrite(Ost, Packet, 0);
}

void TTranscoder::FilterAndWrite(TOutputStream& Ost, AVPacket* Packet, size_t FilterIndex) {
    TBitstreamFilterChain& chain = Ost.Setup->Filters;
    if (FilterIndex >= chain.size()) {
        MuxPacket(Ost, Packet);
        return;
    }
    AVBSFContext* bsf = chain[FilterIndex].get();
    auto failure = [&](int R) {
        const std::string msg =
            FormatText("%s failed for stream %d, codec %s: %s", bsf->filter->name,
                       Ost.Stream->index, Ost.EncodingNeeded ? Ost.Encoder->codec->name : "copy",
                       ErrorText("", R).substr(2).c_str());
        if (Options().ExitOnError)
            throw FFmpegException(msg);
        GetLogger().LogMessage(Session_.LogSender(), llError, msg);
    };
    while (FilterPackets_.size() <= FilterIndex) {
        FilterPackets_.emplace_back(av_packet_alloc());
        if (!FilterPackets_.back())
            throw FFmpegException("Out of memory");
    }
    while (FilterInputs_.size() <= FilterIndex) {
        FilterInputs_.emplace_back(av_packet_alloc());
        if (!FilterInputs_.back())
            throw FFmpegException("Out of memory");
    }
    // A reference to what goes in: a packet the filter fails on still goes out, unfiltered.
    AVPacket* kept = FilterInputs_[FilterIndex].get();
    av_packet_unref(kept);
    if (Packet != nullptr) {
        if (av_packet_ref(kept, Packet) < 0)
            throw FFmpegException("Out of memory");
        const int r = av_bsf_send_packet(bsf, Packet);
        if (r < 0) {
            failure(r);
            av_packet_unref(kept);
            FilterAndWrite(Ost, Packet, FilterIndex + 1); // goes on unfiltered
            return;
        }
    } else if (av_bsf_send_packet(bsf, nullptr) < 0) {
        return;
    }
    AVPacket* out = FilterPackets_[FilterIndex].get();
    int r = 0;
    while ((r = av_bsf_receive_packet(bsf, out)) >= 0) {
        try {
            FilterAndWrite(Ost, out, FilterIndex + 1);
        } catch (...) {
            av_packet_unref(out);
            throw;
        }
        av_packet_unref(out);
    }
    if (r != AVERROR(EAGAIN) && r != AVERROR_EOF) {
        failure(r);
        if (Packet != nullptr && kept->data != nullptr)
            FilterAndWrite(Ost, kept, FilterIndex + 1);
    }
    av_packet_unref(kept);
    if (Packet == nullptr)
        FilterAndWrite(Ost, nullptr, FilterIndex + 1);
}

void TTranscoder::FlushBitstreamFilters(TOutputStream& Ost) {
    if (!Ost.Setup->Filters.empty())
        FilterAndWrite(Ost, nullptr, 0);
}

void TTranscoder::MuxPacket(TOutputStream& Ost, AVPacket* Packet) {
    if (Packet == nullptr)
        return; // the end of a filter chain's flush
    const int64_t ts = Packet->dts != AV_NOPTS_VALUE ? Packet->dts : Packet->pts;
    if (ts != AV_NOPTS_VALUE)
        Ost.CurrentTs = std::max(Ost.CurrentTs, ts + std::max<int64_t>(Packet->duration, 0));
    Packet->stream_index = Ost.Stream->index;
    const int r = av_interleaved_write_frame(Ost.Container, Packet);
    if (r < 0)
        throw FFmpegException(ErrorText("av_interleaved_write_frame()", r));
}
