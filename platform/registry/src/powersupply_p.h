#pragma once

#include "hiddevice_p.h"
#include "platform/core/value.h"
#include "sysfsattributes_p.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace platform::powersupply {

/// One entry of the kernel's power_supply class.
struct Supply {
    QString name;
    /// The supply's directory as the class lists it (a link into the device tree).
    QString path;
    /// What SupplyDirectory::idOf tells for it as of the listing that gave it; 0 when unknown.
    quint64 id = 0;
    bool operator==(const Supply &) const = default;
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
/// type, scope and other fixed attributes). A supply is the same one while its class entry is: on
/// sysfs a supply that goes and comes back under the same name (a device unplugged and plugged again)
/// has a new link with a new inode number, which the listing's d_ino shows. Elsewhere (a copied tree
/// that tests change) a directory can be replaced behind the same link, so each supply's directory is
/// also watched with inotify: a file made, removed or renamed there, or the directory going, makes
/// the supply a new one (where no watch can be had, its directory's identity is checked on each
/// listing). A listing costs one directory read, and one inotify read off sysfs, whatever the number
/// of supplies; attributes are read only for supplies not seen before. Within a reading pass the
/// supplies are listed once. The attributes that change are read from files kept open while their
/// supply stays the same one. Main thread only.
class SupplyDirectory {
public:
    explicit SupplyDirectory(QString root);
    /// The directory of `root` that every reader of the machine's supplies shares while one holds it, so
    /// that a tick lists the supplies and reads each kept file once whichever reader asks.
    static std::shared_ptr<SupplyDirectory> shared(const QString &root);
    ~SupplyDirectory();
    SupplyDirectory(const SupplyDirectory &) = delete;
    SupplyDirectory &operator=(const SupplyDirectory &) = delete;

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
    /// The supplies as they are now: listed anew unless this reading pass listed them.
    const Listing &current();

    /// The attributes of a supply, with its fixed attributes filled from earlier readings and the others
    /// read from the supply's kept files (at most once per reading pass); by path once the supply is
    /// forgotten.
    SysfsAttributes attributes(const Supply &supply);
    /// Keeps the fixed attributes `attributes` read, and the ones it found missing, for the next readings
    /// of the same supply.
    void remember(const Supply &supply, const SysfsAttributes &attributes);

    /// Where the supplies are listed: `root`/class/power_supply.
    const QString &folder() const { return m_folder; }

    /// A number that stands for the supply named `name` as of the last listing, different for each
    /// supply met under that name; none when it was not listed.
    std::optional<quint64> idOf(const QString &name) const;
    /// Counts the listings whose supplies differed from the one before (one came, went or was replaced).
    quint64 changes() const { return m_changes; }

    /// Attributes that stay as they are while the supply does (design values, names, dates).
    static const QStringList &fixedAttributes();

private:
    // An attribute file kept open while its supply stays, and the pass it was read in last.
    struct KeptFile {
        SysfsFile file;
        std::optional<quint64> readInPass;
    };
    using KeptFiles = std::unordered_map<QString, KeptFile>;

    struct Known {
        Supply supply;
        quint64 id = 0;
        // The inode number of the class entry (the link), as the listing gives it.
        quint64 entryInode = 0;
        // Off sysfs: the inotify watch of its directory, or where there is none, the directory's identity.
        int watch = -1;
        std::optional<FileId> directory;
        QString type;
        QString scope;
        QHash<QString, std::optional<QString>> fixed;
        // Attributes the supply does not have: a driver makes its attributes when it registers the supply.
        QSet<QString> absent;
        // The attributes read on every tick, open while the supply is this one (shared so that Known
        // copies; attributes() hands out weak references only).
        std::shared_ptr<KeptFiles> kept = std::make_shared<KeptFiles>();
        quint64 listedIn = 0;
    };
    void forget(const QString &name);
    static std::optional<QByteArray> readKept(
        KeptFiles &kept, const QString &directory, const QString &attribute, bool &missing);
    void takeNotifications();
    bool isPresent(Known &battery);

    QString m_root;
    QString m_folder;
    QByteArray m_folderName; // m_folder as the file system names it
    bool m_sysfs = false;
    int m_inotify = -1;
    QHash<int, QString> m_watched; // supply names by watch
    QHash<QString, Known> m_known; // by supply name
    QStringList m_order; // the known names, sorted
    quint64 m_listings = 0;
    quint64 m_nextId = 1;
    quint64 m_changes = 0;
    bool m_forgot = false; // a supply was forgotten since the listing began
    bool m_listed = false;
    std::optional<quint64> m_listedInPass;
    Listing m_listing;
    // The directory's entries as last read and as read now (inode numbers and names), whether the last
    // ones were all taken in, and how many supplies have their directory's identity checked per listing.
    QByteArray m_previousEntries;
    QByteArray m_entries;
    bool m_entriesValid = false;
    int m_identityChecks = 0;
    QStringList m_batteryNames; // the machine's battery supplies, present or not, in name order
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
