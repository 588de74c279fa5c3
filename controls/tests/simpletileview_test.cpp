#include "controlstestsupport.h"
#include "pirrow/simpletileview.h"
#include "pirrow/simpletileviewdelegate.h"

#include <platform/ui/animation.h>
#include <platform/ui/recordingcontext.h>

#include <QTest>

using namespace platform::ui;
using pirrow::HoverDisplayMode;
using pirrow::SimpleTileView;
using pirrowtest::Host;

Q_DECLARE_METATYPE(HoverDisplayMode)

namespace {

// Records what it is told; selects the clicked tile as the settings page does.
class RecordingDelegate : public pirrow::SimpleTileViewDelegate {
public:
    std::vector<QString> events;
    void tileClicked(SimpleTileView *tile) override
    {
        events.push_back(QStringLiteral("clicked"));
        tile->setSelected(true);
    }
    void tileMouseEntered(SimpleTileView *) override { events.push_back(QStringLiteral("entered")); }
    void tileMouseExited(SimpleTileView *) override { events.push_back(QStringLiteral("exited")); }
};

struct Fixture {
    Host host;
    SimpleTileView *tile = new SimpleTileView(Rect(50, 50, 100, 80));
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    const QPoint inside = host.widgetPoint({ 100, 90 });
    const QPoint outside = host.widgetPoint({ 250, 20 });

    Fixture()
    {
        host.setAppearance(Appearance::aqua());
        host.addSubview(tile);
        tile->setDelegate(delegate);
    }
};

std::optional<Color> blue(double alpha = 1)
{
    return Color::systemBlue().withAlphaComponent(alpha).resolved(Appearance::aqua());
}

} // namespace

class SimpleTileViewTest : public QObject {
    Q_OBJECT

private slots:
    void hoverChangesTheLayerAsTheModeSays_data()
    {
        QTest::addColumn<HoverDisplayMode>("mode");
        QTest::addColumn<bool>("allowHover");
        QTest::addColumn<double>("hoverBorder");
        QTest::addColumn<double>("hoverShadowOpacity");
        QTest::addColumn<double>("hoverShift");
        QTest::newRow("rectangle") << HoverDisplayMode::rectangle << true << 2.0 << 0.15 << 0.0;
        QTest::newRow("shadow") << HoverDisplayMode::shadow << true << 0.0 << 0.16 << 0.0;
        QTest::newRow("shift") << HoverDisplayMode::shift << true << 0.0 << 0.15 << -8.0;
        QTest::newRow("hover not allowed") << HoverDisplayMode::rectangle << false << 0.0 << 0.15 << 0.0;
    }

    void hoverChangesTheLayerAsTheModeSays()
    {
        QFETCH(HoverDisplayMode, mode);
        QFETCH(bool, allowHover);
        QFETCH(double, hoverBorder);
        QFETCH(double, hoverShadowOpacity);
        QFETCH(double, hoverShift);
        Fixture f;
        f.tile->setHoverDisplayMode(mode);
        f.tile->setAllowHover(allowHover);
        QVERIFY(f.host.showAndWait());
        const auto layer = f.tile->layer();

        QTest::mouseMove(&f.host, f.inside);
        QCOMPARE(f.delegate->events, std::vector<QString> { QStringLiteral("entered") });
        QCOMPARE(layer->borderWidth(), hoverBorder);
        if (hoverBorder > 0)
            QCOMPARE(layer->borderColor(), blue(0.75));
        QCOMPARE(layer->shadowOpacity(), hoverShadowOpacity);
        if (mode == HoverDisplayMode::shadow)
            QCOMPARE(layer->shadowColor(), Color::controlAccent().resolved(Appearance::aqua()));
        QCOMPARE(layer->transform(), AffineTransform::translation(hoverShift, 0));
        QCOMPARE(f.tile->isMouseEntered(), hoverBorder > 0);
        if (hoverShift != 0)
            QCOMPARE(layer->animation(QStringLiteral("shift"))->duration(), 0.2);

        QTest::mouseMove(&f.host, f.outside);
        QCOMPARE(f.delegate->events, (std::vector<QString> { QStringLiteral("entered"), QStringLiteral("exited") }));
        QCOMPARE(layer->borderWidth(), 0.0);
        QVERIFY(!layer->borderColor());
        QCOMPARE(layer->shadowOpacity(), 0.15);
        QCOMPARE(layer->shadowColor(), Color::darkGray());
        QCOMPARE(layer->transform(), AffineTransform());
        QVERIFY(!f.tile->isMouseEntered());
    }

    void aClickTellsTheDelegateOnceAfterTheTilesOwnHandling()
    {
        Fixture f;
        f.tile->setEnableSelection(true);
        QVERIFY(f.host.showAndWait());
        QTest::mouseClick(f.tile, Qt::LeftButton, {}, QPoint(50, 40));

        QCOMPARE(std::count(f.delegate->events.begin(), f.delegate->events.end(), QStringLiteral("clicked")), 1);
        QVERIFY(f.tile->isSelected());
        QCOMPARE(f.tile->layer()->borderWidth(), 3.0);
        QCOMPARE(f.tile->layer()->borderColor(), blue());
        // The tile's own handling passes the click on to its superview.
        QCOMPARE(f.host.mouseDowns, 1);
    }

    void aTileWithInteractionDisabledSwallowsClicks()
    {
        Fixture f;
        f.tile->setDisableInteraction(true);
        QVERIFY(f.host.showAndWait());
        QTest::mouseClick(f.tile, Qt::LeftButton, {}, QPoint(50, 40));
        QCOMPARE(std::count(f.delegate->events.begin(), f.delegate->events.end(), QStringLiteral("clicked")), 0);
        QCOMPARE(f.host.mouseDowns, 0);
    }

