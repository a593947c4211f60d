// The conversion core: one conversion task's option state, option contexts and session.
//
// A TCustomFFmpeg is configured only by option name/value pairs (SetOption) and the typed
// setters, stated in order and interleaved with opening inputs (AddInputFile) and creating
// outputs (AddOutputFile). Refused options raise FFmpegException with the exact texts; the
// component layer catches them into its LastError.
//
// Thread: one task is configured on the main thread and then run by one worker thread (or on
// the caller's thread); nothing here is shared between tasks except the loader, the logger, the
// codec lock, the engine preview lock and the list of loaded video hook modules.
#pragma once

#include "engine/ConvertThread.h"
#include "engine/FFTypes.h"
#include "engine/OptionConvert.h"
#include "engine/Previewer.h"
#include "engine/SessionState.h"
#include "engine/StopState.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct AVBSFContext;
struct AVCodec;
struct AVFormatContext;
struct AVFrame;
struct TFrameHookState;  // FrameHook.h
class TBitmap24;
class TCustomFFmpeg;

// The progress report of a run: FileIndex is the input of the packet just processed (-1 in the
// final report), durations in microseconds, CurrentSize in bytes, BitRate in kbit/s; Quality,
// FPS and FrameNumber are those of the first video output (-1 without one).
using TProgressCallback = std::function<void(
    TCustomFFmpeg& Core, int FileIndex, int64_t TotalDuration, int64_t CurrentDuration,
    int64_t CurrentSize, float BitRate, float Quality, int FPS, int FrameNumber)>;
// The end of a run (or of a task that never ran) was recorded; read Completed, ErrorOccurred
// and ErrorMessage.
using TTerminateCallback = std::function<void(TCustomFFmpeg& Sender)>;
// One decoded picture as a BGR24 bitmap, to be drawn on. StopHook (in false) ends the hook for
// the rest of the run; Update (in true) false leaves the picture as it was. PTS in microseconds
// of the input; FrameNumber is the picture's number in the task (the first is 1).
using THookCallback = std::function<void(TCustomFFmpeg& Sender, TBitmap24& Bitmap, bool& StopHook,
                                         bool& Update, int64_t PTS, int FrameNumber)>;
// One encoded picture as a BGR24 bitmap (valid during the call); PTS in microseconds of the
// output; FrameNumber counts the pictures decoded so far.
using TPreviewCallback = std::function<void(TCustomFFmpeg& Sender, const TBitmap24& Bitmap,
                                            int64_t PTS, int FrameNumber)>;

class TCustomFFmpeg : public TFFBaseComponent, public TSessionState, private TRunOwner {
public:
    TCustomFFmpeg();
    ~TCustomFFmpeg() override;
    const char* ClassName() const override { return "TCustomFFmpeg"; }

    // ---- option layer ----
    // The dispatcher: runs the first option of the table named Name (case-sensitive); other
    // names go to SetGenericOption, whose result is ignored. A refused value raises
    // FFmpegException, EConvertError (a bad number) or EAssertionFailed (a tag that is not 4
    // characters); options applied before stay applied.
    void SetOption(const std::string& Name, const std::string& Value);
    // Sets a library option on the generic option contexts; true when set.
    bool SetGenericOption(const std::string& Name, const std::string& Value);
    bool SetGenericOption(const std::string& Name, int64_t Value);
    // Every default of TOptionState, empty maps and chains, no files counted (an input still
    // open is closed), the error flag cleared. The option contexts are kept.
    void ResetOptions();
    // When the libraries are loaded: FreeSession, ResetOptions, run flags cleared,
    // TotalDuration -1 and fresh option contexts (made on first use). Otherwise nothing.
    void PrepareTask();


