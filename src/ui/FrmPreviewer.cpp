#include "ui/FrmPreviewer.h"

#include "ui/AccessibleNames.h"

#include "engine/FFUtils.h"
#include "engine/MainThread.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <utility>

TfrmPreviewer::TfrmPreviewer(std::function<void()> Closed, QWidget* Parent)
    : QWidget(Parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      Closed_(std::move(Closed)) {
    setObjectName(QStringLiteral("frmPreviewer"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    NameControls(this);
}

void TfrmPreviewer::ShowFrame(const QImage& Frame, int64_t PTS) {
    Frame_ = Frame;
    if (!Placed_ && !Frame_.isNull()) {
        Placed_ = true;
        setFixedSize(Frame_.size());
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    setWindowTitle(QString::fromStdString(FormatMediaTime(PTS)));
    if (!isVisible())
        show();
    update();
}

void TfrmPreviewer::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!Frame_.isNull())
        p.drawImage(QPoint(0, 0), Frame_);
}

void TfrmPreviewer::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(Event);
        return;
    }
    // As if the caption had been grabbed: the window system moves the window when it can.
    QWindow* handle = windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        Event->accept();
        return;
    }
    Dragging_ = true;
    DragOffset_ = Event->globalPosition().toPoint() - frameGeometry().topLeft();
    Event->accept();
}

void TfrmPreviewer::mouseMoveEvent(QMouseEvent* Event) {
    if (Dragging_ && (Event->buttons() & Qt::LeftButton)) {
        move(Event->globalPosition().toPoint() - DragOffset_);
        Event->accept();
        return;
    }
    QWidget::mouseMoveEvent(Event);
}

void TfrmPreviewer::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton)
        Dragging_ = false;
    QWidget::mouseReleaseEvent(Event);
}

void TfrmPreviewer::closeEvent(QCloseEvent* Event) {
    if (Closed_)
        Closed_();
    QWidget::closeEvent(Event);
}

// ---- TQtPreviewer ----

TQtPreviewer::TQtPreviewer() = default;

TQtPreviewer::~TQtPreviewer() {
    if (Window_)
        RunInMainThread([this] { Window_.reset(); });
}

bool TQtPreviewer::ShowFrame(const TBitmap24& Bitmap, int FrameNumber, int64_t PTS) {
    if (Closed_)
        return false;
    if (Bitmap.Width() <= 0 || Bitmap.Height() <= 0)
        return true;
    // The bitmap is the task's and valid only during this call: the window gets a copy.
    const QImage frame = QImage(Bitmap.Bits(), Bitmap.Width(), Bitmap.Height(),
                                Bitmap.ScanlineSize(), QImage::Format_BGR888)
                             .copy();
    FrameNumber_ = FrameNumber;
    RunInMainThread([&] {
        if (Closed_)
            return;
        if (!Window_)
            Window_ = std::make_unique<TfrmPreviewer>([this] { Closed_ = true; });
        Window_->ShowFrame(frame, PTS);
    });
    return !Closed_;
}

TPreviewerFactory QtPreviewerFactory() {
    return [] { return std::make_unique<TQtPreviewer>(); };
}
