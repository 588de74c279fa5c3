#pragma once

#include "fennic/batterydevice.h"

#include <memory>
#include <vector>

namespace fennic {

/// The registry finder as the application holds it.
class IBluetoothFinder {
public:
    virtual ~IBluetoothFinder() = default;

    /// The records of the last refresh (empty before the first).
    virtual const std::vector<std::shared_ptr<BatteryDevice>> &devices() const = 0;
    /// Replaces devices() with a fresh scan.
    virtual void refresh() = 0;
    /// A fresh scan, without touching devices().
    virtual std::vector<std::shared_ptr<BatteryDevice>> findDevices() = 0;
};

} // namespace fennic
