#include "support/scopedlocale.h"
#include "tavrin/numberextensions.h"

#include <QTest>

#include <limits>

using tavrin::NumberExtensions;
using tavrin::RoundingRule;

Q_DECLARE_METATYPE(RoundingRule)

class NumberExtensionsTest : public QObject {
    Q_OBJECT
private slots:
    void localizedString_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("cut, not rounded, no grouping") << "en_US" << 1234.5678 << 2 << "1234.56";
        QTest::newRow("german separator") << "de_DE" << 1234.5678 << 2 << "1234,56";
        QTest::newRow("0 digits") << "en_US" << 7.9 << 0 << "7";
        QTest::newRow("toward zero when negative") << "en_US" << -2.999 << 2 << "-2.99";
        QTest::newRow("padded with zeros") << "en_US" << 2.5 << 3 << "2.500";
        // 0.29 is stored a little below 0.29; cutting the binary value would show 0.28.
        QTest::newRow("cut the written digits") << "en_US" << 0.29 << 2 << "0.29";
        QTest::newRow("negative count means none") << "en_US" << 3.7 << -1 << "3";
        QTest::newRow("small negative has no sign") << "en_US" << -0.001 << 2 << "0.00";
        QTest::newRow("not finite") << "en_US" << std::numeric_limits<double>::infinity() << 2 << "-";
    }

    void localizedString()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, text);
        quenbytest::ScopedLocale scoped(locale);
        QCOMPARE(NumberExtensions::localizedString(value, digits), text);
    }

    void fixedForms()
    {
        quenbytest::ScopedLocale scoped(QStringLiteral("de_DE"));
        const double v = 3.987654;
        QCOMPARE(NumberExtensions::localizedString1(v), QStringLiteral("3,9"));
        QCOMPARE(NumberExtensions::localizedString2(v), QStringLiteral("3,98"));
        QCOMPARE(NumberExtensions::localizedString3(v), QStringLiteral("3,987"));
        QCOMPARE(NumberExtensions::localizedString4(v), QStringLiteral("3,9876"));
        QCOMPARE(NumberExtensions::localizedString5(v), QStringLiteral("3,98765"));
        // Widened to double: 0.3f is 0.30000001192..., so its digits past the seventh show.
        QCOMPARE(NumberExtensions::localizedString5(0.3f), QStringLiteral("0,30000"));
        QCOMPARE(NumberExtensions::localizedString(0.1f, 10), QStringLiteral("0,1000000014"));
    }

    void roundedToDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<double>("expected");
        QTest::newRow("binary value below the half") << 1.005 << 2 << 1.0;
        QTest::newRow("negative half away from zero") << -1.25 << 1 << -1.3;
        QTest::newRow("half away from zero") << 2.5 << 0 << 3.0;
        QTest::newRow("negative places round to tens") << 1234.0 << -1 << 1230.0;
        QTest::newRow("plain") << 3.14159 << 3 << 3.142;
    }

    void roundedToDecimals()
    {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(double, expected);
        QCOMPARE(NumberExtensions::roundedToDecimals(value, places), expected);
        QCOMPARE(NumberExtensions::roundedToDecimals(float(value), places), float(expected));
    }

    void notFinite()
    {
        QVERIFY(NumberExtensions::isNotFinite(std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(NumberExtensions::isNotFinite(-std::numeric_limits<double>::infinity()));
        QVERIFY(NumberExtensions::isNotFinite(std::numeric_limits<float>::infinity()));
        QVERIFY(!NumberExtensions::isNotFinite(std::numeric_limits<double>::max()));
        QVERIFY(!NumberExtensions::isNotFinite(std::numeric_limits<float>::denorm_min()));
    }

    void roundedToMultiple_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("step");
        QTest::addColumn<RoundingRule>("rule");
        QTest::addColumn<double>("expected");
        QTest::newRow("nearest") << 7.3 << 0.5 << RoundingRule::ToNearestOrAwayFromZero << 7.5;
        QTest::newRow("nearest, tie away") << 7.25 << 0.5 << RoundingRule::ToNearestOrAwayFromZero << 7.5;
        QTest::newRow("nearest, tie to even down") << 5.0 << 2.0 << RoundingRule::ToNearestOrEven << 4.0;
        QTest::newRow("nearest, tie to even up") << 7.0 << 2.0 << RoundingRule::ToNearestOrEven << 8.0;
        QTest::newRow("negative tie to even") << -5.0 << 2.0 << RoundingRule::ToNearestOrEven << -4.0;
        QTest::newRow("up") << 7.1 << 0.5 << RoundingRule::Up << 7.5;
        QTest::newRow("up negative") << -7.4 << 0.5 << RoundingRule::Up << -7.0;
        QTest::newRow("down") << 7.4 << 0.5 << RoundingRule::Down << 7.0;
        QTest::newRow("down negative") << -7.1 << 0.5 << RoundingRule::Down << -7.5;
        QTest::newRow("toward zero negative") << -7.4 << 0.5 << RoundingRule::TowardZero << -7.0;
        QTest::newRow("away from zero negative") << -7.1 << 0.5 << RoundingRule::AwayFromZero << -7.5;
        QTest::newRow("away from zero positive") << 7.1 << 0.5 << RoundingRule::AwayFromZero << 7.5;
    }

    void roundedToMultiple()
    {
        QFETCH(double, value);
        QFETCH(double, step);
        QFETCH(RoundingRule, rule);
        QFETCH(double, expected);
        QCOMPARE(NumberExtensions::roundedToMultiple(value, step, rule), expected);
        QCOMPARE(NumberExtensions::roundedToMultiple(float(value), float(step), rule), float(expected));
    }

    void groupedAndSeparator()
    {
        {
            quenbytest::ScopedLocale scoped(QStringLiteral("en_US"));
            QCOMPARE(NumberExtensions::groupedString(1234567), QStringLiteral("1,234,567"));
            QCOMPARE(NumberExtensions::groupedString(-1000), QStringLiteral("-1,000"));
            QCOMPARE(NumberExtensions::decimalSeparator(), QStringLiteral("."));
        }
        quenbytest::ScopedLocale scoped(QStringLiteral("de_DE"));
        QCOMPARE(NumberExtensions::groupedString(1234567), QStringLiteral("1.234.567"));
        QCOMPARE(NumberExtensions::decimalSeparator(), QStringLiteral(","));
    }

    void dateSince1970()
    {
        QCOMPARE(NumberExtensions::dateSince1970(0), QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(NumberExtensions::dateSince1970(1700000000.25).toMSecsSinceEpoch(), 1700000000250);
        QCOMPARE(NumberExtensions::dateSince1970(-86400.5).toMSecsSinceEpoch(), -86400500);
        QVERIFY(!NumberExtensions::dateSince1970(std::numeric_limits<double>::quiet_NaN()).isValid());
        QVERIFY(!NumberExtensions::dateSince1970(1e300).isValid());
    }
};

QTEST_GUILESS_MAIN(NumberExtensionsTest)
#include "numberextensions_test.moc"
