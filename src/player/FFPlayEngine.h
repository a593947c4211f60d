// The player engine: plays one media file for the player component (FFPlayer.h).
//
// A read thread demultiplexes the container into per-stream packet queues; a video thread
// decodes pictures through a small filter graph (to planar YUV 4:2:0), offers each to the
// component's hook and queues it (two pictures at most) with the time it is due; a subtitle
// thread decodes bitmap subtitles; an audio decoding thread converts audio to signed 16-bit
// (more than two channels become stereo) into a small sample queue, from which SDL's audio
// callback only copies, applying the volume; a refresh thread paces the display; and the
// component's play thread runs the event loop that shows each picture at its due time through
// the picture sink, dropping late ones. Audio is the master clock; files without video show a
// waveform of the audio.
//
// Thread: OpenPlayback, FlipPause, RequestSeek and ForceClosePlayback are called by the
// component on the thread that owns it (normally the main thread); RunEventLoop is the body of
// the component's play thread; the clock queries may be called from any thread.
#pragma once

#include "player/PlayerSync.h"
#include "player/PlayerTypes.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

struct AVFrame;
struct AVFormatContext;

namespace player {

enum TSyncType : int { stAudioMaster = 0, stVideoMaster = 1, stExternalClock = 2 };

// Decoder and demuxer options. The component sets them; their values are fixed in this system
// except the Disable* switches and the raw-input frame size.
struct TPlayerOptions {
    int ScalerFlags = 4; // bicubic
    int FrameWidth = 0;  // picture size for raw inputs that carry none
    int FrameHeight = 0;
    int WantedAudioStream = -1; // -1 = any
    int WantedVideoStream = -1;
    int WantedSubtitleStream = -1;
    int SeekByBytes = -1; // -1 = automatic (bytes exactly for containers without steady timestamps)
    int64_t StartTime = NoMediaTime; // microseconds; seek there first when set
    int Debug = 0;
    int WorkaroundBugs = 1;
    bool FastDecoding = false;
    bool GeneratePTS = false;
    int LowResolution = 0;
    int IDCTAlgorithm = 0;  // automatic
    int SkipFrame = 0;      // AVDISCARD_DEFAULT
    int SkipIDCT = 0;
    int SkipLoopFilter = 0;
    int ErrorRecognition = 1;
    int ErrorConcealment = 3;
    int DecoderReorder = -1; // -1 automatic, 0 packet timestamps, 1 decoder timestamps
    bool FrameDropping = true;
    int SpectrumIntervalMs = 20;
    std::string VideoFilter; // empty: the decoded pictures go straight to the output format
    TSyncType SyncType = stAudioMaster;
    bool DisableAudio = false;
    bool DisableVideo = false;
    bool DisableDisplay = false;
};

// Component properties the running playback reads live. Shared between the component and the
// playback so that either may go first.
struct TLiveSettings {
    std::atomic<int> AudioVolume{128}; // 0..128
    std::atomic<bool> Mute{false};
    std::atomic<float> AspectRatio{0.0f};
    std::atomic<int> ScreenWidth{0};
    std::atomic<int> ScreenHeight{0};
};

// The component's signals the engine sets and waits on. Shared for the same reason.
struct TPlayerSignals {
    TManualEvent SeekDone{true};
    TManualEvent FrameReady{true};
    std::atomic<bool> SeekPendingMark{false}; // a Seek was asked for and has not shown its picture
};

class TPlaybackState;

// What the engine calls in its component. Each call names the threads it comes from.
class TPlaybackHost {
public:
    virtual ~TPlaybackHost() = default;
    // Read thread, while OpenPlayback waits.
    virtual void SetOpenError(const std::string& Text) = 0;
    // Play thread after a shown picture or visualisation; video thread at the end of the input.
    virtual void ReportPosition(TPlaybackState& State) = 0;
    // Play thread and video thread.
    virtual void SetPlayState(TPlayState State) = 0;
    // Video thread: true when Hook is on and OnHook assigned.
    virtual bool HookWanted() = 0;
    // Video thread: offers the picture (writable YUV 4:2:0, even size) to OnHook and puts what
    // the handler drew back into it. PTS in microseconds from the file start.
    virtual void HookPicture(AVFrame& Picture, int64_t PTS) = 0;
    // Read thread at its end, or the closing thread: the probe lets go of the container.
    virtual void DetachProbe(TPlaybackState& State) = 0;
    // The playback is closed; the component forgets it. Called with the player lock held.
    virtual void PlaybackClosed(TPlaybackState& State) = 0;
    // Held by the play thread while it handles one event, and by a forced close.
    virtual TTimedLock& PlayerLock() = 0;
};

// Opens FileName (UTF-8) and starts the read thread; waits (pumping on the main thread) until the
// file is open. Null on failure, the reason given to Host.SetOpenError. Created receives the
// playback before the wait, so that a call made while the wait pumps can cancel the open
// (CancelOpen): an open cancelled in time, even one stuck in a read that never returns, gives
// null.
std::shared_ptr<TPlaybackState> OpenPlayback(
    TPlaybackHost& Host, const std::string& FileName, const std::string& ForcedFormat,
    bool PauseOnOpen, const TPlayerOptions& Options, std::shared_ptr<TLiveSettings> Live,
    std::shared_ptr<TPlayerSignals> Signals, TPictureSink* Sink, const void* LogSender,
    const std::function<void(const std::shared_ptr<TPlaybackState>&)>& Created = {});
// Makes an OpenPlayback in progress give up. Any thread.
void CancelOpen(TPlaybackState& State);

// The play thread's body: handles the playback's events until it is closed.
void RunEventLoop(const std::shared_ptr<TPlaybackState>& State);
// Stops and frees everything; used by the play thread (quit) and after a play-thread failure.
// Called without the player lock.
void ClosePlayback(const std::shared_ptr<TPlaybackState>& State);
// Closes the playback from the calling thread while the read thread may be stuck inside a
// blocking read: that thread is left to finish on its own and frees what it still holds.
// Called with the player lock held.
void ForceClosePlayback(const std::shared_ptr<TPlaybackState>& State);

void FlipPause(TPlaybackState& State);
// Asks the read thread to seek (ignored while a seek is pending); with Wait, waits until the seek
// is done and, with video, its first picture is ready.
void RequestSeek(TPlaybackState& State, int Flags, bool Wait, int64_t Rel, int64_t Position);
void RequestQuit(TPlaybackState& State);   // event 26
void RequestReopen(TPlaybackState& State); // event 27: re-create the output and redraw

// Clocks in seconds; NaN while the clock has no value.
double AudioPosition(const TPlaybackState& State);
double VideoPosition(const TPlaybackState& State);
double ExternalPosition(const TPlaybackState& State);
double MasterPosition(const TPlaybackState& State);

} // namespace player
