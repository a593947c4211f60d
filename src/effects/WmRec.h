// Watermark layers and the per-file picture values that the frame effects read.
//
// A TWmRec is one stored layer: a line of text or a bitmap picture, placed in frame pixels,
// drawn with an opacity and only within a range of whole seconds. The watermark dialog creates
// and replaces these objects on its OK button; the conversion and the preview only read them, so
// they carry no lock (the modal progress window keeps the dialog out of reach while a conversion
// reads them on its worker thread).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelta {

// A colour as 0x00BBGGRR (red in the low byte), the encoding of stored colour values and of the
// program's colour constants (15518905 is red 185, green 204, blue 236).
using TColor = uint32_t;

constexpr TColor RGBColor(int Red, int Green, int Blue)
{
    return TColor(Red & 0xFF) | (TColor(Green & 0xFF) << 8) | (TColor(Blue & 0xFF) << 16);
}
constexpr int ColorRed(TColor Color) { return int(Color & 0xFF); }
constexpr int ColorGreen(TColor Color) { return int((Color >> 8) & 0xFF); }
constexpr int ColorBlue(TColor Color) { return int((Color >> 16) & 0xFF); }

// Style bits of a layer font.
enum TFontStyle : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// The font of a text layer: face, size in points (a point is 96/72 frame pixels, as on the
// desktop the layers were placed on), style bits and text colour. An empty Name means the
// application's default face.
struct TWmFont {
    std::string Name;
    int Size = 10;
    uint8_t Style = 0; // TFontStyle bits
    TColor Color = 0;  // black
};

// Kind values.
inline constexpr int WmKindText = 0;
inline constexpr int WmKindImage = 1;

// One watermark layer. Only the fields of its own Kind are meaningful. Positions may be
// negative; only the part inside the frame is drawn. Geometry never scales: text is drawn at the
// font's own size and bounded by TextWidth x TextHeight; a picture at its own pixel size
// (ImageWidth/ImageHeight only restore the dialog).
class TWmRec {
public:
    std::string Text;              // UTF-8
    std::unique_ptr<TWmFont> Font; // owned; present for text layers, null for image layers
    int32_t TextLeft = 0;
    int32_t TextTop = 0;
    int32_t TextWidth = 0;
    int32_t TextHeight = 0;
    int32_t TextAlpha = 255;       // 0 invisible .. 255 opaque
    TColor BackColor = RGBColor(255, 255, 255);
    bool BackFilled = false;       // true: the box is filled with BackColor; false: transparent
    std::string ImageFile;         // full path of a Windows bitmap (.bmp) file, UTF-8
    int32_t ImageLeft = 0;
    int32_t ImageTop = 0;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    int32_t ImageAlpha = 255;
    int32_t Kind = WmKindText;
    int32_t StartTime = 0;         // first whole second of media time in which it is drawn
    int32_t EndTime = 0;           // last whole second (inclusive)
};

// Neutral values of the picture adjustments.
inline constexpr int NeutralBrightness = 255; // 256 is the exact identity of the table
inline constexpr int NeutralContrast = 0;
inline constexpr int NeutralSaturation = 255;
inline constexpr int NeutralExposure = 0;

// What ApplyFrameEffects reads of a source file's record: the layers in drawing order (earlier
// below later; the record owns them) and the four picture values. The source list's per-file
// record extends this.
struct TFrameEffectsRecord {
    std::vector<std::unique_ptr<TWmRec>> WaterMarks;
    int Brightness = NeutralBrightness; // 0..512
    int Contrast = NeutralContrast;     // -100..100
    int Saturation = NeutralSaturation; // 0..512
    int Exposure = NeutralExposure;     // -255..512
};

}  // namespace zelta
