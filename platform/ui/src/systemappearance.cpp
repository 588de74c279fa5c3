#include "platform/ui/systemappearance.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QApplication>
#include <QPalette>
#include <QPointer>

#include "platform/ui/color.h"

#include <memory>

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
    // Owned by the application, so that it goes (with its bus connection and pending calls) before
    // the application does; a process without one keeps it to the end.
    static QPointer<SystemAppearance> s_instance;
    static std::unique_ptr<SystemAppearance> s_unowned;
    if (!s_instance) {
        auto *made = new SystemAppearance;
        if (QCoreApplication *application = QCoreApplication::instance())
            made->setParent(application);
        else
            s_unowned.reset(made);
        s_instance = made;
        made->usePortal(QDBusConnection::sessionBus());
    }
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
    if (effective() != before) {
        applyPalette();
        emit changed(effective());
    }
}

void SystemAppearance::usePortal(const QDBusConnection &bus)
{
    if (!m_busName.isEmpty()) {
        QDBusConnection old(m_busName);
        old.disconnect(QString(), kPortalPath, kSettingsInterface, QStringLiteral("SettingChanged"), this,
            SLOT(onSettingChanged(QDBusMessage)));
    }
    m_busName = bus.name();
    m_portalScheme.reset();
    redetect();
    if (!bus.isConnected())
        return;
    // The whole message, from any sender: on the program's session bus a slot with typed arguments
    // matched on the portal's well-known name missed changes, and the program stayed light after the
    // desktop went dark. Nothing but the portal sends this signal from this path and interface.
    QDBusConnection(bus).connect(QString(), kPortalPath, kSettingsInterface, QStringLiteral("SettingChanged"), this,
        SLOT(onSettingChanged(QDBusMessage)));
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

void SystemAppearance::onSettingChanged(const QDBusMessage &message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 3 || arguments.at(0).toString() != kAppearanceNamespace
        || arguments.at(1).toString() != kColorSchemeKey)
        return;
    setPortalScheme(schemeFrom(arguments.at(2)));
}

void SystemAppearance::setPortalScheme(std::optional<uint> scheme)
{
    m_portalScheme = scheme;
    redetect();
}

bool SystemAppearance::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance()
        && !m_installingPalette) {
        if (m_appliesPalette)
            m_desktopPalette = QGuiApplication::palette();
        redetect();
        applyPalette();
    }
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
            dark = desktopPalette().color(QPalette::Window).lightnessF() < 0.5;
        m_detected = dark ? Appearance::darkAqua() : Appearance::aqua();
    }
    if (effective() != before) {
        applyPalette();
        emit changed(effective());
    }
}

QPalette SystemAppearance::desktopPalette() const
{
    if (m_desktopPalette)
        return *m_desktopPalette;
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::palette() : QPalette();
}

void SystemAppearance::setAppliesPalette(bool applies)
{
    if (m_appliesPalette == applies)
        return;
    if (applies)
        m_desktopPalette = desktopPalette();
    m_appliesPalette = applies;
    if (applies) {
        applyPalette();
        return;
    }
    // Off: the desktop's palette again.
    const QPalette desktop = desktopPalette();
    m_desktopPalette.reset();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) && QGuiApplication::palette() != desktop) {
        m_installingPalette = true;
        if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            QApplication::setPalette(desktop);
        else
            QGuiApplication::setPalette(desktop);
        m_installingPalette = false;
    }
}

void SystemAppearance::applyPalette()
{
    if (!m_appliesPalette || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    const QPalette desktop = desktopPalette();
    const bool desktopDark = desktop.color(QPalette::Window).lightnessF() < 0.5;
    const QPalette wanted = desktopDark == effective().isDark() ? desktop : palette(effective());
    if (QGuiApplication::palette() == wanted)
        return;
    m_installingPalette = true;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::setPalette(wanted);
    else
        QGuiApplication::setPalette(wanted);
    m_installingPalette = false;
}

QPalette SystemAppearance::palette(Appearance appearance)
{
    ScopedDrawingAppearance drawing(appearance);
    const auto q = [](const Color &color) { return color.toQColor(); };
    QPalette p;
    const auto both = [&p](QPalette::ColorRole role, const QColor &color) {
        p.setColor(QPalette::Active, role, color);
        p.setColor(QPalette::Inactive, role, color);
    };
    const QColor window = q(Color::windowBackground());
    const QColor text = q(Color::text());
    both(QPalette::Window, window);
    both(QPalette::WindowText, text);
    both(QPalette::Base, q(Color::textBackground()));
    both(QPalette::AlternateBase, appearance.isDark() ? window.lighter(115) : window.darker(105));
    both(QPalette::Text, text);
    both(QPalette::Button, q(Color::controlBackground()));
    both(QPalette::ButtonText, text);
    both(QPalette::ToolTipBase, q(Color::controlBackground()));
    both(QPalette::ToolTipText, text);
    both(QPalette::PlaceholderText, q(Color::tertiaryLabel()));
    both(QPalette::BrightText, appearance.isDark() ? QColor(Qt::white) : QColor(Qt::black));
    both(QPalette::Highlight, q(Color::selectedContentBackground()));
    both(QPalette::HighlightedText, QColor(Qt::white));
    both(QPalette::Link, q(Color::link()));
    both(QPalette::Light, window.lighter(150));
    both(QPalette::Midlight, window.lighter(125));
    both(QPalette::Mid, window.darker(130));
    both(QPalette::Dark, window.darker(160));
    both(QPalette::Shadow, QColor(0, 0, 0, 160));
    const QColor disabled = q(Color::disabledControlText());
    for (QPalette::ColorRole role : { QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Highlight,
             QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow,
             QPalette::ToolTipBase, QPalette::AlternateBase })
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    for (QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
             QPalette::PlaceholderText, QPalette::HighlightedText, QPalette::ToolTipText, QPalette::Link })
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

ScopedAppearance::ScopedAppearance(Appearance appearance)
    : m_previous(SystemAppearance::instance().forced())
{
    SystemAppearance::instance().setForced(appearance);
}

ScopedAppearance::~ScopedAppearance() { SystemAppearance::instance().setForced(m_previous); }

} // namespace platform::ui
