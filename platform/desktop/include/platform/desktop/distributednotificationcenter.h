#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

/// One notification that crosses process boundaries: a name and an optional object text. Nothing
/// else travels with it.
struct DistributedNotification {
    QString name;
    std::optional<QString> object;

    bool operator==(const DistributedNotification &) const = default;
};

/// The notification centre shared by the processes of one user session.
///
/// Observers register for a name, optionally narrowed to one object text: such an observer receives
/// only posts whose object equals it exactly, and a post without an object reaches only observers
/// registered without one. A post reaches the observers of the posting process too.
///
/// Main thread only. Handlers run later from the event loop, never inside `post` or `addObserver`.
/// A registration ends with `removeObserver` or when its observer object is destroyed. Posting
/// reports nothing back: a notification nobody observes is lost.
class DistributedNotificationCenter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const DistributedNotification &)>;

    ~DistributedNotificationCenter() override;

    /// Registers `handler` for `name`; with `object`, only for posts carrying that object.
    /// `observer` identifies the registration for removal and must not be null.
    void addObserver(QObject *observer, const QString &name, const std::optional<QString> &object, Handler handler);
    /// Ends every registration of `observer` for `name`, whatever object it was narrowed to.
    void removeObserver(QObject *observer, const QString &name);
    /// Ends every registration of `observer`.
    void removeObserver(QObject *observer);

    /// Sends the notification to every observer of the session, this process included.
    virtual void post(const QString &name, const std::optional<QString> &object = std::nullopt) = 0;

    /// The centre of this process: the one installed by a ScopedDistributedNotificationCenter, else a
    /// D-Bus centre on the session bus, made on first use. Needs a QCoreApplication.
    static DistributedNotificationCenter &current();

protected:
    explicit DistributedNotificationCenter(QObject *parent = nullptr);

    /// Hands an arrived notification to the matching observers, in registration order.
    void deliver(const DistributedNotification &notification);

private slots:
    void observerDestroyed(QObject *observer);

private:
    struct Registration {
        std::uint64_t id;
        QPointer<QObject> observer;
        const QObject *key;
        QString name;
        std::optional<QString> object;
        Handler handler;
    };
    void forget(const QObject *observer, const QString *name);

    std::vector<Registration> m_registrations;
    std::uint64_t m_nextId = 1;
};

/// Installs a centre for the lifetime of the guard, then restores the previous one.
class ScopedDistributedNotificationCenter {
public:
    explicit ScopedDistributedNotificationCenter(DistributedNotificationCenter &center);
    ~ScopedDistributedNotificationCenter();
    ScopedDistributedNotificationCenter(const ScopedDistributedNotificationCenter &) = delete;
    ScopedDistributedNotificationCenter &operator=(const ScopedDistributedNotificationCenter &) = delete;

private:
    DistributedNotificationCenter *m_previous;
};

} // namespace platform
