#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace platform {
class Bundle;
}

namespace ammerl {

/// The battery's condition as its power source reports it ("BatteryHealth"). The raw values are the
/// coding form.
enum class BatteryCondition : int { good = 0, fair = 1, poor = 2 };

/// The condition with this raw value; empty for any other.
std::optional<BatteryCondition> batteryConditionFromRaw(std::int64_t raw);
/// "Good", "Fair" or "Poor", compared exactly; any other text gives empty.
std::optional<BatteryCondition> batteryConditionFromHealth(const QString &health);

/// The localised word for the condition, from the Ammerl resource bundle.
QString title(BatteryCondition condition);
/// The same lookup in a given bundle (its text for "GOOD", "FAIR" or "POOR", else the key).
QString title(BatteryCondition condition, const platform::Bundle &bundle);

} // namespace ammerl
