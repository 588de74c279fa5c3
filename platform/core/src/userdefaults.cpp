#include "platform/core/userdefaults.h"

#include "platform/core/atomicfile.h"
#include "platform/core/bundle.h"
#include "platform/core/clock.h"
#include "platform/core/coding.h"
#include "platform/core/mainqueue.h"
#include "platform/core/plist.h"
#include "platform/core/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
    std::mutex s_directoryMutex;
    std::optional<QString> s_directoryOverride; // guarded by s_directoryMutex

    QString standardDomainName()
    {
        const QString identifier = Bundle::main().bundleIdentifier();
        if (!identifier.isEmpty())
            return identifier;
        if (QCoreApplication::instance())
            return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).fileName();
    }

    bool isPlainFileName(const QString &name)
    {
        return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
            && !name.contains(QChar(0));
    }

    void warn(const QString &message) { std::fprintf(stderr, "UserDefaults: %s\n", qPrintable(message)); }

    // Keeps a broken file for whoever wants to look at it, under a name no domain uses. False when it
    // stays where it is, so that nothing is written over it.
    bool moveAside(const QString &path)
    {
        const QString stamp = Clock::current().now().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
        QString target = path + QStringLiteral(".corrupt-") + stamp;
        for (int n = 2; QFileInfo::exists(target); ++n)
            target = path + QStringLiteral(".corrupt-") + stamp + u'-' + QString::number(n);
        if (QFile::rename(path, target)) {
            warn(QStringLiteral("%1 is not a readable property list; moved it to %2").arg(path, target));
            return true;
        }
        warn(QStringLiteral("%1 is not a readable property list and could not be moved aside").arg(path));
        return false;
    }

    using namespace std::chrono_literals;

    // How long a write on the GUI thread waits for another program's lock.
    constexpr auto kGuiLockWait = 100ms;
    // A file that does not parse and was modified less than kSaveWindow ago (or ahead, by a clock set
    // back) is taken to be in the middle of a save: a program saving in place leaves it empty or cut
    // short until it is done, for as long as its machine makes it wait. It is read again every
    // kSettlePause; a read waits at most kSettleLimit for it (past kSaveWindow, so that a save that
    // stopped is judged within the call), on the GUI thread in its event loop at most kGuiSettleLimit,
    // and not at all there while the last read already found it being saved. Only a file that did not
    // change for kSaveWindow is broken.
    constexpr auto kSaveWindow = 2000ms;
    constexpr auto kSettlePause = 50ms;
    constexpr auto kSettleLimit = 2500ms;
    constexpr auto kGuiSettleLimit = 100ms;
    constexpr auto kRetryInterval = 1000ms;

    enum Reported { NothingReported, ReportedFolder, ReportedBusy, ReportedWrite };

    // The stored values with the changes applied; `changed` tells whether that changed anything.
    Value::Dictionary applied(const std::map<QString, UserDefaults::Edit> &changes, Value::Dictionary values,
        bool *changed = nullptr)
    {
        bool any = false;
        for (const auto &[key, edit] : changes) {
            auto it = values.find(key);
            const std::optional<Value> stored = it == values.end() ? std::nullopt : std::optional<Value>(it->second);
            std::optional<Value> value = edit(stored);
            if (value && value->isNull())
                value.reset(); // a null value removes, as with set
            if (!value) {
                if (it != values.end()) {
                    values.erase(it);
                    any = true;
                }
            } else if (it == values.end()) {
                values.emplace(key, std::move(*value));
                any = true;
            } else if (!(it->second == *value)) {
                it->second = std::move(*value);
                any = true;
            }
        }
        if (changed)
            *changed = any;
        return values;
    }

    bool onGuiThread()
    {
        const QCoreApplication *app = QCoreApplication::instance();
        return app && app->inherits("QGuiApplication") && QThread::currentThread() == app->thread();
    }

    // Before its event loop runs, the GUI thread reads the settings the program starts with and blocks
    // nothing by waiting for them.
    bool inGuiEventLoop() { return onGuiThread() && QThread::currentThread()->loopLevel() > 0; }

    // File times are the real time of the machine, whatever clock the program's own times come from.
    bool modifiedRecently(qint64 mtimeNs)
    {
        const qint64 nowNs
            = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
                  .count();
        const qint64 window = std::chrono::duration_cast<std::chrono::nanoseconds>(kSaveWindow).count();
        return std::abs(nowNs - mtimeNs) < window;
    }

    // An exclusive advisory lock on a domain's lock file for one read-modify-write. Every writer of
    // the domain, in this process or another, takes it; readers do not need it, as writes are atomic.
    // Without a wait it blocks until the lock is had; with one it gives up after that long (`busy()`).
    class DomainLock {
    public:
        DomainLock(const QString &path, std::optional<std::chrono::milliseconds> wait)
            : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
        {
            if (m_fd < 0) {
                warn(QStringLiteral("cannot open the lock file %1: %2; writing without it")
                         .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
                return;
            }
            const auto deadline = std::chrono::steady_clock::now() + wait.value_or(0ms);
            auto pause = 1ms;
            while (::flock(m_fd, wait ? LOCK_EX | LOCK_NB : LOCK_EX) != 0) {
                if (errno == EINTR)
                    continue;
                if (errno != EWOULDBLOCK) {
                    warn(QStringLiteral("cannot lock %1: %2; writing without it")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
                    break;
                }
                if (std::chrono::steady_clock::now() >= deadline) {
                    m_busy = true;
                    break;
                }
                std::this_thread::sleep_for(pause);
                pause = std::min<std::chrono::milliseconds>(pause * 2, 8ms);
            }
        }
        ~DomainLock()
        {
            if (m_fd >= 0)
                ::close(m_fd); // releases the lock
        }
        DomainLock(const DomainLock &) = delete;
        DomainLock &operator=(const DomainLock &) = delete;

        bool busy() const { return m_busy; }

    private:
        int m_fd;
        bool m_busy = false;
    };

    UserDefaults::Edit constant(std::optional<Value> value)
    {
        return [value = std::move(value)](const std::optional<Value> &) { return value; };
    }

    std::optional<std::int64_t> integerFromText(const QString &text)
    {
        bool ok = false;
        const qlonglong i = text.trimmed().toLongLong(&ok);
        if (ok)
            return i;
        const double d = text.trimmed().toDouble(&ok);
        if (ok && std::isfinite(d) && std::abs(d) < 9.2e18)
            return static_cast<std::int64_t>(d);
        return std::nullopt;
    }
}

UserDefaults::UserDefaults(QString domain)
    : m_domain(std::move(domain))
{
}

UserDefaults &UserDefaults::standard()
{
    static UserDefaults defaults(standardDomainName());
    return defaults;
}

std::shared_ptr<UserDefaults> UserDefaults::suite(const QString &name)
{
    if (!isPlainFileName(name) || name == standard().domain())
        return nullptr;
    if (!QDir().mkpath(directory()))
        return nullptr;
    return std::make_shared<UserDefaults>(name);
}

QString UserDefaults::directory()
{
    {
        std::lock_guard lock(s_directoryMutex);
        if (s_directoryOverride)
            return *s_directoryOverride;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quenby");
}

QString UserDefaults::filePath() const { return directory() + u'/' + m_domain + QStringLiteral(".plist"); }

bool UserDefaults::refresh(bool force) const
{
    // Another directory (tests move every domain) is another file: nothing read or kept carries over.
    const QString path = filePath();
    if (path != m_loadedPath) {
        m_loadedPath = path;
        m_stamp.reset();
        m_disk.clear();
        m_values.clear();
        m_pending.clear();
        m_unreadable = false;
        m_lockBusy = false;
        m_beingSaved = false;
    }

    // The rename of an atomic write gives a new inode, so two writes of the same size within one
    // timestamp tick still differ.
    const auto stampNow = [&] {
        Stamp now;
        struct stat st { };
        if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
            now.device = st.st_dev;
            now.inode = st.st_ino;
            now.size = st.st_size;
            now.mtimeNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        }
        return now;
    };
    Stamp now = stampNow();
    if (!force && m_stamp && *m_stamp == now)
        return true;

    const auto unreadable = [&](const QString &reason) {
        if (!m_unreadable)
            warn(QStringLiteral("cannot read %1: %2; it is left as it is, and changes are kept in memory until it "
                                "can be read")
                     .arg(path, reason));
        m_unreadable = true;
        m_stamp.reset();
        // What was read last stays, with the changes over it.
        m_values = applied(m_pending, m_disk);
        return false;
    };

    Value::Dictionary disk;
    std::chrono::milliseconds limit = kSettleLimit;
    if (inGuiEventLoop())
        limit = m_beingSaved ? 0ms : kGuiSettleLimit;
    const auto started = std::chrono::steady_clock::now();
    for (;;) {
        const RegularFileRead read = readRegularFile(path);
        if (read.status == RegularFileRead::Status::Failed)
            return unreadable(read.error);
        if (read.status == RegularFileRead::Status::Absent)
            break;
        try {
            Value value = plist::parse(read.bytes);
            if (auto *dict = value.toDictionary()) {
                disk = std::move(*dict);
                break;
            }
        } catch (const DecodingError &) {
        }
        // The same stamp before and after the read: these bytes are the file as it was last modified.
        if (stampNow() == now && !modifiedRecently(now.mtimeNs)) {
            if (!moveAside(path))
                return unreadable(QStringLiteral("not a property list holding a dictionary"));
            now = Stamp {}; // the file is gone now
            break;
        }
        const auto waited = std::chrono::steady_clock::now() - started;
        if (waited >= limit) {
            m_beingSaved = true;
            return unreadable(QStringLiteral("it is being saved and does not parse yet"));
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSettlePause, limit - waited));
        now = stampNow();
    }
    m_beingSaved = false;
    m_unreadable = false;
    m_stamp = now;
    m_disk = std::move(disk);
    m_values = applied(m_pending, m_disk, &m_pendingChangesFile);
    return true;
}

