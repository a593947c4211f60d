// The session of a conversion core: opening inputs, creating outputs, codec look-up by name,
// join mode and the release of everything. The streams of an output are made in
// SessionStreams.cpp.
#include "engine/CustomFFmpeg.h"
#include "engine/SessionStreams.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/GenericOptions.h"
#include "engine/Loudness.h"
#include "engine/SessionTypes.h"
#include "engine/Tags.h"
#include "engine/UnicodeProtocol.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

namespace zeltasession {

void DictSet(AVDictionary** Dict, const char* Key, const std::string& Value, int Flags) {
    if (av_dict_set(Dict, Key, Value.c_str(), Flags) < 0)
        throw FFmpegException("av_dict_set failed");
}

int CodecThreads(int ThreadCount) {
    return ThreadCount > 1 ? ThreadCount : 0;
}

int Strictness(TCustomFFmpeg& Core, AVMediaType Type) {
    return Core.OptionContexts().Codec(int(Type))->strict_std_compliance;
}

} // namespace zeltasession

using namespace zeltasession;

namespace {

// Encoder names stored by settings of older versions and the encoders that replace them.
struct TLegacyEncoderName {
    const char* Stored;
    const char* Current;
};
constexpr TLegacyEncoderName LegacyEncoderNames[] = {
    {"libfaac", "aac"},
    {"vorbis", "libvorbis"},
    {"libflac", "flac"},
};

// An options dictionary freed with its scope.
class TDictionary {
public:
    explicit TDictionary(AVDictionary* D = nullptr) : Dict(D) {}
    ~TDictionary() { av_dict_free(&Dict); }
    TDictionary(const TDictionary&) = delete;
    TDictionary& operator=(const TDictionary&) = delete;
    AVDictionary* Dict;
};

std::string TooLongText(const std::string& FileName, size_t Bytes) {
    return FileName + ": File name too long (" + std::to_string(Bytes) +
           " bytes once converted, at most " + std::to_string(MaxURLBytes) + ")";
}

// Sets an integer private option of the muxer when it has one of that name. A value the muxer
// rejects (outside its range) leaves its default.
void SetMuxerOption(const void* Sender, AVFormatContext* Oc, const char* Name, int64_t Value) {
    if (Oc->priv_data == nullptr || Oc->oformat->priv_class == nullptr ||
        av_opt_find(Oc->priv_data, Name, nullptr, 0, 0) == nullptr)
        return;
    if (av_opt_set_int(Oc->priv_data, Name, Value, 0) < 0)
        GetLogger().LogFormat(Sender, llVerbose, "Muxer option %s=%lld not applied", Name,
                              static_cast<long long>(Value));
}

// The stream kinds of the open inputs (only the first in join mode); false for a stream of a
// type outside video, audio, data, subtitle and attachment.
struct TInputKinds {
    bool Video = false, Audio = false, Subtitle = false;
};
bool InputKinds(const std::vector<TInputFileEntry>& Inputs, bool FirstOnly, TInputKinds& Kinds) {
    for (size_t f = 0; f < Inputs.size() && (!FirstOnly || f == 0); ++f) {
        const AVFormatContext* ic = Inputs[f].Context.get();
        for (unsigned i = 0; i < ic->nb_streams; ++i)
            switch (ic->streams[i]->codecpar->codec_type) {
            case AVMEDIA_TYPE_VIDEO:
                // A cover picture is no video to convert.
                if (!(ic->streams[i]->disposition & AV_DISPOSITION_ATTACHED_PIC))
                    Kinds.Video = true;
                break;
            case AVMEDIA_TYPE_AUDIO: Kinds.Audio = true; break;
            case AVMEDIA_TYPE_SUBTITLE: Kinds.Subtitle = true; break;
            case AVMEDIA_TYPE_DATA:
            case AVMEDIA_TYPE_ATTACHMENT: break;
            default: return false;
            }
    }
    return true;
}

// The source's container tags and its cover: a picture stream added after the converted
// streams, or a picture comment for the Ogg family.
void CarrySourceTags(TOutputFileEntry& File, const AVFormatContext* Source) {
    AVFormatContext* oc = File.Context;
    zeltatags::CarryTags(&oc->metadata, Source->metadata);
    const AVStream* cover = zeltatags::FindCover(Source);
    if (cover == nullptr)
        return;
    if (zeltatags::StoresCoverStream(oc->oformat)) {
        File.CoverStream = zeltatags::AddCoverStream(oc, cover);
        if (File.CoverStream == nullptr)
            throw FFmpegException("Could not alloc stream");
        File.CoverSource = cover;
    } else if (zeltatags::StoresCoverComment(oc->oformat)) {
        const std::string block = zeltatags::PictureBlockComment(cover);
        if (!block.empty())
            DictSet(&oc->metadata, "METADATA_BLOCK_PICTURE", block, AV_DICT_DONT_OVERWRITE);
    }
}

// "2010-01-02T03:04:05.000000Z" for a creation_time tag.
std::string CreationTimeText(int64_t UnixSeconds) {
    const std::time_t t = std::time_t(UnixSeconds);
    std::tm tm{};
    char buf[40] = {};
    if (gmtime_r(&t, &tm) == nullptr || std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S.000000Z", &tm) == 0)
        throw FFmpegException("Invalid timestamp " + std::to_string(UnixSeconds));
    return buf;
}

// Same file on disk (device and inode), for names that exist.
bool SameFile(const std::string& A, const std::string& B) {
    struct stat sa, sb;
    return ::stat(A.c_str(), &sa) == 0 && ::stat(B.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// A decoder context for one input stream, allocated for Forced or the codec id's default decoder.
TCodecContextPtr PrepareDecoder(const AVStream* St, const AVCodec* Forced, int Threads) {
    const AVCodec* codec = Forced != nullptr ? Forced : avcodec_find_decoder(St->codecpar->codec_id);
    TCodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx)
        throw FFmpegException("avcodec_alloc_context3 failed");
    if (avcodec_parameters_to_context(ctx.get(), St->codecpar) < 0)
        throw FFmpegException("avcodec_parameters_to_context failed");
    ctx->pkt_timebase = St->time_base;
    ctx->thread_count = Threads;
    return ctx;
}

} // namespace

// ---- codecs ----

bool TCustomFFmpeg::FindCodec(const std::string& Name, int MediaType, bool IsEncoder,
                              int Strictness, const AVCodec*& Codec) {
    Codec = nullptr;
    if (Name.empty())
        return true;
    const std::string word = IsEncoder ? "encoder" : "decoder";
    std::string name = Name;
    if (IsEncoder)
        for (const TLegacyEncoderName& l : LegacyEncoderNames)
            if (name == l.Stored && avcodec_find_encoder_by_name(l.Current) != nullptr) {
                GetLogger().LogFormat(this, llInfo, "Encoder '%s' is now called '%s'", l.Stored,
                                      l.Current);
                name = l.Current;
            }
    const AVCodec* codec = IsEncoder ? avcodec_find_encoder_by_name(name.c_str())
                                     : avcodec_find_decoder_by_name(name.c_str());
    if (codec == nullptr) {
        LastErrMsg_ = "Unknown " + word + " '" + Name + "'";
        return false;
    }
    if (codec->type != MediaType) {
        LastErrMsg_ = "Invalid " + word + " type '" + Name + "'";
        return false;
    }
    if ((codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL) && Strictness > FF_COMPLIANCE_EXPERIMENTAL) {
        LastErrMsg_ = word + " '" + codec->name +
                      "' is experimental and might produce bad results.\r\n"
                      "Add '-strict experimental' if you want to use it.";
        const AVCodec* standard =
            IsEncoder ? avcodec_find_encoder(codec->id) : avcodec_find_decoder(codec->id);
        if (standard != nullptr && !(standard->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
            LastErrMsg_ += "\r\nOr use the non experimental " + word + " '" + standard->name + "'.";
        return false;
    }
    Codec = codec;
    return true;
}

// ---- inputs ----

bool TCustomFFmpeg::AddInputFile(const std::string& FileName) {
    TOptionState& o = Options_;
    // The codec names and the capture channel serve one input, taken or refused.
    auto useUp = [&] {
        o.VideoCodecName.reset();
        o.AudioCodecName.reset();
        o.SubtitleCodecName.reset();
        o.VideoChannel = 0;
    };
    auto refuse = [&](const std::string& Why) {
        LastErrMsg_ = Why;
        useUp();
        return false;
    };

    if (InputFileCount() >= MaxFiles)
        return refuse("Too many input files (at most " + std::to_string(MaxFiles) + ")");

    const AVInputFormat* format = nullptr;
    if (!o.ForcedFormat.empty()) {
        format = av_find_input_format(o.ForcedFormat.c_str());
        if (format == nullptr)
            throw FFmpegException("Unknown input format: \"" + o.ForcedFormat + "\"");
        o.ForcedFormat.clear();
    }

    const std::string url = FileNameToURL(FileName);
    if (url.size() > MaxURLBytes)
        return refuse(TooLongText(FileName, url.size()));

    // Held until the open call takes it over (freeing it itself when it fails).
    struct TUnopened {
        AVFormatContext* C = nullptr;
        ~TUnopened() { avformat_free_context(C); }
    } unopened{avformat_alloc_context()};
    if (unopened.C == nullptr)
        throw FFmpegException("avformat_alloc_context failed");

    // Demuxer options exist only once the demuxer is chosen: they go with the open call. The
    // input parameters are private options of the formats that take them from the caller
    // (raw audio and video, capture devices), which are never probed.
    TDictionary options(OptionContexts().PrivateOptions(AV_OPT_FLAG_DECODING_PARAM));
    if (format != nullptr) {
        if (o.FrameRate.Num > 0 && o.FrameRate.Den > 0)
            DictSet(&options.Dict, "framerate",
                    std::to_string(o.FrameRate.Num) + "/" + std::to_string(o.FrameRate.Den),
                    AV_DICT_DONT_OVERWRITE);
        if (o.AudioSampleRate > 0)
            DictSet(&options.Dict, "sample_rate", std::to_string(o.AudioSampleRate), AV_DICT_DONT_OVERWRITE);
        if (o.AudioChannels > 0) {
            AVChannelLayout layout{};
            av_channel_layout_default(&layout, o.AudioChannels);
            char text[128] = {};
            if (av_channel_layout_describe(&layout, text, sizeof text) > 0)
                DictSet(&options.Dict, "ch_layout", text, AV_DICT_DONT_OVERWRITE);
            av_channel_layout_uninit(&layout);
        }
        if (o.FrameWidth > 0 && o.FrameHeight > 0)
            DictSet(&options.Dict, "video_size",
                    std::to_string(o.FrameWidth) + "x" + std::to_string(o.FrameHeight),
                    AV_DICT_DONT_OVERWRITE);
        if (const char* pixFmt = av_get_pix_fmt_name(AVPixelFormat(o.FramePixFmt)))
            DictSet(&options.Dict, "pixel_format", pixFmt, AV_DICT_DONT_OVERWRITE);
        if (o.VideoChannel != 0)
            DictSet(&options.Dict, "channel", std::to_string(o.VideoChannel), AV_DICT_DONT_OVERWRITE);
        if (o.VideoStandard)
            DictSet(&options.Dict, "standard", *o.VideoStandard, AV_DICT_DONT_OVERWRITE);
    }
    // Looping an input is an option of the image sequence demuxer.
    if (o.LoopInput)
        DictSet(&options.Dict, "loop", "1", AV_DICT_DONT_OVERWRITE);
    OptionContexts().CopyOptionsTo(unopened.C, AV_OPT_FLAG_DECODING_PARAM);

    const AVCodec* decoders[3] = {};
    const struct {
        const std::optional<std::string>* Name;
        AVMediaType Type;
    } forced[3] = {{&o.VideoCodecName, AVMEDIA_TYPE_VIDEO},
                   {&o.AudioCodecName, AVMEDIA_TYPE_AUDIO},
                   {&o.SubtitleCodecName, AVMEDIA_TYPE_SUBTITLE}};
    for (int k = 0; k < 3; ++k)
        if (!FindCodec(forced[k].Name->value_or(""), forced[k].Type, false,
                       Strictness(*this, forced[k].Type), decoders[k]))
            return refuse(LastErrMsg_);
    AVFormatContext* ic = unopened.C;
    if (decoders[0] != nullptr) {
        ic->video_codec_id = decoders[0]->id;
        ic->video_codec = decoders[0];
    }
    if (decoders[1] != nullptr) {
        ic->audio_codec_id = decoders[1]->id;
        ic->audio_codec = decoders[1];
    }
    if (decoders[2] != nullptr) {
        ic->subtitle_codec_id = decoders[2]->id;
        ic->subtitle_codec = decoders[2];
    }
    ic->flags |= AVFMT_FLAG_NONBLOCK;
    if (o.PgmYuvHack)
        ic->video_codec_id = AV_CODEC_ID_PGMYUV;
    // A stop (of the run, or of everything the component opens) ends every wait for the input.
    ic->interrupt_callback = Stop_.InputCallback();

    const int opened = UnicodeOpenInput(&unopened.C, url, format, &options.Dict);
    if (opened < 0)
        return refuse(ErrorText(FileName, opened));
    TInputFileEntry entry;
    entry.Context.reset(std::exchange(unopened.C, nullptr));
    ic = entry.Context.get();

    if (o.ProgramId != 0) {
        for (unsigned i = 0; i < ic->nb_streams; ++i)
            ic->streams[i]->discard = AVDISCARD_ALL;
        bool found = false;
        for (unsigned p = 0; p < ic->nb_programs; ++p) {
            AVProgram* program = ic->programs[p];
            if (program->id == o.ProgramId) {
                found = true;
                for (unsigned i = 0; i < program->nb_stream_indexes; ++i)
                    ic->streams[program->stream_index[i]]->discard = AVDISCARD_DEFAULT;
            } else {
                program->discard = AVDISCARD_ALL;
            }
        }
        if (!found)
            return refuse("Specified program id not found");
        o.ProgramId = 0;
    }

    // An input opened with its video disabled never reads that video, so the stream
    // information pass need not decode it either.
    if (o.VideoDisable)
        DiscardVideoStreams(ic);

    int probed = 0;
    {
        std::lock_guard lock(CodecLock());
        probed = avformat_find_stream_info(ic, nullptr);
    }
    if (probed < 0 && o.Verbose >= 0) {
        const std::string text = FileName + ": could not find codec parameters";
        GetLogger().LogMessage(this, llVerbose, text);
        return refuse(text);
    }

    // A start time given before an input is an input seek; one given after it trims the output.
    int64_t target = o.StartTime;
    if (ic->start_time != AV_NOPTS_VALUE)
        target += ic->start_time;
    if (o.StartTime != 0) {
        if (av_seek_frame(ic, -1, target, AVSEEK_FLAG_BACKWARD) < 0 && o.Verbose > 0)
            GetLogger().LogFormat(this, llVerbose, "%s: could not seek to position %0.3f",
                                  FileName.c_str(), double(target) / AV_TIME_BASE);
        o.StartTime = 0;
    }

    const int threads = CodecThreads(o.ThreadCount);
    TOptionContexts& contexts = OptionContexts();
    entry.Decoders.assign(ic->nb_streams, nullptr);
    entry.DecoderSetups.resize(ic->nb_streams);
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        AVStream* st = ic->streams[i];
        const AVCodecParameters* par = st->codecpar;
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO: {
            TCodecContextPtr ctx = PrepareDecoder(st, decoders[0], threads);
            // A cover picture says nothing about the video to make: the size, pixel format
            // and rate stay those of the real video.
            if (st->disposition & AV_DISPOSITION_ATTACHED_PIC) {
                entry.Decoders[i] = decoders[0];
                entry.DecoderSetups[i] = std::move(ctx);
                if (o.VideoDisable)
                    st->discard = AVDISCARD_ALL;
                break;
            }
            contexts.CopyOptionsTo(ctx.get(), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_DECODING_PARAM);
            // An output takes the size and display aspect of the picture as shown: turned
            // upright when the stream carries a display rotation.
            AVRational sar = st->sample_aspect_ratio.num != 0 ? st->sample_aspect_ratio
                                                              : par->sample_aspect_ratio;
            const TUprightSize upright =
                UprightSize(par->width, par->height, sar, StreamRotation(st));
            o.FrameWidth = upright.Width;
            o.FrameHeight = upright.Height;
            if (sar.num != 0 && sar.den != 0)
                sar = upright.PixelAspect;
            if (par->width * par->height != 0) {
                const double ratio = sar.num != 0 && sar.den != 0 ? av_q2d(sar) : 0.0;
                o.FrameAspectRatio = ratio != 0 ? float(upright.Width * ratio / upright.Height)
                                                : float(double(upright.Width) / upright.Height);
            } else if (o.FrameAspectRatio == 0) {
                o.FrameAspectRatio = 4.0f / 3.0f;
            }
            if (ctx->pix_fmt == AV_PIX_FMT_NONE)
                ctx->pix_fmt = AV_PIX_FMT_YUV420P;
            o.FramePixFmt = ctx->pix_fmt;
            // Reduced-resolution decoding gives smaller pictures (the libraries pad the edges
            // themselves now).
            if (ctx->lowres > 0) {
                o.FrameWidth >>= ctx->lowres;
                o.FrameHeight >>= ctx->lowres;
            }
            // The codec's time base counts fields for field-coded codecs (two ticks a frame):
            // only a rate that neither one nor two ticks a frame explain is worth a line.
            const AVRational codecTb = av_stream_get_codec_timebase(st);
            const AVRational rate = st->r_frame_rate;
            if (o.Verbose >= 0 && codecTb.num > 0 && codecTb.den > 0 && rate.num > 0 && rate.den > 0) {
                const AVRational codecRate = av_inv_q(codecTb);
                if (av_cmp_q(codecRate, rate) != 0 && av_cmp_q(codecRate, av_mul_q(rate, {2, 1})) != 0)
                    GetLogger().LogFormat(this, llInfo,
                                          "Seems stream %d codec frame rate differs from container "
                                          "frame rate: %2.2f (%d/%d) -> %2.2f (%d/%d)",
                                          int(i), av_q2d(codecRate), codecTb.den, codecTb.num,
                                          av_q2d(rate), rate.num, rate.den);
            }
            o.FrameRate = {rate.num, rate.den};
            entry.Decoders[i] = decoders[0];
            entry.DecoderSetups[i] = std::move(ctx);
            if (o.VideoDisable)
                st->discard = AVDISCARD_ALL;
            else if (o.VideoDiscard != 0)
                st->discard = AVDiscard(o.VideoDiscard);
            break;
        }
        case AVMEDIA_TYPE_AUDIO: {
            TCodecContextPtr ctx = PrepareDecoder(st, decoders[1], threads);
            contexts.CopyOptionsTo(ctx.get(), AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_DECODING_PARAM);
            o.ChannelLayout = par->ch_layout.order == AV_CHANNEL_ORDER_NATIVE
                                  ? int64_t(par->ch_layout.u.mask)
                                  : 0;
            o.AudioChannels = par->ch_layout.nb_channels;
            o.AudioSampleRate = par->sample_rate;
            o.AudioSampleFmt = par->format;
            entry.Decoders[i] = decoders[1];
            entry.DecoderSetups[i] = std::move(ctx);
            if (o.AudioDisable)
                st->discard = AVDISCARD_ALL;
            break;
        }
        case AVMEDIA_TYPE_SUBTITLE:
            entry.Decoders[i] = decoders[2];
            entry.DecoderSetups[i] = PrepareDecoder(st, decoders[2], threads);
            if (o.SubtitleDisable)
                st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_DATA:
        case AVMEDIA_TYPE_ATTACHMENT:
            break;
        default:
            useUp();
            throw FFmpegException("invalid codec_type");
        }
    }

    if (ic->duration != AV_NOPTS_VALUE && ic->duration > TotalDuration)
        TotalDuration = ic->duration;

    entry.TsOffset = o.CopyTs ? o.InputTsOffset : o.InputTsOffset - target;
    entry.SeekStart = target - (ic->start_time != AV_NOPTS_VALUE ? ic->start_time : 0);
    if (o.Verbose >= 0)
        av_dump_format(ic, InputFileCount(), FileName.c_str(), 0);
    InputEntries_.push_back(std::move(entry));
    useUp();
    return true;
}

// ---- outputs ----

int TCustomFFmpeg::AddOutputFile(const std::string& FileName, bool Join) {
    TOptionState& o = Options_;
    auto refuse = [&](const std::string& Why) {
        LastErrMsg_ = Why;
        return -1;
    };

    if (JoinMode_)
        return refuse("Cannot join more than one output file.");
    if (OutputFileCount() >= MaxFiles)
        return refuse("max output files " + std::to_string(MaxFiles) + " reached");
    const bool usesFilterGraph = !o.VideoFilters.empty();

    const std::string url = FileNameToURL(FileName);
    if (url.size() > MaxURLBytes)
        return refuse(TooLongText(FileName, url.size()));

    const AVOutputFormat* format = nullptr;
    if (!o.ForcedFormat.empty()) {
        format = av_guess_format(o.ForcedFormat.c_str(), nullptr, nullptr);
        if (format == nullptr)
            return refuse("Requested output format '" + o.ForcedFormat +
                          "' is not a suitable output format");
        o.ForcedFormat.clear();
    } else {
        format = av_guess_format(nullptr, FileName.c_str(), nullptr);
        if (format == nullptr)
            return refuse("Unable to find a suitable output format for '" + FileName + "'");
    }

    // The private muxer options exist from here on (the context is made for the format), so
    // the generic option copy below reaches them directly.
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, format, nullptr, url.c_str()) < 0 || raw == nullptr)
        throw FFmpegException("avformat_alloc_context failed");
    TOutputFileEntry file;
    file.Owned.reset(raw);
    file.Context = raw;
    file.OwnStreams = std::make_unique<std::vector<TOutputStreamSetup>>();
    file.Streams = file.OwnStreams.get();
    file.UsesFilterGraph = usesFilterGraph;
    InstallUnicodeIO(raw);
    // What the muxer opens or sends over a network gives up once a stop has had its grace.
    raw->interrupt_callback = Stop_.OutputCallback();

