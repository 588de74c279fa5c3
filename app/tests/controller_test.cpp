#include "../../platform/bluetooth/tests/centraltestsupport.h"
#include "quenby/controller.h"
#include "quenby/observer.h"
#include "quenby/settings.h"

#include <ammerl/appleinternalbattery.h>
#include <ammerl/internalfinder.h>
#include <dorsk/helperdatamodel.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/ibluetoothfinder.h>
#include <fennic/iokitcontroller.h>
#include <fennic/lowenergyfinder.h>
#include <fennic/lowenergypersistency.h>
#include <fennic/singlebatterydevice.h>
#include <olvane/iautostartcontroller.h>
#include <olvane/menubaritemcontroller.h>
#include <platform/core/bundle.h>
#include <platform/core/clock.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/memorydistributednotificationcenter.h>
#include <platform/registry/memoryregistry.h>
#include <platform/ui/statusbar.h>

#include <QTest>

using namespace std::chrono_literals;
using quenby::Controller;
using quenby::DeviceList;

namespace {

// A registry finder whose findings the test sets.
class ListBluetoothFinder final : public fennic::IBluetoothFinder {
public:
    const std::vector<std::shared_ptr<fennic::BatteryDevice>> &devices() const override { return m_devices; }
    void refresh() override
    {
        ++refreshes;
        m_devices = next;
    }
    std::vector<std::shared_ptr<fennic::BatteryDevice>> findDevices() override { return next; }

    std::vector<std::shared_ptr<fennic::BatteryDevice>> next;
    int refreshes = 0;

private:
    std::vector<std::shared_ptr<fennic::BatteryDevice>> m_devices;
};

// The computer's battery as the test sets it; none when empty.
class FixedInternalFinder final : public ammerl::IInternalFinder {
public:
    bool batteryPresent() override { return battery.has_value(); }
    std::unique_ptr<ammerl::InternalBattery> find() override
    {
        ++finds;
        return battery ? std::make_unique<ammerl::AppleInternalBattery>(*battery) : nullptr;
    }
    std::optional<ammerl::AppleInternalBattery> battery;
    int finds = 0;
};

class CountingAutoStart final : public olvane::IAutoStartController {
public:
    bool isEnabled() const override { return false; }
    void takeOverFromLauncher() override { ++takeOvers; }
    void setEnabled(bool) override { }
    void enable() override { }
    void disable() override { }
    int takeOvers = 0;
};

// Keeps what the controller hands over, so the merged order can be checked.
class RecordingModel final : public quenby::IDataModel {
public:
    const quenby::DeviceMap &devices() const override { return m_map; }
    bool allDevicesIgnored() const override { return true; }
    void update(const DeviceList &devices) override
    {
        last = devices;
        events.append(QStringLiteral("update"));
    }
    void checkInternalBattery(const ammerl::InternalBattery &battery) override
    {
        charges.append(int(battery.charge().value_or(-1)));
        events.append(QStringLiteral("internal"));
    }
    void checkLowBattery(const fennic::BatteryDevice &) override { }

    DeviceList last;
    QList<int> charges;
    QStringList events;

private:
    quenby::DeviceMap m_map;
};

class RecordingObserver final : public quenby::Observer {
public:
    explicit RecordingObserver(QStringList &log, QString name, std::function<void()> during = {})
        : m_log(log)
        , m_name(std::move(name))
        , m_during(std::move(during))
    {
    }
    void update() override
    {
        m_log.append(m_name);
        if (m_during)
            m_during();
    }

private:
    QStringList &m_log;
    QString m_name;
    std::function<void()> m_during;
};

const QUuid kLowEnergy = QUuid::fromString(QStringLiteral("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0"));
const QString kLowEnergySerial = QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");
const QUuid kNearby = QUuid::fromString(QStringLiteral("11111111-2222-3333-4444-555555555555"));
const QString kNearbySerial = QStringLiteral("11111111-2222-3333-4444-555555555555");

platform::BluetoothUuid gatt(const char *text)
{
    return platform::BluetoothUuid::fromString(QString::fromLatin1(text));
}

std::shared_ptr<fennic::SingleBatteryDevice> single(
    const QString &serial, const QString &name = QStringLiteral("Mouse"))
{
    return std::make_shared<fennic::SingleBatteryDevice>(name, serial, 0x004c, 1, std::uint8_t(60));
}

std::shared_ptr<fennic::DoubleBatteryDevice> pair(const QString &serial, const QString &name = QStringLiteral("Pods"))
{
    return std::make_shared<fennic::DoubleBatteryDevice>(name, serial, 0x004c, 2, std::uint8_t(60), std::uint8_t(70));
}

// "serial" or "serial|name"
template <typename Make> auto devicesFrom(const QStringList &specs, Make make)
{
    std::vector<decltype(make(QString(), QString()))> devices;
    for (const auto &spec : specs) {
        const auto parts = spec.split(u'|');
        devices.push_back(make(parts[0], parts.value(1, QStringLiteral("Helper device"))));
    }
    return devices;
}

// Serials in order; those of Low Energy records marked "le:".
QStringList serials(const DeviceList &devices)
{
    QStringList list;
    for (const auto &device : devices) {
        const bool lowEnergy = dynamic_cast<const fennic::LowEnergyDevice *>(device.get()) != nullptr;
        list.append((lowEnergy ? QStringLiteral("le:") : QString()) + device->serial());
    }
    return list;
}

// A controller on in-memory backends: a listed registry finder, the real Low Energy finder on a scripted
// radio with one connected peripheral "Buds", a fixed battery and the helper's store on a private suite.
struct Rig {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::ManualClock clock;
    platform::ScopedClock useClock { clock };
    platform::MemoryDistributedNotificationCenter distributed;
    platform::ScopedDistributedNotificationCenter useDistributed { distributed };
    platform::MemoryRegistry registry;
    platform::MemoryCentral central;
    platform::ui::StatusBar bar;
    platform::ui::ScopedStatusBar useBar { bar };
    std::shared_ptr<platform::UserDefaults> helperSuite = platform::UserDefaults::suite(QStringLiteral("helper-store"));
    bool helperRunning = false;

