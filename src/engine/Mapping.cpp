// The preparation of a run: stream records, the mapping of output streams to input streams,
// codec parameters (stream copy, cropping, scaling, the filter graph), two-pass statistics
// files, opening the encoders and decoders, metadata maps, chapters, headers and the
// "Stream mapping:" lines.

#include "engine/Transcode.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/GenericOptions.h"
#include "engine/Loudness.h"
#include "engine/Output.h"
#include "engine/Tags.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

std::string FormatText(const char* Format, ...) {
    va_list args;
    va_start(args, Format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, Format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        text.resize(size_t(n) + 1);
        std::vsnprintf(text.data(), text.size(), Format, args);
        text.resize(size_t(n));
    }
    va_end(args);
    return text;
}

std::string LibraryReason(int Code) {
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(Code, buf, sizeof buf) < 0)
        return "Error number " + std::to_string(Code) + " occurred";
    return buf;
}

int MediaTypeOf(const TOutputStream& Ost) {
    if (Ost.Encoder != nullptr && Ost.Encoder->codec_type != AVMEDIA_TYPE_UNKNOWN)
        return Ost.Encoder->codec_type;
    return Ost.Stream->codecpar->codec_type;
}

int MediaTypeOf(const TInputStream& Ist) {
    return Ist.Stream->codecpar->codec_type;
}

int64_t ProbedFrameCount(const AVStream* St, const AVFormatContext* Ic) {
    if (St->nb_frames > 0)
        return St->nb_frames;
    double seconds = 0;
    int64_t tagged = 0;
    const AVDictionaryEntry* lengthTag = av_dict_get(St->metadata, "DURATION", nullptr, 0);
    if (St->duration != AV_NOPTS_VALUE && St->duration > 0)
        seconds = double(St->duration) * av_q2d(St->time_base);
    else if (lengthTag != nullptr && av_parse_time(&tagged, lengthTag->value, 1) == 0 && tagged > 0)
        seconds = double(tagged) / AV_TIME_BASE; // Matroska keeps stream lengths as tags
    else if (Ic->duration != AV_NOPTS_VALUE && Ic->duration > 0)
        seconds = double(Ic->duration) / AV_TIME_BASE;
    if (seconds <= 0)
        return 0;
    const AVCodecParameters* par = St->codecpar;
    if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
        AVRational rate = St->avg_frame_rate.num > 0 && St->avg_frame_rate.den > 0
                              ? St->avg_frame_rate
                              : St->r_frame_rate;
        if (rate.num <= 0 || rate.den <= 0)
            return 0;
        return std::llround(seconds * av_q2d(rate));
    }
    if (par->codec_type == AVMEDIA_TYPE_AUDIO && par->sample_rate > 0) {
        const int frameSize = par->frame_size > 0 ? par->frame_size : 1024;
        return std::llround(seconds * par->sample_rate / frameSize);
    }
    return 0;
}

