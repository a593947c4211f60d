#include "app/ColorScheme.h"
#include "app/MainFormLogic.h"
#include "app/SettingsKeys.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace zelta;

TEST(ColorScheme, FirstHintThatSpeaksDecides) {
    TColorSchemeHints h;
    EXPECT_FALSE(PrefersDarkColors(h)); // nothing known: light

    // A dark palette (light text on a dark window) is the last word.
    h.WindowLightness = 40;
    h.TextLightness = 230;
    EXPECT_TRUE(PrefersDarkColors(h));

    // GTK_THEME names the variant or a dark theme, and speaks before the palette.
    for (const char* light : {"Adwaita", "Adwaita:light", "HighContrast", "darkish"}) {
        h.GtkTheme = light;
        EXPECT_FALSE(PrefersDarkColors(h)) << light;
    }
    h.WindowLightness = 240;
    h.TextLightness = 20;
    for (const char* dark : {"Adwaita:dark", "Adwaita-dark", "Arc-Dark:", "adwaita:DARK"}) {
        h.GtkTheme = dark;
        EXPECT_TRUE(PrefersDarkColors(h)) << dark;
    }

    // The portal speaks before GTK_THEME; "no preference" (0) lets the next hint decide.
    h.PortalColorScheme = 2;
    EXPECT_FALSE(PrefersDarkColors(h));
    h.GtkTheme.clear();
    h.PortalColorScheme = 1;
    EXPECT_TRUE(PrefersDarkColors(h));
    h.PortalColorScheme = 0;
    EXPECT_FALSE(PrefersDarkColors(h)); // the light palette decides

    // The override decides over everything; other words are ignored.
    h.Override = "Dark";
    EXPECT_TRUE(PrefersDarkColors(h));
    h.PortalColorScheme = 1;
    h.Override = "light";
    EXPECT_FALSE(PrefersDarkColors(h));
    h.Override = "purple";
    EXPECT_TRUE(PrefersDarkColors(h));
}

TEST(ColorScheme, FirstStartFollowsADarkDesktopAndStoredEntriesStay) {
    test::TTempFolder dir;
    TIniFile ini(dir.File("settings.ini"));
    EXPECT_EQ(ThemeMenuIndex(ini, false), 0);
    EXPECT_EQ(ThemeMenuIndex(ini, true), FollowSystemTheme);

    // A stored choice is kept whatever the desktop prefers, the eighth entry included.
    for (int stored : {0, 3, 6, FollowSystemTheme}) {
        ini.WriteInteger(SectionSettings, KeySkinIndex, stored);
        EXPECT_EQ(ThemeMenuIndex(ini, true), stored);
        EXPECT_EQ(ThemeMenuIndex(ini, false), stored);
    }
    // Other numbers keep the design-time theme and mark no entry.
    for (const char* other : {"8", "-1"}) {
        ini.WriteString(SectionSettings, KeySkinIndex, other);
        EXPECT_EQ(ThemeMenuIndex(ini, true), -1) << other;
    }
    // Text that is not a number reads as the default 0; it is stored, so not a first start.
    ini.WriteString(SectionSettings, KeySkinIndex, "green");
    EXPECT_EQ(ThemeMenuIndex(ini, true), 0);
}
