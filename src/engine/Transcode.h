// A conversion run: turns the session's files and streams (AddInputFile, AddOutputFile) into the
// run's stream records, maps every output stream to an input stream, derives and opens the
// codecs, writes the headers, then reads, decodes, re-encodes or copies and writes packets until
// every input has ended, a limit is reached or a stop is requested, and finally drains the
// decoders and encoders and writes the trailers.
//
// Preparation failures and errors during the loop raise FFmpegException with the engine's
// texts; decoding errors are logged and skipped unless ExitOnError. A stop request is honoured
// before each packet is read (and by the output stage before each picture is encoded); the end
// of the run — drain, trailers, final report — happens on a stop as well, so a stopped output is
// a valid, shorter file.
//
// Ownership: the run owns its stream records, decoders, filter graphs and statistics files; the
// session keeps the containers, streams and encoder contexts (the run opens and closes the
// encoders but does not free them). Everything the run holds is released when it ends, also
// after an exception. The session (FreeSession) releases the files afterwards.
// Thread: runs entirely on the calling thread (the conversion thread). The progress callback is
// called on it; StopRequested may be written by any thread.
#pragma once

#include "engine/SessionState.h"
#include "engine/SessionTypes.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct AVFormatContext;
struct TOutputContext; // Output.h
struct TAudioChainPlan; // AudioFilters.h
struct TAudioSource;    // AudioAnalysis.h
struct AVFrame;
struct AVPacket;
struct AVStream;

// The progress report of a run: FileIndex is the input of the packet just processed (-1 in the
// final report), durations in microseconds, CurrentSize in bytes, BitRate in kbit/s; Quality,
// FPS and FrameNumber are those of the first video output (-1 without one).
using TRunProgress =
    std::function<void(int FileIndex, int64_t TotalDuration, int64_t CurrentDuration,
                       int64_t CurrentSize, float BitRate, float Quality, int FPS, int FrameNumber)>;

inline constexpr int64_t DefaultReportInterval = 500000; // microseconds

// The consumers of decoded and encoded pictures (the frame hook pipeline and the preview).
// Empty by default: pictures go straight from the decoder to the output stage.
struct TFrameHooks {
    // A hook callback is installed; video stream copy is then refused.
    bool CustomHook = false;
    // Video hook modules are loaded; video stream copy is then refused.
    bool HookModules = false;
    // A preview flag is set; video stream copy is then refused. Read once at preparation.
    std::function<bool()> PreviewWanted;
    // Called with each decoded picture (its time stamp in the input stream's Pts) before it is
    // filtered, scaled and encoded; may change the picture in place.
    std::function<void(TInputStream& Input, AVFrame* Picture)> PreProcess;
    // Called by the output stage with each encoded (or raw) picture.
    std::function<void(TOutputStream& Output, const AVFrame* Picture)> PreviewHandOff;
};

struct TTranscodeSettings {
    int64_t ReportInterval = DefaultReportInterval; // microseconds between progress reports
    TFrameHooks Hooks;
    // Called at each safe point of the run (before each packet is read, before each picture is
    // encoded), before the stop request is tested there; may block while the run is paused.
    std::function<void()> PausePoint;
    // Audio encoders run on threads of their own (TOutputContext::AudioEncoderThreads).
    bool AudioEncoderThreads = true;
};

// printf-style formatting into a string.
std::string FormatText(const char* Format, ...) __attribute__((format(printf, 1, 2)));
// The libraries' own text for an error code ("Invalid argument").
std::string LibraryReason(int Code);
// The media type of an output stream (its encoder's, else its parameters') and of an input.
int MediaTypeOf(const TOutputStream& Ost);
int MediaTypeOf(const TInputStream& Ist);
// How many frames the stream holds as far as the container tells: its frame count, else its
// length (the stream's duration, its "DURATION" tag, the file's duration) times its frame rate
// (audio: packets of frame_size samples, 1024 when unknown). The automatic stream choice
// prefers the stream with the most (the libraries no longer publish how many frames their
// stream analysis saw).
int64_t ProbedFrameCount(const AVStream* St, const AVFormatContext* Ic);

// Runs the whole conversion of Session and, when the loop ended without a stop request (nor a
// read of an input that the inputs' interrupt callback ended), gives the output files their
// names (Session.PublishOutputs). Returns true (Completed) then. A stopped run leaves its files
// as temporaries, which go with the session. Raises FFmpegException on failure.
bool Transcode(TSessionState& Session, const std::atomic<bool>& StopRequested,
               const TRunProgress& Progress = {}, const TTranscodeSettings& Settings = {});

// The run behind Transcode. Prepare builds the records, opens the codecs and writes the headers;
// Loop runs the packets; Finish drains, writes the trailers, reports and closes the codecs.
// Run does all three. The records stay readable after Prepare (tests inspect the mapping).
class TTranscoder {
public:
    TTranscoder(TSessionState& Session, const std::atomic<bool>& StopRequested,
                TRunProgress Progress = {}, TTranscodeSettings Settings = {});
    // Closes codecs still open (under the codec lock) and frees the run tables.
    ~TTranscoder();
    TTranscoder(const TTranscoder&) = delete;
    TTranscoder& operator=(const TTranscoder&) = delete;

    bool Run();
    void Prepare();
    void Loop();
    // Returns Completed.
    bool Finish();

    const std::vector<std::unique_ptr<TInputStream>>& InputStreams() const { return InputStreams_; }
    const std::vector<std::unique_ptr<TOutputStream>>& OutputStreams() const {
        return OutputStreams_;
    }
    const TRunCounters& Counters() const { return Counters_; }

private:
    struct TInputFileState {
        int FirstStream = 0; // index of its first record in InputStreams_
        int StreamCount = 0;
        bool Ended = false;
        bool NoPacketNow = false; // the demuxer said "try again"
    };

