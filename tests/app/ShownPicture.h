// The first picture of a converted file as a person sees it: decoded, in RGB, with the stream's
// pixel aspect and display rotation; and boxes of the pixels that match a test (the picture
// inside black bars, a marker, a coloured border).
#pragma once

#include "engine/PictureGeometry.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace shownpicture {

struct TShownPicture {
    int Width = 0, Height = 0;
    AVRational Sar{1, 1};
    int Rotation = 0;
    std::vector<uint8_t> Rgb; // RGB24, rows without padding

    const uint8_t* Pixel(int X, int Y) const
    {
        return Rgb.data() + (size_t(Y) * size_t(Width) + size_t(X)) * 3;
    }
    // Luma (BT.601) of a pixel.
    uint8_t At(int X, int Y) const
    {
        const uint8_t* p = Pixel(X, Y);
        return uint8_t((299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000);
    }
    // Magenta-like: strong red and blue, weak green (the fixtures' border colour after encoding).
    bool Magenta(int X, int Y) const
    {
        const uint8_t* p = Pixel(X, Y);
        return p[0] > 150 && p[2] > 150 && p[1] < 110;
    }
};

inline TShownPicture FirstPicture(const std::string& Path)
{
    TShownPicture p;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, Path.c_str(), nullptr, nullptr) < 0)
        return p;
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> ic(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(ic.get(), nullptr) < 0)
        return p;
    const int index = av_find_best_stream(ic.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return p;
    AVStream* st = ic->streams[index];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> dec(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0 ||
        avcodec_open2(dec.get(), codec, nullptr) < 0)
        return p;
    p.Sar = ::StreamPixelAspect(st);
    p.Rotation = ::StreamRotation(st);
    std::unique_ptr<AVPacket, void (*)(AVPacket*)> pkt(av_packet_alloc(),
                                                       [](AVPacket* k) { av_packet_free(&k); });
    std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(),
                                                       [](AVFrame* f) { av_frame_free(&f); });
    bool got = false;
    while (!got && av_read_frame(ic.get(), pkt.get()) >= 0) {
        if (pkt->stream_index == index && avcodec_send_packet(dec.get(), pkt.get()) >= 0)
            got = avcodec_receive_frame(dec.get(), frame.get()) >= 0;
        av_packet_unref(pkt.get());
    }
    if (!got && avcodec_send_packet(dec.get(), nullptr) >= 0)
        got = avcodec_receive_frame(dec.get(), frame.get()) >= 0;
    if (!got)
        return p;
    p.Width = frame->width;
    p.Height = frame->height;
    // The scaler writes whole vectors: rows of an aligned length in a padded buffer.
    const size_t row = (size_t(p.Width) * 3 + 63) / 64 * 64;
    std::vector<uint8_t> scaled(row * size_t(p.Height) + 64);
    SwsContext* sws = sws_getContext(p.Width, p.Height, AVPixelFormat(frame->format), p.Width,
                                     p.Height, AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr,
                                     nullptr);
    uint8_t* dst[4] = {scaled.data(), nullptr, nullptr, nullptr};
    int lines[4] = {int(row), 0, 0, 0};
    if (sws != nullptr)
        sws_scale(sws, frame->data, frame->linesize, 0, p.Height, dst, lines);
    sws_freeContext(sws);
    p.Rgb.resize(size_t(p.Width) * size_t(p.Height) * 3);
    for (int y = 0; y < p.Height; ++y)
        std::copy_n(scaled.data() + row * size_t(y), size_t(p.Width) * 3,
                    p.Rgb.data() + size_t(y) * size_t(p.Width) * 3);
    return p;
}

struct TBox {
    int X0 = 1 << 30, Y0 = 1 << 30, X1 = -1, Y1 = -1; // inclusive
    bool Empty() const { return X1 < X0; }
    int W() const { return X1 - X0 + 1; }
    int H() const { return Y1 - Y0 + 1; }
};

// The pixels brighter than Level.
inline TBox Brighter(const TShownPicture& P, int Level)
{
    TBox b;
    for (int y = 0; y < P.Height; ++y)
        for (int x = 0; x < P.Width; ++x)
            if (P.At(x, y) > Level) {
                b.X0 = std::min(b.X0, x), b.Y0 = std::min(b.Y0, y);
                b.X1 = std::max(b.X1, x), b.Y1 = std::max(b.Y1, y);
            }
    return b;
}

}  // namespace shownpicture
