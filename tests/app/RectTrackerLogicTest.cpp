// The rectangle tracker's geometry: hit zones with corners winning over edges, drags in each
// zone with the 10-pixel limits, the change test of a drag, the track rectangle and the place
// around an accompanying control.
#include "app/RectTrackerLogic.h"

#include <gtest/gtest.h>

using namespace zelta;

namespace {

// A drag from (X0, Y0) to (X1, Y1) in control coordinates of the bounds at press; the pointer's
// later positions follow the control the way the window system reports them (relative to the
// control's current place).
TTrackerBounds Drag(const TTrackerBounds& From, int X0, int Y0, int X1, int Y1, int Steps = 4) {
    TTrackerDrag d;
    d.Press(From, X0, Y0);
    TTrackerBounds b = From;
    const int gx0 = From.Left + X0, gy0 = From.Top + Y0;
    for (int i = 1; i <= Steps; ++i) {
        const int gx = gx0 + (X1 - X0) * i / Steps;
        const int gy = gy0 + (Y1 - Y0) * i / Steps;
        b = d.Move(b, gx - b.Left, gy - b.Top);
    }
    return b;
}

} // namespace

TEST(RectTrackerLogic, ZonesInHitOrder) {
    // 65 x 65: middles at 65/2 + 1 - 3 = 30.
    EXPECT_EQ(TrackerHandleMiddle(65), 30);
    EXPECT_EQ(TrackerHandleMiddle(64), 29);
    EXPECT_EQ(TrackerZoneAt(65, 65, 0, 0), TTrackerZone::TopLeft);
    EXPECT_EQ(TrackerZoneAt(65, 65, 64, 64), TTrackerZone::BottomRight);
    EXPECT_EQ(TrackerZoneAt(65, 65, 2, 62), TTrackerZone::BottomLeft);
    EXPECT_EQ(TrackerZoneAt(65, 65, 62, 2), TTrackerZone::TopRight);
    EXPECT_EQ(TrackerZoneAt(65, 65, 1, 32), TTrackerZone::Left);
    EXPECT_EQ(TrackerZoneAt(65, 65, 63, 30), TTrackerZone::Right);
    EXPECT_EQ(TrackerZoneAt(65, 65, 34, 4), TTrackerZone::Top);
    EXPECT_EQ(TrackerZoneAt(65, 65, 30, 60), TTrackerZone::Bottom);
    EXPECT_EQ(TrackerZoneAt(65, 65, 20, 20), TTrackerZone::Inside);
    EXPECT_EQ(TrackerZoneAt(65, 65, 1, 20), TTrackerZone::None); // the frame between handles
    EXPECT_EQ(TrackerZoneAt(65, 65, 65, 65), TTrackerZone::None);
    // A 10-pixel tracker: the middle handles (at 2) overlap the corners, and the corner wins.
    EXPECT_EQ(TrackerHandleMiddle(10), 2);
    EXPECT_EQ(TrackerZoneAt(10, 10, 3, 3), TTrackerZone::TopLeft);
    EXPECT_EQ(TrackerZoneAt(10, 10, 6, 1), TTrackerZone::TopRight);
    EXPECT_EQ(TrackerZoneAt(10, 10, 1, 6), TTrackerZone::BottomLeft);
    EXPECT_EQ(TrackerZoneCursor(TTrackerZone::TopLeft), Qt::SizeFDiagCursor);
    EXPECT_EQ(TrackerZoneCursor(TTrackerZone::TopRight), Qt::SizeBDiagCursor);
    EXPECT_EQ(TrackerZoneCursor(TTrackerZone::Bottom), Qt::SizeVerCursor);
    EXPECT_EQ(TrackerZoneCursor(TTrackerZone::Inside), Qt::SizeAllCursor);
    EXPECT_EQ(TrackerZoneCursor(TTrackerZone::None), Qt::ArrowCursor);
}

TEST(RectTrackerLogic, EdgesAndCornersResize) {
    const TTrackerBounds b{100, 50, 65, 65};
    EXPECT_EQ(Drag(b, 1, 32, -19, 32), (TTrackerBounds{80, 50, 85, 65}));   // left outwards
    EXPECT_EQ(Drag(b, 1, 32, 21, 32), (TTrackerBounds{120, 50, 45, 65}));   // left inwards
    EXPECT_EQ(Drag(b, 63, 32, 83, 40), (TTrackerBounds{100, 50, 85, 65}));  // right
    EXPECT_EQ(Drag(b, 32, 1, 32, 11), (TTrackerBounds{100, 60, 65, 55}));   // top
    EXPECT_EQ(Drag(b, 32, 63, 32, 43), (TTrackerBounds{100, 50, 65, 45}));  // bottom
    EXPECT_EQ(Drag(b, 1, 1, -9, 11), (TTrackerBounds{90, 60, 75, 55}));     // top-left
    EXPECT_EQ(Drag(b, 63, 1, 73, -9), (TTrackerBounds{100, 40, 75, 75}));   // top-right
    EXPECT_EQ(Drag(b, 1, 63, 11, 73), (TTrackerBounds{110, 50, 55, 75}));   // bottom-left
    EXPECT_EQ(Drag(b, 63, 63, 43, 83), (TTrackerBounds{100, 50, 45, 85}));  // bottom-right
    EXPECT_EQ(Drag(b, 30, 30, 50, 10), (TTrackerBounds{120, 30, 65, 65}));  // inside: moved only
    EXPECT_EQ(Drag(b, 1, 20, 30, 40), b);                                   // no zone: nothing
}

