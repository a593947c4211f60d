#include "engine/AudioFilters.h"

#include "engine/FFTypes.h"
#include "engine/Transcode.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

namespace {

constexpr AVRational MicroSeconds{1, 1000000};

struct TInOutDeleter {
    void operator()(AVFilterInOut* p) const { avfilter_inout_free(&p); }
};
using TInOutPtr = std::unique_ptr<AVFilterInOut, TInOutDeleter>;

std::string LayoutText(const AVChannelLayout& L) {
    char text[128] = {};
    AVChannelLayout usable{};
    if (L.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&usable, L.nb_channels);
    else
        av_channel_layout_copy(&usable, &L);
    av_channel_layout_describe(&usable, text, sizeof text);
    av_channel_layout_uninit(&usable);
    return text;
}

uint64_t MaskOf(const AVChannelLayout& L) {
    return L.order == AV_CHANNEL_ORDER_NATIVE ? L.u.mask : 0;
}

AVFilterContext* AddFilter(AVFilterGraph* Graph, const char* Name, const std::string& Args) {
    AVFilterContext* ctx = nullptr;
    const int r = avfilter_graph_create_filter(&ctx, avfilter_get_by_name(Name), Name,
                                               Args.empty() ? nullptr : Args.c_str(), nullptr,
                                               Graph);
    if (r < 0)
        throw FFmpegException("Error opening audio filters: " + std::string(Name) + ": " +
                              LibraryReason(r));
    return ctx;
}

// Links Last through the user's Text (or directly) into Sink; a library error code on failure.
int LinkThrough(AVFilterGraph* Graph, AVFilterContext* Last, const std::string& Text,
                AVFilterContext* Sink) {
    if (Text.empty())
        return avfilter_link(Last, 0, Sink, 0);
    TInOutPtr outputs(avfilter_inout_alloc());
    TInOutPtr inputs(avfilter_inout_alloc());
    if (!outputs || !inputs)
        return AVERROR(ENOMEM);
    outputs->name = av_strdup("in");
    outputs->filter_ctx = Last;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = Sink;
    if (outputs->name == nullptr || inputs->name == nullptr)
        return AVERROR(ENOMEM);
    AVFilterInOut* in = inputs.release();
    AVFilterInOut* out = outputs.release();
    const int r = avfilter_graph_parse_ptr(Graph, Text.c_str(), &in, &out, nullptr);
    avfilter_inout_free(&in);
    avfilter_inout_free(&out);
    return r;
}

// The names of the filters a chain text uses: each piece between ',' and ';' (outside quotes and
// brackets), without its leading [labels], up to its '=' or '@' or trailing label.
std::vector<std::string> FilterNames(const std::string& Text) {
    std::vector<std::string> names;
    std::string piece;
    int depth = 0;
    char quote = 0;
    auto finish = [&] {
        size_t at = 0;
        for (;;) {
            while (at < piece.size() && std::isspace(static_cast<unsigned char>(piece[at])))
                ++at;
            if (at >= piece.size() || piece[at] != '[')
                break;
            const size_t close = piece.find(']', at);
            at = close == std::string::npos ? piece.size() : close + 1;
        }
        size_t end = at;
        while (end < piece.size() && piece[end] != '=' && piece[end] != '@' &&
               piece[end] != '[' && !std::isspace(static_cast<unsigned char>(piece[end])))
            ++end;
        if (end > at)
            names.push_back(piece.substr(at, end - at));
        piece.clear();
    };
    for (const char c : Text) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            --depth;
        } else if (depth == 0 && (c == ',' || c == ';')) {
            finish();
            continue;
        }
        piece += c;
    }
    finish();
    return names;
}

std::string Seconds(int64_t Microseconds) {
    return FormatText("%.6f", double(Microseconds) / 1e6);
}

} // namespace

bool TAudioChainPlan::Empty() const {
    return UserFilters.empty() && GainDb == 0 && TrimStart == NoMediaTime &&
           TrimEnd == NoMediaTime && FadeIn <= 0 && (FadeOut <= 0 || FadeOutEnd == NoMediaTime);
}

TAudioChain::TAudioChain(TAudioChainPlan Plan) : FPlan(std::move(Plan)) {}

TAudioChain::~TAudioChain() {
    av_channel_layout_uninit(&FLayout);
}

