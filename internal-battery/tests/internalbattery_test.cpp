#include "ammerl/appleinternalbattery.h"
#include "ammerl/legacyinternalbattery.h"

#include "batterytestsupport.h"

#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <QTest>

#include <cmath>

using ammerl::AppleInternalBattery;
using ammerl::BatteryCondition;
using ammerl::InternalBattery;
using ammerl::LegacyInternalBattery;
using platform::Value;


namespace {
std::unique_ptr<InternalBattery> readBattery(Machine &machine, bool legacy)
{
    if (legacy)
        return std::make_unique<LegacyInternalBattery>(machine.battery(), machine.sources);
    return std::make_unique<AppleInternalBattery>(machine.battery(), machine.sources);
}

QVariant conditionVariant(std::optional<BatteryCondition> c)
{
    return c ? QVariant(int(*c)) : QVariant();
}

const QVariant good { int(BatteryCondition::good) };
const QVariant fair { int(BatteryCondition::fair) };
const QVariant poor { int(BatteryCondition::poor) };

Value sourcesOf(std::initializer_list<Value> descriptions)
{
    return Value(Value::Array(descriptions));
}
}

class InternalBatteryTest : public QObject {
    Q_OBJECT
private slots:
    void appleReadsTheRegistryEntry()
    {
        Machine machine(QStringLiteral("apple-discharging.json"));
        const AppleInternalBattery b(machine.battery(), machine.sources);

        QCOMPARE(b.serial().value_or(QString()), QStringLiteral("F8Y2311LQ5P1"));
        QCOMPARE(b.manufacturer().value_or(QString()), QStringLiteral("SMP"));
        QCOMPARE(b.manufactureDate().value_or(QDateTime()).date(), QDate(2020, 2, 6));
        QCOMPARE(toVariant(b.cycleCount()), QVariant(212));
        QCOMPARE(toVariant(b.designCycleCount()), QVariant(1000));
        QCOMPARE(toVariant(b.averageTimeToEmpty()), QVariant(131));
        QCOMPARE(toVariant(b.amperage()), QVariant(-1500));
        QCOMPARE(b.voltage().value_or(0), 12.6);
        QCOMPARE(b.temperature().value_or(0), 30.12);
        QCOMPARE(b.cellVoltages(), (std::vector<float> { 4.012f, 4.01f, 4.015f }));
        QVERIFY(b.chargerData());
        QCOMPARE(b.chargerData()->chargingVoltage.value_or(0), 12.6);
        QVERIFY(b.adapter());
        QCOMPARE(toVariant(b.adapter()->watts), QVariant(96));
        QCOMPARE(b.adapter()->voltage.value_or(0), 20.0f);
        QVERIFY(b.lifetimeData());
        QCOMPARE(int(b.lifetimeData()->minimumTemperature.value_or(0)), -3);
        QCOMPARE(b.acPowered(), std::optional(false));
        QCOMPARE(b.isCharged(), std::optional(false));
    }

    void legacyReadsOnlyItsKeys()
    {
        // The same entry through the other variant: capacities fall back to the raw keys, the power
        // source's percentage is kept apart, and the entry's extra data is not read.
        Machine machine(QStringLiteral("apple-discharging.json"));
        const LegacyInternalBattery b(machine.battery(), machine.sources);

        QCOMPARE(toVariant(b.maxCapacity()), QVariant(4100));
        QCOMPARE(toVariant(b.currentCapacity()), QVariant(3280));
        QCOMPARE(toVariant(b.designCapacity()), QVariant(4382));
        QCOMPARE(toVariant(b.internalCharge()), QVariant(80));
        QCOMPARE(toVariant(b.charge()), QVariant(80));
        QVERIFY(!b.serial());
        QVERIFY(!b.averageTimeToEmpty());
        QVERIFY(b.cellVoltages().empty());
        QVERIFY(!b.chargerData());
        QVERIFY(!b.adapter());
        QVERIFY(!b.lifetimeData());
        QCOMPARE(b.manufacturer().value_or(QString()), QStringLiteral("SMP"));
    }

