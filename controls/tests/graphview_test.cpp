#include "graphtestsupport.h"
#include "pirrow/graphview.h"
#include "pirrow/ianimatable.h"
#include "pirrow/straightlineplotter.h"

#include <platform/core/mainqueue.h>
#include <platform/ui/systemappearance.h>

#include <QTest>

#include <cmath>
#include <limits>

using namespace platform::ui;
using pirrow::AutoGraphMode;
using pirrow::GraphView;
using pirrow::PlotterData;
using pirrow::ScaleMode;
using pirrowtest::pathPoints;

Q_DECLARE_METATYPE(pirrow::ScaleMode)
Q_DECLARE_METATYPE(pirrow::AutoGraphMode)

namespace {

/// A plotter that writes down how it was drawn.
class FakePlotter : public pirrow::IDataPlotter, public pirrow::IAnimatable {
public:
    struct Call {
        Layer *layer;
        double min, max, inset;
    };
    PlotterData values;
    pirrow::PlotterDelegate *owner = nullptr;
    std::vector<Call> draws;
    int animations = 0;
    int clears = 0;

    PlotterData data() const override { return values; }
    pirrow::PlotterDelegate *delegate() const override { return owner; }
    void setDelegate(pirrow::PlotterDelegate *d) override { owner = d; }
    void setData(const PlotterData &v) override
    {
        values = v;
        if (owner)
            owner->plotterDataChanged(*this);
    }
    void draw(const std::shared_ptr<Layer> &layer, double min, double max, double inset) override
    {
        draws.push_back({ layer.get(), min, max, inset });
    }
    void clear() override
    {
        ++clears;
        owner = nullptr;
        values.clear();
    }
    void animate(const std::shared_ptr<Layer> &, double, double) override { ++animations; }
};

class FakeAxis : public pirrow::IAxis {
public:
    double h = 24;
    int draws = 0, clears = 0;
    double lastWidth = 0;
    double height() const override { return h; }
    void draw(const std::shared_ptr<Layer> &, double w) override
    {
        ++draws;
        lastWidth = w;
    }
    void clear() override { ++clears; }
};

bool hasSublayer(const Layer &parent, const Layer *child)
{
    for (const auto &s : parent.sublayers())
        if (s.get() == child)
            return true;
    return false;
}

} // namespace

class GraphViewTest : public QObject {
    Q_OBJECT

private slots:
    void maxValueIsLiftedToTheScaleStep_data()
    {
        QTest::addColumn<ScaleMode>("mode");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("37 by ten") << ScaleMode::ten << 37.0 << 50.0;
        QTest::newRow("40 by ten") << ScaleMode::ten << 40.0 << 50.0;
        QTest::newRow("44 by ten") << ScaleMode::ten << 44.0 << 50.0;
        QTest::newRow("45 by ten, half away from zero") << ScaleMode::ten << 45.0 << 60.0;
        QTest::newRow("7 by five") << ScaleMode::five << 7.0 << 10.0;
        QTest::newRow("none keeps the value") << ScaleMode::none << 37.0 << 37.0;
        QTest::newRow("none keeps even zero") << ScaleMode::none << 0.0 << 0.0;
        QTest::newRow("zero") << ScaleMode::ten << 0.0 << 100.0;
        QTest::newRow("infinity") << ScaleMode::ten << inf << 100.0;
        QTest::newRow("not a number") << ScaleMode::ten << std::nan("") << 100.0;
    }

    void maxValueIsLiftedToTheScaleStep()
    {
        QFETCH(ScaleMode, mode);
        QFETCH(double, value);
        QFETCH(double, expected);
        GraphView graph(Rect(0, 0, 200, 100));
        graph.setScaleMode(mode);
        graph.setMaxValue(value);
        QCOMPARE(graph.maxValue(), expected);
    }

    void minValueIsLoweredToTheScaleStep_data()
    {
        QTest::addColumn<ScaleMode>("mode");
        QTest::addColumn<bool>("zeroAsMin");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("37 by ten") << ScaleMode::ten << false << 37.0 << 30.0;
        QTest::newRow("35 by ten") << ScaleMode::ten << false << 35.0 << 30.0;
        QTest::newRow("34 by ten") << ScaleMode::ten << false << 34.0 << 20.0;
        QTest::newRow("-3 by ten") << ScaleMode::ten << false << -3.0 << -10.0;
        QTest::newRow("none gives zero") << ScaleMode::none << false << 37.0 << 0.0;
        QTest::newRow("zero as min") << ScaleMode::ten << true << 37.0 << 0.0;
        QTest::newRow("not a number") << ScaleMode::ten << false << std::nan("") << 0.0;
    }

