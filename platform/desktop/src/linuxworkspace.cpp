#include "platform/desktop/linuxworkspace.h"

#include "applicationbundle_p.h"
#include "settingspages_p.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
    // The kernel's text for the executable link of a process whose file was replaced or removed.
    const QString kDeleted = QStringLiteral(" (deleted)");

    // The start time of a process in clock ticks since boot (field 22 of its stat file); 0 when the file
    // cannot be read. The command name in field 2 may hold spaces and parentheses: counting starts
    // after its closing parenthesis.
    quint64 startTime(const QString &processDir)
    {
        QFile file(processDir + QStringLiteral("/stat"));
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray text = file.read(1024);
        const qsizetype close = text.lastIndexOf(')');
        if (close < 0)
            return 0;
        const QList<QByteArray> fields = text.mid(close + 2).split(' ');
        // Fields after the name start at 3 (state): the start time is the 20th of them.
        return fields.size() > 19 ? fields.at(19).toULongLong() : 0;
    }

    // The real user of a process: the "Uid:" line of its status file, else the owner of its directory.
    uint ownerOf(const QString &processDir, uint directoryOwner)
    {
        QFile file(processDir + QStringLiteral("/status"));
        if (!file.open(QIODevice::ReadOnly))
            return directoryOwner;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine(256);
            if (!line.startsWith("Uid:"))
                continue;
            bool ok = false;
            const uint uid = line.mid(4).simplified().split(' ').value(0).toUInt(&ok);
            return ok ? uid : directoryOwner;
        }
        return directoryOwner;
    }

    std::optional<QString> readLink(const QString &path)
    {
        const QByteArray encoded = QFile::encodeName(path);
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(encoded.constData(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer)
            return std::nullopt;
        return QFile::decodeName(QByteArray(buffer, static_cast<qsizetype>(length)));
    }

    // Started processes get no share of our terminal or pipes, as an application opened from the
    // desktop would not.
    bool startDetached(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(QDir::homePath());
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        return process.startDetached();
    }
}

LinuxWorkspace::LinuxWorkspace(QString procRoot, QObject *parent)
    : LinuxWorkspace(std::move(procRoot), QDBusConnection::sessionBus(), parent)
{
}

LinuxWorkspace::LinuxWorkspace(QString procRoot, QDBusConnection bus, QObject *parent)
    : Workspace(parent)
    , m_procRoot(std::move(procRoot))
    , m_bus(std::move(bus))
    , m_uid(::getuid())
{
    watchSleep(QDBusConnection::systemBus());
}

void LinuxWorkspace::watchSleep(QDBusConnection systemBus)
{
    // Without a system bus or logind there is simply nothing to hear.
    systemBus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(prepareForSleep(bool)));
}

void LinuxWorkspace::prepareForSleep(bool sleeping)
{
    if (sleeping)
        emit willSleep();
    else
        emit didWake();
}

std::optional<LinuxWorkspace::Process> LinuxWorkspace::examine(qint64 pid) const
{
    const QString dir = m_procRoot + QLatin1Char('/') + QString::number(pid);
    const QByteArray encoded = QFile::encodeName(dir);
    struct stat info {};
    if (::stat(encoded.constData(), &info) != 0)
        return std::nullopt; // gone already
    Process process;
    process.startTime = startTime(dir);
    process.uid = ownerOf(dir, info.st_uid);
    if (process.uid != m_uid)
        return process; // another user's: never listed, never looked into
    // Kernel threads have no readable link.
    std::optional<QString> executable = readLink(dir + QStringLiteral("/exe"));
    if (!executable)
        return process;
    if (executable->endsWith(kDeleted))
        executable->chop(kDeleted.size());
    const std::optional<QString> bundle = detail::bundleOfExecutable(*executable);
    if (!bundle)
        return process;
    RunningApplication app;
    app.processIdentifier = pid;
    app.bundlePath = *bundle;
    app.executablePath = *executable;
    if (const auto plist = detail::infoDictionary(*bundle)) {
        if (const auto found = plist->find(QStringLiteral("CFBundleIdentifier")); found != plist->end())
            app.bundleIdentifier = found->second.toString();
    }
    process.application = std::move(app);
    return process;
}

