#pragma once

#include <QString>
#include <QUrl>

namespace olvane::fileurl {

/// The file URL of `path`; with `isDirectory` it ends in "/" (as folder URLs do).
QUrl make(const QString &path, bool isDirectory);
/// The local path of a file URL without a trailing "/" ("/" stays "/").
QString path(const QUrl &url);
/// `base` with `component` appended; a directory URL when `isDirectory`.
QUrl appending(const QUrl &base, const QString &component, bool isDirectory);
/// Whether the URL's path ends in "/" (a folder URL).
bool hasDirectoryPath(const QUrl &url);
/// The last component of the URL's path.
QString lastComponent(const QUrl &url);

} // namespace olvane::fileurl
