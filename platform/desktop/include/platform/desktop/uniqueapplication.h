#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace platform {

/// One running copy of an application per user session, as an application bundle runs once.
///
/// The first copy owns a well-known name on the session bus (the bundle identifier) and serves
/// `org.freedesktop.Application.Activate` at "/"; a later copy finds the name taken, asks the owner
/// to activate and is then expected to exit. Without a session bus every copy is the first (there is
/// nothing to hand over to). Main thread only.
class UniqueApplication : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    /// Asks for the name for `bundleIdentifier` on `bus`; the answer is taken when it is first needed.
    explicit UniqueApplication(
        const QString &bundleIdentifier, const QDBusConnection &bus = QDBusConnection::sessionBus());
    ~UniqueApplication() override;

    /// The bus name used for a bundle identifier ("com.velmorn.quenby" stays as it is; characters
    /// a bus name cannot hold become "_").
    static QString serviceName(const QString &bundleIdentifier);

    /// Whether this copy owns the name (waits for the bus's answer the first time).
    bool isPrimary() const;
    /// Asks the copy that owns the name to come forward, passing on this start's activation token
    /// ("activation-token" in the platform data) so that the compositor lets it raise its window;
    /// waits up to `timeoutMs` for its answer. False when it could not be reached.
    bool activatePrimary(int timeoutMs = 5000) const;

public slots:
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData);

signals:
    /// Another start of the application asked this copy to come forward. Its activation token (empty
    /// when it had none) is already the one the next window brought forward presents.
    void activated(const QString &activationToken);

private:
    QString m_service;
    QDBusConnection m_bus;
    mutable std::optional<QDBusPendingCall> m_nameRequest;
    mutable bool m_primary = false;
};

} // namespace platform
