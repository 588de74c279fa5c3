#pragma once

#include "platform/bluetooth/bluezcentral.h"
#include "platform/bluetooth/peripheral.h"

#include <QPointer>

#include <chrono>
#include <map>

namespace platform {

/// A peripheral of BluezCentral: one org.bluez.Device1, found again by its identifier when BlueZ
/// moves it to another object path.
class BluezPeripheral final : public Peripheral {
    Q_OBJECT
public:
    BluezPeripheral(BluezCentral *central, QUuid identifier, QString devicePath);

    QUuid identifier() const override { return m_identifier; }
    std::optional<QString> name() const override;
    KindHints kindHints() const override;
    State state() const override { return m_state; }
    std::optional<Services> services() const override { return m_services; }

    void discoverServices(const QList<BluetoothUuid> &services) override;
    void discoverCharacteristics(
        const QList<BluetoothUuid> &characteristics, const std::shared_ptr<GattService> &service) override;
    void readValue(const std::shared_ptr<GattCharacteristic> &characteristic) override;

    // Used by the central.
    const QString &devicePath() const { return m_devicePath; }
    void setDevicePath(const QString &path) { m_devicePath = path; }
    void setState(State state);
    /// Whether this program opened the link (the system did not hold it), so cancelling closes it.
    bool ownsConnection = false;
    /// BlueZ changed a value in its tree: a characteristic this peripheral handed out takes it and tells.
    void valueChanged(const QString &key, const QByteArray &bytes);
    /// Ends the notifications this peripheral asked for while the link stays.
    void stopNotifications();
    static QString batteryLevelKeyOf(const QString &devicePath);
    /// The Battery Level bytes of a Battery1 Percentage: the percentage when it is a byte from 0 to 100,
    /// else 255, which is no level.
    static QByteArray batteryLevelOf(const QVariant &percentage);

private:
    bool acceptsRequests() const;
    std::shared_ptr<BluezPeripheral> self();
    template <typename T> static QString keyOf(const std::map<QString, std::shared_ptr<T>> &objects, const T *object);
    std::shared_ptr<GattService> serviceObject(const QString &key, const BluetoothUuid &uuid);
    std::shared_ptr<GattCharacteristic> characteristicObject(
        const QString &key, const BluetoothUuid &uuid, const std::shared_ptr<GattService> &service);

    // How a characteristic's reads are answered. A value is known once it came over the air or from
    // BlueZ's tree after the link was made; then reads are answered from the tree, which notifications
    // keep current. One that cannot notify goes over the air again once its value is a minute old.
    struct Reading {
        bool known = false;
        bool inFlight = false;
        enum class Notify { unasked, asking, on, refused } notify = Notify::unasked;
        std::chrono::milliseconds readAt { 0 };
    };
    void post(std::function<void()> event);
    void readOverTheAir(const QString &path, const std::shared_ptr<GattCharacteristic> &characteristic);
    void answerFromTree(const std::shared_ptr<GattCharacteristic> &characteristic, const QString &key);
    void startNotifications(const QString &path);

    QPointer<BluezCentral> m_central;
    std::map<QString, Reading> m_readings;
    QUuid m_identifier;
    QString m_devicePath;
    State m_state = State::disconnected;
    std::optional<Services> m_services;
    // Discovered objects by object path (or the key of the service BlueZ keeps to itself), so repeated
    // discoveries hand out the same objects.
    std::map<QString, std::shared_ptr<GattService>> m_serviceObjects;
    std::map<QString, std::shared_ptr<GattCharacteristic>> m_characteristicObjects;
};

} // namespace platform
