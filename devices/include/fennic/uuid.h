#pragma once

#include "platform/bluetooth/bluetoothuuid.h"

namespace fennic {

/// The GATT identifiers the Low Energy finder uses, each made once on first use. Each device record
/// also carries one (empty) instance as its `id`.
class UUID {
public:
    static const platform::BluetoothUuid &batteryService(); // 180F
    static const platform::BluetoothUuid &deviceInformation(); // 180A
    static const platform::BluetoothUuid &batteryLevel(); // 2A19, one byte, percent
    static const platform::BluetoothUuid &modelNumberString(); // 2A24
    static const platform::BluetoothUuid &serialNumberString(); // 2A25
    static const platform::BluetoothUuid &firmwareRevisionString(); // 2A26
    static const platform::BluetoothUuid &hardwareRevisionString(); // 2A27
    static const platform::BluetoothUuid &softwareRevisionString(); // 2A28
    static const platform::BluetoothUuid &manufacturerNameString(); // 2A29
};

} // namespace fennic
