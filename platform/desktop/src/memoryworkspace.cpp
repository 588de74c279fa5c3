#include "platform/desktop/memoryworkspace.h"

namespace platform {

MemoryWorkspace::MemoryWorkspace(QObject *parent)
    : Workspace(parent)
{
}

void MemoryWorkspace::openApplication(const QString &bundlePath, Completion done)
{
    m_openedApplications.append(bundlePath);
    complete(std::move(done));
}

void MemoryWorkspace::openUrl(const QUrl &url, Completion done)
{
    m_openedUrls.append(url);
    complete(std::move(done));
}

ui::Image MemoryWorkspace::iconForFile(const QString &path)
{
    m_iconRequests.append(path);
    ui::Image icon;
    icon.setSize(ui::Size { 32, 32 });
    return icon;
}

void MemoryWorkspace::selectFile(const QString &path, const QString &rootPath, Completion done)
{
    m_selectedFiles.append({ path, rootPath });
    complete(std::move(done));
}

ui::Image MemoryWorkspace::iconForContentType(const QString &typeIdentifier)
{
    return iconForFile(QStringLiteral("type:") + typeIdentifier);
}

bool MemoryWorkspace::terminate(const RunningApplication &application)
{
    m_terminated.append(application.processIdentifier);
    if (m_terminateFails)
        return false;
    m_running.removeAll(application);
    return true;
}

void MemoryWorkspace::complete(Completion done)
{
    if (!done)
        return;
    QMetaObject::invokeMethod(
        this, [done = std::move(done), ok = !m_openFails] { done(ok); }, Qt::QueuedConnection);
}

} // namespace platform
