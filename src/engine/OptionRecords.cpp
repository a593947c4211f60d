#include "engine/OptionRecords.h"

#include "engine/CustomFFmpeg.h"
#include "engine/OptionConvert.h"

#include <algorithm>
#include <array>

namespace {

void ReplaceAll(std::string& S, const std::string& From, const std::string& To) {
    for (size_t p = S.find(From); p != std::string::npos; p = S.find(From, p + To.size()))
        S.replace(p, From.size(), To);
}

bool IsOneOf(const std::string& Name, std::initializer_list<const char*> Names) {
    return std::any_of(Names.begin(), Names.end(), [&](const char* n) { return Name == n; });
}

// The names whose values serve the streams of an output one by one.
constexpr std::array<const char*, 8> StreamOptionNames = {"acodec", "vcodec", "scodec", "apre",
                                                          "vpre",   "spre",   "s",      "vf"};

const char* TargetKind(int Target) {
    switch (Target) {
    case 1: return "vcd";
    case 2: return "svcd";
    case 3: return "dvd";
    default: return nullptr;
    }
}

const char* TargetNormText(int Norm) {
    switch (Norm) {
    case 1: return "pal";
    case 2: return "ntsc";
    default: return "auto";
    }
}

// The integer options that go straight to the library option contexts.
void SetIntOption(TCustomFFmpeg& Core, const char* Name, int Value) {
    if (Value > 0)
        Core.SetGenericOption(Name, int64_t(Value));
}

const char* BoolText(bool Value) { return Value ? "1" : "0"; }

} // namespace

void ResetInputOptions(TInputOptions& Options) { Options = TInputOptions(); }

void ResetOutputOptions(TOutputOptions& Options) { Options = TOutputOptions(); }

std::vector<TExtOption> ParseExtOptions(const std::string& Text) {
    std::string rest = ffopt::Trim(Text);
    std::vector<TExtOption> lines;
    if (rest.empty())
        return lines;
    ReplaceAll(rest, "\r\n", "\n");
    ReplaceAll(rest, "\r", "\n");
    ReplaceAll(rest, "<CRLF>", "\n");
    size_t start = 0;
    for (;;) {
        const size_t lf = rest.find('\n', start);
        const std::string line = rest.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            lines.push_back({ffopt::LowerCase(line), std::string()});
        else
            lines.push_back({ffopt::LowerCase(line.substr(0, eq)), line.substr(eq + 1)});
        if (lf == std::string::npos)
            break;
        start = lf + 1;
    }
    return lines;
}

void ApplyExtOptions(TCustomFFmpeg& Core, const std::string& Text, bool IncludeCodecOptions) {
    for (const TExtOption& o : ParseExtOptions(Text)) {
        if (IsOneOf(o.Name, {"newvideo", "newaudio", "newsubtitle", "apre", "vpre", "spre", "vfilters", "vf"}))
            continue;
        if (!IncludeCodecOptions && IsOneOf(o.Name, {"acodec", "vcodec", "scodec", "s"}))
            continue;
        Core.SetOption(o.Name, o.Value);
    }
}

TStreamDefaults::TStreamDefaults(const TOutputOptions& Options) {
    Defaults_ = {{"def_acodec", Options.AudioCodec},  {"def_vcodec", Options.VideoCodec},
                 {"def_scodec", Options.SubtitleCodec}, {"def_apre", Options.AudioPreset},
                 {"def_vpre", Options.VideoPreset},   {"def_spre", Options.SubtitlePreset},
                 {"def_s", Options.FrameSize},        {"def_vf", Options.VideoFilters}};
    for (TExtOption o : ParseExtOptions(Options.ExtOptions)) {
        if (o.Name == "vfilters")
            o.Name = "vf";
        if (o.Value.empty() ||
            std::find(StreamOptionNames.begin(), StreamOptionNames.end(), o.Name) == StreamOptionNames.end())
            continue;
        for (TExtOption& d : Defaults_)
            if (d.Name == "def_" + o.Name && d.Value.empty())
                d.Value = o.Value;
        Entries_.push_back(o);
    }
}

std::string TStreamDefaults::Default(const std::string& Name) const {
    for (const TExtOption& d : Defaults_)
        if (d.Name == "def_" + Name)
            return d.Value;
    return {};
}

