#include "olvane/permissions.h"

#include "permissionprobes_p.h"

#include <platform/desktop/workspace.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <array>
#include <cerrno>
#include <dirent.h>

namespace olvane {

namespace {
    constexpr std::array<const char *, 13> kRawValues { "Privacy", "Privacy_Accessibility", "Privacy_AllFiles",
        "Privacy_Assistive", "Privacy_Calendars", "Privacy_Camera", "Privacy_Contacts", "Privacy_Diagnostics",
        "Privacy_LinkedIn", "Privacy_LocationServices", "Privacy_Microphone", "Privacy_Reminders",
        "Privacy_SystemServices" };

    const QString kPrivacyDatabase = QStringLiteral("/Library/Application Support/com.apple.TCC/TCC.db");

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

    bool canListFolders(
        const QStringList &folders, const QString &home, const std::function<Listing(const QString &)> &list)
    {
        bool verdict = false;
        for (const QString &folder : folders) {
            QString path = folder;
            if (path.startsWith(QLatin1Char('~')))
                path = home + path.mid(1);
            path = QDir::cleanPath(path);
            if (!QFileInfo(path).isDir())
                continue;
            const Listing listing = list(path);
            if (!listing.succeeded && listing.underlying && listing.underlying->domain == kPosixDomain
                && listing.underlying->code == EPERM)
                return false;
            verdict = true;
        }
        return verdict;
    }

} // namespace permissionprobes

const QStringList &Permissions::protectedFolders()
{
    static const QStringList folders {
        QStringLiteral("~/Library/Application Support/com.apple.TCC/"),
        QStringLiteral("~/Library/Containers/com.apple.mail/"),
        QStringLiteral("~/Library/Containers/com.apple.Safari/"),
        QStringLiteral("~/Library/Cookies/"),
        QStringLiteral("~/Library/Mail/"),
        QStringLiteral("~/Library/Messages/"),
        QStringLiteral("~/Library/Metadata/CoreSpotlight/"),
        QStringLiteral("~/Library/Safari/"),
    };
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

bool Permissions::canReadPrivacyDatabase() { return permissionprobes::canReadFile(kPrivacyDatabase); }

bool Permissions::canListProtectedFolders()
{
    return permissionprobes::canListFolders(protectedFolders(), QDir::homePath(), permissionprobes::listFolder);
}

} // namespace olvane
