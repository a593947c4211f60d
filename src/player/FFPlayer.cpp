#include "player/FFPlayer.h"

#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "player/FFPlayState.h"

#include <SDL2/SDL.h>

#include <cinttypes>
#include <cmath>
#include <cstring>
#include <system_error>

extern "C" {
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

using namespace player;

// --- TCustomPlayer ---

std::string TCustomPlayer::About() const {
    std::lock_guard g(HandlerLock_);
    return About_;
}

void TCustomPlayer::SetAbout(const std::string& Value) {
    std::lock_guard g(HandlerLock_);
    About_ = Value;
}

void TCustomPlayer::SetOnFileOpen(TFileOpenEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnFileOpen_ = std::move(Handler);
}

void TCustomPlayer::SetOnHook(THookEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnHook_ = std::move(Handler);
}

void TCustomPlayer::SetOnPosition(TPositionEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnPosition_ = std::move(Handler);
}

void TCustomPlayer::SetOnState(TPlayStateEvent Handler) {
    std::lock_guard g(HandlerLock_);
    OnState_ = std::move(Handler);
}

// --- TFFPlayer ---

TFFPlayer::TFFPlayer() = default;

TFFPlayer::~TFFPlayer() {
    SetOnPosition({});
    SetOnState({});
    SetOnHook({});
    Stop(true);
    for (auto& t : RetiredThreads_)
        if (!t->IsCurrent())
            t->Join();
}

bool TFFPlayer::LoadLibraries(const std::string& Folder) {
    FFLoader().SetLibraryPath(Folder);
    if (!FFLoader().LoadLibs(PlayerLibraries)) {
        SetError(FFLoader().LastError());
        return false;
    }
    return true;
}

bool TFFPlayer::LibrariesLoaded() const { return FFLoader().LibsLoaded(PlayerLibraries); }

std::string TFFPlayer::LastError() const {
    std::lock_guard g(ErrorLock_);
    return LastError_;
}

std::string TFFPlayer::FileName() const { return FileName_; }

void TFFPlayer::SetError(const std::string& Text) {
    std::lock_guard g(ErrorLock_);
    LastError_ = Text;
}

std::shared_ptr<TPlaybackState> TFFPlayer::Playback() const {
    std::lock_guard g(StateLock_);
    return Playback_;
}

bool TFFPlayer::StartSDL() {
    if (SDLStarted_)
        return true;
    // Every TAudioDriver value leaves the back end to SDL on this platform.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        return false;
    SDLStarted_ = true;
    return true;
}

void TFFPlayer::StopSDL() {
    if (!SDLStarted_)
        return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDLStarted_ = false;
}

bool TFFPlayer::Open(const std::string& FileName, TPictureSink* Screen, bool PauseOnOpen) {
    if (!LibrariesLoaded()) {
        SetError("libav or libsdl not loaded.");
        GetLogger().LogMessage(this, llError, "libav or libsdl not loaded.");
        return false;
    }
    Stop(true);
    const uint64_t serial = ++OpenSerial_;

    if (!StartSDL()) {
        char text[512];
        std::snprintf(text, sizeof text, "Could not initialize SDL with ScreenHandle(%" PRIuPTR "): %s",
                      reinterpret_cast<uintptr_t>(Screen), SDL_GetError());
        SetError(text);
        return false;
    }
    av_log(nullptr, AV_LOG_DEBUG, "using audio driver: %s\n", SDL_GetCurrentAudioDriver());

    if (DisableDisplay_)
        DisableVideo_ = true;
    TPlayerOptions options;
    options.FrameWidth = FrameWidth_;
    options.FrameHeight = FrameHeight_;
    options.DisableAudio = DisableAudio_;
    options.DisableVideo = DisableVideo_;
    options.DisableDisplay = DisableDisplay_;

    Position_ = -1;
    {
        std::lock_guard g(ReportLock_);
        LastReported_ = NoMediaTime;
    }
    Signals_->SeekDone.Set();
    Signals_->FrameReady.Set();
    Signals_->SeekPendingMark = false;
    // The ring keeps what the previous file still has to deliver (its psStop, when this Open
    // runs inside one of its handlers); the generation tells the two files apart.

    std::shared_ptr<TPlaybackState> created;
    std::shared_ptr<TPlaybackState> s = OpenPlayback(
        *this, FileName, "", PauseOnOpen, options, Live_, Signals_, Screen,
        static_cast<const TFFBaseComponent*>(this), [&](const std::shared_ptr<TPlaybackState>& P) {
            std::lock_guard g(StateLock_);
            created = P;
            Opening_ = P;
        });
    {
        std::lock_guard g(StateLock_);
        if (Opening_ == created)
            Opening_.reset();
    }
    if (serial != OpenSerial_) {
        // A call handled while this open waited opened another file, and its Stop cancelled
        // this open: the other file plays on.
        if (s) {
            CancelOpen(*s);
            std::lock_guard lock(PlayerLock_);
            ForceClosePlayback(s);
        }
        if (LastError().empty())
            SetError(FileName + ": opening was cancelled");
        return false;
    }
    if (!s) {
        StopSDL();
        return false;
    }
    FileName_ = FileName;
    Screen_ = Screen;
    Probe_.Attach(s->Container);
    ProbeOwner_ = s.get();
    {
        std::lock_guard g(StateLock_);
        Playback_ = s;
    }

    RunInMainThread([&] {
        {
            std::lock_guard g(FrameLock_);
            ResetConverter(FrameConverter_);
        }
        {
            std::lock_guard g(HookLock_);
            ResetConverter(HookConverter_);
        }
        TFileOpenEvent handler;
        {
            std::lock_guard g(HandlerLock_);
            handler = OnFileOpen_;
        }
        if (handler) {
            const int64_t duration = s->StillImages ? 0 : s->Duration;
            const bool video = s->VideoStream >= 0 && s->CodedWidth > 0;
            int w = Live_->ScreenWidth, h = Live_->ScreenHeight;
            handler(this, duration, video ? s->CodedWidth : -1, video ? s->CodedHeight : -1, w, h);
            Live_->ScreenWidth = w;
            Live_->ScreenHeight = h;
        }
    });
    if (Screen != nullptr && (Live_->ScreenWidth == 0 || Live_->ScreenHeight == 0)) {
        int w = 0, h = 0;
        Screen->ClientSize(w, h);
        Live_->ScreenWidth = w;
        Live_->ScreenHeight = h;
    }

    const int generation = ++EventGeneration_;
    try {
        EventThread_ = std::make_shared<TWorkerThread>();
        EventThread_->Start([this, generation] { EventThreadBody(generation); });
        PlayThreadEnded_.Reset();
        PlayThread_ = std::make_shared<TWorkerThread>();
        PlayThread_->Start([this, s] { PlayThreadBody(s); });
    } catch (const std::system_error&) {
        PlayThreadEnded_.Set();
        SetError("SDL_CreateThread() failed.");
        {
            std::lock_guard lock(PlayerLock_);
            ForceClosePlayback(s);
        }
        Ring_.Post(TPlayerEvent{ekQuit, psStop, 0, generation});
        JoinThreads(serial);
        StopSDL();
        return false;
    }
    return true;
}

void TFFPlayer::PlayThreadBody(const std::shared_ptr<TPlaybackState>& State) {
    SetState(psPlay);
    try {
        RunEventLoop(State);
    } catch (const std::exception& e) {
        GetLogger().LogMessage(this, llFatal, std::string("PlayThread Exception: ") + e.what());
        ClosePlayback(State);
    }
    SetState(psStop);
    PlayThreadEnded_.Set();
}

void TFFPlayer::SetState(TPlayState S) {
    State_ = S;
    bool handled;
    {
        std::lock_guard g(HandlerLock_);
        handled = bool(OnState_);
    }
    const int generation = EventGeneration_;
    if (handled)
        Ring_.Post(TPlayerEvent{ekState, S, 0, generation});
    else if (S == psStop)
        Ring_.Post(TPlayerEvent{ekQuit, S, 0, generation});
}

void TFFPlayer::Deliver(const std::function<void()>& Call) {
    try {
        if (TriggerInMain_) {
            RunInMainThread([&] {
                // Marks the main thread as inside a handler for a Stop or Open made from it.
                struct TMark {
                    std::atomic<bool>& Flag;
                    explicit TMark(std::atomic<bool>& F) : Flag(F) { Flag = true; }
                    ~TMark() { Flag = false; }
                } mark(InDelivery_);
                Call();
            });
        } else {
            Call();
        }
    } catch (const std::exception& e) {
        GetLogger().LogMessage(this, llError, e.what());
    }
}

void TFFPlayer::EventThreadBody(int Generation) {
    for (;;) {
        // An Open made from inside a handler started a newer event thread; leave the ring to it.
        if (EventGeneration_ != Generation)
            return;
        TPlayerEvent e;
        if (!Ring_.Take(e)) {
            Ring_.Available().Wait(TMilliseconds(1000));
            continue;
        }
        // Left by the previous file (an Open made inside one of its handlers): its state
        // changes are still delivered, its positions are stale, and its end is not ours.
        const bool earlier = e.Generation != Generation;
        switch (e.Kind) {
        case ekPosition:
            if (earlier)
                break;
            Position_ = e.Position;
            Deliver([&] {
                TPositionEvent h;
                {
                    std::lock_guard g(HandlerLock_);
                    h = OnPosition_;
                }
                if (h)
                    h(this, e.Position);
            });
            break;
        case ekState:
            Deliver([&] {
                TPlayStateEvent h;
                {
                    std::lock_guard g(HandlerLock_);
                    h = OnState_;
                }
                if (h)
                    h(this, e.State);
            });
            if (e.State == psStop && !earlier)
                return;
            break;
        case ekQuit:
            if (!earlier)
                return;
            break;
        default:
            break;
        }
    }
}

void TFFPlayer::JoinThreads(uint64_t Serial) {
    // Held here, as a call handled while a join pumps may replace the members.
    const std::shared_ptr<TWorkerThread> play = PlayThread_;
    const std::shared_ptr<TWorkerThread> events = EventThread_;
    if (play && !play->IsCurrent())
        play->Join();
    if (Serial != OpenSerial_)
        return;
    if (events) {
        // From inside one of its deliveries the event thread waits for us (or is us): it ends
        // after the handler returns and is joined later.
        if (events->IsCurrent() || (InDelivery_ && IsMainThread())) {
            RetiredThreads_.push_back(events);
            if (EventThread_ == events)
                EventThread_.reset();
        } else {
            events->Join();
        }
    }
    if (Serial != OpenSerial_)
        return;
    if (!InDelivery_) {
        // Taken out first: a join pumps, and a call handled meanwhile may retire more.
        std::vector<std::shared_ptr<TWorkerThread>> retired;
        retired.swap(RetiredThreads_);
        for (auto& t : retired)
            if (!t->IsCurrent())
                t->Join();
    }
}

void TFFPlayer::Pause() {
    std::shared_ptr<TPlaybackState> s = Playback();
    if (!s || s->Paused)
        return;
    FlipPause(*s);
    SetState(psPause);
}

void TFFPlayer::Resume() {
    std::shared_ptr<TPlaybackState> s = Playback();
    if (!s || !s->Paused)
        return;
    FlipPause(*s);
    SetState(psResume);
}

bool TFFPlayer::Paused() const {
    std::shared_ptr<TPlaybackState> s = Playback();
    return !s || s->Paused;
}

void TFFPlayer::Seek(uint8_t Flags, bool Wait, int64_t Position) {
    std::shared_ptr<TPlaybackState> s = Playback();
    if (!s)
        return;
    int64_t target = Position;
    if ((Flags & sfByte) == 0) {
        if (s->Duration > 0)
            target = std::min(target, s->Duration);
        if (s->HasStartTime)
            target += s->StartTime;
    }
    const int64_t rel = Position <= 0 ? 1 : 0;
    RequestSeek(*s, Flags & 0x0F, Wait, rel, target);
}

void TFFPlayer::Stop(bool Wait) {
    const uint64_t serial = OpenSerial_;
    {
        // An Open still waiting for its file (this Stop was handled while it pumped) gives up.
        std::lock_guard g(StateLock_);
        if (Opening_)
            CancelOpen(*Opening_);
    }
    std::shared_ptr<TPlaybackState> s = Playback();
    if (s) {
        if (s->Paused)
            FlipPause(*s);
        RequestQuit(*s);
    }
    if (!Wait)
        return;
    if (s) {
        int attempts = 0;
        for (;;) {
            if (PlayThreadEnded_.Wait(TMilliseconds(100)))
                break;
            if (Playback() != s || serial != OpenSerial_)
                break;
            std::unique_lock lock(PlayerLock_, std::defer_lock);
            if (!lock.try_lock_for(TMilliseconds(100)))
                continue;
            if (Playback() != s)
                break;
            ++attempts;
            if ((attempts >= 2 && attempts <= 10) || (attempts > 10 && attempts <= 20 && !s->Reading)) {
                RequestQuit(*s);
            } else if (attempts > 10) {
                // The read thread is stuck inside a read (or the play thread never got to the
                // quit): close from here and let the read thread end on its own.
                ForceClosePlayback(s);
                break;
            }
        }
    }
    // A call handled while this waited may have opened another file: it stopped this one
    // itself, and its threads and SDL are not ours to end.
    if (serial != OpenSerial_)
        return;
    JoinThreads(serial);
    if (serial != OpenSerial_)
        return;
    StopSDL();
}

TBitmap24& TFFPlayer::CurrentFrame(int64_t* PTS) {
    std::lock_guard g(FrameLock_);
    if (!FrameConverter_.Bitmap)
        FrameConverter_.Bitmap = std::make_unique<TBitmap24>();
    TBitmap24& bitmap = *FrameConverter_.Bitmap;
    std::shared_ptr<TPlaybackState> s = Playback();
    const bool video = s && s->VideoStream >= 0;
    {
        std::lock_guard canvas(bitmap.Canvas());
        bitmap.SetSize(video ? s->CodedWidth : 0, video ? s->CodedHeight : 0);
    }
    int64_t pts = -1;
    if (video) {
        TFramePtr picture(av_frame_alloc());
        double seconds = 0;
        bool have = false;
        {
            std::lock_guard shown(s->ShownLock);
            have = picture && s->HasShownFrame && av_frame_ref(picture.get(), s->ShownFrame.get()) >= 0;
            seconds = s->ShownFramePTS;
        }
        if (have) {
            if (FrameToBitmap(FrameConverter_, picture.get())) {
                pts = std::llround(seconds * 1000000.0) - s->StartTime;
            } else {
                std::lock_guard canvas(bitmap.Canvas());
                bitmap.SetSize(0, 0);
            }
        }
    }
    if (PTS != nullptr)
        *PTS = pts;
    return bitmap;
}

void TFFPlayer::SetAspectRatio(float Value) {
    if (Live_->AspectRatio == Value)
        return;
    Live_->AspectRatio = Value;
    if (std::shared_ptr<TPlaybackState> s = Playback())
        RequestReopen(*s);
}

void TFFPlayer::SetAudioVolume(int Value) { Live_->AudioVolume = std::clamp(Value, 0, 128); }

TPlayerClocks TFFPlayer::Clocks() const {
    std::shared_ptr<TPlaybackState> s = Playback();
    if (!s)
        return TPlayerClocks{NAN, NAN, NAN};
    return TPlayerClocks{AudioPosition(*s), VideoPosition(*s), MasterPosition(*s)};
}

// --- engine callbacks ---

void TFFPlayer::SetOpenError(const std::string& Text) { SetError(Text); }

void TFFPlayer::ReportPosition(TPlaybackState& S) {
    if (S.StillImages)
        return;
    int64_t position;
    // Without pictures (none in the file, or the video path failed) the sound gives the position.
    if (S.VideoStream >= 0 && (!S.VideoFailed || S.AudioStream < 0)) {
        const double v = VideoPosition(S);
        if (std::isnan(v))
            return;
        position = std::llround(v * 1000000.0) - S.StartTime;
    } else {
        const double a = AudioPosition(S);
        if (std::isnan(a))
            return;
        position = std::llround(a * 1000000.0) - S.StartTime;
        if (S.AudioDuration > 0 && position >= S.AudioDuration && S.Duration > position)
            position = S.Duration;
    }
    Position_ = position;
    {
        std::lock_guard g(ReportLock_);
        int64_t reported = position;
        int64_t last = LastReported_;
        if (S.Duration > 0 && position >= S.Duration) {
            reported = S.Duration;
            if (last != S.Duration)
                last = 0;
        }
        if (LastReported_ == NoMediaTime || std::llabs(reported - last) > 10000) {
            LastReported_ = reported;
            Ring_.Post(TPlayerEvent{ekPosition, psPlay, reported, EventGeneration_});
        }
    }
    if (!S.LiveSource && !S.EndSignalled && S.PlaybackEnded) {
        if (S.VideoStream >= 0)
            S.EndSignalled = true;
        SetState(psEnd);
    }
}

bool TFFPlayer::HookWanted() {
    if (!Hook_)
        return false;
    std::lock_guard g(HandlerLock_);
    return bool(OnHook_);
}

void TFFPlayer::HookPicture(AVFrame& Picture, int64_t PTS) {
    THookEvent handler;
    {
        std::lock_guard g(HandlerLock_);
        handler = OnHook_;
    }
    if (!handler)
        return;
    std::lock_guard g(HookLock_);
    if (!FrameToBitmap(HookConverter_, &Picture)) {
        GetLogger().LogMessage(this, llError, "Cannot initialize the toRGB conversion context");
        return;
    }
    TBitmap24& bitmap = *HookConverter_.Bitmap;
    try {
        std::lock_guard canvas(bitmap.Canvas());
        handler(this, bitmap, PTS);
    } catch (const std::exception& e) {
        GetLogger().LogMessage(this, llError, std::string("Error occurs OnHook: ") + e.what());
        return;
    } catch (...) {
        GetLogger().LogMessage(this, llError, "Error occurs OnHook: ");
        return;
    }
    SwsContext* back = sws_getCachedContext(HookConverter_.FromRGB.release(), bitmap.Width(),
                                            bitmap.Height(), AV_PIX_FMT_BGR24, Picture.width,
                                            Picture.height, AVPixelFormat(Picture.format),
                                            SWS_BICUBIC, nullptr, nullptr, nullptr);
    HookConverter_.FromRGB.reset(back);
    if (back == nullptr) {
        GetLogger().LogMessage(this, llError, "Cannot initialize the fromRGB conversion context");
        return;
    }
    const uint8_t* src[4] = {bitmap.Bits(), nullptr, nullptr, nullptr};
    const int srcLines[4] = {bitmap.ScanlineSize(), 0, 0, 0};
    std::lock_guard canvas(bitmap.Canvas());
    sws_scale(back, src, srcLines, 0, bitmap.Height(), Picture.data, Picture.linesize);
}

void TFFPlayer::DetachProbe(TPlaybackState& State) {
    // Only the probe of this playback: a newer Open may already have attached its own.
    RunInMainThread([this, &State] {
        if (ProbeOwner_ != &State)
            return;
        Probe_.Close();
        ProbeOwner_ = nullptr;
    });
}

void TFFPlayer::PlaybackClosed(TPlaybackState& State) {
    std::lock_guard g(StateLock_);
    if (Playback_.get() == &State)
        Playback_.reset();
}
