#include "../../mac-services/tests/quietautostart.h"
#include "../../platform/bluetooth/tests/centraltestsupport.h"
#include "quenby/settings.h"
#include "quenby/simulatedmachine.h"

#include <ammerl/internalbattery.h>
#include <dorsk/memoryhelperdatamodel.h>
#include <fennic/batterydevice.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/lowenergypersistency.h>
#include <platform/core/bundle.h>
#include <platform/core/clock.h>
#include <platform/core/coding.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/memorydistributednotificationcenter.h>
#include <platform/registry/memoryregistry.h>
#include <platform/ui/statusbar.h>

#include <QFile>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace std::chrono_literals;
using quenby::Controller;
using quenby::SimulatedMachine;

namespace {

const QString kKeyboard = QStringLiteral("d4-57-63-1a-2b-01");
const QString kBuds = QStringLiteral("6E1A3F52-9C4B-4D8E-A1F0-3B2C7D9E0A11");
const QString kHelperMouse = QStringLiteral("70-1a-b8-00-00-01");

QByteArray original()
{
    QFile file(QStringLiteral(QUENBY_TEST_DATA "/machine.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("machine.json is missing");
    return file.readAll();
}

// The machine with other values: each pair is (text in the original, its replacement).
QByteArray edited(const QList<std::pair<QByteArray, QByteArray>> &edits)
{
    QByteArray bytes = original();
    for (const auto &[from, to] : edits) {
        if (!bytes.contains(from))
            qFatal("machine.json no longer holds %s", from.constData());
        bytes.replace(from, to);
    }
    return bytes;
}

// Writes in place, or (as many editors do) into a new file renamed over the old one.
void write(const QString &path, const QByteArray &bytes, bool replace = false)
{
    if (replace) {
        QSaveFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        QVERIFY(file.commit());
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
}

// A controller on a machine file in a temporary folder.
struct Rig {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::ManualClock clock;
    platform::ScopedClock useClock { clock };
    platform::MemoryDistributedNotificationCenter distributed;
    platform::ScopedDistributedNotificationCenter useDistributed { distributed };
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("machine.json"));
    std::unique_ptr<SimulatedMachine> machine;
    std::unique_ptr<Controller> controller;

    Rig()
    {
        quenby::Settings::reload();
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        fennic::LowEnergyPersistency::setMonitoredDevices({});
        write(path, original());
        machine = std::make_unique<SimulatedMachine>(path);
        auto parts = machine->collaborators();
        parts.autoStart = std::make_unique<olvane::QuietAutoStart>();
        controller = std::make_unique<Controller>(std::move(parts));
        refresh(); // connects the peripheral
        refresh(); // reads its level
    }
    ~Rig() { quenby::Settings::reload(); }

    void refresh()
    {
        clock.advance(2s);
        controller->refresh();
        platform::drain(machine->central());
    }

    std::optional<int> level(const QString &serial) const
    {
        const auto &devices = controller->model().devices();
        const auto it = devices.find(serial);
        if (it == devices.end() || !it->second->batteryLevel())
            return std::nullopt;
        return int(*it->second->batteryLevel());
    }
    std::optional<std::int64_t> charge() const
    {
        return controller->internalBattery() ? controller->internalBattery()->charge() : std::nullopt;
    }
};

} // namespace

class SimulatedMachineTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void runsTheControllerOnTheMachine()
    {
        Rig rig;
        QCOMPARE(&platform::Registry::current(), static_cast<platform::Registry *>(&rig.machine->registry()));
        QCOMPARE(rig.level(kKeyboard), std::optional<int>(82));
        QCOMPARE(rig.level(kBuds), std::optional<int>(75));
        QCOMPARE(rig.level(kHelperMouse), std::optional<int>(44));
        QCOMPARE(rig.controller->model().devices().size(), std::size_t(3));
        QCOMPARE(rig.charge(), std::optional<std::int64_t>(69));
        QVERIFY(rig.controller->consumption().newest()); // the battery's amperage and voltage came through
    }

    // An edited file changes what the next refresh reads, through the same backends and finders.
    void reloadAppliesEdits()
    {
        Rig rig;
        QSignalSpy reloaded(rig.machine.get(), &SimulatedMachine::reloaded);
        write(rig.path,
            edited({ { "\"BatteryPercent\": 82", "\"BatteryPercent\": 12" },
                { "\"Current Capacity\": 69", "\"Current Capacity\": 40" }, { "\"value\": [75]", "\"value\": [30]" },
                { "\"batteryLevel\": 44", "\"batteryLevel\": 9" } }));
        QCOMPARE(rig.machine->reload(), std::optional<QString>());
        QCOMPARE(reloaded.size(), 1);
        rig.refresh();
        rig.refresh();
        QCOMPARE(rig.level(kKeyboard), std::optional<int>(12));
        QCOMPARE(rig.level(kBuds), std::optional<int>(30));
        QCOMPARE(rig.level(kHelperMouse), std::optional<int>(9));
        QCOMPARE(rig.charge(), std::optional<std::int64_t>(40));

        // Unchanged bytes are not applied again.
        QCOMPARE(rig.machine->reload(), std::optional<QString>());
        QCOMPARE(reloaded.size(), 1);
    }

    void sectionsLeftOutEmptyTheirBackends()
    {
        Rig rig;
        write(rig.path, QByteArrayLiteral("{\"registry\": []}"));
        QCOMPARE(rig.machine->reload(), std::optional<QString>());
        QVERIFY(!rig.machine->helperRunning());
        for (int i = 0; i < 4; ++i)
            rig.refresh();
        QVERIFY(rig.controller->model().devices().empty());
        QVERIFY(!rig.controller->internalBattery());

        write(rig.path, original());
        QCOMPARE(rig.machine->reload(), std::optional<QString>());
        rig.refresh();
        rig.refresh();
        QCOMPARE(rig.controller->model().devices().size(), std::size_t(3));
        QCOMPARE(rig.charge(), std::optional<std::int64_t>(69));
    }

    void aBadEditChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not JSON") << QByteArrayLiteral("{\"registry\": [");
        QTest::newRow("not an object") << QByteArrayLiteral("[]");
        QTest::newRow("bad registry entry")
            << edited({ { "\"class\": \"AppleSmartBattery\"", "\"klass\": \"AppleSmartBattery\"" } });
        QTest::newRow("bad power sources")
            << edited({ { "\"powerSources\": [", "\"powerSources\": 5, \"unused\": [" } });
        QTest::newRow("bad peripheral") << edited({ { "\"value\": [75]", "\"value\": 75" } });
        QTest::newRow("bad helper record") << edited({ { "\"serial\": \"70-1a-b8-00-00-01\",", "" } });
    }
    void aBadEditChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        Rig rig;
        QSignalSpy failed(rig.machine.get(), &SimulatedMachine::reloadFailed);
        const int generation = rig.machine->generation();
        write(rig.path, bytes);
        const auto error = rig.machine->reload();
        QVERIFY(error);
        QVERIFY2(error->startsWith(rig.path), qPrintable(*error));
        QCOMPARE(failed.size(), 1);
        QCOMPARE(rig.machine->generation(), generation);
        rig.refresh();
        QCOMPARE(rig.level(kKeyboard), std::optional<int>(82));
        QCOMPARE(rig.level(kBuds), std::optional<int>(75));
        QCOMPARE(rig.level(kHelperMouse), std::optional<int>(44));
        QCOMPARE(rig.charge(), std::optional<std::int64_t>(69));
    }

    // The shared demo machine is what `scripts/run --fixture demo/desk.json` shows: it must load, and
    // every source of devices must find something on it.
    void theDemoMachineRuns()
    {
        platform::ScopedUserDefaultsDirectory defaults;
        platform::MemoryDistributedNotificationCenter distributed;
        platform::ScopedDistributedNotificationCenter useDistributed(distributed);
        platform::ui::StatusBar bar;
        platform::ui::ScopedStatusBar useBar(bar);
        quenby::Settings::reload();
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        fennic::LowEnergyPersistency::setMonitoredDevices({});
        SimulatedMachine machine(QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json"));
        QVERIFY(machine.helperRunning());
        auto parts = machine.collaborators();
        parts.autoStart = std::make_unique<olvane::QuietAutoStart>();
        Controller controller(std::move(parts));
        for (int i = 0; i < 2; ++i) {
            controller.refresh();
            platform::drain(machine.central());
        }
        QVERIFY(controller.internalBattery());
        QVERIFY(!controller.bluetoothFinder().devices().empty());
        QVERIFY(
            std::any_of(controller.lowEnergyFinder().devices().begin(), controller.lowEnergyFinder().devices().end(),
                [](const auto &device) { return device->isConnected() && device->batteryLevel(); }));
        QVERIFY(!machine.helperStore().singleBatteryDevices().value_or(dorsk::SingleBatteryDevices {}).empty());
        QVERIFY(controller.model().devices().size()
            >= controller.bluetoothFinder().devices().size() + controller.lowEnergyFinder().devices().size() + 1);
        quenby::Settings::reload();
    }

    // The other demo machines each show one situation a user would want to see.
    void eachDemoMachineShowsItsSituation_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("laptop on its charger") << "laptop-charging.json";
        QTest::newRow("earbuds with a reporting case") << "earbuds.json";
        QTest::newRow("desktop without a battery") << "desktop.json";
        QTest::newRow("everything low") << "low.json";
    }
    void eachDemoMachineShowsItsSituation()
    {
        QFETCH(QString, file);
        platform::ScopedUserDefaultsDirectory defaults;
        platform::MemoryDistributedNotificationCenter distributed;
        platform::ScopedDistributedNotificationCenter useDistributed(distributed);
        platform::ui::StatusBar bar;
        platform::ui::ScopedStatusBar useBar(bar);
        quenby::Settings::reload();
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        fennic::LowEnergyPersistency::setMonitoredDevices({});
        SimulatedMachine machine(QStringLiteral(QUENBY_SOURCE_DIR "/demo/") + file);
        auto parts = machine.collaborators();
        parts.autoStart = std::make_unique<olvane::QuietAutoStart>();
        Controller controller(std::move(parts));
        for (int i = 0; i < 2; ++i) {
            controller.refresh();
            platform::drain(machine.central());
        }
        const auto &devices = controller.model().devices();
        QVERIFY(devices.size() >= 3);
        const auto *battery = controller.internalBattery();
        if (file == QLatin1String("laptop-charging.json")) {
            QVERIFY(battery);
            QCOMPARE(battery->isCharging(), std::optional<bool>(true));
            QCOMPARE(battery->acPowered(), std::optional<bool>(true));
        } else if (file == QLatin1String("earbuds.json")) {
            QVERIFY(std::any_of(devices.begin(), devices.end(),
                [](const auto &entry) { return entry.second->type() == fennic::DeviceType::chargingCase; }));
            QVERIFY(std::any_of(devices.begin(), devices.end(),
                [](const auto &entry) { return entry.second->name() == QLatin1String("AirPods Pro"); }));
        } else if (file == QLatin1String("desktop.json")) {
            QVERIFY(!battery);
            QVERIFY(!controller.internalFinder().batteryPresent());
        } else {
            QVERIFY(battery);
            QVERIFY(battery->charge().value_or(100) <= 10);
            for (const auto &[serial, device] : devices) {
                // Earbuds carry a level per bud.
                if (const auto *buds = dynamic_cast<const fennic::DoubleBatteryDevice *>(device.get())) {
                    QVERIFY2(buds->firstLevel().value_or(100) <= 10 && buds->secondLevel().value_or(100) <= 10,
                        qPrintable(serial));
                } else {
                    QVERIFY2(device->batteryLevel().value_or(100) <= 10, qPrintable(serial));
                }
            }
        }
        quenby::Settings::reload();
    }

    // The folder changes for many reasons; a file that stays bad is reported once, and a good file
    // written back afterwards is applied.
    void aFileThatStaysBadIsReportedOnce()
    {
        Rig rig;
        QSignalSpy failed(rig.machine.get(), &SimulatedMachine::reloadFailed);
        QSignalSpy reloaded(rig.machine.get(), &SimulatedMachine::reloaded);
        write(rig.path, QByteArrayLiteral("{bad"));
        QVERIFY(rig.machine->reload());
        QCOMPARE(rig.machine->reload(), std::optional<QString>());
        QCOMPARE(failed.size(), 1);
        write(rig.path, edited({ { "\"BatteryPercent\": 82", "\"BatteryPercent\": 50" } }));
        QCOMPARE(rig.machine->reload(), std::optional<QString>());
        QCOMPARE(reloaded.size(), 1);
        rig.refresh();
        QCOMPARE(rig.level(kKeyboard), std::optional<int>(50));
    }

    void aBadFileAtStartIsAnError()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("broken.json"));
        write(path, QByteArrayLiteral("{\"peripherals\": 3}"));
        try {
            SimulatedMachine machine(path);
            QFAIL("a broken machine loaded");
        } catch (const platform::DecodingError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).startsWith(path), error.what());
        }
        try {
            SimulatedMachine machine(folder.filePath(QStringLiteral("missing.json")));
            QFAIL("a missing machine loaded");
        } catch (const platform::DecodingError &) {
        }
        // A FIFO has no writer here: opening it as a file would wait for one for good.
        const QString fifo = folder.filePath(QStringLiteral("fifo.json"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        try {
            SimulatedMachine machine(fifo);
            QFAIL("a FIFO loaded as a machine");
        } catch (const platform::DecodingError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(QLatin1String("not a regular file")), error.what());
        }
    }

    void watchingFollowsTheFile_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("written in place") << false;
        QTest::newRow("replaced by rename") << true;
    }
    void watchingFollowsTheFile()
    {
        QFETCH(bool, replace);
        Rig rig;
        rig.machine->watch();
        QSignalSpy reloaded(rig.machine.get(), &SimulatedMachine::reloaded);
        for (const QByteArray &percent : { QByteArrayLiteral("31"), QByteArrayLiteral("32") }) {
            write(rig.path, edited({ { "\"BatteryPercent\": 82", "\"BatteryPercent\": " + percent } }), replace);
            QVERIFY(reloaded.wait(5000));
            rig.refresh();
            QCOMPARE(rig.level(kKeyboard), std::optional<int>(percent.toInt()));
            reloaded.clear();
        }
    }
};

QTEST_MAIN(SimulatedMachineTest)
#include "simulatedmachine_test.moc"