    void appleDesignCapacity_data()
    {
        QTest::addColumn<Value>("raw");
        QTest::addColumn<Value>("design");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("raw maximum wins") << Value(4100) << Value(4382) << QVariant(4100);
        QTest::newRow("design when no raw maximum") << Value() << Value(4382) << QVariant(4382);
        QTest::newRow("design when raw maximum is text") << Value("4100") << Value(4382) << QVariant(4382);
        QTest::newRow("neither") << Value() << Value() << kNone;
    }

    void appleDesignCapacity()
    {
        QFETCH(Value, raw);
        QFETCH(Value, design);
        QFETCH(QVariant, expected);

        Value::Dictionary properties;
        if (!raw.isNull())
            properties["AppleRawMaxCapacity"] = raw;
        if (!design.isNull())
            properties["DesignCapacity"] = design;
        Machine machine;
        machine.addBattery(QStringLiteral("AppleSMC"), properties);
        const AppleInternalBattery b(machine.battery(), machine.sources);
        QCOMPARE(toVariant(b.designCapacity()), expected);
        QCOMPARE(b.designCapacityText(), expected.isValid() ? expected.toString() + " mAh" : QStringLiteral("-"));
    }

    void powerSourcePass_data()
    {
        QTest::addColumn<Value>("sources");
        QTest::addColumn<int>("failure"); // 1: no information, 2: a list that is not a list, 3: no list
        QTest::addColumn<QVariant>("name");
        QTest::addColumn<QVariant>("current");
        QTest::addColumn<QVariant>("supply");
        QTest::addColumn<QVariant>("condition");
        QTest::addColumn<QVariant>("charging");
        QTest::addColumn<QVariant>("charged");
        QTest::addColumn<QVariant>("ac");

        const Value a(Value::Dictionary { { "Name", "A" }, { "Current Capacity", 50 }, { "Watts", 60 },
            { "Is Charging", true }, { "BatteryHealth", "Fair" } });
        const QVariant no(false);
        const QVariant yes(true);

        QTest::newRow("one source") << sourcesOf({ a }) << 0 << QVariant("A") << QVariant(50) << QVariant(60) << fair
                                    << yes << no << no;
        QTest::newRow("the last source overwrites, keeping watts and condition")
            << sourcesOf({ a, Value::Dictionary { { "Name", "B" }, { "Current Capacity", 70 } } }) << 0
            << QVariant("B") << QVariant(70) << QVariant(60) << fair << no << no << no;
        QTest::newRow("a key missing from the last source is emptied")
            << sourcesOf({ a, Value::Dictionary { { "Name", "B" } } }) << 0 << QVariant("B") << kNone << QVariant(60)
            << fair << no << no << no;
        QTest::newRow("a description that is not a dictionary is skipped")
            << sourcesOf({ a, Value("broken"), Value(), Value(Value::Array { 1 }) }) << 0 << QVariant("A")
            << QVariant(50) << QVariant(60) << fair << yes << no << no;
        QTest::newRow("adapter details give the watts")
            << sourcesOf({ Value::Dictionary { { "AdapterDetails", Value::Dictionary { { "Watts", 45 } } } } }) << 0
            << kNone << kNone << QVariant(45) << kNone << no << no << no;
        QTest::newRow("watts as text fall back to the adapter details")
            << sourcesOf({ Value::Dictionary {
                   { "Watts", "96" }, { "AdapterDetails", Value::Dictionary { { "Watts", 45 } } } } })
            << 0 << kNone << kNone << QVariant(45) << kNone << no << no << no;
        QTest::newRow("adapter details without watts")
            << sourcesOf({ Value::Dictionary { { "AdapterDetails", Value::Dictionary { { "Name", "x" } } } } }) << 0
            << kNone << kNone << kNone << kNone << no << no << no;
        QTest::newRow("health in other letter case leaves the condition empty")
            << sourcesOf({ Value::Dictionary { { "BatteryHealth", "good" } } }) << 0 << kNone << kNone << kNone
            << kNone << no << no << no;
        QTest::newRow("an unknown health leaves the condition unchanged")
            << sourcesOf({ Value::Dictionary { { "BatteryHealth", "Poor" } },
                   Value::Dictionary { { "BatteryHealth", "Check Battery" } } })
            << 0 << kNone << kNone << kNone << poor << no << no << no;
        QTest::newRow("flags from integers and the power state")
            << sourcesOf({ Value::Dictionary {
                   { "Is Charging", 1 }, { "Is Charged", 1 }, { "Power Source State", "AC Power" } } })
            << 0 << kNone << kNone << kNone << kNone << yes << yes << yes;
        QTest::newRow("flags of other types read false")
            << sourcesOf({ Value::Dictionary {
                   { "Is Charging", "1" }, { "Is Charged", 2 }, { "Power Source State", "Battery Power" } } })
            << 0 << kNone << kNone << kNone << kNone << no << no << no;
        QTest::newRow("no sources") << sourcesOf({}) << 0 << kNone << kNone << kNone << kNone << kNone << kNone
                                    << kNone;
        QTest::newRow("no information") << sourcesOf({ a }) << 1 << kNone << kNone << kNone << kNone << kNone
                                        << kNone << kNone;
        QTest::newRow("a list that is not a list")
            << sourcesOf({ a }) << 2 << kNone << kNone << kNone << kNone << kNone << kNone << kNone;
        QTest::newRow("no list") << sourcesOf({ a }) << 3 << kNone << kNone << kNone << kNone << kNone << kNone
                                 << kNone;
    }

