#include "dbusmenuexporter_p.h"
#include "platform/desktop/activationtoken.h"
#include "statusnotifieritem_p.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QtEndian>

#include <atomic>

namespace platform::ui {

const QString StatusNotifierItem::kInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString StatusNotifierItem::kPath = QStringLiteral("/StatusNotifierItem");
const QString StatusNotifierItem::kMenuPath = QStringLiteral("/MenuBar");

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierPixmap &pixmap)
{
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.pixels;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierPixmap &pixmap)
{
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.pixels;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierToolTip &toolTip)
{
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.pixmaps << toolTip.title << toolTip.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierToolTip &toolTip)
{
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.pixmaps >> toolTip.title >> toolTip.text;
    argument.endStructure();
    return argument;
}

StatusNotifierPixmap StatusNotifierPixmap::fromImage(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    StatusNotifierPixmap pixmap { argb.width(), argb.height(), {} };
    pixmap.pixels.resize(qsizetype(argb.width()) * argb.height() * 4);
    auto *out = reinterpret_cast<quint32 *>(pixmap.pixels.data());
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            *out++ = qToBigEndian(line[x]);
    }
    return pixmap;
}

void registerStatusNotifierTypes()
{
    static const bool done = [] {
        qDBusRegisterMetaType<StatusNotifierPixmap>();
        qDBusRegisterMetaType<StatusNotifierPixmaps>();
        qDBusRegisterMetaType<StatusNotifierToolTip>();
        return true;
    }();
    Q_UNUSED(done);
}

StatusNotifierItem::StatusNotifierItem(const QString &busAddress, bool exportsMenu)
    : m_connection(QString())
{
    registerStatusNotifierTypes();
    static std::atomic<int> counter = 0;
    const int number = ++counter;
    m_connectionName = QStringLiteral("status-notifier-item-%1").arg(number);
    m_connection = busAddress.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName)
                                        : QDBusConnection::connectToBus(busAddress, m_connectionName);
    const QString application = QCoreApplication::applicationName().isEmpty() ? QStringLiteral("status-item")
                                                                              : QCoreApplication::applicationName();
    m_id = QStringLiteral("%1-%2").arg(application).arg(number);
    if (!m_connection.isConnected())
        return;
    new StatusNotifierItemAdaptor(this);
    m_connection.registerObject(kPath, this, QDBusConnection::ExportAdaptors);
    if (exportsMenu) {
        m_menuExporter = new DBusMenuExporter(this);
        m_connection.registerObject(kMenuPath, m_menuExporter, QDBusConnection::ExportAdaptors);
    }
    const QString service
        = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(number);
    if (m_connection.registerService(service))
        m_service = service;
}

StatusNotifierItem::~StatusNotifierItem()
{
    // The connection going is what tells every host that the item went.
    m_connection = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(m_connectionName);
}

void StatusNotifierItem::registerWithWatcher()
{
    if (m_service.isEmpty())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.StatusNotifierWatcher"),
        QStringLiteral("/StatusNotifierWatcher"), QStringLiteral("org.kde.StatusNotifierWatcher"),
        QStringLiteral("RegisterStatusNotifierItem"));
    call << m_service;
    // No answer is awaited: a watcher that is not there has no host to tell, and the tray follower
    // brings the strip.
    call.setAutoStartService(false);
    m_connection.asyncCall(call);
}

StatusNotifierToolTip StatusNotifierItem::toolTipValue() const
{
    return StatusNotifierToolTip { {}, {}, toolTip(), {} };
}

void StatusNotifierItem::takeActivationToken(const QString &token) { adoptActivationToken(token); }

void StatusNotifierItem::presented(Change change)
{
    switch (change) {
    case Change::pictures:
        m_pixmaps.clear();
        for (const QImage &picture : pictures())
            m_pixmaps.append(StatusNotifierPixmap::fromImage(picture));
        emit newIcon();
        break;
    case Change::toolTip:
        emit newToolTip();
        break;
    case Change::menu:
        if (m_menuExporter)
            m_menuExporter->setMenu(menu());
        break;
    }
}

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem *item)
    : QDBusAbstractAdaptor(item)
    , m_item(item)
{
    connect(item, &StatusNotifierItem::newIcon, this, &StatusNotifierItemAdaptor::NewIcon);
    connect(item, &StatusNotifierItem::newToolTip, this, &StatusNotifierItemAdaptor::NewToolTip);
}

QString StatusNotifierItemAdaptor::title() const { return QCoreApplication::applicationName(); }

QDBusObjectPath StatusNotifierItemAdaptor::menu() const
{
    return QDBusObjectPath(m_item->exportsMenu() ? StatusNotifierItem::kMenuPath : QStringLiteral("/NO_DBUSMENU"));
}

void StatusNotifierItemAdaptor::Activate(int x, int y) { emit m_item->clicked(QPoint(x, y)); }

void StatusNotifierItemAdaptor::ContextMenu(int x, int y) { emit m_item->clicked(QPoint(x, y)); }

void StatusNotifierItemAdaptor::SecondaryActivate(int, int)
{
    // The middle button: nothing, as on the strip.
}

void StatusNotifierItemAdaptor::Scroll(int, const QString &) { }

void StatusNotifierItemAdaptor::ProvideXdgActivationToken(const QString &token) { m_item->takeActivationToken(token); }

} // namespace platform::ui
