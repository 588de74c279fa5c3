#include "platform/desktop/uniqueapplication.h"

#include "platform/desktop/activationtoken.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace platform {

namespace {
    const QString kPath = QStringLiteral("/");
    const QString kInterface = QStringLiteral("org.freedesktop.Application");
    const QString kActivationToken = QStringLiteral("activation-token");
}

QString UniqueApplication::serviceName(const QString &bundleIdentifier)
{
    QString name;
    for (const QChar c : bundleIdentifier)
        name += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('.') || c == QLatin1Char('-')
            ? c
            : QLatin1Char('_');
    // A bus name needs two elements, none empty or starting with a digit.
    QStringList elements = name.split(QLatin1Char('.'));
    for (QString &element : elements) {
        if (element.isEmpty() || element.front().isDigit())
            element.prepend(QLatin1Char('_'));
    }
    if (elements.size() < 2)
        elements.prepend(QStringLiteral("app"));
    return elements.join(QLatin1Char('.'));
}

UniqueApplication::UniqueApplication(const QString &bundleIdentifier, const QDBusConnection &bus)
    : m_service(serviceName(bundleIdentifier))
    , m_bus(bus)
{
    if (!m_bus.isConnected() || !m_bus.interface()) {
        m_primary = true;
        return;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = m_bus.interface()->registerService(
        m_service, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    m_primary = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (m_primary)
        m_bus.registerObject(kPath, kInterface, this, QDBusConnection::ExportScriptableSlots);
}

UniqueApplication::~UniqueApplication()
{
    if (m_primary && m_bus.isConnected()) {
        m_bus.unregisterObject(kPath);
        m_bus.unregisterService(m_service);
    }
}

bool UniqueApplication::activatePrimary(int timeoutMs) const
{
    if (m_primary || !m_bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(m_service, kPath, kInterface, QStringLiteral("Activate"));
    QVariantMap platformData;
    if (const QString token = launchActivationToken(); !token.isEmpty())
        platformData.insert(kActivationToken, token);
    call << platformData;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void UniqueApplication::Activate(const QVariantMap &platformData)
{
    // Anything but a text is no token.
    const QVariant value = platformData.value(kActivationToken);
    const QString token = value.typeId() == QMetaType::QString ? value.toString() : QString();
    adoptActivationToken(token);
    emit activated(token);
}

} // namespace platform