    void minValueIsLoweredToTheScaleStep()
    {
        QFETCH(ScaleMode, mode);
        QFETCH(bool, zeroAsMin);
        QFETCH(double, value);
        QFETCH(double, expected);
        GraphView graph(Rect(0, 0, 200, 100));
        graph.setScaleMode(mode);
        graph.setUseZeroAsMin(zeroAsMin);
        graph.setMinValue(value);
        QCOMPARE(graph.minValue(), expected);
    }

    void calculateMaxTakesTheLargestPresentValue_data()
    {
        QTest::addColumn<QList<double>>("first");
        QTest::addColumn<QList<double>>("second");
        QTest::addColumn<int>("plotters");
        QTest::addColumn<double>("expected");
        // NaN in a list stands for a missing value.
        const double gap = std::nan("");
        QTest::newRow("no plotter gives one step") << QList<double> {} << QList<double> {} << 0 << 10.0;
        QTest::newRow("largest across plotters") << QList<double> { 3, 12 } << QList<double> { 37, gap } << 2 << 50.0;
        QTest::newRow("missing and negative never raise it")
            << QList<double> { gap, -50 } << QList<double> {} << 1 << 10.0;
    }

    void calculateMaxTakesTheLargestPresentValue()
    {
        QFETCH(QList<double>, first);
        QFETCH(QList<double>, second);
        QFETCH(int, plotters);
        QFETCH(double, expected);
        GraphView graph(Rect(0, 0, 200, 100));
        const auto toData = [](const QList<double> &list) {
            PlotterData d;
            for (double v : list)
                d.push_back(std::isnan(v) ? std::nullopt : std::optional<double>(v));
            return d;
        };
        for (int i = 0; i < plotters; ++i) {
            auto p = std::make_shared<FakePlotter>();
            p->values = toData(i == 0 ? first : second);
            graph.addPlotter(p);
        }
        graph.setMaxValue(1000);
        graph.calculateMax();
        QCOMPARE(graph.maxValue(), expected);
    }

    void labelTextFollowsTheMode_data()
    {
        QTest::addColumn<AutoGraphMode>("mode");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain number rounds") << AutoGraphMode::none << 1.0 << 12.6 << QStringLiteral("13 W");
        QTest::newRow("plain number scaled") << AutoGraphMode::none << 2.0 << 12.6 << QStringLiteral("25 W");
        QTest::newRow("bytes in megabytes") << AutoGraphMode::byteSpeed << 1.0 << 3000000.0 << QStringLiteral("3 W");
        QTest::newRow("bytes below a kilobyte") << AutoGraphMode::byteSpeed << 1.0 << 500.0 << QStringLiteral("500 W");
        QTest::newRow("bits of 2000 bytes") << AutoGraphMode::bitSpeed << 1.0 << 2000.0 << QStringLiteral("16 W");
    }

    void labelTextFollowsTheMode()
    {
        QFETCH(AutoGraphMode, mode);
        QFETCH(double, scale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        GraphView graph(Rect(0, 0, 200, 100));
        graph.setUnit(QStringLiteral("W"));
        graph.setAutoGraphMode(mode);
        graph.setAutoGraphModeTextScale(scale);
        QCOMPARE(graph.labelText(value), expected);
    }

    void speedModesKeepTheMaximumAndChooseTheUnit()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        graph.setAutoGraphMode(AutoGraphMode::byteSpeed);
        graph.setMaxValue(3000000);
        QCOMPARE(graph.maxValue(), 3000000.0);
        QCOMPARE(graph.unit(), QStringLiteral("MB/s"));
        QCOMPARE(graph.labelText(3000000), QStringLiteral("3 MB/s"));
        graph.setAutoGraphMode(AutoGraphMode::bitSpeed);
        graph.setMaxValue(2000);
        QCOMPARE(graph.unit(), QStringLiteral("Kb/s"));
        // Out-of-range rates do not stop the program: they count as the nearest representable rate.
        graph.setMaxValue(-5);
        QCOMPARE(graph.unit(), QStringLiteral("b/s"));
        graph.setMaxValue(1e30);
        QCOMPARE(graph.unit(), QStringLiteral("Tb/s"));
    }

