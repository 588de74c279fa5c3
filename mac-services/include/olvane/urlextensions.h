#pragma once

#include <QUrl>

namespace olvane {

/// URL helpers.
class UrlExtensions {
public:
    /// Whether resolving the symbolic links in the file URL's path changes it (a URL that names nothing
    /// on disk has nothing to resolve).
    static bool isSymbolicLink(const QUrl &url);

    UrlExtensions() = delete;
};

} // namespace olvane
