#pragma once

#include "platform/registry/registry.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

/// The device registry of a Linux machine, read from sysfs when asked.
///
/// The kernel's power_supply class and its HID devices appear as the entries the finders look for:
/// - the machine's batteries (the present supplies of type Battery not scoped to a device), read as one
///   battery, are an "AppleSmartBattery" entry whose parent, an "AppleSmartBatteryManager", tells by its
///   "IOProviderClass" how the battery counts ("IOSMBusController": capacities in mAh are known;
///   "AppleSMC": only percentages); the entry reads whichever batteries are there when it is read;
/// - a battery scoped to a device (e.g. hid-<address>-battery) is an
///   "AppleDeviceManagementHIDEventService" entry below an "IOHIDInterface" below the HID device;
/// - every HID device is an "IOHIDUserDevice" entry.
/// Property names and units are those of docs/decisions.md. Entries read what can change (levels,
/// states, rates) anew on every read, and what cannot (an accessory's identity and kind, a battery's
/// design values) once per device: a device is the same one while its directory is (the same file
/// system identity). An attribute that is missing, unreadable or not a number gives an absent key, and
/// an entry whose directory went away reads as unreadable. Main thread only.
class SysfsRegistry final : public Registry {
public:
    /// `root` is where sysfs is mounted (its class/ and bus/ folders are read).
    explicit SysfsRegistry(QString root = defaultRoot());
    ~SysfsRegistry() override;
    SysfsRegistry(const SysfsRegistry &) = delete;
    SysfsRegistry &operator=(const SysfsRegistry &) = delete;

    /// $QUENBY_SYSFS_ROOT when set and not empty, else /sys.
    static QString defaultRoot();

    const QString &root() const;

    std::optional<std::vector<RegistryEntry>> matchingServices(const QString &className) override;

    /// Where the kind of a Bluetooth HID device is asked last, when nothing in sysfs tells it: the
    /// device's icon name given its address (upper case). By default BlueZ's Device1 "Icon" of the
    /// device on each adapter of `root`/class/bluetooth, over the system bus.
    void setBluetoothIcons(std::function<std::optional<QString>(const QString &address)> icon);

    /// Whether an accessory entry with a level stands for the Bluetooth device with this address (any
    /// letter case): a device battery named after it or belonging to a HID device whose uniq it is.
    bool reportsBatteryOf(const QString &address);

    struct State;

private:
    std::shared_ptr<State> m_state;
};

/// While one lives (main thread), every sysfs file is read at most once, by whichever entry, power
/// source snapshot or finder asks first; later reads get that answer. Without one, each turn of a
/// running event loop is such a pass: everything a timer's tick reads sees one reading of each file.
class SysfsReading {
public:
    SysfsReading();
    ~SysfsReading();
    SysfsReading(const SysfsReading &) = delete;
    SysfsReading &operator=(const SysfsReading &) = delete;
};

} // namespace platform
