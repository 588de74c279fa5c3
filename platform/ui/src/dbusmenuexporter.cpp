#include "dbusmenuexporter_p.h"
#include "platform/ui/imageview.h"
#include "platform/ui/menu.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/textfield.h"

#include <QBuffer>
#include <QDBusArgument>
#include <QDBusMetaType>

#include <algorithm>

namespace platform::ui {

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuLayout &node)
{
    argument.beginStructure();
    argument << node.id << node.properties;
    argument.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const DBusMenuLayout &child : node.children)
        argument << QDBusVariant(QVariant::fromValue(child));
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuLayout &node)
{
    argument.beginStructure();
    argument >> node.id >> node.properties;
    argument.beginArray();
    node.children.clear();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children.append(qdbus_cast<DBusMenuLayout>(child.variant()));
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemProperties &item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemProperties &item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemPropertyNames &item)
{
    argument.beginStructure();
    argument << item.id << item.names;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemPropertyNames &item)
{
    argument.beginStructure();
    argument >> item.id >> item.names;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuEvent &event)
{
    argument.beginStructure();
    argument << event.id << event.eventId << event.data << event.timestamp;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuEvent &event)
{
    argument.beginStructure();
    argument >> event.id >> event.eventId >> event.data >> event.timestamp;
    argument.endStructure();
    return argument;
}

void registerDBusMenuTypes()
{
    static const bool done = [] {
        qDBusRegisterMetaType<DBusMenuLayout>();
        qDBusRegisterMetaType<DBusMenuItemProperties>();
        qDBusRegisterMetaType<QList<DBusMenuItemProperties>>();
        qDBusRegisterMetaType<DBusMenuItemPropertyNames>();
        qDBusRegisterMetaType<QList<DBusMenuItemPropertyNames>>();
        qDBusRegisterMetaType<DBusMenuEvent>();
        qDBusRegisterMetaType<QList<DBusMenuEvent>>();
        return true;
    }();
    Q_UNUSED(done);
}

DBusMenuExporter::DBusMenuExporter(QObject *parent)
    : QObject(parent)
{
    registerDBusMenuTypes();
    new DBusMenuAdaptor(this);
}

DBusMenuExporter::~DBusMenuExporter() = default;

void DBusMenuExporter::setMenu(std::shared_ptr<Menu> menu)
{
    if (m_menu == menu)
        return;
    m_menu = std::move(menu);
    m_read = false;
    m_rows.clear();
    ++m_revision;
    emit layoutUpdated(m_revision, 0);
}

namespace {
    struct Piece {
        double x = 0; // in the row
        QString text;
        bool caption = false; // a picture's text, naming what stands right of it
    };
    struct Found {
        QList<Piece> labels;
        ImageView *image = nullptr;
    };

    void collect(View &view, double x, Found &found)
    {
        for (View *child : view.subviews()) {
            if (child->isHidden())
                continue;
            const double childX = x + child->frame().minX();
            if (auto *field = qobject_cast<TextField *>(child)) {
                if (!field->stringValue().trimmed().isEmpty())
                    found.labels.append({ childX, field->stringValue().trimmed() });
            } else if (auto *image = qobject_cast<ImageView *>(child); image && image->image()) {
                // A host shows one icon per row: the first picture; the others say what they show in words.
                if (!found.image)
                    found.image = image;
                else if (!image->accessibleName().trimmed().isEmpty())
                    found.labels.append({ childX, image->accessibleName().trimmed(), true });
            }
            collect(*child, childX, found);
        }
    }

