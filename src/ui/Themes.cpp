#include "ui/Themes.h"

#include "app/SourceList.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QPalette>

namespace {

// The names are the main window's Skin menu entries (translated there).
//: Skin menu: name of a colour theme
const TThemeColors Themes[ThemeCount] = {
    {QT_TRANSLATE_NOOP("TfrmMain", "Default"), QColor(0xF0, 0xF0, 0xF0),
     QColor(0x33, 0x66, 0xCC), QColor(0x10, 0x10, 0x10)},
    {QT_TRANSLATE_NOOP("TfrmMain", "Gray"), QColor(0xD8, 0xD8, 0xD8),
     QColor(0x70, 0x70, 0x70), QColor(0x10, 0x10, 0x10)},
    {QT_TRANSLATE_NOOP("TfrmMain", "Orange"), QColor(0xFB, 0xEB, 0xD8),
     QColor(0xE0, 0x78, 0x18), QColor(0x20, 0x10, 0x00)},
    {QT_TRANSLATE_NOOP("TfrmMain", "Purple"), QColor(0xEC, 0xE4, 0xF4),
     QColor(0x7A, 0x4C, 0xA8), QColor(0x18, 0x08, 0x28)},
    {QT_TRANSLATE_NOOP("TfrmMain", "Red"), QColor(0xF6, 0xE2, 0xE2),
     QColor(0xB8, 0x28, 0x28), QColor(0x28, 0x08, 0x08)},
    {QT_TRANSLATE_NOOP("TfrmMain", "Green"), QColor(0xE2, 0xF2, 0xE0),
     QColor(0x3C, 0x8C, 0x3C), QColor(0x08, 0x20, 0x08)},
    {QT_TRANSLATE_NOOP("TfrmMain", "Light blue"), QColor(0xE2, 0xF0, 0xFA),
     QColor(0x3A, 0x9A, 0xD8), QColor(0x08, 0x18, 0x28)},
};

const TThemeColors DarkTheme = {"Dark", QColor(0x32, 0x33, 0x36), QColor(0x3D, 0x7F, 0xD6),
                                 QColor(0xE8, 0xE8, 0xE8)};
const QColor DarkBase(0x24, 0x25, 0x28);
const QColor DarkAlternateBase(0x2C, 0x2D, 0x31);
const QColor DarkDisabledText(0x80, 0x80, 0x80);

int gCurrent = DesignTimeTheme; // GUI thread only
bool gDark = false;             // GUI thread only

// The desktop's palette as Qt received it, taken before the first theme replaces it.
const QPalette& SystemPalette() {
    static const QPalette palette = QGuiApplication::palette();
    return palette;
}

// org.freedesktop.appearance "color-scheme" from the desktop portal (GNOME, KDE and others): 0 no
// preference, 1 dark, 2 light; -1 when there is no session bus or no answer.
int PortalColorScheme() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return -1;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
    call << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 250);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return -1;
    // The value comes wrapped in one or two variants.
    QVariant value = reply.arguments().constFirst();
    while (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok && scheme <= 2 ? int(scheme) : -1;
}

void SetColors(const TThemeColors& t, const QColor& Base, const QColor& AlternateBase,
               const QColor& DisabledText, bool Dark) {
    QPalette p = SystemPalette();
    p.setColor(QPalette::Window, t.Window);
    p.setColor(QPalette::Button, t.Window);
    p.setColor(QPalette::Base, Base);
    p.setColor(QPalette::AlternateBase, AlternateBase);
    p.setColor(QPalette::Highlight, t.Accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::WindowText, t.Text);
    p.setColor(QPalette::ButtonText, t.Text);
    p.setColor(QPalette::Text, t.Text);
    if (Dark) {
        // The bevels and frames the style draws from these, and texts the style would keep black.
        p.setColor(QPalette::Light, t.Window.lighter(160));
        p.setColor(QPalette::Midlight, t.Window.lighter(130));
        p.setColor(QPalette::Mid, t.Window.darker(130));
        p.setColor(QPalette::Dark, t.Window.darker(160));
        p.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
        p.setColor(QPalette::BrightText, Qt::white);
        p.setColor(QPalette::ToolTipBase, Base);
        p.setColor(QPalette::ToolTipText, t.Text);
        p.setColor(QPalette::PlaceholderText, DisabledText);
        p.setColor(QPalette::Link, t.Accent.lighter(140));
    }
    // The colours above went to every colour group; disabled controls must still read as such.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, DisabledText);
    QApplication::setPalette(p);
    QString sheet = QStringLiteral(
                        "QGroupBox { border: 1px solid %1; border-radius: 3px; margin-top: 8px; }"
                        "QGroupBox::title { subcontrol-origin: margin; left: 8px; color: %1; }"
                        "QProgressBar::chunk { background: %1; }")
                        .arg((Dark ? t.Accent.lighter(130) : t.Accent).name());
    // The profile and folder boxes keep their light face in every theme, so their text stays dark.
    if (Dark)
        sheet += QStringLiteral("QLineEdit#edt1, QLineEdit#edDirectory { color: #101010; }");
    qApp->setStyleSheet(sheet);
}

} // namespace

const TThemeColors& DarkThemeColors() { return DarkTheme; }

bool DesktopPrefersDark() {
    zelta::TColorSchemeHints hints;
    hints.Override = qEnvironmentVariable("ZELTA_COLOR_SCHEME").toStdString();
    if (hints.Override != "dark" && hints.Override != "light")
        hints.PortalColorScheme = PortalColorScheme();
    hints.GtkTheme = qEnvironmentVariable("GTK_THEME").toStdString();
    if (qApp != nullptr) {
        hints.WindowLightness = SystemPalette().color(QPalette::Window).lightness();
        hints.TextLightness = SystemPalette().color(QPalette::WindowText).lightness();
    }
    return zelta::PrefersDarkColors(hints);
}

bool DarkThemeInForce() { return gDark; }

const TThemeColors& ThemeColors(int Index) {
    return Themes[(Index >= 0 && Index < ThemeCount) ? Index : DesignTimeTheme];
}

void ApplyTheme(int Index) {
    if (Index < 0 || Index >= ThemeMenuCount || qApp == nullptr)
        return;
    SystemPalette(); // taken now, before the first theme replaces it
    const bool dark = Index == zelta::FollowSystemTheme && DesktopPrefersDark();
    if (dark) {
        SetColors(DarkTheme, DarkBase, DarkAlternateBase, DarkDisabledText, true);
    } else {
        // Follow system on a light desktop is the "Default" theme.
        const int colors = Index == zelta::FollowSystemTheme ? 0 : Index;
        SetColors(Themes[colors], Qt::white, QColor(zelta::OddRowColor(colors)), DisabledTextColor,
                  false);
    }
    gCurrent = Index;
    gDark = dark;
}

int CurrentTheme() { return gCurrent; }