namespace {

struct TDictionary {
    AVDictionary* Dict = nullptr;
    TDictionary() = default;
    explicit TDictionary(AVDictionary* D) : Dict(D) {}
    ~TDictionary() { av_dict_free(&Dict); }
    TDictionary(const TDictionary&) = delete;
    TDictionary& operator=(const TDictionary&) = delete;
};

struct TInOutDeleter {
    void operator()(AVFilterInOut* p) const { avfilter_inout_free(&p); }
};
using TInOutPtr = std::unique_ptr<AVFilterInOut, TInOutDeleter>;

bool InProgram(const AVFormatContext* Ic, int ProgramId, int StreamIndex) {
    for (unsigned p = 0; p < Ic->nb_programs; ++p) {
        const AVProgram* prog = Ic->programs[p];
        if (prog->id != ProgramId)
            continue;
        for (unsigned k = 0; k < prog->nb_stream_indexes; ++k)
            if (int(prog->stream_index[k]) == StreamIndex)
                return true;
    }
    return false;
}

bool ValidRate(AVRational R) {
    return R.num > 0 && R.den > 0;
}

// An attached picture (a cover) is carried as it is or not at all, never converted as video.
bool IsCoverPicture(const TInputStream& Ist) {
    return (Ist.Stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
}

} // namespace

// ---- preparation ----

void TTranscoder::Prepare() {
    Prepared_ = true;
    DecodedFrame_.reset(av_frame_alloc());
    FilteredFrame_.reset(av_frame_alloc());
    TrimmedFrame_.reset(av_frame_alloc());
    Packet_.reset(av_packet_alloc());
    CopyPacket_.reset(av_packet_alloc());
    if (!DecodedFrame_ || !FilteredFrame_ || !TrimmedFrame_ || !Packet_ || !CopyPacket_)
        throw FFmpegException("Out of memory");

    OutputContext_ = std::make_unique<TOutputContext>(
        TOutputContext{Session_, Counters_, StopRequested_,
                       [this](TOutputStream& Ost, AVPacket* Packet) { WriteFrame(Ost, Packet); },
                       Settings_.Hooks.PreviewHandOff, Settings_.PausePoint,
                       Settings_.AudioEncoderThreads});

    BuildInputStreams();
    CheckOutputsAndMaps();
    BindOutputStreams();
    DeriveCodecParameters();
    OpenEncoders();
    OpenDecoders();
    InitInputStreams();
    MapMetadata();
    CopyChapters();
    WriteHeaders();
    PrintMapping();
}

void TTranscoder::BuildInputStreams() {
    const std::vector<TInputFileEntry>& inputs = Session_.InputEntries();
    for (size_t f = 0; f < inputs.size(); ++f) {
        AVFormatContext* ic = inputs[f].Context.get();
        TInputFileState state;
        state.FirstStream = int(InputStreams_.size());
        state.StreamCount = int(ic->nb_streams);
        InputFiles_.push_back(state);
        for (unsigned s = 0; s < ic->nb_streams; ++s) {
            auto ist = std::make_unique<TInputStream>();
            ist->FileIndex = int(f);
            ist->StreamIndex = int(s);
            ist->Stream = ic->streams[s];
            ist->Rotation = StreamRotation(ist->Stream);
            if (Options().RateEmu)
                ist->RateEmuStart = av_gettime_relative();
            if (f < Options().TsScale.size() && s < unsigned(MaxStreams))
                ist->TsScale = Options().TsScale[f][s];
            InputStreams_.push_back(std::move(ist));
        }
    }
}

void TTranscoder::CheckOutputsAndMaps() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    size_t total = 0;
    for (size_t i = 0; i < outputs.size(); ++i) {
        const TOutputFileEntry& entry = outputs[i];
        if (entry.Streams == nullptr || entry.Streams->empty()) {
            av_dump_format(entry.Context, int(i), entry.Context->url, 1);
            throw FFmpegException(
                FormatText("Output file #%d does not contain any stream", int(i)));
        }
        total += entry.Streams->size();
    }
    FirstFileStreams_ = outputs.empty() ? 0 : int(outputs[0].Streams->size());

    const std::vector<TStreamMap>& maps = Options().StreamMaps;
    if (maps.empty())
        return;
    if (maps.size() != total)
        throw FFmpegException("Number of stream maps must match number of output streams");
    for (const TStreamMap& m : maps) {
        if (m.FileIndex < 0 || m.FileIndex >= int(InputFiles_.size()) || m.StreamIndex < 0 ||
            m.StreamIndex >= InputFiles_[size_t(m.FileIndex)].StreamCount)
            throw FFmpegException(
                FormatText("Could not find input stream #%d.%d", m.FileIndex, m.StreamIndex));
        if (m.SyncFileIndex < 0 || m.SyncFileIndex >= int(InputFiles_.size()) ||
            m.SyncStreamIndex < 0 ||
            m.SyncStreamIndex >= InputFiles_[size_t(m.SyncFileIndex)].StreamCount)
            throw FFmpegException(FormatText("Could not find sync stream #%d.%d", m.SyncFileIndex,
                                             m.SyncStreamIndex));
    }
}

TInputStream* TTranscoder::ChooseSource(const TOutputStream& Ost, int MediaType) const {
    const int programId = Session_.Options().ProgramId;
    const bool join = Session_.JoinMode();
    const std::vector<TInputFileEntry>& inputs = Session_.InputEntries();
    TInputStream* best = nullptr;
    int64_t bestFrames = -1;
    for (const auto& ist : InputStreams_) {
        if (MediaTypeOf(*ist) != MediaType || !ist->DiscardPending ||
            ist->Stream->discard == AVDISCARD_ALL || IsCoverPicture(*ist))
            continue;
        const AVFormatContext* ic = inputs[size_t(ist->FileIndex)].Context.get();
        if (programId != 0 && !InProgram(ic, programId, ist->StreamIndex))
            continue;
        if (join && ist->FileIndex != Ost.FileIndex)
            continue;
        const int64_t frames = ProbedFrameCount(ist->Stream, ic);
        if (frames > bestFrames) {
            best = ist.get();
            bestFrames = frames;
        }
    }
    if (best == nullptr && programId == 0 && !join)
        for (const auto& ist : InputStreams_)
            if (MediaTypeOf(*ist) == MediaType && ist->Stream->discard != AVDISCARD_ALL &&
                !IsCoverPicture(*ist))
                best = ist.get();
    return best;
}

