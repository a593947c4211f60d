// The crop dialog's logic: the picture rectangle, the tracker for margins, the spin checks, the
// checks after a drag, OK's scaling and zoom mode, the result size and the shared frame buffer
// under a writing thread.
#include "app/CropLogic.h"

#include "app/SourceList.h"
#include "engine/FFUtils.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace zelta;

namespace {

// 720 x 576 in a 370 x 253 preview placed at (10, 20): 316 x 253 with 27 pixels left and right.
const TFitRect P{37, 20, 353, 273};

} // namespace

TEST(CropLogic, PictureRectFromTheFrameOrTheSource) {
    EXPECT_EQ(CropPictureRect(720, 576, 720, 576, 10, 20, 370, 253), P);
    EXPECT_EQ(P.Width(), 316);
    // No picture yet: the source size decides.
    EXPECT_EQ(CropPictureRect(0, 0, 720, 576, 10, 20, 370, 253), P);
    // A wide frame takes the full width.
    EXPECT_EQ(CropPictureRect(320, 120, 0, 0, 0, 0, 370, 253), (TFitRect{0, 57, 370, 196}));
}

TEST(CropLogic, TrackerAndMarginsBothWays) {
    const TCropMargins m{10, 5, 7, 3};
    const TTrackerBounds t = TrackerForMargins(P, m);
    EXPECT_EQ(t, (TTrackerBounds{44, 30, 306, 238}));
    EXPECT_EQ(MarginsOfTracker(P, t), m);
    // A tracker beyond P gives no negative margins.
    EXPECT_EQ(MarginsOfTracker(P, {30, 10, 400, 300}), (TCropMargins{}));
}

TEST(CropLogic, SpinChecks) {
    // Up 10 moves the top and the drag-start top.
    TCropSpinResult r = CropSpinChange(TCropSide::Up, 10, {}, TrackerForMargins(P, {}), P, 37, 20);
    EXPECT_EQ(r.Value, 10);
    EXPECT_EQ(r.Margins, (TCropMargins{10, 0, 0, 0}));
    EXPECT_EQ(r.Tracker, (TTrackerBounds{37, 30, 316, 243}));
    EXPECT_EQ(r.DragStartTop, 30);
    EXPECT_EQ(r.DragStartLeft, 37);
    // A 10-pixel-high tracker: up and down can only decrease.
    const TCropMargins tight{120, 123, 0, 0};
    const TTrackerBounds low = TrackerForMargins(P, tight);
    ASSERT_EQ(low.Height, 10);
    r = CropSpinChange(TCropSide::Up, 121, tight, low, P, 37, 140);
    EXPECT_EQ(r.Value, 120);
    EXPECT_EQ(r.Tracker, low);
    r = CropSpinChange(TCropSide::Down, 124, tight, low, P, 37, 140);
    EXPECT_EQ(r.Value, 123);
    r = CropSpinChange(TCropSide::Down, 122, tight, low, P, 37, 140);
    EXPECT_EQ(r.Value, 122);
    EXPECT_EQ(r.Tracker.Height, 11);
    // A jump that would leave less than 10 pixels is limited; negatives become 0.
    r = CropSpinChange(TCropSide::Left, 400, {0, 0, 0, 6}, TrackerForMargins(P, {0, 0, 0, 6}), P,
                       37, 20);
    EXPECT_EQ(r.Value, 300);
    EXPECT_EQ(r.Tracker, (TTrackerBounds{337, 20, 10, 253}));
    EXPECT_EQ(r.DragStartLeft, 337);
    r = CropSpinChange(TCropSide::Right, -4, {0, 0, 0, 6}, TrackerForMargins(P, {0, 0, 0, 6}), P,
                       37, 20);
    EXPECT_EQ(r.Value, 0);
    EXPECT_EQ(r.Tracker.Width, 316);
}

TEST(CropLogic, DragChecks) {
    const TCropMargins current{10, 20, 5, 0};
    // Past the left edge: back at the left margin it had.
    TCropDragResult d = CropDragChecks(P, {30, 40, 100, 100}, 50, 50, current, 42, 30);
    EXPECT_EQ(d.Tracker.Left, 42);
    EXPECT_EQ(d.Margins.Left, 5);
    // Past the top edge: at the picture's top.
    d = CropDragChecks(P, {60, 15, 100, 100}, 50, 50, current, 60, 30);
    EXPECT_EQ(d.Tracker, (TTrackerBounds{60, 20, 100, 100}));
    EXPECT_EQ(d.Margins.Up, 0);
    // The right edge pulled beyond the picture with the pointer: up to its edge.
    d = CropDragChecks(P, {37, 20, 320, 253}, 319, 100, {}, 37, 20);
    EXPECT_EQ(d.Tracker, (TTrackerBounds{37, 20, 316, 253}));
    EXPECT_EQ(d.Margins, (TCropMargins{}));
    // Moved beyond the right edge with the pointer inside: back at the drag-start left, widened
    // to the edge.
    d = CropDragChecks(P, {160, 30, 200, 100}, 100, 50, {}, 47, 30);
    EXPECT_EQ(d.Tracker, (TTrackerBounds{47, 30, 306, 100}));
    EXPECT_EQ(d.Margins, (TCropMargins{10, 143, 10, 0}));
    // The bottom-right corner pulled beyond both edges.
    d = CropDragChecks(P, {47, 30, 320, 260}, 319, 259, {}, 47, 30);
    EXPECT_EQ(d.Tracker, (TTrackerBounds{47, 30, 306, 243}));
    // Moved beyond both edges: the drag start, reaching both edges.
    d = CropDragChecks(P, {200, 200, 200, 100}, 10, 10, {}, 100, 150);
    EXPECT_EQ(d.Tracker, (TTrackerBounds{100, 150, 253, 123}));
    EXPECT_EQ(d.Margins, (TCropMargins{130, 0, 63, 0}));
    // Inside P nothing changes.
    d = CropDragChecks(P, {60, 40, 100, 100}, 50, 50, current, 60, 40);
    EXPECT_EQ(d.Tracker, (TTrackerBounds{60, 40, 100, 100}));
    EXPECT_EQ(d.Margins, (TCropMargins{20, 133, 23, 193}));
}

