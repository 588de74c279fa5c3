#pragma once

#include "fennic/iiokitcontroller.h"
#include "platform/registry/registry.h"

#include <QHash>

namespace fennic {

/// HID lookups in the device registry, each with a cache that only grows: an answer once found is kept
/// for the controller's life; misses are not cached and scan again. Main thread only.
class IOKitController final : public IIOKitController {
public:
    inline static const QString appleBluetoothDevice = QStringLiteral("AppleHSBluetoothDevice");
    inline static const QString deviceAddress = QStringLiteral("DeviceAddress");
    inline static const QString descriptors = QStringLiteral("Descriptors");
    inline static const QString deviceDescriptor = QStringLiteral("DeviceDescriptor");
    inline static const QString manufacturer = QStringLiteral("ManufacturerString");
    inline static const QString serviceName = QStringLiteral("IOHIDUserDevice");
    inline static const QString physicalUniqueId = QStringLiteral("PhysicalDeviceUniqueID");
    inline static const QString primaryUsageKey = QStringLiteral("PrimaryUsage");
    inline static const QString manufacturerKey = QStringLiteral("Manufacturer");

    /// Touches nothing. The registry must outlive the controller.
    explicit IOKitController(platform::Registry &registry = platform::Registry::current());

    /// The "ManufacturerString" of the device descriptor of the "AppleHSBluetoothDevice" whose
    /// "DeviceAddress" equals `address`.
    std::optional<QString> manufacturerForAddress(const QString &address) override;
    /// The "PrimaryUsage" (of the last match in registry order) and "Manufacturer" (or "-") of the
    /// "IOHIDUserDevice" services whose "PhysicalDeviceUniqueID" equals `uniqueId`.
    std::optional<DeviceProperties> propertiesForUniqueId(const QString &uniqueId) override;

    const QHash<QString, QString> &manufacturers() const { return m_manufacturers; }
    const QHash<QString, DeviceProperties> &deviceProperties() const { return m_deviceProperties; }

private:
    platform::Registry &m_registry;
    QHash<QString, QString> m_manufacturers;
    QHash<QString, DeviceProperties> m_deviceProperties;
};

} // namespace fennic
