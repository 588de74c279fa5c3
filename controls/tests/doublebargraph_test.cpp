#include "pirrow/doublebargraph.h"

#include <platform/ui/recordingcontext.h>

#include <QTest>

using namespace platform::ui;
using pirrow::DoubleBarGraph;
using Pair = DoubleBarGraph::Pair;

Q_DECLARE_METATYPE(std::vector<DoubleBarGraph::Pair>)

namespace {

using Kind = DrawCall::Kind;

std::vector<DrawCall> draw(DoubleBarGraph &graph)
{
    RecordingContext recorder;
    graph.drawRect(recorder, graph.bounds());
    return recorder.calls();
}

std::vector<Rect> barBoxes(const std::vector<DrawCall> &calls, const Color &colour)
{
    std::vector<Rect> out;
    for (const auto &c : calls)
        if (c.kind == Kind::strokePath && c.stroke.color == colour)
            out.push_back(c.path.boundingBox());
    return out;
}

MouseEvent at(double x, double y)
{
    MouseEvent e;
    e.location = { x, y };
    return e;
}

/// A graph 400 × 132 (chart height 100) with two pairs: gap 23, each pair 147 wide, slot 170.
struct Fixture {
    DoubleBarGraph graph { Rect(0, 0, 400, 132) };
    int indexChanges = 0;
    int clicks = 0;
    Fixture()
    {
        graph.setData({ { 100, 50 }, { 200, 25 } });
        graph.indexChanged = [this] { ++indexChanges; };
        graph.clickedInRect = [this] { ++clicks; };
    }
};

} // namespace

class DoubleBarGraphTest : public QObject {
    Q_OBJECT

private slots:
    void scaleRoundsTheLeadingDigitUpInBinarySteps_data()
    {
        QTest::addColumn<std::vector<Pair>>("values");
        QTest::addColumn<quint64>("expected");
        QTest::newRow("empty") << std::vector<Pair> {} << quint64(41943040);
        QTest::newRow("zeros") << std::vector<Pair> { { 0, 0 } } << quint64(41943040);
        QTest::newRow("500 and 250") << std::vector<Pair> { { 500, 250 } } << quint64(600);
        QTest::newRow("347") << std::vector<Pair> { { 3, 347 } } << quint64(400);
        QTest::newRow("999") << std::vector<Pair> { { 999, 0 } } << quint64(1000);
        QTest::newRow("5") << std::vector<Pair> { { 5, 0 } } << quint64(6);
        QTest::newRow("1500000") << std::vector<Pair> { { 1500000, 0 } } << quint64(2097152);
        QTest::newRow("beyond 10^19") << std::vector<Pair> { { 18000000000000000000ull, 0 } }
                                      << quint64(std::numeric_limits<std::uint64_t>::max());
    }

    void scaleRoundsTheLeadingDigitUpInBinarySteps()
    {
        QFETCH(std::vector<Pair>, values);
        QFETCH(quint64, expected);
        DoubleBarGraph graph(Rect(0, 0, 400, 132));
        graph.setData(values);
        QCOMPARE(quint64(graph.maxValue()), expected);
    }

    void pairsStandSideBySide()
    {
        DoubleBarGraph graph(Rect(0, 0, 400, 132));
        graph.setColorLeft(Color::green());
        graph.setColorRight(Color::red());
        graph.setData({ { 500, 250 } });
        const auto calls = draw(graph);
        const auto left = barBoxes(calls, Color::green());
        const auto right = barBoxes(calls, Color::red());
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(right.size(), size_t(1));
        // bw = (400 − 64 − 16 − 3) / 2 = 158.5; the left bar reaches 500/600 of H above B.
        QCOMPARE(left[0].y(), 16.0);
        QCOMPARE(left[0].maxY(), std::trunc(500.0 / 600 * 100 + 16) - 0.5);
        QCOMPARE(right[0].maxY(), std::trunc(250.0 / 600 * 100 + 16));
        QCOMPARE(left[0].x(), 64.5);
        QVERIFY(right[0].x() > left[0].maxX());
    }

