#include "ui/VideoView.h"

#include <QCloseEvent>
#include <QImage>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

TVideoView::TVideoView(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    ClientWidth_ = width();
    ClientHeight_ = height();
}

TVideoView::~TVideoView() = default;

void TVideoView::ShowPicture(TShownPicture Picture) {
    std::lock_guard g(Lock_);
    Pending_ = std::move(Picture);
    HasPending_ = true;
    if (UpdateQueued_)
        return; // the queued call will take the newest picture
    UpdateQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { TakePending(); }, Qt::QueuedConnection);
}

void TVideoView::ClientSize(int& Width, int& Height) const {
    std::lock_guard g(Lock_);
    Width = ClientWidth_;
    Height = ClientHeight_;
}

void TVideoView::TakePending() {
    {
        std::lock_guard g(Lock_);
        UpdateQueued_ = false;
        if (!HasPending_)
            return;
        Current_ = std::move(Pending_);
        Pending_ = TShownPicture{};
        HasPending_ = false;
    }
    update();
}

void TVideoView::Clear() {
    {
        std::lock_guard g(Lock_);
        Pending_ = TShownPicture{};
        HasPending_ = false;
    }
    Current_ = TShownPicture{};
    update();
}

void TVideoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const TShownPicture& p = Current_;
    if (!p.Bitmap || p.Bitmap->Width() <= 0 || p.Bitmap->Height() <= 0 || p.SurfaceWidth <= 0 ||
        p.SurfaceHeight <= 0)
        return;
    const TBitmap24& b = *p.Bitmap;
    const QImage image(b.Bits(), b.Width(), b.Height(), b.ScanlineSize(), QImage::Format_BGR888);
    if (width() == p.SurfaceWidth && height() == p.SurfaceHeight) {
        painter.drawImage(QPoint(p.Left, p.Top), image);
        return;
    }
    // The panel was resized and the player has not caught up yet: stretch the surface once.
    const double sx = double(width()) / p.SurfaceWidth;
    const double sy = double(height()) / p.SurfaceHeight;
    painter.drawImage(QRectF(p.Left * sx, p.Top * sy, b.Width() * sx, b.Height() * sy), image);
}

void TVideoView::resizeEvent(QResizeEvent* Event) {
    {
        std::lock_guard g(Lock_);
        ClientWidth_ = Event->size().width();
        ClientHeight_ = Event->size().height();
    }
    QWidget::resizeEvent(Event);
}

void TVideoView::mousePressEvent(QMouseEvent* Event) {
    setFocus(Qt::MouseFocusReason);
    emit MousePressed(Event->button(), Event->position().toPoint());
    Event->accept();
}

void TVideoView::mouseReleaseEvent(QMouseEvent* Event) {
    setFocus(Qt::MouseFocusReason);
    emit MouseReleased(Event->button(), Event->position().toPoint());
    Event->accept();
}

void TVideoView::mouseDoubleClickEvent(QMouseEvent* Event) {
    emit MouseDoubleClicked(Event->button(), Event->position().toPoint());
    Event->accept();
}

void TVideoView::closeEvent(QCloseEvent* Event) { Event->ignore(); }
