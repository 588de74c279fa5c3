#include "fennic/lowenergyfinder.h"

#include "fennic/iokitcontroller.h"
#include "fennic/lowenergypersistency.h"
#include "fennic/manufacturers.h"
#include "fennic/uuid.h"
#include "platform/core/clock.h"

#include <olvane/mobiledevices.h>

#include <QStringDecoder>

#include <algorithm>

namespace fennic {

using platform::Central;
using platform::Peripheral;

namespace {
    double now() { return platform::Clock::current().timestamp(); }

    std::optional<QString> utf8Text(const QByteArray &bytes)
    {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    }
}

LowEnergyFinder::LowEnergyFinder(
    platform::Central &central, std::unique_ptr<IIOKitController> ioKitController, QObject *parent)
    : QObject(parent)
    , m_ioKitController(ioKitController ? std::move(ioKitController) : std::make_unique<IOKitController>())
    , m_central(central)
    , m_lastUpdate(now())
{
    connect(&m_central, &Central::stateUpdated, this, &LowEnergyFinder::stateUpdated);
    connect(&m_central, &Central::peripheralConnected, this, &LowEnergyFinder::peripheralConnected);
    connect(&m_central, &Central::peripheralConnectionFailed, this, &LowEnergyFinder::peripheralConnectionFailed);
    connect(&m_central, &Central::peripheralDisconnected, this, &LowEnergyFinder::peripheralDisconnected);
    connect(&m_central, &Central::peripheralDiscovered, this, &LowEnergyFinder::peripheralDiscovered);
    QMetaObject::invokeMethod(
        this, [this] { stateUpdated(m_central.state()); }, Qt::QueuedConnection);
}

LowEnergyFinder::~LowEnergyFinder() = default;

bool LowEnergyFinder::isPoweredOn() const { return m_central.state() == Central::State::poweredOn; }

void LowEnergyFinder::refresh()
{
    find();
    const auto records = m_devices;
    for (const auto &record : records) {
        const auto &peripheral = record->peripheral();
        if (!peripheral || peripheral->state() != Peripheral::State::connected)
            continue;
        const auto services = peripheral->services();
        if (!services)
            continue;
        for (const auto &service : *services) {
            if (service->uuid() == UUID::batteryService())
                peripheral->discoverCharacteristics({}, service);
            else if (service->uuid() == UUID::deviceInformation() && !record->manufacturer() && !record->model())
                peripheral->discoverCharacteristics({}, service);
        }
    }
    removeStaleDevices();
}

void LowEnergyFinder::find()
{
    const auto peripherals
        = m_central.retrieveConnectedPeripherals({ UUID::batteryService(), UUID::deviceInformation() });
    for (const auto &peripheral : peripherals) {
        if (!isPoweredOn())
            return;
        if (recordWithSerial(peripheral->identifierString()))
            continue;
        m_devices.push_back(std::make_shared<LowEnergyDevice>(peripheral));
        m_indexStale = true;
        connectPeripheral(peripheral);
    }
}

void LowEnergyFinder::connectPeripheral(const std::shared_ptr<Peripheral> &peripheral)
{
    const bool asked = std::any_of(m_connectingPeripherals.begin(), m_connectingPeripherals.end(),
        [&](const auto &p) { return p->identifier() == peripheral->identifier(); });
    if (asked || peripheral->state() != Peripheral::State::disconnected)
        return;
    // Becoming the peripheral's delegate: its answers come to this finder, once.
    connect(peripheral.get(), &Peripheral::servicesDiscovered, this, &LowEnergyFinder::servicesDiscovered,
        Qt::UniqueConnection);
    connect(peripheral.get(), &Peripheral::characteristicsDiscovered, this, &LowEnergyFinder::characteristicsDiscovered,
        Qt::UniqueConnection);
    connect(peripheral.get(), &Peripheral::valueUpdated, this, &LowEnergyFinder::valueUpdated, Qt::UniqueConnection);
    m_connectingPeripherals.push_back(peripheral);
    m_central.connectPeripheral(peripheral);
}

void LowEnergyFinder::removeStaleDevices()
{
    const double current = now();
    if (std::erase_if(m_devices, [&](const auto &record) { return current - record->lastUpdate() > 5.0; }))
        m_indexStale = true;
    tellDevicesChanged();
}

void LowEnergyFinder::connectDevice(const std::shared_ptr<LowEnergyDevice> &device)
{
    const auto &peripheral = device->peripheral();
    if (!peripheral)
        return;
    const bool asked = std::find(m_connectingPeripherals.begin(), m_connectingPeripherals.end(), peripheral)
        != m_connectingPeripherals.end();
    if (asked || m_failedDevices.contains(peripheral->identifierString()))
        return;
    connectPeripheral(peripheral);
}

void LowEnergyFinder::removeDevice(const std::shared_ptr<LowEnergyDevice> &device)
{
    const auto peripheral = device->peripheral();
    if (!peripheral)
        return;
    m_central.cancelPeripheralConnection(peripheral);
    removeRecordsOf(*peripheral);
    tellDevicesChanged();
}

void LowEnergyFinder::disconnectAll()
{
    const auto records = m_devices;
    for (const auto &record : records) {
        const auto peripheral = record->peripheral();
        if (!peripheral)
            continue;
        m_central.cancelPeripheralConnection(peripheral);
        removeRecordsOf(*peripheral);
        tellDevicesChanged();
    }
    m_connectingPeripherals.clear();
    m_failedDevices.clear();
    m_devices.clear();
    m_indexStale = true;
}

void LowEnergyFinder::stateUpdated(Central::State state)
{
    if (auto d = m_delegate.lock())
        d->stateChanged(static_cast<int>(state));
}

void LowEnergyFinder::peripheralConnected(const std::shared_ptr<Peripheral> &peripheral)
{
    const QString identifier = peripheral->identifierString();
    auto record = recordWithSerial(identifier);
    if (!record) {
        // The record went stale while the connection was pending. Without a new record the peripheral
        // would stay "connecting" for good and never be listed as connected again.
        const bool asked = std::find(m_connectingPeripherals.begin(), m_connectingPeripherals.end(), peripheral)
            != m_connectingPeripherals.end();
        if (!asked)
            return;
        record = std::make_shared<LowEnergyDevice>(peripheral);
        m_devices.push_back(record);
        m_indexStale = true;
    }
    record->setLastUpdate(now());
    record->setSerial(identifier);
    record->m_isConnected = true;
    record->m_isDiscovered = false;
    if (const auto properties = m_ioKitController->propertiesForUniqueId(identifier)) {
        record->setMouse(properties->primaryUsage == 2);
        record->setKeyboard(properties->primaryUsage == 6);
    }
    removeFirstConnecting(peripheral);
    peripheral->discoverServices({ UUID::batteryService(), UUID::deviceInformation() });
    tellDevicesChanged();
}

void LowEnergyFinder::peripheralConnectionFailed(const std::shared_ptr<Peripheral> &peripheral, const QString &)
{
    removeFirstConnecting(peripheral);
    m_failedDevices.insert(peripheral->identifierString());
}

void LowEnergyFinder::peripheralDisconnected(const std::shared_ptr<Peripheral> &peripheral, const QString &)
{
    const QString identifier = peripheral->identifierString();
    auto it = std::find_if(
        m_devices.begin(), m_devices.end(), [&](const auto &record) { return record->serial() == identifier; });
    if (it != m_devices.end()) {
        m_devices.erase(it);
        m_indexStale = true;
    }
    tellDevicesChanged();
}

void LowEnergyFinder::peripheralDiscovered(
    const std::shared_ptr<Peripheral> &peripheral, const platform::Value &advertisementData, int)
{
    const QString identifier = peripheral->identifierString();
    if (auto record = recordWithSerial(identifier)) {
        record->setLastUpdate(now());
        return;
    }
    if (LowEnergyPersistency::noBatteryServiceDevices().contains(identifier))
        return;
    if (peripheral->state() != Peripheral::State::disconnected)
        return;
    const auto *connectable = advertisementData.find(QString::fromLatin1(platform::kAdvertisementIsConnectable));
    if (!connectable || !connectable->isInteger() || connectable->toInteger() != 1)
        return;

    auto record = std::make_shared<LowEnergyDevice>(peripheral);
    record->m_isConnected = false;
    record->m_isDiscovered = true;
    const auto *data = advertisementData.find(QString::fromLatin1(platform::kAdvertisementManufacturerData));
    if (const auto bytes = data ? data->toData() : std::nullopt; bytes && bytes->size() >= 2) {
        const auto vendor = static_cast<std::uint16_t>(
            static_cast<std::uint8_t>(bytes->at(0)) + static_cast<std::uint8_t>(bytes->at(1)) * 256);
        record->setManufacturer(Manufacturers::name(vendor));
    }
    record->setName(peripheral->name().value_or(QString()));
    if (record->name().isEmpty() && record->manufacturer().value_or(QString()).isEmpty())
        return;
    m_devices.push_back(record);
    m_indexStale = true;
    if (LowEnergyPersistency::monitoredDevices().contains(identifier))
        connectDevice(record);
    tellDevicesChanged();
}

void LowEnergyFinder::servicesDiscovered(const std::shared_ptr<Peripheral> &peripheral, const QString &)
{
    if (auto record = recordWithSerial(peripheral->identifierString()))
        record->setLastUpdate(now());
    const auto services = peripheral->services();
    if (!services)
        return;
    const bool hasBattery = std::any_of(services->begin(), services->end(),
        [](const auto &service) { return service->uuid() == UUID::batteryService(); });
    if (hasBattery) {
        for (const auto &service : *services)
            peripheral->discoverCharacteristics({}, service);
        return;
    }
    LowEnergyPersistency::addNoBatteryServiceDevice(peripheral->identifierString());
    m_central.cancelPeripheralConnection(peripheral);
    removeRecordsOf(*peripheral);
}

void LowEnergyFinder::characteristicsDiscovered(const std::shared_ptr<Peripheral> &peripheral,
    const std::shared_ptr<platform::GattService> &service, const QString &)
{
    const auto characteristics = service->characteristics();
    if (!characteristics)
        return;
    for (const auto &characteristic : *characteristics)
        peripheral->readValue(characteristic);
}

void LowEnergyFinder::valueUpdated(const std::shared_ptr<Peripheral> &peripheral,
    const std::shared_ptr<platform::GattCharacteristic> &characteristic, const QString &)
{
    const auto value = characteristic->value();
    if (!value)
        return;
    auto record = recordWithSerial(peripheral->identifierString());
    if (!record)
        return;
    record->setLastUpdate(now());

    const auto &uuid = characteristic->uuid();
    if (uuid == UUID::batteryLevel()) {
        // An empty value carries no reading: keep the level we had rather than report an empty battery.
        // A byte above 100 is no percentage at all: no level, rather than a full battery.
        if (!value->isEmpty()) {
            const auto level = static_cast<std::uint8_t>(value->at(0));
            record->setBatteryLevel(level <= 100 ? std::optional<std::uint8_t>(level) : std::nullopt);
        }
    } else if (uuid == UUID::modelNumberString()) {
        if (const auto text = utf8Text(*value)) {
            if (const auto model = olvane::MobileDevices::device(*text)) {
                record->setInternalName(*text);
                record->setName(model->shortName());
                record->setModel(model->shortName());
            } else {
                record->setName(*text);
                record->setModel(*text);
            }
        }
    } else if (uuid == UUID::hardwareRevisionString()) {
        record->setHardwareRevision(utf8Text(*value));
    } else if (uuid == UUID::firmwareRevisionString()) {
        record->setFirmwareRevision(utf8Text(*value));
    } else if (uuid == UUID::manufacturerNameString()) {
        record->setManufacturer(utf8Text(*value));
    } else if (uuid == UUID::serialNumberString()) {
        record->setSerialNumber(utf8Text(*value));
    } else if (uuid == UUID::softwareRevisionString()) {
        record->setSoftwareRevision(utf8Text(*value));
    }

    const double current = now();
    if (current - m_lastUpdate > 1.0) {
        tellDevicesChanged();
        m_lastUpdate = current;
    }
}

std::shared_ptr<LowEnergyDevice> LowEnergyFinder::recordWithSerial(const QString &identifier) const
{
    // Every poll and every value looks a record up: by an index of the list, so a poll stays linear in
    // the number of peripherals. The index is rebuilt when the list changed; a record whose serial
    // changed since is found by the walk that answers whatever the index cannot.
    if (m_indexStale) {
        m_index.clear();
        m_index.reserve(qsizetype(m_devices.size()));
        for (const auto &record : m_devices) {
            if (!m_index.contains(record->serial()))
                m_index.insert(record->serial(), record);
        }
        m_indexStale = false;
    }
    if (const auto hit = m_index.constFind(identifier); hit != m_index.constEnd()) {
        if (auto record = hit->lock(); record && record->serial() == identifier)
            return record;
    }
    for (const auto &record : m_devices) {
        if (record->serial() == identifier)
            return record;
    }
    return nullptr;
}

void LowEnergyFinder::removeRecordsOf(const Peripheral &peripheral)
{
    std::erase_if(m_devices, [&](const auto &record) {
        return record->peripheral() && record->peripheral()->identifier() == peripheral.identifier();
    });
    m_indexStale = true;
}

void LowEnergyFinder::removeFirstConnecting(const std::shared_ptr<Peripheral> &peripheral)
{
    auto it = std::find(m_connectingPeripherals.begin(), m_connectingPeripherals.end(), peripheral);
    if (it != m_connectingPeripherals.end())
        m_connectingPeripherals.erase(it);
}

void LowEnergyFinder::tellDevicesChanged()
{
    if (auto d = m_delegate.lock())
        d->devicesChanged();
}

} // namespace fennic
