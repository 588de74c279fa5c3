#include "graphtestsupport.h"
#include "pirrow/positivenegativeplotter.h"

#include <QTest>

#include <cmath>

using namespace platform::ui;
using pirrow::DrawNilMode;
using pirrow::PlotterData;
using pirrow::PositiveNegativePlotter;
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

PlotterData fromList(const QList<double> &list)
{
    PlotterData d;
    for (double v : list)
        d.push_back(std::isnan(v) ? std::nullopt : std::optional<double>(v));
    return d;
}

} // namespace

class PositiveNegativePlotterTest : public QObject {
    Q_OBJECT

private slots:
    void theLatestValueChoosesTheColour_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<Color>("expected");
        const double gap = std::nan("");
        QTest::newRow("rising above") << QList<double> { -2, 3 } << Color::green();
        QTest::newRow("falling below") << QList<double> { 3, -2 } << Color::red();
        QTest::newRow("ending on it") << QList<double> { 3, 0 } << Color::black();
        QTest::newRow("ending missing") << QList<double> { 3, 5, gap } << Color::black();
    }

    void theLatestValueChoosesTheColour()
    {
        QFETCH(QList<double>, values);
        QFETCH(Color, expected);
        auto layer = target();
        PositiveNegativePlotter p(Color::green(), Color::red());
        p.setData(fromList(values));
        p.draw(layer, -10, 10, 0);
        QCOMPARE(p.strokeLayer()->colors(), (std::vector<Color> { expected, expected }));
    }

    void referenceLineIsDashedAtInitial()
    {
        auto layer = target();
        PositiveNegativePlotter p(Color::green(), Color::red());
        p.setLineWidth(2);
        p.setInitialThickness(1);
        p.setInitial(50);
        p.setData({ 1.0 });
        p.draw(layer, 0, 100, 0);
        // Fewer than two values: no line, the reference line still shows (base 98, 50 maps to 49, plus 1).
        QCOMPARE(pathPoints(*p.initialLayer()->path()), (std::vector<Point> { { 0, 50 }, { W, 50 } }));
        QCOMPARE(p.initialLayer()->lineDashPattern(), std::optional<std::vector<double>>(std::vector<double> { 3, 3 }));
        QCOMPARE(p.initialLayer()->lineDashPhase(), 2.0);
        QCOMPARE(p.initialLayer()->lineWidth(), 1.0);
        QCOMPARE(p.initialLayer()->fillColor(), std::optional<Color>());
        QCOMPARE(p.strokeLayer()->path(), std::optional<Path>());
        QCOMPARE(p.strokeLayer()->gradientLayer()->superlayer(), nullptr);
    }

    void missingValuesFollowTheNilMode_data()
    {
        QTest::addColumn<DrawNilMode>("mode");
        QTest::addColumn<int>("points");
        QTest::newRow("bottom line") << DrawNilMode::drawMinValue << 3;
        QTest::newRow("stop") << DrawNilMode::stop << 1;
        QTest::newRow("stop and highlight continues here") << DrawNilMode::stopAndHighlightPreviousValue << 3;
    }

    void missingValuesFollowTheNilMode()
    {
        QFETCH(DrawNilMode, mode);
        QFETCH(int, points);
        auto layer = target();
        PositiveNegativePlotter p(Color::green(), Color::red());
        p.setLineWidth(2);
        p.setDrawNilMode(mode);
        p.setData({ 1.0, std::nullopt, 2.0 });
        p.draw(layer, 0, 100, 0);
        QCOMPARE(int(p.calculatedPoints().size()), points);
        if (points == 3) {
            QCOMPARE(p.calculatedPoints()[1], Point((W - 4) / 2 + 1, 98 + 1));
            QCOMPARE(p.calculatedPoints()[2].x, W + 2);
        }
        // Only a missing first value stops everything under the stopping modes.
        p.setData({ std::nullopt, 1.0 });
        p.draw(layer, 0, 100, 0);
        QCOMPARE(p.calculatedPoints().empty(), mode != DrawNilMode::drawMinValue);
    }

    void drawNilModeAsksForARedraw()
    {
        PositiveNegativePlotter p(Color::green(), Color::red());
        RecordingDelegate delegate;
        p.setDelegate(&delegate);
        p.setDrawNilMode(DrawNilMode::stop);
        p.setInitial(3);
        p.setLineWidth(1);
        QCOMPARE(delegate.redraws, 1);
        p.setData({ 1.0 });
        QCOMPARE(delegate.dataChanges, 1);
        auto layer = target();
        p.setData({ 1.0, 2.0 });
        p.draw(layer, 0, 10, 0);
        QCOMPARE(layer->sublayers().size(), size_t(2));
        p.clear();
        QVERIFY(layer->sublayers().empty());
        QCOMPARE(p.delegate(), nullptr);
        QVERIFY(p.data().empty());
    }
};

QTEST_MAIN(PositiveNegativePlotterTest)
#include "positivenegativeplotter_test.moc"
