#pragma once

#include "platform/bluetooth/memorycentral.h"
#include "platform/bluetooth/peripheral.h"

#include <QPointer>

namespace platform {

/// A peripheral of MemoryCentral: the central scripts it, it answers through the central's event queue.
class MemoryPeripheral final : public Peripheral {
    Q_OBJECT
public:
    MemoryPeripheral(MemoryCentral *central, MemoryCentral::PeripheralSpec spec);

    QUuid identifier() const override { return m_spec.identifier; }
    std::optional<QString> name() const override { return m_spec.name; }
    KindHints kindHints() const override { return m_spec.kind; }
    State state() const override { return m_state; }
    std::optional<Services> services() const override { return m_services; }

    void discoverServices(const QList<BluetoothUuid> &services) override;
    void discoverCharacteristics(
        const QList<BluetoothUuid> &characteristics, const std::shared_ptr<GattService> &service) override;
    void readValue(const std::shared_ptr<GattCharacteristic> &characteristic) override;

    // Used by the central.
    MemoryCentral::PeripheralSpec &spec() { return m_spec; }
    const MemoryCentral::PeripheralSpec &spec() const { return m_spec; }
    void setState(State state);
    bool offers(const QList<BluetoothUuid> &services) const;
    bool connectionFails = false;

private:
    bool acceptsRequests() const;
    std::shared_ptr<MemoryPeripheral> self();
    const MemoryCentral::Service *databaseService(const BluetoothUuid &uuid) const;

    QPointer<MemoryCentral> m_central;
    MemoryCentral::PeripheralSpec m_spec;
    State m_state = State::disconnected;
    std::optional<Services> m_services;
    // Discovered objects are kept per identifier, so repeated discoveries hand out the same objects.
    std::map<QString, std::shared_ptr<GattService>> m_serviceObjects;
    std::map<QString, std::shared_ptr<GattCharacteristic>> m_characteristicObjects;
};

} // namespace platform
