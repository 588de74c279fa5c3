// Cost of one refresh of each accessory finder on a busy desk.
#include "../platform/bluetooth/tests/centraltestsupport.h"
#include "benchmain.h"
#include "fennic/bluetoothfinder.h"
#include "fennic/iokitcontroller.h"
#include "fennic/lowenergyfinder.h"
#include "platform/bluetooth/memorycentral.h"
#include "platform/registry/memoryregistry.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using platform::BluetoothUuid;
using platform::MemoryCentral;
using platform::MemoryRegistry;
using platform::Value;

using platform::drain;

namespace {
// 50 accessories spread over the six scanned classes, each below a device entry and an interface entry,
// plus the unrelated entries a real registry holds around them.
void fillRegistry(MemoryRegistry &registry)
{
    const auto &classes = fennic::BluetoothFinder::registryClasses();
    for (int i = 0; i < 50; ++i) {
        Value::Dictionary outer;
        if (i % 3 == 0)
            outer["Accessory Category"] = Value(i % 2 ? "Mouse" : "Keyboard");
        const auto device = registry.addEntry({ "IOBluetoothDevice", { "IOService" }, {}, outer });
        const auto interface = registry.addEntry({ "IOHIDInterface", { "IOService" }, {}, {} }, device);
        Value::Dictionary properties {
            { "DeviceAddress", Value(QStringLiteral("d4-57-63-00-00-%1").arg(i, 2, 10, QLatin1Char('0'))) },
            { "BatteryPercent", Value(10 + i) },
            { "Transport", Value(i % 5 ? "Bluetooth" : "USB") },
            { "VendorID", Value(i % 4 ? 76 : 1133) },
            { "ProductID", Value(600 + i) },
            { "Product", Value(QStringLiteral("Accessory %1").arg(i)) },
            { "LowBatteryNotificationType", Value(i % 2 ? "MOLowBattery" : "KBLowBattery") },
            { "HIDDefaultBehavior", Value("") },
            { "PrimaryUsagePage", Value(1) },
            { "ReportInterval", Value(11250) },
            { "SerialNumber", Value(QStringLiteral("SN%1").arg(i)) },
        };
        registry.addEntry(
            { classes[i % classes.size()], { "IOHIDEventService", "IOService" }, {}, properties }, interface);
        registry.addEntry({ "IOHIDEventServiceUserClient", { "IOService" }, {}, {} }, interface);
    }
}

void BM_BluetoothFinderRefresh(benchmark::State &state)
{
    MemoryRegistry registry;
    fillRegistry(registry);
    fennic::BluetoothFinder finder(registry);
    for (auto _ : state) {
        finder.refresh();
        benchmark::DoNotOptimize(finder.devices().data());
    }
    if (finder.devices().size() != 50)
        state.SkipWithError("expected 50 records");
}
BENCHMARK(BM_BluetoothFinderRefresh)->Unit(benchmark::kMicrosecond);

struct LowEnergyDesk {
    MemoryRegistry registry;
    MemoryCentral central;
    std::unique_ptr<fennic::LowEnergyFinder> finder;

    LowEnergyDesk()
    {
        const auto id = [](const char *text) { return BluetoothUuid::fromString(QString::fromLatin1(text)); };
        for (int i = 0; i < 20; ++i) {
            central.addPeripheral({ QUuid::createUuid(), QStringLiteral("Peripheral %1").arg(i),
                { { id("180F"), { { id("2A19"), QByteArray(1, char(i * 5)) } } },
                    { id("180A"),
                        { { id("2A24"), QByteArray("Model1,1") }, { id("2A29"), QByteArray("Maker") },
                            { id("2A25"), QByteArray("SN") } } } },
                true });
        }
        finder
            = std::make_unique<fennic::LowEnergyFinder>(central, std::make_unique<fennic::IOKitController>(registry));
        finder->refresh();
        drain(central);
    }
};

// The call the application's timer makes: the answers it causes are drained outside the timing.
void BM_LowEnergyFinderRefresh(benchmark::State &state)
{
    LowEnergyDesk desk;
    for (auto _ : state) {
        desk.finder->refresh();
        state.PauseTiming();
        drain(desk.central);
        state.ResumeTiming();
    }
    if (desk.finder->devices().size() != 20)
        state.SkipWithError("expected 20 records");
}
BENCHMARK(BM_LowEnergyFinderRefresh)->Unit(benchmark::kMicrosecond);

// A whole poll: the refresh and every discovery and read it causes, through the event loop.
void BM_LowEnergyFinderPoll(benchmark::State &state)
{
    LowEnergyDesk desk;
    for (auto _ : state) {
        desk.finder->refresh();
        drain(desk.central);
    }
    if (desk.finder->devices().size() != 20)
        state.SkipWithError("expected 20 records");
}
BENCHMARK(BM_LowEnergyFinderPoll)->Unit(benchmark::kMicrosecond);
}

int main(int argc, char **argv) { return bench::runBenchmarks<QCoreApplication>(argc, argv); }
