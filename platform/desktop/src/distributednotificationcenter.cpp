#include "platform/desktop/distributednotificationcenter.h"

#include "platform/desktop/dbusdistributednotificationcenter.h"

#include <QCoreApplication>

#include <algorithm>

namespace platform {

namespace {
    DistributedNotificationCenter *s_installed = nullptr;
    QPointer<DistributedNotificationCenter> s_default;
}

DistributedNotificationCenter::DistributedNotificationCenter(QObject *parent)
    : QObject(parent)
{
}

DistributedNotificationCenter::~DistributedNotificationCenter() = default;

void DistributedNotificationCenter::addObserver(
    QObject *observer, const QString &name, const std::optional<QString> &object, Handler handler)
{
    Q_ASSERT(observer);
    if (!observer || !handler)
        return;
    m_registrations.push_back({ m_nextId++, observer, observer, name, object, std::move(handler) });
    // An observer that dies without unregistering must not be called, and its address may be reused.
    connect(
        observer, &QObject::destroyed, this, &DistributedNotificationCenter::observerDestroyed, Qt::UniqueConnection);
}

void DistributedNotificationCenter::observerDestroyed(QObject *observer) { forget(observer, nullptr); }

void DistributedNotificationCenter::removeObserver(QObject *observer, const QString &name) { forget(observer, &name); }

void DistributedNotificationCenter::removeObserver(QObject *observer) { forget(observer, nullptr); }

void DistributedNotificationCenter::forget(const QObject *observer, const QString *name)
{
    std::erase_if(
        m_registrations, [&](const Registration &r) { return r.key == observer && (!name || r.name == *name); });
}

void DistributedNotificationCenter::deliver(const DistributedNotification &notification)
{
    // Handlers may add or remove registrations; take the matching ids first and look each one up
    // again before calling it, so a registration removed meanwhile is skipped.
    std::vector<std::uint64_t> ids;
    for (const Registration &r : m_registrations) {
        if (r.name == notification.name && (!r.object || r.object == notification.object))
            ids.push_back(r.id);
    }
    for (std::uint64_t id : ids) {
        auto it = std::find_if(
            m_registrations.begin(), m_registrations.end(), [id](const Registration &r) { return r.id == id; });
        if (it == m_registrations.end() || !it->observer)
            continue;
        Handler handler = it->handler;
        handler(notification);
    }
}

DistributedNotificationCenter &DistributedNotificationCenter::current()
{
    if (s_installed)
        return *s_installed;
    if (!s_default) {
        // Owned by the application object, so it goes before the bus connection is torn down.
        s_default = new DBusDistributedNotificationCenter(QDBusConnection::sessionBus(), QCoreApplication::instance());
    }
    return *s_default;
}

ScopedDistributedNotificationCenter::ScopedDistributedNotificationCenter(DistributedNotificationCenter &center)
    : m_previous(s_installed)
{
    s_installed = &center;
}

ScopedDistributedNotificationCenter::~ScopedDistributedNotificationCenter() { s_installed = m_previous; }

} // namespace platform
