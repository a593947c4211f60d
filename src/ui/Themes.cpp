#include "ui/Themes.h"

#include "app/SourceList.h"

#include <QApplication>
#include <QPalette>

namespace {

const TThemeColors Themes[ThemeCount] = {
    {"Default", QColor(0xF0, 0xF0, 0xF0), QColor(0x33, 0x66, 0xCC), QColor(0x10, 0x10, 0x10)},
    {"Gray", QColor(0xD8, 0xD8, 0xD8), QColor(0x70, 0x70, 0x70), QColor(0x10, 0x10, 0x10)},
    {"Orange", QColor(0xFB, 0xEB, 0xD8), QColor(0xE0, 0x78, 0x18), QColor(0x20, 0x10, 0x00)},
    {"Purple", QColor(0xEC, 0xE4, 0xF4), QColor(0x7A, 0x4C, 0xA8), QColor(0x18, 0x08, 0x28)},
    {"Red", QColor(0xF6, 0xE2, 0xE2), QColor(0xB8, 0x28, 0x28), QColor(0x28, 0x08, 0x08)},
    {"Green", QColor(0xE2, 0xF2, 0xE0), QColor(0x3C, 0x8C, 0x3C), QColor(0x08, 0x20, 0x08)},
    {"Light blue", QColor(0xE2, 0xF0, 0xFA), QColor(0x3A, 0x9A, 0xD8), QColor(0x08, 0x18, 0x28)},
};

int gCurrent = DesignTimeTheme; // GUI thread only

} // namespace

const TThemeColors& ThemeColors(int Index) {
    return Themes[(Index >= 0 && Index < ThemeCount) ? Index : DesignTimeTheme];
}

void ApplyTheme(int Index) {
    if (Index < 0 || Index >= ThemeCount || qApp == nullptr)
        return;
    const TThemeColors& t = Themes[Index];
    QPalette p = QApplication::palette();
    p.setColor(QPalette::Window, t.Window);
    p.setColor(QPalette::Button, t.Window);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(zelta::OddRowColor(Index)));
    p.setColor(QPalette::Highlight, t.Accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::WindowText, t.Text);
    p.setColor(QPalette::ButtonText, t.Text);
    p.setColor(QPalette::Text, t.Text);
    // The colours above went to every colour group; disabled controls must still read as such.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, DisabledTextColor);
    QApplication::setPalette(p);
    qApp->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid %1; border-radius: 3px; margin-top: 8px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; color: %1; }"
        "QProgressBar::chunk { background: %1; }")
                            .arg(t.Accent.name()));
    gCurrent = Index;
}

int CurrentTheme() { return gCurrent; }
