#include "pirrow/centeredtextcell.h"
#include "pirrow/verticallyalignedtextlayer.h"

#include <platform/ui/recordingcontext.h>
#include <platform/ui/text.h>

#include <QTest>

using namespace platform::ui;
using namespace pirrow;

namespace {

/// A cell whose plain title rectangle is a fixed one, to show which parts come from it.
class FixedCell : public CenteredTextCell {
public:
    using CenteredTextCell::CenteredTextCell;

protected:
    Rect plainTitleRectForBounds(const Rect &) const override { return Rect(5, 1, 50, 20); }
};

TextAttributes withFont(double size)
{
    TextAttributes attributes;
    attributes.font = Font::systemFont(size);
    return attributes;
}

} // namespace

class TextCellsTest : public QObject {
    Q_OBJECT

private slots:
    void titleIsCentredVertically_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<bool>("above");
        QTest::newRow("one line") << QStringLiteral("Level") << 12.0 << false;
        QTest::newRow("taller than the cell") << QStringLiteral("a\nb\nc") << 20.0 << true;
    }

    void titleIsCentredVertically()
    {
        QFETCH(QString, text);
        QFETCH(double, fontSize);
        QFETCH(bool, above);
        const FixedCell cell(text, withFont(fontSize));
        const double textHeight = Text::size(text, withFont(fontSize)).height;
        const Rect r = cell.titleRectForBounds(Rect(0, 10, 100, 30));
        QCOMPARE(r.origin.x, 5.0);
        QCOMPARE(r.width(), 50.0);
        QCOMPARE(r.height(), 20.0);
        QCOMPARE(r.origin.y, 10 + (30 - textHeight) / 2);
        QCOMPARE(r.origin.y < 10, above);
    }

    void interiorDrawsOnlyTheText()
    {
        const CenteredTextCell cell(QStringLiteral("Level"), withFont(12));
        RecordingContext context;
        cell.drawInterior(context, Rect(0, 0, 100, 30));
        QCOMPARE(context.calls().size(), size_t(1));
        QCOMPARE(context.calls().front().text, QStringLiteral("Level"));
        QCOMPARE(context.calls().front().rect, cell.titleRectForBounds(Rect(0, 0, 100, 30)));
        QCOMPARE(context.calls().front().rect.origin.x, 2.0);
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