std::string TStreamDefaults::Take(const std::string& Name) {
    const auto it = std::find_if(Entries_.begin(), Entries_.end(),
                                 [&](const TExtOption& e) { return e.Name == Name; });
    if (it == Entries_.end())
        return Default(Name);
    std::string value = it->Value;
    Entries_.erase(it);
    return value;
}

bool MetadataTimestamp(TDateTime Timestamp, int64_t& UnixSeconds) {
    if (Timestamp < 0)
        return false;
    UnixSeconds = DateTimeToUnixTime(Timestamp); // 0 stands for "now"
    return true;
}

void ApplyInputOptions(TCustomFFmpeg& Core, const TInputOptions& Options,
                       const std::string& FileName) {
    ApplyExtOptions(Core, Options.ExtOptions, true);
    if (!Options.FileFormat.empty())
        Core.SetForcedFormat(Options.FileFormat);
    if (Options.StartTime != NoMediaTime)
        Core.SetStartTime(Options.StartTime);
    if (Options.ProgramId >= 0)
        Core.SetProgramId(Options.ProgramId);
    if (!Core.AddInputFile(FileName))
        throw FFmpegException(Core.LastErrMsg());
}

namespace {

void ApplyTypedOutputFields(TCustomFFmpeg& Core, const TOutputOptions& O) {
    if (!O.FileFormat.empty())
        Core.SetForcedFormat(O.FileFormat);
    SetIntOption(Core, "packetsize", O.PacketSize);
    SetIntOption(Core, "muxrate", O.MuxRate);
    if (O.MuxDelay > 0)
        Core.SetMuxMaxDelay(O.MuxDelay);
    if (O.MuxPreload > 0)
        Core.SetMuxPreload(O.MuxPreload);

    if (O.DisableAudio)
        Core.SetOption("an", "1");
    if (O.AudioVolume >= 0)
        Core.SetAudioVolume(O.AudioVolume);
    if (O.AudioChannels > 0)
        Core.SetAudioChannels(O.AudioChannels);
    if (O.AudioSampleRate > 0)
        Core.SetAudioSampleRate(O.AudioSampleRate);
    SetIntOption(Core, "ab", O.AudioBitrate);
    SetIntOption(Core, "abt", O.AudioBitrateTolerance);
    Core.SetOption("alang", O.AudioLanguage);
    Core.SetAudioSyncMethod(O.AudioSync);
    if (!O.AudioTag.empty())
        Core.SetAudioTag(O.AudioTag);

    if (O.DisableVideo)
        Core.SetOption("vn", "1");
    if (!O.FrameRate.empty())
        Core.SetFrameRate(O.FrameRate);
    if (!O.AspectRatio.empty())
        Core.SetAspect(O.AspectRatio);
    if (O.CropTop > 0)
        Core.SetCropTop(O.CropTop);
    if (O.CropBottom > 0)
        Core.SetCropBottom(O.CropBottom);
    if (O.CropLeft > 0)
        Core.SetCropLeft(O.CropLeft);
    if (O.CropRight > 0)
        Core.SetCropRight(O.CropRight);
    SetIntOption(Core, "g", O.GopSize);
    SetIntOption(Core, "vb", O.VideoBitrate);
    SetIntOption(Core, "maxrate", O.VideoMaxRate);
    SetIntOption(Core, "minrate", O.VideoMinRate);
    SetIntOption(Core, "bt", O.VideoBitrateTolerance);
    SetIntOption(Core, "bufsize", O.VideoBufferSize);
    Core.SetVideoSyncMethod(O.VideoSync);
    if (!O.VideoTag.empty())
        Core.SetVideoTag(O.VideoTag);
    Core.SetOption("vlang", O.VideoLanguage);

    if (O.DisableSubtitle)
        Core.SetOption("sn", "1");
    Core.SetOption("slang", O.SubtitleLanguage);

    Core.SetOption("isync", BoolText(O.InputSync));
    if (O.KeepTags)
        Core.SetOption("keep_tags", "1");
    if (O.AudioStream >= 0)
        Core.SetOption("audio_stream", std::to_string(O.AudioStream));
    if (O.ReplayGain)
        Core.SetOption("replaygain", "1");
    if (!O.AudioFilters.empty())
        Core.SetAudioFilters(O.AudioFilters);
    if (O.Normalize != 0 || O.FadeIn > 0 || O.FadeOut > 0 || O.TrimSilence ||
        O.SegmentEnd != NoMediaTime) {
        TAudioShaping shaping;
        if (O.Normalize != 0)
            shaping.Target = O.Normalize;
        shaping.Ceiling = O.TruePeak;
        shaping.FromTags = O.LoudnessTags;
        shaping.FadeIn = O.FadeIn;
        shaping.FadeOut = O.FadeOut;
        shaping.TrimSilence = O.TrimSilence;
        if (O.SegmentEnd != NoMediaTime)
            shaping.SegmentEnd = std::max<int64_t>(O.SegmentEnd, 0);
        Core.SetAudioShaping(std::move(shaping));
        if (O.Album && O.Normalize != 0)
            Core.SetLoudnessAlbum(O.Album, O.AlbumMember);
    }
    if (O.ReplaceExisting)
        Core.SetOption("replace_existing", "1");
    if (O.CopyTimestamps)
        Core.SetOption("copyts", "1");
    if (O.StartTime != NoMediaTime)
        Core.SetStartTime(O.StartTime);
    if (O.Duration != NoMediaTime)
        Core.SetRecordingTime(O.Duration);

    const TStreamInfo& M = O.Metadata;
    int64_t seconds = 0;
    if (MetadataTimestamp(M.Timestamp, seconds))
        Core.Options().RecTimestamp = seconds;
    if (M.Year > 0)
        Core.AddMetadata("year", std::to_string(M.Year));
    if (M.Track > 0)
        Core.AddMetadata("track", std::to_string(M.Track));
    const std::pair<const char*, const std::string*> texts[] = {
        {"title", &M.Title},     {"author", &M.Author}, {"copyright", &M.Copyright},
        {"comment", &M.Comment}, {"album", &M.Album},   {"genre", &M.Genre}};
    for (const auto& [key, value] : texts)
        if (!value->empty())
            Core.AddMetadata(key, *value);
}

// Sets Name to the value the next stream takes; an empty value leaves the option layer as it is
// (an empty frame size would be refused, empty codec and preset names are ignored anyway).
void TakeFor(TCustomFFmpeg& Core, TStreamDefaults& Defaults, const char* Name) {
    const std::string value = Defaults.Take(Name);
    if (!value.empty())
        Core.SetOption(Name, value);
}

} // namespace

