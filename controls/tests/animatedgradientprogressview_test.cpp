#include "pirrow/animatedgradientprogressview.h"

#include <platform/core/clock.h>
#include <platform/ui/basicanimation.h>

#include <QTest>

#include <cmath>
#include <limits>

using namespace platform::ui;
using pirrow::AnimatedGradientProgressView;
using namespace std::chrono_literals;

namespace {

double shown(const AnimatedGradientProgressView &bar)
{
    return std::get<double>(*bar.progressLayer()->presentationValue(QStringLiteral("strokeEnd")));
}

bool close(double a, double b) { return std::abs(a - b) < 1e-3; }

Path line(Point from, Point to)
{
    Path p;
    p.moveTo(from);
    p.lineTo(to);
    return p;
}

} // namespace

class AnimatedGradientProgressViewTest : public QObject {
    Q_OBJECT

    platform::ManualClock m_clock;
    std::unique_ptr<platform::ScopedClock> m_scoped;

private slots:
    void init() { m_scoped = std::make_unique<platform::ScopedClock>(m_clock); }
    void cleanup() { m_scoped.reset(); }

    void valueIsKeptInTheUnitRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("inside") << 0.4 << 0.4;
        QTest::newRow("above one") << 2.0 << 1.0;
        QTest::newRow("below zero") << -0.5 << 0.0;
        QTest::newRow("not a number") << std::nan("") << 0.0;
        QTest::newRow("plus infinity") << inf << 1.0;
    }

    void valueIsKeptInTheUnitRange()
    {
        QFETCH(double, value);
        QFETCH(double, stored);
        AnimatedGradientProgressView bar(Rect(0, 0, 200, 10));
        bar.setValue(value);
        QCOMPARE(bar.value(), stored);
        m_clock.advance(1s);
        QCOMPARE(shown(bar), stored);
    }

    void aChangeSlidesFromTheOldValue()
    {
        AnimatedGradientProgressView bar(Rect(0, 0, 200, 10));
        bar.layoutSubtreeIfNeeded();
        bar.setValue(0.3);
        m_clock.advance(1s);
        bar.setValue(0.8);
        QCOMPARE(bar.value(), 0.8);
        QVERIFY(close(shown(bar), 0.3));
        m_clock.advance(330ms);
        QVERIFY(close(shown(bar), 0.55));
        m_clock.advance(100ms);
        QVERIFY(shown(bar) > 0.3 + 0.5 * 430.0 / 660); // eased: ahead of a linear pace past half way
        m_clock.advance(240ms);
        QCOMPARE(shown(bar), 0.8);
        m_clock.advance(10s);
        QCOMPARE(shown(bar), 0.8);
        QCOMPARE(bar.progressLayer()->strokeEnd(), 0.0);
    }

    void aLayoutReplaysTheLastChange()
    {
        AnimatedGradientProgressView bar(Rect(0, 0, 200, 10));
        bar.setValue(0.3);
        bar.setValue(0.8);
        m_clock.advance(1s);
        bar.setFrameSize({ 300, 20 });
        bar.layoutSubtreeIfNeeded();
        QVERIFY(close(shown(bar), 0.3));
        QCOMPARE(*bar.progressLayer()->path(), line({ 10, 10 }, { 290, 10 }));
        m_clock.advance(1s);
        QCOMPARE(shown(bar), 0.8);
    }

    void layersAfterALayout_data()
    {
        QTest::addColumn<bool>("corners");
        QTest::addColumn<double>("radius");
        QTest::addColumn<Path>("line");
        QTest::addColumn<LineCap>("cap");
        QTest::newRow("round ends") << true << 5.0 << line({ 5, 5 }, { 195, 5 }) << LineCap::round;
        QTest::newRow("square ends") << false << 0.0 << line({ 0, 5 }, { 200, 5 }) << LineCap::butt;
    }

    void layersAfterALayout()
    {
        QFETCH(bool, corners);
        QFETCH(double, radius);
        QFETCH(Path, line);
        QFETCH(LineCap, cap);
        AnimatedGradientProgressView bar(Rect(0, 0, 200, 10));
        bar.setAppearance(Appearance::darkAqua());
        bar.setHasCorners(corners);
        QCOMPARE(bar.layer()->cornerRadius(), radius);
        QVERIFY(bar.layer()->masksToBounds());
        QCOMPARE(bar.layer()->sublayers(),
            (std::vector<std::shared_ptr<Layer>> { bar.bgLayer(), bar.gradientLayer() }));
        QCOMPARE(*bar.bgLayer()->fillColor(), Color::tertiaryLabel().resolved(Appearance::darkAqua()));
        QCOMPARE(bar.gradientLayer()->mask(), std::static_pointer_cast<Layer>(bar.progressLayer()));
        QCOMPARE(*bar.progressLayer()->path(), line);
        QCOMPARE(bar.progressLayer()->lineCap(), cap);
        QCOMPARE(bar.progressLayer()->lineWidth(), 10.0);
    }

    void indeterminateStripes()
    {
        AnimatedGradientProgressView bar(Rect(0, 0, 280, 10));
        bar.setIndeterminate(true);
        QCOMPARE(bar.layer()->sublayers(),
            (std::vector<std::shared_ptr<Layer>> { bar.bgLayer(), bar.blockLayer(), bar.gradientLayer() }));
        const Path stripes = *bar.blockLayer()->path();
        QCOMPARE(stripes.elementCount(), 40 * 5);
        QCOMPARE(stripes.elements()[0].points[0], (Point { -2, 10 }));
        QCOMPARE(stripes.elements()[1].points[0], (Point { 8, 10 }));
        QCOMPARE(stripes.elements()[2].points[0], (Point { 18, 0 }));
        QCOMPARE(stripes.elements()[3].points[0], (Point { 8, 0 }));

        const auto *movement
            = dynamic_cast<const BasicAnimation *>(bar.blockLayer()->animation(QStringLiteral("movement")));
        QVERIFY(movement);
        QCOMPARE(movement->duration(), 10.0);
        QCOMPARE(std::get<Point>(*movement->toValue()), (Point { -270, 0 }));
        m_clock.advance(5s);
        const Point half = std::get<Point>(*bar.blockLayer()->presentationValue(QStringLiteral("position")));
        QVERIFY(close(half.x, -135));
    }

    void aNarrowBarHasNoStripes()
    {
        AnimatedGradientProgressView bar(Rect(0, 0, 27, 10));
        bar.setIndeterminate(true);
        QVERIFY(!bar.blockLayer()->path() || bar.blockLayer()->path()->isEmpty());
    }

    void aPositiveValueEndsTheIndeterminateMode_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("indeterminate");
        QTest::newRow("positive") << 0.5 << false;
        QTest::newRow("zero") << 0.0 << true;
        QTest::newRow("negative") << -1.0 << true;
    }

    void aPositiveValueEndsTheIndeterminateMode()
    {
        QFETCH(double, value);
        QFETCH(bool, indeterminate);
        AnimatedGradientProgressView bar(Rect(0, 0, 280, 10));
        bar.setValue(0.2);
        m_clock.advance(1s);
        bar.setIndeterminate(true);
        bar.setValue(value);
        QCOMPARE(bar.isIndeterminate(), indeterminate);
        QCOMPARE(bar.blockLayer()->superlayer() != nullptr, indeterminate);
        QCOMPARE(bar.blockLayer()->animation(QStringLiteral("movement")) != nullptr, indeterminate);
        if (!indeterminate) {
            QVERIFY(close(shown(bar), 0.2));
            m_clock.advance(1s);
            QCOMPARE(shown(bar), value);
        }
    }

    void resetEmptiesAtOnce()
    {
        AnimatedGradientProgressView bar(Rect(0, 0, 200, 10));
        bar.setValue(0.7);
        m_clock.advance(1s);
        bar.reset();
        QCOMPARE(bar.value(), 0.0);
        QCOMPARE(shown(bar), 0.0);
        QVERIFY(bar.progressLayer()->animationKeys().isEmpty());
        bar.layout();
        m_clock.advance(100ms);
        QCOMPARE(shown(bar), 0.0);
    }

    void aNewDurationAppliesToTheNextChange()
    {
        AnimatedGradientProgressView bar(Rect(0, 0, 200, 10));
        bar.setValue(0.5);
        bar.setDuration(2);
        m_clock.advance(700ms);
        QCOMPARE(shown(bar), 0.5);
        bar.setValue(1);
        m_clock.advance(1s);
        QVERIFY(close(shown(bar), 0.75));
    }
};

QTEST_MAIN(AnimatedGradientProgressViewTest)
#include "animatedgradientprogressview_test.moc"