void TTranscoder::BindOutputStreams() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const bool join = Session_.JoinMode();
    int overall = 0;
    for (size_t i = 0; i < outputs.size(); ++i) {
        TOutputFileEntry& entry = outputs[i];
        for (size_t j = 0; j < entry.Streams->size(); ++j) {
            TOutputStreamSetup& setup = (*entry.Streams)[j];
            auto ost = std::make_unique<TOutputStream>();
            ost->FileIndex = int(i);
            ost->StreamIndex = int(j);
            ost->Stream = setup.Stream;
            ost->Setup = &setup;
            ost->Encoder = setup.Codec.get();
            ost->Container = entry.Context;
            ost->OverallIndex = overall++;
            ost->GroupIndex = join ? int(i) : 0;
            OutputStreams_.push_back(std::move(ost));
        }
    }

    const std::vector<TStreamMap>& maps = Options().StreamMaps;
    for (size_t n = 0; n < OutputStreams_.size(); ++n) {
        TOutputStream& ost = *OutputStreams_[n];
        const int type = MediaTypeOf(ost);
        if (!maps.empty()) {
            const TStreamMap& m = maps[n];
            TInputStream* ist =
                InputStreams_[size_t(InputFiles_[size_t(m.FileIndex)].FirstStream + m.StreamIndex)]
                    .get();
            if (MediaTypeOf(*ist) != type)
                throw FFmpegException(FormatText(
                    "Codec type mismatch for mapping #%d.%d (%s) -> #%d.%d (%s)", m.FileIndex,
                    m.StreamIndex, StreamKindName(MediaTypeOf(*ist)).c_str(), ost.FileIndex,
                    ost.StreamIndex, StreamKindName(type).c_str()));
            ost.Source = ist;
            ost.Sync = InputStreams_[size_t(InputFiles_[size_t(m.SyncFileIndex)].FirstStream +
                                            m.SyncStreamIndex)]
                           .get();
        } else {
            TInputStream* ist = ChooseSource(ost, type);
            if (ist == nullptr) {
                av_dump_format(ost.Container, ost.FileIndex, ost.Container->url, 1);
                throw FFmpegException(
                    FormatText("Could not find input stream matching output stream #%d.%d (%s)",
                               ost.FileIndex, ost.StreamIndex, StreamKindName(type).c_str()));
            }
            ost.Source = ist;
            ost.Sync = ist;
        }
        ost.Source->DiscardPending = false;
        ost.ReportThis = true;
    }

    // Nothing takes these streams: the demuxer may skip them, and the loop drops what it still
    // returns before any decoding.
    for (const auto& ist : InputStreams_)
        if (ist->DiscardPending)
            ist->Stream->discard = AVDISCARD_ALL;
}

bool TTranscoder::IsFirstOfGroup(const TOutputStream& Ost) const {
    return Ost.GroupIndex == 0;
}

void TTranscoder::DeriveCodecParameters() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        TInputStream& ist = *ost.Source;
        const AVCodecParameters* ipar = ist.Stream->codecpar;
        const bool owner = IsFirstOfGroup(ost);

        if (owner) {
            if (av_dict_copy(&ost.Stream->metadata, ist.Stream->metadata, AV_DICT_DONT_OVERWRITE) <
                0)
                throw FFmpegException("av_dict_copy fail");
            ost.Stream->disposition = ist.Stream->disposition;
            // Encoded pictures are turned upright already; a copied "rotate" tag would turn
            // them once more.
            if (ost.Encoder != nullptr && ist.Rotation != 0)
                av_dict_set(&ost.Stream->metadata, "rotate", nullptr, 0);
            if (ost.Encoder != nullptr) {
                ost.Encoder->bits_per_raw_sample = ipar->bits_per_raw_sample;
                ost.Encoder->chroma_sample_location = ipar->chroma_location;
            }
        }

        if (ost.Setup->StreamCopy) {
            if (owner)
                SetUpStreamCopy(ost);
            else if (MediaTypeOf(ost) == AVMEDIA_TYPE_AUDIO && Options().AudioVolume != 256)
                throw FFmpegException(
                    "-acodec copy and -vol are incompatible (frames are not decoded)");
            continue;
        }
        if (ost.Encoder == nullptr)
            throw FFmpegException("invalid codec_type of output stream");

        switch (MediaTypeOf(ost)) {
        case AVMEDIA_TYPE_AUDIO:
            SetUpAudioEncoding(ost);
            break;
        case AVMEDIA_TYPE_VIDEO:
            SetUpVideoEncoding(ost, outputs[size_t(ost.FileIndex)]);
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            // Subtitle packets are timed in microseconds by the output stage; the current
            // encoders refuse to open without a time base.
            if (ost.Encoder->time_base.num <= 0 || ost.Encoder->time_base.den <= 0)
                ost.Encoder->time_base = AVRational{1, AV_TIME_BASE};
            ist.DecodingNeeded = true;
            ost.EncodingNeeded = true;
            break;
        default:
            throw FFmpegException("invalid codec_type of output stream");
        }

        if (owner && (ost.Encoder->flags & (AV_CODEC_FLAG_PASS1 | AV_CODEC_FLAG_PASS2)))
            OpenPassLog(ost);
    }
}

