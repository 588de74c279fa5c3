// The application on machines read from sysfs trees copied from real ones, with BlueZ on a private bus
// where Bluetooth takes part: what the status items, their tooltips and the status menu show.
#include "../../platform/bluetooth/tests/bluezmock.h"
#include "../../platform/registry/tests/sysfstree.h"
#include "apptestsupport.h"
#include "quenby/internalviewcontroller.h"

#include <platform/bluetooth/bluezcentral.h>
#include <platform/registry/sysfspowersources.h>
#include <platform/registry/sysfsregistry.h>
#include <platform/ui/statusitem.h>

#include <QLabel>
#include <QTest>

using namespace apptest;

namespace {
constexpr int kBound = 10000;

// A machine read from a sysfs tree, installed as the process's registry (as on a real machine).
struct Machine {
    explicit Machine(const QString &root)
        : registry(root)
        , sources(root)
    {
        registry.setBluetoothIcons([](const QString &) { return std::nullopt; });
    }
    platform::SysfsRegistry registry;
    platform::SysfsPowerSources sources;
    platform::ScopedRegistry useRegistry { registry };
    MachineReaders readers { registry, sources };
};

// The status menu's rows as it shows them when opened.
QStringList openedMenu(const AppRig &rig)
{
    rig.delegate->menu()->open();
    const QStringList rows = describe(*rig.delegate);
    rig.delegate->menu()->cancelTracking();
    return rows;
}

// BlueZ on a private bus with one adapter and connected devices that report their level (Battery1); the
// central on it, once powered.
struct Bluez {
    BluezMock mock;
    std::unique_ptr<platform::BluezCentral> central;

    bool start()
    {
        if (!mock.start())
            return false;
        mock.addAdapter(QStringLiteral("hci0"));
        central = std::make_unique<platform::BluezCentral>(mock.bus());
        return QTest::qWaitFor([&] { return central->state() == platform::Central::State::poweredOn; }, kBound);
    }
    bool addDevice(const QString &address, const QString &name, const QVariantMap &properties, uchar percentage)
    {
        const QString device = mock.addDevice(address, name);
        mock.update(device, QStringLiteral("org.bluez.Device1"), properties);
        mock.addInterface(device, QStringLiteral("org.bluez.Battery1"),
            { { QStringLiteral("Percentage"), QVariant::fromValue(percentage) } });
        mock.connectDevice(address);
        return mock.error().isEmpty();
    }
};

QString serialOf(const QString &address)
{
    return platform::BluezCentral::identifierForAddress(address).toString(QUuid::WithoutBraces).toUpper();
}

// Whether a picture shows anything at all.
bool blank(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

// The status item showing `identifier`.
const olvane::MenuBarItem *itemOf(const AppRig &rig, const QString &identifier)
{
    for (const auto &item : rig.menuBar().items()) {
        if (identifierOf(*item) == identifier)
            return item.get();
    }
    return nullptr;
}

// The tooltips of the status items, by the identifier of what each shows.
std::map<QString, QString> toolTips(const AppRig &rig)
{
    std::map<QString, QString> tips;
    for (const auto &item : rig.menuBar().items())
        tips[identifierOf(*item)] = item->item()->toolTip();
    return tips;
}

// Ticks, as the timer does, until the status item of `identifier` has this tooltip; false if it never does.
bool showsTip(AppRig &rig, const QString &identifier, const QString &tip)
{
    return QTest::qWaitFor(
        [&] {
            rig.tick();
            return toolTips(rig)[identifier] == tip;
        },
        kBound);
}
}

class MachineReadingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    // BAT0 at 80 % and BAT1 at 2.5 % are one battery at 41 % with the time of both at the rate drawn.
    void twoBatteriesAreOne()
    {
        Machine machine(SysfsTree::fixture(QStringLiteral("t480")));
        AppRig rig({}, nullptr, &machine.readers);
        rig.launch();

        QCOMPARE(toolTips(rig)[kInternal], QStringLiteral("Battery: 41% (05:09)"));
        QVERIFY(openedMenu(rig).contains(QStringLiteral("Battery 41 % green")));
        rig.delegate->applicationWillTerminate();
    }

    // Batteries held below full on the adapter (a charge limit): neither charging nor going down, so the
    // battery page has no time to show.
    void batteriesHeldOnTheAdapter()
    {
        SysfsTree tree(QStringLiteral("t480"));
        QVERIFY(tree.isValid());
        QCOMPARE(tree.apply({ QStringLiteral("BAT0/status=Not charging"), QStringLiteral("BAT0/power_now=0"),
                                QStringLiteral("BAT1/status=Not charging"), QStringLiteral("AC/online=1") },
                     QStringLiteral("class/power_supply/")),
            QString());
        Machine machine(tree.root());
        AppRig rig({}, nullptr, &machine.readers);
        rig.launch();
        QCOMPARE(toolTips(rig)[kInternal], QStringLiteral("Battery: 41%"));

        quenby::InternalViewController page;
        page.setController(&rig.controller());
        page.update();
        QCOMPARE(page.timeRemaining()->text(), QStringLiteral("-"));
        QCOMPARE(page.amperage()->text(), QStringLiteral("0 mA"));
        rig.delegate->applicationWillTerminate();
    }

