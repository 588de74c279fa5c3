#pragma once

#include "platform/desktop/workspace.h"

#include <QDBusConnection>
#include <QDBusPendingCall>

#include <optional>
#include <unordered_map>
#include <vector>

namespace platform {

/// The workspace of a Linux desktop: running applications from the process table under `procRoot`
/// (each process's `exe` link; only the processes of the user running this program, by the real uid
/// of the process's status file or else its directory's owner), applications started with a detached process, URLs opened through
/// the desktop's URL handler (xdg-open when there is no GUI application object), system-settings
/// URLs through the desktop's settings program (gnome-control-center or KDE's systemsettings).
/// Items are shown selected through the file manager's org.freedesktop.FileManager1 service on the
/// session bus when one is there; otherwise their folder is opened as a URL.
///
/// Whether an application runs is followed through the session bus, where an application that talks
/// to others is: the processes behind the bus's connections are looked at on the first question, later
/// ones as their connections appear (by the connection's process id), and each application known is
/// checked again (start time, executable) on every question, so its end is seen at once. Without a bus
/// every question reads the process table.
class LinuxWorkspace final : public Workspace {
    Q_OBJECT
public:
    explicit LinuxWorkspace(QString procRoot = QStringLiteral("/proc"), QObject *parent = nullptr);
    /// The file manager is looked for on `bus` in place of the session bus.
    LinuxWorkspace(QString procRoot, QDBusConnection bus, QObject *parent = nullptr);

    /// Follows sleep and wake through logind's PrepareForSleep signal on `systemBus` (the constructors
    /// follow the system bus): willSleep before the computer sleeps, didWake after it woke.
    void watchSleep(QDBusConnection systemBus);

    QList<RunningApplication> runningApplications() const override;
    bool isApplicationRunning(const QString &bundleIdentifier) override;
    void openApplication(const QString &bundlePath, Completion done = {}) override;
    void openUrl(const QUrl &url, Completion done = {}) override;
    void selectFile(const QString &path, const QString &rootPath, Completion done = {}) override;

private slots:
    void prepareForSleep(bool sleeping);
    void nameOwnerChanged(const QString &name, const QString &oldOwner, const QString &newOwner);

private:
    void complete(Completion done, bool ok);
    bool openSettings(const QUrl &url);

    // What one process was when last looked at.
    struct Process {
        quint64 startTime = 0;
        uint uid = 0;
        int looks = 0;
        std::optional<RunningApplication> application;
    };
    std::optional<Process> examine(qint64 pid) const;
    /// Whether the application process remembered under `pid` is still that one (same start, same executable).
    bool isStill(qint64 pid, const Process &process) const;
    /// Takes in the answers about new bus connections: all of them, or (`wait` false) those already in.
    void takeNewClients(bool wait);
    /// Asks the bus for the process behind a connection; takeNewClients() takes the answer in.
    void askProcessOf(const QString &connection);

    enum class Following { notYet, bus, processTable };

    QString m_procRoot;
    QDBusConnection m_bus;
    uint m_uid;
    mutable std::unordered_map<qint64, Process> m_processes;
    Following m_following = Following::notYet;
    // Process ids asked of the bus for connections that appeared, and the application processes known.
    std::vector<QDBusPendingCall> m_newClients;
    std::unordered_map<qint64, Process> m_applications;
};

} // namespace platform
