#include "quenby/singlebatteryviewcontroller.h"

#include "batterycopy_p.h"
#include "localization_p.h"
#include "menurow_p.h"
#include "quenby/appnotifications.h"
#include "quenby/customcontentview.h"
#include "quenby/settings.h"

#include <ammerl/internalbattery.h>
#include <fennic/lowenergydevice.h>
#include <fennic/singlebatterydevice.h>
#include <platform/core/format.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>
#include <tavrin/constants.h>
#include <tavrin/notifications.h>

#include <algorithm>

namespace quenby {

SingleBatteryViewController::SingleBatteryViewController() = default;

SingleBatteryViewController::~SingleBatteryViewController() = default;

void SingleBatteryViewController::setInternalBattery(const ammerl::InternalBattery *battery)
{
    m_internalBattery = battery ? copyOf(*battery) : nullptr;
}

void SingleBatteryViewController::loadView()
{
    const MenuRow row = MenuRow::make(kWidth, kHeight, 150);
    m_contentView = row.content;
    m_hostView = row.host;
    m_statusIcon = row.statusIcon;
    m_nameField = row.name;
    m_batteryField = MenuRow::levelField(180, 48, kHeight);
    m_hostView->addSubview(m_batteryField);
    setView(m_contentView);
}

void SingleBatteryViewController::viewDidLoad()
{
    ViewController::viewDidLoad();
    if (!m_contentView)
        MenuRow::missingOutlet("content view");
    m_contentView->setDelegate(weak_from_this());
}

void SingleBatteryViewController::update()
{
    // A device whose level is unknown still has its row: it names the device and shows no value.
    if (m_battery) {
        show(m_battery->name(), m_battery->batteryLevel(), m_battery->serial());
    } else if (m_internalBattery) {
        const auto charge = m_internalBattery->charge();
        show(localized(QStringLiteral("INTERNAL_BATTERY")),
            charge ? std::optional<std::uint8_t>(std::clamp<std::int64_t>(*charge, 0, 255)) : std::nullopt,
            QString::fromLatin1(kInternalIdentifier));
    } else if (m_lowEnergyDevice) {
        show(m_lowEnergyDevice->name(), m_lowEnergyDevice->batteryLevel(), m_lowEnergyDevice->serial());
    }
}

void SingleBatteryViewController::show(
    const QString &name, std::optional<std::uint8_t> level, const QString &identifier)
{
    view();
    if (!m_nameField)
        MenuRow::missingOutlet("name field");
    if (!m_batteryField)
        MenuRow::missingOutlet("battery field");
    if (!m_statusIcon)
        MenuRow::missingOutlet("status icon");
    m_nameField->setStringValue(name);
    m_batteryField->setStringValue(level ? platform::format("%d %%", int(*level)) : QString(tavrin::kNoValue));
    MenuRow::showStatus(*m_statusIcon, identifier);
}

QString SingleBatteryViewController::identifier() const
{
    if (m_battery)
        return m_battery->serial();
    if (m_internalBattery)
        return QString::fromLatin1(kInternalIdentifier);
    if (m_lowEnergyDevice)
        return m_lowEnergyDevice->serial();
    return {};
}

void SingleBatteryViewController::viewClicked(platform::ui::View *)
{
    if (!m_battery && !m_internalBattery && !m_lowEnergyDevice)
        return;
    tavrin::Notifications::postWithObject(
        QString::fromLatin1(kMenuBarItemClicked), platform::Value(identifierHash(identifier())));
}

} // namespace quenby
