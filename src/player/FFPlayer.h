// TFFPlayer: plays one media file into a picture sink (a panel of one of the application's
// windows), reports its duration, picture size, position and state changes as events, lets the
// application draw on every decoded picture (OnHook) and hands out the shown picture for
// snapshots.
//
// Thread: every member is called on the thread that owns the player (the main thread in the
// application). OnFileOpen, OnPosition and OnState run on the main thread while
// TriggerEventInMainThread is true (the default), else on the player's event thread; OnHook
// always runs on the player's video thread and must touch no window. While the owner waits in
// Stop or Seek it keeps handling its pending cross-thread calls, so handlers delivered to it
// cannot lock against the wait. Calling order: LibrariesLoaded / LoadLibraries once; set Hook,
// OnHook and the events; Open; Pause, Resume, Seek, CurrentFrame while playing; Stop before
// opening another file or freeing the sink.
#pragma once

#include "player/EventRing.h"
#include "player/FFPlayEngine.h"
#include "player/PlayerSync.h"
#include "player/PlayerTypes.h"
#include "probe/AVProbe.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The base publishing About, Version and the four events. Handlers may be set from the owner's
// thread at any time; the player copies a handler before calling it.
class TCustomPlayer : public TFFBaseComponent {
public:
    const char* ClassName() const override { return "TCustomPlayer"; }

    // Text without any effect at run time.
    std::string About() const;
    void SetAbout(const std::string& Value);
    // Always "2.3".
    static const char* Version() { return "2.3"; }

    void SetOnFileOpen(TFileOpenEvent Handler);
    void SetOnHook(THookEvent Handler);
    void SetOnPosition(TPositionEvent Handler);
    void SetOnState(TPlayStateEvent Handler);

protected:
    TCustomPlayer() = default;

    mutable std::mutex HandlerLock_; // guards the handlers and About_
    TFileOpenEvent OnFileOpen_;
    THookEvent OnHook_;
    TPositionEvent OnPosition_;
    TPlayStateEvent OnState_;
    std::string About_;
};

// The engine's clocks, for diagnostics and measurements: seconds of media time, NaN when a clock
// has no value (or no file is open).
struct TPlayerClocks {
    double Audio;
    double Video;
    double Master;
};

class TFFPlayer final : public TCustomPlayer, private player::TPlaybackHost {
public:
    TFFPlayer();
    // Clears OnPosition, OnState and OnHook, then stops with waiting.
    ~TFFPlayer() override;
    const char* ClassName() const override { return "TFFPlayer"; }

    // Loads the player library set (the engine set plus SDL) from Folder; on failure LastError
    // receives the loader's text.
    bool LoadLibraries(const std::string& Folder);
    bool LibrariesLoaded() const;

    // Stops any open file, then opens FileName (UTF-8) and starts playing into Screen (may be
    // null: no pictures are shown). With PauseOnOpen the player pauses after the first pictures.
    // False with LastError set on failure.
    bool Open(const std::string& FileName, TPictureSink* Screen, bool PauseOnOpen = false);
    void Pause();
    void Resume();
    // True when no file is open or playback is paused.
    bool Paused() const;
    // Flags: sfBackward, sfByte, sfAny, sfFrame. Position is microseconds from the file start
    // (limited to the duration), or a byte offset with sfByte. With Wait, returns once the seek
    // was carried out and, with video, its first picture is ready.
    void Seek(uint8_t Flags, bool Wait, int64_t Position);
    // Asks playback to end; with Wait, returns once it has ended (psStop delivered) and shuts
    // SDL's audio down. A read waiting for a stalled pipe or FIFO gives up at once (the input's
    // interrupt callback); one stuck where no stop reaches (inside the kernel, on a share that
    // hangs) is abandoned after about ten tries.
    void Stop(bool Wait);
    // The shown picture as a 24-bit bitmap (owned by the player, valid until the next call):
    // 0 x 0 without video; black of the coded size before the first picture. PTS receives the
    // picture's time in microseconds from the file start, or -1.
    TBitmap24& CurrentFrame(int64_t* PTS = nullptr);

    // --- properties (defaults as listed) ---
    float AspectRatio() const { return Live_->AspectRatio; } // 0
    void SetAspectRatio(float Value);
    TAudioDriver AudioDriver() const { return AudioDriver_; } // adDefault
    void SetAudioDriver(TAudioDriver Value) { AudioDriver_ = Value; }
    int AudioVolume() const { return Live_->AudioVolume; } // 128
    void SetAudioVolume(int Value);
    bool DisableAudio() const { return DisableAudio_; }
    void SetDisableAudio(bool Value) { DisableAudio_ = Value; }
    bool DisableVideo() const { return DisableVideo_; }
    void SetDisableVideo(bool Value) { DisableVideo_ = Value; }
    bool DisableDisplay() const { return DisableDisplay_; }
    void SetDisableDisplay(bool Value) { DisableDisplay_ = Value; }
    bool Mute() const { return Live_->Mute; }
    void SetMute(bool Value) { Live_->Mute = Value; }
    int FrameWidth() const { return FrameWidth_; }
    void SetFrameWidth(int Value) { FrameWidth_ = Value; }
    int FrameHeight() const { return FrameHeight_; }
    void SetFrameHeight(int Value) { FrameHeight_ = Value; }
    bool Hook() const { return Hook_; }
    void SetHook(bool Value) { Hook_ = Value; }
    int ScreenWidth() const { return Live_->ScreenWidth; } // 0: the sink's size at open
    void SetScreenWidth(int Value) { Live_->ScreenWidth = Value; }
    int ScreenHeight() const { return Live_->ScreenHeight; }
    void SetScreenHeight(int Value) { Live_->ScreenHeight = Value; }
    bool TriggerEventInMainThread() const { return TriggerInMain_; } // true
    void SetTriggerEventInMainThread(bool Value) { TriggerInMain_ = Value; }
    TVideoDriver VideoDriver() const { return VideoDriver_; } // vdDefault
    void SetVideoDriver(TVideoDriver Value) { VideoDriver_ = Value; }

