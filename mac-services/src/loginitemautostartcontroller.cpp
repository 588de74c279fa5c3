#include "olvane/loginitemautostartcontroller.h"

#include "olvane/distributednotifications.h"
#include "platform/desktop/loginitems.h"
#include "platform/desktop/workspace.h"

#include <algorithm>

namespace olvane {

using platform::Value;

LoginItemAutoStartController::LoginItemAutoStartController(
    std::optional<QString> bundleIdentifier, QString starterIdentifier)
    : m_starterIdentifier(std::move(starterIdentifier))
    , m_bundleIdentifier(std::move(bundleIdentifier))
{
}

std::optional<JobDictionaries> LoginItemAutoStartController::jobDictionaries()
{
    const std::optional<Value> jobs = platform::LoginItems::current().jobDictionaries();
    if (!jobs || !jobs->toArray())
        return std::nullopt;
    JobDictionaries dictionaries;
    for (const Value &job : *jobs->toArray()) {
        const Value::Dictionary *dictionary = job.toDictionary();
        if (!dictionary)
            return std::nullopt;
        dictionaries.push_back(*dictionary);
    }
    return dictionaries;
}

bool LoginItemAutoStartController::isEnabled() const
{
    const auto jobs = jobDictionaries();
    if (!jobs)
        return false;
    for (const Value::Dictionary &job : *jobs) {
        const auto label = job.find(QStringLiteral("Label"));
        if (label == job.end() || !label->second.isString())
            continue;
        if (!label->second.toString()->contains(m_starterIdentifier))
            continue;
        const auto onDemand = job.find(QStringLiteral("OnDemand"));
        return onDemand != job.end() && onDemand->second.toBool().value_or(false);
    }
    return false;
}

void LoginItemAutoStartController::takeOverFromLauncher()
{
    const auto running = platform::Workspace::current().runningApplications();
    const bool launcherRuns = std::any_of(running.begin(), running.end(),
        [this](const platform::RunningApplication &app) { return app.bundleIdentifier == m_starterIdentifier; });
    if (launcherRuns)
        DistributedNotifications::post(kKillMe, m_bundleIdentifier);
}

void LoginItemAutoStartController::setEnabled(bool enabled)
{
    platform::LoginItems::current().setLoginItemEnabled(m_starterIdentifier, enabled);
}

void LoginItemAutoStartController::enable() { setEnabled(true); }

void LoginItemAutoStartController::disable() { setEnabled(false); }

} // namespace olvane
