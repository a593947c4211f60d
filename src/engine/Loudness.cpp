#include "engine/Loudness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
}

namespace {

double Lufs(double Energy) {
    return Energy > 0 ? -0.691 + 10.0 * std::log10(Energy) : -HUGE_VAL;
}

// Channel weights of the measurement: the surround channels count 1.41 (+1.5 dB), the
// low-frequency channel not at all.
std::vector<double> WeightsOf(const AVChannelLayout& Layout) {
    std::vector<double> w(size_t(std::max(0, Layout.nb_channels)), 1.0);
    for (int i = 0; i < Layout.nb_channels; ++i) {
        const AVChannel c = av_channel_layout_channel_from_index(&Layout, unsigned(i));
        if (c == AV_CHAN_LOW_FREQUENCY || c == AV_CHAN_LOW_FREQUENCY_2)
            w[size_t(i)] = 0.0;
        else if (c == AV_CHAN_SIDE_LEFT || c == AV_CHAN_SIDE_RIGHT || c == AV_CHAN_BACK_LEFT ||
                 c == AV_CHAN_BACK_RIGHT || c == AV_CHAN_SURROUND_DIRECT_LEFT ||
                 c == AV_CHAN_SURROUND_DIRECT_RIGHT)
            w[size_t(i)] = 1.41;
    }
    return w;
}

double SampleAt(const uint8_t* P, AVSampleFormat Packed, size_t Index) {
    switch (Packed) {
    case AV_SAMPLE_FMT_U8: return (double(P[Index]) - 128.0) / 128.0;
    case AV_SAMPLE_FMT_S16: return double(reinterpret_cast<const int16_t*>(P)[Index]) / 32768.0;
    case AV_SAMPLE_FMT_S32: return double(reinterpret_cast<const int32_t*>(P)[Index]) / 2147483648.0;
    case AV_SAMPLE_FMT_S64:
        return double(reinterpret_cast<const int64_t*>(P)[Index]) / 9223372036854775808.0;
    case AV_SAMPLE_FMT_FLT: return double(reinterpret_cast<const float*>(P)[Index]);
    case AV_SAMPLE_FMT_DBL: return reinterpret_cast<const double*>(P)[Index];
    default: return 0.0;
    }
}

} // namespace

void TLoudnessMeter::Setup(int SampleRate, const std::vector<double>& Weights) {
    FRate = SampleRate;
    FWeights = Weights;
    const size_t n = Weights.size();
    // The two stages of the K-weighting curve, designed for this rate.
    TBiquad shelf, highPass;
    {
        const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
        const double k = std::tan(std::numbers::pi * f0 / SampleRate);
        const double vh = std::pow(10.0, gain / 20.0);
        const double vb = std::pow(vh, 0.4996667741545416);
        const double a0 = 1.0 + k / q + k * k;
        shelf.B0 = (vh + vb * k / q + k * k) / a0;
        shelf.B1 = 2.0 * (k * k - vh) / a0;
        shelf.B2 = (vh - vb * k / q + k * k) / a0;
        shelf.A1 = 2.0 * (k * k - 1.0) / a0;
        shelf.A2 = (1.0 - k / q + k * k) / a0;
    }
    {
        const double f0 = 38.13547087602444, q = 0.5003270373238773;
        const double k = std::tan(std::numbers::pi * f0 / SampleRate);
        const double a0 = 1.0 + k / q + k * k;
        highPass.B0 = 1.0;
        highPass.B1 = -2.0;
        highPass.B2 = 1.0;
        highPass.A1 = 2.0 * (k * k - 1.0) / a0;
        highPass.A2 = (1.0 - k / q + k * k) / a0;
    }
    FShelf.assign(n, shelf);
    FHighPass.assign(n, highPass);
    FStepFrames = std::max(1, SampleRate / 10);
    FInStep = 0;
    FStepEnergy = 0;
    FStepCount = 0;
}

void TLoudnessMeter::AddSamples(const double* Interleaved, int Frames, int SampleRate,
                                const std::vector<double>& Weights) {
    if (SampleRate <= 0 || Weights.empty() || Frames <= 0)
        return;
    if (SampleRate != FRate || Weights != FWeights)
        Setup(SampleRate, Weights);
    const size_t channels = Weights.size();
    for (int f = 0; f < Frames; ++f) {
        const double* s = Interleaved + size_t(f) * channels;
        for (size_t c = 0; c < channels; ++c) {
            FPeak = std::max(FPeak, std::fabs(s[c]));
            if (FWeights[c] == 0.0)
                continue;
            const double y = FHighPass[c].Run(FShelf[c].Run(s[c]));
            FStepEnergy += FWeights[c] * y * y;
        }
        if (++FInStep == FStepFrames) {
            FSteps[FStepCount % 4] = FStepEnergy / FStepFrames;
            ++FStepCount;
            FInStep = 0;
            FStepEnergy = 0;
            if (FStepCount >= 4)
                FBlocks.push_back((FSteps[0] + FSteps[1] + FSteps[2] + FSteps[3]) / 4.0);
        }
    }
}

void TLoudnessMeter::AddFrame(const AVFrame* Frame) {
    if (Frame == nullptr || Frame->nb_samples <= 0 || Frame->ch_layout.nb_channels <= 0)
        return;
    const AVSampleFormat format = AVSampleFormat(Frame->format);
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const size_t channels = size_t(Frame->ch_layout.nb_channels);
    const size_t count = size_t(Frame->nb_samples);
    FScratch.resize(count * channels);
    for (size_t c = 0; c < channels; ++c) {
        const uint8_t* plane = planar ? Frame->extended_data[c] : Frame->extended_data[0];
        for (size_t i = 0; i < count; ++i)
            FScratch[i * channels + c] =
                SampleAt(plane, packed, planar ? i : i * channels + c);
    }
    AddSamples(FScratch.data(), int(count), Frame->sample_rate, WeightsOf(Frame->ch_layout));
}

bool TLoudnessMeter::HasLoudness() const {
    return std::isfinite(IntegratedLufs());
}

double TLoudnessMeter::IntegratedLufs() const {
    double sum = 0;
    size_t n = 0;
    for (double e : FBlocks)
        if (Lufs(e) > -70.0) {
            sum += e;
            ++n;
        }
    if (n == 0)
        return -HUGE_VAL;
    const double relativeGate = Lufs(sum / double(n)) - 10.0;
    sum = 0;
    n = 0;
    for (double e : FBlocks)
        if (Lufs(e) > -70.0 && Lufs(e) > relativeGate) {
            sum += e;
            ++n;
        }
    return n == 0 ? -HUGE_VAL : Lufs(sum / double(n));
}

std::string TLoudnessMeter::GainText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dB", ReferenceLufs - IntegratedLufs());
    return text;
}

std::string TLoudnessMeter::PeakText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", FPeak);
    return text;
}