void TAudioChain::Build(const AVFrame* Like) {
    FGraph.reset(avfilter_graph_alloc());
    if (!FGraph)
        throw FFmpegException("Error opening audio filters: out of memory");
    AVFilterGraph* graph = FGraph.get();
    graph->nb_threads = 1;
    FRate = Like->sample_rate;
    FFormat = Like->format;
    if (av_channel_layout_copy(&FLayout, &Like->ch_layout) < 0)
        throw FFmpegException("Error opening audio filters: out of memory");
    const char* format = av_get_sample_fmt_name(AVSampleFormat(FFormat));
    if (FRate <= 0 || format == nullptr || Like->ch_layout.nb_channels <= 0)
        throw FFmpegException("Error opening audio filters: the decoded audio has no format");

    FSource = AddFilter(graph, "abuffer",
                        FormatText("sample_rate=%d:sample_fmt=%s:channel_layout=%s:time_base=1/%d",
                                   FRate, format, LayoutText(Like->ch_layout).c_str(), FRate));
    FSink = AddFilter(graph, "abuffersink", "");
    AVFilterContext* last = FSource;
    auto append = [&](const char* Name, const std::string& Args) {
        AVFilterContext* f = AddFilter(graph, Name, Args);
        const int r = avfilter_link(last, 0, f, 0);
        if (r < 0)
            throw FFmpegException("Error opening audio filters: " + std::string(Name) + ": " +
                                  LibraryReason(r));
        last = f;
    };
    auto samples = [&](int64_t Time) {
        return av_rescale(FPlan.TrimOrigin + Time, FRate, 1000000) -
               av_rescale(FPlan.TrimOrigin, FRate, 1000000);
    };
    std::string trim;
    if (FPlan.TrimStart != NoMediaTime)
        trim = FormatText("start_pts=%lld", static_cast<long long>(samples(FPlan.TrimStart)));
    if (FPlan.TrimEnd != NoMediaTime)
        trim += (trim.empty() ? "" : ":") +
                FormatText("end_pts=%lld", static_cast<long long>(samples(FPlan.TrimEnd)));
    if (!trim.empty())
        append("atrim", trim);
    if (FPlan.GainDb != 0)
        append("volume", FormatText("volume=%.4fdB", FPlan.GainDb));
    if (FPlan.FadeIn > 0)
        append("afade", "t=in:st=" + Seconds(FPlan.FadeInStart) + FormatText(":d=%.6f", FPlan.FadeIn));
    if (FPlan.FadeOut > 0 && FPlan.FadeOutEnd != NoMediaTime) {
        const int64_t start = std::max<int64_t>(
            FPlan.FadeInStart, FPlan.FadeOutEnd - std::llround(FPlan.FadeOut * 1e6));
        append("afade", "t=out:st=" + Seconds(start) + ":d=" + Seconds(FPlan.FadeOutEnd - start));
    }
    int r = LinkThrough(graph, last, FPlan.UserFilters, FSink);
    if (r < 0)
        throw FFmpegException("Error opening audio filters: \"" + FPlan.UserFilters +
                              "\": " + LibraryReason(r));
    r = avfilter_graph_config(graph, nullptr);
    if (r < 0)
        throw FFmpegException("Error opening audio filters: " + LibraryReason(r));
    FFiltered.reset(av_frame_alloc());
    FConverted.reset(av_frame_alloc());
    if (!FFiltered || !FConverted)
        throw FFmpegException("Error opening audio filters: out of memory");
}

