#include "olvane/menubaritem.h"
#include "olvane/menubaritemdelegate.h"

#include <platform/ui/layoutconstraint.h>
#include <platform/ui/menu.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/view.h>

#include <QPointer>
#include <QTest>

using namespace platform::ui;
using olvane::MenuBarItem;

namespace {

Image square()
{
    return Image::withDrawing(Size { 16, 16 }, [](GraphicsContext &, const Rect &) {});
}

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class VisibilityLog : public olvane::MenuBarItemDelegate {
public:
    void menuBarItemVisibilityChanged(MenuBarItem &item, std::optional<bool> visible) override
    {
        calls.append({ &item, visible });
    }
    QList<QPair<MenuBarItem *, std::optional<bool>>> calls;
};

} // namespace

class MenuBarItemTest : public QObject {
    Q_OBJECT
private slots:
    void initialisersPutTheirContentIn()
    {
        StatusBar bar;
        MenuBarItem plain(bar);
        QCOMPARE(plain.length(), StatusItem::variableLength);
        QVERIFY(plain.views().isEmpty());
        QVERIFY(!plain.image());
        QCOMPARE(bar.items(), QList<StatusItem *>({ plain.item().get() }));

        const Image image = square();
        MenuBarItem withImage(image, bar);
        QVERIFY(withImage.image() && withImage.image()->isSameObject(image));
        QCOMPARE(withImage.item()->button()->imagePosition(), ImagePosition::imageLeft);

        auto *a = new View(Rect(0, 0, 10, 22));
        auto *b = new View(Rect(10, 0, 10, 22));
        MenuBarItem withViews(QList<View *> { a, b }, bar);
        QCOMPARE(withViews.views(), QList<View *>({ a, b }));
        QVERIFY(a->constraints().empty() && withViews.item()->button()->constraints().empty());
        QCOMPARE(bar.items().size(), 3);
    }

