#pragma once

#include <QStringList>

#include <memory>

namespace platform {
class Timer;
}

namespace olvane {

/// Told on every check whether a watched application runs.
class AppRunnerMonitorDelegate {
public:
    virtual ~AppRunnerMonitorDelegate() = default;
    virtual void appRunningStateChecked(const QString &bundleIdentifier, bool running) = 0;
};

/// Checks every `interval` seconds which of the watched bundle identifiers run, and tells the
/// delegate (held weakly) for each of them, changed or not. Main thread only.
class AppRunnerMonitor {
public:
    AppRunnerMonitor(QStringList identifiers, double interval);
    ~AppRunnerMonitor();

    QStringList identifiers;
    double interval;
    std::weak_ptr<AppRunnerMonitorDelegate> delegate;

    /// Starts the repeating check; nothing while it runs already.
    void start();
    void stop();
    /// The repeating timer while started.
    platform::Timer *timer() const { return m_timer.get(); }
    /// One check, as the timer makes it.
    void refresh();

private:
    std::unique_ptr<platform::Timer> m_timer;
};

} // namespace olvane
