#include "platform/core/userdefaults.h"

#include "platform/core/bundle.h"
#include "platform/core/clock.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/core/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

    // Applies changes over a dictionary; true when that changed it.
    bool applyChanges(const std::map<QString, std::optional<Value>> &changes, Value::Dictionary &values)
    {
        bool changed = false;
        for (const auto &[key, value] : changes) {
            auto it = values.find(key);
            if (!value) {
                if (it != values.end()) {
                    values.erase(it);
                    changed = true;
                }
            } else if (it == values.end()) {
                values.emplace(key, *value);
                changed = true;
            } else if (!(it->second == *value)) {
                it->second = *value;
                changed = true;
            }
        }
        return changed;
    }

    // An exclusive advisory lock on a domain's lock file for one read-modify-write. Every writer of
    // the domain, in this process or another, takes it; readers do not need it, as writes are atomic.
    class DomainLock {
    public:
        explicit DomainLock(const QString &path)
            : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
        {
            if (m_fd < 0) {
                warn(QStringLiteral("cannot open the lock file %1: %2; writing without it")
                         .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
                return;
            }
            while (::flock(m_fd, LOCK_EX) != 0) {
                if (errno != EINTR) {
                    warn(QStringLiteral("cannot lock %1: %2; writing without it")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
                    break;
                }
            }
        }
        ~DomainLock()
        {
            if (m_fd >= 0)
                ::close(m_fd); // releases the lock
        }
        DomainLock(const DomainLock &) = delete;
        DomainLock &operator=(const DomainLock &) = delete;

    private:
        int m_fd;
    };

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
        m_values.clear();
        m_pending.clear();
        m_unreadable = false;
    }

    // The rename of an atomic write gives a new inode, so two writes of the same size within one
    // timestamp tick still differ.
    Stamp now;
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        now.device = st.st_dev;
        now.inode = st.st_ino;
        now.size = st.st_size;
        now.mtimeNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    }
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
        applyChanges(m_pending, m_values);
        return false;
    };

    Value::Dictionary disk;
    const RegularFileRead read = readRegularFile(path);
    if (read.status == RegularFileRead::Status::Failed)
        return unreadable(read.error);
    if (read.status == RegularFileRead::Status::Read) {
        bool parsed = false;
        try {
            Value value = plist::parse(read.bytes);
            if (auto *dict = value.toDictionary()) {
                disk = std::move(*dict);
                parsed = true;
            }
        } catch (const DecodingError &) {
        }
        if (!parsed) {
            if (!moveAside(path))
                return unreadable(QStringLiteral("not a property list holding a dictionary"));
            now = Stamp {}; // the file is gone now
        }
    }
    m_unreadable = false;
    m_stamp = now;
    m_values = std::move(disk);
    m_pendingChangesFile = applyChanges(m_pending, m_values);
    return true;
}

void UserDefaults::readLocked() const
{
    const bool waiting = m_unreadable && !m_pending.empty();
    if (refresh() && waiting)
        commit(); // the file can be read again: the changes kept meanwhile go to it now
}

void UserDefaults::change(const QString &key, std::optional<Value> value)
{
    refresh(); // follows a moved directory before the change is noted
    m_pending[key] = std::move(value);
    commit();
    applyChanges(m_pending, m_values); // kept in memory whether or not it reached the file
}

void UserDefaults::commit() const
{
    const QString path = filePath();
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        warn(QStringLiteral("cannot create the folder of %1").arg(path));
        return;
    }
    const DomainLock lock(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock"));
    // Under the lock, the file as another writer left it, with only our changes merged in.
    if (!refresh(true))
        return;
    if (!m_pendingChangesFile) {
        m_pending.clear(); // the file holds them already
        return;
    }
    if (write(m_values)) {
        m_pending.clear();
        // Our own file is read back on the next access; cheaper than racing another writer for the stamp.
        m_stamp.reset();
    }
}

bool UserDefaults::write(const Value::Dictionary &values) const
{
    const QString path = filePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        warn(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    file.write(plist::serialize(Value(values), plist::Format::Xml));
    if (!file.commit()) {
        warn(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
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
    change(key, value);
}

void UserDefaults::remove(const QString &key)
{
    std::lock_guard lock(m_mutex);
    change(key, std::nullopt);
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
