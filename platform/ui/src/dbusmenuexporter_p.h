#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <memory>

namespace platform::ui {

class Menu;
class MenuItem;

/// One node of a dbusmenu layout: (id, properties, children as variants of nodes).
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

/// (id, properties) of one row.
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};

/// (id, names of removed properties) of one row.
struct DBusMenuItemPropertyNames {
    int id = 0;
    QStringList names;
};

/// (id, event, data, timestamp) of one event in an EventGroup call.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

/// Offers a Menu to a tray host over com.canonical.dbusmenu, for platforms where the program cannot
/// place its own pop-up at the item (the host shows the menu there instead).
///
/// A dbusmenu row is a label, an icon and an enabled state, so each row becomes: a plain row its
/// title, a separator a separator, and a row with a view of its own the texts of the view's labels,
/// left to right, with the view's first image drawn as the icon; a later image reads as its accessible
/// name (a unit's picture: "L"), joined by one space to the text to its right ("L 80 %"). The rows are
/// the menu's as its delegate fills it on opening: the exporter opens the menu to read them (when the
/// host is about to show it, or asks before ever having seen them) and closes it again. A row the host
/// reports clicked is clicked in the menu, as on screen: a plain row sends its action, a row with a
/// view gets the click in its view. Ids are the rows' positions from 1 (0 is the root); a click on a
/// row whose label differs from what the host was shown is dropped and the layout sent anew.
class DBusMenuExporter : public QObject {
    Q_OBJECT
public:
    explicit DBusMenuExporter(QObject *parent = nullptr);
    ~DBusMenuExporter() override;

    void setMenu(std::shared_ptr<Menu> menu);
    std::shared_ptr<Menu> menu() const { return m_menu; }

    uint revision() const { return m_revision; }
    DBusMenuLayout layout(int parentId, int depth, const QStringList &names);
    QList<DBusMenuItemProperties> groupProperties(const QList<int> &ids, const QStringList &names);
    /// Whether the rows changed since the host last saw them.
    bool aboutToShow(int id);
    /// False for an id that is no row.
    bool event(int id, const QString &eventId);

signals:
    void layoutUpdated(uint revision, int parent);

private:
    struct Row {
        QVariantMap properties;
    };
    QList<Row> readRows();
    void refresh();
    static Row rowFor(const MenuItem &item);
    static QVariantMap filtered(const QVariantMap &properties, const QStringList &names);

    std::shared_ptr<Menu> m_menu;
    QList<Row> m_rows;
    bool m_read = false;
    uint m_revision = 1;
};

/// The com.canonical.dbusmenu interface of an exporter.
class DBusMenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    explicit DBusMenuAdaptor(DBusMenuExporter *exporter);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(
        int parentId, int recursionDepth, const QStringList &propertyNames, platform::ui::DBusMenuLayout &layout);
    QList<platform::ui::DBusMenuItemProperties> GetGroupProperties(
        const QList<int> &ids, const QStringList &propertyNames);
    QDBusVariant GetProperty(int id, const QString &name);
    void Event(int id, const QString &eventId, const QDBusVariant &data, uint timestamp);
    QList<int> EventGroup(const QList<platform::ui::DBusMenuEvent> &events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors);

signals:
    void ItemsPropertiesUpdated(const QList<platform::ui::DBusMenuItemProperties> &updated,
        const QList<platform::ui::DBusMenuItemPropertyNames> &removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenuExporter *m_exporter;
};

/// Registers the dbusmenu types with Qt D-Bus (once).
void registerDBusMenuTypes();

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuLayout &node);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuLayout &node);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemProperties &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemProperties &item);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemPropertyNames &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemPropertyNames &item);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuEvent &event);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuEvent &event);

} // namespace platform::ui

Q_DECLARE_METATYPE(platform::ui::DBusMenuLayout)
Q_DECLARE_METATYPE(platform::ui::DBusMenuItemProperties)
Q_DECLARE_METATYPE(platform::ui::DBusMenuItemPropertyNames)
Q_DECLARE_METATYPE(platform::ui::DBusMenuEvent)
