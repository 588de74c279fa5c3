#include "support/scopedlocale.h"
#include "tavrin/dateextensions.h"

#include <platform/core/clock.h>

#include <QTest>

#include <limits>
#include <memory>

using tavrin::DateExtensions;
using tavrin::DateFormatterStyle;

Q_DECLARE_METATYPE(DateFormatterStyle)

namespace {
QDateTime local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::LocalTime);
}

double ts(const QDateTime &date) { return static_cast<double>(date.toMSecsSinceEpoch()) / 1000.0; }
}

class DateExtensionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<quenbytest::ScopedTimeZone> m_zone;
    std::unique_ptr<quenbytest::ScopedLocale> m_locale;
    platform::ManualClock m_clock;
    std::unique_ptr<platform::ScopedClock> m_clockGuard;

    void setNow(const QDateTime &now) { m_clock.set(now); }

private slots:
    void initTestCase()
    {
        // Berlin changes to summer time on 31 March 2024 (02:00 → 03:00).
        m_zone = std::make_unique<quenbytest::ScopedTimeZone>("Europe/Berlin");
        m_locale = std::make_unique<quenbytest::ScopedLocale>(QStringLiteral("en_US"));
        m_clockGuard = std::make_unique<platform::ScopedClock>(m_clock);
    }

    void init() { setNow(local(2024, 3, 6, 15, 30, 20)); } // a Wednesday

    void bounds_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QDateTime>("weekStart");
        QTest::addColumn<QDateTime>("weekEnd");
        QTest::addColumn<QDateTime>("monthStart");
        QTest::addColumn<QDateTime>("monthEnd");
        QTest::newRow("sunday closes its week") << local(2024, 3, 10, 15) << local(2024, 3, 4) << local(2024, 3, 10)
                                                << local(2024, 3, 1) << local(2024, 3, 31);
        QTest::newRow("monday midnight opens it")
            << local(2024, 3, 4) << local(2024, 3, 4) << local(2024, 3, 10) << local(2024, 3, 1) << local(2024, 3, 31);
        QTest::newRow("leap february") << local(2024, 2, 15, 9) << local(2024, 2, 12) << local(2024, 2, 18)
                                       << local(2024, 2, 1) << local(2024, 2, 29);
        QTest::newRow("week across new year") << local(2025, 1, 1, 8) << local(2024, 12, 30) << local(2025, 1, 5)
                                              << local(2025, 1, 1) << local(2025, 1, 31);
        QTest::newRow("week of the clock change") << local(2024, 3, 31, 12) << local(2024, 3, 25) << local(2024, 3, 31)
                                                  << local(2024, 3, 1) << local(2024, 3, 31);
        QTest::newRow("a UTC date is taken in local time")
            << QDateTime(QDate(2024, 3, 3), QTime(23, 30), Qt::UTC) << local(2024, 3, 4) << local(2024, 3, 10)
            << local(2024, 3, 1) << local(2024, 3, 31);
    }

    void bounds()
    {
        QFETCH(QDateTime, date);
        QFETCH(QDateTime, weekStart);
        QFETCH(QDateTime, weekEnd);
        QFETCH(QDateTime, monthStart);
        QFETCH(QDateTime, monthEnd);
        QCOMPARE(DateExtensions::startOfWeek(date), weekStart);
        QCOMPARE(DateExtensions::endOfWeek(date), weekEnd);
        QCOMPARE(DateExtensions::startOfMonth(date), monthStart);
        QCOMPARE(DateExtensions::endOfMonth(date), monthEnd);
    }

    void arithmetic_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("month end clamps") << local(2024, 1, 31, 10) << "months" << qint64(1) << local(2024, 2, 29, 10);
        QTest::newRow("months back over a year")
            << local(2024, 3, 15, 10) << "months" << qint64(-14) << local(2023, 1, 15, 10);
        QTest::newRow("leap day plus a year") << local(2024, 2, 29, 8) << "years" << qint64(1) << local(2025, 2, 28, 8);
        QTest::newRow("weeks back") << local(2024, 3, 6, 7, 5, 9) << "weeks" << qint64(-2)
                                    << local(2024, 2, 21, 7, 5, 9);
        QTest::newRow("a day keeps the wall clock over the change")
            << local(2024, 3, 30, 10) << "days" << qint64(1) << local(2024, 3, 31, 10);
        QTest::newRow("a time in the gap moves on by the gap")
            << local(2024, 3, 30, 2, 30) << "days" << qint64(1) << local(2024, 3, 31, 3, 30);
        QTest::newRow("months beyond the calendar")
            << local(2024, 3, 6) << "months" << std::numeric_limits<qint64>::max() << QDateTime();
        QTest::newRow("weeks beyond 64 bits")
            << local(2024, 3, 6) << "weeks" << std::numeric_limits<qint64>::min() << QDateTime();
    }

    void arithmetic()
    {
        QFETCH(QDateTime, date);
        QFETCH(QString, unit);
        QFETCH(qint64, n);
        QFETCH(QDateTime, expected);
        QDateTime result;
        if (unit == QLatin1String("months"))
            result = DateExtensions::addingMonths(date, n);
        else if (unit == QLatin1String("years"))
            result = DateExtensions::addingYears(date, n);
        else if (unit == QLatin1String("weeks"))
            result = DateExtensions::addingWeeks(date, n);
        else
            result = DateExtensions::addingDays(date, n);
        QCOMPARE(result.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(result, expected);
    }

    void partsFallBackToNow()
    {
        const QDateTime date = local(2021, 11, 23, 4);
        QCOMPARE(DateExtensions::year(date), 2021);
        QCOMPARE(DateExtensions::month(date), 11);
        QCOMPARE(DateExtensions::day(date), 23);
        QCOMPARE(DateExtensions::year(QDateTime()), 2024);
        QCOMPARE(DateExtensions::month(QDateTime()), 3);
        QCOMPARE(DateExtensions::day(QDateTime()), 6);
    }

    void sameDay_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<bool>("same");
        QTest::newRow("midnight") << local(2024, 3, 6) << true;
        QTest::newRow("just before the last second") << local(2024, 3, 6, 23, 59, 58, 999) << true;
        QTest::newRow("the last second") << local(2024, 3, 6, 23, 59, 59) << false;
        QTest::newRow("within the last second") << local(2024, 3, 6, 23, 59, 59, 500) << false;
        QTest::newRow("day before") << local(2024, 3, 5, 12) << false;
    }

    void sameDay()
    {
        QFETCH(QDateTime, moment);
        QFETCH(bool, same);
        QCOMPARE(DateExtensions::isSameDay(local(2024, 3, 6, 14), ts(moment)), same);
    }

    void isDay()
    {
        QVERIFY(DateExtensions::isDay(local(2024, 12, 24, 18), 24, 12));
        QVERIFY(!DateExtensions::isDay(local(2024, 12, 24, 18), 12, 24));
        QVERIFY(!DateExtensions::isDay(QDateTime(), 6, 3));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<DateFormatterStyle>("dateStyle");
        QTest::addColumn<DateFormatterStyle>("timeStyle");
        QTest::addColumn<QString>("text");
        QTest::newRow("short date") << "en_US" << DateFormatterStyle::Short << DateFormatterStyle::None << "3/5/24";
        QTest::newRow("short date, german")
            << "de_DE" << DateFormatterStyle::Short << DateFormatterStyle::None << "05.03.24";
        QTest::newRow("medium date") << "en_US" << DateFormatterStyle::Medium << DateFormatterStyle::None
                                     << "Mar 5, 2024";
        QTest::newRow("long date") << "en_US" << DateFormatterStyle::Long << DateFormatterStyle::None
                                   << "March 5, 2024";
        QTest::newRow("full date") << "en_US" << DateFormatterStyle::Full << DateFormatterStyle::None
                                   << "Tuesday, March 5, 2024";
        QTest::newRow("long date, german")
            << "de_DE" << DateFormatterStyle::Long << DateFormatterStyle::None << "5. März 2024";
        QTest::newRow("medium time") << "en_US" << DateFormatterStyle::None << DateFormatterStyle::Medium
                                     << "1:02:03 PM";
        QTest::newRow("medium time, german")
            << "de_DE" << DateFormatterStyle::None << DateFormatterStyle::Medium << "13:02:03";
        QTest::newRow("short both") << "en_US" << DateFormatterStyle::Short << DateFormatterStyle::Short
                                    << "3/5/24 1:02 PM";
        QTest::newRow("neither") << "en_US" << DateFormatterStyle::None << DateFormatterStyle::None << "";
    }

    void texts()
    {
        QFETCH(QString, locale);
        QFETCH(DateFormatterStyle, dateStyle);
        QFETCH(DateFormatterStyle, timeStyle);
        QFETCH(QString, text);
        quenbytest::ScopedLocale scoped(locale);
        QCOMPARE(DateExtensions::styledString(local(2024, 3, 5, 13, 2, 3), dateStyle, timeStyle), text);
    }

    void namedTexts()
    {
        const QDateTime date = local(2024, 3, 5, 13, 2, 3);
        QCOMPARE(DateExtensions::dayString(date), QStringLiteral("2024-03-05"));
        QCOMPARE(DateExtensions::monthNameString(date), QStringLiteral("March"));
        QCOMPARE(DateExtensions::timeString(date), QStringLiteral("1:02:03 PM"));
        QCOMPARE(DateExtensions::shortDateString(date), QStringLiteral("3/5/24"));
        quenbytest::ScopedLocale german(QStringLiteral("de_DE"));
        QCOMPARE(DateExtensions::monthNameString(date), QStringLiteral("März"));
    }

    void parsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected"); // invalid: the present moment
        QTest::newRow("morning hour") << "2024-03-05 01:02:03" << local(2024, 3, 5, 1, 2, 3);
        QTest::newRow("twelve is the hour after midnight") << "2024-03-05 12:30:00" << local(2024, 3, 5, 0, 30);
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("24-hour value") << "2024-03-05 13:00:00" << QDateTime();
        QTest::newRow("no such day") << "2024-02-30 01:00:00" << QDateTime();
        QTest::newRow("other layout") << "05.03.2024 01:02:03" << QDateTime();
        QTest::newRow("trailing text") << "2024-03-05 01:02:03 PM" << QDateTime();
    }

    void parsing()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const QDateTime result = DateExtensions::fromString(text);
        QCOMPARE(result, expected.isValid() ? expected : m_clock.now());
    }

    void moments()
    {
        QCOMPARE(DateExtensions::current(), m_clock.now());
        QCOMPARE(DateExtensions::currentTimestamp(), ts(m_clock.now()));
        QCOMPARE(DateExtensions::currentYear(), std::optional<int>(2024));
        QCOMPARE(DateExtensions::startOfPreviousMonth(), local(2024, 2, 1));
        QCOMPARE(DateExtensions::startOfTodayTimestamp(), ts(local(2024, 3, 6)));
        QCOMPARE(DateExtensions::endOfTodayTimestamp(), ts(local(2024, 3, 6, 23, 59, 59)));
        QCOMPARE(DateExtensions::startOfYesterdayTimestamp(), ts(local(2024, 3, 5)));
        QCOMPARE(DateExtensions::endOfYesterdayTimestamp(), ts(local(2024, 3, 5, 23, 59, 59)));
        QCOMPARE(DateExtensions::firstDayOfYear(), local(2024, 1, 1, 12));
        QCOMPARE(DateExtensions::yearStartTimestamp(1999), ts(local(1999, 1, 1, 12)));
        QCOMPARE(DateExtensions::yearEndTimestamp(1999), ts(local(1999, 12, 31, 23, 59, 59)));
        QVERIFY(std::isnan(DateExtensions::yearStartTimestamp(0)));
        QCOMPARE(DateExtensions::inOneWeek(), ts(m_clock.now()) + 604800);
        QCOMPARE(DateExtensions::inFourWeeks(), ts(m_clock.now()) + 2419200);
        QCOMPARE(DateExtensions::oneWeekAgo(), ts(m_clock.now()) - 604800);
    }

    void weekdayIndex_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("index");
        QTest::newRow("monday") << local(2024, 3, 4, 0, 0, 1) << 0;
        QTest::newRow("saturday") << local(2024, 3, 9, 23) << 5;
        QTest::newRow("sunday") << local(2024, 3, 10, 12) << -1;
    }

    void weekdayIndex()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, index);
        setNow(now);
        QCOMPARE(DateExtensions::weekdayIndex(), index);
    }

    void makeFromParts()
    {
        QCOMPARE(DateExtensions::make(5, 3, 2024, 1, 2, 3), local(2024, 3, 5, 1, 2, 3));
        QVERIFY(!DateExtensions::localDateTime(2024, 13, 1, 0, 0, 0).isValid());
    }
};

QTEST_GUILESS_MAIN(DateExtensionsTest)
#include "dateextensions_test.moc"