    void powerSourcePass()
    {
        QFETCH(Value, sources);
        QFETCH(int, failure);
        QFETCH(QVariant, name);
        QFETCH(QVariant, current);
        QFETCH(QVariant, supply);
        QFETCH(QVariant, condition);
        QFETCH(QVariant, charging);
        QFETCH(QVariant, charged);
        QFETCH(QVariant, ac);

        Machine machine;
        machine.addBattery(QStringLiteral("AppleSMC"), {});
        machine.sources.setDescriptions(*sources.toArray());
        machine.sources.setInfoAvailable(failure != 1);
        if (failure == 2)
            machine.sources.setListOverride(Value(Value::Dictionary { { "0", "PowerSource-0" } }));
        if (failure == 3)
            machine.sources.setListOverride(Value());

        const AppleInternalBattery b(machine.battery(), machine.sources);
        QCOMPARE(toVariant(b.name()), name);
        QCOMPARE(toVariant(b.currentCapacity()), current);
        QCOMPARE(toVariant(b.connectedPowerSupply()), supply);
        QCOMPARE(conditionVariant(b.condition()), condition);
        QCOMPARE(toVariant(b.isCharging()), charging);
        QCOMPARE(toVariant(b.isCharged()), charged);
        QCOMPARE(toVariant(b.acPowered()), ac);
        QCOMPARE(machine.sources.infoCalls(), 1);
    }

    void legacyKeepsThePercentageApart()
    {
        Machine machine;
        machine.addBattery(QStringLiteral("IOSMBusController"), {});
        machine.sources.setDescriptions({ Value::Dictionary { { "Current Capacity", 47 }, { "Max Capacity", 90 } } });
        const LegacyInternalBattery b(machine.battery(), machine.sources);
        QCOMPARE(toVariant(b.internalCharge()), QVariant(47));
        QVERIFY(!b.currentCapacity());
        QVERIFY(!b.maxCapacity());
        QCOMPARE(toVariant(b.charge()), QVariant(47));
    }

