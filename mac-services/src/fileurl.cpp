#include "fileurl_p.h"

#include <QDir>

namespace olvane::fileurl {

QUrl make(const QString &path, bool isDirectory)
{
    QString clean = QDir::cleanPath(path);
    if (isDirectory && !clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return QUrl::fromLocalFile(clean);
}

QString path(const QUrl &url)
{
    QString local = url.toLocalFile();
    while (local.size() > 1 && local.endsWith(QLatin1Char('/')))
        local.chop(1);
    return local;
}

QUrl appending(const QUrl &base, const QString &component, bool isDirectory)
{
    QString parent = path(base);
    if (!parent.endsWith(QLatin1Char('/')))
        parent += QLatin1Char('/');
    return make(parent + component, isDirectory);
}

bool hasDirectoryPath(const QUrl &url) { return url.path().endsWith(QLatin1Char('/')); }

QString lastComponent(const QUrl &url)
{
    const QString p = path(url);
    if (p == QLatin1String("/"))
        return p;
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace olvane::fileurl