void UserDefaults::readLocked() const
{
    const bool waiting = m_unreadable && !m_pending.empty();
    if (refresh() && waiting)
        commit(); // the file can be read again: the changes kept meanwhile go to it now
}

void UserDefaults::change(const QString &key, Edit edit, bool replaces)
{
    refresh(); // follows a moved directory before the change is noted
    auto &pending = m_pending[key];
    pending = pending && !replaces ? [first = std::move(pending), second = std::move(edit)](
                            const std::optional<Value> &stored) { return second(first(stored)); }
                      : std::move(edit);
    // Kept in memory whether or not it reaches the file.
    m_values = applied(m_pending, m_disk);
    commit();
}

void UserDefaults::reportOnce(int kind, const QString &message) const
{
    if (m_reported == kind)
        return;
    m_reported = kind;
    warn(message);
}

void UserDefaults::scheduleRetry() const
{
    if (m_retryScheduled || !QCoreApplication::instance())
        return;
    m_retryScheduled = true;
    MainQueue::asyncAfter(kRetryInterval, [this, alive = std::weak_ptr<bool>(m_alive)] {
        if (alive.expired())
            return;
        std::lock_guard lock(m_mutex);
        m_retryScheduled = false;
        commit();
    });
}

bool UserDefaults::commit(std::optional<std::chrono::milliseconds> lockWait) const
{
    if (m_pending.empty())
        return true;
    const QString path = filePath();
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        reportOnce(ReportedFolder,
            QStringLiteral("cannot create the folder of %1; changes are kept in memory and written later").arg(path));
        scheduleRetry();
        return false;
    }
    if (!lockWait && onGuiThread())
        lockWait = m_lockBusy ? 0ms : kGuiLockWait;
    const DomainLock lock(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock"), lockWait);
    m_lockBusy = lock.busy();
    if (m_lockBusy) {
        reportOnce(ReportedBusy,
            QStringLiteral("%1 is locked by another program; changes are kept in memory and written once it is free")
                .arg(path));
        scheduleRetry();
        return false;
    }
    // Under the lock, the file as another writer left it, with only our changes merged in.
    if (!refresh(true)) {
        scheduleRetry();
        return false;
    }
    if (!m_pendingChangesFile) {
        m_pending.clear(); // the file holds them already
        return true;
    }
    const FileWriteResult written = writeFileAtomically(path, plist::serialize(Value(m_values), plist::Format::Xml));
    if (!written) {
        reportOnce(ReportedWrite,
            written.error + QStringLiteral("; the file is left as it was, and changes are kept in memory and written "
                                           "with the next write that succeeds"));
        scheduleRetry();
        return false;
    }
    if (m_reported != NothingReported)
        warn(QStringLiteral("%1 holds the changes kept in memory now").arg(path));
    m_reported = NothingReported;
    m_pending.clear();
    m_disk = m_values;
    // Our own file is read back on the next access; cheaper than racing another writer for the stamp.
    m_stamp.reset();
    return true;
}

