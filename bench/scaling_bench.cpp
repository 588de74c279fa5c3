// How the cost of the 2-second tick grows with the number of accessories: 20, 100 and 500, made in
// the proportions of a busy desk (three in five in the registry, one in four a Low Energy peripheral,
// the rest from the helper's store, a quarter of those with two batteries), plus the computer's
// battery. A refresh is the controller's alone; a tick is the application delegate's refresh with
// the Low Energy answers it causes, the status items brought up to date and the tray presenter
// renewing the icons whose pictures changed.
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
#include <olvane/iautostartcontroller.h>
#include <olvane/imenubaritemcontroller.h>
#include <platform/bluetooth/memorycentral.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/memorydistributednotificationcenter.h>
#include <platform/registry/memorypowersources.h>
#include <platform/registry/memoryregistry.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/traystatusbarpresenter.h>
#include <quenby/appdelegate.h>
#include <quenby/appnotifications.h>
#include <quenby/controller.h>
#include <quenby/datamodel.h>
#include <quenby/settings.h>

#include <QApplication>

#include <benchmark/benchmark.h>

using platform::Value;

using olvane::QuietAutoStart;
using platform::drain;

namespace {

const QString kMachine = QStringLiteral(QUENBY_SOURCE_DIR "/app/tests/data/machine.json");

QString address(int group, int i)
{
    return QStringLiteral("d4-57-%1-%2-%3-%4")
        .arg(group, 2, 10, QChar(u'0'))
        .arg(i / 10000, 2, 10, QChar(u'0'))
        .arg(i / 100 % 100, 2, 10, QChar(u'0'))
        .arg(i % 100, 2, 10, QChar(u'0'));
}

struct Desk {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::MemoryDistributedNotificationCenter distributed;
    platform::ScopedDistributedNotificationCenter useDistributed { distributed };
    platform::MemoryRegistry registry;
    platform::MemoryPowerSources powerSources;
    platform::MemoryCentral central;
    platform::ui::StatusBar bar;
    platform::ui::ScopedStatusBar useBar { bar };
    std::unique_ptr<platform::ui::TrayStatusBarPresenter> tray;
    std::unique_ptr<quenby::AppDelegate> delegate;
    std::size_t expected = 0;

    explicit Desk(int accessories)
    {
        platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kWasStartedKey), true);
        quenby::Settings::reload();
        // The computer's battery; the machine's own accessories are left out so the counts are exact.
        powerSources.loadFixtureFile(kMachine);
        registry.loadFixtureFile(kMachine);

        const int lowEnergy = accessories / 4;
        const int helper = accessories * 3 / 20;
        const int listed = accessories - lowEnergy - helper;
        for (int i = 0; i < listed; ++i) {
            const auto device = registry.addEntry({ "IOBluetoothDevice", { "IOService" }, {}, {} });
            const auto driver = registry.addEntry({ "AppleHSBluetoothHIDDriver", { "IOService" }, {}, {} }, device);
            registry.addEntry({ "AppleDeviceManagementHIDEventService", { "IOHIDEventService", "IOService" }, {},
                                  { { "DeviceAddress", Value(address(1, i)) }, { "BatteryPercent", Value(10 + i % 90) },
                                      { "Transport", Value("Bluetooth") }, { "VendorID", Value(76) },
                                      { "ProductID", Value(600 + i % 50) },
                                      { "Product", Value(QStringLiteral("Accessory %1").arg(i)) },
                                      { "LowBatteryNotificationType", Value(i % 2 ? "MOLowBattery" : "KBLowBattery") } } },
                driver);
        }
        const auto id = [](const char *text) { return platform::BluetoothUuid::fromString(QString::fromLatin1(text)); };
        for (int i = 0; i < lowEnergy; ++i) {
            central.addPeripheral({ QUuid::createUuid(), QStringLiteral("Peripheral %1").arg(i),
                { { id("180F"), { { id("2A19"), QByteArray(1, char(20 + i % 80)) } } },
                    { id("180A"), { { id("2A24"), QByteArray("Model1,1") }, { id("2A29"), QByteArray("Maker") } } } },
                true });
        }
        auto store = std::make_unique<dorsk::MemoryHelperDataModel>();
        dorsk::SingleBatteryDevices singles;
        dorsk::DoubleBatteryDevices doubles;
        for (int i = 0; i < helper; ++i) {
            const QString name = QStringLiteral("Helper %1").arg(i);
            if (i % 4 == 3)
                doubles.push_back(
                    std::make_shared<fennic::DoubleBatteryDevice>(name, address(3, i), 76, 2, 50 + i % 40, 60));
            else
                singles.push_back(
                    std::make_shared<fennic::SingleBatteryDevice>(name, address(3, i), 1133, 1, 30 + i % 60));
        }
        store->setSingleBatteryDevices(singles);
        store->setDoubleBatteryDevices(doubles);

        quenby::Controller::Collaborators parts;
        parts.bluetoothFinder = std::make_unique<fennic::BluetoothFinder>(registry);
        parts.internalFinder = std::make_unique<ammerl::InternalFinder>(registry, powerSources);
        parts.lowEnergyFinder
            = std::make_unique<fennic::LowEnergyFinder>(central, std::make_unique<fennic::IOKitController>(registry));
        parts.helper = std::move(store);
        parts.autoStart = std::make_unique<QuietAutoStart>();
        parts.model = std::make_unique<quenby::DataModel>([](const QString &, const QString &) {});
        parts.helperRunning = [] { return true; };
        delegate = std::make_unique<quenby::AppDelegate>(std::make_unique<quenby::Controller>(std::move(parts)));
        tray = std::make_unique<platform::ui::TrayStatusBarPresenter>(
            bar, platform::ui::TrayStatusBarPresenter::Protocol::inMemory);
        delegate->applicationDidFinishLaunching();
        // The Low Energy answers arrive from the event loop; the next ticks take them in.
        for (int i = 0; i < 3; ++i) {
            drain(central);
            delegate->refresh();
        }
        drain(central);
        delegate->applicationWillTerminate();
        expected = std::size_t(accessories);
    }
    ~Desk()
    {
        delegate.reset();
        tray.reset();
        quenby::Settings::reload();
    }

    quenby::IController &controller() const { return delegate->controller(); }
    std::size_t devices() const { return controller().model().devices().size(); }
    bool complete() const { return devices() >= expected && controller().internalBattery(); }
};

void BM_ScaledRefresh(benchmark::State &state)
{
    Desk desk(int(state.range(0)));
    auto &controller = static_cast<quenby::Controller &>(desk.controller());
    for (auto _ : state) {
        controller.refresh();
        state.PauseTiming();
        drain(desk.central);
        desk.distributed.clearPosted();
        state.ResumeTiming();
    }
    state.counters["devices"] = double(desk.devices());
    if (!desk.complete())
        state.SkipWithError("not every accessory arrived");
}
BENCHMARK(BM_ScaledRefresh)->ArgName("accessories")->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_ScaledTick(benchmark::State &state)
{
    Desk desk(int(state.range(0)));
    for (auto _ : state) {
        desk.delegate->refresh();
        drain(desk.central);
        desk.distributed.clearPosted();
    }
    state.counters["devices"] = double(desk.devices());
    state.counters["items"] = double(desk.controller().menuBar().count());
    if (!desk.complete())
        state.SkipWithError("not every accessory arrived");
}
BENCHMARK(BM_ScaledTick)->ArgName("accessories")->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks<QApplication>(argc, argv); }
