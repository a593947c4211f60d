// The video filter graph of an output stream: the buffer source fed with upright decoded
// pictures, the crop and scale the stream needs, the user's filter text and the sink in the
// encoder's pixel format.

#include "engine/Transcode.h"

#include "engine/GenericOptions.h"

#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
}

namespace {

struct TInOutDeleter {
    void operator()(AVFilterInOut* p) const { avfilter_inout_free(&p); }
};
using TInOutPtr = std::unique_ptr<AVFilterInOut, TInOutDeleter>;

} // namespace

void TTranscoder::ConfigureFilterGraph(TOutputStream& Ost) {
    AVCodecContext* enc = Ost.Encoder;
    const TInputStream& ist = *Ost.Source;
    const AVCodecParameters* ipar = ist.Stream->codecpar;
    std::string& lastErr = Session_.LastErrMsg();
    lastErr.clear();

    auto fail = [&](const std::string& Reason) {
        if (lastErr.empty())
            lastErr = Reason;
        Ost.GraphSource = nullptr;
        Ost.GraphSink = nullptr;
        Ost.Graph.reset();
        throw FFmpegException(lastErr.empty() ? std::string("Error opening filters!")
                                              : "Error opening filters: " + lastErr);
    };
    auto check = [&](int R, const std::string& Step) {
        if (R < 0)
            fail(Step + ": " + LibraryReason(R));
    };

    Ost.Graph.reset(avfilter_graph_alloc());
    if (!Ost.Graph)
        fail("");
    AVFilterGraph* graph = Ost.Graph.get();

    const AVPixelFormat decFmt =
        ipar->format == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : AVPixelFormat(ipar->format);
    AVRational sar = ist.Stream->sample_aspect_ratio.num ? ist.Stream->sample_aspect_ratio
                                                         : ipar->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        sar = AVRational{0, 1};
    // The graph is fed upright pictures (see OutputDecoded).
    const TUprightSize upright = UprightSize(ipar->width, ipar->height, sar, ist.Rotation);
    if (sar.num > 0)
        sar = upright.PixelAspect;
    Ost.GraphSourceSar = sar;

    const std::string srcArgs =
        FormatText("video_size=%dx%d:pix_fmt=%d:time_base=1/%d:pixel_aspect=%d/%d", upright.Width,
                   upright.Height, int(decFmt), AV_TIME_BASE, sar.num, sar.den);
    AVFilterContext* src = nullptr;
    check(avfilter_graph_create_filter(&src, avfilter_get_by_name("buffer"), "src", srcArgs.c_str(),
                                       nullptr, graph),
          "buffer");
    AVFilterContext* sink = nullptr;
    check(avfilter_graph_create_filter(&sink, avfilter_get_by_name("buffersink"), "out", nullptr,
                                       nullptr, graph),
          "buffersink");
    const AVPixelFormat sinkFormats[] = {enc->pix_fmt, AV_PIX_FMT_NONE};
    check(
        av_opt_set_int_list(sink, "pix_fmts", sinkFormats, AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN),
        "buffersink pix_fmts");
    Ost.GraphSource = src;
    Ost.GraphSink = sink;

    AVFilterContext* last = src;
    const TCropBands& b = Ost.Bands;
    const int cropWidth = upright.Width - b.Left - b.Right;
    const int cropHeight = upright.Height - b.Top - b.Bottom;
    if (Ost.CropNeeded) {
        AVFilterContext* crop = nullptr;
        const std::string args =
            FormatText("x=%d:y=%d:w=%d:h=%d", b.Left, b.Top, cropWidth, cropHeight);
        check(avfilter_graph_create_filter(&crop, avfilter_get_by_name("crop"), "crop",
                                           args.c_str(), nullptr, graph),
              "crop");
        check(avfilter_link(last, 0, crop, 0), "crop link");
        last = crop;
    }
    const int swsFlags = Session_.OptionContexts().ScalerFlags();
    if (cropWidth != enc->width || cropHeight != enc->height) {
        AVFilterContext* scale = nullptr;
        const std::string args =
            FormatText("%d:%d:sws_flags=%d", enc->width, enc->height, swsFlags);
        check(avfilter_graph_create_filter(&scale, avfilter_get_by_name("scale"), "scale",
                                           args.c_str(), nullptr, graph),
              "scale");
        check(avfilter_link(last, 0, scale, 0), "scale link");
        last = scale;
    }
    av_freep(&graph->scale_sws_opts);
    graph->scale_sws_opts = av_strdup(FormatText("flags=0x%X", unsigned(swsFlags)).c_str());
    if (graph->scale_sws_opts == nullptr)
        fail("");

    const std::string& text = Options().VideoFilters;
    if (!text.empty()) {
        TInOutPtr outputs(avfilter_inout_alloc());
        TInOutPtr inputs(avfilter_inout_alloc());
        if (!outputs || !inputs)
            fail("");
        outputs->name = av_strdup("in");
        outputs->filter_ctx = last;
        outputs->pad_idx = 0;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = sink;
        inputs->pad_idx = 0;
        if (outputs->name == nullptr || inputs->name == nullptr)
            fail("");
        AVFilterInOut* in = inputs.release();
        AVFilterInOut* out = outputs.release();
        const int r = avfilter_graph_parse_ptr(graph, text.c_str(), &in, &out, nullptr);
        avfilter_inout_free(&in);
        avfilter_inout_free(&out);
        if (r < 0)
            fail("\"" + text + "\": " + LibraryReason(r));
    } else {
        check(avfilter_link(last, 0, sink, 0), "link");
    }
    check(avfilter_graph_config(graph, nullptr), "configuration");
    enc->width = av_buffersink_get_w(sink);
    enc->height = av_buffersink_get_h(sink);
}