    // Typed setters with already converted values. Those taking text raise the messages of the
    // option of the same name (frame rate, frame size, aspect, crop, tags).
    void SetForcedFormat(const std::string& Format);
    void SetVerbose(int Level);
    void SetFrameRate(const std::string& Rate);
    void SetCropTop(int Value);
    void SetCropBottom(int Value);
    void SetCropLeft(int Value);
    void SetCropRight(int Value);
    void SetAspect(const std::string& Aspect);
    void AddMetadata(const std::string& Key, const std::string& Value);
    void SetAudioSampleRate(int Rate);       // ignored unless > 0
    void SetAudioChannels(int Channels);     // ignored unless > 0
    void SetAudioTag(const std::string& Tag);
    void SetVideoTag(const std::string& Tag);
    void SetSubtitleTag(const std::string& Tag);
    void SetRecordingTime(int64_t Microseconds); // ignored for NoMediaTime; sets TotalDuration
    void SetStartTime(int64_t Microseconds);     // ignored for NoMediaTime
    void SetProgramId(int Id);                   // ignored when negative
    void SetFrameSize(const std::string& Size);
    void SetAudioCodec(const std::string& Name);
    void SetVideoCodec(const std::string& Name);
    void SetSubtitleCodec(const std::string& Name);
    void SetVideoFilters(const std::string& Filters);
    // The audio filter chain text of the next outputs ("af"); an empty text clears it. Raises
    // FFmpegException with CheckAudioFilters' reason for a text the libraries cannot use.
    void SetAudioFilters(const std::string& Filters);
    // Normalisation, fades and silence trimming of the next output. Raises FFmpegException
    // for a target outside -70..-5 LUFS ("The loudness target must lie between -70 and -5
    // LUFS"), a ceiling outside -20..0 dBTP or a fade outside 0..3600 s; nothing changes then.
    void SetAudioShaping(TAudioShaping Shaping);
    // Album mode for the next output: the album it belongs to and its member number there
    // (LoudnessAlbum.h); null clears it.
    void SetLoudnessAlbum(std::shared_ptr<TLoudnessAlbum> Album, int Member);
    // Kind "vcd", "svcd", "dvd", "dv" or "dv50"; Norm "pal", "ntsc", "film" or anything else
    // for automatic (from FrameRate, then the opened inputs' video streams, then DefaultNorm).
    void ApplyTarget(const std::string& Kind, const std::string& Norm, const std::string& DefaultNorm);
    void SetAudioVolume(int Volume);             // ignored when negative
    void SetAudioSyncMethod(int Method);
    void SetVideoSyncMethod(int Method);
    void SetMuxMaxDelay(double Seconds);         // ignored unless > 0
    void SetMuxPreload(double Seconds);          // ignored unless > 0

    // Applies a built-in preset or a preset file (apre, vpre, spre, fpre).
    void ApplyPreset(const std::string& OptionName, const std::string& PresetName);

    // ---- session (opened inputs, created outputs) ----
    // Called on the configuring thread between options, while no run is active. A refused step
    // returns false / -1 and leaves its reason in LastErrMsg() and no trace in the tables.

    // Looks a codec up by name among encoders (IsEncoder) or decoders. An empty name gives
    // Codec = null and true. MediaType is an AVMediaType; Strictness the compliance level that
    // allows experimental codecs at -2 and below. Former encoder names of stored settings
    // (libfaac, vorbis, libflac) stand for their current encoders (logged at llInfo). False with
    // LastErrMsg "Unknown %s '%s'", "Invalid %s type '%s'" or the experimental text.
    bool FindCodec(const std::string& Name, int MediaType, bool IsEncoder, int Strictness,
                   const AVCodec*& Codec);

    // Opens and probes an input (ForcedFormat, the forced decoders, the set generic options with
    // the decoding mask, program selection, input seek with StartTime) and takes the frame size,
    // rate, aspect and pixel format of its video streams and the sample rate, format, channels
    // and layout of its audio streams; the codec names, ForcedFormat, StartTime and ProgramId
    // are used up. False when refused (a 21st input, a name too long once converted, a failed
    // codec lookup, open, program selection or probe). Raises FFmpegException for an unknown
    // forced format ("Unknown input format: \"%s\""), a stream of unknown type and allocation
    // failures.
    virtual bool AddInputFile(const std::string& FileName);
    // Creates an output file entry with its video, audio and subtitle streams from the pending
    // option state and creates the file. With Join and more than one input open, the inputs are
    // joined into this output (JoinMode; one entry per input naming the one container). Returns
    // the number of output entries, or -1 when refused (the partly made file is released).
    // Raises FFmpegException when the container cannot be allocated.
    virtual int AddOutputFile(const std::string& FileName, bool Join);
    // One more stream on output entry OutputFile (0-based; newvideo, newaudio and newsubtitle
    // use the last one). Raises FFmpegException on failure (LastErrMsg for a codec lookup).
    virtual void NewVideoStream(int OutputFile);
    virtual void NewAudioStream(int OutputFile);
    virtual void NewSubtitleStream(int OutputFile);
    // vhook: loads a video hook module with its arguments (FrameHook.h, THookModuleList::Add)
    // and sets UsingHookModules. Raises FFmpegException "Failed to add video hook function: "
    // followed by Arguments when the module was refused (the reason went to the library log).
    virtual void AddHookModule(const std::string& Arguments);
    // Releases the option contexts, the outputs (files closed; the temporary of a file that was
    // not given its name removed),
    // the inputs and the per-session texts (matrices, rc_override, vstats name, codec names, tv
    // standard, languages, subtitle tag); clears join mode. Nothing when the libraries are not
    // loaded.
    virtual void FreeSession();


