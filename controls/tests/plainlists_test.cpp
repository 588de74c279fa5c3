#include "controlstestsupport.h"
#include "pirrow/disabledscrollview.h"
#include "pirrow/nobackgroundcollectionview.h"
#include "pirrow/nobackgroundoutlineview.h"
#include "pirrow/nobackgroundscrollview.h"
#include "pirrow/nobackgroundtableview.h"
#include "pirrow/noninteractivetableview.h"
#include "pirrow/searchtextfieldcell.h"
#include "pirrow/singlelinesecuretextfieldcell.h"
#include "pirrow/singlelinetextfieldcell.h"

#include <platform/ui/layer.h>
#include <platform/ui/recordingcontext.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/textfield.h>

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace platform::ui;
using namespace pirrow;
using pirrowtest::near;
using pirrowtest::pixelFromBottom;

namespace {

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

class FlippedView : public View {
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

struct TwoRows : TableViewDataSource {
    int numberOfRows(TableView &) override { return 2; }
    QVariant objectValue(TableView &, const TableColumn &, int row) override
    {
        return row == 0 ? QStringLiteral("Mouse") : QStringLiteral("Keyboard");
    }
};

MouseEvent press(Point p)
{
    MouseEvent e;
    e.location = p;
    return e;
}

/// A red window with a 300 × 200 scroll view showing `document`.
struct Scene {
    Fill window { Rect(0, 0, 300, 200), Color::red() };
    ScrollView *scrollView = new ScrollView(Rect(0, 0, 300, 200));

    explicit Scene(View *document)
    {
        window.addSubview(scrollView);
        scrollView->setDocumentView(document);
        window.layoutSubtreeIfNeeded();
    }
    /// Whether the window's red shows at a point of the lower part of the scroll view.
    bool redShows() { return near(pixelFromBottom(window.renderToImage(), 150, 10), Qt::red); }
};

} // namespace

class PlainListsTest : public QObject {
    Q_OBJECT

private slots:
    void aTableMadeInCodeClearsItsScrollViewOnlyWhenAskedAgain()
    {
        ScopedAppearance light(Appearance::aqua());
        auto rows = std::make_shared<TwoRows>();
        auto *table = new NoBackgroundTableView;
        table->addTableColumn(std::make_shared<TableColumn>(QStringLiteral("name")));
        table->setDataSource(rows);
        QCOMPARE(table->backgroundColor(), Color::clear());
        Scene scene(table);
        // Made outside a scroll view: the scroll view it was put in keeps its background.
        QVERIFY(scene.scrollView->drawsBackground());
        QVERIFY(scene.scrollView->contentView()->drawsBackground());
        QVERIFY(!scene.redShows());

        table->removeBackground();
        QVERIFY(!scene.scrollView->drawsBackground());
        QVERIFY(!scene.scrollView->contentView()->drawsBackground());
        QVERIFY(scene.redShows());
        // The header's container: rounded by 8 and clear.
        View *holder = table->headerView()->superview();
        QCOMPARE(holder, scene.scrollView->headerClipView());
        QVERIFY(holder->wantsLayer());
        QCOMPARE(holder->layer()->cornerRadius(), 8.0);
        QCOMPARE(*holder->layer()->backgroundColor(), Color::clear());
    }

    void aTableWithoutHeaderSkipsTheHeaderSteps()
    {
        auto *table = new NoBackgroundTableView;
        table->setHeaderView(nullptr);
        Scene scene(table);
        table->removeBackground();
        QVERIFY(!scene.scrollView->headerClipView());
        QVERIFY(!scene.scrollView->drawsBackground());
    }

    void anOutlineClearsItsScrollViewButNotTheHeader()
    {
        auto *outline = new NoBackgroundOutlineView;
        QCOMPARE(outline->backgroundColor(), Color::clear());
        Scene scene(outline);
        outline->removeBackground();
        QVERIFY(scene.redShows());
        QVERIFY(!scene.scrollView->headerClipView()->wantsLayer());
    }

    void aCollectionHasNoBackgroundView()
    {
        auto *collection = new NoBackgroundCollectionView;
        QCOMPARE(collection->backgroundColors(), QList<Color> { Color::clear() });
        QPointer<View> offered = new Fill(Rect(), Color::green());
        collection->setBackgroundView(offered);
        QCOMPARE(collection->backgroundView(), nullptr);
        QVERIFY(!collection->subviews().contains(offered.data()));
        Scene scene(collection);
        QVERIFY(!scene.redShows());
        collection->removeBackground();
        QVERIFY(scene.redShows());
    }

    void aNoBackgroundScrollViewShowsWhatIsBehind()
    {
        Fill window(Rect(0, 0, 100, 100), Color::red());
        auto *scrollView = new NoBackgroundScrollView(Rect(0, 0, 100, 100));
        window.addSubview(scrollView);
        scrollView->setDocumentView(new FlippedView(Rect(0, 0, 100, 300)));
        QVERIFY(!scrollView->drawsBackground());
        QVERIFY(!scrollView->contentView()->drawsBackground());
        QVERIFY(near(pixelFromBottom(window.renderToImage(), 50, 50), Qt::red));
    }