void TTranscoder::SetUpStreamCopy(TOutputStream& Ost) {
    const TInputStream& ist = *Ost.Source;
    const AVCodecParameters* ipar = ist.Stream->codecpar;
    AVCodecParameters* opar = Ost.Stream->codecpar;

    if (uint64_t(ipar->extradata_size) + AV_INPUT_BUFFER_PADDING_SIZE > uint64_t(INT_MAX))
        throw FFmpegException("icodec.extradata_size is invalid (too large)");

    switch (ipar->codec_type) {
    case AVMEDIA_TYPE_VIDEO: {
        const TFrameHooks& hooks = Settings_.Hooks;
        if (hooks.CustomHook)
            throw FFmpegException(
                "-vcodec copy and CustomHook are incompatible (frames are not decoded)");
        if (hooks.HookModules)
            throw FFmpegException(
                "-vcodec copy and -vhook are incompatible (frames are not decoded)");
        if (hooks.PreviewWanted && hooks.PreviewWanted())
            throw FFmpegException(
                "-vcodec copy and PostHooks are incompatible (frames are not decoded)");
        break;
    }
    case AVMEDIA_TYPE_AUDIO:
        if (Options().AudioVolume != 256)
            throw FFmpegException(
                "-acodec copy and -vol are incompatible (frames are not decoded)");
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        break;
    default:
        throw FFmpegException("invalid codec_type of output stream");
    }

    // The tag and aspect ratio the session chose for the stream survive the copy.
    uint32_t userTag = opar->codec_tag;
    if (userTag == 0 && Ost.Encoder != nullptr)
        userTag = Ost.Encoder->codec_tag;
    AVRational sar = Ost.Stream->sample_aspect_ratio;
    // The session works on the upright picture; copied pictures stay as stored, and so do
    // their pixel aspect and the display rotation that turns them.
    if (ipar->codec_type == AVMEDIA_TYPE_VIDEO && ist.Rotation != 0) {
        if (RotationSwapsSides(ist.Rotation) && sar.num > 0 && sar.den > 0)
            sar = AVRational{sar.den, sar.num};
        size_t size = 0;
        const uint8_t* matrix =
            av_stream_get_side_data(ist.Stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
        if (matrix != nullptr && av_stream_get_side_data(Ost.Stream, AV_PKT_DATA_DISPLAYMATRIX,
                                                         nullptr) == nullptr) {
            uint8_t* copy = av_stream_new_side_data(Ost.Stream, AV_PKT_DATA_DISPLAYMATRIX, size);
            if (copy == nullptr)
                throw FFmpegException("av_mallocz fail");
            std::memcpy(copy, matrix, size);
        }
    }

    if (avcodec_parameters_copy(opar, ipar) < 0)
        throw FFmpegException("av_mallocz fail");

    if (userTag != 0) {
        opar->codec_tag = userTag;
    } else {
        const AVOutputFormat* of = Ost.Container->oformat;
        const bool keep = of->codec_tag == nullptr ||
                          av_codec_get_id(of->codec_tag, ipar->codec_tag) == ipar->codec_id ||
                          av_codec_get_tag(of->codec_tag, ipar->codec_id) == 0;
        opar->codec_tag = keep ? ipar->codec_tag : 0;
    }

    AVRational codecTimeBase{0, 1};
    if (ipar->codec_type == AVMEDIA_TYPE_VIDEO) {
        // The decoder's time base per frame: the stream's base frame rate (5.1 streams carry no
        // codec time base).
        const AVRational rate = ValidRate(ist.Stream->r_frame_rate) ? ist.Stream->r_frame_rate
                                                                    : ist.Stream->avg_frame_rate;
        if (ValidRate(rate))
            codecTimeBase = av_inv_q(rate);
        if (sar.num > 0 && sar.den > 0)
            opar->sample_aspect_ratio = sar;
    } else if (ipar->codec_type == AVMEDIA_TYPE_AUDIO) {
        if (ipar->sample_rate > 0)
            codecTimeBase = AVRational{1, ipar->sample_rate};
        if (opar->block_align == 1 && opar->codec_id == AV_CODEC_ID_MP3)
            opar->block_align = 0;
        if (opar->codec_id == AV_CODEC_ID_AC3)
            opar->block_align = 0;
    }
    const AVRational itb = ist.Stream->time_base;
    if (codecTimeBase.num > 0 && av_q2d(itb) < av_q2d(codecTimeBase) && av_q2d(itb) < 0.001) {
        int num = 0, den = 0;
        av_reduce(&num, &den, codecTimeBase.num, codecTimeBase.den, INT_MAX);
        Ost.Stream->time_base = AVRational{num, den};
    } else {
        Ost.Stream->time_base = itb;
    }
}

void TTranscoder::SetUpAudioEncoding(TOutputStream& Ost) {
    AVCodecContext* enc = Ost.Encoder;
    TInputStream& ist = *Ost.Source;
    const AVCodecParameters* ipar = ist.Stream->codecpar;
    const int channels = enc->ch_layout.nb_channels;
    const int bytes = av_get_bytes_per_sample(enc->sample_fmt) * std::max(channels, 1);
    if (!Ost.Fifo && bytes > 0) {
        Ost.Fifo.reset(av_audio_fifo_alloc(enc->sample_fmt, channels, std::max(1, 1024 / bytes)));
        if (!Ost.Fifo)
            throw FFmpegException("av_fifo_alloc fail");
    }
    Ost.AudioResampleNeeded =
        enc->sample_rate != ipar->sample_rate || Options().AudioSyncMethod > 1;
    // Decoders that can mix down themselves are asked for the encoder's channels; the others'
    // output is mixed down by the output stage.
    std::vector<TCodecContextPtr>& setups =
        Session_.InputEntries()[size_t(ist.FileIndex)].DecoderSetups;
    if (size_t(ist.StreamIndex) < setups.size() && setups[size_t(ist.StreamIndex)] &&
        channels > 0 && channels < ipar->ch_layout.nb_channels) {
        AVCodecContext* dec = setups[size_t(ist.StreamIndex)].get();
        if (av_opt_find(dec, "downmix", nullptr, 0, AV_OPT_SEARCH_CHILDREN) != nullptr)
            av_opt_set_chlayout(dec, "downmix", &enc->ch_layout, AV_OPT_SEARCH_CHILDREN);
    }
    ist.DecodingNeeded = true;
    Ost.EncodingNeeded = true;
}

void TTranscoder::SetUpVideoEncoding(TOutputStream& Ost, const TOutputFileEntry& Entry) {
    AVCodecContext* enc = Ost.Encoder;
    TInputStream& ist = *Ost.Source;
    const AVCodecParameters* ipar = ist.Stream->codecpar;
    const TOptionState& o = Options();

    if (enc->pix_fmt == AV_PIX_FMT_NONE)
        throw FFmpegException("Video pixel format is unknown, stream cannot be encoded");

    TCropBands bands{o.CropTop, o.CropBottom, o.CropLeft, o.CropRight};
    Ost.CropNeeded = bands.Top != 0 || bands.Bottom != 0 || bands.Left != 0 || bands.Right != 0;
    Ost.OriginalBands = bands;
    Ost.Bands = bands;

    const AVPixelFormat decFmt =
        ipar->format == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : AVPixelFormat(ipar->format);
    // Decoded pictures are turned upright before anything else sees them.
    const TUprightSize upright =
        UprightSize(ipar->width, ipar->height, AVRational{1, 1}, ist.Rotation);
    const int cropWidth = upright.Width - bands.Left - bands.Right;
    const int cropHeight = upright.Height - bands.Top - bands.Bottom;
    const bool useGraph = Entry.UsesFilterGraph;

    Ost.ResampleNeeded =
        !(enc->width == cropWidth && enc->height == cropHeight && enc->pix_fmt == decFmt);
    if (Ost.ResampleNeeded) {
        if (av_image_get_buffer_size(enc->pix_fmt, enc->width, enc->height, 1) < 0)
            throw FFmpegException("Cannot allocate temp picture, check pix fmt");
        Options().SwsFlags = Session_.OptionContexts().ScalerFlags();
        if (!useGraph) {
            Ost.Scaler.reset(sws_getContext(cropWidth, cropHeight, decFmt, enc->width, enc->height,
                                            enc->pix_fmt, o.SwsFlags, nullptr, nullptr, nullptr));
            if (!Ost.Scaler)
                throw FFmpegException("Cannot get resampling context");
            Ost.OriginalWidth = upright.Width;
            Ost.OriginalHeight = upright.Height;
        }
        enc->bits_per_raw_sample = 0;
    }
    Ost.ExpectedWidth = cropWidth;
    Ost.ExpectedHeight = cropHeight;
    Ost.ExpectedPixFmt = decFmt;

    if (useGraph) {
        ConfigureFilterGraph(Ost);
        // The graph crops and scales; its pictures come out in the encoder's size and format.
        Ost.ResampleNeeded = false;
    }
    ist.DecodingNeeded = true;
    Ost.EncodingNeeded = true;
}

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

void TTranscoder::OpenPassLog(TOutputStream& Ost) {
    const std::string& base = Options().PassLogFileName;
    std::string name = (base.empty() ? std::string("ffmpeg2pass") : base) + "-" +
                       std::to_string(Ost.OverallIndex) + ".log";
    if (name.size() > 1023)
        name.resize(1023);
    // libx264 keeps its statistics itself, by default in a file of the current folder that
    // every two-pass task would share: it gets the task's pass log file instead, and writes and
    // reads it on its own.
    const AVCodec* codec = Ost.Encoder->codec != nullptr ? Ost.Encoder->codec : Ost.Setup->Encoder;
    if (codec != nullptr && std::strcmp(codec->name, "libx264") == 0) {
        const bool first = (Ost.Encoder->flags & AV_CODEC_FLAG_PASS1) != 0;
        if (!first) {
            std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(name.c_str(), "rb"), &std::fclose);
            if (!in)
                throw FFmpegException(FormatText(
                    "Cannot read file: Error reading log file \"%s\" for pass-2 encoding",
                    name.c_str()));
        }
        if (av_opt_set(Ost.Encoder, "stats", name.c_str(), AV_OPT_SEARCH_CHILDREN) < 0)
            throw FFmpegException(first ? FormatText("Cannot write log file %s for pass-1 encoding",
                                                     name.c_str())
                                        : FormatText("Cannot read file: Error reading log file "
                                                     "\"%s\" for pass-2 encoding",
                                                     name.c_str()));
        return;
    }
    if (Ost.Encoder->flags & AV_CODEC_FLAG_PASS1) {
        FILE* f = std::fopen(name.c_str(), "wb");
        if (f == nullptr)
            throw FFmpegException(
                FormatText("Cannot write log file %s for pass-1 encoding", name.c_str()));
        Ost.PassLogFile.reset(f);
    } else {
        TWholeFile file = ReadWholeFile(name);
        if (file.Result == -12)
            throw FFmpegException(FormatText(
                "Could not allocate file buffer: Error reading log file \"%s\" for pass-2 encoding",
                name.c_str()));
        if (file.Result < 0)
            throw FFmpegException(
                FormatText("Cannot read file: Error reading log file \"%s\" for pass-2 encoding",
                           name.c_str()));
        Ost.PassLogIn = std::move(file);
        Ost.Encoder->stats_in = reinterpret_cast<char*>(Ost.PassLogIn.Buffer.get());
    }
}

