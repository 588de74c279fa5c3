#include "controlstestsupport.h"
#include "pirrow/colorbutton.h"
#include "pirrow/colors.h"
#include "pirrow/gradientbutton.h"

#include <platform/core/clock.h>
#include <platform/ui/recordingcontext.h>

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

double shownScale(const View &view)
{
    return std::get<AffineTransform>(*view.layer()->presentationValue(QStringLiteral("transform"))).a();
}

} // namespace

class ColorButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void colorButtonLooks_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("fill");
        QTest::addColumn<std::optional<Color>>("textColor");
        QTest::addColumn<Color>("stroke");
        QTest::addColumn<std::optional<Color>>("fillColor");
        QTest::addColumn<Color>("title");
        const Color accent = Color::controlAccent().resolved(Appearance::aqua());
        QTest::newRow("outline") << true << false << std::optional<Color>() << accent << std::optional<Color>()
                                 << accent;
        QTest::newRow("filled, white title") << true << true << std::optional<Color>(Color::white()) << accent
                                             << std::optional<Color>(accent) << Color::white();
        QTest::newRow("disabled outline")
            << false << false << std::optional<Color>(Color::white()) << Color::lightGray()
            << std::optional<Color>(Color::lightGray()) << Color::darkGray();
    }

    void colorButtonLooks()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, fill);
        QFETCH(std::optional<Color>, textColor);
        QFETCH(Color, stroke);
        QFETCH(std::optional<Color>, fillColor);
        QFETCH(Color, title);
        ColorButton button(Rect(0, 0, 120, 32));
        button.setAppearance(Appearance::aqua());
        button.setTitle(QStringLiteral("Continue"));
        button.setFill(fill);
        button.setTextColor(textColor);
        button.setEnabled(enabled);
        QCOMPARE(*button.backgroundLayer()->strokeColor(), stroke);
        QCOMPARE(button.backgroundLayer()->fillColor(), fillColor);
        QCOMPARE(*button.textLayer()->foregroundColor(), title);
        QCOMPARE(button.backgroundLayer()->lineWidth(), 4.0);
        QCOMPARE(button.layer()->cornerRadius(), 8.0);
        QCOMPARE(*button.backgroundLayer()->path(), Path::roundedRect(Rect(0, 0, 120, 32), 8, 8));
        QCOMPARE(button.layer()->sublayers(),
            (std::vector<std::shared_ptr<Layer>> { button.backgroundLayer(), button.textLayer() }));
    }

    void cornerRadiusRoundsTheViewFirst()
    {
        ColorButton button(Rect(0, 0, 120, 32));
        button.setCornerRadius(4);
        QCOMPARE(button.layer()->cornerRadius(), 4.0);
        QCOMPARE(*button.backgroundLayer()->path(), Path::roundedRect(Rect(0, 0, 120, 32), 8, 8));
        button.layout();
        QCOMPARE(*button.backgroundLayer()->path(), Path::roundedRect(Rect(0, 0, 120, 32), 4, 4));
    }

    void gradientButtonLooks()
    {
        GradientButton button(Rect(0, 0, 120, 32));
        button.setTitle(QStringLiteral("Start"));
        QCOMPARE(button.layer()->cornerRadius(), 16.0);
        QCOMPARE(button.gradientLayer()->colors(), (std::vector<Color> { Colors::teal(), Colors::cyan() }));
        QCOMPARE(button.gradientLayer()->startPoint(), (Point { 0, 0.5 }));
        QCOMPARE(button.gradientLayer()->endPoint(), (Point { 1, 0.5 }));
        QCOMPARE(button.gradientLayer()->mask(), std::static_pointer_cast<Layer>(button.maskingLayer()));
        QCOMPARE(*button.textLayer()->foregroundColor(), Color::white());
        const auto colors = button.gradientLayer()->colors();
        button.setEnabled(false);
        QCOMPARE(*button.textLayer()->foregroundColor(), Color::darkGray());
        QCOMPARE(button.gradientLayer()->colors(), colors);

        button.setColors({ Color::red(), Color::blue() });
        button.setEnabled(true);
        const QImage image = button.renderToImage();
        QVERIFY(pirrowtest::pixelFromBottom(image, 12, 16).red() > 200);
        QVERIFY(pirrowtest::pixelFromBottom(image, 108, 16).blue() > 200);
    }

    void noBezelIsEverDrawn()
    {
        ColorButton color(Rect(0, 0, 120, 32));
        GradientButton gradient(Rect(0, 0, 120, 32));
        for (Button *button : std::initializer_list<Button *> { &color, &gradient }) {
            button->setTitle(QStringLiteral("Go"));
            RecordingContext context;
            button->drawRect(context, button->bounds());
            QVERIFY(context.calls().empty());
        }
    }

    void pressShrinksEvenWhenDisabled_data()
    {
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("colour, enabled") << false << true;
        QTest::newRow("colour, disabled") << false << false;
        QTest::newRow("gradient, enabled") << true << true;
        QTest::newRow("gradient, disabled") << true << false;
    }

    void pressShrinksEvenWhenDisabled()
    {
        QFETCH(bool, gradient);
        QFETCH(bool, enabled);
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        std::unique_ptr<Button> button;
        if (gradient)
            button = std::make_unique<GradientButton>(Rect(0, 0, 120, 32));
        else
            button = std::make_unique<ColorButton>(Rect(0, 0, 120, 32));
        int actions = 0;
        button->setAction([&] { ++actions; });
        button->setEnabled(enabled);
        button->mouseDown(at({ 10, 10 }));
        clock.advance(300ms);
        QCOMPARE(shownScale(*button), 0.95);
        button->mouseUp(at({ 10, 10 }));
        clock.advance(300ms);
        QCOMPARE(shownScale(*button), 1.0);
        QCOMPARE(actions, enabled ? 1 : 0);
    }
};

QTEST_MAIN(ColorButtonsTest)
#include "colorbuttons_test.moc"
