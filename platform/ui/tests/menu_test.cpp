#include "menutestsupport.h"
#include "platform/ui/menu.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/recordingcontext.h"
#include "platform/ui/view.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::RecordingMenuDelegate;
using platform::ui::test::RowView;

namespace {

// Rows: 0 "Open" (logs its action), 1 separator, 2 "Hide" (logs), 3 "Off" (disabled, logs), 4 a
// custom row titled "Row" with a view.
struct Fixture {
    QStringList log;
    Menu menu;
    std::shared_ptr<RecordingMenuDelegate> delegate = std::make_shared<RecordingMenuDelegate>(log);
    RowView *row = nullptr;

    Fixture()
    {
        menu.setDelegate(delegate);
        for (const QString &title :
            { QStringLiteral("Open"), QString(), QStringLiteral("Hide"), QStringLiteral("Off") }) {
            if (title.isEmpty()) {
                menu.addItem(MenuItem::separator());
                continue;
            }
            menu.addItem(title, [this, title](QObject *sender) {
                log << QStringLiteral("action:%1 from %2").arg(title, qobject_cast<MenuItem *>(sender)->title());
            });
        }
        menu.itemAt(3)->setEnabled(false);
        auto *custom = new MenuItem(QStringLiteral("Row"));
        row = new RowView(Rect(0, 0, 200, 30), log);
        custom->setView(row);
        menu.addItem(custom);
    }

    // Runs "open", "close", "hover:N", "hover:-", "click:N".
    void run(const QStringList &script)
    {
        for (const QString &step : script) {
            const QString arg = step.section(QLatin1Char(':'), 1);
            if (step == QLatin1String("open"))
                menu.open();
            else if (step == QLatin1String("close"))
                menu.cancelTracking();
            else if (step.startsWith(QLatin1String("hover:")))
                menu.highlightItem(arg == QLatin1String("-") ? nullptr : menu.itemAt(arg.toInt()));
            else if (step.startsWith(QLatin1String("click:")))
                menu.clickItem(menu.itemAt(arg.toInt()));
        }
    }
};

} // namespace

