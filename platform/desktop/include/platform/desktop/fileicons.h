#pragma once

#include "platform/ui/image.h"

#include <QString>
#include <QStringList>

namespace platform {

/// Pictures that stand for files, folders and kinds of content, taken from the user's icon theme.
///
/// Kinds of content are MIME type names ("text/plain", "inode/directory"). Every icon is 32 × 32
/// points. Where the theme has none of the names tried, a plain drawn sheet (or folder) stands in,
/// so every call gives a picture. Main thread only.
class FileIcons {
public:
    /// The icon of the item at `path`: its application's for an application bundle, the settings
    /// icons for the settings application and its panes, else its content type's. A missing item
    /// gets the plain sheet.
    static ui::Image iconForFile(const QString &path);
    /// The icon of a content type (MIME type name); the plain sheet for an unknown one.
    static ui::Image iconForContentType(const QString &contentType);
    /// The icon of the content type that a file name extension ("txt", no dot) suggests.
    static ui::Image iconForFileType(const QString &extension);

    /// The theme icon names tried for `path`, in order.
    static QStringList iconNamesForFile(const QString &path);
    /// The theme icon names tried for a content type, in order.
    static QStringList iconNamesForContentType(const QString &contentType);

    FileIcons() = delete;
};

} // namespace platform
