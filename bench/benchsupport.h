#pragma once
// Pieces the application benchmarks share: draining the simulated central and a login-item
// controller that does nothing, so a benchmark never touches the user's autostart folder.
#include <olvane/iautostartcontroller.h>
#include <platform/bluetooth/memorycentral.h>

#include <QCoreApplication>

namespace bench {

// Runs the event loop until the simulated central has answered everything it was asked.
inline void drain(const platform::MemoryCentral &central)
{
    do
        QCoreApplication::processEvents();
    while (!central.isIdle());
}

class NoAutoStart final : public olvane::IAutoStartController {
public:
    bool isEnabled() const override { return false; }
    void takeOverFromLauncher() override { }
    void setEnabled(bool) override { }
    void enable() override { }
    void disable() override { }
};

} // namespace bench