    // Option state, option contexts and session tables: see TSessionState.

    // The folder of the running program, with a trailing "/".
    static std::string ProgramFolder();

    // ---- run control ----
    // A task runs once: set it up (PrepareTask, options, inputs, outputs), start it, and its end
    // is delivered exactly once through TerminateCallback. Prepare it again to reuse it.
    // PrepareTask, StartConvert and the set-up are called on the configuring thread while no run
    // is active; PauseConvert, ResumeConvert, StopConvert and Terminate from any thread.

    // Refuses (returns null, nothing happens) when Running or Terminated. Without an output
    // ("At least one output file must be specified", checked first) or an input ("At least one
    // input file must be specified") the session is freed, the message logged at llQuiet and
    // recorded as the error, the end delivered, and null returned. Otherwise the run starts:
    // with InThread false on the calling thread (null is returned after the end was delivered),
    // with InThread true on a new worker, returned suspended (ConvertThread); the caller
    // resumes it.
    TConvertThread* StartConvert(bool InThread, TThreadPriority Priority = tpNormal);
    // The body of a run: Transcode (which gives finished files their names, WrittenFiles),
    // then FreeSession, then DoTerminate, each step guarded; an
    // exception of a step is logged at llQuiet and recorded (a later one overwrites the
    // message). Never raises. The run's own clean-up closes every encoder and decoder it opened
    // under the codec lock, also after an exception.
    void RunConvert() override;
    // Holds the worker at its next safe point (before a packet is read or a picture encoded).
    // Nothing without a worker or when it is already held; a run on the caller's thread cannot
    // be paused.
    void PauseConvert();
    // Lets a held worker continue; starts a worker that was never resumed.
    void ResumeConvert();
    // Asks the run to stop (it ends as after the last packet: drained, trailers written,
    // Completed false; its files are not given their names). A held worker is resumed first. With Wait the call returns once the
    // worker's body has ended; on the main thread the wait keeps the dispatcher's pending calls
    // running (WaitProcessingMessages). No wait on the worker itself.
    void StopConvert(bool Wait);
    // Running: StopConvert(Wait). Never started and not terminated: delivers the end from a
    // TDoTerminateThread, waiting for it with Wait. Otherwise nothing.
    void Terminate(bool Wait);
    // Records the end (Running false, Terminated true, no worker) and calls TerminateCallback.
    void DoTerminate() override;
    // Ends a task that is not running and was never ended as failed with Message (logged and
    // recorded as the error; the session freed, the end delivered). A task whose set-up can no
    // longer be made when its turn comes ends so. Nothing when it runs or has ended.
    void FailUnstarted(const std::string& Message);
    // Joins the threads of a run (or delivered end) whose bodies have returned; true when none
    // is left. False, and nothing done, while one still runs (a caller may hold a lock that
    // thread is waiting for). Never blocks on a running body.
    bool ReleaseEndedThreads();

    bool Running() const { return Running_.load(); }
    bool StopRequested() const { return Stop_.Flag().load(); }
    // The run's stop state: StopConvert asks it. The contexts of the task's files ask it while
    // they wait (an input at once, an output after a grace); a component makes its own state
    // the outer one (TStopState::SetOuter), so a stop of everything it opens ends these waits
    // too. PrepareTask takes the task's own request back.
    TStopState& Stop() { return Stop_; }
    const TStopState& Stop() const { return Stop_; }
    // The last run left the loop without a stop request.
    bool Completed() const { return Completed_.load(); }
    bool Terminated() const { return Terminated_.load(); }
    bool ErrorOccurred() const { return ErrorOccurred_.load(); }
    std::string ErrorMessage() const;
    // The worker of the current run; null before StartConvert, for a run on the caller's thread
    // and once the end was recorded. Owned by the task.
    TConvertThread* ConvertThread() const { return ConvertThread_.load(); }

