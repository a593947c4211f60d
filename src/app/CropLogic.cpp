#include "app/CropLogic.h"

#include "app/SourceList.h"
#include "app/Translation.h"
#include "engine/FFUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelta {

namespace {

int& SideOf(TCropMargins& M, TCropSide Side) {
    switch (Side) {
    case TCropSide::Up:
        return M.Up;
    case TCropSide::Down:
        return M.Down;
    case TCropSide::Left:
        return M.Left;
    case TCropSide::Right:
        break;
    }
    return M.Right;
}

bool Vertical(TCropSide Side) { return Side == TCropSide::Up || Side == TCropSide::Down; }

}  // namespace

TFitRect CropPictureRect(int FrameWidth, int FrameHeight, int SourceWidth, int SourceHeight,
                         int PreviewLeft, int PreviewTop, int PreviewWidth, int PreviewHeight) {
    const bool frame = FrameWidth > 0 && FrameHeight > 0;
    TFitRect r = FitRect(frame ? FrameWidth : SourceWidth, frame ? FrameHeight : SourceHeight,
                         PreviewWidth, PreviewHeight);
    r.Left += PreviewLeft;
    r.Right += PreviewLeft;
    r.Top += PreviewTop;
    r.Bottom += PreviewTop;
    return r;
}

TTrackerBounds TrackerForMargins(const TFitRect& P, const TCropMargins& M) {
    return {P.Left + M.Left, P.Top + M.Up, P.Width() - M.Left - M.Right,
            P.Height() - M.Up - M.Down};
}

TCropMargins MarginsOfTracker(const TFitRect& P, const TTrackerBounds& T) {
    return {std::max(0, T.Top - P.Top), std::max(0, P.Bottom - T.Bottom()),
            std::max(0, T.Left - P.Left), std::max(0, P.Right - T.Right())};
}

TCropSpinResult CropSpinChange(TCropSide Side, int Value, const TCropMargins& Last,
                               const TTrackerBounds& Tracker, const TFitRect& P,
                               int DragStartLeft, int DragStartTop) {
    const bool vertical = Vertical(Side);
    const int extent = vertical ? Tracker.Height : Tracker.Width;
    TCropMargins m = Last;
    int& value = SideOf(m, Side);
    if (extent <= TrackerMinimumSize && Value > value)
        Value = value; // refused: the tracker cannot get any smaller
    const int other = vertical ? (Side == TCropSide::Up ? m.Down : m.Up)
                               : (Side == TCropSide::Left ? m.Right : m.Left);
    const int room = (vertical ? P.Height() : P.Width()) - other - TrackerMinimumSize;
    value = std::max(0, std::min(Value, std::max(room, 0)));

    TCropSpinResult r;
    r.Value = value;
    r.Margins = m;
    r.Tracker = Tracker;
    r.DragStartLeft = DragStartLeft;
    r.DragStartTop = DragStartTop;
    if (vertical) {
        r.Tracker.Top = P.Top + m.Up;
        r.Tracker.Height = P.Height() - m.Up - m.Down;
        r.DragStartTop = P.Top + m.Up;
    } else {
        r.Tracker.Left = P.Left + m.Left;
        r.Tracker.Width = P.Width() - m.Left - m.Right;
        r.DragStartLeft = P.Left + m.Left;
    }
    return r;
}

TCropDragResult CropDragChecks(const TFitRect& P, const TTrackerBounds& Tracker, int X, int Y,
                               const TCropMargins& Current, int DragStartLeft, int DragStartTop) {
    TTrackerBounds t = Tracker;
    // The pointer in the parent's coordinates, as it was when the tracker reported the move.
    const int px = Tracker.Left + X;
    const int py = Tracker.Top + Y;
    auto r = [&] { return TrackRectOf(t); };
    if (r().Left < P.Left + 3)
        t.Left = P.Left + Current.Left;
    if (r().Top < P.Top + 3)
        t.Top = P.Top;
    if (r().Right > P.Right && px >= P.Right)
        t.Width = P.Right - t.Left - Current.Right;
    if (t.Width > P.Width())
        t.Width = P.Right - t.Left;
    if (r().Bottom > P.Bottom && py >= P.Bottom)
        t.Height = P.Bottom - t.Top;
    if (t.Height > P.Height())
        t.Height = P.Bottom - t.Top;
    if (r().Right > P.Right && r().Bottom > P.Bottom) {
        t.Left = DragStartLeft;
        t.Top = DragStartTop;
        t.Width = P.Right - t.Left;
        t.Height = P.Bottom - t.Top;
    }
    if (r().Right > P.Right) {
        t.Left = DragStartLeft;
        t.Width = P.Right - t.Left;
    }
    if (r().Bottom > P.Bottom) {
        t.Top = DragStartTop;
        t.Height = P.Bottom - t.Top;
    }
    return {t, MarginsOfTracker(P, t)};
}

