#pragma once

#include <QString>

#include <cstdint>

namespace tavrin {

/// Units of a duration.
enum class DurationUnit { Hours, Minutes, Seconds, Milliseconds, Microseconds, Nanoseconds, Picoseconds };

/// Time spans as texts.
class TimeUtilities {
public:
    /// Stopwatch text of a span in nanoseconds: "mm:ss.fff" below an hour ("01:01.000"), from an hour on
    /// "hh:mm:ss.fff" with the minutes and seconds within the hour.
    static QString timeSpanString(std::uint64_t nanoseconds);
    /// `value` in `unit` converted to `shownUnit`, in the user's locale with up to three fraction
    /// digits and the unit's localised abbreviation ("1.5 min", "1,5 Min.").
    static QString durationText(std::uint64_t value, DurationUnit unit, DurationUnit shownUnit);
    /// As above; a negative value gives "-".
    static QString durationText(std::int64_t value, DurationUnit unit, DurationUnit shownUnit);

    TimeUtilities() = delete;
};

} // namespace tavrin