    // Which operations clear the other kind of content.
    void contentOperations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("views");
        QTest::addColumn<bool>("image");
        // Every row starts from one hosted view and an image (set with the plain image setter).
        QTest::newRow("setViews none clears all") << "setViews none" << 0 << false;
        QTest::newRow("setViews empty clears all") << "setViews empty" << 0 << false;
        QTest::newRow("setViews replaces views and clears the image") << "setViews two" << 2 << false;
        QTest::newRow("setImage removes the views") << "setImage" << 0 << true;
        QTest::newRow("addView keeps the image") << "addView" << 2 << true;
        QTest::newRow("addPinnedView keeps the image") << "addPinnedView" << 2 << true;
        QTest::newRow("plain image setter keeps the views") << "setImageKeepingViews" << 1 << true;
        QTest::newRow("removeViews keeps the image") << "removeViews" << 0 << true;
        QTest::newRow("reset clears all") << "reset" << 0 << false;
    }

    void contentOperations()
    {
        QFETCH(QString, operation);
        QFETCH(int, views);
        QFETCH(bool, image);
        StatusBar bar;
        MenuBarItem item(new View(Rect(0, 0, 10, 22)), bar);
        item.setImageKeepingViews(square());
        item.item()->button()->setImagePosition(ImagePosition::imageRight);
        if (operation == "setViews none")
            item.setViews(std::nullopt);
        else if (operation == "setViews empty")
            item.setViews(QList<View *>());
        else if (operation == "setViews two")
            item.setViews(QList<View *> { new View, new View });
        else if (operation == "setImage")
            item.setImage(square());
        else if (operation == "addView")
            item.addView(new View);
        else if (operation == "addPinnedView")
            item.addPinnedView(new View);
        else if (operation == "setImageKeepingViews")
            item.setImageKeepingViews(square());
        else if (operation == "removeViews")
            item.removeViews();
        else if (operation == "reset")
            item.reset();
        QCOMPARE(item.views().size(), views);
        QCOMPARE(item.image().has_value(), image);
        if (operation.startsWith("set") && operation != "setImageKeepingViews")
            QCOMPARE(item.item()->button()->imagePosition(), ImagePosition::imageLeft);
    }

    void removedViewsAreReleasedUnlessHostedAgain()
    {
        StatusBar bar;
        const QPointer<View> kept = new View(Rect(0, 0, 10, 22));
        const QPointer<View> dropped = new View(Rect(10, 0, 10, 22));
        MenuBarItem item(QList<View *> { kept, dropped }, bar);
        item.setViews(QList<View *> { kept });
        QVERIFY(dropped); // not before the event loop runs
        drain();
        QVERIFY(!dropped);
        QVERIFY(kept);
        QCOMPARE(item.views(), QList<View *>({ kept.data() }));
    }

    void pinnedViewFollowsTheButton()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        item.setLength(40);
        auto *view = new View(Rect(3, 3, 5, 5));
        item.addPinnedView(view);
        QVERIFY(!view->translatesAutoresizingMaskIntoConstraints());
        item.item()->button()->layoutSubtreeIfNeeded();
        QCOMPARE(view->frame(), Rect(0, 0, 40, 22));
        item.setLength(60);
        item.item()->button()->layoutSubtreeIfNeeded();
        QCOMPARE(view->frame(), Rect(0, 0, 60, 22));
    }

    void setSizeMakesItsConstraintsOnce()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        item.setSize(30, 22);
        const auto width = item.widthConstraint();
        const auto height = item.heightConstraint();
        QVERIFY(width && width->isActive() && height && height->isActive());
        item.setSize(48, 20);
        QCOMPARE(item.widthConstraint(), width);
        QCOMPARE(item.heightConstraint(), height);
        QCOMPARE(width->constant(), 48.0);
        QCOMPARE(height->constant(), 20.0);
        QCOMPARE(item.item()->button()->constraints().size(), size_t(2));
        // A variable-length item is as wide as the constraint says.
        QCOMPARE(item.item()->width(), 48.0);
    }

    void setSizeAfterResetTakesEffect()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        item.setSize(30, 22);
        item.reset();
        QVERIFY(item.item()->button()->constraints().empty());
        QCOMPARE(item.item()->width(), 0.0);
        item.setSize(36, 22);
        QCOMPARE(item.item()->width(), 36.0);
        QCOMPARE(item.item()->button()->constraints().size(), size_t(2));
    }

    void titleNoneIsEmpty()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        item.setTitle(QStringLiteral("80%"));
        QCOMPARE(item.title(), std::optional<QString>(QStringLiteral("80%")));
        item.setTitle(std::nullopt);
        QCOMPARE(item.title(), std::optional<QString>(QString()));
    }

    void targetActionAndTag()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        QObject target;
        int sent = 0;
        item.setTarget(
            &target, [&](QObject *) { ++sent; }, 5);
        QCOMPARE(item.target(), &target);
        QCOMPARE(item.item()->button()->tag(), 5);
        item.item()->click(QPoint());
        QCOMPARE(sent, 1);
        item.clearTarget();
        QCOMPARE(item.target(), nullptr);
        QVERIFY(!item.action());
        QCOMPARE(item.item()->button()->tag(), 0);
        item.item()->click(QPoint());
        QCOMPARE(sent, 1);
    }

    void visibilityChangesReachALiveDelegateOnly()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        auto delegate = std::make_shared<VisibilityLog>();
        item.setDelegate(delegate);
        item.setVisible(false);
        item.setVisible(true);
        QCOMPARE(delegate->calls.size(), 2);
        QCOMPARE(delegate->calls.at(0).first, &item);
        QCOMPARE(delegate->calls.at(0).second, std::optional<bool>(false));
        QCOMPARE(delegate->calls.at(1).second, std::optional<bool>(true));
        const std::weak_ptr<VisibilityLog> weak = delegate;
        delegate.reset();
        QVERIFY(weak.expired());
        item.setVisible(false); // nobody to tell, nothing breaks
        QVERIFY(!item.isVisible());
    }

    void darknessAndMenuGoThroughTheStatusItem()
    {
        StatusBar bar;
        MenuBarItem item(bar);
        {
            ScopedAppearance dark(Appearance::darkAqua());
            QVERIFY(item.isDark());
        }
        QVERIFY(!item.isDark());
        auto menu = std::make_shared<Menu>();
        item.setMenu(menu);
        QCOMPARE(item.item()->menu(), menu);
        QCOMPARE(item.menu(), menu);
    }

    void releasingTheItemTakesItOffTheBar()
    {
        StatusBar bar;
        auto item = std::make_shared<MenuBarItem>(bar);
        QCOMPARE(bar.items().size(), 1);
        item.reset();
        QVERIFY(bar.items().isEmpty());
    }
};

QTEST_MAIN(MenuBarItemTest)
#include "menubaritem_test.moc"
