// The option dispatcher: one table of option names and handlers, searched in table order.

#include "engine/CustomFFmpeg.h"

#include "engine/FFLogger.h"
#include "engine/GenericOptions.h"

#include <cmath>
#include <ctime>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
#include <libavutil/samplefmt.h>
}

using ffopt::OptionBool;
using ffopt::ReadLeadingFloat;
using ffopt::ReadLeadingInt;
using ffopt::StrToFloat;
using ffopt::StrToInt;
using ffopt::StrToInt64;
using ffopt::Trim;

namespace {

using THandler = void (*)(TCustomFFmpeg& F, const std::string& Name, const std::string& Value);

struct TOptionEntry {
    const char* Name;
    THandler Handler;
};

int Clamp(long V) {
    return V > INT32_MAX ? INT32_MAX : V < INT32_MIN ? INT32_MIN : int(V);
}

// ---- handler families ----

void DoNothing(TCustomFFmpeg& F, const std::string& Name, const std::string&) {
    GetLogger().LogMessage(&F, llInfo, "Do nothing: option - " + Name);
}

template <bool TOptionValues::*Field>
void BoolOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().*Field = OptionBool(Value);
}

template <bool TOptionValues::*Field>
void SwitchOn(TCustomFFmpeg& F, const std::string&, const std::string&) {
    F.Options().*Field = true;
}

template <int TOptionValues::*Field>
void IntOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().*Field = StrToInt(Value);
}

template <float TOptionValues::*Field>
void FloatOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().*Field = float(StrToFloat(Value));
}

template <std::string TOptionValues::*Field>
void TextOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().*Field = Value;
}

template <std::optional<std::string> TOptionValues::*Field>
void OptionalTextOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().*Field = Value;
}

template <int Kind>
void MaxFramesOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().MaxFrames[Kind] = StrToInt(Value);
}

int64_t ParseTime(const std::string& Name, const std::string& Value, bool Duration) {
    int64_t us = 0;
    if (av_parse_time(&us, Value.c_str(), Duration ? 1 : 0) < 0)
        throw FFmpegException(std::string("Invalid ") + (Duration ? "duration" : "date") +
                              " specification for " + Name + ": " + Value);
    return us;
}

// ---- files, maps and times ----

void ForcedFormatOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetForcedFormat(Value);
}

void MapOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    auto& maps = F.Options().StreamMaps;
    if (maps.size() >= size_t(MaxStreamMaps))
        throw FFmpegException("Too many stream maps: at most " + std::to_string(MaxStreamMaps) +
                              " map options fit");
    TStreamMap m;
    size_t p = 0;
    m.FileIndex = Clamp(ReadLeadingInt(Value, p));
    if (p < Value.size())
        ++p;
    m.StreamIndex = Clamp(ReadLeadingInt(Value, p));
    if (p < Value.size()) {
        ++p;
        m.SyncFileIndex = Clamp(ReadLeadingInt(Value, p));
        if (p < Value.size())
            ++p;
        m.SyncStreamIndex = Clamp(ReadLeadingInt(Value, p));
    } else {
        m.SyncFileIndex = m.FileIndex;
        m.SyncStreamIndex = m.StreamIndex;
    }
    maps.push_back(m);
}

void MapMetaDataOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    auto& maps = F.Options().MetaDataMaps;
    if (maps.size() >= size_t(MaxFiles))
        throw FFmpegException("Too many metadata maps: at most " + std::to_string(MaxFiles) +
                              " map_meta_data options fit");
    TMetaDataMap m;
    size_t p = 0;
    m.OutFile = Clamp(ReadLeadingInt(Value, p));
    if (p < Value.size())
        ++p;
    m.InFile = Clamp(ReadLeadingInt(Value, p));
    maps.push_back(m);
}

void RecordingTimeOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    F.SetRecordingTime(ParseTime(Name, Value, true));
}

void FileSizeOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.Options().LimitFileSize = StrToInt64(Value);
}

void StartTimeOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    F.SetStartTime(ParseTime(Name, Value, true));
}

void InputTsOffsetOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    F.Options().InputTsOffset = ParseTime(Name, Value, true);
}

void TsScaleOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    size_t p = 0;
    const long stream = ReadLeadingInt(Value, p);
    if (p < Value.size())
        ++p;
    const double scale = ReadLeadingFloat(Value, p);
    if (stream >= MaxStreams)
        throw FFmpegException("stream index over MAX_STREAMS(" + std::to_string(MaxStreams) + ")");
    if (stream < 0)
        throw FFmpegException("Invalid value \"" + Value + "\" for option \"" + Name +
                              "\": the stream index is negative");
    const int file = F.InputFileCount();
    if (file >= MaxFiles)
        throw FFmpegException("Invalid option \"" + Name + "\": no further input file fits (at most " +
                              std::to_string(MaxFiles) + ")");
    std::vector<std::array<double, MaxStreams>>& table = F.Options().TsScale;
    if (table.size() <= size_t(file))
        table.resize(size_t(file) + 1, std::array<double, MaxStreams>{});
    table[size_t(file)][size_t(stream)] = scale;
}

void TimestampOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    F.Options().RecTimestamp = std::llround(double(ParseTime(Name, Value, false)) / 1000000.0);
}

void MetadataOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    const size_t eq = Value.find('=');
    if (eq == std::string::npos)
        throw FFmpegException("Missing =");
    F.AddMetadata(Value.substr(0, eq), Value.substr(eq + 1));
}

void LogLevelOption(TCustomFFmpeg&, const std::string&, const std::string& Value) {
    GetLogger().SetLogLevelByName(Value);
}

void TimeLimitOption(TCustomFFmpeg& F, const std::string&, const std::string&) {
    GetLogger().LogMessage(&F, llWarning, "Warning: -timelimit not implemented on Windows");
}

void VerboseOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetVerbose(StrToInt(Value));
}

void TargetOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    std::string kind = Trim(Value);
    std::string norm = "auto";
    for (const char* prefix : {"pal-", "ntsc-", "film-"}) {
        const std::string p = prefix;
        if (kind.compare(0, p.size(), p) == 0) {
            norm = p.substr(0, p.size() - 1);
            kind.erase(0, p.size());
            break;
        }
    }
    F.ApplyTarget(kind, norm, "ntsc");
}

void ThreadsOption(TCustomFFmpeg&, const std::string&, const std::string&) {
    throw FFmpegException("TODO: option - threads");
}

void VideoSyncOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetVideoSyncMethod(StrToInt(Value));
}

void AudioSyncOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAudioSyncMethod(StrToInt(Value));
}


// ---- video ----

void BitRateOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    if (!F.SetGenericOption(Name, Value))
        return;
    TOptionContexts& contexts = F.OptionContexts();
    AVCodecContext* ctx = Name == "ab" ? contexts.Audio() : contexts.Video();
    int64_t rate = 0;
    if (av_opt_get_int(ctx, "b", 0, &rate) >= 0 && rate < 1000)
        GetLogger().LogMessage(
            &F, llWarning,
            "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s");
}

void FrameRateOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetFrameRate(Value);
}

void FrameSizeOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetFrameSize(Value);
}

void AspectOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAspect(Value);
}

void PixelFormatOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    if (Value == "list") {
        char buf[256];
        for (int i = -1; i < AV_PIX_FMT_NB; ++i) {
            if (i >= 0 && av_pix_fmt_desc_get(AVPixelFormat(i)) == nullptr)
                continue;
            if (av_get_pix_fmt_string(buf, sizeof buf, AVPixelFormat(i)) != nullptr)
                GetLogger().LogMessage(&F, llInfo, Trim(buf));
        }
        return;
    }
    const AVPixelFormat fmt = av_get_pix_fmt(Value.c_str());
    if (fmt == AV_PIX_FMT_NONE)
        throw FFmpegException("Unknown pixel format requested: " + Value);
    F.Options().FramePixFmt = fmt;
}

void CropTopOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetCropTop(StrToInt(Value));
}

void CropBottomOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetCropBottom(StrToInt(Value));
}

void CropLeftOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetCropLeft(StrToInt(Value));
}

void CropRightOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetCropRight(StrToInt(Value));
}

void PadOption(TCustomFFmpeg&, const std::string&, const std::string&) {
    throw FFmpegException("Please use vfilters=pad");
}

void QScaleOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    const double q = StrToFloat(Value);
    if (!(q > 0.0 && q <= 255.0))
        throw FFmpegException("qscale must be > 0.0 and <= 255");
    F.Options().VideoQScale = float(q);
}

void VideoCodecOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetVideoCodec(Value);
}

void PassOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    const int pass = StrToInt(Value);
    if (pass != 1 && pass != 2)
        throw FFmpegException("pass number can be only 1 or 2");
    F.Options().DoPass = pass;
}

void VStatsOption(TCustomFFmpeg& F, const std::string&, const std::string&) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char hhnnss[16];
    std::strftime(hhnnss, sizeof hhnnss, "%H%M%S", &local);
    F.Options().VStatsFileName = TCustomFFmpeg::ProgramFolder() + "vstats_" + hhnnss + ".log";
}

void HookOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.AddHookModule(Value);
}

void VideoFiltersOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetVideoFilters(Value);
}

void AudioFiltersOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAudioFilters(Value);
}

// The sound shaping options change one field of the pending shaping, checked by its setter.
template <class Change>
void Shape(TCustomFFmpeg& F, Change Apply) {
    TAudioShaping shaping = F.Options().Shaping;
    Apply(shaping);
    F.SetAudioShaping(std::move(shaping));
}

void NormalizeOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    Shape(F, [&](TAudioShaping& S) {
        if (Trim(Value).empty())
            S.Target.reset();
        else
            S.Target = StrToFloat(Value);
    });
}

void TruePeakOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    Shape(F, [&](TAudioShaping& S) { S.Ceiling = StrToFloat(Value); });
}

void FadeOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    Shape(F, [&](TAudioShaping& S) { (Name == "fade_in" ? S.FadeIn : S.FadeOut) = StrToFloat(Value); });
}

void LoudnessTagsOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    Shape(F, [&](TAudioShaping& S) { S.FromTags = OptionBool(Value); });
}

void TrimSilenceOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    Shape(F, [&](TAudioShaping& S) { S.TrimSilence = OptionBool(Value); });
}

void SegmentEndOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    Shape(F, [&](TAudioShaping& S) { S.SegmentEnd = ParseTime(Name, Value, true); });
}

void MatrixOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    auto& matrix = Name == "intra_matrix" ? F.Options().IntraMatrix : F.Options().InterMatrix;
    matrix.emplace();
    matrix->fill(0);
    size_t p = 0;
    for (int i = 0; i < 64; ++i) {
        (*matrix)[size_t(i)] = uint16_t(ReadLeadingInt(Value, p));
        if (i == 63)
            break;
        const size_t comma = Value.find(',', p);
        if (comma == std::string::npos)
            throw FFmpegException("Syntax error in matrix \"" + Value + "\" at coeff " +
                                  std::to_string(i));
        p = comma + 1;
    }
}

void VideoTagOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetVideoTag(Value);
}

void AudioTagOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAudioTag(Value);
}

void SubtitleTagOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetSubtitleTag(Value);
}

void NewStreamOption(TCustomFFmpeg& F, const std::string& Name, const std::string&) {
    if (F.OutputFileCount() == 0)
        throw FFmpegException("At least one output file must be specified");
    const int last = F.OutputFileCount() - 1;
    if (Name == "newvideo")
        F.NewVideoStream(last);
    else if (Name == "newaudio")
        F.NewAudioStream(last);
    else
        F.NewSubtitleStream(last);
}

void StreamIdOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    const size_t colon = Value.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == Value.size())
        throw FFmpegException("Invalid value \"" + Value + "\" for option \"" + Name +
                              "\", required syntax is \"index:value\"");
    const int index = StrToInt(Value.substr(0, colon));
    const int id = StrToInt(Value.substr(colon + 1));
    if (index < 0 || index >= MaxStreams)
        throw FFmpegException("Invalid stream index " + std::to_string(index) + " for option \"" +
                              Name + "\": it must lie in 0.." + std::to_string(MaxStreams - 1));
    F.Options().StreamIdMap[size_t(index)] = id;
}

// ---- audio ----

void SampleRateOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAudioSampleRate(StrToInt(Value));
}

void ChannelsOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAudioChannels(StrToInt(Value));
}

void AudioCodecOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetAudioCodec(Value);
}

void SampleFormatOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    if (Value == "list") {
        char buf[256];
        for (int i = -1; i < AV_SAMPLE_FMT_NB; ++i)
            if (av_get_sample_fmt_string(buf, sizeof buf, AVSampleFormat(i)) != nullptr)
                GetLogger().LogMessage(&F, llInfo, Trim(buf));
        return;
    }
    F.Options().AudioSampleFmt = av_get_sample_fmt(Value.c_str());
}

void SubtitleCodecOption(TCustomFFmpeg& F, const std::string&, const std::string& Value) {
    F.SetSubtitleCodec(Value);
}

// ---- bit-stream filters and presets ----

