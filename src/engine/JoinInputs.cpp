// The end of an input file during the loop: with "shortest" the run ends; in join mode the
// input's decoders are drained and the next input's streams continue the output's time line,
// counts and sample queue where this one's ended.

#include "engine/Transcode.h"

#include "engine/Output.h"

#include <algorithm>
#include <cmath>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

void TTranscoder::EndOfFile(int FileIndex, bool& LeaveLoop) {
    InputFiles_[size_t(FileIndex)].Ended = true;
    const bool join = Session_.JoinMode();
    if (Options().Shortest && !join) {
        LeaveLoop = true;
        return;
    }
    if (!join)
        return;

    const int f = JoinInput_;
    const bool last = f + 1 >= int(InputFiles_.size());
    // 1. The decoders of this input give their last pictures and samples; the encoders are
    //    shared by all inputs and keep running (they are drained after the last input only).
    const TInputFileState& state = InputFiles_[size_t(f)];
    for (int s = 0; s < state.StreamCount; ++s) {
        TInputStream& ist = *InputStreams_[size_t(state.FirstStream + s)];
        if (!ist.DecodingNeeded)
            continue;
        ProcessPacket(ist, nullptr, last);
        avcodec_flush_buffers(ist.Decoder.get());
        ist.Flushed = true;
    }
    // 4./5. The next group continues where this one ended.
    double end = 0;
    for (size_t i = 0; i < OutputStreams_.size(); ++i) {
        TOutputStream& ost = *OutputStreams_[i];
        if (ost.GroupIndex != f)
            continue;
        const size_t next = i + size_t(FirstFileStreams_);
        if (last || next >= OutputStreams_.size())
            continue; // the last group's streams report the end of the run
        // The following stream reports from here on.
        ost.ReportThis = false;
        if (ost.EncodingNeeded && MediaTypeOf(ost) == AVMEDIA_TYPE_AUDIO)
            EndAudioInput(*OutputContext_, ost);
        TOutputStream& following = *OutputStreams_[next];
        following.SyncOpts = ost.SyncOpts;
        following.FrameNumber = ost.FrameNumber;
        following.CurrentTs = ost.CurrentTs;
        following.SentTs = ost.SentTs;
        std::swap(following.Fifo, ost.Fifo);
        // The time line continues at the next output time stamp of the stream.
        const double t = ost.EncodingNeeded ? double(ost.SyncOpts) * av_q2d(ost.Encoder->time_base)
                                            : double(ost.CurrentTs) * av_q2d(ost.Stream->time_base);
        end = std::max(end, t);
    }
    if (last) {
        LeaveLoop = true;
        return;
    }
    Session_.InputEntries()[size_t(f + 1)].TsOffset += std::llround(end * 1e6);
    JoinInput_ = f + 1;
}
