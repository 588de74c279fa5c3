#pragma once

#include "fennic/iiokitcontroller.h"
#include "fennic/ilowenergyfinder.h"
#include "platform/bluetooth/central.h"

#include <QObject>
#include <QHash>
#include <QSet>

#include <memory>
#include <vector>

namespace fennic {

/// Keeps a record for each Low Energy peripheral the system has connected that offers the Battery or
/// Device Information service, connects to each, and re-reads the battery characteristics on every
/// poll (levels are pulled, never subscribed to). A record without a sign of life for more than 5
/// seconds is dropped.
///
/// Main thread only; the central's answers arrive from the event loop, so a poll's readings land in
/// the records a few callbacks after refresh() returns.
class LowEnergyFinder final : public QObject, public ILowEnergyFinder {
    Q_OBJECT
public:
    /// The central must outlive the finder. Without a HID controller the finder makes an IOKitController
    /// on the current registry. The delegate hears the radio's state once after creation, from the event
    /// loop, as a newly created central manager would report it.
    explicit LowEnergyFinder(platform::Central &central = platform::Central::current(),
        std::unique_ptr<IIOKitController> ioKitController = nullptr, QObject *parent = nullptr);
    ~LowEnergyFinder() override;

    std::shared_ptr<LowEnergyDelegate> delegate() const override { return m_delegate.lock(); }
    void setDelegate(std::weak_ptr<LowEnergyDelegate> delegate) override { m_delegate = std::move(delegate); }
    bool isPoweredOn() const override;
    const std::vector<std::shared_ptr<LowEnergyDevice>> &devices() const override { return m_devices; }
    void refresh() override;
    void find() override;
    void disconnectAll() override;
    void connectDevice(const std::shared_ptr<LowEnergyDevice> &device) override;
    void removeDevice(const std::shared_ptr<LowEnergyDevice> &device) override;

    /// Connects unless a connection was already asked for or the peripheral is not disconnected.
    void connectPeripheral(const std::shared_ptr<platform::Peripheral> &peripheral);
    /// Drops records silent for more than 5 seconds, then tells the delegate in any case.
    void removeStaleDevices();

    /// Peripherals whose connection was asked for and not yet answered.
    const std::vector<std::shared_ptr<platform::Peripheral>> &connectingPeripherals() const
    {
        return m_connectingPeripherals;
    }
    /// Identifiers of peripherals whose connection failed (until disconnectAll()).
    const QSet<QString> &failedDevices() const { return m_failedDevices; }

private:
    void stateUpdated(platform::Central::State state);
    void peripheralConnected(const std::shared_ptr<platform::Peripheral> &peripheral);
    void peripheralConnectionFailed(const std::shared_ptr<platform::Peripheral> &peripheral, const QString &error);
    void peripheralDisconnected(const std::shared_ptr<platform::Peripheral> &peripheral, const QString &error);
    void peripheralDiscovered(
        const std::shared_ptr<platform::Peripheral> &peripheral, const platform::Value &advertisementData, int rssi);
    void servicesDiscovered(const std::shared_ptr<platform::Peripheral> &peripheral, const QString &error);
    void characteristicsDiscovered(const std::shared_ptr<platform::Peripheral> &peripheral,
        const std::shared_ptr<platform::GattService> &service, const QString &error);
    void valueUpdated(const std::shared_ptr<platform::Peripheral> &peripheral,
        const std::shared_ptr<platform::GattCharacteristic> &characteristic, const QString &error);

    std::shared_ptr<LowEnergyDevice> recordWithSerial(const QString &identifier) const;
    void removeRecordsOf(const platform::Peripheral &peripheral);
    void removeFirstConnecting(const std::shared_ptr<platform::Peripheral> &peripheral);
    void tellDevicesChanged();

    std::vector<std::shared_ptr<LowEnergyDevice>> m_devices;
    // The first record of each serial, for recordWithSerial; stale whenever the list changes.
    mutable QHash<QString, std::weak_ptr<LowEnergyDevice>> m_index;
    mutable bool m_indexStale = true;
    std::unique_ptr<IIOKitController> m_ioKitController;
    platform::Central &m_central;
    std::vector<std::shared_ptr<platform::Peripheral>> m_connectingPeripherals;
    QSet<QString> m_failedDevices;
    double m_lastUpdate;
    std::weak_ptr<LowEnergyDelegate> m_delegate;
};

} // namespace fennic
