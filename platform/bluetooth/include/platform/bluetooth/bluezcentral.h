#pragma once

#include "platform/bluetooth/central.h"

#include <QDBusConnection>
#include <QHash>
#include <QMap>
#include <QUuid>
#include <QVariantMap>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QDBusMessage;
class QDBusServiceWatcher;

namespace platform {

class BluezPeripheral;

/// The central of a Linux machine: BlueZ (org.bluez) over D-Bus.
///
/// The radio is on while any adapter (org.bluez.Adapter1) is Powered, off while adapters exist and
/// none is, and unsupported without an adapter, without BlueZ on the bus or without a bus; the state
/// is unknown until BlueZ has answered once. The connected peripherals are the connected
/// org.bluez.Device1 objects whose UUIDs hold one of the services asked for (a device with
/// org.bluez.Battery1 offers the Battery service whatever its UUIDs); a peripheral's identifier
/// is identifierForAddress() of its address. Services and characteristics are the GattService1 and
/// GattCharacteristic1 objects below the device, and reads are ReadValue. A device whose Battery
/// service BlueZ keeps to itself (it then shows org.bluez.Battery1 instead of the GATT objects) offers
/// a Battery service with a Battery Level characteristic whose reads give Battery1's Percentage (a value
/// that is not a byte from 0 to 100 reads as 255, no level).
///
/// The central reads BlueZ's object tree once when BlueZ appears and then follows it through
/// InterfacesAdded, InterfacesRemoved and PropertiesChanged; discoveries answer from it. Reads go over
/// the air only when they must, as every read wakes the accessory's radio: a characteristic that
/// notifies is read once and subscribed to (StartNotify), and later reads give the value BlueZ's tree
/// holds; one that cannot notify is read over the air at most once a minute, the tree answering
/// between. A changed value in the tree of a characteristic handed out is told at once, as a
/// notification is (valueUpdated without a read). Connecting to a device the system
/// holds connected only makes the connection this program's; cancelling it never disconnects what the
/// system connected. A device whose battery the machine's registry reports itself (the kernel's
/// battery of a Bluetooth HID device) is left out: it is listed there, once. Main thread only; every
/// answer and event arrives later from the event loop.
class BluezCentral final : public Central {
    Q_OBJECT
public:
    /// Talks to BlueZ on `bus` (the system bus unless a test injects another).
    explicit BluezCentral(QDBusConnection bus = QDBusConnection::systemBus(), QObject *parent = nullptr);
    ~BluezCentral() override;

    State state() const override { return m_state; }
    std::vector<std::shared_ptr<Peripheral>> retrieveConnectedPeripherals(
        const QList<BluetoothUuid> &services) override;
    void connectPeripheral(const std::shared_ptr<Peripheral> &peripheral) override;
    void cancelPeripheralConnection(const std::shared_ptr<Peripheral> &peripheral) override;

    /// Tells which devices are left out of the connected peripherals because another reader lists their
    /// battery, by address (upper case). By default: those the current registry reports as accessories
    /// when it is the machine's sysfs registry. An empty function leaves out nothing.
    void setBatteryReportedElsewhere(std::function<bool(const QString &address)> reported);

    /// The stable identifier of the device with this Bluetooth address: the name-based (version 5)
    /// UUID of the address in upper case, so letter case does not matter.
    static QUuid identifierForAddress(const QString &address);

    // BlueZ's object tree as last seen: object path → interface → properties.
    using Interfaces = QMap<QString, QVariantMap>;
    using Objects = std::map<QString, Interfaces>;

    // What BlueZ tells, once decoded from its messages. The bus handlers hand each announcement on
    // to these; a caller without a bus (a fuzzer) feeds them directly. Any values are taken: a
    // property of an unexpected type reads as absent.
    /// The answer of GetManagedObjects: the whole tree, now known.
    void treeReceived(Objects objects);
    void applyInterfacesAdded(const QString &path, const Interfaces &added);
    void applyInterfacesRemoved(const QString &path, const QStringList &names);
    void applyPropertiesChanged(
        const QString &path, const QString &interfaceName, const QVariantMap &changed, const QStringList &removed);

private slots:
    void interfacesAdded(const QDBusMessage &message);
    void interfacesRemoved(const QDBusMessage &message);
    void propertiesChanged(const QDBusMessage &message);
    void bluezAppeared();
    void bluezVanished();

private:
    friend class BluezPeripheral;

    /// Re-reads the object tree; `done` gets an empty text on success, the error otherwise.
    void fetchObjects(std::function<void(const QString &error)> done);
    /// Runs `done` from the event loop once the tree is known (fetching it only when it is not).
    void whenTreeKnown(std::function<void(const QString &error)> done);
    void setObjects(Objects objects, bool known);
    /// What a read over the air gave, as BlueZ keeps it.
    void setTreeValue(const QString &path, const QByteArray &value);
    /// Hands a value BlueZ announced to the peripheral it belongs to.
    void valueChanged(const QString &path, const QByteArray &bytes);
    /// Called after every change of the tree: drops this program's connections to devices that went
    /// away or were disconnected, and reports a new radio state.
    void reconcile();
    /// Runs `event` later from the event loop.
    void post(std::function<void()> event);
    const QVariantMap *interface(const QString &path, const char *name) const;
    BluezPeripheral *ours(const std::shared_ptr<Peripheral> &peripheral) const;
    bool isSystemConnected(const QString &devicePath) const;

    QDBusConnection m_bus;
    QDBusServiceWatcher *m_watcher = nullptr;
    State m_state = State::unknown;
    Objects m_objects;
    bool m_treeKnown = false;
    QHash<QUuid, std::shared_ptr<BluezPeripheral>> m_peripherals;
    std::vector<std::function<void(const QString &)>> m_fetchWaiters;
    std::function<bool(const QString &address)> m_batteryReportedElsewhere;
};

} // namespace platform
