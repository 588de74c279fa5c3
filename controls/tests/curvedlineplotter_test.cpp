#include "graphtestsupport.h"
#include "pirrow/curvedlineplotter.h"

#include <QTest>

#include <cmath>

using namespace platform::ui;
using pirrow::CurvedLinePlotter;
using pirrow::LineJoinMarker;
using pirrow::PlotterData;
using pirrowtest::fuzzyPoint;
using pirrowtest::pathPoints;
using pirrowtest::RecordingDelegate;

namespace {

constexpr double W = 200, H = 100;

std::shared_ptr<Layer> target()
{
    auto layer = Layer::create();
    layer->setFrame(Rect(0, 0, W, H));
    return layer;
}

std::shared_ptr<CurvedLinePlotter> plotter(bool fill = false)
{
    auto p = std::make_shared<CurvedLinePlotter>(std::vector<Color> { Color::red(), Color::blue() }, fill);
    p->setLineWidth(2);
    return p;
}

/// The points the curve passes through: every second curve's end (the others end at midpoints).
std::vector<Point> throughPoints(const Path &path)
{
    const auto all = pathPoints(path);
    std::vector<Point> through { all.front() };
    for (size_t i = 2; i < all.size(); i += 2)
        through.push_back(all[i]);
    return through;
}

} // namespace

class CurvedLinePlotterTest : public QObject {
    Q_OBJECT

private slots:
    void valuesLieAtTheirHeights()
    {
        auto layer = target();
        auto p = plotter();
        p->setData({ 0.0, 50.0, 100.0 });
        p->draw(layer, 0, 100, 0);
        const auto through = throughPoints(*p->strokeLayer()->path());
        const std::vector<Point> expected { { 0, 99 }, { (W - 4) / 2, 50 }, { W + 2, 1 } };
        QCOMPARE(through, expected);
    }

    void theCurveHasHorizontalTangentsAndNoOvershoot()
    {
        auto layer = target();
        auto p = plotter();
        p->setData({ 10.0, 90.0, 20.0, 60.0 });
        p->draw(layer, 0, 100, 0);
        const Path path = *p->strokeLayer()->path();
        const auto &elements = path.elements();
        double top = H, bottom = 0;
        for (const auto &point : pathPoints(path)) {
            top = std::min(top, point.y);
            bottom = std::max(bottom, point.y);
        }
        for (const auto &e : elements) {
            if (e.kind != PathElement::Kind::curveTo)
                continue;
            // Each control point lies at the height of one end of its segment: the curve stays between them.
            QVERIFY(e.points[0].y >= top - 1e-9 && e.points[0].y <= bottom + 1e-9);
            QVERIFY(e.points[1].y >= top - 1e-9 && e.points[1].y <= bottom + 1e-9);
        }
        // At a data point the tangent is horizontal: the control point next to it has its height.
        const auto &toSecond = elements[2];
        QCOMPARE(toSecond.points[1].y, toSecond.points[2].y);
    }

    void missingAndNotANumberValuesSitNearTheBottom()
    {
        auto p = plotter();
        QCOMPARE(p->yPosition(std::nullopt, 0, 100, H, 10) + 1, H - 10 - 1.0);
        QCOMPARE(p->yPosition(std::nan(""), 0, 100, H, 10) + 1, H - 10 - 3.0);
    }

    void markersComeInPairsPerInnerValue()
    {
        auto layer = target();
        auto p = plotter(false);
        p->setLineJoinMarker(LineJoinMarker::circle);
        p->setData({ 5.0, 10.0, 20.0, 30.0 });
        p->draw(layer, 0, 100, 0);
        const auto points = throughPoints(*p->strokeLayer()->path());
        QCOMPARE(p->markerLayers().size(), size_t(4));
        const auto centre = [&](size_t i) { return p->markerLayers()[i]->path()->boundingBox().center(); };
        QVERIFY(fuzzyPoint(centre(0), points[0], 1e-6));
        QVERIFY(fuzzyPoint(centre(1), points[1], 1e-6));
        QVERIFY(fuzzyPoint(centre(2), points[1], 1e-6));
        QVERIFY(fuzzyPoint(centre(3), points[2], 1e-6));

        auto filled = plotter(true);
        filled->setLineJoinMarker(LineJoinMarker::circle);
        filled->setData({ 5.0, 10.0, 20.0, 30.0 });
        filled->draw(layer, 0, 100, 0);
        QCOMPARE(filled->markerLayers().size(), size_t(8));

        p->setData({ 5.0, 8.0 });
        p->draw(layer, 0, 100, 0);
        QVERIFY(p->markerLayers().empty());
    }

    void fillClosesTheAreaBelow()
    {
        auto layer = target();
        auto p = plotter(true);
        p->setData({ 50.0, 50.0 });
        p->draw(layer, 0, 100, 10);
        const auto points = pathPoints(*p->fillLayer()->path());
        QCOMPARE(points.front(), Point(0, p->yPosition(50.0, 0, 100, H, 10) + 2));
        QCOMPARE(points[points.size() - 2], Point(W + 2, H - 10));
        QCOMPARE(points.back(), Point(-2, H - 10));
        QCOMPARE(p->fillLayer()->colors(), p->fillColors());
        QCOMPARE(layer->sublayers().back(), std::static_pointer_cast<Layer>(p->fillLayer()->gradientLayer()));
    }

    void thinningDrawsEveryTenthValue()
    {
        auto layer = Layer::create();
        layer->setFrame(Rect(0, 0, 500, 100));
        auto p = plotter();
        p->setTruncateData(true);
        PlotterData values;
        for (int i = 0; i < 1000; ++i)
            values.push_back(double(i % 100));
        p->setData(values);
        p->draw(layer, 0, 100, 0);
        QCOMPARE(p->mData().size(), size_t(100));
        QCOMPARE(*p->mData()[1], 10.0);
        QCOMPARE(throughPoints(*p->strokeLayer()->path()).size(), size_t(100));
    }

    void freePointsReplaceTheValues()
    {
        auto layer = target();
        auto p = plotter();
        RecordingDelegate delegate;
        p->setDelegate(&delegate);
        p->setData({ 1.0, 2.0, 3.0 });
        p->setPoints({ { 0, 100 }, { 100, 0 } });
        QCOMPARE(delegate.redraws, 1);
        p->draw(layer, 0, 100, 0);
        QCOMPARE(p->calculatedPoints(), (std::vector<Point> { { 0, 0 }, { W, 98 } }));
        const auto through = throughPoints(*p->strokeLayer()->path());
        QCOMPARE(through.back(), Point(W + 2, 98));
        QVERIFY(p->markerLayers().empty());
    }

    void badBoundsAndClearDrawNothing()
    {
        auto layer = target();
        auto p = plotter(true);
        RecordingDelegate delegate;
        p->setDelegate(&delegate);
        p->setData({ 1.0, 2.0 });
        p->draw(layer, 0, 100, 0);
        QCOMPARE(layer->sublayers().size(), size_t(2));
        p->draw(layer, 0, -1, 0);
        QVERIFY(layer->sublayers().empty());
        p->clear();
        QCOMPARE(p->delegate(), nullptr);
        p->setData({ 1.0, 2.0 });
        QCOMPARE(delegate.dataChanges, 1);
    }
};

QTEST_MAIN(CurvedLinePlotterTest)
#include "curvedlineplotter_test.moc"
