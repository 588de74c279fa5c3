#pragma once

#include "platform/bluetooth/bluetoothuuid.h"
#include "platform/bluetooth/gattcharacteristic.h"
#include "platform/bluetooth/gattservice.h"

#include <QList>
#include <QObject>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

/// A Bluetooth Low Energy peripheral as the central sees it. The central makes one object per
/// identifier and keeps it for the process.
///
/// Main thread only. Requests never answer inside the call: each answer is a signal delivered later
/// from the event loop. Requests made while the peripheral is not connected to this program are
/// ignored and never answered. An answer carries an error text, empty on success; a failed read leaves
/// the characteristic's value as it was.
class Peripheral : public QObject, public std::enable_shared_from_this<Peripheral> {
    Q_OBJECT
public:
    enum class State { disconnected = 0, connecting = 1, connected = 2, disconnecting = 3 };
    Q_ENUM(State)

    using Services = std::vector<std::shared_ptr<GattService>>;

    /// What the system knows of the device's kind apart from its services: the icon name it gives the
    /// device (freedesktop names such as "audio-headset"), the GAP Appearance and the Class of Device.
    struct KindHints {
        std::optional<QString> icon;
        std::optional<quint16> appearance;
        std::optional<quint32> deviceClass;
        bool operator==(const KindHints &) const = default;
    };

    explicit Peripheral(QObject *parent = nullptr);
    ~Peripheral() override;

    /// Stable for the peripheral.
    virtual QUuid identifier() const = 0;
    /// The identifier as upper-case text with hyphens (36 characters).
    QString identifierString() const;
    virtual std::optional<QString> name() const = 0;
    /// The state of this program's connection (a peripheral the system holds is disconnected here
    /// until this program connects).
    virtual State state() const = 0;
    /// What the system tells of the device's kind, read when asked; none by default.
    virtual KindHints kindHints() const { return {}; }
    /// The services of the last discovery; empty (no list) before the first and after a disconnection.
    virtual std::optional<Services> services() const = 0;

    /// Discovers the given services (all when the list is empty); answered by servicesDiscovered.
    virtual void discoverServices(const QList<BluetoothUuid> &services) = 0;
    /// Discovers the given characteristics of one service (all when empty); answered by
    /// characteristicsDiscovered.
    virtual void discoverCharacteristics(
        const QList<BluetoothUuid> &characteristics, const std::shared_ptr<GattService> &service)
        = 0;
    /// Reads a characteristic; answered by valueUpdated.
    virtual void readValue(const std::shared_ptr<GattCharacteristic> &characteristic) = 0;

signals:
    void servicesDiscovered(const std::shared_ptr<platform::Peripheral> &peripheral, const QString &error);
    void characteristicsDiscovered(const std::shared_ptr<platform::Peripheral> &peripheral,
        const std::shared_ptr<platform::GattService> &service, const QString &error);
    void valueUpdated(const std::shared_ptr<platform::Peripheral> &peripheral,
        const std::shared_ptr<platform::GattCharacteristic> &characteristic, const QString &error);
    void servicesModified(const std::shared_ptr<platform::Peripheral> &peripheral);
};

} // namespace platform

Q_DECLARE_METATYPE(std::shared_ptr<platform::Peripheral>)
Q_DECLARE_METATYPE(std::shared_ptr<platform::GattService>)
Q_DECLARE_METATYPE(std::shared_ptr<platform::GattCharacteristic>)
