// The tables a conversion session builds (inputs, outputs and their streams) and the working
// records of a run. The session (AddInputFile, AddOutputFile, New*Stream, FreeSession) fills the
// file tables; the run (stream mapping, codec opening, the transcoding loop and the audio, video
// and subtitle output) builds the stream records from them.
//
// Ownership: every library object is held by the record that created it, in a unique_ptr with
// its deleter. In join mode several output entries name one container: the first entry owns it,
// the others hold a non-owning pointer (Shared).
// Thread: built on the main thread before the run, then used only by the run's thread.
#pragma once

#include "engine/FFTypes.h"
#include "engine/FFUtils.h"
#include "engine/OptionState.h"
#include "engine/PictureGeometry.h"
#include "engine/SafeWrite.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
#include <libavutil/samplefmt.h>
}

struct AVAudioFifo;
struct AVFormatContext;
struct AVBufferPool;
struct AVCodec;
struct AVCodecContext;
struct AVFilterContext;
struct AVFilterGraph;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwrContext;
class TLoudnessMeter;
class TAudioEncoderThread;
class TAudioChain;

struct TCodecContextDeleter {
    void operator()(AVCodecContext* c) const;
};
using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextDeleter>;

// An output container. On release: the file is closed when the format uses one (UnicodeIOClose;
// the run may have closed it already), and the context is freed with its streams, chapters and
// metadata. The file itself is the entry's TSafeFile's.
struct TOutputContextDeleter {
    void operator()(AVFormatContext* c) const;
};
using TOutputContextPtr = std::unique_ptr<AVFormatContext, TOutputContextDeleter>;

struct TFrameDeleter {
    void operator()(AVFrame* f) const;
};
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;

struct TPacketDeleter {
    void operator()(AVPacket* p) const;
};
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;

struct TFilterGraphDeleter {
    void operator()(AVFilterGraph* g) const;
};
using TFilterGraphPtr = std::unique_ptr<AVFilterGraph, TFilterGraphDeleter>;

struct TSwrDeleter {
    void operator()(SwrContext* s) const;
};
using TSwrContextPtr = std::unique_ptr<SwrContext, TSwrDeleter>;

struct TAudioFifoDeleter {
    void operator()(AVAudioFifo* f) const;
};
using TAudioFifoPtr = std::unique_ptr<AVAudioFifo, TAudioFifoDeleter>;

struct TBufferPoolDeleter {
    void operator()(AVBufferPool* p) const; // defined with the output stage
};
using TBufferPoolPtr = std::unique_ptr<AVBufferPool, TBufferPoolDeleter>;

struct TFileDeleter {
    void operator()(FILE* f) const;
};
using TFilePtr = std::unique_ptr<FILE, TFileDeleter>;

// ---- session tables (filled by AddInputFile, AddOutputFile and New*Stream) ----
//
// The deleters above are defined in SessionTypes.cpp.

// An opened input container; released with UnicodeCloseInput.
struct TInputContextDeleter {
    void operator()(AVFormatContext* c) const;
};
using TInputContextPtr = std::unique_ptr<AVFormatContext, TInputContextDeleter>;

// One opened input file. Decoders and DecoderSetups have one entry per stream of Context, indexed
// by stream index.
struct TInputFileEntry {
    TInputContextPtr Context;
    // Microseconds added to every time stamp: InputTsOffset, minus the seek target (StartTime
    // plus the container's start time) unless CopyTs.
    int64_t TsOffset = 0;
    // Where the input seek went (StartTime given before the input, microseconds from the file's
    // start): the output holds the file from there on.
    int64_t SeekStart = 0;
    // The decoder named by the codec-name option current when the file was opened, or null (data
    // and attachment streams always null).
    std::vector<const AVCodec*> Decoders;
    // A decoder context prepared from the stream's parameters with the options in force when the
    // file was opened: packet time base, thread count, the generic options with mask 18 (video)
    // or 10 (audio), a pixel format of "none" replaced by yuv420p. Allocated for Decoders[i], or
    // for the default decoder of the codec id (ctx->codec is null when there is none); not
    // opened. Null for data and attachment streams. The run takes the contexts of the streams it
    // decodes (std::move) and opens them with avcodec_open2(ctx, ctx->codec, nullptr).
    std::vector<TCodecContextPtr> DecoderSetups;
};

