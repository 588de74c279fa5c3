#include "fennic/singlebatterydevice.h"

#include "fennic/manufacturers.h"

#include <cmath>

namespace fennic {

SingleBatteryDevice::SingleBatteryDevice(
    DeviceType type, const std::optional<QString> &name, const platform::Value &level)
    : BatteryDevice(type, name)
{
    setBatteryLevel(levelFromNumber(level));
}

SingleBatteryDevice::SingleBatteryDevice(const QString &name, const QString &serial, std::uint16_t vendorId,
    std::optional<std::int64_t> productId, std::uint8_t level, const std::optional<QString> &typeText)
    : BatteryDevice(DeviceType::undefined, name)
{
    setSerial(serial);
    setManufacturer(Manufacturers::manufacturerName(vendorId));
    setProductId(productId);
    setVendorId(vendorId);
    setBatteryLevel(level);
    if (typeText) {
        if (const auto type = deviceTypeFromRawText(*typeText))
            setType(*type);
    }
}

SingleBatteryDevice::SingleBatteryDevice(BaseFields fields)
    : BatteryDevice(std::move(fields))
{
}

std::shared_ptr<SingleBatteryDevice> SingleBatteryDevice::decode(const platform::Value &value)
{
    struct Decoded : SingleBatteryDevice {
        explicit Decoded(BaseFields f)
            : SingleBatteryDevice(std::move(f))
        {
        }
    };
    return std::make_shared<Decoded>(decodeBase(platform::KeyedDecoder(value)));
}

std::optional<std::uint8_t> SingleBatteryDevice::levelFromNumber(const platform::Value &number)
{
    const auto value = number.toDouble();
    if (!value)
        return std::nullopt;
    // Only a real can be a fraction: the registry reports whole percentages as integers, and 1 means
    // one percent there, never a full battery.
    const float single = static_cast<float>(*value);
    if (number.isReal() && single > 0.0f && single < 1.0f)
        return static_cast<std::uint8_t>(static_cast<int>(single * 100.0f));
    if (*value >= 1.0 && *value < 101.0)
        return static_cast<std::uint8_t>(std::trunc(*value));
    return std::nullopt;
}

} // namespace fennic