class MenuTest : public QObject {
    Q_OBJECT
private slots:
    void tracking_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("open, hover a row, hover nothing, close") << QStringList { "open", "hover:2", "hover:-",
            "close" } << QStringList { "willOpen", "highlight:Hide", "highlight:-", "didClose" };
        QTest::newRow("staying on a row is told once") << QStringList { "open", "hover:0", "hover:0", "close" }
                                                       << QStringList { "willOpen", "highlight:Open", "didClose" };
        QTest::newRow("moving between rows") << QStringList { "open", "hover:0", "hover:2",
            "close" } << QStringList { "willOpen", "highlight:Open", "highlight:Hide", "didClose" };
        QTest::newRow("separator and disabled rows highlight nothing") << QStringList { "open", "hover:0", "hover:1",
            "hover:3", "close" } << QStringList { "willOpen", "highlight:Open", "highlight:-", "didClose" };
        QTest::newRow("closing drops the highlight without a call") << QStringList { "open", "hover:4", "close", "open",
            "close" } << QStringList { "willOpen", "highlight:Row", "didClose", "willOpen", "didClose" };
        QTest::newRow("nothing happens while closed")
            << QStringList { "hover:0", "close", "click:0" } << QStringList { "action:Open from Open" };
        QTest::newRow("opening twice is told once")
            << QStringList { "open", "open", "close", "close" } << QStringList { "willOpen", "didClose" };
        QTest::newRow("a click on a row closes the menu before the action") << QStringList { "open", "hover:2",
            "click:2" } << QStringList { "willOpen", "highlight:Hide", "didClose", "action:Hide from Hide" };
        QTest::newRow("clicks on separators and disabled rows do nothing")
            << QStringList { "open", "click:1", "click:3", "close" } << QStringList { "willOpen", "didClose" };
        QTest::newRow("a click on a custom row goes to its view and leaves the menu open") << QStringList { "open",
            "click:4", "close" } << QStringList { "willOpen", "down 100,15", "up 100,15", "didClose" };
    }

    void tracking()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, heard);
        Fixture f;
        f.run(script);
        QCOMPARE(f.log, heard);
        QCOMPARE(f.menu.highlightedItem(), nullptr);
        QVERIFY(!f.menu.isOpen());
    }

    void highlightShowsInItemAndRedrawsItsView()
    {
        Fixture f;
        f.menu.open();
        RecordingContext ctx;
        f.row->render(ctx);
        f.menu.highlightItem(f.menu.itemAt(4));
        QVERIFY(f.menu.itemAt(4)->isHighlighted());
        QVERIFY(f.row->needsDisplay());
        f.row->render(ctx);
        f.menu.highlightItem(f.menu.itemAt(0));
        QVERIFY(!f.menu.itemAt(4)->isHighlighted());
        QVERIFY(f.menu.itemAt(0)->isHighlighted());
        f.row->render(ctx);
        QCOMPARE(f.row->drawnHighlighted, QList<bool>({ false, true, false }));
    }

    void delegateCallComesBeforeTheHighlightMoves()
    {
        Fixture f;
        QList<MenuItem *> highlightedWhenTold;
        f.delegate->onHighlight = [&](MenuItem *) { highlightedWhenTold << f.menu.highlightedItem(); };
        f.menu.open();
        f.menu.highlightItem(f.menu.itemAt(0));
        f.menu.highlightItem(f.menu.itemAt(2));
        QCOMPARE(highlightedWhenTold, QList<MenuItem *>({ nullptr, f.menu.itemAt(0) }));
    }

    void delegateClosingTheMenuKeepsTheHighlightAway()
    {
        Fixture f;
        f.delegate->onHighlight = [&](MenuItem *) { f.menu.cancelTracking(); };
        f.menu.open();
        f.menu.highlightItem(f.menu.itemAt(2));
        QCOMPARE(f.log, QStringList({ "willOpen", "highlight:Hide", "didClose" }));
        QVERIFY(!f.menu.itemAt(2)->isHighlighted());
        QCOMPARE(f.menu.highlightedItem(), nullptr);
    }

    void releasedDelegateIsNotCalled()
    {
        Fixture f;
        f.delegate.reset();
        f.menu.open();
        f.menu.highlightItem(f.menu.itemAt(0));
        f.menu.cancelTracking();
        QVERIFY(f.log.isEmpty());
    }

    void enclosingItemIsFoundFromNestedViews()
    {
        Fixture f;
        auto *inner = new View(Rect(10, 5, 20, 20));
        f.row->addSubview(inner);
        QCOMPARE(MenuItem::enclosingMenuItem(inner), f.menu.itemAt(4));
        QCOMPARE(MenuItem::enclosingMenuItem(f.row), f.menu.itemAt(4));
        View loose(Rect(0, 0, 10, 10));
        QCOMPARE(MenuItem::enclosingMenuItem(&loose), nullptr);
    }

    void clickOnCustomRowReachesTheDeepestViewUnderItsCentre()
    {
        Fixture f;
        auto *inner = new RowView(Rect(90, 10, 40, 10), f.log);
        f.row->addSubview(inner);
        f.menu.open();
        f.menu.clickItem(f.menu.itemAt(4));
        // The centre (100, 15) of the row lies at (10, 5) in the inner view.
        QCOMPARE(f.log, QStringList({ "willOpen", "down 10,5", "up 10,5" }));
        QVERIFY(f.menu.isOpen());
    }

    void clickOnCustomRowPassesUpFromViewsThatLeaveItUnhandled()
    {
        Fixture f;
        // A plain view (a label, say) covers the row's centre and takes no clicks.
        auto *label = new View(Rect(90, 10, 40, 10));
        f.row->addSubview(label);
        f.menu.open();
        f.menu.clickItem(f.menu.itemAt(4));
        QCOMPARE(f.log, QStringList({ "willOpen", "down 100,15", "up 100,15" }));
    }

    void itemsListEdits()
    {
        Fixture f;
        QSignalSpy changed(&f.menu, &Menu::itemsChanged);
        auto *extra = new MenuItem(QStringLiteral("Extra"));
        extra->setTag(7);
        f.menu.insertItem(extra, 1);
        QCOMPARE(f.menu.indexOfItem(extra), 1);
        QCOMPARE(f.menu.itemWithTag(7), extra);
        QCOMPARE(f.menu.itemWithTag(8), nullptr);
        QCOMPARE(extra->menu(), &f.menu);

        Menu other;
        other.addItem(extra);
        QCOMPARE(f.menu.indexOfItem(extra), -1);
        QCOMPARE(other.items(), QList<MenuItem *>({ extra }));

        f.menu.removeItemAt(0);
        QCOMPARE(f.menu.itemAt(0)->isSeparatorItem(), true);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(f.menu.numberOfItems(), 4);
    }

    void removingItemsDestroysThemAndTheirViews()
    {
        Fixture f;
        const QPointer<MenuItem> first = f.menu.itemAt(0);
        const QPointer<View> row = f.row;
        f.menu.open();
        f.menu.highlightItem(f.menu.itemAt(4));
        f.menu.removeAllItems();
        QVERIFY(!first);
        QVERIFY(!row);
        QCOMPARE(f.menu.numberOfItems(), 0);
        QCOMPARE(f.menu.highlightedItem(), nullptr);
    }

    void destroyingTheHighlightedItemClearsTheHighlight()
    {
        Fixture f;
        f.menu.open();
        f.menu.highlightItem(f.menu.itemAt(2));
        delete f.menu.itemAt(2);
        QCOMPARE(f.menu.highlightedItem(), nullptr);
        QCOMPARE(f.menu.numberOfItems(), 4);
        f.menu.highlightItem(f.menu.itemAt(0));
        QCOMPARE(f.log.last(), QStringLiteral("highlight:Open"));
    }

    void replacingAViewDestroysTheOldOne()
    {
        Fixture f;
        const QPointer<View> old = f.row;
        auto *replacement = new View(Rect(0, 0, 10, 10));
        f.menu.itemAt(4)->setView(replacement);
        QVERIFY(!old);
        QCOMPARE(MenuItem::enclosingMenuItem(replacement), f.menu.itemAt(4));
    }

    void actionOfDestroyedTargetIsNotSent()
    {
        Fixture f;
        auto target = std::make_unique<QObject>();
        f.menu.itemAt(0)->setTarget(target.get());
        QVERIFY(f.menu.performActionForItemAt(0));
        target.reset();
        QVERIFY(!f.menu.performActionForItemAt(0));
        QVERIFY(!f.menu.performActionForItemAt(3)); // disabled
        QCOMPARE(f.log, QStringList({ "action:Open from Open" }));
    }
};

QTEST_MAIN(MenuTest)
#include "menu_test.moc"
