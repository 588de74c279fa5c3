#include "bluezmock.h"
#include "platform/bluetooth/bluezcentral.h"
#include "platform/registry/sysfsregistry.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

using platform::BluetoothUuid;
using platform::BluezCentral;
using platform::Central;
using platform::GattCharacteristic;
using platform::GattService;
using platform::Peripheral;

namespace {
constexpr int kBound = 10000; // ms: every wait is bounded

const QString kAddress = QStringLiteral("DC:2C:26:0A:1B:3F");

BluetoothUuid gatt(const char *text) { return BluetoothUuid::fromString(QString::fromLatin1(text)); }

const QList<BluetoothUuid> kBatteryOrInformation { gatt("180F"), gatt("180A") };

// A mock BlueZ and a central on it.
struct Rig {
    BluezMock mock;
    std::unique_ptr<BluezCentral> central;
    QString adapter;

    bool start(bool withAdapter = true)
    {
        if (!mock.start())
            return false;
        if (withAdapter)
            adapter = mock.addAdapter(QStringLiteral("hci0"));
        central = std::make_unique<BluezCentral>(mock.bus());
        return QTest::qWaitFor([&] { return central->state() != Central::State::unknown; }, kBound);
    }

    // A connected device offering `uuids`; its path.
    QString connectedDevice(const QString &address, const QString &name, const QStringList &uuids)
    {
        const QString path = mock.addDevice(address, name);
        mock.update(path, QStringLiteral("org.bluez.Device1"), { { QStringLiteral("UUIDs"), uuids } });
        mock.connectDevice(address);
        return path;
    }

    // A connected device offering `uuids` whose level BlueZ reports (Battery1); its path.
    QString deviceWithLevel(const QString &address, const QString &name, const QStringList &uuids, uchar percentage)
    {
        const QString path = connectedDevice(address, name, uuids);
        mock.addInterface(
            path, QStringLiteral("org.bluez.Battery1"), { { "Percentage", QVariant::fromValue(percentage) } });
        return path;
    }

    std::shared_ptr<Peripheral> retrieveOne(const QList<BluetoothUuid> &services = kBatteryOrInformation)
    {
        std::shared_ptr<Peripheral> found;
        const bool one = QTest::qWaitFor(
            [&] {
                const auto list = central->retrieveConnectedPeripherals(services);
                found = list.size() == 1 ? list.front() : nullptr;
                return found != nullptr;
            },
            kBound);
        return one ? found : nullptr;
    }

    bool connect(const std::shared_ptr<Peripheral> &p)
    {
        QSignalSpy connected(central.get(), &Central::peripheralConnected);
        central->connectPeripheral(p);
        return connected.wait(kBound) && p->state() == Peripheral::State::connected;
    }

    // Discovers the services and their characteristics, answered in turn.
    bool discoverAll(const std::shared_ptr<Peripheral> &p)
    {
        QSignalSpy services(p.get(), &Peripheral::servicesDiscovered);
        p->discoverServices({});
        if (!services.wait(kBound) || !p->services())
            return false;
        const Peripheral::Services found = *p->services();
        for (const auto &service : found) {
            QSignalSpy characteristics(p.get(), &Peripheral::characteristicsDiscovered);
            p->discoverCharacteristics({}, service);
            if (!characteristics.wait(kBound))
                return false;
        }
        return true;
    }

    std::shared_ptr<GattCharacteristic> characteristic(
        const std::shared_ptr<Peripheral> &p, const char *service, const char *uuid)
    {
        for (const auto &s : p->services().value_or(Peripheral::Services {})) {
            if (s->uuid() != gatt(service))
                continue;
            for (const auto &c : s->characteristics().value_or(std::vector<std::shared_ptr<GattCharacteristic>> {})) {
                if (c->uuid() == gatt(uuid))
                    return c;
            }
        }
        return nullptr;
    }

