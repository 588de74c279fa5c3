#include "olvane/finder.h"

#include "fileurl_p.h"

#include <platform/desktop/workspace.h>

namespace olvane {

void Finder::reveal(const QUrl &url)
{
    const QString path = fileurl::path(url);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    QString root;
    if (slash == 0)
        root = QStringLiteral("/");
    else if (slash > 0)
        root = path.left(slash);
    platform::Workspace::current().selectFile(path, root);
}

} // namespace olvane
