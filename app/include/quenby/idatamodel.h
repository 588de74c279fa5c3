#pragma once

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace fennic {
class BatteryDevice;
}
namespace ammerl {
class InternalBattery;
}

namespace quenby {

/// Devices by identifier (the device's serial), in ascending identifier order.
using DeviceMap = std::map<QString, std::shared_ptr<fennic::BatteryDevice>>;
using DeviceList = std::vector<std::shared_ptr<fennic::BatteryDevice>>;

/// The devices of the latest refresh and the low-battery alerts. Main thread only.
class IDataModel {
public:
    virtual ~IDataModel() = default;

    virtual const DeviceMap &devices() const = 0;
    /// True when every device is on the ignored list, and when there are no devices.
    virtual bool allDevicesIgnored() const = 0;

    /// Takes the merged device list of one refresh and raises the alerts that are due; posts
    /// "DevicesChanged" (synchronously) on the first call and whenever the set of identifiers changed.
    virtual void update(const DeviceList &devices) = 0;
    /// Raises the computer battery's alert once when its charge falls to the threshold.
    virtual void checkInternalBattery(const ammerl::InternalBattery &battery) = 0;
    /// Raises one device's alert when its level reached its alert level.
    virtual void checkLowBattery(const fennic::BatteryDevice &device) = 0;
};

} // namespace quenby
