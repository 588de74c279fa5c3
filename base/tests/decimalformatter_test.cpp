#include "support/scopedlocale.h"
#include "tavrin/decimalformatter.h"

#include <QTest>

#include <cstdint>
#include <limits>

using tavrin::DecimalFormatter;

class DecimalFormatterTest : public QObject {
    Q_OBJECT
private slots:
    void reals_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("english separator") << "en_US" << 3.14159 << 2 << "3.14";
        QTest::newRow("german separator") << "de_DE" << 3.14159 << 2 << "3,14";
        QTest::newRow("half to even down") << "en_US" << 2.5 << 0 << "2";
        QTest::newRow("half to even up") << "en_US" << 3.5 << 0 << "4";
        QTest::newRow("trailing zeros dropped") << "en_US" << 2.50 << 2 << "2.5";
        QTest::newRow("whole value has no separator") << "en_US" << 7.0 << 3 << "7";
        QTest::newRow("above half rounds up") << "en_US" << 2.51 << 0 << "3";
        // The tie is judged on the number as written, 2.675, not on its binary value just below it.
        QTest::newRow("written tie of decimals") << "en_US" << 2.675 << 2 << "2.68";
        QTest::newRow("carry into the integer") << "en_US" << 9.999 << 2 << "10";
        QTest::newRow("negative") << "de_DE" << -1234.5678 << 1 << "-1234,6";
        QTest::newRow("no grouping") << "en_US" << 1234567.25 << 2 << "1234567.25";
        QTest::newRow("negative rounding to zero has no sign") << "en_US" << -0.4 << 0 << "0";
        QTest::newRow("negative digit count means none") << "en_US" << 1.75 << -3 << "2";
        QTest::newRow("small magnitude") << "en_US" << 0.00012 << 4 << "0.0001";
    }

    void reals()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, text);
        quenbytest::ScopedLocale scoped(locale);
        QCOMPARE(DecimalFormatter::string(value, digits), text);
        QCOMPARE(DecimalFormatter::string(platform::Value(value), digits), text);
    }

    void integers()
    {
        quenbytest::ScopedLocale scoped(QStringLiteral("de_DE"));
        QCOMPARE(DecimalFormatter::string(1234567), QStringLiteral("1234567"));
        QCOMPARE(DecimalFormatter::string(std::int64_t(-9876543210), 2), QStringLiteral("-9876543210"));
        QCOMPARE(DecimalFormatter::string(std::numeric_limits<std::uint64_t>::max()),
            QStringLiteral("18446744073709551615"));
        QCOMPARE(
            DecimalFormatter::string(std::numeric_limits<long long>::min()), QStringLiteral("-9223372036854775808"));
        QCOMPARE(DecimalFormatter::string(std::uint32_t(4000000000u)), QStringLiteral("4000000000"));
        QCOMPARE(DecimalFormatter::string(std::uint8_t(255)), QStringLiteral("255"));
        QCOMPARE(DecimalFormatter::string(platform::Value(42), 3), QStringLiteral("42"));
    }

    void floatsUseTheirOwnShortestForm()
    {
        quenbytest::ScopedLocale scoped(QStringLiteral("en_US"));
        // 0.15f is 0.1500000059604645 as a double, which would round up to 0.2.
        QCOMPARE(DecimalFormatter::string(0.15f, 1), QStringLiteral("0.2"));
        QCOMPARE(DecimalFormatter::string(0.1f, 9), QStringLiteral("0.1"));
        QCOMPARE(DecimalFormatter::string(0.25f, 1), QStringLiteral("0.2"));
    }

    void otherValues()
    {
        quenbytest::ScopedLocale scoped(QStringLiteral("en_US"));
        QCOMPARE(DecimalFormatter::string(platform::Value(true), 0), QStringLiteral("1"));
        QCOMPARE(DecimalFormatter::string(platform::Value(QStringLiteral("12")), 0), QStringLiteral("-"));
        QCOMPARE(DecimalFormatter::string(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NaN"));
        QCOMPARE(DecimalFormatter::string(-std::numeric_limits<double>::infinity()), QStringLiteral("-\u221E"));
    }
};

QTEST_GUILESS_MAIN(DecimalFormatterTest)
#include "decimalformatter_test.moc"
