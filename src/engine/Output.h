// The output stage of a run: turns decoded audio, pictures and subtitles into encoded packets of
// one output stream and hands them to the run's packet writer (TOutputContext::WriteFrame).
//
// Audio is converted (rate, channel layout, sample format) by one resampler, kept in step with
// the time line (silence inserted, samples dropped, or the resampling rate nudged), queued in
// the stream's sample FIFO and cut into encoder frames. Pictures are duplicated or dropped to
// keep the output frame rate, cropped and scaled (unless a filter graph already did that) and
// encoded. Subtitles are re-timed and encoded. (Video in Output.cpp, audio in AudioOutput.cpp,
// subtitles in SubtitleOutput.cpp; what they share in OutputStage.h.)
//
// Two rules keep every output time line strictly forward: with VideoSyncMethod 0 (pictures pass
// through with their own times) a picture whose time would repeat the previous picture's is
// dropped and counted as dropped, because no muxer accepts two packets at one time; and an
// audio time line kept in step with a video stream never moves backward (late samples are
// dropped, never re-stamped into the past).
//
// Time stamps: TOutputStream::SyncOpts counts output units in the encoder time base — samples
// for audio (the encoder time base is expected to be 1/sample_rate; frames are stamped with
// SyncOpts rescaled from 1/sample_rate to it), frames for video. Every packet handed to
// WriteFrame has stream_index set and pts, dts and duration ALREADY RESCALED to the output
// stream's time base (av_packet_rescale_ts from the encoder time base); WriteFrame only runs the
// bit-stream filters and the interleaving writer. The packet stays owned by the output stage:
// WriteFrame may take its content (av_interleaved_write_frame does), and the output stage
// unreferences it afterwards.
//
// What the run provides: open encoders (Stream->Encoder), Stream->Stream, Stream->Container, the
// video fields of the mapping (crop bands, expected and original input size, scaler when
// scaling is needed), and for each call the input stream's Pts (microseconds, the time of the
// first sample or of the picture given) on the sync input stream. The output stage creates the
// sample FIFO (encoder format) when the run has not, the resampler, its own frames, packet and
// buffers; it counts bytes, duplicated and dropped frames in TOutputContext::Counters.
//
// Thread: the run's thread only, except the audio encoders themselves with AudioEncoderThreads
// (see AudioEncoderThread.h; the encoder thread stops at DrainAudio, EndAudioInput and
// StopAudioEncoder). Errors raise FFmpegException with the engine's texts; sample
// conversion, cropping and subtitle time-stamp errors are logged instead when ExitOnError is off.
#pragma once

#include "engine/SessionState.h"
#include "engine/SessionTypes.h"

#include <atomic>
#include <cstdint>
#include <functional>

extern "C" {
#include <libavutil/samplefmt.h>
}

struct AVCodec;
struct AVFrame;
struct AVSubtitle;

// What the audio, video and subtitle output functions need from the run besides the stream
// records: the option state, the counters, the stop request and the packet writer (which runs
// the stream's bit-stream filters and the interleaving writer).
struct TOutputContext {
    TSessionState& Session;
    TRunCounters& Counters;
    const std::atomic<bool>& StopRequested;
    // Writes one encoded packet of Stream (pts/dts/duration already in the stream time base).
    std::function<void(TOutputStream& Stream, AVPacket* Packet)> WriteFrame;
    // Called with each encoded picture when a preview or hook consumer wants it; may be empty.
    std::function<void(TOutputStream& Stream, const AVFrame* Picture)> PreviewHandOff;
    // Called before each picture is encoded, ahead of the stop check; may block while the run
    // is paused. May be empty.
    std::function<void()> PausePoint;
    // Audio encoders (other than plain PCM) run on a thread of their own, overlapping with the
    // decoding and resampling of the next samples. The packets come out the same.
    bool AudioEncoderThreads = false;
};

// Feeds one decoded audio frame (any sample format, layout and rate; volume already applied).
// Encodes every full encoder frame the FIFO then holds. Input Samples is not modified.
void AudioOut(TOutputContext& Ctx, TOutputStream& Stream, TInputStream& Input,
              const AVFrame* Samples);

// Emits one decoded picture 0..n times as the frame rate requires. Without a filter graph the
// picture is in the decoder's size and format and is cropped and scaled here; with one
// (Stream.Graph set) it is one picture taken from the graph's sink, already in the encoder's
// size and format. FrameSize receives the bytes encoded by this call (0 when nothing came out).
// Picture is not modified (the encoder gets references).
void VideoOut(TOutputContext& Ctx, TOutputStream& Stream, TInputStream& Input, AVFrame* Picture,
              int& FrameSize);

// Encodes one decoded subtitle; Pts is the packet's pts in the input stream's time base
// (AV_NOPTS_VALUE when it had none). Sub's display times and pts are changed as encoded.
void SubtitleOut(TOutputContext& Ctx, TOutputStream& Stream, TInputStream& Input, AVSubtitle* Sub,
                 int64_t Pts);

// End of stream: converts what the resampler still holds, encodes the FIFO's rest (a short
// last frame when the encoder accepts one, otherwise padded with silence), then flushes the
// encoder and writes every remaining packet. Afterwards the encoder accepts no more input until
// it is flushed (avcodec_flush_buffers) or reopened. Calling it again writes nothing.
void DrainAudio(TOutputContext& Ctx, TOutputStream& Stream);
// The end of one input of a joined run: what the resampler still holds moves into the FIFO,
// which the next input's stream takes over; the encoder keeps running (every packet it made so
// far is written, so the next stream starts from this one's counts).
void EndAudioInput(TOutputContext& Ctx, TOutputStream& Stream);
// Stops the stream's encoder thread, dropping what it still holds; the run calls it before it
// closes the encoder. Nothing when the encoder has no thread.
void StopAudioEncoder(TOutputStream& Stream);
// End of stream for video: flushes the encoder, writes every remaining packet, appends the
// pass-1 statistics. Calling it again writes nothing.
void DrainVideo(TOutputContext& Ctx, TOutputStream& Stream);

// Appends one line for the last encoded picture of a video stream to the file named by
// VStatsFileName (created on the first call; "fopen fail: " + name when it cannot be).
// FrameSize is the byte count VideoOut returned. Nothing for other media types.
void WriteVideoStats(TOutputContext& Ctx, TOutputStream& Stream, int FrameSize);

// Volume for decoded audio, 256 = unchanged: 16-bit samples s become (s * Volume + 128) >> 8
// clamped to the 16-bit range; other integer formats get the same gain with their own range,
// float formats are multiplied by Volume / 256. Makes the frame writable first. Returns 0, or a
// negative library error code when the frame could not be made writable (nothing changed).
int ApplyVolume(AVFrame* Frame, int Volume);

// The requested format when the encoder lists none or lists it, otherwise its first one.
AVSampleFormat ChooseSampleFormat(const AVCodec* Codec, AVSampleFormat Requested);
// The encoder's supported rate closest to Requested (the first on ties), or Requested when it
// lists none. A different result logs "Requested sampling rate unsupported using closest
// supported (%d)" at llWarning.
int ChooseSampleRate(const AVCodec* Codec, int Requested);
