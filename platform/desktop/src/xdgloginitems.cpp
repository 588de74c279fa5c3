#include "platform/desktop/xdgloginitems.h"

#include "applicationbundle_p.h"
#include "desktopentry_p.h"
#include "platform/core/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>

namespace platform {

Q_LOGGING_CATEGORY(lcLoginItems, "quenby.platform.loginitems")

namespace {
    constexpr auto kSuffix = ".desktop";
    constexpr auto kOwnerKey = "X-Quenby-Bundle-Identifier";
    // Desktop entries are a few hundred bytes; anything this large is not one of ours.
    constexpr qint64 kMaxEntrySize = 64 * 1024;

    struct BundleInfo {
        QString identifier;
        QString name;
        QString executable; // absolute path
    };

    // The identifier names a file in the autostart folder, so it must not be able to leave it.
    // Letters, digits, '_', '-' and '.', not first (no "..", no hidden file).
    bool isValidIdentifier(const QString &identifier)
    {
        if (identifier.isEmpty() || identifier.front() == QLatin1Char('.'))
            return false;
        return std::all_of(identifier.begin(), identifier.end(), [](QChar c) {
            const char16_t u = c.unicode();
            return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' || u == '-'
                || u == '.';
        });
    }

    std::optional<BundleInfo> readBundle(const QString &bundlePath)
    {
        const auto info = detail::infoDictionary(bundlePath);
        if (!info)
            return std::nullopt;
        const auto text = [&info](const char *key) -> std::optional<QString> {
            const auto it = info->find(QString::fromLatin1(key));
            return it == info->end() ? std::nullopt : it->second.toString();
        };
        const auto identifier = text("CFBundleIdentifier");
        if (!identifier || identifier->isEmpty())
            return std::nullopt;
        const QString baseName = QFileInfo(bundlePath).completeBaseName();
        const QString executable = text("CFBundleExecutable").value_or(baseName);
        const QString name = text("CFBundleName").value_or(baseName);
        return BundleInfo { *identifier, name.isEmpty() ? baseName : name,
            QDir::cleanPath(bundlePath + QStringLiteral("/Contents/MacOS/") + executable) };
    }

    bool isExecutableFile(const QString &path)
    {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    }

    // Whether `program` is the executable of an existing bundle `X.app/Contents/MacOS/` with this identifier.
    bool startsBundle(const QString &program, const QString &identifier)
    {
        if (!QDir::isAbsolutePath(program) || !isExecutableFile(program))
            return false;
        const QString cleaned = QDir::cleanPath(program);
        const auto bundlePath = detail::bundleOfExecutable(cleaned);
        const auto bundle = bundlePath ? readBundle(*bundlePath) : std::nullopt;
        return bundle && bundle->identifier == identifier && bundle->executable == cleaned;
    }

    enum class EntryState { Absent, Foreign, Ours };

    struct Entry {
        EntryState state = EntryState::Absent;
        bool startsAtLogin = false;
        QString why; // for a foreign entry: what makes it so
    };

