#include "olvane/menubar.h"
#include "olvane/menubardelegate.h"
#include "olvane/menubaritem.h"
#include "olvane/menubaritemcontroller.h"

#include <platform/ui/menu.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/view.h>

#include <QPointer>
#include <QStringList>
#include <QTest>

using namespace platform::ui;
using olvane::MenuBar;
using olvane::MenuBarItem;
using olvane::MenuBarItemController;

namespace {

QStringList *s_log = nullptr;

// Logs every layout with its name.
class LayoutView : public View {
public:
    LayoutView(const QString &name, const Rect &frame)
        : View(frame)
        , m_name(name)
    {
    }
    void layout() override
    {
        if (s_log)
            *s_log << QStringLiteral("layout:") + m_name;
        View::layout();
    }

private:
    QString m_name;
};

class RecordingDelegate : public olvane::MenuBarDelegate {
public:
    void menuBarItemsChanged() override { *s_log << QStringLiteral("itemsChanged"); }
    void menuBarAppearanceChanged(bool isDark) override
    {
        *s_log << QStringLiteral("appearance:%1").arg(isDark ? "dark" : "light");
    }
};

Image square()
{
    return Image::withDrawing(Size { 16, 16 }, [](GraphicsContext &, const Rect &) {});
}

} // namespace

class MenuBarItemControllerTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_log.clear();
        s_log = &m_log;
    }
    void cleanup() { s_log = nullptr; }

    void mainItemExistsFromConstruction()
    {
        StatusBar bar;
        ScopedAppearance dark(Appearance::darkAqua());
        MenuBarItemController controller(bar);
        QCOMPARE(controller.count(), 1);
        QVERIFY(controller.firstItem());
        QCOMPARE(controller.item(0), controller.firstItem());
        QCOMPARE(MenuBar::mainStatusItem(), controller.firstItem()->item());
        QCOMPARE(bar.items(), QList<StatusItem *>({ controller.firstItem()->item().get() }));
        QVERIFY(controller.isDark());
        QVERIFY(MenuBar::isDark());
        QVERIFY(controller.isMenuBarVisible());
        QCOMPARE(controller.item(1), nullptr);
        QCOMPARE(controller.item(-1), nullptr);
    }

    void observationReportsTheAppearanceItFindsAtOnce()
    {
        StatusBar bar;
        MenuBarItemController controller(new LayoutView("main", Rect(0, 0, 20, 22)), bar);
        QCOMPARE(m_log, QStringList({ "layout:main" }));
    }

    void headlessRoundTrip()
    {
        StatusBar bar;
        MenuBarItemController controller(bar);
        controller.setDelegate(std::make_shared<RecordingDelegate>());

        auto *battery = new LayoutView("battery", Rect(0, 0, 36, 22));
        auto mouse = controller.makeViewItem(new LayoutView("mouse", Rect(0, 0, 52, 22)));
        auto keyboard = controller.makeImageItem(square());
        QCOMPARE(controller.count(), 1); // made, not yet listed
        controller.add(mouse);
        controller.add(keyboard);

        std::shared_ptr<MenuBarItem> main = controller.firstItem();
        main->setViews(QList<View *> { battery });
        main->setLength(36);
        auto menu = std::make_shared<Menu>();
        menu->addItem(QStringLiteral("Quit"));
        main->setMenu(menu);
        main->setRepresentedObject(QStringLiteral("internal"));
        mouse->setLength(52);
        mouse->setRepresentedObject(QStringLiteral("AA-BB"));
        keyboard->setLength(StatusItem::variableLength);
        keyboard->setRepresentedObject(QStringLiteral("CC-DD"));

        const QList<std::shared_ptr<MenuBarItem>> items = controller.items();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items.at(0), main);
        QCOMPARE(items.at(1), mouse);
        QCOMPARE(items.at(2), keyboard);
        QStringList objects;
        QList<double> widths;
        for (const auto &item : items) {
            objects << item->representedObject().toString();
            widths << item->item()->width();
        }
        QCOMPARE(objects, QStringList({ "internal", "AA-BB", "CC-DD" }));
        QCOMPARE(widths, QList<double>({ 36, 52, 16 + 2 * StatusBarButton::kContentPadding }));
        QCOMPARE(main->views(), QList<View *>({ battery }));
        QCOMPARE(controller.menu(), menu);
        QCOMPARE(controller.length(), 36.0);
        QCOMPARE(bar.items().size(), 3);

        controller.removeAdditionalItems();
        QCOMPARE(controller.count(), 1);
        QCOMPARE(controller.firstItem(), main);
        QCOMPARE(bar.items(), QList<StatusItem *>({ main->item().get() }));
        QCOMPARE(main->menu(), menu);
        QCOMPARE(main->views(), QList<View *>({ battery }));
        QCOMPARE(
            m_log, QStringList({ "itemsChanged", "itemsChanged", "itemsChanged", "itemsChanged", "itemsChanged" }));
    }

    void removeAdditionalItemsTellsOncePerItemAndOnceMore_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("calls");
        QTest::newRow("main item only") << 1 << 0;
        QTest::newRow("two") << 2 << 2;
        QTest::newRow("three") << 3 << 3;
    }

    void removeAdditionalItemsTellsOncePerItemAndOnceMore()
    {
        QFETCH(int, items);
        QFETCH(int, calls);
        StatusBar bar;
        MenuBarItemController controller(bar);
        for (int i = 1; i < items; ++i)
            controller.add(controller.makeImageItem(square()));
        controller.setDelegate(std::make_shared<RecordingDelegate>());
        controller.removeAdditionalItems();
        QCOMPARE(m_log.size(), calls);
        QCOMPARE(controller.count(), 1);
        QCOMPARE(bar.items().size(), 1);
    }

    void duplicatesAreListedAndRemovedTogether()
    {
        StatusBar bar;
        MenuBarItemController controller(bar);
        auto extra = controller.makeImageItem(square());
        controller.add(extra);
        controller.add(extra);
        QCOMPARE(controller.count(), 3);
        controller.setDelegate(std::make_shared<RecordingDelegate>());
        controller.remove(extra);
        QCOMPARE(controller.count(), 1);
        QCOMPARE(m_log, QStringList({ "itemsChanged" }));
    }

    void removingAnUnlistedItemStillTakesItOffTheBar()
    {
        StatusBar bar;
        MenuBarItemController controller(bar);
        controller.setDelegate(std::make_shared<RecordingDelegate>());
        auto stray = controller.makeViewItem(new View);
        QCOMPARE(bar.items().size(), 2);
        controller.remove(stray);
        QCOMPARE(bar.items().size(), 1);
        QCOMPARE(stray->item()->statusBar(), nullptr);
        QCOMPARE(m_log, QStringList({ "itemsChanged" }));
    }

    void appearanceChangeLaysOutEveryHostedViewThenTellsOnce()
    {
        StatusBar bar;
        ScopedAppearance light(Appearance::aqua());
        MenuBarItemController controller(
            QList<View *> { new LayoutView("a", Rect()), new LayoutView("b", Rect()) }, bar);
        controller.add(controller.makeViewItem(new LayoutView("c", Rect())));
        controller.setDelegate(std::make_shared<RecordingDelegate>());
        QVERIFY(!MenuBar::isDark());
        m_log.clear();
        {
            ScopedAppearance dark(Appearance::darkAqua());
            QCOMPARE(m_log, QStringList({ "layout:a", "layout:b", "layout:c", "appearance:dark" }));
            QVERIFY(MenuBar::isDark());
            QCOMPARE(MenuBar::textColor(), Color::white());
            QVERIFY(controller.isDark());
            m_log.clear();
        }
        QCOMPARE(m_log, QStringList({ "layout:a", "layout:b", "layout:c", "appearance:light" }));
        QCOMPARE(MenuBar::textColor(), Color::black());
    }

    void removingTheMainItemEndsTheObservation()
    {
        StatusBar bar;
        MenuBarItemController controller(bar);
        auto second = controller.makeViewItem(new LayoutView("second", Rect()));
        controller.add(second);
        controller.add(controller.makeImageItem(square()));
        controller.setDelegate(std::make_shared<RecordingDelegate>());
        controller.removeMainItem();
        QCOMPARE(controller.count(), 2);
        QCOMPARE(controller.firstItem(), second);
        QCOMPARE(bar.items().size(), 2);
        QVERIFY(!MenuBar::mainStatusItem());
        QVERIFY(!MenuBar::isDark());
        QCOMPARE(m_log, QStringList({ "itemsChanged" }));
        m_log.clear();
        ScopedAppearance dark(Appearance::darkAqua());
        QVERIFY(m_log.isEmpty());
        // The new first item is not followed, but still answers for itself.
        QVERIFY(controller.isDark());
    }

    void withoutMainItemNothingIsListedOrFollowed()
    {
        StatusBar bar;
        MenuBarItemController controller(false, bar);
        QCOMPARE(controller.count(), 0);
        QVERIFY(bar.items().isEmpty());
        QVERIFY(!controller.firstItem());
        QVERIFY(!controller.isDark());
        QVERIFY(!controller.menu());
        QCOMPARE(controller.length(), 0.0);
        controller.removeMainItem();
        controller.removeAdditionalItems();
        controller.add(controller.makeImageItem(square()));
        controller.setDelegate(std::make_shared<RecordingDelegate>());
        ScopedAppearance dark(Appearance::darkAqua());
        QVERIFY(m_log.isEmpty());
        QVERIFY(!MenuBar::mainStatusItem());
    }

    void releasingTheControllerForgetsTheMainItem()
    {
        StatusBar bar;
        auto controller = std::make_unique<MenuBarItemController>(bar);
        QVERIFY(MenuBar::mainStatusItem());
        controller.reset();
        QVERIFY(!MenuBar::mainStatusItem());
        QVERIFY(bar.items().isEmpty());
    }

    void menuAndLengthOfTheMainItem()
    {
        StatusBar bar;
        MenuBarItemController controller(square(), bar);
        QVERIFY(controller.firstItem()->image());
        auto menu = std::make_shared<Menu>();
        controller.setMenu(menu);
        controller.setLength(28);
        QCOMPARE(controller.firstItem()->menu(), menu);
        QCOMPARE(controller.firstItem()->item()->width(), 28.0);
    }

private:
    QStringList m_log;
};

QTEST_MAIN(MenuBarItemControllerTest)
#include "menubaritemcontroller_test.moc"
