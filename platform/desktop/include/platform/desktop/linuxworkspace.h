#pragma once

#include "platform/desktop/workspace.h"

namespace platform {

/// The workspace of a Linux desktop: running applications from the process table under `procRoot`
/// (each process's `exe` link), applications started with a detached process, URLs opened through
/// the desktop's URL handler (xdg-open when there is no GUI application object).
class LinuxWorkspace final : public Workspace {
    Q_OBJECT
public:
    explicit LinuxWorkspace(QString procRoot = QStringLiteral("/proc"), QObject *parent = nullptr);

    QList<RunningApplication> runningApplications() const override;
    void openApplication(const QString &bundlePath, Completion done = {}) override;
    void openUrl(const QUrl &url, Completion done = {}) override;

private:
    void complete(Completion done, bool ok);

    QString m_procRoot;
};

} // namespace platform
