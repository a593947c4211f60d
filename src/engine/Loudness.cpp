#include "engine/Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
}

void TEbur128Deleter::operator()(ebur128_state* S) const {
    ebur128_destroy(&S);
}

namespace {

// The library's channel kind for a channel of the layout: what counts is the weight (left
// out, 1.0 or 1.41).
int ChannelKind(AVChannel C, int Index) {
    switch (C) {
    case AV_CHAN_LOW_FREQUENCY:
    case AV_CHAN_LOW_FREQUENCY_2: return EBUR128_UNUSED;
    case AV_CHAN_SIDE_LEFT:
    case AV_CHAN_BACK_LEFT:
    case AV_CHAN_SURROUND_DIRECT_LEFT: return EBUR128_LEFT_SURROUND;
    case AV_CHAN_SIDE_RIGHT:
    case AV_CHAN_BACK_RIGHT:
    case AV_CHAN_SURROUND_DIRECT_RIGHT: return EBUR128_RIGHT_SURROUND;
    case AV_CHAN_FRONT_RIGHT: return EBUR128_RIGHT;
    case AV_CHAN_FRONT_CENTER: return EBUR128_CENTER;
    case AV_CHAN_FRONT_LEFT: return EBUR128_LEFT;
    default:
        // Channels of an unspecified order: the first three as front channels, the rest full.
        return Index == 1 ? EBUR128_RIGHT : Index == 2 ? EBUR128_CENTER : EBUR128_LEFT;
    }
}

uint64_t MaskOf(const AVChannelLayout& L) {
    return L.order == AV_CHANNEL_ORDER_NATIVE ? L.u.mask : 0;
}

template <class T>
void Copy(const uint8_t* Data, size_t Stride, size_t Count, float Scale, float Offset, float* Out,
          size_t OutStride) {
    const T* p = reinterpret_cast<const T*>(Data);
    for (size_t i = 0; i < Count; ++i)
        Out[i * OutStride] = (float(p[i * Stride]) - Offset) * Scale;
}

bool SetChannels(ebur128_state* St, const AVChannelLayout& Layout) {
    for (int i = 0; i < Layout.nb_channels; ++i) {
        const AVChannel c = Layout.order == AV_CHANNEL_ORDER_UNSPEC
                                ? AV_CHAN_NONE
                                : av_channel_layout_channel_from_index(&Layout, unsigned(i));
        if (ebur128_set_channel(St, unsigned(i), ChannelKind(c, i)) != EBUR128_SUCCESS)
            return false;
    }
    return true;
}

} // namespace

TEbur128Ptr MakeEbur128(int Rate, const AVChannelLayout& Layout, int Mode) {
    if (Rate <= 0 || Layout.nb_channels <= 0)
        return nullptr;
    TEbur128Ptr st(ebur128_init(unsigned(Layout.nb_channels), unsigned(Rate), Mode));
    if (!st || !SetChannels(st.get(), Layout))
        return nullptr;
    return st;
}

bool InterleaveAsFloat(const AVFrame* Frame, int From, int Count, float* Out) {
    const AVSampleFormat format = AVSampleFormat(Frame->format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const size_t channels = size_t(Frame->ch_layout.nb_channels);
    for (size_t c = 0; c < channels; ++c) {
        const size_t stride = planar ? 1 : channels;
        const size_t first = (planar ? 0 : c) + size_t(From) * stride;
        const uint8_t* plane = Frame->extended_data[planar ? c : 0];
        float* out = Out + c;
        const size_t n = size_t(Count);
        switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8: Copy<uint8_t>(plane + first, stride, n, 1.f / 128, 128, out, channels); break;
        case AV_SAMPLE_FMT_S16:
            Copy<int16_t>(plane + first * 2, stride, n, 1.f / 32768, 0, out, channels);
            break;
        case AV_SAMPLE_FMT_S32:
            Copy<int32_t>(plane + first * 4, stride, n, 1.f / 2147483648.f, 0, out, channels);
            break;
        case AV_SAMPLE_FMT_S64:
            Copy<int64_t>(plane + first * 8, stride, n, 1.f / 9223372036854775808.f, 0, out,
                          channels);
            break;
        case AV_SAMPLE_FMT_FLT: Copy<float>(plane + first * 4, stride, n, 1.f, 0, out, channels); break;
        case AV_SAMPLE_FMT_DBL: Copy<double>(plane + first * 8, stride, n, 1.f, 0, out, channels); break;
        default: return false;
        }
    }
    return true;
}

double LufsOfEnergy(double Energy) {
    return Energy > 0 ? -0.691 + 10.0 * std::log10(Energy) : -HUGE_VAL;
}

