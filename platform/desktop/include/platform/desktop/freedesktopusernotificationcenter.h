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
/// notification on the server.
class FreedesktopUserNotificationCenter final : public UserNotificationCenter {
    Q_OBJECT
public:
    /// `applicationName` is the name the server shows; empty: the application's name.
    explicit FreedesktopUserNotificationCenter(
        QDBusConnection bus, QString applicationName = {}, QObject *parent = nullptr);

    void requestAuthorization(AuthorizationOptions options, AuthorizationCompletion done = {}) override;
    void getNotificationSettings(SettingsCompletion done) override;
    void add(const NotificationRequest &request, AddCompletion done = {}) override;

    /// How long a call to the server may take before it counts as failed, in milliseconds.
    static constexpr int kCallTimeout = 5000;

private:
    void serverAvailable(std::function<void(bool)> done);

    QDBusConnection m_bus;
    QString m_applicationName;
    std::map<QString, uint> m_serverIds; // request identifier -> server notification id
};

} // namespace platform
