#include "platform/desktop/freedesktopusernotificationcenter.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPointer>

namespace platform {

namespace {
    const QString kService = QStringLiteral("org.freedesktop.Notifications");
    const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
    // The freedesktop sound-naming name of the everyday "something arrived" sound.
    const QString kDefaultSound = QStringLiteral("message-new-instant");
}

FreedesktopUserNotificationCenter::FreedesktopUserNotificationCenter(
    QDBusConnection bus, QString applicationName, QObject *parent)
    : UserNotificationCenter(parent)
    , m_bus(std::move(bus))
    , m_applicationName(std::move(applicationName))
{
    if (m_applicationName.isEmpty())
        m_applicationName = QCoreApplication::applicationName();
    // Every delivery has an identifier of its own; without this the map would grow for ever.
    if (m_bus.isConnected())
        m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
            SLOT(serverClosedNotification(uint, uint)));
}

void FreedesktopUserNotificationCenter::serverClosedNotification(uint serverId, uint)
{
    // The server numbers the notifications of every application; only ours are known here.
    for (auto it = m_serverIds.begin(); it != m_serverIds.end(); ++it) {
        if (it->second == serverId) {
            const QString identifier = it->first;
            m_serverIds.erase(it);
            emit notificationClosed(identifier);
            return;
        }
    }
}

void FreedesktopUserNotificationCenter::serverAvailable(std::function<void(bool)> done)
{
    if (!m_bus.isConnected()) {
        QMetaObject::invokeMethod(
            this, [done] { done(false); }, Qt::QueuedConnection);
        return;
    }
    // Asking the server itself also starts a server that the bus activates on demand.
    const auto call = m_bus.asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetServerInformation")),
        kCallTimeout);
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        done(!w->isError());
    });
}

void FreedesktopUserNotificationCenter::requestAuthorization(AuthorizationOptions, AuthorizationCompletion done)
{
    serverAvailable([done](bool available) {
        if (done)
            done(available, std::nullopt);
    });
}

void FreedesktopUserNotificationCenter::getNotificationSettings(SettingsCompletion done)
{
    serverAvailable([done](bool available) {
        if (!done)
            return;
        NotificationSettings settings;
        settings.authorizationStatus = available ? AuthorizationStatus::Authorized : AuthorizationStatus::Denied;
        settings.alertStyle = available ? AlertStyle::Banner : AlertStyle::None;
        done(settings);
    });
}

void FreedesktopUserNotificationCenter::add(const NotificationRequest &request, AddCompletion done)
{
    if (!m_bus.isConnected()) {
        if (done)
            QMetaObject::invokeMethod(
                this,
                [done] {
                    done(UserNotificationError { QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
                        QStringLiteral("no bus connection") });
                },
                Qt::QueuedConnection);
        return;
    }
    // The body is markup for a server that says it reads markup there: a device name holding "<a href"
    // or "&" must show as written, never as a link or an image. The summary is plain text to every server.
    const auto call = m_bus.asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities")), kCallTimeout);
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, request, done](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> capabilities = *w;
        const bool bodyMarkup = !capabilities.isError() && capabilities.value().contains(QStringLiteral("body-markup"));
        notify(request, bodyMarkup, done);
    });
}

QString FreedesktopUserNotificationCenter::escapedMarkup(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            escaped += QStringLiteral("&amp;");
        else if (c == u'<')
            escaped += QStringLiteral("&lt;");
        else if (c == u'>')
            escaped += QStringLiteral("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

void FreedesktopUserNotificationCenter::notify(const NotificationRequest &request, bool bodyMarkup, AddCompletion done)
{
    QVariantMap hints;
    if (request.content.defaultSound)
        hints.insert(QStringLiteral("sound-name"), kDefaultSound);
    // The desktop entry names the application to the server (its settings, grouping); installing puts
    // the application's icon in the theme under the same name.
    const QString desktopEntry = QGuiApplication::desktopFileName();
    if (!desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), desktopEntry);
    const auto known = m_serverIds.find(request.identifier);
    const uint replaces = known == m_serverIds.end() ? 0u : known->second;

    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    message << m_applicationName << replaces << desktopEntry << request.content.title
            << (bodyMarkup ? escapedMarkup(request.content.body) : request.content.body) << QStringList() << hints
            << qint32(-1);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, kCallTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, done, identifier = request.identifier](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            QDBusPendingReply<uint> reply = *w;
            if (reply.isError()) {
                if (done)
                    done(UserNotificationError { reply.error().name(), reply.error().message() });
                return;
            }
            m_serverIds[identifier] = reply.value();
            if (done)
                done(std::nullopt);
        });
}

} // namespace platform
