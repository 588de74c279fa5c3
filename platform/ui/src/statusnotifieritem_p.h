#pragma once

#include "platform/ui/trayicon.h"

#include <QByteArray>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QList>
#include <QString>

#include <memory>

namespace platform::ui {

class DBusMenuExporter;

/// One picture of a StatusNotifierItem: width, height and ARGB32 pixels in network byte order.
struct StatusNotifierPixmap {
    int width = 0;
    int height = 0;
    QByteArray pixels;

    static StatusNotifierPixmap fromImage(const QImage &image);
};
using StatusNotifierPixmaps = QList<StatusNotifierPixmap>;

/// The tooltip of a StatusNotifierItem: icon name, icon pixmaps, title, text.
struct StatusNotifierToolTip {
    QString iconName;
    StatusNotifierPixmaps pixmaps;
    QString title;
    QString text;
};

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierPixmap &pixmap);
const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierPixmap &pixmap);
QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierToolTip &toolTip);
const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierToolTip &toolTip);
/// Registers the StatusNotifierItem types with Qt D-Bus (once).
void registerStatusNotifierTypes();

/// A tray icon as a StatusNotifierItem ("org.kde.StatusNotifierItem" at "/StatusNotifierItem") on
/// a bus connection of its own, under the name "org.kde.StatusNotifierItem-<pid>-<n>".
///
/// Hosts learn that an item went when its name does, so each item needs its connection: closing
/// it takes the item off every host at once. `registerWithWatcher` tells the watcher about the item
/// (once: hosts that come later ask the watcher). With `exportsMenu` the item also offers its menu
/// at "/MenuBar" (com.canonical.dbusmenu) and says that a click shows it (`ItemIsMenu`); else
/// `Menu` is "/NO_DBUSMENU" and the host sends Activate or ContextMenu with the point it was clicked
/// at, which `clicked` passes on.
class StatusNotifierItem : public TrayIcon {
    Q_OBJECT
public:
    static const QString kInterface;
    static const QString kPath;
    static const QString kMenuPath;

    /// `busAddress` empty: the session bus.
    StatusNotifierItem(const QString &busAddress, bool exportsMenu);
    ~StatusNotifierItem() override;

    /// The item's name on the bus; empty when it could not connect.
    QString service() const { return m_service; }
    void registerWithWatcher();

    // What the D-Bus side reads.
    QString id() const { return m_id; }
    StatusNotifierPixmaps iconPixmap() const { return m_pixmaps; }
    StatusNotifierToolTip toolTipValue() const;
    bool exportsMenu() const { return m_menuExporter != nullptr; }
    /// A token the host passes before it activates: the next window brought forward shows with it.
    void takeActivationToken(const QString &token);

signals:
    // Relayed to the bus by the adaptor.
    void newIcon();
    void newToolTip();

protected:
    void presented(Change change) override;

private:
    QString m_connectionName;
    QDBusConnection m_connection;
    QString m_service;
    QString m_id;
    StatusNotifierPixmaps m_pixmaps;
    DBusMenuExporter *m_menuExporter = nullptr;
};

/// The "org.kde.StatusNotifierItem" interface of an item.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ empty)
    Q_PROPERTY(QString IconName READ empty)
    Q_PROPERTY(platform::ui::StatusNotifierPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ empty)
    Q_PROPERTY(platform::ui::StatusNotifierPixmaps OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ empty)
    Q_PROPERTY(platform::ui::StatusNotifierPixmaps AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ empty)
    Q_PROPERTY(platform::ui::StatusNotifierToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem *item);

    QString category() const { return QStringLiteral("Hardware"); }
    QString id() const { return m_item->id(); }
    QString title() const;
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString empty() const { return {}; }
    StatusNotifierPixmaps iconPixmap() const { return m_item->iconPixmap(); }
    StatusNotifierPixmaps noPixmaps() const { return {}; }
    StatusNotifierToolTip toolTip() const { return m_item->toolTipValue(); }
    bool itemIsMenu() const { return m_item->exportsMenu(); }
    QDBusObjectPath menu() const;

public slots:
    void Activate(int x, int y);
    void ContextMenu(int x, int y);
    void SecondaryActivate(int x, int y);
    void Scroll(int delta, const QString &orientation);
    void ProvideXdgActivationToken(const QString &token);

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString &status);

private:
    StatusNotifierItem *m_item;
};

} // namespace platform::ui

Q_DECLARE_METATYPE(platform::ui::StatusNotifierPixmap)
Q_DECLARE_METATYPE(platform::ui::StatusNotifierToolTip)
