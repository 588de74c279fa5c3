#include "quenby/doublebatterydeviceview.h"

#include "quenby/leveldrawing.h"
#include "quenby/settings.h"

#include <fennic/doublebatterydevice.h>
#include <olvane/menubar.h>
#include <olvane/textutilities.h>
#include <platform/core/format.h>
#include <platform/ui/graphicscontext.h>
#include <tavrin/stringextensions.h>

#include <algorithm>

namespace quenby {

using olvane::TextUtilities;
using platform::ui::Rect;
using platform::ui::TextAlignment;

DoubleBatteryDeviceView::DoubleBatteryDeviceView(const Rect &frame, QWidget *parent)
    : BaseView(frame, parent)
{
}

double DoubleBatteryDeviceView::itemWidth() const
{
    switch (Settings::appMode()) {
    case 0:
        return std::max(measuredNameWidth(), kMinimumCompactWidth);
    case 1:
        return 104;
    case 2:
        return 68;
    default:
        return (device() ? LevelDrawing::deviceIcon(*device()).size().width : 0) + 20;
    }
}

void DoubleBatteryDeviceView::drawRect(platform::ui::GraphicsContext &context, const Rect &dirtyRect)
{
    BaseView::drawRect(context, dirtyRect);
    const auto *pair = dynamic_cast<const fennic::DoubleBatteryDevice *>(device().get());
    if (!pair)
        return;
    const double thickness = olvane::MenuBar::thickness();
    const double width = itemWidth();
    const std::optional<std::uint8_t> first = pair->firstLevel();
    const std::optional<std::uint8_t> second = pair->secondLevel();
    const bool both = first && second;

    switch (Settings::appMode()) {
    // A level a unit does not report shows as "-": an item is never blank.
    case 0:
        context.drawText(customNameOr(pair->name()), nameLineRect(width),
            TextUtilities::labelAttributes(9, true, TextAlignment::center));
        if (Settings::barMode() && both) {
            const double length = width * 0.5 - 4;
            const bool colours = Settings::useLevelColors();
            LevelDrawing::paintBar(
                context, Rect(2, 4, length, 5), *first, LevelDrawing::barColor(*first, colours, pair->isCharging()));
            LevelDrawing::paintBar(context, Rect(width * 0.5 + 2, 4, length, 5), *second,
                LevelDrawing::barColor(*second, colours, pair->isCharging()));
        } else {
            // "70% 60%", or "70% -" when a unit does not tell.
            context.drawText(
                QStringLiteral("%1 %2").arg(LevelDrawing::percentText(first), LevelDrawing::percentText(second)),
                Rect(0, 1.5, width, 12), TextUtilities::labelAttributes(11, false, TextAlignment::center));
        }
        return;
    case 1: {
        const platform::ui::Image left = LevelDrawing::icon(pair->leftImageName());
        const platform::ui::Image right = LevelDrawing::icon(pair->rightImageName());
        LevelDrawing::drawIcon(context, left, 0, bounds().height());
        LevelDrawing::drawIcon(context, right, width * 0.5, bounds().height());
        const double textWidth = width * 0.5 - 16;
        const auto level = [&](std::optional<std::uint8_t> value, const Rect &rect) {
            if (!value) {
                LevelDrawing::drawNoValue(context, rect, 12, TextAlignment::left);
                return;
            }
            tavrin::StringExtensions::drawVerticallyCentered(context, LevelDrawing::percentText(*value),
                TextUtilities::colorAttributes(LevelDrawing::levelTextColor(*value), 12, TextAlignment::left), rect);
        };
        level(first, Rect(left.size().width + 3, 0, textWidth, thickness));
        level(second, Rect(width * 0.5 + right.size().width + 3, 0, textWidth, thickness));
        return;
    }
    case 2:
        return;
    default: {
        const platform::ui::Image image = LevelDrawing::deviceIcon(*pair);
        LevelDrawing::drawIcon(context, image, 0, bounds().height());
        const double imageWidth = image.size().width;
        const bool colours = Settings::useVerticalColors();
        const auto bar = [&](std::optional<std::uint8_t> value, double x) {
            if (!value) {
                LevelDrawing::drawNoValue(context, Rect(x - 1, 0, 8, thickness), 11, TextAlignment::center);
                return;
            }
            LevelDrawing::paintBar(context, Rect(x, 2, 5, thickness - 4), *value,
                LevelDrawing::barColor(*value, colours, pair->isCharging()), true);
        };
        bar(first, imageWidth + 5);
        bar(second, imageWidth + 13);
        return;
    }
    }
}

} // namespace quenby

namespace quenby {

namespace {
    const fennic::DoubleBatteryDevice *pairOf(const std::shared_ptr<fennic::BatteryDevice> &device)
    {
        return dynamic_cast<const fennic::DoubleBatteryDevice *>(device.get());
    }
}

std::optional<std::uint8_t> DoubleBatteryDeviceView::lowestLevel() const
{
    const fennic::DoubleBatteryDevice *pair = pairOf(device());
    if (!pair)
        return std::nullopt;
    if (pair->firstLevel() && pair->secondLevel())
        return std::min(*pair->firstLevel(), *pair->secondLevel());
    return pair->firstLevel() ? pair->firstLevel() : pair->secondLevel();
}

void DoubleBatteryDeviceView::drawTrayRendition(platform::ui::GraphicsContext &context, double side) const
{
    const fennic::DoubleBatteryDevice *pair = pairOf(device());
    if (!pair) {
        LevelDrawing::paintTraySymbol(context, side, device() ? device()->imageName() : QString());
        return;
    }
    const std::optional<std::uint8_t> first = pair->firstLevel();
    const std::optional<std::uint8_t> second = pair->secondLevel();
    switch (Settings::appMode()) {
    case 1:
        // One symbol for the pair, with the level that runs out first (of those known); the tooltip has both.
        LevelDrawing::paintTraySymbolLevel(context, side, pair->imageName(), lowestLevel());
        return;
    case 3: {
        const bool colours = Settings::useVerticalColors();
        LevelDrawing::paintTrayVerticalBars(context, side, pair->imageName(),
            { { first, LevelDrawing::barColor(first, colours, pair->isCharging()) },
                { second, LevelDrawing::barColor(second, colours, pair->isCharging()) } });
        return;
    }
    default:
        LevelDrawing::paintTrayLevels(context, side, first, second);
        return;
    }
}

QString DoubleBatteryDeviceView::trayToolTip() const
{
    const fennic::DoubleBatteryDevice *pair = pairOf(device());
    if (!pair)
        return {};
    const auto text = [](std::optional<std::uint8_t> level) {
        return level ? LevelDrawing::percentText(*level) : QStringLiteral("\u2013");
    };
    return QStringLiteral("%1: %2 / %3")
        .arg(customNameOr(device()->name()), text(pair->firstLevel()), text(pair->secondLevel()));
}

} // namespace quenby