// The arguments after "=": "name=value:name=value" for the filter's options, or one bare value
// for its first option (the old form, as in "noise=100"). Refused when the filter has no options
// or does not take them.
void SetBitstreamFilterArguments(AVBSFContext& Bsf, const std::string& FilterName,
                                 const std::string& Arguments) {
    const AVClass* cls = Bsf.filter->priv_class;
    const AVOption* first = nullptr;
    if (cls != nullptr)
        for (const AVOption* o = cls->option; o != nullptr && o->name != nullptr; ++o)
            if (o->type != AV_OPT_TYPE_CONST) {
                first = o;
                break;
            }
    if (first == nullptr || Bsf.priv_data == nullptr)
        throw FFmpegException("Bitstream filter " + FilterName + " takes no arguments: \"" +
                              Arguments + "\"");
    const int r = Arguments.find('=') != std::string::npos
                      ? av_set_options_string(Bsf.priv_data, Arguments.c_str(), "=", ":")
                      : av_opt_set(Bsf.priv_data, first->name, Arguments.c_str(), 0);
    if (r < 0)
        throw FFmpegException("Invalid arguments for bitstream filter " + FilterName + ": \"" +
                              Arguments + "\"");
}

void BitstreamFilterOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    if (!Value.empty() && Value[0] == '=')
        return;
    const size_t eq = Value.find('=');
    const std::string filterName = Trim(eq == std::string::npos ? Value : Value.substr(0, eq));
    const std::string arguments = eq == std::string::npos ? std::string() : Trim(Value.substr(eq + 1));
    const AVBitStreamFilter* filter = av_bsf_get_by_name(filterName.c_str());
    if (filter == nullptr)
        throw FFmpegException("Unknown bitstream filter " + Trim(Value));
    AVBSFContext* raw = nullptr;
    if (av_bsf_alloc(filter, &raw) < 0)
        throw FFmpegException("av_bsf_alloc failed for bitstream filter " + filterName);
    TBSFContextPtr ctx(raw);
    if (!arguments.empty())
        SetBitstreamFilterArguments(*raw, filterName, arguments);
    const size_t chain = Name[0] == 'v' ? 0 : Name[0] == 'a' ? 1 : 2;
    F.Options().BitstreamFilters[chain].push_back(std::move(ctx));
}

void PresetOption(TCustomFFmpeg& F, const std::string& Name, const std::string& Value) {
    F.ApplyPreset(Name, Value);
}

