// What the watermark dialog's files share (FrmWaterMark.cpp: the window; WaterMarkLayerList.cpp:
// the Watermark page and its layer list; WaterMarkEffect.cpp: the Effect page): the small
// control makers and the frame picture. Only those files include it.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QLabel;
class QSlider;
class QWidget;
class TBitmap24;

namespace wmdialog {

// A label at Geometry, naming Buddy for the keyboard and the screen reader when given.
QLabel* Label(QWidget* Parent, const QString& Text, const QRect& Geometry, QWidget* Buddy = nullptr);
// A horizontal slider from Min to Max at Geometry.
QSlider* Slider(QWidget* Parent, const QString& Name, int Min, int Max, const QRect& Geometry);
// A 32-bit copy of a BGR24 raster.
QImage BitmapImage(const TBitmap24& Bitmap);

} // namespace wmdialog
