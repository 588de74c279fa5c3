#include "dorsk/sensor.h"

#include "platform/core/coding.h"

namespace dorsk {

namespace {
    const QString kIdentifier = QStringLiteral("Identifier");
    const QString kDescription = QStringLiteral("Description");
    const QString kValue = QStringLiteral("Value");
}

SensorType Sensor::type() const
{
    if (identifier.startsWith(QLatin1Char('T')) || identifier.contains(QLatin1String("Thermal")))
        return SensorType::thermal;
    if (identifier.startsWith(QLatin1Char('I')) || identifier.contains(QLatin1String("Current")))
        return SensorType::current;
    if (identifier.startsWith(QLatin1Char('V')) || identifier.contains(QLatin1String("Voltage")))
        return SensorType::voltage;
    if (identifier.startsWith(QLatin1Char('P')))
        return SensorType::power;
    return SensorType::unknown;
}

std::uint8_t Sensor::fractionDigits() const
{
    switch (type()) {
    case SensorType::current:
    case SensorType::power:
        return 2;
    case SensorType::voltage:
        return 4;
    case SensorType::unknown:
    case SensorType::thermal:
    case SensorType::fan:
        break;
    }
    return 0;
}

platform::Value Sensor::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(kIdentifier, identifier);
    encoder.set(kDescription, description);
    encoder.setIfPresent(kValue, value);
    return encoder.value();
}

Sensor Sensor::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    return { decoder.decodeString(kIdentifier), decoder.decodeString(kDescription),
        decoder.decodeDoubleIfPresent(kValue) };
}

} // namespace dorsk
