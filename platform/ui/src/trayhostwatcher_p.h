#pragma once

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QTimer>

#include <optional>

namespace platform::ui {

/// Follows the desktop's tray hosts at run time, by their own events only: a StatusNotifierItem
/// host ("IsStatusNotifierHostRegistered" of the "org.kde.StatusNotifierWatcher" on the session bus,
/// with the watcher's owner changes and its host (un)registration signals), and on X11 the owner of
/// the system-tray manager selection (`_NET_SYSTEM_TRAY_S0`, through XFixes selection notifications).
/// What is there at the start it asks once, at construction, and takes the answers when first asked
/// itself (waiting briefly for what has not come yet); after that it never polls. `changed` follows a
/// change of either, once things have settled for kSettleMilliseconds.
class TrayHostWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    static constexpr int kSettleMilliseconds = 300;
    static constexpr int kStartAnswerMilliseconds = 1000;

    explicit TrayHostWatcher(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~TrayHostWatcher() override;

    /// A StatusNotifierItem host is registered with a watcher on the bus.
    bool hasStatusNotifierHost()
    {
        takeStartAnswers();
        return m_statusNotifierHost;
    }
    /// The window owning the X11 system-tray manager selection (an XEmbed tray runs); 0 for none.
    quint32 xembedTray()
    {
        takeStartAnswers();
        return m_xembed;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void changed();

private slots:
    void askWatcher();

private:
    // The answers to the questions of the constructor, once; everything that reads or changes what is
    // known takes them first.
    void takeStartAnswers();
    void setStatusNotifierHost(bool registered);
    void setXEmbedTray(quint32 owner);

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    QTimer m_settle;
    bool m_statusNotifierHost = false;
    quint32 m_xembed = 0;
    // The newest question to the watcher; older answers are stale.
    quint64 m_question = 0;
    unsigned m_trayAtom = 0;
    unsigned char m_xfixesFirstEvent = 0;
    std::optional<QDBusPendingCall> m_hostAnswer;
    std::optional<unsigned> m_xfixesVersion; // the cookie of the version question
    bool m_startTaken = false;
};

} // namespace platform::ui
