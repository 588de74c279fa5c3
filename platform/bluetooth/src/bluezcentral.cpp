#include "platform/bluetooth/bluezcentral.h"

#include "bluezperipheral_p.h"
#include "platform/registry/sysfsregistry.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QSet>

namespace platform {

namespace {
    const QString kBluez = QStringLiteral("org.bluez");
    const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
    const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
    const char *const kAdapter = "org.bluez.Adapter1";
    const char *const kDevice = "org.bluez.Device1";
    const char *const kGattCharacteristic = "org.bluez.GattCharacteristic1";
    const char *const kBattery = "org.bluez.Battery1";

    // Names BlueZ's identifiers, so that one address always gives the same peripheral identifier.
    const QUuid kAddressNamespace(QStringLiteral("7b810e80-9efb-4c60-8ff4-5f79392fa84f"));

    // a{sa{sv}}: the interfaces of one object with their properties.
    BluezCentral::Interfaces readInterfaces(const QDBusArgument &argument)
    {
        BluezCentral::Interfaces interfaces;
        argument.beginMap();
        while (!argument.atEnd()) {
            QString name;
            QVariantMap properties;
            argument.beginMapEntry();
            argument >> name >> properties;
            argument.endMapEntry();
            interfaces.insert(name, properties);
        }
        argument.endMap();
        return interfaces;
    }

    // a{oa{sa{sv}}}, the answer of GetManagedObjects; empty when the answer has another shape.
    std::optional<BluezCentral::Objects> readObjects(const QDBusMessage &reply)
    {
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1
            || reply.signature() != QLatin1String("a{oa{sa{sv}}}"))
            return std::nullopt;
        const QDBusArgument argument = reply.arguments().front().value<QDBusArgument>();
        BluezCentral::Objects objects;
        argument.beginMap();
        while (!argument.atEnd()) {
            QDBusObjectPath path;
            argument.beginMapEntry();
            argument >> path;
            objects[path.path()] = readInterfaces(argument);
            argument.endMapEntry();
        }
        argument.endMap();
        return objects;
    }
}

BluezCentral::BluezCentral(QDBusConnection bus, QObject *parent)
    : Central(parent)
    , m_bus(std::move(bus))
    , m_batteryReportedElsewhere([](const QString &address) {
        // The kernel reads the battery of a Bluetooth mouse or keyboard on its input link, and BlueZ may
        // read it too: the machine's registry lists such a device, and it is one device.
        auto *sysfs = dynamic_cast<SysfsRegistry *>(&Registry::current());
        return sysfs && sysfs->reportsBatteryOf(address);
    })
{
    if (!m_bus.isConnected()) {
        // No bus (no system bus on this machine): no BlueZ can be reached, ever.
        m_state = State::unsupported;
        return;
    }
    m_watcher = new QDBusServiceWatcher(kBluez, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &BluezCentral::bluezAppeared);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &BluezCentral::bluezVanished);
    m_bus.connect(kBluez, QString(), kObjectManager, QStringLiteral("InterfacesAdded"), this,
        SLOT(interfacesAdded(QDBusMessage)));
    m_bus.connect(kBluez, QString(), kObjectManager, QStringLiteral("InterfacesRemoved"), this,
        SLOT(interfacesRemoved(QDBusMessage)));
    m_bus.connect(kBluez, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
        SLOT(propertiesChanged(QDBusMessage)));
    fetchObjects([](const QString &) {});
}

BluezCentral::~BluezCentral()
{
    if (m_bus.isConnected()) {
        m_bus.disconnect(kBluez, QString(), kObjectManager, QStringLiteral("InterfacesAdded"), this,
            SLOT(interfacesAdded(QDBusMessage)));
        m_bus.disconnect(kBluez, QString(), kObjectManager, QStringLiteral("InterfacesRemoved"), this,
            SLOT(interfacesRemoved(QDBusMessage)));
        m_bus.disconnect(kBluez, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
            SLOT(propertiesChanged(QDBusMessage)));
    }
}

void BluezCentral::setBatteryReportedElsewhere(std::function<bool(const QString &address)> reported)
{
    m_batteryReportedElsewhere = std::move(reported);
}

