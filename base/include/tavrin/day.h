#pragma once

#include <optional>

namespace tavrin {

/// A weekday; the raw value is the calendar's weekday number (Sunday = 1). Cases run Monday first.
enum class Day { Monday = 2, Tuesday = 3, Wednesday = 4, Thursday = 5, Friday = 6, Saturday = 7, Sunday = 1 };

/// The day of a weekday number 1…7, none otherwise.
constexpr std::optional<Day> dayFromRawValue(int raw)
{
    if (raw < 1 || raw > 7)
        return std::nullopt;
    return static_cast<Day>(raw);
}

constexpr int rawValue(Day day) { return static_cast<int>(day); }

/// The position of the case in the Monday-first order: Monday 0 … Sunday 6.
constexpr int dayPosition(Day day) { return (rawValue(day) + 5) % 7; }

} // namespace tavrin
