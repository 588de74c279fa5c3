#include "controlstestsupport.h"
#include "pirrow/cardview.h"
#include "pirrow/clipview.h"
#include "pirrow/colors.h"
#include "pirrow/colortheme.h"
#include "pirrow/colorview.h"
#include "pirrow/constants.h"
#include "pirrow/gradientborderview.h"
#include "pirrow/gradients.h"
#include "pirrow/gradientview.h"
#include "pirrow/horizontalline.h"
#include "pirrow/nodividersplitview.h"
#include "pirrow/noninteractiveview.h"
#include "pirrow/roundview.h"
#include "pirrow/shadowview.h"
#include "pirrow/verticalline.h"
#include "pirrow/window.h"
#include "pirrow/windowcontentview.h"

#include <platform/ui/recordingcontext.h>
#include <platform/ui/shapelayer.h>

#include <QTest>
#include <QWindow>

using namespace platform::ui;
using namespace pirrow;
using pirrowtest::Host;

namespace {

std::vector<DrawCall> drawn(View &view, DrawCall::Kind kind)
{
    RecordingContext recorder;
    view.render(recorder);
    return recorder.calls(kind);
}

Path segment(Point from, Point to)
{
    Path p;
    p.moveTo(from);
    p.lineTo(to);
    return p;
}

} // namespace

