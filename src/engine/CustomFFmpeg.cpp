#include "engine/CustomFFmpeg.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/FrameHook.h"
#include "engine/GenericOptions.h"
#include "engine/SessionTypes.h"
#include "engine/Transcode.h"

#include <cmath>
#include <system_error>
#include <unistd.h>

extern "C" {
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/opt.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
}

using ffopt::Trim;

TCustomFFmpeg::TCustomFFmpeg()
    : TSessionState(this), HookState_(std::make_unique<TFrameHookState>()) {}

TCustomFFmpeg::~TCustomFFmpeg() {
    StopConvert(true);
    ReleaseThreads();
    FreeSession(); // with the hook modules, buffers and previewer
}

std::string TCustomFFmpeg::ProgramFolder() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0)
        return IncludeTrailingPathDelimiter(GetCurrentDir());
    path.resize(size_t(n));
    return ExtractFilePath(path);
}

// ---- option state ----

void TCustomFFmpeg::ResetOptions() {
    static_cast<TOptionValues&>(Options_) = TOptionValues();
    for (TBitstreamFilterChain& chain : Options_.BitstreamFilters)
        chain.clear();
    // The file counts go with the state; an input still open is closed with its entry, an
    // output is released like in FreeSession.
    OutputEntries_.clear();
    InputEntries_.clear();
    ErrorOccurred_ = false;
    HookFrameCount_ = 0;
    ResetFrameHooks(false);
}

void TCustomFFmpeg::PrepareTask() {
    if (!FFLoader().LibsLoaded(EngineLibraries))
        return;
    FreeSession();
    ResetOptions();
    ReleaseThreads();
    JoinMode_ = false;
    Running_ = false;
    Stop_.Clear();
    Completed_ = false;
    Terminated_ = false;
    {
        std::lock_guard g(ErrorLock_);
        ErrorMessage_.clear();
    }
    ClearWarnings();
    TotalDuration = -1;
    // Fresh ones on first use.
    Contexts_.reset();
}

bool TCustomFFmpeg::SetGenericOption(const std::string& Name, const std::string& Value) {
    TOptionContexts& contexts = OptionContexts();
    if (!contexts.SetOption(Name, Value))
        return false;
    if (contexts.DebugRequested())
        GetLogger().SetLogLevel(llDebug);
    return true;
}

bool TCustomFFmpeg::SetGenericOption(const std::string& Name, int64_t Value) {
    return SetGenericOption(Name, std::to_string(Value));
}

// ---- typed setters ----

void TCustomFFmpeg::SetForcedFormat(const std::string& Format) {
    if (Format == "pgmyuv") {
        Options_.ForcedFormat = "image2";
        Options_.PgmYuvHack = true;
        GetLogger().LogMessage(this, llInfo, "pgmyuv format is deprecated, use image2");
    } else {
        Options_.ForcedFormat = Format;
    }
}

void TCustomFFmpeg::SetVerbose(int Level) {
    Options_.Verbose = Level;
}

void TCustomFFmpeg::SetFrameRate(const std::string& Rate) {
    AVRational q{0, 0};
    if (av_parse_video_rate(&q, Rate.c_str()) < 0)
        throw FFmpegException("Incorrect frame rate");
    Options_.FrameRate = {q.num, q.den};
}

namespace {

// One side of the crop: the frame dimension it is taken from and its messages.
struct TCropSide {
    const char* Name;
    bool Vertical;
};

constexpr const char* VerticalCropError =
    "Vertical crop dimensions are outside the range of the original image.\n"
    "Remember to crop first and scale second.";
constexpr const char* HorizontalCropError =
    "Horizontal crop dimensions are outside the range of the original image.\n"
    "Remember to crop first and scale second.";

} // namespace

