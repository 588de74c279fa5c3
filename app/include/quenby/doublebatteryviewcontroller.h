#pragma once

#include "quenby/customcontentview.h"

#include <olvane/menubarhostview.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>
#include <platform/ui/viewcontroller.h>
#include <tavrin/eventdelegate.h>

#include <QPointer>

#include <memory>

namespace fennic {
class DoubleBatteryDevice;
}

namespace quenby {

/// The status-menu row of a device with two units: its name, each unit's picture and level, and the
/// green or red dot. A click posts "MenuBarItemClicked" with the hash of the device's serial.
///
/// Owned by a `std::shared_ptr` before its view is loaded (the row holds it weakly). Main thread only.
class DoubleBatteryViewController : public platform::ui::ViewController,
                                    public tavrin::EventDelegate,
                                    public std::enable_shared_from_this<DoubleBatteryViewController> {
public:
    static constexpr double kWidth = 260;
    static constexpr double kHeight = 22;

    DoubleBatteryViewController();
    ~DoubleBatteryViewController() override;

    olvane::MenuBarHostView *hostView() const { return m_hostView.data(); }
    CustomContentView *contentView() const { return m_contentView.data(); }
    platform::ui::ImageView *statusIcon() const { return m_statusIcon.data(); }
    platform::ui::TextField *nameField() const { return m_nameField.data(); }
    platform::ui::TextField *left() const { return m_left.data(); }
    platform::ui::TextField *right() const { return m_right.data(); }
    platform::ui::ImageView *leftIcon() const { return m_leftIcon.data(); }
    platform::ui::ImageView *rightIcon() const { return m_rightIcon.data(); }

    const std::shared_ptr<fennic::DoubleBatteryDevice> &battery() const { return m_battery; }
    void setBattery(std::shared_ptr<fennic::DoubleBatteryDevice> battery) { m_battery = std::move(battery); }

    /// Name, both levels ("-" for one that is unknown), the units' pictures and the dot; without a battery
    /// the row stays as it is.
    void update();

    void viewClicked(platform::ui::View *sender) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    QPointer<olvane::MenuBarHostView> m_hostView;
    QPointer<CustomContentView> m_contentView;
    QPointer<platform::ui::ImageView> m_statusIcon;
    QPointer<platform::ui::TextField> m_nameField;
    QPointer<platform::ui::TextField> m_left;
    QPointer<platform::ui::TextField> m_right;
    QPointer<platform::ui::ImageView> m_leftIcon;
    QPointer<platform::ui::ImageView> m_rightIcon;
    std::shared_ptr<fennic::DoubleBatteryDevice> m_battery;
};

} // namespace quenby