bool UserDefaults::synchronize(std::chrono::milliseconds lockWait)
{
    std::lock_guard lock(m_mutex);
    refresh();
    return commit(lockWait);
}

std::optional<Value> UserDefaults::value(const QString &key) const
{
    std::lock_guard lock(m_mutex);
    readLocked();
    auto it = m_values.find(key);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void UserDefaults::set(const QString &key, const Value &value)
{
    if (value.isNull()) {
        remove(key);
        return;
    }
    std::lock_guard lock(m_mutex);
    change(key, constant(value), true);
}

void UserDefaults::remove(const QString &key)
{
    std::lock_guard lock(m_mutex);
    change(key, constant(std::nullopt), true);
}

void UserDefaults::update(const QString &key, Edit edit)
{
    std::lock_guard lock(m_mutex);
    change(key, std::move(edit), false);
}

Value::Dictionary UserDefaults::dictionaryRepresentation() const
{
    std::lock_guard lock(m_mutex);
    readLocked();
    return m_values;
}

bool UserDefaults::boolean(const QString &key) const
{
    const auto v = value(key);
    if (!v)
        return false;
    if (v->isNumber())
        return v->toDouble().value_or(0) != 0;
    if (auto text = v->toString()) {
        const QString t = text->trimmed().toLower();
        return t == QLatin1String("yes") || t == QLatin1String("true") || t == QLatin1String("1");
    }
    return false;
}

std::int64_t UserDefaults::integer(const QString &key) const
{
    const auto v = value(key);
    if (!v)
        return 0;
    if (v->isNumber())
        return v->toTruncated<std::int64_t>().value_or(0);
    if (auto text = v->toString())
        return integerFromText(*text).value_or(0);
    return 0;
}

double UserDefaults::real(const QString &key) const
{
    const auto v = value(key);
    if (!v)
        return 0;
    if (v->isNumber())
        return v->toDouble().value_or(0);
    if (auto text = v->toString()) {
        bool ok = false;
        const double d = text->trimmed().toDouble(&ok);
        return ok ? d : 0;
    }
    return 0;
}

std::optional<QString> UserDefaults::string(const QString &key) const
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (v->isString())
        return v->toString();
    if (v->isInteger())
        return QString::number(*v->toInteger());
    if (v->isReal())
        return QString::number(*v->toDouble(), 'g', 17);
    return std::nullopt;
}

