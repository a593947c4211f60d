// What the output stage's parts (Output.cpp: video, AudioOutput.cpp, SubtitleOutput.cpp) share:
// failures in the engine's texts, the run's option state and sync clock, the stream's own frames
// and packet, and the hand-over of an encoded packet to the run's writer. Only the output stage
// includes it.
#pragma once

#include "engine/Output.h"

#include <string>

struct AVCodecContext;

namespace zeltaoutput {

// Raises FFmpegException with Msg.
[[noreturn]] void Raise(const std::string& Msg);
// printf-style formatting into a string (at most 511 bytes).
std::string Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));
TOptionState& Opts(TOutputContext& Ctx);
// A failure the run may survive: raised with ExitOnError, otherwise logged and the piece dropped.
void RaiseOrLog(TOutputContext& Ctx, const std::string& Msg);
// Seconds of the sync input stream's current position on the output time line.
double SyncTime(TOutputContext& Ctx, const TOutputStream& S, const TInputStream& In);
// The frame held by F, allocated on first use.
AVFrame* OwnFrame(TFramePtr& F);
// The stream's packet for what its encoder gives back, allocated on first use.
AVPacket* OwnPacket(TOutputStream& S);
// The encoder's time base; an audio encoder left without one counts samples.
AVRational EncoderTimeBase(const AVCodecContext* Enc);
// Stamps an encoded packet for the output stream, rescales its times from the encoder time base
// to the stream's and writes it.
void Deliver(TOutputContext& Ctx, TOutputStream& S, AVPacket* Pkt);

} // namespace zeltaoutput
