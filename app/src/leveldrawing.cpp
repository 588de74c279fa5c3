#include "quenby/leveldrawing.h"

#include "quenby/settings.h"
#include "quenby/utilities.h"

#include <fennic/batterydevice.h>
#include <olvane/imageextensions.h>
#include <olvane/menubar.h>
#include <olvane/textutilities.h>
#include <platform/core/format.h>
#include <platform/ui/graphicscontext.h>
#include <platform/ui/text.h>
#include <tavrin/constants.h>
#include <tavrin/images.h>
#include <tavrin/stringextensions.h>

#include <QHash>

#include <algorithm>
#include <cmath>

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

Color LevelDrawing::barColor(std::optional<std::uint8_t> level, bool useLevelColors, bool charging)
{
    return level ? barColor(*level, useLevelColors, charging) : olvane::MenuBar::textColor();
}

Color LevelDrawing::levelTextColor(std::uint8_t level)
{
    return level <= kWarningLevel ? Color::systemOrange() : olvane::MenuBar::textColor();
}

QString LevelDrawing::percentText(std::uint8_t level) { return platform::format("%d%%", int(level)); }

QString LevelDrawing::percentText(std::optional<std::uint8_t> level)
{
    return level ? percentText(*level) : QString(tavrin::kNoValue);
}

void LevelDrawing::drawNoValue(platform::ui::GraphicsContext &context, const platform::ui::Rect &rect, double fontSize,
    platform::ui::TextAlignment alignment)
{
    tavrin::StringExtensions::drawVerticallyCentered(context, QString(tavrin::kNoValue),
        olvane::TextUtilities::colorAttributes(olvane::MenuBar::textColor(), fontSize, alignment), rect);
}

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

namespace quenby {

namespace {
    // The largest bold text from `largest` points down whose width fits `width` and whose cap height
    // fits `height` (when given).
    platform::ui::TextAttributes trayTextAttributes(
        const QString &text, double largest, double width, std::optional<double> height)
    {
        platform::ui::TextAttributes attributes;
        attributes.foregroundColor = olvane::MenuBar::textColor();
        platform::ui::ParagraphStyle paragraph;
        paragraph.alignment = platform::ui::TextAlignment::center;
        paragraph.lineBreakMode = platform::ui::LineBreakMode::clipping;
        attributes.paragraphStyle = paragraph;
        for (double size = largest; size >= 5; size -= 0.5) {
            attributes.font = platform::ui::Font::systemFont(size, platform::ui::FontWeight::bold);
            if (platform::ui::Text::size(text, attributes).width <= width
                && (!height || attributes.font->capHeight() <= *height))
                break;
        }
        return attributes;
    }

    // The text's line across `area`, its baseline at `baseline`: a line is drawn from its top, the
    // baseline an ascender below it.
    void drawLine(platform::ui::GraphicsContext &context, const QString &text,
        const platform::ui::TextAttributes &attributes, const Rect &area, double baseline)
    {
        const double lineHeight = platform::ui::Text::size(text, attributes).height;
        context.drawText(text,
            Rect(area.minX(), baseline + attributes.font->ascender() - lineHeight, area.width(), lineHeight),
            attributes);
    }

    // The largest digits that fit `area`, centred by their ink: digits stand on the baseline and are as
    // high as capitals.
    void drawDigits(platform::ui::GraphicsContext &context, const QString &text, const Rect &area)
    {
        const platform::ui::TextAttributes attributes = trayTextAttributes(text, 16, area.width(), area.height());
        drawLine(context, text, attributes, area, area.minY() + (area.height() - attributes.font->capHeight()) / 2);
    }

    // The no-value text where digits or a bar would be. A dash is a short thin stroke lying at half the
    // x-height: it is sized by the width alone (up to larger than digits, so that it reads on its own)
    // and centred by that.
    void drawNoValueIn(platform::ui::GraphicsContext &context, const Rect &area)
    {
        const QString text(tavrin::kNoValue);
        const platform::ui::TextAttributes attributes = trayTextAttributes(text, 24, area.width(), std::nullopt);
        drawLine(context, text, attributes, area, area.midY() - attributes.font->xHeight() / 2);
    }
}

namespace {
    // The symbol as large as it fits in `box`, keeping its proportions, centred on whole points so that
    // its strokes stay sharp; false (nothing drawn) for an unknown symbol.
    bool drawSymbolIn(platform::ui::GraphicsContext &context, const QString &symbolName, const Rect &box)
    {
        const Image natural = LevelDrawing::icon(symbolName);
        const platform::ui::Size size = natural.size();
        if (natural.isBlank() || !(size.width > 0) || !(size.height > 0))
            return false;
        const double factor = std::min(box.width() / size.width, box.height() / size.height);
        const platform::ui::Size fitted { std::floor(size.width * factor), std::floor(size.height * factor) };
        const Image image = LevelDrawing::icon(symbolName, fitted);
        const double x = std::round(box.minX() + (box.width() - fitted.width) / 2);
        const double y = std::round(box.minY() + (box.height() - fitted.height) / 2);
        context.drawImage(image, Rect(x, y, fitted.width, fitted.height));
        return true;
    }

