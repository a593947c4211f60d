// The playback state of one open file, shared by the engine's source files and the component.
// Not for other users: the engine's interface is FFPlayEngine.h.
//
// Every field is labelled with what guards it. "atomic" fields are read and written from several
// threads without a lock; "read thread" fields are written only by the read thread before
// OpenStatus becomes 1 and read-only afterwards.
#pragma once

#include "engine/FFLogger.h"
#include "player/FFPlayEngine.h"
#include "player/PacketQueue.h"
#include "player/PlayerDraw.h"

#include <SDL2/SDL_audio.h>

#include <array>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

namespace player {

struct TFrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;

struct TCodecContextDeleter {
    void operator()(AVCodecContext* c) const;
};
using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextDeleter>;

struct TSwrDeleter {
    void operator()(SwrContext* c) const { swr_free(&c); }
};
using TSwrPtr = std::unique_ptr<SwrContext, TSwrDeleter>;

inline constexpr int PictureQueueSize = 2;
inline constexpr int SubpictureQueueSize = 4;
inline constexpr int64_t MaxQueueBytes = 15 * 1024 * 1024;
inline constexpr int64_t MinAudioQueueBytes = 327680;
inline constexpr int MinQueuedPackets = 5;
inline constexpr int AudioBufferSamples = 1024;
inline constexpr double SyncThreshold = 0.01;
inline constexpr double NoSyncThreshold = 10.0;
inline constexpr int DriftMeasures = 20;
inline constexpr int CorrectionPercent = 10;
inline constexpr double FrameSkipFactor = 0.05;
inline constexpr double LateDropMargin = 0.5;
inline constexpr int RefreshPeriodMs = 5;
// Sample bytes the audio decoding thread may keep ahead of SDL, in SDL buffers.
inline constexpr int SampleQueueBuffers = 6;

// Event numbers of the play thread's queue.
enum TEngineEvent : int {
    evQuit = 12,
    evResized = 16,
    evExposed = 17,
    evAllocate = 24,
    evRefresh = 25,
    evQuitRequest = 26,
    evReopen = 27,
};

// Seconds of a monotonic clock.
double Now();

struct TPictureSlot {
    TFramePtr Frame{av_frame_alloc()}; // the picture to show (YUV 4:2:0, even size)
    double PTS = 0;
    int64_t Pos = -1;
    double DueTime = 0;
};

struct TSubpicture {
    AVSubtitle Sub{};
    double PTS = 0;
};

class TPlaybackState {
public:
    TPlaybackState() = default;
    ~TPlaybackState();
    TPlaybackState(const TPlaybackState&) = delete;
    TPlaybackState& operator=(const TPlaybackState&) = delete;

    // --- fixed at open ---
    TPlaybackHost* Host = nullptr; // valid until Abandoned (see HostLock)
    std::string FileName;
    std::string ForcedFormat;
    TPlayerOptions Options;
    std::shared_ptr<TLiveSettings> Live;
    std::shared_ptr<TPlayerSignals> Signals;
    TPictureSink* Sink = nullptr;
    const void* LogSender = nullptr;
    TSyncType SyncType = stAudioMaster;

    // --- container: read thread ---
    AVFormatContext* Container = nullptr; // owned; closed by the read thread at its end
    int64_t StartTime = 0;      // microseconds; 0 when the container has none
    bool HasStartTime = false;
    int64_t Duration = -1;      // container duration, microseconds; -1 unknown
    int64_t AudioDuration = -1; // audio stream duration, microseconds; -1 unknown
    bool StillImages = false;
    bool LiveSource = false;
    bool SeekByBytes = false;
    int VideoCandidate = -1; // the video stream chosen, whether or not it opened
    int CodedWidth = 0;      // of the video stream turned upright; 0 without video
    int CodedHeight = 0;

    // --- streams: indexes atomic, set once the component is open, -1 after close ---
    std::atomic<int> AudioStream{-1};
    std::atomic<int> VideoStream{-1};
    std::atomic<int> SubtitleStream{-1};
    AVRational AudioTimeBase{0, 1}; // read thread
    AVRational VideoTimeBase{0, 1};
    int VideoRotation = 0; // clockwise turn that shows the stream's pictures upright
    AVRational SubtitleTimeBase{0, 1};
    double VideoFrameDuration = 0.04; // seconds per frame of the video stream
    TCodecContextPtr AudioCodec;      // owned by the component close path
    TCodecContextPtr VideoCodec;
    TCodecContextPtr SubtitleCodec;

