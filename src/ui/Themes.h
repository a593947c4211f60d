// The seven colour themes. A theme is a palette plus a style sheet applied application-wide, so
// every window takes the main window's theme by construction.
#pragma once

#include <QColor>
#include <QString>

inline constexpr int ThemeCount = 7;
// The theme in force when the stored index is outside 0..6 ("Green").
inline constexpr int DesignTimeTheme = 5;

struct TThemeColors {
    const char* Name;
    QColor Window;    // window and control faces
    QColor Accent;    // selection, headers, progress
    QColor Text;
    // Odd list rows take the source list's colours (zelta::OddRowColor).
};

const TThemeColors& ThemeColors(int Index);

// Text of disabled controls in every theme (the desktop's grey text).
inline const QColor DisabledTextColor{109, 109, 109};

// Applies theme Index (0..6) to the whole application; other values are ignored.
void ApplyTheme(int Index);
// Index of the theme in force.
int CurrentTheme();
