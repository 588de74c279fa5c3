#include "../../desktop/src/xcbconnection_p.h"
#include "trayhostwatcher_p.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <cstdlib>
#include <optional>
#include <xcb/xfixes.h>

namespace platform::ui {

namespace {
    const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

    QDBusMessage hostQuestion()
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        call << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
        return call;
    }

    // A watcher's answer: anything but a boolean true (no watcher, an error, another type) is no host.
    bool hostIn(const QDBusMessage &reply)
    {
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return false;
        const QVariant value = reply.arguments().front().value<QDBusVariant>().variant();
        return value.typeId() == QMetaType::Bool && value.toBool();
    }

    // The tray of the first screen: the one the strip and the icons are on.
    xcb_atom_t trayAtom(xcb_connection_t *connection) { return xcb::atom(connection, "_NET_SYSTEM_TRAY_S0"); }
}

TrayHostWatcher::TrayHostWatcher(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_watcher(
          kWatcherService, bus, QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &TrayHostWatcher::changed);

    // A watcher that comes has no host yet as far as we know; one that goes takes its hosts along.
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        takeStartAnswers();
        setStatusNotifierHost(false);
        askWatcher();
    });
    for (const char *signal : { "StatusNotifierHostRegistered", "StatusNotifierHostUnregistered" }) {
        m_bus.connect(
            kWatcherService, kWatcherPath, kWatcherService, QString::fromLatin1(signal), this, SLOT(askWatcher()));
    }
    // What is there at the start decides the first presenter: asked now, taken when first needed, so
    // that the answers travel while the program starts.
    if (m_bus.isConnected())
        m_hostAnswer = m_bus.asyncCall(hostQuestion(), kStartAnswerMilliseconds);
    if (xcb_connection_t *connection = xcb::connection()) {
        const xcb_query_extension_reply_t *xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
        if (xfixes && xfixes->present)
            m_xfixesVersion
                = xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION).sequence;
        // Every atom the tray's icons need on their way to it (its colours, the dock request, the visual
        // it asks for).
        xcb::askAtoms(connection,
            { "_NET_SYSTEM_TRAY_S0", "_NET_SYSTEM_TRAY_COLORS", "_NET_SYSTEM_TRAY_OPCODE", "_NET_SYSTEM_TRAY_VISUAL" });
    }
}

void TrayHostWatcher::takeStartAnswers()
{
    if (m_startTaken)
        return;
    m_startTaken = true;
    xcb_connection_t *connection = xcb::connection();
    if (connection) {
        m_trayAtom = trayAtom(connection);
        if (m_xfixesVersion) {
            // The server expects the version question before XFixes' other requests.
            free(xcb_xfixes_query_version_reply(connection, { *m_xfixesVersion }, nullptr));
            if (m_trayAtom != XCB_ATOM_NONE) {
                m_xfixesFirstEvent = xcb_get_extension_data(connection, &xcb_xfixes_id)->first_event;
                xcb_xfixes_select_selection_input(connection, xcb::rootWindow(connection), m_trayAtom,
                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                        | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                        | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
                QCoreApplication::instance()->installNativeEventFilter(this);
            }
        }
        // The owner now; later owners arrive as events.
        m_xembed = xcb::selectionOwner(connection, "_NET_SYSTEM_TRAY_S0");
    }
    if (m_hostAnswer) {
        m_hostAnswer->waitForFinished();
        m_statusNotifierHost = hostIn(m_hostAnswer->reply());
        m_hostAnswer.reset();
    }
}

TrayHostWatcher::~TrayHostWatcher()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void TrayHostWatcher::askWatcher()
{
    takeStartAnswers();
    if (!m_bus.isConnected())
        return;
    const quint64 question = ++m_question;
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(hostQuestion()), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, question] {
        pending->deleteLater();
        if (question == m_question)
            setStatusNotifierHost(hostIn(pending->reply()));
    });
}

void TrayHostWatcher::setStatusNotifierHost(bool registered)
{
    if (m_statusNotifierHost == registered)
        return;
    m_statusNotifierHost = registered;
    m_settle.start();
}

void TrayHostWatcher::setXEmbedTray(quint32 owner)
{
    if (m_xembed == owner)
        return;
    m_xembed = owner;
    m_settle.start();
}

bool TrayHostWatcher::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || !m_xfixesFirstEvent)
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != m_xfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY)
        return false;
    const auto *notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t *>(event);
    if (notify->selection != m_trayAtom)
        return false;
    // A new owner (a tray started anew wants the icons docked again), or the owner's window or
    // connection went.
    setXEmbedTray(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER ? notify->owner : 0);
    return false; // others (Qt's clipboard) may follow the same selection events
}

} // namespace platform::ui
