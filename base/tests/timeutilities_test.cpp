#include "support/scopedlocale.h"
#include "tavrin/timeutilities.h"

#include <platform/core/bundle.h>

#include <QTest>

using tavrin::DurationUnit;
using tavrin::TimeUtilities;

Q_DECLARE_METATYPE(DurationUnit)

class TimeUtilitiesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Bundle::setPreferredLanguages({}); }

    void timeSpan_data()
    {
        QTest::addColumn<quint64>("nanoseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << quint64(0) << "00:00.000";
        QTest::newRow("a second and a half") << quint64(1500000000) << "00:01.500";
        QTest::newRow("a minute and a second") << quint64(61000000000) << "01:01.000";
        QTest::newRow("milliseconds only") << quint64(999000000) << "00:00.999";
        QTest::newRow("below a millisecond") << quint64(999999) << "00:00.000";
        QTest::newRow("last minute of the hour") << quint64(3599999000000) << "59:59.999";
        QTest::newRow("an hour") << quint64(3600000000000) << "01:00:00.000";
        QTest::newRow("hours, minutes, seconds") << quint64(3723004000000) << "01:02:03.004";
    }

    void timeSpan()
    {
        QFETCH(quint64, nanoseconds);
        QFETCH(QString, text);
        QCOMPARE(TimeUtilities::timeSpanString(nanoseconds), text);
    }

    void duration_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<DurationUnit>("unit");
        QTest::addColumn<DurationUnit>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("seconds as minutes")
            << "en_US" << qint64(90) << DurationUnit::Seconds << DurationUnit::Minutes << "1.5 min";
        QTest::newRow("german") << "de_DE" << qint64(90) << DurationUnit::Seconds << DurationUnit::Minutes
                                << "1,5 Min.";
        QTest::newRow("milliseconds as seconds")
            << "en_US" << qint64(1500) << DurationUnit::Milliseconds << DurationUnit::Seconds << "1.5 sec";
        QTest::newRow("hours as minutes")
            << "en_US" << qint64(2) << DurationUnit::Hours << DurationUnit::Minutes << "120 min";
        QTest::newRow("grouped") << "en_US" << qint64(1) << DurationUnit::Seconds << DurationUnit::Milliseconds
                                 << "1,000 ms";
        QTest::newRow("three fraction digits")
            << "en_US" << qint64(1) << DurationUnit::Minutes << DurationUnit::Hours << "0.017 hr";
        QTest::newRow("nanoseconds exactly")
            << "en_US" << qint64(3) << DurationUnit::Nanoseconds << DurationUnit::Picoseconds << "3,000 ps";
        QTest::newRow("negative") << "en_US" << qint64(-1) << DurationUnit::Seconds << DurationUnit::Seconds << "-";
    }

    void duration()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, value);
        QFETCH(DurationUnit, unit);
        QFETCH(DurationUnit, shown);
        QFETCH(QString, text);
        quenbytest::ScopedLocale scoped(locale);
        platform::Bundle::setPreferredLanguages({ locale.left(2) });
        QCOMPARE(TimeUtilities::durationText(std::int64_t(value), unit, shown), text);
        if (value >= 0)
            QCOMPARE(TimeUtilities::durationText(std::uint64_t(value), unit, shown), text);
    }
};

QTEST_GUILESS_MAIN(TimeUtilitiesTest)
#include "timeutilities_test.moc"
