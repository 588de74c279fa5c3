#include "olvane/apps.h"

namespace olvane {

std::optional<platform::RunningApplication> Apps::runningApplication(const QString &bundleIdentifier)
{
    for (const platform::RunningApplication &app : platform::Workspace::current().runningApplications()) {
        if (app.bundleIdentifier == bundleIdentifier)
            return app;
    }
    return std::nullopt;
}

bool Apps::isRunning(const QString &bundleIdentifier) { return runningApplication(bundleIdentifier).has_value(); }

} // namespace olvane
