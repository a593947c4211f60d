// Per-frame picture adjustments and watermark compositing on the engine's 24-bit raster.
//
// Every operation works in place on a TBitmap24 (BGR byte order, rows padded to 4 bytes). Colour
// changes go through 256-entry tables built once per call; the pixels see only integer
// arithmetic. The conversion's frame hook runs ApplyFrameEffects on its worker thread; the
// watermark dialog's preview uses AdjustPicture and AdjustExposure on the player's frames.
//
// Text layers are drawn with QPainter and therefore need a QGuiApplication in the process (the
// command-line program creates one on the offscreen platform). Nothing here touches a widget.
#pragma once

#include "effects/LayerPictures.h"
#include "effects/WmRec.h"
#include "engine/FFUtils.h"

#include <QFont>
#include <QImage>
#include <QSize>

#include <array>
#include <cstdint>

namespace zelta {

using TLevelTable = std::array<uint8_t, 256>;

// Con(i) = (i - 170) * k + 170, rounded half to even and clamped; C = 100 counts as 99; the gain k
// is 1 / cos(C * pi/200) for C > 0 and cos(C * 0.015708) for C <= 0.
TLevelTable ContrastTable(int Contrast);
// BC(j) = Con(((256 - B) + B * j) / 256, clamped). B = 256 is the identity of this step; the
// neutral 255 maps every level from 2 upward one lower.
TLevelTable BrightnessContrastTable(int Brightness, int Contrast);
// W(i) = ((i + 1) * S) >> 8. S = 255 is the identity, 0 gives grey.
std::array<int, 256> SaturationTable(int Saturation);
// E(i) = i +/- ((|n| * (255 - i)) >> 8) with n = round(256 * (1 - exp(-i * X / 16384))), clamped.
TLevelTable ExposureTable(float Exposure);

// Brightness 0..512, contrast -100..100, saturation 0..512. Each pixel: base = m - W(m) with m the
// mean of its channels; each channel becomes BC(clamp(base + W(channel))). The caller holds the
// bitmap's canvas lock when another thread can reach the bitmap.
void AdjustPicture(TBitmap24& Bitmap, int Brightness, int Contrast, int Saturation);
// Exposure -255..512 (callers pass the integer setting); 0 is the identity.
void AdjustExposure(TBitmap24& Bitmap, float Exposure);

// Blends Source onto Dest with its top-left corner at (X, Y), which may be negative: each channel
// of the overlapping rectangle becomes ((256 - Alpha) * dest + Alpha * source) >> 8. Alpha 0
// leaves Dest unchanged. Nothing outside the overlap is touched.
void BlendBitmap(TBitmap24& Dest, const TBitmap24& Source, int X, int Y, int Alpha);

// BlendBitmap for a layer picture: where the picture has an alpha channel, each pixel's weight
// is Alpha scaled by its coverage ((Alpha * coverage + 127) / 255), so transparent pixels leave
// the frame alone and opaque ones blend exactly as BlendBitmap does.
void BlendLayerPicture(TBitmap24& Dest, const TLayerPicture& Source, int X, int Y, int Alpha);

// The font a text layer is drawn with: the face, the size in points at 96 pixels per inch, the
// style bits, and no anti-aliasing. Shared with the watermark dialog so both draw alike.
QFont LayerFont(const TWmFont& Font);

// The box a line of Text takes in the layer font: its advance width and the font's line height.
// Requires a QGuiApplication.
QSize TextLayerSize(const std::string& Text, const TWmFont& Font);
// The text box of a layer as RenderTextLayer draws it, for showing it over a picture:
// TextWidth x TextHeight, filled with BackColor when BackFilled, otherwise transparent except
// for the letters. A null image for an empty box. Requires a QGuiApplication.
QImage TextLayerImage(const TWmRec& Layer);

// Draws one text layer: a TextWidth x TextHeight box at (TextLeft, TextTop), filled with
// BackColor when BackFilled (else the frame shows through and only the letters change), the
// text on one line from the box's top-left corner, cut at the box, blended with TextAlpha.
// Requires a QGuiApplication (throws std::logic_error without one).
void RenderTextLayer(TBitmap24& Frame, const TWmRec& Layer);

// Draws one image layer: the picture at its own size at (ImageLeft, ImageTop), blended with
// ImageAlpha. The first form reads and decodes the file for this call; the second takes the
// picture from the conversion's cache. False, and the frame unchanged, when the picture cannot
// be read (the cache reports that once; the first form reports nothing).
bool RenderImageLayer(TBitmap24& Frame, const TWmRec& Layer);
bool RenderImageLayer(TBitmap24& Frame, const TWmRec& Layer, TLayerPictures& Pictures);

// The whole pipeline for one frame whose presentation time is PTS (microseconds):
//  1. AdjustPicture when Brightness, Contrast or Saturation differ from 255, 0, 255;
//  2. AdjustExposure when Exposure is not 0;
//  3. every layer of WaterMarks in array order whose StartTime..EndTime contains PTS / 1000000
//     (truncated toward zero): text layers with non-empty Text, image layers with non-empty
//     ImageFile.
// When a picture that is due on this frame cannot be read, the frame is left exactly as it came
// (none of this frame's changes) and the result is false; otherwise true.
//
// ApplyFrameEffects holds Frame.Canvas() for its whole run. A caller that already holds that
// lock (the encoder component locks the canvas around its OnCustomHook event) calls
// ApplyFrameEffectsLocked instead. Pictures is the conversion's own cache.
bool ApplyFrameEffects(TBitmap24& Frame, const TFrameEffectsRecord& Record, int64_t PTS,
                       TLayerPictures& Pictures);
bool ApplyFrameEffectsLocked(TBitmap24& Frame, const TFrameEffectsRecord& Record, int64_t PTS,
                             TLayerPictures& Pictures);

}  // namespace zelta
