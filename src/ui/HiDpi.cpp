#include "ui/HiDpi.h"

#include <QGuiApplication>

#include <cmath>

namespace {

qreal Ratio() { return qApp != nullptr ? qApp->devicePixelRatio() : 1.0; }

QSize Pixels(QSize Logical, qreal R) {
    return QSize(int(std::ceil(Logical.width() * R)), int(std::ceil(Logical.height() * R)));
}

} // namespace

QPixmap ScaledPixmap(QSize Logical) {
    const qreal r = Ratio();
    QPixmap pixmap(Pixels(Logical, r));
    pixmap.setDevicePixelRatio(r);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QImage ScaledImage(QSize Logical, QImage::Format Format) {
    const qreal r = Ratio();
    QImage image(Pixels(Logical, r), Format);
    image.setDevicePixelRatio(r);
    return image;
}

QSize LogicalSize(const QImage& Picture) { return Picture.deviceIndependentSize().toSize(); }
