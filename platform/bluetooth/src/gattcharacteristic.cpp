#include "platform/bluetooth/gattcharacteristic.h"

namespace platform {

GattCharacteristic::GattCharacteristic(BluetoothUuid uuid, std::weak_ptr<GattService> service)
    : m_uuid(std::move(uuid))
    , m_service(std::move(service))
{
}

} // namespace platform