    // A classic Bluetooth headset whose level BlueZ reports is listed, with a headset's symbol.
    void headsetIsListed()
    {
        Machine machine(SysfsTree::fixture(QStringLiteral("t480")));
        Bluez bluez;
        QVERIFY2(bluez.start()
                && bluez.addDevice(QStringLiteral("38:18:4C:A1:B2:C3"), QStringLiteral("WH-1000XM3"),
                    { { QStringLiteral("UUIDs"),
                          QStringList { BluezMock::uuid("110B"), BluezMock::uuid("110E"), BluezMock::uuid("111E") } },
                        { QStringLiteral("Class"), QVariant::fromValue(quint32(0x240404)) } },
                    uchar(99)),
            qPrintable(bluez.mock.error()));
        AppRig rig({}, bluez.central.get(), &machine.readers);
        rig.delegate->applicationDidFinishLaunching();
        const QString serial = serialOf(QStringLiteral("38:18:4C:A1:B2:C3"));
        QVERIFY(showsTip(rig, serial, QStringLiteral("WH-1000XM3: 99%")));
        QCOMPARE(rig.controller().model().devices().at(serial)->imageName(), QStringLiteral("headphones"));
        QVERIFY(openedMenu(rig).contains(QStringLiteral("WH-1000XM3 99 % green")));
        rig.delegate->applicationWillTerminate();
    }

    // Batteries whose every reading is garbage: the battery has no charge, and its item and row still show
    // it (never blank), with no value for the charge.
    void batteryWithoutAnyReading()
    {
        SysfsTree tree(QStringLiteral("t480"));
        QVERIFY(tree.isValid());
        for (const char *battery : { "BAT0", "BAT1" }) {
            for (const char *attribute : { "capacity", "capacity_level", "energy_now", "energy_full",
                     "energy_full_design", "power_now", "voltage_now", "voltage_min_design", "status", "cycle_count" })
                QVERIFY(tree.change(
                    QStringLiteral("class/power_supply/%1/%2").arg(QLatin1String(battery), QLatin1String(attribute)),
                    QStringLiteral("\xff garbage")));
        }
        Machine machine(tree.root());
        AppRig rig({}, nullptr, &machine.readers);
        rig.launch();

        QVERIFY(rig.controller().internalBattery());
        QVERIFY(!rig.controller().internalBattery()->charge());
        QCOMPARE(toolTips(rig)[kInternal], QStringLiteral("Battery: \u2013"));
        QVERIFY(openedMenu(rig).contains(QStringLiteral("Battery - green")));
        const auto *item = itemOf(rig, kInternal);
        QVERIFY(item);
        QVERIFY(!blank(item->item()->picture()));
        rig.delegate->applicationWillTerminate();
    }

    // A level BlueZ gives that is no percentage (150) is no level: never a full battery, nor the level
    // before it.
    void impossibleLevelIsNoLevel()
    {
        Machine machine(SysfsTree::fixture(QStringLiteral("t480")));
        Bluez bluez;
        const QString address = QStringLiteral("C8:3D:11:22:33:44");
        QVERIFY2(bluez.start()
                && bluez.addDevice(address, QStringLiteral("K380"),
                    { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("1812"), BluezMock::uuid("180F") } },
                        { QStringLiteral("Appearance"), QVariant::fromValue(quint16(0x03C1)) } },
                    uchar(55)),
            qPrintable(bluez.mock.error()));
        AppRig rig({}, bluez.central.get(), &machine.readers);
        rig.delegate->applicationDidFinishLaunching();
        const QString serial = serialOf(address);
        QVERIFY(showsTip(rig, serial, QStringLiteral("K380: 55%")));

        bluez.mock.update(QStringLiteral("/org/bluez/hci0/dev_C8_3D_11_22_33_44"), QStringLiteral("org.bluez.Battery1"),
            { { QStringLiteral("Percentage"), QVariant::fromValue(uchar(150)) } });
        QVERIFY(showsTip(rig, serial, QStringLiteral("K380: \u2013")));
        QVERIFY(!rig.controller().model().devices().at(serial)->batteryLevel());
        QVERIFY(openedMenu(rig).contains(QStringLiteral("K380 - green")));
        QVERIFY(!blank(itemOf(rig, serial)->item()->picture()));
        rig.delegate->applicationWillTerminate();
    }

    // A Bluetooth mouse whose battery the kernel reads and BlueZ reads too is one entry, with the
    // kernel's level.
    void mouseReadTwiceIsOneEntry()
    {
        Machine machine(SysfsTree::fixture(QStringLiteral("desktop")));
        Bluez bluez;
        QVERIFY2(bluez.start()
                && bluez.addDevice(QStringLiteral("3C:A6:F6:41:7E:02"), QStringLiteral("Magic Mouse"),
                    { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("1124"), BluezMock::uuid("180F") } } },
                    uchar(70))
                // A Low Energy mouse of BlueZ's alone, listed beside the others once BlueZ has answered.
                && bluez.addDevice(QStringLiteral("DC:2C:26:0A:1B:3F"), QStringLiteral("Pebble Mouse"),
                    { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("1812"), BluezMock::uuid("180F") } } },
                    uchar(40)),
            qPrintable(bluez.mock.error()));

        AppRig rig({}, bluez.central.get(), &machine.readers);
        rig.delegate->applicationDidFinishLaunching();
        const QString pebble = serialOf(QStringLiteral("DC:2C:26:0A:1B:3F"));
        QVERIFY(showsTip(rig, pebble, QStringLiteral("Pebble Mouse: 40%")));
        const auto tips = toolTips(rig);
        QCOMPARE(tips.size(), std::size_t(4));
        QCOMPARE(tips.at(QStringLiteral("3c:a6:f6:41:7e:02")), QStringLiteral("Magic Mouse: 64%"));
        const QStringList rows = openedMenu(rig);
        QCOMPARE(rows.filter(QStringLiteral("Magic Mouse")), QStringList { QStringLiteral("Magic Mouse 64 % green") });
        rig.delegate->applicationWillTerminate();
    }
};

QTEST_MAIN(MachineReadingsTest)
#include "machinereadings_test.moc"
