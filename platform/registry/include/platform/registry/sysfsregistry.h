#pragma once

#include "platform/registry/registry.h"

#include <QString>

#include <memory>

namespace platform {

/// The device registry of a Linux machine, read from sysfs when asked.
///
/// The kernel's power_supply class and its HID devices appear as the entries the finders look for:
/// - the machine's battery (the first present supply of type Battery not scoped to a device) is an
///   "AppleSmartBattery" entry whose parent, an "AppleSmartBatteryManager", tells by its
///   "IOProviderClass" how the battery counts ("IOSMBusController": capacities in mAh are known;
///   "AppleSMC": only percentages);
/// - a battery scoped to a device (e.g. hid-<address>-battery) is an
///   "AppleDeviceManagementHIDEventService" entry below an "IOHIDInterface" below the HID device;
/// - every HID device is an "IOHIDUserDevice" entry.
/// Property names and units are those of docs/decisions.md. Entries read their attributes anew on
/// every read; an attribute that is missing, unreadable or not a number gives an absent key, and an
/// entry whose directory went away reads as unreadable. Main thread only.
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

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace platform
