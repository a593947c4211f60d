#include "effects/FrameEffects.h"

#include <QColor>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace zelta {

namespace {

constexpr int ClampLevel(int64_t Value)
{
    return Value < 0 ? 0 : (Value > 255 ? 255 : int(Value));
}

// Nearest integer with halves to even (the current rounding mode is round-to-nearest).
int64_t RoundHalfEven(double Value)
{
    return int64_t(std::nearbyint(Value));
}

bool PictureAdjusted(const TFrameEffectsRecord& Record)
{
    return Record.Brightness != NeutralBrightness || Record.Contrast != NeutralContrast ||
           Record.Saturation != NeutralSaturation;
}

// Maps every byte of the pixels through one table (all three channels alike).
void MapLevels(TBitmap24& Bitmap, const TLevelTable& Table)
{
    const size_t RowBytes = size_t(Bitmap.Width()) * 3;
    for (int Row = 0; Row < Bitmap.Height(); ++Row) {
        uint8_t* P = Bitmap.ScanLine(Row);
        for (size_t I = 0; I < RowBytes; ++I)
            P[I] = Table[P[I]];
    }
}

// The saturation step followed by a per-channel table: each channel c becomes
// Out(clamp(base + W(c))) with base = m - W(m), m the mean of the pixel's channels.
void MapSaturated(TBitmap24& Bitmap, const std::array<int, 256>& W, const TLevelTable& Out)
{
    bool Identity = true;
    for (int I = 0; I < 256 && Identity; ++I)
        Identity = W[size_t(I)] == I;
    if (Identity) {
        // W is the identity: base is 0 and every channel maps on its own.
        MapLevels(Bitmap, Out);
        return;
    }
    // base + W(c) lies in [min(m - W(m)) + min W, max(m - W(m)) + max W]; one table over that
    // range folds the clamp and Out together.
    int BaseLo = 0, BaseHi = 0, WLo = W[0], WHi = W[0];
    for (int I = 0; I < 256; ++I) {
        BaseLo = std::min(BaseLo, I - W[I]);
        BaseHi = std::max(BaseHi, I - W[I]);
        WLo = std::min(WLo, W[I]);
        WHi = std::max(WHi, W[I]);
    }
    const int Lo = BaseLo + WLo;
    const int Hi = BaseHi + WHi;
    std::vector<uint8_t> Fold(size_t(Hi - Lo + 1));
    for (int K = Lo; K <= Hi; ++K)
        Fold[size_t(K - Lo)] = Out[size_t(ClampLevel(K))];
    const uint8_t* F = Fold.data();

    // Base already offset by -Lo, so Base + W(c) indexes Fold directly.
    std::array<int, 256> Base{};
    for (int M = 0; M < 256; ++M)
        Base[size_t(M)] = M - W[size_t(M)] - Lo;

    const int Width = Bitmap.Width();
    for (int Row = 0; Row < Bitmap.Height(); ++Row) {
        uint8_t* P = Bitmap.ScanLine(Row);
        for (int X = 0; X < Width; ++X, P += 3) {
            const int B = P[0], G = P[1], R = P[2];
            const int Mean = (B + G + R) / 3;
            const int Bs = Base[size_t(Mean)];
            P[0] = F[Bs + W[size_t(B)]];
            P[1] = F[Bs + W[size_t(G)]];
            P[2] = F[Bs + W[size_t(R)]];
        }
    }
}

TLevelTable Compose(const TLevelTable& Second, const TLevelTable& First)
{
    TLevelTable Result{};
    for (int I = 0; I < 256; ++I)
        Result[size_t(I)] = Second[First[size_t(I)]];
    return Result;
}

void RequireGuiApplication()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw std::logic_error("Text watermarks need a QGuiApplication.");
}

bool LayerDue(const TWmRec& Layer, int64_t Second)
{
    return Layer.StartTime <= Second && Second <= Layer.EndTime;
}

QColor ToQColor(TColor Color)
{
    return QColor(ColorRed(Color), ColorGreen(Color), ColorBlue(Color));
}

