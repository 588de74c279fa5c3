#pragma once

#include "platform/bluetooth/bluetoothuuid.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace platform {

class GattService;

/// One characteristic of a peripheral's service, as the central last saw it. Objects belong to their
/// peripheral, which keeps one object per characteristic across discoveries.
class GattCharacteristic {
public:
    GattCharacteristic(BluetoothUuid uuid, std::weak_ptr<GattService> service);

    const BluetoothUuid &uuid() const { return m_uuid; }
    /// The bytes of the last successful read; empty before the first.
    const std::optional<QByteArray> &value() const { return m_value; }
    /// The service that holds it; null once the peripheral dropped the service.
    std::shared_ptr<GattService> service() const { return m_service.lock(); }

    /// For backends: stores what a read gave.
    void setValue(std::optional<QByteArray> value) { m_value = std::move(value); }

private:
    BluetoothUuid m_uuid;
    std::optional<QByteArray> m_value;
    std::weak_ptr<GattService> m_service;
};

} // namespace platform
