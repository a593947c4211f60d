// The check of the HiDPI and language tests: captions that do not fit their control.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QStringList>
#include <QWidget>

#include <algorithm>

// Captions that do not fit their control: one line each, "window: control 'text' needs N, has M".
inline QStringList CutCaptions(QWidget& Window) {
    QStringList cut;
    auto check = [&](QWidget* W, const QString& Text, int Needed) {
        if (!W->isVisibleTo(&Window) || Text.isEmpty())
            return;
        if (Needed > W->width())
            cut << QStringLiteral("%1: %2 '%3' needs %4, has %5")
                       .arg(Window.objectName(), QString::fromLatin1(W->metaObject()->className()),
                            Text)
                       .arg(Needed)
                       .arg(W->width());
    };
    for (QLabel* l : Window.findChildren<QLabel*>()) {
        if (l->text().contains(QLatin1Char('<')) || !l->pixmap().isNull())
            continue;
        if (l->wordWrap()) {
            // A wrapped caption must have the height its lines need.
            const int needed = l->heightForWidth(l->width());
            if (l->isVisibleTo(&Window) && !l->text().isEmpty() && needed > l->height())
                cut << QStringLiteral("%1: wrapped label '%2' needs height %3, has %4")
                           .arg(Window.objectName(), l->text())
                           .arg(needed)
                           .arg(l->height());
            continue;
        }
        const QString text = QString(l->text()).remove(QLatin1Char('&'));
        const QMargins m = l->contentsMargins();
        // A caption of several lines: its widest line, and every line in its height.
        const QStringList lines = text.split(QLatin1Char('\n'));
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, l->fontMetrics().horizontalAdvance(line));
        check(l, text, widest + m.left() + m.right() + 2 * l->margin() +
                           l->indent() * (l->indent() > 0 ? 1 : 0));
        if (l->isVisibleTo(&Window) && lines.size() > 1 &&
            lines.size() * l->fontMetrics().lineSpacing() > l->height())
            cut << QStringLiteral("%1: label '%2' needs height %3, has %4")
                       .arg(Window.objectName(), text)
                       .arg(lines.size() * l->fontMetrics().lineSpacing())
                       .arg(l->height());
    }
    for (QAbstractButton* b : Window.findChildren<QAbstractButton*>()) {
        const QString text = QString(b->text()).remove(QLatin1Char('&'));
        // A push button's own minimum (80) is a style preference, not its text: the text and a
        // little room on each side must fit.
        if (qobject_cast<QPushButton*>(b))
            check(b, text, b->fontMetrics().horizontalAdvance(text) + 8);
        else if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            check(b, text, b->minimumSizeHint().width());
        else if (auto* t = qobject_cast<QToolButton*>(b);
                 t && t->toolButtonStyle() != Qt::ToolButtonIconOnly)
            check(b, text, b->sizeHint().width());
    }
    return cut;
}

