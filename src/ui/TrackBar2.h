// TTrackBar2: a focusable track bar that draws itself completely: a track, optional tick marks
// and one or two thumbs. With SecondThumb it selects a range whose lower thumb (PositionL) stays
// below the upper one (PositionU). Change is emitted on every position change, from the mouse,
// the keys or a setter; setting a position to its current value emits nothing.
//
// Layout, clamping and input rules live in app/TrackBar2Logic; this class paints and forwards
// input. While Max equals Min nothing is painted and input is ignored. GUI thread only.
#pragma once

#include "app/TrackBar2Logic.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

class TTrackBar2 : public QWidget {
    Q_OBJECT
public:
    explicit TTrackBar2(QWidget* Parent = nullptr);

    // --- the range and the thumbs ---
    int Max() const { return Logic_.Max(); }
    void SetMax(int Value);
    int Min() const { return Logic_.Min(); }
    void SetMin(int Value);
    int PositionL() const { return Logic_.PositionL(); }
    void SetPositionL(int Value);
    int PositionU() const { return Logic_.PositionU(); }
    void SetPositionU(int Value);
    // Both thumbs in one step; one Change at most.
    void SetPositions(int Lower, int Upper);
    bool SecondThumb() const { return Logic_.SecondThumb(); }
    void SetSecondThumb(bool Value);
    int SmallChange() const { return Logic_.SmallChange(); }
    void SetSmallChange(int Value) { Logic_.SetSmallChange(Value); }
    int LargeChange() const { return Logic_.LargeChange(); }
    void SetLargeChange(int Value) { Logic_.SetLargeChange(Value); }
    bool TrackingL() const { return Logic_.TrackingL(); }
    bool TrackingU() const { return Logic_.TrackingU(); }

    // --- looks ---
    zelta::TOrientation Orientation() const { return Logic_.Orientation(); }
    // Swaps width and height when the shape does not match.
    void SetOrientation(zelta::TOrientation Value);
    int TrackSize() const { return Logic_.TrackSize(); }
    void SetTrackSize(int Value);
    zelta::TTrackStyle TrackStyle() const { return TrackStyle_; }
    void SetTrackStyle(zelta::TTrackStyle Value);
    QColor TrackColor() const { return TrackColor_; }
    void SetTrackColor(const QColor& Value);
    int TickSize() const { return Logic_.TickSize(); }
    void SetTickSize(int Value);
    zelta::TTickStyle TickStyle() const { return TickStyle_; }
    // tiLine also makes the ticks black.
    void SetTickStyle(zelta::TTickStyle Value);
    QColor TickColor() const { return TickColor_; }
    void SetTickColor(const QColor& Value);
    zelta::TTickOrientation TickOrientation() const { return Logic_.TickOrientation(); }
    void SetTickOrientation(zelta::TTickOrientation Value);
    int TickInterval() const { return Logic_.TickInterval(); }
    void SetTickInterval(int Value);
    int ThumbSize() const { return Logic_.ThumbSize(); }
    void SetThumbSize(int Value);
    zelta::TThumbStyle ThumbStyle() const { return Logic_.ThumbStyle(); }
    void SetThumbStyle(zelta::TThumbStyle Value);
    QColor ThumbColor() const { return ThumbColor_; }
    void SetThumbColor(const QColor& Value);
    // Hatch the thumbs while disabled.
    bool DitherThumb() const { return DitherThumb_; }
    void SetDitherThumb(bool Value);

    // The arithmetic for the current size (a hidden bar gets its resize event only when shown).
    const zelta::TTrackBar2Logic& Logic() const;
    // The picture a pointer thumb is drawn with (transparent around the pointer).
    static QImage PointerPicture(zelta::TThumbStyle Style, zelta::TPointerDirection Direction,
                                 const QColor& Face);

    // User-drawn parts (trUserDrawn, tsUserDrawn, tiUserDrawn).
    std::function<void(TTrackBar2* Sender, QPainter& Canvas)> OnDrawTrack;
    std::function<void(TTrackBar2* Sender, QPainter& Canvas, int X, int Y)> OnDrawThumb;
    std::function<void(TTrackBar2* Sender, QPainter& Canvas, int X, int Y, int Position)>
        OnDrawTick;

    QSize sizeHint() const override { return {500, 50}; }

signals:
    void Change();
    // Before anything else is painted.
    void Paint(QPainter& Canvas);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;

private:
    void Changed(bool DidChange);
    QBrush Hatch() const;
    void DrawTrack(QPainter& P, const zelta::TBarLayout& Layout);
    void DrawTicks(QPainter& P, const zelta::TBarLayout& Layout);
    void DrawThumb(QPainter& P, const zelta::TBarRect& Thumb);

    void SyncSize() const;

    mutable zelta::TTrackBar2Logic Logic_;
    zelta::TTrackStyle TrackStyle_ = zelta::trLowered;
    zelta::TTickStyle TickStyle_ = zelta::tiRaisedSquare;
    QColor TrackColor_ = Qt::white;
    QColor TickColor_;
    QColor ThumbColor_;
    bool DitherThumb_ = true;
};