    ListBluetoothFinder *bluetooth = nullptr;
    FixedInternalFinder *internal = nullptr;
    CountingAutoStart *autoStart = nullptr;
    RecordingModel *model = nullptr;
    dorsk::HelperDataModel *helper = nullptr;
    std::unique_ptr<Controller> controller;

    Rig()
    {
        quenby::Settings::reload();
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        fennic::LowEnergyPersistency::setMonitoredDevices({});
        central.addPeripheral({ kLowEnergy, QStringLiteral("Buds"),
            { { gatt("180F"), { { gatt("2A19"), QByteArray(1, char(40)) } } } }, true });

        Controller::Collaborators parts;
        auto bt = std::make_unique<ListBluetoothFinder>();
        bluetooth = bt.get();
        parts.bluetoothFinder = std::move(bt);
        auto in = std::make_unique<FixedInternalFinder>();
        internal = in.get();
        parts.internalFinder = std::move(in);
        parts.lowEnergyFinder
            = std::make_unique<fennic::LowEnergyFinder>(central, std::make_unique<fennic::IOKitController>(registry));
        auto store = std::make_unique<dorsk::HelperDataModel>(helperSuite);
        helper = store.get();
        parts.helper = std::move(store);
        auto start = std::make_unique<CountingAutoStart>();
        autoStart = start.get();
        parts.autoStart = std::move(start);
        auto recording = std::make_unique<RecordingModel>();
        model = recording.get();
        parts.model = std::move(recording);
        parts.helperRunning = [this] { return helperRunning; };
        controller = std::make_unique<Controller>(std::move(parts));
        platform::drain(central);
    }
    ~Rig() { quenby::Settings::reload(); }

    // One refresh, with the radio's answers delivered.
    void refresh()
    {
        clock.advance(2s);
        controller->refresh();
        platform::drain(central);
    }

    int batteryRequests() const
    {
        return int(std::count_if(distributed.posted().begin(), distributed.posted().end(),
            [](const auto &n) { return n.name == QStringLiteral("RequestBatteries"); }));
    }
};

ammerl::AppleInternalBattery battery(std::optional<std::int64_t> amperage, std::optional<double> voltage,
    std::optional<bool> charging, std::optional<std::int64_t> charge = 50)
{
    ammerl::AppleInternalBattery b;
    b.setAmperage(amperage);
    b.setVoltage(voltage);
    b.setCharging(charging);
    b.setCurrentCapacity(charge);
    return b;
}

} // namespace

class ControllerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void handsOverFromTheLauncherOnceAtStart()
    {
        Rig rig;
        QCOMPARE(rig.autoStart->takeOvers, 1);
        // The status items start with the main item on the bar.
        QCOMPARE(rig.controller->menuBar().count(), 1);
        QCOMPARE(rig.bar.items().size(), 1);
        rig.refresh();
        QCOMPARE(rig.autoStart->takeOvers, 1);
        QCOMPARE(rig.controller->consumption().size(), Controller::kSampleCount);
        QVERIFY(!rig.controller->consumption().newest());
        QCOMPARE(rig.controller->maxConsumption(), 0.0);
        QVERIFY(!rig.controller->internalBattery());
    }

    // The Low Energy device "Buds" (connected) is always there; a second one, "Nearby", is only seen
    // advertising when asked for.
    void merge_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("classic");
        QTest::addColumn<bool>("nearby");
        QTest::addColumn<QStringList>("singles");
        QTest::addColumn<QStringList>("doubles");
        QTest::addColumn<QStringList>("merged");
        const QString le = QStringLiteral("le:") + kLowEnergySerial;

        QTest::newRow("helper not running: its store is not read")
            << false << QStringList { "aa" } << false << QStringList { "h1" } << QStringList { "h2" }
            << QStringList { "aa", le };
        QTest::newRow("classic, Low Energy, helper singles, helper doubles")
            << true << QStringList { "bb", "aa" } << false << QStringList { "s2", "s1" } << QStringList { "d1" }
            << QStringList { "bb", "aa", le, "s2", "s1", "d1" };
        QTest::newRow("single with a classic serial in other case")
            << true << QStringList { "AA:BB" } << false << QStringList { "aa:bb", "s1" } << QStringList {}
            << QStringList { "AA:BB", le, "s1" };
        QTest::newRow("single with a Low Energy serial in other case")
            << true << QStringList {} << false << QStringList { kLowEnergySerial.toLower() } << QStringList {}
            << QStringList { le };
        QTest::newRow("single named like a Low Energy device")
            << true << QStringList {} << false << QStringList { "s1|BUDS" } << QStringList {} << QStringList { le };
        QTest::newRow("double named like a Low Energy device is kept")
            << true << QStringList {} << false << QStringList {} << QStringList { "d1|buds" }
            << QStringList { le, "d1" };
        QTest::newRow("double with a classic or Low Energy serial")
            << true << QStringList { "aa" } << false << QStringList {}
            << QStringList { "AA", kLowEnergySerial.toLower(), "d3" } << QStringList { "aa", le, "d3" };
        QTest::newRow("helper devices are not compared with each other")
            << true << QStringList {} << false << QStringList { "x" } << QStringList { "x" }
            << QStringList { le, "x", "x" };
        QTest::newRow("a Low Energy device not connected takes no part")
            << true << QStringList {} << true << QStringList { kNearbySerial + "|Nearby" } << QStringList {}
            << QStringList { le, kNearbySerial };
    }
    void merge()
    {
        QFETCH(bool, running);
        QFETCH(QStringList, classic);
        QFETCH(bool, nearby);
        QFETCH(QStringList, singles);
        QFETCH(QStringList, doubles);
        QFETCH(QStringList, merged);

        Rig rig;
        rig.helperRunning = running;
        for (const auto &serial : classic)
            rig.bluetooth->next.push_back(single(serial));
        rig.helper->setSingleBatteryDevices(
            devicesFrom(singles, [](const QString &s, const QString &n) { return single(s, n); }));
        rig.helper->setDoubleBatteryDevices(
            devicesFrom(doubles, [](const QString &s, const QString &n) { return pair(s, n); }));
        rig.refresh(); // connects "Buds"
        if (nearby) {
            rig.central.addPeripheral({ kNearby, QStringLiteral("Nearby"), {}, false });
            rig.central.advertise(kNearby,
                platform::Value(platform::Value::Dictionary {
                    { QString::fromLatin1(platform::kAdvertisementIsConnectable), platform::Value(1) } }));
            platform::drain(rig.central);
            QVERIFY(std::any_of(rig.controller->lowEnergyFinder().devices().begin(),
                rig.controller->lowEnergyFinder().devices().end(),
                [](const auto &d) { return d->serial() == kNearbySerial && !d->isConnected(); }));
        }
        rig.distributed.clearPosted();
        rig.refresh();

        QCOMPARE(serials(rig.model->last), merged);
        QCOMPARE(rig.batteryRequests(), running ? 1 : 0);
    }

    void missingHelperListsCountAsEmpty()
    {
        Rig rig;
        rig.helperRunning = true;
        rig.bluetooth->next = { single(QStringLiteral("aa")) };
        rig.helperSuite->set(QStringLiteral("singleBatteryDevices"), platform::Value("not a list"));
        rig.refresh();
        rig.refresh();
        QCOMPARE(
            serials(rig.model->last), (QStringList { QStringLiteral("aa"), QStringLiteral("le:") + kLowEnergySerial }));
        QCOMPARE(rig.batteryRequests(), 2);
    }

    void keepsTheNewestBatteryAndChecksItBeforeTheDevices()
    {
        Rig rig;
        rig.internal->battery = battery(-1000, 12.0, false, 64);
        rig.refresh();
        QVERIFY(rig.controller->internalBattery());
        QCOMPARE(rig.controller->internalBattery()->charge(), std::optional<std::int64_t>(64));
        rig.internal->battery = battery(-1000, 12.0, false, 63);
        rig.refresh();
        QCOMPARE(rig.controller->internalBattery()->charge(), std::optional<std::int64_t>(63));
        rig.internal->battery.reset();
        rig.refresh();
        QVERIFY(!rig.controller->internalBattery());

        QCOMPARE(rig.model->charges, (QList<int> { 64, 63 }));
        QCOMPARE(rig.model->events, (QStringList { "internal", "update", "internal", "update", "update" }));
        QCOMPARE(rig.internal->finds, 3);
        QCOMPARE(rig.bluetooth->refreshes, 3);
    }

    void sample_data()
    {
        QTest::addColumn<std::optional<std::int64_t>>("amperage");
        QTest::addColumn<std::optional<double>>("voltage");
        QTest::addColumn<std::optional<bool>>("charging");
        QTest::addColumn<bool>("sampled");
        QTest::addColumn<std::optional<double>>("consumption");
        QTest::addColumn<std::optional<double>>("ac");
        QTest::addColumn<double>("max");
        using I = std::optional<std::int64_t>;
        using D = std::optional<double>;
        using B = std::optional<bool>;
        QTest::newRow("discharging") << I(-1500) << D(12.0) << B(false) << true << D(18.0) << D() << 18.0;
        QTest::newRow("charging gives the marker") << I(2000) << D(12.5) << B(true) << true << D() << D(8192.0) << 25.0;
        QTest::newRow("no amperage") << I() << D(12.0) << B(false) << false << D(1.0) << D() << 1.0;
        QTest::newRow("no voltage") << I(-1500) << D() << B(false) << false << D(1.0) << D() << 1.0;
        QTest::newRow("no charging state") << I(-1500) << D(12.0) << B() << false << D(1.0) << D() << 1.0;
    }
    void sample()
    {
        QFETCH(std::optional<std::int64_t>, amperage);
        QFETCH(std::optional<double>, voltage);
        QFETCH(std::optional<bool>, charging);
        QFETCH(bool, sampled);
        QFETCH(std::optional<double>, consumption);
        QFETCH(std::optional<double>, ac);
        QFETCH(double, max);

        Rig rig;
        rig.internal->battery = battery(-100, 10.0, false); // 1 W
        rig.refresh();
        rig.internal->battery = battery(amperage, voltage, charging);
        rig.refresh();

        const auto &ring = rig.controller->consumption();
        QCOMPARE(ring.newest(), consumption);
        QCOMPARE(rig.controller->acConsumption().newest(), ac);
        QCOMPARE(rig.controller->maxConsumption(), max);
        // A refresh without a sample leaves the rings where they were.
        QCOMPARE(ring.at(ring.size() - 2), sampled ? std::optional<double>(1.0) : std::nullopt);
    }

    void theRingsDropTheOldestSample()
    {
        Rig rig;
        for (int i = 1; i <= int(Controller::kSampleCount) + 1; ++i) {
            rig.internal->battery = battery(-i, 1000.0, false); // i watts
            rig.refresh();
        }
        const auto &ring = rig.controller->consumption();
        QCOMPARE(ring.size(), Controller::kSampleCount);
        QCOMPARE(ring.at(0), std::optional<double>(2.0));
        QCOMPARE(ring.newest(), std::optional<double>(double(Controller::kSampleCount) + 1));
        QCOMPARE(rig.controller->acConsumption().size(), Controller::kSampleCount);
        QCOMPARE(rig.controller->maxConsumption(), double(Controller::kSampleCount) + 1);

        // Charging at a lower power keeps the maximum.
        rig.internal->battery = battery(500, 1000.0, true);
        rig.controller->refresh();
        QCOMPARE(rig.controller->maxConsumption(), double(Controller::kSampleCount) + 1);
    }

    void observersAreToldAfterTheModel()
    {
        Rig rig;
        QStringList log;
        RecordingObserver first(log, QStringLiteral("first"));
        RecordingObserver leaving(log, QStringLiteral("leaving"));
        RecordingObserver last(log, QStringLiteral("last"), [&] { log.append(rig.model->events.last()); });
        RecordingObserver *leavingPointer = &leaving;
        RecordingObserver remover(
            log, QStringLiteral("remover"), [&] { rig.controller->removeObserver(leavingPointer); });

        rig.controller->addObserver(&first);
        rig.controller->addObserver(&remover);
        rig.controller->addObserver(&leaving);
        rig.controller->addObserver(&last);
        rig.controller->addObserver(&first);
        QCOMPARE(rig.controller->observers().size(), std::size_t(4));

        rig.refresh();
        // "leaving" left while the others were told, so it is not told any more.
        QCOMPARE(log, (QStringList { "first", "remover", "last", "update" }));
        rig.controller->removeObserver(&remover);
        log.clear();
        rig.refresh();
        QCOMPARE(log, (QStringList { "first", "last", "update" }));
    }
};

QTEST_MAIN(ControllerTest)
#include "controller_test.moc"
