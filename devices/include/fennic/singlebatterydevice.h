#pragma once

#include "fennic/batterydevice.h"

namespace fennic {

/// A device with one battery.
class SingleBatteryDevice : public BatteryDevice {
public:
    /// The level is a number as the registry reports it: a fraction between 0 and 1 (exclusive) counts
    /// as a share of 100, any other number by its integer part when that lies from 1 to 100; anything
    /// else leaves the level empty.
    SingleBatteryDevice(DeviceType type, const std::optional<QString> &name, const platform::Value &level);
    /// A record as the helper application describes it: the manufacturer comes from the vendor table
    /// (or the localised unknown text), and a type text that names a kind sets the kind after the name
    /// was settled as for an undefined device.
    SingleBatteryDevice(const QString &name, const QString &serial, std::uint16_t vendorId,
        std::optional<std::int64_t> productId, std::uint8_t level,
        const std::optional<QString> &typeText = std::nullopt);

    static std::shared_ptr<SingleBatteryDevice> decode(const platform::Value &value);

    /// The level rule of the first constructor.
    static std::optional<std::uint8_t> levelFromNumber(const platform::Value &number);

protected:
    explicit SingleBatteryDevice(BaseFields fields);
};

} // namespace fennic
