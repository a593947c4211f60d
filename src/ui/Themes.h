// The seven colour themes, and "Follow system" after them. A theme is a palette plus a style sheet
// applied application-wide, so every window takes the main window's theme by construction.
#pragma once

#include "app/ColorScheme.h"

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

// Entries of the Skin menu: the seven themes, then "Follow system" (zelta::FollowSystemTheme),
// which takes dark colours on a desktop that prefers them and the "Default" theme otherwise.
inline constexpr int ThemeMenuCount = zelta::FollowSystemTheme + 1;
// The Skin menu entry (translated in the main window).
inline constexpr const char* FollowSystemThemeName =
    QT_TRANSLATE_NOOP("TfrmMain", "Follow system");
// The dark colours of "Follow system" (named "Dark").
const TThemeColors& DarkThemeColors();
// Whether the desktop prefers dark colours: $ZELTA_COLOR_SCHEME ("dark" or "light"), then the
// desktop portal's colour scheme, then $GTK_THEME, then the desktop's own palette as it was before
// the first theme was applied. Read at each call (the portal answers within a quarter second or
// is taken as silent).
bool DesktopPrefersDark();
// Whether the dark colours are in force (Follow system on a dark desktop).
bool DarkThemeInForce();

// Text of disabled controls in every theme (the desktop's grey text).
inline const QColor DisabledTextColor{109, 109, 109};

// Applies theme Index (0..6, or FollowSystemTheme) to the whole application; other values are
// ignored.
void ApplyTheme(int Index);
// Index of the theme in force (FollowSystemTheme for Follow system, light or dark).
int CurrentTheme();
