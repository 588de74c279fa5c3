#include "pirrow/colors.h"

#include <platform/ui/appearance.h>

namespace pirrow {

namespace {
    Color rgb(int r, int g, int b) { return Color::fromRGB255(r, g, b); }

    Color byAppearance(Color dark, Color light) { return Colors::isDark() ? dark : light; }
} // namespace

bool Colors::isDark() { return platform::ui::Appearance::current().name().toLower().contains(QLatin1String("dark")); }

const Color &Colors::plum()
{
    static const Color c = rgb(110, 55, 110);
    return c;
}

const Color &Colors::coral()
{
    static const Color c = rgb(252, 110, 134);
    return c;
}

const Color &Colors::raspberry()
{
    static const Color c = rgb(202, 74, 125);
    return c;
}

const Color &Colors::peach()
{
    static const Color c = rgb(252, 157, 128);
    return c;
}

const Color &Colors::teal()
{
    static const Color c = rgb(62, 189, 177);
    return c;
}

const Color &Colors::cyan()
{
    static const Color c = rgb(0, 182, 208);
    return c;
}

Color Colors::accentBlue() { return byAppearance(rgb(56, 118, 213), rgb(48, 99, 182)); }

Color Colors::hover() { return byAppearance(rgb(51, 81, 115), rgb(210, 231, 255)); }

Color Colors::background() { return byAppearance(rgb(52, 54, 57), rgb(247, 247, 248)); }

Color Colors::warmBackground() { return byAppearance(rgb(66, 56, 53), rgb(247, 247, 248)); }

Color Colors::secondaryBackground() { return byAppearance(rgb(68, 70, 73), rgb(231, 231, 232)); }

} // namespace pirrow