    void aDelegateThatIsGoneIsSkipped()
    {
        Fixture f;
        f.tile->setAllowHover(true);
        QVERIFY(f.host.showAndWait());
        f.delegate.reset();
        QTest::mouseMove(&f.host, f.inside);
        QTest::mouseClick(f.tile, Qt::LeftButton, {}, QPoint(50, 40));
        QCOMPARE(f.host.mouseDowns, 1);
        QCOMPARE(f.tile->layer()->borderWidth(), 2.0); // the tile's own hover still shows
    }

    void theBorderShowsSelectionBeforeHover_data()
    {
        QTest::addColumn<bool>("enableSelection");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("allowHover");
        QTest::addColumn<bool>("entered");
        QTest::addColumn<HoverDisplayMode>("mode");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("alpha");
        QTest::newRow("idle") << false << false << false << false << HoverDisplayMode::rectangle << 0.0 << 0.0;
        QTest::newRow("selected") << true << true << false << false << HoverDisplayMode::rectangle << 3.0 << 1.0;
        QTest::newRow("selected and hovered")
            << true << true << true << true << HoverDisplayMode::rectangle << 3.0 << 1.0;
        QTest::newRow("selected without selection enabled")
            << false << true << false << false << HoverDisplayMode::rectangle << 0.0 << 0.0;
        QTest::newRow("selected without selection enabled, hovered")
            << false << true << true << true << HoverDisplayMode::rectangle << 2.0 << 0.75;
        QTest::newRow("hovered in shadow mode")
            << false << false << true << true << HoverDisplayMode::shadow << 0.0 << 0.0;
        QTest::newRow("entered while hover is not allowed")
            << false << false << false << true << HoverDisplayMode::rectangle << 0.0 << 0.0;
    }

    void theBorderShowsSelectionBeforeHover()
    {
        QFETCH(bool, enableSelection);
        QFETCH(bool, selected);
        QFETCH(bool, allowHover);
        QFETCH(bool, entered);
        QFETCH(HoverDisplayMode, mode);
        QFETCH(double, width);
        QFETCH(double, alpha);
        SimpleTileView tile(Rect(0, 0, 100, 80));
        tile.setAppearance(Appearance::aqua());
        tile.setAllowHover(allowHover);
        tile.setHoverDisplayMode(mode);
        tile.setMouseEntered(entered);
        tile.setEnableSelection(enableSelection);
        tile.setSelected(selected);
        QCOMPARE(tile.layer()->borderWidth(), width);
        QCOMPARE(tile.layer()->borderColor(), width > 0 ? blue(alpha) : std::nullopt);
    }

    void customBorderAndSelectionValuesWin()
    {
        SimpleTileView tile(Rect(0, 0, 100, 80));
        tile.setSelectionColor(Color::green());
        tile.setSelectionWidth(5);
        tile.setEnableSelection(true);
        tile.setSelected(true);
        QCOMPARE(tile.layer()->borderWidth(), 5.0);
        QCOMPARE(tile.layer()->borderColor(), Color::green());
        tile.setBorderColor(Color::red());
        tile.setBorderWidth(1);
        tile.setAllowHover(true);
        tile.setMouseEntered(true);
        tile.deselect();
        QCOMPARE(tile.layer()->borderWidth(), 0.0); // deselect ends the hover border too
        tile.setMouseEntered(true);
        tile.updateAppearance();
        QCOMPARE(tile.layer()->borderWidth(), 1.0);
        QCOMPARE(tile.layer()->borderColor(), Color::red());
        tile.resetHover();
        QCOMPARE(tile.layer()->borderWidth(), 0.0);
        QVERIFY(!tile.isMouseEntered());
    }

    void backgroundAndShadowFollowTheAppearance_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<Color>("background");
        QTest::addColumn<double>("shadowOpacity");
        QTest::addColumn<double>("shadowRadius");
        QTest::newRow("light") << Appearance::aqua() << Color::fromWhite(1, 0.35) << 0.15 << 8.0;
        QTest::newRow("dark") << Appearance::darkAqua() << Color::fromRGB255(60, 64, 75, 0.6) << 0.0 << 0.0;
    }

    void backgroundAndShadowFollowTheAppearance()
    {
        QFETCH(Appearance, appearance);
        QFETCH(Color, background);
        QFETCH(double, shadowOpacity);
        QFETCH(double, shadowRadius);
        SimpleTileView tile(Rect(0, 0, 100, 80));
        tile.setAppearance(appearance == Appearance::aqua() ? Appearance::darkAqua() : Appearance::aqua());
        tile.setAppearance(appearance);
        QCOMPARE(tile.layer()->backgroundColor(), background);
        QCOMPARE(tile.layer()->cornerRadius(), 8.0);
        QVERIFY(tile.layer()->masksToBounds());
        QCOMPARE(tile.layer()->shadowOpacity(), shadowOpacity);
        QCOMPARE(tile.layer()->shadowRadius(), shadowRadius);
    }

    void theTrackingAreaFollowsTheBounds()
    {
        SimpleTileView tile(Rect(0, 0, 100, 80));
        tile.setFrameSize({ 140, 90 });
        tile.layoutSubtreeIfNeeded();
        QCOMPARE(tile.trackingAreas().size(), size_t(1));
        QCOMPARE(tile.trackingArea()->rect(), Rect(0, 0, 140, 90));
        QCOMPARE(tile.trackingArea()->owner(), &tile);
    }
};

QTEST_MAIN(SimpleTileViewTest)
#include "simpletileview_test.moc"
