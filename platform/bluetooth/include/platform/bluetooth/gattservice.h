#pragma once

#include "platform/bluetooth/bluetoothuuid.h"
#include "platform/bluetooth/gattcharacteristic.h"

#include <memory>
#include <optional>
#include <vector>

namespace platform {

/// One service of a peripheral, as the central last discovered it.
class GattService {
public:
    explicit GattService(BluetoothUuid uuid);

    const BluetoothUuid &uuid() const { return m_uuid; }
    /// The characteristics of the last discovery; empty (no list) before the first.
    const std::optional<std::vector<std::shared_ptr<GattCharacteristic>>> &characteristics() const
    {
        return m_characteristics;
    }

    /// For backends.
    void setCharacteristics(std::optional<std::vector<std::shared_ptr<GattCharacteristic>>> characteristics)
    {
        m_characteristics = std::move(characteristics);
    }

private:
    BluetoothUuid m_uuid;
    std::optional<std::vector<std::shared_ptr<GattCharacteristic>>> m_characteristics;
};

} // namespace platform