    // --- public state ---
    // Last computed playing position in microseconds from the file start; -1 when none.
    int64_t Position() const { return Position_; }
    TAVProbe& Probe() { return Probe_; }
    std::string LastError() const;
    TPlayState State() const { return State_; }
    std::string FileName() const;
    TPictureSink* ScreenHandle() const { return Screen_; }
    TPlayerClocks Clocks() const;

private:
    // TPlaybackHost
    void SetOpenError(const std::string& Text) override;
    void ReportPosition(player::TPlaybackState& State) override;
    void SetPlayState(TPlayState State) override { SetState(State); }
    bool HookWanted() override;
    void HookPicture(AVFrame& Picture, int64_t PTS) override;
    void DetachProbe(player::TPlaybackState& State) override;
    void PlaybackClosed(player::TPlaybackState& State) override;
    player::TTimedLock& PlayerLock() override { return PlayerLock_; }

    std::shared_ptr<player::TPlaybackState> Playback() const;
    void SetError(const std::string& Text);
    void SetState(TPlayState State);
    void PlayThreadBody(const std::shared_ptr<player::TPlaybackState>& State);
    void EventThreadBody(int Generation);
    void Deliver(const std::function<void()>& Call);
    // Joins the play and event threads of the playback that Serial opened; returns early when a
    // call made while it waited (pumping) opened another file, whose threads it leaves alone.
    void JoinThreads(uint64_t Serial);
    bool StartSDL();
    void StopSDL();

    std::shared_ptr<player::TLiveSettings> Live_ = std::make_shared<player::TLiveSettings>();
    std::shared_ptr<player::TPlayerSignals> Signals_ = std::make_shared<player::TPlayerSignals>();
    std::atomic<TAudioDriver> AudioDriver_{adDefault};
    std::atomic<TVideoDriver> VideoDriver_{vdDefault};
    std::atomic<bool> DisableAudio_{false};
    std::atomic<bool> DisableVideo_{false};
    std::atomic<bool> DisableDisplay_{false};
    std::atomic<int> FrameWidth_{0};
    std::atomic<int> FrameHeight_{0};
    std::atomic<bool> Hook_{false};
    std::atomic<bool> TriggerInMain_{true};

    std::atomic<int64_t> Position_{-1};
    std::atomic<TPlayState> State_{psStop};
    TAVProbe Probe_; // owner's thread only
    const player::TPlaybackState* ProbeOwner_ = nullptr; // the playback Probe_ reads; owner's thread
    // Counts the opens that got as far as starting a playback; a wait that sees it change knows
    // that a call made meanwhile (a click handled while it pumped) opened another file.
    uint64_t OpenSerial_ = 0; // owner's thread only
    std::string FileName_; // owner's thread only
    TPictureSink* Screen_ = nullptr;
    mutable std::mutex ErrorLock_; // guards LastError_
    std::string LastError_;

    // The player lock: held by the play thread while it handles one event, and by a forced close.
    player::TTimedLock PlayerLock_;
    mutable std::mutex StateLock_; // guards Playback_
    std::shared_ptr<player::TPlaybackState> Playback_;
    std::shared_ptr<player::TPlaybackState> Opening_; // an open still waiting for its file

    std::mutex ReportLock_;                 // guards LastReported_
    int64_t LastReported_ = NoMediaTime;    // the position last posted

    player::TEventRing Ring_;
    player::TManualEvent PlayThreadEnded_{true};
    std::shared_ptr<player::TWorkerThread> PlayThread_;
    std::shared_ptr<player::TWorkerThread> EventThread_;
    // Event threads that could not be joined because Stop ran inside one of their deliveries.
    std::vector<std::shared_ptr<player::TWorkerThread>> RetiredThreads_;
    std::atomic<int> EventGeneration_{0};
    std::atomic<bool> InDelivery_{false}; // the main thread is running a handler of ours

    std::mutex FrameLock_; // guards FrameConverter_
    TFrameConverter FrameConverter_;
    std::mutex HookLock_; // guards HookConverter_
    TFrameConverter HookConverter_;

    bool SDLStarted_ = false;
};
