#pragma once

#include "platform/desktop/usernotificationcenter.h"

#include <QDBusConnection>

#include <map>

namespace platform {

/// User notifications through the desktop's notification server, `org.freedesktop.Notifications`
/// on the given bus.
///
/// There is no separate permission on such desktops: notifications are authorised (with banner
/// style) exactly when a notification server answers, and denied otherwise; asking for permission
/// asks nothing and reports that. A request with the identifier of an earlier one replaces that
/// notification on the server while it is open; once the server reports it closed, its identifier
/// is forgotten and a request with it shows a new notification.
///
/// Each notification names the application's desktop entry (`QGuiApplication::desktopFileName()`) in
/// the "desktop-entry" hint and as its icon (the installed icon has the entry's name). The summary is
/// sent as plain text; the body has its markup characters escaped when the server announces
/// "body-markup" (asked before every notification), so that texts from devices show as written.
class FreedesktopUserNotificationCenter final : public UserNotificationCenter {
    Q_OBJECT
public:
    /// `applicationName` is the name the server shows; empty: the application's name.
    explicit FreedesktopUserNotificationCenter(
        QDBusConnection bus, QString applicationName = {}, QObject *parent = nullptr);

    void requestAuthorization(AuthorizationOptions options, AuthorizationCompletion done = {}) override;
    void getNotificationSettings(SettingsCompletion done) override;
    void add(const NotificationRequest &request, AddCompletion done = {}) override;

    /// `&`, `<` and `>` as the entities of the notification markup.
    static QString escapedMarkup(const QString &text);

    /// Notifications delivered through this center that the server has not reported closed.
    std::size_t openNotificationCount() const { return m_serverIds.size(); }

    /// How long a call to the server may take before it counts as failed, in milliseconds.
    static constexpr int kCallTimeout = 5000;

signals:
    /// The server closed the notification of this request (expired, dismissed or replaced away).
    void notificationClosed(const QString &identifier);

private slots:
    void serverClosedNotification(uint serverId, uint reason);

private:
    void serverAvailable(std::function<void(bool)> done);
    void notify(const NotificationRequest &request, bool bodyMarkup, AddCompletion done);

    QDBusConnection m_bus;
    QString m_applicationName;
    std::map<QString, uint> m_serverIds; // request identifier -> server notification id
};

} // namespace platform
