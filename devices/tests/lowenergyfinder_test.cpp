#include "../../platform/bluetooth/tests/centraltestsupport.h"
#include "fennic/iokitcontroller.h"
#include "fennic/lowenergyfinder.h"
#include "fennic/lowenergypersistency.h"
#include "fennic/uuid.h"
#include "platform/core/bundle.h"
#include "platform/core/clock.h"
#include "platform/core/userdefaults.h"
#include "platform/registry/memoryregistry.h"

#include <QTest>

using namespace fennic;
using namespace std::chrono_literals;
using platform::BluetoothUuid;
using platform::Central;
using platform::MemoryCentral;
using platform::Value;

namespace {
using Level = std::optional<std::uint8_t>;

const QUuid kA = QUuid::fromString(QStringLiteral("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0"));
const QUuid kB = QUuid::fromString(QStringLiteral("11111111-2222-3333-4444-555555555555"));
const QString kAText = QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");

BluetoothUuid gatt(const char *text) { return BluetoothUuid::fromString(QString::fromLatin1(text)); }

MemoryCentral::PeripheralSpec buds(const QUuid &id, const std::optional<QByteArray> &level,
    std::vector<MemoryCentral::Characteristic> information = {})
{
    return { id, QStringLiteral("Buds"),
        { { gatt("180F"), { { gatt("2A19"), level } } }, { gatt("180A"), std::move(information) } }, true };
}

class Recorder : public LowEnergyDelegate {
public:
    void devicesChanged() override { ++changes; }
    void stateChanged(int state) override { states.push_back(state); }
    int changes = 0;
    std::vector<int> states;
};

// A finder on a scripted radio, a manual clock, an empty registry and private user defaults.
struct Rig {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::ManualClock clock;
    platform::ScopedClock useClock { clock };
    platform::MemoryRegistry registry;
    MemoryCentral central;
    std::shared_ptr<Recorder> delegate = std::make_shared<Recorder>();
    std::unique_ptr<LowEnergyFinder> finder;

    explicit Rig(Central::State state = Central::State::poweredOn)
        : central(state)
    {
        LowEnergyPersistency::setNoBatteryServiceDevices({});
        LowEnergyPersistency::setMonitoredDevices({});
        finder = std::make_unique<LowEnergyFinder>(central, std::make_unique<IOKitController>(registry));
        finder->setDelegate(delegate);
        drain(central);
    }

    void poll()
    {
        clock.advance(2s);
        finder->refresh();
        drain(central);
    }

    std::shared_ptr<LowEnergyDevice> only() const
    {
        return finder->devices().size() == 1 ? finder->devices().front() : nullptr;
    }
};
}

class LowEnergyFinderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void levelAfterOneRefresh_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<Level>("level");
        QTest::newRow("0x4B") << QByteArray(1, char(0x4B)) << Level(75);
        // A byte above 100 is no percentage: no level rather than a full battery.
        QTest::newRow("0xFF is no level") << QByteArray(1, char(0xFF)) << Level();
        QTest::newRow("101 is no level") << QByteArray(1, char(101)) << Level();
        QTest::newRow("150 is no level") << QByteArray(1, char(150)) << Level();
        QTest::newRow("100") << QByteArray(1, char(100)) << Level(100);
        QTest::newRow("zero") << QByteArray(1, char(0)) << Level(0);
        QTest::newRow("first byte counts") << QByteArray("\x30\x63", 2) << Level(48);
    }

    void levelAfterOneRefresh()
    {
        QFETCH(QByteArray, value);
        QFETCH(Level, level);
        Rig rig;
        rig.central.addPeripheral(buds(kA, value));
        rig.finder->refresh();
        QVERIFY(drain(rig.central));
        const auto device = rig.only();
        QVERIFY(device);
        QCOMPARE(device->serial(), kAText);
        QVERIFY(device->isConnected());
        QCOMPARE(device->batteryLevel(), level);
        QVERIFY(rig.finder->connectingPeripherals().empty());
    }

    void batteryReadEveryPollInformationOnce()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 50), { { gatt("2A29"), QByteArray("Maker") } }));
        rig.finder->refresh();
        drain(rig.central);
        rig.central.setValue(kA, gatt("180F"), gatt("2A19"), QByteArray(1, 49));
        rig.central.resetCounters();
        rig.poll();
        rig.poll();
        QCOMPARE(rig.only()->batteryLevel(), Level(49));
        QCOMPARE(rig.central.requests(kA).reads, 2); // the battery level, once per poll
        QCOMPARE(rig.central.requests(kA).connects, 0);
        QCOMPARE(rig.only()->manufacturer(), std::optional<QString>("Maker"));
    }

    void emptyBatteryValueKeepsTheLevel()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 60)));
        rig.finder->refresh();
        drain(rig.central);
        QCOMPARE(rig.only()->batteryLevel(), Level(60));
        rig.central.setValue(kA, gatt("180F"), gatt("2A19"), QByteArray());
        for (int i = 0; i < 4; ++i)
            rig.poll();
        QVERIFY(rig.only()); // an empty value is still a sign of life
        QCOMPARE(rig.only()->batteryLevel(), Level(60));
    }

    void recordsOlderThanFiveSecondsAreDropped()
    {
        Rig rig;
        rig.central.setHoldConnections(true); // no sign of life after creation
        rig.central.addPeripheral(buds(kA, QByteArray(1, 1)));
        rig.finder->find();
        QVERIFY(rig.only());
        rig.delegate->changes = 0;
        rig.clock.advance(5000ms);
        rig.finder->removeStaleDevices();
        QVERIFY(rig.only());
        rig.clock.advance(100ms);
        rig.finder->removeStaleDevices();
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(rig.delegate->changes, 2); // told whether or not anything went
    }

    void poweredOffRecordsVanishAndReturn()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 70)));
        rig.finder->refresh();
        drain(rig.central);
        QVERIFY(rig.finder->isPoweredOn());
        QVERIFY(rig.only());

        rig.central.setState(Central::State::poweredOff);
        int polls = 0;
        while (!rig.finder->devices().empty() && polls < 10) {
            rig.poll();
            ++polls;
        }
        QVERIFY(!rig.finder->isPoweredOn());
        QVERIFY2(polls >= 3 && polls <= 4, qPrintable(QString::number(polls)));
        const int retrieves = rig.central.retrieveCount();
        rig.poll();
        QVERIFY(rig.finder->devices().empty()); // the request is made, nothing is added
        QCOMPARE(rig.central.retrieveCount(), retrieves + 1);

        rig.central.setState(Central::State::poweredOn);
        rig.poll();
        QVERIFY(rig.only());
        QVERIFY(rig.only()->isConnected());
        QCOMPARE(rig.only()->batteryLevel(), Level(70));
        QCOMPARE(rig.delegate->states, (std::vector<int> { 5, 4, 5 }));
    }

    void connectionCompletingAfterTheRecordWentStale()
    {
        Rig rig;
        rig.central.setHoldConnections(true);
        rig.central.addPeripheral(buds(kA, QByteArray(1, 33)));
        rig.finder->refresh();
        drain(rig.central);
        for (int i = 0; i < 3; ++i)
            rig.poll();
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(rig.finder->connectingPeripherals().size(), size_t(1));

        rig.central.setHoldConnections(false);
        rig.central.completeHeldConnections();
        QVERIFY(drain(rig.central));
        QVERIFY(rig.only());
        QVERIFY(rig.only()->isConnected());
        QCOMPARE(rig.only()->batteryLevel(), Level(33));
        QVERIFY(rig.finder->connectingPeripherals().empty());
        rig.poll();
        rig.poll();
        rig.poll();
        QVERIFY(rig.only() && rig.only()->isConnected());
    }

    void peripheralWithoutBatteryServiceIsDroppedOnEveryPoll()
    {
        Rig rig;
        rig.central.addPeripheral({ kB, QStringLiteral("Watch"), { { gatt("180A"), {} } }, true });
        rig.finder->refresh();
        drain(rig.central);
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(LowEnergyPersistency::noBatteryServiceDevices(),
            QStringList { kB.toString(QUuid::WithoutBraces).toUpper() });
        QCOMPARE(platform::UserDefaults::standard().stringArray("NoBatteryServiceDevices")->size(), 1);
        QCOMPARE(rig.central.requests(kB).cancels, 1);
        rig.poll();
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(rig.central.requests(kB).connects, 2);
    }

    void failedConnection()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 20)));
        rig.central.setConnectionFails(kA);
        rig.finder->refresh();
        drain(rig.central);
        const auto record = rig.only();
        QVERIFY(record);
        QVERIFY(!record->isConnected());
        QVERIFY(rig.finder->failedDevices().contains(kAText));
        QVERIFY(rig.finder->connectingPeripherals().empty());
        rig.finder->connectDevice(record);
        QCOMPARE(rig.central.requests(kA).connects, 1);

        rig.poll();
        rig.poll();
        QCOMPARE(rig.only(), record); // listed until it is stale
        rig.poll();
        QVERIFY(rig.finder->devices().empty()); // stale
        rig.poll();
        QVERIFY(rig.only() && rig.only() != record); // found and connected anew: failures are not consulted
        QCOMPARE(rig.central.requests(kA).connects, 2);

        rig.finder->disconnectAll();
        QVERIFY(rig.finder->failedDevices().isEmpty());
        QVERIFY(rig.finder->devices().empty());
    }

    void modelNumber_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("internalName"); // "" = absent
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("image");
        QTest::newRow("known phone") << QByteArray("iPhone12,1") << "iPhone12,1"
                                     << "iPhone 11"
                                     << "iphone";
        QTest::newRow("unknown phone: the general phone") << QByteArray("iPhone99,9") << "iPhone99,9"
                                                          << "iPhone"
                                                          << "iphone";
        QTest::newRow("unknown tablet: the generic tablet") << QByteArray("iPad99,9") << "iPad99,9"
                                                            << "iPad"
                                                            << "ipad";
        QTest::newRow("unknown watch: the generic watch") << QByteArray("Watch99,9") << "Watch99,9"
                                                          << "Apple Watch"
                                                          << "applewatch";
        QTest::newRow("unknown iPod keeps its model text") << QByteArray("iPod99,9") << ""
                                                           << "iPod99,9"
                                                           << "dot.radiowaves.right";
        QTest::newRow("unknown model") << QByteArray("Buds1,1") << ""
                                       << "Buds1,1"
                                       << "dot.radiowaves.right";
        QTest::newRow("not UTF-8") << QByteArray("\xff\xfe") << ""
                                   << "Buds"
                                   << "dot.radiowaves.right";
    }

    void modelNumber()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, internalName);
        QFETCH(QString, name);
        QFETCH(QString, image);
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5), { { gatt("2A24"), value } }));
        rig.finder->refresh();
        drain(rig.central);
        const auto device = rig.only();
        QCOMPARE(device->internalName().value_or(QString()), internalName);
        QCOMPARE(device->name(), name);
        QCOMPARE(device->model(), std::optional<QString>(name));
        QCOMPARE(device->imageName(), image);
    }

    void deviceInformationTexts()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5),
            { { gatt("2A25"), QByteArray("SN-9") }, { gatt("2A26"), QByteArray("1.2") },
                { gatt("2A27"), QByteArray("\xc3\x28") }, { gatt("2A28"), QByteArray("7A") },
                { gatt("2A29"), QByteArray("Bose Corporation") }, { gatt("2A2A"), QByteArray("ignored") } }));
        rig.finder->refresh();
        drain(rig.central);
        const auto device = rig.only();
        QCOMPARE(device->serialNumber(), std::optional<QString>("SN-9"));
        QCOMPARE(device->firmwareRevision(), std::optional<QString>("1.2"));
        QVERIFY(!device->hardwareRevision()); // not UTF-8
        QCOMPARE(device->softwareRevision(), std::optional<QString>("7A"));
        QCOMPARE(device->manufacturer(), std::optional<QString>("Bose Corporation"));
        QCOMPARE(device->serial(), kAText);
    }

    void valuesTellTheDelegateAtMostOncePerSecond()
    {
        Rig rig;
        auto spec = buds(kA, QByteArray(1, 5));
        spec.services[0].characteristics.push_back({ gatt("2A1A"), QByteArray(1, 1) });
        rig.central.addPeripheral(spec);
        rig.finder->refresh();
        drain(rig.central);
        rig.delegate->changes = 0;

        rig.clock.advance(1500ms);
        rig.finder->refresh(); // one for the stale check
        drain(rig.central); // one for the first of two values
        QCOMPARE(rig.delegate->changes, 2);
        rig.clock.advance(500ms);
        rig.finder->refresh();
        drain(rig.central);
        QCOMPARE(rig.delegate->changes, 3);
        rig.clock.advance(600ms);
        rig.finder->refresh();
        drain(rig.central);
        QCOMPARE(rig.delegate->changes, 5);
    }

    void disconnectionDropsTheRecord()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5)));
        rig.finder->refresh();
        drain(rig.central);
        rig.delegate->changes = 0;
        rig.central.dropConnection(kA);
        drain(rig.central);
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(rig.delegate->changes, 1);
        rig.poll();
        QVERIFY(rig.only() && rig.only()->isConnected());
    }

    void hidFlags_data()
    {
        QTest::addColumn<Value>("usage"); // null: no HID device
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<QString>("kind");
        QTest::newRow("mouse") << Value(2) << true << false << "Pointing Device";
        QTest::newRow("keyboard") << Value(6) << false << true << "Keyboard";
        QTest::newRow("other usage") << Value(1) << false << false << "Unknown";
        QTest::newRow("no HID device") << Value() << false << false << "Unknown";
    }

    void hidFlags()
    {
        QFETCH(Value, usage);
        QFETCH(bool, mouse);
        QFETCH(bool, keyboard);
        QFETCH(QString, kind);
        Rig rig;
        if (!usage.isNull())
            rig.registry.addEntry({ "IOHIDUserDevice", {}, {},
                { { "PhysicalDeviceUniqueID", Value(kAText) }, { "PrimaryUsage", usage } } });
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5)));
        rig.finder->refresh();
        drain(rig.central);
        QCOMPARE(rig.only()->isMouse(), mouse);
        QCOMPARE(rig.only()->isKeyboard(), keyboard);
        QCOMPARE(rig.only()->kindName(), kind);
    }

    void advertisements_data()
    {
        QTest::addColumn<QString>("name"); // "" = none
        QTest::addColumn<Value>("data");
        QTest::addColumn<QString>("list"); // "noBattery", "monitored" or ""
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("manufacturer");
        QTest::addColumn<int>("connects");
        const QString connectable = QString::fromLatin1(platform::kAdvertisementIsConnectable);
        const QString maker = QString::fromLatin1(platform::kAdvertisementManufacturerData);
        using D = Value::Dictionary;
        QTest::newRow("connectable, named") << "Tag" << Value(D { { connectable, Value(1) } }) << "" << true << "" << 0;
        QTest::newRow("not connectable") << "Tag" << Value(D { { connectable, Value(0) } }) << "" << false << "" << 0;
        QTest::newRow("connectable unknown") << "Tag" << Value(D {}) << "" << false << "" << 0;
        QTest::newRow("unnamed, known vendor")
            << "" << Value(D { { connectable, Value(1) }, { maker, Value(QByteArray("\x4c\x00\x02", 3)) } }) << ""
            << true << "Apple Inc." << 0;
        QTest::newRow("unnamed, Logitech little-endian")
            << "" << Value(D { { connectable, Value(1) }, { maker, Value(QByteArray("\x6d\x04", 2)) } }) << "" << true
            << "Logitech Inc." << 0;
        QTest::newRow("unnamed, unknown vendor")
            << "" << Value(D { { connectable, Value(1) }, { maker, Value(QByteArray("\x67\x02", 2)) } }) << "" << false
            << "" << 0;
        QTest::newRow("unnamed, one byte of data")
            << "" << Value(D { { connectable, Value(1) }, { maker, Value(QByteArray("\x4c", 1)) } }) << "" << false
            << "" << 0;
        QTest::newRow("known without battery service")
            << "Tag" << Value(D { { connectable, Value(1) } }) << "noBattery" << false << "" << 0;
        QTest::newRow("monitored connects")
            << "Tag" << Value(D { { connectable, Value(1) } }) << "monitored" << true << "" << 1;
    }

    void advertisements()
    {
        QFETCH(QString, name);
        QFETCH(Value, data);
        QFETCH(QString, list);
        QFETCH(bool, listed);
        QFETCH(QString, manufacturer);
        QFETCH(int, connects);
        Rig rig;
        rig.central.addPeripheral(
            { kB, name.isEmpty() ? std::nullopt : std::optional<QString>(name), { { gatt("180F"), {} } }, false });
        const QString id = kB.toString(QUuid::WithoutBraces).toUpper();
        if (list == QLatin1String("noBattery"))
            LowEnergyPersistency::setNoBatteryServiceDevices({ id });
        if (list == QLatin1String("monitored"))
            LowEnergyPersistency::setMonitoredDevices({ id });
        rig.delegate->changes = 0;
        rig.central.advertise(kB, data);
        drain(rig.central);
        QCOMPARE(rig.finder->devices().size(), size_t(listed ? 1 : 0));
        QCOMPARE(rig.delegate->changes, listed ? 1 + connects : 0); // a completed connection tells again
        QCOMPARE(rig.central.requests(kB).connects, connects);
        if (!listed)
            return;
        const auto device = rig.only();
        QCOMPARE(device->name(), name);
        QCOMPARE(device->manufacturer().value_or(QString()), manufacturer);
        QCOMPARE(device->isDiscovered(), connects == 0);
        QCOMPARE(device->isConnected(), connects == 1);
    }

    void advertisementOfAListedPeripheralIsASignOfLife()
    {
        Rig rig;
        rig.central.setHoldConnections(true);
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5)));
        rig.finder->find();
        rig.clock.advance(4s);
        rig.central.advertise(kA, Value(Value::Dictionary {}));
        drain(rig.central);
        rig.clock.advance(4s);
        rig.finder->removeStaleDevices();
        QVERIFY(rig.only());
    }

    void removeDeviceAndDisconnectAll()
    {
        Rig rig;
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5)));
        rig.central.addPeripheral(buds(kB, QByteArray(1, 6)));
        rig.finder->refresh();
        drain(rig.central);
        QCOMPARE(rig.finder->devices().size(), size_t(2));
        rig.delegate->changes = 0;
        rig.finder->removeDevice(rig.finder->devices().front());
        QCOMPARE(rig.finder->devices().size(), size_t(1));
        QCOMPARE(rig.central.requests(kA).cancels, 1);
        QCOMPARE(rig.delegate->changes, 1);

        rig.finder->removeDevice(LowEnergyDevice::decode(rig.only()->encoded())); // no peripheral: ignored
        QCOMPARE(rig.finder->devices().size(), size_t(1));
        QCOMPARE(rig.delegate->changes, 1);

        rig.finder->disconnectAll();
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(rig.central.requests(kB).cancels, 1);
        QCOMPARE(rig.delegate->changes, 2);
        drain(rig.central); // the disconnection events find nothing more to remove
        QVERIFY(rig.finder->devices().empty());
    }

    void poweredOffFindAddsNothing()
    {
        Rig rig(Central::State::poweredOff);
        rig.central.addPeripheral(buds(kA, QByteArray(1, 5)));
        rig.finder->find();
        QVERIFY(rig.finder->devices().empty());
        QCOMPARE(rig.central.retrieveCount(), 1);
        QCOMPARE(rig.central.requests(kA).connects, 0);
        QCOMPARE(rig.delegate->states, std::vector<int> { 4 });
    }
};

QTEST_GUILESS_MAIN(LowEnergyFinderTest)
#include "lowenergyfinder_test.moc"