void TTranscoder::OpenEncoders() {
    for (const auto& p : OutputStreams_) {
        TOutputStream& ost = *p;
        if (!IsFirstOfGroup(ost))
            continue;
        if (ost.EncodingNeeded) {
            AVCodecContext* enc = ost.Encoder;
            const int type = MediaTypeOf(ost);
            const AVCodec* codec = ost.Setup->Encoder != nullptr
                                       ? ost.Setup->Encoder
                                       : avcodec_find_encoder(enc->codec_id);
            if (codec == nullptr)
                FailAfterMapping(
                    FormatText("Encoder (codec id %d) not found for output stream #%d.%d (%s)",
                               int(enc->codec_id), ost.FileIndex, ost.StreamIndex,
                               StreamKindName(type).c_str()));
            if (Session_.JoinMode())
                ost.JoinCodecId = int(enc->codec_id);
            if (type == AVMEDIA_TYPE_SUBTITLE) {
                // Text subtitle encoders take the style header of the decoder they follow.
                TInputStream& ist = *ost.Source;
                if (ist.DecodingNeeded && !ist.Decoder)
                    OpenDecoder(ist);
                if (ist.Decoder && ist.Decoder->subtitle_header && !enc->subtitle_header) {
                    enc->subtitle_header = static_cast<uint8_t*>(
                        av_mallocz(size_t(ist.Decoder->subtitle_header_size) + 1));
                    if (enc->subtitle_header == nullptr)
                        throw FFmpegException("av_mallocz fail");
                    std::copy_n(ist.Decoder->subtitle_header, ist.Decoder->subtitle_header_size,
                                enc->subtitle_header);
                    enc->subtitle_header_size = ist.Decoder->subtitle_header_size;
                }
            }
            // The session copied the generic options (private ones included) when it made
            // the context; copying them again would undo the flags it set after them.
            int r = 0;
            {
                std::lock_guard lock(CodecLock());
                r = avcodec_open2(enc, codec, nullptr);
            }
            if (r < 0)
                FailAfterMapping(FormatText(
                    "Error while opening encoder for output stream #%d.%d (%s) - maybe incorrect "
                    "parameters such as bit_rate, rate, width or height. Please check error log "
                    "message to find out more detail information.",
                    ost.FileIndex, ost.StreamIndex, StreamKindName(type).c_str()));
            OpenedEncoders_.push_back(enc);
            Counters_.GlobalHeaderBytes += enc->extradata_size;
            if (avcodec_parameters_from_context(ost.Stream->codecpar, enc) < 0)
                throw FFmpegException("avcodec_parameters_from_context failed");
            ost.Stream->time_base = enc->time_base;
            if (type == AVMEDIA_TYPE_VIDEO && enc->sample_aspect_ratio.num > 0)
                ost.Stream->sample_aspect_ratio = enc->sample_aspect_ratio;
        }
        InitBitstreamFilters(ost);
    }
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

void TTranscoder::OpenDecoders() {
    for (const auto& p : InputStreams_)
        if (p->DecodingNeeded && !p->Decoder)
            OpenDecoder(*p);
}

void TTranscoder::OpenDecoder(TInputStream& Ist) {
    const AVCodecParameters* par = Ist.Stream->codecpar;
    const int type = par->codec_type;
    std::vector<TCodecContextPtr>& setups =
        Session_.InputEntries()[size_t(Ist.FileIndex)].DecoderSetups;
    TCodecContextPtr dec;
    if (size_t(Ist.StreamIndex) < setups.size())
        dec = std::move(setups[size_t(Ist.StreamIndex)]);
    if (!dec || dec->codec == nullptr)
        FailAfterMapping(FormatText("Decoder (codec id %d) not found for input stream #%d.%d (%s)",
                                    int(par->codec_id), Ist.FileIndex, Ist.StreamIndex,
                                    StreamKindName(type).c_str()));
    const AVCodec* codec = dec->codec;
    int r = 0;
    {
        std::lock_guard lock(CodecLock());
        r = avcodec_open2(dec.get(), codec, nullptr);
    }
    if (r < 0)
        FailAfterMapping(FormatText("Error while opening decoder for input stream #%d.%d (%s)",
                                    Ist.FileIndex, Ist.StreamIndex, StreamKindName(type).c_str()));
    GetLogger().LogFormat(Session_.LogSender(), llVerbose, "Decoder %s opened for input stream #%d.%d (%s)",
                          codec->name, Ist.FileIndex, Ist.StreamIndex,
                          StreamKindName(type).c_str());
    Ist.DecoderCodec = codec;
    Ist.Decoder = std::move(dec);
}

void TTranscoder::InitInputStreams() {
    for (const auto& p : InputStreams_) {
        TInputStream& ist = *p;
        const AVRational rate = ist.Stream->avg_frame_rate;
        const int delay = ist.Stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO
                              ? ist.Stream->codecpar->video_delay
                              : 0;
        ist.Pts =
            ValidRate(rate) ? -av_rescale(delay, int64_t(AV_TIME_BASE) * rate.den, rate.num) : 0;
        ist.NextPts = NoMediaTime;
        ist.IsStart = true;
    }
}

void TTranscoder::MapMetadata() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const std::vector<TInputFileEntry>& inputs = Session_.InputEntries();
    for (const TMetaDataMap& m : Options().MetaDataMaps) {
        if (m.OutFile < 0 || m.OutFile >= int(outputs.size()))
            FailAfterMapping(FormatText("Invalid output file index %d map_meta_data(%d,%d)",
                                        m.OutFile, m.OutFile, m.InFile));
        if (m.InFile < 0 || m.InFile >= int(inputs.size()))
            FailAfterMapping(FormatText("Invalid input file index %d map_meta_data(%d,%d)",
                                        m.InFile, m.OutFile, m.InFile));
        AVFormatContext* oc = outputs[size_t(m.OutFile)].Context;
        const AVFormatContext* ic = inputs[size_t(m.InFile)].Context.get();
        // The muxers translate the generic tag names themselves.
        if (av_dict_copy(&oc->metadata, ic->metadata, AV_DICT_DONT_OVERWRITE) < 0)
            throw FFmpegException("av_dict_copy fail");
    }
}