    void wattsAndTimeRemaining_data()
    {
        QTest::addColumn<Value>("voltage");
        QTest::addColumn<Value>("amperage");
        QTest::addColumn<Value>("source"); // null: the machine reports no power source
        QTest::addColumn<QVariant>("watts");
        QTest::addColumn<QVariant>("remaining");
        QTest::addColumn<QString>("text");

        const auto discharging = [](Value minutes) {
            return Value(Value::Dictionary { { "Is Charging", false }, { "Time to Empty", minutes },
                { "Time to Full Charge", 30 } });
        };
        const auto charging = [](Value minutes) {
            return Value(Value::Dictionary { { "Is Charging", true }, { "Time to Full Charge", minutes },
                { "Time to Empty", 300 } });
        };

        QTest::newRow("discharging") << Value(12600) << Value(-1500) << discharging(125) << QVariant(18.9)
                                     << QVariant(125) << "02:05";
        QTest::newRow("charging") << Value(12600) << Value(2000) << charging(59) << QVariant(25.2) << QVariant(59)
                                  << "00:59";
        QTest::newRow("ten hours") << Value(12600) << Value(-1500) << discharging(605) << QVariant(18.9)
                                   << QVariant(605) << "10:05";
        QTest::newRow("not charging, current flowing in")
            << Value(12600) << Value(150) << discharging(0) << QVariant(-1.89) << QVariant(0) << "-";
        QTest::newRow("still estimating") << Value(12600) << Value(-1500) << discharging(-1) << QVariant(18.9)
                                          << QVariant(-1) << "-";
        QTest::newRow("no time given") << Value(12600) << Value(-1500) << discharging(Value("soon"))
                                       << QVariant(18.9) << kNone << "-";
        QTest::newRow("real voltage") << Value(12600.0) << Value(-1500) << discharging(60) << QVariant(18.9)
                                      << QVariant(60) << "01:00";
        QTest::newRow("no voltage") << Value() << Value(-1500) << discharging(60) << kNone << QVariant(60) << "01:00";
        QTest::newRow("amperage as text") << Value(12600) << Value("-1500") << discharging(60) << kNone
                                          << QVariant(60) << "01:00";
        QTest::newRow("charging state unknown") << Value(12600) << Value(-1500) << Value() << kNone << kNone << "-";
    }

    void wattsAndTimeRemaining()
    {
        QFETCH(Value, voltage);
        QFETCH(Value, amperage);
        QFETCH(Value, source);
        QFETCH(QVariant, watts);
        QFETCH(QVariant, remaining);
        QFETCH(QString, text);

        Value::Dictionary properties;
        if (!voltage.isNull())
            properties["Voltage"] = voltage;
        properties["Amperage"] = amperage;
        for (const QString &controller : { QStringLiteral("AppleSMC"), QStringLiteral("IOSMBusController") }) {
            Machine machine;
            machine.addBattery(controller, properties);
            if (!source.isNull())
                machine.sources.setDescriptions({ source });
            const auto b = readBattery(machine, controller == QLatin1String("IOSMBusController"));
            QVERIFY2(sameNumber(b->watts(), watts), qPrintable(QString::number(b->watts().value_or(-1))));
            QCOMPARE(toVariant(b->timeRemaining()), remaining);
            QCOMPARE(b->timeRemainingText(), text);
        }
    }

