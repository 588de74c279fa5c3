#pragma once

#include <QUrl>

namespace olvane {

/// URL helpers.
class UrlExtensions {
public:
    /// Whether resolving the symbolic links in the file URL's path changes it (a URL that names nothing
    /// on disk has nothing to resolve).
    static bool isSymbolicLink(const QUrl &url);
    /// Bytes behind a file URL: a file's size, the sum of the regular files anywhere inside a folder
    /// (links inside it are not followed), 0 for anything else or nothing.
    static quint64 size(const QUrl &url);

    UrlExtensions() = delete;
};

} // namespace olvane
