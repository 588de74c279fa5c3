#pragma once

#include "hiddevice_p.h"
#include "platform/core/value.h"
#include "sysfsattributes_p.h"

#include <QString>
#include <QHash>
#include <QSet>
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

/// Where a directory is, as the file system knows it: a directory that goes away and comes back (a
/// device unplugged and plugged again) is another one, even under the same name.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileId &) const = default;
};
/// The id of the directory or file at `path` (links followed); none when there is nothing.
std::optional<FileId> fileIdOf(const QString &path);

/// The supplies under `root`/class/power_supply, each with what does not change while it stays (its
/// type, scope and other fixed attributes), remembered by the identity of its directory. A listing
/// costs one directory read and one stat per supply; attributes are read only for supplies not seen
/// before, and the fixed ones once per supply. Main thread only.
class SupplyDirectory {
public:
    explicit SupplyDirectory(QString root);

    struct Listing {
        /// The machine's own batteries (type Battery, not scoped to a device, present), in name order.
        /// The smart battery stands for all of them together.
        std::vector<Supply> systemBatteries;
        /// The batteries of accessories (scope Device), in name order.
        std::vector<Supply> deviceBatteries;
        /// The supplies that power the machine from outside (Mains and the USB kinds, not scoped to
        /// a device), in name order.
        std::vector<Supply> adapters;
    };
    /// The supplies as they are now.
    Listing current();

    /// The attributes of a supply, with its fixed attributes filled from earlier readings.
    SysfsAttributes attributes(const Supply &supply) const;
    /// Keeps the fixed attributes `attributes` read, and the ones it found missing, for the next readings
    /// of the same supply.
    void remember(const Supply &supply, const SysfsAttributes &attributes);

    /// Where the supplies are listed: `root`/class/power_supply.
    const QString &folder() const { return m_folder; }

    /// The identity of a listed supply's directory as of the last listing; none when it was not listed.
    std::optional<FileId> idOf(const Supply &supply) const;

    /// Attributes that stay as they are while the supply does (design values, names, dates).
    static const QStringList &fixedAttributes();

private:
    struct Known {
        FileId id;
        QString type;
        QString scope;
        QHash<QString, std::optional<QString>> fixed;
        // Attributes the supply does not have: a driver makes its attributes when it registers the supply.
        QSet<QString> absent;
    };
    QString m_root;
    QString m_folder;
    QHash<QString, Known> m_known; // by supply name
};

/// The machine's batteries read as one battery, as a user reads them: charges or energies summed (in
/// energy when the batteries do not all count charge), charging when any charges, the rate that of the
/// batteries going the way the whole goes, so that times follow from the sums; what has no sum (serial,
/// maker, cycles, temperature, dates) is the first battery's. Callers read a single battery in place.
SysfsAttributes combinedBatteries(const std::vector<SysfsAttributes> &batteries);

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

/// The battery's `capacity` in percent: an integer from 0 to 100, anything else is no reading.
std::optional<qint64> capacity(const SysfsAttributes &attributes);

/// The key of an accessory's level, and its value from the battery's attributes.
inline constexpr const char *kBatteryPercent = "BatteryPercent";
std::optional<Value> batteryPercent(const SysfsAttributes &attributes);
/// The key of how an accessory is connected, and its value: "USB" while the kernel says the device
/// charges or is charged (on its cable), else how it talks to the machine ("Bluetooth", or "Wireless"
/// for a device on no cable). None without the HID device.
inline constexpr const char *kTransport = "Transport";
std::optional<Value> transport(const SysfsAttributes &attributes, const std::optional<HidDevice> &hid);

/// The HID device an accessory's battery belongs to.
std::optional<HidDevice> hidDeviceOf(const Supply &supply);
/// The properties of the HID event-service entry of an accessory's battery.
Value::Dictionary hidEventServiceProperties(
    const Supply &supply, const SysfsAttributes &attributes, const std::optional<HidDevice> &hid);

} // namespace platform::powersupply
