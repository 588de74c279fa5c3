#include "olvane/systemroot.h"

#include <QDir>

namespace olvane {

namespace {
    QString s_root = QStringLiteral("/");
    quint64 s_generation = 0;
}

QString SystemRoot::path() { return s_root; }

void SystemRoot::setPath(const QString &path)
{
    s_root = path.isEmpty() ? QStringLiteral("/") : QDir::cleanPath(path);
    ++s_generation;
}

QString SystemRoot::file(const QString &absolutePath)
{
    if (s_root == QLatin1String("/"))
        return absolutePath;
    return s_root + (absolutePath.startsWith(QLatin1Char('/')) ? absolutePath : QLatin1Char('/') + absolutePath);
}

quint64 SystemRoot::generation() { return s_generation; }

ScopedSystemRoot::ScopedSystemRoot(const QString &path)
    : m_previous(SystemRoot::path())
{
    SystemRoot::setPath(path);
}

ScopedSystemRoot::~ScopedSystemRoot() { SystemRoot::setPath(m_previous); }

} // namespace olvane