// The options in dispatch order; the first entry whose name equals the option's name runs.
const TOptionEntry OptionTable[] = {
    {"L", DoNothing},
    {"h", DoNothing},
    {"version", DoNothing},
    {"formats", DoNothing},
    {"codecs", DoNothing},
    {"bsfs", DoNothing},
    {"protocols", DoNothing},
    {"filters", DoNothing},
    {"loglevel", LogLevelOption},
    {"f", ForcedFormatOption},
    {"i", DoNothing},
    {"y", DoNothing},
    {"map", MapOption},
    {"map_meta_data", MapMetaDataOption},
    {"t", RecordingTimeOption},
    {"fs", FileSizeOption},
    {"ss", StartTimeOption},
    {"itsoffset", InputTsOffsetOption},
    {"itsscale", TsScaleOption},
    {"timestamp", TimestampOption},
    {"metadata", MetadataOption},
    {"dframes", MaxFramesOption<skData>},
    {"benchmark", DoNothing},
    {"timelimit", TimeLimitOption},
    {"dump", BoolOption<&TOptionValues::DoPktDump>},
    {"hex", BoolOption<&TOptionValues::DoHexDump>},
    {"re", BoolOption<&TOptionValues::RateEmu>},
    {"loop_input", BoolOption<&TOptionValues::LoopInput>},
    {"loop_output", IntOption<&TOptionValues::LoopOutput>},
    {"v", VerboseOption},
    {"target", TargetOption},
    {"threads", ThreadsOption},
    {"vsync", VideoSyncOption},
    {"async", AudioSyncOption},
    {"adrift_threshold", FloatOption<&TOptionValues::AudioDriftThreshold>},
    {"vglobal", IntOption<&TOptionValues::VideoGlobalHeader>},
    {"copyts", SwitchOn<&TOptionValues::CopyTs>},
    {"shortest", BoolOption<&TOptionValues::Shortest>},
    {"dts_delta_threshold", FloatOption<&TOptionValues::DtsDeltaThreshold>},
    {"programid", IntOption<&TOptionValues::ProgramId>},
    {"xerror", SwitchOn<&TOptionValues::ExitOnError>},
    {"copyinkf", IntOption<&TOptionValues::CopyInitialNonKeyframes>},
    {"b", BitRateOption},
    {"vb", BitRateOption},
    {"ab", BitRateOption},
    {"vframes", MaxFramesOption<skVideo>},
    {"r", FrameRateOption},
    {"s", FrameSizeOption},
    {"aspect", AspectOption},
    {"pix_fmt", PixelFormatOption},
    {"croptop", CropTopOption},
    {"cropbottom", CropBottomOption},
    {"cropleft", CropLeftOption},
    {"cropright", CropRightOption},
    {"padtop", PadOption},
    {"padbottom", PadOption},
    {"padleft", PadOption},
    {"padright", PadOption},
    {"padcolor", PadOption},
    {"intra", BoolOption<&TOptionValues::IntraOnly>},
    {"vn", BoolOption<&TOptionValues::VideoDisable>},
    {"vdt", IntOption<&TOptionValues::VideoDiscard>},
    {"qscale", QScaleOption},
    {"rc_override", OptionalTextOption<&TOptionValues::VideoRcOverride>},
    {"vcodec", VideoCodecOption},
    {"me_threshold", IntOption<&TOptionValues::MeThreshold>},
    {"sameq", BoolOption<&TOptionValues::SameQuality>},
    {"pass", PassOption},
    {"passlogfile", TextOption<&TOptionValues::PassLogFileName>},
    {"deinterlace", BoolOption<&TOptionValues::DoDeinterlace>},
    {"psnr", BoolOption<&TOptionValues::DoPsnr>},
    {"vstats", VStatsOption},
    {"vstats_file", OptionalTextOption<&TOptionValues::VStatsFileName>},
    {"vhook", HookOption},
    {"vfilters", VideoFiltersOption},
    {"vf", VideoFiltersOption},
    {"intra_matrix", MatrixOption},
    {"inter_matrix", MatrixOption},
    {"top", IntOption<&TOptionValues::TopFieldFirst>},
    {"dc", IntOption<&TOptionValues::IntraDcPrecision>},
    {"vtag", VideoTagOption},
    {"atag", AudioTagOption},
    {"stag", SubtitleTagOption},
    {"newvideo", NewStreamOption},
    {"newaudio", NewStreamOption},
    {"newsubtitle", NewStreamOption},
    {"vlang", TextOption<&TOptionValues::VideoLanguage>},
    {"alang", TextOption<&TOptionValues::AudioLanguage>},
    {"slang", TextOption<&TOptionValues::SubtitleLanguage>},
    {"qphist", BoolOption<&TOptionValues::QpHist>},
    {"force_fps", BoolOption<&TOptionValues::ForceFps>},
    {"streamid", StreamIdOption},
    {"aframes", MaxFramesOption<skAudio>},
    {"aq", FloatOption<&TOptionValues::AudioQScale>},
    {"ar", SampleRateOption},
    {"ac", ChannelsOption},
    {"an", BoolOption<&TOptionValues::AudioDisable>},
    {"acodec", AudioCodecOption},
    {"vol", IntOption<&TOptionValues::AudioVolume>},
    {"sample_fmt", SampleFormatOption},
    {"sn", BoolOption<&TOptionValues::SubtitleDisable>},
    {"scodec", SubtitleCodecOption},
    {"vc", IntOption<&TOptionValues::VideoChannel>},
    {"tvstd", OptionalTextOption<&TOptionValues::VideoStandard>},
    {"isync", BoolOption<&TOptionValues::InputSync>},
    {"keep_tags", BoolOption<&TOptionValues::KeepTags>},
    {"replaygain", BoolOption<&TOptionValues::ReplayGain>},
    {"af", AudioFiltersOption},
    {"normalize", NormalizeOption},
    {"truepeak", TruePeakOption},
    {"loudness_tags", LoudnessTagsOption},
    {"fade_in", FadeOption},
    {"fade_out", FadeOption},
    {"trim_silence", TrimSilenceOption},
    {"segment_end", SegmentEndOption},
    {"replace_existing", BoolOption<&TOptionValues::ReplaceExisting>},
    {"audio_stream", IntOption<&TOptionValues::AudioStream>},
    {"muxdelay", FloatOption<&TOptionValues::MuxMaxDelay>},
    {"muxpreload", FloatOption<&TOptionValues::MuxPreload>},
    {"absf", BitstreamFilterOption},
    {"vbsf", BitstreamFilterOption},
    {"sbsf", BitstreamFilterOption},
    {"apre", PresetOption},
    {"vpre", PresetOption},
    {"spre", PresetOption},
    {"fpre", PresetOption},
};

} // namespace

void TCustomFFmpeg::SetOption(const std::string& Name, const std::string& Value) {
    for (const TOptionEntry& entry : OptionTable)
        if (Name == entry.Name) {
            entry.Handler(*this, Name, Value);
            return;
        }
    SetGenericOption(Name, Value);
}
