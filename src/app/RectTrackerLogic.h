// The geometry of the rectangle tracker (the dotted rectangle with eight grip handles that the
// crop dialog lays over its picture): which zone of the control a point hits, how a drag in each
// zone moves or resizes the bounds with the 10-pixel limits, the track rectangle, and where the
// tracker goes around an accompanying control. The widget (ui/RectTracker) only feeds it mouse
// positions and applies the bounds it returns.
//
// Plain values; no thread of its own.
#pragma once

#include <Qt>

namespace zelta {

// A control's bounds in its parent's coordinates.
struct TTrackerBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }   // exclusive
    int Bottom() const { return Top + Height; }  // exclusive
    bool operator==(const TTrackerBounds&) const = default;
};

// A rectangle by its edges (right and bottom exclusive).
struct TTrackRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TTrackRect&) const = default;
};

// The zones in hit-test order: the first that contains a point wins.
enum class TTrackerZone {
    None,
    TopLeft,
    BottomRight,
    BottomLeft,
    TopRight,
    Left,
    Right,
    Top,
    Bottom,
    Inside,
};

inline constexpr int TrackerHandleSize = 5;
inline constexpr int TrackerInset = 2;      // the dotted frame and the track rectangle
inline constexpr int TrackerMinimumSize = 10;
inline constexpr int TrackerDefaultSize = 65;
inline constexpr int AccompanyingMargin = 5; // the accompanying control sits this far inside

// The middle handles' offset along a side of length Size: (Size div 2) + (Size mod 2) - 3.
int TrackerHandleMiddle(int Size);
// The zone under (X, Y), control coordinates, for a control of Width x Height.
TTrackerZone TrackerZoneAt(int Width, int Height, int X, int Y);
// The mouse cursor of a zone.
Qt::CursorShape TrackerZoneCursor(TTrackerZone Zone);
// The inner rectangle in the parent's coordinates: the bounds inset by 2 on every side.
TTrackRect TrackRectOf(const TTrackerBounds& Bounds);
// The eight handle squares (control coordinates, 5 x 5 each, as Left/Top/Right/Bottom).
void TrackerHandles(int Width, int Height, TTrackRect (&Handles)[8]);

// Where the tracker goes around a control with the given bounds, and where that control goes
// inside a tracker with the given bounds.
TTrackerBounds TrackerAround(const TTrackerBounds& Control);
TTrackerBounds AccompanyingInside(const TTrackerBounds& Tracker);

// One arrow-key step: Dx, Dy of -1, 0 or 1 move the bounds by a pixel; with Resize they move the
// right and bottom edges instead, never below the minimum size.
TTrackerBounds TrackerKeyStep(const TTrackerBounds& Bounds, int Dx, int Dy, bool Resize);

// One drag: Press at a point of the control, Move for every later pointer position (control
// coordinates at the time of the move, which follow the control when it moves itself), Release
// at the end. Bounds never go below the minimum size.
class TTrackerDrag {
public:
    void Press(const TTrackerBounds& Bounds, int X, int Y);
    // The bounds after the pointer moved to (X, Y); the current bounds when no drag runs.
    TTrackerBounds Move(const TTrackerBounds& Current, int X, int Y);
    // Ends the drag; true when the bounds differ from those at Press.
    bool Release(const TTrackerBounds& Current);

    bool Dragging() const { return Zone_ != TTrackerZone::None; }
    TTrackerZone Zone() const { return Zone_; }
    const TTrackerBounds& Start() const { return Start_; }

private:
    TTrackerZone Zone_ = TTrackerZone::None;
    TTrackerBounds Start_;
    int LastX_ = -1;
    int LastY_ = -1;
};

}  // namespace zelta
