#include "olvane/apprunnermonitor.h"

#include "platform/core/timer.h"
#include "platform/desktop/workspace.h"

#include <QSet>

#include <chrono>

namespace olvane {

AppRunnerMonitor::AppRunnerMonitor(QStringList watched, double seconds)
    : identifiers(std::move(watched))
    , interval(seconds)
{
}

AppRunnerMonitor::~AppRunnerMonitor() = default;

void AppRunnerMonitor::start()
{
    if (m_timer)
        return;
    const auto period = std::chrono::milliseconds(qint64(interval * 1000.0));
    m_timer = platform::Timer::scheduled(period, true, [this] { refresh(); });
}

void AppRunnerMonitor::stop()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
}

void AppRunnerMonitor::refresh()
{
    QSet<QString> running;
    for (const platform::RunningApplication &app : platform::Workspace::current().runningApplications()) {
        if (app.bundleIdentifier)
            running.insert(*app.bundleIdentifier);
    }
    for (const QString &identifier : identifiers) {
        if (const std::shared_ptr<AppRunnerMonitorDelegate> told = delegate.lock())
            told->appRunningStateChecked(identifier, running.contains(identifier));
    }
}

} // namespace olvane