    // ---- preparation (mapping and codec opening) ----
    void BuildInputStreams();
    void CheckOutputsAndMaps();
    void BindOutputStreams();
    TInputStream* ChooseSource(const TOutputStream& Ost, int MediaType) const;
    // The input stream an output's "audio_stream" names (null when it names none); raises
    // FFmpegException when that stream is missing or not audio.
    TInputStream* ChosenAudioSource(const TOutputStream& Ost) const;
    void DeriveCodecParameters();
    void SetUpStreamCopy(TOutputStream& Ost);
    void SetUpAudioEncoding(TOutputStream& Ost);
    void SetUpVideoEncoding(TOutputStream& Ost, const TOutputFileEntry& Entry);
    void ConfigureFilterGraph(TOutputStream& Ost);
    void OpenPassLog(TOutputStream& Ost);
    void OpenEncoders();
    void InitBitstreamFilters(TOutputStream& Ost);
    void OpenDecoders();
    void OpenDecoder(TInputStream& Ist);
    void InitInputStreams();
    // ---- audio filter chains (AudioFiltersPlan.cpp) ----
    // Gives every encoded audio stream of an output with "af" text or sound shaping its chain;
    // measures first where the shaping needs it. Returns early when a stop ends the measuring.
    void PlanAudioFilters();
    // The gain, cuts and fades of Entry's chain, measured on Ost's source; false when stopped.
    bool ShapeSound(const TOutputFileEntry& Entry, const TOutputStream& Ost, TAudioChainPlan& Plan);
    TAudioSource AudioSourceOf(const TOutputStream& Ost) const;
    // Decoded audio through the stream's chain (when it has one) into the output stage.
    void OutputAudio(TOutputStream& Ost, TInputStream& Ist, AVFrame* Frame);
    // The end of Ist's audio: what the chains of its streams still hold goes out.
    void FlushAudioChains(TInputStream& Ist);
    void MapMetadata();
    void CopyChapters();
    void WriteHeaders();
    void PrintMapping();
    [[noreturn]] void FailAfterMapping(const std::string& Message);

    // ---- the loop ----
    int ChooseInputFile();
    bool ReadAndProcess(int FileIndex);
    void AdjustTimestamps(TInputStream& Ist, AVPacket* Packet);
    int ProcessPacket(TInputStream& Ist, const AVPacket* Packet, bool DrainEncoders);
    void OutputDecoded(TInputStream& Ist, AVFrame* Frame);
    // A view of Frame without its first Skip microseconds; null when nothing is left.
    AVFrame* TrimAudio(AVFrame* Frame, int64_t Skip, AVRational TimeBase);
    void OutputPicture(TOutputStream& Ost, TInputStream& Ist, AVFrame* Picture);
    void PullFilteredPictures(TOutputStream& Ost, TInputStream& Ist);
    void EncodePicture(TOutputStream& Ost, TInputStream& Ist, AVFrame* Picture);
    void FlushFilterGraphs(TInputStream& Ist);
    void CopyPacket(TOutputStream& Ost, TInputStream& Ist, const AVPacket* Packet,
                    int64_t PacketTime);
    void DrainEncodersOf(TInputStream& Ist);
    void EndOfFile(int FileIndex, bool& LeaveLoop);
    void WriteFrame(TOutputStream& Ost, AVPacket* Packet);
    void FilterAndWrite(TOutputStream& Ost, AVPacket* Packet, size_t FilterIndex);
    void MuxPacket(TOutputStream& Ost, AVPacket* Packet);
    void FlushBitstreamFilters(TOutputStream& Ost);
    void ReportProgress(bool IsLast, int FileIndex);
    // For a finished run: a warning (Session's AddWarning) when the inputs were read to their
    // end and the output falls short of the length they announced by more than 2 % and more
    // than a second.
    void CheckOutputLength();
    void CloseCodecs();
    void WriteLoudnessTags(TOutputFileEntry& Entry);

    bool IsFirstOfGroup(const TOutputStream& Ost) const;
    TOptionState& Options() { return Session_.Options(); }
    const TOptionState& Options() const { return Session_.Options(); }

    TSessionState& Session_;
    const std::atomic<bool>& StopRequested_;
    TRunProgress Progress_;
    TTranscodeSettings Settings_;

    std::vector<TInputFileState> InputFiles_;
    std::vector<std::unique_ptr<TInputStream>> InputStreams_;
    std::vector<std::unique_ptr<TOutputStream>> OutputStreams_;
    int FirstFileStreams_ = 0;
    TRunCounters Counters_;
    std::unique_ptr<TOutputContext> OutputContext_;
    std::vector<AVCodecContext*> OpenedEncoders_;
    bool MappingPrinted_ = false;
    bool Prepared_ = false;
    bool Finished_ = false;
    bool InputsExhausted_ = false; // the loop ended because every input had ended
    bool ReadInterrupted_ = false; // a stop ended a read of an input: the run did not finish

    TFramePtr DecodedFrame_;                // reused for every decoded frame
    TFramePtr FilteredFrame_;               // reused for every picture taken from a filter graph
    TFramePtr TrimmedFrame_;                // reused for audio cut at the start of the time line
    TPacketPtr Packet_;                     // reused for every packet read
    TPacketPtr CopyPacket_;                 // reused for every copied packet
    std::vector<TPacketPtr> FilterPackets_; // reused for bit-stream filter output, per stage
    std::vector<TPacketPtr> FilterInputs_;  // what went into each stage, until it came out

    int64_t TimerStart_ = 0;
    int64_t LastReport_ = 0;
    int JoinInput_ = 0;
};
