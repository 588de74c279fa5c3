#pragma once

#include "quenby/idatamodel.h"

#include <QString>

#include <functional>
#include <map>

namespace quenby {

/// Posted (without object) when the set of device identifiers changed, and after the first update.
inline constexpr auto kDevicesChanged = "DevicesChanged";

/// The devices of the latest refresh, and the low-battery alerts.
///
/// An accessory with one or two batteries is alerted when its level falls to the threshold, then at
/// each further 5 % below it, down to 5 %; a level that rises above the last alert (or charging above
/// it) starts the cycle again. The computer's battery is alerted once per fall to the threshold.
/// Low Energy devices are never alerted. Alerts are user notifications; nothing is persisted.
class DataModel final : public IDataModel {
public:
    /// Shows one user notification.
    using Deliver = std::function<void(const QString &title, const QString &body)>;

    /// `deliver` shows the alerts; by default the desktop's user notifications (when permitted).
    explicit DataModel(Deliver deliver = {});

    const DeviceMap &devices() const override { return m_devices; }
    bool allDevicesIgnored() const override;

    void update(const DeviceList &devices) override;
    void checkInternalBattery(const ammerl::InternalBattery &battery) override;
    void checkLowBattery(const fennic::BatteryDevice &device) override;

    /// The level at or below which the device's next alert is due: the threshold while the device is
    /// above it, else the multiple of 5 at or above the level (at least 5); after an alert, 5 below
    /// the alerted level (never below 5).
    std::uint8_t alertLevel(const fennic::BatteryDevice &device) const;

private:
    DeviceMap m_devices;
    std::map<QString, std::uint8_t> m_lowBatteryAlerted;
    bool m_internalBatteryAlerted = false;
    bool m_firstRefresh = true;
    Deliver m_deliver;
};

} // namespace quenby
