#include "dorsk/fan.h"
#include "dorsk/processtrafficinfo.h"
#include "dorsk/sensor.h"
#include "dorsk/sensortype.h"
#include "dorsk/updateinfo.h"
#include "platform/core/bundle.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/core/systemversion.h"

#include <QTest>

using namespace dorsk;
using platform::Value;

Q_DECLARE_METATYPE(dorsk::SensorType)
Q_DECLARE_METATYPE(dorsk::Sensor)

namespace {
Value throughPropertyList(const Value &v) { return platform::plist::parse(platform::plist::serialize(v)); }

Value dictionary(std::initializer_list<std::pair<const QString, Value>> members)
{
    return Value(Value::Dictionary(members));
}

QStringList keysOf(const Value &v)
{
    QStringList keys;
    for (const auto &[key, _] : *v.toDictionary())
        keys << key;
    return keys;
}
}

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }
    void cleanupTestCase() { platform::Bundle::setPreferredLanguages({}); }

    void sensorTypeFromIdentifier_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<SensorType>("type");
        QTest::newRow("begins with T") << "TC0P" << SensorType::thermal;
        QTest::newRow("Thermal before the P rule") << "PThermal" << SensorType::thermal;
        QTest::newRow("Thermal anywhere") << "xThermalZone" << SensorType::thermal;
        QTest::newRow("begins with I") << "IC0R" << SensorType::current;
        QTest::newRow("Current anywhere") << "xCurrent" << SensorType::current;
        QTest::newRow("Current before the V rule") << "VCurrent" << SensorType::current;
        QTest::newRow("begins with V") << "VC0C" << SensorType::voltage;
        QTest::newRow("Voltage anywhere") << "xVoltage" << SensorType::voltage;
        QTest::newRow("Voltage before the P rule") << "PVoltage" << SensorType::voltage;
        QTest::newRow("begins with P") << "PSTR" << SensorType::power;
        QTest::newRow("lower-case t") << "tc0p" << SensorType::unknown;
        QTest::newRow("lower-case thermal") << "xthermal" << SensorType::unknown;
        QTest::newRow("begins with F") << "F0Ac" << SensorType::unknown;
        QTest::newRow("empty") << "" << SensorType::unknown;
    }

    void sensorTypeFromIdentifier()
    {
        QFETCH(QString, identifier);
        QFETCH(SensorType, type);
        QCOMPARE(Sensor({ identifier, QString(), std::nullopt }).type(), type);
    }

    void sensorTypeFacts_data()
    {
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("symbolBefore12");
        QTest::newRow("unknown") << 0 << "Unknown"
                                 << "Unbekannt"
                                 << "questionmark"
                                 << "questionmark";
        QTest::newRow("thermal") << 1 << "Temperature"
                                 << "Temperatur"
                                 << "thermometer"
                                 << "thermometer";
        QTest::newRow("voltage") << 2 << "Voltage"
                                 << "Spannung"
                                 << "bolt.fill"
                                 << "bolt.fill";
        QTest::newRow("current") << 3 << "Current"
                                 << "Stromstärke"
                                 << "bolt.fill"
                                 << "bolt.fill";
        QTest::newRow("power") << 4 << "Power"
                               << "Leistung"
                               << "staroflife.fill"
                               << "staroflife.fill";
        QTest::newRow("fan") << 5 << "Fan"
                             << "Lüfter"
                             << "fanblades.fill"
                             << "line.3.crossed.swirl.circle.fill";
    }

    void sensorTypeFacts()
    {
        QFETCH(int, raw);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QFETCH(QString, symbol);
        QFETCH(QString, symbolBefore12);
        const std::optional<SensorType> type = sensorTypeFromRawValue(raw);
        QVERIFY(type);
        QCOMPARE(static_cast<int>(*type), raw);
        QCOMPARE(localizedName(*type), english);
        platform::Bundle::setPreferredLanguages({ QStringLiteral("de") });
        QCOMPARE(localizedName(*type), german);
        platform::Bundle::setPreferredLanguages({ QStringLiteral("en") });
        {
            platform::ScopedSystemVersion v(12, 0);
            QCOMPARE(symbolName(*type), symbol);
        }
        {
            platform::ScopedSystemVersion v(11, 6);
            QCOMPARE(symbolName(*type), symbolBefore12);
        }
    }

    void sensorTypeRejectsOtherRawValues()
    {
        QCOMPARE(sensorTypeFromRawValue(6), std::nullopt);
        QCOMPARE(sensorTypeFromRawValue(-1), std::nullopt);
        QCOMPARE(sensorTypeFromRawValue(255), std::nullopt);
    }

    void sensorFractionDigits_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<int>("digits");
        QTest::newRow("unknown") << "F0Ac" << 0;
        QTest::newRow("thermal") << "TC0P" << 0;
        QTest::newRow("current") << "IC0R" << 2;
        QTest::newRow("power") << "PSTR" << 2;
        QTest::newRow("voltage") << "VC0C" << 4;
    }

    void sensorFractionDigits()
    {
        QFETCH(QString, identifier);
        QFETCH(int, digits);
        QCOMPARE(int(Sensor({ identifier, QString(), std::nullopt }).fractionDigits()), digits);
    }

    void sensorCoding_data()
    {
        QTest::addColumn<Sensor>("sensor");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("with value") << Sensor { "TC0P", "CPU Proximity", 48.25 }
                                    << QStringList { "Description", "Identifier", "Value" };
        QTest::newRow("without value") << Sensor { "VC0C", "CPU Core", std::nullopt }
                                       << QStringList { "Description", "Identifier" };
        QTest::newRow("zero value") << Sensor { "IC0R", "", 0.0 }
                                    << QStringList { "Description", "Identifier", "Value" };
    }

    void sensorCoding()
    {
        QFETCH(Sensor, sensor);
        QFETCH(QStringList, keys);
        const Value encoded = throughPropertyList(sensor.encoded());
        QCOMPARE(keysOf(encoded), keys);
        QCOMPARE(Sensor::decode(encoded), sensor);
    }

    void sensorValueMayBeAWholeNumber()
    {
        const Sensor sensor = Sensor::decode(
            dictionary({ { "Identifier", Value("TC0P") }, { "Description", Value("d") }, { "Value", Value(42) } }));
        QCOMPARE(sensor.value, std::optional<double>(42.0));
    }

    void malformedRecordsThrow_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<Value>("value");
        QTest::newRow("sensor without description") << "sensor" << dictionary({ { "Identifier", Value("T") } });
        QTest::newRow("sensor value as text")
            << "sensor"
            << dictionary({ { "Identifier", Value("T") }, { "Description", Value("d") }, { "Value", Value("1") } });
        QTest::newRow("sensor that is no dictionary") << "sensor" << Value(Value::Array {});
        QTest::newRow("fan without target") << "fan"
                                            << dictionary({ { "identifier", Value("F0") }, { "name", Value("") },
                                                   { "rpm", Value(1) }, { "min", Value(0) }, { "max", Value(2) } });
        QTest::newRow("fan rpm as text") << "fan"
                                         << dictionary({ { "identifier", Value("F0") }, { "name", Value("") },
                                                { "rpm", Value("1") }, { "min", Value(0) }, { "max", Value(2) },
                                                { "target", Value(1) } });
        QTest::newRow("traffic with negative count") << "traffic"
                                                     << dictionary({ { "pid", Value(1) }, { "name", Value("x") },
                                                            { "sent", Value(-1) }, { "received", Value(0) } });
        QTest::newRow("traffic without name")
            << "traffic" << dictionary({ { "pid", Value(1) }, { "sent", Value(0) }, { "received", Value(0) } });
    }

    void malformedRecordsThrow()
    {
        QFETCH(QString, record);
        QFETCH(Value, value);
        if (record == QLatin1String("sensor"))
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, Sensor::decode(value));
        else if (record == QLatin1String("fan"))
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, Fan::decode(value));
        else
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, ProcessTrafficInfo::decode(value));
    }

    void fanFillRatio_data()
    {
        QTest::addColumn<qint64>("rpm");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<float>("ratio");
        QTest::newRow("half way") << qint64(3000) << qint64(1000) << qint64(5000) << 0.5F;
        QTest::newRow("above max") << qint64(6000) << qint64(1000) << qint64(5000) << 1.0F;
        QTest::newRow("below min") << qint64(500) << qint64(1000) << qint64(5000) << 0.0F;
        QTest::newRow("at min") << qint64(1000) << qint64(1000) << qint64(5000) << 0.0F;
        QTest::newRow("quarter") << qint64(2000) << qint64(1000) << qint64(5000) << 0.25F;
        QTest::newRow("no range, above") << qint64(2000) << qint64(1000) << qint64(1000) << 1.0F;
        QTest::newRow("no range, below") << qint64(500) << qint64(1000) << qint64(1000) << 0.0F;
    }

    void fanFillRatio()
    {
        QFETCH(qint64, rpm);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(float, ratio);
        QCOMPARE(Fan("F0", "Left", rpm, min, max, 0).fillRatio(), ratio);
    }

    void fanNameFallsBackOnlyWhenMade()
    {
        const Fan made("F0", "", 1200, 1000, 5000, 1500);
        QCOMPARE(made.name, QStringLiteral("Fan"));
        Value::Dictionary stored = *made.encoded().toDictionary();
        stored["name"] = Value("");
        const Fan decoded = Fan::decode(throughPropertyList(Value(stored)));
        QCOMPARE(decoded.name, QString());
        QCOMPARE(decoded.rpm, 1200);
        QCOMPARE(decoded.target, 1500);
    }

    void fanCodingRoundTrip()
    {
        const Fan fan("F1Ac", "Right", 2400, 1200, 6000, 2500);
        const Value encoded = throughPropertyList(fan.encoded());
        QCOMPARE(keysOf(encoded), (QStringList { "identifier", "max", "min", "name", "rpm", "target" }));
        QCOMPARE(Fan::decode(encoded), fan);
    }

    void trafficTotalAndCoding()
    {
        const ProcessTrafficInfo info(4711, "Mail", 1, 2);
        QCOMPARE(info.total(), 3u);
        const Value encoded = throughPropertyList(info.encoded());
        QCOMPARE(keysOf(encoded), (QStringList { "name", "pid", "received", "sent" }));
        QCOMPARE(ProcessTrafficInfo::decode(encoded), info);
    }

    void updateInfoCoding()
    {
        const UpdateInfo info { true, "2.1" };
        const Value encoded = info.encoded();
        QCOMPARE(keysOf(encoded), (QStringList { "isUpdateAvailable", "serverVersion" }));
        QCOMPARE(UpdateInfo::decode(throughPropertyList(encoded)), info);
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "records_test.moc"
