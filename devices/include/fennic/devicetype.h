#pragma once

#include <QString>

#include <optional>

namespace fennic {

/// The kind of an accessory; stored and coded as its raw text.
enum class DeviceType { undefined, keyboard, mouse, trackpad, headphones, headset, lowEnergy, chargingCase };

/// The stored text of a kind ("undefined", "Keyboard", ..., "Low Energy", "CHARGING_CASE").
QString rawText(DeviceType type);
/// The kind whose raw text is exactly `text` (case-sensitive), or empty.
std::optional<DeviceType> deviceTypeFromRawText(const QString &text);
/// The localisation key of a kind ("UNDEFINED", "KEYBOARD", ...).
QString descriptionKey(DeviceType type);
/// The localised name of a kind, as shown to the user.
QString description(DeviceType type);

} // namespace fennic
