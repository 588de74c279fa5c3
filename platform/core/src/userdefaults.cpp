#include "platform/core/userdefaults.h"

#include "platform/core/bundle.h"
#include "platform/core/clock.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>
#include <cstdio>
#include <sys/stat.h>

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

    // Keeps a broken file for whoever wants to look at it, under a name no domain uses.
    void moveAside(const QString &path)
    {
        const QString stamp = Clock::current().now().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
        QString target = path + QStringLiteral(".corrupt-") + stamp;
        for (int n = 2; QFileInfo::exists(target); ++n)
            target = path + QStringLiteral(".corrupt-") + stamp + u'-' + QString::number(n);
        if (QFile::rename(path, target))
            warn(QStringLiteral("%1 is not a readable property list; moved it to %2").arg(path, target));
        else
            warn(QStringLiteral("%1 is not a readable property list and could not be moved aside").arg(path));
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

void UserDefaults::refresh() const
{
    const QString path = filePath();
    if (path != m_loadedPath) {
        m_loadedPath = path;
        m_stamp.reset();
        m_values.clear();
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
    if (m_stamp && *m_stamp == now)
        return;
    m_stamp = now;
    m_values.clear();
    if (now.size < 0)
        return; // no file yet: an empty domain

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return;
    }
    try {
        Value parsed = plist::parse(file.readAll());
        if (auto *dict = parsed.toDictionary()) {
            m_values = std::move(*dict);
            return;
        }
    } catch (const DecodingError &) {
    }
    file.close();
    moveAside(path);
    m_stamp.reset();
}

void UserDefaults::write()
{
    const QString path = filePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        warn(QStringLiteral("cannot create the folder of %1").arg(path));
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        warn(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return;
    }
    file.write(plist::serialize(Value(m_values), plist::Format::Xml));
    if (!file.commit()) {
        warn(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return;
    }
    // Our own file is read back on the next access; cheaper than racing another writer for the stamp.
    m_stamp.reset();
}

std::optional<Value> UserDefaults::value(const QString &key) const
{
    std::lock_guard lock(m_mutex);
    refresh();
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
    refresh(); // start from what another writer stored last
    m_values[key] = value;
    write();
}

void UserDefaults::remove(const QString &key)
{
    std::lock_guard lock(m_mutex);
    refresh();
    if (m_values.erase(key) == 0)
        return;
    write();
}

Value::Dictionary UserDefaults::dictionaryRepresentation() const
{
    std::lock_guard lock(m_mutex);
    refresh();
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