    TPacketQueue AudioQ;
    TPacketQueue VideoQ;
    TPacketQueue SubtitleQ;

    // --- picture queue: protected by PictLock ---
    std::mutex PictLock;
    std::condition_variable PictCond;
    std::array<TPictureSlot, PictureQueueSize> Pictures;
    int PictRead = 0;
    int PictWrite = 0;
    int PictSize = 0;
    float DecodeRatio = 1.0f;
    float DecodeRatioAcc = 0.0f;

    // --- subpicture queue: protected by SubLock ---
    std::mutex SubLock;
    std::condition_variable SubCond;
    std::array<TSubpicture, SubpictureQueueSize> Subpictures;
    int SubRead = 0;
    int SubWrite = 0;
    int SubSize = 0;
    bool SubtitleStreamChanged = false;

    // --- video clocks: protected by ClockLock ---
    mutable std::mutex ClockLock;
    double DisplayTimer = 0;
    double PrevPictureTime = NAN;
    double PrevPictureDelay = 0;
    double NextPictureTime = 0;
    double ShownPictureTime = 0;
    double ShownPictureDrift = 0;
    int64_t ShownPicturePos = -1;
    bool PictureShown = false; // a picture was shown since open
    double ExternalClock = 0;
    double ExternalClockTime = 0;

    // --- shown picture (for CurrentFrame and redrawing): protected by ShownLock ---
    std::mutex ShownLock;
    TFramePtr ShownFrame{av_frame_alloc()};
    double ShownFramePTS = 0;
    bool HasShownFrame = false;

    // --- output surface: play thread ---
    int SurfaceWidth = 0;
    int SurfaceHeight = 0;
    int ClientWidth = 0; // the sink's size last seen
    int ClientHeight = 0;
    struct SwsContext* DisplayScaler = nullptr;

    // --- audio output: fixed while the audio component is open ---
    SDL_AudioDeviceID AudioDevice = 0;
    int AudioHwBufferSize = 0; // bytes of one SDL buffer
    int AudioChannels = 0;     // played channels (1 or 2)
    int AudioRate = 0;
    double AudioBytesPerSecond = 0;

    // --- sample queue between the audio decoding thread and the callback: FifoLock ---
    std::mutex FifoLock;
    std::condition_variable FifoCond;
    std::vector<uint8_t> Fifo;
    size_t FifoRead = 0;
    size_t FifoFill = 0;
    double FifoEndClock = NAN; // clock of the byte after the last one queued
    bool FifoDiscard = false;  // a seek happened; drop decoded audio until the decoder flushed
    std::atomic<int64_t> AudioCallbackTime{0}; // microseconds of the monotonic clock

    // --- audio clock: protected by AudioClockLock ---
    // At AudioClockTime (microseconds of the monotonic clock) SDL was handed AudioClockSpan
    // seconds of audio ending at AudioClockValue; it plays them during the following span.
    mutable std::mutex AudioClockLock;
    double AudioClockValue = NAN;
    int64_t AudioClockTime = 0;
    double AudioClockSpan = 0;

    // --- audio decoding thread only ---
    TSwrPtr Resampler;
    int ResamplerFormat = -1;
    int ResamplerRate = 0;
    AVChannelLayout ResamplerLayout{};
    std::vector<uint8_t> Samples;
    double DriftSum = 0;
    double DriftDecay = 0;
    double DriftThreshold = 0;
    int DriftCount = 0;

    // --- visualisation ---
    std::mutex RingLock; // guards SampleRing and SampleRingIndex
    std::vector<int16_t> SampleRing = std::vector<int16_t>(SampleRingSize, 0);
    int SampleRingIndex = 0;
    std::atomic<int> ShowMode{0}; // 0 none, 1 waveform, 2 spectrum
    int LastTrigger = 0;          // play thread
    TSpectrum Spectrum;           // play thread
    std::unique_ptr<TBitmap24> SpectrumPicture; // play thread
    int SpectrumColumn = 0;