    // Reads a characteristic and gives the error text of the answer (empty on success).
    std::optional<QString> read(const std::shared_ptr<Peripheral> &p, const std::shared_ptr<GattCharacteristic> &c)
    {
        QSignalSpy answered(p.get(), &Peripheral::valueUpdated);
        p->readValue(c);
        if (!answered.wait(kBound))
            return std::nullopt;
        return answered.front().at(2).toString();
    }
};
}

class BluezCentralTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<Central::State>(); }

    void identifierFromAddress()
    {
        const QUuid id = BluezCentral::identifierForAddress(kAddress);
        QCOMPARE(id.version(), QUuid::Sha1);
        QCOMPARE(BluezCentral::identifierForAddress(kAddress.toLower()), id);
        QVERIFY(BluezCentral::identifierForAddress(QStringLiteral("DC:2C:26:0A:1B:40")) != id);
    }

    void radioFollowsTheAdapter()
    {
        Rig rig;
        QVERIFY2(rig.start(false), qPrintable(rig.mock.error()));
        QCOMPARE(rig.central->state(), Central::State::unsupported);

        QSignalSpy states(rig.central.get(), &Central::stateUpdated);
        const QString adapter = rig.mock.addAdapter(QStringLiteral("hci0"));
        QVERIFY(states.wait(kBound));
        QCOMPARE(rig.central->state(), Central::State::poweredOn);

        rig.mock.update(adapter, QStringLiteral("org.bluez.Adapter1"), { { QStringLiteral("Powered"), false } });
        QVERIFY(states.wait(kBound));
        QCOMPARE(rig.central->state(), Central::State::poweredOff);
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(1).at(0).value<Central::State>(), Central::State::poweredOff);
    }

    void withoutBluez()
    {
        DBusMock bus;
        QVERIFY2(bus.startBus(), qPrintable(bus.error()));
        BluezCentral central(bus.bus());
        QSignalSpy states(&central, &Central::stateUpdated);
        QCOMPARE(central.state(), Central::State::unknown);
        QVERIFY(states.wait(kBound));
        QCOMPARE(central.state(), Central::State::unsupported);
        QVERIFY(central.retrieveConnectedPeripherals(kBatteryOrInformation).empty());

        // Without any bus it knows at once.
        BluezCentral nowhere(QDBusConnection(QStringLiteral("no such connection")));
        QCOMPARE(nowhere.state(), Central::State::unsupported);
        QVERIFY(nowhere.retrieveConnectedPeripherals(kBatteryOrInformation).empty());
    }

    void oneDeviceOnTwoAdaptersIsOnePeripheral()
    {
        // Fed directly, as the bus handlers do once they decoded BlueZ's answer.
        BluezCentral central(QDBusConnection(QStringLiteral("no such connection")));
        const QString first = QStringLiteral("/org/bluez/hci0/dev_DC_2C_26_0A_1B_3F");
        const QString second = QStringLiteral("/org/bluez/hci1/dev_DC_2C_26_0A_1B_3F");
        auto device = [](const QString &address, const QString &name) {
            return BluezCentral::Interfaces { { QStringLiteral("org.bluez.Device1"),
                { { QStringLiteral("Address"), address }, { QStringLiteral("Connected"), true },
                    { QStringLiteral("Name"), name },
                    { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("180F") } } } } };
        };
        const BluezCentral::Interfaces adapter { { QStringLiteral("org.bluez.Adapter1"),
            { { QStringLiteral("Powered"), true } } } };
        central.treeReceived({ { QStringLiteral("/org/bluez/hci0"), adapter },
            { QStringLiteral("/org/bluez/hci1"), adapter }, { first, device(kAddress, QStringLiteral("Mouse")) },
            { second, device(kAddress.toLower(), QStringLiteral("Mouse on hci1")) } });
        QCOMPARE(central.state(), Central::State::poweredOn);

        const auto listed = central.retrieveConnectedPeripherals({ gatt("180F") });
        QCOMPARE(listed.size(), std::size_t(1));
        QCOMPARE(listed.front()->identifier(), BluezCentral::identifierForAddress(kAddress));
        QCOMPARE(listed.front()->name(), std::optional<QString>(QStringLiteral("Mouse")));

        // Gone from the first adapter, it is still the same peripheral, through the second.
        central.applyInterfacesRemoved(first, { QStringLiteral("org.bluez.Device1") });
        const auto again = central.retrieveConnectedPeripherals({ gatt("180F") });
        QCOMPARE(again.size(), std::size_t(1));
        QCOMPARE(again.front(), listed.front());
        QCOMPARE(again.front()->name(), std::optional<QString>(QStringLiteral("Mouse on hci1")));
    }

    void connectedPeripheralsOfferingTheServices()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        rig.connectedDevice(kAddress, QStringLiteral("Magic Mouse"), { BluezMock::uuid("180F") });
        rig.connectedDevice(
            QStringLiteral("11:22:33:44:55:66"), QStringLiteral("Headset"), { BluezMock::uuid("110B") });
        const QString idle = rig.mock.addDevice(QStringLiteral("AA:BB:CC:DD:EE:FF"), QStringLiteral("Idle"));
        rig.mock.update(
            idle, QStringLiteral("org.bluez.Device1"), { { "UUIDs", QStringList { BluezMock::uuid("180F") } } });

        const auto p = rig.retrieveOne();
        QVERIFY(p);
        QCOMPARE(p->identifier(), BluezCentral::identifierForAddress(kAddress));
        QCOMPARE(p->identifierString(), p->identifier().toString(QUuid::WithoutBraces).toUpper());
        QCOMPARE(p->name(), std::optional<QString>(QStringLiteral("Magic Mouse")));
        QCOMPARE(p->state(), Peripheral::State::disconnected);
        // The same device is the same object every time.
        QCOMPARE(rig.central->retrieveConnectedPeripherals({ gatt("180F") }).front(), p);
        QVERIFY(rig.central->retrieveConnectedPeripherals({ gatt("180A") }).empty());
    }

    // A Bluetooth mouse whose battery the kernel reads (on its input link) and BlueZ reads too is the
    // registry's accessory: the central leaves it out, so it is listed once.
    void deviceTheRegistryListsIsLeftOut()
    {
        platform::SysfsRegistry registry(
            QStringLiteral(QUENBY_SOURCE_DIR "/platform/registry/tests/data/sysfs/desktop"));
        registry.setBluetoothIcons([](const QString &) { return std::nullopt; });
        platform::ScopedRegistry useRegistry(registry);
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        rig.deviceWithLevel(QStringLiteral("3C:A6:F6:41:7E:02"), QStringLiteral("Magic Mouse"),
            { BluezMock::uuid("1812"), BluezMock::uuid("180F") }, 70);
        rig.connectedDevice(kAddress, QStringLiteral("Pebble Mouse"), { BluezMock::uuid("180F") });

        const auto p = rig.retrieveOne();
        QVERIFY(p);
        QCOMPARE(p->identifier(), BluezCentral::identifierForAddress(kAddress));
        // Without the registry's word it is listed like any other.
        rig.central->setBatteryReportedElsewhere({});
        QCOMPARE(rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).size(), std::size_t(2));
    }

    void readsGattCharacteristics()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        const QString device = rig.connectedDevice(
            kAddress, QStringLiteral("Mouse"), { BluezMock::uuid("180F"), BluezMock::uuid("180A") });
        const QString battery = rig.mock.addService(device, 0x10, BluezMock::uuid("180F"));
        const QString level
            = rig.mock.addCharacteristic(battery, 0x11, BluezMock::uuid("2A19"), QByteArray(1, char(64)));
        const QString information = rig.mock.addService(device, 0x20, BluezMock::uuid("180A"));
        rig.mock.addCharacteristic(information, 0x21, BluezMock::uuid("2A29"), QByteArrayLiteral("Logitech"));
        // An object of another device is none of this one's.
        const QString other = rig.mock.addDevice(QStringLiteral("AA:BB:CC:DD:EE:FF"), QStringLiteral("Other"));
        rig.mock.addService(other, 0x10, BluezMock::uuid("180F"));

        const auto p = rig.retrieveOne();
        QVERIFY(p);
        QVERIFY(rig.connect(p));
        QVERIFY(rig.discoverAll(p));
        QCOMPARE(p->services()->size(), std::size_t(2));

        const auto batteryLevel = rig.characteristic(p, "180F", "2A19");
        QVERIFY(batteryLevel);
        QCOMPARE(batteryLevel->service()->uuid(), gatt("180F"));
        QCOMPARE(rig.read(p, batteryLevel), std::optional<QString>(QString()));
        QCOMPARE(batteryLevel->value(), std::optional<QByteArray>(QByteArray(1, char(64))));

        rig.mock.update(level, QLatin1String(BluezMock::kGattCharacteristic), { { "Value", QByteArray(1, char(63)) } });
        QCOMPARE(rig.read(p, batteryLevel), std::optional<QString>(QString()));
        QCOMPARE(batteryLevel->value(), std::optional<QByteArray>(QByteArray(1, char(63))));

        const auto maker = rig.characteristic(p, "180A", "2A29");
        QVERIFY(maker);
        QCOMPARE(rig.read(p, maker), std::optional<QString>(QString()));
        QCOMPARE(maker->value(), std::optional<QByteArray>(QByteArrayLiteral("Logitech")));

        // A second discovery hands out the same objects.
        QVERIFY(rig.discoverAll(p));
        QCOMPARE(rig.characteristic(p, "180F", "2A19"), batteryLevel);

        // Asking for one service gives only that one.
        QSignalSpy services(p.get(), &Peripheral::servicesDiscovered);
        p->discoverServices({ gatt("180A") });
        QVERIFY(services.wait(kBound));
        QCOMPARE(p->services()->size(), std::size_t(1));
        QCOMPARE(p->services()->front()->uuid(), gatt("180A"));
    }

    void batteryKeptByBluez()
    {
        // BlueZ reads the Battery service itself and shows the level as Battery1.
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        const QString device
            = rig.deviceWithLevel(kAddress, QStringLiteral("Keyboard"), { BluezMock::uuid("180F") }, 77);

        const auto p = rig.retrieveOne();
        QVERIFY(p && rig.connect(p));
        QVERIFY(rig.discoverAll(p));
        QCOMPARE(p->services()->size(), std::size_t(1));
        const auto level = rig.characteristic(p, "180F", "2A19");
        QVERIFY(level);
        QCOMPARE(rig.read(p, level), std::optional<QString>(QString()));
        QCOMPARE(level->value(), std::optional<QByteArray>(QByteArray(1, char(77))));

        rig.mock.update(
            device, QStringLiteral("org.bluez.Battery1"), { { "Percentage", QVariant::fromValue(uchar(76)) } });
        QCOMPARE(rig.read(p, level), std::optional<QString>(QString()));
        QCOMPARE(level->value(), std::optional<QByteArray>(QByteArray(1, char(76))));
    }

    // A classic headset lists no GATT service, but BlueZ reports its level (through its hands-free link):
    // it offers the Battery service.
    void headsetWithBlueZsLevel()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        const QString headset = rig.connectedDevice(QStringLiteral("38:18:4C:A1:B2:C3"), QStringLiteral("WH-1000XM3"),
            { BluezMock::uuid("110B"), BluezMock::uuid("110E"), BluezMock::uuid("111E") });
        rig.mock.update(headset, QStringLiteral("org.bluez.Device1"),
            { { "Class", QVariant::fromValue(quint32(0x240404)) }, { "Icon", QStringLiteral("audio-headset") } });
        QVERIFY(rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).empty());
        rig.mock.addInterface(
            headset, QStringLiteral("org.bluez.Battery1"), { { "Percentage", QVariant::fromValue(uchar(99)) } });

        const auto p = rig.retrieveOne();
        QVERIFY(p);
        QCOMPARE(
            p->kindHints(), (Peripheral::KindHints { QStringLiteral("audio-headset"), quint16(0), quint32(0x240404) }));
        // Only the Battery service was asked for; Device Information alone does not list it.
        QVERIFY(rig.central->retrieveConnectedPeripherals({ gatt("180A") }).empty());
        QVERIFY(rig.connect(p) && rig.discoverAll(p));
        const auto level = rig.characteristic(p, "180F", "2A19");
        QVERIFY(level);
        QCOMPARE(rig.read(p, level), std::optional<QString>(QString()));
        QCOMPARE(level->value(), std::optional<QByteArray>(QByteArray(1, char(99))));
    }

    // Battery1's Percentage is a byte from 0 to 100; anything else is no level (255), never a clamped one.
    void impossiblePercentages_data()
    {
        QTest::addColumn<QVariant>("percentage");
        QTest::addColumn<int>("level");
        QTest::newRow("byte 0") << QVariant::fromValue(uchar(0)) << 0;
        QTest::newRow("byte 100") << QVariant::fromValue(uchar(100)) << 100;
        QTest::newRow("byte 150") << QVariant::fromValue(uchar(150)) << 255;
        QTest::newRow("-5") << QVariant::fromValue(int(-5)) << 255;
        QTest::newRow("-1") << QVariant::fromValue(qint16(-1)) << 255;
        QTest::newRow("a boolean") << QVariant(true) << 255;
        QTest::newRow("not a number") << QVariant(std::nan("")) << 255;
        QTest::newRow("2^32 + 42") << QVariant::fromValue(qlonglong(4294967338ll)) << 255;
        QTest::newRow("a string") << QVariant(QStringLiteral("50")) << 255;
        QTest::newRow("50 of another integer type") << QVariant::fromValue(quint32(50)) << 255;
    }

    void impossiblePercentages()
    {
        QFETCH(QVariant, percentage);
        QFETCH(int, level);
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        const QString device
            = rig.deviceWithLevel(kAddress, QStringLiteral("Keyboard"), { BluezMock::uuid("180F") }, 77);
        const auto p = rig.retrieveOne();
        QVERIFY(p && rig.connect(p) && rig.discoverAll(p));
        const auto c = rig.characteristic(p, "180F", "2A19");
        QCOMPARE(rig.read(p, c), std::optional<QString>(QString()));
        QCOMPARE(c->value(), std::optional<QByteArray>(QByteArray(1, char(77))));

        // Told as it changes, and read so afterwards.
        QSignalSpy told(p.get(), &Peripheral::valueUpdated);
        rig.mock.update(device, QStringLiteral("org.bluez.Battery1"), { { "Percentage", percentage } });
        QVERIFY(told.wait(kBound));
        QCOMPARE(c->value(), std::optional<QByteArray>(QByteArray(1, char(level))));
        QCOMPARE(rig.read(p, c), std::optional<QString>(QString()));
        QCOMPARE(c->value(), std::optional<QByteArray>(QByteArray(1, char(level))));
    }

    void failedReadKeepsTheValue()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        const QString device = rig.connectedDevice(kAddress, QStringLiteral("Mouse"), { BluezMock::uuid("180F") });
        const QString battery = rig.mock.addService(device, 0x10, BluezMock::uuid("180F"));
        const QString level
            = rig.mock.addCharacteristic(battery, 0x11, BluezMock::uuid("2A19"), QByteArray(1, char(64)));
        const auto p = rig.retrieveOne();
        QVERIFY(p && rig.connect(p) && rig.discoverAll(p));
        const auto c = rig.characteristic(p, "180F", "2A19");
        QCOMPARE(rig.read(p, c), std::optional<QString>(QString()));

        // The characteristic goes away: the read fails with a text and the last value stays.
        rig.mock.removeObject(level);
        const auto error = rig.read(p, c);
        QVERIFY(error && !error->isEmpty());
        QCOMPARE(c->value(), std::optional<QByteArray>(QByteArray(1, char(64))));
    }

    void systemDisconnectEndsTheLink()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        rig.connectedDevice(kAddress, QStringLiteral("Mouse"), { BluezMock::uuid("180F") });
        const auto p = rig.retrieveOne();
        QVERIFY(p && rig.connect(p));

        QSignalSpy disconnected(rig.central.get(), &Central::peripheralDisconnected);
        rig.mock.disconnectDevice(kAddress);
        QVERIFY(disconnected.wait(kBound));
        QCOMPARE(disconnected.front().at(0).value<std::shared_ptr<Peripheral>>(), p);
        QCOMPARE(p->state(), Peripheral::State::disconnected);
        QVERIFY(!p->services());
        QVERIFY(rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).empty());
    }

    void cancelLeavesTheSystemLink()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        const QString device = rig.connectedDevice(kAddress, QStringLiteral("Mouse"), { BluezMock::uuid("180F") });
        const auto p = rig.retrieveOne();
        QVERIFY(p && rig.connect(p));

        QSignalSpy disconnected(rig.central.get(), &Central::peripheralDisconnected);
        rig.central->cancelPeripheralConnection(p);
        QVERIFY(disconnected.wait(kBound));
        QCOMPARE(p->state(), Peripheral::State::disconnected);
        // The user's device stays connected to the machine.
        QCOMPARE(rig.mock.property(device, QStringLiteral("org.bluez.Device1"), QStringLiteral("Connected")),
            QVariant(true));
        QCOMPARE(rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).size(), std::size_t(1));
    }

    void connectingOpensALinkOfItsOwn()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        rig.connectedDevice(kAddress, QStringLiteral("Mouse"), { BluezMock::uuid("180F") });
        const auto p = rig.retrieveOne();
        QVERIFY(p);
        // The system dropped it before this program asked: the program connects it itself.
        rig.mock.disconnectDevice(kAddress);
        QVERIFY(QTest::qWaitFor(
            [&] { return rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).empty(); }, kBound));
        QVERIFY(rig.connect(p));
        QVERIFY(QTest::qWaitFor(
            [&] { return rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).size() == 1; }, kBound));

        // A link this program opened is closed when it lets go.
        QSignalSpy disconnected(rig.central.get(), &Central::peripheralDisconnected);
        rig.central->cancelPeripheralConnection(p);
        QVERIFY(disconnected.wait(kBound));
        QVERIFY(QTest::qWaitFor(
            [&] { return rig.central->retrieveConnectedPeripherals(kBatteryOrInformation).empty(); }, kBound));
    }

    void poweringOffDropsLinksSilently()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        rig.connectedDevice(kAddress, QStringLiteral("Mouse"), { BluezMock::uuid("180F") });
        const auto p = rig.retrieveOne();
        QVERIFY(p && rig.connect(p));

        QSignalSpy disconnected(rig.central.get(), &Central::peripheralDisconnected);
        QSignalSpy states(rig.central.get(), &Central::stateUpdated);
        rig.mock.update(rig.adapter, QStringLiteral("org.bluez.Adapter1"), { { "Powered", false } });
        QVERIFY(states.wait(kBound));
        QCOMPARE(p->state(), Peripheral::State::disconnected);
        QVERIFY(disconnected.isEmpty());

        // Connecting while off is ignored.
        rig.central->connectPeripheral(p);
        QCOMPARE(p->state(), Peripheral::State::disconnected);
    }

    void bluezGoesAway()
    {
        Rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.mock.error()));
        QCOMPARE(rig.central->state(), Central::State::poweredOn);
        QSignalSpy states(rig.central.get(), &Central::stateUpdated);
        rig.mock.stop();
        QVERIFY(states.wait(kBound));
        QCOMPARE(rig.central->state(), Central::State::unsupported);
    }
};

QTEST_GUILESS_MAIN(BluezCentralTest)
#include "bluezcentral_test.moc"
