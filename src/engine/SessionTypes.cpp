#include "engine/SessionTypes.h"

#include "engine/UnicodeProtocol.h"

#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

void TCodecContextDeleter::operator()(AVCodecContext* c) const {
    avcodec_free_context(&c);
}

void TOutputContextDeleter::operator()(AVFormatContext* c) const {
    if (c == nullptr)
        return;
    const bool usesFile = c->oformat != nullptr && !(c->oformat->flags & AVFMT_NOFILE);
    if (usesFile && c->pb != nullptr)
        UnicodeIOClose(&c->pb);
    avformat_free_context(c);
}

const char* ShownName(const TOutputFileEntry& Entry) {
    return Entry.Safe ? Entry.Safe->Planned().c_str() : Entry.Context->url;
}

void TInputContextDeleter::operator()(AVFormatContext* c) const {
    UnicodeCloseInput(&c);
}

void TFrameDeleter::operator()(AVFrame* f) const {
    av_frame_free(&f);
}

void TPacketDeleter::operator()(AVPacket* p) const {
    av_packet_free(&p);
}

void TFilterGraphDeleter::operator()(AVFilterGraph* g) const {
    avfilter_graph_free(&g);
}

void TSwrDeleter::operator()(SwrContext* s) const {
    swr_free(&s);
}

void TAudioFifoDeleter::operator()(AVAudioFifo* f) const {
    if (f != nullptr)
        av_audio_fifo_free(f);
}

void TFileDeleter::operator()(FILE* f) const {
    if (f != nullptr)
        std::fclose(f);
}
