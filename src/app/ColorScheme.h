// Whether the desktop asks for dark colours, decided from what the desktop tells (no widgets
// here: the window side gathers the hints, see ui/Themes.cpp).
#pragma once

#include <string>

namespace zelta {

// "skinIndex" of the eighth theme entry, after the seven colour themes: dark colours when the
// desktop prefers them, the "Default" theme otherwise.
inline constexpr int FollowSystemTheme = 7;

struct TColorSchemeHints {
    // $ZELTA_COLOR_SCHEME: "dark" or "light" decides (for desktops that tell nothing, and tests);
    // anything else is ignored.
    std::string Override;
    // The desktop portal's org.freedesktop.appearance "color-scheme": 0 no preference, 1 dark,
    // 2 light; -1 when no portal answered.
    int PortalColorScheme = -1;
    // $GTK_THEME, e.g. "Adwaita:dark" or "Adwaita-dark".
    std::string GtkTheme;
    // Lightness (0..255) of the desktop palette's window and window text colours; -1 unknown.
    int WindowLightness = -1;
    int TextLightness = -1;
};

// The first hint that says something wins, in the order of the fields above; a palette whose
// text is lighter than its window is a dark one. No hint at all means light.
bool PrefersDarkColors(const TColorSchemeHints& Hints);

}  // namespace zelta
