// The machine's batteries as the finders see them when the registry and the power sources are read
// from sysfs.
#include "../src/sysfsattributes_p.h"
#include "ammerl/appleinternalbattery.h"
#include "ammerl/internalfinder.h"
#include "ammerl/legacyinternalbattery.h"
#include "fennic/bluetoothfinder.h"
#include "platform/core/bundle.h"
#include "platform/registry/sysfspowersources.h"
#include "platform/registry/sysfsregistry.h"
#include "sysfstree.h"

#include <QEventLoop>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>

using ammerl::InternalFinder;
using fennic::BatteryDevice;
using fennic::BluetoothFinder;
using fennic::DeviceType;
using platform::SysfsPowerSources;
using platform::SysfsRegistry;

namespace {
QString fixture(const QString &name) { return QStringLiteral(QUENBY_TEST_DATA "/sysfs/") + name; }

// The names of the files this process holds open in `folder`.
QStringList openBelow(const QString &folder)
{
    QStringList open;
    for (const QFileInfo &fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::AllEntries | QDir::System)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(folder + QLatin1Char('/')))
            open << QFileInfo(target).fileName();
    }
    open.sort();
    return open;
}

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

namespace {
/// The ThinkPad tree's machine battery read as the program reads it: registry and power sources on one root,
/// one pass a tick.
struct ThinkpadBattery {
    SysfsTree tree { "thinkpad" };
    SysfsRegistry registry { tree.root() };
    SysfsPowerSources sources { tree.root() };
    InternalFinder internal { registry, sources };
    QString battery = tree.supplyPath(QStringLiteral("BAT0"));
    QString directory = QFileInfo(battery).canonicalFilePath();
    auto tick()
    {
        platform::SysfsReading pass;
        return internal.find();
    }
};
} // namespace

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
        // BAT0 at 80 % and BAT1 at 2.5 %: one battery of 48 + 1.5 of 60 + 60 Wh, 9.6 W drawn.
        QTest::newRow("two batteries as one")
            << "t480" << int(Legacy) << QStringList { "14035 mAh", "10526 mAh", "4342 mAh" }
            << QVariant(10526.0 / 14035.0 * 100.0) << QVariant(41) << QVariant(12.0) << QVariant(-800) << QVariant(9.6)
            << QVariant(false) << "05:09" << QVariant() << QVariant() << "BAT0";
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
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<DeviceType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<qlonglong>("productId");
        QTest::addColumn<QVariant>("manufacturer");

        QTest::newRow("trackpad on its cable")
            << "thinkpad"
            << "CC2933200F1J0Q7AQ" << DeviceType::trackpad << "Apple Inc. Magic Trackpad" << 71 << true
            << qlonglong(0x0265) << QVariant();
        QTest::newRow("mouse behind a receiver") << "thinkpad"
                                                 << "d08e5b2a" << DeviceType::mouse << "MX Master 3" << 80 << false
                                                 << qlonglong(0x4082) << QVariant("Logitech Inc.");
        QTest::newRow("Bluetooth mouse") << "thinkpad"
                                         << "dc:2c:26:0a:1b:3f" << DeviceType::mouse << "Magic Mouse" << 57 << false
                                         << qlonglong(0x030D) << QVariant("Apple Inc.");
        QTest::newRow("Bluetooth keyboard") << "thinkpad"
                                            << "f0:b3:ec:11:22:33" << DeviceType::keyboard << "Magic Keyboard" << 88
                                            << false << qlonglong(0x0267) << QVariant("Apple Inc.");
        // The kinds a desktop's report descriptors do not tell.
        QTest::newRow("Magic Mouse 2 through BlueZ")
            << "desktop"
            << "3c:a6:f6:41:7e:02" << DeviceType::mouse << "Magic Mouse" << 64 << false << qlonglong(0x0269)
            << QVariant("Apple Inc.");
        QTest::newRow("gaming mouse behind its receiver")
            << "desktop"
            << "7a3c91f0" << DeviceType::mouse << "G305" << 90 << false << qlonglong(0x4074)
            << QVariant("Logitech Inc.");
        // A wireless headset whose battery sits on its receiver on the USB bus does not charge; the audio
        // interfaces beside the receiver's HID interface make it a headset (the finder's own rules would
        // end on a trackpad).
        QTest::newRow("headset on its receiver") << "t480"
                                                 << "hidpp_battery_0" << DeviceType::headset << "G935 Gaming Headset"
                                                 << 3 << false << qlonglong(0x0A87) << QVariant("Logitech Inc.");
        // No kind of the records fits a game controller: it is none of them, rather than a wrong one.
        QTest::newRow("game controller") << "desktop"
                                         << "a4:ae:12:9c:40:d1" << DeviceType::undefined << "Wireless Controller"
                                         << 40 << false << qlonglong(0x09CC) << QVariant();
    }

    void accessories()
    {
        QFETCH(QString, tree);
        QFETCH(QString, serial);
        QFETCH(DeviceType, type);
        QFETCH(QString, name);
        QFETCH(int, level);
        QFETCH(bool, charging);
        QFETCH(qlonglong, productId);
        QFETCH(QVariant, manufacturer);

        SysfsRegistry registry(fixture(tree));
        registry.setBluetoothIcons([](const QString &) { return std::nullopt; });
        BluetoothFinder finder(registry);
        finder.refresh();
        const std::map<QString, std::size_t> counts { { "thinkpad", 4 }, { "desktop", 3 }, { "t480", 1 } };
        QCOMPARE(finder.devices().size(), counts.at(tree));
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

    // What one tick of the application reads: each file once, and after the first tick only what can
    // change.
    void tickReadsOnlyWhatChanges()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        SysfsPowerSources sources(tree.root());
        BluetoothFinder accessories(registry);
        InternalFinder internal(registry, sources);

        QHash<QString, int> reads;
        platform::SysfsAttributes::setReadObserver([&](const QString &path) { ++reads[path]; });
        const auto tick = [&] {
            reads.clear();
            platform::SysfsReading pass;
            accessories.refresh();
            return internal.find();
        };
        const auto readTwice = [&] {
            QStringList twice;
            for (auto it = reads.constBegin(); it != reads.constEnd(); ++it) {
                if (it.value() > 1)
                    twice << it.key();
            }
            return twice;
        };

        QVERIFY(tick());
        QCOMPARE(accessories.devices().size(), std::size_t(4));
        QCOMPARE(readTwice(), QStringList());
        QVERIFY(reads.size() > 20);

        const auto battery = tick();
        platform::SysfsAttributes::setReadObserver({});
        QVERIFY(battery);
        QCOMPARE(battery->designCapacityText(), QStringLiteral("4924 mAh"));
        QCOMPARE(accessories.devices().size(), std::size_t(4));
        QCOMPARE(readTwice(), QStringList());
        static const QStringList fixed { "uevent", "report_descriptor", "model_name", "serial_number",
            "manufacturer", "energy_full_design", "charge_full_design", "voltage_min_design", "type", "scope",
            "manufacture_year", "key", "rel", "abs", "properties" };
        QStringList accessoryReads;
        for (auto it = reads.constBegin(); it != reads.constEnd(); ++it) {
            const QString name = QFileInfo(it.key()).fileName();
            QVERIFY2(!fixed.contains(name), qPrintable(it.key()));
            // What the battery lacks (charge_now on a battery counting energy, temp, ...) is not looked for
            // again while it stays.
            QVERIFY2(QFileInfo::exists(it.key()), qPrintable(it.key()));
            if (!it.key().contains(QLatin1String("/BAT0/")) && !it.key().contains(QLatin1String("/AC/")))
                accessoryReads << name;
        }
        // The level, and whether the accessory charges.
        accessoryReads.sort();
        QCOMPARE(accessoryReads, QStringList(4, QStringLiteral("capacity")) + QStringList(4, QStringLiteral("status")));
    }

    void changesReachTheNextTick()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        BluetoothFinder finder(registry);
        const QString mouse = QStringLiteral("hid-dc:2c:26:0a:1b:3f-battery");
        const auto mouseRecord = [&]() -> std::shared_ptr<BatteryDevice> {
            for (const auto &d : finder.devices()) {
                if (d->serial() == QLatin1String("dc:2c:26:0a:1b:3f"))
                    return d;
            }
            return nullptr;
        };
        finder.refresh();
        QVERIFY(mouseRecord());

        QVERIFY(tree.change(QStringLiteral("class/power_supply/") + mouse + QStringLiteral("/capacity"), "12"));
        finder.refresh();
        QCOMPARE(mouseRecord()->batteryLevel(), std::optional<std::uint8_t>(12));

        // Reconnected, the mouse is a new directory, with a new name and a new descriptor.
        const QString device = QFileInfo(tree.supplyPath(mouse, QStringLiteral("device"))).canonicalFilePath();
        QCOMPARE(QProcess::execute(QStringLiteral("sh"),
                     { QStringLiteral("-c"), QStringLiteral("cp -a \"$0\" \"$0.new\" && rm -r \"$0\" && mv \"$0.new\" \"$0\""),
                         device }),
            0);
        const QString hid = QStringLiteral("class/power_supply/") + mouse + QStringLiteral("/device/");
        QVERIFY(tree.change(QStringLiteral("class/power_supply/") + mouse + QStringLiteral("/model_name"), "Magic Trackpad"));
        QVERIFY(tree.change(hid + QStringLiteral("report_descriptor"), "<remove>"));
        QVERIFY(tree.change(hid + QStringLiteral("uevent"),
            "DRIVER=magicmouse\nHID_ID=0005:0000004C:0000030E\nHID_UNIQ=dc:2c:26:0a:1b:3f"));
        finder.refresh();
        QCOMPARE(mouseRecord()->name(), QStringLiteral("Magic Trackpad"));
        QCOMPARE(mouseRecord()->type(), DeviceType::trackpad);
        QCOMPARE(mouseRecord()->productId(), std::optional<std::int64_t>(0x030E));

        // Gone, then back.
        QVERIFY(QFile::rename(tree.supplyPath(mouse), tree.root() + QStringLiteral("/gone")));
        finder.refresh();
        QVERIFY(!mouseRecord());
        QVERIFY(QFile::rename(tree.root() + QStringLiteral("/gone"), tree.supplyPath(mouse)));
        finder.refresh();
        QVERIFY(mouseRecord());
    }

    // The level and status files stay open between ticks: what takes a supply's place, or a file's,
    // must be read anew, whether a tick saw the supply gone or not.
    void replacedSupplyIsReadAnew_data()
    {
        QTest::addColumn<QString>("script"); // sh, run with the supply's directory as $0 and its class entry as $1
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("charging");

        QTest::newRow("unchanged") << "true"
                                   << "Magic Mouse" << 57 << false;
        QTest::newRow("level rewritten in place") << "printf '12\\n' > \"$0/capacity\""
                                                  << "Magic Mouse" << 12 << false;
        QTest::newRow("level file replaced by rename")
            << "printf '33\\n' > \"$0/capacity.new\" && mv \"$0/capacity.new\" \"$0/capacity\""
            << "Magic Mouse" << 33 << false;
        QTest::newRow("status file replaced by rename")
            << "printf 'Charging\\n' > \"$0/status.new\" && mv \"$0/status.new\" \"$0/status\""
            << "Magic Mouse" << 57 << true;
        // Unplugged and plugged again within one tick: the listing never misses it.
        QTest::newRow("supply removed and added again under its name")
            << "target=$(readlink \"$1\") && cp -a \"$0\" \"$0.new\" && rm \"$1\" && rm -r \"$0\" && mv \"$0.new\" \"$0\""
               " && printf 'Mouse Two\\n' > \"$0/model_name\" && printf '90\\n' > \"$0/capacity\" && ln -s \"$target\" \"$1\""
            << "Mouse Two" << 90 << false;
    }

    void replacedSupplyIsReadAnew()
    {
        QFETCH(QString, script);
        QFETCH(QString, name);
        QFETCH(int, level);
        QFETCH(bool, charging);

        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        BluetoothFinder finder(registry);
        const QString supply = tree.supplyPath(QStringLiteral("hid-dc:2c:26:0a:1b:3f-battery"));
        const auto tick = [&]() -> std::shared_ptr<BatteryDevice> {
            platform::SysfsReading pass;
            finder.refresh();
            for (const auto &d : finder.devices()) {
                if (d->serial() == QLatin1String("dc:2c:26:0a:1b:3f"))
                    return d;
            }
            return nullptr;
        };
        QVERIFY(tick());
        QCOMPARE(QProcess::execute(QStringLiteral("sh"),
                     { QStringLiteral("-c"), script, QFileInfo(supply).canonicalFilePath(), supply }),
            0);
        const auto mouse = tick();
        QVERIFY(mouse);
        QCOMPARE(mouse->name(), name);
        QCOMPARE(mouse->batteryLevel(), std::optional<std::uint8_t>(std::uint8_t(level)));
        QCOMPARE(mouse->isCharging(), charging);
        QCOMPARE(finder.devices().size(), std::size_t(4));
    }

    // A class entry whose directory is not there yet (or no longer) is looked at again on each tick,
    // though the class's entries stay the same.
    void supplyDirectoryAfterItsEntry()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        BluetoothFinder finder(registry);
        const QString directory
            = QFileInfo(tree.supplyPath(QStringLiteral("hid-dc:2c:26:0a:1b:3f-battery"))).canonicalFilePath();
        const auto tick = [&] {
            platform::SysfsReading pass;
            finder.refresh();
            return finder.devices().size();
        };
        QVERIFY(QFile::rename(directory, directory + QStringLiteral(".away")));
        QCOMPARE(tick(), std::size_t(3));
        QCOMPARE(tick(), std::size_t(3));
        QVERIFY(QFile::rename(directory + QStringLiteral(".away"), directory));
        QCOMPARE(tick(), std::size_t(4));
    }

    // A supply's files are kept open while it stays and closed once it is gone.
    void goneSupplyClosesItsFiles()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        BluetoothFinder finder(registry);
        const QString supply = tree.supplyPath(QStringLiteral("hid-dc:2c:26:0a:1b:3f-battery"));
        const QString directory = QFileInfo(supply).canonicalFilePath();
        const auto tick = [&] {
            platform::SysfsReading pass;
            finder.refresh();
        };
        tick();
        tick();
        QCOMPARE(finder.devices().size(), std::size_t(4));
        QCOMPARE(openBelow(directory), QStringList({ "capacity", "status" }));

        QVERIFY(QFile::remove(supply));
        QVERIFY(QDir(directory).removeRecursively());
        tick();
        QCOMPARE(finder.devices().size(), std::size_t(3));
        QCOMPARE(openBelow(directory), QStringList());
    }

    // The machine battery's and the adapter's changing files stay open between ticks as well, shared by
    // the registry and the power sources: what replaces a file or the battery, or a battery that joins
    // it, must be read on the next tick.
    void machineBatteryChangesReachTheNextTick_data()
    {
        // sh, run with the battery's directory as $0, its class entry as $1 and the adapter's directory as $2
        QTest::addColumn<QString>("script");
        QTest::addColumn<qlonglong>("charge");
        QTest::addColumn<qlonglong>("currentCapacity"); // mAh: energy_now over the design voltage
        QTest::addColumn<bool>("charging");
        QTest::addColumn<bool>("acPowered");

        QTest::newRow("unchanged") << "true" << 68LL << 2977LL << false << false;
        QTest::newRow("level rewritten in place") << "printf '12\\n' > \"$0/capacity\"" << 12LL << 2977LL << false << false;
        QTest::newRow("level file replaced by rename")
            << "printf '33\\n' > \"$0/capacity.new\" && mv \"$0/capacity.new\" \"$0/capacity\"" << 33LL << 2977LL << false
            << false;
        QTest::newRow("energy file replaced by rename")
            << "printf '23160000\\n' > \"$0/e.new\" && mv \"$0/e.new\" \"$0/energy_now\"" << 68LL << 2000LL << false
            << false;
        QTest::newRow("status file replaced by rename")
            << "printf 'Charging\\n' > \"$0/s.new\" && mv \"$0/s.new\" \"$0/status\"" << 68LL << 2977LL << true << false;
        QTest::newRow("adapter plugged in") << "printf '1\\n' > \"$2/online\"" << 68LL << 2977LL << false << true;
        // Swapped within one tick: the listing never misses it.
        QTest::newRow("battery removed and added again under its name")
            << "target=$(readlink \"$1\") && cp -a \"$0\" \"$0.new\" && rm \"$1\" && rm -r \"$0\" && mv \"$0.new\" \"$0\""
               " && printf '90\\n' > \"$0/capacity\" && printf '23160000\\n' > \"$0/energy_now\" && ln -s \"$target\" \"$1\""
            << 90LL << 2000LL << false << false;
        // Two batteries read as one: energies summed, the level worked out of the sums.
        QTest::newRow("second battery added")
            << "cp -a \"$0\" \"$0/../BAT1\" && printf '50630000\\n' > \"$0/../BAT1/energy_now\""
               " && ln -s \"$(readlink \"$1\" | sed 's/BAT0$/BAT1/')\" \"$(dirname \"$1\")/BAT1\""
            << 84LL << 7349LL << false << false;
    }

    void machineBatteryChangesReachTheNextTick()
    {
        QFETCH(QString, script);
        QFETCH(qlonglong, charge);
        QFETCH(qlonglong, currentCapacity);
        QFETCH(bool, charging);
        QFETCH(bool, acPowered);

        ThinkpadBattery rig;
        QVERIFY(rig.tree.isValid());
        QVERIFY(rig.tick());
        QVERIFY(rig.tick());
        // Read through kept files, or this test shows nothing about them.
        QVERIFY2(openBelow(rig.directory).contains(QStringLiteral("energy_now")),
            qPrintable(openBelow(rig.directory).join(',')));

        QCOMPARE(QProcess::execute(QStringLiteral("sh"),
                     { QStringLiteral("-c"), script, rig.directory, rig.battery,
                         QFileInfo(rig.tree.supplyPath(QStringLiteral("AC"))).canonicalFilePath() }),
            0);
        const auto now = rig.tick();
        QVERIFY(now);
        QCOMPARE(now->charge(), std::optional<std::int64_t>(charge));
        QCOMPARE(now->currentCapacity(), std::optional<std::int64_t>(currentCapacity));
        QCOMPARE(now->isCharging(), std::optional<bool>(charging));
        QCOMPARE(now->acPowered(), std::optional<bool>(acPowered));
    }

    // A battery that goes closes its files, and the next tick finds no battery.
    void goneBatteryClosesItsFiles()
    {
        ThinkpadBattery rig;
        QVERIFY(rig.tree.isValid());
        QVERIFY(rig.tick());
        QVERIFY(rig.tick());
        const QStringList open = openBelow(rig.directory);
        for (const char *name : { "capacity", "energy_now", "power_now", "status", "voltage_now" })
            QVERIFY2(open.contains(QLatin1String(name)), qPrintable(open.join(',')));
        QCOMPARE(openBelow(QFileInfo(rig.tree.supplyPath(QStringLiteral("AC"))).canonicalFilePath()),
            QStringList { QStringLiteral("online") });

        QVERIFY(QFile::remove(rig.battery));
        QVERIFY(QDir(rig.directory).removeRecursively());
        QVERIFY(!rig.tick());
        QCOMPARE(openBelow(rig.directory), QStringList());
    }

    // A bay emptied or filled keeps its supply (present 0 or 1, written in place): the listing does not
    // change, yet the next tick tells.
    void emptiedBayReachesTheNextTick()
    {
        ThinkpadBattery rig;
        QVERIFY(rig.tree.isValid());
        QVERIFY(rig.tick());
        QVERIFY(rig.tick());
        QVERIFY(rig.tree.change(QStringLiteral("class/power_supply/BAT0/present"), QStringLiteral("0")));
        QVERIFY(!rig.tick());
        QVERIFY(rig.tree.change(QStringLiteral("class/power_supply/BAT0/present"), QStringLiteral("1")));
        const auto back = rig.tick();
        QVERIFY(back);
        QCOMPARE(back->charge(), std::optional<std::int64_t>(68));
    }

    // The application's timer ticks from the event loop: one turn reads each file once, the next turn
    // reads anew.
    void eventLoopTurnIsOnePass()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        BluetoothFinder finder(registry);
        const QString level = tree.supplyPath(QStringLiteral("hid-dc:2c:26:0a:1b:3f-battery"), "capacity");
        int levelReads = 0;
        platform::SysfsAttributes::setReadObserver([&](const QString &path) {
            if (QFileInfo(path).canonicalFilePath() == QFileInfo(level).canonicalFilePath())
                ++levelReads;
        });
        const auto turn = [&](const std::function<void()> &work) {
            QEventLoop loop;
            QTimer::singleShot(0, &loop, [&] {
                work();
                loop.quit();
            });
            loop.exec();
        };

        turn([&] {
            finder.refresh();
            finder.refresh();
        });
        QCOMPARE(levelReads, 1);
        QVERIFY(tree.change(QStringLiteral("class/power_supply/hid-dc:2c:26:0a:1b:3f-battery/capacity"), "12"));
        std::optional<std::uint8_t> seen;
        turn([&] {
            finder.refresh();
            for (const auto &d : finder.devices()) {
                if (d->serial() == QLatin1String("dc:2c:26:0a:1b:3f"))
                    seen = d->batteryLevel();
            }
        });
        platform::SysfsAttributes::setReadObserver({});
        QCOMPARE(levelReads, 2);
        QCOMPARE(seen, std::optional<std::uint8_t>(12));
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
        QCOMPARE(
            tree.apply({ change }, QStringLiteral("class/power_supply/hid-dc:2c:26:0a:1b:3f-battery/")), QString());

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
