#pragma once

#include "quenby/customcontentview.h"

#include <olvane/menubarhostview.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>
#include <platform/ui/viewcontroller.h>
#include <tavrin/eventdelegate.h>

#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

namespace ammerl {
class InternalBattery;
}
namespace fennic {
class LowEnergyDevice;
class SingleBatteryDevice;
}

namespace quenby {

/// The status-menu row of a device with one level: a single-battery device, a Low Energy device or
/// the computer's battery (the menu sets one of the three). It shows the name, the level as "85 %"
/// and a green dot, or a red one when the device is hidden from the status bar. A click on the row
/// posts "MenuBarItemClicked" with the row's identifier hash.
///
/// The controller must be owned by a `std::shared_ptr` before its view is loaded: the row's view
/// holds it weakly as its event delegate. Main thread only.
class SingleBatteryViewController : public platform::ui::ViewController,
                                    public tavrin::EventDelegate,
                                    public std::enable_shared_from_this<SingleBatteryViewController> {
public:
    static constexpr double kWidth = 240;
    static constexpr double kHeight = 22;

    SingleBatteryViewController();
    ~SingleBatteryViewController() override;

    CustomContentView *contentView() const { return m_contentView.data(); }
    olvane::MenuBarHostView *hostView() const { return m_hostView.data(); }
    platform::ui::ImageView *statusIcon() const { return m_statusIcon.data(); }
    platform::ui::TextField *nameField() const { return m_nameField.data(); }
    platform::ui::TextField *batteryField() const { return m_batteryField.data(); }

    const std::shared_ptr<fennic::SingleBatteryDevice> &battery() const { return m_battery; }
    void setBattery(std::shared_ptr<fennic::SingleBatteryDevice> battery) { m_battery = std::move(battery); }
    const ammerl::InternalBattery *internalBattery() const { return m_internalBattery.get(); }
    /// Keeps a copy of the record.
    void setInternalBattery(const ammerl::InternalBattery *battery);
    const std::shared_ptr<fennic::LowEnergyDevice> &lowEnergyDevice() const { return m_lowEnergyDevice; }
    void setLowEnergyDevice(std::shared_ptr<fennic::LowEnergyDevice> device) { m_lowEnergyDevice = std::move(device); }

    /// Shows the first of the battery, the computer's battery and the Low Energy device that is set, with
    /// or without a level (a row is never blank). Without any, the row stays as it is.
    void update();
    /// Name, "%d %%" of the level ("-" without one), and the dot for the identifier.
    void show(const QString &name, std::optional<std::uint8_t> level, const QString &identifier);
    /// The identifier a click stands for: the battery's serial, else "internal", else the Low Energy
    /// device's serial; empty when none is set.
    QString identifier() const;

    void viewClicked(platform::ui::View *sender) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    QPointer<CustomContentView> m_contentView;
    QPointer<olvane::MenuBarHostView> m_hostView;
    QPointer<platform::ui::ImageView> m_statusIcon;
    QPointer<platform::ui::TextField> m_nameField;
    QPointer<platform::ui::TextField> m_batteryField;
    std::shared_ptr<fennic::SingleBatteryDevice> m_battery;
    std::unique_ptr<ammerl::InternalBattery> m_internalBattery;
    std::shared_ptr<fennic::LowEnergyDevice> m_lowEnergyDevice;
};

} // namespace quenby
