// The output stage's subtitles: each decoded subtitle re-timed onto the output's time line and
// encoded (DVB subtitles with a second, empty packet that clears them).

#include "engine/Output.h"
#include "engine/OutputStage.h"

#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

using namespace zeltaoutput;

namespace {

constexpr int SubtitleBufferSize = 1048576;

} // namespace

void SubtitleOut(TOutputContext& Ctx, TOutputStream& S, TInputStream& In, AVSubtitle* Sub,
                 int64_t Pts) {
    if (Pts == AV_NOPTS_VALUE) {
        RaiseOrLog(Ctx, "Subtitle packets must have a pts");
        return;
    }
    if (S.SubtitleBuffer.size() < size_t(SubtitleBufferSize))
        S.SubtitleBuffer.resize(SubtitleBufferSize);
    AVCodecContext* enc = S.Encoder;
    const bool dvb = enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE;
    const unsigned rects = Sub->num_rects;
    const AVRational inBase = In.Stream != nullptr ? In.Stream->time_base : AV_TIME_BASE_Q;
    AVPacket* pkt = OwnPacket(S);
    // DVB subtitles stay on screen until cleared: a second packet without regions clears them.
    for (int i = 0; i < (dvb ? 2 : 1); ++i) {
        // On the output's time line, which begins at its start time (as audio and video do).
        Sub->pts = av_rescale_q(Pts, inBase, AV_TIME_BASE_Q) - Opts(Ctx).StartTime +
                   int64_t(Sub->start_display_time) * 1000;
        Sub->end_display_time -= Sub->start_display_time;
        Sub->start_display_time = 0;
        if (i == 1)
            Sub->num_rects = 0;
        const int size =
            avcodec_encode_subtitle(enc, S.SubtitleBuffer.data(), SubtitleBufferSize, Sub);
        Sub->num_rects = rects;
        if (size < 0)
            Raise("Subtitle encoding failed");
        if (size == 0)
            continue;
        av_packet_unref(pkt);
        pkt->data = S.SubtitleBuffer.data();
        pkt->size = size;
        pkt->stream_index = S.Stream->index;
        pkt->pts = av_rescale_q(Sub->pts, AV_TIME_BASE_Q, S.Stream->time_base);
        if (dvb)
            pkt->pts += 90 * int64_t(i == 0 ? Sub->start_display_time : Sub->end_display_time);
        else if (Sub->end_display_time > 0 && Sub->end_display_time != UINT32_MAX)
            pkt->duration =
                av_rescale_q(Sub->end_display_time, AVRational{1, 1000}, S.Stream->time_base);
        pkt->dts = pkt->pts;
        pkt->time_base = S.Stream->time_base;
        Ctx.WriteFrame(S, pkt);
        av_packet_unref(pkt);
    }
}