std::optional<QByteArray> UserDefaults::data(const QString &key) const
{
    const auto v = value(key);
    return v ? v->toData() : std::nullopt;
}

std::optional<Value::Array> UserDefaults::array(const QString &key) const
{
    const auto v = value(key);
    if (v && v->toArray())
        return *v->toArray();
    return std::nullopt;
}

std::optional<QStringList> UserDefaults::stringArray(const QString &key) const
{
    const auto a = array(key);
    if (!a)
        return std::nullopt;
    QStringList list;
    for (const Value &e : *a) {
        auto s = e.toString();
        if (!s)
            return std::nullopt;
        list << *s;
    }
    return list;
}

std::optional<Value::Dictionary> UserDefaults::dictionary(const QString &key) const
{
    const auto v = value(key);
    if (v && v->toDictionary())
        return *v->toDictionary();
    return std::nullopt;
}

ScopedUserDefaultsDirectory::ScopedUserDefaultsDirectory()
    : m_temporary(std::make_unique<QTemporaryDir>())
{
    m_path = m_temporary->path();
    std::lock_guard lock(s_directoryMutex);
    m_previous = s_directoryOverride;
    s_directoryOverride = m_path;
}

ScopedUserDefaultsDirectory::ScopedUserDefaultsDirectory(const QString &directory)
    : m_path(directory)
{
    std::lock_guard lock(s_directoryMutex);
    m_previous = s_directoryOverride;
    s_directoryOverride = m_path;
}

ScopedUserDefaultsDirectory::~ScopedUserDefaultsDirectory()
{
    std::lock_guard lock(s_directoryMutex);
    s_directoryOverride = m_previous;
}

} // namespace platform