TEST(CropLogic, ArrowKeysStayInsideThePicture) {
    EXPECT_EQ(KeepTrackerInside(P, {36, 20, 316, 253}), (TTrackerBounds{37, 20, 316, 253}));
    EXPECT_EQ(KeepTrackerInside(P, {300, 19, 60, 40}), (TTrackerBounds{293, 20, 60, 40}));
    EXPECT_EQ(KeepTrackerInside(P, {37, 240, 100, 40}), (TTrackerBounds{37, 233, 100, 40}));
    EXPECT_EQ(KeepTrackerInside(P, {37, 20, 317, 254}), (TTrackerBounds{37, 20, 316, 253}));
    EXPECT_EQ(KeepTrackerInside(P, {50, 50, 20, 20}), (TTrackerBounds{50, 50, 20, 20}));
}

TEST(CropLogic, OkScalesToEvenSourceMargins) {
    EXPECT_EQ(ScaleCropMargin(10, 576, 253), 22); // 22.77 -> 23 -> 22
    EXPECT_EQ(ScaleCropMargin(1, 7, 2), 4);       // 3.5 -> 4
    EXPECT_EQ(ScaleCropMargin(1, 5, 2), 2);       // 2.5 -> 2 (halves to even)
    EXPECT_EQ(ScaleCropMargin(3, 3, 3), 2);       // odd values are made even downwards
    EXPECT_EQ(ScaleCropMargin(5, 576, 0), 0);
    EXPECT_EQ(ScaleCropMargin(5, 0, 253), 0);

    TlvFilesRecord r;
    r.ZoomMode = "cent";
    StoreCrop(r, {10, 4, 2, 6}, 720, 576, P, ZoomIndexOf(r.ZoomMode));
    EXPECT_EQ(r.ZoomMode, "cent");
    EXPECT_EQ(r.CropUpView, 10);
    EXPECT_EQ(r.CropDownView, 4);
    EXPECT_EQ(r.CropLeftView, 2);
    EXPECT_EQ(r.CropRightView, 6);
    EXPECT_EQ(r.CropTop, 22);
    EXPECT_EQ(r.CropBottom, 8);  // 9.1 -> 9 -> 8
    EXPECT_EQ(r.CropLeft, 4);    // 4.56 -> 5 -> 4
    EXPECT_EQ(r.CropRight, 14);  // 13.67 -> 14
    EXPECT_EQ(CropResultText({10, 4, 2, 6}, 720, 576, P), "Result: 702 x 546");

    // Nothing playable: every margin becomes 0, the old ones do not survive.
    StoreCrop(r, {}, 0, 0, TFitRect{}, 1);
    EXPECT_EQ(r.ZoomMode, "lbox");
    for (int v : {r.CropTop, r.CropBottom, r.CropLeft, r.CropRight, r.CropUpView, r.CropDownView,
                  r.CropLeftView, r.CropRightView})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(CropResultText({}, 0, 0, TFitRect{}), "");

    EXPECT_EQ(ZoomIndexOf("full"), 0);
    EXPECT_EQ(ZoomIndexOf("lbox"), 1);
    EXPECT_EQ(ZoomIndexOf("orig"), 2);
    EXPECT_EQ(ZoomIndexOf("cent"), 3);
    EXPECT_EQ(ZoomIndexOf("pan"), 0);
    EXPECT_EQ(ZoomModeOfIndex(0), "full");
    EXPECT_EQ(ZoomModeOfIndex(2), std::nullopt);
}

// A writer storing uniformly grey frames of changing brightness while a reader looks: every
// picture the reader gets is one whole frame.
TEST(CropLogic, FrameBufferNeverTears) {
    TCropFrameBuffer buffer;
    EXPECT_TRUE(buffer.Latest().isNull());
    TBitmap24 empty;
    buffer.Store(empty);
    EXPECT_TRUE(buffer.Latest().isNull());

    std::atomic<bool> done{false};
    std::thread writer([&] {
        TBitmap24 frame;
        frame.SetSize(96, 64);
        for (int i = 0; i < 2000; ++i) {
            std::memset(frame.Bits(), i % 251, size_t(frame.ScanlineSize()) * frame.Height());
            buffer.Store(frame);
        }
        done = true;
    });
    int seen = 0;
    while (!done || seen == 0) {
        const QImage image = buffer.Latest();
        if (image.isNull())
            continue;
        ++seen;
        ASSERT_EQ(image.size(), QSize(96, 64));
        const uint8_t first = image.constScanLine(0)[0];
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* row = image.constScanLine(y);
            for (int x = 0; x < image.width() * 3; ++x)
                ASSERT_EQ(row[x], first) << "torn at " << x << "," << y;
        }
    }
    writer.join();
    EXPECT_EQ(buffer.Latest().constScanLine(63)[0], 1999 % 251);
    buffer.Clear();
    EXPECT_TRUE(buffer.Latest().isNull());
}
