#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace dorsk {

/// What a sensor of the helper application measures; coded as its one-byte raw value.
enum class SensorType : std::uint8_t { unknown = 0, thermal = 1, voltage = 2, current = 3, power = 4, fan = 5 };

/// Every type, in raw-value order.
inline constexpr std::array kAllSensorTypes { SensorType::unknown, SensorType::thermal, SensorType::voltage,
    SensorType::current, SensorType::power, SensorType::fan };

/// The type of raw value 0 to 5, or empty.
std::optional<SensorType> sensorTypeFromRawValue(int raw);
/// The localisation key of the type's name ("UNKNOWN", "THERMAL", ...).
QString localizationKey(SensorType type);
/// The type's name in the user's language.
QString localizedName(SensorType type);
/// The system-symbol name of a sensor of this type; for fans it depends on SystemVersion::current().
QString symbolName(SensorType type);

} // namespace dorsk
