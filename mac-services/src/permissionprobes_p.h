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

/// The protected-folder verdict over `folders` (absolute paths): every existing folder that is closed
/// to other users is listed with `list` in order (one open to everybody proves nothing); a refusal
/// (POSIX EACCES or EPERM) answers false at once; any other outcome counts as access; no such folder
/// at all answers false.
bool canListFolders(const QStringList &folders, const std::function<Listing(const QString &)> &list);

/// The home folders of the other people with an account in `passwd` (the file's text): user ids of
/// 1000 and above, but not `ownUid` nor the unprivileged "nobody" (65534); each with a trailing "/".
QStringList otherUsersHomes(const QByteArray &passwd, uint ownUid);

} // namespace olvane::permissionprobes
