#include "platform/core/number.h"

#include <QTest>

#include <cmath>
#include <limits>

using platform::Number;

Q_DECLARE_METATYPE(Number)

class NumberTest : public QObject {
    Q_OBJECT
private slots:
    void typeLetters_data()
    {
        QTest::addColumn<Number>("number");
        QTest::addColumn<char>("letter");
        QTest::newRow("bool") << Number(true) << 'c';
        QTest::newRow("int8") << Number(std::int8_t(-3)) << 'c';
        QTest::newRow("uint8") << Number(std::uint8_t(3)) << 'C';
        QTest::newRow("int16") << Number(std::int16_t(300)) << 's';
        QTest::newRow("uint16") << Number(std::uint16_t(300)) << 'S';
        QTest::newRow("int32") << Number(std::int32_t(1)) << 'i';
        QTest::newRow("uint32") << Number(std::uint32_t(1)) << 'I';
        QTest::newRow("int64") << Number(std::int64_t(1)) << 'q';
        QTest::newRow("long long") << Number(1LL) << 'q';
        QTest::newRow("uint64") << Number(std::uint64_t(1)) << 'Q';
        QTest::newRow("float") << Number(1.5f) << 'f';
        QTest::newRow("double") << Number(1.5) << 'd';
        QTest::newRow("chosen letter") << Number::withTypeLetter('l', 7) << 'l';
    }
    void typeLetters()
    {
        QFETCH(Number, number);
        QFETCH(char, letter);
        QCOMPARE(number.typeLetter(), letter);
    }

    void conversions()
    {
        const Number minusOne(-1);
        QCOMPARE(minusOne.unsignedLongLongValue(), std::numeric_limits<std::uint64_t>::max());
        QCOMPARE(minusOne.unsignedCharValue(), std::uint8_t(255));
        QCOMPARE(Number(300).charValue(), std::int8_t(44));
        QCOMPARE(Number(2.79).intValue(), 2);
        QCOMPARE(Number(-2.79).longLongValue(), std::int64_t(-2));
        QCOMPARE(Number(std::uint64_t(1) << 63).unsignedLongLongValue(), std::uint64_t(1) << 63);
        QCOMPARE(Number(std::uint64_t(1) << 63).doubleValue(), 9223372036854775808.0);
        QCOMPARE(Number(1e19).unsignedLongLongValue(), std::uint64_t(10000000000000000000ULL));
        // Reals beyond every integer type and NaN convert without undefined behaviour.
        QCOMPARE(Number(1e30).longLongValue(), std::numeric_limits<std::int64_t>::max());
        QCOMPARE(Number(-1e30).longLongValue(), std::numeric_limits<std::int64_t>::min());
        QCOMPARE(Number(std::nan("")).intValue(), 0);
        QCOMPARE(Number(0.1f).doubleValue(), double(0.1f));
        QVERIFY(Number(0.5).boolValue());
        QVERIFY(!Number(0).boolValue());
        QCOMPARE(Number(true).intValue(), 1);
    }

    void equalityKeepsTheType()
    {
        QCOMPARE(Number(5), Number(5));
        QVERIFY(Number(5) != Number(5.0));
        QVERIFY(Number(std::int16_t(5)) != Number(5));
    }
};

QTEST_APPLESS_MAIN(NumberTest)
#include "number_test.moc"