    bool useVideo = o.VideoStreamCopy || format->video_codec != AV_CODEC_ID_NONE || o.VideoCodecName;
    bool useAudio = o.AudioStreamCopy || format->audio_codec != AV_CODEC_ID_NONE || o.AudioCodecName;
    bool useSubtitle =
        o.SubtitleStreamCopy || format->subtitle_codec != AV_CODEC_ID_NONE || o.SubtitleCodecName;
    if (!InputEntries_.empty()) {
        TInputKinds kinds;
        if (!InputKinds(InputEntries_, Join, kinds))
            return refuse("check_audio_video_sub_inputs fail: invalid codec_type of input file");
        useVideo = useVideo && kinds.Video;
        useAudio = useAudio && kinds.Audio;
        useSubtitle = useSubtitle && kinds.Subtitle;
    }
    useVideo = useVideo && !o.VideoDisable;
    useAudio = useAudio && !o.AudioDisable;
    useSubtitle = useSubtitle && !o.SubtitleDisable;

    const struct {
        bool Use;
        void (*Create)(TCustomFFmpeg&, TOutputFileEntry&);
        const char* Failure;
    } kinds[] = {{useVideo, CreateVideoStream, "new_video_stream fail: "},
                 {useAudio, CreateAudioStream, "new_audio_stream fail: "},
                 {useSubtitle, CreateSubtitleStream, "new_subtitle_stream fail: "}};
    for (const auto& k : kinds) {
        if (!k.Use)
            continue;
        try {
            k.Create(*this, file);
        } catch (const FFmpegException& e) {
            return refuse(k.Failure + std::string(e.what()));
        }
    }

