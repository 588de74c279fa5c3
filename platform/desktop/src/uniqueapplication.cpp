#include "platform/desktop/uniqueapplication.h"

#include "platform/desktop/activationtoken.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace platform {

namespace {
    const QString kPath = QStringLiteral("/");
    const QString kInterface = QStringLiteral("org.freedesktop.Application");
    const QString kActivationToken = QStringLiteral("activation-token");
    // RequestName's flag and answers, as the bus daemon numbers them.
    constexpr uint kDoNotQueue = 0x4;
    constexpr uint kPrimaryOwner = 1;
    constexpr uint kAlreadyOwner = 4;
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
    // Served before the name is asked for: a second start may call as soon as the name is ours. Nothing
    // can call it before then (no one knows this connection's own name).
    m_bus.registerObject(kPath, kInterface, this, QDBusConnection::ExportScriptableSlots);
    // The answer is waited for when it is needed (isPrimary), so the start goes on meanwhile.
    m_nameRequest = m_bus.interface()->asyncCall(QStringLiteral("RequestName"), m_service, kDoNotQueue);
}

UniqueApplication::~UniqueApplication()
{
    if (isPrimary() && m_bus.isConnected()) {
        m_bus.unregisterObject(kPath);
        m_bus.unregisterService(m_service);
    }
}

bool UniqueApplication::isPrimary() const
{
    if (m_nameRequest) {
        m_nameRequest->waitForFinished();
        const QDBusMessage reply = m_nameRequest->reply();
        m_nameRequest.reset();
        const uint answer = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
            ? reply.arguments().constFirst().toUInt()
            : 0;
        m_primary = answer == kPrimaryOwner || answer == kAlreadyOwner;
        if (!m_primary)
            QDBusConnection(m_bus).unregisterObject(kPath);
    }
    return m_primary;
}

bool UniqueApplication::activatePrimary(int timeoutMs) const
{
    if (isPrimary() || !m_bus.isConnected())
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
