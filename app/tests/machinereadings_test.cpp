// The application on machines read from sysfs trees copied from real ones, with BlueZ on a private bus
// where Bluetooth takes part: what the status items, their tooltips and the status menu show.
#include "../../platform/bluetooth/tests/bluezmock.h"
#include "../../platform/registry/tests/sysfstree.h"
#include "apptestsupport.h"

#include <platform/bluetooth/bluezcentral.h>
#include <platform/registry/sysfspowersources.h>
#include <platform/registry/sysfsregistry.h>
#include <platform/ui/statusitem.h>

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

// The tooltips of the status items, by the identifier of what each shows.
std::map<QString, QString> toolTips(const AppRig &rig)
{
    std::map<QString, QString> tips;
    for (const auto &item : rig.menuBar().items())
        tips[identifierOf(*item)] = item->item()->toolTip();
    return tips;
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

    // A classic Bluetooth headset whose level BlueZ reports is listed, with a headset's symbol.
    void headsetIsListed()
    {
        Machine machine(SysfsTree::fixture(QStringLiteral("t480")));
        BluezMock mock;
        QVERIFY2(mock.start(), qPrintable(mock.error()));
        mock.addAdapter(QStringLiteral("hci0"));
        const QString headset = mock.addDevice(QStringLiteral("38:18:4C:A1:B2:C3"), QStringLiteral("WH-1000XM3"));
        mock.update(headset, QStringLiteral("org.bluez.Device1"),
            { { QStringLiteral("UUIDs"),
                  QStringList { BluezMock::uuid("110B"), BluezMock::uuid("110E"), BluezMock::uuid("111E") } },
                { QStringLiteral("Class"), QVariant::fromValue(quint32(0x240404)) } });
        mock.addInterface(headset, QStringLiteral("org.bluez.Battery1"),
            { { QStringLiteral("Percentage"), QVariant::fromValue(uchar(99)) } });
        mock.connectDevice(QStringLiteral("38:18:4C:A1:B2:C3"));
        QVERIFY2(mock.error().isEmpty(), qPrintable(mock.error()));
        platform::BluezCentral central(mock.bus());
        QVERIFY(QTest::qWaitFor([&] { return central.state() == platform::Central::State::poweredOn; }, kBound));

        AppRig rig({}, &central, &machine.readers);
        rig.delegate->applicationDidFinishLaunching();
        const QString serial = platform::BluezCentral::identifierForAddress(QStringLiteral("38:18:4C:A1:B2:C3"))
                                   .toString(QUuid::WithoutBraces)
                                   .toUpper();
        QVERIFY(QTest::qWaitFor(
            [&] {
                rig.tick();
                return toolTips(rig)[serial] == QStringLiteral("WH-1000XM3: 99%");
            },
            kBound));
        QCOMPARE(rig.controller().model().devices().at(serial)->imageName(), QStringLiteral("headphones"));
        QVERIFY(openedMenu(rig).contains(QStringLiteral("WH-1000XM3 99 % green")));
        rig.delegate->applicationWillTerminate();
    }

    // A Bluetooth mouse whose battery the kernel reads and BlueZ reads too is one entry, with the
    // kernel's level.
    void mouseReadTwiceIsOneEntry()
    {
        Machine machine(SysfsTree::fixture(QStringLiteral("desktop")));
        BluezMock mock;
        QVERIFY2(mock.start(), qPrintable(mock.error()));
        mock.addAdapter(QStringLiteral("hci0"));
        const QString mouse = mock.addDevice(QStringLiteral("3C:A6:F6:41:7E:02"), QStringLiteral("Magic Mouse"));
        mock.update(mouse, QStringLiteral("org.bluez.Device1"),
            { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("1124"), BluezMock::uuid("180F") } } });
        mock.addInterface(mouse, QStringLiteral("org.bluez.Battery1"),
            { { QStringLiteral("Percentage"), QVariant::fromValue(uchar(70)) } });
        mock.connectDevice(QStringLiteral("3C:A6:F6:41:7E:02"));
        QVERIFY2(mock.error().isEmpty(), qPrintable(mock.error()));
        platform::BluezCentral central(mock.bus());
        QVERIFY(QTest::qWaitFor([&] { return central.state() == platform::Central::State::poweredOn; }, kBound));

        AppRig rig({}, &central, &machine.readers);
        rig.delegate->applicationDidFinishLaunching();
        // Time for BlueZ's answers to come in, over several ticks.
        for (int i = 0; i < 4; ++i) {
            rig.tick();
            QTest::qWait(50);
        }
        const auto tips = toolTips(rig);
        QCOMPARE(tips.size(), std::size_t(3));
        QCOMPARE(tips.at(QStringLiteral("3c:a6:f6:41:7e:02")), QStringLiteral("Magic Mouse: 64%"));
        const QStringList rows = openedMenu(rig);
        QCOMPARE(rows.filter(QStringLiteral("Magic Mouse")), QStringList { QStringLiteral("Magic Mouse 64 % green") });
        rig.delegate->applicationWillTerminate();
    }
};

QTEST_MAIN(MachineReadingsTest)
#include "machinereadings_test.moc"