void TTranscoder::CopyChapters() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const std::vector<TInputFileEntry>& inputs = Session_.InputEntries();
    const TOptionState& o = Options();
    for (const TInputFileEntry& input : inputs) {
        const AVFormatContext* ic = input.Context.get();
        if (ic->nb_chapters == 0)
            continue;
        for (size_t k = 0; k < outputs.size(); ++k) {
            AVFormatContext* oc = outputs[k].Context;
            if (outputs[k].Owned == nullptr && k > 0)
                continue; // a join entry: the chapters went to the shared container already
            for (unsigned c = 0; c < ic->nb_chapters; ++c) {
                const AVChapter* in = ic->chapters[c];
                const int64_t offset =
                    av_rescale_q(o.StartTime - input.TsOffset, AV_TIME_BASE_Q, in->time_base);
                const int64_t limit =
                    o.RecordingTime == INT64_MAX
                        ? INT64_MAX
                        : av_rescale_q(o.RecordingTime, AV_TIME_BASE_Q, in->time_base);
                if (in->end < offset)
                    continue;
                if (limit != INT64_MAX && in->start > offset + limit)
                    break;
                auto* chapter = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
                if (chapter == nullptr)
                    throw FFmpegException("av_mallocz fail");
                chapter->id = in->id;
                chapter->time_base = in->time_base;
                chapter->start = std::max<int64_t>(0, in->start - offset);
                chapter->end = std::min(limit, in->end - offset);
                if (av_dict_copy(&chapter->metadata, in->metadata, 0) < 0) {
                    av_dict_free(&chapter->metadata);
                    av_free(chapter);
                    throw FFmpegException("av_mallocz fail");
                }
                auto* grown = static_cast<AVChapter**>(
                    av_realloc_array(oc->chapters, oc->nb_chapters + 1, sizeof(AVChapter*)));
                if (grown == nullptr) {
                    av_dict_free(&chapter->metadata);
                    av_free(chapter);
                    throw FFmpegException("av_realloc fail");
                }
                oc->chapters = grown;
                oc->chapters[oc->nb_chapters++] = chapter;
            }
        }
    }
}

