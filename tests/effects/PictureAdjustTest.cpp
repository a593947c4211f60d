#include "EffectsTestSupport.h"

#include "effects/FrameEffects.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zelta;
using namespace effectstest;

namespace {

int Clamp(int V) { return std::clamp(V, 0, 255); }

// The adjustment written out pixel by pixel, straight from its definition, to check the tabled
// and folded fast paths against.
TBgr ReferenceAdjust(TBgr P, int Brightness, int Contrast, int Saturation)
{
    const TLevelTable BC = BrightnessContrastTable(Brightness, Contrast);
    const auto W = [&](int I) { return ((I + 1) * Saturation) >> 8; };
    const int M = (P.B + P.G + P.R) / 3;
    const int Base = M - W(M);
    return {BC[size_t(Clamp(Base + W(P.B)))], BC[size_t(Clamp(Base + W(P.G)))],
            BC[size_t(Clamp(Base + W(P.R)))]};
}

void MakeOnePixel(TBitmap24& Bitmap, TBgr P)
{
    Bitmap.SetSize(1, 1);
    SetPixel(Bitmap, 0, 0, P);
}

TEST(ContrastTable, ZeroIsIdentityMinus100IsFlatAnd100Is99)
{
    const TLevelTable Zero = ContrastTable(0);
    const TLevelTable Flat = ContrastTable(-100);
    for (int I = 0; I < 256; ++I) {
        EXPECT_EQ(Zero[size_t(I)], I);
        EXPECT_EQ(Flat[size_t(I)], 170) << I;
    }
    EXPECT_EQ(ContrastTable(100), ContrastTable(99));
    // Gain about 63.66 around the pivot 170: one level above goes to 234, one below to 106.
    const TLevelTable Steep = ContrastTable(99);
    EXPECT_EQ(Steep[170], 170);
    EXPECT_EQ(Steep[171], 234);
    EXPECT_EQ(Steep[169], 106);
    EXPECT_EQ(Steep[0], 0);
    EXPECT_EQ(Steep[255], 255);
}

TEST(BrightnessContrastTable, Brightness256IsIdentity255LowersFromLevelTwo)
{
    const TLevelTable Exact = BrightnessContrastTable(256, 0);
    const TLevelTable Neutral = BrightnessContrastTable(255, 0);
    for (int J = 0; J < 256; ++J) {
        EXPECT_EQ(Exact[size_t(J)], J);
        EXPECT_EQ(Neutral[size_t(J)], J >= 2 ? J - 1 : J) << J;
    }
    // Brightness 512 doubles (minus one) and clamps; 0 makes everything 1 then contrast applies.
    const TLevelTable Bright = BrightnessContrastTable(512, 0);
    EXPECT_EQ(Bright[10], 19);
    EXPECT_EQ(Bright[200], 255);
    EXPECT_EQ(BrightnessContrastTable(0, 0)[200], 1);
    EXPECT_EQ(BrightnessContrastTable(0, -100)[200], 170);
}

TEST(SaturationTable, NeutralIsIdentityZeroIsGrey)
{
    const auto Neutral = SaturationTable(255);
    const auto Grey = SaturationTable(0);
    const auto Strong = SaturationTable(512);
    for (int I = 0; I < 256; ++I) {
        EXPECT_EQ(Neutral[size_t(I)], I);
        EXPECT_EQ(Grey[size_t(I)], 0);
        EXPECT_EQ(Strong[size_t(I)], 2 * (I + 1));
    }
}

TEST(ExposureTable, StatedValues)
{
    const TLevelTable None = ExposureTable(0);
    for (int I = 0; I < 256; ++I)
        EXPECT_EQ(None[size_t(I)], I);

    const TLevelTable Lift = ExposureTable(512);
    EXPECT_EQ(Lift[1], 8);
    EXPECT_EQ(Lift[32], 173);
    EXPECT_EQ(Lift[0], 0);
    EXPECT_EQ(Lift[255], 255);
    for (int I = 1; I < 255; ++I)
        EXPECT_GT(Lift[size_t(I)], I) << I;

    EXPECT_EQ(ExposureTable(-100)[160], 3);

    const TLevelTable Dark = ExposureTable(-255);
    for (int I = 0; I <= 249; ++I)
        EXPECT_EQ(Dark[size_t(I)], 0) << I;
    EXPECT_GT(Dark[250], 0);
    EXPECT_EQ(Dark[255], 255);
}

TEST(AdjustPicture, SaturationZeroOnTheStatedPixel)
{
    TBitmap24 Neutral;
    MakeOnePixel(Neutral, {10, 100, 200});
    AdjustPicture(Neutral, 255, 0, 0);
    EXPECT_EQ(PixelAt(Neutral, 0, 0), (TBgr{102, 102, 102}));

    TBitmap24 Exact;
    MakeOnePixel(Exact, {10, 100, 200});
    AdjustPicture(Exact, 256, 0, 0);
    EXPECT_EQ(PixelAt(Exact, 0, 0), (TBgr{103, 103, 103}));
}

TEST(AdjustPicture, Brightness256IsIdentityAndADirect255CallLowersLevels)
{
    TBitmap24 Frame, Original;
    Frame.SetSize(33, 7);
    FillNoise(Frame, 1);
    CopyBitmap(Original, Frame);

    AdjustPicture(Frame, 256, 0, 255);
    EXPECT_EQ(Bytes(Frame), Bytes(Original));

    AdjustPicture(Frame, 255, 0, 255);
    for (int Y = 0; Y < Frame.Height(); ++Y)
        for (int X = 0; X < Frame.Width(); ++X) {
            const TBgr O = PixelAt(Original, X, Y), N = PixelAt(Frame, X, Y);
            EXPECT_EQ(N.B, O.B >= 2 ? O.B - 1 : O.B);
            EXPECT_EQ(N.G, O.G >= 2 ? O.G - 1 : O.G);
            EXPECT_EQ(N.R, O.R >= 2 ? O.R - 1 : O.R);
        }
}

TEST(AdjustPicture, ContrastMinus100GivesAUniformFrameOf170)
{
    TBitmap24 Frame;
    Frame.SetSize(17, 5);
    FillNoise(Frame, 2);
    AdjustPicture(Frame, 300, -100, 400);
    for (int Y = 0; Y < Frame.Height(); ++Y)
        for (int X = 0; X < Frame.Width(); ++X)
            ASSERT_EQ(PixelAt(Frame, X, Y), (TBgr{170, 170, 170}));
}

TEST(AdjustPicture, MatchesThePerPixelDefinition)
{
    const int Cases[][3] = {{255, 0, 255}, {255, 0, 0},   {256, 0, 512}, {300, 40, 380},
                            {128, -30, 90}, {512, 100, 255}, {0, 0, 512}, {200, -100, 1}};
    for (const auto& C : Cases) {
        TBitmap24 Frame, Original;
        Frame.SetSize(61, 9); // odd width: rows carry padding
        FillNoise(Frame, unsigned(C[0] * 7 + C[1] * 3 + C[2]));
        CopyBitmap(Original, Frame);
        AdjustPicture(Frame, C[0], C[1], C[2]);
        for (int Y = 0; Y < Frame.Height(); ++Y)
            for (int X = 0; X < Frame.Width(); ++X)
                ASSERT_EQ(PixelAt(Frame, X, Y),
                          ReferenceAdjust(PixelAt(Original, X, Y), C[0], C[1], C[2]))
                    << "B " << C[0] << " C " << C[1] << " S " << C[2] << " at " << X << "," << Y;
        // Padding bytes are not pixels and stay as they were.
        for (int Y = 0; Y < Frame.Height(); ++Y)
            for (int I = Frame.Width() * 3; I < Frame.ScanlineSize(); ++I)
                ASSERT_EQ(Frame.ScanLine(Y)[I], 0);
    }
}

TEST(AdjustExposure, MapsEveryChannelThroughTheTable)
{
    TBitmap24 Frame, Original;
    Frame.SetSize(20, 4);
    FillNoise(Frame, 3);
    CopyBitmap(Original, Frame);
    AdjustExposure(Frame, -100.0f);
    const TLevelTable E = ExposureTable(-100);
    for (int Y = 0; Y < Frame.Height(); ++Y)
        for (int X = 0; X < Frame.Width(); ++X) {
            const TBgr O = PixelAt(Original, X, Y);
            ASSERT_EQ(PixelAt(Frame, X, Y), (TBgr{E[O.B], E[O.G], E[O.R]}));
        }
}

TEST(ApplyFrameEffects, NeutralValuesAndExposureZeroLeaveTheFrameAlone)
{
    TLayerPictures Pictures([](const std::string&) {});
    TFrameEffectsRecord Record; // 255, 0, 255, 0
    TBitmap24 Frame, Original;
    Frame.SetSize(31, 11);
    FillNoise(Frame, 4);
    CopyBitmap(Original, Frame);
    EXPECT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    // A direct AdjustPicture with these values would lower every level from 2 upward.
    EXPECT_EQ(Bytes(Frame), Bytes(Original));
}

TEST(ApplyFrameEffects, AdjustmentThenExposureInOnePassEqualsTheTwoSteps)
{
    TLayerPictures Pictures([](const std::string&) {});
    const int Cases[][4] = {{300, 20, 300, 50}, {255, 10, 255, 200}, {200, -40, 0, -80},
                            {256, 0, 512, 512}, {255, 10, 255, -255}};
    for (const auto& C : Cases) {
        TFrameEffectsRecord Record;
        Record.Brightness = C[0];
        Record.Contrast = C[1];
        Record.Saturation = C[2];
        Record.Exposure = C[3];
        TBitmap24 Frame, Expected;
        Frame.SetSize(45, 13);
        FillNoise(Frame, unsigned(C[3] + 1000));
        CopyBitmap(Expected, Frame);
        AdjustPicture(Expected, C[0], C[1], C[2]);
        AdjustExposure(Expected, float(C[3]));
        ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
        EXPECT_EQ(Bytes(Frame), Bytes(Expected))
            << C[0] << " " << C[1] << " " << C[2] << " " << C[3];
    }
}

TEST(ApplyFrameEffects, OnlyExposureRunsWhenTheAdjustmentIsNeutral)
{
    TLayerPictures Pictures([](const std::string&) {});
    TFrameEffectsRecord Record;
    Record.Exposure = 512;
    TBitmap24 Frame;
    MakeOnePixel(Frame, {1, 32, 255});
    ASSERT_TRUE(ApplyFrameEffects(Frame, Record, 0, Pictures));
    // Without the brightness table's lowering: exactly the exposure table's values.
    EXPECT_EQ(PixelAt(Frame, 0, 0), (TBgr{8, 173, 255}));
}

}  // namespace
