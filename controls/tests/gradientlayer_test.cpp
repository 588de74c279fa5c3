#include "controlstestsupport.h"
#include "pirrow/gradientlayer.h"

#include <QTest>

using namespace platform::ui;
using pirrowtest::near;
using pirrowtest::pixelFromBottom;

namespace {

Path square(double x, double y, double side) { return Path::rect(Rect(x, y, side, side)); }

} // namespace

class GradientLayerTest : public QObject {
    Q_OBJECT

private slots:
    void creationKeepsColoursAndAttachesNothing_data()
    {
        QTest::addColumn<QList<Color>>("given");
        QTest::addColumn<QList<Color>>("stored");
        QTest::newRow("one colour becomes two stops")
            << QList<Color> { Color::red() } << QList<Color> { Color::red(), Color::red() };
        QTest::newRow("empty stays empty") << QList<Color> {} << QList<Color> {};
        QTest::newRow("three stay three") << QList<Color> { Color::red(), Color::green(), Color::blue() }
                                          << QList<Color> { Color::red(), Color::green(), Color::blue() };
    }

    void creationKeepsColoursAndAttachesNothing()
    {
        QFETCH(QList<Color>, given);
        QFETCH(QList<Color>, stored);
        auto parent = Layer::create();
        pirrow::GradientLayer g(parent, std::vector<Color>(given.begin(), given.end()), Rect(0, 0, 40, 20));
        QCOMPARE(g.colors(), std::vector<Color>(stored.begin(), stored.end()));
        QVERIFY(parent->sublayers().empty());
        g.draw();
        QCOMPARE(parent->sublayers().size(), size_t(1));
        QCOMPARE(g.gradientLayer()->colors(), std::vector<Color>(stored.begin(), stored.end()));
    }

    void everySetterAppliesBothLayers()
    {
        auto parent = Layer::create();
        pirrow::GradientLayer g(parent, { Color::red(), Color::blue() }, Rect(10, 20, 40, 30));
        g.setPath(square(0, 0, 5));
        const auto &mask = g.maskingLayer();
        const auto &gradient = g.gradientLayer();
        QCOMPARE(gradient->superlayer(), parent.get());
        QCOMPARE(gradient->mask(), std::static_pointer_cast<Layer>(mask));
        QCOMPARE(mask->frame(), Rect(10, 20, 40, 30));
        QCOMPARE(gradient->frame(), Rect(10, 20, 40, 30));
        QCOMPARE(mask->path(), std::optional<Path>(square(0, 0, 5)));
        QCOMPARE(mask->fillColor(), std::optional<Color>(Color::black()));
        QCOMPARE(mask->strokeColor(), std::optional<Color>(Color::black()));
        QCOMPARE(mask->lineJoin(), LineJoin::bevel);
        QCOMPARE(gradient->startPoint(), Point(0, 0.5));
        QCOMPARE(gradient->endPoint(), Point(1, 0.5));

        g.setLineWidth(3);
        g.setFillColor(std::nullopt);
        g.setLineDashPattern(std::vector<double> { 3, 3 });
        g.setLineDashPhase(2);
        g.setStartPoint({ 0.5, 0 });
        QCOMPARE(mask->lineWidth(), 3.0);
        QCOMPARE(mask->fillColor(), std::optional<Color>());
        QCOMPARE(mask->lineDashPattern(), (std::vector<double> { 3, 3 }));
        QCOMPARE(mask->lineDashPhase(), 2.0);
        QCOMPARE(gradient->startPoint(), Point(0.5, 0));

        g.setLineDashPattern(std::nullopt);
        QVERIFY(mask->lineDashPattern().empty());
    }

    void withoutParentNothingIsAttached()
    {
        pirrow::GradientLayer g(nullptr, { Color::red() }, Rect(0, 0, 10, 10));
        g.setPath(square(0, 0, 4));
        QCOMPARE(g.gradientLayer()->superlayer(), nullptr);
        QCOMPARE(g.maskingLayer()->path(), std::optional<Path>(square(0, 0, 4)));
    }

    void theOneUpdatedLastLiesOnTop()
    {
        auto parent = Layer::create();
        pirrow::GradientLayer first(parent, { Color::red() }, Rect(0, 0, 10, 10));
        pirrow::GradientLayer second(parent, { Color::blue() }, Rect(0, 0, 10, 10));
        first.draw();
        second.draw();
        QCOMPARE(parent->sublayers().back(), std::static_pointer_cast<Layer>(second.gradientLayer()));
        first.setLineWidth(1);
        QCOMPARE(parent->sublayers().size(), size_t(2));
        QCOMPARE(parent->sublayers().back(), std::static_pointer_cast<Layer>(first.gradientLayer()));
        first.removeFromSuperlayer();
        QCOMPARE(parent->sublayers().size(), size_t(1));
    }

    void theGradientShowsOnlyThroughTheMask()
    {
        View view(Rect(0, 0, 40, 40));
        view.setWantsLayer(true);
        pirrow::GradientLayer g(view.layer(), { Color::red() }, Rect(0, 0, 40, 40));
        g.setPath(square(0, 0, 20));
        const QImage image = view.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 8, 8), Qt::red));
        QCOMPARE(pixelFromBottom(image, 30, 30).alpha(), 0);
    }
};

QTEST_MAIN(GradientLayerTest)
#include "gradientlayer_test.moc"