    Entry inspect(const QString &path, const QString &identifier)
    {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return {};
        const auto foreign = [](const QString &why) { return Entry { EntryState::Foreign, false, why }; };
        if (!info.isFile())
            return foreign(QStringLiteral("not a regular file"));
        if (info.size() > kMaxEntrySize)
            return foreign(QStringLiteral("too large for a desktop entry"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return foreign(QStringLiteral("cannot be read: %1").arg(file.errorString()));
        const auto keys = desktopentry::parseMainGroup(file.readAll());
        if (!keys)
            return foreign(QStringLiteral("not a well-formed desktop entry"));
        const auto value = [&keys](const char *key) {
            const auto it = keys->find(QString::fromLatin1(key));
            return it == keys->end() ? QString() : desktopentry::unescapeString(it->second);
        };
        if (value("Type") != QLatin1String("Application"))
            return foreign(QStringLiteral("not an application entry"));

        const auto exec = desktopentry::splitExec(value("Exec"));
        const bool starts = exec && startsBundle(exec->first(), identifier);
        if (!starts && value(kOwnerKey) != identifier)
            return foreign(QStringLiteral("does not start the bundle %1").arg(identifier));
        const bool hidden
            = value("Hidden") == QLatin1String("true") || value("X-GNOME-Autostart-enabled") == QLatin1String("false");
        return { EntryState::Ours, starts && !hidden, {} };
    }

    QString defaultAutostartDirectory()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        const QString base = QDir::isAbsolutePath(config) ? config : QDir::homePath() + QStringLiteral("/.config");
        return QDir::cleanPath(base + QStringLiteral("/autostart"));
    }
}

struct XdgLoginItems::Target {
    QString identifier;
    BundleInfo bundle;
};

XdgLoginItems::XdgLoginItems(QString mainBundlePath, QString autostartDirectory)
    : m_mainBundlePath(mainBundlePath.isEmpty() ? runningBundlePath() : QDir::cleanPath(mainBundlePath))
    , m_autostartDirectory(
          autostartDirectory.isEmpty() ? defaultAutostartDirectory() : QDir::cleanPath(autostartDirectory))
{
}

QString XdgLoginItems::runningBundlePath()
{
    if (!QCoreApplication::instance())
        return {};
    QDir dir(QCoreApplication::applicationDirPath());
    if (dir.dirName() != QLatin1String("MacOS") || !dir.cdUp() || dir.dirName() != QLatin1String("Contents")
        || !dir.cdUp() || !dir.dirName().endsWith(QLatin1String(".app")))
        return {};
    return dir.path();
}

QString XdgLoginItems::entryPath(const QString &identifier) const
{
    return m_autostartDirectory + u'/' + identifier + QLatin1String(kSuffix);
}

QString XdgLoginItems::entryName(const LoginService &service) const
{
    if (service.kind() == LoginService::Kind::LoginItem)
        return isValidIdentifier(service.identifier()) ? service.identifier() : QString();
    if (m_mainBundlePath.isEmpty())
        return {};
    const auto main = readBundle(m_mainBundlePath);
    return main && isValidIdentifier(main->identifier) ? main->identifier : QString();
}

std::optional<XdgLoginItems::Target> XdgLoginItems::target(const LoginService &service, QString *why) const
{
    if (m_mainBundlePath.isEmpty()) {
        *why = QStringLiteral("the program does not run from an application bundle");
        return std::nullopt;
    }
    if (service.kind() == LoginService::Kind::MainApp) {
        const auto main = readBundle(m_mainBundlePath);
        if (!main || !isValidIdentifier(main->identifier)) {
            *why = QStringLiteral("%1 has no Info.plist with a usable bundle identifier").arg(m_mainBundlePath);
            return std::nullopt;
        }
        if (!isExecutableFile(main->executable)) {
            *why = QStringLiteral("%1 is not an executable file").arg(main->executable);
            return std::nullopt;
        }
        return Target { main->identifier, *main };
    }

    if (!isValidIdentifier(service.identifier())) {
        *why = QStringLiteral("\"%1\" is not a bundle identifier").arg(service.identifier());
        return std::nullopt;
    }
    const QDir items(m_mainBundlePath + QStringLiteral("/Contents/Library/LoginItems"));
    // The suffix is tested here: Qt makes a name filter into a regular expression it compiles first.
    for (const QFileInfo &candidate : items.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!candidate.fileName().endsWith(QLatin1String(".app"), Qt::CaseInsensitive))
            continue;
        const auto bundle = readBundle(candidate.filePath());
        if (bundle && bundle->identifier == service.identifier() && isExecutableFile(bundle->executable))
            return Target { bundle->identifier, *bundle };
    }
    *why = QStringLiteral("no login item with the identifier %1 in %2").arg(service.identifier(), items.path());
    return std::nullopt;
}

bool XdgLoginItems::setLoginItemEnabled(const QString &identifier, bool enabled)
{
    const LoginService service = LoginService::loginItem(identifier);
    const LoginResult result = enabled ? registerService(service) : unregisterService(service);
    if (!result)
        qCWarning(lcLoginItems).noquote() << result.error;
    return result.ok;
}

std::optional<Value> XdgLoginItems::jobDictionaries() const
{
    const QDir dir(m_autostartDirectory);
    if (!dir.exists())
        return Value(Value::Array {});
    if (!QFileInfo(m_autostartDirectory).isReadable())
        return std::nullopt;
    Value::Array jobs;
    const QString pattern = u'*' + QLatin1String(kSuffix);
    for (const QFileInfo &file : dir.entryInfoList({ pattern }, QDir::Files | QDir::Hidden, QDir::Name)) {
        QString label = file.fileName();
        label.chop(qsizetype(std::char_traits<char>::length(kSuffix)));
        const bool onDemand = isValidIdentifier(label) && inspect(file.filePath(), label).startsAtLogin;
        jobs.push_back(Value(Value::Dictionary {
            { QStringLiteral("Label"), Value(label) }, { QStringLiteral("OnDemand"), Value(onDemand) } }));
    }
    return Value(std::move(jobs));
}

LoginServiceStatus XdgLoginItems::status(const LoginService &service) const
{
    const QString name = entryName(service);
    if (name.isEmpty())
        return LoginServiceStatus::NotFound;
    if (inspect(entryPath(name), name).startsAtLogin)
        return LoginServiceStatus::Enabled;
    QString why;
    return target(service, &why) ? LoginServiceStatus::NotRegistered : LoginServiceStatus::NotFound;
}

LoginResult XdgLoginItems::registerService(const LoginService &service)
{
    QString why;
    const auto found = target(service, &why);
    if (!found)
        return LoginResult::failure(why);
    const QString path = entryPath(found->identifier);
    const Entry entry = inspect(path, found->identifier);
    if (entry.state == EntryState::Foreign)
        return LoginResult::failure(
            QStringLiteral("%1 belongs to another program (%2); left as it is").arg(path, entry.why));

    if (!QDir().mkpath(m_autostartDirectory))
        return LoginResult::failure(QStringLiteral("cannot create %1").arg(m_autostartDirectory));
    // Installing puts the application's icon in the icon theme under the main bundle's identifier.
    const auto main = readBundle(m_mainBundlePath);
    const QString icon = main ? main->identifier : found->identifier;
    const FileWriteResult written = writeFileAtomically(path,
        desktopentry::write({
            { QStringLiteral("Type"), QStringLiteral("Application") },
            { QStringLiteral("Name"), found->bundle.name },
            { QStringLiteral("Comment"), QStringLiteral("Starts %1 when you log in").arg(found->bundle.name) },
            { QStringLiteral("Icon"), icon },
            { QStringLiteral("Exec"), desktopentry::quoteExecArgument(found->bundle.executable) },
            { QString::fromLatin1(kOwnerKey), found->identifier },
        }));
    if (!written)
        return LoginResult::failure(written.error);
    return LoginResult::success();
}

LoginResult XdgLoginItems::unregisterService(const LoginService &service)
{
    const QString name = entryName(service);
    if (name.isEmpty()) {
        QString why;
        target(service, &why);
        return LoginResult::failure(why);
    }
    const QString path = entryPath(name);
    const Entry entry = inspect(path, name);
    switch (entry.state) {
    case EntryState::Absent:
        return LoginResult::success();
    case EntryState::Foreign:
        return LoginResult::failure(
            QStringLiteral("%1 belongs to another program (%2); left as it is").arg(path, entry.why));
    case EntryState::Ours:
        break;
    }
    QFile file(path);
    if (!file.remove())
        return LoginResult::failure(QStringLiteral("cannot remove %1: %2").arg(path, file.errorString()));
    return LoginResult::success();
}

void XdgLoginItems::openSystemSettingsLoginItems()
{
    qCInfo(lcLoginItems)
        << "autostart entries are managed in the desktop's own settings; there is no standard page to open";
}

} // namespace platform
