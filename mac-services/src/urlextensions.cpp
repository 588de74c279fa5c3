#include "olvane/urlextensions.h"

#include <QDir>
#include <QDirIterator>
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

quint64 UrlExtensions::size(const QUrl &url)
{
    if (!url.isLocalFile())
        return 0;
    const QFileInfo info(url.toLocalFile());
    if (info.isFile())
        return quint64(info.size());
    if (!info.isDir())
        return 0;
    quint64 total = 0;
    QDirIterator files(
        info.filePath(), QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        total += quint64(files.fileInfo().size());
    }
    return total;
}

} // namespace olvane
