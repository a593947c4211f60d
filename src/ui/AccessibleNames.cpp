#include "ui/AccessibleNames.h"

#include <QAbstractButton>
#include <QAction>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

QString AccessibleText(const QString& Caption) {
    QString out;
    out.reserve(Caption.size());
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        const QChar c = Caption[i];
        // Translations into scripts without the key's letter give it in brackets: "文件(&F)".
        if (c == u'(' && i + 3 < Caption.size() && Caption[i + 1] == u'&' &&
            Caption[i + 2] != u'&' && Caption[i + 3] == u')') {
            i += 3;
            continue;
        }
        if (c == u'&') {
            // "&&" is a literal ampersand; a single one marks the mnemonic.
            if (i + 1 < Caption.size() && Caption[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += c;
    }
    out = out.trimmed();
    // The colon and the ellipsis, also the full-width colon of Chinese texts.
    while (out.endsWith(u':') || out.endsWith(QChar(0xFF1A)) || out.endsWith(QChar(0x2026)))
        out.chop(1);
    if (out.endsWith(QStringLiteral("...")))
        out.chop(3);
    return out.trimmed();
}

namespace {

// The texts a control shows of itself.
QString OwnCaption(QWidget* W) {
    if (auto* b = qobject_cast<QAbstractButton*>(W)) {
        if (!b->text().isEmpty())
            return b->text();
        if (auto* t = qobject_cast<QToolButton*>(W); t && t->defaultAction())
            return t->defaultAction()->text();
        return {};
    }
    if (auto* g = qobject_cast<QGroupBox*>(W))
        return g->title();
    return {};
}

bool IsControl(QWidget* W) {
    return qobject_cast<QAbstractButton*>(W) || qobject_cast<QLineEdit*>(W) ||
           qobject_cast<QComboBox*>(W) || qobject_cast<QAbstractSlider*>(W) ||
           qobject_cast<QAbstractSpinBox*>(W) || qobject_cast<QAbstractItemView*>(W) ||
           qobject_cast<QPlainTextEdit*>(W) || qobject_cast<QTextEdit*>(W) ||
           qobject_cast<QTabWidget*>(W) || W->focusPolicy() != Qt::NoFocus;
}

// Inner widgets that Qt makes for a composite control (the line edit of an editable combo, a
// spin box's edit, a view's viewport and scroll bars) speak through their owner.
bool IsInnerPart(QWidget* W) {
    for (QWidget* p = W->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
            qobject_cast<QAbstractItemView*>(p) || qobject_cast<QPlainTextEdit*>(p) ||
            qobject_cast<QTextEdit*>(p))
            return true;
        if (auto* tab = qobject_cast<QTabWidget*>(p); tab && W->parentWidget() == tab)
            return true; // the tab bar and the page stack
    }
    return false;
}

} // namespace

void NameControls(QWidget* Root) {
    if (!Root)
        return;
    QList<QWidget*> all = Root->findChildren<QWidget*>();
    all.prepend(Root);
    // Labels name their buddies first, so a caption of the control itself still wins below.
    for (QWidget* w : all) {
        auto* label = qobject_cast<QLabel*>(w);
        if (!label || !label->buddy() || !label->buddy()->accessibleName().isEmpty())
            continue;
        const QString text = AccessibleText(label->text());
        if (!text.isEmpty() && OwnCaption(label->buddy()).isEmpty())
            label->buddy()->setAccessibleName(text);
    }
    for (QWidget* w : all) {
        if (!w->accessibleName().isEmpty() || IsInnerPart(w))
            continue;
        QString text = AccessibleText(OwnCaption(w));
        if (text.isEmpty())
            text = AccessibleText(w->toolTip());
        if (text.isEmpty()) {
            if (auto* e = qobject_cast<QLineEdit*>(w))
                text = AccessibleText(e->placeholderText());
        }
        if (!text.isEmpty())
            w->setAccessibleName(text);
    }
}

QStringList UnnamedControls(QWidget* Root) {
    QStringList out;
    if (!Root)
        return out;
    for (QWidget* w : Root->findChildren<QWidget*>()) {
        if (IsInnerPart(w) || !IsControl(w) || qobject_cast<QLabel*>(w))
            continue;
        if (w->accessibleName().trimmed().isEmpty())
            out << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                 QString::fromLatin1(w->metaObject()->className()));
    }
    return out;
}