    // Installed before StartConvert; called on the thread of the run.
    TTerminateCallback TerminateCallback;
    TProgressCallback ProgressCallback;
    int64_t ReportInterval = 500000; // microseconds between progress reports
    // Audio is encoded on a thread of its own, next to the reading and decoding. Worth it while
    // cores are free; a run that already keeps every core busy with other tasks turns it off.
    bool AudioEncoderThread = true;

    // ---- frame hooks and preview (FrameHook.cpp) ----
    // Installed before StartConvert; called on the thread of the run, once per picture, the
    // run waiting for them. With HookCallback or hook modules a copied video stream is refused.
    THookCallback HookCallback;
    TPreviewCallback PreviewCallback;
    // Makes the previewer window of bit 0 (created at the first preview frame, on the worker).
    TPreviewerFactory PreviewerFactory;
    int64_t PreviewInterval = 100000; // microseconds between preview frames

    // Bit 0 (1): show preview frames in the previewer window; bit 1 (2): raise PreviewCallback.
    // May change while the task runs; never waits. When bit 0 goes clear the previewer is
    // freed, at once when no preview step is in progress, otherwise by the worker at its next
    // preview step or when the session is freed.
    int PreviewFlags() const { return PreviewFlags_.load(); }
    void SetPreviewFlags(int Flags);
    // Sets or clears bit Bit (0 or 1) of the preview flags.
    void SetPreviewFlag(int Bit, bool On);
    // Decoded video pictures of the task so far (0 after ResetOptions).
    int HookFrameCount() const { return HookFrameCount_.load(); }
    bool UsingHookModules() const { return UsingHookModules_; }

    // The run's consumers of pictures (installed into the transcoding run by RunConvert):
    // each decoded video picture before it is filtered, scaled and encoded (counted, then
    // deinterlaced and hooked in a task-owned copy which replaces it) ...
    void PreProcessPicture(TInputStream& Input, AVFrame* Picture);
    // ... and each encoded picture (encoder size and format), for the preview.
    void PreviewPicture(TOutputStream& Output, const AVFrame* Picture);


private:
    // Logs Message at llQuiet and records it as the error.
    void RecordError(const std::string& Message);
    // A worker that could not be created: the run ends on the calling thread.
    void EndUnstartedRun(const std::string& Message) override;
    // The run's safe point: waits while the worker is held.
    void SafePoint();
    // Joins the threads of an earlier run or termination (detached when on one of them).
    void ReleaseThreads();
    // Frees the hook picture buffer, the conversion states and the previewer (FreeSession and
    // ResetOptions); with Modules the hook modules are released too.
    void ResetFrameHooks(bool Modules);

    // Run state: written by the thread of the run and the controlling thread, read anywhere.
    // PrepareTask clears them, ResetOptions the error flag.
    std::atomic<bool> Running_{false};
    TStopState Stop_;
    std::atomic<bool> Completed_{false};
    std::atomic<bool> Terminated_{false};
    std::atomic<bool> ErrorOccurred_{false};
    mutable std::mutex ErrorLock_; // guards ErrorMessage_
    std::string ErrorMessage_;

    // Signalled while no worker body runs / no termination thread runs. Shared with the
    // threads, which may outlive the task.
    std::shared_ptr<TManualResetEvent> ConvertDoneEvent_ =
        std::make_shared<TManualResetEvent>(true);
    std::shared_ptr<TManualResetEvent> TerminateDoneEvent_ =
        std::make_shared<TManualResetEvent>(true);
    // Guards Worker_, TerminateThread_ and the ConvertThread_ changes; recursive because a
    // worker that cannot be created delivers the end under it.
    std::recursive_mutex ControlLock_;
    std::unique_ptr<TConvertThread> Worker_;
    std::atomic<TConvertThread*> ConvertThread_{nullptr};
    std::unique_ptr<TDoTerminateThread> TerminateThread_;

    // Frame hooks: the flags are atomic for the component's threads; the state is used by the
    // thread of the run (and reset while no run is active).
    std::atomic<int> PreviewFlags_{0};
    std::atomic<int> HookFrameCount_{0};
    bool UsingHookModules_ = false;
    std::unique_ptr<TFrameHookState> HookState_;
};