static void ApplyCrop(TCustomFFmpeg& F, int Value, int& Band, const TCropSide& Side) {
    if (Value <= 0)
        return;
    int& dimension = Side.Vertical ? F.Options().FrameHeight : F.Options().FrameWidth;
    if (Value >= dimension)
        throw FFmpegException(Side.Vertical ? VerticalCropError : HorizontalCropError);
    GetLogger().LogMessage(&F, llWarning,
                           std::string(Side.Name) + " is deprecated in favor of the crop avfilter");
    Band = Value;
    dimension -= Value;
}

void TCustomFFmpeg::SetCropTop(int Value) {
    ApplyCrop(*this, Value, Options_.CropTop, {"CropTop", true});
}

void TCustomFFmpeg::SetCropBottom(int Value) {
    ApplyCrop(*this, Value, Options_.CropBottom, {"CropBottom", true});
}

void TCustomFFmpeg::SetCropLeft(int Value) {
    ApplyCrop(*this, Value, Options_.CropLeft, {"CropLeft", false});
}

void TCustomFFmpeg::SetCropRight(int Value) {
    ApplyCrop(*this, Value, Options_.CropRight, {"CropRight", false});
}

void TCustomFFmpeg::SetAspect(const std::string& Aspect) {
    double ratio = 0;
    const size_t colon = Aspect.find(':');
    if (colon != std::string::npos) {
        size_t p = 0;
        const std::string w = Aspect.substr(0, colon);
        const std::string h = Aspect.substr(colon + 1);
        const long x = ffopt::ReadLeadingInt(w, p);
        p = 0;
        const long y = ffopt::ReadLeadingInt(h, p);
        ratio = y <= 0 ? 0.0 : double(x) / double(y);
    } else {
        ratio = ffopt::StrToFloatDef(Aspect, 0.0);
    }
    if (ratio == 0)
        throw FFmpegException("Incorrect aspect ratio specification.");
    Options_.FrameAspectRatio = float(ratio);
}

void TCustomFFmpeg::AddMetadata(const std::string& Key, const std::string& Value) {
    Options_.Metadata.emplace_back(Key, Value);
}

void TCustomFFmpeg::SetAudioSampleRate(int Rate) {
    if (Rate > 0)
        Options_.AudioSampleRate = Rate;
}

void TCustomFFmpeg::SetAudioChannels(int Channels) {
    if (Channels > 0)
        Options_.AudioChannels = Channels;
}

static uint32_t CodecTag(const std::string& Tag, const char* Kind) {
    if (Tag.size() != 4)
        throw EAssertionFailed(std::string(Kind) + " tag parameter must be 4 chars");
    return uint32_t(uint8_t(Tag[0])) | uint32_t(uint8_t(Tag[1])) << 8 |
           uint32_t(uint8_t(Tag[2])) << 16 | uint32_t(uint8_t(Tag[3])) << 24;
}

void TCustomFFmpeg::SetAudioTag(const std::string& Tag) {
    Options_.AudioCodecTag = CodecTag(Tag, "audio");
}

void TCustomFFmpeg::SetVideoTag(const std::string& Tag) {
    Options_.VideoCodecTag = CodecTag(Tag, "video");
}

void TCustomFFmpeg::SetSubtitleTag(const std::string& Tag) {
    Options_.SubtitleCodecTag = CodecTag(Tag, "subtitle");
}

void TCustomFFmpeg::SetRecordingTime(int64_t Microseconds) {
    if (Microseconds == NoMediaTime)
        return;
    Options_.RecordingTime = Microseconds;
    TotalDuration = Microseconds;
}

void TCustomFFmpeg::SetStartTime(int64_t Microseconds) {
    if (Microseconds != NoMediaTime)
        Options_.StartTime = Microseconds;
}

void TCustomFFmpeg::SetProgramId(int Id) {
    if (Id >= 0)
        Options_.ProgramId = Id;
}

void TCustomFFmpeg::SetFrameSize(const std::string& Size) {
    int w = 0, h = 0;
    if (av_parse_video_size(&w, &h, Size.c_str()) < 0)
        throw FFmpegException("Incorrect frame size");
    Options_.FrameWidth = w;
    Options_.FrameHeight = h;
}