    // --- control flags: atomic ---
    std::atomic<bool> Stopping{false};
    std::atomic<bool> Paused{false};
    bool DemuxPaused = false;    // read thread
    std::atomic<int> DemuxPauseResult{0};
    std::atomic<bool> SeekPending{false};
    std::mutex SeekLock; // guards SeekMode, SeekTarget, SeekStep
    int SeekMode = 0;
    int64_t SeekTarget = 0;
    int64_t SeekStep = 0;
    std::atomic<bool> SeekedWhilePaused{false};
    std::atomic<bool> DropUntilFlushed{false};
    std::atomic<bool> DecoderFlushed{true};
    std::atomic<bool> RefreshQueued{false};
    std::atomic<bool> InputEnded{false};
    // The video thread stopped on a filter or decoder error: playback goes on as without video
    // (the sound plays, positions follow it, the end is reported) and video packets are dropped.
    std::atomic<bool> VideoFailed{false};
    std::atomic<bool> PlaybackEnded{false};
    std::atomic<bool> EndSignalled{false};
    std::atomic<bool> Reading{false};
    std::atomic<int> OpenPauseCountdown{0};
    // The play thread's loop has started; pictures are queued only from then on, so that its
    // psPlay comes before any state the video thread sets.
    std::atomic<bool> LoopRunning{false};
    bool ReadErrorReported = false; // read thread

    // --- open status: protected by OpenLock ---
    std::mutex OpenLock;
    std::condition_variable OpenCond;
    int OpenStatus = 0; // 0 pending, 1 open, -1 failed, -2 failed and finished

    // --- wakes the read, refresh and paused decoding threads: WakeLock ---
    std::mutex WakeLock;
    std::condition_variable WakeCond;

    // --- the play thread's event queue: EventLock ---
    std::mutex EventLock;
    std::condition_variable EventCond;
    std::deque<int> Events;

    // --- closing: protected by HostLock ---
    std::mutex HostLock;
    std::condition_variable HostCond;
    int HostUsers = 0;       // threads inside a call to Host (outside OpenPlayback's wait)
    bool Abandoned = false;  // closed by ForceClosePlayback; Host must not be used any more
    bool ComponentsClosed = false;
    bool ReadDone = false;   // the read thread has finished its work
    bool Closed = false;     // ClosePlayback or ForceClosePlayback completed

    // --- threads ---
    TWorkerThread ReadThread;
    TWorkerThread RefreshThread;
    TWorkerThread VideoThread;
    TWorkerThread SubtitleThread;
    TWorkerThread AudioThread;
};

// --- shared between the engine's files ---

void WakeAll(TPlaybackState& S);
// Waits on WakeCond up to Ms or until Stopping or Extra() holds.
void WaitWake(TPlaybackState& S, int Ms, const std::function<bool()>& Extra = {});
void PostEvent(TPlaybackState& S, int Event);
bool AcquireHost(TPlaybackState& S);
void ReleaseHost(TPlaybackState& S);
void LogText(const TPlaybackState& S, TLogLevel Level, const std::string& Text);
std::string FormatText(const char* Format, ...) __attribute__((format(printf, 1, 2)));

// Video (FFPlayVideo.cpp).
void VideoThreadBody(TPlaybackState& S);
void SubtitleThreadBody(TPlaybackState& S);
void RefreshThreadBody(TPlaybackState& S);
void RefreshPicture(TPlaybackState& S);       // a timer refresh (event 25)
void Redisplay(TPlaybackState& S, bool Force); // events 16, 17, 27
void FreePictures(TPlaybackState& S);
// Forgets the decoded subpictures (a seek: their times belong to the old position) and wakes a
// subtitle thread waiting for room.
void FlushSubpictures(TPlaybackState& S);
// Sizes the output surface: ScreenWidth x ScreenHeight when set, else the picture's size (even),
// else 640 x 480. Unless Forced, nothing changes when the size is the same. Play thread.
void OpenSurface(TPlaybackState& S, bool Forced, int PictureWidth, int PictureHeight);

// Audio (FFPlayAudio.cpp).
void AudioThreadBody(TPlaybackState& S);
void SDLCALL AudioCallback(void* Opaque, Uint8* Stream, int Length);
void ResetAudioSync(TPlaybackState& S);
// Drops queued samples after a seek until the decoder has flushed.
void DiscardQueuedAudio(TPlaybackState& S);
void DrawVisualisation(TPlaybackState& S);

// Positions under the clock lock already held.
double VideoPositionLocked(const TPlaybackState& S);
double MasterPositionLocked(const TPlaybackState& S);

} // namespace player
