#pragma once

namespace olvane {

/// Start at login. Main thread only; every answer is read afresh from the platform, and no operation
/// reports failure: a switch shows whatever `isEnabled` reads next.
class IAutoStartController {
public:
    virtual ~IAutoStartController() = default;

    /// Whether the application currently starts at login.
    virtual bool isEnabled() const = 0;
    /// The start-up hand-over with the launcher; called once by the application right after construction.
    virtual void takeOverFromLauncher() = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
};

} // namespace olvane
