#pragma once

#include <platform/core/notificationcenter.h>
#include <platform/desktop/usernotificationcenter.h>

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace tavrin {

/// Static helpers over the process's notification centre (in-process events by name) and the
/// user-notification centre (notifications the desktop shows).
///
/// The completions of the user-notification helpers run when the desktop answers, from the event
/// loop; they never run inside the call.
class Notifications {
public:
    Notifications() = delete;

    using Token = platform::NotificationCenter::Token;
    /// The granted flag, or the error that kept permission from being asked.
    using AuthorizationResult = std::variant<bool, platform::UserNotificationError>;

    /// Calls `method` of `observer` (`void T::f(const platform::Notification &)` or `void T::f()`)
    /// for every notification named `name`, with any object or, given an object, only with that one.
    /// The centre does not keep the observer alive.
    template <typename T, typename Method>
    static Token addObserver(
        T *observer, Method method, const QString &name, const platform::NotificationObject &object = {})
    {
        return platform::NotificationCenter::defaultCenter().addObserver(observer, method, name, object);
    }
    static Token addObserver(QObject *observer, const QString &name, platform::NotificationCenter::Handler handler,
        const platform::NotificationObject &object = {});
    static void removeObserver(const QObject *observer, const QString &name);
    static void post(const QString &name);
    /// An absent object posts exactly like post().
    static void postWithObject(const QString &name, const platform::NotificationObject &object);

    /// Asks for permission to show alerts, badges and sounds.
    static void requestAuthorization(std::function<void(AuthorizationResult)> completion = {});
    /// Whether notifications can appear: permitted (authorised or provisional) with a banner or
    /// alert style.
    static void checkAlertsEnabled(std::function<void(bool)> completion);
    /// Shows a notification with the default sound now, under a fresh identifier, when permitted
    /// (authorised or provisional); otherwise nothing happens and the completion is never called.
    static void deliver(const QString &title, const QString &body,
        std::function<void(std::optional<platform::UserNotificationError>)> completion = {});

    /// The option set of requestAuthorization: alert | badge | sound.
    static platform::AuthorizationOptions authorizationOptions();
    static bool isPermitted(platform::AuthorizationStatus status);
    static bool alertsEnabled(const platform::NotificationSettings &settings);
};

} // namespace tavrin
