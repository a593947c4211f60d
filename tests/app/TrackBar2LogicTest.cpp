// The two-thumb bar's arithmetic without a window: layouts in both orientations, pointer thumbs,
// ticks, the press and drag rules, and the empty range. The clamping rules and keys are driven
// through the real widget in tests/ui/TrackBar2Test.cpp.
#include "app/TrackBar2Logic.h"

#include <gtest/gtest.h>

using namespace zelta;

namespace {

TTrackBar2Logic Horizontal(int Width, int Height, int ThumbSize, TThumbStyle Style)
{
    TTrackBar2Logic Bar;
    Bar.SetSize(Width, Height);
    Bar.SetThumbStyle(Style);
    Bar.SetThumbSize(ThumbSize);
    return Bar;
}

}  // namespace

TEST(TrackBar2Layout, OrientationFollowsTheShape)
{
    TTrackBar2Logic Bar;
    EXPECT_EQ(Bar.Orientation(), toVertical); // before the first resize
    Bar.SetSize(500, 50);
    EXPECT_EQ(Bar.Orientation(), toHorizontal);
    Bar.SetSize(40, 40); // equal sides keep it
    EXPECT_EQ(Bar.Orientation(), toHorizontal);
    Bar.SetSize(40, 200);
    EXPECT_EQ(Bar.Orientation(), toVertical);
    // Choosing an orientation that does not match the shape swaps the sides.
    Bar.SetOrientation(toHorizontal);
    EXPECT_EQ(Bar.Width(), 200);
    EXPECT_EQ(Bar.Height(), 40);
}

TEST(TrackBar2Layout, VerticalBarsPutLargerValuesHigher)
{
    TTrackBar2Logic Bar;
    Bar.SetSize(30, 237);
    Bar.SetThumbStyle(tsRectangle);
    Bar.SetThumbSize(12);
    Bar.SetSecondThumb(true);
    Bar.SetPositions(5, 15);
    const TBarLayout L = Bar.Layout();
    EXPECT_EQ(L.Length, 225);
    EXPECT_EQ(L.Offset, 3);
    EXPECT_EQ(Bar.ThumbExtent(), (TBarRect{0, 0, 12, 6}));
    EXPECT_EQ(L.ThumbL, (TBarRect{15 - 6, (20 - 5) * 225 / 20 + 3, 12, 6}));
    EXPECT_LT(L.ThumbU.Top, L.ThumbL.Top);
    EXPECT_EQ(L.Track, (TBarRect{10, 6, 10, 225}));
    EXPECT_EQ(L.Middle, (L.ThumbL.Top + L.ThumbU.Top + 6) / 2);
    // A press above the middle concerns the upper thumb; the value grows upwards.
    EXPECT_TRUE(Bar.MousePress(15, 20, false));
    EXPECT_EQ(Bar.PositionU(), 20 - (20 - 3) * 20 / 225);
    EXPECT_EQ(Bar.PositionL(), 5);
}

TEST(TrackBar2Layout, PointerThumbsTakeTheirPictureSize)
{
    TTrackBar2Logic Bar = Horizontal(300, 40, 20, tsSmallPointer);
    EXPECT_EQ(Bar.PointerDirection(), pdUp); // ticks on both sides point it up
    EXPECT_EQ(Bar.ThumbSize(), 8);
    EXPECT_EQ(Bar.Layout().Offset, 4);
    Bar.SetTickOrientation(toBottomRight);
    EXPECT_EQ(Bar.PointerDirection(), pdDown);
    Bar.SetThumbStyle(tsLargePointer);
    EXPECT_EQ(Bar.ThumbExtent(), (TBarRect{0, 0, 16, 24}));
    EXPECT_EQ(Bar.ThumbSize(), 16);
    Bar.SetSize(40, 300);
    EXPECT_EQ(Bar.PointerDirection(), pdRight);
    EXPECT_EQ(Bar.ThumbExtent(), (TBarRect{0, 0, 24, 16}));
    EXPECT_EQ(Bar.ThumbSize(), 16);
    Bar.SetThumbStyle(tsMediumPointer);
    Bar.SetTickOrientation(toTopLeft);
    EXPECT_EQ(Bar.PointerDirection(), pdLeft);
    EXPECT_EQ(Bar.ThumbExtent(), (TBarRect{0, 0, 18, 12}));
}

