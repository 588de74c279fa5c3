#include "fennic/uuid.h"

namespace fennic {

using platform::BluetoothUuid;

const BluetoothUuid &UUID::batteryService()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("180F"));
    return s_uuid;
}

const BluetoothUuid &UUID::deviceInformation()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("180A"));
    return s_uuid;
}

const BluetoothUuid &UUID::batteryLevel()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A19"));
    return s_uuid;
}

const BluetoothUuid &UUID::modelNumberString()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A24"));
    return s_uuid;
}

const BluetoothUuid &UUID::serialNumberString()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A25"));
    return s_uuid;
}

const BluetoothUuid &UUID::firmwareRevisionString()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A26"));
    return s_uuid;
}

const BluetoothUuid &UUID::hardwareRevisionString()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A27"));
    return s_uuid;
}

const BluetoothUuid &UUID::softwareRevisionString()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A28"));
    return s_uuid;
}

const BluetoothUuid &UUID::manufacturerNameString()
{
    static const BluetoothUuid s_uuid = BluetoothUuid::fromString(QStringLiteral("2A29"));
    return s_uuid;
}

} // namespace fennic
