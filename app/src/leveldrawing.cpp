#include "quenby/leveldrawing.h"

#include "quenby/utilities.h"

#include <fennic/batterydevice.h>
#include <olvane/imageextensions.h>
#include <olvane/menubar.h>
#include <platform/core/format.h>
#include <platform/ui/graphicscontext.h>
#include <tavrin/images.h>

#include <QHash>

#include <algorithm>

namespace quenby {

using platform::ui::Color;
using platform::ui::Image;
using platform::ui::Rect;

void LevelDrawing::paintBar(
    platform::ui::GraphicsContext &context, const Rect &track, std::uint8_t level, const Color &color, bool vertical)
{
    context.fillRoundedRect(track, kBarCornerRadius, kBarCornerRadius, color.withAlphaComponent(kTrackAlpha));
    const double share = std::min<double>(level, 100) / 100.0;
    if (share <= 0)
        return;
    Rect part = track;
    if (vertical)
        part.size.height = track.height() * share;
    else
        part.size.width = track.width() * share;
    context.fillRoundedRect(part, kBarCornerRadius, kBarCornerRadius, color);
}

Color LevelDrawing::barColor(std::uint8_t level, bool useLevelColors, bool charging)
{
    return Color::fromQColor(Utilities::levelColor(level, useLevelColors, olvane::MenuBar::isDark(), charging));
}

Color LevelDrawing::levelTextColor(std::uint8_t level)
{
    return level <= kWarningLevel ? Color::systemOrange() : olvane::MenuBar::textColor();
}

QString LevelDrawing::percentText(std::uint8_t level) { return platform::format("%d%%", int(level)); }

namespace {
    // Pictures are kept per symbol, colour and size: a new picture would be rasterised again on every
    // redraw of every status item.
    Image cachedIcon(const QString &symbolName, std::optional<platform::ui::Size> size)
    {
        static QHash<QString, Image> s_icons;
        const Color color = olvane::MenuBar::textColor();
        QString key = symbolName + QLatin1Char('|') + color.debugText();
        if (size)
            key += QStringLiteral("|%1x%2").arg(size->width).arg(size->height);
        if (const auto found = s_icons.constFind(key); found != s_icons.cend())
            return *found;
        const Image symbol = tavrin::Images::symbol(symbolName);
        Image shown = symbol.isTemplate() ? olvane::ImageExtensions::tinted(symbol, color) : symbol;
        if (size)
            shown = olvane::ImageExtensions::resized(shown, size->width, size->height);
        s_icons.insert(key, shown);
        return shown;
    }
}

Image LevelDrawing::icon(const QString &symbolName) { return cachedIcon(symbolName, std::nullopt); }

Image LevelDrawing::icon(const QString &symbolName, platform::ui::Size size) { return cachedIcon(symbolName, size); }

Image LevelDrawing::deviceIcon(const fennic::BatteryDevice &device) { return icon(device.imageName()); }

bool LevelDrawing::hasImage(const fennic::BatteryDevice &device) { return !device.image().isBlank(); }

void LevelDrawing::drawIcon(platform::ui::GraphicsContext &context, const Image &image, double x, double height)
{
    const platform::ui::Size size = image.size();
    context.drawImage(image, Rect(x, height * 0.5 - size.height * 0.5, size.width, size.height));
}

} // namespace quenby
