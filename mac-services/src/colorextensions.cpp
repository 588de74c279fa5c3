#include "olvane/colorextensions.h"

#include "olvane/menubar.h"

#include <QRandomGenerator>

namespace olvane {

using platform::ui::Color;

Color ColorExtensions::fromRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Color::fromRGB255(red, green, blue, 1.0);
}

Color ColorExtensions::fromRGBA(std::uint8_t red, std::uint8_t green, std::uint8_t blue, double alpha)
{
    return Color::fromRGB255(red, green, blue, alpha);
}

Color ColorExtensions::menuBarContentColor() { return MenuBar::isDark() ? Color::white() : Color::black(); }

Color ColorExtensions::random()
{
    auto *gen = QRandomGenerator::global();
    return Color::fromRGB255(int(gen->bounded(256)), int(gen->bounded(256)), int(gen->bounded(256)));
}

Color ColorExtensions::inverted(const Color &color)
{
    const Color c = color.resolved();
    return Color::fromRGBA(1 - c.redComponent(), 1 - c.greenComponent(), 1 - c.blueComponent(), c.alphaComponent());
}

} // namespace olvane
