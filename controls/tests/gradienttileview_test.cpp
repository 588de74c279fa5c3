#include "controlstestsupport.h"
#include "pirrow/gradienttileview.h"

#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>

#include <QTest>

using namespace platform::ui;
using pirrow::GradientTileView;
using pirrowtest::Host;

namespace {
std::shared_ptr<GradientLayer> gradientOf(const GradientTileView &tile)
{
    const auto &sublayers = tile.layer()->sublayers();
    return sublayers.size() == 1 ? std::dynamic_pointer_cast<GradientLayer>(sublayers.front()) : nullptr;
}
} // namespace

class GradientTileViewTest : public QObject {
    Q_OBJECT

private slots:
    void theGradientRunsDiagonallyThroughARoundedMask()
    {
        GradientTileView tile(Rect(0, 0, 120, 60));
        tile.layoutSubtreeIfNeeded();
        const auto gradient = gradientOf(tile);
        QVERIFY(gradient);
        QCOMPARE(gradient->frame(), Rect(0, 0, 120, 60));
        QCOMPARE(gradient->colors(),
            (std::vector<Color> { Color::fromRGB255(145, 106, 223, 0.5), Color::fromRGB255(210, 103, 130, 0.5) }));
        QCOMPARE(gradient->startPoint(), (Point { 0, 0 }));
        QCOMPARE(gradient->endPoint(), (Point { 1, 1 }));
        const auto mask = std::dynamic_pointer_cast<ShapeLayer>(gradient->mask());
        QVERIFY(mask);
        QCOMPARE(mask->path()->boundingBox(), Rect(0, 0, 120, 60));
        QVERIFY(!mask->path()->contains({ 0.5, 0.5 })); // the corners are rounded off
        QVERIFY(mask->path()->contains({ 60, 30 }));
        QCOMPARE(tile.layer()->cornerRadius(), 8.0);
        QVERIFY(tile.layer()->masksToBounds());
    }

    void settersRebuildTheLayersAtOnce()
    {
        GradientTileView tile(Rect(0, 0, 120, 60));
        tile.layoutSubtreeIfNeeded();
        const auto before = gradientOf(tile);
        tile.setColors({ Color::red(), Color::blue(), Color::green() });
        const auto after = gradientOf(tile);
        QVERIFY(after && after != before);
        QCOMPARE(after->colors(), (std::vector<Color> { Color::red(), Color::blue(), Color::green() }));
        tile.setColors({});
        QVERIFY(gradientOf(tile)->colors().empty());
        tile.setBorderThickness(3);
        tile.setBorderColor(Color::red());
        QCOMPARE(tile.layer()->borderWidth(), 3.0);
        QCOMPARE(tile.layer()->borderColor(), Color::red());
    }

    void theShadowFollowsTheAppearance_data()
    {
        QTest::addColumn<bool>("drawShadow");
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<double>("opacity");
        QTest::addColumn<std::optional<Color>>("color");
        QTest::newRow("light") << true << Appearance::aqua() << 0.15 << std::optional(Color::darkGray());
        QTest::newRow("dark") << true << Appearance::darkAqua() << 0.25 << std::optional(Color::black());
        QTest::newRow("none") << false << Appearance::aqua() << 0.0 << std::optional<Color>();
    }

    void theShadowFollowsTheAppearance()
    {
        QFETCH(bool, drawShadow);
        QFETCH(Appearance, appearance);
        QFETCH(double, opacity);
        QFETCH(std::optional<Color>, color);
        GradientTileView tile(Rect(0, 0, 120, 60));
        tile.setAppearance(appearance);
        tile.setDrawShadow(drawShadow);
        QCOMPARE(tile.layer()->shadowOpacity(), opacity);
        QCOMPARE(tile.layer()->shadowColor(), color);
        QCOMPARE(tile.layer()->shadowRadius(), drawShadow ? 8.0 : 0.0);
    }

    void clicksAreIgnoredWhileInteractionIsDisabled_data()
    {
        QTest::addColumn<bool>("disableInteraction");
        QTest::addColumn<int>("superviewClicks");
        QTest::newRow("enabled") << false << 1;
        QTest::newRow("disabled") << true << 0;
    }

    void clicksAreIgnoredWhileInteractionIsDisabled()
    {
        QFETCH(bool, disableInteraction);
        QFETCH(int, superviewClicks);
        Host host;
        auto *tile = new GradientTileView(Rect(20, 20, 100, 60));
        host.addSubview(tile);
        tile->setDisableInteraction(disableInteraction);
        QVERIFY(host.showAndWait());
        QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(50, 30));
        QCOMPARE(host.mouseDowns, superviewClicks);
    }
};

QTEST_MAIN(GradientTileViewTest)
#include "gradienttileview_test.moc"
