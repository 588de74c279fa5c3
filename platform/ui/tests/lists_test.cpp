#include "platform/ui/collectionview.h"
#include "platform/ui/outlineview.h"
#include "platform/ui/recordingcontext.h"
#include "platform/ui/scrollview.h"
#include "platform/ui/splitview.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/tableview.h"
#include "uitestsupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;

namespace {

class FlippedView : public View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

class Fill : public View {
public:
    Fill(const Rect &frame, Color color)
        : View(frame)
        , m_color(color)
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), m_color); }

private:
    Color m_color;
};

ScrollWheelEvent scroll(double dx, double dy)
{
    ScrollWheelEvent e;
    e.deltaX = dx;
    e.deltaY = dy;
    return e;
}

MouseEvent press(Point p)
{
    MouseEvent e;
    e.location = p;
    return e;
}

/// Rows "Mouse", "Keyboard", "Trackpad" with their charge; row 1 is 40 high; a view for charges above
/// 50 in the "level" column; row 2 cannot be selected.
struct Devices : TableViewDataSource, TableViewDelegate {
    QStringList names { QStringLiteral("Mouse"), QStringLiteral("Keyboard"), QStringLiteral("Trackpad") };
    QList<int> levels { 80, 20, 55 };
    int selectionChanges = 0;

    int numberOfRows(TableView &) override { return int(names.size()); }
    QVariant objectValue(TableView &, const TableColumn &column, int row) override
    {
        if (column.identifier() == QLatin1String("name"))
            return names.at(row);
        return QStringLiteral("%1 %").arg(levels.at(row));
    }
    View *viewFor(TableView &, const TableColumn &column, int row) override
    {
        if (column.identifier() != QLatin1String("level") || levels.at(row) <= 50)
            return nullptr;
        return new Fill(Rect(), Color::green());
    }
    double heightOfRow(TableView &table, int row) override { return row == 1 ? 40 : table.rowHeight(); }
    bool shouldSelectRow(TableView &, int row) override { return row != 2; }
    void selectionDidChange(TableView &) override { ++selectionChanges; }
};

std::unique_ptr<ScrollView> tableInScrollView(TableView *table, const std::shared_ptr<Devices> &devices)
{
    auto scrollView = std::make_unique<ScrollView>(Rect(0, 0, 300, 200));
    auto name = std::make_shared<TableColumn>(QStringLiteral("name"));
    name->setTitle(QStringLiteral("Device"));
    name->setWidth(120);
    auto level = std::make_shared<TableColumn>(QStringLiteral("level"));
    level->setTitle(QStringLiteral("Charge"));
    level->setWidth(80);
    table->addTableColumn(name);
    table->addTableColumn(level);
    scrollView->setDocumentView(table);
    table->setDataSource(devices);
    table->setDelegate(devices);
    scrollView->layoutSubtreeIfNeeded();
    return scrollView;
}

/// A tree: "Bluetooth" → ("Mouse", "Keyboard" → ("Keys")), "USB" (no children, not expandable).
struct Tree : OutlineViewDataSource {
    QStringList children(const QVariant &item) const
    {
        const QString name = item.toString();
        if (!item.isValid())
            return { QStringLiteral("Bluetooth"), QStringLiteral("USB") };
        if (name == QLatin1String("Bluetooth"))
            return { QStringLiteral("Mouse"), QStringLiteral("Keyboard") };
        if (name == QLatin1String("Keyboard"))
            return { QStringLiteral("Keys") };
        return {};
    }
    int numberOfChildren(OutlineView &, const QVariant &item) override { return int(children(item).size()); }
    QVariant child(OutlineView &, int index, const QVariant &item) override { return children(item).at(index); }
    bool isItemExpandable(OutlineView &, const QVariant &item) override { return !children(item).isEmpty(); }
    QVariant objectValue(OutlineView &, const TableColumn &, const QVariant &item) override { return item; }
};

/// Every item has itself as its only child.
struct Endless : OutlineViewDataSource {
    int numberOfChildren(OutlineView &, const QVariant &) override { return 1; }
    QVariant child(OutlineView &, int, const QVariant &) override { return QStringLiteral("again"); }
    bool isItemExpandable(OutlineView &, const QVariant &) override { return true; }
};

