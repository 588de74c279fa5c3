#include "quenby/baseview.h"

#include "quenby/settings.h"

#include <fennic/batterydevice.h>
#include <fennic/doublebatterydevice.h>
#include <olvane/menubar.h>
#include <olvane/textutilities.h>
#include <platform/ui/font.h>

namespace quenby {

BaseView::BaseView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

BaseView::Look BaseView::lookOf(const fennic::BatteryDevice *device)
{
    Look look;
    if (!device)
        return look;
    look.kind = &typeid(*device);
    look.type = static_cast<int>(device->type());
    look.level = device->batteryLevel();
    look.charging = device->isCharging();
    look.name = device->name();
    look.serial = device->serial();
    look.productId = device->productId();
    look.vendorId = device->vendorId();
    look.internalName = device->internalName();
    // The symbol's name comes from the fields above and the system's version.
    look.imageName = device->imageName();
    if (const auto *pair = dynamic_cast<const fennic::DoubleBatteryDevice *>(device)) {
        look.first = pair->firstLevel();
        look.second = pair->secondLevel();
    }
    return look;
}

bool BaseView::setDevice(std::shared_ptr<fennic::BatteryDevice> device)
{
    Look look = lookOf(device.get());
    const bool changed = !(look == m_look);
    m_device = std::move(device);
    if (changed) {
        m_look = std::move(look);
        m_kindName.reset();
        m_measuredWidth.reset();
    }
    return changed;
}

const QString &BaseView::kindName() const
{
    if (!m_kindName)
        m_kindName = m_device ? fennic::description(m_device->type()) : QString();
    return *m_kindName;
}

double BaseView::itemWidth() const { return 0; }

QString BaseView::customNameOr(const QString &fallback) const
{
    if (!m_device)
        return fallback;
    return Settings::customNames().value(m_device->serial(), fallback);
}

QString BaseView::measuredName() const { return m_device ? customNameOr(kindName()) : QString(); }

double BaseView::measuredNameWidth() const
{
    const QString name = measuredName();
    const platform::ui::Size within = bounds().size;
    if (!m_measuredWidth || name != m_measuredText || within != m_measuredIn) {
        m_measuredWidth = olvane::TextUtilities::boundingSize(name, nameFont(), within).width;
        m_measuredText = name;
        m_measuredIn = within;
    }
    return *m_measuredWidth;
}

platform::ui::Rect BaseView::nameLineRect(double width) const
{
    const double thickness = olvane::MenuBar::thickness();
    const double y = Settings::barMode() ? thickness - m_heightTitle : thickness - m_heightTitle + 1;
    return { 0, y, width, m_heightTitle };
}

} // namespace quenby
