#include "quenby/baseview.h"

#include "quenby/settings.h"

#include <fennic/batterydevice.h>
#include <olvane/menubar.h>
#include <olvane/textutilities.h>
#include <platform/ui/font.h>

namespace quenby {

BaseView::BaseView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void BaseView::setDevice(std::shared_ptr<fennic::BatteryDevice> device) { m_device = std::move(device); }

double BaseView::itemWidth() const { return 0; }

QString BaseView::customNameOr(const QString &fallback) const
{
    if (!m_device)
        return fallback;
    return Settings::customNames().value(m_device->serial(), fallback);
}

QString BaseView::measuredName() const
{
    return m_device ? customNameOr(fennic::description(m_device->type())) : QString();
}

double BaseView::measuredNameWidth() const
{
    return olvane::TextUtilities::boundingSize(measuredName(), platform::ui::Font::boldSystemFont(12), bounds().size)
        .width;
}

platform::ui::Rect BaseView::nameLineRect(double width) const
{
    const double thickness = olvane::MenuBar::thickness();
    const double y = Settings::barMode() ? thickness - m_heightTitle : thickness - m_heightTitle + 1;
    return { 0, y, width, m_heightTitle };
}

} // namespace quenby