QUuid BluezCentral::identifierForAddress(const QString &address)
{
    return QUuid::createUuidV5(kAddressNamespace, address.toUpper());
}

void BluezCentral::post(std::function<void()> event)
{
    QMetaObject::invokeMethod(this, std::move(event), Qt::QueuedConnection);
}

const QVariantMap *BluezCentral::interface(const QString &path, const char *name) const
{
    const auto object = m_objects.find(path);
    if (object == m_objects.end())
        return nullptr;
    const auto found = object->second.constFind(QLatin1String(name));
    return found == object->second.constEnd() ? nullptr : &*found;
}

bool BluezCentral::isSystemConnected(const QString &devicePath) const
{
    const QVariantMap *device = interface(devicePath, kDevice);
    return device && device->value(QStringLiteral("Connected")).toBool();
}

BluezPeripheral *BluezCentral::ours(const std::shared_ptr<Peripheral> &peripheral) const
{
    if (!peripheral)
        return nullptr;
    const auto known = m_peripherals.constFind(peripheral->identifier());
    return known != m_peripherals.constEnd() && known->get() == peripheral.get() ? known->get() : nullptr;
}

void BluezCentral::fetchObjects(std::function<void(const QString &error)> done)
{
    // Requests that meet while one enumeration is on its way share its answer.
    m_fetchWaiters.push_back(std::move(done));
    if (m_fetchWaiters.size() > 1)
        return;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kBluez, QStringLiteral("/"), kObjectManager, QStringLiteral("GetManagedObjects"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusMessage reply = w->reply();
        QString error;
        if (auto objects = readObjects(reply)) {
            treeReceived(std::move(*objects));
        } else {
            // BlueZ is not there (or answers nonsense): nothing of it can be used.
            error = reply.errorMessage().isEmpty() ? QStringLiteral("BlueZ gave no object tree") : reply.errorMessage();
            setObjects({}, false);
        }
        for (const auto &waiter : std::exchange(m_fetchWaiters, {}))
            waiter(error);
    });
}

void BluezCentral::whenTreeKnown(std::function<void(const QString &error)> done)
{
    if (!m_treeKnown) {
        fetchObjects(std::move(done));
        return;
    }
    post([done = std::move(done)] { done(QString()); });
}

void BluezCentral::setTreeValue(const QString &path, const QByteArray &value)
{
    const auto object = m_objects.find(path);
    if (object == m_objects.end())
        return;
    const auto found = object->second.find(QLatin1String(kGattCharacteristic));
    if (found != object->second.end())
        found->insert(QStringLiteral("Value"), value);
}

void BluezCentral::setObjects(Objects objects, bool known)
{
    m_objects = std::move(objects);
    m_treeKnown = known;
    reconcile();
}

void BluezCentral::reconcile()
{
    State next = State::unsupported;
    for (const auto &[path, interfaces] : m_objects) {
        const auto adapter = interfaces.constFind(QLatin1String(kAdapter));
        if (adapter == interfaces.constEnd())
            continue;
        if (adapter->value(QStringLiteral("Powered")).toBool()) {
            next = State::poweredOn;
            break;
        }
        next = State::poweredOff;
    }

    if (next != State::poweredOn) {
        // Like a radio switched off: every link of this program is gone without a word.
        for (const auto &p : std::as_const(m_peripherals))
            p->setState(Peripheral::State::disconnected);
    } else {
        for (const auto &p : std::as_const(m_peripherals)) {
            if (p->state() == Peripheral::State::disconnected || isSystemConnected(p->devicePath()))
                continue;
            const bool wasConnecting = p->state() == Peripheral::State::connecting && !p->ownsConnection;
            const bool wasConnected = p->state() == Peripheral::State::connected;
            if (!wasConnecting && !wasConnected)
                continue;
            p->setState(Peripheral::State::disconnected);
            if (wasConnected)
                emit peripheralDisconnected(p, QStringLiteral("the peripheral ended the connection"));
            else
                emit peripheralConnectionFailed(p, QStringLiteral("the peripheral is no longer connected"));
        }
    }

    if (next != m_state) {
        m_state = next;
        emit stateUpdated(next);
    }
}