    void drawDash(platform::ui::GraphicsContext &context, double side)
    {
        drawNoValueIn(context, Rect(LevelDrawing::kTrayInset, 0, side - 2 * LevelDrawing::kTrayInset, side));
    }

    // The level's digits, or the no-value text in their place: a tray icon is never blank.
    void drawLevel(platform::ui::GraphicsContext &context, std::optional<std::uint8_t> level, const Rect &area)
    {
        if (level)
            drawDigits(context, QString::number(int(*level)), area);
        else
            drawNoValueIn(context, area);
    }
}

void LevelDrawing::paintTrayLevel(
    platform::ui::GraphicsContext &context, double side, std::optional<std::uint8_t> level, const Color &barColor)
{
    constexpr double barHeight = 3;
    const double inner = side - 2 * kTrayInset;
    paintBar(context, Rect(kTrayInset, 1, inner, barHeight), level.value_or(0), barColor);
    drawLevel(context, level, Rect(kTrayInset, barHeight + 2, inner, side - barHeight - 3));
}

void LevelDrawing::paintTrayLevels(platform::ui::GraphicsContext &context, double side,
    std::optional<std::uint8_t> first, std::optional<std::uint8_t> second)
{
    const double half = side / 2;
    const double inner = side - 2 * kTrayInset;
    // Half a point above, below and between the rows.
    drawLevel(context, first, Rect(kTrayInset, half + 0.25, inner, half - 0.75));
    drawLevel(context, second, Rect(kTrayInset, 0.5, inner, half - 0.75));
}

void LevelDrawing::paintTraySymbolLevel(
    platform::ui::GraphicsContext &context, double side, const QString &symbolName, std::optional<std::uint8_t> level)
{
    const double inner = side - 2 * kTrayInset;
    const double digitsHeight = std::round(side * 0.45);
    // Without a symbol the digits take the whole square.
    const bool symbol
        = drawSymbolIn(context, symbolName, Rect(kTrayInset, digitsHeight + 1, inner, side - digitsHeight - 2));
    drawLevel(context, level, Rect(kTrayInset, 1, inner, (symbol ? digitsHeight : side) - 2));
}

void LevelDrawing::paintTrayVerticalBars(
    platform::ui::GraphicsContext &context, double side, const QString &symbolName, const std::vector<TrayBar> &bars)
{
    const double gap = std::round(side / 14);
    const double width = bars.size() > 1 ? std::round(side * 0.14) : std::round(side * 0.2);
    double x = side - kTrayInset - width;
    for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar) {
        const Rect track(x, 1, width, side - 2);
        paintBar(context, track, bar->level.value_or(0), bar->color, true);
        // Over the empty track, reaching half into the gaps (two of them must not read as one line) and
        // never into the margin.
        if (!bar->level) {
            const double left = std::max(x - gap / 2, kTrayInset);
            const double right = std::min(x + width + gap / 2, side - kTrayInset);
            drawNoValueIn(context, Rect(left, 1, right - left, side - 2));
        }
        x -= width + gap;
    }
    const double symbolWidth = x + width - kTrayInset;
    if (!drawSymbolIn(context, symbolName, Rect(kTrayInset, 1, symbolWidth, side - 2)) && bars.empty())
        drawDash(context, side);
}

void LevelDrawing::paintTrayForMode(platform::ui::GraphicsContext &context, double side, const QString &symbolName,
    const QString &barSymbolName, std::optional<std::uint8_t> level, bool charging)
{
    switch (Settings::appMode()) {
    case 1:
        paintTraySymbolLevel(context, side, symbolName, level);
        return;
    case 3:
        paintTrayVerticalBars(
            context, side, barSymbolName, { { level, barColor(level, Settings::useVerticalColors(), charging) } });
        return;
    default:
        paintTrayLevel(context, side, level, barColor(level, Settings::useLevelColors(), charging));
        return;
    }
}

void LevelDrawing::paintTraySymbol(platform::ui::GraphicsContext &context, double side, const QString &symbolName)
{
    const double extent = std::min(std::round(side * 0.75), side - 2 * kTrayInset);
    const double offset = (side - extent) / 2;
    if (!drawSymbolIn(context, symbolName, Rect(offset, offset, extent, extent)))
        drawDash(context, side);
}

QString LevelDrawing::trayLine(const QString &name, std::optional<std::uint8_t> level)
{
    return QStringLiteral("%1: %2").arg(name, level ? percentText(*level) : QStringLiteral("\u2013"));
}

} // namespace quenby
