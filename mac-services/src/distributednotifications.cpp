#include "olvane/distributednotifications.h"

namespace olvane {

using platform::DistributedNotificationCenter;

void DistributedNotifications::addObserver(QObject *observer, Handler action, const QString &name)
{
    DistributedNotificationCenter::current().addObserver(observer, name, std::nullopt, std::move(action));
}

void DistributedNotifications::addObserver(
    QObject *observer, Handler action, const QString &name, const std::optional<QString> &object)
{
    DistributedNotificationCenter::current().addObserver(observer, name, object, std::move(action));
}

void DistributedNotifications::removeObserver(QObject *observer, const QString &name)
{
    DistributedNotificationCenter::current().removeObserver(observer, name);
}

void DistributedNotifications::post(const QString &name, const std::optional<QString> &object)
{
    DistributedNotificationCenter::current().post(name, object);
}

} // namespace olvane
