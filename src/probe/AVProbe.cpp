#include "probe/AVProbe.h"

#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/PictureGeometry.h"
#include "engine/UnicodeProtocol.h"

#include <charconv>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <numeric>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/mathematics.h>
#include <libavutil/parseutils.h>
}

namespace {

// ID3 frame names some demuxers leave in the metadata, and the names they are shown under.
struct TMetadataKey {
    const char* Key;
    const char* ShownAs;
};

constexpr TMetadataKey MetadataKeyTable[] = {
    {"TALB", "album"},     {"TAL", "album"},      {"TCOM", "composer"},   {"TCON", "genre"},
    {"TCO", "genre"},      {"TCOP", "copyright"}, {"TDRL", "date"},       {"TENC", "encoder"},
    {"TEN", "encoder"},    {"TIT2", "title"},     {"TT2", "title"},       {"TLAN", "language"},
    {"TPE1", "artist"},    {"TP1", "artist"},     {"TPOS", "disc"},       {"TPUB", "publisher"},
    {"TRCK", "track"},     {"TRK", "track"},      {"TSOA", "albumsort"},  {"TSOP", "authorsort"},
    {"TSOT", "titlesort"}, {"TYER", "year"},
};
static_assert(std::size(MetadataKeyTable) == 22);

// The libraries the probe needs, in the order they are checked.
struct TNeededLibrary {
    TLibraryKind Kind;
    const char* Missing;
};

constexpr TNeededLibrary NeededLibraries[] = {
    {lkAVCodec, "LibAVCodec not loaded."},
    {lkAVFormat, "LibAVFormat not loaded."},
    {lkAVUtil, "LibAVUtil not loaded."},
    {lkSWScale, "LibSwScale not loaded."},
};

constexpr const char* NotLoaded = "file not loaded.";

struct TCodecContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextDeleter>;

int ClampToInt(int64_t Value) {
    if (Value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (Value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(Value);
}

std::string Printf(const char* Format, ...) __attribute__((format(printf, 1, 2)));

// printf into a string of any length (tag values such as lyrics can be long).
std::string Printf(const char* Format, ...) {
    va_list args;
    va_start(args, Format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, Format, args);
    va_end(args);
    std::string out;
    if (n > 0) {
        out.resize(size_t(n) + 1);
        std::vsnprintf(out.data(), out.size(), Format, again);
        out.resize(size_t(n));
    }
    va_end(again);
    return out;
}

// The libraries' one-line codec summary. avcodec_string needs a codec context; one filled from
// the stream parameters is enough, nothing is opened or decoded.
std::string CodecSummary(const AVCodecParameters* Par) {
    TCodecContextPtr ctx(avcodec_alloc_context3(nullptr));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), Par) < 0)
        return CodecDescription(Par, false);
    char buf[256];
    avcodec_string(buf, sizeof buf, ctx.get(), 0);
    return buf;
}

bool NonZero(AVRational R) { return R.num != 0 && R.den != 0; }

// A stream time in microseconds, or -1 for the no-value marker.
int64_t StreamTimeUs(int64_t Value, AVRational TimeBase) {
    return Value == AV_NOPTS_VALUE ? -1 : av_rescale_q(Value, TimeBase, AV_TIME_BASE_Q);
}

} // namespace

// --- Text helpers ---

std::string FormatRate(double Value, const std::string& Unit) {
    const long long hundredths = std::llround(Value * 100);
    if (hundredths % 100 != 0)
        return Printf(", %3.2f %s", Value, Unit.c_str());
    if (hundredths % 100000 != 0)
        return Printf(", %1.0f %s", Value, Unit.c_str());
    return Printf(", %1.0fk %s", Value / 1000, Unit.c_str());
}

AVRational RepairTimeBase(AVRational TimeBase) {
    if (TimeBase.den == 0)
        TimeBase.den = TimeBase.num;
    if (TimeBase.den == 0)
        TimeBase.den = 1;
    return TimeBase;
}

std::string TimeBaseText(AVRational TimeBase) {
    int g = std::gcd(TimeBase.num, TimeBase.den);
    if (g == 0)
        g = 1;
    return Printf(", %d/%d", TimeBase.num / g, TimeBase.den / g);
}

std::string FormatStartTime(int64_t Microseconds) {
    const bool negative = Microseconds < 0;
    // Magnitude as unsigned so the smallest 64-bit value cannot overflow.
    const uint64_t magnitude = negative ? 0 - uint64_t(Microseconds) : uint64_t(Microseconds);
    return Printf("%s%llu.%.6llu", negative ? "-" : "", (unsigned long long)(magnitude / 1000000),
                  (unsigned long long)(magnitude % 1000000));
}

