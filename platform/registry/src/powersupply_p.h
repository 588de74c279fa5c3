#pragma once

#include "hiddevice_p.h"
#include "platform/core/value.h"
#include "sysfsattributes_p.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace platform::powersupply {

/// One entry of the kernel's power_supply class.
struct Supply {
    QString name;
    /// The supply's directory as the class lists it (a link into the device tree).
    QString path;
};

/// Every supply under `root`/class/power_supply, in name order; none when the folder is missing.
std::vector<Supply> supplies(const QString &root);

/// The machine's own battery (type Battery, not scoped to a device, present): the first in name
/// order, as the smart battery stands for one battery.
std::optional<Supply> systemBattery(const QString &root);
/// The batteries of accessories (scope Device), in name order.
std::vector<Supply> deviceBatteries(const QString &root);
/// The supplies that power the machine from outside (Mains and the USB kinds, not scoped to a device).
std::vector<Supply> adapters(const QString &root);

/// The smart-battery entry's keys, each read from the fewest attributes that give it.
const QStringList &smartBatteryKeys();
std::optional<Value> smartBatteryProperty(const SysfsAttributes &battery, const QString &key);
Value::Dictionary smartBatteryProperties(const SysfsAttributes &battery);
/// "IOSMBusController" when the battery gives its capacities in charge (or in energy that can be
/// converted), so the variant that holds capacities in mAh reads it; "AppleSMC" when it gives only
/// percentages, which the other variant takes from the power source.
QString controllerClass(const SysfsAttributes &battery);

/// The power-source description of the system battery, with the state of the adapters.
Value::Dictionary powerSourceDescription(
    const Supply &battery, const SysfsAttributes &attributes, const std::vector<SysfsAttributes> &adapters);

/// The HID device an accessory's battery belongs to.
std::optional<HidDevice> hidDeviceOf(const Supply &supply);
/// The properties of the HID event-service entry of an accessory's battery.
Value::Dictionary hidEventServiceProperties(
    const Supply &supply, const SysfsAttributes &attributes, const std::optional<HidDevice> &hid);

} // namespace platform::powersupply
