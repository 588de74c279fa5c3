#pragma once

#include <QDBusServiceWatcher>
#include <QObject>
#include <QTimer>

namespace platform::ui {

/// Follows the desktop's tray hosts at run time: a StatusNotifierItem watcher
/// ("org.kde.StatusNotifierWatcher") on the session bus, and on X11 the owner of the system-tray
/// manager selection (`_NET_SYSTEM_TRAY_S<screen>`, looked at every few seconds: owners come with a
/// panel and go with it). `changed` follows a change of either, once things have settled.
class TrayHostWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMilliseconds = 3000;
    static constexpr int kSettleMilliseconds = 300;

    explicit TrayHostWatcher(QObject *parent = nullptr);

    bool hasStatusNotifierWatcher() const { return m_statusNotifier; }
    bool hasXEmbedTray() const { return m_xembed; }

signals:
    void changed();

private:
    void look();

    QDBusServiceWatcher m_watcher;
    QTimer m_poll;
    QTimer m_settle;
    bool m_statusNotifier = false;
    bool m_xembed = false;
    unsigned m_trayAtom = 0;
};

} // namespace platform::ui
