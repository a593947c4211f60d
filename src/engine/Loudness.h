// Loudness of a programme (ITU-R BS.1770 / EBU R128) as libebur128 measures it: integrated
// loudness with its absolute and relative gates, optionally the loudness range, the sample
// peak, and the gating blocks themselves, so that several programmes can be measured as one
// (an album). Fed with decoded or encoder frames of any sample format, or with interleaved
// float samples in steps of 100 ms (the measuring pass, which also needs the blocks).
//
// Memory: one value per 100 ms of audio (the library's block list; the kept blocks). No Qt;
// one thread at a time.
#pragma once

#include <ebur128.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AVFrame;
struct AVChannelLayout;

struct TEbur128Deleter {
    void operator()(ebur128_state* S) const;
};
using TEbur128Ptr = std::unique_ptr<ebur128_state, TEbur128Deleter>;

// Makes a libebur128 state for Rate and Layout with the channel weights of the measure: the
// low-frequency channels left out, the side, back and surround channels counted 1.41 times.
// Mode is a set of EBUR128_MODE_* flags. Null when the library refuses (no channel, a rate
// out of its range, no memory).
TEbur128Ptr MakeEbur128(int Rate, const AVChannelLayout& Layout, int Mode);

// Copies Count samples of Frame from sample From on as interleaved floats into Out (Count x
// channels values; integers scaled to [-1, 1)). False for a sample format it does not know.
bool InterleaveAsFloat(const AVFrame* Frame, int From, int Count, float* Out);

// Integrated loudness (LUFS) of gating blocks given by their mean square energies: the blocks
// above the absolute gate (-70 LUFS), then those above the relative gate 10 LU below their
// mean. -HUGE_VAL when none passes.
double GatedLoudness(const std::vector<float>& BlockEnergies);
// The loudness of a mean square energy, and back.
double LufsOfEnergy(double Energy);
double EnergyOfLufs(double Lufs);

class TLoudnessMeter {
public:
    // The ReplayGain 2.0 reference level.
    static constexpr double ReferenceLufs = -18.0;

    enum TFeature : int {
        fRange = 1,  // loudness range (EBU Tech 3342)
        fBlocks = 2, // keep every gating block's energy (AddSteps only)
    };
    explicit TLoudnessMeter(int Features = 0);
    ~TLoudnessMeter();
    TLoudnessMeter(const TLoudnessMeter&) = delete;
    TLoudnessMeter& operator=(const TLoudnessMeter&) = delete;

    // Takes interleaved or planar samples of any of the libraries' sample formats; the first
    // frame fixes the rate and channel layout (a frame that differs restarts the filters, the
    // blocks measured so far stay).
    void AddFrame(const AVFrame* Frame);

    // The measuring pass: Frames interleaved float samples of Rate and Layout. With fBlocks,
    // Frames must be StepFrames(Rate) (the last piece may be shorter): the block that ends
    // with each step is kept from the fourth step on (a whole 400 ms block; a format change
    // starts the count again).
    void AddSteps(const float* Interleaved, int Frames, int Rate, const AVChannelLayout& Layout);
    static int StepFrames(int Rate) { return (Rate + 5) / 10; }

    // False before a whole 400 ms block has been measured or when every block is gated out.
    bool HasLoudness() const;
    double IntegratedLufs() const;   // -HUGE_VAL when nothing passes the gates
    double RangeLu() const;          // 0 without fRange or before 3 s were measured
    double Peak() const;             // largest absolute sample, 1.0 = full scale
    // With fBlocks: the energy of every block above the absolute gate, in time order.
    const std::vector<float>& BlockEnergies() const { return FBlocks; }

    // "REPLAYGAIN_TRACK_GAIN" ("%.2f dB", ReferenceLufs minus the loudness) and
    // "REPLAYGAIN_TRACK_PEAK" ("%.6f").
    std::string GainText() const;
    std::string PeakText() const;

private:
    bool Prepare(int Rate, const AVChannelLayout& Layout);

    int FFeatures = 0;
    TEbur128Ptr FState;
    int FRate = 0;
    int FChannels = 0;
    uint64_t FMask = 0;
    double FPeakBefore = 0;   // peak of the states replaced by a format change
    std::vector<float> FBuffer; // interleaved samples of the frame being fed
    std::vector<float> FBlocks;
    int FSteps = 0;           // steps measured since the filters (re)started
};
