#include "settingspages_p.h"

#include <QFileInfo>
#include <QHash>

namespace platform::settingspages {

namespace {
    const QString kScheme = QStringLiteral("x-apple.systempreferences");
    const QString kPanesFolder = QStringLiteral("/System/Library/PreferencePanes/");

    struct Page {
        QString gnome; // gnome-control-center panel
        QString kde; // systemsettings module; empty when KDE has no such page
    };

    const QHash<QString, Page> &pages()
    {
        static const QHash<QString, Page> table {
            { QStringLiteral("notifications"),
                { QStringLiteral("notifications"), QStringLiteral("kcm_notifications") } },
            { QStringLiteral("privacy"), { QStringLiteral("privacy"), {} } },
            { QStringLiteral("sharing"), { QStringLiteral("sharing"), {} } },
            { QStringLiteral("camera"), { QStringLiteral("camera"), {} } },
            { QStringLiteral("microphone"), { QStringLiteral("microphone"), {} } },
            { QStringLiteral("location"), { QStringLiteral("location"), {} } },
            { QStringLiteral("diagnostics"), { QStringLiteral("diagnostics"), {} } },
        };
        return table;
    }

    // Anchors of the privacy pages; those left out (files, contacts, calendars, accessibility
    // control and the like) have no page on the Linux desktops.
    const QHash<QString, QString> &privacyAnchors()
    {
        static const QHash<QString, QString> table {
            { QStringLiteral("Privacy"), QStringLiteral("privacy") },
            { QStringLiteral("Privacy_Camera"), QStringLiteral("camera") },
            { QStringLiteral("Privacy_Microphone"), QStringLiteral("microphone") },
            { QStringLiteral("Privacy_LocationServices"), QStringLiteral("location") },
            { QStringLiteral("Privacy_Diagnostics"), QStringLiteral("diagnostics") },
        };
        return table;
    }
}

bool isSettingsUrl(const QUrl &url)
{
    if (url.scheme() == kScheme)
        return true;
    return url.isLocalFile() && url.toLocalFile().startsWith(kPanesFolder);
}

std::optional<QString> pageFor(const QUrl &url)
{
    if (url.isLocalFile()) {
        if (!isSettingsUrl(url))
            return std::nullopt;
        const QString pane = QFileInfo(url.toLocalFile()).fileName();
        if (pane == QLatin1String("Privacy.prefPane") || pane == QLatin1String("Security.prefPane"))
            return QStringLiteral("privacy");
        if (pane == QLatin1String("SharingPref.prefPane"))
            return QStringLiteral("sharing");
        if (pane == QLatin1String("Notifications.prefPane"))
            return QStringLiteral("notifications");
        return std::nullopt;
    }
    if (url.scheme() != kScheme)
        return std::nullopt;
    const QString target = url.path();
    if (target.isEmpty())
        return QString();
    if (target == QLatin1String("com.apple.preference.notifications")
        || target == QLatin1String("com.apple.Notifications-Settings.extension"))
        return QStringLiteral("notifications");
    if (target == QLatin1String("com.apple.preference.security")
        || target == QLatin1String("com.apple.settings.PrivacySecurity.extension")) {
        if (!url.hasQuery())
            return QStringLiteral("privacy");
        const auto it = privacyAnchors().find(url.query());
        if (it == privacyAnchors().end())
            return std::nullopt;
        return *it;
    }
    if (target == QLatin1String("com.apple.Sharing-Settings.extension")
        || target == QLatin1String("com.apple.preferences.sharing"))
        return QStringLiteral("sharing");
    return std::nullopt;
}

std::optional<QStringList> commandFor(const QString &page, Desktop desktop)
{
    if (desktop == Desktop::Gnome) {
        if (page.isEmpty())
            return QStringList { QStringLiteral("gnome-control-center") };
        const auto it = pages().find(page);
        if (it == pages().end())
            return std::nullopt;
        return QStringList { QStringLiteral("gnome-control-center"), it->gnome };
    }
    if (page.isEmpty())
        return QStringList { QStringLiteral("systemsettings") };
    const auto it = pages().find(page);
    if (it == pages().end() || it->kde.isEmpty())
        return std::nullopt;
    return QStringList { QStringLiteral("systemsettings"), it->kde };
}

} // namespace platform::settingspages