TEST(TrackBar2Layout, TicksOnTheChosenSidesAtEveryInterval)
{
    TTrackBar2Logic Bar = Horizontal(237, 40, 12, tsRectangle);
    Bar.SetTickInterval(5);
    TBarLayout L = Bar.Layout();
    ASSERT_EQ(L.Ticks.size(), 10u); // 0, 5, 10, 15, 20 on both sides
    EXPECT_EQ(L.Ticks[0].X, 0 + 3 + 3);
    EXPECT_EQ(L.Ticks[0].Y, 2);
    EXPECT_EQ(L.Ticks[1].Y, 40 - 2 - 6);
    EXPECT_EQ(L.Ticks[8].X, 225 + 3 + 3);
    EXPECT_EQ(L.Ticks[8].Value, 20);
    Bar.SetTickOrientation(toTopLeft);
    Bar.SetTickInterval(0); // no endless loop: one per value
    L = Bar.Layout();
    EXPECT_EQ(L.Ticks.size(), 21u);
    for (const auto& Tick : L.Ticks)
        EXPECT_EQ(Tick.Y, 2);
}

TEST(TrackBar2Input, PressDragAndShiftStep)
{
    TTrackBar2Logic Bar = Horizontal(237, 30, 12, tsRectangle);
    Bar.SetSecondThumb(true);
    Bar.SetPositions(4, 16);
    TBarLayout L = Bar.Layout();
    // A press on the lower thumb starts dragging it.
    const int X = L.ThumbL.Left + 2;
    Bar.MousePress(X, 15, false);
    EXPECT_TRUE(Bar.TrackingL());
    EXPECT_FALSE(Bar.TrackingU());
    EXPECT_TRUE(Bar.MouseMove(120, 15));
    EXPECT_EQ(Bar.PositionL(), (120 - 3) * 20 / 225);
    // Dragging beyond the upper thumb stops one below it.
    Bar.MouseMove(236, 15);
    EXPECT_EQ(Bar.PositionL(), 15);
    Bar.MouseRelease();
    EXPECT_FALSE(Bar.TrackingL());
    EXPECT_FALSE(Bar.MouseMove(10, 15));

    // Shift steps toward the point; level with the thumb nothing moves.
    Bar.SetPositions(4, 16);
    L = Bar.Layout();
    EXPECT_TRUE(Bar.MousePress(L.ThumbU.Right() + 10, 15, true));
    EXPECT_EQ(Bar.PositionU(), 17);
    EXPECT_FALSE(Bar.TrackingU()); // the press was not on the thumb
    L = Bar.Layout();
    EXPECT_FALSE(Bar.MousePress(L.ThumbU.Left + 1, 15, true));
    EXPECT_EQ(Bar.PositionU(), 17);
    EXPECT_TRUE(Bar.TrackingU());
    Bar.MouseRelease();
    EXPECT_TRUE(Bar.MousePress(1, 15, true));
    EXPECT_EQ(Bar.PositionL(), 3);
}

TEST(TrackBar2Input, AnEmptyRangeLaysOutNothingAndIgnoresInput)
{
    TTrackBar2Logic Bar = Horizontal(237, 30, 12, tsRectangle);
    Bar.SetMax(0);
    EXPECT_FALSE(Bar.Valid());
    const TBarLayout L = Bar.Layout();
    EXPECT_EQ(L.Length, 0);
    EXPECT_TRUE(L.Ticks.empty());
    EXPECT_FALSE(Bar.MousePress(100, 15, false));
    EXPECT_FALSE(Bar.Key(TTrackBar2Logic::kRight, false));
    Bar.SetMax(1);
    EXPECT_TRUE(Bar.Valid());
    EXPECT_TRUE(Bar.Key(TTrackBar2Logic::kRight, false));
    EXPECT_EQ(Bar.PositionL(), 1);
}

TEST(TrackBar2Input, BothThumbsMoveTogetherWithoutBeingClamped)
{
    TTrackBar2Logic Bar;
    Bar.SetSecondThumb(true);
    Bar.SetMax(100);
    ASSERT_TRUE(Bar.SetPositions(40, 60)); // above the upper thumb's 10: upper first
    EXPECT_EQ(Bar.PositionL(), 40);
    EXPECT_EQ(Bar.PositionU(), 60);
    ASSERT_TRUE(Bar.SetPositions(2, 3)); // downwards: lower first
    EXPECT_EQ(Bar.PositionL(), 2);
    EXPECT_EQ(Bar.PositionU(), 3);
    EXPECT_FALSE(Bar.SetPositions(2, 3));
}
