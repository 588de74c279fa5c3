// The machine's batteries as the finders see them when the registry and the power sources are read
// from sysfs.
#include "ammerl/appleinternalbattery.h"
#include "ammerl/internalfinder.h"
#include "ammerl/legacyinternalbattery.h"
#include "fennic/bluetoothfinder.h"
#include "platform/core/bundle.h"
#include "platform/registry/sysfspowersources.h"
#include "platform/registry/sysfsregistry.h"
#include "sysfstree.h"

#include <QTest>

#include <algorithm>

using ammerl::InternalFinder;
using fennic::BatteryDevice;
using fennic::BluetoothFinder;
using fennic::DeviceType;
using platform::SysfsPowerSources;
using platform::SysfsRegistry;

namespace {
QString fixture(const QString &name) { return QStringLiteral(QUENBY_TEST_DATA "/sysfs/") + name; }

template <typename T> QVariant toVariant(const std::optional<T> &value)
{
    if (!value)
        return {};
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
        return QVariant(qlonglong(*value));
    else
        return QVariant::fromValue(*value);
}

// Optional doubles compared to a few decimals, enough for values worked out from sysfs integers.
bool sameNumber(const std::optional<double> &actual, const QVariant &expected)
{
    if (!actual || !expected.isValid())
        return actual.has_value() == expected.isValid();
    return std::abs(*actual - expected.toDouble()) < 1e-6;
}

std::vector<std::shared_ptr<BatteryDevice>> sortedBySerial(std::vector<std::shared_ptr<BatteryDevice>> devices)
{
    std::sort(devices.begin(), devices.end(), [](const auto &a, const auto &b) { return a->serial() < b->serial(); });
    return devices;
}

enum Variant { Apple, Legacy };
}

class SysfsFindersTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        platform::Bundle::setPreferredLanguages({ QStringLiteral("en") });
        // Before anything asks for the process's registry: the default backends take their root from
        // here.
        qputenv("QUENBY_SYSFS_ROOT", fixture("thinkpad").toLocal8Bit());
    }

    void internalBattery_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QStringList>("capacityTexts"); // design, maximum, current
        QTest::addColumn<QVariant>("health");
        QTest::addColumn<QVariant>("charge");
        QTest::addColumn<QVariant>("voltage");
        QTest::addColumn<QVariant>("amperage");
        QTest::addColumn<QVariant>("watts");
        QTest::addColumn<QVariant>("acPowered");
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QVariant>("supply");
        QTest::addColumn<QVariant>("condition");
        QTest::addColumn<QString>("name");

        QTest::newRow("energy, discharging")
            << "thinkpad" << int(Legacy) << QStringList { "4924 mAh", "4372 mAh", "2977 mAh" }
            << QVariant(4372.0 / 4924.0 * 100.0) << QVariant(68) << QVariant(12.088) << QVariant(-649)
            << QVariant(12.088 * 649 / 1000) << QVariant(false) << "04:23" << QVariant() << QVariant() << "BAT0";
        QTest::newRow("charge, charging")
            << "xps" << int(Legacy) << QStringList { "7894 mAh", "7216 mAh", "4329 mAh" }
            << QVariant(7216.0 / 7894.0 * 100.0) << QVariant(60) << QVariant(8.352) << QVariant(2418)
            << QVariant(8.352 * 2418 / 1000) << QVariant(true) << "01:11" << QVariant(65) << QVariant() << "BAT0";
        QTest::newRow("percentage only") << "pinephone" << int(Apple) << QStringList { "-", "-", "83 %" } << QVariant()
                                         << QVariant(83) << QVariant(3.912) << QVariant(-342)
                                         << QVariant(3.912 * 342 / 1000) << QVariant(false) << "-" << QVariant()
                                         << QVariant(int(ammerl::BatteryCondition::good)) << "axp20x-battery";
    }

    void internalBattery()
    {
        QFETCH(QString, tree);
        QFETCH(int, variant);
        QFETCH(QStringList, capacityTexts);
        QFETCH(QVariant, health);
        QFETCH(QVariant, charge);
        QFETCH(QVariant, voltage);
        QFETCH(QVariant, amperage);
        QFETCH(QVariant, watts);
        QFETCH(QVariant, acPowered);
        QFETCH(QString, timeText);
        QFETCH(QVariant, supply);
        QFETCH(QVariant, condition);
        QFETCH(QString, name);

        SysfsRegistry registry(fixture(tree));
        SysfsPowerSources sources(fixture(tree));
        InternalFinder finder(registry, sources);
        QVERIFY(finder.batteryPresent());
        const auto battery = finder.find();
        QVERIFY(battery);
        if (variant == Legacy)
            QVERIFY(dynamic_cast<const ammerl::LegacyInternalBattery *>(battery.get()));
        else
            QVERIFY(dynamic_cast<const ammerl::AppleInternalBattery *>(battery.get()));

        QCOMPARE(
            QStringList({ battery->designCapacityText(), battery->maxCapacityText(), battery->currentCapacityText() }),
            capacityTexts);
        QVERIFY2(sameNumber(battery->health(), health), qPrintable(QString::number(battery->health().value_or(-1))));
        QCOMPARE(toVariant(battery->charge()), charge);
        QVERIFY(sameNumber(battery->voltage(), voltage));
        QCOMPARE(toVariant(battery->amperage()), amperage);
        QVERIFY2(sameNumber(battery->watts(), watts), qPrintable(QString::number(battery->watts().value_or(-1))));
        QCOMPARE(toVariant(battery->acPowered()), acPowered);
        QCOMPARE(battery->timeRemainingText(), timeText);
        QCOMPARE(toVariant(battery->connectedPowerSupply()), supply);
        QCOMPARE(battery->condition() ? QVariant(int(*battery->condition())) : QVariant(), condition);
        QCOMPARE(battery->name(), std::optional<QString>(name));
    }

    void accessories_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<DeviceType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<qlonglong>("productId");
        QTest::addColumn<QVariant>("manufacturer");

        QTest::newRow("trackpad on its cable")
            << "CC2933200F1J0Q7AQ" << DeviceType::trackpad << "Apple Inc. Magic Trackpad" << 71 << true
            << qlonglong(0x0265) << QVariant();
        QTest::newRow("mouse behind a receiver") << "d08e5b2a" << DeviceType::mouse << "MX Master 3" << 80 << false
                                                 << qlonglong(0x4082) << QVariant("Logitech Inc.");
        QTest::newRow("Bluetooth mouse") << "dc:2c:26:0a:1b:3f" << DeviceType::mouse << "Magic Mouse" << 57 << false
                                         << qlonglong(0x030D) << QVariant("Apple Inc.");
        QTest::newRow("Bluetooth keyboard") << "f0:b3:ec:11:22:33" << DeviceType::keyboard << "Magic Keyboard" << 88
                                            << false << qlonglong(0x0267) << QVariant("Apple Inc.");
    }

    void accessories()
    {
        QFETCH(QString, serial);
        QFETCH(DeviceType, type);
        QFETCH(QString, name);
        QFETCH(int, level);
        QFETCH(bool, charging);
        QFETCH(qlonglong, productId);
        QFETCH(QVariant, manufacturer);

        SysfsRegistry registry(fixture("thinkpad"));
        BluetoothFinder finder(registry);
        finder.refresh();
        QCOMPARE(finder.devices().size(), std::size_t(4));
        const auto found = std::find_if(
            finder.devices().begin(), finder.devices().end(), [&](const auto &d) { return d->serial() == serial; });
        QVERIFY(found != finder.devices().end());
        const auto &device = **found;
        QCOMPARE(device.type(), type);
        QCOMPARE(device.name(), name);
        QCOMPARE(device.batteryLevel(), std::optional<std::uint8_t>(level));
        QCOMPARE(device.isCharging(), charging);
        QCOMPARE(device.productId(), std::optional<std::int64_t>(productId));
        QCOMPARE(toVariant(device.manufacturer()), manufacturer);
        QVERIFY(!device.vendorId());
    }

    void accessoryFaults_data()
    {
        QTest::addColumn<QString>("change"); // "<path below the mouse's supply>=<content>"
        QTest::addColumn<QStringList>("serials");

        const QStringList others { "CC2933200F1J0Q7AQ", "d08e5b2a", "f0:b3:ec:11:22:33" };
        QTest::newRow("level not readable") << "capacity=<dir>" << others;
        QTest::newRow("level not a number") << "capacity=n/a" << others;
        QTest::newRow("level 0") << "capacity=0"
                                 << QStringList { "CC2933200F1J0Q7AQ", "d08e5b2a", "dc:2c:26:0a:1b:3f",
                                        "f0:b3:ec:11:22:33" };
        QTest::newRow("HID device unknown") << "device/uevent=<remove>" << others;
        QTest::newRow("no type: the scope decides")
            << "type=<remove>"
            << QStringList { "CC2933200F1J0Q7AQ", "d08e5b2a", "dc:2c:26:0a:1b:3f", "f0:b3:ec:11:22:33" };
    }

    void accessoryFaults()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, serials);

        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        const int equals = change.indexOf(QLatin1Char('='));
        QVERIFY(tree.change(QStringLiteral("class/power_supply/hid-dc:2c:26:0a:1b:3f-battery/") + change.left(equals),
            change.mid(equals + 1)));

        SysfsRegistry registry(tree.root());
        BluetoothFinder finder(registry);
        finder.refresh();
        QStringList found;
        for (const auto &d : sortedBySerial(finder.devices()))
            found << d->serial();
        QCOMPARE(found, serials);
    }

    void machineWithoutBatteries()
    {
        SysfsTree empty;
        SysfsRegistry registry(empty.root());
        SysfsPowerSources sources(empty.root());
        InternalFinder internal(registry, sources);
        QVERIFY(!internal.batteryPresent());
        QVERIFY(!internal.find());
        BluetoothFinder accessories(registry);
        accessories.refresh();
        QVERIFY(accessories.devices().empty());
    }

    void batteryLeavesWhileHeld()
    {
        SysfsTree tree("thinkpad");
        SysfsRegistry registry(tree.root());
        SysfsPowerSources sources(tree.root());
        InternalFinder finder(registry, sources);
        QVERIFY(finder.find());
        QVERIFY(QDir(QFileInfo(tree.supplyPath("BAT0")).canonicalFilePath()).removeRecursively());
        QVERIFY(!finder.find());
    }

    void defaultsReadTheConfiguredRoot()
    {
        auto *registry = dynamic_cast<SysfsRegistry *>(&platform::Registry::current());
        QVERIFY(registry);
        QCOMPARE(registry->root(), fixture("thinkpad"));

        InternalFinder internal;
        const auto battery = internal.find();
        QVERIFY(battery);
        QCOMPARE(battery->charge(), std::optional<std::int64_t>(68));
        BluetoothFinder accessories;
        accessories.refresh();
        QCOMPARE(accessories.devices().size(), std::size_t(4));
    }
};

QTEST_GUILESS_MAIN(SysfsFindersTest)
#include "sysfsfinders_test.moc"
