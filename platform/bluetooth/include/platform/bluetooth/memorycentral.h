#pragma once

#include "platform/bluetooth/central.h"

#include <QHash>
#include <QUuid>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

class MemoryPeripheral;

/// A central whose radio and peripherals are scripted: each peripheral has a GATT database (services,
/// characteristics and the bytes a read gives) and is either connected to the system (listed by
/// retrieveConnectedPeripherals) or only reachable by advertisements. Like a real radio it answers
/// through the event loop; isIdle() tells when nothing is waiting.
///
/// Powering off drops every connection of this program without disconnection events (the peripherals
/// simply read as disconnected); requests made while off or not connected are ignored and counted.
class MemoryCentral final : public Central {
    Q_OBJECT
public:
    struct Characteristic {
        BluetoothUuid uuid;
        /// What a read gives; empty makes every read fail.
        std::optional<QByteArray> value;
    };
    struct Service {
        BluetoothUuid uuid;
        std::vector<Characteristic> characteristics;
    };
    struct PeripheralSpec {
        QUuid identifier;
        std::optional<QString> name;
        std::vector<Service> services;
        /// Connected to the system (listed by retrieveConnectedPeripherals).
        bool systemConnected = true;
        /// What the system tells of the device's kind.
        Peripheral::KindHints kind = {};
    };

    explicit MemoryCentral(State state = State::poweredOn, QObject *parent = nullptr);
    ~MemoryCentral() override;

    State state() const override { return m_state; }
    std::vector<std::shared_ptr<Peripheral>> retrieveConnectedPeripherals(
        const QList<BluetoothUuid> &services) override;
    void connectPeripheral(const std::shared_ptr<Peripheral> &peripheral) override;
    void cancelPeripheralConnection(const std::shared_ptr<Peripheral> &peripheral) override;

    /// Loads the "peripherals" section of a machine fixture (a document without it adds nothing); all or
    /// nothing, throws DecodingError. The format is described in docs/decisions.md.
    void loadFixture(const Value &document);
    void loadFixtureFile(const QString &path);

    // Script.
    /// Changes the radio's state at once and reports it through the event loop.
    void setState(State state);
    /// Adds a peripheral, or replaces the name and database of a known identifier (same object).
    std::shared_ptr<Peripheral> addPeripheral(PeripheralSpec spec);
    /// The system loses the peripheral: it is no longer listed, and this program's connection ends with
    /// a disconnection event. The object stays known.
    void removePeripheral(const QUuid &identifier);
    std::shared_ptr<Peripheral> peripheral(const QUuid &identifier) const;
    /// What later reads of a characteristic give (empty: reads fail).
    void setValue(const QUuid &identifier, const BluetoothUuid &service, const BluetoothUuid &characteristic,
        std::optional<QByteArray> value);
    /// Connection attempts to the peripheral fail.
    void setConnectionFails(const QUuid &identifier, bool fails = true);
    /// Connection attempts stay pending until completeHeldConnections().
    void setHoldConnections(bool hold);
    void completeHeldConnections();
    /// The peripheral drops this program's connection.
    void dropConnection(const QUuid &identifier);
    /// Delivers an advertisement of a known peripheral.
    void advertise(const QUuid &identifier, const Value &advertisementData, int rssi = -60);

    // Observation.
    /// True when no answer or event is waiting in the event loop.
    bool isIdle() const { return m_pending == 0; }
    int retrieveCount() const { return m_retrieves; }
    /// Per peripheral: connection requests, cancellations, service discoveries, characteristic discoveries
    /// and reads asked for (ignored requests included).
    struct Requests {
        int connects = 0;
        int cancels = 0;
        int serviceDiscoveries = 0;
        int characteristicDiscoveries = 0;
        int reads = 0;
    };
    Requests requests(const QUuid &identifier) const { return m_requests.value(identifier); }
    /// Requests made while off or not connected, which no real radio would answer.
    int ignoredRequests() const { return m_ignored; }
    void resetCounters();

private:
    friend class MemoryPeripheral;

    // Runs `event` later from the event loop, counting it as pending until then.
    void post(std::function<void()> event);
    MemoryPeripheral *memoryPeripheral(const std::shared_ptr<Peripheral> &peripheral) const;
    void finishConnect(const std::shared_ptr<MemoryPeripheral> &peripheral);

    State m_state;
    std::vector<std::shared_ptr<MemoryPeripheral>> m_peripherals; // in the order they were added
    std::vector<std::weak_ptr<MemoryPeripheral>> m_held;
    bool m_holdConnections = false;
    int m_pending = 0;
    int m_retrieves = 0;
    int m_ignored = 0;
    QHash<QUuid, Requests> m_requests;
};

} // namespace platform