    if (o.RecTimestamp != 0)
        DictSet(&raw->metadata, "creation_time", CreationTimeText(o.RecTimestamp));
    // Applied last to first, so a key given twice keeps the value given first. The muxers
    // convert the names to their own conventions when they write the header.
    for (auto it = o.Metadata.rbegin(); it != o.Metadata.rend(); ++it)
        DictSet(&raw->metadata, it->first.c_str(), it->second);
    o.Metadata.clear();
    if (o.KeepTags && !InputEntries_.empty()) {
        try {
            CarrySourceTags(file, InputEntries_.front().Context.get());
        } catch (const FFmpegException& e) {
            return refuse(e.what());
        }
    }
    if (o.ReplayGain)
        file.Loudness = std::make_shared<TLoudnessMeter>();
    file.AudioFilters = o.AudioFilters;
    file.Shaping = std::move(o.Shaping);
    file.Replace = o.ReplaceExisting;
    file.AudioStream = o.AudioStream;
    o.AudioStream = -1;
    o.KeepTags = false;
    o.ReplayGain = false;
    o.Shaping = {};
    o.ReplaceExisting = false;

    if ((format->flags & AVFMT_NEEDNUMBER) && !av_filename_number_test(url.c_str()))
        return refuse(ErrorText(FileName, AVERROR(EDOM)));
    if (!(format->flags & AVFMT_NOFILE)) {
        for (int i = 0; i < InputFileCount(); ++i)
            if (SameFile(FileName, URLToFileName(InputFile(i)->url)))
                return refuse(FileName + ": Output file is input file #" + std::to_string(i));
        // The file is written under a private temporary name beside it (created anew: nothing
        // there is replaced or followed) and gets its name only once the run has finished it.
        auto safe = std::make_unique<TSafeFile>();
        if (const int e = safe->Create(FileName); e != 0)
            return refuse(FileName + ": " + SafeWriteErrorText(e));
        // The entry keeps the file open (and locked) at least as long as the context.
        const int r = UnicodeIOOpenFd(&raw->pb, safe->Fd(), AVIO_FLAG_WRITE, false);
        if (r < 0)
            return refuse(ErrorText(FileName, r));
        // A muxer that opens its file again by name (MP4's faststart) finds the temporary.
        char* temporary = av_strdup(FileNameToURL(safe->TemporaryPath()).c_str());
        if (temporary == nullptr)
            throw FFmpegException("avformat_alloc_context failed");
        av_free(raw->url);
        raw->url = temporary;
        file.Safe = std::move(safe);
    }

