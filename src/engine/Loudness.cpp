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

// Channel Channel of Frame as doubles in [-1, 1]; one loop per sample format.
template <class T>
void Widen(const uint8_t* Data, size_t Stride, size_t Count, double Scale, double Offset,
           double* Out) {
    const T* p = reinterpret_cast<const T*>(Data);
    for (size_t i = 0; i < Count; ++i)
        Out[i] = (double(p[i * Stride]) - Offset) * Scale;
}

bool ChannelSamples(const AVFrame* Frame, int Channel, double* Out) {
    const AVSampleFormat format = AVSampleFormat(Frame->format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const size_t channels = size_t(Frame->ch_layout.nb_channels);
    const size_t count = size_t(Frame->nb_samples);
    const size_t stride = planar ? 1 : channels;
    const size_t first = planar ? 0 : size_t(Channel);
    const uint8_t* plane = Frame->extended_data[planar ? Channel : 0];
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8: Widen<uint8_t>(plane + first, stride, count, 1.0 / 128, 128, Out); break;
    case AV_SAMPLE_FMT_S16:
        Widen<int16_t>(plane + first * 2, stride, count, 1.0 / 32768, 0, Out);
        break;
    case AV_SAMPLE_FMT_S32:
        Widen<int32_t>(plane + first * 4, stride, count, 1.0 / 2147483648.0, 0, Out);
        break;
    case AV_SAMPLE_FMT_S64:
        Widen<int64_t>(plane + first * 8, stride, count, 1.0 / 9223372036854775808.0, 0, Out);
        break;
    case AV_SAMPLE_FMT_FLT: Widen<float>(plane + first * 4, stride, count, 1.0, 0, Out); break;
    case AV_SAMPLE_FMT_DBL: Widen<double>(plane + first * 8, stride, count, 1.0, 0, Out); break;
    default: return false;
    }
    return true;
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

void TLoudnessMeter::AddFrame(const AVFrame* Frame) {
    if (Frame == nullptr || Frame->nb_samples <= 0 || Frame->ch_layout.nb_channels <= 0)
        return;
    const size_t channels = size_t(Frame->ch_layout.nb_channels);
    FPlanes.resize(channels);
    for (size_t c = 0; c < channels; ++c) {
        FPlanes[c].resize(size_t(Frame->nb_samples));
        if (!ChannelSamples(Frame, int(c), FPlanes[c].data()))
            return;
    }
    Measure(Frame->nb_samples, Frame->sample_rate, WeightsOf(Frame->ch_layout));
}

// Runs channels Channels[0..N) of FPlanes through both filter stages and adds their weighted
// energy per piece to FPieceEnergy. Direct form I keeps the feedback path one multiply and one
// subtraction long; the high-pass numerator is 1, -2, 1. V is double for one channel and a
// two-lane vector for two, which the processor filters side by side.
template <int N, class V> void TLoudnessMeter::Filter(const size_t* Channels) {
    auto lane = [](const V& v, int n) -> double {
        if constexpr (N == 1)
            return v;
        else
            return v[n];
    };
    auto load = [&](auto get) {
        V v{};
        if constexpr (N == 1)
            v = get(0);
        else
            for (int n = 0; n < N; ++n)
                v[n] = get(n);
        return v;
    };
    TBiquad* st[N];
    TBiquad* hp[N];
    const double* x[N];
    for (int n = 0; n < N; ++n) {
        st[n] = &FShelf[Channels[n]];
        hp[n] = &FHighPass[Channels[n]];
        x[n] = FPlanes[Channels[n]].data();
    }
    V sx1 = load([&](int n) { return st[n]->X1; }), sx2 = load([&](int n) { return st[n]->X2; });
    V s1 = load([&](int n) { return st[n]->Y1; }), s2 = load([&](int n) { return st[n]->Y2; });
    V hx1 = load([&](int n) { return hp[n]->X1; }), hx2 = load([&](int n) { return hp[n]->X2; });
    V h1 = load([&](int n) { return hp[n]->Y1; }), h2 = load([&](int n) { return hp[n]->Y2; });
    const TBiquad& a = *st[0];
    const TBiquad& b = *hp[0];
    const V aB0 = load([&](int) { return a.B0; }), aB1 = load([&](int) { return a.B1; });
    const V aB2 = load([&](int) { return a.B2; }), aA1 = load([&](int) { return a.A1; });
    const V aA2 = load([&](int) { return a.A2; }), bA1 = load([&](int) { return b.A1; });
    const V bA2 = load([&](int) { return b.A2; });
    V peak{};
    size_t i = 0;
    for (size_t piece = 0; piece < FCuts.size(); ++piece) {
        V e{};
        for (const size_t end = i + size_t(FCuts[piece]); i < end; ++i) {
            const V in = load([&](int n) { return x[n][i]; });
            const V magnitude = load([&](int n) { return std::fabs(x[n][i]); });
            if constexpr (N == 1)
                peak = std::max(peak, magnitude);
            else
                peak = peak > magnitude ? peak : magnitude;
            const V u = (aB0 * in + aB1 * sx1 + aB2 * sx2 - aA2 * s2) - aA1 * s1;
            sx2 = sx1;
            sx1 = in;
            s2 = s1;
            s1 = u;
            const V y = (u - (hx1 + hx1) + hx2 - bA2 * h2) - bA1 * h1;
            hx2 = hx1;
            hx1 = u;
            h2 = h1;
            h1 = y;
            e += y * y;
        }
        for (int n = 0; n < N; ++n)
            FPieceEnergy[piece] += FWeights[Channels[n]] * lane(e, n);
    }
    for (int n = 0; n < N; ++n) {
        FPeak = std::max(FPeak, lane(peak, n));
        st[n]->X1 = lane(sx1, n), st[n]->X2 = lane(sx2, n);
        st[n]->Y1 = lane(s1, n), st[n]->Y2 = lane(s2, n);
        hp[n]->X1 = lane(hx1, n), hp[n]->X2 = lane(hx2, n);
        hp[n]->Y1 = lane(h1, n), hp[n]->Y2 = lane(h2, n);
    }
}

// Filters FPlanes (Frames samples each) and closes every 100 ms step the samples complete. Each
// channel runs through its filters in one tight loop per step, with the filter state in
// locals, so that the measuring stays a small part of an encoding.
void TLoudnessMeter::Measure(int Frames, int SampleRate, const std::vector<double>& Weights) {
    if (SampleRate != FRate || Weights != FWeights)
        Setup(SampleRate, Weights);
    const size_t channels = Weights.size();
    // The pieces of this frame between step ends.
    FCuts.clear();
    int at = 0;
    int inStep = FInStep;
    while (at < Frames) {
        const int take = std::min(Frames - at, FStepFrames - inStep);
        FCuts.push_back(take);
        at += take;
        inStep = (inStep + take) % FStepFrames;
    }
    FPieceEnergy.assign(FCuts.size(), 0.0);
    // Two channels share a loop: their filters are independent, so the processor overlaps them.
    // The filter loop keeps the peak of the channels it measures.
    FMeasured.clear();
    for (size_t c = 0; c < channels; ++c)
        if (FWeights[c] != 0.0) {
            FMeasured.push_back(c);
        } else {
            double peak = FPeak;
            for (const double v : FPlanes[c])
                peak = std::max(peak, std::fabs(v));
            FPeak = peak;
        }
    const std::vector<size_t>& measured = FMeasured;
    size_t k = 0;
    for (; k + 1 < measured.size(); k += 2)
        Filter<2, TDoublePair>(&measured[k]);
    if (k < measured.size())
        Filter<1, double>(&measured[k]);
    for (size_t piece = 0; piece < FCuts.size(); ++piece) {
        FStepEnergy += FPieceEnergy[piece];
        FInStep += FCuts[piece];
        if (FInStep < FStepFrames)
            continue;
        FSteps[FStepCount % 4] = FStepEnergy / FStepFrames;
        ++FStepCount;
        FInStep = 0;
        FStepEnergy = 0;
        if (FStepCount >= 4)
            FBlocks.push_back((FSteps[0] + FSteps[1] + FSteps[2] + FSteps[3]) / 4.0);
    }
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
