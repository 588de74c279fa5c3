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

/// The user-defaults key under which the granted folders' entry keys are stored.
inline const QString kBookmarksKey = QStringLiteral("Bookmarks");

/// Folders the user granted, kept across launches. Main thread only.
class IFolderPermissions {
public:
    /// Receives the chosen folder, or none when the user cancelled.
    using Completion = std::function<void(std::optional<QUrl> url)>;

    virtual ~IFolderPermissions() = default;

    /// The number of folders in force.
    virtual int count() const = 0;
    /// The entry keys (folder paths) regained or granted during this run, in order; may repeat.
    virtual QStringList keys() const = 0;
    virtual QSet<QUrl> storedUrls() const = 0;
    virtual unsigned creationOptions() const = 0;
    virtual void setCreationOptions(unsigned options) = 0;
    virtual unsigned resolutionOptions() const = 0;
    virtual void setResolutionOptions(unsigned options) = 0;

    /// Bookmarks the folder and keeps it; nothing happens when it cannot be bookmarked or used.
    virtual void add(const QUrl &url) = 0;
    /// Forgets the folder with that path (every entry of it).
    virtual void remove(const QString &path) = 0;
    virtual void remove(const QUrl &url) = 0;
    /// Asks for the user's home folder in an open panel on `window`.
    virtual void requestUserFolderAccess(platform::ui::Window *window, Completion completion) = 0;
    /// Asks for a folder, starting at `directory`, in an open panel on `window`.
    virtual void requestAccess(platform::ui::Window *window, const QUrl &directory, Completion completion) = 0;
    virtual bool contains(const QUrl &url) const = 0;
    /// True for an empty list.
    virtual bool containsAll(const QList<QUrl> &urls) const = 0;
    virtual void removeAll() = 0;
};

} // namespace olvane
