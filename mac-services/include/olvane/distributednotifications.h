#pragma once

#include "platform/desktop/distributednotificationcenter.h"

#include <QObject>
#include <QString>

#include <optional>

namespace olvane {

/// The one door to notifications shared with other processes of the session: the launcher's
/// "killme" and the requests to the helper application. Only a name and an optional object text
/// travel; the names belong to their users.
///
/// Everything goes through platform::DistributedNotificationCenter::current(). Main thread only;
/// observers are called later from the event loop, and a registration ends with removeObserver or
/// when the observer is destroyed.
class DistributedNotifications {
public:
    DistributedNotifications() = delete;

    using Notification = platform::DistributedNotification;
    using Handler = platform::DistributedNotificationCenter::Handler;

    /// Observes `name` from any sender, with or without object.
    static void addObserver(QObject *observer, Handler action, const QString &name);
    /// Observes `name` posted with exactly `object`; no object means any object.
    static void addObserver(
        QObject *observer, Handler action, const QString &name, const std::optional<QString> &object);

    /// The same with a member function of the observer as its action.
    template <typename T>
    static void addObserver(T *observer, void (T::*selector)(const Notification &), const QString &name,
        const std::optional<QString> &object = std::nullopt)
    {
        addObserver(
            observer, [observer, selector](const Notification &n) { (observer->*selector)(n); }, name, object);
    }

    /// Ends the observer's registrations for `name`, whatever object they were narrowed to; its
    /// registrations for other names stay.
    static void removeObserver(QObject *observer, const QString &name);

    /// Posts `name` with `object` (none by default) to every observer of the session at once.
    static void post(const QString &name, const std::optional<QString> &object = std::nullopt);
};

} // namespace olvane
