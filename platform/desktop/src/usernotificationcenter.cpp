#include "platform/desktop/usernotificationcenter.h"

#include "platform/desktop/freedesktopusernotificationcenter.h"

#include <QCoreApplication>
#include <QPointer>

namespace platform {

namespace {
    UserNotificationCenter *s_installed = nullptr;
    QPointer<UserNotificationCenter> s_default;
}

UserNotificationCenter::UserNotificationCenter(QObject *parent)
    : QObject(parent)
{
}

UserNotificationCenter &UserNotificationCenter::current()
{
    if (s_installed)
        return *s_installed;
    if (!s_default)
        s_default
            = new FreedesktopUserNotificationCenter(QDBusConnection::sessionBus(), {}, QCoreApplication::instance());
    return *s_default;
}

ScopedUserNotificationCenter::ScopedUserNotificationCenter(UserNotificationCenter &center)
    : m_previous(s_installed)
{
    s_installed = &center;
}

ScopedUserNotificationCenter::~ScopedUserNotificationCenter() { s_installed = m_previous; }

} // namespace platform
