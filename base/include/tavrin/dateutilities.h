#pragma once

#include "tavrin/day.h"
#include "tavrin/month.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tavrin {

/// A period as timestamps (seconds since 1970): `end` is its last whole second (start + length − 1).
struct Interval {
    double start = 0;
    double end = 0;
    friend bool operator==(const Interval &, const Interval &) = default;
};

/// Texts of durations and relative times, weekday and month names, and the bounds of days, weeks,
/// months and years. Timestamps are seconds since 1970; "now" is `platform::Clock::current()`; the
/// calendar is Gregorian with Monday-first weeks in the local time zone, texts in `QLocale()` (see
/// DateExtensions). Number fields of the fixed texts never follow the locale.
class DateUtilities {
public:
    // Durations and relative times.

    /// Four groups "dd:hh:mm:ss" ("00:01:01:01"); days may take more than two digits.
    static QString durationString(std::int64_t seconds);
    static QString durationString(int seconds) { return durationString(static_cast<std::int64_t>(seconds)); }
    /// Seconds cut toward zero first; "-" when not finite or beyond 64 bits.
    static QString durationString(double seconds);
    /// "2h 1m", "59m", "0h 0m"; no value counts as 0 seconds.
    static QString hoursMinutesString(std::optional<std::int64_t> seconds);
    /// As above, but no value gives "0m"; "-" when not finite or beyond 64 bits.
    static QString hoursMinutesString(std::optional<double> seconds);
    /// "01h 00m 05s" (whole days dropped); compact leaves out zero hours ("01m 05s", "05s", "0 s").
    static QString hmsString(std::int64_t seconds, bool compact);
    /// The compact form of seconds cut toward zero; "-" when not finite or beyond 64 bits.
    static QString hmsString(double seconds);
    /// "Just now"-style text of a past moment by localised keys; "-" for an invalid date.
    static QString agoString(const QDateTime &date);
    /// "Today at 14:05", "Yesterday at 09:00", else the short date and time of the moment.
    static QString dayTimeString(double timestamp);
    /// Short dates of Monday and Sunday of the week `weeksBack` weeks ago: "3/4/24 - 3/10/24".
    static QString weekRangeString(std::int64_t weeksBack);

    // Names and labels.

    /// The text of `date` for a fixed pattern in the Unicode notation ("yyyy-MM-dd", "EEEE").
    static QString formattedDate(const QDateTime &date, const QString &pattern);
    static QString weekdayName(const QDateTime &date);
    static QString monthShortName(const QDateTime &date);
    /// Monday first.
    static QStringList weekdayNames();
    /// First characters of the weekday names, Monday first ("M", "T", "W", …).
    static QStringList weekdayInitials();
    /// Stand-alone short name of month 1…12; none for other numbers.
    static std::optional<QString> monthShortName(int month);
    static std::optional<QString> monthShortName(Month month);
    static QStringList monthShortNames();
    /// Stand-alone full name of month 1…12; none for other numbers.
    static std::optional<QString> monthName(int month);
    /// "March 2024" of the month `monthsBack` months ago; "-" when the calendar has no such month.
    static QString monthYearString(std::int64_t monthsBack);
    /// "2024" of the year `yearsBack` years ago; "-" when the calendar has no such year.
    static QString yearString(std::int64_t yearsBack);
    /// "01" … "31" for the days of the month `monthsBack` months ago.
    static QStringList dayOfMonthLabels(std::int64_t monthsBack);
    /// The twelve short month names ("MMM"), January first.
    static QStringList monthLabels();

    // Bounds of periods, as timestamps.

    static double startOfToday();
    static double startOfYesterday();
    static double endOfYesterday();
    static double startOfWeek();
    static double endOfWeek();
    static double startOfLastWeek();
    static double endOfLastWeek();
    static double startOfMonth();
    static double endOfMonth();
    static double startOfLastMonth();
    static double endOfLastMonth();
    static double startOfYear();
    static double endOfYear();
    static double startOfLastYear();
    static double endOfLastYear();

    // Parts and counts.

    static int currentYear();
    static int currentMonth();
    static int currentDay();
    static int dayOfMonth(double timestamp);
    static std::optional<Day> weekday(double timestamp);
    static std::optional<Month> month(double timestamp);
    /// 0 when the year has no date.
    static int daysInYear(int year);
    /// 0 when the month has no date.
    static int daysInMonth(int month, int year);
    static int monthLength(int year, int month);
    static int daysInMonthOf(const QDateTime &date);
    /// Position of the month's first day in the Monday-first week (Monday 0 … Sunday 6); 0 without a date.
    static int firstWeekdayIndex(int year, int month);
    /// Monday-first week rows the month spans.
    static int weeksInMonth(int year, int month);
    /// Whole days from `from` to `to`, plus one (the same instant gives 1).
    static int daysBetween(double from, double to);
    /// Calendar days from the day of `timestamp` to today; none for a timestamp that is no date.
    static std::optional<std::int64_t> daysAgo(double timestamp);
    /// Whether the calendar day of `second` is the day after that of `first`.
    static bool isNextDay(double first, double second);

    // Back in time.

    /// `timestamp` moved back `n` months; now when the calendar has no such date.
    static double monthsBefore(std::int64_t n, double timestamp);
    /// End of today moved back 11 … 0 months, oldest first.
    static QList<double> monthEndTimestamps();
    /// The seven days of the week `weeksBack` weeks ago; empty when the calendar has no such week.
    static QList<Interval> weekDayIntervals(std::int64_t weeksBack);
    /// The days of the month `monthsBack` months ago; empty when the calendar has no such month.
    static QList<Interval> monthDayIntervals(std::int64_t monthsBack);
    /// The twelve months of the year `yearsBack` years ago; empty when the calendar has no such year.
    static QList<Interval> yearMonthIntervals(std::int64_t yearsBack);

    DateUtilities() = delete;
};

} // namespace tavrin
