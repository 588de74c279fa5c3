#include "menutestsupport.h"
#include "platform/ui/menu.h"
#include "platform/ui/menuitem.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidgetAction>

using namespace platform::ui;
using platform::ui::test::RecordingMenuDelegate;
using platform::ui::test::RowView;

namespace {

// "Open", a separator, "Save & Quit", "Off" (disabled), and a 200 × 30 custom row.
struct Fixture {
    QStringList log;
    Menu menu;
    std::shared_ptr<RecordingMenuDelegate> delegate = std::make_shared<RecordingMenuDelegate>(log);
    QPointer<RowView> row;

    Fixture()
    {
        menu.setDelegate(delegate);
        menu.addItem(QStringLiteral("Open"), [this](QObject *) { log << QStringLiteral("action:Open"); });
        menu.addItem(MenuItem::separator());
        menu.addItem(QStringLiteral("Save & Quit"), [this](QObject *) { log << QStringLiteral("action:Save"); });
        menu.addItem(QStringLiteral("Off"))->setEnabled(false);
        auto *custom = new MenuItem(QStringLiteral("Row"));
        row = new RowView(Rect(0, 0, 200, 30), log);
        custom->setView(row);
        menu.addItem(custom);
    }

    QMenu *popUp()
    {
        menu.popUp(QPoint(100, 100));
        QMenu *qmenu = menu.presentedMenu();
        if (qmenu && !QTest::qWaitForWindowExposed(qmenu))
            return nullptr;
        return qmenu;
    }

    QAction *action(int index) const { return menu.presentedMenu()->actions().value(index); }
};

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class MenuPopupTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // A menu opening under the pointer highlights the row there; start each test away from it.
        QCursor::setPos(QPoint(790, 590));
    }

    void showsTheModelsRows()
    {
        Fixture f;
        QMenu *qmenu = f.popUp();
        QVERIFY(qmenu);
        QVERIFY(qmenu->isVisible());
        QVERIFY(f.menu.isOpen());
        QCOMPARE(f.log, QStringList({ "willOpen" }));
        const QList<QAction *> actions = qmenu->actions();
        QCOMPARE(actions.size(), 5);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Open"));
        QVERIFY(actions.at(1)->isSeparator());
        QCOMPARE(actions.at(2)->text(), QStringLiteral("Save && Quit"));
        QVERIFY(!actions.at(3)->isEnabled());
        QVERIFY(qobject_cast<QWidgetAction *>(actions.at(4)));
        // The row's view is lent to the menu at its own size.
        QVERIFY(f.row->isVisible());
        QCOMPARE(f.row->window(), qmenu);
        QCOMPARE(f.row->size(), QSize(200, 30));
    }

    void rowsTheDelegateAddsOnOpeningAreMeasuredBeforeTheMenuIsPlaced()
    {
        // A delegate that fills the menu only as it opens, as a status menu does.
        class Filling : public MenuDelegate {
        public:
            void menuWillOpen(Menu &menu) override
            {
                menu.removeAllItems();
                for (int i = 0; i < 3; ++i)
                    menu.addItem(QStringLiteral("A rather long row to measure, number %1").arg(i));
                auto *custom = new MenuItem;
                custom->setView(new View(Rect(0, 0, 300, 30)));
                menu.addItem(custom);
            }
        };
        Menu menu;
        const auto delegate = std::make_shared<Filling>();
        menu.setDelegate(delegate);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        menu.popUp(QPoint(screen.right() - 10, screen.top() + 10));
        QMenu *qmenu = menu.presentedMenu();
        QVERIFY(qmenu);
        QCOMPARE(qmenu->actions().size(), 4);
        QVERIFY(QTest::qWaitForWindowExposed(qmenu));
        QVERIFY(qmenu->width() >= 300);
        QVERIFY2(screen.contains(qmenu->geometry()), "the menu was placed for rows it did not have yet");
        menu.cancelTracking();
    }

    void hoveringAndLeavingDriveTheHighlight()
    {
        Fixture f;
        QMenu *qmenu = f.popUp();
        QVERIFY(qmenu);
        const QRect open = qmenu->actionGeometry(f.action(0));
        QTest::mouseMove(qmenu, open.center());
        drain();
        QCOMPARE(f.menu.highlightedItem(), f.menu.itemAt(0));
        QTest::mouseMove(f.row, QPoint(50, 15));
        drain();
        QCOMPARE(f.menu.highlightedItem(), f.menu.itemAt(4));
        QVERIFY(f.menu.itemAt(4)->isHighlighted());
        // Out of every row.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(f.row->parentWidget(), &leave);
        QCoreApplication::sendEvent(qmenu, &leave);
        drain();
        QCOMPARE(f.menu.highlightedItem(), nullptr);
        QCOMPARE(f.log, QStringList({ "willOpen", "highlight:Open", "highlight:Row", "highlight:-" }));
    }

    void clickClosesThenSendsTheAction()
    {
        Fixture f;
        QMenu *qmenu = f.popUp();
        QVERIFY(qmenu);
        QTest::mouseClick(qmenu, Qt::LeftButton, {}, qmenu->actionGeometry(f.action(2)).center());
        drain();
        QVERIFY(!qmenu->isVisible());
        QVERIFY(!f.menu.isOpen());
        QCOMPARE(f.log.mid(f.log.indexOf("didClose")), QStringList({ "didClose", "action:Save" }));
    }

    void closingTheModelClosesTheMenuAndRowViewsComeBack()
    {
        Fixture f;
        QMenu *qmenu = f.popUp();
        QVERIFY(qmenu);
        f.menu.cancelTracking();
        drain();
        QVERIFY(!qmenu->isVisible());
        QCOMPARE(f.log, QStringList({ "willOpen", "didClose" }));
        // Showing it again reuses the same rows; the view stays the item's.
        QVERIFY(f.popUp());
        QCOMPARE(f.row->window(), f.menu.presentedMenu());
        f.menu.removeAllItems();
        drain();
        QVERIFY(!f.row);
        QCOMPARE(f.menu.presentedMenu()->actions().size(), 0);
    }

    void destroyingTheMenuWhileShownLeavesNothingBehind()
    {
        auto f = std::make_unique<Fixture>();
        QVERIFY(f->popUp());
        const QPointer<QMenu> qmenu = f->menu.presentedMenu();
        const QPointer<RowView> row = f->row;
        f.reset();
        QVERIFY(!qmenu);
        QVERIFY(!row);
    }

    void rowChangesWhileShownRebuildTheMenu()
    {
        Fixture f;
        QMenu *qmenu = f.popUp();
        QVERIFY(qmenu);
        f.menu.itemAt(0)->setTitle(QStringLiteral("Show"));
        f.menu.addItem(QStringLiteral("Quit"));
        drain();
        QCOMPARE(qmenu->actions().size(), 6);
        QCOMPARE(qmenu->actions().at(0)->text(), QStringLiteral("Show"));
        QCOMPARE(f.row->window(), qmenu);
    }
};

QTEST_MAIN(MenuPopupTest)
#include "menupopup_test.moc"