    // Durations in float arithmetic, as the option values are floats: 0.7 s is 700000 us.
    raw->max_delay = int(o.MuxMaxDelay * float(AV_TIME_BASE));
    SetMuxerOption(this, raw, "preload", int64_t(o.MuxPreload * float(AV_TIME_BASE)));
    SetMuxerOption(this, raw, "loop", o.LoopOutput);
    raw->flags |= AVFMT_FLAG_NONBLOCK;
    OptionContexts().CopyOptionsTo(raw, AV_OPT_FLAG_ENCODING_PARAM);
    // Room in the ID3 tag for the loudness tags, which are known only at the end.
    if (file.Loudness && std::strcmp(format->name, "mp3") == 0 && raw->metadata_header_padding < 512)
        raw->metadata_header_padding = 512;
    o.StreamIdMap.fill(0);

    OutputEntries_.push_back(std::move(file));
    if (Join && InputFileCount() > 1) {
        JoinMode_ = true;
        int64_t sum = 0;
        for (const TInputFileEntry& in : InputEntries_)
            if (in.Context->duration != AV_NOPTS_VALUE && in.Context->duration > 0)
                sum += in.Context->duration;
        TotalDuration = sum == 0 ? -1 : sum;
        // Entry i serves input i; all name the one container and its streams.
        AVFormatContext* context = OutputEntries_.back().Context;
        std::vector<TOutputStreamSetup>* streams = OutputEntries_.back().Streams;
        for (int i = 1; i < InputFileCount(); ++i) {
            TOutputFileEntry shared;
            shared.Context = context;
            shared.Streams = streams;
            shared.UsesFilterGraph = usesFilterGraph;
            OutputEntries_.push_back(std::move(shared));
        }
    }
    return OutputFileCount();
}

// ---- release ----

void TCustomFFmpeg::FreeSession() {
    // The hook modules and picture buffers belong to the session as well.
    ResetFrameHooks(true);
    if (!FFLoader().LibsLoaded(EngineLibraries))
        return;
    Contexts_.reset();
    // Shared join entries hold no library object; the owner closes, deletes when empty and frees.
    OutputEntries_.clear();
    JoinMode_ = false;
    InputEntries_.clear();
    Options_.IntraMatrix.reset();
    Options_.InterMatrix.reset();
    Options_.VideoRcOverride.reset();
    Options_.VStatsFileName.reset();
    Options_.VideoCodecName.reset();
    Options_.AudioCodecName.reset();
    Options_.SubtitleCodecName.reset();
    Options_.VideoStandard.reset();
    Options_.VideoLanguage.clear();
    Options_.AudioLanguage.clear();
    Options_.SubtitleLanguage.clear();
    Options_.SubtitleCodecTag = 0;
}