AVFrame* TAudioChain::Adapt(const AVFrame* Frame, const TSink& Out) {
    const bool same = Frame->sample_rate == FRate && Frame->format == FFormat &&
                      Frame->ch_layout.nb_channels == FLayout.nb_channels &&
                      MaskOf(Frame->ch_layout) == MaskOf(FLayout);
    if (same) {
        FlushAdapter(Out);
        AVFrame* f = FConverted.get();
        if (av_frame_ref(f, Frame) < 0)
            throw FFmpegException("Error while filtering audio: out of memory");
        f->pts = FNextPts;
        return f;
    }
    if (!FAdapter || Frame->sample_rate != FAdaptedRate || Frame->format != FAdaptedFormat ||
        Frame->ch_layout.nb_channels != FAdaptedChannels ||
        MaskOf(Frame->ch_layout) != FAdaptedMask) {
        FlushAdapter(Out);
        SwrContext* raw = nullptr;
        AVChannelLayout in{}, out{};
        if (Frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&in, Frame->ch_layout.nb_channels);
        else
            av_channel_layout_copy(&in, &Frame->ch_layout);
        av_channel_layout_copy(&out, &FLayout);
        const int r = swr_alloc_set_opts2(&raw, &out, AVSampleFormat(FFormat), FRate, &in,
                                          AVSampleFormat(Frame->format), Frame->sample_rate, 0,
                                          nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        FAdapter.reset(raw);
        if (r < 0 || swr_init(raw) < 0)
            throw FFmpegException(
                FormatText("Can not resample %d channels @ %d Hz to %d channels @ %d Hz",
                           Frame->ch_layout.nb_channels, Frame->sample_rate,
                           FLayout.nb_channels, FRate));
        FAdaptedRate = Frame->sample_rate;
        FAdaptedFormat = Frame->format;
        FAdaptedChannels = Frame->ch_layout.nb_channels;
        FAdaptedMask = MaskOf(Frame->ch_layout);
    }
    AVFrame* f = Converted(swr_get_out_samples(FAdapter.get(), Frame->nb_samples) + 32);
    const int got = swr_convert(FAdapter.get(), f->extended_data, f->nb_samples,
                                const_cast<const uint8_t**>(Frame->extended_data),
                                Frame->nb_samples);
    if (got < 0)
        throw FFmpegException("av_audio_convert() failed");
    f->nb_samples = got;
    f->pts = FNextPts;
    return f;
}

AVFrame* TAudioChain::Converted(int Capacity) {
    AVFrame* f = FConverted.get();
    av_frame_unref(f);
    f->format = FFormat;
    f->sample_rate = FRate;
    f->nb_samples = Capacity;
    if (av_channel_layout_copy(&f->ch_layout, &FLayout) < 0 || av_frame_get_buffer(f, 0) < 0)
        throw FFmpegException("Error while filtering audio: out of memory");
    return f;
}

void TAudioChain::FlushAdapter(const TSink& Out) {
    if (!FAdapter)
        return;
    AVFrame* f = Converted(swr_get_out_samples(FAdapter.get(), 0) + 32);
    const int got = swr_convert(FAdapter.get(), f->extended_data, f->nb_samples, nullptr, 0);
    FAdapter.reset();
    f->nb_samples = std::max(got, 0);
    f->pts = FNextPts;
    Feed(f, Out);
}

void TAudioChain::Push(const AVFrame* Frame, int64_t Time, const TSink& Out) {
    if (Frame == nullptr || Frame->nb_samples <= 0 || FFlushed)
        return;
    if (!FGraph)
        Build(Frame);
    if (FStart == NoMediaTime) {
        FStart = Time;
        FNextPts = av_rescale(Time, FRate, 1000000);
    }
    Feed(Adapt(Frame, Out), Out);
}

void TAudioChain::Feed(AVFrame* Frame, const TSink& Out) {
    if (Frame->nb_samples <= 0) {
        av_frame_unref(Frame);
        return;
    }
    FNextPts = Frame->pts + Frame->nb_samples;
    const int r = av_buffersrc_add_frame_flags(FSource, Frame, AV_BUFFERSRC_FLAG_KEEP_REF);
    av_frame_unref(Frame);
    if (r < 0)
        throw FFmpegException("Error while filtering audio: " + LibraryReason(r));
    Pull(Out);
}

void TAudioChain::Pull(const TSink& Out) {
    AVFrame* f = FFiltered.get();
    for (;;) {
        const int r = av_buffersink_get_frame(FSink, f);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
            return;
        if (r < 0)
            throw FFmpegException("Error while filtering audio: " + LibraryReason(r));
        const int rate = f->sample_rate > 0 ? f->sample_rate : av_buffersink_get_sample_rate(FSink);
        const int64_t time = FStart + av_rescale(FOutSamples, 1000000, std::max(rate, 1));
        FOutSamples += f->nb_samples;
        try {
            Out(f, time);
        } catch (...) {
            av_frame_unref(f);
            throw;
        }
        av_frame_unref(f);
    }
}

void TAudioChain::Flush(const TSink& Out) {
    if (!FGraph || FFlushed)
        return;
    FFlushed = true;
    FlushAdapter(Out);
    const int r = av_buffersrc_add_frame(FSource, nullptr);
    if (r < 0 && r != AVERROR_EOF)
        throw FFmpegException("Error while filtering audio: " + LibraryReason(r));
    Pull(Out);
}

std::string CheckAudioFilters(const std::string& Text) {
    if (Text.empty())
        return {};
    for (const std::string& name : FilterNames(Text))
        if (avfilter_get_by_name(name.c_str()) == nullptr)
            return "There is no audio filter \"" + name + "\"";
    TFilterGraphPtr graph(avfilter_graph_alloc());
    if (!graph)
        return "Out of memory";
    graph->nb_threads = 1;
    AVFilterContext* src = nullptr;
    AVFilterContext* sink = nullptr;
    int r = avfilter_graph_create_filter(
        &src, avfilter_get_by_name("abuffer"), "in",
        "sample_rate=44100:sample_fmt=fltp:channel_layout=stereo:time_base=1/44100", nullptr,
        graph.get());
    if (r >= 0)
        r = avfilter_graph_create_filter(&sink, avfilter_get_by_name("abuffersink"), "out",
                                         nullptr, nullptr, graph.get());
    if (r >= 0)
        r = LinkThrough(graph.get(), src, Text, sink);
    if (r >= 0)
        r = avfilter_graph_config(graph.get(), nullptr);
    if (r < 0)
        return "The audio filters \"" + Text + "\" cannot be used: " + LibraryReason(r);
    return {};
}
