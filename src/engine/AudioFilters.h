// The audio filter chain of an encoded output stream: decoded audio goes through it before the
// output stage resamples it to the encoder's rate, layout and format (AudioOut).
//
//   abuffer -> [atrim] -> [volume] -> [afade in] -> [afade out] -> user "af" text -> abuffersink
//
// The first four are the program's own (silence trimmed, loudness normalised, fades; see
// TAudioChainPlan); the user's text follows them, so it hears what the program made. The
// chain is made when the first frame arrives, in that frame's rate, format and layout; later
// frames in another format (a joined input, a decoder changing its output) are converted to it
// first. Time stamps: the first frame enters at its time on the run's time line (microseconds)
// and every later one right after the samples before it, so the trim and fade positions count
// the samples that went in (as the measuring pass counts them: AudioAnalysis.h), whatever gaps
// the input's own time stamps have or a joined input's offset makes; what comes out is stamped
// the same way from the same start (a trimmed start or a filter that changes the length leaves
// no gap and no overlap).
//
// Ownership: the chain owns its graph and frames. Thread: the run's thread only. Failures raise
// FFmpegException with the engine's texts.
#pragma once

#include "engine/SessionTypes.h"

#include <cstdint>
#include <functional>
#include <string>

extern "C" {
#include <libavutil/channel_layout.h>
}

struct AVFrame;

// What the program puts before the user's filters. Times are microseconds of the run's time
// line (NoMediaTime: not set).
struct TAudioChainPlan {
    std::string UserFilters;        // the "af" text (may be empty)
    double GainDb = 0;              // constant gain (0: none)
    int64_t TrimStart = NoMediaTime; // what lies before is dropped
    int64_t TrimEnd = NoMediaTime;   // what lies from here on is dropped
    // Where the run's time 0 lies on the source's own time line: the cuts go to the sample
    // their source times round to (so a piece ending where the next one starts loses and
    // doubles nothing, whatever the rounding of either).
    int64_t TrimOrigin = 0;
    double FadeIn = 0;              // seconds of fade in from FadeInStart
    int64_t FadeInStart = 0;
    double FadeOut = 0;             // seconds of fade out ending at FadeOutEnd
    int64_t FadeOutEnd = NoMediaTime;
    bool Empty() const;
};

class TAudioChain {
public:
    // Receives each filtered frame and its time (microseconds); the frame is the chain's, valid
    // during the call.
    using TSink = std::function<void(AVFrame* Frame, int64_t Time)>;

    explicit TAudioChain(TAudioChainPlan Plan);
    ~TAudioChain();
    TAudioChain(const TAudioChain&) = delete;
    TAudioChain& operator=(const TAudioChain&) = delete;

    // One decoded frame; Time (microseconds of the run's time line) counts for the first only.
    void Push(const AVFrame* Frame, int64_t Time, const TSink& Out);
    // End of the stream: what the filters still hold comes out. Calling it again does nothing.
    void Flush(const TSink& Out);

    const TAudioChainPlan& Plan() const { return FPlan; }

private:
    void Build(const AVFrame* Like);
    // Frame in the chain's input format, stamped after the samples before it, as a frame of
    // the chain's own.
    AVFrame* Adapt(const AVFrame* Frame, const TSink& Out);
    // The chain's conversion frame with room for Capacity samples of its input format.
    AVFrame* Converted(int Capacity);
    // What the converter of an earlier format still holds goes in; the converter is dropped.
    void FlushAdapter(const TSink& Out);
    // Sends Frame (unreferenced afterwards) into the chain and passes on what comes out.
    void Feed(AVFrame* Frame, const TSink& Out);
    void Pull(const TSink& Out);

    TAudioChainPlan FPlan;
    TFilterGraphPtr FGraph;
    AVFilterContext* FSource = nullptr;
    AVFilterContext* FSink = nullptr;
    int FRate = 0;                  // the chain's input
    int FFormat = -1;
    AVChannelLayout FLayout{};
    TSwrContextPtr FAdapter;        // converts frames in another format
    int FAdaptedRate = 0, FAdaptedFormat = -1, FAdaptedChannels = 0;
    uint64_t FAdaptedMask = 0;
    TFramePtr FConverted, FFiltered;
    int64_t FStart = NoMediaTime;   // time of the first frame that went in
    int64_t FNextPts = 0;           // where the last frame fed ends, in input samples
    int64_t FOutSamples = 0;        // samples that came out, at the sink's rate
    bool FFlushed = false;
};

// Whether Text can serve as an audio filter chain: empty when it can, else the reason in a
// person's words ("There is no audio filter \"echoo\"", the library's text otherwise).
std::string CheckAudioFilters(const std::string& Text);
