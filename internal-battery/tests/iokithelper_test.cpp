#include "ammerl/iokithelper.h"

#include "batterytestsupport.h"

#include <QTest>

using ammerl::IOKitHelper;
using platform::Value;

namespace {
// Bits 9-15 hold the years since 1980, bits 5-8 the month, bits 0-4 the day.
constexpr std::int64_t packed(int year, int month, int day)
{
    return ((year - 1980) << 9) | (month << 5) | day;
}
}

class IOKitHelperTest : public QObject {
    Q_OBJECT
private slots:
    void typedReaders_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QVariant>("asString");
        QTest::addColumn<QVariant>("asInt");
        QTest::addColumn<QVariant>("asDouble");
        QTest::addColumn<bool>("asDictionary");
        QTest::addColumn<bool>("asArray");

        QTest::newRow("text") << Value("SMP") << QVariant("SMP") << kNone << kNone << false << false;
        QTest::newRow("number as text") << Value("4382") << QVariant("4382") << kNone << kNone << false << false;
        QTest::newRow("integer") << Value(4382) << kNone << QVariant(4382) << QVariant(4382.0) << false << false;
        QTest::newRow("negative integer") << Value(-1500) << kNone << QVariant(-1500) << QVariant(-1500.0) << false
                                          << false;
        QTest::newRow("integral real") << Value(12.0) << kNone << QVariant(12) << QVariant(12.0) << false << false;
        QTest::newRow("fractional real") << Value(12.5) << kNone << kNone << QVariant(12.5) << false << false;
        QTest::newRow("dictionary") << Value(Value::Dictionary { { "Watts", 96 } }) << kNone << kNone << kNone << true
                                    << false;
        QTest::newRow("array") << Value(Value::Array { 1, 2 }) << kNone << kNone << kNone << false << true;
        QTest::newRow("data") << Value(QByteArray("\x01\x02")) << kNone << kNone << kNone << false << false;
    }

    void typedReaders()
    {
        QFETCH(Value, value);
        QFETCH(QVariant, asString);
        QFETCH(QVariant, asInt);
        QFETCH(QVariant, asDouble);
        QFETCH(bool, asDictionary);
        QFETCH(bool, asArray);

        Machine machine;
        machine.addBattery(QStringLiteral("AppleSMC"), { { "Key", value } });
        const auto entry = machine.battery();
        const QString key = QStringLiteral("Key");

        QCOMPARE(toVariant(IOKitHelper::stringProperty(entry, key)), asString);
        QCOMPARE(toVariant(IOKitHelper::intProperty(entry, key)), asInt);
        const auto d = IOKitHelper::doubleProperty(entry, key);
        QCOMPARE(d ? QVariant(*d) : QVariant(), asDouble);
        QCOMPARE(IOKitHelper::dictionaryProperty(entry, key).has_value(), asDictionary);
        QCOMPARE(IOKitHelper::arrayProperty(entry, key).has_value(), asArray);
        QCOMPARE(IOKitHelper::property<QString>(entry, key), IOKitHelper::stringProperty(entry, key));

        // A key the entry does not hold, and an invalid handle, give empty for every reader.
        for (const auto &[e, k] : { std::pair { entry, QStringLiteral("Missing") },
                 std::pair { platform::RegistryEntry(), key } }) {
            QVERIFY(!IOKitHelper::stringProperty(e, k));
            QVERIFY(!IOKitHelper::intProperty(e, k));
            QVERIFY(!IOKitHelper::doubleProperty(e, k));
            QVERIFY(!IOKitHelper::dictionaryProperty(e, k));
            QVERIFY(!IOKitHelper::arrayProperty(e, k));
        }
    }

    void readsEachPropertyOnce()
    {
        Machine machine;
        machine.addBattery(QStringLiteral("AppleSMC"), { { "ManufactureDate", packed(2020, 2, 6) } });
        const auto entry = machine.battery();
        machine.registry.resetCounters();
        QVERIFY(IOKitHelper::manufactureDate(entry));
        QVERIFY(!IOKitHelper::temperature(entry));
        QCOMPARE(machine.registry.propertyReads(), 2);
    }

    void manufactureDate_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QDate>("date");

        QTest::newRow("6 February 2020") << Value(packed(2020, 2, 6)) << QDate(2020, 2, 6);
        QTest::newRow("first possible day") << Value(packed(1980, 1, 1)) << QDate(1980, 1, 1);
        QTest::newRow("last possible year") << Value(packed(2107, 12, 31)) << QDate(2107, 12, 31);
        QTest::newRow("integral real") << Value(double(packed(2018, 8, 1))) << QDate(2018, 8, 1);
        QTest::newRow("higher bits ignored") << Value((1 << 16) | packed(2021, 3, 4)) << QDate(2021, 3, 4);
        QTest::newRow("day 0") << Value(packed(2020, 2, 0)) << QDate();
        QTest::newRow("month 0") << Value(packed(2020, 0, 6)) << QDate();
        QTest::newRow("month 13") << Value(packed(2020, 13, 6)) << QDate();
        QTest::newRow("30 February") << Value(packed(2020, 2, 30)) << QDate();
        QTest::newRow("text") << Value("20550") << QDate();
        QTest::newRow("missing") << Value() << QDate();
    }

    void manufactureDate()
    {
        QFETCH(Value, value);
        QFETCH(QDate, date);

        Machine machine;
        Value::Dictionary properties;
        if (!value.isNull())
            properties["ManufactureDate"] = value;
        machine.addBattery(QStringLiteral("AppleSMC"), properties);
        const auto result = IOKitHelper::manufactureDate(machine.battery());
        QCOMPARE(result.has_value(), date.isValid());
        if (result) {
            QCOMPARE(result->date(), date);
            QCOMPARE(result->time(), QTime(0, 0));
            QCOMPARE(result->timeSpec(), Qt::LocalTime);
        }
    }

    void temperature_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QVariant>("celsius");

        QTest::newRow("hundredths") << Value(3012) << QVariant(30.12);
        QTest::newRow("half degree") << Value(2950) << QVariant(29.5);
        QTest::newRow("below zero") << Value(-250) << QVariant(-2.5);
        QTest::newRow("real") << Value(2950.0) << QVariant(29.5);
        QTest::newRow("text") << Value("2950") << kNone;
        QTest::newRow("missing") << Value() << kNone;
    }

    void temperature()
    {
        QFETCH(Value, value);
        QFETCH(QVariant, celsius);

        Machine machine;
        Value::Dictionary properties;
        if (!value.isNull())
            properties["Temperature"] = value;
        machine.addBattery(QStringLiteral("AppleSMC"), properties);
        const auto result = IOKitHelper::temperature(machine.battery());
        QVERIFY(sameNumber(result, celsius));
    }
};

QTEST_GUILESS_MAIN(IOKitHelperTest)
#include "iokithelper_test.moc"