static void SetCodecName(const std::string& Name, bool& StreamCopy,
                         std::optional<std::string>& CodecName) {
    if (Name.empty())
        return;
    CodecName.reset();
    if (Name == "copy")
        StreamCopy = true;
    else
        CodecName = Name;
}

void TCustomFFmpeg::SetAudioCodec(const std::string& Name) {
    SetCodecName(Name, Options_.AudioStreamCopy, Options_.AudioCodecName);
}

void TCustomFFmpeg::SetVideoCodec(const std::string& Name) {
    SetCodecName(Name, Options_.VideoStreamCopy, Options_.VideoCodecName);
}

void TCustomFFmpeg::SetSubtitleCodec(const std::string& Name) {
    SetCodecName(Name, Options_.SubtitleStreamCopy, Options_.SubtitleCodecName);
}

void TCustomFFmpeg::SetVideoFilters(const std::string& Filters) {
    Options_.VideoFilters = Filters;
}

void TCustomFFmpeg::SetAudioVolume(int Volume) {
    if (Volume >= 0)
        Options_.AudioVolume = Volume;
}

void TCustomFFmpeg::SetAudioSyncMethod(int Method) {
    Options_.AudioSyncMethod = Method;
}

void TCustomFFmpeg::SetVideoSyncMethod(int Method) {
    Options_.VideoSyncMethod = Method;
}

void TCustomFFmpeg::SetMuxMaxDelay(double Seconds) {
    if (Seconds > 0)
        Options_.MuxMaxDelay = float(Seconds);
}

void TCustomFFmpeg::SetMuxPreload(double Seconds) {
    if (Seconds > 0)
        Options_.MuxPreload = float(Seconds);
}

// ---- targets ----

namespace {

enum TNorm { nmPAL, nmNTSC, nmFILM, nmUnknown };

// 1000 x rate, rounded, as the norm rule compares it; 0 for an unusable rate.
long MilliRate(int Num, int Den) {
    if (Num == 0 || Den == 0)
        return 0;
    return std::lround(1000.0 * double(Num) / double(Den));
}

TNorm NormOfRate(long MilliRate) {
    if (MilliRate == 25000)
        return nmPAL;
    if (MilliRate == 23976 || MilliRate == 29970)
        return nmNTSC;
    return nmUnknown;
}

struct TTargetOption {
    const char* Name;
    const char* Value;
};

enum TTargetChannels { tcTwo, tcMonoToStereo };

struct TTargetKind {
    const char* Kind;
    const char* VideoCodec; // null: unchanged
    const char* AudioCodec; // null: unchanged
    const char* Format;
    const char* Size[2];    // PAL, NTSC/FILM
    const char* Gop[2];     // null: none
    std::initializer_list<TTargetOption> Generic;
    int SampleRate;
    TTargetChannels Channels;
    float MuxPreload;          // <= 0: unchanged
    const char* DefaultAspect; // null: none
};

// The svcd muxer wants the scan offset; the flag became a private option of mpeg2video.
constexpr const char* ScanOffsetOption = "flags=+scan_offset";

const TTargetKind TargetKinds[] = {
    {"vcd", "mpeg1video", "mp2", "vcd", {"352x288", "352x240"}, {"15", "18"},
     {{"b", "1150000"}, {"maxrate", "1150000"}, {"minrate", "1150000"}, {"bufsize", "327680"},
      {"ab", "224000"}, {"packetsize", "2324"}, {"muxrate", "1411200"}},
     44100, tcTwo, 0.44f, "4:3"},
    {"svcd", "mpeg2video", "mp2", "svcd", {"480x576", "480x480"}, {"15", "18"},
     {{"b", "2040000"}, {"maxrate", "2516000"}, {"minrate", "0"}, {"bufsize", "1835008"},
      {"flags", "+scan_offset"}, {"ab", "224000"}, {"packetsize", "2324"}},
     44100, tcMonoToStereo, 0, "4:3"},
    {"dvd", "mpeg2video", "ac3", "dvd", {"720x576", "720x480"}, {"15", "18"},
     {{"b", "6000000"}, {"maxrate", "9000000"}, {"minrate", "0"}, {"bufsize", "1835008"},
      {"packetsize", "2048"}, {"muxrate", "10080000"}, {"ab", "448000"}},
     48000, tcMonoToStereo, 0, "16:9"},
    {"dv", nullptr, nullptr, "dv", {"720x576", "720x480"}, {nullptr, nullptr}, {}, 48000, tcTwo, 0,
     nullptr},
    {"dv50", nullptr, nullptr, "dv", {"720x576", "720x480"}, {nullptr, nullptr}, {}, 48000, tcTwo,
     0, nullptr},
};

} // namespace

