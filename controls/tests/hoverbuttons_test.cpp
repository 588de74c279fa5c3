#include "pirrow/colors.h"
#include "pirrow/hoverbutton.h"
#include "pirrow/togglebutton.h"
#include "pirrow/toolbarbutton.h"

#include <platform/ui/font.h>
#include <tavrin/images.h>

#include <QIcon>

#include <QTest>

using namespace platform::ui;
using namespace pirrow;

namespace {

MouseEvent at(Point p)
{
    MouseEvent e;
    e.location = p;
    return e;
}

struct Recorder : ToggleButtonDelegate, HoverButtonDelegate, ToolbarButtonDelegate {
    int toggles = 0;
    int hovers = 0;
    int toolbars = 0;
    void toggleButtonClicked(ToggleButton &) override { ++toggles; }
    void hoverButtonClicked(HoverButton &) override { ++hovers; }
    void toolbarButtonClicked(ToolbarButton &) override { ++toolbars; }
};

Image square() { return Image::withDrawing({ 10, 10 }, [](GraphicsContext &, const Rect &) { }); }

} // namespace

class HoverButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void toggleBackgroundByState_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("isOn");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<bool>("always");
        QTest::addColumn<QString>("fill");
        QTest::newRow("plain") << true << false << false << false << "none";
        QTest::newRow("hovered") << true << false << true << false << "hover";
        QTest::newRow("always shown") << true << false << false << true << "hover";
        QTest::newRow("on") << true << true << false << false << "on";
        QTest::newRow("on and always shown") << true << true << false << true << "on";
        QTest::newRow("disabled and on") << false << true << false << false << "lightGray";
        QTest::newRow("disabled plain") << false << false << false << false << "lightGray";
    }

    void toggleBackgroundByState()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, isOn);
        QFETCH(bool, hover);
        QFETCH(bool, always);
        QFETCH(QString, fill);
        ToggleButton button(Rect(0, 0, 120, 30));
        button.setAppearance(Appearance::aqua());
        button.setOnColor(Color::red());
        button.setEnabled(enabled);
        button.setOn(isOn);
        button.setAlwaysShowBackground(always);
        if (hover)
            button.mouseEntered(at({ 5, 5 }));
        const std::optional<Color> shown = button.backgroundLayer()->fillColor();
        if (fill == "none")
            QVERIFY(!shown);
        else if (fill == "hover")
            QCOMPARE(*shown, Color::fromRGB255(242, 242, 242));
        else if (fill == "on")
            QCOMPARE(*shown, Color::red());
        else
            QCOMPARE(*shown, Color::lightGray());
        QCOMPARE(*button.backgroundLayer()->path(), Path::roundedRect(Rect(0, 0, 120, 30), 6, 6));
        QCOMPARE(button.layer()->cornerRadius(), 6.0);
    }

    void toggleTitleColour_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<bool>("always");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<bool>("isOn");
        QTest::addColumn<Color>("expected");
        const Appearance dark = Appearance::darkAqua();
        const Appearance light = Appearance::aqua();
        QTest::newRow("dark, always, hovered") << dark << true << true << false << Color::systemTeal().resolved(dark);
        QTest::newRow("light, always, hovered")
            << light << true << true << false << Color::systemBlue().resolved(light);
        QTest::newRow("light, always, not hovered") << light << true << false << false << Color::label().resolved(light);
        QTest::newRow("dark, hovered only") << dark << false << true << false << Color::label().resolved(dark);
        QTest::newRow("dark, on") << dark << true << false << true << Color::systemBlue().resolved(dark);
    }

    void toggleTitleColour()
    {
        QFETCH(Appearance, appearance);
        QFETCH(bool, always);
        QFETCH(bool, hover);
        QFETCH(bool, isOn);
        QFETCH(Color, expected);
        ToggleButton button(Rect(0, 0, 120, 30));
        button.setTitle(QStringLiteral("Toggle"));
        button.setAppearance(appearance);
        button.setOn(isOn);
        button.setAlwaysShowBackground(always);
        if (hover)
            button.mouseEntered(at({ 5, 5 }));
        QCOMPARE(*button.textLayer()->foregroundColor(), expected);
        QCOMPARE(button.textLayer()->string(), QStringLiteral("Toggle"));
        // Centred in the bounds at its measured size.
        const Rect text = button.textLayer()->frame();
        QVERIFY(text.width() > 0);
        QVERIFY(std::abs(text.midX() - 60) < 1e-6);
        QVERIFY(std::abs(text.midY() - 15) < 1e-6);
    }

    void toggleIconNeedsAnImageAndASize_data()
    {
        QTest::addColumn<bool>("withIcon");
        QTest::addColumn<Size>("size");
        QTest::addColumn<bool>("shown");
        QTest::newRow("icon, no size") << true << Size { 0, 0 } << false;
        QTest::newRow("size, no icon") << false << Size { 16, 16 } << false;
        QTest::newRow("zero height") << true << Size { 16, 0 } << false;
        QTest::newRow("both") << true << Size { 16, 12 } << true;
    }

    void toggleIconNeedsAnImageAndASize()
    {
        QFETCH(bool, withIcon);
        QFETCH(Size, size);
        QFETCH(bool, shown);
        ToggleButton button(Rect(0, 0, 120, 30));
        button.setIconSize(size);
        button.setIcon(withIcon ? std::optional<Image>(square()) : std::nullopt);
        QCOMPARE(button.imageLayer()->superlayer() != nullptr, shown);
        if (shown) {
            QCOMPARE(button.imageLayer()->frame(), Rect(4, 9, 16, 12));
            QCOMPARE(button.imageLayer()->contents()->size(), size);
            QCOMPARE(button.layer()->sublayers().back(), button.imageLayer());
        }
    }

    void toggleClicks_data()
    {
        QTest::addColumn<bool>("ignore");
        QTest::addColumn<int>("clicks");
        QTest::newRow("taken") << false << 1;
        QTest::newRow("ignored") << true << 0;
    }

    void toggleClicks()
    {
        QFETCH(bool, ignore);
        QFETCH(int, clicks);
        ToggleButton button(Rect(0, 0, 120, 30));
        auto recorder = std::make_shared<Recorder>();
        button.setDelegate(recorder);
        int actions = 0;
        button.setAction([&] { ++actions; });
        button.setIgnoreClick(ignore);
        button.mouseDown(at({ 10, 10 }));
        QCOMPARE(button.isHighlighted(), !ignore);
        button.mouseUp(at({ 10, 10 }));
        QCOMPARE(actions, clicks);
        QCOMPARE(recorder->toggles, clicks);
        QVERIFY(!button.isOn()); // whoever handles the click switches it
    }

    void aGoneDelegateIsSkipped()
    {
        ToggleButton button(Rect(0, 0, 120, 30));
        int actions = 0;
        button.setAction([&] { ++actions; });
        {
            auto recorder = std::make_shared<Recorder>();
            button.setDelegate(recorder);
        }
        button.mouseDown(at({ 10, 10 }));
        button.mouseUp(at({ 10, 10 }));
        QCOMPARE(actions, 1);
    }

    void settingOnDropsTheHoverLook()
    {
        ToggleButton button(Rect(0, 0, 120, 30));
        button.setAppearance(Appearance::aqua());
        button.mouseEntered(at({ 5, 5 }));
        QVERIFY(button.isHovered());
        button.setOn(false);
        QVERIFY(!button.isHovered());
        QVERIFY(!button.backgroundLayer()->fillColor());
        button.mouseExited(at({ 500, 5 }));
        button.mouseEntered(at({ 5, 5 }));
        QVERIFY(button.backgroundLayer()->fillColor());
    }

    void layoutReplacesTheTrackingArea()
    {
        ToggleButton button(Rect(0, 0, 120, 30));
        const auto first = button.trackingArea();
        QCOMPARE(first->options(), 0x81u);
        button.setFrameSize({ 200, 40 });
        button.layoutSubtreeIfNeeded();
        QVERIFY(button.trackingArea() != first);
        QCOMPARE(button.trackingAreas().size(), size_t(1));
        QCOMPARE(button.trackingArea()->rect(), Rect(0, 0, 200, 40));
    }

    void hoverButtonBackground_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<Color>("expected");
        QTest::newRow("light") << Appearance::aqua() << true << Color::fromRGB255(242, 242, 242);
        QTest::newRow("dark") << Appearance::darkAqua() << true << Color::fromRGB255(41, 41, 41);
        QTest::newRow("disabled") << Appearance::aqua() << false << Color::lightGray();
    }

    void hoverButtonBackground()
    {
        QFETCH(Appearance, appearance);
        QFETCH(bool, enabled);
        QFETCH(Color, expected);
        HoverButton button(Rect(0, 0, 80, 30));
        button.setAppearance(appearance);
        button.setEnabled(enabled);
        // Changing only the enabled state draws nothing new by itself.
        QVERIFY(!button.backgroundLayer()->fillColor());
        button.setAlwaysShowBackground(true);
        QCOMPARE(*button.backgroundLayer()->fillColor(), expected);
    }

    void hoverButtonLayersAndClick()
    {
        HoverButton button(Rect(0, 0, 80, 30));
        button.setTitle(QStringLiteral("Go"));
        button.setTextColor(Color::red());
        auto recorder = std::make_shared<Recorder>();
        button.setDelegate(recorder);
        QCOMPARE(*button.textLayer()->foregroundColor(), Color::red());
        // The image layer is there even without an image, on top.
        QCOMPARE(button.layer()->sublayers(), (std::vector<std::shared_ptr<Layer>> { button.backgroundLayer(),
                                                  button.textLayer(), button.imageLayer() }));
        QVERIFY(!button.imageLayer()->contents());
        button.mouseEntered(at({ 5, 5 }));
        QVERIFY(button.backgroundLayer()->fillColor());
        button.mouseDown(at({ 5, 5 }));
        QCOMPARE(recorder->hovers, 1);
    }

    void toolbarHoverOnlyWhileEnabled()
    {
        ToolbarButton button(Rect(0, 0, 30, 30));
        button.setCustomColor(Color::red());
        button.mouseEntered(at({ 5, 5 }));
        QCOMPARE(*button.backgroundLayer()->fillColor(), Color::red().withAlphaComponent(0.22));
        button.setEnabled(false);
        button.mouseExited(at({ 50, 5 })); // ignored: the hover it had stays
        QVERIFY(button.isHovered());
        button.resetHover();
        button.mouseEntered(at({ 5, 5 }));
        QVERIFY(!button.isHovered());
        QVERIFY(!button.backgroundLayer()->fillColor());
        button.setSelected(true);
        QCOMPARE(*button.backgroundLayer()->fillColor(), Color::red().withAlphaComponent(0.22));
    }

    void toolbarImage()
    {
        ToolbarButton button(Rect(0, 0, 30, 30));
        button.setAppearance(Appearance::aqua());
        button.setCustomImage(Image()); // blank: nothing to configure
        QVERIFY(!button.imageLayer()->contents());
        QCOMPARE(button.layer()->sublayers().size(), size_t(2));

        Image symbol = square();
        button.setCustomImage(symbol);
        QVERIFY(symbol.isTemplate());
        const auto contents = button.imageLayer()->contents();
        QVERIFY(contents);
        QVERIFY(!contents->isTemplate()); // tinted
        QVERIFY(std::abs(contents->size().width - 10 * 14.0 / 13) < 1e-9);
        QCOMPARE(button.imageLayer()->contentsGravity(), ContentsGravity::center);
        button.setPointSize(26);
        QVERIFY(std::abs(button.imageLayer()->contents()->size().width - 20) < 1e-9);
    }

    void toolbarIconFollowsTheWeight()
    {
        const auto ink = [](const Image &image) {
            const QImage bitmap = image.bitmap(2);
            double sum = 0;
            for (int y = 0; y < bitmap.height(); ++y)
                for (int x = 0; x < bitmap.width(); ++x)
                    sum += bitmap.pixelColor(x, y).alphaF();
            return sum;
        };
        const auto drawnAt = [](double weight) {
            ToolbarButton button(Rect(0, 0, 30, 30));
            button.setCustomColor(Color::black());
            button.setCustomImage(tavrin::Images::symbol(QStringLiteral("keyboard")));
            button.setIconWeight(weight);
            return *button.imageLayer()->contents();
        };
        const QString theme = QIcon::themeName();
        QIcon::setThemeName(QString()); // our own drawings
        const Image light = drawnAt(FontWeight::light);
        const Image bold = drawnAt(FontWeight::bold);
        const Image heavy = drawnAt(FontWeight::heavy);
        // Same size, heavier strokes.
        QCOMPARE(bold.size(), light.size());
        QVERIFY(ink(light) < ink(bold));
        QVERIFY(ink(bold) < ink(heavy));

        // A theme icon has one weight: at another weight our own drawing is taken even with a theme.
        QIcon::setThemeName(QStringLiteral("Adwaita"));
        const Image boldWithTheme = drawnAt(FontWeight::bold);
        QIcon::setThemeName(theme);
        QCOMPARE(boldWithTheme.bitmap(2), bold.bitmap(2));
    }

    void toolbarForgetsHoverWhenMoved()
    {
        View host(Rect(0, 0, 100, 100));
        auto *button = new ToolbarButton(Rect(0, 0, 30, 30));
        button->mouseEntered(at({ 5, 5 }));
        QVERIFY(button->isHovered());
        host.addSubview(button);
        QVERIFY(!button->isHovered());
    }
};

QTEST_MAIN(HoverButtonsTest)
#include "hoverbuttons_test.moc"
