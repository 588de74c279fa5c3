#include "platform/ui/systemappearance.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

namespace platform::ui {

namespace {
    const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
    const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
    const QString kSettingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
    const QString kAppearanceNamespace = QStringLiteral("org.freedesktop.appearance");
    const QString kColorSchemeKey = QStringLiteral("color-scheme");

    // The portal's Read answers a variant that itself holds the value in a variant; take off every layer.
    QVariant unwrap(QVariant v)
    {
        for (int depth = 0; depth < 4; ++depth) {
            if (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
                v = qvariant_cast<QDBusVariant>(v).variant();
            else
                break;
        }
        return v;
    }

    std::optional<uint> schemeFrom(const QVariant &value)
    {
        const QVariant v = unwrap(value);
        bool ok = false;
        const uint scheme = v.toUInt(&ok);
        if (!ok || scheme > 2)
            return std::nullopt;
        return scheme;
    }
} // namespace

SystemAppearance &SystemAppearance::instance()
{
    static SystemAppearance *s_instance = [] {
        auto *a = new SystemAppearance;
        a->usePortal(QDBusConnection::sessionBus());
        return a;
    }();
    return *s_instance;
}

SystemAppearance::SystemAppearance()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
    redetect();
}

Appearance SystemAppearance::effective() const { return m_forced.value_or(m_detected); }

void SystemAppearance::setForced(std::optional<Appearance> appearance)
{
    const Appearance before = effective();
    m_forced = appearance;
    if (effective() != before)
        emit changed(effective());
}

void SystemAppearance::usePortal(const QDBusConnection &bus)
{
    if (!m_busName.isEmpty()) {
        QDBusConnection old(m_busName);
        old.disconnect(kPortalService, kPortalPath, kSettingsInterface, QStringLiteral("SettingChanged"), this,
            SLOT(onSettingChanged(QString, QString, QDBusVariant)));
    }
    m_busName = bus.name();
    m_portalScheme.reset();
    redetect();
    if (!bus.isConnected())
        return;
    QDBusConnection(bus).connect(kPortalService, kPortalPath, kSettingsInterface, QStringLiteral("SettingChanged"),
        this, SLOT(onSettingChanged(QString, QString, QDBusVariant)));
    QDBusMessage call
        = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kSettingsInterface, QStringLiteral("Read"));
    call << kAppearanceNamespace << kColorSchemeKey;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection(bus).asyncCall(call, 2000), this);
    const QString busName = m_busName;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, busName](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        if (busName != m_busName)
            return; // answer from a bus we no longer follow
        const QDBusMessage reply = w->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        setPortalScheme(schemeFrom(reply.arguments().constFirst()));
    });
}

void SystemAppearance::onSettingChanged(const QString &ns, const QString &key, const QDBusVariant &value)
{
    if (ns != kAppearanceNamespace || key != kColorSchemeKey)
        return;
    setPortalScheme(schemeFrom(value.variant()));
}

void SystemAppearance::setPortalScheme(std::optional<uint> scheme)
{
    m_portalScheme = scheme;
    redetect();
}

bool SystemAppearance::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance())
        redetect();
    return QObject::eventFilter(watched, event);
}

void SystemAppearance::redetect()
{
    const Appearance before = effective();
    if (m_portalScheme == 1u) {
        m_detected = Appearance::darkAqua();
    } else if (m_portalScheme == 2u) {
        m_detected = Appearance::aqua();
    } else {
        bool dark = false;
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            dark = QGuiApplication::palette().color(QPalette::Window).lightnessF() < 0.5;
        m_detected = dark ? Appearance::darkAqua() : Appearance::aqua();
    }
    if (effective() != before)
        emit changed(effective());
}

ScopedAppearance::ScopedAppearance(Appearance appearance)
    : m_previous(SystemAppearance::instance().forced())
{
    SystemAppearance::instance().setForced(appearance);
}

ScopedAppearance::~ScopedAppearance() { SystemAppearance::instance().setForced(m_previous); }

} // namespace platform::ui
