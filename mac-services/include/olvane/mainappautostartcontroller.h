#pragma once

#include "olvane/iautostartcontroller.h"
#include "platform/desktop/loginservice.h"

#include <QString>

#include <optional>

namespace olvane {

/// Start at login through the application's own login service; the launcher is not used. A launcher
/// login item left switched on by an older version is moved over once, by `takeOverFromLauncher`.
class MainAppAutoStartController final : public IAutoStartController {
public:
    /// `starterIdentifier`: the launcher whose old login item is to be moved over (none: nothing to move).
    /// `mainItem`: the service switched by `setEnabled`, `enable` and `disable`.
    MainAppAutoStartController(std::optional<QString> starterIdentifier, platform::LoginService mainItem);
    explicit MainAppAutoStartController(platform::LoginService mainItem);

    /// Whether the application's own service (asked afresh, whatever `mainItem` is) is enabled.
    bool isEnabled() const override;
    /// When the launcher's login item is enabled: unregisters it, then registers the application's
    /// service (even when unregistering failed). Errors are dropped.
    void takeOverFromLauncher() override;
    /// While `mainItem` waits for the user's approval, only shows where to give it; otherwise registers
    /// or unregisters `mainItem`.
    void setEnabled(bool enabled) override;
    /// Register and unregister `mainItem` without looking at approval.
    void enable() override;
    void disable() override;

    platform::LoginService mainItem() const { return m_mainItem; }
    void setMainItem(platform::LoginService item) { m_mainItem = std::move(item); }
    std::optional<QString> starterIdentifier() const { return m_starterIdentifier; }

private:
    const std::optional<QString> m_starterIdentifier;
    platform::LoginService m_mainItem;
};

} // namespace olvane
