#include "pirrow/loadingview.h"

#include <platform/core/clock.h>

#include <QTest>

#include <cmath>
#include <numbers>

using namespace platform::ui;
using pirrow::LoadingView;
using namespace std::chrono_literals;

namespace {

double shownRotation(const Layer &layer)
{
    return std::get<double>(*layer.presentationValue(QStringLiteral("transform.rotation.z")));
}

} // namespace

class LoadingViewTest : public QObject {
    Q_OBJECT

private slots:
    void ringsAreInsetAndTheArcIsAFifth()
    {
        LoadingView view(Rect(0, 0, 20, 20));
        QVERIFY(view.isHidden());
        QVERIFY(!view.isActive());
        QCOMPARE(*view.progressLayer()->path(), Path::ellipse(Rect(1.5, 1.5, 17, 17)));
        QCOMPARE(*view.trackLayer()->path(), Path::ellipse(Rect(1.5, 1.5, 17, 17)));
        QCOMPARE(view.progressLayer()->strokeStart(), 0.0);
        QCOMPARE(view.progressLayer()->strokeEnd(), 0.2);
        QCOMPARE(view.progressLayer()->lineCap(), LineCap::round);
        QCOMPARE(view.progressLayer()->lineWidth(), 3.0);
        QCOMPARE(view.layer()->sublayers(),
            (std::vector<std::shared_ptr<Layer>> { view.trackLayer(), view.progressLayer() }));
    }

    void spinsClockwiseWithoutEasing()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        LoadingView view(Rect(0, 0, 20, 20));
        view.startAnimating();
        QVERIFY(!view.isHidden());
        QVERIFY(view.isActive());
        QCOMPARE(view.progressLayer()->frame(), Rect(0, 0, 20, 20));
        clock.advance(150ms);
        QVERIFY(std::abs(shownRotation(*view.progressLayer()) + std::numbers::pi / 2) < 1e-6);
        clock.advance(600ms); // one turn later, the same quarter
        QVERIFY(std::abs(shownRotation(*view.progressLayer()) + std::numbers::pi / 2) < 1e-6);
        QVERIFY(view.progressLayer()->hasRunningAnimations());
    }

    void startingTwiceAddsOneRotation()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        LoadingView view(Rect(0, 0, 20, 20));
        view.startAnimating();
        clock.advance(150ms);
        view.startAnimating(); // a second start would restart the turn from 0
        QVERIFY(std::abs(shownRotation(*view.progressLayer()) + std::numbers::pi / 2) < 1e-6);
        QCOMPARE(view.progressLayer()->animationKeys(), QStringList { QStringLiteral("rotation") });
    }

    void stopHidesAndAllowsARestart()
    {
        LoadingView view(Rect(0, 0, 20, 20));
        view.startAnimating();
        view.stopAnimating();
        QVERIFY(view.isHidden());
        QVERIFY(!view.isActive());
        QVERIFY(view.progressLayer()->animationKeys().isEmpty());
        view.startAnimating();
        QVERIFY(!view.isHidden());
        QVERIFY(view.progressLayer()->animation(QStringLiteral("rotation")));
    }

    void aLayoutWhileSpinningKeepsTheIndicatorShown()
    {
        LoadingView view(Rect(0, 0, 20, 20));
        view.startAnimating();
        view.setFrameSize({ 30, 30 });
        view.layoutSubtreeIfNeeded();
        QVERIFY(!view.isHidden());
        QVERIFY(view.progressLayer()->animation(QStringLiteral("rotation")));
        QCOMPARE(*view.trackLayer()->path(), Path::ellipse(Rect(1.5, 1.5, 27, 27)));
    }

    void colourAndWidthChanges()
    {
        LoadingView view(Rect(0, 0, 20, 20));
        view.setAppearance(Appearance::aqua());
        view.layoutSubtreeIfNeeded();
        view.setColor(Color::red());
        QCOMPARE(*view.progressLayer()->strokeColor(), Color::red());
        QVERIFY(*view.trackLayer()->strokeColor() != Color::red().withAlphaComponent(0.1));
        view.setWidth(5);
        QCOMPARE(view.progressLayer()->lineWidth(), 3.0);

        view.layout();
        QCOMPARE(*view.trackLayer()->strokeColor(), Color::red().withAlphaComponent(0.1));
        QCOMPARE(view.progressLayer()->lineWidth(), 5.0);
        QCOMPARE(view.trackLayer()->lineWidth(), 5.0);
    }
};

QTEST_MAIN(LoadingViewTest)
#include "loadingview_test.moc"
