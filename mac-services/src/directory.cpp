#include "olvane/directory.h"

#include "directory_p.h"
#include "fileurl_p.h"

#include <platform/desktop/workspace.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>
#include <utility>

namespace olvane {

namespace directory {

    QString realHome(const QString &homeDirectory, const QString &accountHome, const QString &loginName)
    {
        if (QDir::isAbsolutePath(accountHome))
            return QDir::cleanPath(accountHome);
        if (QDir::isAbsolutePath(homeDirectory))
            return QDir::cleanPath(homeDirectory);
        return QStringLiteral("/home/") + loginName;
    }

    QString xdgFolder(const QString &value, const QString &fallback)
    {
        return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
    }

} // namespace directory

namespace {
    std::optional<QString> s_accountHomeOverride;
}

directory::ScopedAccountHome::ScopedAccountHome(const QString &home)
    : m_previous(std::exchange(s_accountHomeOverride, home))
{
}

directory::ScopedAccountHome::~ScopedAccountHome() { s_accountHomeOverride = m_previous; }

namespace {
    QString loginName()
    {
        if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_name)
            return QString::fromLocal8Bit(entry->pw_name);
        return qEnvironmentVariable("USER");
    }

    QString accountHome()
    {
        if (s_accountHomeOverride)
            return *s_accountHomeOverride;
        if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            return QString::fromLocal8Bit(entry->pw_dir);
        return {};
    }

    QString home() { return directory::realHome(qEnvironmentVariable("HOME"), accountHome(), loginName()); }

    QString xdg(const char *variable, const QString &relative)
    {
        return directory::xdgFolder(qEnvironmentVariable(variable), home() + QLatin1Char('/') + relative);
    }

    // The XDG user directory `key` ("DOCUMENTS") from user-dirs.dirs below the real home, else
    // `fallback` below it.
    QString userDirectory(const QString &key, const QString &fallback)
    {
        const QString realHome = home();
        QFile file(xdg("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/user-dirs.dirs"));
        if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QString prefix = QStringLiteral("XDG_") + key + QStringLiteral("_DIR=");
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine()).trimmed();
                if (!line.startsWith(prefix))
                    continue;
                QString value = line.mid(prefix.size());
                if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
                    value = value.mid(1, value.size() - 2);
                if (value.startsWith(QLatin1String("$HOME")))
                    value = realHome + value.mid(5);
                if (QDir::isAbsolutePath(value) && QDir::cleanPath(value) != realHome)
                    return QDir::cleanPath(value);
            }
        }
        return realHome + QLatin1Char('/') + fallback;
    }

    QString volumesFolder()
    {
        const QString login = loginName();
        for (const QString &candidate : { QStringLiteral("/media/") + login, QStringLiteral("/run/media/") + login }) {
            if (QFileInfo(candidate).isDir())
                return candidate;
        }
        return QStringLiteral("/media");
    }

    QUrl below(const QUrl &base, std::initializer_list<const char *> components)
    {
        QUrl url = base;
        for (const char *component : components)
            url = fileurl::appending(url, QString::fromUtf8(component), true);
        return url;
    }
}

QUrl Directory::url(Case directory)
{
    switch (directory) {
    case applications:
        return fileurl::make(platform::Workspace::applicationsFolder(), true);
    case user:
        return fileurl::make(home(), true);
    case library:
        return fileurl::make(home() + QStringLiteral("/.local"), true);
    case preferences:
        return fileurl::make(xdg("XDG_CONFIG_HOME", QStringLiteral(".config")), true);
    case caches:
        return fileurl::make(xdg("XDG_CACHE_HOME", QStringLiteral(".cache")), true);
    case applicationSupport:
        return fileurl::make(xdg("XDG_DATA_HOME", QStringLiteral(".local/share")), true);
    case containers:
        return fileurl::make(home() + QStringLiteral("/.var/app"), true);
    case savedState:
        return fileurl::make(xdg("XDG_STATE_HOME", QStringLiteral(".local/state")), true);
    case trash:
        return below(url(applicationSupport), { "Trash" });
    case appleMusicCache:
        return below(url(caches), { "com.apple.Music" });
    case safariCache:
        return below(url(caches), { "com.apple.safari" });
    case spotifyCache:
        return below(url(caches), { "com.spotify.client" });
    case mailAttachments:
        return below(url(containers), { "com.apple.mail", "Data", "Library", "Mail Downloads" });
    case userLaunchAgents:
        return below(url(preferences), { "autostart" });
    case userLaunchDaemons:
        return below(url(preferences), { "systemd", "user" });
    case xcode:
        return below(url(library), { "Developer", "Xcode" });
    case volumes:
        return fileurl::make(volumesFolder(), true);
    case documents:
        return fileurl::make(userDirectory(QStringLiteral("DOCUMENTS"), QStringLiteral("Documents")), true);
    case downloads:
        return fileurl::make(userDirectory(QStringLiteral("DOWNLOAD"), QStringLiteral("Downloads")), true);
    case appDocuments: {
        // The process's own documents folder (inside a sandbox, the sandbox's); the user's when the
        // system names none.
        const QString own = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return own.isEmpty() ? url(documents) : fileurl::make(own, true);
    }
    case safari:
        return fileurl::make(path(library) + QStringLiteral("/Safari"), false);
    case appleMapsCache:
        return below(url(containers), { "com.apple.Maps" });
    }
    return {};
}

QString Directory::path(Case directory) { return fileurl::path(url(directory)); }

QString Directory::name(Case directory) { return fileurl::lastComponent(url(directory)); }

QList<Directory::Case> Directory::allCases()
{
    QList<Case> cases;
    for (int i = applications; i <= appleMapsCache; ++i)
        cases.append(Case(i));
    return cases;
}

} // namespace olvane
