#include "ui/CaptionFit.h"

#include <QWidget>

#include <algorithm>

void FitRow(std::initializer_list<QWidget*> Row, int Gap) {
    const bool fits = std::all_of(Row.begin(), Row.end(), [](const QWidget* W) {
        return W->sizeHint().width() <= W->width();
    });
    if (fits || Row.size() == 0)
        return;
    int x = (*Row.begin())->x();
    for (QWidget* w : Row) {
        w->setGeometry(x, w->y(), std::max(w->width(), w->sizeHint().width()), w->height());
        x += w->width() + Gap;
    }
}

void FitCaption(QWidget* Caption, QWidget* Field) {
    const int extra = Caption->sizeHint().width() - Caption->width();
    if (extra <= 0)
        return;
    Caption->resize(Caption->width() + extra, Caption->height());
    const QRect field = Field->geometry();
    Field->setGeometry(field.x() + extra, field.y(), std::max(0, field.width() - extra),
                       field.height());
}
