// TRectTracker: a transparent control showing a dotted rectangle with eight square grip
// handles. Dragging the inside moves it, dragging an edge or a corner resizes it (never below
// 10 x 10); when a drag ends with other bounds than it began with, Change reports the track
// rectangle (the bounds inset by 2, in the parent's coordinates). With the keyboard focus the
// arrow keys move it by one pixel and Shift+arrows resize it. It can drag an accompanying
// control along, kept 5 pixels inside its bounds. The geometry is app/RectTrackerLogic.
//
// The frame is drawn as light dots over whatever lies below (the inverse of the pen merged with
// the background), the handles black with light outlines. Main thread only.
#pragma once

#include "app/RectTrackerLogic.h"

#include <QPointer>
#include <QWidget>

class TRectTracker : public QWidget {
    Q_OBJECT
public:
    explicit TRectTracker(QWidget* Parent = nullptr);

    zelta::TTrackRect GetTrackRect() const { return zelta::TrackRectOf(Bounds()); }
    zelta::TTrackerBounds Bounds() const;
    void SetBounds(const zelta::TTrackerBounds& Bounds);

    // The tracker places itself around Control (5 pixels outside it) and from then on moves it
    // along; the tracker itself or null stores none. Control must share the tracker's parent.
    void SetAcControl(QWidget* Control);
    QWidget* AcControl() const { return AcControl_; }

    zelta::TTrackerZone DragZone() const { return Drag_.Zone(); }

signals:
    // A drag or an arrow key changed the bounds.
    void Change(zelta::TTrackRect TrackRect);
    // After the tracker's own handling; Position in tracker coordinates.
    void MouseDown(Qt::MouseButton Button, QPoint Position);
    void MouseMove(QPoint Position);
    void MouseUp(Qt::MouseButton Button, QPoint Position);
    // An arrow key moved or resized the tracker (Change follows).
    void KeyStep();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void FollowAcControl();

    zelta::TTrackerDrag Drag_;
    QPointer<QWidget> AcControl_;
    bool PlacingSelf_ = false; // the tracker moves around its control: do not move it back
};
