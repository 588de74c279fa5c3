#include "pirrow/dotview.h"
#include "pirrow/tourcontroller.h"

#include <platform/ui/recordingcontext.h>

#include <QTest>

using namespace platform::ui;
using namespace pirrow;

namespace {

struct Pages {
    std::vector<std::shared_ptr<ViewController>> controllers;
    explicit Pages(int n)
    {
        for (int i = 0; i < n; ++i)
            controllers.push_back(std::make_shared<ViewController>());
    }
    View *view(int i) const { return controllers[size_t(i)]->view(); }
};

struct Recorder : DotViewDelegate {
    QList<int> pages;
    void showPage(int index) override { pages << index; }
};

MouseEvent clickAt(const View &view, double x)
{
    MouseEvent e;
    e.locationInWindow = view.convertPointTo({ x, 5 }, nullptr);
    e.location = { x, 5 };
    return e;
}

std::unique_ptr<TourViewController> tourWith(const Pages &pages)
{
    auto tour = TourController::makeTourViewController();
    tour->setViewControllers(pages.controllers);
    tour->view();
    tour->viewWillAppear();
    return tour;
}

View *shown(const TourViewController &tour)
{
    const auto subs = tour.hostView()->subviews();
    return subs.size() == 1 ? subs.front() : nullptr;
}

} // namespace

class TourTest : public QObject {
    Q_OBJECT

private slots:
    void theStoryboardGivesATour()
    {
        auto tour = TourController::makeTourViewController();
        QVERIFY(tour);
        tour->view();
        QVERIFY(tour->previous() && tour->next() && tour->hostView() && tour->dotsView());
    }

    void onePageHidesTheControls()
    {
        Pages pages(1);
        auto tour = tourWith(pages);
        QVERIFY(tour->previous()->isHidden());
        QVERIFY(tour->next()->isHidden());
        QVERIFY(tour->dotsView()->isHidden());
        QCOMPARE(shown(*tour), pages.view(0));
        QCOMPARE(tour->dotsView()->count(), 1);
    }

    void noPagesShowNothing()
    {
        Pages pages(0);
        auto tour = tourWith(pages);
        QVERIFY(tour->hostView()->subviews().isEmpty());
        QVERIFY(tour->dotsView()->isHidden());
    }

    void buttonsWrapAround()
    {
        Pages pages(3);
        auto tour = tourWith(pages);
        QVERIFY(!tour->next()->isHidden());
        tour->previous()->performClick();
        QCOMPARE(tour->dotsView()->selectedDot(), 2);
        QCOMPARE(shown(*tour), pages.view(2));
        tour->next()->performClick();
        QCOMPARE(tour->dotsView()->selectedDot(), 0);
        QCOMPARE(shown(*tour), pages.view(0));
        tour->next()->performClick();
        QCOMPARE(shown(*tour), pages.view(1));
        // The page views stay with their controllers when they are taken out.
        QVERIFY(pages.controllers[0]->isViewLoaded());
    }

    void aPageBeyondTheLastOnlyEmptiesTheHost()
    {
        Pages pages(2);
        auto tour = tourWith(pages);
        tour->showPage(5);
        QVERIFY(tour->hostView()->subviews().isEmpty());
    }

    void anotherAppearanceStartsAtTheFirstPage()
    {
        Pages pages(3);
        auto tour = tourWith(pages);
        tour->next()->performClick();
        tour->viewWillAppear();
        QCOMPARE(shown(*tour), pages.view(0));
        QCOMPARE(tour->dotsView()->selectedDot(), 0);
    }

    void aDotClickShowsItsPage()
    {
        Pages pages(3);
        auto tour = tourWith(pages);
        DotView *dots = tour->dotsView();
        dots->mouseDown(clickAt(*dots, dots->dotRect(1).minX()));
        QCOMPARE(dots->selectedDot(), 1);
        QCOMPARE(shown(*tour), pages.view(1));
    }

    void dotGeometry_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("dot");
        QTest::newRow("first dot's left edge") << 22.0 << 0;
        QTest::newRow("gap between dots") << 32.0 << -1;
        QTest::newRow("second dot") << 44.0 << 1;
        QTest::newRow("third dot's last point") << 75.9 << 2;
        QTest::newRow("beside the row") << 80.0 << -1;
    }

    void dotGeometry()
    {
        QFETCH(double, x);
        QFETCH(int, dot);
        DotView view(Rect(0, 0, 100, 12));
        view.setCount(3);
        QCOMPARE(view.dotRect(0), Rect(22, 1, 10, 10));
        QCOMPARE(view.dotRect(1), Rect(44, 1, 10, 10));
        QCOMPARE(view.dotRect(2), Rect(66, 1, 10, 10));
        auto recorder = std::make_shared<Recorder>();
        view.setDelegate(recorder);
        view.mouseDown(clickAt(view, x));
        if (dot < 0) {
            QVERIFY(recorder->pages.isEmpty());
            QCOMPARE(view.selectedDot(), 0);
        } else {
            QCOMPARE(recorder->pages, QList<int> { dot });
            QCOMPARE(view.selectedDot(), dot);
        }
    }

    void dotsDrawOnlyTheirOvals()
    {
        DotView view(Rect(0, 0, 200, 12));
        view.setAppearance(Appearance::aqua());
        view.setSelectedDot(1);
        RecordingContext context;
        view.render(context);
        const auto fills = context.calls(DrawCall::Kind::fillPath);
        QCOMPARE(fills.size(), size_t(5));
        QCOMPARE(fills[1].color, Color::controlAccent().resolved(Appearance::aqua()));
        QCOMPARE(fills[0].color, Color::separator().resolved(Appearance::aqua()));
        // Five dots of 10 with gaps of 12: a row of 98.
        QCOMPARE(fills[0].path.boundingBox().minX(), 100.0 - 50);
        QCOMPARE(fills[4].path.boundingBox().maxX(), 50.0 + 98);
    }
};

QTEST_MAIN(TourTest)
#include "tour_test.moc"
