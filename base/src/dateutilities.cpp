#include "tavrin/dateutilities.h"

#include "datepattern_p.h"
#include "tavrin/constants.h"
#include "tavrin/dateextensions.h"
#include "tavrin/resources.h"

#include <platform/core/clock.h>
#include <platform/core/format.h>

#include <QLocale>

#include <cmath>
#include <limits>

namespace tavrin {

namespace {
    constexpr std::int64_t kDay = 86400;
    constexpr std::int64_t kWeek = 604800;

    using Ext = DateExtensions;

    QDateTime localNow() { return platform::Clock::current().now().toLocalTime(); }

    // Cuts toward zero; none when the seconds are not finite or do not fit 64 bits.
    std::optional<std::int64_t> wholeSeconds(double seconds)
    {
        if (!(std::abs(seconds) < 9223372036854775808.0))
            return std::nullopt;
        return static_cast<std::int64_t>(seconds);
    }

    // -n, or none for the one value that has no negation.
    std::optional<std::int64_t> negated(std::int64_t n)
    {
        if (n == std::numeric_limits<std::int64_t>::min())
            return std::nullopt;
        return -n;
    }

    QString pattern(const QDateTime &date, const char *p)
    {
        return detail::DatePattern::format(date.toLocalTime(), QString::fromLatin1(p), QLocale());
    }

    QDateTime startOfMonthBack(std::int64_t monthsBack)
    {
        const auto n = negated(monthsBack);
        return n ? Ext::addingMonths(Ext::startOfMonth(localNow()), *n) : QDateTime();
    }

    QDateTime startOfYearDate() { return Ext::localDateTime(DateUtilities::currentYear(), 1, 1, 0, 0, 0); }

    QDateTime startOfYearBack(std::int64_t yearsBack)
    {
        const auto n = negated(yearsBack);
        return n ? Ext::addingYears(startOfYearDate(), *n) : QDateTime();
    }

    QDateTime startOfWeekBack(std::int64_t weeksBack)
    {
        const auto n = negated(weeksBack);
        return n ? Ext::addingWeeks(Ext::startOfWeek(localNow()), *n) : QDateTime();
    }

    QList<Interval> dayIntervals(double start, int count)
    {
        QList<Interval> intervals;
        for (int i = 0; i < count; ++i) {
            const double dayStart = start + double(i) * kDay;
            intervals.append({ dayStart, dayStart + kDay - 1 });
        }
        return intervals;
    }

    // Calendar days, not steps of 86,400 seconds: where a clock change falls inside the range, whole
    // days of seconds end an hour early or late and would name one day twice.
    QList<QDateTime> calendarDays(const QDateTime &first, int count)
    {
        QList<QDateTime> days;
        for (int i = 0; i < count; ++i)
            days.append(Ext::addingDays(first, i));
        return days;
    }

    // Monday 00:00 of this week and the six days after it.
    QList<QDateTime> daysOfThisWeek() { return calendarDays(Ext::startOfWeek(localNow()), 7); }

