#include "ui/RectTracker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace zelta;

TRectTracker::TRectTracker(QWidget* Parent) : QWidget(Parent) {
    setObjectName(QStringLiteral("RectTracker"));
    setMinimumSize(TrackerMinimumSize, TrackerMinimumSize);
    resize(TrackerDefaultSize, TrackerDefaultSize);
    setMouseTracking(true); // the cursor follows the zone under the pointer
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(tr("Area to keep: drag it or its handles; arrow keys move it, "
                  "Shift+arrow keys resize it"));
    setAccessibleName(tr("Crop area"));
}

TTrackerBounds TRectTracker::Bounds() const {
    return {x(), y(), width(), height()};
}

void TRectTracker::SetBounds(const TTrackerBounds& B) {
    setGeometry(B.Left, B.Top, B.Width, B.Height);
}

void TRectTracker::SetAcControl(QWidget* Control) {
    if (Control == this)
        Control = nullptr;
    AcControl_ = Control;
    if (!Control)
        return;
    PlacingSelf_ = true;
    SetBounds(TrackerAround({Control->x(), Control->y(), Control->width(), Control->height()}));
    PlacingSelf_ = false;
}

void TRectTracker::FollowAcControl() {
    if (PlacingSelf_ || AcControl_.isNull())
        return;
    if (AcControl_->parentWidget() != parentWidget()) {
        AcControl_ = nullptr; // it cannot be moved in our coordinates any more
        return;
    }
    const TTrackerBounds inside = AccompanyingInside(Bounds());
    AcControl_->setGeometry(inside.Left, inside.Top, inside.Width, inside.Height);
}

void TRectTracker::moveEvent(QMoveEvent* Event) {
    QWidget::moveEvent(Event);
    FollowAcControl();
}

void TRectTracker::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    FollowAcControl();
}

void TRectTracker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int w = width();
    const int h = height();
    // Black merged inverted with the background: light dots and outlines over any picture.
    QPen dotted(Qt::black, 0, Qt::DotLine);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(TrackerInset, TrackerInset, w - 2 * TrackerInset - 1,
                     h - 2 * TrackerInset - 1);

    TTrackRect handles[8];
    TrackerHandles(w, h, handles);
    for (const TTrackRect& r : handles) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillRect(r.Left + 1, r.Top + 1, TrackerHandleSize - 2, TrackerHandleSize - 2,
                         Qt::black);
        painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
        painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
        painter.drawRect(r.Left, r.Top, TrackerHandleSize - 1, TrackerHandleSize - 1);
    }
}

void TRectTracker::mousePressEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    if (Event->button() == Qt::LeftButton)
        Drag_.Press(Bounds(), p.x(), p.y());
    Event->accept();
    emit MouseDown(Event->button(), p);
}

void TRectTracker::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    if (Drag_.Dragging()) {
        const TTrackerBounds moved = Drag_.Move(Bounds(), p.x(), p.y());
        if (!(moved == Bounds()))
            SetBounds(moved);
    }
    // The position as the pointer sees the tracker now.
    const QPoint now = mapFromGlobal(Event->globalPosition().toPoint());
    setCursor(TrackerZoneCursor(TrackerZoneAt(width(), height(), now.x(), now.y())));
    Event->accept();
    emit MouseMove(now);
}

void TRectTracker::mouseReleaseEvent(QMouseEvent* Event) {
    const QPoint p = Event->position().toPoint();
    if (Event->button() == Qt::LeftButton && Drag_.Release(Bounds()))
        emit Change(GetTrackRect());
    Event->accept();
    emit MouseUp(Event->button(), p);
}

void TRectTracker::keyPressEvent(QKeyEvent* Event) {
    int dx = 0;
    int dy = 0;
    switch (Event->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        QWidget::keyPressEvent(Event);
        return;
    }
    const bool resize = Event->modifiers().testFlag(Qt::ShiftModifier);
    const TTrackerBounds before = Bounds();
    const TTrackerBounds after = TrackerKeyStep(before, dx, dy, resize);
    Event->accept();
    if (after == before)
        return;
    SetBounds(after);
    emit KeyStep();
    emit Change(GetTrackRect());
}
