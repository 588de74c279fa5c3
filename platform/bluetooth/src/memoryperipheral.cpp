#include "memoryperipheral_p.h"

namespace platform {

MemoryPeripheral::MemoryPeripheral(MemoryCentral *central, MemoryCentral::PeripheralSpec spec)
    : m_central(central)
    , m_spec(std::move(spec))
{
}

std::shared_ptr<MemoryPeripheral> MemoryPeripheral::self()
{
    return std::static_pointer_cast<MemoryPeripheral>(shared_from_this());
}

bool MemoryPeripheral::acceptsRequests() const
{
    return m_central && m_central->state() == MemoryCentral::State::poweredOn && m_state == State::connected;
}

bool MemoryPeripheral::offers(const QList<BluetoothUuid> &services) const
{
    for (const auto &service : m_spec.services) {
        if (services.contains(service.uuid))
            return true;
    }
    return false;
}

const MemoryCentral::Service *MemoryPeripheral::databaseService(const BluetoothUuid &uuid) const
{
    for (const auto &service : m_spec.services) {
        if (service.uuid == uuid)
            return &service;
    }
    return nullptr;
}

void MemoryPeripheral::setState(State state)
{
    m_state = state;
    if (state == State::disconnected) {
        // A real stack invalidates everything discovered once the link is gone.
        m_services.reset();
        m_serviceObjects.clear();
        m_characteristicObjects.clear();
    }
}

void MemoryPeripheral::discoverServices(const QList<BluetoothUuid> &services)
{
    if (!m_central)
        return;
    ++m_central->m_requests[identifier()].serviceDiscoveries;
    if (!acceptsRequests()) {
        ++m_central->m_ignored;
        return;
    }
    m_central->post([this, keep = self(), services] {
        if (!acceptsRequests())
            return;
        Services found;
        for (const auto &s : m_spec.services) {
            if (!services.isEmpty() && !services.contains(s.uuid))
                continue;
            auto &object = m_serviceObjects[s.uuid.toString()];
            if (!object)
                object = std::make_shared<GattService>(s.uuid);
            found.push_back(object);
        }
        m_services = std::move(found);
        emit servicesDiscovered(keep, QString());
    });
}

void MemoryPeripheral::discoverCharacteristics(
    const QList<BluetoothUuid> &characteristics, const std::shared_ptr<GattService> &service)
{
    if (!m_central)
        return;
    ++m_central->m_requests[identifier()].characteristicDiscoveries;
    if (!acceptsRequests() || !service) {
        ++m_central->m_ignored;
        return;
    }
    m_central->post([this, keep = self(), characteristics, service] {
        if (!acceptsRequests())
            return;
        std::vector<std::shared_ptr<GattCharacteristic>> found;
        if (const auto *db = databaseService(service->uuid())) {
            for (const auto &c : db->characteristics) {
                if (!characteristics.isEmpty() && !characteristics.contains(c.uuid))
                    continue;
                auto &object = m_characteristicObjects[service->uuid().toString() + u'/' + c.uuid.toString()];
                if (!object)
                    object = std::make_shared<GattCharacteristic>(c.uuid, service);
                found.push_back(object);
            }
        }
        service->setCharacteristics(std::move(found));
        emit characteristicsDiscovered(keep, service, QString());
    });
}

void MemoryPeripheral::readValue(const std::shared_ptr<GattCharacteristic> &characteristic)
{
    if (!m_central)
        return;
    ++m_central->m_requests[identifier()].reads;
    if (!acceptsRequests() || !characteristic) {
        ++m_central->m_ignored;
        return;
    }
    m_central->post([this, keep = self(), characteristic] {
        if (!acceptsRequests())
            return;
        std::optional<QByteArray> value;
        if (const auto service = characteristic->service()) {
            if (const auto *db = databaseService(service->uuid())) {
                for (const auto &c : db->characteristics) {
                    if (c.uuid == characteristic->uuid())
                        value = c.value;
                }
            }
        }
        if (!value) {
            emit valueUpdated(keep, characteristic, QStringLiteral("the characteristic could not be read"));
            return;
        }
        characteristic->setValue(value);
        emit valueUpdated(keep, characteristic, QString());
    });
}

} // namespace platform
