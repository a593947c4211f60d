#include "ui/SelectionBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

TSelectionBar::TSelectionBar(QWidget* Parent) : QSlider(Qt::Horizontal, Parent) {
    setTickPosition(QSlider::NoTicks);
}

void TSelectionBar::SetSelection(int Start, int End) {
    if (Start == SelStart_ && End == SelEnd_)
        return;
    SelStart_ = Start;
    SelEnd_ = End;
    update();
}

void TSelectionBar::SetThumbVisible(bool Visible) {
    if (Visible == ThumbVisible_)
        return;
    ThumbVisible_ = Visible;
    update();
}

int TSelectionBar::ValueAt(int X) const {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return QStyle::sliderValueFromPosition(minimum(), maximum(),
                                           X - groove.x() - handle.width() / 2, std::max(span, 1));
}

int TSelectionBar::PixelOf(int Value) const {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), Value, std::max(span, 1));
}

void TSelectionBar::paintEvent(QPaintEvent* Event) {
    if (ThumbVisible_) {
        QSlider::paintEvent(Event);
    } else {
        QPainter painter(this);
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        opt.subControls = QStyle::SC_SliderGroove;
        style()->drawComplexControl(QStyle::CC_Slider, &opt, &painter, this);
    }
    if (SelEnd_ == SelStart_)
        return;
    QPainter painter(this);
    QColor band = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                  QPalette::Highlight);
    band.setAlpha(150);
    const int a = PixelOf(std::min(SelStart_, SelEnd_));
    const int b = PixelOf(std::max(SelStart_, SelEnd_));
    const int h = std::max(4, height() / 4);
    painter.fillRect(QRect(a, height() - h - 1, std::max(b - a, 1), h), band);
}

void TSelectionBar::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton || !ThumbVisible_) {
        QSlider::mousePressEvent(Event);
        return;
    }
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    if (handle.contains(Event->position().toPoint())) {
        QSlider::mousePressEvent(Event);
        return;
    }
    // A press beside the thumb jumps there instead of paging towards the pointer.
    GrooveDrag_ = true;
    setSliderDown(true);
    setValue(ValueAt(int(Event->position().x())));
    Event->accept();
}

void TSelectionBar::mouseMoveEvent(QMouseEvent* Event) {
    if (!GrooveDrag_) {
        QSlider::mouseMoveEvent(Event);
        return;
    }
    setValue(ValueAt(int(Event->position().x())));
    Event->accept();
}

void TSelectionBar::mouseReleaseEvent(QMouseEvent* Event) {
    if (GrooveDrag_ && Event->button() == Qt::LeftButton) {
        GrooveDrag_ = false;
        setSliderDown(false);
        Event->accept();
    } else {
        QSlider::mouseReleaseEvent(Event);
    }
    if (Event->button() == Qt::LeftButton)
        emit Released();
}
