#include "quenby/doublebatteryviewcontroller.h"

#include "localization_p.h"
#include "menurow_p.h"
#include "quenby/appnotifications.h"
#include "quenby/customcontentview.h"

#include <fennic/doublebatterydevice.h>
#include <platform/core/format.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>
#include <tavrin/constants.h>
#include <tavrin/notifications.h>

namespace quenby {

using platform::ui::Rect;

namespace {
    constexpr double kIconSize = 16;
}

DoubleBatteryViewController::DoubleBatteryViewController() = default;

DoubleBatteryViewController::~DoubleBatteryViewController() = default;

void DoubleBatteryViewController::loadView()
{
    const MenuRow row = MenuRow::make(kWidth, kHeight, 100);
    m_contentView = row.content;
    m_hostView = row.host;
    m_statusIcon = row.statusIcon;
    m_nameField = row.name;
    const double iconY = (kHeight - kIconSize) / 2;
    m_leftIcon = new platform::ui::ImageView(Rect(132, iconY, kIconSize, kIconSize));
    m_left = MenuRow::levelField(148, 42, kHeight);
    m_rightIcon = new platform::ui::ImageView(Rect(196, iconY, kIconSize, kIconSize));
    m_right = MenuRow::levelField(212, 42, kHeight);
    // What the units' pictures say, for whatever shows the row in words (a tray host's own menu, a
    // screen reader).
    m_leftIcon->setAccessibleName(localized(QStringLiteral("LEFT_UNIT")));
    m_rightIcon->setAccessibleName(localized(QStringLiteral("RIGHT_UNIT")));
    for (platform::ui::View *view :
        { static_cast<platform::ui::View *>(m_leftIcon.data()), static_cast<platform::ui::View *>(m_left.data()),
            static_cast<platform::ui::View *>(m_rightIcon.data()), static_cast<platform::ui::View *>(m_right.data()) })
        m_hostView->addSubview(view);
    setView(m_contentView);
}

void DoubleBatteryViewController::viewDidLoad()
{
    ViewController::viewDidLoad();
    if (!m_contentView)
        MenuRow::missingOutlet("content view");
    m_contentView->setDelegate(weak_from_this());
}

void DoubleBatteryViewController::update()
{
    if (!m_battery)
        return;
    view();
    if (!m_nameField || !m_left || !m_right || !m_leftIcon || !m_rightIcon || !m_statusIcon)
        MenuRow::missingOutlet("label or icon");
    // A unit whose level is unknown shows no value; the row still names the device.
    const auto text = [](std::optional<std::uint8_t> level) {
        return level ? platform::format("%d %%", int(*level)) : QString(tavrin::kNoValue);
    };
    m_nameField->setStringValue(m_battery->name());
    m_left->setStringValue(text(m_battery->firstLevel()));
    m_right->setStringValue(text(m_battery->secondLevel()));
    m_leftIcon->setImage(m_battery->leftImage());
    m_rightIcon->setImage(m_battery->rightImage());
    MenuRow::showStatus(*m_statusIcon, m_battery->serial());
}

void DoubleBatteryViewController::viewClicked(platform::ui::View *)
{
    if (!m_battery)
        return;
    tavrin::Notifications::postWithObject(
        QString::fromLatin1(kMenuBarItemClicked), platform::Value(identifierHash(m_battery->serial())));
}

} // namespace quenby
