#include "quenby/modepreview.h"

#include "localization_p.h"
#include "quenby/appdelegate.h"
#include "quenby/doublebatterydeviceview.h"
#include "quenby/internalbatteryview.h"
#include "quenby/settings.h"
#include "quenby/singlebatterydeviceview.h"

#include <ammerl/appleinternalbattery.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/singlebatterydevice.h>
#include <olvane/menubar.h>
#include <platform/ui/color.h>
#include <platform/ui/imageview.h>
#include <platform/ui/view.h>
#include <tavrin/images.h>

#include <QPainter>

#include <vector>
#include <memory>

namespace quenby {

namespace {

    using platform::ui::Rect;

    // Serials no real device has, so no custom name of the user's applies to the samples.
    const QString kSampleKeyboard = QStringLiteral("mode-preview-keyboard");
    const QString kSampleEarbuds = QStringLiteral("mode-preview-earbuds");

    ammerl::AppleInternalBattery sampleBattery()
    {
        ammerl::AppleInternalBattery battery;
        battery.setName(QStringLiteral("InternalBattery-0"));
        battery.setCurrentCapacity(64);
        battery.setMaxCapacity(100);
        battery.setCharging(false);
        battery.setTimeToEmpty(185);
        return battery;
    }

    // The status bar's own background behind the items, so the drawn texts keep their contrast.
    QColor stripColor() { return olvane::MenuBar::isDark() ? QColor(32, 32, 36) : QColor(236, 236, 238); }

} // namespace

QImage ModePreview::picture(int mode, double scale)
{
    const Settings::ScopedAppMode preview(mode);
    const double thickness = olvane::MenuBar::thickness();
    const double gap = 6;
    platform::ui::View strip(Rect(0, 0, 1, thickness));
    double x = gap;
    const auto place = [&](platform::ui::View *view, double width) {
        view->setFrame(Rect(x, 0, width, thickness));
        strip.addSubview(view);
        x += width + gap;
    };

    if (mode == 2) {
        // This mode shows the application's icon alone.
        auto *icon = new platform::ui::ImageView;
        icon->setImage(tavrin::Images::symbol(AppDelegate::appIconSymbol));
        icon->setContentTintColor(
            olvane::MenuBar::isDark() ? platform::ui::Color::white() : platform::ui::Color::black());
        place(icon, thickness);
    } else {
        auto keyboard = std::make_shared<fennic::SingleBatteryDevice>(
            QStringLiteral("Magic Keyboard"), kSampleKeyboard, 0x004c, 1, 80, QStringLiteral("Keyboard"));
        auto earbuds = std::make_shared<fennic::DoubleBatteryDevice>(
            QStringLiteral("AirPods Pro"), kSampleEarbuds, 0x004c, 2, 70, 45);
        // Two accessories make the compact strip too wide for a tile; the earbuds show in the modes
        // that draw pictures.
        std::vector<std::shared_ptr<fennic::BatteryDevice>> devices { keyboard };
        if (mode != 0)
            devices.push_back(earbuds);
        for (const auto &device : devices) {
            BaseView *view = nullptr;
            if (device == earbuds)
                view = new DoubleBatteryDeviceView;
            else
                view = new SingleBatteryDeviceView;
            view->setFrame(Rect(0, 0, AppDelegate::kDeviceViewWidth, thickness));
            view->setHeightTitle(BaseView::kDefaultHeightTitle);
            view->setDevice(device);
            place(view, view->itemWidth());
        }
        auto *internal = new InternalBatteryView;
        internal->setImageSize({ 9, 9 });
        internal->setHeightTitle(11);
        const auto battery = sampleBattery();
        internal->setBattery(&battery);
        place(internal, InternalBatteryView::widthForAppMode(mode));
    }

    const platform::ui::Size size { x, thickness };
    strip.setFrame(Rect(0, 0, size.width, size.height));
    const QImage items = strip.renderToImage(size, scale);
    QImage image(items.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(stripColor());
    QPainter painter(&image);
    painter.drawImage(QPointF(0, 0), items);
    return image;
}

QString ModePreview::caption(int mode)
{
    switch (mode) {
    case 1:
        return localized(QStringLiteral("MODE_ICON_AND_TEXT"));
    case 2:
        return localized(QStringLiteral("MODE_APP_ICON"));
    case 3:
        return localized(QStringLiteral("MODE_VERTICAL"));
    default:
        return localized(QStringLiteral("MODE_COMPACT"));
    }
}

} // namespace quenby