// The letters of a text layer on Surface (the box), in the layer font and colour, one line from
// the top-left corner, cut at the box. A filled box also gets BackColor behind the letters.
void DrawLayerText(QImage& Surface, const TWmRec& Layer)
{
    QPainter Painter;
    if (!Painter.begin(&Surface))
        throw std::runtime_error("Cannot draw the text watermark.");
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setRenderHint(QPainter::TextAntialiasing, false);
    Painter.setFont(LayerFont(Layer.Font ? *Layer.Font : TWmFont{}));
    Painter.setPen(ToQColor(Layer.Font ? Layer.Font->Color : TWmFont{}.Color));
    if (Layer.BackFilled) {
        Painter.setBackgroundMode(Qt::OpaqueMode);
        Painter.setBackground(ToQColor(Layer.BackColor));
    } else {
        Painter.setBackgroundMode(Qt::TransparentMode);
    }
    Painter.drawText(QRect(0, 0, Surface.width(), Surface.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromUtf8(Layer.Text.data(), qsizetype(Layer.Text.size())));
    Painter.end();
}

}  // namespace

QSize TextLayerSize(const std::string& Text, const TWmFont& Font)
{
    RequireGuiApplication();
    const QFontMetrics Metrics(LayerFont(Font));
    return {Metrics.horizontalAdvance(QString::fromUtf8(Text.data(), qsizetype(Text.size()))),
            Metrics.height()};
}

QImage TextLayerImage(const TWmRec& Layer)
{
    RequireGuiApplication();
    if (Layer.TextWidth <= 0 || Layer.TextHeight <= 0)
        return {};
    QImage Surface(Layer.TextWidth, Layer.TextHeight, QImage::Format_ARGB32_Premultiplied);
    Surface.fill(Layer.BackFilled ? ToQColor(Layer.BackColor) : QColor(Qt::transparent));
    DrawLayerText(Surface, Layer);
    return Surface;
}

TLevelTable ContrastTable(int Contrast)
{
    const int C = Contrast == 100 ? 99 : Contrast;
    const double K = C > 0 ? 1.0 / std::cos(C * 0.015707963267948967) : std::cos(C * 0.015708);
    TLevelTable Table{};
    for (int I = 0; I < 256; ++I)
        Table[size_t(I)] = uint8_t(ClampLevel(RoundHalfEven((I - 170) * K + 170)));
    return Table;
}

TLevelTable BrightnessContrastTable(int Brightness, int Contrast)
{
    const TLevelTable Con = ContrastTable(Contrast);
    TLevelTable Table{};
    for (int J = 0; J < 256; ++J) {
        const int64_t V = ((256 - int64_t(Brightness)) + int64_t(Brightness) * J) / 256;
        Table[size_t(J)] = Con[size_t(ClampLevel(V))];
    }
    return Table;
}

std::array<int, 256> SaturationTable(int Saturation)
{
    std::array<int, 256> Table{};
    for (int I = 0; I < 256; ++I)
        Table[size_t(I)] = int(int16_t(((I + 1) * Saturation) >> 8));
    return Table;
}

TLevelTable ExposureTable(float Exposure)
{
    const double X = Exposure;
    TLevelTable Table{};
    for (int I = 0; I < 256; ++I) {
        const double E = std::exp((I / -128.0) * (X / 128.0));
        const int64_t N = RoundHalfEven(256.0 * (1.0 - E));
        int64_t Level;
        if (X >= 0)
            Level = I + ((N * (255 - I)) >> 8);
        else
            Level = I - (((-N) * (255 - I)) >> 8);
        Table[size_t(I)] = uint8_t(ClampLevel(Level));
    }
    return Table;
}

void AdjustPicture(TBitmap24& Bitmap, int Brightness, int Contrast, int Saturation)
{
    MapSaturated(Bitmap, SaturationTable(Saturation),
                 BrightnessContrastTable(Brightness, Contrast));
}

void AdjustExposure(TBitmap24& Bitmap, float Exposure)
{
    MapLevels(Bitmap, ExposureTable(Exposure));
}

namespace {

// The overlap of a Source placed at (X, Y) on Dest: rows and columns of both.
struct TOverlap {
    int64_t Height = 0, Width = 0;
    int SourceRow0 = 0, DestRow0 = 0, SourceCol0 = 0, DestCol0 = 0;
};
TOverlap Overlap(const TBitmap24& Dest, const TBitmap24& Source, int X, int Y)
{
    const auto Visible = [](int Pos, int SourceSize, int DestSize) {
        if (Pos >= 0)
            return int64_t(Pos) + SourceSize < DestSize ? int64_t(SourceSize)
                                                        : int64_t(DestSize) - Pos;
        const int64_t Rest = int64_t(SourceSize) + Pos; // SourceSize - |Pos|
        return Rest < DestSize ? Rest : int64_t(DestSize);
    };
    TOverlap O;
    O.Height = Visible(Y, Source.Height(), Dest.Height());
    O.Width = Visible(X, Source.Width(), Dest.Width());
    O.SourceRow0 = Y < 0 ? -Y : 0;
    O.DestRow0 = Y < 0 ? 0 : Y;
    O.SourceCol0 = X < 0 ? -X : 0;
    O.DestCol0 = X < 0 ? 0 : X;
    return O;
}

}  // namespace

