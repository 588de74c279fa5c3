// Low Energy accessories as the finder sees them when the central is BlueZ (a mock on a private bus)
// and the HID side comes from sysfs.
#include "bluezmock.h"
#include "fennic/iokitcontroller.h"
#include "fennic/lowenergyfinder.h"
#include "fennic/lowenergypersistency.h"
#include "platform/bluetooth/bluezcentral.h"
#include "platform/core/bundle.h"
#include "platform/core/clock.h"
#include "platform/core/userdefaults.h"
#include "platform/registry/sysfsregistry.h"

#include <QTest>

using namespace std::chrono_literals;
using fennic::LowEnergyDevice;
using fennic::LowEnergyFinder;
using platform::BluezCentral;
using platform::Central;

namespace {
constexpr int kBound = 10000;
const QString kMouse = QStringLiteral("DC:2C:26:0A:1B:3F");
}

class BluezLowEnergyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void batteryLevelThroughTheFinder()
    {
        platform::ScopedUserDefaultsDirectory defaults;
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        platform::ManualClock clock;
        platform::ScopedClock useClock(clock);

        BluezMock mock;
        QVERIFY2(mock.start(), qPrintable(mock.error()));
        const QString adapter = mock.addAdapter(QStringLiteral("hci0"));
        const QString device = mock.addDevice(kMouse, QStringLiteral("Magic Mouse"));
        mock.update(device, QStringLiteral("org.bluez.Device1"),
            { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("1812"), BluezMock::uuid("180F") } } });
        const QString battery = mock.addService(device, 0x10, BluezMock::uuid("180F"));
        mock.addCharacteristic(battery, 0x11, BluezMock::uuid("2A19"), QByteArray(1, char(64)));
        mock.connectDevice(kMouse);

        BluezCentral central(mock.bus());
        QVERIFY(QTest::qWaitFor([&] { return central.state() == Central::State::poweredOn; }, kBound));
        // The machine's HID devices tell that this peripheral is a mouse.
        platform::SysfsRegistry registry(
            QStringLiteral(QUENBY_SOURCE_DIR "/platform/registry/tests/data/sysfs/thinkpad"));
        LowEnergyFinder finder(central, std::make_unique<fennic::IOKitController>(registry));
        QVERIFY(finder.isPoweredOn());

        auto poll = [&] {
            clock.advance(2s);
            finder.refresh();
        };
        auto record = [&]() -> std::shared_ptr<LowEnergyDevice> {
            return finder.devices().size() == 1 ? finder.devices().front() : nullptr;
        };

        poll();
        QVERIFY(QTest::qWaitFor([&] { return record() && record()->batteryLevel() == 64; }, kBound));
        QCOMPARE(
            record()->serial(), BluezCentral::identifierForAddress(kMouse).toString(QUuid::WithoutBraces).toUpper());
        QVERIFY(record()->isConnected());
        QVERIFY(record()->isMouse());
        QCOMPARE(record()->name(), QStringLiteral("Magic Mouse"));

        // Levels are read again on every poll.
        mock.update(battery + QStringLiteral("/char0011"), QLatin1String(BluezMock::kGattCharacteristic),
            { { QStringLiteral("Value"), QByteArray(1, char(63)) } });
        poll();
        QVERIFY(QTest::qWaitFor([&] { return record() && record()->batteryLevel() == 63; }, kBound));

        // A device the system lets go is dropped on its disconnection, before it could go stale.
        mock.disconnectDevice(kMouse);
        QVERIFY(QTest::qWaitFor([&] { return finder.devices().empty(); }, kBound));
        poll();
        QVERIFY(finder.devices().empty());

        // Switching the adapter off switches the finder's radio off.
        mock.update(adapter, QStringLiteral("org.bluez.Adapter1"), { { QStringLiteral("Powered"), false } });
        QVERIFY(QTest::qWaitFor([&] { return !finder.isPoweredOn(); }, kBound));
        QCOMPARE(central.state(), Central::State::poweredOff);
    }
};

QTEST_GUILESS_MAIN(BluezLowEnergyTest)
#include "bluezlowenergy_test.moc"
