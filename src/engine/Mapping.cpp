// The preparation of a run: stream records, the mapping of output streams to input streams,
// codec parameters (stream copy, audio and video encoding with cropping and scaling), opening
// the encoders and decoders, and the "Stream mapping:" lines. The video filter graph is in
// FilterGraph.cpp, the pass log files in PassLog.cpp, the bit-stream filters in
// PacketWriter.cpp, and metadata, chapters and headers in OutputHeaders.cpp.

#include "engine/Transcode.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/GenericOptions.h"
#include "engine/Output.h"

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
    PlanAudioFilters();
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
            av_dump_format(entry.Context, int(i), ShownName(entry), 1);
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

TInputStream* TTranscoder::ChosenAudioSource(const TOutputStream& Ost) const {
    TOutputFileEntry& entry = Session_.OutputEntries()[size_t(Ost.FileIndex)];
    if (entry.AudioStream < 0)
        return nullptr;
    const int file = Session_.JoinMode() ? Ost.FileIndex : 0;
    if (file >= int(InputFiles_.size()) ||
        entry.AudioStream >= InputFiles_[size_t(file)].StreamCount)
        throw FFmpegException(FormatText("Could not find input stream #%d.%d", file,
                                         entry.AudioStream));
    TInputStream* ist =
        InputStreams_[size_t(InputFiles_[size_t(file)].FirstStream + entry.AudioStream)].get();
    if (MediaTypeOf(*ist) != AVMEDIA_TYPE_AUDIO)
        throw FFmpegException(
            FormatText("Input stream #%d.%d is not an audio stream", file, entry.AudioStream));
    // The language of the chosen track names the output's sound: the stream takes the source
    // stream's tags anyway, the container's tag serves the formats without stream tags (MP3).
    const AVDictionaryEntry* language =
        av_dict_get(ist->Stream->metadata, "language", nullptr, AV_DICT_MATCH_CASE);
    if (language != nullptr && language->value[0] != 0 && std::strcmp(language->value, "und") != 0 &&
        av_dict_set(&entry.Context->metadata, "language", language->value, 0) < 0)
        throw FFmpegException("av_dict_set fail");
    return ist;
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
            TInputStream* ist = type == AVMEDIA_TYPE_AUDIO ? ChosenAudioSource(ost) : nullptr;
            if (ist == nullptr)
                ist = ChooseSource(ost, type);
            if (ist == nullptr) {
                av_dump_format(ost.Container, ost.FileIndex,
                               ShownName(Session_.OutputEntries()[size_t(ost.FileIndex)]), 1);
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

void TTranscoder::PrintMapping() {
    if (MappingPrinted_)
        return;
    MappingPrinted_ = true;
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const bool join = Session_.JoinMode();
    const size_t count = join ? std::min<size_t>(1, outputs.size()) : outputs.size();
    for (size_t i = 0; i < count; ++i)
        av_dump_format(outputs[i].Context, int(i), ShownName(outputs[i]), 1);
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
