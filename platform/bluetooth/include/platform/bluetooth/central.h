#pragma once

#include "platform/bluetooth/peripheral.h"
#include "platform/core/value.h"

#include <QList>
#include <QObject>

#include <memory>
#include <vector>

namespace platform {

/// Keys of the advertisement data that peripheralDiscovered carries.
inline constexpr auto kAdvertisementIsConnectable = "isConnectable"; // integer 1 when connectable
inline constexpr auto kAdvertisementManufacturerData = "manufacturerData"; // data, vendor id little-endian first

/// The central role of Bluetooth Low Energy: the peripherals the system has connected, and this
/// program's own connections to them. The program never scans, subscribes or writes.
///
/// Main thread only. Every answer and every event is a signal delivered later from the event loop,
/// never inside the call that caused it.
class Central : public QObject {
    Q_OBJECT
public:
    /// The radio's state; the numbers are part of the interface.
    enum class State { unknown = 0, resetting = 1, unsupported = 2, unauthorized = 3, poweredOff = 4, poweredOn = 5 };
    Q_ENUM(State)

    explicit Central(QObject *parent = nullptr);
    ~Central() override;

    virtual State state() const = 0;
    /// The peripherals connected to the system that offer at least one of `services`, answered at once.
    /// Each identifier always gives the same object.
    virtual std::vector<std::shared_ptr<Peripheral>> retrieveConnectedPeripherals(const QList<BluetoothUuid> &services)
        = 0;
    /// Connects this program to the peripheral; answered by peripheralConnected or
    /// peripheralConnectionFailed. Ignored unless the radio is on.
    virtual void connectPeripheral(const std::shared_ptr<Peripheral> &peripheral) = 0;
    /// Ends this program's connection or connection attempt; answered by peripheralDisconnected.
    virtual void cancelPeripheralConnection(const std::shared_ptr<Peripheral> &peripheral) = 0;

    /// The central of the process: the one installed last by a ScopedCentral, else the machine's own
    /// (a BluezCentral on the system bus, made on first use).
    static Central &current();

signals:
    void stateUpdated(platform::Central::State state);
    void peripheralConnected(const std::shared_ptr<platform::Peripheral> &peripheral);
    void peripheralConnectionFailed(const std::shared_ptr<platform::Peripheral> &peripheral, const QString &error);
    /// Also sent when the peripheral or the system ends the connection.
    void peripheralDisconnected(const std::shared_ptr<platform::Peripheral> &peripheral, const QString &error);
    /// An advertisement; the data is a dictionary with the kAdvertisement… keys it carries.
    void peripheralDiscovered(
        const std::shared_ptr<platform::Peripheral> &peripheral, const platform::Value &advertisementData, int rssi);
};

/// Makes `central` the current one for the guard's lifetime, then restores the previous one.
class ScopedCentral {
public:
    explicit ScopedCentral(Central &central);
    ~ScopedCentral();
    ScopedCentral(const ScopedCentral &) = delete;
    ScopedCentral &operator=(const ScopedCentral &) = delete;

private:
    Central *m_previous;
};

} // namespace platform