class DecorativeViewsTest : public QObject {
    Q_OBJECT

private slots:
    void aCardTakesTheWarmBackgroundOfItsAppearance_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<Color>("background");
        QTest::newRow("light") << Appearance::aqua() << Color::fromRGB255(247, 247, 248);
        QTest::newRow("dark") << Appearance::darkAqua() << Color::fromRGB255(66, 56, 53);
    }

    void aCardTakesTheWarmBackgroundOfItsAppearance()
    {
        QFETCH(Appearance, appearance);
        QFETCH(Color, background);
        CardView card(Rect(0, 0, 200, 100));
        card.setAppearance(appearance);
        card.layoutSubtreeIfNeeded();
        QCOMPARE(card.layer()->backgroundColor(), background);
        QCOMPARE(card.layer()->cornerRadius(), 8.0);
        QVERIFY(!card.layer()->masksToBounds());
    }

    void aClipViewRoundsOnlyItsLowerCorners_data()
    {
        QTest::addColumn<double>("radius");
        QTest::addColumn<Point>("point");
        QTest::addColumn<bool>("kept");
        QTest::newRow("radius 8, lower left") << 8.0 << Point { 0.5, 0.5 } << false;
        QTest::newRow("radius 8, lower right") << 8.0 << Point { 99.5, 0.5 } << false;
        QTest::newRow("radius 8, upper left") << 8.0 << Point { 0.5, 49.5 } << true;
        QTest::newRow("radius 8, upper right") << 8.0 << Point { 99.5, 49.5 } << true;
        QTest::newRow("radius 8, middle") << 8.0 << Point { 50, 25 } << true;
        QTest::newRow("radius 0, lower left") << 0.0 << Point { 0.5, 0.5 } << true;
        QTest::newRow("radius 0, lower right") << 0.0 << Point { 99.5, 0.5 } << true;
    }

    void aClipViewRoundsOnlyItsLowerCorners()
    {
        QFETCH(double, radius);
        QFETCH(Point, point);
        QFETCH(bool, kept);
        ClipView clip(Rect(0, 0, 100, 50));
        clip.setRadius(radius);
        const auto mask = std::dynamic_pointer_cast<ShapeLayer>(clip.layer()->mask());
        QVERIFY(mask);
        QCOMPARE(mask->path()->contains(point), kept);
        QCOMPARE(mask->path()->boundingBox(), Rect(0, 0, 100, 50));
    }

    void aClipViewClipsWhatIsInsideIt()
    {
        ClipView clip(Rect(0, 0, 100, 50));
        clip.setRadius(20);
        clip.layer()->setBackgroundColor(Color::red());
        const QImage image = clip.renderToImage();
        QCOMPARE(pirrowtest::pixelFromBottom(image, 2, 2).alpha(), 0);
        QVERIFY(pirrowtest::near(pirrowtest::pixelFromBottom(image, 2, 47), Qt::red));
    }

    void aColorViewIsAPill_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("radius");
        QTest::newRow("20 high") << 20.0 << 10.0;
        QTest::newRow("no height") << 0.0 << 0.0;
    }

    void aColorViewIsAPill()
    {
        QFETCH(double, height);
        QFETCH(double, radius);
        ColorView view(Rect(0, 0, 80, height));
        view.layoutSubtreeIfNeeded();
        QCOMPARE(view.layer()->cornerRadius(), radius);
        QVERIFY(view.layer()->masksToBounds());
        view.setColor(Color::green());
        QCOMPARE(view.layer()->backgroundColor(), Color::green());
    }

    void aGradientViewDrawsItsColoursFromLeftToRight()
    {
        GradientView view(Rect(0, 0, 120, 40));
        QCOMPARE(view.colorTheme(), ColorTheme::custom);
        QCOMPARE(view.colors(), Gradients::orangeToYellow().mColors);
        auto gradients = drawn(view, DrawCall::Kind::linearGradient);
        QCOMPARE(gradients.size(), size_t(1));
        QCOMPARE(gradients[0].gradient.colors, Gradients::orangeToYellow().mColors);
        QCOMPARE(gradients[0].start, (Point { 0, 20 }));
        QCOMPARE(gradients[0].end, (Point { 120, 20 }));

        view.setColorTheme(ColorTheme::custom);
        QCOMPARE(view.colors(), Gradients::magentaToOrangeThird().mColors);
        view.setColors({ Color::red(), Color::blue() });
        gradients = drawn(view, DrawCall::Kind::linearGradient);
        QCOMPARE(gradients[0].gradient.colors, (std::vector<Color> { Color::red(), Color::blue() }));

        view.setColors({ Color::red() });
        QVERIFY(drawn(view, DrawCall::Kind::linearGradient).empty());
    }

    void aGradientViewRoundsItsLayer()
    {
        GradientView view(Rect(0, 0, 120, 40));
        QVERIFY(view.layer()->masksToBounds());
        QCOMPARE(view.layer()->cornerRadius(), 8.0);
        view.setCornerRadius(3);
        QCOMPARE(view.layer()->cornerRadius(), 3.0);
    }

    void aGradientBorderShowsOnlyOnceLayerBacked()
    {
        GradientBorderView border(Rect(0, 0, 100, 60));
        border.layoutSubtreeIfNeeded();
        QVERIFY(!border.layer());
        QVERIFY(!border.gradientLayer()->superlayer());

        border.awakeFromNib();
        border.setCornerRadius(12);
        QCOMPARE(border.layer()->sublayers().size(), size_t(1));
        QCOMPARE(border.layer()->sublayers().front(), std::static_pointer_cast<Layer>(border.gradientLayer()));
        QCOMPARE(border.layer()->cornerRadius(), 12.0);
        QCOMPARE(border.gradientLayer()->colors(), Gradients::tealToCyan().mColors);
        QCOMPARE(border.gradientLayer()->frame(), Rect(0, 0, 100, 60));
        const auto outline = std::dynamic_pointer_cast<ShapeLayer>(border.gradientLayer()->mask());
        QVERIFY(outline);
        QCOMPARE(outline->lineWidth(), 4 * Constants::onePixel());
        QVERIFY(!outline->fillColor());
        QCOMPARE(outline->strokeColor(), Color::black());
        QCOMPARE(outline->path()->boundingBox(), Rect(0, 0, 100, 60));

        border.setLineWidth(6);
        border.setColors({ Color::red(), Color::blue() });
        const auto next = std::dynamic_pointer_cast<ShapeLayer>(border.gradientLayer()->mask());
        QVERIFY(next != outline);
        QCOMPARE(next->lineWidth(), 6.0);
        QCOMPARE(border.gradientLayer()->colors(), (std::vector<Color> { Color::red(), Color::blue() }));
        QCOMPARE(border.layer()->sublayers().size(), size_t(1));
    }

    void linesAreStrokedThroughTheMiddle_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<double>("lineWidth");
        QTest::addColumn<Path>("path");
        QTest::newRow("horizontal, 1 wide in 9") << true << 1.0 << segment({ 0, 4 }, { 50, 4 });
        QTest::newRow("horizontal, 2 wide in 9") << true << 2.0 << segment({ 0, 3.5 }, { 50, 3.5 });
        QTest::newRow("vertical, 1 wide in 9") << false << 1.0 << segment({ 4, 0 }, { 4, 50 });
    }

    void linesAreStrokedThroughTheMiddle()
    {
        QFETCH(bool, horizontal);
        QFETCH(double, lineWidth);
        QFETCH(Path, path);
        std::unique_ptr<View> line;
        if (horizontal) {
            auto *h = new HorizontalLine(Rect(0, 0, 50, 9));
            h->setLineWidth(lineWidth);
            line.reset(h);
        } else {
            auto *v = new VerticalLine(Rect(0, 0, 9, 50));
            v->setLineWidth(lineWidth);
            line.reset(v);
        }
        line->setAppearance(Appearance::darkAqua());
        const auto strokes = drawn(*line, DrawCall::Kind::strokePath);
        QCOMPARE(strokes.size(), size_t(1));
        QCOMPARE(strokes[0].path, path);
        QCOMPARE(strokes[0].stroke.lineWidth, lineWidth);
        QCOMPARE(strokes[0].stroke.color, Color::tertiaryLabel().resolved(Appearance::darkAqua()));
    }

    void aRoundViewHasABorderOnlyWithABorderColour()
    {
        RoundView view(Rect(0, 0, 60, 30));
        view.setAppearance(Appearance::aqua());
        QCOMPARE(view.layer()->backgroundColor(), Color::secondaryLabel().resolved(Appearance::aqua()));
        QCOMPARE(view.layer()->cornerRadius(), 8.0);
        QVERIFY(!view.layer()->borderColor());
        view.setLineWidth(3);
        QVERIFY(!view.layer()->borderColor());
        QCOMPARE(view.layer()->borderWidth(), 3.0);
        view.setLineWidth(0.5);
        view.setBorderColor(Color::systemRed());
        QCOMPARE(view.layer()->borderColor(), Color::systemRed().resolved(Appearance::aqua()));
        QCOMPARE(view.layer()->borderWidth(), 0.5);
        view.setAppearance(Appearance::darkAqua());
        QCOMPARE(view.layer()->borderColor(), Color::systemRed().resolved(Appearance::darkAqua()));
        QCOMPARE(view.layer()->backgroundColor(), Color::secondaryLabel().resolved(Appearance::darkAqua()));
    }

    void aShadowViewTakesItsLooksInASuperview_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<Color>("background");
        QTest::addColumn<Color>("shadow");
        QTest::newRow("light") << Appearance::aqua() << Color::white() << Color::shadow().resolved(Appearance::aqua());
        QTest::newRow("dark") << Appearance::darkAqua() << Color::fromRGB255(28, 27, 29) << Color::white();
    }

    void aShadowViewTakesItsLooksInASuperview()
    {
        QFETCH(Appearance, appearance);
        QFETCH(Color, background);
        QFETCH(Color, shadow);
        View superview(Rect(0, 0, 200, 200));
        superview.setAppearance(appearance);
        auto *panel = new ShadowView(Rect(20, 20, 100, 100));
        QVERIFY(!panel->layer());
        superview.addSubview(panel);
        QVERIFY(panel->layer());
        QCOMPARE(panel->layer()->backgroundColor(), background);
        QCOMPARE(panel->layer()->shadowColor(), shadow);
        QCOMPARE(panel->layer()->shadowOpacity(), double(0.15f));
        QCOMPARE(panel->layer()->shadowRadius(), 20.0);
        QCOMPARE(panel->layer()->shadowOffset(), (Size { 0, 0 }));
        QCOMPARE(panel->layer()->cornerRadius(), 8.0);
    }

    void aShadowViewFollowsAnAppearanceChange()
    {
        View superview(Rect(0, 0, 200, 200));
        superview.setAppearance(Appearance::darkAqua());
        auto *panel = new ShadowView(Rect(20, 20, 100, 100));
        superview.addSubview(panel);
        superview.setAppearance(Appearance::aqua());
        QCOMPARE(panel->layer()->backgroundColor(), Color::white());
        QCOMPARE(panel->layer()->shadowColor(), Color::shadow().resolved(Appearance::aqua()));
    }

    void clicksPassThroughANonInteractiveView()
    {
        Host host;
        auto *behind = new Host(Rect(0, 0, 300, 200));
        host.addSubview(behind);
        auto *cover = new NonInteractiveView(Rect(0, 0, 300, 200));
        host.addSubview(cover);
        QVERIFY(host.showAndWait());
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, QPoint(150, 100));
        QCOMPARE(behind->mouseDowns, 1);
    }

    void theSplitViewWithoutDividerLetsPanesTouch_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("side by side") << true;
        QTest::newRow("one above the other") << false;
    }

    void theSplitViewWithoutDividerLetsPanesTouch()
    {
        QFETCH(bool, vertical);
        NoDividerSplitView split(Rect(0, 0, 300, 200));
        split.setVertical(vertical);
        auto *first = new ColorView(Rect(0, 0, 120, 80));
        auto *second = new ColorView(Rect(0, 0, 10, 10));
        split.addSubview(first);
        split.addSubview(second);
        split.layoutSubtreeIfNeeded();
        QCOMPARE(split.dividerThickness(), 0.0);
        // The second pane starts where the first ends and takes the rest; nothing lies between.
        if (vertical) {
            QCOMPARE(first->frame(), Rect(0, 0, 120, 200));
            QCOMPARE(second->frame(), Rect(120, 0, 180, 200));
        } else {
            QCOMPARE(first->frame(), Rect(0, 0, 300, 80));
            QCOMPARE(second->frame(), Rect(0, 80, 300, 120));
        }
        QCOMPARE(split.dividerRect(0).isEmpty(), true);
        // The split view itself draws nothing (a plain one fills its divider).
        RecordingContext recorder;
        split.drawRect(recorder, split.bounds());
        QVERIFY(recorder.calls().empty());
        // The invisible divider can still be dragged.
        MouseEvent press;
        press.location = vertical ? Point(120, 50) : Point(50, 80);
        split.mouseDown(press);
        press.location = vertical ? Point(150, 50) : Point(50, 100);
        split.mouseDragged(press);
        QCOMPARE(vertical ? second->frame().x() : second->frame().y(), vertical ? 150.0 : 100.0);
    }

    void thePlainWindowIsResizableWithoutZoom_data()
    {
        QTest::addColumn<unsigned>("mask");
        QTest::newRow("titled, closable, miniaturizable") << unsigned(
            platform::ui::Window::titled | platform::ui::Window::closable | platform::ui::Window::miniaturizable);
        QTest::newRow("already resizable") << unsigned(platform::ui::Window::titled | platform::ui::Window::closable
            | platform::ui::Window::miniaturizable | platform::ui::Window::resizable);
    }

    void thePlainWindowIsResizableWithoutZoom()
    {
        QFETCH(unsigned, mask);
        pirrow::Window window(Rect(0, 0, 200, 100), mask);
        QVERIFY(window.styleMask() & platform::ui::Window::resizable);
        QVERIFY(window.hasStandardButton(platform::ui::Window::Button::zoom));
        QVERIFY(window.isStandardButtonHidden(platform::ui::Window::Button::zoom));
        QVERIFY(!window.isStandardButtonHidden(platform::ui::Window::Button::close));
        QVERIFY(!window.isStandardButtonHidden(platform::ui::Window::Button::miniaturize));
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(window.titlebarAppearsTransparent());
        QVERIFY(!window.isOpaque());
        QCOMPARE(window.backgroundColor(), Color::windowBackground());
    }

    void theWindowContentViewIsWhiteOrClear_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<Color>("fill");
        QTest::newRow("light") << Appearance::aqua() << Color::white();
        QTest::newRow("dark") << Appearance::darkAqua() << Color::clear();
    }

    void theWindowContentViewIsWhiteOrClear()
    {
        QFETCH(Appearance, appearance);
        QFETCH(Color, fill);
        WindowContentView view(Rect(0, 0, 50, 40));
        view.setAppearance(appearance);
        const auto fills = drawn(view, DrawCall::Kind::fillPath);
        QCOMPARE(fills.size(), size_t(1));
        QCOMPARE(fills[0].color, fill);
        QCOMPARE(fills[0].path.boundingBox(), Rect(0, 0, 50, 40));
    }
};

QTEST_MAIN(DecorativeViewsTest)
#include "decorativeviews_test.moc"
