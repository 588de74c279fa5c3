#pragma once
// A login-item controller that does nothing, so a test or a benchmark never touches the user's
// autostart folder.
#include <olvane/iautostartcontroller.h>

namespace olvane {

class QuietAutoStart final : public IAutoStartController {
public:
    bool isEnabled() const override { return false; }
    void takeOverFromLauncher() override { }
    void setEnabled(bool) override { }
    void enable() override { }
    void disable() override { }
};

} // namespace olvane
