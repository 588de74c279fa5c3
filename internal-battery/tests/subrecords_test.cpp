#include "ammerl/adapterdetails.h"
#include "ammerl/chargerdata.h"
#include "ammerl/lifetimedata.h"

#include "batterytestsupport.h"

#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <QTest>

using ammerl::AdapterDetails;
using ammerl::ChargerData;
using ammerl::LifetimeData;
using platform::Value;

namespace {
Value throughPropertyList(const Value &value)
{
    return platform::plist::parse(platform::plist::serialize(value));
}
}

class SubrecordsTest : public QObject {
    Q_OBJECT
private slots:
    void adapter()
    {
        const AdapterDetails a(Value::Dictionary { { "Watts", 96 }, { "AdapterVoltage", 20000 },
            { "IsWireless", false }, { "SerialString", "C4H123" }, { "Description", "pd charger" },
            { "Name", "96W USB-C Power Adapter" }, { "HwVersion", "1.0" }, { "Manufacturer", "Apple Inc." } });
        QCOMPARE(toVariant(a.watts), QVariant(96));
        QCOMPARE(a.voltage, std::optional(20.0f));
        QCOMPARE(a.isWireless, std::optional(false));
        QCOMPARE(toVariant(a.serial), QVariant("C4H123"));
        QCOMPARE(toVariant(a.description), QVariant("pd charger"));
        QCOMPARE(toVariant(a.name), QVariant("96W USB-C Power Adapter"));
        QCOMPARE(toVariant(a.hwVersion), QVariant("1.0"));
        QCOMPARE(toVariant(a.manufacturer), QVariant("Apple Inc."));
        QCOMPARE(AdapterDetails::decode(throughPropertyList(a.encode())), a);
    }

    void adapterWithFewKeys()
    {
        const AdapterDetails a(Value::Dictionary { { "Watts", 96 }, { "AdapterVoltage", 20000 },
            { "IsWireless", false } });
        QCOMPARE(toVariant(a.watts), QVariant(96));
        QCOMPARE(a.voltage, std::optional(20.0f));
        QVERIFY(!a.serial && !a.description && !a.name && !a.hwVersion && !a.manufacturer);
        QCOMPARE(AdapterDetails::decode(throughPropertyList(a.encode())), a);
    }

    void adapterKeysOfOtherTypes()
    {
        const AdapterDetails a(Value::Dictionary { { "Watts", "96" }, { "AdapterVoltage", "20000" },
            { "IsWireless", 2 }, { "Name", 96 }, { "SerialString", Value::Array {} } });
        QCOMPARE(a, AdapterDetails());
    }

    void charger()
    {
        const ChargerData c(
            Value::Dictionary { { "ChargingVoltage", 12600 }, { "VacVoltageLimit", 8700 }, { "ChargingCurrent", 0 } });
        QCOMPARE(c.chargingVoltage, std::optional(12.6));
        QCOMPARE(c.vacVoltageLimit, std::optional(8.7));
        QCOMPARE(c.chargingCurrent, std::optional(0.0));
        QCOMPARE(ChargerData::decode(throughPropertyList(c.encode())), c);
    }

    void chargerLoadKeepsWhatIsNotANumber()
    {
        ChargerData c(Value::Dictionary { { "ChargingVoltage", 12600 }, { "ChargingCurrent", 3000 } });
        c.load(Value::Dictionary { { "ChargingVoltage", "13000" }, { "ChargingCurrent", 1500.5 } });
        QCOMPARE(c.chargingVoltage, std::optional(12.6));
        QCOMPARE(c.chargingCurrent, std::optional(1500.5));
        QVERIFY(!c.vacVoltageLimit);
    }

    void lifetimeFieldWidths_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Value>("value");
        QTest::addColumn<QString>("expected"); // the field as text, empty when the field stays empty

