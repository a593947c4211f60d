// Picture geometry and drawing of the player: the display rectangle for a picture on the output
// surface, bitmap subtitles (palette conversion and blending into planar YUV 4:2:0), and the
// audio visualisation of files without video (waveform and spectrum) on a 24-bit bitmap.
//
// Pure functions of their arguments; callable from any thread.
#pragma once

#include "engine/FFUtils.h"

#include <cstdint>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

struct AVSubtitleRect;
struct AVTXContext;

namespace player {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TRect&) const = default;
};

// Where a picture of PictureWidth x PictureHeight (sample aspect SAR, 0/x when unknown) is shown
// on a surface of SurfaceWidth x SurfaceHeight. AspectRatio > 0 forces that display aspect,
// 0 keeps the picture's own, < 0 takes the surface's (the picture fills it). The rectangle has
// the surface's height unless that makes it too wide, even sizes, and is centred.
TRect DisplayRect(float AspectRatio, AVRational SAR, int PictureWidth, int PictureHeight,
                  int SurfaceWidth, int SurfaceHeight);

// Converts one palette entry from A,R,G,B (bits 31-24, 23-16, 15-8, 7-0) to A,Y,U,V in the same
// bit positions with studio-range integer arithmetic.
uint32_t PaletteToYUVA(uint32_t ARGB);
// Converts the palette of every bitmap rectangle in place.
void ConvertSubtitlePalettes(AVSubtitleRect* const* Rects, unsigned Count);

// Planes of a planar YUV 4:2:0 picture (chroma at half resolution both ways).
struct TYUVPlanes {
    uint8_t* Data[3] = {};
    int Linesize[3] = {};
    int Width = 0;
    int Height = 0;
};
// Blends one bitmap subtitle rectangle whose palette already holds A,Y,U,V entries. The
// rectangle is first clipped into the picture (size limited, then position moved inside).
void BlendSubtitleRect(TYUVPlanes& Picture, const AVSubtitleRect& Rect);

// The ring of recent output samples (interleaved signed 16-bit) the visualisation reads.
inline constexpr int SampleRingSize = 131072;

// The ring index where the waveform starts: among the last 1000 samples before Start (stepping
// back by whole sample frames), the point where a sample minus the one nine frames later is
// largest while the samples four and five frames later differ in sign; Start when none is.
int WaveformTrigger(const int16_t* Ring, int Start, int Channels);

// Draws the waveform: the bitmap cleared to black, each channel in its own band of white
// vertical lines from the band's centre (amplitude sample x 9/20 of the band height / 32768),
// white one-pixel separators between bands. Samples are read from Ring at First onwards, one
// sample frame per column.
void DrawWaveform(TBitmap24& Bitmap, const int16_t* Ring, int First, int Channels);

// One column of the spectrum, drawn into an existing picture column by column.
class TSpectrum {
public:
    TSpectrum() = default;
    ~TSpectrum();
    TSpectrum(const TSpectrum&) = delete;
    TSpectrum& operator=(const TSpectrum&) = delete;

    // Samples one column needs for a picture of Height rows (twice the frequency count).
    static int BlockSize(int Height);
    // Draws the column at Column from the block starting at ring index First: each row's
    // brightness is min(255, sqrt(sqrt(re^2 + im^2) / sqrt(N))) per channel of a Welch-windowed
    // transform, colour (first channel, second channel, their mean), low frequencies at the
    // bottom. At most two channels are shown. False when no transform can be made.
    bool DrawColumn(TBitmap24& Bitmap, int Column, const int16_t* Ring, int First, int Channels);

private:
    AVTXContext* Context_ = nullptr;
    void (*Transform_)(AVTXContext*, void*, void*, ptrdiff_t) = nullptr;
    int Size_ = 0;
    std::vector<float> In_;
    std::vector<float> Out_[2];
};

} // namespace player