bool LinuxWorkspace::isStill(qint64 pid, const Process &process) const
{
    const QString dir = m_procRoot + QLatin1Char('/') + QString::number(pid);
    if (startTime(dir) != process.startTime)
        return false;
    std::optional<QString> executable = readLink(dir + QStringLiteral("/exe"));
    if (executable && executable->endsWith(kDeleted))
        executable->chop(kDeleted.size());
    return executable && process.application && *executable == process.application->executablePath;
}

QList<RunningApplication> LinuxWorkspace::runningApplications() const
{
    const QStringList entries = QDir(m_procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::vector<qint64> pids;
    pids.reserve(entries.size());
    for (const QString &entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (numeric && pid > 0)
            pids.push_back(pid);
    }
    std::sort(pids.begin(), pids.end());

    // Processes are remembered by pid and start time: a tick lists the table and looks only at
    // processes it has not seen. A process is looked at twice before it is settled, so one caught
    // between fork and exec (or in a starter script that execs) is seen as what it becomes; the few
    // that are applications are checked on every call, so a reused pid or an exec never keeps an old
    // answer.
    std::unordered_map<qint64, Process> seen;
    seen.reserve(pids.size());
    QList<RunningApplication> result;
    for (qint64 pid : pids) {
        const auto known = m_processes.find(pid);
        std::optional<Process> process;
        if (known != m_processes.end() && known->second.looks >= 2 && !known->second.application) {
            process = known->second;
        } else if (known != m_processes.end() && known->second.application && isStill(pid, known->second)) {
            process = known->second;
        } else {
            process = examine(pid);
            if (!process)
                continue;
            if (known != m_processes.end() && known->second.startTime == process->startTime)
                process->looks = known->second.looks + 1;
            else
                process->looks = 1;
        }
        if (process->application && process->uid == m_uid)
            result.append(*process->application);
        seen.emplace(pid, std::move(*process));
    }
    m_processes = std::move(seen);
    return result;
}

bool LinuxWorkspace::isApplicationRunning(const QString &bundleIdentifier)
{
    if (m_following == Following::notYet) {
        // Listen first, then ask for the connections there are: one connecting in between is heard, not missed.
        const bool listening = m_bus.isConnected() && m_bus.interface()
            && m_bus.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                SLOT(nameOwnerChanged(QString, QString, QString)));
        const QDBusReply<QStringList> names = listening ? m_bus.interface()->registeredServiceNames()
                                                        : QDBusReply<QStringList>();
        m_following = listening && names.isValid() ? Following::bus : Following::processTable;
        if (m_following == Following::bus) {
            for (const QString &name : names.value()) {
                if (name.startsWith(QLatin1Char(':')))
                    askProcessOf(name);
            }
        }
    }
    if (m_following == Following::processTable)
        return Workspace::isApplicationRunning(bundleIdentifier);

    takeNewClients(true);
    bool running = false;
    const qint64 self = ::getpid();
    for (auto it = m_applications.begin(); it != m_applications.end();) {
        // This process is what it was as long as it asks (in a table of our own, its pid is another's).
        const bool thisProcess = it->first == self && m_procRoot == QLatin1String("/proc");
        if (!thisProcess && !isStill(it->first, it->second)) {
            it = m_applications.erase(it);
            continue;
        }
        running = running || it->second.application->bundleIdentifier == bundleIdentifier;
        ++it;
    }
    return running;
}

void LinuxWorkspace::nameOwnerChanged(const QString &name, const QString &oldOwner, const QString &newOwner)
{
    // A connection's unique name (":1.42") is owned by the connection itself from its start.
    if (m_following != Following::bus || !name.startsWith(QLatin1Char(':')) || !oldOwner.isEmpty() || newOwner != name)
        return;
    askProcessOf(name);
    // Many connections between two questions: take in what has arrived so the list stays short.
    if (m_newClients.size() >= 32)
        takeNewClients(false);
}

void LinuxWorkspace::askProcessOf(const QString &connection)
{
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("GetConnectionUnixProcessID"));
    ask << connection;
    m_newClients.push_back(m_bus.asyncCall(ask));
}

void LinuxWorkspace::takeNewClients(bool wait)
{
    std::vector<QDBusPendingCall> waiting;
    for (QDBusPendingCall &call : m_newClients) {
        if (wait)
            call.waitForFinished();
        if (!call.isFinished()) {
            waiting.push_back(std::move(call));
            continue;
        }
        // A connection that left before the answer has no process to look at.
        const QDBusMessage reply = call.reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            continue;
        bool ok = false;
        const qint64 pid = reply.arguments().constFirst().toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        // A second connection of an application known; else a new process, perhaps under a used pid.
        const auto known = m_applications.find(pid);
        if (known != m_applications.end() && isStill(pid, known->second))
            continue;
        std::optional<Process> process = examine(pid);
        if (process && process->application && process->uid == m_uid)
            m_applications.insert_or_assign(pid, std::move(*process));
        else if (known != m_applications.end())
            m_applications.erase(known);
    }
    m_newClients = std::move(waiting);
}