        QTest::newRow("temperature 45") << "MaximumTemperature" << Value(45) << "45";
        QTest::newRow("temperature -3") << "MinimumTemperature" << Value(-3) << "-3";
        QTest::newRow("temperature cut to 8 bits") << "MaximumTemperature" << Value(300) << "44";
        QTest::newRow("temperature wraps negative") << "MaximumTemperature" << Value(200) << "-56";
        QTest::newRow("pack voltage") << "MaximumPackVoltage" << Value(13104) << "13104";
        QTest::newRow("negative into unsigned 32 bits") << "MinimumPackVoltage" << Value(-1) << "4294967295";
        QTest::newRow("discharge current") << "MaximumDischargeCurrent" << Value(-5120) << "-5120";
        QTest::newRow("discharge current cut to 32 bits")
            << "MaximumDischargeCurrent" << Value(std::int64_t(1) << 32 | 7) << "7";
        QTest::newRow("update time") << "UpdateTime" << Value(1706900000) << "1706900000";
        QTest::newRow("real truncated") << "CycleCountLastQmax" << Value(12.9) << "12";
        QTest::newRow("average temperature") << "AverageTemperature" << Value(-12) << "-12";
        QTest::newRow("text leaves the field empty") << "MaximumTemperature" << Value("45") << "";
        QTest::newRow("charge current as text") << "MaximumChargeCurrent" << Value("3000") << "";
    }

    void lifetimeFieldWidths()
    {
        QFETCH(QString, key);
        QFETCH(Value, value);
        QFETCH(QString, expected);

        const LifetimeData l(Value::Dictionary { { key, value } });
        const auto text = [](const auto &field) { return field ? QString::number(*field) : QString(); };
        const std::map<QString, QString> fields {
            { "UpdateTime", text(l.updateTime) },
            { "AverageTemperature", text(l.averageTemperature) },
            { "CycleCountLastQmax", text(l.cycleCountLastQmax) },
            { "MaximumChargeCurrent", text(l.maximumChargeCurrent) },
            { "MaximumDischargeCurrent", text(l.maximumDischargeCurrent) },
            { "MaximumPackVoltage", text(l.maximumPackVoltage) },
            { "MaximumTemperature", text(l.maximumTemperature) },
            { "MinimumPackVoltage", text(l.minimumPackVoltage) },
            { "MinimumTemperature", text(l.minimumTemperature) },
        };
        for (const auto &[field, got] : fields)
            QCOMPARE(got, field == key ? expected : QString());
        QCOMPARE(LifetimeData::decode(throughPropertyList(l.encode())), l);
    }

    void emptyDictionariesGiveEmptyRecords()
    {
        QCOMPARE(AdapterDetails(Value::Dictionary {}), AdapterDetails());
        QCOMPARE(ChargerData(Value::Dictionary {}), ChargerData());
        QCOMPARE(LifetimeData(Value::Dictionary {}), LifetimeData());
        QCOMPARE(LifetimeData::decode(LifetimeData().encode()), LifetimeData());
        QCOMPARE(AdapterDetails().encode(), Value(Value::Dictionary {}));
    }

    void rejectsMalformedCoding_data()
    {
        QTest::addColumn<int>("record"); // 0: adapter, 1: charger, 2: lifetime
        QTest::addColumn<Value>("value");

        QTest::newRow("adapter watts as text") << 0 << Value(Value::Dictionary { { "watts", "96" } });
        QTest::newRow("adapter wireless as integer") << 0 << Value(Value::Dictionary { { "isWireless", 1 } });
        QTest::newRow("charger voltage as text") << 1 << Value(Value::Dictionary { { "chargingVoltage", "12.6" } });
        QTest::newRow("lifetime temperature beyond 8 bits")
            << 2 << Value(Value::Dictionary { { "minimumTemperature", -129 } });
        QTest::newRow("lifetime negative update time") << 2 << Value(Value::Dictionary { { "updateTime", -1 } });
        QTest::newRow("not a dictionary") << 2 << Value(Value::Array {});
    }

    void rejectsMalformedCoding()
    {
        QFETCH(int, record);
        QFETCH(Value, value);
        switch (record) {
        case 0:
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, AdapterDetails::decode(value));
            break;
        case 1:
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, ChargerData::decode(value));
            break;
        default:
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, LifetimeData::decode(value));
        }
    }
};

QTEST_GUILESS_MAIN(SubrecordsTest)
#include "subrecords_test.moc"
