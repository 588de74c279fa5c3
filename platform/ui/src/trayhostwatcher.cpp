#include "trayhostwatcher_p.h"

#include "../../desktop/src/xcbconnection_p.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <cstdlib>

namespace platform::ui {

namespace {
    const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

    // The tray of the first screen: the one the strip and the icons are on.
    xcb_atom_t trayAtom(xcb_connection_t *connection) { return xcb::atom(connection, "_NET_SYSTEM_TRAY_S0"); }
}

TrayHostWatcher::TrayHostWatcher(QObject *parent)
    : QObject(parent)
    , m_watcher(kWatcherService, QDBusConnection::sessionBus(),
          QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &TrayHostWatcher::changed);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayHostWatcher::look);
    if (xcb_connection_t *connection = xcb::connection()) {
        m_trayAtom = trayAtom(connection);
        m_poll.setInterval(kPollMilliseconds);
        connect(&m_poll, &QTimer::timeout, this, &TrayHostWatcher::look);
        m_poll.start();
    }
    look();
    m_settle.stop(); // the start is no change
}

void TrayHostWatcher::look()
{
    bool statusNotifier = false;
    if (QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface())
        statusNotifier = bus->isServiceRegistered(kWatcherService);
    bool xembed = false;
    if (m_trayAtom != xcb_atom_t(XCB_ATOM_NONE)) {
        if (xcb_connection_t *connection = xcb::connection()) {
            xcb_get_selection_owner_reply_t *reply
                = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, m_trayAtom), nullptr);
            xembed = reply && reply->owner != XCB_NONE;
            free(reply);
        }
    }
    if (statusNotifier == m_statusNotifier && xembed == m_xembed)
        return;
    m_statusNotifier = statusNotifier;
    m_xembed = xembed;
    m_settle.start();
}

} // namespace platform::ui
