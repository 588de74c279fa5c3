#include "centraltestsupport.h"
#include "platform/bluetooth/bluezcentral.h"
#include "platform/bluetooth/memorycentral.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <QSignalSpy>
#include <QTest>

using namespace platform;

namespace {
const QUuid kBuds = QUuid::fromString(QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"));
const QUuid kAdvertiser = QUuid::fromString(QStringLiteral("11111111-2222-3333-4444-555555555555"));
const QUuid kInfoOnly = QUuid::fromString(QStringLiteral("22222222-3333-4444-5555-666666666666"));
const BluetoothUuid kBattery = BluetoothUuid::fromShort(0x180F);
const BluetoothUuid kInfo = BluetoothUuid::fromShort(0x180A);
const BluetoothUuid kLevel = BluetoothUuid::fromShort(0x2A19);

std::shared_ptr<GattService> serviceOf(const Peripheral &p, const BluetoothUuid &uuid)
{
    for (const auto &s : p.services().value_or(Peripheral::Services {}))
        if (s->uuid() == uuid)
            return s;
    return nullptr;
}

std::shared_ptr<GattCharacteristic> characteristicOf(const GattService &s, const BluetoothUuid &uuid)
{
    for (const auto &c : s.characteristics().value_or(std::vector<std::shared_ptr<GattCharacteristic>> {}))
        if (c->uuid() == uuid)
            return c;
    return nullptr;
}

struct Fixture {
    MemoryCentral central;
    Fixture() { central.loadFixtureFile(QStringLiteral(QUENBY_TEST_DATA "/peripherals.json")); }
    std::shared_ptr<Peripheral> connected(const QUuid &id)
    {
        auto p = central.peripheral(id);
        central.connectPeripheral(p);
        drain(central);
        return p;
    }
};
}

class MemoryCentralTest : public QObject {
    Q_OBJECT
private slots:
    void uuidText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "" = null
        QTest::newRow("short") << "180f"
                               << "180F";
        QTest::newRow("32-bit form of a short one") << "0000180F"
                                                    << "180F";
        QTest::newRow("full form in the base range") << "0000180f-0000-1000-8000-00805f9b34fb"
                                                     << "180F";
        QTest::newRow("vendor identifier") << "d0611e78-bbb4-4591-a5f8-487910ae4366"
                                           << "D0611E78-BBB4-4591-A5F8-487910AE4366";
        QTest::newRow("32-bit beyond 16 bits") << "0001180F"
                                               << "0001180F-0000-1000-8000-00805F9B34FB";
        QTest::newRow("three digits") << "18F"
                                      << "";
        QTest::newRow("not hex") << "18G0"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void uuidText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const BluetoothUuid uuid = BluetoothUuid::fromString(text);
        QCOMPARE(uuid.isNull(), expected.isEmpty());
        if (!expected.isEmpty()) {
            QCOMPARE(uuid.toString(), expected);
            QCOMPARE(BluetoothUuid::fromString(uuid.toString()), uuid);
        }
    }

