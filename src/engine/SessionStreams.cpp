// The streams of a new output file: the encoder chosen by name or by the file's format, the
// codec context set up from the option state (video: rate, size, pixel format, quality,
// matrices, rate-control overrides, passes; audio: channel layout, sample format and rate;
// subtitles), and the stream added last, so that a failure leaves the container unchanged.

#include "engine/SessionStreams.h"

#include "engine/CustomFFmpeg.h"
#include "engine/GenericOptions.h"
#include "engine/Output.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
}

using namespace zeltasession;

namespace {

// The MJPEG encoder lists the limited-range YUV formats but refuses them at the normal compliance
// level unless the pictures are marked full range: such a source is converted to the full-range
// ("J") twin, which the scaler then does with the right range expansion.
AVPixelFormat FullRangeForJpeg(AVPixelFormat Fmt, AVColorRange Range) {
    if (Range == AVCOL_RANGE_JPEG)
        return Fmt;
    switch (Fmt) {
    case AV_PIX_FMT_YUV420P:
        return AV_PIX_FMT_YUVJ420P;
    case AV_PIX_FMT_YUV422P:
        return AV_PIX_FMT_YUVJ422P;
    case AV_PIX_FMT_YUV444P:
        return AV_PIX_FMT_YUVJ444P;
    default:
        return Fmt;
    }
}

// The channel layout of an audio encoder: Mask when it has Channels channels, otherwise the
// default layout of that many channels; an encoder that lists layouts and not this one gets its
// first listed layout with the same number of channels.
void SetChannelLayout(AVCodecContext* C, const AVCodec* Encoder, int64_t Mask, int Channels) {
    av_channel_layout_uninit(&C->ch_layout);
    AVChannelLayout layout{};
    if (Mask == 0 || av_channel_layout_from_mask(&layout, uint64_t(Mask)) < 0 ||
        layout.nb_channels != Channels) {
        av_channel_layout_uninit(&layout);
        av_channel_layout_default(&layout, Channels);
    }
    if (Encoder != nullptr && Encoder->ch_layouts != nullptr) {
        bool listed = false;
        const AVChannelLayout* sameCount = nullptr;
        for (const AVChannelLayout* l = Encoder->ch_layouts; l->nb_channels != 0; ++l) {
            listed = listed || av_channel_layout_compare(l, &layout) == 0;
            if (sameCount == nullptr && l->nb_channels == Channels)
                sameCount = l;
        }
        if (!listed && sameCount != nullptr) {
            av_channel_layout_uninit(&layout);
            if (av_channel_layout_copy(&layout, sameCount) < 0)
                throw FFmpegException("av_channel_layout_copy failed");
        }
    }
    C->ch_layout = layout; // the context owns it from here on
}

// The sample aspect ratio of a new video stream from the option state's display aspect.
AVRational SampleAspect(const TOptionState& O) {
    const double ratio = O.FrameWidth != 0 && O.FrameHeight != 0
                             ? double(O.FrameAspectRatio) * O.FrameHeight / O.FrameWidth
                             : double(O.FrameAspectRatio) * 3.0 / 4.0;
    return av_d2q(ratio, 255);
}

uint16_t* CopyMatrix(const std::array<uint16_t, 64>& Matrix) {
    auto* m = static_cast<uint16_t*>(av_malloc(sizeof(uint16_t) * 64));
    if (m == nullptr)
        throw FFmpegException("av_malloc failed");
    std::memcpy(m, Matrix.data(), sizeof(uint16_t) * 64);
    return m;
}

// Reads a decimal integer at Text[Pos] (leading blanks allowed); false when there is none.
bool ReadInt(const std::string& Text, size_t& Pos, int& Value) {
    const char* begin = Text.c_str() + Pos;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || errno != 0 || v < INT32_MIN || v > INT32_MAX)
        return false;
    Value = int(v);
    Pos += size_t(end - begin);
    return true;
}

