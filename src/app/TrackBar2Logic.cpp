#include "app/TrackBar2Logic.h"

#include <utility>

namespace zelta {

bool IsPointerStyle(TThumbStyle Style)
{
    return Style == tsSmallPointer || Style == tsMediumPointer || Style == tsLargePointer;
}

TBarRect PointerPictureSize(TThumbStyle Style, TPointerDirection Direction)
{
    int Narrow = 8, Long = 12;
    if (Style == tsMediumPointer) {
        Narrow = 12;
        Long = 18;
    } else if (Style == tsLargePointer) {
        Narrow = 16;
        Long = 24;
    }
    if (Direction == pdUp || Direction == pdDown)
        return {0, 0, Narrow, Long};
    return {0, 0, Long, Narrow};
}

void TTrackBar2Logic::SetMax(int Value)
{
    Max_ = Value;
    if (PositionU_ > Max_)
        PositionU_ = Max_;
}

void TTrackBar2Logic::SetMin(int Value)
{
    Min_ = Value;
    if (PositionL_ < Min_)
        PositionL_ = Min_;
}

bool TTrackBar2Logic::SetPositionL(int Value)
{
    if (Value == PositionL_)
        return false;
    if (SecondThumb_ && Value >= PositionU_)
        Value = PositionU_ - 1;
    else if (Value > Max_)
        Value = Max_;
    else if (Value < Min_)
        Value = Min_;
    if (Value == PositionL_)
        return false;
    PositionL_ = Value;
    return true;
}

bool TTrackBar2Logic::SetPositionU(int Value)
{
    if (Value == PositionU_)
        return false;
    if (Value > Max_)
        Value = Max_;
    else if (PositionL_ >= Value)
        Value = PositionL_ + 1;
    if (Value == PositionU_)
        return false;
    PositionU_ = Value;
    return true;
}

bool TTrackBar2Logic::SetPositions(int Lower, int Upper)
{
    bool Changed = false;
    if (SecondThumb_ && Lower >= PositionU_) {
        Changed = SetPositionU(Upper);
        Changed = SetPositionL(Lower) || Changed;
    } else {
        Changed = SetPositionL(Lower);
        Changed = SetPositionU(Upper) || Changed;
    }
    return Changed;
}

void TTrackBar2Logic::SetOrientation(TOrientation Value)
{
    Orientation_ = Value;
    const bool Mismatch = Value == toHorizontal ? Height_ > Width_ : Width_ > Height_;
    if (Mismatch)
        std::swap(Width_, Height_);
    RebuildThumb();
}

void TTrackBar2Logic::SetTickOrientation(TTickOrientation Value)
{
    TickOrientation_ = Value;
    RebuildThumb();
}

void TTrackBar2Logic::SetThumbSize(int Value)
{
    ThumbSize_ = Value;
    RebuildThumb();
}

void TTrackBar2Logic::SetThumbStyle(TThumbStyle Value)
{
    ThumbStyle_ = Value;
    RebuildThumb();
}

void TTrackBar2Logic::SetSize(int Width, int Height)
{
    Width_ = Width;
    Height_ = Height;
    if (Height > Width)
        Orientation_ = toVertical;
    else if (Height < Width)
        Orientation_ = toHorizontal;
    RebuildThumb();
}

TPointerDirection TTrackBar2Logic::PointerDirection() const
{
    const bool FarSide = TickOrientation_ == toBottomRight;
    if (Orientation_ == toVertical)
        return FarSide ? pdRight : pdLeft;
    return FarSide ? pdDown : pdUp;
}

void TTrackBar2Logic::RebuildThumb()
{
    if (!IsPointerStyle(ThumbStyle_))
        return;
    const TBarRect Picture = PointerPictureSize(ThumbStyle_, PointerDirection());
    ThumbSize_ = Orientation_ == toHorizontal ? Picture.Width : Picture.Height;
}

TBarRect TTrackBar2Logic::ThumbExtent() const
{
    switch (ThumbStyle_) {
    case tsRectangle:
    case tsRaisedRectangle:
    case tsLoweredRectangle:
        if (Orientation_ == toHorizontal)
            return {0, 0, ThumbSize_ / 2, ThumbSize_};
        return {0, 0, ThumbSize_, ThumbSize_ / 2};
    case tsSmallPointer:
    case tsMediumPointer:
    case tsLargePointer:
        return PointerPictureSize(ThumbStyle_, PointerDirection());
    case tsUserDrawn:
        break;
    }
    return {0, 0, ThumbSize_, ThumbSize_};
}

TBarLayout TTrackBar2Logic::Layout() const
{
    TBarLayout Result;
    if (!Valid())
        return Result;
    const bool Horizontal = Orientation_ == toHorizontal;
    const int Along = Horizontal ? Width_ : Height_;
    const int Across = Horizontal ? Height_ : Width_;
    const int R = Range();
    const bool RectangleStyle = ThumbStyle_ == tsRectangle || ThumbStyle_ == tsRaisedRectangle ||
                                ThumbStyle_ == tsLoweredRectangle;
    Result.Offset = RectangleStyle ? ThumbSize_ / 4 : ThumbSize_ / 2;
    const int Off = Result.Offset;
    const int L = Along - ThumbSize_;
    Result.Length = L;
    const int C = L * Min_ / R + Off;
    const int A = L * Max_ / R + Off;
    const int T = (Along + C - A) / 2;
    Result.Start = T - Off;
    const int S = Result.Start;

    const int TrackFrom = T + C - Off;
    const int TrackTo = T + A - Off;
    const int CrossFrom = Across / 2 - TrackSize_ / 2;
    const int CrossTo = Across / 2 + TrackSize_ / 2;
    if (Horizontal)
        Result.Track = {TrackFrom, CrossFrom, TrackTo - TrackFrom, CrossTo - CrossFrom};
    else
        Result.Track = {CrossFrom, TrackFrom, CrossTo - CrossFrom, TrackTo - TrackFrom};

    const TBarRect Extent = ThumbExtent();
    const auto Thumb = [&](int Position) {
        if (Horizontal)
            return TBarRect{L * Position / R + S, Height_ / 2 - Extent.Height / 2, Extent.Width,
                            Extent.Height};
        return TBarRect{Width_ / 2 - Extent.Width / 2, (Max_ - Position) * L / R + S,
                        Extent.Width, Extent.Height};
    };
    Result.ThumbL = Thumb(PositionL_);
    Result.ThumbU = Thumb(PositionU_);
    if (Horizontal)
        Result.Middle = (Result.ThumbL.Left + Result.ThumbU.Left + Extent.Width) / 2;
    else
        Result.Middle = (Result.ThumbL.Top + Result.ThumbU.Top + Extent.Height) / 2;

    const int Step = TickInterval_ > 0 ? TickInterval_ : 1;
    const bool Near = TickOrientation_ == toTopLeft || TickOrientation_ == toBoth;
    const bool Far = TickOrientation_ == toBottomRight || TickOrientation_ == toBoth;
    for (int V = Min_; V <= Max_; V += Step) {
        const int At = Horizontal ? V * L / R + Off + S : L * (Max_ - V) / R + Off + S;
        if (Near)
            Result.Ticks.push_back(Horizontal ? TBarLayout::TTick{At, 2, V}
                                              : TBarLayout::TTick{2, At, V});
        if (Far) {
            const int Edge = Across - 2 - TickSize_;
            Result.Ticks.push_back(Horizontal ? TBarLayout::TTick{At, Edge, V}
                                              : TBarLayout::TTick{Edge, At, V});
        }
        if (V > Max_ - Step)
            break; // no overflow past Max
    }
    return Result;
}

int TTrackBar2Logic::ValueAt(int X, int Y) const
{
    const TBarLayout Lay = Layout();
    if (Lay.Length <= 0)
        return PositionL_;
    if (Orientation_ == toHorizontal)
        return (X - Lay.Offset) * Range() / Lay.Length;
    return Max_ - (Y - Lay.Offset) * Range() / Lay.Length;
}

bool TTrackBar2Logic::MousePress(int X, int Y, bool Shift)
{
    if (!Valid())
        return false;
    const TBarLayout Lay = Layout();
    if (Lay.Length <= 0)
        return false;
    const bool Horizontal = Orientation_ == toHorizontal;
    bool Upper = false;
    if (SecondThumb_) {
        if (Horizontal)
            Upper = X > (Lay.ThumbL.Right() + Lay.ThumbU.Left) / 2;
        else
            Upper = Y < (Lay.ThumbL.Top + Lay.ThumbU.Bottom()) / 2;
    }
    const TBarRect& Thumb = Upper ? Lay.ThumbU : Lay.ThumbL;
    if (Thumb.Contains(X, Y)) {
        TrackingU_ = Upper;
        TrackingL_ = !Upper;
    }
    const int Current = Upper ? PositionU_ : PositionL_;
    int Target = Current;
    if (!Shift) {
        Target = ValueAt(X, Y);
    } else {
        // Toward the point; larger values lie right (horizontal) or up (vertical).
        int Direction = 0;
        if (Horizontal)
            Direction = X < Thumb.Left ? -1 : (X >= Thumb.Right() ? 1 : 0);
        else
            Direction = Y < Thumb.Top ? 1 : (Y >= Thumb.Bottom() ? -1 : 0);
        Target = Current + Direction * SmallChange_;
    }
    return Upper ? SetPositionU(Target) : SetPositionL(Target);
}

bool TTrackBar2Logic::MouseMove(int X, int Y)
{
    if (!Valid() || (!TrackingL_ && !TrackingU_))
        return false;
    const int Target = ValueAt(X, Y);
    return TrackingU_ ? SetPositionU(Target) : SetPositionL(Target);
}

bool TTrackBar2Logic::Key(TKey Key, bool Shift)
{
    if (!Valid())
        return false;
    int Delta = 0;
    switch (Key) {
    case kPageUp: Delta = LargeChange_; break;
    case kPageDown: Delta = -LargeChange_; break;
    case kRight:
    case kUp: Delta = SmallChange_; break;
    case kLeft:
    case kDown: Delta = -SmallChange_; break;
    }
    if (Shift && SecondThumb_)
        return SetPositionU(PositionU_ + Delta);
    return SetPositionL(PositionL_ + Delta);
}

}  // namespace zelta
