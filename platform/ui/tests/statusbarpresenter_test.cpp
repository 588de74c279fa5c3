#include "platform/ui/graphicscontext.h"
#include "platform/ui/menu.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/traystatusbarpresenter.h"
#include "platform/ui/trayrendition.h"
#include "../src/statusstripwindow_p.h"
#include "uitestsupport.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

using namespace platform::ui;
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

class FillView : public View {
public:
    FillView(const Rect &frame, Color color)
        : View(frame)
        , m_color(color)
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), m_color); }
    void setColor(Color color)
    {
        m_color = color;
        setNeedsDisplay();
    }

private:
    Color m_color;
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
        QCOMPARE(StatusBarPresenter::forDesktop(bar).get(), nullptr);
        QCOMPARE(StatusBar::system().presenter(), nullptr);
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

    void trayShowsOneIconPerItemWithItsPicture()
    {
        StatusBar bar;
        auto first = filledItem(bar, 30, Color::red());
        TrayStatusBarPresenter tray(bar);
        auto second = filledItem(bar, 50, Color::blue());
        QSystemTrayIcon *firstIcon = tray.trayIcon(first.get());
        QSystemTrayIcon *secondIcon = tray.trayIcon(second.get());
        QVERIFY(firstIcon && secondIcon && firstIcon != secondIcon);
        QVERIFY(firstIcon->isVisible());
        // A tray gives a square: the picture too wide for it is scaled into it.
        const QSize size = secondIcon->icon().availableSizes().value(0);
        QCOMPARE(size, QSize(22, 22) * QGuiApplication::primaryScreen()->devicePixelRatio());

        const qint64 before = firstIcon->icon().cacheKey();
        static_cast<FillView *>(first->button()->subviews().first())->setColor(Color::green());
        drain();
        QVERIFY(firstIcon->icon().cacheKey() != before);
        QVERIFY(near(firstIcon->icon().pixmap(size).toImage().pixelColor(10, 10), Qt::green));

        first->setVisible(false);
        QVERIFY(!firstIcon->isVisible());
        first->setVisible(true);
        QVERIFY(firstIcon->isVisible());
        // Without a width there is nothing to show.
        first->setLength(0);
        drain();
        QVERIFY(!firstIcon->isVisible());
        bar.removeStatusItem(second.get());
        QCOMPARE(tray.trayIcon(second.get()), nullptr);
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
        TrayStatusBarPresenter tray(bar);
        QSystemTrayIcon *icon = tray.trayIcon(item.get());
        QCOMPARE(tray.iconUpdates(), 1);
        QCOMPARE(icon->toolTip(), QStringLiteral("Mouse: 5%"));
        const qint64 key = icon->icon().cacheKey();
        // Redraws of the same content (every refresh tick asks for one) reach the tray not at all.
        for (int i = 0; i < 3; ++i) {
            view->setNeedsDisplay();
            drain();
        }
        QCOMPARE(tray.iconUpdates(), 1);
        QCOMPARE(icon->icon().cacheKey(), key);
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

    void trayClicksOpenTheItemsMenu_data()
    {
        QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
        QTest::addColumn<bool>("opens");
        QTest::newRow("left click") << QSystemTrayIcon::Trigger << true;
        QTest::newRow("right click") << QSystemTrayIcon::Context << true;
        QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << true;
        QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << false;
    }

    void trayClicksOpenTheItemsMenu()
    {
        QFETCH(QSystemTrayIcon::ActivationReason, reason);
        QFETCH(bool, opens);
        StatusBar bar;
        auto item = filledItem(bar, 30, Color::red());
        auto menu = std::make_shared<Menu>();
        menu->addItem(QStringLiteral("Quit"));
        item->setMenu(menu);
        TrayStatusBarPresenter tray(bar);
        emit tray.trayIcon(item.get())->activated(reason);
        QCOMPARE(menu->isOpen(), opens);
        menu->cancelTracking();
    }
};

QTEST_MAIN(StatusBarPresenterTest)
#include "statusbarpresenter_test.moc"
