#include "quenby/internalbatteryview.h"

#include "batterycopy_p.h"
#include "localization_p.h"
#include "quenby/leveldrawing.h"
#include "quenby/settings.h"

#include <ammerl/internalbattery.h>
#include <olvane/menubar.h>
#include <olvane/textutilities.h>
#include <platform/core/format.h>
#include <platform/ui/graphicscontext.h>
#include <platform/ui/strokestyle.h>
#include <tavrin/images.h>

#include <algorithm>

namespace quenby {

using olvane::TextUtilities;
using platform::ui::Rect;
using platform::ui::TextAlignment;

namespace {
    // The bars and colours take a percentage; the computer's battery never reports more than 100.
    std::uint8_t percent(std::int64_t charge) { return std::uint8_t(std::clamp<std::int64_t>(charge, 0, 100)); }
}

double InternalBatteryView::widthForAppMode(int mode)
{
    switch (mode) {
    case 1:
        return 50;
    case 2:
        return 44;
    case 3:
        return 36;
    default:
        return 60;
    }
}

InternalBatteryView::InternalBatteryView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

InternalBatteryView::~InternalBatteryView() = default;

bool InternalBatteryView::setBattery(const ammerl::InternalBattery *battery)
{
    // What the drawings read of the record.
    const auto sameDrawing = [](const ammerl::InternalBattery *a, const ammerl::InternalBattery *b) {
        if (!a || !b)
            return !a && !b;
        return a->charge() == b->charge() && a->isCharging().value_or(false) == b->isCharging().value_or(false)
            && a->timeRemainingText() == b->timeRemainingText();
    };
    const bool changed = !sameDrawing(m_battery.get(), battery);
    m_battery = battery ? copyOf(*battery) : nullptr;
    return changed;
}

void InternalBatteryView::drawBolt(platform::ui::GraphicsContext &context, platform::ui::Point origin) const
{
    context.drawImage(LevelDrawing::icon(QStringLiteral("bolt.fill"), m_imageSize), Rect(origin, m_imageSize));
}

void InternalBatteryView::drawRect(platform::ui::GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    if (!m_battery)
        return;
    const bool charging = m_battery->isCharging().value_or(false);
    const std::optional<std::int64_t> charge = m_battery->charge();
    switch (Settings::appMode()) {
    case 0:
        drawCompact(context, charging, charge);
        break;
    case 1:
        drawIconAndText(context, charging, charge);
        break;
    case 2:
        break;
    default:
        drawVertical(context, charging, charge);
        break;
    }
}

void InternalBatteryView::drawCompact(
    platform::ui::GraphicsContext &context, bool charging, std::optional<std::int64_t> charge)
{
    const double thickness = olvane::MenuBar::thickness();
    if (charging)
        drawBolt(context, { bounds().width() - m_imageSize.width - 2, thickness - m_imageSize.height - 1 });
    const bool bars = Settings::barMode();
    const double titleY = bars ? thickness - m_heightTitle : thickness - m_heightTitle + 1;
    context.drawText(localized(QStringLiteral("INTERNAL_BATTERY")), Rect(2, titleY, 56, m_heightTitle),
        TextUtilities::labelAttributes(9, true, TextAlignment::left));
    // Without a charge the item still names the battery, with "-" where the charge would be.
    if (!charge) {
        LevelDrawing::drawNoValue(context, Rect(2, 1.5, 56, 12), 11, TextAlignment::left);
        return;
    }
    if (bars) {
        LevelDrawing::paintBar(context, Rect(2, 4, 23, 5), percent(*charge),
            LevelDrawing::barColor(percent(*charge), Settings::useLevelColors(), charging));
    } else {
        context.drawText(platform::format("%lld%%", static_cast<long long>(*charge)), Rect(0, 1.5, 60, 12),
            TextUtilities::labelAttributes(11, false, TextAlignment::left));
    }
    context.drawText(m_battery->timeRemainingText(), Rect(24, 2, 34, 10),
        TextUtilities::labelAttributes(9, false, TextAlignment::right));
}

void InternalBatteryView::drawIconAndText(
    platform::ui::GraphicsContext &context, bool charging, std::optional<std::int64_t> charge)
{
    const double thickness = olvane::MenuBar::thickness();
    const platform::ui::Color color = olvane::MenuBar::textColor();
    platform::ui::StrokeStyle outline;
    outline.color = color;
    outline.lineWidth = 1;
    context.strokePath(platform::ui::Path::roundedRect(Rect(4, 3, 10, thickness - 8), 2, 2), outline);
    context.fillRect(Rect(7, thickness - 5, 4, 2), color);
    if (charging)
        drawBolt(context, { 4.5, 5.5 });
    if (charge) {
        context.drawText(platform::format("%lld%%", static_cast<long long>(*charge)), Rect(16, thickness - 12, 34, 14),
            TextUtilities::labelAttributes(12, false, TextAlignment::center));
    } else {
        LevelDrawing::drawNoValue(context, Rect(16, thickness - 12, 34, 14), 12, TextAlignment::center);
    }
    context.drawText(m_battery->timeRemainingText(), Rect(16, 2, 34, 10),
        TextUtilities::labelAttributes(9, false, TextAlignment::center));
}

void InternalBatteryView::drawVertical(
    platform::ui::GraphicsContext &context, bool charging, std::optional<std::int64_t> charge)
{
    const double thickness = olvane::MenuBar::thickness();
    const platform::ui::Image laptop = LevelDrawing::icon(QStringLiteral("laptopcomputer"));
    LevelDrawing::drawIcon(context, laptop, 0, bounds().height());
    if (charging)
        drawBolt(context, { 6, thickness * 0.5 - 4.5 });
    if (!charge) {
        const double x = laptop.size().width + 4;
        LevelDrawing::drawNoValue(context, Rect(x, 0, bounds().width() - x, thickness), 11, TextAlignment::left);
        return;
    }
    LevelDrawing::paintBar(context, Rect(laptop.size().width + 8, 2, 5, thickness - 4), percent(*charge),
        LevelDrawing::barColor(percent(*charge), Settings::useVerticalColors(), charging), true);
}

} // namespace quenby

namespace quenby {

std::optional<std::uint8_t> InternalBatteryView::level() const
{
    if (!m_battery || !m_battery->charge())
        return std::nullopt;
    return std::uint8_t(std::clamp<std::int64_t>(*m_battery->charge(), 0, 100));
}

void InternalBatteryView::drawTrayRendition(platform::ui::GraphicsContext &context, double side) const
{
    // Icon and text: the battery outline the item shows in that mode; vertical bars: the laptop.
    LevelDrawing::paintTrayForMode(context, side, QStringLiteral("battery.100"), QStringLiteral("laptopcomputer"),
        level(), m_battery && m_battery->isCharging().value_or(false));
}

QString InternalBatteryView::trayToolTip() const
{
    if (!m_battery)
        return {};
    QString line = LevelDrawing::trayLine(localized(QStringLiteral("INTERNAL_BATTERY")), level());
    const QString remaining = m_battery->timeRemainingText();
    if (!remaining.isEmpty() && remaining != QStringLiteral("-"))
        line += QStringLiteral(" (%1)").arg(remaining);
    return line;
}

} // namespace quenby
