#include "platform/ui/emitterlayer.h"

#include <platform/core/clock.h>
#include <platform/ui/recordingcontext.h>

#include <QTest>

#include <cmath>
#include <numbers>

using namespace platform::ui;
using namespace std::chrono_literals;

namespace {

EmitterCell cell(double longitude)
{
    EmitterCell c;
    c.birthRate = 2;
    c.lifetime = 3;
    c.velocity = 100;
    c.emissionLongitude = longitude;
    c.contents = Image::withDrawing({ 4, 4 }, [](GraphicsContext &g, const Rect &r) { g.fillRect(r, Color::white()); });
    return c;
}

} // namespace

class EmitterLayerTest : public QObject {
    Q_OBJECT

private slots:
    void particlesLeaveAlongTheLongitude_data()
    {
        QTest::addColumn<double>("longitude");
        QTest::addColumn<Point>("direction");
        QTest::newRow("right") << 0.0 << Point { 1, 0 };
        QTest::newRow("left") << std::numbers::pi << Point { -1, 0 };
        QTest::newRow("up") << std::numbers::pi / 2 << Point { 0, 1 };
    }

    void particlesLeaveAlongTheLongitude()
    {
        QFETCH(double, longitude);
        QFETCH(Point, direction);
        EmitterLayer layer;
        layer.setEmitterPosition({ 50, 50 });
        layer.setEmitterCells({ cell(longitude) });
        const auto particles = layer.particlesAt(1.0);
        // Born at 0, 0.5 and 1 second: 100, 50 and 0 points out.
        QCOMPARE(particles.size(), size_t(3));
        QVERIFY(std::abs(particles[0].position.x - (50 + 100 * direction.x)) < 1e-9);
        QVERIFY(std::abs(particles[0].position.y - (50 + 100 * direction.y)) < 1e-9);
        QVERIFY(std::abs(particles[1].position.x - (50 + 50 * direction.x)) < 1e-9);
    }

    void aLineSpreadsBirthsOverItsWidth()
    {
        EmitterLayer layer;
        layer.setEmitterPosition({ 100, 0 });
        layer.setEmitterShape(EmitterShape::line);
        layer.setEmitterSize({ 200, 1 });
        EmitterCell c = cell(0);
        c.velocity = 0;
        c.birthRate = 50;
        layer.setEmitterCells({ c });
        double least = 1e9, most = -1e9;
        for (const auto &p : layer.particlesAt(2.0)) {
            least = std::min(least, p.position.x);
            most = std::max(most, p.position.x);
            QCOMPARE(p.position.y, 0.0);
        }
        QVERIFY(least >= 0 && least < 20);
        QVERIFY(most <= 200 && most > 180);
    }

    void particlesDieAfterTheirLifetime()
    {
        EmitterLayer layer;
        layer.setEmitterCells({ cell(0) });
        QCOMPARE(layer.particlesAt(10).size(), size_t(6));
        QVERIFY(layer.particlesAt(-1).empty());
    }

    void drawingFollowsTheClock()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto layer = EmitterLayer::create();
        layer->setBounds(Rect(0, 0, 100, 100));
        layer->setEmitterCells({ cell(0) });
        QVERIFY(layer->hasRunningAnimations());
        clock.advance(1500ms);
        RecordingContext context;
        layer->renderInContext(context);
        QVERIFY(!context.calls(DrawCall::Kind::image).empty());
        const size_t drawn = context.calls(DrawCall::Kind::image).size();
        QCOMPARE(drawn, layer->particlesAt(1.5).size() * 2);

        EmitterCell blank = cell(0);
        blank.contents.reset();
        layer->setEmitterCells({ blank });
        clock.advance(1s);
        RecordingContext none;
        layer->renderInContext(none);
        QVERIFY(none.calls(DrawCall::Kind::image).empty());
        layer->setEmitterCells({});
        QVERIFY(!layer->hasRunningAnimations());
    }
};

QTEST_MAIN(EmitterLayerTest)
#include "emitterlayer_test.moc"
