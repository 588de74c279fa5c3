#include "graphtestsupport.h"
#include "pirrow/barplotter.h"
#include "pirrow/capsuleplotter.h"
#include "pirrow/gradientbarplotter.h"
#include "pirrow/multicolorbarplotter.h"
#include "pirrow/percentagebarplotter.h"

#include <platform/ui/basicanimation.h>

#include <QTest>

#include <cmath>

using namespace platform::ui;
using pirrow::PlotterData;
using pirrowtest::RecordingDelegate;

namespace {

constexpr double W = 300, H = 110;

std::shared_ptr<Layer> target()
{
    auto layer = Layer::create();
    layer->setFrame(Rect(0, 0, W, H));
    return layer;
}

Rect box(const std::shared_ptr<ShapeLayer> &layer) { return layer->path()->boundingBox(); }

bool fuzzyRect(const Rect &a, const Rect &b)
{
    const auto close = [](double x, double y) { return std::abs(x - y) < 1e-6; };
    return close(a.x(), b.x()) && close(a.y(), b.y()) && close(a.width(), b.width()) && close(a.height(), b.height());
}

} // namespace

class BarPlottersTest : public QObject {
    Q_OBJECT

private slots:
    void barsStandOnTheBaseline()
    {
        auto layer = target();
        pirrow::BarPlotter bars(Color::red());
        bars.setData({ std::nullopt, 0.0, 5.0, -3.0 });
        bars.draw(layer, 0, 10, 10);
        // slot 75, gap 15; plot height 100 above the line y = 100.
        QCOMPARE(bars.barLayers().size(), size_t(4));
        QVERIFY(fuzzyRect(box(bars.barLayers()[0]), Rect(7.5, 99, 60, 1)));
        QCOMPARE(bars.barLayers()[1], nullptr);
        QVERIFY(fuzzyRect(box(bars.barLayers()[2]), Rect(157.5, 50, 60, 50)));
        QVERIFY(fuzzyRect(box(bars.barLayers()[3]), Rect(232.5, 99, 60, 1)));
        const auto &bar = *bars.barLayers()[2];
        QCOMPARE(bar.strokeColor(), std::optional<Color>(Color::red()));
        QCOMPARE(bar.fillColor(), std::optional<Color>(Color::red().withAlphaComponent(0.75)));
        QCOMPARE(layer->sublayers().size(), size_t(3));

        bars.draw(layer, 0, 10, 10);
        QCOMPARE(layer->sublayers().size(), size_t(3));
        bars.setData({});
        bars.draw(layer, 0, 10, 10);
        QVERIFY(bars.barLayers().empty());
        QVERIFY(layer->sublayers().empty());
    }

    void growAnimationRunsOnce()
    {
        auto layer = target();
        pirrow::BarPlotter bars(Color::red());
        bars.setAnimationDuration(0.5);
        bars.setData({ 10.0 });
        bars.draw(layer, 0, 10, 0);
        QCOMPARE(box(bars.barLayers()[0]).height(), 1.0);
        bars.animate(layer, 10, 0);
        QCOMPARE(box(bars.barLayers()[0]).height(), 1.0); // no timing function: no animation
        QVERIFY(!bars.barLayers()[0]->animation(QStringLiteral("path")));
        QVERIFY(!bars.alreadyAnimated());

        bars.setTimingFunction(TimingFunction::Name::easeOut);
        bars.animate(layer, 10, 0);
        const auto *grow = dynamic_cast<const BasicAnimation *>(bars.barLayers()[0]->animation(QStringLiteral("path")));
        QVERIFY(grow);
        QCOMPARE(grow->duration(), 0.5);
        QVERIFY(!grow->isRemovedOnCompletion());
        QVERIFY(fuzzyRect(std::get<Path>(*grow->toValue()).boundingBox(), Rect(30, 0, 240, 110)));
        QVERIFY(bars.alreadyAnimated());
        bars.barLayers()[0]->removeAllAnimations();
        bars.animate(layer, 10, 0);
        QVERIFY(!bars.barLayers()[0]->animation(QStringLiteral("path")));
        bars.draw(layer, 0, 10, 0);
        QCOMPARE(box(bars.barLayers()[0]).height(), 110.0);
    }

    void skipAnimationDrawsFullBars()
    {
        auto layer = target();
        pirrow::BarPlotter bars(Color::red());
        bars.setAnimationDuration(0.5);
        bars.skipAnimation();
        bars.setData({ 5.0 });
        bars.draw(layer, 0, 10, 0);
        QCOMPARE(box(bars.barLayers()[0]).height(), 55.0);
    }

    void capsulesAndGradientBars()
    {
        auto layer = target();
        pirrow::CapsulePlotter capsules({ Color::red(), Color::blue() });
        capsules.setData({ 0.0, 10.0, std::nullopt });
        capsules.draw(layer, 0, 10, 10);
        // slot 100, gap 40: width 60, radius 30.
        QCOMPARE(capsules.maskingLayers().size(), size_t(3));
        QVERIFY(fuzzyRect(box(capsules.maskingLayers()[0]), Rect(20, 99, 60, 1)));
        QVERIFY(fuzzyRect(box(capsules.maskingLayers()[1]), Rect(120, 0, 60, 100)));
        QVERIFY(fuzzyRect(box(capsules.maskingLayers()[2]), Rect(220, 99, 60, 1)));
        QVERIFY(!capsules.maskingLayers()[1]->path()->contains({ 121, 1 })); // a rounded corner
        const auto &gradient = *capsules.gradientLayers()[1];
        QCOMPARE(gradient.colors(), (std::vector<Color> { Color::red(), Color::blue() }));
        QCOMPARE(gradient.frame(), Rect(0, 0, W, H));
        QCOMPARE(gradient.mask(), std::static_pointer_cast<Layer>(capsules.maskingLayers()[1]));
        QCOMPARE(layer->sublayers().size(), size_t(3));

        pirrow::GradientBarPlotter bars({ Color::red() });
        bars.setData({ 0.0, 10.0 });
        bars.draw(layer, 0, 10, 0);
        QCOMPARE(bars.maskingLayers()[0], nullptr);
        QCOMPARE(bars.gradientLayers()[0], nullptr);
        QVERIFY(fuzzyRect(box(bars.maskingLayers()[1]), Rect(165, 0, 120, 110)));
        QCOMPARE(layer->sublayers().size(), size_t(4));
        bars.clear();
        capsules.clear();
        QVERIFY(layer->sublayers().empty());
    }