    void retrieveListsSystemConnectedPeripheralsOnce()
    {
        Fixture f;
        const auto both = f.central.retrieveConnectedPeripherals({ kBattery, kInfo });
        QCOMPARE(both.size(), size_t(2));
        QCOMPARE(both[0]->identifierString(), QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"));
        QCOMPARE(both[0]->name(), std::optional<QString>("Buds"));
        QVERIFY(!both[1]->name());
        const auto battery = f.central.retrieveConnectedPeripherals({ kBattery });
        QCOMPARE(battery.size(), size_t(1));
        QCOMPARE(battery[0].get(), both[0].get()); // one object per identifier
        QCOMPARE(f.central.retrieveCount(), 2);
        QCOMPARE(both[0]->state(), Peripheral::State::disconnected);
    }

    void connectDiscoverAndReadAnswerLater()
    {
        Fixture f;
        auto p = f.central.peripheral(kBuds);
        QSignalSpy connected(&f.central, &Central::peripheralConnected);
        f.central.connectPeripheral(p);
        QCOMPARE(p->state(), Peripheral::State::connecting);
        QCOMPARE(connected.count(), 0);
        QVERIFY(drain(f.central));
        QCOMPARE(connected.count(), 1);
        QCOMPARE(p->state(), Peripheral::State::connected);

        QSignalSpy services(p.get(), &Peripheral::servicesDiscovered);
        p->discoverServices({ kBattery });
        QVERIFY(!p->services());
        QVERIFY(drain(f.central));
        QCOMPARE(services.count(), 1);
        QCOMPARE(p->services()->size(), size_t(1)); // only what was asked for
        auto battery = serviceOf(*p, kBattery);

        QSignalSpy characteristics(p.get(), &Peripheral::characteristicsDiscovered);
        p->discoverCharacteristics({}, battery);
        QVERIFY(drain(f.central));
        QCOMPARE(characteristics.count(), 1);
        auto level = characteristicOf(*battery, kLevel);
        QVERIFY(level);
        QCOMPARE(level->service(), battery);

        QSignalSpy values(p.get(), &Peripheral::valueUpdated);
        p->readValue(level);
        QVERIFY(!level->value());
        QVERIFY(drain(f.central));
        QCOMPARE(values.count(), 1);
        QCOMPARE(values.at(0).at(2).toString(), QString());
        QCOMPARE(level->value(), std::optional<QByteArray>(QByteArray(1, char(75))));

        // Discovering again hands out the same objects.
        p->discoverServices({});
        QVERIFY(drain(f.central));
        QCOMPARE(p->services()->size(), size_t(2));
        QCOMPARE(serviceOf(*p, kBattery), battery);

        const auto counts = f.central.requests(kBuds);
        QCOMPARE(counts.connects, 1);
        QCOMPARE(counts.serviceDiscoveries, 2);
        QCOMPARE(counts.reads, 1);
        QCOMPARE(f.central.ignoredRequests(), 0);
    }

    void failedAndEmptyReads()
    {
        Fixture f;
        auto p = f.connected(kBuds);
        p->discoverServices({});
        QVERIFY(drain(f.central));
        auto info = serviceOf(*p, kInfo);
        p->discoverCharacteristics({}, info);
        QVERIFY(drain(f.central));
        auto firmware = characteristicOf(*info, BluetoothUuid::fromShort(0x2A26));
        auto serial = characteristicOf(*info, BluetoothUuid::fromShort(0x2A25));
        QSignalSpy values(p.get(), &Peripheral::valueUpdated);
        p->readValue(firmware);
        p->readValue(serial);
        QVERIFY(drain(f.central));
        QCOMPARE(values.count(), 2);
        QVERIFY(!values.at(0).at(2).toString().isEmpty());
        QVERIFY(!firmware->value());
        QCOMPARE(serial->value(), std::optional<QByteArray>("SN123"));

        f.central.setValue(kBuds, kInfo, BluetoothUuid::fromShort(0x2A25), QByteArray());
        p->readValue(serial);
        QVERIFY(drain(f.central));
        QCOMPARE(serial->value(), std::optional<QByteArray>(QByteArray()));
    }

    void serviceListCanBeEmpty()
    {
        Fixture f;
        f.central.addPeripheral({ kAdvertiser, QStringLiteral("Bare"), {}, true });
        auto p = f.connected(kAdvertiser);
        p->discoverServices({ kBattery, kInfo });
        QVERIFY(drain(f.central));
        QVERIFY(p->services().has_value());
        QVERIFY(p->services()->empty());
    }

    void connectionFailure()
    {
        Fixture f;
        f.central.setConnectionFails(kBuds);
        auto p = f.central.peripheral(kBuds);
        QSignalSpy failed(&f.central, &Central::peripheralConnectionFailed);
        QSignalSpy connected(&f.central, &Central::peripheralConnected);
        f.central.connectPeripheral(p);
        QVERIFY(drain(f.central));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(connected.count(), 0);
        QCOMPARE(p->state(), Peripheral::State::disconnected);
    }

    void heldConnectionsCompleteOnRequest()
    {
        Fixture f;
        f.central.setHoldConnections(true);
        auto p = f.central.peripheral(kBuds);
        QSignalSpy connected(&f.central, &Central::peripheralConnected);
        f.central.connectPeripheral(p);
        QVERIFY(drain(f.central));
        QCOMPARE(connected.count(), 0);
        QCOMPARE(p->state(), Peripheral::State::connecting);
        f.central.completeHeldConnections();
        QVERIFY(drain(f.central));
        QCOMPARE(connected.count(), 1);
    }

    void disconnections_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("stillListed");
        QTest::newRow("cancelled by the program") << "cancel" << true;
        QTest::newRow("dropped by the peripheral") << "drop" << true;
        QTest::newRow("lost by the system") << "remove" << false;
    }

