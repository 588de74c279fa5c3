#pragma once

#include <QString>

#include <optional>

namespace olvane::directory {

/// The user's real home folder: `accountHome`, the login's home folder as the password database
/// gives it (a sandbox's home, or a changed $HOME, is not the user's own folder); without one, the
/// process's `homeDirectory`; without either, "/home/" and the login name.
QString realHome(const QString &homeDirectory, const QString &accountHome, const QString &loginName);

/// Makes the password database report `home` as the login's home folder while the guard lives
/// (tests).
class ScopedAccountHome {
public:
    explicit ScopedAccountHome(const QString &home);
    ~ScopedAccountHome();
    ScopedAccountHome(const ScopedAccountHome &) = delete;
    ScopedAccountHome &operator=(const ScopedAccountHome &) = delete;

private:
    std::optional<QString> m_previous;
};

/// The XDG base directory `value` names when it is an absolute path, else `fallback`.
QString xdgFolder(const QString &value, const QString &fallback);

} // namespace olvane::directory
