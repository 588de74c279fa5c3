#include "platform/registry/sysfsregistry.h"
#include "sysfsattributes_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
    // Milliseconds of the coarse monotonic clock: a pass is asked for several times per accessory and
    // only needs to know whether it is a second old, which this clock tells without reading the time
    // source (its steps are a few milliseconds).
    qint64 coarseMilliseconds()
    {
        timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    }

    // The files read in the current pass. A pass is open while a SysfsReading lives, or, on the main
    // thread with its event loop running, until control goes back to the loop: everything one timer
    // tick reads then shares one reading of each file.
    struct Pass {
        int scopes = 0;
        bool automatic = false;
        qint64 begunMs = 0;
        QHash<QString, std::optional<QByteArray>> files;
        QSet<QString> missing; // of `files`, those that do not exist
        // Counts the passes, so that what is worked out of several files can be kept for one pass.
        quint64 generation = 0;
        std::function<void(const QString &)> observer;

        void begin()
        {
            files.clear();
            missing.clear();
            begunMs = coarseMilliseconds();
            ++generation;
        }
    };

    Pass &pass()
    {
        static Pass p;
        return p;
    }

    // The thread's QThread, asked of Qt once per thread (it lives as long as the thread does).
    QThread *thisThread()
    {
        thread_local QThread *const thread = QThread::currentThread();
        return thread;
    }

    bool onMainThread()
    {
        const auto *app = QCoreApplication::instance();
        return !app || thisThread() == app->thread();
    }

    // A pass never answers with a reading older than this, whatever keeps the loop from coming back.
    constexpr qint64 kLongestPassMs = 1000;

    bool passOpen()
    {
        if (!onMainThread())
            return false;
        Pass &p = pass();
        if (p.scopes == 0) {
            auto *app = QCoreApplication::instance();
            if (!app || thisThread()->loopLevel() == 0)
                return false;
            if (!p.automatic) {
                p.automatic = true;
                p.begin();
                QMetaObject::invokeMethod(
                    app,
                    [] {
                        Pass &open = pass();
                        open.automatic = false;
                        if (open.scopes == 0) {
                            open.files.clear();
                            open.missing.clear();
                        }
                    },
                    Qt::QueuedConnection);
            }
        }
        if (coarseMilliseconds() - p.begunMs > kLongestPassMs)
            p.begin();
        return true;
    }

    // Reads what `fd` holds from its start: attribute files claim a page's size whatever they hold;
    // one read gives what they hold, and a full buffer is read on until the end. A driver that cannot
    // answer (a battery that went away, a device asleep) fails the read itself. A file that still holds
    // `previous` gives it back shared: a kept file read each tick is seldom different.
    std::optional<QByteArray> readFrom(int fd, const std::optional<QByteArray> &previous = std::nullopt)
    {
        char buffer[4096];
        QByteArray bytes;
        off_t offset = 0;
        for (;;) {
            const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return std::nullopt;
            if (offset == 0 && n < qsizetype(sizeof buffer)) {
                // What nearly every attribute is.
                if (previous && previous->size() == n && std::memcmp(previous->constData(), buffer, size_t(n)) == 0)
                    return previous;
                return QByteArray(buffer, qsizetype(n));
            }
            bytes.append(buffer, qsizetype(n));
            offset += n;
            if (n < qsizetype(sizeof buffer))
                return bytes;
        }
    }

    std::optional<QByteArray> readNow(const QString &path, bool &missing)
    {
        missing = false;
        SysfsAttributes::observeRead(path);
        // Three system calls a file: open, read, close (QFile adds stats and reads for its buffering).
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            missing = errno == ENOENT;
            return std::nullopt;
        }
        auto bytes = readFrom(fd);
        ::close(fd);
        return bytes;
    }

    std::optional<QString> trimmedText(const std::optional<QByteArray> &bytes)
    {
        if (!bytes)
            return std::nullopt;
        const QString trimmed = QString::fromUtf8(*bytes).trimmed();
        if (trimmed.isEmpty())
            return std::nullopt;
        return trimmed;
    }
}