    void aDisabledScrollViewKeepsStillAndSwallowsTheScroll()
    {
        ScrollView outer(Rect(0, 0, 200, 200));
        auto *page = new FlippedView(Rect(0, 0, 200, 600));
        outer.setDocumentView(page);
        auto *disabled = new DisabledScrollView(Rect(0, 0, 200, 100));
        page->addSubview(disabled);
        auto *list = new FlippedView(Rect(0, 0, 200, 400));
        disabled->setDocumentView(list);
        outer.layoutSubtreeIfNeeded();

        // A wheel turned over the list, as Qt delivers it, and a trackpad scroll.
        QWheelEvent wheel(QPointF(20, 20), QPointF(20, 20), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list, &wheel);
        ScrollWheelEvent trackpad;
        trackpad.deltaY = -80;
        trackpad.hasPreciseScrollingDeltas = true;
        QCOMPARE(list->dispatchScrollWheel(trackpad), disabled);
        QCOMPARE(disabled->scrollPosition(), Point(0, 0));
        QCOMPARE(outer.scrollPosition(), Point(0, 0));

        // The same in a plain scroll view moves the list.
        auto *plain = new ScrollView(Rect(0, 100, 200, 100));
        page->addSubview(plain);
        auto *other = new FlippedView(Rect(0, 0, 200, 400));
        plain->setDocumentView(other);
        outer.layoutSubtreeIfNeeded();
        QCoreApplication::sendEvent(other, &wheel);
        QCOMPARE(plain->scrollPosition(), Point(0, 30));
    }

    void aNonInteractiveTableDragsTheWindow()
    {
        auto rows = std::make_shared<TwoRows>();
        NonInteractiveTableView table(Rect(0, 0, 200, 100));
        table.addTableColumn(std::make_shared<TableColumn>(QStringLiteral("name")));
        table.setDataSource(rows);
        QVERIFY(table.mouseDownCanMoveWindow());
        QSignalSpy drags(&table, &View::windowDragRequested);
        table.mouseDown(press({ 10, 5 }));
        QCOMPARE(drags.count(), 1);
        QCOMPARE(table.selectedRow(), -1);
    }

    void singleLineCellsDrawABottomLineAndTheTextAbove_data()
    {
        QTest::addColumn<bool>("secure");
        QTest::newRow("text") << false;
        QTest::newRow("secure text") << true;
    }

    void singleLineCellsDrawABottomLineAndTheTextAbove()
    {
        QFETCH(bool, secure);
        ScopedAppearance light(Appearance::aqua());
        std::shared_ptr<TextFieldCell> cell;
        std::shared_ptr<TextFieldCell> plain;
        if (secure) {
            cell = std::make_shared<SingleLineSecureTextFieldCell>(QStringLiteral("pass"));
            plain = std::make_shared<SecureTextFieldCell>(QStringLiteral("pass"));
        } else {
            cell = std::make_shared<SingleLineTextFieldCell>(QStringLiteral("name"));
            plain = std::make_shared<TextFieldCell>(QStringLiteral("name"));
        }
        cell->setDrawsBackground(true); // never drawn by these cells
        RecordingContext context;
        // The frame's origin is not used.
        cell->drawWithFrame(context, Rect(7, 9, 120, 22), nullptr);
        const auto strokes = context.calls(DrawCall::Kind::strokePath);
        QCOMPARE(strokes.size(), size_t(1));
        Path line;
        line.moveTo({ 0, 21.5 });
        line.lineTo({ 120, 21.5 });
        QCOMPARE(strokes.front().path, line);
        QCOMPARE(strokes.front().stroke.lineWidth, 1.0);
        QCOMPARE(strokes.front().stroke.color, Color::tertiaryLabel().resolved());
        QVERIFY(context.calls(DrawCall::Kind::fillRect).empty());
        const auto texts = context.calls(DrawCall::Kind::text);
        QCOMPARE(texts.size(), size_t(1));
        // The interior is the upper 21 points; the text inside it as the plain interior places it.
        QCOMPARE(texts.front().rect, cell->titleRectForBounds(Rect(0, 0, 120, 21)));
        QVERIFY(texts.front().rect.maxY() <= 21);
        QCOMPARE(cell->cellSize().height, plain->cellSize().height + 1);
        QCOMPARE(cell->cellSize().width, plain->cellSize().width);
    }

    void aSingleLineFieldShowsItsLineAtTheBottom()
    {
        TextField field(Rect(0, 0, 120, 22));
        field.setCell(std::make_shared<SingleLineTextFieldCell>());
        field.setStringValue(QStringLiteral("name"));
        RecordingContext context;
        field.render(context);
        const auto strokes = context.calls(DrawCall::Kind::strokePath);
        QCOMPARE(strokes.size(), size_t(1));
        // y up: half a point above the field's bottom edge.
        QCOMPARE(strokes.front().baseRect().y(), 0.5);
        QCOMPARE(strokes.front().baseRect().width(), 120.0);
    }

    void theSearchCellDrawsNoBezel()
    {
        SearchTextFieldCell cell(QStringLiteral("mouse"));
        SearchFieldCell plain(QStringLiteral("mouse"));
        QCOMPARE(cell.cellSize(), plain.cellSize());
        RecordingContext bare;
        cell.drawWithFrame(bare, Rect(5, 5, 200, 22), nullptr);
        RecordingContext bezeled;
        plain.drawWithFrame(bezeled, Rect(0, 0, 200, 22), nullptr);
        QVERIFY(bare.calls(DrawCall::Kind::fillRoundedRect).empty());
        QCOMPARE(bezeled.calls(DrawCall::Kind::fillRoundedRect).size(), size_t(1));
        // Without the bezel everything else is the same, drawn at the frame's size from (0, 0).
        QCOMPARE(bare.calls().size() + 2, bezeled.calls().size()); // the bezel's fill and outline
        QCOMPARE(bare.calls(DrawCall::Kind::text).front().rect, bezeled.calls(DrawCall::Kind::text).front().rect);
    }
};

QTEST_MAIN(PlainListsTest)
#include "plainlists_test.moc"
