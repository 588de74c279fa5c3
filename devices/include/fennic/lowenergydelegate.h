#pragma once

namespace fennic {

/// Told by the Low Energy finder about changes; held weakly.
class LowEnergyDelegate {
public:
    virtual ~LowEnergyDelegate() = default;
    virtual void devicesChanged() = 0;
    /// The radio's state as its number (platform::Central::State).
    virtual void stateChanged(int state) = 0;
};

} // namespace fennic
