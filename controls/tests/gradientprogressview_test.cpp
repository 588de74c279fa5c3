#include "controlstestsupport.h"
#include "pirrow/colors.h"
#include "pirrow/gradientprogressview.h"

#include <platform/ui/systemappearance.h>

#include <QTest>

#include <cmath>
#include <limits>

using namespace platform::ui;
using pirrow::Colors;
using pirrow::GradientProgressView;
using pirrowtest::near;
using pirrowtest::pixelFromBottom;

namespace {

Path line(Point from, Point to)
{
    Path p;
    p.moveTo(from);
    p.lineTo(to);
    return p;
}

} // namespace

class GradientProgressViewTest : public QObject {
    Q_OBJECT

private slots:
    void valueIsClampedIntoTheUnitRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("half") << 0.5 << 0.5;
        QTest::newRow("one") << 1.0 << 1.0;
        QTest::newRow("above one") << 1.7 << 1.0;
        QTest::newRow("below zero") << -0.2 << 0.0;
        QTest::newRow("not a number") << std::nan("") << 0.0;
        QTest::newRow("plus infinity") << inf << 1.0;
        QTest::newRow("minus infinity") << -inf << 0.0;
    }

    void valueIsClampedIntoTheUnitRange()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.setValue(value);
        QCOMPARE(bar.value(), expected);
        QCOMPARE(bar.progressLayer()->strokeEnd(), expected);
    }

    void layersCarryTheBarsGeometry_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("strokeEnd");
        for (const auto &[name, appearance] :
            { std::pair { "light", Appearance::aqua() }, std::pair { "dark", Appearance::darkAqua() } }) {
            QTest::addRow("%s, empty", name) << appearance << 0.0 << 0.0;
            QTest::addRow("%s, half", name) << appearance << 0.5 << 0.5;
            QTest::addRow("%s, full", name) << appearance << 1.0 << 1.0;
            QTest::addRow("%s, above full", name) << appearance << 1.3 << 1.0;
        }
    }

    void layersCarryTheBarsGeometry()
    {
        QFETCH(Appearance, appearance);
        QFETCH(double, value);
        QFETCH(double, strokeEnd);
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.setAppearance(appearance);
        bar.setValue(value);
        bar.layoutSubtreeIfNeeded();

        const auto root = bar.layer();
        QVERIFY(root);
        QVERIFY(root->masksToBounds());
        QCOMPARE(root->cornerRadius(), 5.0);
        QCOMPARE(root->sublayers().size(), size_t(2));
        QCOMPARE(root->sublayers()[0], std::static_pointer_cast<Layer>(bar.bgLayer()));
        QCOMPARE(root->sublayers()[1], std::static_pointer_cast<Layer>(bar.gradientLayer()));

        const auto track = bar.bgLayer();
        QCOMPARE(track->frame(), Rect(0, 0, 100, 10));
        QVERIFY(!track->fillColor());
        QCOMPARE(*track->strokeColor(), Color::tertiaryLabel().resolved(appearance));
        QCOMPARE(track->lineWidth(), 10.0);
        QCOMPARE(track->path()->boundingBox(), Rect(0, 0, 100, 10));

        // The filled share is a round-capped line through the middle, inset by half the height.
        const auto fill = bar.progressLayer();
        QCOMPARE(bar.gradientLayer()->mask(), std::static_pointer_cast<Layer>(fill));
        QCOMPARE(*fill->path(), line({ 5, 5 }, { 95, 5 }));
        QCOMPARE(fill->lineWidth(), 10.0);
        QCOMPARE(fill->lineCap(), LineCap::round);
        QCOMPARE(fill->strokeStart(), 0.0);
        QCOMPARE(fill->strokeEnd(), strokeEnd);

        const auto gradient = bar.gradientLayer();
        QCOMPARE(gradient->frame(), Rect(0, 0, 100, 10));
        QCOMPARE(gradient->startPoint(), (Point { 0, 0.5 }));
        QCOMPARE(gradient->endPoint(), (Point { 1, 0.5 }));
        QCOMPARE(gradient->colors(), (std::vector<Color> { Colors::teal(), Colors::cyan() }));
    }

    void halfAValueFillsTheLeftHalf()
    {
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.setAppearance(Appearance::aqua());
        bar.setColors({ Color::red(), Color::red() });
        bar.setValue(0.5);
        const QImage image = bar.renderToImage();
        // The fill ends at x = 50 plus its round cap (5); the track shows beyond.
        QVERIFY(near(pixelFromBottom(image, 30, 5), Qt::red));
        QVERIFY(!near(pixelFromBottom(image, 70, 5), Qt::red, 60));
        QVERIFY(pixelFromBottom(image, 70, 5).alpha() > 0);
    }

    void aBarMadeAtZeroSizeDrawsAtItsLaidOutSize()
    {
        GradientProgressView bar;
        bar.setColors({ Color::red(), Color::red() });
        bar.setValue(1);
        bar.setFrame(Rect(0, 0, 200, 12));
        bar.layoutSubtreeIfNeeded();

        QCOMPARE(bar.layer()->cornerRadius(), 6.0);
        QCOMPARE(bar.bgLayer()->lineWidth(), 12.0);
        QCOMPARE(bar.progressLayer()->lineWidth(), 12.0);
        QCOMPARE(*bar.progressLayer()->path(), line({ 6, 6 }, { 194, 6 }));
        const QImage image = bar.renderToImage();
        for (const int x : { 10, 100, 190 })
            for (const int y : { 3, 6, 9 })
                QVERIFY2(
                    near(pixelFromBottom(image, x, y), Qt::red), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    void aResizeKeepsTheShareAndRecomputesTheLine()
    {
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.setValue(0.25);
        bar.layoutSubtreeIfNeeded();
        bar.setFrameSize({ 300, 20 });
        bar.layoutSubtreeIfNeeded();
        QCOMPARE(bar.value(), 0.25);
        QCOMPARE(bar.progressLayer()->strokeEnd(), 0.25);
        QCOMPARE(*bar.progressLayer()->path(), line({ 10, 10 }, { 290, 10 }));
        QCOMPARE(bar.layer()->cornerRadius(), 10.0);
    }

    void aValueChangeShowsAtOnce()
    {
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.renderToImage(); // shown once: later changes could animate
        bar.setValue(0.8);
        QVERIFY(bar.progressLayer()->animationKeys().isEmpty());
        QCOMPARE(std::get<double>(*bar.progressLayer()->presentationValue(QStringLiteral("strokeEnd"))), 0.8);
    }

    void newColorsShowWithoutALayoutPass()
    {
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.layoutSubtreeIfNeeded();
        const std::vector<Color> three { Color::red(), Color::green(), Color::blue() };
        bar.setColors(three);
        QVERIFY(!bar.needsLayout());
        QCOMPARE(bar.gradientLayer()->colors(), three);
    }

    void anAppearanceChangeResolvesTheTrackAgain()
    {
        GradientProgressView bar(Rect(0, 0, 100, 10));
        bar.setAppearance(Appearance::aqua());
        bar.layoutSubtreeIfNeeded();
        const Color light = *bar.bgLayer()->strokeColor();
        bar.setAppearance(Appearance::darkAqua());
        const Color dark = *bar.bgLayer()->strokeColor();
        QCOMPARE(light, Color::tertiaryLabel().resolved(Appearance::aqua()));
        QCOMPARE(dark, Color::tertiaryLabel().resolved(Appearance::darkAqua()));
        QVERIFY(light != dark);
    }
};

QTEST_MAIN(GradientProgressViewTest)
#include "gradientprogressview_test.moc"
