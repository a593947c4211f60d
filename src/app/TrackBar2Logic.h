// The window-free part of the two-thumb track bar: its properties with their clamping rules, the
// layout (usable length, offsets, track, thumbs, ticks), and what a mouse press, a drag and a key
// do to the positions. The widget (ui/TrackBar2) paints from these numbers and forwards its
// input here.
//
// All divisions truncate toward zero. While Max equals Min the range is empty: Valid() is false,
// the layout is empty and input changes nothing (the layout would divide by zero).
// Plain values, no locking; use it from one thread.
#pragma once

#include <vector>

namespace zelta {

enum TOrientation { toHorizontal, toVertical };
enum TTrackStyle { trUserDrawn, trFlat, trRaised, trLowered };
enum TThumbStyle {
    tsUserDrawn,
    tsRectangle,
    tsRaisedRectangle,
    tsLoweredRectangle,
    tsSmallPointer,
    tsMediumPointer,
    tsLargePointer,
};
enum TTickStyle { tiUserDrawn, tiLine, tiSquare, tiRaisedSquare, tiLoweredSquare };
enum TTickOrientation { toTopLeft, toBottomRight, toBoth };

// The way a pointer thumb points.
enum TPointerDirection { pdLeft, pdRight, pdUp, pdDown };

struct TBarRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool Contains(int X, int Y) const
    {
        return X >= Left && X < Left + Width && Y >= Top && Y < Top + Height;
    }
    bool operator==(const TBarRect&) const = default;
};

// Size of a pointer picture (small 8 x 12 pointing up or down, 12 x 8 left or right; medium
// 12 x 18 / 18 x 12; large 16 x 24 / 24 x 16). Style must be a pointer style.
TBarRect PointerPictureSize(TThumbStyle Style, TPointerDirection Direction);
bool IsPointerStyle(TThumbStyle Style);

struct TBarLayout {
    int Length = 0;      // L: the usable length
    int Offset = 0;      // off: the thumb offset
    int Start = 0;       // S: the start offset
    TBarRect Track;
    TBarRect ThumbL;     // the lower (or only) thumb
    TBarRect ThumbU;     // the upper thumb (meaningful with SecondThumb)
    int Middle = 0;      // x (horizontal) or y (vertical) of the middle marker
    struct TTick {
        int X = 0;       // the tick's point: along the bar its position, across the bar's edge
        int Y = 0;       //   offset (2 pixels in, or the far edge minus 2 minus TickSize)
        int Value = 0;
    };
    std::vector<TTick> Ticks;
};

class TTrackBar2Logic {
public:
    // --- properties (initial values of a new control) ---
    int Max() const { return Max_; } // 20
    // Lowers PositionU to the new maximum when above it.
    void SetMax(int Value);
    int Min() const { return Min_; } // 0
    // Raises PositionL to the new minimum when below it.
    void SetMin(int Value);
    int PositionL() const { return PositionL_; } // 0
    int PositionU() const { return PositionU_; } // 10
    // Nothing happens for the current value. With SecondThumb a value at or above PositionU
    // becomes PositionU - 1; otherwise it is limited to Min..Max. True when the position changed.
    bool SetPositionL(int Value);
    // Nothing happens for the current value. Above Max it becomes Max; otherwise a value at or
    // below PositionL becomes PositionL + 1 (Min does not limit it). True when it changed.
    bool SetPositionU(int Value);
    // Both thumbs at once, in the order that lets the rules keep both values when they allow them
    // (moving the upper thumb first when the range moves up). True when either changed.
    bool SetPositions(int Lower, int Upper);

    bool SecondThumb() const { return SecondThumb_; } // false
    void SetSecondThumb(bool Value) { SecondThumb_ = Value; }
    TOrientation Orientation() const { return Orientation_; } // toVertical
    void SetOrientation(TOrientation Value);
    int TrackSize() const { return TrackSize_; } // 10
    void SetTrackSize(int Value) { TrackSize_ = Value; }
    int TickSize() const { return TickSize_; } // 6
    void SetTickSize(int Value) { TickSize_ = Value; }
    int TickInterval() const { return TickInterval_; } // 1
    void SetTickInterval(int Value) { TickInterval_ = Value; }
    TTickOrientation TickOrientation() const { return TickOrientation_; } // toBoth
    void SetTickOrientation(TTickOrientation Value);
    int SmallChange() const { return SmallChange_; } // 1
    void SetSmallChange(int Value) { SmallChange_ = Value; }
    int LargeChange() const { return LargeChange_; } // 2
    void SetLargeChange(int Value) { LargeChange_ = Value; }
    // The stored thumb size; pointer styles replace it by the picture's extent along the bar.
    int ThumbSize() const { return ThumbSize_; } // 20
    void SetThumbSize(int Value);
    TThumbStyle ThumbStyle() const { return ThumbStyle_; } // tsRaisedRectangle
    void SetThumbStyle(TThumbStyle Value);

    // The control's size. Height >= width makes the bar vertical, height < width horizontal;
    // equal sides keep the orientation.
    int Width() const { return Width_; }
    int Height() const { return Height_; }
    void SetSize(int Width, int Height);

    // Max > Min: the range can be laid out.
    bool Valid() const { return Max_ > Min_; }
    // The direction pointer thumbs point in for the orientation and tick side.
    TPointerDirection PointerDirection() const;
    // Width and height of one thumb picture.
    TBarRect ThumbExtent() const;
    TBarLayout Layout() const;

    // --- input; every function returns true when a position changed ---
    // A left press at (X, Y): picks the concerned thumb, starts dragging it when the press is on
    // it, and jumps there (or, with Shift, steps SmallChange toward the point).
    bool MousePress(int X, int Y, bool Shift);
    // While dragging: the dragged thumb follows the point.
    bool MouseMove(int X, int Y);
    void MouseRelease() { TrackingL_ = TrackingU_ = false; }
    bool TrackingL() const { return TrackingL_; }
    bool TrackingU() const { return TrackingU_; }

    enum TKey { kPageUp, kPageDown, kRight, kUp, kLeft, kDown };
    // PageUp/PageDown add/subtract LargeChange, Right/Up add and Left/Down subtract SmallChange;
    // with Shift and SecondThumb they move PositionU, otherwise PositionL.
    bool Key(TKey Key, bool Shift);

    // The value under a point along the bar: horizontal (x - off) * R div L, vertical
    // Max - (y - off) * R div L. Only meaningful while Valid().
    int ValueAt(int X, int Y) const;

private:
    int Range() const { return Max_ - Min_; }
    // Pointer styles take their picture's extent along the bar as the thumb size.
    void RebuildThumb();

    int Max_ = 20;
    int Min_ = 0;
    int PositionL_ = 0;
    int PositionU_ = 10;
    bool SecondThumb_ = false;
    TOrientation Orientation_ = toVertical;
    int TrackSize_ = 10;
    int TickSize_ = 6;
    int TickInterval_ = 1;
    TTickOrientation TickOrientation_ = toBoth;
    int SmallChange_ = 1;
    int LargeChange_ = 2;
    int ThumbSize_ = 20;
    TThumbStyle ThumbStyle_ = tsRaisedRectangle;
    int Width_ = 500;
    int Height_ = 50;
    bool TrackingL_ = false;
    bool TrackingU_ = false;
};

}  // namespace zelta
