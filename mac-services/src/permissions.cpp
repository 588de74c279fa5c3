#include "olvane/permissions.h"

#include "olvane/systemroot.h"
#include "permissionprobes_p.h"

#include <platform/desktop/workspace.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <array>
#include <cerrno>
#include <dirent.h>
#include <unistd.h>

namespace olvane {

namespace {
    constexpr std::array<const char *, 13> kRawValues { "Privacy", "Privacy_Accessibility", "Privacy_AllFiles",
        "Privacy_Assistive", "Privacy_Calendars", "Privacy_Camera", "Privacy_Contacts", "Privacy_Diagnostics",
        "Privacy_LinkedIn", "Privacy_LocationServices", "Privacy_Microphone", "Privacy_Reminders",
        "Privacy_SystemServices" };

    // Only the administrator (and the shadow group) may read the system's password hashes.
    const QString kProtectedSystemFile = QStringLiteral("/etc/shadow");

    void open(const QString &text)
    {
        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid() || url.scheme().isEmpty())
            return;
        platform::Workspace::current().openUrl(url);
    }
}

QString rawValue(PrivacyPage page) { return QString::fromLatin1(kRawValues.at(size_t(page))); }

std::optional<PrivacyPage> privacyPageFromRawValue(const QString &text)
{
    for (size_t i = 0; i < kRawValues.size(); ++i) {
        if (text == QLatin1String(kRawValues.at(i)))
            return PrivacyPage(i);
    }
    return std::nullopt;
}

namespace permissionprobes {

    Listing listFolder(const QString &path)
    {
        DIR *dir = ::opendir(QFile::encodeName(path).constData());
        if (!dir)
            return { false, UnderlyingError { kPosixDomain, errno } };
        ::closedir(dir);
        return {};
    }

    bool canReadFile(const QString &path)
    {
        if (QFileInfo(path).isDir())
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        file.readAll();
        return file.error() == QFileDevice::NoError;
    }

    bool canListFolders(const QStringList &folders, const std::function<Listing(const QString &)> &list)
    {
        bool verdict = false;
        for (const QString &folder : folders) {
            const QString path = QDir::cleanPath(folder);
            const QFileInfo info(path);
            if (!info.isDir() || info.permission(QFileDevice::ReadOther))
                continue;
            const Listing listing = list(path);
            if (!listing.succeeded && listing.underlying && listing.underlying->domain == kPosixDomain
                && (listing.underlying->code == EACCES || listing.underlying->code == EPERM))
                return false;
            verdict = true;
        }
        return verdict;
    }

    QStringList otherUsersHomes(const QByteArray &passwd, uint ownUid)
    {
        constexpr uint kFirstPersonUid = 1000;
        constexpr uint kNobody = 65534;
        QStringList homes;
        for (const QByteArray &line : passwd.split('\n')) {
            // name:password:uid:gid:gecos:home:shell
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() < 7)
                continue;
            bool ok = false;
            const uint uid = fields.at(2).toUInt(&ok);
            const QString home = QDir::cleanPath(QString::fromLocal8Bit(fields.at(5)));
            if (!ok || uid < kFirstPersonUid || uid == kNobody || uid == ownUid || !QDir::isAbsolutePath(home)
                || home == QLatin1String("/"))
                continue;
            homes << home + QLatin1Char('/');
        }
        return homes;
    }

} // namespace permissionprobes

QStringList Permissions::protectedFolders()
{
    // Folders that only the administrator or their owners may list on a usual installation.
    QStringList folders { QStringLiteral("/root/"), QStringLiteral("/etc/ssl/private/"),
        QStringLiteral("/var/cache/ldconfig/"), QStringLiteral("/var/lib/polkit-1/"),
        QStringLiteral("/var/spool/cron/crontabs/"), QStringLiteral("/var/lib/sudo/") };
    QFile passwd(SystemRoot::file(QStringLiteral("/etc/passwd")));
    if (passwd.open(QIODevice::ReadOnly))
        folders << permissionprobes::otherUsersHomes(passwd.readAll(), ::getuid());
    return folders;
}

void Permissions::openNotificationSettings()
{
    open(QStringLiteral("x-apple.systempreferences:com.apple.preference.notifications"));
}

void Permissions::openPrivacySettings(PrivacyPage page)
{
    open(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?") + rawValue(page));
}

bool Permissions::canReadPrivacyDatabase()
{
    return permissionprobes::canReadFile(SystemRoot::file(kProtectedSystemFile));
}

bool Permissions::canListProtectedFolders()
{
    QStringList folders;
    for (const QString &folder : protectedFolders())
        folders << SystemRoot::file(folder);
    return permissionprobes::canListFolders(folders, permissionprobes::listFolder);
}

} // namespace olvane
