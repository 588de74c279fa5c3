#pragma once

#include <QDateTime>
#include <QString>

#include <cmath>
#include <concepts>
#include <cstdint>

namespace tavrin {

/// The standard rounding rules.
enum class RoundingRule { ToNearestOrAwayFromZero, ToNearestOrEven, Up, Down, TowardZero, AwayFromZero };

/// Number texts in the user's locale (`QLocale()`) and rounding helpers.
class NumberExtensions {
public:
    /// Exactly `digits` fraction digits (0 for a negative count), cut toward zero (2.999 → "2.99"),
    /// no grouping; "-" when no text can be made (a number that is not finite).
    static QString localizedString(double value, int digits);
    /// The float is widened to double first.
    static QString localizedString(float value, int digits);
    static QString localizedString1(double value) { return localizedString(value, 1); }
    static QString localizedString2(double value) { return localizedString(value, 2); }
    static QString localizedString3(double value) { return localizedString(value, 3); }
    static QString localizedString4(double value) { return localizedString(value, 4); }
    static QString localizedString5(double value) { return localizedString(value, 5); }
    static QString localizedString1(float value) { return localizedString(value, 1); }
    static QString localizedString2(float value) { return localizedString(value, 2); }
    static QString localizedString3(float value) { return localizedString(value, 3); }
    static QString localizedString4(float value) { return localizedString(value, 4); }
    static QString localizedString5(float value) { return localizedString(value, 5); }

    /// round(x × 10^n) / 10^n with halves away from zero, in double precision.
    static double roundedToDecimals(double value, int places);
    static float roundedToDecimals(float value, int places);

    /// NaN or an infinity.
    static bool isNotFinite(double value) { return !std::isfinite(value); }
    static bool isNotFinite(float value) { return !std::isfinite(value); }

    /// (x / step) rounded by `rule`, times step.
    template <std::floating_point T> static T roundedToMultiple(T value, T step, RoundingRule rule)
    {
        return roundedByRule(value / step, rule) * step;
    }
    template <std::floating_point T> static T roundedByRule(T value, RoundingRule rule)
    {
        switch (rule) {
        case RoundingRule::ToNearestOrAwayFromZero:
            return std::round(value);
        case RoundingRule::ToNearestOrEven: {
            const T nearest = std::round(value);
            if (std::abs(value - std::trunc(value)) == T(0.5))
                return std::fmod(nearest, T(2)) == 0 ? nearest : nearest - std::copysign(T(1), value);
            return nearest;
        }
        case RoundingRule::Up:
            return std::ceil(value);
        case RoundingRule::Down:
            return std::floor(value);
        case RoundingRule::TowardZero:
            return std::trunc(value);
        case RoundingRule::AwayFromZero:
            return value < 0 ? std::floor(value) : std::ceil(value);
        }
        return value;
    }

    /// The integer with the locale's grouping ("1,234,567" in English).
    static QString groupedString(std::int64_t value);
    /// The locale's decimal separator, "." when it has none.
    static QString decimalSeparator();
    /// The instant `seconds` after 1970-01-01 00:00 UTC, to the millisecond; invalid when not finite
    /// or beyond the range of dates.
    static QDateTime dateSince1970(double seconds);

    NumberExtensions() = delete;
};

} // namespace tavrin
