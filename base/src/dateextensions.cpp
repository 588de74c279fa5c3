#include "tavrin/dateextensions.h"

#include "datepattern_p.h"

#include <platform/core/clock.h>

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace tavrin {

namespace {
    constexpr double kDay = 86400;
    constexpr double kWeek = 604800;

    QDateTime localNow() { return platform::Clock::current().now().toLocalTime(); }

    QDateTime startOf(const QDate &date) { return date.isValid() ? date.startOfDay(Qt::LocalTime) : QDateTime(); }

    QDate mondayOf(const QDate &date) { return date.addDays(1 - date.dayOfWeek()); }

    bool fitsInt(std::int64_t n)
    {
        return n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
    }

    // The local date keeping the wall-clock time of `reference`.
    QDateTime withTimeOf(const QDate &date, const QDateTime &reference)
    {
        if (!date.isValid())
            return {};
        const QTime t = reference.time();
        QDateTime result
            = DateExtensions::localDateTime(date.year(), date.month(), date.day(), t.hour(), t.minute(), t.second());
        return result.isValid() ? result.addMSecs(t.msec()) : result;
    }
}

QDateTime DateExtensions::localDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    QDateTime result(date, time, Qt::LocalTime);
    if (!result.isValid()) {
        // The time falls in a gap: count its distance from the start of the day instead.
        result = date.startOfDay(Qt::LocalTime).addSecs(QTime(0, 0).secsTo(time));
    }
    return result;
}

double DateExtensions::timestamp(const QDateTime &date)
{
    return date.isValid() ? static_cast<double>(date.toMSecsSinceEpoch()) / 1000.0
                          : std::numeric_limits<double>::quiet_NaN();
}

QDateTime DateExtensions::fromTimestamp(double timestamp)
{
    const double ms = std::floor(timestamp * 1000.0);
    if (!std::isfinite(ms) || std::abs(ms) > 9.0e15)
        return {};
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms), Qt::LocalTime);
}

QDateTime DateExtensions::startOfWeek(const QDateTime &date)
{
    return date.isValid() ? startOf(mondayOf(date.toLocalTime().date())) : QDateTime();
}

QDateTime DateExtensions::endOfWeek(const QDateTime &date)
{
    return date.isValid() ? startOf(mondayOf(date.toLocalTime().date()).addDays(6)) : QDateTime();
}

QDateTime DateExtensions::startOfMonth(const QDateTime &date)
{
    if (!date.isValid())
        return {};
    const QDate d = date.toLocalTime().date();
    return startOf(QDate(d.year(), d.month(), 1));
}

QDateTime DateExtensions::endOfMonth(const QDateTime &date)
{
    const QDateTime start = startOfMonth(date);
    return start.isValid() ? startOf(start.date().addMonths(1).addDays(-1)) : QDateTime();
}

QDateTime DateExtensions::addingWeeks(const QDateTime &date, std::int64_t n)
{
    if (n > std::numeric_limits<std::int64_t>::max() / 7 || n < std::numeric_limits<std::int64_t>::min() / 7)
        return {};
    return addingDays(date, n * 7);
}

QDateTime DateExtensions::addingMonths(const QDateTime &date, std::int64_t n)
{
    if (!date.isValid() || !fitsInt(n))
        return {};
    const QDateTime local = date.toLocalTime();
    return withTimeOf(local.date().addMonths(static_cast<int>(n)), local);
}

QDateTime DateExtensions::addingYears(const QDateTime &date, std::int64_t n)
{
    if (!date.isValid() || !fitsInt(n))
        return {};
    const QDateTime local = date.toLocalTime();
    return withTimeOf(local.date().addYears(static_cast<int>(n)), local);
}

QDateTime DateExtensions::addingDays(const QDateTime &date, std::int64_t n)
{
    if (!date.isValid())
        return {};
    const QDateTime local = date.toLocalTime();
    return withTimeOf(local.date().addDays(n), local);
}

int DateExtensions::year(const QDateTime &date)
{
    return date.isValid() ? date.toLocalTime().date().year() : currentYear().value_or(0);
}

int DateExtensions::month(const QDateTime &date)
{
    return (date.isValid() ? date : localNow()).toLocalTime().date().month();
}

int DateExtensions::day(const QDateTime &date)
{
    return (date.isValid() ? date : localNow()).toLocalTime().date().day();
}

