#include "pirrow/bargraph.h"

#include <platform/ui/recordingcontext.h>

#include <QTest>

#include <limits>

using namespace platform::ui;
using pirrow::BarGraph;

Q_DECLARE_METATYPE(std::vector<std::int32_t>)

namespace {

using Kind = DrawCall::Kind;

std::vector<DrawCall> draw(BarGraph &graph)
{
    RecordingContext recorder;
    graph.drawRect(recorder, graph.bounds());
    return recorder.calls();
}

QStringList texts(const std::vector<DrawCall> &calls)
{
    QStringList out;
    for (const auto &c : calls)
        if (c.kind == Kind::text)
            out << c.text;
    return out;
}

/// The bar outlines: stroked paths of four points (the grid has more).
std::vector<std::vector<Point>> bars(const std::vector<DrawCall> &calls)
{
    std::vector<std::vector<Point>> out;
    for (const auto &c : calls) {
        if (c.kind != Kind::strokePath || c.path.elementCount() != 4)
            continue;
        std::vector<Point> points;
        for (const auto &e : c.path.elements())
            points.push_back(e.points[0]);
        out.push_back(points);
    }
    return out;
}

} // namespace

class BarGraphTest : public QObject {
    Q_OBJECT

private slots:
    void scaleIsTheNextHundredAbove_data()
    {
        QTest::addColumn<std::vector<std::int32_t>>("values");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty") << std::vector<std::int32_t> {} << 100;
        QTest::newRow("99") << std::vector<std::int32_t> { 99 } << 100;
        QTest::newRow("100") << std::vector<std::int32_t> { 100 } << 200;
        QTest::newRow("150 and less") << std::vector<std::int32_t> { 20, 150, -400 } << 200;
        QTest::newRow("only negative") << std::vector<std::int32_t> { -5 } << 100;
        QTest::newRow("largest value stays in range")
            << std::vector<std::int32_t> { std::numeric_limits<std::int32_t>::max() } << 2147483600;
    }

    void scaleIsTheNextHundredAbove()
    {
        QFETCH(std::vector<std::int32_t>, values);
        QFETCH(int, expected);
        BarGraph graph(Rect(0, 0, 300, 132));
        graph.setData(values);
        QCOMPARE(graph.maxValue(), expected);
    }

    void emptyDataShowsGridAndScale()
    {
        BarGraph graph(Rect(0, 0, 300, 132));
        const auto calls = draw(graph);
        QCOMPARE(texts(calls), (QStringList { "0", "25", "50", "75", "100" }));
        QVERIFY(bars(calls).empty());
        const auto grid = std::find_if(calls.begin(), calls.end(), [](auto &c) { return c.kind == Kind::strokePath; });
        QCOMPARE(grid->path.elementCount(), 14);
        QCOMPARE(grid->stroke.lineWidth, 0.5);
        // The value labels: "0" at B − 6 + 1, "100" at T + H − 5 + 1 (chart height 100).
        const auto textCalls = [&] {
            std::vector<DrawCall> out;
            for (const auto &c : calls)
                if (c.kind == Kind::text)
                    out.push_back(c);
            return out;
        }();
        QCOMPARE(textCalls.front().rect, Rect(4, 11, 56, 12));
        QCOMPARE(textCalls.back().rect, Rect(4, 112, 56, 10));
    }

    void aSingleBarReachesItsShare()
    {
        BarGraph graph(Rect(0, 0, 300, 132));
        graph.setColor(Color::red());
        graph.setData({ 50 });
        const auto calls = draw(graph);
        const auto outlines = bars(calls);
        QCOMPARE(outlines.size(), size_t(1));
        // Bar from x 49 to 298 (width W − L − 3), half the chart height above the bottom offset.
        const std::vector<Point> expected { { 48.5, 16 }, { 48.5, 65.5 }, { 297.5, 65.5 }, { 297.5, 16 } };
        QCOMPARE(outlines.front(), expected);
        const auto fill = std::find_if(calls.begin(), calls.end(), [](auto &c) { return c.kind == Kind::fillPath; });
        QCOMPARE(fill->color, Color::red().withAlphaComponent(0.5));
    }

    void negativeValuesGoBelowTheBottom()
    {
        BarGraph graph(Rect(0, 0, 300, 132));
        graph.setData({ -50, 100 });
        const auto outlines = bars(draw(graph));
        QVERIFY(outlines[0][1].y < 16);
    }

    void labelsNeedOnePerValue()
    {
        BarGraph graph(Rect(0, 0, 300, 132));
        graph.setData({ 10, 20, 30 });
        graph.setLabels({ "a", "b" });
        QCOMPARE(texts(draw(graph)).size(), 5);
        graph.setLabels({ "a", "b", "c" });
        const auto t = texts(draw(graph));
        QCOMPARE(t.size(), 8);
        QCOMPARE(t.mid(5), (QStringList { "a", "b", "c" }));
    }

    void settersAskForDisplay()
    {
        BarGraph graph(Rect(0, 0, 300, 132));
        graph.setNeedsDisplay(false);
        graph.setData({ 1 });
        QVERIFY(graph.needsDisplay());
        graph.setNeedsDisplay(false);
        graph.setLabels({ "a" });
        QVERIFY(!graph.needsDisplay());
    }
};

QTEST_MAIN(BarGraphTest)
#include "bargraph_test.moc"
