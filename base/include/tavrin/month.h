#pragma once

#include <array>
#include <optional>

namespace tavrin {

/// A month of the year; the raw value is its number, January = 1.
enum class Month {
    January = 1,
    February,
    March,
    April,
    May,
    June,
    July,
    August,
    September,
    October,
    November,
    December
};

/// The month of a number 1…12, none otherwise.
constexpr std::optional<Month> monthFromRawValue(int raw)
{
    if (raw < 1 || raw > 12)
        return std::nullopt;
    return static_cast<Month>(raw);
}

constexpr int rawValue(Month month) { return static_cast<int>(month); }

/// The twelve months in calendar order.
inline constexpr std::array<Month, 12> allMonths { Month::January, Month::February, Month::March, Month::April,
    Month::May, Month::June, Month::July, Month::August, Month::September, Month::October, Month::November,
    Month::December };

} // namespace tavrin