// One stream created on an output file by NewVideoStream/NewAudioStream/NewSubtitleStream.
struct TOutputStreamSetup {
    AVStream* Stream = nullptr;            // owned by the output context; Stream->index = position
    // The encoder context, allocated for Encoder (private options reachable) and configured from
    // the option state; not opened. For copy streams a context without codec carrying the type,
    // tag and sample aspect ratio.
    TCodecContextPtr Codec;
    const AVCodec* Encoder = nullptr;      // chosen by name or guessed; null for copy streams
    bool StreamCopy = false;
    TBitstreamFilterChain Filters;         // the pending chain taken at creation
};

// One output file entry. In join mode entries 1..n-1 share entry 0's container and streams.
struct TOutputFileEntry {
    // The file being written: a private temporary beside its planned name, given that name
    // only when the run has finished it (TSessionState::PublishOutputs) and removed otherwise
    // when the entry goes. Null for formats without a file and for shared entries. Declared
    // before Owned: the context writes through its descriptor and is closed first.
    std::unique_ptr<TSafeFile> Safe;
    bool Replace = false;                  // Safe is published over a file of its name
    // The input stream (of the first input, or of the entry's own input when joining) its
    // audio streams take instead of the automatic choice; -1: the automatic choice.
    int AudioStream = -1;
    TOutputContextPtr Owned;               // null for a shared entry
    AVFormatContext* Context = nullptr;    // the container (owned or shared)
    // The streams of the container, in stream order: the owner's OwnStreams. Never null for an
    // entry the session made; stays valid when the entry table grows.
    std::vector<TOutputStreamSetup>* Streams = nullptr;
    std::unique_ptr<std::vector<TOutputStreamSetup>> OwnStreams; // null for a shared entry
    bool UsesFilterGraph = false;          // VideoFilters was set when the file was added
    // The source's cover, copied into CoverStream after the header (both null without one).
    AVStream* CoverStream = nullptr;
    const AVStream* CoverSource = nullptr;
    // Measures the first encoded audio stream when loudness tags were asked for.
    std::shared_ptr<TLoudnessMeter> Loudness;
    // The audio filter chain of its encoded audio streams: the user's text and the program's
    // own normalisation, fades and trimming (AudioFilters.h).
    std::string AudioFilters;
    TAudioShaping Shaping;
    // Why the loudness tags could not be written into the finished file; empty when they were
    // (or were not asked for). The file is kept without them.
    std::string TagsError;
};

// The name an output entry is shown by: its planned file name while its file is a temporary.
const char* ShownName(const TOutputFileEntry& Entry);

// ---- run records ----

// One stream of an input file. Pts is the presentation time (microseconds) of the data being
// output right now: the decoded frame's own time stamp, or the packet's dts for stream copy.
struct TInputStream {
    int FileIndex = 0;
    int StreamIndex = 0;
    AVStream* Stream = nullptr;
    TCodecContextPtr Decoder;              // opened when DecodingNeeded; closed by the run
    const AVCodec* DecoderCodec = nullptr;
    bool DiscardPending = true;            // no output stream takes it (its packets are dropped)
    bool DecodingNeeded = false;
    int64_t Pts = 0;
    int64_t NextPts = NoMediaTime;
    bool IsStart = true;
    bool PastRecordingTime = false;
    int64_t RateEmuStart = 0;
    bool MultiFrameWarned = false;
    bool Flushed = false;
    double TsScale = 0;                    // itsscale of this stream; 0 = none
    int Rotation = 0;                      // clockwise turn that shows the pictures upright
    std::unique_ptr<TPictureTurner> Turner; // turns decoded pictures upright (Rotation != 0)
};

struct TCropBands {
    int Top = 0, Bottom = 0, Left = 0, Right = 0;
};

struct TOutputStream {
    int FileIndex = 0;
    int StreamIndex = 0;
    AVStream* Stream = nullptr;
    TOutputStreamSetup* Setup = nullptr;   // the session's record of this stream
    AVCodecContext* Encoder = nullptr;     // Setup->Codec
    TInputStream* Source = nullptr;
    TInputStream* Sync = nullptr;
    bool EncodingNeeded = false;
    int64_t SyncOpts = 0;                  // next output time stamp, encoder time base
    int FrameNumber = 0;
    bool ReportThis = false;
    int JoinCodecId = 0;

