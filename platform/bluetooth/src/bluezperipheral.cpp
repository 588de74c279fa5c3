#include "bluezperipheral_p.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include "platform/core/clock.h"

namespace platform {

namespace {
    const QString kBluez = QStringLiteral("org.bluez");
    const char *const kGattService = "org.bluez.GattService1";
    const char *const kGattCharacteristic = "org.bluez.GattCharacteristic1";
    const char *const kBattery = "org.bluez.Battery1";

    // The Battery service of a device whose battery BlueZ reads itself has no object of its own; these
    // keys stand for it and its level, and can never be object paths.
    QString batteryServiceKey(const QString &devicePath) { return devicePath + QStringLiteral("#battery"); }
    QString batteryLevelKey(const QString &devicePath) { return devicePath + QStringLiteral("#battery#level"); }

    const BluetoothUuid &batteryService()
    {
        static const BluetoothUuid uuid = BluetoothUuid::fromShort(0x180F);
        return uuid;
    }
    const BluetoothUuid &batteryLevel()
    {
        static const BluetoothUuid uuid = BluetoothUuid::fromShort(0x2A19);
        return uuid;
    }

    // Whether the GATT object at `path` belongs to `owner` (a device or a service), by the property
    // that names its owner or, without it, by its place in the tree.
    bool belongsTo(const QString &path, const QVariantMap &properties, const char *ownerKey, const QString &owner)
    {
        const QVariant named = properties.value(QLatin1String(ownerKey));
        if (named.canConvert<QDBusObjectPath>())
            return named.value<QDBusObjectPath>().path() == owner;
        return path.startsWith(owner + QLatin1Char('/'));
    }
}

BluezPeripheral::BluezPeripheral(BluezCentral *central, QUuid identifier, QString devicePath)
    : m_central(central)
    , m_identifier(identifier)
    , m_devicePath(std::move(devicePath))
{
}

std::shared_ptr<BluezPeripheral> BluezPeripheral::self()
{
    return std::static_pointer_cast<BluezPeripheral>(shared_from_this());
}

std::optional<QString> BluezPeripheral::name() const
{
    // Alias is the name the user sees (their own when they renamed the device); without a Name of its
    // own BlueZ makes the Alias up from the address, which is no name.
    const QVariantMap *device = m_central ? m_central->interface(m_devicePath, "org.bluez.Device1") : nullptr;
    if (!device || !device->contains(QStringLiteral("Name")))
        return std::nullopt;
    const QString alias = device->value(QStringLiteral("Alias")).toString();
    return alias.isEmpty() ? device->value(QStringLiteral("Name")).toString() : alias;
}

Peripheral::KindHints BluezPeripheral::kindHints() const
{
    // BlueZ's types: Icon s, Appearance q, Class u; a value of another type says nothing.
    const QVariantMap *device = m_central ? m_central->interface(m_devicePath, "org.bluez.Device1") : nullptr;
    if (!device)
        return {};
    KindHints hints;
    if (const QVariant icon = device->value(QStringLiteral("Icon")); icon.typeId() == QMetaType::QString)
        hints.icon = icon.toString();
    if (const QVariant appearance = device->value(QStringLiteral("Appearance"));
        appearance.typeId() == QMetaType::UShort)
        hints.appearance = appearance.value<quint16>();
    if (const QVariant cod = device->value(QStringLiteral("Class")); cod.typeId() == QMetaType::UInt)
        hints.deviceClass = cod.value<quint32>();
    return hints;
}

void BluezPeripheral::setState(State state)
{
    m_state = state;
    if (state == State::disconnected) {
        // Everything discovered belongs to the link that is gone.
        m_services.reset();
        m_serviceObjects.clear();
        m_characteristicObjects.clear();
        m_readings.clear();
        ownsConnection = false;
    }
}

bool BluezPeripheral::acceptsRequests() const
{
    return m_central && m_central->state() == Central::State::poweredOn && m_state == State::connected;
}

template <typename T>
QString BluezPeripheral::keyOf(const std::map<QString, std::shared_ptr<T>> &objects, const T *object)
{
    for (const auto &[key, candidate] : objects) {
        if (candidate.get() == object)
            return key;
    }
    return {};
}

std::shared_ptr<GattService> BluezPeripheral::serviceObject(const QString &key, const BluetoothUuid &uuid)
{
    auto &object = m_serviceObjects[key];
    if (!object || object->uuid() != uuid)
        object = std::make_shared<GattService>(uuid);
    return object;
}

std::shared_ptr<GattCharacteristic> BluezPeripheral::characteristicObject(
    const QString &key, const BluetoothUuid &uuid, const std::shared_ptr<GattService> &service)
{
    auto &object = m_characteristicObjects[key];
    if (!object || object->uuid() != uuid || object->service() != service)
        object = std::make_shared<GattCharacteristic>(uuid, service);
    return object;
}

void BluezPeripheral::discoverServices(const QList<BluetoothUuid> &wanted)
{
    if (!acceptsRequests())
        return;
    m_central->whenTreeKnown([this, keep = self(), wanted](const QString &error) {
        if (!acceptsRequests())
            return;
        if (!error.isEmpty()) {
            emit servicesDiscovered(keep, error);
            return;
        }
        Services found;
        bool gattBattery = false;
        for (const auto &[path, interfaces] : m_central->m_objects) {
            const auto service = interfaces.constFind(QLatin1String(kGattService));
            if (service == interfaces.constEnd() || !belongsTo(path, *service, "Device", m_devicePath))
                continue;
            const BluetoothUuid uuid = BluetoothUuid::fromString(service->value(QStringLiteral("UUID")).toString());
            if (uuid.isNull())
                continue;
            gattBattery = gattBattery || uuid == batteryService();
            if (wanted.isEmpty() || wanted.contains(uuid))
                found.push_back(serviceObject(path, uuid));
        }
        if (!gattBattery && m_central->interface(m_devicePath, kBattery)
            && (wanted.isEmpty() || wanted.contains(batteryService())))
            found.push_back(serviceObject(batteryServiceKey(m_devicePath), batteryService()));
        m_services = std::move(found);
        emit servicesDiscovered(keep, QString());
    });
}

void BluezPeripheral::discoverCharacteristics(
    const QList<BluetoothUuid> &wanted, const std::shared_ptr<GattService> &service)
{
    if (!acceptsRequests() || !service)
        return;
    const QString servicePath = keyOf(m_serviceObjects, service.get());
    if (servicePath.isEmpty())
        return;
    m_central->whenTreeKnown([this, keep = self(), wanted, service, servicePath](const QString &error) {
        if (!acceptsRequests())
            return;
        if (!error.isEmpty()) {
            emit characteristicsDiscovered(keep, service, error);
            return;
        }
        std::vector<std::shared_ptr<GattCharacteristic>> found;
        if (servicePath == batteryServiceKey(m_devicePath)) {
            if (m_central->interface(m_devicePath, kBattery) && (wanted.isEmpty() || wanted.contains(batteryLevel())))
                found.push_back(characteristicObject(batteryLevelKey(m_devicePath), batteryLevel(), service));
        } else {
            // The characteristics of one service sit below it in the tree, which is sorted by path.
            const auto &objects = m_central->m_objects;
            for (auto it = objects.lower_bound(servicePath); it != objects.end(); ++it) {
                const auto &[path, interfaces] = *it;
                if (path != servicePath && !path.startsWith(servicePath + QLatin1Char('/')))
                    break;
                const auto c = interfaces.constFind(QLatin1String(kGattCharacteristic));
                if (c == interfaces.constEnd() || !belongsTo(path, *c, "Service", servicePath))
                    continue;
                const BluetoothUuid uuid = BluetoothUuid::fromString(c->value(QStringLiteral("UUID")).toString());
                if (!uuid.isNull() && (wanted.isEmpty() || wanted.contains(uuid)))
                    found.push_back(characteristicObject(path, uuid, service));
            }
        }
        service->setCharacteristics(std::move(found));
        emit characteristicsDiscovered(keep, service, QString());
    });
}

QString BluezPeripheral::batteryLevelKeyOf(const QString &devicePath) { return batteryLevelKey(devicePath); }

QByteArray BluezPeripheral::batteryLevelOf(const QVariant &percentage)
{
    // BlueZ gives a byte; anything else (another type, or a byte above 100) is no percentage, and reads as
    // the byte 255, which no Battery Level is.
    if (percentage.typeId() == QMetaType::UChar && percentage.value<uchar>() <= 100)
        return QByteArray(1, static_cast<char>(percentage.value<uchar>()));
    return QByteArray(1, static_cast<char>(0xFF));
}

void BluezPeripheral::readValue(const std::shared_ptr<GattCharacteristic> &characteristic)
{
    if (!acceptsRequests() || !characteristic)
        return;
    const QString key = keyOf(m_characteristicObjects, characteristic.get());
    if (key.isEmpty())
        return;

    if (key == batteryLevelKey(m_devicePath)) {
        // BlueZ reads this battery itself and keeps its Percentage current: nothing goes over the air.
        answerFromTree(characteristic, key);
        return;
    }

    const QVariantMap *properties = m_central->interface(key, kGattCharacteristic);
    if (!properties) {
        post([this, keep = self(), characteristic] {
            if (acceptsRequests())
                emit valueUpdated(keep, characteristic, QStringLiteral("the characteristic is gone"));
        });
        return;
    }
    Reading &reading = m_readings[key];
    if (reading.inFlight)
        return; // the answer on its way answers this request too
    if (reading.notify == Reading::Notify::unasked) {
        const QStringList flags = properties->value(QStringLiteral("Flags")).toStringList();
        const bool notifies
            = flags.contains(QStringLiteral("notify")) || flags.contains(QStringLiteral("indicate"));
        reading.notify = notifies ? Reading::Notify::asking : Reading::Notify::refused;
        if (notifies)
            startNotifications(key);
    }

    const bool subscribed = reading.notify == Reading::Notify::asking || reading.notify == Reading::Notify::on;
    const auto now = Clock::current().sinceEpoch();
    const bool recent = now - reading.readAt < std::chrono::minutes(1);
    if (reading.known && properties->value(QStringLiteral("Value")).metaType() == QMetaType::fromType<QByteArray>()
        && (subscribed || recent)) {
        answerFromTree(characteristic, key);
        return;
    }
    readOverTheAir(key, characteristic);
}

void BluezPeripheral::post(std::function<void()> event) { m_central->post(std::move(event)); }

void BluezPeripheral::answerFromTree(const std::shared_ptr<GattCharacteristic> &characteristic, const QString &key)
{
    post([this, keep = self(), characteristic, key] {
        if (!acceptsRequests())
            return;
        std::optional<QByteArray> bytes;
        QString error;
        if (key == batteryLevelKey(m_devicePath)) {
            const QVariantMap *battery = m_central->interface(m_devicePath, kBattery);
            if (battery)
                bytes = batteryLevelOf(battery->value(QStringLiteral("Percentage")));
            else
                error = QStringLiteral("the battery gave no percentage");
        } else if (const QVariantMap *properties = m_central->interface(key, kGattCharacteristic)) {
            const QVariant value = properties->value(QStringLiteral("Value"));
            if (value.metaType() == QMetaType::fromType<QByteArray>())
                bytes = value.toByteArray();
            else
                error = QStringLiteral("the characteristic gave no bytes");
        } else {
            error = QStringLiteral("the characteristic is gone");
        }
        if (bytes)
            characteristic->setValue(*bytes);
        emit valueUpdated(keep, characteristic, error);
    });
}

void BluezPeripheral::readOverTheAir(const QString &path, const std::shared_ptr<GattCharacteristic> &characteristic)
{
    m_readings[path].inFlight = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kBluez, path, QLatin1String(kGattCharacteristic), QStringLiteral("ReadValue"));
    call << QVariantMap();
    auto *watcher = new QDBusPendingCallWatcher(m_central->m_bus.asyncCall(call), m_central);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, keep = self(), characteristic, path](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            if (!acceptsRequests())
                return;
            const auto reading = m_readings.find(path);
            if (reading == m_readings.end())
                return; // the link this read belonged to is gone
            reading->second.inFlight = false;
            const QDBusMessage reply = w->reply();
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                emit valueUpdated(keep, characteristic,
                    reply.errorMessage().isEmpty() ? QStringLiteral("the characteristic could not be read")
                                                   : reply.errorMessage());
                return;
            }
            const QVariant value = reply.arguments().front();
            if (value.metaType() != QMetaType::fromType<QByteArray>()) {
                emit valueUpdated(keep, characteristic, QStringLiteral("the characteristic gave no bytes"));
                return;
            }
            const QByteArray bytes = value.toByteArray();
            reading->second.known = true;
            reading->second.readAt = Clock::current().sinceEpoch();
            // BlueZ keeps what it read as the Value; so does the tree here, for the next reads.
            m_central->setTreeValue(path, bytes);
            characteristic->setValue(bytes);
            emit valueUpdated(keep, characteristic, QString());
        });
}

