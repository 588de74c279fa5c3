#include "ammerl/appleinternalbattery.h"
#include "ammerl/internalfinder.h"
#include "ammerl/legacyinternalbattery.h"

#include "batterytestsupport.h"

#include <QTest>

using ammerl::AppleInternalBattery;
using ammerl::BatteryCondition;
using ammerl::InternalBattery;
using ammerl::InternalFinder;
using ammerl::LegacyInternalBattery;
using platform::Value;

namespace {
enum Variant { None, Apple, Legacy };

Variant variantOf(const InternalBattery *battery)
{
    if (dynamic_cast<const AppleInternalBattery *>(battery))
        return Apple;
    if (dynamic_cast<const LegacyInternalBattery *>(battery))
        return Legacy;
    return None;
}

QVariant conditionVariant(std::optional<BatteryCondition> c)
{
    return c ? QVariant(int(*c)) : QVariant();
}

const Value::Dictionary kBattery { { "Voltage", 12600 }, { "Amperage", -1500 }, { "DesignCapacity", 6000 },
    { "MaxCapacity", 5000 }, { "CurrentCapacity", 2500 } };
const Value kSource(Value::Dictionary { { "Name", "InternalBattery-0" }, { "Current Capacity", 80 },
    { "Max Capacity", 100 }, { "Is Charging", false } });
}

class InternalFinderTest : public QObject {
    Q_OBJECT
private slots:
    void fixtureMachines_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("designText");
        QTest::addColumn<QString>("maxText");
        QTest::addColumn<QString>("currentText");
        QTest::addColumn<QVariant>("health");
        QTest::addColumn<QVariant>("charge");
        QTest::addColumn<QVariant>("condition");
        QTest::addColumn<QVariant>("watts");
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QVariant>("supply");

