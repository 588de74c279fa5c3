#pragma once

#include <QFlags>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace platform {

/// Whether the user lets this program show notifications (values as the notification settings
/// report them).
enum class AuthorizationStatus { NotDetermined = 0, Denied = 1, Authorized = 2, Provisional = 3, Ephemeral = 4 };

/// How permitted notifications appear.
enum class AlertStyle { None = 0, Banner = 1, Alert = 2 };

/// What a program asks permission for.
enum class AuthorizationOption { Badge = 1, Sound = 2, Alert = 4 };
Q_DECLARE_FLAGS(AuthorizationOptions, AuthorizationOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(AuthorizationOptions)

struct NotificationSettings {
    AuthorizationStatus authorizationStatus = AuthorizationStatus::NotDetermined;
    AlertStyle alertStyle = AlertStyle::None;
};

/// What a notification shows.
struct NotificationContent {
    QString title;
    QString body;
    /// Plays the desktop's default notification sound.
    bool defaultSound = false;

    bool operator==(const NotificationContent &) const = default;
};

/// One notification, shown at once (there are no triggers). A request with the identifier of an
/// earlier one replaces it.
struct NotificationRequest {
    QString identifier;
    NotificationContent content;

    bool operator==(const NotificationRequest &) const = default;
};

struct UserNotificationError {
    QString name;
    QString message;

    bool operator==(const UserNotificationError &) const = default;
};

/// Notifications shown to the user by the desktop.
///
/// Main thread only. Every completion arrives later from the event loop, never inside the call.
class UserNotificationCenter : public QObject {
    Q_OBJECT
public:
    using AuthorizationCompletion = std::function<void(bool granted, std::optional<UserNotificationError> error)>;
    using SettingsCompletion = std::function<void(NotificationSettings settings)>;
    using AddCompletion = std::function<void(std::optional<UserNotificationError> error)>;

    /// Asks the user for permission (when the desktop asks at all); the completion gets whether it
    /// was granted, or the error that kept the question from being asked.
    virtual void requestAuthorization(AuthorizationOptions options, AuthorizationCompletion done = {}) = 0;
    virtual void getNotificationSettings(SettingsCompletion done) = 0;
    /// Shows the notification; the completion gets the error when it could not be handed over.
    virtual void add(const NotificationRequest &request, AddCompletion done = {}) = 0;

    /// The centre of this process: the one installed by a ScopedUserNotificationCenter, else the
    /// freedesktop one on the session bus.
    static UserNotificationCenter &current();

protected:
    explicit UserNotificationCenter(QObject *parent = nullptr);
};

/// Installs a centre for the lifetime of the guard, then restores the previous one.
class ScopedUserNotificationCenter {
public:
    explicit ScopedUserNotificationCenter(UserNotificationCenter &center);
    ~ScopedUserNotificationCenter();
    ScopedUserNotificationCenter(const ScopedUserNotificationCenter &) = delete;
    ScopedUserNotificationCenter &operator=(const ScopedUserNotificationCenter &) = delete;

private:
    UserNotificationCenter *m_previous;
};

} // namespace platform
