#include "platform/bluetooth/gattservice.h"

namespace platform {

GattService::GattService(BluetoothUuid uuid)
    : m_uuid(std::move(uuid))
{
}

} // namespace platform