void BlendBitmap(TBitmap24& Dest, const TBitmap24& Source, int X, int Y, int Alpha)
{
    const TOverlap O = Overlap(Dest, Source, X, Y);
    if (O.Height <= 0 || O.Width <= 0)
        return;
    const int Keep = 256 - Alpha;
    const size_t Bytes = size_t(O.Width) * 3;
    for (int64_t R = 0; R < O.Height; ++R) {
        const uint8_t* S = Source.ScanLine(int(O.SourceRow0 + R)) + size_t(O.SourceCol0) * 3;
        uint8_t* D = Dest.ScanLine(int(O.DestRow0 + R)) + size_t(O.DestCol0) * 3;
        for (size_t I = 0; I < Bytes; ++I)
            D[I] = uint8_t((Keep * D[I] + Alpha * S[I]) >> 8);
    }
}

void BlendLayerPicture(TBitmap24& Dest, const TLayerPicture& Source, int X, int Y, int Alpha)
{
    if (Source.Alpha.empty()) {
        BlendBitmap(Dest, Source.Pixels, X, Y, Alpha);
        return;
    }
    const TOverlap O = Overlap(Dest, Source.Pixels, X, Y);
    if (O.Height <= 0 || O.Width <= 0)
        return;
    std::array<int, 256> Weight{};
    for (int C = 0; C < 256; ++C)
        Weight[size_t(C)] = (Alpha * C + 127) / 255;
    const int SourceWidth = Source.Pixels.Width();
    for (int64_t R = 0; R < O.Height; ++R) {
        const uint8_t* S = Source.Pixels.ScanLine(int(O.SourceRow0 + R)) + size_t(O.SourceCol0) * 3;
        const uint8_t* Cover =
            Source.Alpha.data() + size_t(O.SourceRow0 + R) * size_t(SourceWidth) + size_t(O.SourceCol0);
        uint8_t* D = Dest.ScanLine(int(O.DestRow0 + R)) + size_t(O.DestCol0) * 3;
        for (int64_t C = 0; C < O.Width; ++C, S += 3, D += 3) {
            const int A = Weight[Cover[C]];
            if (A == 0)
                continue;
            const int Keep = 256 - A;
            D[0] = uint8_t((Keep * D[0] + A * S[0]) >> 8);
            D[1] = uint8_t((Keep * D[1] + A * S[1]) >> 8);
            D[2] = uint8_t((Keep * D[2] + A * S[2]) >> 8);
        }
    }
}

QFont LayerFont(const TWmFont& Font)
{
    QFont Result;
    if (!Font.Name.empty())
        Result.setFamily(QString::fromUtf8(Font.Name.data(), qsizetype(Font.Name.size())));
    // Points at 96 pixels per inch, rounded as the desktop rounds them.
    const int Points = Font.Size > 0 ? Font.Size : 10;
    Result.setPixelSize(std::max(1, (Points * 96 + 36) / 72));
    Result.setBold((Font.Style & fsBold) != 0);
    Result.setItalic((Font.Style & fsItalic) != 0);
    Result.setUnderline((Font.Style & fsUnderline) != 0);
    Result.setStrikeOut((Font.Style & fsStrikeOut) != 0);
    Result.setStyleStrategy(QFont::NoAntialias);
    Result.setKerning(false);
    return Result;
}

