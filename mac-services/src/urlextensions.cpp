#include "olvane/urlextensions.h"

#include <QDir>
#include <QFileInfo>

namespace olvane {

bool UrlExtensions::isSymbolicLink(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QString path = QDir::cleanPath(url.toLocalFile());
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return !resolved.isEmpty() && resolved != path;
}

} // namespace olvane
