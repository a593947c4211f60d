// Integrated loudness of a programme (ITU-R BS.1770 / EBU R128): K-weighting, 400 ms blocks
// overlapping by 75 %, the absolute gate at -70 LUFS and the relative gate 10 LU below, and the
// sample peak. Fed with the frames a conversion encodes, so it measures what the output holds.
//
// Memory: one energy value per 100 ms of audio. No Qt; one thread at a time.
#pragma once

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
    // Interleaved samples in [-1, 1]; Weights has one entry per channel (0 leaves it out).
    void AddSamples(const double* Interleaved, int Frames, int SampleRate,
                    const std::vector<double>& Weights);

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
        double Z1 = 0, Z2 = 0;
        double Run(double X) {
            const double y = B0 * X + Z1;
            Z1 = B1 * X - A1 * y + Z2;
            Z2 = B2 * X - A2 * y;
            return y;
        }
    };
    void Setup(int SampleRate, const std::vector<double>& Weights);

    int FRate = 0;
    std::vector<double> FWeights;
    std::vector<TBiquad> FShelf, FHighPass; // per channel
    std::vector<double> FScratch;
    int FStepFrames = 0;           // 100 ms
    int FInStep = 0;
    double FStepEnergy = 0;
    double FSteps[4] = {0, 0, 0, 0};
    int FStepCount = 0;
    std::vector<double> FBlocks;   // mean square energy of every 400 ms block
    double FPeak = 0;
};