    QDateTime dayInThisYear(int month) { return Ext::localDateTime(DateUtilities::currentYear(), month, 1, 12, 0, 0); }
}

// Durations and relative times.

QString DateUtilities::durationString(std::int64_t s)
{
    const long long days = s / kDay;
    const long long r = s % kDay;
    const long long hours = r / 3600;
    const long long minutes = (r % 3600) / 60;
    const long long seconds = s % 60;
    if (days != 0)
        return platform::format("%02lld:%02lld:%02lld:%02lld", days, hours, minutes, seconds);
    if (hours != 0)
        return platform::format("00:%02lld:%02lld:%02lld", hours, minutes, seconds);
    if (minutes != 0)
        return platform::format("00:00:%02lld:%02lld", minutes, seconds);
    if (seconds != 0)
        return platform::format("00:00:00:%02lld", seconds);
    return QStringLiteral("00:00:00:00");
}

QString DateUtilities::durationString(double seconds)
{
    const auto s = wholeSeconds(seconds);
    return s ? durationString(*s) : kNoValue;
}

QString DateUtilities::hoursMinutesString(std::optional<std::int64_t> seconds)
{
    const std::int64_t s = seconds.value_or(0);
    const long long hours = s / 3600;
    const long long minutes = (s % 3600) / 60;
    if (hours != 0)
        return platform::format("%lldh %lldm", hours, minutes);
    if (minutes != 0)
        return platform::format("%lldm", minutes);
    return QStringLiteral("0h 0m");
}

QString DateUtilities::hoursMinutesString(std::optional<double> seconds)
{
    if (!seconds)
        return QStringLiteral("0m");
    const auto s = wholeSeconds(*seconds);
    return s ? hoursMinutesString(std::optional<std::int64_t>(*s)) : kNoValue;
}

QString DateUtilities::hmsString(std::int64_t s, bool compact)
{
    const long long r = s % kDay;
    const long long hours = r / 3600;
    const long long minutes = (r % 3600) / 60;
    const long long seconds = s % 60;
    if (compact && hours == 0) {
        if (minutes != 0)
            return platform::format("%02lldm %02llds", minutes, seconds);
        if (seconds != 0)
            return platform::format("%02llds", seconds);
        return platform::format("%d s", 0);
    }
    return platform::format("%02lldh %02lldm %02llds", hours, minutes, seconds);
}

QString DateUtilities::hmsString(double seconds)
{
    const auto s = wholeSeconds(seconds);
    return s ? hmsString(*s, true) : kNoValue;
}

QString DateUtilities::agoString(const QDateTime &date)
{
    const double elapsed = platform::Clock::current().timestamp() - Ext::timestamp(date);
    if (std::isnan(elapsed))
        return kNoValue;
    auto withValue = [](const char *key, double value) {
        // A future moment is a negative elapsed time; cut toward zero like the other rows.
        const auto whole = wholeSeconds(value).value_or(0);
        return localized(QString::fromLatin1(key)).arg(static_cast<qlonglong>(whole));
    };
    if (elapsed < 60)
        return withValue("AGO_SECONDS", elapsed);
    if (elapsed < 120)
        return localized(QStringLiteral("ONE_MINUTE_AGO"));
    if (elapsed < 3600)
        return withValue("AGO_MINUTES", elapsed / 60);
    if (elapsed < 7200)
        return localized(QStringLiteral("ONE_HOUR_AGO"));
    if (elapsed < kDay)
        return withValue("HOURS_AGO", elapsed / 3600);
    if (elapsed < 2 * kDay)
        return localized(QStringLiteral("YESTERDAY"));
    return withValue("DAYS_AGO", elapsed / kDay);
}

QString DateUtilities::dayTimeString(double t)
{
    // The moment is judged and shown in local time: today and yesterday are calendar days of the
    // local zone, and the offset is that of the moment itself, not of the present.
    const QDateTime moment = Ext::fromTimestamp(t);
    if (!moment.isValid())
        return kNoValue;
    const QLocale locale;
    const QDate today = localNow().date();
    const QString time = locale.toString(moment.time(), locale.timeFormat(QLocale::ShortFormat));
    if (moment.date() == today)
        return localized(QStringLiteral("TODAY_AT")) + QLatin1Char(' ') + time;
    if (moment.date() == today.addDays(-1))
        return localized(QStringLiteral("YESTERDAY_AT")) + QLatin1Char(' ') + time;
    return Ext::styledString(moment, DateFormatterStyle::Short, DateFormatterStyle::Short);
}

QString DateUtilities::weekRangeString(std::int64_t weeksBack)
{
    const QDateTime start = startOfWeekBack(weeksBack);
    if (!start.isValid())
        return kNoValue;
    // The Sunday by the calendar: in a week that loses an hour to daylight saving, 604,799 seconds
    // after Monday 00:00 is already the next Monday.
    const QDateTime end = Ext::addingDays(start, 6);
    return Ext::shortDateString(start) + QStringLiteral(" - ") + Ext::shortDateString(end);
}

// Names and labels.

QString DateUtilities::formattedDate(const QDateTime &date, const QString &p)
{
    return detail::DatePattern::format(date.toLocalTime(), p, QLocale());
}

QString DateUtilities::weekdayName(const QDateTime &date) { return pattern(date, "EEEE"); }

QString DateUtilities::monthShortName(const QDateTime &date) { return pattern(date, "LLL"); }

QStringList DateUtilities::weekdayNames()
{
    QStringList names;
    for (const QDateTime &day : daysOfThisWeek())
        names << pattern(day, "EEEE");
    return names;
}

QStringList DateUtilities::weekdayInitials()
{
    QStringList initials;
    for (const QDateTime &day : daysOfThisWeek()) {
        const QString name = pattern(day, "EEEE");
        initials << (name.size() >= 2 ? name.left(1) : name);
    }
    return initials;
}

std::optional<QString> DateUtilities::monthShortName(int month)
{
    const QDateTime date = dayInThisYear(month);
    if (!date.isValid())
        return std::nullopt;
    return pattern(date, "LLL");
}

std::optional<QString> DateUtilities::monthShortName(Month month) { return monthShortName(rawValue(month)); }

QStringList DateUtilities::monthShortNames()
{
    QStringList names;
    for (Month m : allMonths) {
        if (const auto name = monthShortName(m))
            names << *name;
    }
    return names;
}

std::optional<QString> DateUtilities::monthName(int month)
{
    const QDateTime date = dayInThisYear(month);
    if (!date.isValid())
        return std::nullopt;
    return pattern(date, "LLLL");
}

QString DateUtilities::monthYearString(std::int64_t monthsBack)
{
    const QDateTime start = startOfMonthBack(monthsBack);
    return start.isValid() ? pattern(start, "MMMM yyyy") : kNoValue;
}

QString DateUtilities::yearString(std::int64_t yearsBack)
{
    const QDateTime start = startOfYearBack(yearsBack);
    return start.isValid() ? pattern(start, "yyyy") : kNoValue;
}

QStringList DateUtilities::dayOfMonthLabels(std::int64_t monthsBack)
{
    const QDateTime start = startOfMonthBack(monthsBack);
    QStringList labels;
    if (!start.isValid())
        return labels;
    for (const QDateTime &day : calendarDays(start, start.date().daysInMonth()))
        labels << pattern(day, "dd");
    return labels;
}

QStringList DateUtilities::monthLabels()
{
    const QDateTime start = startOfYearDate();
    QStringList labels;
    for (int s = 0; s < 12; ++s)
        labels << pattern(Ext::addingMonths(start, s), "MMM");
    return labels;
}

// Bounds of periods.

double DateUtilities::startOfToday() { return Ext::timestamp(localNow().date().startOfDay(Qt::LocalTime)); }

double DateUtilities::startOfYesterday() { return startOfToday() - kDay; }

double DateUtilities::endOfYesterday() { return startOfToday() - 1; }

double DateUtilities::startOfWeek() { return Ext::timestamp(Ext::startOfWeek(localNow())); }

double DateUtilities::endOfWeek() { return startOfWeek() + kWeek - 1; }

double DateUtilities::startOfLastWeek() { return startOfWeek() - kWeek; }

double DateUtilities::endOfLastWeek() { return startOfLastWeek() + kWeek - 1; }

double DateUtilities::startOfMonth() { return Ext::timestamp(Ext::startOfMonth(localNow())); }

double DateUtilities::endOfMonth() { return Ext::timestamp(Ext::addingMonths(Ext::startOfMonth(localNow()), 1)) - 1; }

double DateUtilities::startOfLastMonth()
{
    return Ext::timestamp(Ext::addingMonths(Ext::startOfMonth(localNow()), -1));
}

double DateUtilities::endOfLastMonth()
{
    return Ext::timestamp(Ext::addingMonths(Ext::fromTimestamp(startOfLastMonth()), 1)) - 1;
}

double DateUtilities::startOfYear() { return Ext::timestamp(startOfYearDate()); }

double DateUtilities::endOfYear() { return Ext::timestamp(Ext::addingYears(startOfYearDate(), 1)) - 1; }

double DateUtilities::startOfLastYear() { return Ext::timestamp(Ext::addingYears(startOfYearDate(), -1)); }

double DateUtilities::endOfLastYear() { return Ext::timestamp(Ext::addingYears(Ext::fromTimestamp(endOfYear()), -1)); }

// Parts and counts.

int DateUtilities::currentYear() { return localNow().date().year(); }

int DateUtilities::currentMonth() { return localNow().date().month(); }

int DateUtilities::currentDay() { return localNow().date().day(); }

int DateUtilities::dayOfMonth(double timestamp)
{
    const QDateTime date = Ext::fromTimestamp(timestamp);
    return date.isValid() ? date.date().day() : 0;
}

std::optional<Day> DateUtilities::weekday(double timestamp)
{
    const QDateTime date = Ext::fromTimestamp(timestamp);
    if (!date.isValid())
        return std::nullopt;
    return dayFromRawValue(date.date().dayOfWeek() % 7 + 1);
}

std::optional<Month> DateUtilities::month(double timestamp)
{
    const QDateTime date = Ext::fromTimestamp(timestamp);
    if (!date.isValid())
        return std::nullopt;
    return monthFromRawValue(date.date().month());
}

int DateUtilities::daysInYear(int year)
{
    const QDate date(year, 1, 1);
    return date.isValid() ? date.daysInYear() : 0;
}

int DateUtilities::daysInMonth(int month, int year)
{
    const QDate date(year, month, 1);
    return date.isValid() ? date.daysInMonth() : 0;
}

int DateUtilities::monthLength(int year, int month) { return daysInMonth(month, year); }

int DateUtilities::daysInMonthOf(const QDateTime &date)
{
    return date.isValid() ? date.toLocalTime().date().daysInMonth() : 0;
}

int DateUtilities::firstWeekdayIndex(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return 0;
    const auto day = dayFromRawValue(first.dayOfWeek() % 7 + 1);
    return day ? dayPosition(*day) : 0;
}

int DateUtilities::weeksInMonth(int year, int month)
{
    const int cells = monthLength(year, month) + firstWeekdayIndex(year, month);
    return std::max(1, (cells + 6) / 7);
}

int DateUtilities::daysBetween(double from, double to)
{
    const QDateTime a = Ext::fromTimestamp(from);
    const QDateTime b = Ext::fromTimestamp(to);
    if (!a.isValid() || !b.isValid())
        return 0;
    // Whole days: calendar days that fit between the two moments at the same wall-clock time.
    qint64 days = a.date().daysTo(b.date());
    if (days > 0 && Ext::addingDays(a, days) > b)
        --days;
    else if (days < 0 && Ext::addingDays(a, days) < b)
        ++days;
    return static_cast<int>(days + 1);
}

std::optional<std::int64_t> DateUtilities::daysAgo(double timestamp)
{
    const QDateTime date = Ext::fromTimestamp(timestamp);
    if (!date.isValid())
        return std::nullopt;
    return date.date().daysTo(localNow().date());
}

bool DateUtilities::isNextDay(double first, double second)
{
    const QDateTime a = Ext::fromTimestamp(first);
    const QDateTime b = Ext::fromTimestamp(second);
    return a.isValid() && b.isValid() && a.date().daysTo(b.date()) == 1;
}

// Back in time.

double DateUtilities::monthsBefore(std::int64_t n, double timestamp)
{
    const auto back = negated(n);
    const QDateTime moved = back ? Ext::addingMonths(Ext::fromTimestamp(timestamp), *back) : QDateTime();
    return moved.isValid() ? Ext::timestamp(moved) : platform::Clock::current().timestamp();
}

QList<double> DateUtilities::monthEndTimestamps()
{
    const double endOfToday = Ext::endOfTodayTimestamp();
    QList<double> ends;
    for (int n = 11; n >= 0; --n)
        ends.append(monthsBefore(n, endOfToday));
    return ends;
}

QList<Interval> DateUtilities::weekDayIntervals(std::int64_t weeksBack)
{
    const QDateTime start = startOfWeekBack(weeksBack);
    return start.isValid() ? dayIntervals(Ext::timestamp(start), 7) : QList<Interval>();
}

QList<Interval> DateUtilities::monthDayIntervals(std::int64_t monthsBack)
{
    const QDateTime start = startOfMonthBack(monthsBack);
    return start.isValid() ? dayIntervals(Ext::timestamp(start), start.date().daysInMonth()) : QList<Interval>();
}

QList<Interval> DateUtilities::yearMonthIntervals(std::int64_t yearsBack)
{
    const QDateTime year = startOfYearBack(yearsBack);
    QList<Interval> intervals;
    if (!year.isValid())
        return intervals;
    for (int i = 1; i <= 12; ++i) {
        const QDateTime start = Ext::addingMonths(year, i - 1);
        const QDateTime next = Ext::addingMonths(year, i);
        if (!start.isValid() || !next.isValid())
            return {};
        intervals.append({ Ext::timestamp(start), Ext::timestamp(next) - 1 });
    }
    return intervals;
}

} // namespace tavrin
