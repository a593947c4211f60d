#include "ui/ImageButton.h"

#include <QToolButton>
#include <QWidget>

QToolButton* ImageButton(QWidget* Parent, const QString& Name, const QString& Hint,
                         QStyle::StandardPixmap Picture) {
    auto* b = new QToolButton(Parent);
    b->setObjectName(Name);
    b->setText(Hint);
    b->setToolTip(Hint);
    b->setIcon(Parent->style()->standardIcon(Picture));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    return b;
}
