#pragma once

#include "platform/desktop/distributednotificationcenter.h"

#include <QDBusConnection>

namespace platform {

/// Distributed notifications as D-Bus signals: every post is the signal `Posted(name, object,
/// hasObject)` of interface `kInterface` on object path `kPath`, broadcast on the given bus; every
/// connection that observes anything listens to that signal from any sender. A post without an object
/// carries an empty object text and hasObject false.
///
/// When the connection is not connected (no session bus), posts are delivered only to this process's
/// observers, and the first post says so once on standard error.
class DBusDistributedNotificationCenter final : public DistributedNotificationCenter {
    Q_OBJECT
public:
    static constexpr auto kInterface = "org.quenby.DistributedNotificationCenter";
    static constexpr auto kPath = "/org/quenby/DistributedNotificationCenter";
    static constexpr auto kSignal = "Posted";

    explicit DBusDistributedNotificationCenter(const QDBusConnection &connection, QObject *parent = nullptr);
    ~DBusDistributedNotificationCenter() override;

    void post(const QString &name, const std::optional<QString> &object = std::nullopt) override;

    /// False when posts stay inside this process.
    bool isConnected() const { return m_connected; }

private slots:
    void onPosted(const QString &name, const QString &object, bool hasObject);

private:
    QDBusConnection m_connection;
    bool m_connected = false;
};

} // namespace platform
