#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace platform::ui {
class Window;
}

namespace olvane {

/// Folder grants under caller-chosen keys of the standard user defaults, one bookmark per key, with
/// the folders in force held process-wide. Unlike `FolderPermissions` no list of keys is kept and
/// access to a folder can be ended.
///
/// On Linux a bookmark is the folder's stored path (see `platform::Bookmark`). Failures end an
/// operation silently. Main thread only.
class SecureFolders {
public:
    /// The folders whose access was started and not ended.
    static QSet<QUrl> storedUrls();

    static void restore(const QStringList &keys);
    static void restore(const QString &key);
    static void restore(const QByteArray &bookmarkData);
    /// Bookmarks the folder under `key` and keeps it in force.
    static void store(const QUrl &url, const QString &key);
    /// Ends access to the folder; its bookmark stays stored.
    static void stopAccessing(const QUrl &url);
    /// Clears the bookmarks under those keys; folders in force stay so.
    static void removeBookmarks(const QStringList &keys);

    /// Asks for a folder in an open panel on `window` starting at `folder`, with `prompt` on its
    /// button; a chosen folder is stored under `key`. The completion learns whether one was chosen.
    static void requestAccess(platform::ui::Window *window, const QUrl &folder, const QString &key,
        const QString &prompt, std::function<void(bool chosen)> completion);
    /// As above, starting where the panel likes when no folder is given; the completion receives the
    /// chosen folder, or none when the user cancelled.
    static void requestAccess(platform::ui::Window *window, const std::optional<QUrl> &folder, const QString &key,
        const QString &prompt, std::function<void(std::optional<QUrl> url)> completion);

    static bool hasAccess(const QUrl &url);
    /// True for an empty list.
    static bool hasAccess(const QList<QUrl> &urls);

    SecureFolders() = delete;
};

} // namespace olvane
