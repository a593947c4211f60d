// The measuring pass of loudness normalisation, fades and silence trimming: the audio a
// conversion will take is decoded once more on its own (no video, nothing encoded) and
// measured: integrated loudness, loudness range and sample peak by libebur128, where the sound
// begins and ends (above -50 dBFS), and, when the gain asks for it, the true peak. The file is
// opened anew, cut exactly as the run cuts it (the seek before the input, the output's start
// and length), so every time it reports lies on the run's time line.
//
// The true peak costs several times what the rest costs, so it is measured in a second pass
// and only where it can matter: over the 100 ms steps whose sample peak could reach the
// ceiling once the gain is applied (the interpolation that finds true peaks raises a peak by
// at most TruePeakOvershoot). Every other step is known to stay below.
//
// Thread: any; each call opens its own file and decoder. The codec lock is held around the
// stream probe and the decoder's open and close. KeepGoing is asked between packets (it may
// block while the run is paused); false ends the pass with Stopped set.
#pragma once

#include "engine/FFTypes.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What to measure: the audio stream of a file between the cuts the run makes.
struct TAudioSource {
    std::string Url;            // as the session opens it (FileNameToURL)
    std::string FormatName;     // forced input format; empty: detected
    int StreamIndex = -1;       // -1: the audio stream the run's automatic choice takes
    int64_t InputStart = 0;     // the start time given before the input: its seek (us)
    // The session's time stamp offset of the input (us); none: the one the session gives a
    // file opened with InputStart and no other option.
    std::optional<int64_t> TsOffset;
    int64_t OutputStart = 0;    // audio before this time is cut off (us)
    int64_t RecordingTime = INT64_MAX; // audio from OutputStart + this on is left out (us)
    int DownmixChannels = 0;    // a decoder that can mix down is asked for this many (0: not)
};

// Sample level below which sound counts as silence (-50 dBFS), and the shortest silence that
// is trimmed at either end.
inline constexpr double SilenceLevel = 0.0031622776601683794;
inline constexpr int64_t ShortestTrimmedSilence = 500000; // us
// The largest ratio of true peak to sample peak libebur128's 4x interpolation can give (the
// sum of the absolute coefficients of its half-sample phase).
inline constexpr double TruePeakOvershoot = 1.87;

struct TAudioMeasurement {
    std::string Error;          // why nothing could be measured (empty: measured)
    bool Stopped = false;       // KeepGoing said stop
    bool FromTags = false;      // loudness and peak come from ReplayGain/R128 tags
    double IntegratedLufs = -HUGE_VAL; // -HUGE_VAL: nothing above the gates
    double RangeLu = 0;
    double SamplePeak = 0;      // linear, 1.0 = full scale
    // On the run's time line (us): the first sample delivered and the end of the last one,
    // the first sample above SilenceLevel and the end of the last one (NoMediaTime: none).
    int64_t Start = NoMediaTime, End = NoMediaTime;
    int64_t SoundStart = NoMediaTime, SoundEnd = NoMediaTime;
    std::vector<float> StepPeaks; // sample peak of every 100 ms step, in order
    std::vector<float> Blocks;    // gating block energies (album mode)
    std::string AlbumKey;         // album and album artist tags; empty without an album tag

    bool Ok() const { return Error.empty() && !Stopped; }
    bool HasLoudness() const { return std::isfinite(IntegratedLufs); }
};

using TKeepGoing = std::function<bool()>;

// Measures Source. With UseTags, a file whose ReplayGain (or R128) tags state its loudness and
// peak is not decoded, unless NeedEdges asks where its sound begins and ends. KeepBlocks keeps
// the gating blocks (one value per 100 ms).
TAudioMeasurement MeasureAudio(const TAudioSource& Source, bool UseTags, bool NeedEdges,
                               bool KeepBlocks, const TKeepGoing& KeepGoing);

// The true peak (linear) of the steps of Measured whose sample peak reaches Above, decoding
// Source again; Measured.SamplePeak when no step does (nothing there can go higher). Negative
// when the pass failed or was stopped.
double MeasureTruePeak(const TAudioSource& Source, const TAudioMeasurement& Measured,
                       double Above, const TKeepGoing& KeepGoing);

// The gain that brings a measured loudness to a target without the true peak passing a
// ceiling. Levels in dB; TruePeakAbove(level) measures the true peak (linear) of what reaches
// the level and is asked only when the sample peak leaves any doubt.
struct TGainDecision {
    double GainDb = 0;
    bool Limited = false;       // lowered to keep the true peak at the ceiling
    double TruePeakDb = NAN;    // measured true peak (NAN: not needed)
    bool Measured = false;      // false: nothing above the gates, the sound is left as it is
};
TGainDecision DecideGain(double TargetLufs, double CeilingDb, double MeasuredLufs,
                         double SamplePeak, const std::function<double(double)>& TruePeakAbove);

// dB of a linear level, and back.
double DbOf(double Level);
double LevelOf(double Db);
