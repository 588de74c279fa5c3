#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace platform {

/// A file URL whose bookmark was resolved.
struct ResolvedBookmark {
    QUrl url;
    /// The item at the bookmarked path is no longer the one that was bookmarked (it was replaced).
    bool isStale = false;
};

/// Bookmarks of files and folders, and access to them.
///
/// Linux has no sandbox that hands out access per folder: a bookmark is a plain stored path (with the
/// item's device and inode, to tell when another item took that path), and access is the ordinary
/// permission to read the item. The option bits (security scope: 2048 when creating, 1024 when
/// resolving) are accepted and change nothing. Failures carry a description; nothing throws.
class Bookmark {
public:
    static constexpr unsigned kCreationWithSecurityScope = 2048;
    static constexpr unsigned kResolutionWithSecurityScope = 1024;

    /// Bookmark data for the item a file URL names; none (and `error`) when the URL names nothing.
    static std::optional<QByteArray> create(const QUrl &url, unsigned options, QString *error = nullptr);
    /// The URL (a folder's ends in "/") the data names; none (and `error`) when the data is not a
    /// bookmark or nothing is at its path any more.
    static std::optional<ResolvedBookmark> resolve(const QByteArray &data, unsigned options, QString *error = nullptr);

    /// Whether the item behind the file URL can be used (it exists and is readable).
    static bool startAccessingSecurityScopedResource(const QUrl &url);
    /// Ends what the start began (nothing to end on Linux).
    static void stopAccessingSecurityScopedResource(const QUrl &url);

    Bookmark() = delete;
};

} // namespace platform