void TCustomFFmpeg::ApplyTarget(const std::string& Kind, const std::string& Norm,
                                const std::string& DefaultNorm) {
    TNorm norm = nmUnknown;
    if (Norm == "pal")
        norm = nmPAL;
    else if (Norm == "ntsc")
        norm = nmNTSC;
    else if (Norm == "film")
        norm = nmFILM;
    else {
        if (Options_.FrameRate.Den == 0)
            throw FFmpegException("frame_rate is invalid.");
        norm = NormOfRate(MilliRate(Options_.FrameRate.Num, Options_.FrameRate.Den));
        // The streams' frame rates stand in for the codec time bases of the old libraries.
        for (int i = 0; norm == nmUnknown && i < InputFileCount(); ++i) {
            const AVFormatContext* ic = InputFile(i);
            for (unsigned j = 0; norm == nmUnknown && j < ic->nb_streams; ++j) {
                const AVStream* st = ic->streams[j];
                if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
                    continue;
                AVRational rate = st->avg_frame_rate;
                if (rate.num == 0 || rate.den == 0)
                    rate = st->r_frame_rate;
                norm = NormOfRate(MilliRate(rate.num, rate.den));
            }
        }
        if (norm == nmUnknown)
            norm = DefaultNorm == "film" ? nmFILM : DefaultNorm == "ntsc" ? nmNTSC : nmPAL;
        if (Options_.Verbose > 0)
            GetLogger().LogFormat(this, llVerbose, "Assuming %s for target.",
                                  norm == nmPAL ? "PAL" : "NTSC");
    }

    const TTargetKind* kind = nullptr;
    for (const TTargetKind& k : TargetKinds)
        if (Kind == k.Kind)
            kind = &k;
    if (kind == nullptr)
        throw FFmpegException("Unknown target type");

    const int sizeIndex = norm == nmPAL ? 0 : 1;
    const char* rate = norm == nmPAL ? "25" : norm == nmNTSC ? "30000/1001" : "24000/1001";

    if (kind->VideoCodec)
        SetVideoCodec(kind->VideoCodec);
    if (kind->AudioCodec)
        SetAudioCodec(kind->AudioCodec);
    SetForcedFormat(kind->Format);
    SetFrameSize(kind->Size[sizeIndex]);
    SetFrameRate(rate);
    if (kind->Gop[sizeIndex])
        SetGenericOption("g", std::string(kind->Gop[sizeIndex]));
    for (const TTargetOption& o : kind->Generic) {
        std::string name = o.Name, value = o.Value;
        if (name + "=" + value == ScanOffsetOption &&
            av_opt_find(OptionContexts().Video(), "scan_offset", "flags", 0, 0) == nullptr) {
            name = "scan_offset";
            value = "1";
        }
        if (!SetGenericOption(name, value))
            GetLogger().LogFormat(this, llWarning, "Target %s: option %s=%s was not applied",
                                  kind->Kind, name.c_str(), value.c_str());
    }
    SetAudioSampleRate(kind->SampleRate);
    if (kind->Channels == tcTwo)
        SetAudioChannels(2);
    else if (Options_.AudioChannels == 1)
        Options_.AudioChannels = 2;
    if (kind->MuxPreload > 0)
        Options_.MuxPreload = kind->MuxPreload;
    if (kind->DefaultAspect && Options_.FrameAspectRatio == 0) {
        SetAspect(kind->DefaultAspect);
        GetLogger().LogFormat(this, llInfo, "Assuming %s for aspect ratio", kind->DefaultAspect);
    }
    if (kind->Format == std::string("dv")) {
        const char* pixFmt =
            Kind == "dv50" ? "yuv422p" : norm == nmPAL ? "yuv420p" : "yuv411p";
        Options_.FramePixFmt = av_get_pix_fmt(pixFmt);
    }
}

