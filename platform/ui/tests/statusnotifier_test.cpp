// Tray icons as StatusNotifierItems on a bus of the test's own with the watcher of a panel
// (a dbusmock template), the menu offered over com.canonical.dbusmenu, and the following of the
// watcher's host as it comes and goes.

#include "../../desktop/tests/dbusmock.h"
#include "../src/dbusmenuexporter_p.h"
#include "../src/statusnotifieritem_p.h"
#include "../src/trayhostwatcher_p.h"
#include "platform/ui/graphicscontext.h"
#include "platform/ui/image.h"
#include "platform/ui/imageview.h"
#include "platform/ui/menu.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/textfield.h"
#include "platform/ui/trayicon.h"
#include "platform/ui/traystatusbarpresenter.h"
#include "uitestsupport.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::FillView;
using platform::ui::test::near;

namespace {

const QString kWatcherTemplate = QStringLiteral(QUENBY_SOURCE_DIR "/platform/ui/tests/data/status_notifier_watcher.py");
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

std::shared_ptr<StatusItem> filledItem(StatusBar &bar, Color color, const QString &toolTip)
{
    auto item = bar.statusItem(22);
    item->button()->addSubview(new FillView(Rect(0, 0, 22, 22), color));
    item->setToolTip(toolTip);
    return item;
}

// A device row of a status menu: a dot, a name and a level, and a record of the clicks it gets.
class DeviceRow : public View {
public:
    explicit DeviceRow(const QString &name)
        : View(Rect(0, 0, 240, 22))
    {
        auto *level = new TextField(Rect(180, 3, 50, 16));
        level->setStringValue(QStringLiteral("82%"));
        addSubview(level); // added first, shown to the right
        auto *label = new TextField(Rect(28, 3, 140, 16));
        label->setStringValue(name);
        addSubview(label);
        auto *dot = new ImageView(Rect(8, 7, 8, 8));
        dot->setImage(Image::withDrawing(
            Size { 8, 8 }, [](GraphicsContext &ctx, const Rect &rect) { ctx.fillRect(rect, Color::green()); }));
        addSubview(dot);
    }
    void mouseDown(const MouseEvent &) override { ++downs; }
    void mouseUp(const MouseEvent &) override { ++ups; }
    int downs = 0;
    int ups = 0;
};

// The answer to a call that this process answers from its own event loop.
QDBusMessage answer(const QDBusPendingCall &pending)
{
    QDeadlineTimer deadline(5000);
    while (!pending.isFinished() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return pending.reply();
}

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class StatusNotifierTest : public QObject {
    Q_OBJECT

private:
    DBusMock m_bus;

    QStringList registrations()
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetRegistrations"));
        const QDBusMessage reply = m_bus.bus().call(call, QDBus::Block, 5000);
        QStringList items;
        if (reply.type() != QDBusMessage::ReplyMessage)
            return items;
        const auto argument = reply.arguments().front().value<QDBusArgument>();
        argument.beginArray();
        while (!argument.atEnd()) {
            QString sender;
            QString item;
            uint pid = 0;
            argument.beginStructure();
            argument >> sender >> item >> pid;
            argument.endStructure();
            items << item;
        }
        argument.endArray();
        return items;
    }

    QVariant read(const QString &service, const QString &path, const QString &interface, const QString &name)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        call << interface << name;
        const QDBusMessage reply = answer(m_bus.bus().asyncCall(call, 5000));
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().front().value<QDBusVariant>().variant();
    }

    QDBusMessage callItem(const QString &service, const QString &method, const QVariantList &arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, StatusNotifierItem::kPath, StatusNotifierItem::kInterface, method);
        call.setArguments(arguments);
        return answer(m_bus.bus().asyncCall(call, 5000));
    }

    QDBusMessage callMenu(const QString &service, const QString &method, const QVariantList &arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, StatusNotifierItem::kMenuPath, QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(arguments);
        return answer(m_bus.bus().asyncCall(call, 5000));
    }

