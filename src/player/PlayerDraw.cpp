#include "player/PlayerDraw.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/tx.h>
}

namespace player {

TRect DisplayRect(float AspectRatio, AVRational SAR, int PictureWidth, int PictureHeight,
                  int SurfaceWidth, int SurfaceHeight) {
    TRect r;
    if (SurfaceWidth <= 0 || SurfaceHeight <= 0)
        return r;
    double aspect = 0;
    if (AspectRatio >= 0) {
        if (AspectRatio > 0)
            aspect = AspectRatio;
        else if (PictureWidth > 0 && PictureHeight > 0) {
            const double sar = SAR.num > 0 && SAR.den > 0 ? av_q2d(SAR) : 1.0;
            aspect = sar * PictureWidth / PictureHeight;
        }
    } else {
        aspect = double(SurfaceWidth) / SurfaceHeight;
    }
    if (aspect <= 0)
        aspect = double(SurfaceWidth) / SurfaceHeight;
    int height = SurfaceHeight;
    int width = int(std::lrint(height * aspect)) & ~1;
    if (width > SurfaceWidth) {
        width = SurfaceWidth;
        height = int(std::lrint(width / aspect)) & ~1;
    }
    r.Width = width;
    r.Height = height;
    r.Left = (SurfaceWidth - width) / 2;
    r.Top = (SurfaceHeight - height) / 2;
    return r;
}

uint32_t PaletteToYUVA(uint32_t ARGB) {
    const int a = int(ARGB >> 24);
    const int r = int((ARGB >> 16) & 0xFF);
    const int g = int((ARGB >> 8) & 0xFF);
    const int b = int(ARGB & 0xFF);
    const int y = (263 * r + 517 * g + 101 * b + 16896) >> 10;
    const int u = ((-152 * r - 298 * g + 450 * b + 511) >> 10) + 128;
    const int v = ((450 * r - 377 * g - 74 * b + 511) >> 10) + 128;
    return (uint32_t(a) << 24) | (uint32_t(y & 0xFF) << 16) | (uint32_t(u & 0xFF) << 8) |
           uint32_t(v & 0xFF);
}

void ConvertSubtitlePalettes(AVSubtitleRect* const* Rects, unsigned Count) {
    for (unsigned i = 0; i < Count; ++i) {
        AVSubtitleRect* r = Rects[i];
        if (r == nullptr || r->type != SUBTITLE_BITMAP || r->data[1] == nullptr)
            continue;
        auto* pal = reinterpret_cast<uint32_t*>(r->data[1]);
        for (int c = 0; c < r->nb_colors; ++c)
            pal[c] = PaletteToYUVA(pal[c]);
    }
}

namespace {

inline uint8_t Blend(int A, int Old, int New, int Shift) {
    return uint8_t(((255 - A) * (Old << Shift) + A * New) / (255 << Shift));
}

} // namespace

void BlendSubtitleRect(TYUVPlanes& Picture, const AVSubtitleRect& Rect) {
    if (Rect.type != SUBTITLE_BITMAP || Rect.data[0] == nullptr || Rect.data[1] == nullptr)
        return;
    if (Picture.Width <= 0 || Picture.Height <= 0)
        return;
    const int w = std::clamp(Rect.w, 0, Picture.Width);
    const int h = std::clamp(Rect.h, 0, Picture.Height);
    const int x = std::clamp(Rect.x, 0, Picture.Width - w);
    const int y = std::clamp(Rect.y, 0, Picture.Height - h);
    if (w == 0 || h == 0)
        return;
    const auto* pal = reinterpret_cast<const uint32_t*>(Rect.data[1]);
    const uint8_t* index = Rect.data[0];
    const int stride = Rect.linesize[0];
    auto colour = [&](int LumaX, int LumaY) {
        return pal[index[size_t(LumaY - y) * size_t(stride) + size_t(LumaX - x)]];
    };

    for (int j = y; j < y + h; ++j) {
        uint8_t* row = Picture.Data[0] + size_t(j) * size_t(Picture.Linesize[0]);
        for (int i = x; i < x + w; ++i) {
            const uint32_t c = colour(i, j);
            row[i] = Blend(int(c >> 24), row[i], int((c >> 16) & 0xFF), 0);
        }
    }

    for (int cy = y / 2; cy <= (y + h - 1) / 2; ++cy) {
        uint8_t* rowU = Picture.Data[1] + size_t(cy) * size_t(Picture.Linesize[1]);
        uint8_t* rowV = Picture.Data[2] + size_t(cy) * size_t(Picture.Linesize[2]);
        for (int cx = x / 2; cx <= (x + w - 1) / 2; ++cx) {
            int sumA = 0, sumU = 0, sumV = 0, covered = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int lx = 2 * cx + dx, ly = 2 * cy + dy;
                    if (lx < x || lx >= x + w || ly < y || ly >= y + h)
                        continue;
                    const uint32_t c = colour(lx, ly);
                    sumA += int(c >> 24);
                    sumU += int((c >> 8) & 0xFF);
                    sumV += int(c & 0xFF);
                    ++covered;
                }
            const int shift = covered == 4 ? 2 : covered >= 2 ? 1 : 0;
            const int a = sumA >> 2;
            rowU[cx] = Blend(a, rowU[cx], sumU, shift);
            rowV[cx] = Blend(a, rowV[cx], sumV, shift);
        }
    }
}