    void bottomInsetKeepsRoomForAxisOrTicks_data()
    {
        QTest::addColumn<bool>("axis");
        QTest::addColumn<bool>("showTicks");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<double>("expected");
        QTest::newRow("nothing") << false << false << 3 << 0.0;
        QTest::newRow("tick marks with ticks") << false << true << 3 << 4.0;
        QTest::newRow("tick marks without ticks") << false << true << 0 << 0.0;
        QTest::newRow("axis wins") << true << true << 3 << 24.0;
        QTest::newRow("axis alone") << true << false << 0 << 24.0;
    }

    void bottomInsetKeepsRoomForAxisOrTicks()
    {
        QFETCH(bool, axis);
        QFETCH(bool, showTicks);
        QFETCH(int, ticks);
        QFETCH(double, expected);
        GraphView graph(Rect(0, 0, 200, 100));
        auto t = graph.tickOptions();
        t.showTickMarks = showTicks;
        t.numberOfTicks = ticks;
        graph.setTickOptions(t);
        if (axis)
            graph.setAxisX(std::make_shared<FakeAxis>());
        QCOMPARE(graph.bottomInset(), expected);
    }

    void gridDrawsTheDividingLines_data()
    {
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<bool>("top");
        QTest::addColumn<int>("lines");
        QTest::newRow("defaults: top, three and three") << 4 << 4 << true << 7;
        QTest::newRow("one row draws no divider") << 1 << 0 << true << 1;
        QTest::newRow("zero rows draws no divider") << 0 << 2 << false << 1;
    }

    void gridDrawsTheDividingLines()
    {
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        QFETCH(bool, top);
        QFETCH(int, lines);
        GraphView graph(Rect(0, 0, 200, 100));
        auto g = graph.gridOptions();
        g.horizontalSegments = horizontal;
        g.verticalSegments = vertical;
        g.drawTopLine = top;
        g.gridLineWidth = 2;
        graph.setGridOptions(g);
        graph.drawGrid();
        QVERIFY(hasSublayer(*graph.layer(), graph.gridLayer().get()));
        const auto points = pathPoints(*graph.gridLayer()->path());
        QCOMPARE(int(points.size()), 2 * lines);
        QCOMPARE(graph.gridLayer()->fillColor(), std::optional<Color>());
        QCOMPARE(graph.gridLayer()->lineWidth(), 2.0);
        // Bottom line one half line width above the plot area's lower edge.
        const auto bottom = pathPoints(*graph.bottomLineLayer()->path());
        QCOMPARE(bottom.front(), Point(0, 99));
        QCOMPARE(bottom.back(), Point(200, 99));
    }

    void gridGeometryWithAxisAndDashes()
    {
        GraphView graph(Rect(0, 0, 200, 124));
        auto g = graph.gridOptions();
        g.gridLineWidth = 2;
        g.horizontalSegments = 4;
        g.verticalSegments = 2;
        g.lineDashPattern = std::vector<double> { 3, 3 };
        g.lineDashPhase = 3;
        graph.setGridOptions(g);
        graph.setAxisX(std::make_shared<FakeAxis>());
        const auto points = pathPoints(*graph.gridLayer()->path());
        const std::vector<Point> expected { { 0, 1 }, { 200, 1 }, { 0, 24 }, { 200, 24 }, { 0, 49 }, { 200, 49 },
            { 0, 74 }, { 200, 74 }, { 100, 0 }, { 100, 100 } };
        QCOMPARE(points, expected);
        QCOMPARE(graph.gridLayer()->lineDashPattern(), (std::vector<double> { 3, 3 }));
        QCOMPARE(graph.gridLayer()->lineDashPhase(), 3.0);
        QVERIFY(graph.bottomLineLayer()->lineDashPattern().empty());
        QCOMPARE(pathPoints(*graph.bottomLineLayer()->path()).front(), Point(0, 99));
    }

