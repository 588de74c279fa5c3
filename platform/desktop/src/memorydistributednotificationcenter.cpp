#include "platform/desktop/memorydistributednotificationcenter.h"

namespace platform {

MemoryDistributedNotificationCenter::MemoryDistributedNotificationCenter(QObject *parent)
    : DistributedNotificationCenter(parent)
{
}

void MemoryDistributedNotificationCenter::post(const QString &name, const std::optional<QString> &object)
{
    DistributedNotification notification { name, object };
    m_posted.append(notification);
    emit didPost(notification);
    receive(notification);
}

void MemoryDistributedNotificationCenter::receive(const DistributedNotification &notification)
{
    QMetaObject::invokeMethod(
        this, [this, notification] { deliver(notification); }, Qt::QueuedConnection);
}

} // namespace platform
