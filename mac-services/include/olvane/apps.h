#pragma once

#include "platform/desktop/workspace.h"

#include <QString>

#include <optional>

namespace olvane {

/// Questions about other applications of the session, asked of `platform::Workspace::current()`.
/// Main thread only; synchronous.
class Apps {
public:
    Apps() = delete;

    /// The first running application (in the workspace's order) whose bundle identifier is exactly `bundleIdentifier`.
    static std::optional<platform::RunningApplication> runningApplication(const QString &bundleIdentifier);
    static bool isRunning(const QString &bundleIdentifier);
};

} // namespace olvane
