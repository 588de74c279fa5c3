#include "platform/ui/graphicscontext.h"
#include "platform/ui/menu.h"
#include "platform/ui/desktopsession.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/trayicon.h"
#include "platform/ui/traystatusbarpresenter.h"
#include "platform/ui/trayrendition.h"
#include "../src/statusstripwindow_p.h"
#include "uitestsupport.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::FillView;
using platform::ui::test::near;

namespace {

// Draws a cross of one colour into the tray's square instead of its wide picture.
class RenditionView : public View, public TrayRendition {
public:
    RenditionView(const Rect &frame, QString line)
        : View(frame)
        , m_line(std::move(line))
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), Color::blue()); }
    void drawTrayRendition(GraphicsContext &ctx, double side) const override
    {
        ctx.fillRect(Rect(0, side / 2 - 1, side, 2), Color::green());
        ctx.fillRect(Rect(side / 2 - 1, 0, 2, side), Color::green());
    }
    QString trayToolTip() const override { return m_line; }

private:
    QString m_line;
};

std::shared_ptr<StatusItem> filledItem(StatusBar &bar, double width, Color color)
{
    auto item = bar.statusItem(width);
    item->button()->addSubview(new FillView(Rect(0, 0, width, bar.thickness()), color));
    return item;
}

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class StatusBarPresenterTest : public QObject {
    Q_OBJECT
private slots:
    void noPresenterWithoutAScreen()
    {
        StatusBar bar;
        QCOMPARE(StatusBarPresenter::forDesktop(bar, TrayHosts { true, 1 }).get(), nullptr);
        QCOMPARE(StatusBar::system().presenter(), nullptr);
    }

    void theSessionChoosesThePlatform_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("platform");
        QTest::newRow("X11 session: Qt's choice") << QStringList { "XDG_SESSION_TYPE=x11", "DISPLAY=:0" } << "";
        QTest::newRow("Wayland with XWayland: X11")
            << QStringList { "XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0" } << "xcb";
        QTest::newRow("a Wayland display without a session type")
            << QStringList { "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1" } << "xcb";
        QTest::newRow("Wayland without XWayland: Qt's choice")
            << QStringList { "XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0" } << "";
        QTest::newRow("the user's platform wins")
            << QStringList { "XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0",
                   "QT_QPA_PLATFORM=wayland" }
            << "";
    }

    void theSessionChoosesThePlatform()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, platform);
        QProcessEnvironment env;
        for (const QString &entry : std::as_const(environment))
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        QCOMPARE(DesktopSession::platformFor(env), platform);
    }

    void stripShowsVisibleItemsSideBySideAtTheTopRight()
    {
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        auto second = filledItem(bar, 50, Color::blue());
        StripStatusBarPresenter strip(bar);
        drain();
        QWidget *window = strip.window();
        QVERIFY(window->isVisible());
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window->size(), QSize(4 + 30 + 4 + 50 + 4, 22));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(window->geometry().topRight(), area.topRight());
        // The oldest item at the right edge.
        QCOMPARE(strip.itemRect(first.get()), QRect(58, 0, 30, 22));
        QCOMPARE(strip.itemRect(second.get()), QRect(4, 0, 50, 22));

        const QImage shot = window->grab().toImage();
        QVERIFY(near(shot.pixelColor(70, 11), Qt::red));
        QVERIFY(near(shot.pixelColor(30, 11), Qt::blue));
        QVERIFY(!near(shot.pixelColor(56, 11), Qt::red) && !near(shot.pixelColor(56, 11), Qt::blue));
    }

    void stripFollowsWidthsVisibilityAndRedraws()
    {
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        auto second = filledItem(bar, 50, Color::blue());
        StripStatusBarPresenter strip(bar);
        drain();
        first->setVisible(false);
        drain();
        QCOMPARE(strip.window()->width(), 4 + 50 + 4);
        QCOMPARE(strip.itemRect(first.get()), QRect());
        second->setLength(20);
        drain();
        QCOMPARE(strip.window()->width(), 4 + 20 + 4);
        static_cast<FillView *>(second->button()->subviews().first())->setColor(Color::green());
        drain();
        QVERIFY(near(strip.window()->grab().toImage().pixelColor(10, 11), Qt::green));
        second->setVisible(false);
        drain();
        QVERIFY(!strip.window()->isVisible());
        first->setVisible(true);
        auto third = filledItem(bar, 10, Color::red());
        drain();
        QVERIFY(strip.window()->isVisible());
        QCOMPARE(strip.window()->width(), 4 + 30 + 4 + 10 + 4);
        third.reset();
        bar.removeStatusItem(first.get());
        drain();
        QVERIFY(!strip.window()->isVisible());
    }

    void clickOnAStripItemDropsItsMenuBelowIt()
    {
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        auto second = filledItem(bar, 50, Color::blue());
        auto menu = std::make_shared<Menu>();
        menu->addItem(QStringLiteral("Quit"));
        second->setMenu(menu);
        StripStatusBarPresenter strip(bar);
        drain();
        QVERIFY(QTest::qWaitForWindowExposed(strip.window()));
        QTest::mouseClick(strip.window(), Qt::LeftButton, {}, strip.itemRect(second.get()).center());
        QVERIFY(menu->isOpen());
        QMenu *qmenu = menu->presentedMenu();
        QVERIFY(qmenu && qmenu->isVisible());
        // Just below the item's left edge, moved left only as far as the screen's edge needs.
        const QPoint below = strip.window()->mapToGlobal(strip.itemRect(second.get()).bottomLeft() + QPoint(0, 1));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(qmenu->y(), below.y());
        QCOMPARE(qmenu->x(), std::min(below.x(), area.right() + 1 - qmenu->width()));
        menu->cancelTracking();
    }

    void trayShowsTheShownItemsInTheBarsOrder()
    {
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        TrayStatusBarPresenter tray(bar, TrayStatusBarPresenter::Protocol::inMemory);
        auto second = filledItem(bar, 50, Color::blue());
        // Nothing before the event loop turns: the application's first refresh settles what is shown.
        QVERIFY(tray.trayIcons().isEmpty());
        drain();
        QCOMPARE(tray.trayIcons().size(), 2);
        TrayIcon *firstIcon = tray.trayIcon(first.get());
        TrayIcon *secondIcon = tray.trayIcon(second.get());
        QCOMPARE(tray.trayIcons(), (QList<TrayIcon *> { firstIcon, secondIcon }));
        // A square at every size a host may ask for; the picture too wide for it is scaled in.
        QCOMPARE(secondIcon->pictures().size(), int(TrayIcon::kPictureSizes.size()));
        for (std::size_t i = 0; i < TrayIcon::kPictureSizes.size(); ++i) {
            const QImage picture = secondIcon->pictures()[qsizetype(i)];
            QCOMPARE(picture.size(), QSize(TrayIcon::kPictureSizes[i], TrayIcon::kPictureSizes[i]));
            QVERIFY(near(picture.pixelColor(picture.width() / 2, picture.height() / 2), Qt::blue));
        }

        static_cast<FillView *>(first->button()->subviews().first())->setColor(Color::green());
        drain();
        QVERIFY(near(firstIcon->pictures().front().pixelColor(10, 10), Qt::green));
        QVERIFY(near(firstIcon->pictures().back().pixelColor(32, 32), Qt::green));

        // A hidden item leaves the tray: the host drops the last icon, the others show what is left.
        first->setVisible(false);
        drain();
        QCOMPARE(tray.trayIcons(), QList<TrayIcon *> { firstIcon });
        QCOMPARE(tray.trayIcon(second.get()), firstIcon);
        QVERIFY(near(firstIcon->pictures().front().pixelColor(11, 11), Qt::blue));
        first->setVisible(true);
        drain();
        QCOMPARE(tray.trayIcons().size(), 2);
        QCOMPARE(tray.trayIcon(first.get()), firstIcon);
        QVERIFY(near(firstIcon->pictures().front().pixelColor(11, 11), Qt::green));
        // Without a width there is nothing to show.
        first->setLength(0);
        drain();
        QCOMPARE(tray.trayIcons().size(), 1);
        QCOMPARE(tray.trayIcon(first.get()), nullptr);
        bar.removeStatusItem(second.get());
        drain();
        QVERIFY(tray.trayIcons().isEmpty());
    }

    // A start shows its first items at once, not behind the event loop's first pass; what changes after
    // that still reaches the tray on the next pass.
    void aFlushShowsTheItemsAtOnce()
    {
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        TrayStatusBarPresenter tray(bar, TrayStatusBarPresenter::Protocol::inMemory);
        auto second = filledItem(bar, 50, Color::blue());
        tray.flush();
        QCOMPARE(tray.trayIcons().size(), 2);
        const QList<TrayIcon *> icons = tray.trayIcons();
        drain();
        QCOMPARE(tray.trayIcons(), icons);

        bar.removeStatusItem(first.get());
        tray.flush();
        QCOMPARE(tray.trayIcons().size(), 1);
        auto third = filledItem(bar, 40, Color::green());
        QCOMPARE(tray.trayIcons().size(), 1);
        drain();
        QCOMPARE(tray.trayIcons().size(), 2);
        QVERIFY(near(tray.trayIcons()[1]->pictures().front().pixelColor(11, 11), Qt::green));
        tray.flush(); // nothing waits
        QCOMPARE(tray.trayIcons().size(), 2);
    }

    void rebuiltItemsKeepTheirIcons()
    {
        // An application drops its items and makes them anew whenever the devices change; the host
        // must see neither icons going and coming nor new pictures for the same content.
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        auto second = filledItem(bar, 30, Color::blue());
        TrayStatusBarPresenter tray(bar, TrayStatusBarPresenter::Protocol::inMemory);
        drain();
        const QList<TrayIcon *> icons = tray.trayIcons();
        const int updates = tray.iconUpdates();
        QCOMPARE(updates, 2);

        first.reset();
        second.reset();
        first = filledItem(bar, 30, Color::red());
        second = filledItem(bar, 30, Color::blue());
        auto third = filledItem(bar, 30, Color::green());
        drain();
        // The newer item gets an icon at the end; the others stay as they were.
        QCOMPARE(tray.trayIcons().mid(0, 2), icons);
        QCOMPARE(tray.trayIcons().size(), 3);
        QCOMPARE(tray.iconUpdates(), updates + 1);

        // An item made in the middle shifts the content along the icons, which stay in their order.
        bar.removeStatusItem(first.get());
        bar.removeStatusItem(second.get());
        bar.removeStatusItem(third.get());
        auto a = filledItem(bar, 30, Color::red());
        auto b = filledItem(bar, 30, Color::green());
        auto c = filledItem(bar, 30, Color::blue());
        drain();
        QCOMPARE(tray.trayIcons().size(), 3);
        QCOMPARE(tray.trayIcon(a.get()), icons[0]);
        QVERIFY(near(tray.trayIcons()[1]->pictures().front().pixelColor(11, 11), Qt::green));
        QVERIFY(near(tray.trayIcons()[2]->pictures().front().pixelColor(11, 11), Qt::blue));
    }

    void trayPictureIsASquare_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("rendition");
        QTest::addColumn<QColor>("centre");
        QTest::addColumn<QColor>("corner");
        QTest::addColumn<QString>("toolTip");
        // A picture that fits is shown as it is, centred (a 16-point one leaves 3 points each side).
        QTest::newRow("narrow picture, centred") << 16.0 << false << QColor(Qt::red) << QColor(Qt::transparent) << "";
        QTest::newRow("narrow picture with a rendition: the picture")
            << 20.0 << true << QColor(Qt::blue) << QColor(Qt::blue) << "Mouse: 5%";
        QTest::newRow("slightly wider picture with a rendition: the rendition")
            << 24.0 << true << QColor(Qt::green) << QColor(Qt::transparent) << "Mouse: 5%";
        // Nothing made for the square: the whole picture, scaled down (letterboxed).
        QTest::newRow("wide picture alone: scaled") << 44.0 << false << QColor(Qt::red) << QColor(Qt::transparent)
                                                    << "";
    }

    void trayPictureIsASquare()
    {
        QFETCH(double, width);
        QFETCH(bool, rendition);
        QFETCH(QColor, centre);
        QFETCH(QColor, corner);
        QFETCH(QString, toolTip);
        StatusBar bar;
        // A panel the tray told: the picture alone, without a plate of its own.
        bar.setPanelAppearance(Appearance::aqua());
        auto item = bar.statusItem(width);
        if (rendition)
            item->button()->addSubview(new RenditionView(Rect(0, 0, width, 22), QStringLiteral("Mouse: 5%")));
        else
            item->button()->addSubview(new FillView(Rect(0, 0, width, 22), Color::red()));
        const QImage square = item->trayPicture(1.0);
        QCOMPARE(square.size(), QSize(22, 22));
        QVERIFY(near(square.pixelColor(11, 11), centre));
        QCOMPARE(square.pixelColor(1, 1).alpha() == 0, corner.alpha() == 0);
        if (corner.alpha() != 0)
            QVERIFY(near(square.pixelColor(1, 1), corner));
        QCOMPARE(item->toolTip(), toolTip);
        item->setToolTip(QStringLiteral("set"));
        QCOMPARE(item->toolTip(), QStringLiteral("set"));
        QCOMPARE(bar.statusItem(0)->trayPicture(), QImage());
    }

    void trayHandsOverOnlyWhatChanged()
    {
        StatusBar bar;
        auto item = bar.statusItem(60);
        auto *view = new RenditionView(Rect(0, 0, 60, 22), QStringLiteral("Mouse: 5%"));
        item->button()->addSubview(view);
        TrayStatusBarPresenter tray(bar, TrayStatusBarPresenter::Protocol::inMemory);
        drain();
        TrayIcon *icon = tray.trayIcon(item.get());
        QCOMPARE(tray.iconUpdates(), 1);
        QCOMPARE(icon->toolTip(), QStringLiteral("Mouse: 5%"));
        // Redraws of the same content (every refresh tick asks for one) reach the tray not at all.
        for (int i = 0; i < 3; ++i) {
            view->setNeedsDisplay();
            drain();
        }
        QCOMPARE(tray.iconUpdates(), 1);
        item->setToolTip(QStringLiteral("Mouse: 4%"));
        drain();
        QCOMPARE(icon->toolTip(), QStringLiteral("Mouse: 4%"));
        QCOMPARE(tray.iconUpdates(), 1);
    }

    void stripRepaintsOnlyChangedPictures()
    {
        StatusBar bar;
        auto item = filledItem(bar, 30, Color::red());
        StripStatusBarPresenter strip(bar);
        drain();
        auto *window = static_cast<StatusStripWindow *>(strip.window());
        auto *fill = static_cast<FillView *>(item->button()->subviews().first());
        fill->setNeedsDisplay();
        drain();
        QCOMPARE(window->pictureUpdates(), 0);
        fill->setColor(Color::green());
        drain();
        QCOMPARE(window->pictureUpdates(), 1);
    }

    void aTrayClickOpensTheItemsMenuWhereTheHostSays()
    {
        StatusBar bar;
        auto older = filledItem(bar, 30, Color::red());
        auto item = filledItem(bar, 30, Color::red());
        auto menu = std::make_shared<Menu>();
        menu->addItem(QStringLiteral("Quit"));
        item->setMenu(menu);
        TrayStatusBarPresenter tray(bar, TrayStatusBarPresenter::Protocol::inMemory);
        drain();
        QCOMPARE(tray.trayIcon(item.get())->menu(), menu);
        const QPoint point(200, 120);
        emit tray.trayIcon(item.get())->clicked(point);
        QVERIFY(menu->isOpen());
        QCOMPARE(menu->presentedMenu()->pos(), point);
        menu->cancelTracking();
        // The icon stands for whatever item is at its place when it is clicked.
        older->setVisible(false);
        drain();
        emit tray.trayIcons().front()->clicked(point);
        QVERIFY(menu->isOpen());
        menu->cancelTracking();
    }

    void theStripStaysOnTheScreen()
    {
        // More items than the screen is wide: as in a menu bar, the newest ones that do not fit stay out.
        StatusBar bar;
        const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
        std::vector<std::shared_ptr<StatusItem>> items;
        for (int i = 0; i < screenWidth / 100 + 3; ++i)
            items.push_back(filledItem(bar, 96, Color::red()));
        StripStatusBarPresenter strip(bar);
        drain();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(area.contains(strip.window()->geometry()));
        QVERIFY(!strip.itemRect(items.front().get()).isEmpty());
        QVERIFY(strip.itemRect(items.back().get()).isEmpty());
        QCOMPARE(strip.window()->width(), 4 + (screenWidth - 4) / 100 * 100);
    }
};

QTEST_MAIN(StatusBarPresenterTest)
#include "statusbarpresenter_test.moc"
