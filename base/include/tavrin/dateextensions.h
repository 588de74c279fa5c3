#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace tavrin {

/// The locale's date and time styles (`none` leaves that half out).
enum class DateFormatterStyle { None = 0, Short = 1, Medium = 2, Long = 3, Full = 4 };

/// Calendar helpers on dates. The calendar is the user's: Gregorian with weeks starting on Monday, in
/// the process's local time zone, with texts in `QLocale()`. Results are local times. "Now" is
/// `platform::Clock::current()`. A date the calendar cannot form (far out of range, or an invalid
/// argument) is an invalid QDateTime.
class DateExtensions {
public:
    /// Monday 00:00 of the week of `date`.
    static QDateTime startOfWeek(const QDateTime &date);
    /// Sunday 00:00 of the week of `date` (the Sunday that closes its Monday-first week).
    static QDateTime endOfWeek(const QDateTime &date);
    /// Day 1, 00:00 of the month of `date`.
    static QDateTime startOfMonth(const QDateTime &date);
    /// 00:00 of the last day of the month of `date`.
    static QDateTime endOfMonth(const QDateTime &date);

    /// Calendar arithmetic keeping the wall-clock time (31 January plus one month is the end of February).
    static QDateTime addingWeeks(const QDateTime &date, std::int64_t n);
    static QDateTime addingMonths(const QDateTime &date, std::int64_t n);
    static QDateTime addingYears(const QDateTime &date, std::int64_t n);
    static QDateTime addingDays(const QDateTime &date, std::int64_t n);

    /// Parts of `date`; for an invalid date the part of now (year, month, day).
    static int year(const QDateTime &date);
    static int month(const QDateTime &date);
    static int day(const QDateTime &date);

    /// Whether `timestamp` lies in [00:00:00, 23:59:59) of the day of `date`.
    static bool isSameDay(const QDateTime &date, double timestamp);
    /// Whether `date` falls on that day of that month.
    static bool isDay(const QDateTime &date, int day, int month);

    /// "yyyy-MM-dd".
    static QString dayString(const QDateTime &date);
    /// The full stand-alone month name.
    static QString monthNameString(const QDateTime &date);
    /// Time in the medium style, no date.
    static QString timeString(const QDateTime &date);
    /// Date in the short style, no time.
    static QString shortDateString(const QDateTime &date);
    static QString styledString(const QDateTime &date, DateFormatterStyle dateStyle, DateFormatterStyle timeStyle);

    /// Reads "yyyy-MM-dd hh:mm:ss" in local time, "hh" being the 12-hour field (12 is midnight's hour);
    /// the present moment when the text does not read.
    static QDateTime fromString(const QString &text);
    /// The local date and time of the six parts; stops the program with "Could not create date
    /// object." when they form none.
    static QDateTime make(int day, int month, int year, int hour, int minute, int second);

    static QDateTime current();
    static double currentTimestamp();
    /// The year of now.
    static std::optional<int> currentYear();
    static QDateTime startOfPreviousMonth();
    static double startOfTodayTimestamp();
    /// Today 23:59:59.
    static double endOfTodayTimestamp();
    static double startOfYesterdayTimestamp();
    static double endOfYesterdayTimestamp();
    /// 1 January of this year, 12:00:00.
    static QDateTime firstDayOfYear();
    /// 1 January of `year`, 12:00:00 (NaN when the calendar has no such year).
    static double yearStartTimestamp(int year);
    /// 31 December of `year`, 23:59:59 (NaN when the calendar has no such year).
    static double yearEndTimestamp(int year);
    /// Today's weekday counted from Monday = 0 to Saturday = 5; Sunday is -1.
    static int weekdayIndex();
    static double inOneWeek();
    static double inFourWeeks();
    static double oneWeekAgo();

    /// Seconds since 1970 of a date (NaN for an invalid one) and the local date of such seconds
    /// (invalid when not finite or out of range).
    static double timestamp(const QDateTime &date);
    static QDateTime fromTimestamp(double timestamp);
    /// The local date and time of those parts; in a gap of a daylight-saving change the time moves on
    /// by the gap (02:30 becomes 03:30). Invalid when the parts form no date.
    static QDateTime localDateTime(int year, int month, int day, int hour, int minute, int second);

    DateExtensions() = delete;
};

} // namespace tavrin
