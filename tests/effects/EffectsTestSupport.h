// Helpers of the frame-effects tests: bitmaps, picture files and a temporary folder.
#pragma once

#include "engine/FFUtils.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <stdlib.h>

namespace effectstest {

struct TBgr {
    uint8_t B = 0, G = 0, R = 0;
    bool operator==(const TBgr&) const = default;
};

inline TBgr PixelAt(const TBitmap24& Bitmap, int X, int Y)
{
    const uint8_t* P = Bitmap.ScanLine(Y) + size_t(X) * 3;
    return {P[0], P[1], P[2]};
}

inline void SetPixel(TBitmap24& Bitmap, int X, int Y, TBgr Pixel)
{
    uint8_t* P = Bitmap.ScanLine(Y) + size_t(X) * 3;
    P[0] = Pixel.B;
    P[1] = Pixel.G;
    P[2] = Pixel.R;
}

inline void Fill(TBitmap24& Bitmap, TBgr Pixel)
{
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
        for (int X = 0; X < Bitmap.Width(); ++X)
            SetPixel(Bitmap, X, Y, Pixel);
}

// Deterministic noise in every channel of every pixel (padding bytes stay 0).
inline void FillNoise(TBitmap24& Bitmap, unsigned Seed)
{
    std::mt19937 Random(Seed);
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
        for (int X = 0; X < Bitmap.Width(); ++X)
            SetPixel(Bitmap, X, Y,
                     {uint8_t(Random() & 0xFF), uint8_t(Random() & 0xFF), uint8_t(Random() & 0xFF)});
}

// Every byte of the bitmap, padding included.
inline std::vector<uint8_t> Bytes(const TBitmap24& Bitmap)
{
    const uint8_t* First = Bitmap.Bits();
    return std::vector<uint8_t>(First, First + size_t(Bitmap.ScanlineSize()) * size_t(Bitmap.Height()));
}

inline void CopyBitmap(TBitmap24& Dest, const TBitmap24& Source)
{
    Dest.SetSize(Source.Width(), Source.Height());
    const std::vector<uint8_t> Content = Bytes(Source);
    std::copy(Content.begin(), Content.end(), Dest.Bits());
}

// Pixels (x, y) where the two bitmaps differ.
inline std::vector<std::pair<int, int>> Differences(const TBitmap24& A, const TBitmap24& B)
{
    std::vector<std::pair<int, int>> Result;
    for (int Y = 0; Y < A.Height(); ++Y)
        for (int X = 0; X < A.Width(); ++X)
            if (!(PixelAt(A, X, Y) == PixelAt(B, X, Y)))
                Result.emplace_back(X, Y);
    return Result;
}

// Writes a Width x Height Windows bitmap whose pixel (x, y) is Colour(x, y).
inline void WriteBmp(const std::string& Path, int Width, int Height,
                     const std::function<TBgr(int, int)>& Colour)
{
    QImage Image(Width, Height, QImage::Format_RGB888);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const TBgr P = Colour(X, Y);
            Image.setPixel(X, Y, qRgb(P.R, P.G, P.B));
        }
    if (!Image.save(QString::fromStdString(Path), "BMP"))
        throw std::runtime_error("cannot write " + Path);
}

class TTempDir {
public:
    TTempDir()
    {
        std::string Pattern =
            (std::filesystem::temp_directory_path() / "zelta-effects-XXXXXX").string();
        if (::mkdtemp(Pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        FPath = Pattern;
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    ~TTempDir()
    {
        std::error_code Ec;
        std::filesystem::remove_all(FPath, Ec);
    }
    std::string File(const std::string& Name) const { return FPath + "/" + Name; }

private:
    std::string FPath;
};

}  // namespace effectstest
