#include "../../platform/bluetooth/tests/centraltestsupport.h"
#include "fennic/bluetoothfinder.h"
#include "fennic/iokitcontroller.h"
#include "fennic/lowenergyfinder.h"
#include "fennic/lowenergypersistency.h"
#include "platform/core/bundle.h"
#include "platform/core/userdefaults.h"
#include "platform/registry/memoryregistry.h"

#include <QTest>

#include <algorithm>

using namespace fennic;
using Level = std::optional<std::uint8_t>;

// The simulated machine the application runs on with --fixture demo/desk.json.
class DemoDeskTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void accessoriesInTheRegistry()
    {
        platform::MemoryRegistry registry;
        registry.loadFixtureFile(QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json"));
        BluetoothFinder finder(registry);
        finder.refresh();
        auto devices = finder.devices();
        std::sort(devices.begin(), devices.end(), [](auto &a, auto &b) { return a->serial() < b->serial(); });
        QCOMPARE(devices.size(), size_t(3));
        QCOMPARE(devices[0]->type(), DeviceType::keyboard);
        QCOMPARE(devices[0]->batteryLevel(), Level(82));
        QCOMPARE(devices[1]->type(), DeviceType::mouse);
        QCOMPARE(devices[1]->batteryLevel(), Level(14));
        QCOMPARE(devices[2]->type(), DeviceType::trackpad);
        QVERIFY(devices[2]->isCharging());
        QVERIFY(!devices[0]->isCharging() && !devices[1]->isCharging());
        for (const auto &d : devices)
            QCOMPARE(d->manufacturer(), std::optional<QString>("Apple Inc."));
    }

    void lowEnergyPeripherals()
    {
        platform::ScopedUserDefaultsDirectory defaults;
        LowEnergyPersistency::setNoBatteryServiceDevices({});
        platform::MemoryRegistry registry;
        platform::MemoryCentral central;
        central.loadFixtureFile(QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json"));
        LowEnergyFinder finder(central, std::make_unique<IOKitController>(registry));
        finder.refresh();
        QVERIFY(platform::drain(central));
        const auto &devices = finder.devices();
        QCOMPARE(devices.size(), size_t(3));
        for (const auto &d : devices)
            QVERIFY(d->isConnected());
        QCOMPARE(devices[0]->name(), QStringLiteral("AirPods Pro"));
        QCOMPARE(devices[0]->batteryLevel(), Level(75));
        QCOMPARE(devices[0]->imageName(), QStringLiteral("airpodspro"));
        QCOMPARE(devices[1]->manufacturer(), std::optional<QString>("Sony Corporation"));
        QCOMPARE(devices[1]->batteryLevel(), Level(60));
        QCOMPARE(devices[2]->name(), QStringLiteral("iPhone 13"));
        QCOMPARE(devices[2]->imageName(), QStringLiteral("iphone"));
        QCOMPARE(devices[2]->kindName(), QStringLiteral("iPhone"));
        QCOMPARE(devices[2]->batteryLevel(), Level(88));
    }
};

QTEST_GUILESS_MAIN(DemoDeskTest)
#include "demodesk_test.moc"
