#include "quenby/singlebatterydeviceview.h"

#include "quenby/leveldrawing.h"
#include "quenby/settings.h"

#include <fennic/singlebatterydevice.h>
#include <olvane/menubar.h>
#include <olvane/textutilities.h>
#include <platform/ui/graphicscontext.h>
#include <tavrin/stringextensions.h>

namespace quenby {

using olvane::TextUtilities;
using platform::ui::Rect;
using platform::ui::TextAlignment;

SingleBatteryDeviceView::SingleBatteryDeviceView(const Rect &frame, QWidget *parent)
    : BaseView(frame, parent)
{
}

std::optional<std::uint8_t> SingleBatteryDeviceView::level() const
{
    return device() ? device()->batteryLevel() : std::nullopt;
}

QString SingleBatteryDeviceView::shownName() const
{
    if (!device())
        return {};
    if (dynamic_cast<const fennic::SingleBatteryDevice *>(device().get()))
        return customNameOr(kindName());
    return customNameOr(device()->name());
}

double SingleBatteryDeviceView::itemWidth() const
{
    switch (Settings::appMode()) {
    case 0:
        return measuredNameWidth();
    case 1:
        return 54;
    case 2:
        return 44;
    default: {
        const double imageWidth = device() ? LevelDrawing::deviceIcon(*device()).size().width : 0;
        return imageWidth + (Settings::singleItem() ? 22 : 14);
    }
    }
}

void SingleBatteryDeviceView::drawRect(platform::ui::GraphicsContext &context, const Rect &dirtyRect)
{
    BaseView::drawRect(context, dirtyRect);
    if (!device())
        return;
    const double thickness = olvane::MenuBar::thickness();
    const double width = itemWidth();
    const std::optional<std::uint8_t> shown = level();

    // A level the device does not report shows as "-": an item is never blank.
    switch (Settings::appMode()) {
    case 0:
        context.drawText(
            shownName(), nameLineRect(width), TextUtilities::labelAttributes(9, true, TextAlignment::center));
        if (!shown) {
            LevelDrawing::drawNoValue(context, Rect(0, 1.5, width, 12), 11, TextAlignment::center);
        } else if (Settings::barMode()) {
            LevelDrawing::paintBar(context, Rect(2, 4, width - 4, 5), *shown,
                LevelDrawing::barColor(*shown, Settings::useLevelColors(), device()->isCharging()));
        } else {
            context.drawText(LevelDrawing::percentText(*shown), Rect(0, 1.5, width, 12),
                TextUtilities::colorAttributes(LevelDrawing::levelTextColor(*shown), 11, TextAlignment::center));
        }
        return;
    case 1: {
        const platform::ui::Image image = LevelDrawing::deviceIcon(*device());
        LevelDrawing::drawIcon(context, image, 0, bounds().height());
        const double x = image.size().width + 3;
        if (!shown) {
            LevelDrawing::drawNoValue(context, Rect(x, 0, width - x, thickness), 12, TextAlignment::left);
            return;
        }
        tavrin::StringExtensions::drawVerticallyCentered(context, LevelDrawing::percentText(*shown),
            TextUtilities::colorAttributes(LevelDrawing::levelTextColor(*shown), 12, TextAlignment::left),
            Rect(x, 0, width - x, thickness));
        return;
    }
    case 2:
        return;
    default: {
        const platform::ui::Image image = LevelDrawing::deviceIcon(*device());
        LevelDrawing::drawIcon(context, image, 0, bounds().height());
        if (!shown) {
            const double x = image.size().width + 4;
            LevelDrawing::drawNoValue(context, Rect(x, 0, width - x, thickness), 11, TextAlignment::left);
            return;
        }
        LevelDrawing::paintBar(context, Rect(image.size().width + 8, 2, 5, thickness - 4), *shown,
            LevelDrawing::barColor(*shown, Settings::useVerticalColors(), device()->isCharging()), true);
        return;
    }
    }
}

} // namespace quenby

namespace quenby {

void SingleBatteryDeviceView::drawTrayRendition(platform::ui::GraphicsContext &context, double side) const
{
    if (!device()) {
        LevelDrawing::paintTraySymbol(context, side, QString());
        return;
    }
    LevelDrawing::paintTrayForMode(
        context, side, device()->imageName(), device()->imageName(), level(), device()->isCharging());
}

QString SingleBatteryDeviceView::trayToolTip() const
{
    if (!device())
        return {};
    return LevelDrawing::trayLine(customNameOr(device()->name()), level());
}

} // namespace quenby