bool DateExtensions::isSameDay(const QDateTime &date, double t)
{
    if (!date.isValid())
        return false;
    const QDate d = date.toLocalTime().date();
    const double start = timestamp(localDateTime(d.year(), d.month(), d.day(), 0, 0, 0));
    const double end = timestamp(localDateTime(d.year(), d.month(), d.day(), 23, 59, 59));
    return start <= t && t < end;
}

bool DateExtensions::isDay(const QDateTime &date, int day, int month)
{
    if (!date.isValid())
        return false;
    const QDate d = date.toLocalTime().date();
    return d.day() == day && d.month() == month;
}

QString DateExtensions::dayString(const QDateTime &date)
{
    return detail::DatePattern::format(date.toLocalTime(), QStringLiteral("yyyy-MM-dd"), QLocale());
}

QString DateExtensions::monthNameString(const QDateTime &date)
{
    return detail::DatePattern::format(date.toLocalTime(), QStringLiteral("LLLL"), QLocale());
}

QString DateExtensions::timeString(const QDateTime &date)
{
    return styledString(date, DateFormatterStyle::None, DateFormatterStyle::Medium);
}

QString DateExtensions::shortDateString(const QDateTime &date)
{
    return styledString(date, DateFormatterStyle::Short, DateFormatterStyle::None);
}

QString DateExtensions::styledString(const QDateTime &date, DateFormatterStyle dateStyle, DateFormatterStyle timeStyle)
{
    if (!date.isValid())
        return {};
    const QLocale locale;
    const QString dateFormat = detail::DatePattern::qtDateFormat(static_cast<int>(dateStyle), locale);
    const QString timeFormat = detail::DatePattern::qtTimeFormat(static_cast<int>(timeStyle), locale);
    QString format = dateFormat;
    if (!timeFormat.isEmpty())
        format = format.isEmpty() ? timeFormat : format + QLatin1Char(' ') + timeFormat;
    return format.isEmpty() ? QString() : locale.toString(date.toLocalTime(), format);
}

QDateTime DateExtensions::fromString(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,4})-(\\d{1,2})-(\\d{1,2}) (\\d{1,2}):(\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (m.hasMatch()) {
        const int hour12 = m.captured(4).toInt();
        // The 12-hour field without a day period: 12 is the hour after midnight, 1 to 11 the morning.
        if (hour12 >= 1 && hour12 <= 12) {
            const QDateTime result = localDateTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                hour12 % 12, m.captured(5).toInt(), m.captured(6).toInt());
            if (result.isValid())
                return result;
        }
    }
    return localNow();
}

QDateTime DateExtensions::make(int day, int month, int year, int hour, int minute, int second)
{
    const QDateTime result = localDateTime(year, month, day, hour, minute, second);
    if (!result.isValid())
        qFatal("Could not create date object.");
    return result;
}

QDateTime DateExtensions::current() { return localNow(); }

double DateExtensions::currentTimestamp() { return platform::Clock::current().timestamp(); }

std::optional<int> DateExtensions::currentYear() { return localNow().date().year(); }

QDateTime DateExtensions::startOfPreviousMonth() { return addingMonths(startOfMonth(localNow()), -1); }

double DateExtensions::startOfTodayTimestamp()
{
    const QDate today = localNow().date();
    return timestamp(localDateTime(today.year(), today.month(), today.day(), 0, 0, 0));
}

double DateExtensions::endOfTodayTimestamp()
{
    const QDate today = localNow().date();
    return timestamp(localDateTime(today.year(), today.month(), today.day(), 23, 59, 59));
}

double DateExtensions::startOfYesterdayTimestamp() { return startOfTodayTimestamp() - kDay; }

double DateExtensions::endOfYesterdayTimestamp() { return endOfTodayTimestamp() - kDay; }

QDateTime DateExtensions::firstDayOfYear() { return localDateTime(currentYear().value_or(0), 1, 1, 12, 0, 0); }

double DateExtensions::yearStartTimestamp(int year) { return timestamp(localDateTime(year, 1, 1, 12, 0, 0)); }

double DateExtensions::yearEndTimestamp(int year) { return timestamp(localDateTime(year, 12, 31, 23, 59, 59)); }

int DateExtensions::weekdayIndex()
{
    // Qt counts Monday 1 to Sunday 7.
    const int dayOfWeek = localNow().date().dayOfWeek();
    return dayOfWeek == 7 ? -1 : dayOfWeek - 1;
}

double DateExtensions::inOneWeek() { return currentTimestamp() + kWeek; }

double DateExtensions::inFourWeeks() { return currentTimestamp() + 4 * kWeek; }

double DateExtensions::oneWeekAgo() { return currentTimestamp() - kWeek; }

} // namespace tavrin
