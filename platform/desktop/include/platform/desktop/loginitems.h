#pragma once

#include "platform/core/value.h"
#include "platform/desktop/loginservice.h"

#include <QString>

#include <optional>

namespace platform {

/// Start at login for the user's session: the two mechanisms the application chooses between.
///
/// - Login items by bundle identifier: a small bundle kept in the main application's
///   `Contents/Library/LoginItems/` is switched on or off (`setLoginItemEnabled`), and the user's
///   start-at-login jobs can be listed as job dictionaries (`jobDictionaries`).
/// - Login services (`LoginService`): the main application itself, or a login item, registered,
///   unregistered and asked for its status.
///
/// Main thread only. Every call is synchronous and reads the state afresh; nothing is cached.
/// The process has one current backend (`current()`); tests install a `MemoryLoginItems` with
/// `ScopedLoginItems`.
class LoginItems {
public:
    virtual ~LoginItems() = default;

    /// Switches the login item with this bundle identifier on or off. False when that failed
    /// (no such bundle inside the main application, or the place is taken by someone else's entry).
    virtual bool setLoginItemEnabled(const QString &identifier, bool enabled) = 0;

    /// The user's start-at-login jobs: an array of dictionaries, each with "Label" (a string naming
    /// the job) and "OnDemand" (true when the job is switched on and starts the right program).
    /// Empty when the list cannot be read. Callers take the value as it comes and check its shape.
    virtual std::optional<Value> jobDictionaries() const = 0;

    virtual LoginServiceStatus status(const LoginService &service) const = 0;
    virtual LoginResult registerService(const LoginService &service) = 0;
    virtual LoginResult unregisterService(const LoginService &service) = 0;
    virtual void openSystemSettingsLoginItems() = 0;

    /// The backend in use: the one installed by the innermost `ScopedLoginItems`, else the desktop's
    /// (`XdgLoginItems` for the running application's bundle).
    static LoginItems &current();
};

/// Makes `items` the current backend for the lifetime of the guard.
class ScopedLoginItems {
public:
    explicit ScopedLoginItems(LoginItems &items);
    ~ScopedLoginItems();
    ScopedLoginItems(const ScopedLoginItems &) = delete;
    ScopedLoginItems &operator=(const ScopedLoginItems &) = delete;

private:
    LoginItems *m_previous;
};

} // namespace platform
