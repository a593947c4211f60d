#include "ui/FrmCover.h"

#include "ui/AccessibleNames.h"
#include "ui/HiDpi.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

TfrmCover::TfrmCover(const QString& CoverFile, QWidget* Parent)
    : QWidget(Parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), imgCover(new QLabel(this)) {
    setObjectName(QStringLiteral("frmCover"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(imgCover);
    FormCreate(CoverFile);
    tmr1.setInterval(1000);
    connect(&tmr1, &QTimer::timeout, this, &TfrmCover::tmr1Timer);
    tmr1.start();
    NameControls(this);
}

QImage TfrmCover::BuiltInPicture() {
    const QSize size(480, 280);
    QImage img = ScaledImage(size, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x1C, 0x3F, 0x6E));
    g.setColorAt(1, QColor(0x08, 0x12, 0x24));
    p.fillRect(QRect(QPoint(0, 0), size), g);
    p.setPen(QColor(0xF0, 0xF4, 0xFA));
    QFont f(QStringLiteral("DejaVu Sans"), 22, QFont::Bold);
    p.setFont(f);
    p.drawText(QRect(24, 90, 432, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zelta"));
    f.setPointSize(13);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(24, 140, 432, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Video to Audio Converter"));
    p.fillRect(QRect(24, 186, 120, 4), QColor(0x3A, 0x9A, 0xD8));
    return img;
}

void TfrmCover::FormCreate(const QString& CoverFile) {
    Picture_ = BuiltInPicture();
    if (QFileInfo(CoverFile).isFile()) {
        QImage custom(CoverFile);
        if (!custom.isNull()) // an unreadable picture keeps the built-in one
            Picture_ = custom;
    }
    imgCover->setPixmap(QPixmap::fromImage(Picture_));
}

void TfrmCover::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    FormShow();
}

void TfrmCover::FormShow() {
    setFixedSize(LogicalSize(Picture_));
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmCover::tmr1Timer() {
    if (Main_ && Main_->isVisible()) {
        tmr1.stop();
        close();
    }
}
