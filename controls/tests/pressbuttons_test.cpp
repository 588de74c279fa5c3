#include "pirrow/hierarchicalbutton.h"
#include "pirrow/roundbutton.h"

#include <platform/core/clock.h>

#include <QTest>

using namespace platform::ui;
using namespace pirrow;
using namespace std::chrono_literals;

namespace {

MouseEvent at(Point p)
{
    MouseEvent e;
    e.location = p;
    return e;
}

Image square() { return Image::withDrawing({ 10, 10 }, [](GraphicsContext &, const Rect &) { }); }

double shownScale(const View &view)
{
    return std::get<AffineTransform>(*view.layer()->presentationValue(QStringLiteral("transform"))).a();
}

} // namespace

class PressButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void roundButtonLayers()
    {
        RoundButton button(Rect(0, 0, 100, 30));
        button.setTitle(QStringLiteral("OK"));
        button.setColor(Color::red());
        button.setEnabled(false); // no disabled look
        button.layout();
        QCOMPARE(button.layer()->cornerRadius(), 4.0);
        QCOMPARE(*button.backgroundLayer()->fillColor(), Color::red());
        QVERIFY(!button.backgroundLayer()->strokeColor());
        QCOMPARE(*button.backgroundLayer()->path(), Path::roundedRect(Rect(0, 0, 100, 30), 4, 4));
        QCOMPARE(*button.textLayer()->foregroundColor(), Color::white());
        QCOMPARE(button.layer()->sublayers(), (std::vector<std::shared_ptr<Layer>> { button.backgroundLayer(),
                                                  button.textLayer(), button.imageLayer() }));
        const Image image = square();
        button.setCustomImage(image);
        QCOMPARE(*button.imageLayer()->contents(), image);
        QCOMPARE(button.imageLayer()->frame(), Rect(0, 0, 100, 30));
    }

    void pressShrinksAndReleaseRestores_data()
    {
        QTest::addColumn<bool>("round");
        QTest::newRow("round button") << true;
        QTest::newRow("hierarchical button") << false;
    }

    void pressShrinksAndReleaseRestores()
    {
        QFETCH(bool, round);
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        std::unique_ptr<Button> button;
        if (round)
            button = std::make_unique<RoundButton>(Rect(0, 0, 100, 30));
        else
            button = std::make_unique<HierarchicalButton>(Rect(0, 0, 100, 30));
        int actions = 0;
        button->setAction([&] { ++actions; });
        button->mouseDown(at({ 10, 10 }));
        QCOMPARE(button->layer()->anchorPoint(), (Point { 0.5, 0.5 }));
        QCOMPARE(shownScale(*button), 1.0);
        clock.advance(100ms);
        QVERIFY(shownScale(*button) < 1 && shownScale(*button) > 0.95);
        clock.advance(200ms);
        QCOMPARE(shownScale(*button), 0.95);
        QCOMPARE(actions, 0);
        button->mouseUp(at({ 10, 10 }));
        QCOMPARE(actions, 1);
        clock.advance(300ms);
        QCOMPARE(shownScale(*button), 1.0);
    }

    void aDisabledButtonIgnoresThePress_data()
    {
        QTest::addColumn<bool>("round");
        QTest::newRow("round button") << true;
        QTest::newRow("hierarchical button") << false;
    }

    void aDisabledButtonIgnoresThePress()
    {
        QFETCH(bool, round);
        std::unique_ptr<Button> button;
        if (round)
            button = std::make_unique<RoundButton>(Rect(0, 0, 100, 30));
        else
            button = std::make_unique<HierarchicalButton>(Rect(0, 0, 100, 30));
        int actions = 0;
        button->setAction([&] { ++actions; });
        button->setEnabled(false);
        button->mouseDown(at({ 10, 10 }));
        button->mouseUp(at({ 10, 10 }));
        QCOMPARE(actions, 0);
        QCOMPARE(button->layer()->transform(), AffineTransform());
        QVERIFY(!button->layer()->animation(QStringLiteral("press")));
    }

    void hierarchicalCornerRadius_data()
    {
        QTest::addColumn<bool>("isRound");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("radius");
        QTest::newRow("round, 30 high") << true << 30.0 << 15.0;
        QTest::newRow("round, 20 high") << true << 20.0 << 10.0;
        QTest::newRow("square, 30 high") << false << 30.0 << 4.0;
        QTest::newRow("square, 60 high") << false << 60.0 << 4.0;
    }

    void hierarchicalCornerRadius()
    {
        QFETCH(bool, isRound);
        QFETCH(double, height);
        QFETCH(double, radius);
        HierarchicalButton button(Rect(0, 0, 100, height));
        button.setRound(isRound);
        QCOMPARE(button.layer()->cornerRadius(), radius);
    }

    void hierarchicalShowsTheTitleBeforeTheImage()
    {
        HierarchicalButton button(Rect(0, 0, 100, 30));
        button.setColor(Color::red());
        button.setImage(square());
        QVERIFY(button.imageLayer()->superlayer());
        QCOMPARE(button.imageLayer()->contents()->size(), (Size { 16, 16 }));
        QVERIFY(button.image()->isTemplate());

        button.setTitle(QStringLiteral("More"));
        button.layout();
        QVERIFY(!button.imageLayer()->superlayer());
        QVERIFY(button.textLayer()->superlayer());
        QCOMPARE(*button.textLayer()->foregroundColor(), Color::red());
        QCOMPARE(*button.layer()->backgroundColor(), Color::red().withAlphaComponent(0.22));
    }

    void hierarchicalWithoutTitleOrImageShowsOnlyItsBackground()
    {
        HierarchicalButton button(Rect(0, 0, 100, 30));
        QVERIFY(button.layer()->sublayers().empty());
        QVERIFY(button.layer()->backgroundColor());
    }

    void paddingsGrowTheNaturalSizeOnce()
    {
        HierarchicalButton button(Rect(0, 0, 100, 30));
        button.setTitle(QStringLiteral("Padded"));
        const Size plain = button.intrinsicContentSize();
        button.setHorizontalPadding(10);
        button.setVerticalPadding(4);
        const Size padded = button.intrinsicContentSize();
        QCOMPARE(padded.width, plain.width + 10);
        QCOMPARE(padded.height, plain.height + 4);
        QCOMPARE(button.frame().size, (Size { 100, 30 }));
    }
};

QTEST_MAIN(PressButtonsTest)
#include "pressbuttons_test.moc"
