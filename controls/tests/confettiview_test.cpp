#include "controlstestsupport.h"
#include "pirrow/confettiview.h"
#include "pirrow/uiprogressview.h"

#include <platform/core/clock.h>
#include <platform/ui/recordingcontext.h>

#include <QTest>

#include <cmath>
#include <numbers>

using namespace platform::ui;
using namespace pirrow;
using namespace std::chrono_literals;

namespace {

Image dot() { return Image::withDrawing({ 6, 6 }, [](GraphicsContext &c, const Rect &r) { c.fillRect(r, Color::white()); }); }

} // namespace

class ConfettiViewTest : public QObject {
    Q_OBJECT

private slots:
    void startSetsUpSixCellsAlongTheTopEdge()
    {
        ConfettiView view(Rect(0, 0, 400, 300));
        view.setContent(dot());
        view.start();
        const auto &emitter = *view.emitterLayer();
        QCOMPARE(emitter.emitterPosition(), (Point { 200, 0 }));
        QCOMPARE(emitter.emitterSize(), (Size { 400, 1 }));
        QCOMPARE(emitter.emitterShape(), EmitterShape::line);
        QCOMPARE(emitter.emitterCells().size(), size_t(6));
        QCOMPARE(emitter.emitterCells()[2].color, Color::fromRGB255(187, 0, 92));
        for (const EmitterCell &cell : emitter.emitterCells()) {
            QCOMPARE(cell.birthRate, 3.0f);
            QCOMPARE(cell.lifetime, 7.0f);
            QCOMPARE(cell.velocity, 175.0);
            QCOMPARE(cell.velocityRange, 40.0);
            QCOMPARE(cell.emissionLongitude, std::numbers::pi);
            QCOMPARE(cell.emissionRange, std::numbers::pi / 4);
            QCOMPARE(cell.spin, 1.75);
            QCOMPARE(cell.scaleSpeed, -0.05f);
            QVERIFY(cell.contents);
        }
        QVERIFY(view.isFlipped());
        QCOMPARE(view.layer()->sublayers().back(), std::static_pointer_cast<Layer>(view.emitterLayer()));
    }

    void startTwiceSetsUpOnce()
    {
        ConfettiView view(Rect(0, 0, 400, 300));
        view.start();
        view.setColors({ Color::red(), Color::blue() });
        view.start();
        QCOMPARE(view.emitterLayer()->emitterCells().size(), size_t(6));
        view.deactivate();
        QVERIFY(!view.isActive());
        QCOMPARE(view.emitterLayer()->emitterCells().size(), size_t(6)); // still emitting
        view.start();
        QCOMPARE(view.emitterLayer()->emitterCells().size(), size_t(2));
    }

    void newContentWhileActiveRestarts()
    {
        ConfettiView view(Rect(0, 0, 400, 300));
        view.setContent(dot());
        QVERIFY(view.emitterLayer()->emitterCells().empty());
        view.start();
        const Image second = dot();
        view.setContent(second);
        QVERIFY(view.isActive());
        QCOMPARE(*view.emitterLayer()->emitterCells().front().contents, second);
        view.setContent(std::nullopt);
        QVERIFY(!view.emitterLayer()->emitterCells().front().contents);
    }

    void particlesFlyAndAreDrawn()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        ConfettiView view(Rect(0, 0, 400, 300));
        view.setContent(dot());
        view.start();
        clock.advance(1s);
        RecordingContext context;
        view.emitterLayer()->renderInContext(context);
        // Three a second from each of six cells, the first born at once.
        QCOMPARE(context.calls(DrawCall::Kind::image).size(), size_t(6 * 4 * 2));
        for (const auto &p : view.emitterLayer()->particlesAt(1.0)) {
            QVERIFY(p.position.x >= -175 - 40 && p.position.x <= 400);
            QVERIFY(p.scale > 0.9 && p.scale <= 1);
        }
        clock.advance(10s);
        QCOMPARE(view.emitterLayer()->particlesAt(11).size(), size_t(6 * 21));
        QVERIFY(view.emitterLayer()->hasRunningAnimations());
    }

    void clicksPassThrough()
    {
        pirrowtest::Host host;
        auto *confetti = new ConfettiView(Rect(0, 0, 300, 200));
        host.addSubview(confetti);
        QVERIFY(host.showAndWait());
        QTest::mouseClick(&host, Qt::LeftButton, {}, host.widgetPoint({ 50, 50 }));
        QCOMPARE(host.mouseDowns, 1);
        MouseEvent e;
        confetti->mouseDown(e); // taken and dropped: nothing reaches the host
        QCOMPARE(host.mouseDowns, 1);
    }

    void progressBar_data()
    {
        QTest::addColumn<double>("progress");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("green");
        QTest::newRow("half") << 0.5 << 98.0 << true;
        QTest::newRow("at a fifth: red") << 0.2 << 39.2 << false;
        QTest::newRow("just above a fifth: green") << 0.21 << 41.16 << true;
        QTest::newRow("full") << 1.0 << 196.0 << true;
        QTest::newRow("empty: a stub back to 0") << 0.0 << 0.0 << false;
        QTest::newRow("beyond full: drawn as empty, green") << 1.5 << 0.0 << true;
        QTest::newRow("not a number") << std::nan("") << 0.0 << false;
    }

    void progressBar()
    {
        QFETCH(double, progress);
        QFETCH(double, end);
        QFETCH(bool, green);
        RecordingContext context;
        UIProgressView::paint(context, { 200, 10 }, 4, progress);
        const auto strokes = context.calls(DrawCall::Kind::strokePath);
        QCOMPARE(strokes.size(), size_t(2));
        const Color colour = green ? Color::systemGreen() : Color::systemRed();
        QCOMPARE(strokes[0].stroke.color, colour.withAlphaComponent(colour.alphaComponent() * 0.1).resolved());
        QCOMPARE(strokes[1].stroke.color, colour.resolved());
        QCOMPARE(strokes[0].path.elements()[0].points[0], (Point { 4, 5 }));
        QCOMPARE(strokes[0].path.elements()[1].points[0], (Point { 196, 5 }));
        QCOMPARE(strokes[1].path.elements()[0].points[0], (Point { 4, 5 }));
        QVERIFY(std::abs(strokes[1].path.elements()[1].points[0].x - end) < 1e-9);
        QCOMPARE(strokes[1].stroke.lineCap, LineCap::round);
        QCOMPARE(strokes[1].stroke.lineWidth, 4.0);
    }
};

QTEST_MAIN(ConfettiViewTest)
#include "confettiview_test.moc"
