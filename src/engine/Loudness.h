// Integrated loudness of a programme (ITU-R BS.1770 / EBU R128): K-weighting, 400 ms blocks
// overlapping by 75 %, the absolute gate at -70 LUFS and the relative gate 10 LU below, and the
// sample peak. Fed with the frames a conversion encodes, so it measures what the output holds.
//
// Memory: one energy value per 100 ms of audio. No Qt; one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct AVFrame;

class TLoudnessMeter {
public:
    // The ReplayGain 2.0 reference level.
    static constexpr double ReferenceLufs = -18.0;

    // Takes interleaved or planar samples of any of the libraries' sample formats; the first
    // frame fixes the rate and channel layout (a frame that differs restarts the filters).
    void AddFrame(const AVFrame* Frame);

    // False before a whole 400 ms block has been measured or when every block is gated out.
    bool HasLoudness() const;
    double IntegratedLufs() const;   // -HUGE_VAL when nothing passes the gates
    double Peak() const { return FPeak; }  // largest absolute sample, 1.0 = full scale

    // "REPLAYGAIN_TRACK_GAIN" ("%.2f dB", ReferenceLufs minus the loudness) and
    // "REPLAYGAIN_TRACK_PEAK" ("%.6f").
    std::string GainText() const;
    std::string PeakText() const;

private:
    struct TBiquad {
        double B0 = 1, B1 = 0, B2 = 0, A1 = 0, A2 = 0;
        double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0; // the last two inputs and outputs
    };
    void Setup(int SampleRate, const std::vector<double>& Weights);
    void Measure(int Frames, int SampleRate, const std::vector<double>& Weights);
    using TDoublePair = double __attribute__((vector_size(16)));
    template <int N, class V> void Filter(const size_t* Channels);

    int FRate = 0;
    std::vector<double> FWeights;
    std::vector<TBiquad> FShelf, FHighPass; // per channel
    std::vector<std::vector<double>> FPlanes; // the samples being measured, by channel
    std::vector<int> FCuts;                   // their pieces between step ends
    std::vector<size_t> FMeasured;            // the channels that count
    std::vector<double> FPieceEnergy;
    int FStepFrames = 0;           // 100 ms
    int FInStep = 0;
    double FStepEnergy = 0;
    double FSteps[4] = {0, 0, 0, 0};
    int FStepCount = 0;
    std::vector<double> FBlocks;   // mean square energy of every 400 ms block
    double FPeak = 0;
};
