#pragma once

#include "platform/core/notification.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <vector>

namespace platform {

/// In-process broadcast of named notifications.
///
/// Posting calls every matching observer synchronously on the posting thread, in the order they were
/// added, before `post` returns. An observer matches when its name equals the posted name and its
/// object filter is none or equals the posted object. Observers added during a post are not called
/// for that post; observers removed during a post are not called after their removal.
///
/// The centre never keeps an observer alive: an observer `QObject` that is destroyed without being
/// removed is skipped and forgotten. Adding, removing and posting are safe from any thread.
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification &)>;

    /// Identifies one registration; hand it back to removeObserver. Default-constructed: none.
    class Token {
    public:
        Token() = default;
        explicit operator bool() const { return m_id != 0; }
        bool operator==(const Token &) const = default;

    private:
        friend class NotificationCenter;
        explicit Token(quint64 id)
            : m_id(id)
        {
        }
        quint64 m_id = 0;
    };

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter &) = delete;
    NotificationCenter &operator=(const NotificationCenter &) = delete;

    /// The process's centre.
    static NotificationCenter &defaultCenter();

    /// Calls `handler` while `observer` is alive; removable by observer or by token.
    Token addObserver(QObject *observer, const QString &name, Handler handler, const NotificationObject &object = {});
    /// Calls a member function of the observer: `void T::f(const Notification &)` or `void T::f()`.
    template <typename T, typename Method>
    requires std::is_base_of_v<QObject, T> Token addObserver(
        T *observer, Method method, const QString &name, const NotificationObject &object = {})
    {
        Handler handler;
        if constexpr (std::is_invocable_v<Method, T *, const Notification &>)
            handler = [observer, method](const Notification &n) { std::invoke(method, observer, n); };
        else
            handler = [observer, method](const Notification &) { std::invoke(method, observer); };
        return addObserver(static_cast<QObject *>(observer), name, std::move(handler), object);
    }
    /// An observer without an object: it stays until its token is removed.
    Token addObserver(const QString &name, Handler handler, const NotificationObject &object = {});

    void removeObserver(const Token &token);
    /// Every registration of the observer.
    void removeObserver(const QObject *observer);
    /// The observer's registrations for `name`; with an object, only those filtering on that object.
    void removeObserver(const QObject *observer, const QString &name, const NotificationObject &object = {});

    void post(const QString &name, const NotificationObject &object = {});
    void post(const Notification &notification);

    /// Registrations whose observer is still alive (diagnostics and tests).
    std::size_t observerCount() const;

private:
    struct Entry;
    Token add(std::shared_ptr<Entry> entry);

    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Entry>> m_entries;
    quint64 m_nextId = 1;
};

} // namespace platform