void LinuxWorkspace::openApplication(const QString &bundlePath, Completion done)
{
    const QString bundle = QFileInfo(bundlePath).canonicalFilePath();
    if (bundle.isEmpty() || !QFileInfo(bundle).isDir()) {
        complete(std::move(done), false);
        return;
    }
    const QList<RunningApplication> running = runningApplications();
    if (std::any_of(
            running.begin(), running.end(), [&](const RunningApplication &app) { return app.bundlePath == bundle; })) {
        complete(std::move(done), true);
        return;
    }
    const auto info = detail::infoDictionary(bundle);
    std::optional<QString> name;
    if (info) {
        if (const auto found = info->find(QStringLiteral("CFBundleExecutable")); found != info->end())
            name = found->second.toString();
    }
    // The executable's name comes from a file anyone may have written: it must stay inside MacOS/.
    if (!name || name->isEmpty() || name->contains(QLatin1Char('/')) || *name == QLatin1String("..")) {
        complete(std::move(done), false);
        return;
    }
    const QFileInfo executable(bundle + QStringLiteral("/Contents/MacOS/") + *name);
    const bool ok = executable.isFile() && executable.isExecutable() && startDetached(executable.filePath(), {});
    complete(std::move(done), ok);
}

void LinuxWorkspace::openUrl(const QUrl &url, Completion done)
{
    bool ok = false;
    if (settingspages::isSettingsUrl(url)) {
        ok = openSettings(url);
    } else if (url.isValid() && !url.isEmpty()) {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            ok = QDesktopServices::openUrl(url);
        else
            ok = startDetached(QStringLiteral("xdg-open"), { url.toString(QUrl::FullyEncoded) });
    }
    complete(std::move(done), ok);
}

bool LinuxWorkspace::openSettings(const QUrl &url)
{
    const std::optional<QString> page = settingspages::pageFor(url);
    if (!page)
        return false;
    const bool kde = qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"), Qt::CaseInsensitive);
    QList<settingspages::Desktop> order { settingspages::Desktop::Gnome, settingspages::Desktop::Kde };
    if (kde)
        std::reverse(order.begin(), order.end());
    for (const settingspages::Desktop desktop : order) {
        const std::optional<QStringList> command = settingspages::commandFor(*page, desktop);
        if (!command)
            continue;
        const QString program = QStandardPaths::findExecutable(command->first());
        if (program.isEmpty())
            continue;
        return startDetached(program, command->mid(1));
    }
    return false;
}

void LinuxWorkspace::selectFile(const QString &path, const QString &rootPath, Completion done)
{
    const QString item = path.isEmpty() ? rootPath : path;
    if (item.isEmpty() || !QFileInfo::exists(item)) {
        complete(std::move(done), false);
        return;
    }
    const QString folder = path.isEmpty() || rootPath.isEmpty() ? QFileInfo(item).absolutePath() : rootPath;
    const QString fileManager = QStringLiteral("org.freedesktop.FileManager1");
    const bool present = m_bus.isConnected() && m_bus.interface()
        && (m_bus.interface()->isServiceRegistered(fileManager).value()
            || m_bus.interface()->activatableServiceNames().value().contains(fileManager));
    if (!present) {
        // Without a file manager service the folder is opened; selecting inside it is up to the user.
        openUrl(QUrl::fromLocalFile(path.isEmpty() ? item : folder), std::move(done));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        fileManager, QStringLiteral("/org/freedesktop/FileManager1"), fileManager, QStringLiteral("ShowItems"));
    call << QStringList { QUrl::fromLocalFile(QFileInfo(item).absoluteFilePath()).toString(QUrl::FullyEncoded) }
         << QString();
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this, done = std::move(done)](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            complete(done, !w->isError());
        });
}

void LinuxWorkspace::complete(Completion done, bool ok)
{
    if (!done)
        return;
    QMetaObject::invokeMethod(
        this, [done = std::move(done), ok] { done(ok); }, Qt::QueuedConnection);
}

} // namespace platform