// ---- session ----
// The session steps (AddInputFile, AddOutputFile, FindCodec, FreeSession) are in Session.cpp,
// New*Stream in SessionStreams.cpp, the frame hooks (AddHookModule, the picture consumers, the
// preview flags) in FrameHook.cpp.

// ---- run control ----

std::string TCustomFFmpeg::ErrorMessage() const {
    std::lock_guard g(ErrorLock_);
    return ErrorMessage_;
}

void TCustomFFmpeg::RecordError(const std::string& Message) {
    GetLogger().LogMessage(this, llQuiet, Message);
    {
        std::lock_guard g(ErrorLock_);
        ErrorMessage_ = Message;
    }
    ErrorOccurred_ = true;
}

TConvertThread* TCustomFFmpeg::StartConvert(bool InThread, TThreadPriority Priority) {
    if (Running_ || Terminated_)
        return nullptr;
    const char* refusal = OutputFileCount() == 0  ? "At least one output file must be specified"
                          : InputFileCount() == 0 ? "At least one input file must be specified"
                                                  : nullptr;
    if (refusal != nullptr) {
        FreeSession();
        RecordError(refusal);
        DoTerminate();
        return nullptr;
    }
    ReleaseThreads();
    Running_ = true;
    Stop_.Clear();
    Completed_ = false;
    Terminated_ = false;
    if (!InThread) {
        RunConvert();
        return nullptr;
    }
    std::lock_guard g(ControlLock_);
    Worker_ = std::make_unique<TConvertThread>(static_cast<TRunOwner&>(*this), this, Priority,
                                               ConvertDoneEvent_);
    ConvertThread_ = Worker_.get();
    return Worker_.get();
}

void TCustomFFmpeg::RunConvert() {
    auto guarded = [this](const auto& Step) {
        try {
            Step();
        } catch (const std::exception& e) {
            RecordError(e.what());
        } catch (...) {
            RecordError("Unknown exception");
        }
    };
    guarded([this] {
        Completed_ = false;
        WrittenFiles_.clear();
        TFrameHookState& hooks = *HookState_;
        hooks.HookActive = bool(HookCallback);
        hooks.ModulesActive = UsingHookModules_;
        TTranscodeSettings settings;
        settings.ReportInterval = ReportInterval;
        settings.AudioEncoderThreads = AudioEncoderThread;
        settings.Hooks.CustomHook = bool(HookCallback);
        settings.Hooks.HookModules = UsingHookModules_;
        settings.Hooks.PreviewWanted = [this] { return PreviewFlags() != 0; };
        settings.Hooks.PreProcess = [this](TInputStream& Input, AVFrame* Picture) {
            PreProcessPicture(Input, Picture);
        };
        settings.Hooks.PreviewHandOff = [this](TOutputStream& Output, const AVFrame* Picture) {
            PreviewPicture(Output, Picture);
        };
        settings.PausePoint = [this] { SafePoint(); };
        // The run closes the encoders and decoders it opened (under the codec lock) on every
        // way out, so only the session is left to free afterwards.
        TRunProgress progress;
        if (ProgressCallback)
            progress = [this](int FileIndex, int64_t Total, int64_t Current, int64_t Size,
                              float BitRate, float Quality, int FPS, int FrameNumber) {
                ProgressCallback(*this, FileIndex, Total, Current, Size, BitRate, Quality, FPS,
                                 FrameNumber);
            };
        // A stop of everything (the outer state) that cut a read short before this run's own
        // flag was set ends the run as stopped as well (Transcode sees the interrupted read).
        Completed_ = Transcode(*this, Stop_.Flag(), progress, settings);
        for (const TOutputFileEntry& output : OutputEntries_)
            if (!output.TagsError.empty())
                AddWarning("No loudness tags written: " + output.TagsError);
    });
    guarded([this] { FreeSession(); });
    guarded([this] { DoTerminate(); });
}