// "start,end,q/start,end,q...": a frame range with a quantiser (q > 0) or a quality factor
// -q/100 (q <= 0).
std::vector<RcOverride> ParseRcOverride(const std::string& Text) {
    std::vector<RcOverride> entries;
    size_t pos = 0;
    for (;;) {
        int start = 0, end = 0, q = 0;
        if (!ReadInt(Text, pos, start) || pos >= Text.size() || Text[pos++] != ',' ||
            !ReadInt(Text, pos, end) || pos >= Text.size() || Text[pos++] != ',' ||
            !ReadInt(Text, pos, q))
            throw FFmpegException("error parsing rc_override");
        RcOverride e{};
        e.start_frame = start;
        e.end_frame = end;
        if (q > 0) {
            e.qscale = q;
            e.quality_factor = 1.0f;
        } else {
            e.qscale = 0;
            e.quality_factor = float(-q) / 100.0f;
        }
        entries.push_back(e);
        const size_t slash = Text.find('/', pos);
        if (slash == std::string::npos)
            break;
        pos = slash + 1;
    }
    return entries;
}

// The encoder of a new stream: by name through FindCodec (a failure raises its text), otherwise
// the format's guess for the file name. Id receives the codec id either way.
const AVCodec* ChooseEncoder(TCustomFFmpeg& Core, const AVFormatContext* Oc,
                             const std::optional<std::string>& Name, AVMediaType Type, AVCodecID& Id) {
    const AVCodec* codec = nullptr;
    if (Name) {
        if (!Core.FindCodec(*Name, Type, true, Strictness(Core, Type), codec))
            throw FFmpegException(Core.LastErrMsg());
    }
    if (codec != nullptr) {
        Id = codec->id;
        return codec;
    }
    Id = av_guess_codec(Oc->oformat, nullptr, Oc->url, nullptr, Type);
    return Id == AV_CODEC_ID_NONE ? nullptr : avcodec_find_encoder(Id);
}

// The codec context of a new output stream: allocated for Encoder, or without codec carrying
// Type and Id.
TCodecContextPtr NewCodecContext(const AVCodec* Encoder, AVMediaType Type, AVCodecID Id) {
    TCodecContextPtr c(avcodec_alloc_context3(Encoder));
    if (!c)
        throw FFmpegException("avcodec_alloc_context3 failed");
    c->codec_type = Type;
    if (Encoder == nullptr)
        c->codec_id = Id;
    return c;
}

// Adds the stream for a configured setup to the container and records it; the last step of
// every New*Stream, so that a failure before it leaves the container unchanged.
AVStream* AddStream(TCustomFFmpeg& Core, TOutputFileEntry& File, TOutputStreamSetup&& Setup,
                    TBitstreamFilterChain& PendingFilters, std::string& Language) {
    TOptionState& o = Core.Options();
    AVStream* st = avformat_new_stream(File.Context, nullptr);
    if (st == nullptr)
        throw FFmpegException("Could not alloc stream");
    const unsigned index = st->index;
    if (index < unsigned(MaxStreams))
        st->id = o.StreamIdMap[index];
    st->sample_aspect_ratio = Setup.Codec->sample_aspect_ratio;
    if (!Language.empty())
        DictSet(&st->metadata, "language", Language);
    Language.clear();
    Setup.Stream = st;
    Setup.Filters = std::move(PendingFilters);
    PendingFilters.clear();
    File.Streams->push_back(std::move(Setup));
    return st;
}

TOutputFileEntry& OutputEntry(std::vector<TOutputFileEntry>& Entries, int Index) {
    if (Index < 0 || Index >= int(Entries.size()) || Entries[size_t(Index)].Streams == nullptr)
        throw FFmpegException("Invalid output file index " + std::to_string(Index));
    return Entries[size_t(Index)];
}

} // namespace