    void gridWithNothingToDrawLeavesNoLayers()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        graph.layoutSubtreeIfNeeded();
        QVERIFY(hasSublayer(*graph.layer(), graph.gridLayer().get()));
        auto g = graph.gridOptions();
        g.drawTopLine = g.drawBottomLine = false;
        g.horizontalSegments = g.verticalSegments = 0;
        graph.setGridOptions(g);
        graph.refresh();
        QVERIFY(!hasSublayer(*graph.layer(), graph.gridLayer().get()));
        QVERIFY(!hasSublayer(*graph.layer(), graph.bottomLineLayer().get()));
    }

    void labelsShowMinimumHalfAndMaximum()
    {
        ScopedAppearance light(Appearance::aqua());
        GraphView graph(Rect(0, 0, 300, 100));
        graph.setUnit(QStringLiteral("W"));
        graph.setMaxValue(37);
        graph.refresh();
        QCOMPARE(graph.textLayers().size(), size_t(3));
        QCOMPARE(graph.textLayers()[0]->string(), QStringLiteral("0 W"));
        QCOMPARE(graph.textLayers()[1]->string(), QStringLiteral("25 W"));
        QCOMPARE(graph.textLayers()[2]->string(), QStringLiteral("50 W"));
        const auto &max = graph.textLayers()[2];
        QCOMPARE(max->frame(), Rect(300 - 128 - 4, 4, 128, 13));
        QCOMPARE(max->alignmentMode(), TextAlignment::right);
        QCOMPARE(max->foregroundColor(), std::optional<Color>(Color::black()));
        QVERIFY(graph.textLayers()[0]->frame().y() > graph.textLayers()[1]->frame().y());

        auto f = graph.fontOptions();
        f.showMinValue = f.showHalfValue = false;
        graph.setFontOptions(f);
        graph.refresh();
        QCOMPARE(graph.textLayers().size(), size_t(1));
        graph.setLabelsEnabled(false);
        QVERIFY(graph.textLayers().empty());
        for (const auto &s : graph.layer()->sublayers())
            QVERIFY(!std::dynamic_pointer_cast<TextLayer>(s));
    }

    void labelsAreWhiteInDarkAppearance()
    {
        ScopedAppearance dark(Appearance::darkAqua());
        GraphView graph(Rect(0, 0, 300, 100));
        graph.refresh();
        QCOMPARE(graph.textLayers().front()->foregroundColor(), std::optional<Color>(Color::white()));
    }

    void plottersAreDrawnNowOrLaterOnTheMainQueue()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        graph.layoutSubtreeIfNeeded();
        auto empty = std::make_shared<FakePlotter>();
        graph.addPlotter(empty);
        QCOMPARE(empty->owner, &graph);
        QCOMPARE(empty->draws.size(), size_t(1));

        auto filled = std::make_shared<FakePlotter>();
        filled->values = { 1.0 };
        graph.addPlotter(filled);
        QVERIFY(filled->draws.empty());
        graph.setMaxValue(37);
        platform::MainQueue::drain();
        QCOMPARE(filled->draws.size(), size_t(1));
        QCOMPARE(filled->draws[0].max, 50.0); // the bounds as they are when the block runs
        QCOMPARE(filled->draws[0].layer, graph.layer().get());
        QCOMPARE(empty->draws.size(), size_t(1)); // only the plotter that changed

        graph.plotterNeedsRedraw(*empty);
        QCOMPARE(empty->draws.size(), size_t(1));
        platform::MainQueue::drain();
        QCOMPARE(empty->draws.size(), size_t(2));

        QCOMPARE(graph.firstPlotter(), std::static_pointer_cast<pirrow::IDataPlotter>(empty));
        QCOMPARE(graph.secondPlotter(), std::static_pointer_cast<pirrow::IDataPlotter>(filled));
        QCOMPARE(graph.thirdPlotter(), nullptr);
    }

    void labelsStayAbovePlottersDrawnLater()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        graph.layoutSubtreeIfNeeded();
        auto p = std::make_shared<pirrow::StraightLinePlotter>(std::vector<Color> { Color::red() });
        graph.addPlotter(p);
        p->setData({ 1.0, 2.0 });
        platform::MainQueue::drain();
        const auto &subs = graph.layer()->sublayers();
        QVERIFY(hasSublayer(*graph.layer(), p->strokeLayer()->gradientLayer().get()));
        for (size_t i = subs.size() - graph.textLayers().size(); i < subs.size(); ++i)
            QVERIFY(std::dynamic_pointer_cast<TextLayer>(subs[i]));
    }

    void dataChangesRecomputeTheMaximumWhenAsked()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        graph.setAutoCalculateMax(true);
        auto p = std::make_shared<FakePlotter>();
        graph.addPlotter(p);
        p->setData({ 12.0, std::nullopt, 71.0 });
        QCOMPARE(graph.maxValue(), 80.0);
        platform::MainQueue::drain();
        QCOMPARE(p->draws.back().max, 80.0);
    }

    void aRedrawQueuedForAGoneViewDoesNothing()
    {
        auto p = std::make_shared<FakePlotter>();
        {
            GraphView graph(Rect(0, 0, 200, 100));
            graph.addPlotter(p);
            p->setData({ 1.0 });
        }
        QCOMPARE(p->owner, nullptr);
        const size_t before = p->draws.size();
        platform::MainQueue::drain();
        QCOMPARE(p->draws.size(), before);
    }

    void animateReachesAnimatablePlotters()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        auto p = std::make_shared<FakePlotter>();
        graph.addPlotter(p);
        graph.animate();
        QCOMPARE(p->animations, 1);
    }

    void leavingTheSuperviewDropsPlottersAndAxis()
    {
        View host(Rect(0, 0, 300, 200));
        auto *graph = new GraphView(Rect(0, 0, 200, 100));
        host.addSubview(graph);
        auto p = std::make_shared<FakePlotter>();
        auto axis = std::make_shared<FakeAxis>();
        graph->addPlotter(p);
        graph->setAxisX(axis);
        graph->removeFromSuperview();
        QCOMPARE(graph->plotterCount(), 0);
        QCOMPARE(p->clears, 1);
        QCOMPARE(p->owner, nullptr);
        QCOMPARE(p.use_count(), 1L);
        QCOMPARE(graph->axisX(), nullptr);
        QVERIFY(axis->clears >= 1);
        delete graph;
    }

    void settingAnAxisDrawsItWithTheGridWidthAndClearsTheOldOne()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        auto g = graph.gridOptions();
        g.gridLineWidth = 1.5;
        graph.setGridOptions(g);
        auto first = std::make_shared<FakeAxis>();
        auto second = std::make_shared<FakeAxis>();
        graph.setAxisX(first);
        QVERIFY(first->draws >= 1);
        QCOMPARE(first->lastWidth, 1.5);
        graph.setAxisX(second);
        QCOMPARE(first->clears, 1);
        QVERIFY(second->draws >= 1);
    }

    void ticksAreCirclesAlongTheBottom()
    {
        GraphView graph(Rect(0, 0, 200, 100));
        auto t = graph.tickOptions();
        t.showTickMarks = true;
        t.numberOfTicks = 3;
        t.fillColors = { Color::red(), Color::blue() };
        graph.setTickOptions(t);
        graph.setAxisX(nullptr);
        QVERIFY(graph.largeTickLayer());
        QVERIFY(graph.smallTickLayer());
        QCOMPARE(graph.largeTickLayer()->colors(), (std::vector<Color> { Color::red(), Color::blue() }));
        QCOMPARE(graph.largeTickLayer()->fillColor(), std::optional<Color>(Color::black()));
        QCOMPARE(graph.largeTickLayer()->lineWidth(), 0.0);
        // Three discs at x = R, W / 2 and W − R on y = H − 4; two small ones between them.
        const Rect box = graph.largeTickLayer()->path()->boundingBox();
        QVERIFY(std::abs(box.x() - 0) < 1e-6 && std::abs(box.maxX() - 200) < 1e-6);
        QVERIFY(std::abs(box.midY() - 96) < 1e-6);
        QVERIFY(graph.largeTickLayer()->path()->contains({ 100, 96 }));
        QVERIFY(graph.smallTickLayer()->path()->contains({ 50, 96 }));
        QVERIFY(graph.smallTickLayer()->path()->contains({ 150, 96 }));
        QVERIFY(!graph.smallTickLayer()->path()->contains({ 100, 96 }));

        t.numberOfTicks = 0;
        graph.setTickOptions(t);
        graph.setAxisX(nullptr);
        QVERIFY(!hasSublayer(*graph.layer(), graph.largeTickLayer()->gradientLayer().get()));
    }
};

QTEST_MAIN(GraphViewTest)
#include "graphview_test.moc"