void TCustomFFmpeg::EndUnstartedRun(const std::string& Message) {
    RecordError(Message);
    try {
        FreeSession();
    } catch (const std::exception& e) {
        RecordError(e.what());
    }
    try {
        DoTerminate();
    } catch (const std::exception& e) {
        RecordError(e.what());
    }
}

void TCustomFFmpeg::FailUnstarted(const std::string& Message) {
    if (Running_ || Terminated_)
        return;
    EndUnstartedRun(Message);
}

bool TCustomFFmpeg::ReleaseEndedThreads() {
    {
        std::lock_guard g(ControlLock_);
        if (!Worker_ && !TerminateThread_)
            return true;
    }
    if (Running_ || !ConvertDoneEvent_->Signalled() || !TerminateDoneEvent_->Signalled())
        return false;
    ReleaseThreads();
    return true;
}

void TCustomFFmpeg::DoTerminate() {
    // Terminated first: a task is never seen as neither running nor terminated once it ran, so
    // no one starts it again or sends it a second end in between.
    Terminated_ = true;
    Running_ = false;
    ConvertThread_ = nullptr;
    if (TerminateCallback)
        TerminateCallback(*this);
}

void TCustomFFmpeg::SafePoint() {
    if (TConvertThread* worker = ConvertThread_.load())
        worker->SafePoint();
}

void TCustomFFmpeg::PauseConvert() {
    std::lock_guard g(ControlLock_);
    if (TConvertThread* worker = ConvertThread_.load(); worker != nullptr && !worker->Suspended())
        worker->Suspend();
}

void TCustomFFmpeg::ResumeConvert() {
    std::lock_guard g(ControlLock_);
    if (TConvertThread* worker = ConvertThread_.load(); worker != nullptr && worker->Suspended())
        worker->Resume();
}

void TCustomFFmpeg::StopConvert(bool Wait) {
    Stop_.Request();
    bool wait = false;
    {
        std::lock_guard g(ControlLock_);
        TConvertThread* worker = ConvertThread_.load();
        if (worker == nullptr)
            return;
        if (worker->Suspended())
            worker->Resume();
        wait = Wait && !worker->IsCurrentThread();
    }
    // The worker's own event: the body signals it once RunConvert has returned.
    if (wait)
        WaitProcessingMessages(*ConvertDoneEvent_);
}

void TCustomFFmpeg::Terminate(bool Wait) {
    if (Running_) {
        StopConvert(Wait);
        return;
    }
    bool here = false;
    {
        std::lock_guard g(ControlLock_);
        if (Terminated_)
            return;
        if (!TerminateThread_) {
            try {
                TerminateThread_ = std::make_unique<TDoTerminateThread>(
                    static_cast<TRunOwner&>(*this), this, TerminateDoneEvent_);
            } catch (const std::system_error& e) {
                GetLogger().LogMessage(
                    this, llError, std::string("Cannot start the termination thread: ") + e.what());
                here = true;
            }
        }
    }
    if (here)
        DoTerminate(); // no thread to be had: the end is still delivered
    else if (Wait)
        WaitProcessingMessages(*TerminateDoneEvent_);
}

void TCustomFFmpeg::ReleaseThreads() {
    std::unique_ptr<TConvertThread> worker;
    std::unique_ptr<TDoTerminateThread> terminator;
    {
        std::lock_guard g(ControlLock_);
        worker = std::move(Worker_);
        terminator = std::move(TerminateThread_);
        ConvertThread_ = nullptr;
    }
    // Joined outside the lock: their last callback may still be controlling this task.
}