private slots:
    void init()
    {
        registerStatusNotifierTypes();
        registerDBusMenuTypes();
        QVERIFY2(m_bus.startBus(), qPrintable(m_bus.error()));
    }

    void cleanup() { m_bus.stop(); }

    void itemsRegisterOnceEachInTheBarsOrder()
    {
        QVERIFY2(m_bus.startTemplate(kWatcherTemplate, kWatcher), qPrintable(m_bus.error()));
        StatusBar bar;
        auto keyboard = filledItem(bar, Color::red(), QStringLiteral("Keyboard: 82%"));
        auto mouse = filledItem(bar, Color::green(), QStringLiteral("Mouse: 14%"));
        auto battery = filledItem(bar, Color::blue(), QStringLiteral("Battery: 50%"));
        auto menu = std::make_shared<Menu>();
        menu->addItem(QStringLiteral("Quit"));
        keyboard->setMenu(menu);
        TrayStatusBarPresenter tray(bar, TrayStatusBarPresenter::Protocol::statusNotifierItem, m_bus.address());
        drain();
        QList<QString> services;
        for (TrayIcon *icon : tray.trayIcons())
            services << static_cast<StatusNotifierItem *>(icon)->service();
        QCOMPARE(services.size(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(registrations(), services, 5000);

        // What a host reads of an item: its pictures at every size, its tooltip, no exported menu (the
        // program places its own menu at the point the host gives).
        const QString first = services.front();
        const auto pixmaps = qdbus_cast<StatusNotifierPixmaps>(
            read(first, StatusNotifierItem::kPath, StatusNotifierItem::kInterface, QStringLiteral("IconPixmap")));
        QCOMPARE(pixmaps.size(), int(TrayIcon::kPictureSizes.size()));
        for (std::size_t i = 0; i < TrayIcon::kPictureSizes.size(); ++i) {
            const StatusNotifierPixmap &pixmap = pixmaps[qsizetype(i)];
            QCOMPARE(pixmap.width, TrayIcon::kPictureSizes[i]);
            QCOMPARE(pixmap.height, TrayIcon::kPictureSizes[i]);
            QCOMPARE(pixmap.pixels.size(), pixmap.width * pixmap.height * 4);
            // ARGB in network byte order: the middle of a red square.
            const int middle = (pixmap.height / 2 * pixmap.width + pixmap.width / 2) * 4;
            QCOMPARE(pixmap.pixels.mid(middle, 4), QByteArray::fromHex("ffff0000"));
        }
        const auto toolTip = qdbus_cast<StatusNotifierToolTip>(
            read(first, StatusNotifierItem::kPath, StatusNotifierItem::kInterface, QStringLiteral("ToolTip")));
        QCOMPARE(toolTip.title, QStringLiteral("Keyboard: 82%"));
        QCOMPARE(read(first, StatusNotifierItem::kPath, StatusNotifierItem::kInterface, QStringLiteral("Menu"))
                     .value<QDBusObjectPath>()
                     .path(),
            QStringLiteral("/NO_DBUSMENU"));
        QCOMPARE(read(first, StatusNotifierItem::kPath, StatusNotifierItem::kInterface, QStringLiteral("ItemIsMenu")),
            QVariant(false));

        // The host's click opens the item's menu at the point it gives.
        QCOMPARE(callItem(first, QStringLiteral("Activate"), { 640, 30 }).type(), QDBusMessage::ReplyMessage);
        QVERIFY(menu->isOpen());
        QCOMPARE(menu->presentedMenu()->pos(), QPoint(640, 30));
        menu->cancelTracking();

        // The application builds its items anew with the same content: nothing reaches the host.
        QSignalSpy newIcons(static_cast<StatusNotifierItem *>(tray.trayIcons().front()), &StatusNotifierItem::newIcon);
        keyboard = filledItem(bar, Color::red(), QStringLiteral("Keyboard: 82%"));
        mouse = filledItem(bar, Color::green(), QStringLiteral("Mouse: 14%"));
        battery = filledItem(bar, Color::blue(), QStringLiteral("Battery: 50%"));
        drain();
        QTest::qWait(200);
        QCOMPARE(registrations(), services);
        QCOMPARE(newIcons.count(), 0);

        // One item fewer: the host learns that the last icon went, as its name leaves the bus.
        bar.removeStatusItem(battery.get());
        drain();
        QTRY_VERIFY_WITH_TIMEOUT(!m_bus.bus().interface()->isServiceRegistered(services.back()).value(), 5000);
        QVERIFY(m_bus.bus().interface()->isServiceRegistered(services.front()).value());
        const auto kept = qdbus_cast<StatusNotifierToolTip>(
            read(services[1], StatusNotifierItem::kPath, StatusNotifierItem::kInterface, QStringLiteral("ToolTip")));
        QCOMPARE(kept.title, QStringLiteral("Mouse: 14%"));
        QCOMPARE(registrations(), services);
    }

    void theMenuIsOfferedOverDBusMenu()
    {
        // Where the program cannot place its own pop-up, the host shows the menu: the rows as labels,
        // each device row with its drawn dot, and a click does what the menu's click does.
        StatusNotifierItem item(m_bus.address(), true);
        QVERIFY(!item.service().isEmpty());
        auto menu = std::make_shared<Menu>();
        bool opened = false;
        auto *row = new DeviceRow(QStringLiteral("Magic_Mouse"));
        int quits = 0;
        connect(menu.get(), &Menu::opened, this, [&] { opened = true; });
        menu->addItem(QStringLiteral("Open"));
        auto *hint = menu->addItem(QStringLiteral("Click a device"));
        hint->setEnabled(false);
        auto *device = new MenuItem;
        device->setView(row);
        menu->addItem(device);
        menu->addItem(MenuItem::separator());
        menu->addItem(QStringLiteral("Quit"), [&](QObject *) { ++quits; });
        item.setMenu(menu);

        QCOMPARE(read(item.service(), StatusNotifierItem::kPath, StatusNotifierItem::kInterface, QStringLiteral("Menu"))
                     .value<QDBusObjectPath>()
                     .path(),
            StatusNotifierItem::kMenuPath);
        QCOMPARE(read(item.service(), StatusNotifierItem::kPath, StatusNotifierItem::kInterface,
                     QStringLiteral("ItemIsMenu")),
            QVariant(true));

        const QDBusMessage about = callMenu(item.service(), QStringLiteral("AboutToShow"), { 0 });
        QCOMPARE(about.type(), QDBusMessage::ReplyMessage);
        QVERIFY(opened);
        QVERIFY(!menu->isOpen()); // read, then closed again
        const QDBusMessage reply = callMenu(item.service(), QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        const auto root = qdbus_cast<DBusMenuLayout>(reply.arguments().at(1));
        QCOMPARE(root.children.size(), 5);
        QStringList labels;
        for (const DBusMenuLayout &child : root.children)
            labels << child.properties.value(QStringLiteral("label")).toString();
        QCOMPARE(labels, (QStringList { "Open", "Click a device", "Magic__Mouse  82%", "", "Quit" }));
        QCOMPARE(root.children[1].properties.value(QStringLiteral("enabled")), QVariant(false));
        QCOMPARE(root.children[3].properties.value(QStringLiteral("type")), QVariant(QStringLiteral("separator")));
        const QImage dot
            = QImage::fromData(root.children[2].properties.value(QStringLiteral("icon-data")).toByteArray());
        QCOMPARE(dot.size(), QSize(16, 16));
        QVERIFY(near(dot.pixelColor(8, 8), QColor(Color::green().toQColor())));

        // A click on the device row reaches its view, as the mouse would; one on Quit runs its action.
        QCOMPARE(callMenu(item.service(), QStringLiteral("Event"),
                     { 3, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u })
                     .type(),
            QDBusMessage::ReplyMessage);
        QCOMPARE(row->downs, 1);
        QCOMPARE(row->ups, 1);
        QVERIFY(!menu->isOpen());
        callMenu(item.service(), QStringLiteral("Event"),
            { 5, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u });
        QCOMPARE(quits, 1);

        // A row that changed since the host showed it is not clicked blindly: the layout goes anew.
        menu->itemAt(4)->setTitle(QStringLiteral("Quit Quenby"));
        callMenu(item.service(), QStringLiteral("Event"),
            { 5, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u });
        QCOMPARE(quits, 1);
        const QDBusMessage again = callMenu(item.service(), QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        QCOMPARE(
            qdbus_cast<DBusMenuLayout>(again.arguments().at(1)).children[4].properties.value(QStringLiteral("label")),
            QVariant(QStringLiteral("Quit Quenby")));
        QVERIFY(again.arguments().at(0).toUInt() > reply.arguments().at(0).toUInt());
    }

    void aRowReadsAsItsLabelsAndNamedPictures_data()
    {
        // Each part of the row: "text <x> <string>", "image <x> [<accessible name>]", "hidden <x> <name>"
        // (a picture not shown). The first picture is the dot the host shows as the row's icon.
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("label");
        const QStringList units { "image 8 shown", "text 28 Galaxy Buds2", "image 132 L", "text 148 18 %",
            "image 196 R", "text 212 23 %" };
        QTest::newRow("a unit's picture names the level to its right") << units << "Galaxy Buds2  L 18 %  R 23 %";
        QTest::newRow("pictures without a name are left out")
            << QStringList { "image 8", "text 28 Galaxy Buds2", "image 132", "text 148 18 %", "image 196",
                   "text 212 23 %" }
            << "Galaxy Buds2  18 %  23 %";
        QTest::newRow("a hidden picture is left out")
            << QStringList { "image 8", "text 28 Galaxy Buds2", "image 132 L", "text 148 18 %", "hidden 196 R",
                   "text 212 23 %" }
            << "Galaxy Buds2  L 18 %  23 %";
        QTest::newRow("a named picture at the end stands alone")
            << QStringList { "text 212 18 %", "image 8", "image 240 charging", "text 28 Mouse" }
            << "Mouse  18 %  charging";
    }

    // A dbusmenu row is text: what the row's pictures say must be there in words, where they stand.
    void aRowReadsAsItsLabelsAndNamedPictures()
    {
        QFETCH(QStringList, parts);
        QFETCH(QString, label);
        auto *row = new View(Rect(0, 0, 260, 22));
        for (const QString &part : parts) {
            const QString kind = part.section(u' ', 0, 0);
            const double x = part.section(u' ', 1, 1).toDouble();
            const QString text = part.section(u' ', 2);
            if (kind == QLatin1String("text")) {
                auto *field = new TextField(Rect(x, 3, 40, 16));
                field->setStringValue(text);
                row->addSubview(field);
                continue;
            }
            auto *image = new ImageView(Rect(x, 3, 16, 16));
            image->setImage(Image::withDrawing(
                Size { 16, 16 }, [](GraphicsContext &ctx, const Rect &rect) { ctx.fillRect(rect, Color::green()); }));
            image->setAccessibleName(text);
            row->addSubview(image);
            image->setHidden(kind == QLatin1String("hidden"));
        }
        auto menu = std::make_shared<Menu>();
        auto *item = new MenuItem;
        item->setView(row);
        menu->addItem(item);
        DBusMenuExporter exporter;
        exporter.setMenu(menu);
        const DBusMenuLayout root = exporter.layout(0, -1, {});
        QCOMPARE(root.children.size(), 1);
        QCOMPARE(root.children[0].properties.value(QStringLiteral("label")).toString(), label);
        // The first picture is the row's icon, never words.
        QVERIFY(!root.children[0].properties.value(QStringLiteral("icon-data")).toByteArray().isEmpty());
    }

    void theHostIsFollowedBothWays()
    {
        // A watcher whose panel has not registered its host yet: no tray to show icons in.
        QVERIFY2(m_bus.startTemplate(kWatcherTemplate, kWatcher, QStringLiteral("{\"host\": false}")),
            qPrintable(m_bus.error()));
        TrayHostWatcher watcher(m_bus.bus());
        QSignalSpy changed(&watcher, &TrayHostWatcher::changed);
        QVERIFY(!watcher.hasStatusNotifierHost());

        const auto setHost = [&](bool registered) {
            QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("SetHostRegistered"));
            call << registered;
            return m_bus.bus().call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
        };
        // A watcher whose answer is no boolean has no host that the program knows of.
        QDBusMessage set = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        set << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered")
            << QVariant::fromValue(QDBusVariant(QStringLiteral("yes")));
        QCOMPARE(m_bus.bus().call(set, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
        QDBusMessage emitted = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
        emitted << kWatcher << QStringLiteral("StatusNotifierHostRegistered") << QString() << QVariantList();
        QCOMPARE(m_bus.bus().call(emitted, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
        QTest::qWait(2 * TrayHostWatcher::kSettleMilliseconds);
        QVERIFY(!watcher.hasStatusNotifierHost());
        QCOMPARE(changed.count(), 0);

        QVERIFY(setHost(true));
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QVERIFY(watcher.hasStatusNotifierHost());
        QVERIFY(setHost(false));
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 5000);
        QVERIFY(!watcher.hasStatusNotifierHost());

        // The panel comes back with the watcher and its host, then quits altogether.
        QVERIFY(setHost(true));
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 3, 5000);
        m_bus.stopTemplate();
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 4, 5000);
        QVERIFY(!watcher.hasStatusNotifierHost());
        QVERIFY2(m_bus.startTemplate(kWatcherTemplate, kWatcher), qPrintable(m_bus.error()));
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 5, 5000);
        QVERIFY(watcher.hasStatusNotifierHost());
        // Settled changes only: nothing more comes while nothing happens.
        QTest::qWait(2 * TrayHostWatcher::kSettleMilliseconds);
        QCOMPARE(changed.count(), 5);
    }

    // Anyone on the bus may send a signal on the watcher's path; only the watcher's owner is heard.
    void onlyTheWatchersOwnSignalsAreHeard()
    {
        QVERIFY2(m_bus.startTemplate(kWatcherTemplate, kWatcher, QStringLiteral("{\"host\": false}")),
            qPrintable(m_bus.error()));
        TrayHostWatcher watcher(m_bus.bus());
        QSignalSpy changed(&watcher, &TrayHostWatcher::changed);
        QVERIFY(!watcher.hasStatusNotifierHost());

        // The host is there now, but the watcher has not said so yet: a stranger's word is no reason to ask.
        QDBusMessage set = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        set << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered") << QVariant::fromValue(QDBusVariant(true));
        QCOMPARE(m_bus.bus().call(set, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
        const QString strangerName = QStringLiteral("stranger");
        {
            QDBusConnection stranger = QDBusConnection::connectToBus(m_bus.address(), strangerName);
            QVERIFY(stranger.isConnected());
            QVERIFY(stranger.send(QDBusMessage::createSignal(QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                QStringLiteral("StatusNotifierHostRegistered"))));
            QVERIFY(stranger.interface()->isServiceRegistered(kWatcher)); // the signal is out before this answer
        }
        QDBusConnection::disconnectFromBus(strangerName);
        QTest::qWait(2 * TrayHostWatcher::kSettleMilliseconds);
        QVERIFY(!watcher.hasStatusNotifierHost());
        QCOMPARE(changed.count(), 0);

        QDBusMessage emitted = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
        emitted << kWatcher << QStringLiteral("StatusNotifierHostRegistered") << QString() << QVariantList();
        QCOMPARE(m_bus.bus().call(emitted, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QVERIFY(watcher.hasStatusNotifierHost());
    }
};

QTEST_MAIN(StatusNotifierTest)
#include "statusnotifier_test.moc"
