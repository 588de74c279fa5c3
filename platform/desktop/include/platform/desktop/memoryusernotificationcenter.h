#pragma once

#include "platform/desktop/usernotificationcenter.h"

#include <QList>

namespace platform {

/// A scriptable user-notification centre for tests: the permission and alert style are whatever the
/// test sets, requests are recorded instead of shown, and failures can be injected. Completions
/// arrive through the event loop.
class MemoryUserNotificationCenter final : public UserNotificationCenter {
    Q_OBJECT
public:
    explicit MemoryUserNotificationCenter(QObject *parent = nullptr);

    void requestAuthorization(AuthorizationOptions options, AuthorizationCompletion done = {}) override;
    void getNotificationSettings(SettingsCompletion done) override;
    void add(const NotificationRequest &request, AddCompletion done = {}) override;

    void setAuthorizationStatus(AuthorizationStatus status) { m_settings.authorizationStatus = status; }
    void setAlertStyle(AlertStyle style) { m_settings.alertStyle = style; }
    /// The user's answer when permission is asked while not determined (an answer is remembered:
    /// asking again reports the earlier answer). Default: grants.
    void setUserGrants(bool grants) { m_userGrants = grants; }
    /// Makes later authorisation requests or additions fail with this error.
    void setAuthorizationError(std::optional<UserNotificationError> error) { m_authorizationError = std::move(error); }
    void setAddError(std::optional<UserNotificationError> error) { m_addError = std::move(error); }

    NotificationSettings settings() const { return m_settings; }
    /// Every authorisation request's options, oldest first.
    const QList<AuthorizationOptions> &authorizationRequests() const { return m_authorizationRequests; }
    /// Every added request, oldest first, and whether it came with a completion.
    const QList<NotificationRequest> &requests() const { return m_requests; }
    const QList<bool> &requestsHadCompletion() const { return m_requestsHadCompletion; }
    int settingsQueries() const { return m_settingsQueries; }

private:
    void later(std::function<void()> block);

    NotificationSettings m_settings;
    bool m_userGrants = true;
    std::optional<UserNotificationError> m_authorizationError;
    std::optional<UserNotificationError> m_addError;
    QList<AuthorizationOptions> m_authorizationRequests;
    QList<NotificationRequest> m_requests;
    QList<bool> m_requestsHadCompletion;
    int m_settingsQueries = 0;
};

} // namespace platform