        const QVariant good { int(BatteryCondition::good) };
        const QVariant fair { int(BatteryCondition::fair) };
        const QVariant poor { int(BatteryCondition::poor) };
        QTest::newRow("apple discharging") << "apple-discharging.json" << int(Apple) << "4100 mAh" << "100 %"
                                           << "80 %" << QVariant(100.0) << QVariant(80) << good << QVariant(18.9)
                                           << "02:05" << kNone;
        QTest::newRow("apple charging") << "apple-charging.json" << int(Apple) << "4382 mAh" << "87 %" << "42 %"
                                        << QVariant(87.0) << QVariant(42) << fair << QVariant(25.2) << "00:59"
                                        << QVariant(61);
        QTest::newRow("legacy discharging") << "legacy-discharging.json" << int(Legacy) << "6000 mAh" << "5000 mAh"
                                            << "2500 mAh" << QVariant(5000.0 / 6000.0 * 100.0) << QVariant(50)
                                            << poor << QVariant(18.9) << "-" << kNone;
        QTest::newRow("legacy charged") << "legacy-charged.json" << int(Legacy) << "6000 mAh" << "5800 mAh"
                                        << "5800 mAh" << QVariant(5800.0 / 6000.0 * 100.0) << QVariant(100) << good
                                        << QVariant(-1.89) << "-" << QVariant(85);
    }

    void fixtureMachines()
    {
        QFETCH(QString, fixture);
        QFETCH(int, variant);
        QFETCH(QString, designText);
        QFETCH(QString, maxText);
        QFETCH(QString, currentText);
        QFETCH(QVariant, health);
        QFETCH(QVariant, charge);
        QFETCH(QVariant, condition);
        QFETCH(QVariant, watts);
        QFETCH(QString, timeText);
        QFETCH(QVariant, supply);

        Machine machine(fixture);
        InternalFinder finder(machine.registry, machine.sources);
        QVERIFY(finder.batteryPresent());
        const auto battery = finder.find();
        QVERIFY(battery);
        QCOMPARE(int(variantOf(battery.get())), variant);
        QCOMPARE(battery->designCapacityText(), designText);
        QCOMPARE(battery->maxCapacityText(), maxText);
        QCOMPARE(battery->currentCapacityText(), currentText);
        QVERIFY2(sameNumber(battery->health(), health), qPrintable(QString::number(battery->health().value_or(-1))));
        QCOMPARE(toVariant(battery->charge()), charge);
        QCOMPARE(conditionVariant(battery->condition()), condition);
        QVERIFY2(sameNumber(battery->watts(), watts), qPrintable(QString::number(battery->watts().value_or(-1))));
        QCOMPARE(battery->timeRemainingText(), timeText);
        QCOMPARE(toVariant(battery->connectedPowerSupply()), supply);
        QCOMPARE(battery->name().value_or(QString()), QStringLiteral("InternalBattery-0"));
    }

    void variantFollowsTheController_data()
    {
        QTest::addColumn<Value>("providerClass"); // null: the controller has no such property
        QTest::addColumn<int>("variant");

        QTest::newRow("AppleSMC") << Value("AppleSMC") << int(Apple);
        QTest::newRow("IOSMBusController") << Value("IOSMBusController") << int(Legacy);
        QTest::newRow("AppleSMCFamily") << Value("AppleSMCFamily") << int(None);
        QTest::newRow("other letter case") << Value("applesmc") << int(None);
        QTest::newRow("empty text") << Value("") << int(None);
        QTest::newRow("not text") << Value(1) << int(None);
        QTest::newRow("missing") << Value() << int(None);
    }

    void variantFollowsTheController()
    {
        QFETCH(Value, providerClass);
        QFETCH(int, variant);

        Machine machine;
        Value::Dictionary controller;
        if (!providerClass.isNull())
            controller["IOProviderClass"] = providerClass;
        const auto parent = machine.registry.addEntry({ "AppleSmartBatteryManager", {}, {}, controller });
        machine.registry.addEntry({ "AppleSmartBattery", { "IOPMPowerSource", "IOService" }, {}, kBattery }, parent);
        machine.sources.setDescriptions({ kSource });

        InternalFinder finder(machine.registry, machine.sources);
        const auto battery = finder.find();
        QCOMPARE(int(variantOf(battery.get())), variant);
        if (battery)
            QCOMPARE(toVariant(battery->maxCapacity()), QVariant(variant == Apple ? 100 : 5000));
        // Only the finder's own hold on the battery stays; the parent is released in every case.
        QCOMPARE(machine.registry.liveHandles(), 1);
    }

    void registryWithoutAUsableBattery_data()
    {
        QTest::addColumn<int>("fault"); // 0: no battery entry, 1: no parent, 2: parent unreachable, 3: query fails

        QTest::newRow("no smart battery") << 0;
        QTest::newRow("battery at the root") << 1;
        QTest::newRow("parent unreachable") << 2;
        QTest::newRow("query fails") << 3;
    }

    void registryWithoutAUsableBattery()
    {
        QFETCH(int, fault);

        Machine machine;
        machine.sources.setDescriptions({ kSource });
        if (fault == 1) {
            machine.registry.addEntry({ "AppleSmartBattery", {}, {}, kBattery });
        } else if (fault != 0) {
            machine.addBattery(QStringLiteral("AppleSMC"), kBattery);
            if (fault == 2)
                machine.registry.setParentUnreachable(*machine.registry.entryNamed("AppleSmartBattery"));
            if (fault == 3)
                machine.registry.setQueryFails(QStringLiteral("AppleSmartBattery"));
        }

        InternalFinder finder(machine.registry, machine.sources);
        QCOMPARE(finder.serviceInternal().isValid(), fault == 1 || fault == 2);
        QVERIFY(finder.batteryPresent());
        QVERIFY(!finder.find());
        QVERIFY(!finder.find());
        QCOMPARE(machine.registry.liveHandles(), finder.serviceInternal().isValid() ? 1 : 0);
    }

    void noPowerSourceReadsNothing()
    {
        Machine machine(QStringLiteral("apple-discharging.json"));
        machine.sources.setDescriptions({});
        InternalFinder finder(machine.registry, machine.sources);
        QVERIFY(finder.serviceInternal().isValid());
        machine.registry.resetCounters();

        QVERIFY(!finder.batteryPresent());
        for (int i = 0; i < 3; ++i)
            QVERIFY(!finder.find());
        QCOMPARE(machine.registry.propertyReads(), 0);
        QCOMPARE(machine.registry.totalQueries(), 0);
        QCOMPARE(machine.sources.infoCalls(), 1);

        // The answer is kept: a battery that appears later is not seen by this finder.
        machine.sources.setDescriptions({ kSource });
        QVERIFY(!finder.batteryPresent());
        QVERIFY(!finder.find());
        QCOMPARE(machine.sources.infoCalls(), 1);
    }

    void presenceIsAskedOnce()
    {
        Machine machine(QStringLiteral("legacy-discharging.json"));
        InternalFinder finder(machine.registry, machine.sources);
        QVERIFY(finder.batteryPresent());
        QCOMPARE(machine.sources.infoCalls(), 1);
        for (int i = 0; i < 3; ++i)
            QVERIFY(finder.find());
        QVERIFY(finder.batteryPresent());
        // One question for presence, then one snapshot per record.
        QCOMPARE(machine.sources.infoCalls(), 1 + 3);
    }

    void aListThatIsNotAListMeansNoBattery()
    {
        Machine machine(QStringLiteral("apple-discharging.json"));
        machine.sources.setListOverride(Value(Value::Dictionary { { "InternalBattery-0", 1 } }));
        InternalFinder finder(machine.registry, machine.sources);
        QVERIFY(!finder.batteryPresent());

        machine.sources.setListOverride(std::nullopt);
        QVERIFY(!finder.batteryPresent());
        QVERIFY(!finder.find());
        QCOMPARE(machine.sources.infoCalls(), 1);
    }

    void missingInformationIsAskedAgain_data()
    {
        QTest::addColumn<bool>("noInformation"); // else: no list

        QTest::newRow("no information") << true;
        QTest::newRow("no list") << false;
    }

    void missingInformationIsAskedAgain()
    {
        QFETCH(bool, noInformation);

        Machine machine(QStringLiteral("apple-discharging.json"));
        if (noInformation)
            machine.sources.setInfoAvailable(false);
        else
            machine.sources.setListOverride(Value());
        InternalFinder finder(machine.registry, machine.sources);
        QVERIFY(!finder.batteryPresent());
        QVERIFY(!finder.find());

        machine.sources.setInfoAvailable(true);
        machine.sources.setListOverride(std::nullopt);
        QVERIFY(finder.batteryPresent());
        QVERIFY(finder.find());
    }

    void everyFindReadsAnew()
    {
        Machine machine(QStringLiteral("apple-discharging.json"));
        InternalFinder finder(machine.registry, machine.sources);
        const auto first = finder.find();

        Value::Dictionary drained = *kSource.toDictionary();
        drained["Current Capacity"] = 79;
        machine.sources.setDescriptions({ drained });
        machine.registry.setProperty(*machine.registry.entryNamed("AppleSmartBattery"), "CycleCount", 213);
        const auto second = finder.find();

        QVERIFY(first && second);
        QVERIFY(first.get() != second.get());
        QCOMPARE(toVariant(first->charge()), QVariant(80));
        QCOMPARE(toVariant(second->charge()), QVariant(79));
        QCOMPARE(toVariant(first->cycleCount()), QVariant(212));
        QCOMPARE(toVariant(second->cycleCount()), QVariant(213));
    }

    void holdsTheBatteryForItsLife()
    {
        Machine machine(QStringLiteral("apple-discharging.json"));
        {
            InternalFinder finder(machine.registry, machine.sources);
            const auto battery = finder.find();
            QVERIFY(battery);
            QCOMPARE(machine.registry.liveHandles(), 1);
        }
        QCOMPARE(machine.registry.liveHandles(), 0);
    }

    void demoMachineHasADischargingBattery()
    {
        Machine machine;
        const QString desk = QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json");
        machine.registry.loadFixtureFile(desk);
        machine.sources.loadFixtureFile(desk);
        InternalFinder finder(machine.registry, machine.sources);
        const auto battery = finder.find();
        QCOMPARE(int(variantOf(battery.get())), int(Apple));
        QCOMPARE(battery->isCharging(), std::optional(false));
        QCOMPARE(battery->acPowered(), std::optional(false));
        QCOMPARE(toVariant(battery->charge()), QVariant(69));
        QVERIFY(battery->watts().value_or(0) > 0);
        QCOMPARE(battery->timeRemainingText(), QStringLiteral("03:07"));
        QCOMPARE(battery->cellVoltages().size(), std::size_t(3));
    }

    void usesTheCurrentRegistryAndPowerSources()
    {
        Machine machine(QStringLiteral("legacy-charged.json"));
        platform::ScopedRegistry registry(machine.registry);
        platform::ScopedPowerSources sources(machine.sources);
        InternalFinder finder;
        const auto battery = finder.find();
        QCOMPARE(int(variantOf(battery.get())), int(Legacy));
        QCOMPARE(toVariant(battery->charge()), QVariant(100));
    }
};

QTEST_GUILESS_MAIN(InternalFinderTest)
#include "internalfinder_test.moc"