    void legacyChargeAndHealth_data()
    {
        QTest::addColumn<QVariant>("design");
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<QVariant>("current");
        QTest::addColumn<QVariant>("internal");
        QTest::addColumn<QVariant>("charged");
        QTest::addColumn<QVariant>("health");
        QTest::addColumn<QVariant>("charge");

        const QVariant no(false);
        const QVariant yes(true);
        QTest::newRow("from capacities") << QVariant(6000) << QVariant(5000) << QVariant(2500) << kNone << no
                                         << QVariant(5000.0 / 6000.0 * 100.0) << QVariant(50);
        QTest::newRow("power source percentage first")
            << QVariant(6000) << QVariant(5000) << QVariant(2500) << QVariant(47) << no
            << QVariant(5000.0 / 6000.0 * 100.0) << QVariant(47);
        QTest::newRow("charged is 100") << QVariant(6000) << QVariant(5000) << QVariant(2500) << QVariant(47) << yes
                                        << QVariant(5000.0 / 6000.0 * 100.0) << QVariant(100);
        QTest::newRow("unknown charged counts as not charged")
            << QVariant(6000) << QVariant(5000) << QVariant(2500) << kNone << kNone
            << QVariant(5000.0 / 6000.0 * 100.0) << QVariant(50);
        QTest::newRow("half rounds up") << kNone << QVariant(8) << QVariant(1) << kNone << no << kNone << QVariant(13);
        QTest::newRow("below half rounds down") << kNone << QVariant(3) << QVariant(1) << kNone << no << kNone
                                                << QVariant(33);
        QTest::newRow("no current capacity") << kNone << QVariant(5000) << kNone << kNone << no << kNone << kNone;
        QTest::newRow("maximum capacity 0") << QVariant(6000) << QVariant(0) << QVariant(2500) << kNone << no
                                            << QVariant(0.0) << kNone;
        QTest::newRow("all capacities 0") << QVariant(0) << QVariant(0) << QVariant(0) << kNone << no << kNone
                                          << kNone;
        QTest::newRow("design capacity 0") << QVariant(0) << QVariant(5000) << QVariant(2500) << kNone << no
                                           << kNone << QVariant(50);
        QTest::newRow("beyond the integer range") << kNone << QVariant(1) << QVariant(9'000'000'000'000'000'000LL)
                                                  << kNone << no << kNone << kNone;
        QTest::newRow("maximum capacity 0 but charged")
            << QVariant(6000) << QVariant(0) << QVariant(0) << kNone << yes << QVariant(0.0) << QVariant(100);
    }

    void legacyChargeAndHealth()
    {
        QFETCH(QVariant, design);
        QFETCH(QVariant, max);
        QFETCH(QVariant, current);
        QFETCH(QVariant, internal);
        QFETCH(QVariant, charged);
        QFETCH(QVariant, health);
        QFETCH(QVariant, charge);

        const auto number = [](const QVariant &v) {
            return v.isValid() ? std::optional<std::int64_t>(v.toLongLong()) : std::nullopt;
        };
        LegacyInternalBattery b;
        b.setDesignCapacity(number(design));
        b.setMaxCapacity(number(max));
        b.setCurrentCapacity(number(current));
        b.setInternalCharge(number(internal));
        b.setCharged(charged.isValid() ? std::optional(charged.toBool()) : std::nullopt);

        const auto h = b.health();
        QVERIFY(!h || std::isfinite(*h));
        QVERIFY2(sameNumber(h, health), qPrintable(QString::number(h.value_or(-1))));
        QCOMPARE(toVariant(b.charge()), charge);
    }

    void appleTakesPercentagesAsTheyAre()
    {
        AppleInternalBattery b;
        b.setMaxCapacity(0);
        b.setCurrentCapacity(0);
        QCOMPARE(b.health(), std::optional(0.0));
        QCOMPARE(b.charge(), std::optional<std::int64_t>(0));
        QCOMPARE(b.maxCapacityText(), QStringLiteral("0 %"));
    }