    // video
    bool CropNeeded = false;
    bool ResampleNeeded = false;
    TCropBands OriginalBands, Bands;
    TFramePtr ResamplePicture;
    TSwsContextPtr Scaler;
    int ExpectedWidth = 0, ExpectedHeight = 0;
    AVPixelFormat ExpectedPixFmt = AV_PIX_FMT_NONE;
    int OriginalWidth = 0, OriginalHeight = 0;
    TFilterGraphPtr Graph;
    AVFilterContext* GraphSource = nullptr;
    AVFilterContext* GraphSink = nullptr;

    // audio
    // The audio filter chain between the decoder and AudioOut (null: none). In join mode it
    // moves to the next input's stream with the sample FIFO.
    std::shared_ptr<TAudioChain> Chain;
    TAudioFifoPtr Fifo;
    bool AudioResampleNeeded = false;
    TSwrContextPtr Resampler;
    AVSampleFormat ConvertFrom = AVSampleFormat(-6), ConvertTo = AVSampleFormat(-6);

    TFilePtr PassLogFile;                  // pass-1 statistics

    // run bookkeeping
    int OverallIndex = 0;                  // position among all output streams of the run
    int GroupIndex = 0;                    // join mode: the input this record's group serves
    // The stream's current time stamp (stream time base): end (dts + duration) of the last
    // packet written. Drives the progress time, and the input choice of streams that encode
    // no audio.
    int64_t CurrentTs = 0;
    // Encoded audio: the end of the samples handed to the encoder (stream time base), -1 before
    // the first. The input choice goes by it: packets come back from an encoder thread when
    // that thread gets to them, and a choice that waited on them would make the output (the
    // end of a "shortest" run) depend on the thread's timing.
    int64_t SentTs = -1;
    TWholeFile PassLogIn;                  // pass-2 statistics, the encoder's stats_in
    AVRational GraphSourceSar{0, 1};       // the aspect ratio pictures enter the graph with
    bool GraphFlushed = false;             // the graph's end of stream was signalled

    // ---- output stage (Output.h: AudioOut, VideoOut, SubtitleOut and the drains) ----
    // Set by the run before the first output call:
    AVFormatContext* Container = nullptr;  // the output file; its format tells whether the frame
                                           // rate may vary (VideoSyncMethod < 0). Null: constant.
    // Kept by the output functions (created on first use, grown, never shrunk):
    TPacketPtr EncodePacket;               // receives the encoder's packets
    TFramePtr EncodeFrame;                 // audio: the encoder input frame
    TLoudnessMeter* Loudness = nullptr;    // audio: the file's meter, fed every encoder frame
    int EncodeFrameCapacity = 0;           //   samples its buffers hold
    // audio: the encoder's own thread, while it runs there (TOutputContext::AudioEncoderThreads)
    std::shared_ptr<TAudioEncoderThread> EncoderThread;
    TFramePtr ConvertFrame;                // audio: the resampler's output (encoder format)
    TFramePtr SilenceFrame;                // audio: silence in the input format
    int ResamplerInRate = 0;               // the input the resampler was made for (with
    int ResamplerInChannels = 0;           //   ConvertFrom as its format)
    uint64_t ResamplerInMask = 0;
    TFramePtr SourceView;                  // video: the input picture, cropped (a reference)
    TBufferPoolPtr PicturePool;            // video: encoder-size pictures, recycled
    int PicturePoolSize = 0;               // video: bytes of one pooled encoder-size picture
    std::vector<uint8_t> SubtitleBuffer;   // 1048576 bytes once a subtitle was encoded
    // The last coded video packet's statistics (quality in lambda units, picture type, the
    // squared errors per plane when PSNR is computed): for the statistics line and progress.
    int CodedQuality = 0;
    int CodedPictType = 0;                 // AVPictureType
    uint64_t CodedError[4] = {};
};

// Counters of a run shared by the loop, the output functions and the progress report.
struct TRunCounters {
    int64_t VideoBytes = 0;
    int64_t AudioBytes = 0;
    int64_t GlobalHeaderBytes = 0;
    int DupFrames = 0;
    int DropFrames = 0;
    bool DupDropChanged = false;
    std::array<int, 52> QpHistogram{};     // qphist: coded quality of the first video stream

    // ---- output stage ----
    TFilePtr VStatsFile;                   // the per-frame video statistics, opened on first use
};
