#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace olvane::permissionprobes {

/// The error beneath a failed listing: its domain ("NSPOSIXErrorDomain" for system error numbers) and code.
struct UnderlyingError {
    QString domain;
    int code = 0;
};

/// The outcome of listing one folder.
struct Listing {
    bool succeeded = true;
    std::optional<UnderlyingError> underlying;
};

inline const QString kPosixDomain = QStringLiteral("NSPOSIXErrorDomain");

/// Lists a folder with opendir; a failure carries its error number in the POSIX domain.
Listing listFolder(const QString &path);

/// Whether the contents of the file at `path` can be read.
bool canReadFile(const QString &path);

/// The protected-folder verdict over `folders` (paths with "~" for `home`): every existing folder is
/// listed with `list` in order; an underlying POSIX EPERM answers false at once; any other outcome counts
/// as access; no existing folder at all answers false.
bool canListFolders(
    const QStringList &folders, const QString &home, const std::function<Listing(const QString &)> &list);

} // namespace olvane::permissionprobes
