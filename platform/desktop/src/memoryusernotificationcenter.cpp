#include "platform/desktop/memoryusernotificationcenter.h"

#include <QPointer>

namespace platform {

MemoryUserNotificationCenter::MemoryUserNotificationCenter(QObject *parent)
    : UserNotificationCenter(parent)
{
}

void MemoryUserNotificationCenter::later(std::function<void()> block)
{
    QMetaObject::invokeMethod(this, std::move(block), Qt::QueuedConnection);
}

void MemoryUserNotificationCenter::requestAuthorization(AuthorizationOptions options, AuthorizationCompletion done)
{
    m_authorizationRequests.append(options);
    if (m_authorizationError) {
        if (done)
            later([done, error = *m_authorizationError] { done(false, error); });
        return;
    }
    if (m_settings.authorizationStatus == AuthorizationStatus::NotDetermined) {
        m_settings.authorizationStatus = m_userGrants ? AuthorizationStatus::Authorized : AuthorizationStatus::Denied;
        if (m_userGrants && m_settings.alertStyle == AlertStyle::None)
            m_settings.alertStyle = AlertStyle::Banner;
    }
    const bool granted = m_settings.authorizationStatus == AuthorizationStatus::Authorized
        || m_settings.authorizationStatus == AuthorizationStatus::Provisional
        || m_settings.authorizationStatus == AuthorizationStatus::Ephemeral;
    if (done)
        later([done, granted] { done(granted, std::nullopt); });
}

void MemoryUserNotificationCenter::getNotificationSettings(SettingsCompletion done)
{
    ++m_settingsQueries;
    if (done)
        later([done, settings = m_settings] { done(settings); });
}

void MemoryUserNotificationCenter::add(const NotificationRequest &request, AddCompletion done)
{
    m_requests.append(request);
    m_requestsHadCompletion.append(bool(done));
    if (done)
        later([done, error = m_addError] { done(error); });
}

} // namespace platform
