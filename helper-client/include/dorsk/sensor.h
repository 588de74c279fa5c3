#pragma once

#include "dorsk/sensortype.h"
#include "platform/core/value.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace dorsk {

/// One reading of the helper application's sensors.
///
/// Coded as a dictionary: "Identifier" and "Description" (required texts) and "Value" (a real,
/// written only when present).
struct Sensor {
    QString identifier;
    QString description;
    std::optional<double> value;

    /// The type, from the identifier (case-sensitive, first match wins): begins with "T" or contains
    /// "Thermal": thermal; begins with "I" or contains "Current": current; begins with "V" or contains
    /// "Voltage": voltage; begins with "P": power; else unknown. Never fan.
    SensorType type() const;
    /// The system-symbol name of the sensor's picture.
    QString imageName() const { return symbolName(type()); }
    /// Decimal places the helper shows the reading with: 0 for unknown, thermal and fan readings,
    /// 2 for currents and powers, 4 for voltages.
    std::uint8_t fractionDigits() const;

    platform::Value encoded() const;
    /// Throws platform::DecodingError when a required key is missing or a value has the wrong type.
    static Sensor decode(const platform::Value &value);

    bool operator==(const Sensor &) const = default;
};

} // namespace dorsk