std::vector<std::shared_ptr<Peripheral>> BluezCentral::retrieveConnectedPeripherals(
    const QList<BluetoothUuid> &services)
{
    // One device can show up once per adapter that holds it (the same address below hci0 and hci1):
    // it is still one peripheral, listed once. It stays on the object it has while that one still
    // qualifies, so a link this program made is not moved to the other adapter's object.
    const bool batteryAsked = services.contains(BluetoothUuid::fromShort(0x180F));
    std::vector<QUuid> order;
    QHash<QUuid, QString> firstPath;
    QSet<QString> qualifying;
    for (const auto &[path, interfaces] : m_objects) {
        const auto device = interfaces.constFind(QLatin1String(kDevice));
        if (device == interfaces.constEnd() || !device->value(QStringLiteral("Connected")).toBool())
            continue;
        const QString address = device->value(QStringLiteral("Address")).toString();
        if (address.isEmpty())
            continue;
        const QStringList uuids = device->value(QStringLiteral("UUIDs")).toStringList();
        // A device whose level BlueZ reports (Battery1, for a headset through its hands-free link) offers
        // the Battery service, whatever services it lists.
        const bool offers = std::any_of(uuids.begin(), uuids.end(), [&](const QString &uuid) {
            return services.contains(BluetoothUuid::fromString(uuid));
        }) || (batteryAsked && interfaces.contains(QLatin1String(kBattery)));
        if (!offers || (m_batteryReportedElsewhere && m_batteryReportedElsewhere(address.toUpper())))
            continue;
        qualifying.insert(path);
        const QUuid identifier = identifierForAddress(address);
        if (!firstPath.contains(identifier)) {
            firstPath.insert(identifier, path);
            order.push_back(identifier);
        }
    }

    std::vector<std::shared_ptr<Peripheral>> out;
    for (const QUuid &identifier : order) {
        auto &peripheral = m_peripherals[identifier];
        if (!peripheral)
            peripheral = std::make_shared<BluezPeripheral>(this, identifier, firstPath.value(identifier));
        else if (!qualifying.contains(peripheral->devicePath()))
            peripheral->setDevicePath(firstPath.value(identifier));
        out.push_back(peripheral);
    }
    return out;
}

void BluezCentral::connectPeripheral(const std::shared_ptr<Peripheral> &peripheral)
{
    BluezPeripheral *p = ours(peripheral);
    if (!p || m_state != State::poweredOn)
        return;
    auto shared = m_peripherals.value(p->identifier());
    switch (p->state()) {
    case Peripheral::State::connected:
        post([this, shared] { emit peripheralConnected(shared); });
        return;
    case Peripheral::State::connecting:
    case Peripheral::State::disconnecting:
        return;
    case Peripheral::State::disconnected:
        break;
    }
    p->setState(Peripheral::State::connecting);

    if (isSystemConnected(p->devicePath())) {
        // The system holds the link already: it becomes this program's as well.
        post([this, shared] {
            if (shared->state() != Peripheral::State::connecting || m_state != State::poweredOn)
                return;
            shared->setState(Peripheral::State::connected);
            emit peripheralConnected(shared);
        });
        return;
    }

    p->ownsConnection = true;
    const QDBusMessage call
        = QDBusMessage::createMethodCall(kBluez, p->devicePath(), QLatin1String(kDevice), QStringLiteral("Connect"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, shared](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        if (shared->state() != Peripheral::State::connecting)
            return;
        const QDBusMessage reply = w->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || m_state != State::poweredOn) {
            shared->setState(Peripheral::State::disconnected);
            emit peripheralConnectionFailed(shared,
                reply.errorMessage().isEmpty() ? QStringLiteral("the connection could not be made")
                                               : reply.errorMessage());
            return;
        }
        shared->setState(Peripheral::State::connected);
        shared->ownsConnection = true;
        emit peripheralConnected(shared);
    });
}

