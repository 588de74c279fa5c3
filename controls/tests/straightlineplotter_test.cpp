#include "graphtestsupport.h"
#include "pirrow/colors.h"
#include "pirrow/constants.h"
#include "pirrow/graphview.h"
#include "pirrow/straightlineplotter.h"

#include <platform/core/mainqueue.h>

#include <QTest>

#include <cmath>

using namespace platform::ui;
using pirrow::DrawNilMode;
using pirrow::LineJoinMarker;
using pirrow::PlotterData;
using pirrow::StraightLinePlotter;
using pirrowtest::fuzzyPoint;
using pirrowtest::pathPoints;
using pirrowtest::RecordingDelegate;

Q_DECLARE_METATYPE(pirrow::DrawNilMode)

namespace {

constexpr double W = 200, H = 100;

std::shared_ptr<Layer> target()
{
    auto layer = Layer::create();
    layer->setFrame(Rect(0, 0, W, H));
    return layer;
}

std::shared_ptr<StraightLinePlotter> plotter(double lineWidth = 2)
{
    auto p = std::make_shared<StraightLinePlotter>(std::vector<Color> { Color::red(), Color::blue() });
    p->setLineWidth(lineWidth);
    return p;
}

/// The mapped y of a value for min 0, max 100, no inset, line width 2: base − v / 100 × base, base 98.
double mapped(double v) { return 98 - v / 100 * 98; }

} // namespace

class StraightLinePlotterTest : public QObject {
    Q_OBJECT

private slots:
    // The colour-and-fill form draws with the library's two default colours (RGB 62, 189, 177 and
    // 0, 182, 208), a line four pixels wide, and missing values on the bottom line.
    void theColourAndFillFormDrawsWithTheLibraryDefaults()
    {
        auto rgb = [](const Color &c) {
            return QList<int> { int(std::lround(c.redComponent() * 255)), int(std::lround(c.greenComponent() * 255)),
                int(std::lround(c.blueComponent() * 255)), int(std::lround(c.alphaComponent() * 100)) };
        };
        auto layer = target();
        auto p = std::make_shared<StraightLinePlotter>(Color::green(), false);
        p->setData({ 10.0, std::nullopt, 100.0 });
        p->draw(layer, 0, 100, 0);

        const double lw = 4 * pirrow::Constants::onePixel();
        const double base = H - lw;
        QCOMPARE(int(p->calculatedPoints().size()), 3);
        QCOMPARE(p->calculatedPoints()[1].y, base + lw * 0.5);
        const auto &stroke = *p->strokeLayer();
        QCOMPARE(stroke.lineWidth(), lw);
        QCOMPARE(stroke.strokeColor(), Color::green());
        QCOMPARE(stroke.lineJoin(), LineJoin::miter);
        QCOMPARE(int(stroke.colors().size()), 2);
        QCOMPARE(rgb(stroke.colors()[0]), (QList<int> { 62, 189, 177, 100 }));
        QCOMPARE(rgb(stroke.colors()[1]), (QList<int> { 0, 182, 208, 100 }));
        QCOMPARE(layer->sublayers().size(), size_t(1)); // no area

        // With the area on, it is drawn in the faded defaults.
        p->setFillArea(true);
        p->draw(layer, 0, 100, 0);
        QVERIFY(p->fillLayer());
        const auto &fill = p->fillLayer()->colors();
        QCOMPARE(int(fill.size()), 2);
        QCOMPARE(rgb(fill[0]), (QList<int> { 62, 189, 177, 60 }));
        QCOMPARE(rgb(fill[1]), (QList<int> { 0, 182, 208, 25 }));
        QCOMPARE(layer->sublayers().size(), size_t(2));
    }

    void valuesBecomeAPolylineWithAreaBelow()
    {
        auto layer = target();
        auto p = plotter();
        p->setData({ 0.0, 50.0, 100.0 });
        p->draw(layer, 0, 100, 0);
        const double step = (W - 4) / 2;
        const std::vector<Point> line { { 0, mapped(0) + 1 }, { step + 1, mapped(50) + 1 },
            { W + 2, mapped(100) + 1 } };
        QCOMPARE(p->calculatedPoints(), line);
        const auto &stroke = *p->strokeLayer();
        QCOMPARE(pathPoints(*stroke.path()), line);
        QCOMPARE(stroke.strokeColor(), p->strokeColor());
        QCOMPARE(stroke.fillColor(), std::optional<Color>());
        QCOMPARE(stroke.lineWidth(), 2.0);
        QCOMPARE(stroke.colors(), (std::vector<Color> { Color::red(), Color::blue() }));
        QCOMPARE(stroke.startPoint(), Point(0.5, 0));

        const auto &fill = *p->fillLayer();
        auto area = line;
        area.push_back({ W + 2, H });
        area.push_back({ -2, H });
        QCOMPARE(pathPoints(*fill.path()), area);
        QCOMPARE(fill.lineWidth(), 0.0);
        QCOMPARE(fill.fillColor(), std::optional<Color>(Color::black()));
        QCOMPARE(fill.colors(), p->fillColors());
        // The area was applied after the line and lies on top of it.
        QCOMPARE(layer->sublayers().back(), std::static_pointer_cast<Layer>(fill.gradientLayer()));
        QCOMPARE(layer->sublayers().size(), size_t(2));
    }

