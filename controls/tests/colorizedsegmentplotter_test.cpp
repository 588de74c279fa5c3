#include "graphtestsupport.h"
#include "pirrow/colorizedsegmentplotter.h"

#include <QTest>

#include <cmath>

using namespace platform::ui;
using pirrow::ColorizedSegmentPlotter;
using pirrow::ColorRange;
using pirrow::PlotterData;
using pirrowtest::pathPoints;

namespace {

constexpr double W = 100, H = 100;

std::shared_ptr<Layer> target()
{
    auto layer = Layer::create();
    layer->setFrame(Rect(0, 0, W, H));
    return layer;
}

/// Band A 0–50 red, band B 50–100 green (a value of 50 lies in A, listed first).
std::vector<std::shared_ptr<ColorRange>> bands()
{
    return { std::make_shared<ColorRange>(0, 50, Color::red()), std::make_shared<ColorRange>(50, 100, Color::green()) };
}

struct Segment {
    double from, to;
    std::optional<Color> fill;
};

std::vector<Segment> segments(const ColorizedSegmentPlotter &p)
{
    std::vector<Segment> out;
    for (const auto &s : p.segmentLayers()) {
        const auto points = pathPoints(*s->path());
        // Every segment closes with a line to (end, base) and one to (start, base).
        out.push_back({ points[points.size() - 1].x, points[points.size() - 2].x, s->fillColor() });
    }
    return out;
}

} // namespace

class ColorizedSegmentPlotterTest : public QObject {
    Q_OBJECT

private slots:
    void runsOfOneBandBecomeOneSegment_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<double>>("bounds"); // from, to per segment
        QTest::addColumn<QList<Color>>("fills"); // clear stands for unfilled
        QTest::newRow("same band") << QList<double> { 10, 20 } << QList<double> { 0, 100 }
                                   << QList<Color> { Color::red() };
        QTest::newRow("two bands: the next value's colour, then a sliver") << QList<double> { 10,
            80 } << QList<double> { 0, 100, 100, 100 } << QList<Color> { Color::green(), Color::green() };
        QTest::newRow("A A B") << QList<double> { 10, 20, 80 } << QList<double> { 0, 100, 100, 100 }
                               << QList<Color> { Color::red(), Color::green() };
        QTest::newRow("a value in no band")
            << QList<double> { 10, 20, 150, 30 } << QList<double> { 0, 200.0 / 3, 200.0 / 3, 100, 100, 100 }
            << QList<Color> { Color::red(), Color::red(), Color::red() };
        QTest::newRow("boundary value takes the first band")
            << QList<double> { 10, 50 } << QList<double> { 0, 100 } << QList<Color> { Color::red() };
    }

    void runsOfOneBandBecomeOneSegment()
    {
        QFETCH(QList<double>, values);
        QFETCH(QList<double>, bounds);
        QFETCH(QList<Color>, fills);
        auto layer = target();
        PlotterData data;
        for (double v : values)
            data.push_back(v);
        ColorizedSegmentPlotter p(bands(), data);
        p.draw(layer, 0, 100, 0);
        const auto got = segments(p);
        QCOMPARE(int(got.size()), fills.size());
        for (size_t i = 0; i < got.size(); ++i) {
            QVERIFY2(std::abs(got[i].from - bounds[int(2 * i)]) < 1e-9, qPrintable(QString::number(got[i].from)));
            QVERIFY2(std::abs(got[i].to - bounds[int(2 * i + 1)]) < 1e-9, qPrintable(QString::number(got[i].to)));
            QCOMPARE(got[i].fill, std::optional<Color>(fills[int(i)]));
        }
        QCOMPARE(layer->sublayers().size(), got.size());
    }

    void aValueOutsideAllBandsLeavesAnUnfilledSegment()
    {
        auto layer = target();
        ColorizedSegmentPlotter p(bands(), { 150.0, 160.0 });
        p.draw(layer, 0, 200, 0);
        QCOMPARE(p.segmentLayers().size(), size_t(2));
        QCOMPARE(p.segmentLayers()[0]->fillColor(), std::optional<Color>());
    }

    void heightsFollowTheBoundsAndMissingValuesSitOnTheBaseline()
    {
        auto layer = target();
        ColorizedSegmentPlotter p(bands(), { std::nullopt, 40.0 });
        p.draw(layer, 0, 80, 20);
        const auto points = pathPoints(*p.segmentLayers()[0]->path());
        QCOMPARE(points[0], Point(0, 80));
        QCOMPARE(points[1], Point(100, 40));
    }

    void nothingIsDrawnForBadInput_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::newRow("one value") << 1 << 0.0 << 100.0;
        QTest::newRow("max not positive") << 3 << -10.0 << 0.0;
        QTest::newRow("max below min") << 3 << 50.0 << 40.0;
    }

    void nothingIsDrawnForBadInput()
    {
        QFETCH(int, count);
        QFETCH(double, min);
        QFETCH(double, max);
        auto layer = target();
        ColorizedSegmentPlotter p(bands(), PlotterData(size_t(count), 10.0));
        p.draw(layer, min, max, 0);
        QVERIFY(p.segmentLayers().empty());
        QVERIFY(layer->sublayers().empty());
    }

    void longListsDrawWithoutRecursion()
    {
        auto layer = target();
        PlotterData data;
        for (int i = 0; i < 20000; ++i)
            data.push_back(i % 2 ? 10.0 : 80.0);
        ColorizedSegmentPlotter p(bands(), data);
        p.draw(layer, 0, 100, 0);
        QCOMPARE(p.segmentLayers().size(), size_t(20000));
    }

    void clearForgetsTheBands()
    {
        auto layer = target();
        ColorizedSegmentPlotter p(bands(), { 10.0, 20.0 });
        p.draw(layer, 0, 100, 0);
        p.clear();
        QVERIFY(layer->sublayers().empty());
        QVERIFY(p.colorRanges().empty());
        p.setData({ 10.0, 20.0 });
        p.draw(layer, 0, 100, 0);
        QCOMPARE(p.segmentLayers().front()->fillColor(), std::optional<Color>());
    }
};

QTEST_MAIN(ColorizedSegmentPlotterTest)
#include "colorizedsegmentplotter_test.moc"
