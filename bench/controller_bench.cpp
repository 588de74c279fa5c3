// Cost of one refresh of the application's controller on a busy desk: 20 accessories (12 in the
// registry, 5 Low Energy peripherals, 3 from the helper's store), the computer's battery, and the
// helper application running.
#include "../mac-services/tests/quietautostart.h"
#include "../platform/bluetooth/tests/centraltestsupport.h"
#include "benchmain.h"

#include <ammerl/internalfinder.h>
#include <dorsk/memoryhelperdatamodel.h>
#include <fennic/bluetoothfinder.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/iokitcontroller.h>
#include <fennic/lowenergyfinder.h>
#include <fennic/singlebatterydevice.h>
#include <platform/bluetooth/memorycentral.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/memorydistributednotificationcenter.h>
#include <platform/registry/memorypowersources.h>
#include <platform/registry/memoryregistry.h>
#include <platform/ui/statusbar.h>
#include <quenby/controller.h>
#include <quenby/datamodel.h>

#include <QApplication>

#include <benchmark/benchmark.h>

using platform::Value;

using olvane::QuietAutoStart;
using platform::drain;

namespace {

const QString kMachine = QStringLiteral(QUENBY_SOURCE_DIR "/app/tests/data/machine.json");

struct Desk {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::MemoryDistributedNotificationCenter distributed;
    platform::ScopedDistributedNotificationCenter useDistributed { distributed };
    platform::MemoryRegistry registry;
    platform::MemoryPowerSources powerSources;
    platform::MemoryCentral central;
    platform::ui::StatusBar bar;
    platform::ui::ScopedStatusBar useBar { bar };
    dorsk::MemoryHelperDataModel *helper = nullptr;
    std::unique_ptr<quenby::Controller> controller;

    Desk()
    {
        // The battery, a keyboard, one peripheral and one helper mouse come from the test machine.
        registry.loadFixtureFile(kMachine);
        powerSources.loadFixtureFile(kMachine);
        central.loadFixtureFile(kMachine);
        for (int i = 0; i < 11; ++i) {
            const auto device = registry.addEntry({ "IOBluetoothDevice", { "IOService" }, {}, {} });
            const auto driver = registry.addEntry({ "AppleHSBluetoothHIDDriver", { "IOService" }, {}, {} }, device);
            registry.addEntry(
                { "AppleDeviceManagementHIDEventService", { "IOHIDEventService", "IOService" }, {},
                    { { "DeviceAddress", Value(QStringLiteral("d4-57-63-00-01-%1").arg(i, 2, 10, QChar(u'0'))) },
                        { "BatteryPercent", Value(10 + 7 * i) }, { "Transport", Value("Bluetooth") },
                        { "VendorID", Value(76) }, { "ProductID", Value(600 + i) },
                        { "Product", Value(QStringLiteral("Accessory %1").arg(i)) },
                        { "LowBatteryNotificationType", Value(i % 2 ? "MOLowBattery" : "KBLowBattery") } } },
                driver);
        }
        const auto id = [](const char *text) { return platform::BluetoothUuid::fromString(QString::fromLatin1(text)); };
        for (int i = 0; i < 4; ++i) {
            central.addPeripheral({ QUuid::createUuid(), QStringLiteral("Peripheral %1").arg(i),
                { { id("180F"), { { id("2A19"), QByteArray(1, char(20 + i * 10)) } } },
                    { id("180A"), { { id("2A24"), QByteArray("Model1,1") }, { id("2A29"), QByteArray("Maker") } } } },
                true });
        }

        auto store = std::make_unique<dorsk::MemoryHelperDataModel>();
        store->loadFixtureFile(kMachine);
        auto singles = store->singleBatteryDevices().value_or(dorsk::SingleBatteryDevices {});
        singles.push_back(std::make_shared<fennic::SingleBatteryDevice>(
            QStringLiteral("Helper Keyboard"), QStringLiteral("70-1a-b8-00-00-03"), 1133, 1, 64));
        store->setSingleBatteryDevices(singles);
        store->setDoubleBatteryDevices({ std::make_shared<fennic::DoubleBatteryDevice>(
            QStringLiteral("Helper Buds"), QStringLiteral("70-1a-b8-00-00-04"), 76, 2, 55, 60) });
        helper = store.get();

        quenby::Controller::Collaborators parts;
        parts.bluetoothFinder = std::make_unique<fennic::BluetoothFinder>(registry);
        parts.internalFinder = std::make_unique<ammerl::InternalFinder>(registry, powerSources);
        parts.lowEnergyFinder
            = std::make_unique<fennic::LowEnergyFinder>(central, std::make_unique<fennic::IOKitController>(registry));
        parts.helper = std::move(store);
        parts.autoStart = std::make_unique<QuietAutoStart>();
        parts.model = std::make_unique<quenby::DataModel>([](const QString &, const QString &) {});
        parts.helperRunning = [] { return true; };
        controller = std::make_unique<quenby::Controller>(std::move(parts));
        controller->refresh();
        drain(central);
        controller->refresh();
        drain(central);
    }

    bool complete() const { return controller->model().devices().size() == 20 && controller->internalBattery(); }
};

// The call the refresh timer makes; the radio's answers it causes are drained outside the timing.
void BM_ControllerRefresh(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.controller->refresh();
        state.PauseTiming();
        drain(desk.central);
        desk.distributed.clearPosted();
        state.ResumeTiming();
    }
    if (!desk.complete())
        state.SkipWithError("expected 20 devices and the battery");
}
BENCHMARK(BM_ControllerRefresh)->Unit(benchmark::kMicrosecond);

// A whole poll: the refresh and every Low Energy read it causes, through the event loop.
void BM_ControllerPoll(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.controller->refresh();
        drain(desk.central);
        desk.distributed.clearPosted();
    }
    if (!desk.complete())
        state.SkipWithError("expected 20 devices and the battery");
}
BENCHMARK(BM_ControllerPoll)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks<QApplication>(argc, argv); }
