#include "app/ColorScheme.h"

#include <algorithm>
#include <cctype>

namespace zelta {

namespace {

std::string Lower(std::string Text)
{
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char C) { return char(std::tolower(C)); });
    return Text;
}

bool EndsWith(const std::string& Text, const std::string& End)
{
    return Text.size() >= End.size() && Text.compare(Text.size() - End.size(), End.size(), End) == 0;
}

}  // namespace

bool PrefersDarkColors(const TColorSchemeHints& Hints)
{
    const std::string Override = Lower(Hints.Override);
    if (Override == "dark")
        return true;
    if (Override == "light")
        return false;
    if (Hints.PortalColorScheme == 1)
        return true;
    if (Hints.PortalColorScheme == 2)
        return false;
    // GTK_THEME is "NAME" or "NAME:VARIANT"; dark themes are "…:dark" or named "…-dark".
    const std::string Gtk = Lower(Hints.GtkTheme);
    if (!Gtk.empty()) {
        const std::size_t Colon = Gtk.find(':');
        const std::string Name = Gtk.substr(0, Colon);
        const std::string Variant = Colon == std::string::npos ? "" : Gtk.substr(Colon + 1);
        return Variant == "dark" || EndsWith(Name, "-dark");
    }
    if (Hints.WindowLightness >= 0 && Hints.TextLightness >= 0)
        return Hints.TextLightness > Hints.WindowLightness;
    return false;
}

}  // namespace zelta
