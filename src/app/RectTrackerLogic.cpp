#include "app/RectTrackerLogic.h"

#include <algorithm>

namespace zelta {

namespace {

bool InSquare(int X, int Y, int Left, int Top) {
    return X >= Left && X < Left + TrackerHandleSize && Y >= Top && Y < Top + TrackerHandleSize;
}

// Moves the left edge by Dx with the right edge kept; the width stays at least the minimum, so
// narrowing stops at the limit instead of pushing the right edge outwards.
void MoveLeftEdge(TTrackerBounds& B, int Dx) {
    const int width = std::max(TrackerMinimumSize, B.Width - Dx);
    B.Left = B.Right() - width;
    B.Width = width;
}

void MoveTopEdge(TTrackerBounds& B, int Dy) {
    const int height = std::max(TrackerMinimumSize, B.Height - Dy);
    B.Top = B.Bottom() - height;
    B.Height = height;
}

void Grow(int& Size, int By) { Size = std::max(TrackerMinimumSize, Size + By); }

bool LeftEdgeMoves(const TTrackerBounds& B, int Dx) { return B.Width > TrackerMinimumSize || Dx <= 0; }
bool TopEdgeMoves(const TTrackerBounds& B, int Dy) { return B.Height > TrackerMinimumSize || Dy <= 0; }

}  // namespace

int TrackerHandleMiddle(int Size) { return Size / 2 + Size % 2 - 3; }

TTrackerZone TrackerZoneAt(int W, int H, int X, int Y) {
    const int mx = TrackerHandleMiddle(W);
    const int my = TrackerHandleMiddle(H);
    const int s = TrackerHandleSize;
    if (InSquare(X, Y, 0, 0))
        return TTrackerZone::TopLeft;
    if (InSquare(X, Y, W - s, H - s))
        return TTrackerZone::BottomRight;
    if (InSquare(X, Y, 0, H - s))
        return TTrackerZone::BottomLeft;
    if (InSquare(X, Y, W - s, 0))
        return TTrackerZone::TopRight;
    if (InSquare(X, Y, 0, my))
        return TTrackerZone::Left;
    if (InSquare(X, Y, W - s, my))
        return TTrackerZone::Right;
    if (InSquare(X, Y, mx, 0))
        return TTrackerZone::Top;
    if (InSquare(X, Y, mx, H - s))
        return TTrackerZone::Bottom;
    if (X >= TrackerInset && X < W - TrackerInset && Y >= TrackerInset && Y < H - TrackerInset)
        return TTrackerZone::Inside;
    return TTrackerZone::None;
}

Qt::CursorShape TrackerZoneCursor(TTrackerZone Zone) {
    switch (Zone) {
    case TTrackerZone::TopLeft:
    case TTrackerZone::BottomRight:
        return Qt::SizeFDiagCursor;
    case TTrackerZone::BottomLeft:
    case TTrackerZone::TopRight:
        return Qt::SizeBDiagCursor;
    case TTrackerZone::Left:
    case TTrackerZone::Right:
        return Qt::SizeHorCursor;
    case TTrackerZone::Top:
    case TTrackerZone::Bottom:
        return Qt::SizeVerCursor;
    case TTrackerZone::Inside:
        return Qt::SizeAllCursor;
    case TTrackerZone::None:
        break;
    }
    return Qt::ArrowCursor;
}

TTrackRect TrackRectOf(const TTrackerBounds& B) {
    return {B.Left + TrackerInset, B.Top + TrackerInset, B.Right() - TrackerInset,
            B.Bottom() - TrackerInset};
}

void TrackerHandles(int W, int H, TTrackRect (&Handles)[8]) {
    const int mx = TrackerHandleMiddle(W);
    const int my = TrackerHandleMiddle(H);
    const int s = TrackerHandleSize;
    const int corners[8][2] = {{0, 0},  {0, my},     {0, H - s},     {mx, 0},
                               {mx, H - s}, {W - s, 0}, {W - s, my}, {W - s, H - s}};
    for (int i = 0; i < 8; ++i)
        Handles[i] = {corners[i][0], corners[i][1], corners[i][0] + s, corners[i][1] + s};
}

TTrackerBounds TrackerAround(const TTrackerBounds& C) {
    return {C.Left - AccompanyingMargin, C.Top - AccompanyingMargin,
            C.Width + 2 * AccompanyingMargin, C.Height + 2 * AccompanyingMargin};
}

TTrackerBounds AccompanyingInside(const TTrackerBounds& T) {
    return {T.Left + AccompanyingMargin, T.Top + AccompanyingMargin,
            T.Width - 2 * AccompanyingMargin, T.Height - 2 * AccompanyingMargin};
}

TTrackerBounds TrackerKeyStep(const TTrackerBounds& Bounds, int Dx, int Dy, bool Resize) {
    TTrackerBounds b = Bounds;
    if (Resize) {
        Grow(b.Width, Dx);
        Grow(b.Height, Dy);
    } else {
        b.Left += Dx;
        b.Top += Dy;
    }
    return b;
}

void TTrackerDrag::Press(const TTrackerBounds& Bounds, int X, int Y) {
    Start_ = Bounds;
    LastX_ = X;
    LastY_ = Y;
    Zone_ = TrackerZoneAt(Bounds.Width, Bounds.Height, X, Y);
}

TTrackerBounds TTrackerDrag::Move(const TTrackerBounds& Current, int X, int Y) {
    TTrackerBounds b = Current;
    const int dx = X - LastX_;
    const int dy = Y - LastY_;
    // An edge that moves with the pointer takes the control along, so the pointer's position in
    // control coordinates stays as it was; a growing right or bottom edge does not.
    switch (Zone_) {
    case TTrackerZone::None:
        return b;
    case TTrackerZone::Left:
        if (LeftEdgeMoves(b, dx))
            MoveLeftEdge(b, dx);
        break;
    case TTrackerZone::Right:
        Grow(b.Width, dx);
        LastX_ = X;
        break;
    case TTrackerZone::Top:
        if (TopEdgeMoves(b, dy))
            MoveTopEdge(b, dy);
        break;
    case TTrackerZone::Bottom:
        Grow(b.Height, dy);
        LastY_ = Y;
        break;
    case TTrackerZone::TopLeft:
        if (LeftEdgeMoves(b, dx))
            MoveLeftEdge(b, dx);
        if (TopEdgeMoves(b, dy))
            MoveTopEdge(b, dy);
        break;
    case TTrackerZone::TopRight:
        if (TopEdgeMoves(b, dy))
            MoveTopEdge(b, dy);
        Grow(b.Width, dx);
        LastX_ = X;
        break;
    case TTrackerZone::BottomLeft:
        if (LeftEdgeMoves(b, dx))
            MoveLeftEdge(b, dx);
        Grow(b.Height, dy);
        LastY_ = Y;
        break;
    case TTrackerZone::BottomRight:
        Grow(b.Width, dx);
        Grow(b.Height, dy);
        LastX_ = X;
        LastY_ = Y;
        break;
    case TTrackerZone::Inside:
        b.Left += dx;
        b.Top += dy;
        break;
    }
    return b;
}

bool TTrackerDrag::Release(const TTrackerBounds& Current) {
    const bool dragged = Zone_ != TTrackerZone::None;
    Zone_ = TTrackerZone::None;
    LastX_ = -1;
    LastY_ = -1;
    return dragged && !(Current == Start_);
}

}  // namespace zelta