TEST(RectTrackerLogic, TenPixelLimits) {
    const TTrackerBounds narrow{100, 50, 10, 40};
    // Narrowing from the left stops at 10 with the right edge kept; outwards still works.
    EXPECT_EQ(Drag(narrow, 1, 19, 6, 19), narrow);
    EXPECT_EQ(Drag(narrow, 1, 19, -9, 19), (TTrackerBounds{90, 50, 20, 40}));
    // A larger step than the room left stops exactly at the limit.
    EXPECT_EQ(Drag({100, 50, 14, 40}, 1, 19, 9, 19, 1), (TTrackerBounds{104, 50, 10, 40}));
    EXPECT_EQ(Drag(narrow, 8, 19, -20, 19), (TTrackerBounds{100, 50, 10, 40})); // right edge
    const TTrackerBounds low{100, 50, 40, 10};
    EXPECT_EQ(Drag(low, 19, 1, 19, 7), low);
    EXPECT_EQ(Drag(low, 19, 1, 19, -5), (TTrackerBounds{100, 44, 40, 16}));
    // A corner at the width limit still moves its other edge.
    EXPECT_EQ(Drag(narrow, 1, 1, 5, 11), (TTrackerBounds{100, 60, 10, 30}));
}

TEST(RectTrackerLogic, ReleaseReportsOnlyChanges) {
    const TTrackerBounds b{10, 10, 65, 65};
    TTrackerDrag click;
    click.Press(b, 30, 30);
    EXPECT_TRUE(click.Dragging());
    EXPECT_FALSE(click.Release(b)); // a click without a move
    EXPECT_FALSE(click.Dragging());
    EXPECT_EQ(click.Move(b, 50, 50), b); // no drag: nothing moves

    TTrackerDrag back;
    back.Press(b, 30, 30);
    TTrackerBounds moved = back.Move(b, 40, 30);
    moved = back.Move(moved, 20, 30); // and back to where it began
    EXPECT_EQ(moved, b);
    EXPECT_FALSE(back.Release(moved));

    TTrackerDrag inside;
    inside.Press(b, 30, 30);
    const TTrackerBounds after = inside.Move(b, 37, 25);
    EXPECT_TRUE(inside.Release(after));
    EXPECT_EQ(TrackRectOf(after), (TTrackRect{19, 7, 80, 68}));
}

TEST(RectTrackerLogic, AccompanyingControlAndHandles) {
    EXPECT_EQ(TrackerAround({20, 30, 100, 50}), (TTrackerBounds{15, 25, 110, 60}));
    EXPECT_EQ(AccompanyingInside({15, 25, 110, 60}), (TTrackerBounds{20, 30, 100, 50}));
    TTrackRect h[8];
    TrackerHandles(65, 65, h);
    EXPECT_EQ(h[0], (TTrackRect{0, 0, 5, 5}));
    EXPECT_EQ(h[1], (TTrackRect{0, 30, 5, 35}));
    EXPECT_EQ(h[4], (TTrackRect{30, 60, 35, 65}));
    EXPECT_EQ(h[7], (TTrackRect{60, 60, 65, 65}));
}

TEST(RectTrackerLogic, ArrowKeysMoveOrResizeByOnePixel) {
    const TTrackerBounds b{20, 30, 11, 40};
    EXPECT_EQ(TrackerKeyStep(b, -1, 0, false), (TTrackerBounds{19, 30, 11, 40}));
    EXPECT_EQ(TrackerKeyStep(b, 0, 1, false), (TTrackerBounds{20, 31, 11, 40}));
    EXPECT_EQ(TrackerKeyStep(b, 1, 0, true), (TTrackerBounds{20, 30, 12, 40}));
    EXPECT_EQ(TrackerKeyStep(b, 0, -1, true), (TTrackerBounds{20, 30, 11, 39}));
    const TTrackerBounds least = TrackerKeyStep(b, -1, 0, true);
    EXPECT_EQ(least.Width, 10);
    EXPECT_EQ(TrackerKeyStep(least, -1, 0, true), least);
}
