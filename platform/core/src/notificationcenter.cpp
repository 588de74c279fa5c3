#include "platform/core/notificationcenter.h"

#include <atomic>

namespace platform {

NotificationObject::NotificationObject(Value value)
{
    if (!value.isNull())
        m_value = std::move(value);
}

NotificationObject::NotificationObject(const std::optional<Value> &value)
    : NotificationObject(value.value_or(Value()))
{
}

bool NotificationObject::operator==(const NotificationObject &other) const
{
    if (m_identity || other.m_identity)
        return m_identity == other.m_identity;
    return m_value == other.m_value;
}

QString NotificationObject::debugText() const
{
    if (m_value)
        return m_value->debugText();
    if (m_identity)
        return QStringLiteral("%1 at 0x%2")
            .arg(QString::fromLatin1(m_type->name()))
            .arg(reinterpret_cast<quintptr>(m_identity), 0, 16);
    return QStringLiteral("none");
}

struct NotificationCenter::Entry {
    quint64 id = 0;
    QString name;
    NotificationObject filter;
    Handler handler;
    bool hasObserver = false;
    const QObject *observerAddress = nullptr; // for removal by observer; never dereferenced
    QPointer<QObject> observer;
    std::atomic<bool> removed = false;

    bool alive() const { return !removed && (!hasObserver || observer); }
};

NotificationCenter::NotificationCenter() = default;
NotificationCenter::~NotificationCenter() = default;

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::add(std::shared_ptr<Entry> entry)
{
    std::lock_guard lock(m_mutex);
    // Forget observers that went away since the last registration.
    std::erase_if(m_entries, [](const auto &e) { return !e->alive(); });
    entry->id = m_nextId++;
    m_entries.push_back(entry);
    return Token(entry->id);
}

NotificationCenter::Token NotificationCenter::addObserver(
    QObject *observer, const QString &name, Handler handler, const NotificationObject &object)
{
    if (!observer)
        return addObserver(name, std::move(handler), object);
    auto entry = std::make_shared<Entry>();
    entry->name = name;
    entry->filter = object;
    entry->handler = std::move(handler);
    entry->hasObserver = true;
    entry->observerAddress = observer;
    entry->observer = observer;
    return add(std::move(entry));
}

NotificationCenter::Token NotificationCenter::addObserver(
    const QString &name, Handler handler, const NotificationObject &object)
{
    auto entry = std::make_shared<Entry>();
    entry->name = name;
    entry->filter = object;
    entry->handler = std::move(handler);
    return add(std::move(entry));
}

void NotificationCenter::removeObserver(const Token &token)
{
    if (!token)
        return;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const auto &e) {
        if (e->id != token.m_id)
            return false;
        e->removed = true;
        return true;
    });
}

void NotificationCenter::removeObserver(const QObject *observer)
{
    if (!observer)
        return;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const auto &e) {
        if (!e->hasObserver || e->observerAddress != observer)
            return false;
        e->removed = true;
        return true;
    });
}

void NotificationCenter::removeObserver(const QObject *observer, const QString &name, const NotificationObject &object)
{
    if (!observer)
        return;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const auto &e) {
        if (!e->hasObserver || e->observerAddress != observer || e->name != name)
            return false;
        if (object && !(e->filter == object))
            return false;
        e->removed = true;
        return true;
    });
}

void NotificationCenter::post(const QString &name, const NotificationObject &object)
{
    post(Notification { name, object });
}

void NotificationCenter::post(const Notification &notification)
{
    std::vector<std::shared_ptr<Entry>> matching;
    {
        std::lock_guard lock(m_mutex);
        for (const auto &e : m_entries) {
            if (e->name == notification.name && (e->filter.isNone() || e->filter == notification.object))
                matching.push_back(e);
        }
    }
    // Handlers run without the lock so they may post, add and remove themselves.
    for (const auto &e : matching) {
        if (e->alive())
            e->handler(notification);
    }
}

std::size_t NotificationCenter::observerCount() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<std::size_t>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const auto &e) { return e->alive(); }));
}

} // namespace platform