double EnergyOfLufs(double Lufs) {
    return std::pow(10.0, (Lufs + 0.691) / 10.0);
}

double GatedLoudness(const std::vector<float>& BlockEnergies) {
    const double absolute = EnergyOfLufs(-70.0);
    double sum = 0;
    size_t n = 0;
    for (const float e : BlockEnergies)
        if (e >= absolute) {
            sum += e;
            ++n;
        }
    if (n == 0)
        return -HUGE_VAL;
    const double relative = sum / double(n) * std::pow(10.0, -10.0 / 10.0);
    sum = 0;
    n = 0;
    for (const float e : BlockEnergies)
        if (e >= absolute && e >= relative) {
            sum += e;
            ++n;
        }
    return n == 0 ? -HUGE_VAL : LufsOfEnergy(sum / double(n));
}

TLoudnessMeter::TLoudnessMeter(int Features) : FFeatures(Features) {}

TLoudnessMeter::~TLoudnessMeter() = default;

bool TLoudnessMeter::Prepare(int Rate, const AVChannelLayout& Layout) {
    if (Rate <= 0 || Layout.nb_channels <= 0)
        return false;
    if (FState && Rate == FRate && Layout.nb_channels == FChannels && MaskOf(Layout) == FMask)
        return true;
    if (FState) {
        // The blocks measured so far stay; the filters start again for the new format.
        FPeakBefore = Peak();
        FSteps = 0;
        const int r = ebur128_change_parameters(FState.get(), unsigned(Layout.nb_channels),
                                                unsigned(Rate));
        if ((r != EBUR128_SUCCESS && r != EBUR128_ERROR_NO_CHANGE) ||
            !SetChannels(FState.get(), Layout)) {
            FState.reset();
            return false;
        }
    } else {
        int mode = EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK;
        if (FFeatures & fRange)
            mode |= EBUR128_MODE_LRA;
        FState = MakeEbur128(Rate, Layout, mode);
        if (!FState)
            return false;
    }
    FRate = Rate;
    FChannels = Layout.nb_channels;
    FMask = MaskOf(Layout);
    return true;
}

void TLoudnessMeter::AddFrame(const AVFrame* Frame) {
    if (Frame == nullptr || Frame->nb_samples <= 0 || !Prepare(Frame->sample_rate, Frame->ch_layout))
        return;
    FBuffer.resize(size_t(Frame->nb_samples) * size_t(FChannels));
    if (InterleaveAsFloat(Frame, 0, Frame->nb_samples, FBuffer.data()))
        ebur128_add_frames_float(FState.get(), FBuffer.data(), size_t(Frame->nb_samples));
}

void TLoudnessMeter::AddSteps(const float* Interleaved, int Frames, int Rate,
                              const AVChannelLayout& Layout) {
    if (Frames <= 0 || !Prepare(Rate, Layout))
        return;
    ebur128_add_frames_float(FState.get(), Interleaved, size_t(Frames));
    if (!(FFeatures & fBlocks))
        return;
    // Each step of 100 ms completes one 400 ms block once four have been measured; the
    // momentary loudness is that block's. Before that the window is partly empty and would
    // count as a quieter block.
    if (++FSteps < 4)
        return;
    double lufs = -HUGE_VAL;
    if (ebur128_loudness_momentary(FState.get(), &lufs) == EBUR128_SUCCESS &&
        std::isfinite(lufs) && lufs > -70.0)
        FBlocks.push_back(float(EnergyOfLufs(lufs)));
}

bool TLoudnessMeter::HasLoudness() const {
    return std::isfinite(IntegratedLufs());
}

double TLoudnessMeter::IntegratedLufs() const {
    double lufs = -HUGE_VAL;
    if (!FState || ebur128_loudness_global(FState.get(), &lufs) != EBUR128_SUCCESS)
        return -HUGE_VAL;
    return std::isfinite(lufs) ? lufs : -HUGE_VAL;
}

double TLoudnessMeter::RangeLu() const {
    double range = 0;
    if (!FState || !(FFeatures & fRange) ||
        ebur128_loudness_range(FState.get(), &range) != EBUR128_SUCCESS || !std::isfinite(range))
        return 0;
    return range;
}

double TLoudnessMeter::Peak() const {
    double peak = FPeakBefore;
    for (int c = 0; FState && c < FChannels; ++c) {
        double p = 0;
        if (ebur128_sample_peak(FState.get(), unsigned(c), &p) == EBUR128_SUCCESS)
            peak = std::max(peak, p);
    }
    return peak;
}

std::string TLoudnessMeter::GainText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dB", ReferenceLufs - IntegratedLufs());
    return text;
}

std::string TLoudnessMeter::PeakText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", Peak());
    return text;
}
