#include "engine/PictureGeometry.h"

#include "engine/FFUtils.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
}

namespace {

// Degrees to the nearest quarter turn in 0..270.
int QuarterTurn(double Degrees) {
    if (!std::isfinite(Degrees))
        return 0;
    long turns = std::lround(Degrees / 90.0) % 4;
    if (turns < 0)
        turns += 4;
    return int(turns * 90);
}

} // namespace

int StreamRotation(const AVStream* St) {
    if (St == nullptr)
        return 0;
    size_t size = 0;
    const uint8_t* matrix = av_stream_get_side_data(St, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (matrix != nullptr && size >= 9 * sizeof(int32_t)) {
        // The matrix states a counter-clockwise angle; the picture is shown turned the other way.
        const double ccw = av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
        return QuarterTurn(-ccw);
    }
    const std::string tag = MetadataValue(St->metadata, "rotate");
    if (!tag.empty()) {
        char* end = nullptr;
        const double degrees = std::strtod(tag.c_str(), &end);
        if (end != tag.c_str() && *end == '\0')
            return QuarterTurn(degrees);
    }
    return 0;
}

std::string RotationFilterText(int Rotation) {
    switch (Rotation) {
    case 90: return "transpose=clock";
    case 180: return "hflip,vflip";
    case 270: return "transpose=cclock";
    default: return {};
    }
}

AVRational StreamPixelAspect(const AVStream* St) {
    if (St == nullptr)
        return AVRational{1, 1};
    AVRational sar = St->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        sar = St->codecpar->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        return AVRational{1, 1};
    av_reduce(&sar.num, &sar.den, sar.num, sar.den, 1 << 30);
    return sar;
}

TUprightSize UprightSize(int Width, int Height, AVRational PixelAspect, int Rotation) {
    if (RotationSwapsSides(Rotation))
        return TUprightSize{Height, Width, AVRational{PixelAspect.den, PixelAspect.num}};
    return TUprightSize{Width, Height, PixelAspect};
}

void TPictureTurner::TGraphDeleter::operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); }
void TPictureTurner::TFrameDeleter::operator()(AVFrame* f) const { av_frame_free(&f); }

TPictureTurner::TPictureTurner(int Rotation) : Rotation_(Rotation) {}
TPictureTurner::~TPictureTurner() = default;

bool TPictureTurner::Configure(const AVFrame* Picture) {
    Graph_.reset();
    Source_ = Sink_ = nullptr;
    auto fail = [&](const char* Step, int Code) {
        LastError_ = ErrorText(std::string("turning the picture upright: ") + Step, Code);
        Graph_.reset();
        Source_ = Sink_ = nullptr;
        return false;
    };
    Graph_.reset(avfilter_graph_alloc());
    if (!Graph_)
        return fail("avfilter_graph_alloc", AVERROR(ENOMEM));
    Graph_->nb_threads = 1;
    const AVRational sar = Picture->sample_aspect_ratio.num > 0 ? Picture->sample_aspect_ratio
                                                                : AVRational{0, 1};
    char args[160];
    std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=1/1:pixel_aspect=%d/%d",
                  Picture->width, Picture->height, Picture->format, sar.num, sar.den);
    int r = avfilter_graph_create_filter(&Source_, avfilter_get_by_name("buffer"), "in", args,
                                         nullptr, Graph_.get());
    if (r < 0)
        return fail("buffer", r);
    r = avfilter_graph_create_filter(&Sink_, avfilter_get_by_name("buffersink"), "out", nullptr,
                                     nullptr, Graph_.get());
    if (r < 0)
        return fail("buffersink", r);
    // The turned picture keeps the decoder's pixel format, so nothing downstream changes.
    const AVPixelFormat formats[] = {AVPixelFormat(Picture->format), AV_PIX_FMT_NONE};
    r = av_opt_set_int_list(Sink_, "pix_fmts", formats, AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN);
    if (r < 0)
        return fail("buffersink pix_fmts", r);

    AVFilterInOut* outputs = avfilter_inout_alloc();
    AVFilterInOut* inputs = avfilter_inout_alloc();
    if (outputs == nullptr || inputs == nullptr) {
        avfilter_inout_free(&outputs);
        avfilter_inout_free(&inputs);
        return fail("avfilter_inout_alloc", AVERROR(ENOMEM));
    }
    outputs->name = av_strdup("in");
    outputs->filter_ctx = Source_;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = Sink_;
    r = avfilter_graph_parse_ptr(Graph_.get(), RotationFilterText(Rotation_).c_str(), &inputs,
                                 &outputs, nullptr);
    avfilter_inout_free(&outputs);
    avfilter_inout_free(&inputs);
    if (r < 0)
        return fail("avfilter_graph_parse_ptr", r);
    r = avfilter_graph_config(Graph_.get(), nullptr);
    if (r < 0)
        return fail("avfilter_graph_config", r);
    Width_ = Picture->width;
    Height_ = Picture->height;
    Format_ = Picture->format;
    Aspect_ = Picture->sample_aspect_ratio;
    return true;
}

AVFrame* TPictureTurner::Turn(AVFrame* Picture) {
    if (Rotation_ == 0 || Picture == nullptr)
        return Picture;
    if (!Graph_ || Picture->width != Width_ || Picture->height != Height_ ||
        Picture->format != Format_ || av_cmp_q(Picture->sample_aspect_ratio, Aspect_) != 0) {
        if (!Configure(Picture))
            return nullptr;
    }
    if (!Out_) {
        Out_.reset(av_frame_alloc());
        if (!Out_) {
            LastError_ = "turning the picture upright: out of memory";
            return nullptr;
        }
    }
    av_frame_unref(Out_.get());
    int r = av_buffersrc_add_frame_flags(Source_, Picture, AV_BUFFERSRC_FLAG_KEEP_REF);
    if (r < 0) {
        LastError_ = ErrorText("turning the picture upright: av_buffersrc_add_frame_flags", r);
        return nullptr;
    }
    r = av_buffersink_get_frame(Sink_, Out_.get());
    if (r < 0) {
        LastError_ = ErrorText("turning the picture upright: av_buffersink_get_frame", r);
        return nullptr;
    }
    // The graph's time base is arbitrary; the picture's own time fields travel unchanged.
    Out_->pts = Picture->pts;
    Out_->pkt_dts = Picture->pkt_dts;
    Out_->best_effort_timestamp = Picture->best_effort_timestamp;
    return Out_.get();
}