void ApplyOutputOptions(TCustomFFmpeg& Core, const TOutputOptions& Options,
                        const std::string& FileName, const std::function<void()>& ConnectHook) {
    TStreamDefaults defaults(Options);

    if (const char* kind = TargetKind(Options.Target))
        Core.ApplyTarget(kind, TargetNormText(Options.TargetNorm),
                         Options.DefaultNorm == 1 ? "pal" : "ntsc");

    if (const std::string c = defaults.Default("acodec"); !c.empty())
        Core.SetAudioCodec(c);
    if (const std::string c = defaults.Default("vcodec"); !c.empty())
        Core.SetVideoCodec(c);
    if (const std::string c = defaults.Default("scodec"); !c.empty())
        Core.SetSubtitleCodec(c);

    Core.ApplyPreset("apre", defaults.Default("apre"));
    Core.ApplyPreset("vpre", defaults.Default("vpre"));
    Core.ApplyPreset("spre", defaults.Default("spre"));

    ApplyExtOptions(Core, Options.ExtOptions, false);
    ApplyTypedOutputFields(Core, Options);

    if (const std::string s = defaults.Default("s"); !s.empty())
        Core.SetFrameSize(s);
    if (const std::string vf = defaults.Default("vf"); !vf.empty())
        Core.SetVideoFilters(vf);

    if (Options.Hook && ConnectHook)
        ConnectHook();

    if (Core.AddOutputFile(FileName, Options.Join) < 0)
        throw FFmpegException(Core.LastErrMsg());

    for (const TExtOption& o : ParseExtOptions(Options.ExtOptions)) {
        if (o.Name == "newaudio") {
            TakeFor(Core, defaults, "acodec");
            TakeFor(Core, defaults, "apre");
        } else if (o.Name == "newvideo") {
            TakeFor(Core, defaults, "vcodec");
            TakeFor(Core, defaults, "vpre");
            TakeFor(Core, defaults, "s");
            TakeFor(Core, defaults, "vf");
        } else if (o.Name == "newsubtitle") {
            TakeFor(Core, defaults, "scodec");
            TakeFor(Core, defaults, "spre");
        } else {
            continue;
        }
        Core.SetOption(o.Name, o.Value);
    }
}
