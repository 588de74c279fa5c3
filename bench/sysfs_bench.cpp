// Cost of one refresh of the registry finder and the internal finder when both read sysfs: a laptop on
// battery with four accessories (a fixture tree laid out as on the machine it was taken from).
#include "ammerl/internalfinder.h"
#include "fennic/bluetoothfinder.h"
#include "platform/registry/sysfspowersources.h"
#include "platform/registry/sysfsregistry.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
const QString kRoot = QStringLiteral(QUENBY_SOURCE_DIR "/platform/registry/tests/data/sysfs/thinkpad");

struct Machine {
    platform::SysfsRegistry registry { kRoot };
    platform::SysfsPowerSources sources { kRoot };
    fennic::BluetoothFinder accessories { registry };
    ammerl::InternalFinder battery { registry, sources };
};

// What the application's 2-second tick asks of both finders.
void BM_BothFindersRefresh(benchmark::State &state)
{
    Machine machine;
    std::size_t records = 0;
    for (auto _ : state) {
        machine.accessories.refresh();
        auto internal = machine.battery.find();
        benchmark::DoNotOptimize(internal.get());
        records = machine.accessories.devices().size() + (internal ? 1 : 0);
    }
    if (records != 5)
        state.SkipWithError("expected four accessories and the battery");
}
BENCHMARK(BM_BothFindersRefresh)->Unit(benchmark::kMicrosecond);

void BM_BluetoothFinderRefresh(benchmark::State &state)
{
    Machine machine;
    for (auto _ : state) {
        machine.accessories.refresh();
        benchmark::DoNotOptimize(machine.accessories.devices().data());
    }
    if (machine.accessories.devices().size() != 4)
        state.SkipWithError("expected four accessories");
}
BENCHMARK(BM_BluetoothFinderRefresh)->Unit(benchmark::kMicrosecond);

void BM_InternalFinderFind(benchmark::State &state)
{
    Machine machine;
    bool found = false;
    for (auto _ : state) {
        auto internal = machine.battery.find();
        found = internal != nullptr;
        benchmark::DoNotOptimize(internal.get());
    }
    if (!found)
        state.SkipWithError("expected the battery");
}
BENCHMARK(BM_InternalFinderFind)->Unit(benchmark::kMicrosecond);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