void BluezPeripheral::startNotifications(const QString &path)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kBluez, path, QLatin1String(kGattCharacteristic), QStringLiteral("StartNotify"));
    auto *watcher = new QDBusPendingCallWatcher(m_central->m_bus.asyncCall(call), m_central);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, path](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const auto reading = m_readings.find(path);
        if (reading == m_readings.end() || reading->second.notify != Reading::Notify::asking)
            return;
        // Without notifications the value is read over the air again, once a minute at most.
        reading->second.notify
            = w->reply().type() == QDBusMessage::ReplyMessage ? Reading::Notify::on : Reading::Notify::refused;
    });
}

void BluezPeripheral::stopNotifications()
{
    if (!m_central)
        return;
    for (const auto &[path, reading] : m_readings) {
        if (reading.notify == Reading::Notify::asking || reading.notify == Reading::Notify::on)
            m_central->m_bus.asyncCall(QDBusMessage::createMethodCall(
                kBluez, path, QLatin1String(kGattCharacteristic), QStringLiteral("StopNotify")));
    }
    m_readings.clear();
}

void BluezPeripheral::valueChanged(const QString &key, const QByteArray &bytes)
{
    const auto object = m_characteristicObjects.find(key);
    if (object == m_characteristicObjects.end() || !acceptsRequests())
        return;
    if (key != batteryLevelKey(m_devicePath))
        m_readings[key].known = true;
    const std::shared_ptr<GattCharacteristic> characteristic = object->second;
    if (characteristic->value() == bytes)
        return;
    // A notification: told like the answer to a read, as it comes.
    characteristic->setValue(bytes);
    emit valueUpdated(self(), characteristic, QString());
}

} // namespace platform