    void disconnections()
    {
        QFETCH(QString, how);
        QFETCH(bool, stillListed);
        Fixture f;
        auto p = f.connected(kBuds);
        p->discoverServices({});
        QVERIFY(drain(f.central));
        QSignalSpy disconnected(&f.central, &Central::peripheralDisconnected);
        if (how == QLatin1String("cancel"))
            f.central.cancelPeripheralConnection(p);
        else if (how == QLatin1String("drop"))
            f.central.dropConnection(kBuds);
        else
            f.central.removePeripheral(kBuds);
        QVERIFY(drain(f.central));
        QCOMPARE(disconnected.count(), 1);
        QCOMPARE(p->state(), Peripheral::State::disconnected);
        QVERIFY(!p->services());
        QCOMPARE(f.central.retrieveConnectedPeripherals({ kBattery }).size(), size_t(stillListed ? 1 : 0));
        // Requests on a disconnected peripheral are never answered.
        QSignalSpy services(p.get(), &Peripheral::servicesDiscovered);
        p->discoverServices({});
        QVERIFY(drain(f.central));
        QCOMPARE(services.count(), 0);
        QCOMPARE(f.central.ignoredRequests(), 1);
    }

    void poweringOffDropsConnectionsSilently()
    {
        Fixture f;
        auto p = f.connected(kBuds);
        p->discoverServices({});
        QSignalSpy state(&f.central, &Central::stateUpdated);
        QSignalSpy disconnected(&f.central, &Central::peripheralDisconnected);
        QSignalSpy services(p.get(), &Peripheral::servicesDiscovered);
        f.central.setState(Central::State::poweredOff);
        QCOMPARE(f.central.state(), Central::State::poweredOff);
        QCOMPARE(state.count(), 0);
        QVERIFY(drain(f.central));
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).value<Central::State>(), Central::State::poweredOff);
        QCOMPARE(disconnected.count(), 0);
        QCOMPARE(services.count(), 0); // the discovery asked before power-off is never answered
        QCOMPARE(p->state(), Peripheral::State::disconnected);

        f.central.connectPeripheral(p);
        QVERIFY(drain(f.central));
        QCOMPARE(p->state(), Peripheral::State::disconnected);
        QCOMPARE(f.central.ignoredRequests(), 1);

        f.central.setState(Central::State::poweredOn);
        f.central.connectPeripheral(p);
        QVERIFY(drain(f.central));
        QCOMPARE(p->state(), Peripheral::State::connected);
    }

    void advertisements()
    {
        Fixture f;
        QSignalSpy discovered(&f.central, &Central::peripheralDiscovered);
        Value::Dictionary data { { QString::fromLatin1(kAdvertisementIsConnectable), Value(1) } };
        f.central.advertise(kAdvertiser, Value(data), -42);
        QCOMPARE(discovered.count(), 0);
        QVERIFY(drain(f.central));
        QCOMPARE(discovered.count(), 1);
        QCOMPARE(discovered.at(0).at(0).value<std::shared_ptr<Peripheral>>(), f.central.peripheral(kAdvertiser));
        QCOMPARE(discovered.at(0).at(2).toInt(), -42);
    }

    void malformedFixtureLoadsNothing_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("section not an array") << QByteArray("{\"peripherals\": {}}");
        QTest::newRow("no identifier") << QByteArray("{\"peripherals\": [{\"name\": \"x\"}]}");
        QTest::newRow("bad identifier") << QByteArray("{\"peripherals\": [{\"identifier\": \"1234\"}]}");
        QTest::newRow("bad service uuid")
            << QByteArray("{\"peripherals\": [{\"identifier\": \"11111111-2222-3333-4444-555555555555\","
                          " \"services\": [{\"uuid\": \"battery\"}]}]}");
        QTest::newRow("byte out of range") << QByteArray(
            "{\"peripherals\": [{\"identifier\": \"11111111-2222-3333-4444-555555555555\","
            " \"services\": [{\"uuid\": \"180F\", \"characteristics\": [{\"uuid\": \"2A19\", \"value\": [256]}]}]}]}");
        QTest::newRow("unknown member") << QByteArray(
            "{\"peripherals\": [{\"identifier\": \"11111111-2222-3333-4444-555555555555\", \"service\": []}]}");
        QTest::newRow("good then bad") << QByteArray(
            "{\"peripherals\": [{\"identifier\": \"11111111-2222-3333-4444-555555555555\"}, {\"identifier\": 3}]}");
    }

    void malformedFixtureLoadsNothing()
    {
        QFETCH(QByteArray, json);
        MemoryCentral central;
        QVERIFY_THROWS_EXCEPTION(DecodingError, central.loadFixture(json::parse(json)));
        QVERIFY(!central.peripheral(kAdvertiser));
    }

    void currentCentral()
    {
        // Without a guard the process uses the machine's own radio.
        QVERIFY(dynamic_cast<platform::BluezCentral *>(&Central::current()));
        MemoryCentral central;
        {
            ScopedCentral guard(central);
            QCOMPARE(&Central::current(), &central);
        }
        QVERIFY(&Central::current() != &central);
    }
};

QTEST_GUILESS_MAIN(MemoryCentralTest)
#include "memorycentral_test.moc"