    void invalidEntryReadsNothing()
    {
        Machine machine(QStringLiteral("apple-discharging.json"));
        for (const bool legacy : { false, true }) {
            machine.sources.resetCounters();
            const int reads = machine.registry.propertyReads();
            std::unique_ptr<InternalBattery> b;
            if (legacy)
                b = std::make_unique<LegacyInternalBattery>(platform::RegistryEntry(), machine.sources);
            else
                b = std::make_unique<AppleInternalBattery>(platform::RegistryEntry(), machine.sources);
            QCOMPARE(machine.sources.calls(), 0);
            QCOMPARE(machine.registry.propertyReads(), reads);
            QVERIFY(!b->name());
            QVERIFY(!b->charge());
            QVERIFY(!b->health());
            QCOMPARE(b->designCapacityText(), QStringLiteral("-"));
            QCOMPARE(b->maxCapacityText(), QStringLiteral("-"));
            QCOMPARE(b->currentCapacityText(), QStringLiteral("-"));
            QCOMPARE(b->timeRemainingText(), QStringLiteral("-"));
        }
    }

    void batteryData_data()
    {
        QTest::addColumn<Value>("batteryData");
        QTest::addColumn<QList<float>>("cells");
        QTest::addColumn<bool>("lifetime");

        const Value lifetime(Value::Dictionary { { "MaximumTemperature", 45 } });
        QTest::newRow("cells in millivolts") << Value(Value::Dictionary {
            { "CellVoltage", Value::Array { 4012, 4010, 4015 } }, { "LifetimeData", lifetime } })
                                             << QList<float> { 4.012f, 4.01f, 4.015f } << true;
        QTest::newRow("real cells") << Value(Value::Dictionary { { "CellVoltage", Value::Array { 3999.5 } } })
                                    << QList<float> { 3.9995f } << false;
        QTest::newRow("no cells") << Value(Value::Dictionary { { "CellVoltage", Value::Array {} } }) << QList<float> {}
                                  << false;
        QTest::newRow("a cell that is not a number")
            << Value(Value::Dictionary {
                   { "CellVoltage", Value::Array { 4012, "4010" } }, { "LifetimeData", lifetime } })
            << QList<float> {} << true;
        QTest::newRow("cells not a list") << Value(Value::Dictionary { { "CellVoltage", 4012 } }) << QList<float> {}
                                          << false;
        QTest::newRow("lifetime data not a dictionary")
            << Value(Value::Dictionary { { "LifetimeData", Value::Array { 45 } } }) << QList<float> {} << false;
        QTest::newRow("battery data not a dictionary") << Value(Value::Array { lifetime }) << QList<float> {}
                                                       << false;
    }

    void batteryData()
    {
        QFETCH(Value, batteryData);
        QFETCH(QList<float>, cells);
        QFETCH(bool, lifetime);

        Machine machine;
        machine.addBattery(QStringLiteral("AppleSMC"), { { "BatteryData", batteryData } });
        const AppleInternalBattery b(machine.battery(), machine.sources);
        QCOMPARE(QList<float>(b.cellVoltages().begin(), b.cellVoltages().end()), cells);
        QCOMPARE(b.lifetimeData().has_value(), lifetime);
    }

    void adapterDetails_data()
    {
        QTest::addColumn<Value>("details");
        QTest::addColumn<QVariant>("watts");

        const Value::Dictionary small { { "Watts", 45 } };
        const Value::Dictionary big { { "Watts", 96 } };
        QTest::newRow("first of several") << Value(Value::Array { big, small }) << QVariant(96);
        QTest::newRow("first without watts") << Value(Value::Array { Value::Dictionary {}, big }) << kNone;
        QTest::newRow("empty list") << Value(Value::Array {}) << QVariant("none");
        QTest::newRow("first not a dictionary") << Value(Value::Array { 96, big }) << QVariant("none");
        QTest::newRow("not a list") << Value(big) << QVariant("none");
    }

    void adapterDetails()
    {
        QFETCH(Value, details);
        QFETCH(QVariant, watts);

        Machine machine;
        machine.addBattery(QStringLiteral("AppleSMC"), { { "AppleRawAdapterDetails", details } });
        const AppleInternalBattery b(machine.battery(), machine.sources);
        if (watts == QVariant("none")) {
            QVERIFY(!b.adapter());
        } else {
            QVERIFY(b.adapter());
            QCOMPARE(toVariant(b.adapter()->watts), watts);
        }
    }

