#pragma once

#include <QString>

namespace platform {

/// Where a login service stands, numbered as the application's code compares them.
enum class LoginServiceStatus : int {
    NotRegistered = 0, ///< nothing starts it at login (or the name is taken by someone else's entry)
    Enabled = 1, ///< it starts at login
    RequiresApproval = 2, ///< registered, but the user has to allow it first
    NotFound = 3, ///< the program it would start cannot be found
};

/// The outcome of registering or unregistering: success, or the reason it failed.
struct LoginResult {
    bool ok = true;
    QString error;

    static LoginResult success() { return {}; }
    static LoginResult failure(QString why) { return { false, std::move(why) }; }
    explicit operator bool() const { return ok; }
};

/// A program that can start at login: the main application itself, or a login-item bundle kept
/// inside it (`Contents/Library/LoginItems/<Name>.app`) named by its bundle identifier.
///
/// A handle with value semantics: it holds no state of its own, and every call asks the current
/// `LoginItems` backend afresh. Main thread only; every call is synchronous.
class LoginService {
public:
    enum class Kind { MainApp, LoginItem };

    /// The running application's own service.
    static LoginService mainApp() { return LoginService(Kind::MainApp, {}); }
    /// The service of the login item with this bundle identifier.
    static LoginService loginItem(const QString &identifier) { return LoginService(Kind::LoginItem, identifier); }

    Kind kind() const { return m_kind; }
    /// The login item's bundle identifier; empty for the main application.
    QString identifier() const { return m_identifier; }

    LoginServiceStatus status() const;
    /// Makes the program start at login. Registering does not grant an approval the user still owes.
    LoginResult registerService() const;
    /// Stops the program from starting at login.
    LoginResult unregisterService() const;

    /// Shows the user where login items are managed, when the desktop has such a place.
    static void openSystemSettingsLoginItems();

    bool operator==(const LoginService &other) const = default;

private:
    LoginService(Kind kind, QString identifier)
        : m_kind(kind)
        , m_identifier(std::move(identifier))
    {
    }

    Kind m_kind;
    QString m_identifier;
};

} // namespace platform