namespace zeltasession {

void CreateVideoStream(TCustomFFmpeg& Core, TOutputFileEntry& File) {
    TOptionState& o = Core.Options();
    TOptionContexts& contexts = Core.OptionContexts();
    AVFormatContext* oc = File.Context;

    TOutputStreamSetup setup;
    setup.StreamCopy = o.VideoStreamCopy;
    AVCodecID id = AV_CODEC_ID_NONE;
    if (!setup.StreamCopy)
        setup.Encoder = ChooseEncoder(Core, oc, o.VideoCodecName, AVMEDIA_TYPE_VIDEO, id);
    setup.Codec = NewCodecContext(setup.Encoder, AVMEDIA_TYPE_VIDEO, id);
    AVCodecContext* c = setup.Codec.get();
    c->thread_count = CodecThreads(o.ThreadCount);
    if (o.VideoCodecTag != 0)
        c->codec_tag = o.VideoCodecTag;

    // The option context keeps the flags too, so that a copied "flags" value includes them.
    if ((o.VideoGlobalHeader & 1) ||
        (o.VideoGlobalHeader == 0 && (oc->oformat->flags & AVFMT_GLOBALHEADER))) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        contexts.Video()->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (o.VideoGlobalHeader & 2) {
        c->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
        contexts.Video()->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
    }

    if (setup.StreamCopy) {
        c->sample_aspect_ratio = SampleAspect(o);
    } else {
        AVRational rate = o.FrameRate.Num > 0 && o.FrameRate.Den > 0
                              ? AVRational{o.FrameRate.Num, o.FrameRate.Den}
                              : AVRational{25, 1};
        contexts.CopyOptionsTo(c, AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
        if (setup.Encoder != nullptr && setup.Encoder->supported_framerates != nullptr && !o.ForceFps)
            rate = setup.Encoder->supported_framerates[av_find_nearest_q_idx(
                rate, setup.Encoder->supported_framerates)];
        c->time_base = av_inv_q(rate);
        c->framerate = rate;
        c->width = o.FrameWidth;
        c->height = o.FrameHeight;
        c->sample_aspect_ratio = SampleAspect(o);
        c->pix_fmt = AVPixelFormat(o.FramePixFmt);
        if (setup.Encoder != nullptr && setup.Encoder->pix_fmts != nullptr) {
            bool listed = false;
            for (const AVPixelFormat* p = setup.Encoder->pix_fmts; *p != AV_PIX_FMT_NONE; ++p)
                listed = listed || *p == c->pix_fmt;
            // Non-full-range MJPEG is allowed below the normal compliance level.
            const bool mjpegUnofficial =
                c->codec_id == AV_CODEC_ID_MJPEG && c->strict_std_compliance < 0 &&
                (c->pix_fmt == AV_PIX_FMT_YUV420P || c->pix_fmt == AV_PIX_FMT_YUV422P);
            if (!listed && !mjpegUnofficial)
                c->pix_fmt = setup.Encoder->pix_fmts[0];
            else if (c->codec_id == AV_CODEC_ID_MJPEG && !mjpegUnofficial)
                c->pix_fmt = FullRangeForJpeg(c->pix_fmt, c->color_range);
        }
        if (o.IntraOnly)
            c->gop_size = 0;
        if (o.VideoQScale != 0 || o.SameQuality) {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = int(float(FF_QP2LAMBDA) * o.VideoQScale);
        }
        if (o.IntraMatrix)
            c->intra_matrix = CopyMatrix(*o.IntraMatrix);
        if (o.InterMatrix)
            c->inter_matrix = CopyMatrix(*o.InterMatrix);
        if (o.VideoRcOverride) {
            const std::vector<RcOverride> entries = ParseRcOverride(*o.VideoRcOverride);
            c->rc_override = static_cast<RcOverride*>(av_malloc_array(entries.size(), sizeof(RcOverride)));
            if (c->rc_override == nullptr)
                throw FFmpegException("av_malloc failed");
            std::memcpy(c->rc_override, entries.data(), entries.size() * sizeof(RcOverride));
            c->rc_override_count = int(entries.size());
        }
        if (c->rc_initial_buffer_occupancy == 0)
            c->rc_initial_buffer_occupancy = c->rc_buffer_size * 3 / 4;
        c->intra_dc_precision = o.IntraDcPrecision - 8;
        if (o.DoPsnr)
            c->flags |= AV_CODEC_FLAG_PSNR;
        if (o.DoPass == 1)
            c->flags |= AV_CODEC_FLAG_PASS1;
        else if (o.DoPass == 2)
            c->flags |= AV_CODEC_FLAG_PASS2;
    }

    AddStream(Core, File, std::move(setup), o.BitstreamFilters[0], o.VideoLanguage);
    o.VideoDisable = false;
    o.VideoCodecName.reset();
    o.VideoStreamCopy = false;
    o.FramePixFmt = -1;
}

void CreateAudioStream(TCustomFFmpeg& Core, TOutputFileEntry& File) {
    TOptionState& o = Core.Options();
    TOptionContexts& contexts = Core.OptionContexts();
    AVFormatContext* oc = File.Context;

    TOutputStreamSetup setup;
    setup.StreamCopy = o.AudioStreamCopy;
    AVCodecID id = AV_CODEC_ID_NONE;
    if (!setup.StreamCopy)
        setup.Encoder = ChooseEncoder(Core, oc, o.AudioCodecName, AVMEDIA_TYPE_AUDIO, id);
    setup.Codec = NewCodecContext(setup.Encoder, AVMEDIA_TYPE_AUDIO, id);
    AVCodecContext* c = setup.Codec.get();
    c->thread_count = CodecThreads(o.ThreadCount);
    if (o.AudioCodecTag != 0)
        c->codec_tag = o.AudioCodecTag;
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        contexts.Audio()->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }

    if (setup.StreamCopy) {
        av_channel_layout_uninit(&c->ch_layout);
        av_channel_layout_default(&c->ch_layout, o.AudioChannels);
        c->sample_rate = o.AudioSampleRate;
    } else {
        contexts.CopyOptionsTo(c, AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
        if (o.AudioQScale > -99999) {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = int(float(FF_QP2LAMBDA) * o.AudioQScale);
        }
        SetChannelLayout(c, setup.Encoder, o.ChannelLayout, o.AudioChannels);
        c->sample_fmt = ChooseSampleFormat(setup.Encoder, AVSampleFormat(o.AudioSampleFmt));
        c->sample_rate = ChooseSampleRate(setup.Encoder, o.AudioSampleRate);
    }
    if (c->sample_rate > 0)
        c->time_base = AVRational{1, c->sample_rate};

    AddStream(Core, File, std::move(setup), o.BitstreamFilters[1], o.AudioLanguage);
    o.AudioDisable = false;
    o.AudioCodecName.reset();
    o.AudioStreamCopy = false;
}

void CreateSubtitleStream(TCustomFFmpeg& Core, TOutputFileEntry& File) {
    TOptionState& o = Core.Options();
    TOutputStreamSetup setup;
    setup.StreamCopy = o.SubtitleStreamCopy;
    AVCodecID id = AV_CODEC_ID_NONE;
    // Without a name the format's subtitle codec is taken, as for video and audio: a stream
    // without any codec could never be opened.
    if (!setup.StreamCopy)
        setup.Encoder = ChooseEncoder(Core, File.Context, o.SubtitleCodecName, AVMEDIA_TYPE_SUBTITLE, id);
    setup.Codec = NewCodecContext(setup.Encoder, AVMEDIA_TYPE_SUBTITLE, id);
    AVCodecContext* c = setup.Codec.get();
    if (o.SubtitleCodecTag != 0)
        c->codec_tag = o.SubtitleCodecTag;
    if (!setup.StreamCopy)
        Core.OptionContexts().CopyOptionsTo(c, AV_OPT_FLAG_SUBTITLE_PARAM | AV_OPT_FLAG_ENCODING_PARAM);

    AddStream(Core, File, std::move(setup), o.BitstreamFilters[2], o.SubtitleLanguage);
    o.SubtitleDisable = false;
    o.SubtitleCodecName.reset();
    o.SubtitleStreamCopy = false;
}

} // namespace zeltasession

void TCustomFFmpeg::NewVideoStream(int OutputFile) {
    CreateVideoStream(*this, OutputEntry(OutputEntries_, OutputFile));
}

void TCustomFFmpeg::NewAudioStream(int OutputFile) {
    CreateAudioStream(*this, OutputEntry(OutputEntries_, OutputFile));
}

void TCustomFFmpeg::NewSubtitleStream(int OutputFile) {
    CreateSubtitleStream(*this, OutputEntry(OutputEntries_, OutputFile));
}
