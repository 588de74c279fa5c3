#pragma once

#include "fennic/ibluetoothfinder.h"
#include "platform/registry/registry.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fennic {

/// Finds the Bluetooth and HID accessories that report a charge in the device registry and makes one
/// SingleBatteryDevice per address. Every scan queries the registry anew and builds new records; no
/// registry handle outlives a scan. Main thread only; the scan is synchronous.
class BluetoothFinder final : public IBluetoothFinder {
public:
    inline static const QString keyboardIdentifier = QStringLiteral("KBLowBattery");
    inline static const QString mouseIdentifier = QStringLiteral("MOLowBattery");
    inline static const QString mouseIdentifierUsb = QStringLiteral("USBConnectedMO");

    /// Touches nothing. The registry must outlive the finder.
    explicit BluetoothFinder(platform::Registry &registry = platform::Registry::current());

    /// The classes scanned, in order: an address found under an earlier class wins.
    static const QStringList &registryClasses();

    const std::vector<std::shared_ptr<BatteryDevice>> &devices() const override { return m_devices; }
    void refresh() override;
    std::vector<std::shared_ptr<BatteryDevice>> findDevices() override;

    /// The records built from one class's services, in registry order.
    std::vector<std::shared_ptr<BatteryDevice>> devicesForClass(const QString &className);
    /// The property dictionaries of a class's services, each with its grandparent's "Accessory Category";
    /// empty when the class has no readable service or the query fails.
    std::optional<std::vector<platform::Value::Dictionary>> registryProperties(const QString &className);

private:
    platform::Registry &m_registry;
    std::vector<std::shared_ptr<BatteryDevice>> m_devices;
};

} // namespace fennic