int WaveformTrigger(const int16_t* Ring, int Start, int Channels) {
    if (Channels <= 0)
        return Start;
    const int n = SampleRingSize;
    int best = INT_MIN;
    int at = Start;
    for (int i = 0; i < 1000; i += Channels) {
        const int idx = ((Start - i) % n + n) % n;
        const int a = Ring[idx];
        const int b = Ring[(idx + 4 * Channels) % n];
        const int c = Ring[(idx + 5 * Channels) % n];
        const int d = Ring[(idx + 9 * Channels) % n];
        const int score = a - d;
        if (best < score && (b ^ c) < 0) {
            best = score;
            at = idx;
        }
    }
    return at;
}

namespace {

void FillBlack(TBitmap24& Bitmap) {
    for (int y = 0; y < Bitmap.Height(); ++y)
        std::memset(Bitmap.ScanLine(y), 0, size_t(Bitmap.Width()) * 3);
}

inline void PutPixel(TBitmap24& Bitmap, int X, int Y, uint8_t B, uint8_t G, uint8_t R) {
    uint8_t* p = Bitmap.ScanLine(Y) + size_t(X) * 3;
    p[0] = B;
    p[1] = G;
    p[2] = R;
}

} // namespace

void DrawWaveform(TBitmap24& Bitmap, const int16_t* Ring, int First, int Channels) {
    FillBlack(Bitmap);
    const int width = Bitmap.Width(), height = Bitmap.Height();
    if (Channels <= 0 || width <= 0 || height <= 0)
        return;
    const int band = height / Channels;
    const int half = band * 9 / 20;
    for (int ch = 0; ch < Channels; ++ch) {
        int i = ((First + ch) % SampleRingSize + SampleRingSize) % SampleRingSize;
        const int centre = ch * band + band / 2;
        for (int x = 0; x < width; ++x) {
            int len = Ring[i] * half / 32768;
            int top = centre;
            if (len < 0) {
                len = -len;
                top = centre - len;
            }
            for (int yy = std::max(0, top); yy < std::min(height, top + len); ++yy)
                PutPixel(Bitmap, x, yy, 0xFF, 0xFF, 0xFF);
            i += Channels;
            if (i >= SampleRingSize)
                i -= SampleRingSize;
        }
    }
    for (int ch = 1; ch < Channels; ++ch) {
        const int row = ch * band;
        if (row < height)
            std::memset(Bitmap.ScanLine(row), 0xFF, size_t(width) * 3);
    }
}

TSpectrum::~TSpectrum() { av_tx_uninit(&Context_); }

int TSpectrum::BlockSize(int Height) {
    int bits = 1;
    while ((1 << bits) < 2 * Height)
        ++bits;
    return 1 << bits;
}

bool TSpectrum::DrawColumn(TBitmap24& Bitmap, int Column, const int16_t* Ring, int First,
                           int Channels) {
    const int height = Bitmap.Height();
    if (Channels <= 0 || height <= 0 || Column < 0 || Column >= Bitmap.Width())
        return false;
    const int n = BlockSize(height);
    const int freqs = n / 2;
    if (Size_ != n) {
        av_tx_uninit(&Context_);
        Size_ = 0;
        const float scale = 1.0f;
        if (av_tx_init(&Context_, &Transform_, AV_TX_FLOAT_RDFT, 0, n, &scale, AV_TX_UNALIGNED) < 0)
            return false;
        Size_ = n;
        In_.assign(size_t(n), 0.0f);
        for (auto& o : Out_)
            o.assign(size_t(n) + 2, 0.0f);
    }
    const int shown = std::min(Channels, 2);
    for (int ch = 0; ch < shown; ++ch) {
        int i = ((First + ch) % SampleRingSize + SampleRingSize) % SampleRingSize;
        for (int x = 0; x < n; ++x) {
            const double w = double(x - freqs) / freqs;
            In_[size_t(x)] = float(Ring[i] * (1.0 - w * w));
            i += Channels;
            if (i >= SampleRingSize)
                i -= SampleRingSize;
        }
        Transform_(Context_, Out_[ch].data(), In_.data(), sizeof(float));
    }
    const double norm = 1.0 / std::sqrt(double(freqs));
    auto level = [&](int Ch, int Bin) {
        const double re = Out_[Ch][size_t(2 * Bin)];
        const double im = Out_[Ch][size_t(2 * Bin + 1)];
        return std::min(255, int(std::sqrt(norm * std::sqrt(re * re + im * im))));
    };
    for (int y = 0; y < height; ++y) {
        const int a = level(0, y);
        const int b = shown == 2 ? level(1, y) : a;
        PutPixel(Bitmap, Column, height - 1 - y, uint8_t((a + b) / 2), uint8_t(b), uint8_t(a));
    }
    return true;
}

} // namespace player