    void multiColourBarsTakeTheirColour_data()
    {
        QTest::addColumn<bool>("ranges");
        QTest::addColumn<int>("colourCount");
        QTest::addColumn<QList<Color>>("expected");
        const Color r = Color::red(), g = Color::green(), b = Color::blue();
        QTest::newRow("as many colours as values") << false << 3 << QList<Color> { r, g, b };
        QTest::newRow("fewer colours: the first for all") << false << 2 << QList<Color> { r, r, r };
        // Values 1, 5, 9 against bands 0–5 (red), 5–8 (green): the shared bound takes the first band, and a
        // value outside both is system blue (layers keep colours resolved).
        QTest::newRow("bands") << true << 0 << QList<Color> { r, r, Color::systemBlue().resolved() };
    }

    void multiColourBarsTakeTheirColour()
    {
        QFETCH(bool, ranges);
        QFETCH(int, colourCount);
        QFETCH(QList<Color>, expected);
        auto layer = target();
        std::unique_ptr<pirrow::MultiColorBarPlotter> bars;
        if (ranges)
            bars = std::make_unique<pirrow::MultiColorBarPlotter>(std::vector<std::shared_ptr<pirrow::ColorRange>> {
                std::make_shared<pirrow::ColorRange>(0, 5, Color::red()),
                std::make_shared<pirrow::ColorRange>(5, 8, Color::green()) });
        else {
            std::vector<Color> colours { Color::red(), Color::green(), Color::blue() };
            colours.resize(size_t(colourCount));
            bars = std::make_unique<pirrow::MultiColorBarPlotter>(colours);
        }
        bars->setData({ 1.0, 5.0, 9.0 });
        bars->draw(layer, 0, 10, 0);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(bars->barLayers()[size_t(i)]->strokeColor() == std::optional<Color>(expected[i]),
                qPrintable(QString::number(i) + bars->barLayers()[size_t(i)]->strokeColor()->debugText()
                    + expected[i].debugText()));
            QCOMPARE(
                bars->barLayers()[size_t(i)]->fillColor(), std::optional<Color>(expected[i].withAlphaComponent(0.75)));
        }
        // The fixed offset: slot 100, bars 96 wide, 2 in.
        QVERIFY(fuzzyRect(box(bars->barLayers()[1]), Rect(102, 55, 96, 55)));
    }

    void multiColourBarsCanBeReArmed()
    {
        auto layer = target();
        pirrow::MultiColorBarPlotter bars(std::vector<Color> { Color::red() });
        bars.setAnimationDuration(0.2);
        bars.setTimingFunction(TimingFunction::Name::linear);
        bars.setData({ 5.0 });
        bars.draw(layer, 0, 10, 0);
        bars.animate(layer, 10, 0);
        QVERIFY(bars.alreadyAnimated());
        bars.resetAnimation();
        bars.draw(layer, 0, 10, 0);
        QCOMPARE(box(bars.barLayers()[0]).height(), 1.0);
        bars.animate(layer, 10, 0);
        QVERIFY(bars.barLayers()[0]->animation(QStringLiteral("path")));
    }

    void percentageBarSpansAFractionOfTheWidth_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("shown");
        QTest::newRow("middle half") << 0.25 << 0.75 << true;
        QTest::newRow("below the smallest span") << 0.2 << 0.2005 << false;
        QTest::newRow("reversed") << 0.75 << 0.25 << false;
    }

    void percentageBarSpansAFractionOfTheWidth()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(bool, shown);
        auto layer = target();
        pirrow::PercentageBarPlotter bar(Color::red());
        bar.setLineWidth(2);
        bar.setStart(start);
        bar.setEnd(end);
        bar.draw(layer, 0, 0, 0);
        QCOMPARE(bar.barLayer()->superlayer() == layer.get(), shown);
        if (shown)
            QVERIFY(fuzzyRect(box(bar.barLayer()), Rect(75, 1, 150, H)));
    }

    void percentageBarKeepsNoValues()
    {
        pirrow::PercentageBarPlotter bar(Color::red());
        RecordingDelegate delegate;
        bar.setDelegate(&delegate);
        bar.setData({ 1.0, 2.0 });
        QVERIFY(bar.data().empty());
        QCOMPARE(delegate.dataChanges, 1);
    }

    void clearForgetsDelegateAndDataWithoutTelling()
    {
        pirrow::BarPlotter bars(Color::red());
        RecordingDelegate delegate;
        bars.setDelegate(&delegate);
        bars.setData({ 1.0 });
        bars.clear();
        QCOMPARE(bars.delegate(), nullptr);
        QVERIFY(bars.data().empty());
        QCOMPARE(delegate.dataChanges, 1);
        QCOMPARE(delegate.redraws, 0);
    }
};

QTEST_MAIN(BarPlottersTest)
#include "barplotters_test.moc"
