#pragma once

#include <platform/ui/image.h>

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <optional>

namespace olvane {

/// The kind of item at a path.
enum class PathType { invalid, file, directory };

/// File-system utilities on paths and file URLs. Listings give file URLs; a folder's URL ends in "/"
/// (symbolic links count as what they are, not as what they point to). Hidden items are those whose
/// name starts with "."; packages are folders named like bundles (".app", ".bundle", ".framework",
/// ".plugin", ".appex", ".xpc", ".kext", ".prefPane"), listed as items but not entered unless a listing
/// says so.
///
/// Failures print one line, the error's description, on standard output, where an operation says
/// so; otherwise they give an empty or neutral result. Runs on the caller's thread, keeps no state.
class Path {
public:
    static PathType pathType(const QString &path);
    static bool isDirectory(const QString &path);
    static bool exists(const QString &path);
    static bool exists(const QUrl &url);

    /// The folder's items (not its descendants), hidden ones left out: its folders when `directories`,
    /// else everything else. A folder that cannot be listed prints its error and gives nothing.
    static QList<QUrl> contents(const QUrl &folder, bool directories);
    /// As contents(folder, directories); with `excludingUserLibrary`, items inside a user's library
    /// (a fourth path component, counting "/" as the first, of "Library") are left out too.
    static QList<QUrl> contents(const QUrl &folder, bool directories, bool excludingUserLibrary);
    /// Every folder below `folder`, packages and hidden items neither listed nor entered.
    static QList<QUrl> folders(const QUrl &folder);
    static QList<QUrl> folders(const QUrl &folder, bool excludingUserLibrary);
    /// Every item below `folder`, packages and hidden items neither listed nor entered.
    static QList<QUrl> items(const QUrl &folder);
    /// Every item below `folder` (package contents too, hidden items not) whose name ends in `suffix`.
    static QList<QUrl> items(const QUrl &folder, const QString &suffix);
    /// Every item below `folder` that is not a folder, packages and hidden items not entered.
    static QList<QUrl> files(const QUrl &folder);
    static QList<QUrl> files(const QUrl &folder, const QString &suffix);
    /// The application folders of the containers folder; without those whose name begins with
    /// "com.apple." when `excludingApple`.
    static QList<QUrl> containers(bool excludingApple);
    /// With `directories`, the number of folders below the folder's own folders (at any depth); else
    /// the number of other items inside its folders (at any depth). Items of the folder itself are not
    /// counted; symbolic links are not followed, a user's library is left out.
    static qint64 itemCount(const QUrl &folder, bool directories);

    /// The item's size in bytes; 0 for a folder or when it cannot be read.
    static std::uint64_t fileSize(const QUrl &url);
    /// The sizes of everything below the folder (hidden items and package contents too); 0 when it
    /// cannot be listed. Saturates at the largest 64-bit value.
    static std::uint64_t folderSize(const QUrl &url);

    static std::optional<QDateTime> creationDate(const QString &path);
    static std::optional<QDateTime> modificationDate(const QString &path);
    /// When the item was last used: its last access time (as the file system keeps it, which may be
    /// coarse). No value for an item this process cannot read.
    static std::optional<QDateTime> lastUsedDate(const QString &path);

    /// The icon of the item's content type; none when the item does not exist.
    static std::optional<platform::ui::Image> icon(const QUrl &url);
    /// The icon of the item at `path`; a plain picture when there is none.
    static platform::ui::Image icon(const QString &path);

    /// Removes the item (a folder with everything in it); a failure prints its error. True when
    /// afterwards nothing exists at the path, whatever the removal reported.
    static bool remove(const QUrl &url);

    /// `base` with each component appended in order; a component ending in "/" (or the last one when
    /// it names an existing folder, on older systems) makes a folder URL.
    static QUrl appending(const QUrl &base, const QStringList &components);

    Path() = delete;
};

} // namespace olvane