    void gridAndLabels()
    {
        DoubleBarGraph graph(Rect(0, 0, 400, 132));
        auto calls = draw(graph);
        QCOMPARE(std::count_if(calls.begin(), calls.end(), [](auto &c) { return c.kind == Kind::strokePath; }), 2);
        QVERIFY(std::none_of(calls.begin(), calls.end(), [](auto &c) { return c.kind == Kind::text; }));
        graph.setLegendLabelsY({ "0", "1", "2", "3", "4" });
        graph.setData({ { 1, 2 } });
        graph.setLegendLabelsX({ "mon" });
        calls = draw(graph);
        QStringList texts;
        for (const auto &c : calls)
            if (c.kind == Kind::text)
                texts << c.text;
        QCOMPARE(texts, (QStringList { "0", "1", "2", "3", "4", "mon" }));
    }

    void hoveringAPairPublishesItsIndexOnce()
    {
        Fixture f;
        f.graph.mouseMoved(at(70, 50));
        QCOMPARE(f.graph.index(), std::optional<int>(0));
        QCOMPARE(f.indexChanges, 1);
        f.graph.mouseMoved(at(120, 50));
        QCOMPARE(f.indexChanges, 1);
        f.graph.mouseMoved(at(64 + 170 + 5, 50));
        QCOMPARE(f.graph.index(), std::optional<int>(1));
        QCOMPARE(f.indexChanges, 2);
        // The button above the pair: centred on it at the top.
        QCOMPARE(*f.graph.deleteRect(), Rect(170 + 64 + 73.5 - 8, 116, 16, 16));
        f.graph.mouseMoved(at(10, 50));
        QCOMPARE(f.graph.index(), std::nullopt);
        QCOMPARE(f.graph.deleteRect(), std::nullopt);
        QCOMPARE(f.indexChanges, 3);
        f.graph.mouseMoved(at(10, 50));
        QCOMPARE(f.indexChanges, 4);
    }

    void theHoveredPairIsHighlighted()
    {
        Fixture f;
        const auto before = draw(f.graph);
        f.graph.mouseMoved(at(70, 50));
        const auto after = draw(f.graph);
        const auto fills = [](const std::vector<DrawCall> &calls) {
            return std::count_if(calls.begin(), calls.end(), [](auto &c) { return c.kind == Kind::fillPath; });
        };
        QCOMPARE(fills(after), fills(before) + 1);
        f.graph.mouseExited(MouseEvent {});
        QCOMPARE(f.graph.index(), std::nullopt);
        QCOMPARE(f.indexChanges, 2);
        QVERIFY(f.graph.deleteRect().has_value());
    }

    void clicksInTheButtonAreReported()
    {
        Fixture f;
        f.graph.mouseDown(at(100, 120));
        QCOMPARE(f.clicks, 0);
        f.graph.mouseMoved(at(144, 124));
        QVERIFY(f.graph.mouseInDeletionRect());
        f.graph.mouseDown(at(144, 124));
        QCOMPARE(f.clicks, 1);
        f.graph.mouseDown(at(144, 20));
        QCOMPARE(f.clicks, 1);
    }

    void withoutDataPointerMovesRightOfTheOffsetChangeNothing()
    {
        DoubleBarGraph graph(Rect(0, 0, 400, 132));
        int changes = 0;
        graph.indexChanged = [&] { ++changes; };
        graph.mouseMoved(at(200, 50));
        QCOMPARE(changes, 0);
        QCOMPARE(graph.deleteRect(), std::nullopt);
        graph.mouseMoved(at(10, 50));
        QCOMPARE(changes, 1);
    }
};

QTEST_MAIN(DoubleBarGraphTest)
#include "doublebargraph_test.moc"
