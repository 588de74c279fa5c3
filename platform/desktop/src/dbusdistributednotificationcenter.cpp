#include "platform/desktop/dbusdistributednotificationcenter.h"

#include <QDBusMessage>

#include <atomic>
#include <cstdio>

namespace platform {

namespace {
    std::atomic_bool s_toldNoBus = false;
}

DBusDistributedNotificationCenter::DBusDistributedNotificationCenter(const QDBusConnection &connection, QObject *parent)
    : DistributedNotificationCenter(parent)
    , m_connection(connection)
{
    m_connected = m_connection.isConnected()
        && m_connection.connect(QString(), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
            QString::fromLatin1(kSignal), QStringLiteral("ssb"), this, SLOT(onPosted(QString, QString, bool)));
}

DBusDistributedNotificationCenter::~DBusDistributedNotificationCenter()
{
    if (m_connected) {
        m_connection.disconnect(QString(), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
            QString::fromLatin1(kSignal), QStringLiteral("ssb"), this, SLOT(onPosted(QString, QString, bool)));
    }
}

void DBusDistributedNotificationCenter::post(const QString &name, const std::optional<QString> &object)
{
    if (m_connected) {
        // Our own observers hear the post when the bus hands the signal back, in the same order
        // as everyone else.
        QDBusMessage signal = QDBusMessage::createSignal(
            QString::fromLatin1(kPath), QString::fromLatin1(kInterface), QString::fromLatin1(kSignal));
        signal << name << object.value_or(QString()) << object.has_value();
        if (m_connection.send(signal))
            return;
    }
    if (!s_toldNoBus.exchange(true))
        std::fputs("distributed notifications: no session bus, notifications stay inside this process\n", stderr);
    DistributedNotification notification { name, object };
    QMetaObject::invokeMethod(
        this, [this, notification] { deliver(notification); }, Qt::QueuedConnection);
}

void DBusDistributedNotificationCenter::onPosted(const QString &name, const QString &object, bool hasObject)
{
    deliver({ name, hasObject ? std::optional<QString>(object) : std::nullopt });
}

} // namespace platform
