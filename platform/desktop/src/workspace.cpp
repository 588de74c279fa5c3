#include "platform/desktop/workspace.h"

#include "platform/desktop/fileicons.h"
#include "platform/desktop/linuxworkspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>
#include <signal.h>

namespace platform {

namespace {
    Workspace *s_installed = nullptr;
    QPointer<Workspace> s_default;
    std::optional<QString> s_applicationsFolder;
}

Workspace::Workspace(QObject *parent)
    : QObject(parent)
{
}

Workspace &Workspace::current()
{
    if (s_installed)
        return *s_installed;
    if (!s_default)
        s_default = new LinuxWorkspace(QStringLiteral("/proc"), QCoreApplication::instance());
    return *s_default;
}

bool Workspace::isApplicationRunning(const QString &bundleIdentifier)
{
    const QList<RunningApplication> running = runningApplications();
    return std::any_of(running.begin(), running.end(),
        [&](const RunningApplication &app) { return app.bundleIdentifier == bundleIdentifier; });
}

ui::Image Workspace::iconForFile(const QString &path) { return FileIcons::iconForFile(path); }

ui::Image Workspace::iconForContentType(const QString &typeIdentifier)
{
    return FileIcons::iconForContentType(typeIdentifier);
}

bool Workspace::terminate(const RunningApplication &application)
{
    return application.processIdentifier > 0 && ::kill(pid_t(application.processIdentifier), SIGTERM) == 0;
}

QStringList Workspace::processNames() const
{
    QList<qint64> ids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool ok = false;
        const qint64 id = entry.toLongLong(&ok);
        if (ok && id > 0)
            ids << id;
    }
    std::sort(ids.begin(), ids.end());
    QStringList names;
    for (qint64 id : ids) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(id));
        if (!comm.open(QIODevice::ReadOnly))
            continue; // the process has ended meanwhile
        QByteArray name = comm.readAll();
        if (name.endsWith('\n'))
            name.chop(1);
        names << QString::fromUtf8(name);
    }
    return names;
}

QString Workspace::applicationsFolder()
{
    if (s_applicationsFolder)
        return *s_applicationsFolder;
    const QString fromEnvironment = qEnvironmentVariable("QUENBY_APPLICATIONS_FOLDER");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
    return QDir::homePath() + QStringLiteral("/Applications");
}

void Workspace::setApplicationsFolder(const QString &path)
{
    if (path.isEmpty())
        s_applicationsFolder.reset();
    else
        s_applicationsFolder = QDir::cleanPath(path);
}

ScopedWorkspace::ScopedWorkspace(Workspace &workspace)
    : m_previous(s_installed)
{
    s_installed = &workspace;
}

ScopedWorkspace::~ScopedWorkspace() { s_installed = m_previous; }

ScopedApplicationsFolder::ScopedApplicationsFolder(const QString &path)
    : m_previous(s_applicationsFolder)
{
    s_applicationsFolder = QDir::cleanPath(path);
}

ScopedApplicationsFolder::~ScopedApplicationsFolder() { s_applicationsFolder = m_previous; }

} // namespace platform
