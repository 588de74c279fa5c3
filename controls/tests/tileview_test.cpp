#include "controlstestsupport.h"
#include "pirrow/colors.h"
#include "pirrow/hoverview.h"
#include "pirrow/tileview.h"
#include "pirrow/tileviewdelegate.h"

#include <platform/ui/recordingcontext.h>

#include <QTest>

using namespace platform::ui;
using pirrow::Colors;
using pirrow::HoverView;
using pirrow::TileView;
using pirrowtest::Host;

namespace {

class CountingDelegate : public pirrow::TileViewDelegate {
public:
    int clicks = 0;
    int entered = 0;
    int exited = 0;
    void tileViewClicked(View *) override { ++clicks; }
    void tileViewMouseEntered(View *) override { ++entered; }
    void tileViewMouseExited(View *) override { ++exited; }
};

// The one rounded fill a drawn tile makes, in the base space of the recorder.
DrawCall fillOf(View &view)
{
    RecordingContext recorder;
    view.render(recorder);
    const auto fills = recorder.calls(DrawCall::Kind::fillRoundedRect);
    return fills.empty() ? DrawCall() : fills.front();
}

} // namespace

class TileViewTest : public QObject {
    Q_OBJECT

private slots:
    void aTileFromAStoryboardFactoryShowsHover_data()
    {
        QTest::addColumn<bool>("awake");
        QTest::addColumn<bool>("enableHover");
        QTest::addColumn<bool>("hovers");
        QTest::newRow("awoken") << true << true << true;
        QTest::newRow("made in code") << false << true << false;
        QTest::newRow("hover disabled") << true << false << false;
    }

    void aTileFromAStoryboardFactoryShowsHover()
    {
        QFETCH(bool, awake);
        QFETCH(bool, enableHover);
        QFETCH(bool, hovers);
        Host host;
        host.setAppearance(Appearance::aqua());
        auto *tile = new TileView(Rect(50, 50, 100, 80));
        host.addSubview(tile);
        auto delegate = std::make_shared<CountingDelegate>();
        tile->setDelegate(delegate);
        tile->setEnableHover(enableHover);
        if (awake)
            tile->awakeFromNib();
        QVERIFY(host.showAndWait());

        QTest::mouseMove(&host, host.widgetPoint({ 100, 90 }));
        QCOMPARE(tile->mouseOver(), hovers);
        QCOMPARE(delegate->entered, hovers ? 1 : 0);
        ScopedDrawingAppearance light(Appearance::aqua());
        QCOMPARE(fillOf(*tile).color, (hovers ? Colors::secondaryBackground() : Colors::background()));

        QTest::mouseMove(&host, host.widgetPoint({ 250, 20 }));
        QVERIFY(!tile->mouseOver());
        QCOMPARE(delegate->exited, hovers ? 1 : 0);
        QCOMPARE(fillOf(*tile).color, Colors::background());
    }

    void aSelectedTileStrokesALinkColouredBorder()
    {
        TileView tile(Rect(0, 0, 100, 80));
        tile.setAppearance(Appearance::darkAqua());
        tile.setRadius(6);
        tile.setSelected(true);
        RecordingContext recorder;
        tile.render(recorder);
        const auto fill = recorder.calls(DrawCall::Kind::fillRoundedRect);
        QCOMPARE(fill.size(), size_t(1));
        QCOMPARE(fill[0].rect, Rect(0, 0, 100, 80));
        QCOMPARE(fill[0].radiusX, 6.0);
        {
            ScopedDrawingAppearance dark(Appearance::darkAqua());
            QCOMPARE(fill[0].color, Colors::background());
        }
        const auto strokes = recorder.calls(DrawCall::Kind::strokePath);
        QCOMPARE(strokes.size(), size_t(1));
        QCOMPARE(strokes[0].path.boundingBox(), Rect(1, 1, 98, 78));
        QCOMPARE(strokes[0].stroke.lineWidth, 3.0);
        QCOMPARE(strokes[0].stroke.color, Color::link().resolved(Appearance::darkAqua()));

        tile.setSelected(false);
        RecordingContext unselected;
        tile.render(unselected);
        QVERIFY(unselected.calls(DrawCall::Kind::strokePath).empty());
    }

    void aClickTellsTheDelegateWhenTheTileIsSelectable_data()
    {
        QTest::addColumn<bool>("disableInteraction");
        QTest::addColumn<bool>("selectable");
        QTest::addColumn<int>("delegateClicks");
        QTest::addColumn<int>("superviewClicks");
        QTest::newRow("plain") << false << true << 1 << 1;
        QTest::newRow("interaction disabled") << true << true << 1 << 0;
        QTest::newRow("not selectable") << false << false << 0 << 1;
        QTest::newRow("neither") << true << false << 0 << 0;
    }

    void aClickTellsTheDelegateWhenTheTileIsSelectable()
    {
        QFETCH(bool, disableInteraction);
        QFETCH(bool, selectable);
        QFETCH(int, delegateClicks);
        QFETCH(int, superviewClicks);
        Host host;
        auto *tile = new TileView(Rect(50, 50, 100, 80));
        host.addSubview(tile);
        auto delegate = std::make_shared<CountingDelegate>();
        tile->setDelegate(delegate);
        tile->setDisableInteraction(disableInteraction);
        tile->setSelectable(selectable);
        QVERIFY(host.showAndWait());
        QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(50, 40));
        QCOMPARE(delegate->clicks, delegateClicks);
        QCOMPARE(host.mouseDowns, superviewClicks);
    }

    void resetHoverEndsTheHover()
    {
        TileView tile(Rect(0, 0, 100, 80));
        tile.setMouseOver(true);
        tile.resetHover();
        QVERIFY(!tile.mouseOver());
        tile.setMouseOver(true);
        tile.setEnableHover(false);
        tile.resetHover();
        QVERIFY(tile.mouseOver());
    }

    void aHoverPanelFillsItselfWhileThePointerIsOverIt()
    {
        Host host;
        auto *panel = new HoverView(Rect(50, 50, 100, 80));
        panel->setHoverColor(Color::green());
        panel->setRadius(4);
        panel->awakeFromNib();
        host.addSubview(panel);
        QVERIFY(host.showAndWait());

        RecordingContext idle;
        panel->render(idle);
        QVERIFY(idle.calls(DrawCall::Kind::fillRoundedRect).empty());

        QTest::mouseMove(&host, host.widgetPoint({ 100, 90 }));
        QVERIFY(panel->mouseOver());
        const DrawCall fill = fillOf(*panel);
        QCOMPARE(fill.color, Color::green());
        QCOMPARE(fill.radiusX, 4.0);
        QCOMPARE(fill.rect, Rect(0, 0, 100, 80));

        QTest::mouseMove(&host, host.widgetPoint({ 250, 20 }));
        QVERIFY(!panel->mouseOver());
    }
};

QTEST_MAIN(TileViewTest)
#include "tileview_test.moc"
