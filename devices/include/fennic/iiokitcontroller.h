#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace fennic {

/// What the HID side of the registry says about one device.
struct DeviceProperties {
    /// The HID primary usage (2: mouse, 6: keyboard).
    std::int64_t primaryUsage = 0;
    QString manufacturer;

    bool operator==(const DeviceProperties &) const = default;
};

/// HID lookups as the Low Energy finder holds them.
class IIOKitController {
public:
    virtual ~IIOKitController() = default;

    /// The manufacturer text of the Bluetooth HID device with this address (exact match), or empty.
    virtual std::optional<QString> manufacturerForAddress(const QString &address) = 0;
    /// The properties of the HID user device with this physical unique id (exact match), or empty.
    virtual std::optional<DeviceProperties> propertiesForUniqueId(const QString &uniqueId) = 0;
};

} // namespace fennic
