#pragma once

#include <QString>

#include <array>
#include <optional>

namespace dorsk {

/// The keys of the helper application's shared store; each names one list.
enum class SensorDataModelKey { sensors, fans, traffic, singleBatteryDevices, doubleBatteryDevices };

/// Every key, in this order.
inline constexpr std::array kAllSensorDataModelKeys { SensorDataModelKey::sensors, SensorDataModelKey::fans,
    SensorDataModelKey::traffic, SensorDataModelKey::singleBatteryDevices, SensorDataModelKey::doubleBatteryDevices };

/// The stored text of a key: its name ("sensors", ..., "doubleBatteryDevices").
QString rawValue(SensorDataModelKey key);
/// The key whose text is exactly `text` (case-sensitive), or empty.
std::optional<SensorDataModelKey> sensorDataModelKeyFromRawValue(const QString &text);

} // namespace dorsk