struct Tiles : CollectionViewDataSource {
    int count = 5;
    int numberOfItems(CollectionView &) override { return count; }
    View *itemView(CollectionView &, int) override { return new Fill(Rect(), Color::blue()); }
};

QStringList drawnTexts(View &view)
{
    RecordingContext context;
    view.render(context);
    QStringList out;
    for (const DrawCall &call : context.calls(DrawCall::Kind::text))
        out << call.text;
    return out;
}

} // namespace

class ListsTest : public QObject {
    Q_OBJECT

private slots:
    // ---- scroll view

    void scrollingMovesTheDocumentWithinItsEdges_data()
    {
        QTest::addColumn<bool>("flipped");
        QTest::addColumn<QList<double>>("deltas");
        QTest::addColumn<QList<double>>("positions");
        // Flipped document: the top is y 0, scrolling towards the bottom (negative delta) raises y up to 300 - 100.
        QTest::newRow("flipped") << true << QList<double> { -50, -1000, 30, 500 } << QList<double> { 50, 200, 170, 0 };
        // A y-up document starts at its bottom (y 0); scrolling towards the top raises y.
        QTest::newRow("y up") << false << QList<double> { 50, 1000, -30, -500 } << QList<double> { 50, 200, 170, 0 };
    }

    void scrollingMovesTheDocumentWithinItsEdges()
    {
        QFETCH(bool, flipped);
        QFETCH(QList<double>, deltas);
        QFETCH(QList<double>, positions);
        ScrollView scrollView(Rect(0, 0, 100, 100));
        View *document = flipped ? static_cast<View *>(new FlippedView(Rect(0, 0, 100, 300)))
                                  : new View(Rect(0, 0, 100, 300));
        scrollView.setDocumentView(document);
        scrollView.layoutSubtreeIfNeeded();
        QCOMPARE(scrollView.scrollPosition(), Point(0, 0));
        for (int i = 0; i < deltas.size(); ++i) {
            scrollView.scrollWheel(scroll(0, deltas.at(i)));
            QCOMPARE(scrollView.scrollPosition(), Point(0, positions.at(i)));
        }
    }

    void aScrollThatCannotMovePassesOn()
    {
        ScrollView outer(Rect(0, 0, 200, 200));
        auto *page = new FlippedView(Rect(0, 0, 200, 600));
        outer.setDocumentView(page);
        auto *inner = new ScrollView(Rect(0, 0, 200, 100));
        page->addSubview(inner);
        auto *shortList = new FlippedView(Rect(0, 0, 200, 300));
        inner->setDocumentView(shortList);
        outer.layoutSubtreeIfNeeded();

        QCOMPARE(inner->dispatchScrollWheel(scroll(0, -40)), inner);
        QCOMPARE(inner->scrollPosition(), Point(0, 40));
        QCOMPARE(outer.scrollPosition(), Point(0, 0));
        inner->scrollWheel(scroll(0, -1000)); // to its end
        QCOMPARE(inner->dispatchScrollWheel(scroll(0, -40)), &outer);
        QCOMPARE(outer.scrollPosition(), Point(0, 40));
    }

