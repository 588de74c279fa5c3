#include "tavrin/timeutilities.h"

#include "decimaltext_p.h"
#include "tavrin/constants.h"
#include "tavrin/resources.h"

#include <platform/core/format.h>

#include <QLocale>

namespace tavrin {

namespace {
    constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000;
    constexpr std::uint64_t kNanosecondsPerMinute = 60 * kNanosecondsPerSecond;
    constexpr std::uint64_t kNanosecondsPerHour = 60 * kNanosecondsPerMinute;

    double secondsPer(DurationUnit unit)
    {
        switch (unit) {
        case DurationUnit::Hours:
            return 3600;
        case DurationUnit::Minutes:
            return 60;
        case DurationUnit::Seconds:
            return 1;
        case DurationUnit::Milliseconds:
            return 1e-3;
        case DurationUnit::Microseconds:
            return 1e-6;
        case DurationUnit::Nanoseconds:
            return 1e-9;
        case DurationUnit::Picoseconds:
            return 1e-12;
        }
        return 1;
    }

    const char *unitKey(DurationUnit unit)
    {
        switch (unit) {
        case DurationUnit::Hours:
            return "DURATION_HOURS";
        case DurationUnit::Minutes:
            return "DURATION_MINUTES";
        case DurationUnit::Seconds:
            return "DURATION_SECONDS";
        case DurationUnit::Milliseconds:
            return "DURATION_MILLISECONDS";
        case DurationUnit::Microseconds:
            return "DURATION_MICROSECONDS";
        case DurationUnit::Nanoseconds:
            return "DURATION_NANOSECONDS";
        case DurationUnit::Picoseconds:
            return "DURATION_PICOSECONDS";
        }
        return "DURATION_SECONDS";
    }

    QString durationOf(double value, DurationUnit unit, DurationUnit shownUnit)
    {
        // Dividing by the smaller factor first keeps whole conversions exact (1500 ms is 1.5 s).
        const double from = secondsPer(unit);
        const double to = secondsPer(shownUnit);
        const double converted = from >= to ? value * (from / to) : value / (to / from);
        const QLocale locale;
        const QString number = detail::localizedDecimal(
            detail::decimalText(converted, 0, 3, detail::DecimalRounding::HalfEven), locale, true);
        return localized(QString::fromLatin1(unitKey(shownUnit))).arg(number);
    }
}

QString TimeUtilities::timeSpanString(std::uint64_t t)
{
    if (t == 0)
        return QStringLiteral("00:00.000");
    const auto milliseconds = static_cast<unsigned long long>((t / 1'000'000) % 1000);
    const auto seconds = static_cast<unsigned long long>((t / kNanosecondsPerSecond) % 60);
    if (t < kNanosecondsPerHour) {
        const auto minutes = static_cast<unsigned long long>(t / kNanosecondsPerMinute);
        return platform::format("%02llu:%02llu.%03llu", minutes, seconds, milliseconds);
    }
    const auto hours = static_cast<unsigned long long>(t / kNanosecondsPerHour);
    const auto minutes = static_cast<unsigned long long>((t / kNanosecondsPerMinute) % 60);
    return platform::format("%02llu:%02llu:%02llu.%03llu", hours, minutes, seconds, milliseconds);
}

QString TimeUtilities::durationText(std::uint64_t value, DurationUnit unit, DurationUnit shownUnit)
{
    return durationOf(static_cast<double>(value), unit, shownUnit);
}

QString TimeUtilities::durationText(std::int64_t value, DurationUnit unit, DurationUnit shownUnit)
{
    if (value < 0)
        return kNoValue;
    return durationOf(static_cast<double>(value), unit, shownUnit);
}

} // namespace tavrin
