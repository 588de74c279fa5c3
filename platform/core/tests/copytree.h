#pragma once
// Copies a folder tree (an application bundle, say) file by file, programs staying executable.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace platform {

inline bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target))
            return false;
        QFile::setPermissions(target, QFileInfo(file).permissions());
    }
    return true;
}

} // namespace platform