    void theDocumentShowsOnlyInsideTheScrollView()
    {
        Fill window(Rect(0, 0, 100, 300), Color::red());
        auto *scrollView = new ScrollView(Rect(0, 100, 100, 100));
        window.addSubview(scrollView);
        auto *document = new FlippedView(Rect(0, 0, 100, 400));
        document->addSubview(new Fill(Rect(0, 0, 100, 400), Color::green()));
        scrollView->setDocumentView(document);
        scrollView->scrollWheel(scroll(0, -150));
        const QImage image = window.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 50, 150), Qt::green));
        QVERIFY(near(pixelFromBottom(image, 50, 250), Qt::red));
        QVERIFY(near(pixelFromBottom(image, 50, 50), Qt::red));
    }

    void backgroundsShowUnlessSwitchedOff_data()
    {
        QTest::addColumn<bool>("scrollDraws");
        QTest::addColumn<bool>("clipDraws");
        QTest::addColumn<bool>("tableClear");
        QTest::addColumn<bool>("redShows");
        QTest::newRow("all draw") << true << true << false << false;
        QTest::newRow("only the table is clear") << true << true << true << false;
        QTest::newRow("none draws") << false << false << true << true;
        QTest::newRow("the scroll view still draws") << true << false << true << false;
    }

    void backgroundsShowUnlessSwitchedOff()
    {
        QFETCH(bool, scrollDraws);
        QFETCH(bool, clipDraws);
        QFETCH(bool, tableClear);
        QFETCH(bool, redShows);
        ScopedAppearance light(Appearance::aqua());
        Fill window(Rect(0, 0, 300, 200), Color::red());
        auto devices = std::make_shared<Devices>();
        auto *table = new TableView;
        auto scrollView = tableInScrollView(table, devices);
        window.addSubview(scrollView.release());
        auto *sv = qobject_cast<ScrollView *>(window.subviews().front());
        sv->setDrawsBackground(scrollDraws);
        sv->contentView()->setDrawsBackground(clipDraws);
        if (tableClear)
            table->setBackgroundColor(Color::clear());
        const QImage image = window.renderToImage();
        // Below the last row (rows end at 24 + 40 + 24 under a 24-point header), left of the text.
        const QColor below = pixelFromBottom(image, 150, 20);
        QCOMPARE(near(below, Qt::red), redShows);
    }

    // ---- table

    void tableLaysOutRowsColumnsAndCellViews()
    {
        auto devices = std::make_shared<Devices>();
        auto *table = new TableView;
        auto scrollView = tableInScrollView(table, devices);
        // The scroll view took the header; the table is as wide as the visible part.
        QCOMPARE(scrollView->headerView(), table->headerView());
        QCOMPARE(table->headerView()->superview(), scrollView->headerClipView());
        QCOMPARE(scrollView->contentView()->frame(), Rect(0, 24, 300, 176));
        QCOMPARE(table->frame().width(), 300.0);
        QCOMPARE(table->numberOfRows(), 3);
        QCOMPARE(table->rectOfRow(1), Rect(0, 24, 300, 40));
        QCOMPARE(table->rectOfRow(2), Rect(0, 64, 300, 24));
        // The last column takes the rest of the width.
        QCOMPARE(table->frameOfCell(1, 2), Rect(120, 64, 180, 24));
        QCOMPARE(table->rowAtPoint({ 10, 30 }), 1);
        QCOMPARE(table->rowAtPoint({ 10, 100 }), -1);
        QCOMPARE(table->columnAtPoint({ 130, 5 }), 1);
        // Views where the delegate gives them, data cells elsewhere.
        QVERIFY(table->viewAtColumnRow(1, 0));
        QCOMPARE(table->viewAtColumnRow(1, 0)->frame(), table->frameOfCell(1, 0));
        QVERIFY(!table->viewAtColumnRow(1, 1));
        const QStringList shown = drawnTexts(*scrollView);
        QVERIFY(shown.contains(QStringLiteral("Device")));
        QVERIFY(shown.contains(QStringLiteral("Charge")));
        QVERIFY(shown.contains(QStringLiteral("Keyboard")));
        QVERIFY(shown.contains(QStringLiteral("20 %")));
        QVERIFY(!shown.contains(QStringLiteral("80 %"))); // row 0 shows a view there

        // A reload takes the source's new rows and drops the old views.
        devices->names << QStringLiteral("Pen");
        devices->levels << 10;
        QPointer<View> old = table->viewAtColumnRow(1, 0);
        table->reloadData();
        QCOMPARE(table->numberOfRows(), 4);
        QVERIFY(old.isNull() || !old->superview());
    }

    void clicksSelectRowsTheDelegateAllows()
    {
        auto devices = std::make_shared<Devices>();
        auto *table = new TableView;
        auto scrollView = tableInScrollView(table, devices);
        table->mouseDown(press({ 10, 30 }));
        QCOMPARE(table->selectedRow(), 1);
        QCOMPARE(devices->selectionChanges, 1);
        {
            // The selected row's text is white on the highlight, in the middle of its 40-point row.
            ScopedAppearance light(Appearance::aqua());
            RecordingContext context;
            table->render(context);
            for (const DrawCall &call : context.calls(DrawCall::Kind::text)) {
                const bool selected = call.text == QLatin1String("Keyboard") || call.text == QLatin1String("20 %");
                QCOMPARE(*call.attributes.foregroundColor == Color::white(), selected);
                if (selected)
                    QVERIFY(std::abs(call.baseRect().center().y - (table->frame().height() - 44)) < 1e-9);
            }
        }
        table->mouseDown(press({ 10, 70 })); // row 2 may not be selected
        QCOMPARE(table->selectedRow(), 1);
        QCOMPARE(devices->selectionChanges, 1);
        table->mouseDown(press({ 10, 150 })); // below the rows
        QCOMPARE(table->selectedRow(), -1);
        QCOMPARE(devices->selectionChanges, 2);
        // Rows that the source no longer has leave the selection.
        table->selectRowIndexes({ 0, 1 }, false);
        devices->names.removeLast();
        devices->names.removeLast();
        table->reloadData();
        QCOMPARE(table->selectedRowIndexes(), std::set<int> { 0 });
    }

    void aTableThatMovesTheWindowSelectsNothing()
    {
        struct Movable : TableView {
            bool mouseDownCanMoveWindow() const override { return true; }
        };
        auto devices = std::make_shared<Devices>();
        auto *table = new Movable;
        auto scrollView = tableInScrollView(table, devices);
        QSignalSpy drags(table, &View::windowDragRequested);
        table->mouseDown(press({ 10, 5 }));
        QCOMPARE(drags.count(), 1);
        QCOMPARE(table->selectedRow(), -1);
    }

    void aGoneDataSourceGivesAnEmptyTable()
    {
        TableView table(Rect(0, 0, 100, 50));
        table.addTableColumn(std::make_shared<TableColumn>(QStringLiteral("name")));
        {
            auto devices = std::make_shared<Devices>();
            table.setDataSource(devices);
            QCOMPARE(table.numberOfRows(), 3);
        }
        table.reloadData();
        QCOMPARE(table.numberOfRows(), 0);
        table.mouseDown(press({ 5, 5 }));
        QCOMPARE(table.selectedRow(), -1);
    }

    // ---- outline

    void outlineShowsTheChildrenOfExpandedItems()
    {
        auto tree = std::make_shared<Tree>();
        OutlineView outline(Rect(0, 0, 200, 200));
        outline.addTableColumn(std::make_shared<TableColumn>(QStringLiteral("name")));
        outline.setOutlineDataSource(tree);
        QCOMPARE(outline.numberOfRows(), 2);
        outline.expandItem(QStringLiteral("Bluetooth"));
        outline.expandItem(QStringLiteral("Keyboard"));
        QCOMPARE(outline.numberOfRows(), 5);
        QCOMPARE(outline.itemAtRow(3).toString(), QStringLiteral("Keys"));
        QCOMPARE(outline.levelForRow(3), 2);
        QCOMPARE(outline.rowForItem(QStringLiteral("USB")), 4);
        // Indented by the level and the triangle's width.
        QCOMPARE(outline.frameOfCell(0, 3), Rect(2 * 16 + 16, 72, 200 - 48, 24));
        QCOMPARE(drawnTexts(outline),
            (QStringList { QStringLiteral("Bluetooth"), QStringLiteral("Mouse"), QStringLiteral("Keyboard"),
                QStringLiteral("Keys"), QStringLiteral("USB") }));

        // A click on the triangle of "Bluetooth" closes it; a click beside it only selects.
        outline.mouseDown(press({ 30, 5 }));
        QCOMPARE(outline.selectedRow(), 0);
        QCOMPARE(outline.numberOfRows(), 5);
        outline.mouseDown(press({ 8, 5 }));
        QCOMPARE(outline.numberOfRows(), 2);
        QVERIFY(!outline.isItemExpanded(QStringLiteral("Bluetooth")));
        QVERIFY(outline.isItemExpanded(QStringLiteral("Keyboard"))); // remembered for the next opening
    }

    void anEndlessTreeStopsAtAFixedDepth()
    {
        auto endless = std::make_shared<Endless>();
        OutlineView outline(Rect(0, 0, 200, 200));
        outline.setOutlineDataSource(endless);
        outline.expandItem(QStringLiteral("again"));
        QVERIFY(outline.numberOfRows() > 1);
        QVERIFY(outline.numberOfRows() <= 64);
    }

    // ---- collection

    void collectionFlowsItemsIntoLines()
    {
        auto tiles = std::make_shared<Tiles>();
        ScrollView scrollView(Rect(0, 0, 250, 150));
        auto *collection = new CollectionView;
        scrollView.setDocumentView(collection);
        collection->setDataSource(tiles);
        scrollView.layoutSubtreeIfNeeded();
        // 250 wide: 10 + 100 + 10 + 100 + 10 leaves no room for a third; 5 items make 3 lines.
        QCOMPARE(collection->frame().width(), 250.0);
        QCOMPARE(collection->itemAtIndex(1)->frame(), Rect(120, 10, 100, 100));
        QCOMPARE(collection->itemAtIndex(4)->frame(), Rect(10, 230, 100, 100));
        QCOMPARE(collection->frame().height(), 10 + 3 * 100 + 2 * 10 + 10.0);
        QCOMPARE(collection->indexOfItemAtPoint({ 125, 15 }), 1);
        QCOMPARE(collection->indexOfItemAtPoint({ 115, 15 }), -1); // in the spacing

        scrollView.setFrameSize({ 400, 150 });
        scrollView.layoutSubtreeIfNeeded();
        QCOMPARE(collection->itemAtIndex(3)->frame(), Rect(10, 120, 100, 100)); // three to a line now
    }

    void collectionBackgrounds()
    {
        ScopedAppearance light(Appearance::aqua());
        CollectionView collection(Rect(0, 0, 100, 100));
        collection.setBackgroundColors({ Color::yellow(), Color::blue() });
        QImage image = collection.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 50, 50), Qt::yellow));
        collection.setBackgroundColors({});
        image = collection.renderToImage();
        QCOMPARE(pixelFromBottom(image, 50, 50).alpha(), 0);
        auto *behind = new Fill(Rect(), Color::green());
        collection.setBackgroundView(behind);
        QCOMPARE(collection.backgroundView(), behind);
        QCOMPARE(behind->frame(), collection.bounds());
        image = collection.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 50, 50), Qt::green));
    }

    void collectionSelection()
    {
        auto tiles = std::make_shared<Tiles>();
        CollectionView collection(Rect(0, 0, 400, 300));
        collection.setDataSource(tiles);
        QSignalSpy changed(&collection, &CollectionView::selectionChanged);
        collection.mouseDown(press({ 125, 15 }));
        QVERIFY(collection.selectionIndexes().empty()); // not selectable by default
        collection.setSelectable(true);
        collection.mouseDown(press({ 125, 15 }));
        QCOMPARE(collection.selectionIndexes(), std::set<int> { 1 });
        tiles->count = 1;
        collection.reloadData();
        QVERIFY(collection.selectionIndexes().empty());
        QCOMPARE(changed.count(), 1);
    }

    // ---- split view

    void splitViewPanesAndDividers()
    {
        SplitView split(Rect(0, 0, 301, 100));
        auto *left = new View(Rect(0, 0, 100, 100));
        auto *right = new View(Rect(0, 0, 50, 100));
        split.addSubview(left);
        split.addSubview(right);
        split.layoutSubtreeIfNeeded();
        QCOMPARE(left->frame(), Rect(0, 0, 100, 100));
        QCOMPARE(right->frame(), Rect(101, 0, 200, 100)); // the last pane takes what is left
        QCOMPARE(split.dividerRect(0), Rect(100, 0, 1, 100));
        RecordingContext context;
        split.render(context);
        QCOMPARE(context.calls(DrawCall::Kind::fillRect).size(), size_t(1));

        // Dragging the divider; it stops where the right pane would vanish.
        split.mouseDown(press({ 101, 50 }));
        split.mouseDragged(press({ 150, 50 }));
        QCOMPARE(left->frame(), Rect(0, 0, 150, 100));
        QCOMPARE(right->frame(), Rect(151, 0, 150, 100));
        split.mouseDragged(press({ 900, 50 }));
        QCOMPARE(left->frame().width(), 300.0);
        QCOMPARE(right->frame().width(), 0.0);
        split.mouseUp(press({ 900, 50 }));

        // Panes that do not fit shrink in proportion.
        split.setFrameSize({ 151, 100 });
        split.layoutSubtreeIfNeeded();
        QCOMPARE(left->frame().width(), 150.0);
    }
};

QTEST_MAIN(ListsTest)
#include "lists_test.moc"