SysfsReading::SysfsReading()
{
    Pass &p = pass();
    if (p.scopes++ == 0 && !p.automatic)
        p.begin();
}

SysfsReading::~SysfsReading()
{
    Pass &p = pass();
    if (--p.scopes == 0 && !p.automatic) {
        p.files.clear();
        p.missing.clear();
    }
}

SysfsAttributes::SysfsAttributes(QString directory)
    : m_directory(std::move(directory))
{
}

SysfsAttributes SysfsAttributes::fromTexts(const QHash<QString, QByteArray> &files)
{
    SysfsAttributes a { QString() };
    a.m_inMemory = true;
    for (auto it = files.constBegin(); it != files.constEnd(); ++it)
        a.m_texts.insert(it.key(), trimmedText(it.value()));
    return a;
}

std::optional<quint64> SysfsAttributes::currentPass()
{
    if (!passOpen())
        return std::nullopt;
    return pass().generation;
}

void SysfsAttributes::setReadObserver(std::function<void(const QString &)> observer)
{
    pass().observer = std::move(observer);
}

void SysfsAttributes::observeRead(const QString &path)
{
    if (const auto &observer = pass().observer; observer && onMainThread())
        observer(path);
}

void SysfsAttributes::presetContent(const QString &name, const std::optional<QByteArray> &content)
{
    m_texts.insert(name, trimmedText(content));
}

SysfsFile::SysfsFile(QString path)
    : m_path(std::move(path))
{
}

SysfsFile::~SysfsFile() { close(); }

SysfsFile::SysfsFile(SysfsFile &&other) noexcept
    : m_path(std::move(other.m_path))
    , m_fd(std::exchange(other.m_fd, -1))
    , m_read(other.m_read)
    , m_missing(other.m_missing)
    , m_content(std::move(other.m_content))
{
}

SysfsFile &SysfsFile::operator=(SysfsFile &&other) noexcept
{
    if (this != &other) {
        close();
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
        m_read = other.m_read;
        m_missing = other.m_missing;
        m_content = std::move(other.m_content);
    }
    return *this;
}

void SysfsFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool SysfsFile::read()
{
    SysfsAttributes::observeRead(m_path);
    std::optional<QByteArray> now;
    m_missing = false;
    if (m_fd < 0) {
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
        m_missing = m_fd < 0 && errno == ENOENT;
    }
    if (m_fd >= 0) {
        now = readFrom(m_fd, m_content);
        // A supply that went away fails its reads (sysfs answers ENODEV); whatever comes in its place
        // is opened anew.
        if (!now)
            close();
    }
    const bool changed = !m_read || now != m_content;
    m_read = true;
    if (changed)
        m_content = std::move(now);
    return changed;
}

std::optional<QByteArray> SysfsAttributes::readFile(const QString &path)
{
    bool missing = false;
    return readFile(path, missing);
}

std::optional<QByteArray> SysfsAttributes::readFile(const QString &path, bool &missing)
{
    if (!passOpen())
        return readNow(path, missing);
    Pass &p = pass();
    if (const auto it = p.files.constFind(path); it != p.files.constEnd()) {
        missing = p.missing.contains(path);
        return *it;
    }
    auto bytes = readNow(path, missing);
    p.files.insert(path, bytes);
    if (missing)
        p.missing.insert(path);
    return bytes;
}

std::optional<QString> SysfsAttributes::text(const QString &name) const
{
    auto cached = m_texts.constFind(name);
    if (cached != m_texts.constEnd())
        return *cached;
    if (m_inMemory)
        return std::nullopt;
    bool missing = false;
    const auto value
        = trimmedText(m_read ? m_read(name, missing) : readFile(m_directory + QLatin1Char('/') + name, missing));
    m_texts.insert(name, value);
    if (missing)
        m_missing.insert(name);
    return value;
}

std::optional<qint64> SysfsAttributes::integer(const QString &name) const
{
    const auto t = text(name);
    if (!t)
        return std::nullopt;
    bool ok = false;
    const qint64 n = t->toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

} // namespace platform