TTrackerBounds KeepTrackerInside(const TFitRect& P, const TTrackerBounds& Tracker) {
    TTrackerBounds t = Tracker;
    t.Width = std::min(t.Width, P.Width());
    t.Height = std::min(t.Height, P.Height());
    t.Left = std::clamp(t.Left, P.Left, std::max(P.Left, P.Right - t.Width));
    t.Top = std::clamp(t.Top, P.Top, std::max(P.Top, P.Bottom - t.Height));
    return t;
}

int ScaleCropMargin(int Margin, int SourceSize, int PreviewSize) {
    if (PreviewSize <= 0)
        return 0;
    const long long nearest =
        std::llrint(double(Margin) * double(SourceSize) / double(PreviewSize));
    return int(nearest / 2 * 2);
}

int ZoomIndexOf(const std::string& ZoomMode) {
    if (ZoomMode == "lbox")
        return 1;
    if (ZoomMode == "orig")
        return 2;
    if (ZoomMode == "cent")
        return 3;
    return 0;
}

std::optional<std::string> ZoomModeOfIndex(int Index) {
    if (Index == 0)
        return "full";
    if (Index == 1)
        return "lbox";
    return std::nullopt;
}

void StoreCrop(TlvFilesRecord& Record, const TCropMargins& M, int SourceWidth, int SourceHeight,
               const TFitRect& P, int ZoomIndex) {
    Record.CropUpView = M.Up;
    Record.CropLeftView = M.Left;
    Record.CropDownView = M.Down;
    Record.CropRightView = M.Right;
    Record.CropTop = ScaleCropMargin(M.Up, SourceHeight, P.Height());
    Record.CropBottom = ScaleCropMargin(M.Down, SourceHeight, P.Height());
    Record.CropLeft = ScaleCropMargin(M.Left, SourceWidth, P.Width());
    Record.CropRight = ScaleCropMargin(M.Right, SourceWidth, P.Width());
    if (const std::optional<std::string> zoom = ZoomModeOfIndex(ZoomIndex))
        Record.ZoomMode = *zoom;
}

std::string CropResultText(const TCropMargins& M, int SourceWidth, int SourceHeight,
                           const TFitRect& P) {
    if (SourceWidth <= 0 || SourceHeight <= 0)
        return {};
    const int w = SourceWidth - ScaleCropMargin(M.Left, SourceWidth, P.Width()) -
                  ScaleCropMargin(M.Right, SourceWidth, P.Width());
    const int h = SourceHeight - ScaleCropMargin(M.Up, SourceHeight, P.Height()) -
                  ScaleCropMargin(M.Down, SourceHeight, P.Height());
    //: the picture size that the crop leaves, width x height
    return FillText(TrText("CropLogic", "Result: %1 x %2"),
                    {std::to_string(std::max(w, 0)), std::to_string(std::max(h, 0))});
}

void TCropFrameBuffer::Store(const TBitmap24& Frame) {
    if (Frame.Width() <= 0 || Frame.Height() <= 0)
        return;
    // The copy is made outside the lock; only the exchange is guarded.
    QImage copy = QImage(Frame.Bits(), Frame.Width(), Frame.Height(), Frame.ScanlineSize(),
                         QImage::Format_BGR888)
                      .copy();
    std::lock_guard g(Lock_);
    Frame_.swap(copy);
}

QImage TCropFrameBuffer::Latest() const {
    std::lock_guard g(Lock_);
    return Frame_;
}

void TCropFrameBuffer::Clear() {
    QImage none;
    std::lock_guard g(Lock_);
    Frame_.swap(none);
}

}  // namespace zelta