    QByteArray png(const QImage &image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
} // namespace

DBusMenuExporter::Row DBusMenuExporter::rowFor(const MenuItem &item)
{
    Row row;
    if (item.isSeparatorItem()) {
        row.properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
        return row;
    }
    QString label = item.title();
    if (View *view = item.view()) {
        Found found;
        collect(*view, 0, found);
        std::stable_sort(
            found.labels.begin(), found.labels.end(), [](const Piece &a, const Piece &b) { return a.x < b.x; });
        QString texts;
        for (qsizetype i = 0; i < found.labels.size(); ++i) {
            if (i > 0)
                texts += found.labels[i - 1].caption ? QStringLiteral(" ") : QStringLiteral("  ");
            texts += found.labels[i].text;
        }
        if (!texts.isEmpty())
            label = texts;
        // Drawn at twice its size: hosts scale icons to their own (about 16 pixels).
        if (found.image)
            row.properties.insert(QStringLiteral("icon-data"), png(found.image->renderToImage(2.0)));
    }
    // An underscore marks the access key in a dbusmenu label; the menu's titles have none.
    row.properties.insert(QStringLiteral("label"), label.replace(QLatin1Char('_'), QLatin1String("__")));
    row.properties.insert(QStringLiteral("enabled"), item.isEnabled());
    return row;
}

QList<DBusMenuExporter::Row> DBusMenuExporter::readRows()
{
    QList<Row> rows;
    if (!m_menu)
        return rows;
    // The delegate fills the menu as it opens and may empty it when it closes.
    const bool wasOpen = m_menu->isOpen();
    m_menu->open();
    for (const MenuItem *item : m_menu->items())
        rows.append(rowFor(*item));
    if (!wasOpen)
        m_menu->cancelTracking();
    return rows;
}

void DBusMenuExporter::refresh()
{
    const QList<Row> rows = readRows();
    m_read = true;
    const bool same = rows.size() == m_rows.size()
        && std::equal(rows.begin(), rows.end(), m_rows.begin(),
            [](const Row &a, const Row &b) { return a.properties == b.properties; });
    if (same)
        return;
    m_rows = rows;
    ++m_revision;
}

QVariantMap DBusMenuExporter::filtered(const QVariantMap &properties, const QStringList &names)
{
    if (names.isEmpty())
        return properties;
    QVariantMap kept;
    for (const QString &name : names)
        if (properties.contains(name))
            kept.insert(name, properties.value(name));
    return kept;
}

DBusMenuLayout DBusMenuExporter::layout(int parentId, int depth, const QStringList &names)
{
    if (!m_read)
        refresh();
    if (parentId != 0) {
        // The rows have no submenus: a row is a leaf.
        if (parentId < 1 || parentId > m_rows.size())
            return {};
        return DBusMenuLayout { parentId, filtered(m_rows[parentId - 1].properties, names), {} };
    }
    DBusMenuLayout root { 0, { { QStringLiteral("children-display"), QStringLiteral("submenu") } }, {} };
    if (depth != 0) {
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            root.children.append(DBusMenuLayout { int(i + 1), filtered(m_rows[i].properties, names), {} });
    }
    return root;
}

QList<DBusMenuItemProperties> DBusMenuExporter::groupProperties(const QList<int> &ids, const QStringList &names)
{
    if (!m_read)
        refresh();
    QList<DBusMenuItemProperties> found;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (ids.isEmpty() || ids.contains(int(i + 1)))
            found.append({ int(i + 1), filtered(m_rows[i].properties, names) });
    }
    return found;
}

bool DBusMenuExporter::aboutToShow(int id)
{
    if (id != 0)
        return false;
    const uint before = m_revision;
    refresh();
    if (m_revision == before)
        return false;
    emit layoutUpdated(m_revision, 0);
    return true;
}

bool DBusMenuExporter::event(int id, const QString &eventId)
{
    if (id < 1 || id > m_rows.size() || !m_menu)
        return false;
    if (eventId != QLatin1String("clicked"))
        return true; // "opened", "closed", "hovered": the host's own menu, nothing of ours
    const Row shown = m_rows[id - 1];
    m_menu->open();
    MenuItem *item = m_menu->itemAt(id - 1);
    if (!item || rowFor(*item).properties != shown.properties) {
        // The menu is another by now: what the user clicked is not there.
        m_menu->cancelTracking();
        m_read = false;
        ++m_revision;
        emit layoutUpdated(m_revision, 0);
        return true;
    }
    m_menu->clickItem(item);
    // A row with a view stays open on screen until its view decides; here nothing shows it.
    m_menu->cancelTracking();
    return true;
}

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenuExporter *exporter)
    : QDBusAbstractAdaptor(exporter)
    , m_exporter(exporter)
{
    connect(exporter, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
}

uint DBusMenuAdaptor::GetLayout(
    int parentId, int recursionDepth, const QStringList &propertyNames, DBusMenuLayout &layout)
{
    layout = m_exporter->layout(parentId, recursionDepth, propertyNames);
    return m_exporter->revision();
}

QList<DBusMenuItemProperties> DBusMenuAdaptor::GetGroupProperties(
    const QList<int> &ids, const QStringList &propertyNames)
{
    return m_exporter->groupProperties(ids, propertyNames);
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString &name)
{
    const QList<DBusMenuItemProperties> found = m_exporter->groupProperties({ id }, { name });
    return QDBusVariant(found.isEmpty() ? QVariant() : found.front().properties.value(name));
}

void DBusMenuAdaptor::Event(int id, const QString &eventId, const QDBusVariant &, uint)
{
    m_exporter->event(id, eventId);
}

QList<int> DBusMenuAdaptor::EventGroup(const QList<DBusMenuEvent> &events)
{
    QList<int> errors;
    for (const DBusMenuEvent &event : events)
        if (!m_exporter->event(event.id, event.eventId))
            errors.append(event.id);
    return errors;
}

bool DBusMenuAdaptor::AboutToShow(int id) { return m_exporter->aboutToShow(id); }

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
{
    QList<int> updates;
    for (int id : ids) {
        if (m_exporter->aboutToShow(id))
            updates.append(id);
        else if (id != 0)
            idErrors.append(id);
    }
    return updates;
}

} // namespace platform::ui
