#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace olvane {

/// Well-known folders of the user's account and of the system, as file URLs (folders end in "/").
///
/// On Linux the user's folders follow the XDG base directories and user directories, always below
/// the user's real home folder (not a sandbox's): the library is "~/.local", preferences
/// $XDG_CONFIG_HOME, caches $XDG_CACHE_HOME, application support $XDG_DATA_HOME, saved state
/// $XDG_STATE_HOME, containers the Flatpak application folders "~/.var/app", the trash
/// "$XDG_DATA_HOME/Trash", launch agents the autostart folder, launch daemons the user's systemd
/// units; documents and downloads are the XDG user directories. Folders of other applications keep
/// their names below these. Nothing is created; a folder may not exist.
struct Directory {
    enum Case {
        applications,
        user,
        library,
        preferences,
        caches,
        applicationSupport,
        containers,
        savedState,
        trash,
        appleMusicCache,
        safariCache,
        spotifyCache,
        mailAttachments,
        userLaunchAgents,
        userLaunchDaemons,
        xcode,
        volumes,
        documents,
        downloads,
        appDocuments,
        safari,
        appleMapsCache,
    };

    static QUrl url(Case directory);
    /// The URL's path, without a trailing "/".
    static QString path(Case directory);
    /// The URL's last path component.
    static QString name(Case directory);

    /// Every case, in declaration order.
    static QList<Case> allCases();

    Directory() = delete;
};

} // namespace olvane