    void bottomInsetLiftsTheBaseline()
    {
        auto layer = target();
        auto p = plotter();
        p->setFillArea(false);
        p->setData({ 0.0, 0.0 });
        p->draw(layer, 0, 10, 20);
        QCOMPARE(p->calculatedPoints().front(), Point(0, H - 20 - 2 + 1));
        QCOMPARE(p->calculatedPoints().back(), Point(W + 2, H - 20 - 2 + 1));
    }

    void missingValuesFollowTheNilMode_data()
    {
        QTest::addColumn<DrawNilMode>("mode");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("circles");
        QTest::newRow("bottom line") << DrawNilMode::drawMinValue << 3 << 0;
        QTest::newRow("stop") << DrawNilMode::stop << 1 << 0;
        QTest::newRow("stop and highlight") << DrawNilMode::stopAndHighlightPreviousValue << 1 << 2;
    }

    void missingValuesFollowTheNilMode()
    {
        QFETCH(DrawNilMode, mode);
        QFETCH(int, points);
        QFETCH(int, circles);
        auto layer = target();
        auto p = plotter();
        p->setFillArea(false);
        p->setStrokeColor(Color::green());
        p->setDrawNilMode(mode);
        p->setData({ 5.0, std::nullopt, 7.0 });
        p->draw(layer, 0, 100, 0);
        QCOMPARE(int(p->calculatedPoints().size()), points);
        QCOMPARE(p->calculatedPoints().front(), Point(0, mapped(5) + 1));
        if (points == 3)
            QCOMPARE(p->calculatedPoints()[1].y, 98 + 1.0);
        QCOMPARE(int(p->markerLayers().size()), circles);
        if (circles) {
            const auto &outer = *p->markerLayers()[0];
            const auto &inner = *p->markerLayers()[1];
            QCOMPARE(outer.fillColor(), std::optional<Color>(Color::green().withAlphaComponent(0.25)));
            QCOMPARE(inner.fillColor(), std::optional<Color>(Color::green()));
            const Rect o = outer.path()->boundingBox(), i = inner.path()->boundingBox();
            QVERIFY(std::abs(o.width() - 10) < 1e-6 && std::abs(i.width() - 6) < 1e-6);
            QVERIFY(fuzzyPoint(o.center(), Point(0, mapped(5) + 1), 1e-6));
        }
    }

    void aZeroSpanPutsEveryValueOnTheBottomLine()
    {
        auto layer = target();
        auto p = plotter();
        p->setFillArea(false);
        p->setData({ 5.0, 7.0 });
        p->draw(layer, 5, 5, 0);
        QCOMPARE(p->calculatedPoints(), (std::vector<Point> { { 0, 98 + 1 }, { W + 2, 98 + 1 } }));
    }

    void aMissingFirstValueUnderStopDrawsNothing()
    {
        auto layer = target();
        auto p = plotter();
        p->setDrawNilMode(DrawNilMode::stop);
        p->setData({ std::nullopt, 3.0, 4.0 });
        p->draw(layer, 0, 100, 0);
        QVERIFY(p->calculatedPoints().empty());
        QVERIFY(layer->sublayers().empty());
    }

    void markersSitOnInnerPointsAboveTheMinimum()
    {
        auto layer = target();
        auto p = plotter();
        p->setLineJoinMarker(LineJoinMarker::circle);
        p->setFillArea(false);
        p->setData({ 5.0, 0.0, 0.5, std::nan(""), 30.0, 40.0 });
        p->draw(layer, 0, 100, 0);
        // Inner points 1..4: 0 is the minimum, NaN gets none: markers at 2 and 4.
        QCOMPARE(p->markerLayers().size(), size_t(2));
        const auto centre = [&](size_t i) { return p->markerLayers()[i]->path()->boundingBox().center(); };
        QVERIFY(fuzzyPoint(centre(0), p->calculatedPoints()[2], 1e-6));
        QVERIFY(fuzzyPoint(centre(1), p->calculatedPoints()[4], 1e-6));
        QCOMPARE(std::abs(p->markerLayers()[0]->path()->boundingBox().width() - 6) < 1e-6, true);

        p->setFillArea(true);
        p->draw(layer, 0, 100, 0);
        QCOMPARE(p->markerLayers().size(), size_t(4));
        // Markers made after the line was applied take the gradient's colour.
        QVERIFY(p->markerLayers()[2]->fillColor()->alphaComponent() > 0);
    }

    void redrawsDoNotPileUpLayers()
    {
        auto layer = target();
        auto p = plotter();
        p->setLineJoinMarker(LineJoinMarker::circle);
        p->setData({ 1.0, 2.0, 3.0, 4.0 });
        for (int i = 0; i < 3; ++i)
            p->draw(layer, 0, 10, 0);
        QCOMPARE(layer->sublayers().size(), size_t(2 + 4));
        p->draw(layer, 0, 0, 0);
        QVERIFY(layer->sublayers().empty());
        p->draw(layer, 20, 10, 0);
        QVERIFY(layer->sublayers().empty());
    }

