#pragma once

#include <QString>

namespace olvane::directory {

/// The user's real home folder from the process's home folder: its first two components (a
/// sandbox's home lies below the real one), else `accountHome` (the login's home folder).
QString realHome(const QString &homeDirectory, const QString &accountHome);

/// The XDG base directory `value` names when it is an absolute path, else `fallback`.
QString xdgFolder(const QString &value, const QString &fallback);

} // namespace olvane::directory