std::string MetadataKeyName(const std::string& Key) {
    for (const TMetadataKey& row : MetadataKeyTable)
        if (Key == row.Key)
            return row.ShownAs;
    return Key;
}

void AppendMetadataBlock(std::vector<std::string>& Lines, const AVDictionary* Metadata,
                         const std::string& Prefix) {
    const int count = av_dict_count(Metadata);
    if (count == 0)
        return;
    if (count == 1 && av_dict_get(Metadata, "language", nullptr, AV_DICT_MATCH_CASE) != nullptr)
        return;
    Lines.push_back(Prefix + "Metadata:");
    const AVDictionaryEntry* tag = nullptr;
    while ((tag = av_dict_get(Metadata, "", tag, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        if (std::string(tag->key) == "language")
            continue;
        Lines.push_back(Printf("%s  %-16s: %s", Prefix.c_str(), MetadataKeyName(tag->key).c_str(),
                               tag->value));
    }
}

int TagNumber(const std::string& Value, int Default) {
    size_t start = 0;
    while (start < Value.size() && (Value[start] == ' ' || Value[start] == '\t'))
        ++start;
    int result = 0;
    const char* first = Value.data() + start;
    const char* last = Value.data() + Value.size();
    const auto [end, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || end == first)
        return Default;
    return result;
}

// --- The probe ---

void TOwnedInputCloser::operator()(AVFormatContext* Context) const { UnicodeCloseInput(&Context); }

TCustomAVProbe::TCustomAVProbe() = default;

TCustomAVProbe::~TCustomAVProbe() { Close(); }

void TCustomAVProbe::CheckLibraries() {
    for (const TNeededLibrary& lib : NeededLibraries)
        if (!FFLoader().LibLoaded(lib.Kind))
            throw FFmpegException(lib.Missing);
}

void TCustomAVProbe::SetError(const std::string& Text, TLogLevel Level) {
    LastError_ = Text;
    GetLogger().LogMessage(this, Level, Text);
}

bool TCustomAVProbe::Loaded() {
    if (FormatContext_ != nullptr)
        return true;
    SetError(NotLoaded, llWarning);
    return false;
}

bool TCustomAVProbe::Open(const std::string& FileName, const std::string& ForcedFormat,
                          TVideoAnalysis Video) {
    CheckLibraries();
    Close();

    const AVInputFormat* format = nullptr;
    if (!ForcedFormat.empty()) {
        format = av_find_input_format(ForcedFormat.c_str());
        if (format == nullptr) {
            SetError("Unknown input format: " + ForcedFormat, llError);
            return false;
        }
    }

    const std::string url = FileNameToURL(FileName);
    if (url.size() > MaxURLBytes) {
        SetError(FileName + ": File name too long", llError);
        return false;
    }

    AVFormatContext* context = avformat_alloc_context();
    if (context == nullptr) {
        SetError(ErrorText(FileName, AVERROR(ENOMEM)), llError);
        return false;
    }
    context->flags |= AVFMT_FLAG_NONBLOCK;
    if (Stop_ != nullptr)
        context->interrupt_callback = Stop_->InputCallback();
    const int r = UnicodeOpenInput(&context, url, format, nullptr);
    if (r < 0) {
        // A failed open frees the context (and sets it to null) on every path but the URL
        // length check done above; free it in case that ever changes.
        if (context != nullptr)
            avformat_free_context(context);
        SetError(ErrorText(FileName, r), llError);
        Close();
        return false;
    }
    Owned_.reset(context);
    OwnsContext_ = true;
    FormatContext_ = context;

    if (Video == TVideoAnalysis::HeaderOnly)
        DiscardVideoStreams(context);
    if (avformat_find_stream_info(context, nullptr) < 0) {
        SetError(FileName + ": could not find codec parameters", llError);
        Close();
        return false;
    }
    Analyse();
    ForcedFormat_ = ForcedFormat;
    return true;
}

void TCustomAVProbe::Attach(AVFormatContext* Context) {
    CheckLibraries();
    Close();
    OwnsContext_ = false;
    FormatContext_ = Context;
    Analyse();
}

void TCustomAVProbe::Close() {
    ForcedFormat_.clear();
    if (FormatContext_ != nullptr) {
        Owned_.reset(); // closes the file only when the probe opened it
        OwnsContext_ = false;
        FormatContext_ = nullptr;
    }
    Analyse();
}

void TCustomAVProbe::Analyse() {
    FileSize_ = -1;
    StreamCount_ = ProgramCount_ = -1;
    AudioStreamCount_ = VideoStreamCount_ = SubtitleStreamCount_ = -1;
    FirstAudioStream_ = FirstVideoStream_ = FirstSubtitleStream_ = -1;
    const AVFormatContext* ctx = FormatContext_;
    if (ctx == nullptr)
        return;

    const int64_t size = ctx->pb != nullptr ? avio_size(ctx->pb) : -1;
    if (size > 0) {
        FileSize_ = size;
    } else {
        const std::string name = URLToFileName(ctx->url != nullptr ? ctx->url : "");
        if (FileExists(name))
            FileSize_ = GetFileSizeByName(name);
        else
            FileSize_ = size < 0 ? -1 : size; // an I/O error code is no size
    }

    StreamCount_ = int(ctx->nb_streams);
    ProgramCount_ = int(ctx->nb_programs);
    AudioStreamCount_ = VideoStreamCount_ = SubtitleStreamCount_ = 0;
    for (int i = 0; i < StreamCount_; ++i) {
        switch (ctx->streams[i]->codecpar->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            ++VideoStreamCount_;
            if (FirstVideoStream_ < 0)
                FirstVideoStream_ = i;
            break;
        case AVMEDIA_TYPE_AUDIO:
            ++AudioStreamCount_;
            if (FirstAudioStream_ < 0)
                FirstAudioStream_ = i;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            ++SubtitleStreamCount_;
            if (FirstSubtitleStream_ < 0)
                FirstSubtitleStream_ = i;
            break;
        default:
            break;
        }
    }
}

bool TCustomAVProbe::GetFileStreamInfo(TFileStreamInfo& Info) {
    Info = TFileStreamInfo{};
    if (!Loaded())
        return false;
    const AVFormatContext* ctx = FormatContext_;
    const AVDictionary* meta = ctx->metadata;
    Info.StartTime = ctx->start_time == AV_NOPTS_VALUE ? -1 : ctx->start_time;
    Info.Duration = ctx->duration == AV_NOPTS_VALUE ? -1 : ctx->duration;
    Info.BitRate = ClampToInt(ctx->bit_rate);

    const std::string created = MetadataValue(meta, "creation_time");
    int64_t createdUs = 0;
    if (!created.empty() && av_parse_time(&createdUs, created.c_str(), 0) == 0)
        Info.Timestamp = createdUs / 1000000;

    std::string date = MetadataValue(meta, "date");
    if (date.empty())
        date = MetadataValue(meta, "year");
    Info.Year = TagNumber(date, 0);
    Info.Track = TagNumber(MetadataValue(meta, "track"), 0);

    Info.Title = MetadataValue(meta, "title");
    Info.Author = MetadataValue(meta, "author", MetadataValue(meta, "artist"));
    Info.Copyright = MetadataValue(meta, "copyright");
    Info.Comment = MetadataValue(meta, "comment");
    Info.Album = MetadataValue(meta, "album");
    Info.Genre = MetadataValue(meta, "genre");
    return true;
}

const AVStream* TCustomAVProbe::StreamFor(int Index, int Kind, int First, const char* KindName) {
    if (!Loaded())
        return nullptr;
    if (Index < 0) {
        if (First < 0) {
            SetError(Printf("no %s stream.", KindName), llError);
            return nullptr;
        }
        Index = First;
    } else if (Index >= StreamCount_) {
        SetError(Printf("stream index #%d is invalid.", Index), llError);
        return nullptr;
    }
    const AVStream* st = FormatContext_->streams[Index];
    if (st->codecpar->codec_type != Kind) {
        SetError(Printf("stream #%d is not %s stream.", Index, KindName), llError);
        return nullptr;
    }
    return st;
}

namespace {

// The fields audio and video records share, in their order.
template <class TInfo>
void FillCommonStreamInfo(TInfo& Info, const AVStream* st) {
    const AVCodecParameters* par = st->codecpar;
    Info.Language = MetadataValue(st->metadata, "language");
    Info.CodecName = CodecDescription(par, false);
    const AVRational tb = RepairTimeBase(st->time_base);
    Info.StartTime = st->start_time;
    Info.StartTimeUs = StreamTimeUs(st->start_time, tb);
    Info.Duration = st->duration;
    Info.DurationUs = StreamTimeUs(st->duration, tb);
    Info.BitRate = ClampToInt(par->bit_rate);
}

} // namespace

bool TCustomAVProbe::GetAudioStreamInfo(int Index, TAudioStreamInfo& Info) {
    Info = TAudioStreamInfo{};
    const AVStream* st = StreamFor(Index, AVMEDIA_TYPE_AUDIO, FirstAudioStream_, "audio");
    if (st == nullptr)
        return false;
    const AVCodecParameters* par = st->codecpar;
    FillCommonStreamInfo(Info, st);
    Info.Channels = par->ch_layout.nb_channels;
    Info.SampleRate = par->sample_rate;
    Info.SampleFormat = par->format;
    return true;
}

bool TCustomAVProbe::GetVideoStreamInfo(int Index, TVideoStreamInfo& Info) {
    Info = TVideoStreamInfo{};
    const AVStream* st = StreamFor(Index, AVMEDIA_TYPE_VIDEO, FirstVideoStream_, "video");
    if (st == nullptr)
        return false;
    const AVCodecParameters* par = st->codecpar;
    FillCommonStreamInfo(Info, st);
    Info.Height = par->height;
    Info.Width = par->width;
    const AVRational sar = par->sample_aspect_ratio;
    const double aspect = sar.den == 0 ? 0.0 : av_q2d(sar);
    Info.Rotation = StreamRotation(st);
    const AVRational pixel = StreamPixelAspect(st);
    Info.PixelAspectNum = pixel.num;
    Info.PixelAspectDen = pixel.den;
    const TUprightSize shown = UprightSize(par->width, par->height, pixel, Info.Rotation);
    Info.DisplayWidth = int(std::lround(double(shown.Width) * av_q2d(shown.PixelAspect)));
    Info.DisplayHeight = shown.Height;
    const bool swapped = RotationSwapsSides(Info.Rotation);
    if (par->height <= 0 || par->width <= 0)
        Info.DisplayAspect = 0.0f;
    else if (swapped)
        Info.DisplayAspect = aspect == 0 ? 0.0f : float(par->height / (aspect * par->width));
    else
        Info.DisplayAspect = float(aspect * par->width / par->height);
    Info.PixelFormat = par->format;
    Info.FrameRateNum = st->r_frame_rate.num;
    Info.FrameRateDen = st->r_frame_rate.den;
    Info.FrameCount = st->nb_frames > 0 ? st->nb_frames : -1;
    return true;
}

std::string TCustomAVProbe::FileName() {
    if (!Loaded())
        return {};
    return URLToFileName(FormatContext_->url != nullptr ? FormatContext_->url : "");
}

std::string TCustomAVProbe::FormatName() {
    if (!Loaded())
        return {};
    const AVInputFormat* f = FormatContext_->iformat;
    return f != nullptr && f->name != nullptr ? f->name : "";
}

bool TCustomAVProbe::IsAudioStream(int Index) {
    if (!Loaded())
        return false;
    return Index >= 0 && Index < StreamCount_ &&
           FormatContext_->streams[Index]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
}

bool TCustomAVProbe::IsVideoStream(int Index) {
    if (!Loaded())
        return false;
    return Index >= 0 && Index < StreamCount_ &&
           FormatContext_->streams[Index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
}

std::string TCustomAVProbe::StreamLine(int Index) const {
    const AVFormatContext* ctx = FormatContext_;
    const AVStream* st = ctx->streams[Index];
    const AVCodecParameters* par = st->codecpar;

    std::string line = Printf("Stream #%d", Index);
    if (ctx->iformat != nullptr && (ctx->iformat->flags & AVFMT_SHOW_IDS))
        line += Printf("[0x%x]", st->id);
    const std::string language = MetadataValue(st->metadata, "language");
    if (!language.empty())
        line += "(" + language + ")";
    line += TimeBaseText(st->time_base);
    line += ": " + CodecSummary(par);

    const AVRational sar = st->sample_aspect_ratio;
    if (sar.num != 0 && av_cmp_q(sar, par->sample_aspect_ratio) != 0) {
        int darNum = 0, darDen = 0;
        av_reduce(&darNum, &darDen, int64_t(par->width) * sar.num, int64_t(par->height) * sar.den,
                  1024 * 1024);
        line += Printf(", PAR %d:%d DAR %d:%d", sar.num, sar.den, darNum, darDen);
    }

    if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
        if (NonZero(st->avg_frame_rate))
            line += FormatRate(av_q2d(st->avg_frame_rate), "fps");
        if (NonZero(st->r_frame_rate))
            line += FormatRate(av_q2d(st->r_frame_rate), "tbr");
        if (NonZero(st->time_base))
            line += FormatRate(av_q2d(av_inv_q(st->time_base)), "tbn");
        // Streams no longer carry a codec time base, so there is no "tbc" rate to show.
    }

    const AVRational tb = RepairTimeBase(st->time_base);
    if (st->start_time != AV_NOPTS_VALUE)
        line += ", StartTime: " + FormatStartTime(av_rescale_q(st->start_time, tb, AV_TIME_BASE_Q));
    if (st->duration == AV_NOPTS_VALUE)
        line += ", Duration: N/A";
    else
        line += ", Duration: " + FormatMediaTime(av_rescale_q(st->duration, tb, AV_TIME_BASE_Q));
    return line;
}

// How a turned or non-square picture is shown; nothing for square pixels shown as stored.
static std::string ShownLine(const AVStream* St) {
    const AVCodecParameters* par = St->codecpar;
    if (par->codec_type != AVMEDIA_TYPE_VIDEO || par->width <= 0 || par->height <= 0)
        return {};
    const int rotation = StreamRotation(St);
    const AVRational pixel = StreamPixelAspect(St);
    if (rotation == 0 && pixel.num == pixel.den)
        return {};
    const TUprightSize shown = UprightSize(par->width, par->height, pixel, rotation);
    int darNum = 0, darDen = 0;
    av_reduce(&darNum, &darDen, int64_t(shown.Width) * shown.PixelAspect.num,
              int64_t(shown.Height) * shown.PixelAspect.den, 1024 * 1024);
    return Printf("  Displayed: %dx%d, pixel aspect %d:%d, display aspect %d:%d, rotation %d",
                  int(std::lround(shown.Width * av_q2d(shown.PixelAspect))), shown.Height,
                  pixel.num, pixel.den, darNum, darDen, rotation);
}

void TCustomAVProbe::AppendStream(std::vector<std::string>& Lines, int Index) const {
    Lines.push_back(StreamLine(Index));
    const std::string shown = ShownLine(FormatContext_->streams[Index]);
    if (!shown.empty())
        Lines.push_back(shown);
    AppendMetadataBlock(Lines, FormatContext_->streams[Index]->metadata, "  ");
}

bool TCustomAVProbe::GetInfoText(std::string& Text) {
    Text.clear();
    TFileStreamInfo info;
    if (!GetFileStreamInfo(info))
        return false;
    const AVFormatContext* ctx = FormatContext_;

    std::vector<std::string> lines;
    lines.push_back("File Name: " + FileName());
    lines.push_back("Format Name: " + FormatName());
    const char* longName = ctx->iformat != nullptr ? ctx->iformat->long_name : nullptr;
    lines.push_back(std::string("Format Long Name: ") + (longName != nullptr ? longName : ""));
    lines.push_back("File Size: " + FormatFileSize(FileSize_));

    if (ctx->duration == AV_NOPTS_VALUE || ctx->duration < 0)
        lines.push_back("Duration: N/A");
    else
        lines.push_back("Duration: " + FormatMediaTime(ctx->duration));
    if (ctx->start_time != AV_NOPTS_VALUE && ctx->start_time >= 0)
        lines.push_back("StartTime: " + FormatStartTime(ctx->start_time));
    if (ctx->bit_rate < 1)
        lines.push_back("Bit Rate: N/A");
    else
        lines.push_back(Printf("Bit Rate: %lld kb/s", (long long)(ctx->bit_rate / 1000)));
    if (info.Timestamp > 0)
        lines.push_back("Time Stamp: " + FormatDateTime(UnixTimeToDateTime(info.Timestamp)));
    AppendMetadataBlock(lines, ctx->metadata, "");

    std::vector<bool> shown(ctx->nb_streams, false);
    for (unsigned p = 0; p < ctx->nb_programs; ++p) {
        const AVProgram* program = ctx->programs[p];
        const std::string provider = MetadataValue(program->metadata, "service_provider", "N/A");
        const std::string service = MetadataValue(program->metadata, "service_name", "N/A");
        lines.push_back(Printf("Program %d %s@%s", program->id, provider.c_str(), service.c_str()));
        AppendMetadataBlock(lines, program->metadata, "  ");
        for (unsigned k = 0; k < program->nb_stream_indexes; ++k) {
            const unsigned index = program->stream_index[k];
            if (index >= ctx->nb_streams)
                continue;
            AppendStream(lines, int(index));
            shown[index] = true;
        }
    }
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        if (!shown[i])
            AppendStream(lines, int(i));

    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            Text += '\n';
        Text += lines[i];
    }
    return true;
}