void BluezCentral::cancelPeripheralConnection(const std::shared_ptr<Peripheral> &peripheral)
{
    BluezPeripheral *p = ours(peripheral);
    if (!p || p->state() == Peripheral::State::disconnected)
        return;
    auto shared = m_peripherals.value(p->identifier());
    p->stopNotifications();
    if (p->ownsConnection) {
        // Only a link this program opened is closed; the system's own stay as they are.
        const QDBusMessage call = QDBusMessage::createMethodCall(
            kBluez, p->devicePath(), QLatin1String(kDevice), QStringLiteral("Disconnect"));
        m_bus.asyncCall(call);
    }
    p->setState(Peripheral::State::disconnecting);
    post([this, shared] {
        if (shared->state() != Peripheral::State::disconnecting)
            return;
        shared->setState(Peripheral::State::disconnected);
        emit peripheralDisconnected(shared, QString());
    });
}

void BluezCentral::treeReceived(Objects objects) { setObjects(std::move(objects), true); }

void BluezCentral::interfacesAdded(const QDBusMessage &message)
{
    const QList<QVariant> args = message.arguments();
    if (message.signature() != QLatin1String("oa{sa{sv}}") || args.size() != 2)
        return;
    applyInterfacesAdded(args[0].value<QDBusObjectPath>().path(), readInterfaces(args[1].value<QDBusArgument>()));
}

void BluezCentral::applyInterfacesAdded(const QString &path, const Interfaces &added)
{
    Interfaces &interfaces = m_objects[path];
    for (auto it = added.begin(); it != added.end(); ++it)
        interfaces.insert(it.key(), it.value());
    reconcile();
}

void BluezCentral::interfacesRemoved(const QDBusMessage &message)
{
    const QList<QVariant> args = message.arguments();
    if (message.signature() != QLatin1String("oas") || args.size() != 2)
        return;
    applyInterfacesRemoved(args[0].value<QDBusObjectPath>().path(), args[1].toStringList());
}

void BluezCentral::applyInterfacesRemoved(const QString &path, const QStringList &names)
{
    auto object = m_objects.find(path);
    if (object == m_objects.end())
        return;
    for (const QString &name : names)
        object->second.remove(name);
    if (object->second.isEmpty())
        m_objects.erase(object);
    reconcile();
}

void BluezCentral::propertiesChanged(const QDBusMessage &message)
{
    const QList<QVariant> args = message.arguments();
    if (message.signature() != QLatin1String("sa{sv}as") || args.size() != 3)
        return;
    QVariantMap changed;
    args[1].value<QDBusArgument>() >> changed;
    applyPropertiesChanged(message.path(), args[0].toString(), changed, args[2].toStringList());
}

void BluezCentral::applyPropertiesChanged(
    const QString &path, const QString &name, const QVariantMap &changed, const QStringList &removed)
{
    auto object = m_objects.find(path);
    if (object == m_objects.end())
        return;
    const auto found = object->second.find(name);
    if (found == object->second.end())
        return;
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        found->insert(it.key(), it.value());
    for (const QString &gone : removed)
        found->remove(gone);

    if (name == QLatin1String(kGattCharacteristic)) {
        const QVariant value = changed.value(QStringLiteral("Value"));
        if (value.metaType() == QMetaType::fromType<QByteArray>())
            valueChanged(path, value.toByteArray());
    } else if (name == QLatin1String(kBattery)) {
        if (changed.contains(QStringLiteral("Percentage")))
            valueChanged(path, BluezPeripheral::batteryLevelOf(changed.value(QStringLiteral("Percentage"))));
    } else if (name == QLatin1String(kAdapter) || name == QLatin1String(kDevice)) {
        // Only adapters and devices change the radio or the links; values come far more often.
        reconcile();
    }
}

void BluezCentral::valueChanged(const QString &path, const QByteArray &bytes)
{
    const QList<std::shared_ptr<BluezPeripheral>> peripherals = m_peripherals.values();
    for (const auto &p : peripherals) {
        if (path == p->devicePath())
            p->valueChanged(BluezPeripheral::batteryLevelKeyOf(path), bytes);
        else if (path.startsWith(p->devicePath() + QLatin1Char('/')))
            p->valueChanged(path, bytes);
    }
}

void BluezCentral::bluezAppeared()
{
    fetchObjects([](const QString &) {});
}

void BluezCentral::bluezVanished() { setObjects({}, false); }

} // namespace platform
