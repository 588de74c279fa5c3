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
#include "platform/registry/memoryregistry.h"
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

    void aMinuteOfPollsLeavesTheRadiosAlone()
    {
        platform::ScopedUserDefaultsDirectory defaults;
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        platform::ManualClock clock;
        platform::ScopedClock useClock(clock);

        BluezMock mock;
        QVERIFY2(mock.start(), qPrintable(mock.error()));
        mock.addAdapter(QStringLiteral("hci0"));
        // Two accessories whose level notifies and one whose level can only be read.
        struct Accessory {
            QString address;
            QString name;
            bool notifies;
            int level;
            QString characteristic;
        };
        QList<Accessory> accessories {
            { QStringLiteral("DC:2C:26:0A:1B:01"), QStringLiteral("Mouse"), true, 64, {} },
            { QStringLiteral("DC:2C:26:0A:1B:02"), QStringLiteral("Keyboard"), true, 80, {} },
            { QStringLiteral("DC:2C:26:0A:1B:03"), QStringLiteral("Pen"), false, 30, {} },
        };
        for (auto &a : accessories) {
            const QString device = mock.addDevice(a.address, a.name);
            mock.update(device, QStringLiteral("org.bluez.Device1"),
                { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("180F") } } });
            const QString battery = mock.addService(device, 0x10, BluezMock::uuid("180F"));
            a.characteristic = mock.addCharacteristic(
                battery, 0x11, BluezMock::uuid("2A19"), QByteArray(1, char(a.level)), a.notifies);
            mock.connectDevice(a.address);
        }
        QVERIFY2(mock.error().isEmpty(), qPrintable(mock.error()));

        BluezCentral central(mock.bus());
        QVERIFY(QTest::qWaitFor([&] { return central.state() == Central::State::poweredOn; }, kBound));
        platform::MemoryRegistry registry;
        LowEnergyFinder finder(central, std::make_unique<fennic::IOKitController>(registry));
        const int enumerations = mock.calls(QStringLiteral("/"), QStringLiteral("GetManagedObjects"));
        QCOMPARE(enumerations, 1);

        const auto levelOf = [&](const QString &name) -> std::optional<int> {
            for (const auto &d : finder.devices()) {
                if (d->name() == name && d->isConnected() && d->batteryLevel())
                    return int(*d->batteryLevel());
            }
            return std::nullopt;
        };
        // One tick: the poll, and the answers it causes (each a hop through the bus at most).
        const auto tick = [&] {
            clock.advance(2s);
            finder.refresh();
            QTest::qWait(30);
        };
        // The minute of the one that cannot notify runs from the tick that first saw it read: its value
        // was taken at that tick's time or later. A slow bus can take several ticks to bring every level.
        const Accessory &pen = accessories[2];
        std::optional<std::chrono::milliseconds> penRead;
        QVERIFY(QTest::qWaitFor(
            [&] {
                tick();
                if (!penRead && mock.calls(pen.characteristic, QStringLiteral("ReadValue")) > 0)
                    penRead = clock.sinceEpoch();
                return levelOf(QStringLiteral("Mouse")) && levelOf(QStringLiteral("Keyboard"))
                    && levelOf(QStringLiteral("Pen"));
            },
            kBound));
        QVERIFY(penRead);
        for (const auto &a : accessories)
            QCOMPARE(levelOf(a.name), std::optional<int>(a.level));

        // The rest of a minute of ticks, the level of a notifying accessory changing on the way.
        while (clock.sinceEpoch() - *penRead < 58s) {
            tick();
            QCOMPARE(finder.devices().size(), std::size_t(3)); // all stay fresh
        }
        mock.update(accessories[0].characteristic, QLatin1String(BluezMock::kGattCharacteristic),
            { { QStringLiteral("Value"), QByteArray(1, char(63)) } });
        // Told at once, as a notification is: the next tick already sees it.
        QVERIFY(QTest::qWaitFor([&] { return levelOf(QStringLiteral("Mouse")) == 63; }, kBound));

        QCOMPARE(mock.calls(QStringLiteral("/"), QStringLiteral("GetManagedObjects")), enumerations);
        for (const auto &a : accessories) {
            QCOMPARE(mock.calls(a.characteristic, QStringLiteral("StartNotify")), a.notifies ? 1 : 0);
            QCOMPARE(mock.calls(a.characteristic, QStringLiteral("ReadValue")), 1);
        }
        // The one that cannot notify is read over the air again once its value is a minute old.
        QVERIFY(QTest::qWaitFor(
            [&] {
                tick();
                return mock.calls(pen.characteristic, QStringLiteral("ReadValue")) == 2;
            },
            kBound));
        QVERIFY(clock.sinceEpoch() - *penRead >= 60s);
        QCOMPARE(mock.calls(accessories[0].characteristic, QStringLiteral("ReadValue")), 1);
        QCOMPARE(levelOf(QStringLiteral("Pen")), std::optional<int>(30));
    }
};

QTEST_GUILESS_MAIN(BluezLowEnergyTest)
#include "bluezlowenergy_test.moc"