void TTranscoder::WriteHeaders() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const size_t count = Session_.JoinMode() ? std::min<size_t>(1, outputs.size()) : outputs.size();
    bool allRtp = !outputs.empty();
    for (size_t i = 0; i < count; ++i) {
        AVFormatContext* oc = outputs[i].Context;
        TDictionary muxerOptions(Session_.OptionContexts().PrivateOptions(AV_OPT_FLAG_ENCODING_PARAM));
        if (avformat_write_header(oc, &muxerOptions.Dict) < 0)
            FailAfterMapping(FormatText(
                "Could not write header for output file #%d (incorrect codec parameters ?)",
                int(i)));
        // The cover goes first: the MP3 and FLAC muxers hold the audio back until it is there.
        if (outputs[i].CoverStream != nullptr) {
            const int r = zeltatags::WriteCover(oc, outputs[i].CoverStream, outputs[i].CoverSource);
            if (r < 0)
                throw FFmpegException(ErrorText("Could not write the cover picture", r));
        }
        if (TLoudnessMeter* meter = outputs[i].Loudness.get())
            for (const auto& p : OutputStreams_)
                if (p->FileIndex == int(i) && p->Encoder != nullptr &&
                    MediaTypeOf(*p) == AVMEDIA_TYPE_AUDIO) {
                    p->Loudness = meter;
                    break;
                }
        allRtp = allRtp && std::string(oc->oformat->name) == "rtp";
    }
    if (allRtp) {
        std::vector<AVFormatContext*> contexts;
        for (size_t i = 0; i < count; ++i)
            contexts.push_back(outputs[i].Context);
        char sdp[2048] = {};
        if (av_sdp_create(contexts.data(), int(contexts.size()), sdp, sizeof sdp) == 0) {
            std::string text(sdp);
            while (!text.empty() &&
                   (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
                text.pop_back();
            GetLogger().LogMessage(Session_.LogSender(), llInfo, "SDP:\r\n" + text);
        }
    }
}

void TTranscoder::PrintMapping() {
    if (MappingPrinted_)
        return;
    MappingPrinted_ = true;
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const bool join = Session_.JoinMode();
    const size_t count = join ? std::min<size_t>(1, outputs.size()) : outputs.size();
    for (size_t i = 0; i < count; ++i)
        av_dump_format(outputs[i].Context, int(i), outputs[i].Context->url, 1);
    if (Options().Verbose < 0)
        return;
    TFFLogger& log = GetLogger();
    log.LogMessage(Session_.LogSender(), llVerbose, "Stream mapping:");
    for (const auto& p : OutputStreams_) {
        const TOutputStream& ost = *p;
        if (ost.Source == nullptr)
            continue;
        log.LogFormat(Session_.LogSender(), llVerbose, "  Stream #%d.%d -> #%d.%d (%s)", ost.Source->FileIndex,
                      ost.Source->StreamIndex, join ? 0 : ost.FileIndex, ost.StreamIndex,
                      StreamKindName(MediaTypeOf(ost)).c_str());
        if (ost.Sync != nullptr && ost.Sync != ost.Source)
            log.LogFormat(Session_.LogSender(), llVerbose, " [sync #%d.%d (%s)]", ost.Sync->FileIndex,
                          ost.Sync->StreamIndex, StreamKindName(MediaTypeOf(*ost.Sync)).c_str());
    }
}

void TTranscoder::FailAfterMapping(const std::string& Message) {
    PrintMapping();
    GetLogger().LogMessage(Session_.LogSender(), llError, Message);
    throw FFmpegException(Message);
}
