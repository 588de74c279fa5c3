#include "pirrow/separatedbargraph.h"

#include <platform/ui/recordingcontext.h>

#include <QTest>

using namespace platform::ui;
using pirrow::SeparatedBarGraph;

namespace {

using Kind = DrawCall::Kind;

std::vector<DrawCall> draw(SeparatedBarGraph &graph)
{
    RecordingContext recorder;
    graph.drawRect(recorder, graph.bounds());
    return recorder.calls();
}

std::vector<Rect> barBoxes(const std::vector<DrawCall> &calls)
{
    std::vector<Rect> out;
    for (const auto &c : calls)
        if (c.kind == Kind::fillPath)
            out.push_back(c.path.boundingBox());
    return out;
}

void enter(SeparatedBarGraph &graph, bool inside)
{
    MouseEvent e;
    if (inside)
        graph.mouseEntered(e);
    else
        graph.mouseExited(e);
}

} // namespace

class SeparatedBarGraphTest : public QObject {
    Q_OBJECT

private slots:
    void barsMakeRoomForTheMarginWhileThePointerIsInside_data()
    {
        QTest::addColumn<bool>("inside");
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<double>("width");
        QTest::newRow("outside") << false << QList<double> { 0, 50.5, 101, 151.5 } << 48.5;
        QTest::newRow("inside") << true << QList<double> { 64, 98.5, 133, 167.5 } << 32.5;
    }

    void barsMakeRoomForTheMarginWhileThePointerIsInside()
    {
        QFETCH(bool, inside);
        QFETCH(QList<double>, xs);
        QFETCH(double, width);
        SeparatedBarGraph graph(Rect(0, 0, 200, 100));
        graph.setDataTop({ 100, 200, 300, 400 });
        enter(graph, inside);
        QCOMPARE(graph.isMouseInside(), inside);
        const auto boxes = barBoxes(draw(graph));
        QCOMPARE(boxes.size(), size_t(4));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(boxes[size_t(i)].x(), xs[i]);
            QCOMPARE(boxes[size_t(i)].width(), width);
        }
    }

    void seriesAreMirroredAboutTheCentre()
    {
        SeparatedBarGraph graph(Rect(0, 0, 200, 100));
        graph.setDataTop({ 1024 });
        graph.setDataBottom({ 2048 });
        const auto calls = draw(graph);
        const auto boxes = barBoxes(calls);
        QCOMPARE(boxes.size(), size_t(2));
        QCOMPARE(boxes[0], Rect(0, 50, 200, 25));
        QCOMPARE(boxes[1], Rect(0, 0, 200, 49.75));
        const auto fill = std::find_if(calls.begin(), calls.end(), [](auto &c) { return c.kind == Kind::fillPath; });
        QCOMPARE(fill->color.alphaComponent(), 0.5);
    }

    void zerosLeaveGaps()
    {
        SeparatedBarGraph graph(Rect(0, 0, 200, 100));
        graph.setDataTop({ 100, 0, 300, 400 });
        const auto boxes = barBoxes(draw(graph));
        QCOMPARE(boxes.size(), size_t(3));
        QCOMPARE(boxes[1].x(), 101.0);
    }

    void theMarginShowsGuideLinesAndLabels()
    {
        SeparatedBarGraph graph(Rect(0, 0, 200, 100));
        graph.setLegendLabelsY({ "a", "b", "c", "d", "e" });
        auto outside = draw(graph);
        QVERIFY(std::none_of(outside.begin(), outside.end(), [](auto &c) { return c.kind == Kind::text; }));
        enter(graph, true);
        const auto calls = draw(graph);
        std::vector<Rect> labels;
        std::vector<int> strokedLines;
        for (const auto &c : calls) {
            if (c.kind == Kind::text)
                labels.push_back(c.rect);
            if (c.kind == Kind::strokePath && c.stroke.lineWidth == 0.5)
                strokedLines.push_back(c.path.elementCount() / 2);
        }
        QCOMPARE(strokedLines, (std::vector<int> { 1, 2, 3, 4 }));
        const std::vector<double> bottoms { 91, 71, 46, 1, 21 };
        QCOMPARE(labels.size(), size_t(5));
        for (size_t i = 0; i < 5; ++i) {
            QCOMPARE(labels[i].y(), bottoms[i]);
            QCOMPARE(labels[i].width(), 61.0);
        }
        const auto centre = std::find_if(calls.begin(), calls.end(),
            [](auto &c) { return c.kind == Kind::strokePath && c.stroke.lineWidth == 1.0; });
        QCOMPARE(centre->path.elements()[0].points[0], Point(64, 49.5));

        graph.setLegendLabelsY({ "a", "b", "c", "d" });
        const auto four = draw(graph);
        QVERIFY(std::none_of(four.begin(), four.end(), [](auto &c) { return c.kind == Kind::text; }));
    }

    void trackingAreaFollowsTheBounds()
    {
        SeparatedBarGraph graph(Rect(0, 0, 200, 100));
        QVERIFY(graph.area());
        QCOMPARE(graph.area()->rect(), Rect(0, 0, 200, 100));
        graph.setFrameSize({ 300, 100 });
        graph.layoutSubtreeIfNeeded();
        QCOMPARE(graph.area()->rect(), Rect(0, 0, 300, 100));
        QCOMPARE(graph.trackingAreas().size(), size_t(1));
    }
};

QTEST_MAIN(SeparatedBarGraphTest)
#include "separatedbargraph_test.moc"
