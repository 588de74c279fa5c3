#include "controlstestsupport.h"
#include "pirrow/colors.h"
#include "pirrow/doublegauge.h"
#include "pirrow/gauge.h"
#include "pirrow/gaugeview.h"
#include "pirrow/gradientcirculargauge.h"

#include <platform/core/clock.h>

#include <QTest>

#include <cmath>
#include <numbers>

using namespace platform::ui;
using namespace pirrow;
using namespace std::chrono_literals;

namespace {

Point onCircle(Point center, double radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    return { center.x + radius * std::cos(a), center.y + radius * std::sin(a) };
}

bool samePoint(Point a, Point b) { return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6; }

Point firstPoint(const Path &p) { return p.elements().front().points[0]; }

int moves(const Path &p)
{
    int n = 0;
    for (const auto &e : p.elements())
        n += e.kind == PathElement::Kind::moveTo;
    return n;
}

double shownStrokeEnd(const ShapeLayer &layer)
{
    return std::get<double>(*layer.presentationValue(QStringLiteral("strokeEnd")));
}

} // namespace

class RingGaugesTest : public QObject {
    Q_OBJECT

private slots:
    void gaugeFillRunsClockwiseFromTheBottomLeft_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("endAngle");
        QTest::newRow("empty") << 0.0 << 225.0;
        QTest::newRow("half: the top") << 0.5 << 90.0;
        QTest::newRow("past the right: two arcs") << 0.9 << 342.0;
        QTest::newRow("full: the bottom right") << 1.0 << -45.0;
    }

    void gaugeFillRunsClockwiseFromTheBottomLeft()
    {
        QFETCH(double, value);
        QFETCH(double, endAngle);
        Gauge gauge(Rect(0, 0, 100, 100));
        gauge.setValue(value);
        gauge.layoutSubtreeIfNeeded();
        const Point c { 50, 50 };
        const Path fill = *gauge.progressLayer()->path();
        QVERIFY(samePoint(firstPoint(fill), onCircle(c, 38, 225)));
        QVERIFY(samePoint(*fill.currentPoint(), onCircle(c, 38, endAngle)));
        QCOMPARE(moves(fill), 1);
        // Half of the fill's length lies half of the sweep along (an arc that wrapped the short way
        // would not).
        if (value > 0) {
            const Point middle = *fill.trimmed(0, 0.5).currentPoint();
            const Point expected = onCircle(c, 38, 225 - value * 135);
            QVERIFY(std::abs(middle.x - expected.x) < 0.5 && std::abs(middle.y - expected.y) < 0.5);
        }

        const Path track = *gauge.backgroundLayer()->path();
        QVERIFY(samePoint(firstPoint(track), onCircle(c, 38, -45)));
        QVERIFY(samePoint(*track.currentPoint(), onCircle(c, 38, 225)));
        QCOMPARE(gauge.progressLayer()->lineCap(), LineCap::round);
        QCOMPARE(gauge.backgroundLayer()->lineCap(), LineCap::round);
        QCOMPARE(gauge.progressLayer()->lineWidth(), 5.0);
    }

    void gaugeClampsItsValue_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored");
        QTest::newRow("above one") << 1.4 << 1.0;
        QTest::newRow("below zero") << -1.0 << 0.0;
        QTest::newRow("inside") << 0.3 << 0.3;
    }

    void gaugeClampsItsValue()
    {
        QFETCH(double, value);
        QFETCH(double, stored);
        Gauge gauge(Rect(0, 0, 100, 100));
        gauge.setValue(value);
        QCOMPARE(gauge.value(), stored);
    }

    void gaugeRedrawsOnlyForANewValue()
    {
        Gauge gauge(Rect(0, 0, 100, 100));
        gauge.setValue(0.4);
        const auto fill = gauge.progressLayer();
        gauge.setValue(0.4);
        QCOMPARE(gauge.progressLayer(), fill);
        gauge.setValue(0.5);
        QVERIFY(gauge.progressLayer() != fill);
        QVERIFY(!fill->superlayer());
        QCOMPARE(gauge.layer()->sublayers().size(), size_t(2));
    }

    void gaugeColours()
    {
        Gauge gauge(Rect(0, 0, 100, 100));
        gauge.layoutSubtreeIfNeeded();
        QCOMPARE(*gauge.progressLayer()->strokeColor(), Colors::teal());
        QVERIFY(!gauge.backgroundLayer()->strokeColor());
        gauge.setColor(Color::red());
        QCOMPARE(*gauge.progressLayer()->strokeColor(), Color::red());
        QCOMPARE(*gauge.backgroundLayer()->strokeColor(), Color::red().withAlphaComponent(0.1));
    }

    void doubleGaugeNestsItsRings()
    {
        DoubleGauge gauge(Rect(0, 0, 100, 100));
        gauge.setColorInner(Color::red());
        gauge.setColorOuter(Color::blue());
        gauge.setValue1(0.5);
        gauge.setValue2(1.2); // taken as given
        QCOMPARE(gauge.value2(), 1.2);
        const Point c { 50, 50 };
        QVERIFY(samePoint(firstPoint(*gauge.backgroundLayerInner()->path()), onCircle(c, 38, -45)));
        QVERIFY(samePoint(firstPoint(*gauge.backgroundLayerOuter()->path()), onCircle(c, 28, -45)));
        QVERIFY(samePoint(*gauge.progressLayerInner()->path()->currentPoint(), onCircle(c, 38, 90)));
        QCOMPARE(*gauge.progressLayerInner()->strokeColor(), Color::red());
        QCOMPARE(*gauge.progressLayerOuter()->strokeColor(), Color::blue());
        QCOMPARE(*gauge.backgroundLayerOuter()->strokeColor(), Color::blue().withAlphaComponent(0.1));

        const std::vector<std::shared_ptr<Layer>> order { gauge.backgroundLayerInner(), gauge.backgroundLayerOuter(),
            gauge.progressLayerInner(), gauge.progressLayerOuter() };
        gauge.layout();
        QCOMPARE(gauge.layer()->sublayers(), order);
    }

    void gaugeViewFillsAFullTurnFromTheTop_data()
    {
        QTest::addColumn<bool>("roundCap");
        QTest::addColumn<LineCap>("cap");
        QTest::newRow("round") << true << LineCap::round;
        QTest::newRow("flat") << false << LineCap::butt;
    }

    void gaugeViewFillsAFullTurnFromTheTop()
    {
        QFETCH(bool, roundCap);
        QFETCH(LineCap, cap);
        GaugeView gauge(Rect(0, 0, 100, 100));
        gauge.setUseRoundCap(roundCap);
        gauge.setValue(0.25);
        const Path fill = *gauge.progressLayer()->path();
        QVERIFY(samePoint(firstPoint(fill), { 50, 95 }));
        QCOMPARE(fill.boundingBox().size.width, 90.0);
        QCOMPARE(gauge.progressLayer()->strokeEnd(), 0.25);
        QCOMPARE(gauge.progressLayer()->lineCap(), cap);
        QCOMPARE(gauge.progressLayer()->lineWidth(), 8.0);
        // A quarter of the turn from the top reaches the right-hand side.
        const Path shown = fill.trimmed(0, 0.25);
        QVERIFY(std::abs(shown.currentPoint()->x - 95) < 0.5);
        QVERIFY(std::abs(shown.currentPoint()->y - 50) < 0.5);
    }

    void gaugeViewKeepsItsValueAboveZero()
    {
        GaugeView gauge(Rect(0, 0, 100, 100));
        gauge.setValue(-0.5);
        QCOMPARE(gauge.value(), 0.0);
        gauge.setValue(1.5);
        QCOMPARE(gauge.value(), 1.5);
        QCOMPARE(gauge.progressLayer()->strokeEnd(), 1.5);
    }

    void gradientGaugeAnimatesBetweenValues()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        GradientCircularGauge gauge(Rect(0, 0, 100, 100));
        gauge.layoutSubtreeIfNeeded();
        QCOMPARE(gauge.gradientLayer()->mask(), std::static_pointer_cast<Layer>(gauge.maskingLayer()));
        QCOMPARE(gauge.layer()->sublayers().size(), size_t(2));

        gauge.setValue(0.2);
        clock.advance(600ms);
        const ShapeLayer &mask = *gauge.maskingLayer();
        QCOMPARE(shownStrokeEnd(mask), 0.2);

        gauge.setValue(0.7);
        QCOMPARE(shownStrokeEnd(mask), 0.2);
        clock.advance(250ms);
        QVERIFY(std::abs(shownStrokeEnd(mask) - 0.45) < 1e-3); // half way, eased symmetrically
        clock.advance(125ms);
        QVERIFY(shownStrokeEnd(mask) > 0.575); // eased: ahead of a linear pace at three quarters
        clock.advance(5s);
        QCOMPARE(shownStrokeEnd(mask), 0.7);
        QCOMPARE(mask.strokeEnd(), 0.0);
        // A layout keeps what is shown.
        gauge.layout();
        QCOMPARE(shownStrokeEnd(mask), 0.7);

        gauge.setValue(0);
        clock.advance(250ms);
        QVERIFY(shownStrokeEnd(mask) > 0 && shownStrokeEnd(mask) < 0.7);
        clock.advance(1s);
        QCOMPARE(shownStrokeEnd(mask), 0.0);
        QVERIFY(!mask.animation(QStringLiteral("strokeEnd")));
    }

    void gradientGaugeIgnoresTheSameValue()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        GradientCircularGauge gauge(Rect(0, 0, 100, 100));
        gauge.setValue(0.5);
        clock.advance(200ms);
        const double shown = shownStrokeEnd(*gauge.maskingLayer());
        gauge.setValue(0.5); // would restart the animation from 0.5 if taken
        QCOMPARE(shownStrokeEnd(*gauge.maskingLayer()), shown);
    }

    void gradientGaugeGeometry()
    {
        GradientCircularGauge gauge(Rect(0, 0, 100, 100));
        gauge.setAppearance(Appearance::darkAqua());
        gauge.setUseRoundCap(false);
        QVERIFY(samePoint(firstPoint(*gauge.maskingLayer()->path()), { 50, 88 }));
        QCOMPARE(gauge.maskingLayer()->lineCap(), LineCap::butt);
        QCOMPARE(*gauge.backgroundLayer()->strokeColor(), Color::tertiaryLabel().resolved(Appearance::darkAqua()));
        QCOMPARE(gauge.gradientLayer()->colors(), (std::vector<Color> { Colors::teal(), Colors::cyan() }));
        QCOMPARE(gauge.gradientLayer()->frame(), Rect(0, 0, 100, 100));
    }
};

QTEST_MAIN(RingGaugesTest)
#include "ringgauges_test.moc"
