// Pictures the windows draw themselves, made at the screen's scaling (QT_SCALE_FACTOR, a HiDPI
// screen) so that they stay sharp: the pixel size is the logical size times the application's
// device pixel ratio, and painters on them work in logical coordinates.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

// A transparent pixmap of logical size Logical.
QPixmap ScaledPixmap(QSize Logical);
// An image of logical size Logical (content undefined until painted).
QImage ScaledImage(QSize Logical, QImage::Format Format);
// The logical size of a picture (its pixel size divided by its device pixel ratio).
QSize LogicalSize(const QImage& Picture);