void RenderTextLayer(TBitmap24& Frame, const TWmRec& Layer)
{
    RequireGuiApplication();
    if (Layer.TextWidth <= 0 || Layer.TextHeight <= 0)
        return;

    TBitmap24 Box;
    Box.SetSize(Layer.TextWidth, Layer.TextHeight);
    {
        std::lock_guard BoxGuard(Box.Canvas());
        if (Layer.BackFilled) {
            const uint8_t Bgr[3] = {uint8_t(ColorBlue(Layer.BackColor)),
                                    uint8_t(ColorGreen(Layer.BackColor)),
                                    uint8_t(ColorRed(Layer.BackColor))};
            for (int Row = 0; Row < Box.Height(); ++Row) {
                uint8_t* P = Box.ScanLine(Row);
                for (int X = 0; X < Box.Width(); ++X, P += 3)
                    std::memcpy(P, Bgr, 3);
            }
        } else {
            // The frame under the box, so that only the letters differ after blending.
            const int Left = std::max(0, Layer.TextLeft);
            const int Right = int(std::min<int64_t>(Frame.Width(), int64_t(Layer.TextLeft) + Box.Width()));
            const int Top = std::max(0, Layer.TextTop);
            const int Bottom = int(std::min<int64_t>(Frame.Height(), int64_t(Layer.TextTop) + Box.Height()));
            for (int Row = Top; Row < Bottom && Left < Right; ++Row)
                std::memcpy(Box.ScanLine(Row - Layer.TextTop) + size_t(Left - Layer.TextLeft) * 3,
                            Frame.ScanLine(Row) + size_t(Left) * 3, size_t(Right - Left) * 3);
        }

        QImage Surface(Box.Bits(), Box.Width(), Box.Height(), Box.ScanlineSize(),
                       QImage::Format_BGR888);
        DrawLayerText(Surface, Layer);
    }
    BlendBitmap(Frame, Box, Layer.TextLeft, Layer.TextTop, Layer.TextAlpha);
}

bool RenderImageLayer(TBitmap24& Frame, const TWmRec& Layer)
{
    std::string Error;
    const std::shared_ptr<TLayerPicture> Picture = LoadLayerPictureWithAlpha(Layer.ImageFile, Error);
    if (!Picture)
        return false;
    BlendLayerPicture(Frame, *Picture, Layer.ImageLeft, Layer.ImageTop, Layer.ImageAlpha);
    return true;
}

bool RenderImageLayer(TBitmap24& Frame, const TWmRec& Layer, TLayerPictures& Pictures)
{
    const std::shared_ptr<const TLayerPicture> Picture = Pictures.Picture(Layer.ImageFile);
    if (!Picture)
        return false;
    BlendLayerPicture(Frame, *Picture, Layer.ImageLeft, Layer.ImageTop, Layer.ImageAlpha);
    return true;
}

bool ApplyFrameEffectsLocked(TBitmap24& Frame, const TFrameEffectsRecord& Record, int64_t PTS,
                             TLayerPictures& Pictures)
{
    const int64_t Second = PTS / 1000000;

    // Everything that can fail is settled before the first pixel changes, so that a failing
    // frame stays as it was decoded.
    std::vector<std::shared_ptr<const TLayerPicture>> LayerPictures(Record.WaterMarks.size());
    for (size_t I = 0; I < Record.WaterMarks.size(); ++I) {
        const TWmRec* Layer = Record.WaterMarks[I].get();
        if (Layer == nullptr || !LayerDue(*Layer, Second))
            continue;
        if (Layer->Kind == WmKindText && !Layer->Text.empty()) {
            RequireGuiApplication();
        } else if (Layer->Kind == WmKindImage && !Layer->ImageFile.empty()) {
            LayerPictures[I] = Pictures.Picture(Layer->ImageFile);
            if (!LayerPictures[I])
                return false;
        }
    }

    const bool Adjust = PictureAdjusted(Record);
    const bool Expose = Record.Exposure != NeutralExposure;
    if (Adjust && Expose) {
        // Exposure is a per-channel table after the adjustment's last table: one pass does both.
        MapSaturated(Frame, SaturationTable(Record.Saturation),
                     Compose(ExposureTable(float(Record.Exposure)),
                             BrightnessContrastTable(Record.Brightness, Record.Contrast)));
    } else if (Adjust) {
        AdjustPicture(Frame, Record.Brightness, Record.Contrast, Record.Saturation);
    } else if (Expose) {
        AdjustExposure(Frame, float(Record.Exposure));
    }

    for (size_t I = 0; I < Record.WaterMarks.size(); ++I) {
        const TWmRec* Layer = Record.WaterMarks[I].get();
        if (Layer == nullptr || !LayerDue(*Layer, Second))
            continue;
        if (Layer->Kind == WmKindText && !Layer->Text.empty())
            RenderTextLayer(Frame, *Layer);
        else if (LayerPictures[I])
            BlendLayerPicture(Frame, *LayerPictures[I], Layer->ImageLeft, Layer->ImageTop,
                              Layer->ImageAlpha);
    }
    return true;
}

bool ApplyFrameEffects(TBitmap24& Frame, const TFrameEffectsRecord& Record, int64_t PTS,
                       TLayerPictures& Pictures)
{
    std::lock_guard Guard(Frame.Canvas());
    return ApplyFrameEffectsLocked(Frame, Record, PTS, Pictures);
}

}  // namespace zelta
