#include "pirrow/centeredtextcell.h"
#include "pirrow/verticallyalignedtextlayer.h"

#include <platform/ui/recordingcontext.h>
#include <platform/ui/text.h>
#include <platform/ui/textfield.h>

#include <QTest>

using namespace platform::ui;
using namespace pirrow;

namespace {

/// A cell that moves the plain cell's title rectangle, to show that the centred one keeps its
/// horizontal place and size and that drawing asks the object's own class.
class ShiftedCell : public CenteredTextCell {
public:
    using CenteredTextCell::CenteredTextCell;
    Rect titleRectForBounds(const Rect &bounds) const override
    {
        return CenteredTextCell::titleRectForBounds(bounds).offsetBy(0, 100);
    }
};

} // namespace

class TextCellsTest : public QObject {
    Q_OBJECT

private slots:
    void titleOfTheWorkedExample()
    {
        // A line about 14 high in a cell 16 points taller than it: 8 above and 8 below the text.
        CenteredTextCell cell(QStringLiteral("Level"));
        cell.setFont(Font::systemFont(12));
        TextFieldCell plain(QStringLiteral("Level"));
        plain.setFont(Font::systemFont(12));
        const double line = Text::size(QStringLiteral("Level"), cell.attributes()).height;
        QVERIFY(std::abs(line - 14) < 1);
        const Rect bounds(0, 0, 100, line + 16);
        const Rect r = cell.titleRectForBounds(bounds);
        QCOMPARE(r.y(), 8.0);
        const Rect p = plain.titleRectForBounds(bounds);
        QCOMPARE(r.x(), p.x());
        QCOMPARE(r.width(), p.width());
        QCOMPARE(r.height(), p.height());
        // In a rectangle lower down, the same offset from its top.
        QCOMPARE(cell.titleRectForBounds(bounds.offsetBy(0, 40)).y(), 48.0);
    }

    void aTallerTextStartsAboveTheRectangle()
    {
        CenteredTextCell cell(QStringLiteral("one\ntwo\nthree"));
        cell.setFont(Font::systemFont(20));
        const Rect r = cell.titleRectForBounds(Rect(0, 10, 100, 30));
        QVERIFY(r.y() < 10);
        // Still centred: as much sticks out above as below.
        const double height = Text::size(cell.stringValue(), cell.attributes()).height;
        QVERIFY(height > 30);
        QVERIFY(std::abs((10 - r.y()) - (r.y() + height - 40)) < 1e-9);
    }

    void interiorDrawsOnlyTheTextWhereTheClassPutsIt()
    {
        ShiftedCell cell(QStringLiteral("Level"));
        cell.setDrawsBackground(true); // the frame's business, not the interior's
        RecordingContext context;
        cell.drawInterior(context, Rect(0, 0, 100, 30), nullptr);
        QCOMPARE(context.calls().size(), size_t(1));
        QCOMPARE(context.calls().front().kind, DrawCall::Kind::text);
        QCOMPARE(context.calls().front().text, QStringLiteral("Level"));
        QCOMPARE(context.calls().front().rect, cell.titleRectForBounds(Rect(0, 0, 100, 30)));
        QVERIFY(context.calls().front().rect.y() > 100);
    }

    void aFieldShowsItsTextInTheMiddle()
    {
        // Drawn through a field: the text's rectangle has as much room above as below it.
        TextField field(Rect(0, 0, 120, 40));
        auto cell = std::make_shared<CenteredTextCell>();
        cell->setBezeled(false);
        field.setCell(cell);
        field.setStringValue(QStringLiteral("Level"));
        RecordingContext context;
        field.render(context);
        const auto texts = context.calls(DrawCall::Kind::text);
        QCOMPARE(texts.size(), size_t(1));
        const Rect shown = texts.front().baseRect();
        const double height = Text::size(QStringLiteral("Level"), cell->attributes()).height;
        // y up: the text's top edge is at 20 + height / 2.
        QVERIFY(std::abs(shown.maxY() - (20 + height / 2)) < 1e-9);
    }

    void alignedLayerShiftsItsDrawing_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("shift");
        QTest::newRow("taller than the font") << 30.0 << -7.8;
        QTest::newRow("shorter than the font") << 10.0 << 2.2;
    }

    void alignedLayerShiftsItsDrawing()
    {
        QFETCH(double, height);
        QFETCH(double, shift);
        auto layer = VerticallyAlignedTextLayer::create();
        layer->setBounds(Rect(0, 0, 100, height));
        layer->setFontSize(12);
        layer->setString(QStringLiteral("42 %"));
        layer->setForegroundColor(Color::black());

        auto plain = TextLayer::create();
        plain->setBounds(layer->bounds());
        plain->setFontSize(12);
        plain->setString(QStringLiteral("42 %"));
        plain->setForegroundColor(Color::black());

        RecordingContext shifted;
        layer->renderInContext(shifted);
        RecordingContext unshifted;
        plain->renderInContext(unshifted);
        const auto a = shifted.calls(DrawCall::Kind::text);
        const auto b = unshifted.calls(DrawCall::Kind::text);
        QCOMPARE(a.size(), size_t(1));
        QCOMPARE(b.size(), size_t(1));
        QVERIFY(std::abs(a.front().baseRect().origin.y - b.front().baseRect().origin.y - shift) < 1e-9);
        QVERIFY(std::abs(a.front().baseRect().origin.x - b.front().baseRect().origin.x) < 1e-9);
    }

    void presentationCopiesKeepTheShift()
    {
        auto layer = VerticallyAlignedTextLayer::create();
        layer->setBounds(Rect(0, 0, 100, 30));
        layer->setFontSize(12);
        const auto copy = std::dynamic_pointer_cast<VerticallyAlignedTextLayer>(layer->presentationLayer());
        QVERIFY(copy);
        QCOMPARE(copy->verticalShift(), 7.8);
    }
};

QTEST_MAIN(TextCellsTest)
#include "textcells_test.moc"
