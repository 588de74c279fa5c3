#include "bluezperipheral_p.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

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

void BluezPeripheral::setState(State state)
{
    m_state = state;
    if (state == State::disconnected) {
        // Everything discovered belongs to the link that is gone.
        m_services.reset();
        m_serviceObjects.clear();
        m_characteristicObjects.clear();
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
    m_central->fetchObjects([this, keep = self(), wanted](const QString &error) {
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
    m_central->fetchObjects([this, keep = self(), wanted, service, servicePath](const QString &error) {
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
            for (const auto &[path, interfaces] : m_central->m_objects) {
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

void BluezPeripheral::readValue(const std::shared_ptr<GattCharacteristic> &characteristic)
{
    if (!acceptsRequests() || !characteristic)
        return;
    const QString path = keyOf(m_characteristicObjects, characteristic.get());
    if (path.isEmpty())
        return;

    const bool fromBattery = path == batteryLevelKey(m_devicePath);
    QDBusMessage call;
    if (fromBattery) {
        call = QDBusMessage::createMethodCall(
            kBluez, m_devicePath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        call << QLatin1String(kBattery) << QStringLiteral("Percentage");
    } else {
        call = QDBusMessage::createMethodCall(
            kBluez, path, QLatin1String(kGattCharacteristic), QStringLiteral("ReadValue"));
        call << QVariantMap();
    }
    auto *watcher = new QDBusPendingCallWatcher(m_central->m_bus.asyncCall(call), m_central);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, keep = self(), characteristic, fromBattery](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            if (!acceptsRequests())
                return;
            const QDBusMessage reply = w->reply();
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                emit valueUpdated(keep, characteristic,
                    reply.errorMessage().isEmpty() ? QStringLiteral("the characteristic could not be read")
                                                   : reply.errorMessage());
                return;
            }
            QByteArray bytes;
            if (fromBattery) {
                // Percentage is one byte, as the Battery Level characteristic is.
                const QVariant percentage = reply.arguments().front().value<QDBusVariant>().variant();
                bool ok = false;
                const uint level = percentage.toUInt(&ok);
                if (!ok) {
                    emit valueUpdated(keep, characteristic, QStringLiteral("the battery gave no percentage"));
                    return;
                }
                bytes.append(static_cast<char>(std::min(level, 255u)));
            } else {
                const QVariant value = reply.arguments().front();
                if (value.metaType() != QMetaType::fromType<QByteArray>()) {
                    emit valueUpdated(keep, characteristic, QStringLiteral("the characteristic gave no bytes"));
                    return;
                }
                bytes = value.toByteArray();
            }
            characteristic->setValue(bytes);
            emit valueUpdated(keep, characteristic, QString());
        });
}

} // namespace platform
