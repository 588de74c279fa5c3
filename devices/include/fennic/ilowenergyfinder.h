#pragma once

#include "fennic/lowenergydelegate.h"
#include "fennic/lowenergydevice.h"

#include <memory>
#include <vector>

namespace fennic {

/// The Low Energy finder as the application holds it.
class ILowEnergyFinder {
public:
    virtual ~ILowEnergyFinder() = default;

    virtual std::shared_ptr<LowEnergyDelegate> delegate() const = 0;
    virtual void setDelegate(std::weak_ptr<LowEnergyDelegate> delegate) = 0;
    virtual bool isPoweredOn() const = 0;
    /// The current records, in order of creation.
    virtual const std::vector<std::shared_ptr<LowEnergyDevice>> &devices() const = 0;
    /// One poll: lists new peripherals, asks for fresh battery readings, drops silent records.
    virtual void refresh() = 0;
    virtual void find() = 0;
    virtual void disconnectAll() = 0;
    virtual void connectDevice(const std::shared_ptr<LowEnergyDevice> &device) = 0;
    virtual void removeDevice(const std::shared_ptr<LowEnergyDevice> &device) = 0;
};

} // namespace fennic
