#include "support/scopedlocale.h"
#include "tavrin/dateutilities.h"

#include <platform/core/bundle.h>
#include <platform/core/clock.h>

#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using tavrin::DateUtilities;
using tavrin::Day;
using tavrin::Interval;
using tavrin::Month;

namespace {
QDateTime local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
}

double ts(const QDateTime &date) { return static_cast<double>(date.toMSecsSinceEpoch()) / 1000.0; }

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

class DateUtilitiesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<quenbytest::ScopedTimeZone> m_zone;
    std::unique_ptr<quenbytest::ScopedLocale> m_locale;
    platform::ManualClock m_clock;
    std::unique_ptr<platform::ScopedClock> m_clockGuard;

    void setNow(const QDateTime &now) { m_clock.set(now); }

private slots:
    void initTestCase()
    {
        m_zone = std::make_unique<quenbytest::ScopedTimeZone>("Europe/Berlin");
        m_locale = std::make_unique<quenbytest::ScopedLocale>(QStringLiteral("en_US"));
        m_clockGuard = std::make_unique<platform::ScopedClock>(m_clock);
        platform::Bundle::setPreferredLanguages({ QStringLiteral("en") });
    }

    void cleanupTestCase() { platform::Bundle::setPreferredLanguages({}); }

    void init() { setNow(local(2024, 3, 6, 15, 30, 20)); } // a Wednesday

    // Durations.

    void duration_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "00:00:00:00";
        QTest::newRow("seconds") << qint64(5) << "00:00:00:05";
        QTest::newRow("a minute") << qint64(60) << "00:00:01:00";
        QTest::newRow("hour, minute, second") << qint64(3661) << "00:01:01:01";
        QTest::newRow("a day") << qint64(86400) << "01:00:00:00";
        QTest::newRow("all four") << qint64(90061) << "01:01:01:01";
        QTest::newRow("three-digit days") << qint64(100 * 86400 + 59) << "100:00:00:59";
        QTest::newRow("negative keeps its sign") << qint64(-1) << "00:00:00:-1";
        QTest::newRow("negative hours") << qint64(-3661) << "00:-1:-1:-1";
    }

    void duration()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(DateUtilities::durationString(std::int64_t(seconds)), text);
        QCOMPARE(DateUtilities::durationString(double(seconds) + (seconds < 0 ? -0.9 : 0.9)), text);
    }

    void hoursMinutes_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("below a minute") << qint64(59) << "0h 0m";
        QTest::newRow("a minute") << qint64(60) << "1m";
        QTest::newRow("below an hour") << qint64(3599) << "59m";
        QTest::newRow("an hour") << qint64(3600) << "1h 0m";
        QTest::newRow("hours and minutes") << qint64(7260) << "2h 1m";
        QTest::newRow("days stay hours") << qint64(90000) << "25h 0m";
    }

    void hoursMinutes()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(DateUtilities::hoursMinutesString(std::optional<std::int64_t>(seconds)), text);
        QCOMPARE(DateUtilities::hoursMinutesString(std::optional<double>(double(seconds) + 0.5)), text);
    }

    void hoursMinutesWithoutValue()
    {
        QCOMPARE(DateUtilities::hoursMinutesString(std::optional<std::int64_t>()), QStringLiteral("0h 0m"));
        QCOMPARE(DateUtilities::hoursMinutesString(std::optional<double>()), QStringLiteral("0m"));
        QCOMPARE(DateUtilities::hoursMinutesString(std::optional<double>(kNaN)), QStringLiteral("-"));
    }

    void hms_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("compact");
        QTest::addColumn<QString>("text");
        QTest::newRow("compact zero") << qint64(0) << true << "0 s";
        QTest::newRow("compact seconds") << qint64(5) << true << "05s";
        QTest::newRow("compact minutes") << qint64(65) << true << "01m 05s";
        QTest::newRow("compact with hours") << qint64(3600) << true << "01h 00m 00s";
        QTest::newRow("full seconds") << qint64(5) << false << "00h 00m 05s";
        QTest::newRow("full zero") << qint64(0) << false << "00h 00m 00s";
        QTest::newRow("days dropped") << qint64(90000) << false << "01h 00m 00s";
        QTest::newRow("days dropped, compact") << qint64(86430) << true << "30s";
    }

    void hms()
    {
        QFETCH(qint64, seconds);
        QFETCH(bool, compact);
        QFETCH(QString, text);
        QCOMPARE(DateUtilities::hmsString(std::int64_t(seconds), compact), text);
        if (compact)
            QCOMPARE(DateUtilities::hmsString(double(seconds) + 0.7), text);
    }

    void doubleFormsOutsideTheirRange()
    {
        QCOMPARE(DateUtilities::durationString(kNaN), QStringLiteral("-"));
        QCOMPARE(DateUtilities::durationString(std::numeric_limits<double>::infinity()), QStringLiteral("-"));
        QCOMPARE(DateUtilities::hmsString(1e19), QStringLiteral("-"));
    }

    // Relative texts.

    void ago_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("text");
        QTest::newRow("now") << "en" << 0.0 << "0 seconds ago";
        QTest::newRow("seconds cut") << "en" << 59.9 << "59 seconds ago";
        QTest::newRow("one minute from 60") << "en" << 60.0 << "1 minute ago";
        QTest::newRow("still one minute") << "en" << 119.9 << "1 minute ago";
        QTest::newRow("minutes from 120") << "en" << 120.0 << "2 minutes ago";
        QTest::newRow("last minute row") << "en" << 3599.0 << "59 minutes ago";
        QTest::newRow("one hour from 3600") << "en" << 3600.0 << "1 hour ago";
        QTest::newRow("hours from 7200") << "en" << 7200.0 << "2 hours ago";
        QTest::newRow("last hour row") << "en" << 86399.0 << "23 hours ago";
        QTest::newRow("yesterday from 86400") << "en" << 86400.0 << "Yesterday";
        QTest::newRow("days from 172800") << "en" << 172800.0 << "2 days ago";
        QTest::newRow("future falls in the first row") << "en" << -30.0 << "-30 seconds ago";
        QTest::newRow("german") << "de" << 300.0 << "vor 5 Minuten";
    }

    void ago()
    {
        QFETCH(QString, language);
        QFETCH(double, elapsed);
        QFETCH(QString, text);
        platform::Bundle::setPreferredLanguages({ language });
        const QDateTime date = m_clock.now().addMSecs(-qint64(std::llround(elapsed * 1000)));
        QCOMPARE(DateUtilities::agoString(date), text);
        platform::Bundle::setPreferredLanguages({ QStringLiteral("en") });
    }

    void agoOfNoDate() { QCOMPARE(DateUtilities::agoString(QDateTime()), QStringLiteral("-")); }

    void dayTime_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("text");
        // New York is behind UTC: shifting the moment by the zone's offset before judging the day
        // would call an early hour of today "yesterday".
        QTest::newRow("early today") << local(2024, 3, 6, 2, 0) << "Today at 2:00 AM";
        QTest::newRow("late today") << local(2024, 3, 6, 23, 50) << "Today at 11:50 PM";
        QTest::newRow("late yesterday") << local(2024, 3, 5, 23, 30) << "Yesterday at 11:30 PM";
        QTest::newRow("early yesterday") << local(2024, 3, 5, 0, 10) << "Yesterday at 12:10 AM";
        QTest::newRow("older") << local(2024, 3, 4, 10, 0) << "3/4/24 10:00 AM";
        // Before the change to summer time at 02:00 on 10 March, seen on the 11th: shown with the
        // offset of the moment, not that of the present.
        QTest::newRow("across the clock change") << local(2024, 3, 10, 1, 30) << "Yesterday at 1:30 AM";
    }

    void dayTime()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, text);
        quenbytest::ScopedTimeZone newYork("America/New_York");
        // The moments are built in New York time, after the zone is switched.
        const QDateTime inZone = QDateTime(moment.date(), moment.time(), Qt::LocalTime);
        setNow(QDateTime(QDate(2024, 3, inZone.date() == QDate(2024, 3, 10) ? 11 : 6), QTime(10, 0), Qt::LocalTime));
        QCOMPARE(DateUtilities::dayTimeString(ts(inZone)), text);
    }

    void dayTimeGerman()
    {
        quenbytest::ScopedLocale german(QStringLiteral("de_DE"));
        platform::Bundle::setPreferredLanguages({ QStringLiteral("de") });
        QCOMPARE(DateUtilities::dayTimeString(ts(local(2024, 3, 6, 8, 5))), QStringLiteral("Heute um 08:05"));
        platform::Bundle::setPreferredLanguages({ QStringLiteral("en") });
        QCOMPARE(DateUtilities::dayTimeString(kNaN), QStringLiteral("-"));
    }

    void weekRange_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("weeksBack");
        QTest::addColumn<QString>("text");
        // The week of 25 March 2024 is an hour short: its last second is Sunday 23:59:59.
        QTest::newRow("this week, an hour short") << "de_DE" << qint64(0) << "25.03.24 - 31.03.24";
        QTest::newRow("last week") << "de_DE" << qint64(1) << "18.03.24 - 24.03.24";
        QTest::newRow("english") << "en_US" << qint64(0) << "3/25/24 - 3/31/24";
        QTest::newRow("a week ahead") << "en_US" << qint64(-1) << "4/1/24 - 4/7/24";
        QTest::newRow("no such week") << "en_US" << std::numeric_limits<qint64>::min() << "-";
    }

    void weekRange()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, weeksBack);
        QFETCH(QString, text);
        quenbytest::ScopedLocale scoped(locale);
        setNow(local(2024, 3, 27, 12));
        QCOMPARE(DateUtilities::weekRangeString(weeksBack), text);
    }

    // Names and labels.

    void weekdayNames()
    {
        QCOMPARE(DateUtilities::weekdayNames(),
            QStringList({ "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday" }));
        QCOMPARE(DateUtilities::weekdayInitials(), QStringList({ "M", "T", "W", "T", "F", "S", "S" }));
        quenbytest::ScopedLocale german(QStringLiteral("de_DE"));
        QCOMPARE(DateUtilities::weekdayInitials(), QStringList({ "M", "D", "M", "D", "F", "S", "S" }));
        QCOMPARE(DateUtilities::weekdayName(local(2024, 3, 10)), QStringLiteral("Sonntag"));
    }

    void monthNames()
    {
        QCOMPARE(DateUtilities::monthShortName(3), std::optional<QString>(QStringLiteral("Mar")));
        QCOMPARE(DateUtilities::monthShortName(Month::December), std::optional<QString>(QStringLiteral("Dec")));
        QCOMPARE(DateUtilities::monthShortName(0), std::optional<QString>());
        QCOMPARE(DateUtilities::monthShortName(13), std::optional<QString>());
        QCOMPARE(DateUtilities::monthName(13), std::optional<QString>());
        QCOMPARE(DateUtilities::monthShortName(local(2024, 9, 1)), QStringLiteral("Sep"));
        const QStringList shortNames = DateUtilities::monthShortNames();
        QCOMPARE(shortNames.size(), 12);
        QCOMPARE(shortNames.first(), QStringLiteral("Jan"));
        QCOMPARE(shortNames.last(), QStringLiteral("Dec"));
        QCOMPARE(DateUtilities::monthLabels(), shortNames);
        quenbytest::ScopedLocale german(QStringLiteral("de_DE"));
        QCOMPARE(DateUtilities::monthName(3), std::optional<QString>(QStringLiteral("März")));
    }

    void formattedDate_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("day") << "yyyy-MM-dd"
                             << "2024-03-05";
        QTest::newRow("unpadded") << "d/M/yy"
                                  << "5/3/24";
        QTest::newRow("names") << "EEE, MMM d"
                               << "Tue, Mar 5";
        QTest::newRow("twelve-hour") << "hh:mm a"
                                     << "01:02 PM";
        QTest::newRow("twenty-four-hour") << "HH:mm:ss.SSS"
                                          << "13:02:03.000";
        QTest::newRow("quoted literal") << "'Day' D 'o''clock'"
                                        << "Day 65 o'clock";
        QTest::newRow("lone quote pair") << "h''mm"
                                         << "1'02";
    }

    void formattedDate()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(DateUtilities::formattedDate(local(2024, 3, 5, 13, 2, 3), pattern), text);
    }

    void captionsBackInTime()
    {
        QCOMPARE(DateUtilities::monthYearString(0), QStringLiteral("March 2024"));
        QCOMPARE(DateUtilities::monthYearString(3), QStringLiteral("December 2023"));
        QCOMPARE(DateUtilities::yearString(1), QStringLiteral("2023"));
        QCOMPARE(DateUtilities::monthYearString(std::numeric_limits<qint64>::min()), QStringLiteral("-"));
        setNow(local(2024, 2, 10, 12));
        QStringList february;
        for (int day = 1; day <= 29; ++day)
            february << QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
        QCOMPARE(DateUtilities::dayOfMonthLabels(0), february);
        QCOMPARE(DateUtilities::dayOfMonthLabels(1).size(), 31);
        QCOMPARE(DateUtilities::dayOfMonthLabels(12).size(), 28);
    }

    void labelsOverTheClockChange()
    {
        // Berlin goes back an hour on 27 October 2024: 27 × 86,400 seconds after 1 October 00:00 is
        // still the 27th by the clock, so stepping by seconds would show "27" twice and never "31".
        setNow(local(2024, 10, 15, 12));
        QStringList october;
        for (int day = 1; day <= 31; ++day)
            october << QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
        QCOMPARE(DateUtilities::dayOfMonthLabels(0), october);
    }

    // Bounds.

    void bounds()
    {
        QCOMPARE(DateUtilities::startOfToday(), ts(local(2024, 3, 6)));
        QCOMPARE(DateUtilities::startOfYesterday(), ts(local(2024, 3, 5)));
        QCOMPARE(DateUtilities::endOfYesterday(), ts(local(2024, 3, 5, 23, 59, 59)));
        QCOMPARE(DateUtilities::startOfWeek(), ts(local(2024, 3, 4)));
        QCOMPARE(DateUtilities::endOfWeek() - DateUtilities::startOfWeek(), 604799.0);
        QCOMPARE(DateUtilities::startOfLastWeek(), DateUtilities::startOfWeek() - 604800);
        QCOMPARE(DateUtilities::endOfLastWeek(), DateUtilities::startOfWeek() - 1);
        QCOMPARE(DateUtilities::startOfMonth(), ts(local(2024, 3, 1)));
        // March ends in summer time: its last second is still 23:59:59 by the clock.
        QCOMPARE(DateUtilities::endOfMonth(), ts(local(2024, 3, 31, 23, 59, 59)));
        QCOMPARE(DateUtilities::startOfLastMonth(), ts(local(2024, 2, 1)));
        QCOMPARE(DateUtilities::endOfLastMonth(), ts(local(2024, 2, 29, 23, 59, 59)));
        QCOMPARE(DateUtilities::startOfYear(), ts(local(2024, 1, 1)));
        QCOMPARE(DateUtilities::endOfYear(), ts(local(2024, 12, 31, 23, 59, 59)));
        QCOMPARE(DateUtilities::startOfLastYear(), ts(local(2023, 1, 1)));
        QCOMPARE(DateUtilities::endOfLastYear(), ts(local(2023, 12, 31, 23, 59, 59)));
    }

    void endOfMonthIgnoresTheCurrentSecond()
    {
        setNow(local(2024, 4, 30, 23, 59, 59));
        QCOMPARE(DateUtilities::endOfMonth(), ts(local(2024, 4, 30, 23, 59, 59)));
        setNow(local(2024, 4, 1));
        QCOMPARE(DateUtilities::endOfMonth(), ts(local(2024, 4, 30, 23, 59, 59)));
    }

    // Parts and counts.

    void parts()
    {
        QCOMPARE(DateUtilities::currentYear(), 2024);
        QCOMPARE(DateUtilities::currentMonth(), 3);
        QCOMPARE(DateUtilities::currentDay(), 6);
        const double sunday = ts(local(2024, 3, 10, 23, 30));
        QCOMPARE(DateUtilities::dayOfMonth(sunday), 10);
        QCOMPARE(DateUtilities::weekday(sunday), std::optional<Day>(Day::Sunday));
        QCOMPARE(DateUtilities::weekday(ts(local(2024, 3, 4))), std::optional<Day>(Day::Monday));
        QCOMPARE(DateUtilities::month(sunday), std::optional<Month>(Month::March));
        QCOMPARE(DateUtilities::weekday(kNaN), std::optional<Day>());
    }

    void monthShape_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("firstIndex");
        QTest::addColumn<int>("weeks");
        QTest::newRow("28 days from a Monday") << 2021 << 2 << 28 << 0 << 4;
        QTest::newRow("31 days from a Sunday") << 2021 << 8 << 31 << 6 << 6;
        QTest::newRow("30 days from a Saturday") << 2023 << 4 << 30 << 5 << 5;
        QTest::newRow("leap february from a Thursday") << 2024 << 2 << 29 << 3 << 5;
        QTest::newRow("no such month") << 2024 << 13 << 0 << 0 << 1;
    }

    void monthShape()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, length);
        QFETCH(int, firstIndex);
        QFETCH(int, weeks);
        QCOMPARE(DateUtilities::monthLength(year, month), length);
        QCOMPARE(DateUtilities::daysInMonth(month, year), length);
        QCOMPARE(DateUtilities::firstWeekdayIndex(year, month), firstIndex);
        QCOMPARE(DateUtilities::weeksInMonth(year, month), weeks);
    }

    void dayCounts()
    {
        QCOMPARE(DateUtilities::daysInYear(2024), 366);
        QCOMPARE(DateUtilities::daysInYear(2023), 365);
        QCOMPARE(DateUtilities::daysInYear(0), 0);
        QCOMPARE(DateUtilities::daysInMonthOf(local(2023, 2, 14)), 28);
    }

    void daysBetween_data()
    {
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<int>("days");
        QTest::newRow("same instant") << local(2024, 3, 6, 12) << local(2024, 3, 6, 12) << 1;
        QTest::newRow("less than a day") << local(2024, 3, 6, 23) << local(2024, 3, 7, 1) << 1;
        QTest::newRow("one whole day") << local(2024, 3, 6, 12) << local(2024, 3, 7, 12) << 2;
        QTest::newRow("three days") << local(2024, 3, 6, 12) << local(2024, 3, 9, 13) << 4;
        QTest::newRow("23-hour day of the clock change") << local(2024, 3, 30, 12) << local(2024, 3, 31, 12) << 2;
        QTest::newRow("backwards") << local(2024, 3, 8, 12) << local(2024, 3, 6, 12) << -1;
        QTest::newRow("backwards, part of a day") << local(2024, 3, 8, 12) << local(2024, 3, 7, 13) << 1;
    }

    void daysBetween()
    {
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(int, days);
        QCOMPARE(DateUtilities::daysBetween(ts(from), ts(to)), days);
    }

    void daysAgoAndNextDay()
    {
        QCOMPARE(DateUtilities::daysAgo(ts(local(2024, 3, 6, 23))), std::optional<std::int64_t>(0));
        QCOMPARE(DateUtilities::daysAgo(ts(local(2024, 3, 5, 23, 59))), std::optional<std::int64_t>(1));
        QCOMPARE(DateUtilities::daysAgo(ts(local(2024, 2, 6, 1))), std::optional<std::int64_t>(29));
        QCOMPARE(DateUtilities::daysAgo(kNaN), std::optional<std::int64_t>());
        QVERIFY(DateUtilities::isNextDay(ts(local(2024, 3, 5, 23, 59)), ts(local(2024, 3, 6, 0, 0))));
        QVERIFY(DateUtilities::isNextDay(ts(local(2024, 2, 29, 1)), ts(local(2024, 3, 1, 23))));
        QVERIFY(!DateUtilities::isNextDay(ts(local(2024, 3, 6, 1)), ts(local(2024, 3, 6, 23))));
        QVERIFY(!DateUtilities::isNextDay(ts(local(2024, 3, 6, 1)), ts(local(2024, 3, 8, 0))));
        QVERIFY(!DateUtilities::isNextDay(ts(local(2024, 3, 6, 1)), ts(local(2024, 3, 5, 1))));
    }

    // Back in time.

    void monthsBefore()
    {
        QCOMPARE(DateUtilities::monthsBefore(1, ts(local(2024, 3, 31, 10))), ts(local(2024, 2, 29, 10)));
        QCOMPARE(DateUtilities::monthsBefore(-2, ts(local(2024, 3, 31, 10))), ts(local(2024, 5, 31, 10)));
        QCOMPARE(DateUtilities::monthsBefore(std::numeric_limits<std::int64_t>::min(), 0), ts(m_clock.now()));
        QCOMPARE(DateUtilities::monthsBefore(1, kNaN), ts(m_clock.now()));
        const QList<double> ends = DateUtilities::monthEndTimestamps();
        QCOMPARE(ends.size(), 12);
        QCOMPARE(ends.first(), ts(local(2023, 4, 6, 23, 59, 59)));
        QCOMPARE(ends.last(), ts(local(2024, 3, 6, 23, 59, 59)));
    }

    void intervals()
    {
        const QList<Interval> week = DateUtilities::weekDayIntervals(0);
        QCOMPARE(week.size(), 7);
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(week[k].start, DateUtilities::startOfWeek() + k * 86400);
            QCOMPARE(week[k].end, week[k].start + 86399);
        }
        QCOMPARE(DateUtilities::weekDayIntervals(1).first().start, DateUtilities::startOfLastWeek());

        const QList<Interval> march = DateUtilities::monthDayIntervals(0);
        QCOMPARE(march.size(), 31);
        QCOMPARE(march.first().start, ts(local(2024, 3, 1)));
        // Exactly 86,400 seconds apart even over the change to summer time.
        QCOMPARE(march.last().start, ts(local(2024, 3, 1)) + 30 * 86400);
        QCOMPARE(DateUtilities::monthDayIntervals(1).size(), 29);

        const QList<Interval> year = DateUtilities::yearMonthIntervals(0);
        QCOMPARE(year.size(), 12);
        QCOMPARE(year.first().start, ts(local(2024, 1, 1)));
        QCOMPARE(year[2].end, ts(local(2024, 3, 31, 23, 59, 59)));
        QCOMPARE(year.last().end, ts(local(2024, 12, 31, 23, 59, 59)));
        QCOMPARE(DateUtilities::yearMonthIntervals(1).first().start, ts(local(2023, 1, 1)));

        QVERIFY(DateUtilities::weekDayIntervals(std::numeric_limits<std::int64_t>::min()).isEmpty());
        QVERIFY(DateUtilities::monthDayIntervals(std::numeric_limits<std::int64_t>::min()).isEmpty());
        QVERIFY(DateUtilities::yearMonthIntervals(std::numeric_limits<std::int64_t>::min()).isEmpty());
    }

    // Weekday and month values.

    void dayAndMonthValues()
    {
        QCOMPARE(tavrin::dayFromRawValue(1), std::optional<Day>(Day::Sunday));
        QCOMPARE(tavrin::dayFromRawValue(2), std::optional<Day>(Day::Monday));
        QCOMPARE(tavrin::dayFromRawValue(0), std::optional<Day>());
        QCOMPARE(tavrin::dayFromRawValue(8), std::optional<Day>());
        QCOMPARE(tavrin::rawValue(Day::Monday), 2);
        QCOMPARE(tavrin::monthFromRawValue(12), std::optional<Month>(Month::December));
        QCOMPARE(tavrin::monthFromRawValue(13), std::optional<Month>());
        QCOMPARE(tavrin::monthFromRawValue(0), std::optional<Month>());
        QCOMPARE(tavrin::allMonths.size(), std::size_t(12));
        QCOMPARE(tavrin::allMonths.front(), Month::January);
    }
};

QTEST_GUILESS_MAIN(DateUtilitiesTest)
#include "dateutilities_test.moc"
