// Redrawing all status items on the demo desk (its accessories and the computer's battery): what every
// 2-second tick costs once the devices are known. Each app mode, with one item per device and with
// the combined item. A redraw hands every view its current record and renders every item's picture,
// as the status bar's presenter does when the items change.
#include "../mac-services/tests/quietautostart.h"
#include "benchmain.h"

#include <olvane/iautostartcontroller.h>
#include <olvane/imenubaritemcontroller.h>
#include <olvane/menubaritem.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/memorydistributednotificationcenter.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/statusitem.h>
#include <quenby/appdelegate.h>
#include <quenby/appnotifications.h>
#include <quenby/controller.h>
#include <quenby/settings.h>
#include <quenby/simulatedmachine.h>
#include <tavrin/notifications.h>

#include <QApplication>

#include <benchmark/benchmark.h>

using olvane::QuietAutoStart;

namespace {

const QString kDesk = QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json");

struct Desk {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::MemoryDistributedNotificationCenter distributed;
    platform::ScopedDistributedNotificationCenter useDistributed { distributed };
    platform::ui::StatusBar bar;
    platform::ui::ScopedStatusBar useBar { bar };
    quenby::SimulatedMachine machine { kDesk };
    std::unique_ptr<quenby::AppDelegate> delegate;

    Desk(int mode, bool singleItem)
    {
        platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kWasStartedKey), true);
        quenby::Settings::reload();
        quenby::Settings::setAppMode(mode);
        quenby::Settings::setSingleItem(singleItem);
        auto parts = machine.collaborators();
        parts.autoStart = std::make_unique<QuietAutoStart>();
        delegate = std::make_unique<quenby::AppDelegate>(std::make_unique<quenby::Controller>(std::move(parts)));
        delegate->applicationDidFinishLaunching();
        // The Low Energy answers arrive from the event loop; the next ticks take them in.
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            delegate->refresh();
        }
        delegate->applicationWillTerminate();
    }
    ~Desk() { quenby::Settings::reload(); }

    std::size_t devices() const { return delegate->controller().model().devices().size(); }

    void redraw()
    {
        for (const auto &item : delegate->controller().menuBar().items()) {
            delegate->updateViews(*item);
            benchmark::DoNotOptimize(item->item()->picture(2.0));
        }
    }
};

void BM_RedrawAllStatusItems(benchmark::State &state)
{
    Desk desk(int(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        desk.redraw();
    state.counters["items"] = double(desk.delegate->controller().menuBar().count());
    state.counters["devices"] = double(desk.devices());
    if (desk.devices() < 5)
        state.SkipWithError("the demo desk's devices did not all arrive");
}
BENCHMARK(BM_RedrawAllStatusItems)
    ->ArgNames({ "mode", "single" })
    ->ArgsProduct({ { 0, 1, 2, 3 }, { 0, 1 } })
    ->Unit(benchmark::kMicrosecond);

// One whole tick with unchanged devices: the controller's refresh, then the redraw.
void BM_RefreshTick(benchmark::State &state)
{
    Desk desk(int(state.range(0)), false);
    for (auto _ : state) {
        desk.delegate->refresh();
        for (const auto &item : desk.delegate->controller().menuBar().items())
            benchmark::DoNotOptimize(item->item()->picture(2.0));
    }
    if (desk.devices() < 5)
        state.SkipWithError("the demo desk's devices did not all arrive");
}
BENCHMARK(BM_RefreshTick)->ArgName("mode")->Arg(0)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks<QApplication>(argc, argv); }