    void thinningKeepsEveryStrideValue_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("distance");
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("stride");
        QTest::newRow("100 into 40 slots") << 100 << 200.0 << 5.0 << 40 << 2;
        QTest::newRow("30 fit") << 30 << 200.0 << 5.0 << 30 << 1;
        QTest::newRow("1000 into 100") << 1000 << 500.0 << 5.0 << 100 << 10;
        QTest::newRow("no room keeps none") << 10 << 4.0 << 5.0 << 0 << 1;
        QTest::newRow("zero distance keeps all") << 10 << 4.0 << 0.0 << 10 << 1;
    }

    void thinningKeepsEveryStrideValue()
    {
        QFETCH(int, count);
        QFETCH(double, width);
        QFETCH(double, distance);
        QFETCH(int, kept);
        QFETCH(int, stride);
        StraightLinePlotter p(std::vector<Color> { Color::red() });
        PlotterData values;
        for (int i = 0; i < count; ++i)
            values.push_back(double(i));
        p.setData(values);
        p.setMinimumDistance(distance);
        p.truncate(width);
        QCOMPARE(int(p.mData().size()), kept);
        for (int i = 0; i < kept; ++i)
            QCOMPARE(*p.mData()[size_t(i)], double(i * stride));
        QCOMPARE(p.data().size(), size_t(count));
    }

    void freePointsWinOverValues()
    {
        auto layer = target();
        auto p = plotter();
        RecordingDelegate delegate;
        p->setDelegate(&delegate);
        p->setData({ 1.0, 2.0 });
        p->setPoints({ { 0, 0 }, { 50, 50 }, { 100, 100 } });
        QCOMPARE(delegate.redraws, 1);
        p->draw(layer, 0, 100, 0);
        const std::vector<Point> mapped { { 0, 98 }, { W / 2, 49 }, { W, 0 } };
        QCOMPARE(p->calculatedPoints(), mapped);
        auto area = mapped;
        area.push_back({ W + 2, H });
        area.push_back({ -2, H });
        QCOMPARE(pathPoints(*p->strokeLayer()->path()), area);
        QCOMPARE(p->strokeLayer()->fillColor(), std::optional<Color>(Color::black()));
        QCOMPARE(p->fillLayer()->path(), std::optional<Path>());

        p->setPoints({});
        QCOMPARE(delegate.redraws, 2);
        p->draw(layer, 0, 100, 0);
        QCOMPARE(p->calculatedPoints().size(), size_t(2));
    }

    void onlyDataNilModeAndPointsNotify()
    {
        auto p = plotter();
        RecordingDelegate delegate;
        p->setDelegate(&delegate);
        p->setData({ 1.0 });
        QCOMPARE(delegate.dataChanges, 1);
        p->setDrawNilMode(DrawNilMode::stop);
        QCOMPARE(delegate.redraws, 1);
        p->setLineWidth(3);
        p->setColors({ Color::red() });
        p->setFillArea(false);
        QCOMPARE(delegate.redraws, 1);
        QCOMPARE(delegate.dataChanges, 1);

        p->clear();
        QCOMPARE(p->delegate(), nullptr);
        QVERIFY(p->data().empty() && p->mData().empty() && p->points().empty());
        QCOMPARE(delegate.redraws, 1);
        auto layer = target();
        p->draw(layer, 0, 100, 0);
        QVERIFY(p->calculatedPoints().empty());
    }

    void inAGraphTheLineShowsOnScreen()
    {
        pirrow::GraphView graph(Rect(0, 0, 200, 100));
        auto g = graph.gridOptions();
        g.drawTopLine = g.drawBottomLine = false;
        g.horizontalSegments = g.verticalSegments = 0;
        graph.setGridOptions(g);
        graph.setLabelsEnabled(false);
        auto p = std::make_shared<StraightLinePlotter>(std::vector<Color> { Color::red() });
        p->setFillArea(false);
        p->setLineWidth(6);
        graph.addPlotter(p);
        graph.setScaleMode(pirrow::ScaleMode::none);
        graph.setMaxValue(100);
        p->setData({ 50.0, 50.0, 50.0 });
        platform::MainQueue::drain();
        const QImage image = graph.renderToImage();
        // Flipped: the line's middle is 50 from the top (base 94, value at 47, half a line width below).
        const QColor onLine = image.pixelColor(100, 50);
        QVERIFY2(onLine.red() > 200 && onLine.alpha() > 200, qPrintable(onLine.name(QColor::HexArgb)));
        QCOMPARE(image.pixelColor(100, 57).alpha(), 0);
        QCOMPARE(image.pixelColor(100, 43).alpha(), 0);
    }
};

QTEST_MAIN(StraightLinePlotterTest)
#include "straightlineplotter_test.moc"
