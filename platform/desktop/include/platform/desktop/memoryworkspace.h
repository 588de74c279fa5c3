#pragma once

#include "platform/desktop/workspace.h"

#include <QStringList>

#include <utility>

namespace platform {

/// A scripted workspace for tests: the running applications are whatever the test sets, and
/// openings are recorded, not performed. Completions arrive through the event loop.
class MemoryWorkspace final : public Workspace {
    Q_OBJECT
public:
    explicit MemoryWorkspace(QObject *parent = nullptr);

    QList<RunningApplication> runningApplications() const override { return m_running; }
    void openApplication(const QString &bundlePath, Completion done = {}) override;
    void openUrl(const QUrl &url, Completion done = {}) override;
    void selectFile(const QString &path, const QString &rootPath, Completion done = {}) override;

    /// A new blank 32-point image per call; the path is recorded.
    ui::Image iconForFile(const QString &path) override;
    const QStringList &iconRequests() const { return m_iconRequests; }
    /// The same for content types: "type:" and the identifier are recorded in iconRequests().
    ui::Image iconForContentType(const QString &typeIdentifier) override;

    /// Records the request; a delivered request removes the application from the running list.
    bool terminate(const RunningApplication &application) override;
    QStringList processNames() const override { return m_processNames; }
    void setProcessNames(const QStringList &names) { m_processNames = names; }
    void setTerminateFails(bool fails) { m_terminateFails = fails; }
    const QList<qint64> &terminated() const { return m_terminated; }

    void setRunningApplications(const QList<RunningApplication> &applications) { m_running = applications; }
    /// Every bundle path and URL asked to open, oldest first.
    const QStringList &openedApplications() const { return m_openedApplications; }
    const QList<QUrl> &openedUrls() const { return m_openedUrls; }
    /// Every (path, root path) asked to be shown selected, oldest first.
    const QList<std::pair<QString, QString>> &selectedFiles() const { return m_selectedFiles; }
    /// Makes later openings report failure (they are still recorded).
    void setOpenFails(bool fails) { m_openFails = fails; }

private:
    void complete(Completion done);

    QList<RunningApplication> m_running;
    QStringList m_openedApplications;
    QStringList m_iconRequests;
    QStringList m_processNames;
    QList<qint64> m_terminated;
    bool m_terminateFails = false;
    QList<QUrl> m_openedUrls;
    QList<std::pair<QString, QString>> m_selectedFiles;
    bool m_openFails = false;
};

} // namespace platform
