// Opening and closing a playback, the read thread, the stream components, pause and seek
// requests and the play thread's event loop.

#include "player/FFPlayState.h"

#include "engine/FFmpegLoader.h"
#include "engine/PictureGeometry.h"
#include "engine/UnicodeProtocol.h"

#include <SDL2/SDL.h>

#include <cstdarg>
#include <cstdio>
#include <system_error>

extern "C" {
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

namespace player {

namespace {

struct TDictionaryDeleter {
    void operator()(AVDictionary** d) const { av_dict_free(d); }
};

int InterruptCheck(void* Opaque) {
    return static_cast<TPlaybackState*>(Opaque)->Stopping.load() ? 1 : 0;
}

void SetOpenStatus(TPlaybackState& S, int From, int To) {
    std::lock_guard g(S.OpenLock);
    if (S.OpenStatus == From) {
        S.OpenStatus = To;
        S.OpenCond.notify_all();
    }
}

void OpenError(TPlaybackState& S, const std::string& Text) {
    S.Host->SetOpenError(Text);
}

// --- stream components ---

bool OpenAudio(TPlaybackState& S, int Index, AVStream* Stream, TCodecContextPtr Codec) {
    const int channels = Codec->ch_layout.nb_channels;
    const int played = channels < 1 || channels > 2 ? 2 : channels;
    SDL_AudioSpec wanted{};
    SDL_AudioSpec obtained{};
    wanted.freq = Codec->sample_rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = uint8_t(played);
    wanted.samples = AudioBufferSamples;
    wanted.callback = AudioCallback;
    wanted.userdata = &S;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        LogText(S, llError, std::string("SDL_OpenAudio() failed: ") + SDL_GetError());
        return false;
    }
    S.AudioDevice = device;
    S.AudioHwBufferSize = int(obtained.size);
    S.AudioChannels = played;
    S.AudioRate = obtained.freq;
    S.AudioBytesPerSecond = 2.0 * played * obtained.freq;
    {
        std::lock_guard g(S.FifoLock);
        S.Fifo.assign(std::max<size_t>(size_t(SampleQueueBuffers) * obtained.size, 8192), 0);
        S.FifoRead = S.FifoFill = 0;
        S.FifoEndClock = NAN;
        S.FifoDiscard = false;
    }
    S.AudioTimeBase = Stream->time_base;
    S.AudioDuration = Stream->duration != AV_NOPTS_VALUE
                          ? av_rescale_q(Stream->duration, Stream->time_base, AV_TIME_BASE_Q)
                          : -1;
    ResetAudioSync(S);
    S.AudioCodec = std::move(Codec);
    Stream->discard = AVDISCARD_DEFAULT;
    S.AudioQ.Start();
    S.AudioStream = Index;
    try {
        S.AudioThread.Start([&S] { AudioThreadBody(S); });
    } catch (const std::system_error&) {
        SDL_CloseAudioDevice(device);
        S.AudioDevice = 0;
        S.AudioStream = -1;
        S.AudioCodec.reset();
        LogText(S, llError, "SDL_CreateThread() failed.");
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool OpenVideo(TPlaybackState& S, int Index, AVStream* Stream, TCodecContextPtr Codec) {
    S.VideoTimeBase = Stream->time_base;
    S.VideoRotation = StreamRotation(Stream);
    const AVRational rate = av_guess_frame_rate(S.Container, Stream, nullptr);
    S.VideoFrameDuration = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0.04;
    S.VideoCodec = std::move(Codec);
    Stream->discard = AVDISCARD_DEFAULT;
    S.VideoQ.Start();
    {
        std::lock_guard g(S.ClockLock);
        S.DisplayTimer = Now();
        S.PrevPictureTime = NAN;
        S.PrevPictureDelay = 0;
    }
    S.VideoStream = Index;
    try {
        S.VideoThread.Start([&S] { VideoThreadBody(S); });
    } catch (const std::system_error&) {
        S.VideoStream = -1;
        S.VideoCodec.reset();
        LogText(S, llError, "SDL_CreateThread() failed.");
        return false;
    }
    return true;
}

bool OpenSubtitle(TPlaybackState& S, int Index, AVStream* Stream, TCodecContextPtr Codec) {
    S.SubtitleTimeBase = Stream->time_base;
    S.SubtitleCodec = std::move(Codec);
    Stream->discard = AVDISCARD_DEFAULT;
    S.SubtitleQ.Start();
    {
        std::lock_guard g(S.SubLock);
        S.SubtitleStreamChanged = false;
    }
    S.SubtitleStream = Index;
    try {
        S.SubtitleThread.Start([&S] { SubtitleThreadBody(S); });
    } catch (const std::system_error&) {
        S.SubtitleStream = -1;
        S.SubtitleCodec.reset();
        LogText(S, llError, "SDL_CreateThread() failed.");
        return false;
    }
    return true;
}

bool OpenComponent(TPlaybackState& S, int Index) {
    AVFormatContext* ic = S.Container;
    if (Index < 0 || Index >= int(ic->nb_streams))
        return false;
    AVStream* st = ic->streams[Index];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    TCodecContextPtr ctx(codec != nullptr ? avcodec_alloc_context3(codec) : nullptr);
    if (!ctx || avcodec_parameters_to_context(ctx.get(), st->codecpar) < 0) {
        LogText(S, llError, "avcodec_open() failed.");
        return false;
    }
    const TPlayerOptions& o = S.Options;
    ctx->pkt_timebase = st->time_base;
    ctx->debug = o.Debug;
    ctx->workaround_bugs = o.WorkaroundBugs;
    ctx->lowres = std::min(o.LowResolution, int(codec->max_lowres));
    ctx->idct_algo = o.IDCTAlgorithm;
    if (o.FastDecoding)
        ctx->flags2 |= AV_CODEC_FLAG2_FAST;
    ctx->skip_frame = AVDiscard(o.SkipFrame);
    ctx->skip_idct = AVDiscard(o.SkipIDCT);
    ctx->skip_loop_filter = AVDiscard(o.SkipLoopFilter);
    ctx->err_recognition = o.ErrorRecognition;
    ctx->error_concealment = o.ErrorConcealment;
    ctx->thread_count = 0; // automatic
    int r;
    {
        std::lock_guard g(CodecLock());
        r = avcodec_open2(ctx.get(), codec, nullptr);
    }
    if (r < 0) {
        LogText(S, llError, "avcodec_open() failed.");
        return false;
    }
    switch (ctx->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        return OpenAudio(S, Index, st, std::move(ctx));
    case AVMEDIA_TYPE_VIDEO:
        return OpenVideo(S, Index, st, std::move(ctx));
    case AVMEDIA_TYPE_SUBTITLE:
        return OpenSubtitle(S, Index, st, std::move(ctx));
    default:
        return false;
    }
}

void DiscardStream(TPlaybackState& S, int Index, bool ContainerInUse) {
    if (!ContainerInUse && S.Container != nullptr && Index >= 0 && Index < int(S.Container->nb_streams))
        S.Container->streams[Index]->discard = AVDISCARD_ALL;
}

void CloseAudio(TPlaybackState& S, bool ContainerInUse) {
    const int index = S.AudioStream;
    if (index < 0 && !S.AudioCodec)
        return;
    S.AudioQ.Abort();
    {
        std::lock_guard g(S.FifoLock);
        S.FifoCond.notify_all();
    }
    if (S.AudioDevice != 0) {
        SDL_CloseAudioDevice(S.AudioDevice);
        S.AudioDevice = 0;
    }
    S.AudioThread.Join();
    S.AudioQ.Flush();
    DiscardStream(S, index, ContainerInUse);
    S.Resampler.reset();
    S.AudioCodec.reset();
    S.AudioStream = -1;
    S.AudioDuration = -1;
}

void CloseVideo(TPlaybackState& S, bool ContainerInUse) {
    const int index = S.VideoStream;
    if (index < 0 && !S.VideoCodec)
        return;
    S.VideoQ.Abort();
    {
        std::lock_guard g(S.PictLock);
        S.PictCond.notify_all();
    }
    WakeAll(S);
    S.VideoThread.Join();
    S.VideoQ.Flush();
    DiscardStream(S, index, ContainerInUse);
    S.VideoCodec.reset();
    S.VideoStream = -1;
}

void CloseSubtitle(TPlaybackState& S, bool ContainerInUse) {
    const int index = S.SubtitleStream;
    if (index < 0 && !S.SubtitleCodec)
        return;
    S.SubtitleQ.Abort();
    {
        std::lock_guard g(S.SubLock);
        S.SubtitleStreamChanged = true;
        S.SubCond.notify_all();
    }
    WakeAll(S);
    S.SubtitleThread.Join();
    S.SubtitleQ.Flush();
    DiscardStream(S, index, ContainerInUse);
    S.SubtitleCodec.reset();
    S.SubtitleStream = -1;
}

void CloseComponents(TPlaybackState& S, bool ContainerInUse) {
    {
        std::lock_guard g(S.HostLock);
        if (S.ComponentsClosed)
            return;
        S.ComponentsClosed = true;
    }
    CloseAudio(S, ContainerInUse);
    CloseVideo(S, ContainerInUse);
    CloseSubtitle(S, ContainerInUse);
}

// --- read thread ---

bool QueuesFull(const TPlaybackState& S) {
    const int64_t a = S.AudioQ.Size(), v = S.VideoQ.Size(), t = S.SubtitleQ.Size();
    if (a + v + t > MaxQueueBytes)
        return true;
    return (a > MinAudioQueueBytes || S.AudioStream < 0) &&
           (S.VideoQ.Count() > MinQueuedPackets || S.VideoStream < 0 || S.VideoFailed) &&
           (S.SubtitleQ.Count() > MinQueuedPackets || S.SubtitleStream < 0);
}

bool AllQueuesEmpty(TPlaybackState& S) {
    if (S.AudioQ.Size() != 0 || S.VideoQ.Size() != 0 || S.SubtitleQ.Size() != 0)
        return false;
    if (S.AudioStream < 0)
        return true;
    std::lock_guard g(S.FifoLock);
    return S.FifoFill == 0;
}

void DoSeek(TPlaybackState& S) {
    AVFormatContext* ic = S.Container;
    int64_t target, step;
    int mode;
    {
        std::lock_guard g(S.SeekLock);
        target = S.SeekTarget;
        step = S.SeekStep;
        mode = S.SeekMode;
    }
    const int64_t lowest = step > 0 ? target - step + 2 : INT64_MIN;
    const int64_t highest = step < 0 ? target - step - 2 : INT64_MAX;
    // Pictures still queued from before the seek go unseen until the decoder has flushed. The
    // flushed mark is cleared first: the video thread ends the dropping once it sees both set,
    // and the mark left over from the previous flush would end it at once.
    const bool pictures = S.VideoStream >= 0 && !S.VideoFailed;
    if (pictures) {
        S.DecoderFlushed = false;
        S.DropUntilFlushed = true;
    }
    int r = avformat_seek_file(ic, -1, lowest, target, highest, mode);
    if (r < 0)
        r = av_seek_frame(ic, -1, target, mode);
    if (r < 0)
        r = av_seek_frame(ic, -1, target, mode ^ AVSEEK_FLAG_BACKWARD);
    if (r < 0) {
        LogText(S, llError, FormatText("%s: error while seeking", S.FileName.c_str()));
        S.DecoderFlushed = true; // no flush comes: the next picture ends the dropping
        S.Signals->FrameReady.Set();
    } else {
        // The end flag belongs to the old read position; left set, the next loop would take the
        // freshly seeked input for ended before reading from it.
        if (ic->pb != nullptr) {
            ic->pb->eof_reached = 0;
            ic->pb->error = 0; // a read error before the seek is retried from the new position
        }
        if (S.AudioStream >= 0) {
            DiscardQueuedAudio(S);
            S.AudioQ.Flush();
            S.AudioQ.PutFlush();
        }
        if (S.SubtitleStream >= 0) {
            S.SubtitleQ.Flush();
            S.SubtitleQ.PutFlush();
            // Shown and queued subpictures belong to the old position: after a backward seek
            // they would stay up (and hold the queue) until playback got back to their times.
            FlushSubpictures(S);
        }
        if (S.VideoStream >= 0 && S.VideoFailed) {
            S.VideoQ.Flush(); // no picture is coming: nothing to wait for
        } else if (S.VideoStream >= 0) {
            S.Signals->FrameReady.Reset();
            S.VideoQ.Flush();
            S.VideoQ.PutFlush();
        }
    }
    S.InputEnded = false;
    S.PlaybackEnded = false;
    S.ReadErrorReported = false;
    S.SeekPending = false;
    S.Signals->SeekDone.Set();
    if (S.VideoStream < 0 || S.VideoFailed)
        S.Signals->SeekPendingMark = false;
}

// Opens the file and its streams. False (the reason given to the host) when nothing can play.
bool OpenInput(TPlaybackState& S, AVFormatContext*& Context) {
    AVDictionary* rawOptions = nullptr;
    std::unique_ptr<AVDictionary*, TDictionaryDeleter> options(&rawOptions);
    Context = avformat_alloc_context();
    if (Context == nullptr) {
        OpenError(S, ErrorText(S.FileName, AVERROR(ENOMEM)));
        return false;
    }
    Context->interrupt_callback.callback = InterruptCheck;
    Context->interrupt_callback.opaque = &S;
    if (S.Options.FrameWidth > 0 && S.Options.FrameHeight > 0) {
        const std::string size =
            std::to_string(S.Options.FrameWidth) + "x" + std::to_string(S.Options.FrameHeight);
        av_dict_set(&rawOptions, "video_size", size.c_str(), 0);
    }
    const AVInputFormat* forced =
        S.ForcedFormat.empty() ? nullptr : av_find_input_format(S.ForcedFormat.c_str());
    int err = UnicodeOpenInput(&Context, FileNameToURL(S.FileName), forced, &rawOptions);
    if (err < 0) {
        OpenError(S, ErrorText(S.FileName, err));
        return false;
    }
    AVFormatContext* ic = Context;
    S.Container = ic;
    if (S.Options.GeneratePTS)
        ic->flags |= AVFMT_FLAG_GENPTS;
    {
        std::lock_guard g(CodecLock());
        err = avformat_find_stream_info(ic, nullptr);
    }
    if (err < 0) {
        OpenError(S, FormatText("%s: could not find codec parameters", S.FileName.c_str()));
        return false;
    }
    if (ic->pb != nullptr)
        ic->pb->eof_reached = 0;
    S.SeekByBytes = S.Options.SeekByBytes < 0 ? (ic->iformat->flags & AVFMT_TS_DISCONT) != 0
                                              : S.Options.SeekByBytes != 0;
    const std::string format = ic->iformat->name != nullptr ? ic->iformat->name : "";
    S.StillImages = format == "image2";
    S.LiveSource = format == "vfwcap" || format == "vfwcapture";
    S.HasStartTime = ic->start_time != AV_NOPTS_VALUE;
    S.StartTime = S.HasStartTime ? ic->start_time : 0;
    S.Duration = ic->duration != AV_NOPTS_VALUE ? ic->duration : -1;

    if (S.Options.StartTime != NoMediaTime) {
        const int64_t ts = S.Options.StartTime + S.StartTime;
        if (avformat_seek_file(ic, -1, INT64_MIN, ts, INT64_MAX, 0) < 0)
            LogText(S, llError, FormatText("%s: could not seek to position %0.3f", S.FileName.c_str(),
                                           double(ts) / AV_TIME_BASE));
    }

    for (unsigned i = 0; i < ic->nb_streams; ++i)
        ic->streams[i]->discard = AVDISCARD_ALL;
    auto best = [&](AVMediaType Type, int Wanted, bool Allowed) {
        if (!Allowed)
            return -1;
        const int r = av_find_best_stream(ic, Type, Wanted, -1, nullptr, 0);
        return r < 0 ? -1 : r;
    };
    const int audio = best(AVMEDIA_TYPE_AUDIO, S.Options.WantedAudioStream, !S.Options.DisableAudio);
    const int video = best(AVMEDIA_TYPE_VIDEO, S.Options.WantedVideoStream, !S.Options.DisableVideo);
    const int subtitle =
        best(AVMEDIA_TYPE_SUBTITLE, S.Options.WantedSubtitleStream, !S.Options.DisableVideo);
    S.VideoCandidate = video;
    if (video >= 0) {
        // Pictures are shown turned upright, so their frame size is the upright one.
        const AVCodecParameters* par = ic->streams[video]->codecpar;
        const bool sideways = RotationSwapsSides(StreamRotation(ic->streams[video]));
        S.CodedWidth = sideways ? par->height : par->width;
        S.CodedHeight = sideways ? par->width : par->height;
    }

    if (audio >= 0)
        OpenComponent(S, audio);
    const bool videoOpen = video >= 0 && OpenComponent(S, video);
    if (!videoOpen && !S.Options.DisableDisplay)
        S.ShowMode = 2;
    if (subtitle >= 0)
        OpenComponent(S, subtitle);

    if (S.VideoStream < 0 && S.AudioStream < 0) {
        OpenError(S, FormatText("%s: could not open codecs, no stream to play.", S.FileName.c_str()));
        return false;
    }
    SetOpenStatus(S, 0, 1);
    return true;
}

void ReadLoop(TPlaybackState& S) {
    AVFormatContext* ic = S.Container;
    auto demuxPauseChanged = [&] { return S.Paused.load() != S.DemuxPaused; };
    for (;;) {
        if (S.Stopping)
            break;
        if (S.Paused != S.DemuxPaused) {
            S.DemuxPaused = S.Paused;
            if (S.DemuxPaused)
                S.DemuxPauseResult = av_read_pause(ic);
            else
                av_read_play(ic);
        }
        if (S.SeekPending)
            DoSeek(S);

        if (QueuesFull(S)) {
            WaitWake(S, 10, [&] { return !QueuesFull(S) || S.SeekPending || demuxPauseChanged(); });
            continue;
        }

        if ((ic->pb != nullptr && avio_feof(ic->pb)) || S.InputEnded) {
            if (S.VideoStream >= 0) {
                // The empty packet makes the decoder give out its delayed pictures; one that
                // decodes nothing lets the component notice the end.
                if (S.VideoQ.Count() == 0)
                    S.VideoQ.PutEnd();
                S.Signals->FrameReady.Set();
            }
            WaitWake(S, 10, [&] { return S.SeekPending || demuxPauseChanged(); });
            if (!S.SeekPending && AllQueuesEmpty(S))
                S.PlaybackEnded = true;
            continue;
        }

        TPacketPtr packet(av_packet_alloc());
        if (!packet) {
            WaitWake(S, 100);
            continue;
        }
        S.Reading = true;
        const int r = av_read_frame(ic, packet.get());
        S.Reading = false;
        if (r < 0) {
            if (r == AVERROR_EXIT)
                break;
            if (r == AVERROR(EAGAIN)) {
                WaitWake(S, 10, [&] { return S.SeekPending.load(); });
                continue;
            }
            if (S.VideoStream >= 0)
                S.Signals->FrameReady.Set();
            if (!S.StillImages && !S.ReadErrorReported) {
                S.ReadErrorReported = true;
                if (r == AVERROR_EOF)
                    LogText(S, llInfo, FormatText("reach end of file: %s", S.FileName.c_str()));
                else
                    LogText(S, llError,
                            FormatText("error #%d while reading file: %s", r, S.FileName.c_str()));
            }
            // A failed input reads as ended: what was queued still plays out to the end, and
            // seeks are still carried out (and answered) until playback stops.
            if (r == AVERROR_EOF || (ic->pb != nullptr && ic->pb->error != 0))
                S.InputEnded = true;
            WaitWake(S, 100, [&] { return S.SeekPending.load(); });
            continue;
        }
        const int index = packet->stream_index;
        if (index == S.AudioStream)
            S.AudioQ.Put(std::move(packet));
        else if (index == S.VideoStream)
            S.VideoQ.Put(std::move(packet));
        else if (index == S.SubtitleStream)
            S.SubtitleQ.Put(std::move(packet));
    }
    while (!S.Stopping)
        WaitWake(S, 100);
}

void ReadThreadBody(const std::shared_ptr<TPlaybackState>& Keep) {
    TPlaybackState& S = *Keep;
    AVFormatContext* ic = nullptr;
    const bool opened = OpenInput(S, ic);
    if (opened)
        ReadLoop(S);
    bool openFailed;
    {
        std::lock_guard g(S.OpenLock);
        openFailed = S.OpenStatus == 0;
        if (openFailed) {
            S.OpenStatus = -1;
            S.OpenCond.notify_all();
        }
    }
    if (ic != nullptr)
        ic->interrupt_callback = AVIOInterruptCB{nullptr, nullptr};
    if (AcquireHost(S)) {
        CloseComponents(S, false);
        S.Host->DetachProbe(S);
        ReleaseHost(S);
    }
    S.Container = nullptr;
    if (ic != nullptr)
        UnicodeCloseInput(&ic);
    if (openFailed)
        PostEvent(S, evQuitRequest);
    SetOpenStatus(S, -1, -2);
    std::lock_guard g(S.HostLock);
    S.ReadDone = true;
    S.HostCond.notify_all();
}

} // namespace

// --- shared helpers ---

void TCodecContextDeleter::operator()(AVCodecContext* c) const {
    std::lock_guard g(CodecLock());
    avcodec_free_context(&c);
}

double Now() { return double(av_gettime_relative()) / 1000000.0; }

TPlaybackState::~TPlaybackState() {
    for (TSubpicture& sp : Subpictures)
        avsubtitle_free(&sp.Sub);
    sws_freeContext(DisplayScaler);
    av_channel_layout_uninit(&ResamplerLayout);
}

void WakeAll(TPlaybackState& S) {
    {
        std::lock_guard g(S.WakeLock);
        S.WakeCond.notify_all();
    }
    {
        std::lock_guard g(S.PictLock);
        S.PictCond.notify_all();
    }
    {
        std::lock_guard g(S.SubLock);
        S.SubCond.notify_all();
    }
    {
        std::lock_guard g(S.FifoLock);
        S.FifoCond.notify_all();
    }
}

void WaitWake(TPlaybackState& S, int Ms, const std::function<bool()>& Extra) {
    std::unique_lock l(S.WakeLock);
    S.WakeCond.wait_for(l, TMilliseconds(Ms), [&] { return S.Stopping || (Extra && Extra()); });
}

void PostEvent(TPlaybackState& S, int Event) {
    std::lock_guard g(S.EventLock);
    S.Events.push_back(Event);
    S.EventCond.notify_one();
}

bool AcquireHost(TPlaybackState& S) {
    std::lock_guard g(S.HostLock);
    if (S.Abandoned)
        return false;
    ++S.HostUsers;
    return true;
}

void ReleaseHost(TPlaybackState& S) {
    std::lock_guard g(S.HostLock);
    --S.HostUsers;
    S.HostCond.notify_all();
}

void LogText(const TPlaybackState& S, TLogLevel Level, const std::string& Text) {
    GetLogger().LogMessage(S.LogSender, Level, Text);
}

std::string FormatText(const char* Format, ...) {
    char buffer[2048];
    va_list args;
    va_start(args, Format);
    std::vsnprintf(buffer, sizeof buffer, Format, args);
    va_end(args);
    return buffer;
}

// --- interface ---

std::shared_ptr<TPlaybackState> OpenPlayback(
    TPlaybackHost& Host, const std::string& FileName, const std::string& ForcedFormat,
    bool PauseOnOpen, const TPlayerOptions& Options, std::shared_ptr<TLiveSettings> Live,
    std::shared_ptr<TPlayerSignals> Signals, TPictureSink* Sink, const void* LogSender,
    const std::function<void(const std::shared_ptr<TPlaybackState>&)>& Created) {
    std::shared_ptr<TPlaybackState> s;
    try {
        s = std::make_shared<TPlaybackState>();
    } catch (const std::bad_alloc&) {
        Host.SetOpenError("av_mallocz() failed.");
        return nullptr;
    }
    TPlaybackState& S = *s;
    S.Host = &Host;
    S.FileName = FileName;
    S.ForcedFormat = ForcedFormat;
    S.Options = Options;
    S.Live = std::move(Live);
    S.Signals = std::move(Signals);
    S.Sink = Sink;
    S.LogSender = LogSender;
    S.SyncType = Options.SyncType;
    S.ExternalClockTime = Now();
    if (PauseOnOpen) {
        S.Paused = true;
        S.OpenPauseCountdown = 1;
    }
    // A decoder taking a packet makes room: the read thread may be waiting for that.
    for (TPacketQueue* q : {&S.AudioQ, &S.VideoQ, &S.SubtitleQ})
        q->SetOnTaken([&S] {
            std::lock_guard g(S.WakeLock);
            S.WakeCond.notify_all();
        });
    try {
        S.ReadThread.Start([s] { ReadThreadBody(s); });
    } catch (const std::system_error&) {
        Host.SetOpenError("SDL_CreateThread() failed.");
        return nullptr;
    }
    if (Created)
        Created(s);
    auto status = [&] {
        std::lock_guard g(S.OpenLock);
        return S.OpenStatus;
    };
    while (!WaitPumping(S.OpenLock, S.OpenCond, [&] { return S.OpenStatus != 0; }, TMilliseconds(100))) {
    }
    if (status() == 1 && S.Stopping) {
        // Cancelled while the wait pumped, after the file had opened: nothing starts playing.
        WakeAll(S);
        S.ReadThread.Join();
        FreePictures(S);
        Host.SetOpenError(FormatText("%s: opening was cancelled", S.FileName.c_str()));
        return nullptr;
    }
    if (status() == 1) {
        if (S.VideoCandidate < 0 && !Options.DisableDisplay)
            S.ShowMode = 1;
        try {
            S.RefreshThread.Start([&S] { RefreshThreadBody(S); });
        } catch (const std::system_error&) {
            S.Stopping = true;
            WakeAll(S);
            S.ReadThread.Join();
            FreePictures(S);
            Host.SetOpenError("SDL_CreateThread() failed.");
            return nullptr;
        }
        return s;
    }
    S.ReadThread.Join();
    return nullptr;
}

void RunEventLoop(const std::shared_ptr<TPlaybackState>& State) {
    TPlaybackState& S = *State;
    TPlaybackHost* host = S.Host;
    {
        std::lock_guard g(S.WakeLock);
        S.LoopRunning = true;
        S.WakeCond.notify_all();
    }
    for (;;) {
        int event;
        {
            std::unique_lock l(S.EventLock);
            S.EventCond.wait(l, [&] { return !S.Events.empty(); });
            event = S.Events.front();
            S.Events.pop_front();
        }
        std::unique_lock lock(host->PlayerLock());
        {
            std::lock_guard g(S.HostLock);
            if (S.Abandoned || S.Closed)
                return;
        }
        switch (event) {
        case evQuit:
        case evQuitRequest:
            lock.unlock();
            ClosePlayback(State);
            return;
        case evResized:
        case evExposed:
            Redisplay(S, false);
            break;
        case evRefresh:
            RefreshPicture(S);
            S.RefreshQueued = false;
            break;
        case evReopen:
            Redisplay(S, true);
            break;
        default:
            break;
        }
    }
}

void ClosePlayback(const std::shared_ptr<TPlaybackState>& State) {
    TPlaybackState& S = *State;
    TPlaybackHost* host = S.Host;
    S.Stopping = true;
    WakeAll(S);
    while (!WaitPumping(S.HostLock, S.HostCond, [&] { return S.ReadDone || S.Abandoned; },
                        TMilliseconds(100))) {
    }
    std::unique_lock lock(host->PlayerLock());
    {
        std::lock_guard g(S.HostLock);
        if (S.Abandoned || S.Closed)
            return;
        S.Closed = true;
    }
    S.ReadThread.Join();
    S.RefreshThread.Join();
    FreePictures(S);
    host->PlaybackClosed(S);
}

void ForceClosePlayback(const std::shared_ptr<TPlaybackState>& State) {
    TPlaybackState& S = *State;
    S.Stopping = true;
    WakeAll(S);
    {
        std::lock_guard g(S.HostLock);
        if (S.Closed)
            return;
        S.Abandoned = true;
        S.Closed = true;
    }
    while (!WaitPumping(S.HostLock, S.HostCond, [&] { return S.HostUsers == 0; }, TMilliseconds(100))) {
    }
    CloseComponents(S, true);
    S.Host->DetachProbe(S);
    bool readDone;
    {
        std::lock_guard g(S.HostLock);
        readDone = S.ReadDone;
    }
    if (readDone)
        S.ReadThread.Join();
    else
        S.ReadThread.Detach();
    S.RefreshThread.Join();
    FreePictures(S);
    S.Host->PlaybackClosed(S);
    {
        std::lock_guard g(S.HostLock);
        S.HostCond.notify_all();
    }
    PostEvent(S, evQuit);
}

void FlipPause(TPlaybackState& S) {
    S.Signals->SeekDone.Wait(TMilliseconds(250));
    S.Signals->SeekDone.Set();
    if (S.Paused) {
        {
            std::lock_guard g(S.ClockLock);
            const double now = Now();
            S.DisplayTimer += now + S.ShownPictureDrift - S.ShownPictureTime;
            if (S.DemuxPauseResult != AVERROR(ENOSYS))
                S.ShownPictureTime = S.ShownPictureDrift + now;
            S.ShownPictureDrift = S.ShownPictureTime - now;
        }
        S.Paused = false;
    } else {
        if (S.VideoStream >= 0) {
            S.Signals->FrameReady.Wait(TMilliseconds(250));
            S.Signals->FrameReady.Set();
            // A seek whose first picture is still to come (a slow machine, a large picture)
            // shows that picture though the pause comes first, as a seek while paused does;
            // otherwise the panel keeps the picture from before the seek.
            if (S.SeekPending || S.DropUntilFlushed)
                S.SeekedWhilePaused = true;
        }
        S.Paused = true;
    }
    WakeAll(S);
}

void RequestSeek(TPlaybackState& S, int Flags, bool Wait, int64_t Rel, int64_t Position) {
    if (S.SeekPending)
        return;
    S.Signals->SeekPendingMark = true;
    S.SeekedWhilePaused = S.Paused.load();
    {
        std::lock_guard g(S.SeekLock);
        S.SeekTarget = Position;
        S.SeekStep = Rel;
        S.SeekMode = Flags;
    }
    S.Signals->SeekDone.Reset();
    S.SeekPending = true;
    WakeAll(S);
    if (!Wait)
        return;
    while (!S.Stopping && !S.Signals->SeekDone.Wait(TMilliseconds(100))) {
    }
    if (S.VideoStream >= 0)
        while (!S.Stopping && !S.VideoFailed && !S.Signals->FrameReady.Wait(TMilliseconds(100))) {
        }
}

void RequestQuit(TPlaybackState& S) { PostEvent(S, evQuitRequest); }

void CancelOpen(TPlaybackState& S) {
    S.Stopping = true;
    WakeAll(S);
}

void RequestReopen(TPlaybackState& S) { PostEvent(S, evReopen); }

double VideoPositionLocked(const TPlaybackState& S) {
    if (S.Paused)
        return S.ShownPictureTime;
    if (!S.PictureShown)
        return double(S.StartTime) / AV_TIME_BASE;
    return Now() + S.ShownPictureDrift;
}

double VideoPosition(const TPlaybackState& S) {
    std::lock_guard g(S.ClockLock);
    return VideoPositionLocked(S);
}

namespace {
double ExternalPositionLocked(const TPlaybackState& S) {
    return S.ExternalClock + (Now() - S.ExternalClockTime);
}
} // namespace

double ExternalPosition(const TPlaybackState& S) {
    std::lock_guard g(S.ClockLock);
    return ExternalPositionLocked(S);
}

double MasterPositionLocked(const TPlaybackState& S) {
    switch (S.SyncType) {
    case stVideoMaster:
        return S.VideoStream >= 0 ? VideoPositionLocked(S) : AudioPosition(S);
    case stExternalClock:
        return ExternalPositionLocked(S);
    case stAudioMaster:
    default:
        return S.AudioStream >= 0 ? AudioPosition(S) : VideoPositionLocked(S);
    }
}

double MasterPosition(const TPlaybackState& S) {
    std::lock_guard g(S.ClockLock);
    return MasterPositionLocked(S);
}

} // namespace player