    void roundTripsThroughPropertyLists_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("legacy");

        QTest::newRow("apple, every field") << "apple-discharging.json" << false;
        QTest::newRow("apple, few fields") << "apple-charging.json" << false;
        QTest::newRow("legacy") << "legacy-charged.json" << true;
    }

    void roundTripsThroughPropertyLists()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, legacy);

        Machine machine(fixture);
        const auto original = readBattery(machine, legacy);
        const Value encoded = original->encode();
        const Value decoded = platform::plist::parse(platform::plist::serialize(encoded));

        std::unique_ptr<InternalBattery> copy;
        if (legacy)
            copy = std::make_unique<LegacyInternalBattery>(LegacyInternalBattery::decode(decoded));
        else
            copy = std::make_unique<AppleInternalBattery>(AppleInternalBattery::decode(decoded));
        QCOMPARE(copy->encode(), encoded);
        QCOMPARE(copy->charge(), original->charge());
        QCOMPARE(copy->health(), original->health());
        QCOMPARE(copy->timeRemainingText(), original->timeRemainingText());
        QCOMPARE(copy->manufactureDate(), original->manufactureDate());
        QCOMPARE(copy->cellVoltages(), original->cellVoltages());
        QCOMPARE(copy->adapter(), original->adapter());
        QCOMPARE(copy->lifetimeData(), original->lifetimeData());
        QCOMPARE(copy->condition(), original->condition());
    }

    void legacyEncodesItsPercentage()
    {
        LegacyInternalBattery b;
        b.setInternalCharge(47);
        const auto copy = LegacyInternalBattery::decode(b.encode());
        QCOMPARE(toVariant(copy.internalCharge()), QVariant(47));
    }

    void decodesWithoutOptionalKeys()
    {
        const Value minimal(Value::Dictionary { { "cellVoltages", Value::Array {} } });
        const auto apple = AppleInternalBattery::decode(minimal);
        QVERIFY(!apple.name());
        QVERIFY(!apple.condition());
        QVERIFY(!apple.adapter());
        QCOMPARE(apple.encode(), minimal);
        QVERIFY(!LegacyInternalBattery::decode(minimal).internalCharge());
    }

    void rejectsMalformedRecords_data()
    {
        QTest::addColumn<Value>("record");

        const auto with = [](const char *key, Value value) {
            Value::Dictionary d { { "cellVoltages", Value::Array { 4.0 } }, { "name", "InternalBattery-0" } };
            d[key] = std::move(value);
            return Value(d);
        };
        QTest::newRow("no cell voltages") << Value(Value::Dictionary { { "name", "InternalBattery-0" } });
        QTest::newRow("cell voltages null") << with("cellVoltages", Value());
        QTest::newRow("cell voltages not a list") << with("cellVoltages", 4.0);
        QTest::newRow("a cell voltage that is text") << with("cellVoltages", Value::Array { 4.0, "4.1" });
        QTest::newRow("condition 3") << with("condition", 3);
        QTest::newRow("condition as text") << with("condition", "Good");
        QTest::newRow("name as a number") << with("name", 5);
        QTest::newRow("charge flag as an integer") << with("isCharging", 1);
        QTest::newRow("adapter not a dictionary") << with("adapter", Value::Array {});
        QTest::newRow("lifetime temperature too wide")
            << with("lifetimeData", Value::Dictionary { { "maximumTemperature", 300 } });
        QTest::newRow("not a dictionary") << Value(Value::Array {});
    }

    void rejectsMalformedRecords()
    {
        QFETCH(Value, record);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, AppleInternalBattery::decode(record));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, LegacyInternalBattery::decode(record));
    }
};

QTEST_GUILESS_MAIN(InternalBatteryTest)
#include "internalbattery_test.moc"
