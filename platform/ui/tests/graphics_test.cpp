// Colours, paths and the two graphics contexts.
#include "platform/ui/bezierpath.h"
#include "platform/ui/color.h"
#include "platform/ui/paintercontext.h"
#include "platform/ui/path.h"
#include "platform/ui/recordingcontext.h"
#include "platform/ui/systemappearance.h"
#include "uitestsupport.h"

#include <QPainter>
#include <QTest>

#include <cmath>
#include <functional>

using namespace platform::ui;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;

namespace {
constexpr double kPi = 3.14159265358979323846;
using Drawing = std::function<void(GraphicsContext &)>;

QImage paint(Size size, const Drawing &draw, double scale = 1)
{
    QImage img(int(size.width * scale), int(size.height * scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PainterContext ctx(p, size, scale);
    draw(ctx);
    return img;
}

struct Sample {
    int x;
    int y; // from the bottom
    QColor color;
    int tolerance = 4;
};
} // namespace

Q_DECLARE_METATYPE(Drawing)
Q_DECLARE_METATYPE(QList<Sample>)

class GraphicsTest : public QObject {
    Q_OBJECT

private slots:
    void dynamicColoursResolveAgainstTheAppearance()
    {
        const Color c
            = Color::dynamic(QStringLiteral("test"), Color::fromRGB255(247, 247, 248), Color::fromRGB255(52, 54, 57));
        QVERIFY(c.isDynamic());
        QCOMPARE(c.resolved(Appearance::aqua()), Color::fromRGB255(247, 247, 248));
        QCOMPARE(c.resolved(Appearance::darkAqua()), Color::fromRGB255(52, 54, 57));
        QCOMPARE(c.resolved(Appearance(Appearance::Kind::vibrantDark)), Color::fromRGB255(52, 54, 57));
        {
            ScopedAppearance dark(Appearance::darkAqua());
            QCOMPARE(c.redComponent(), 52 / 255.0);
            ScopedDrawingAppearance drawing(Appearance::aqua()); // a light view drawing inside
            QCOMPARE(c.redComponent(), 247 / 255.0);
        }
        const Color faded = c.withAlphaComponent(0.22);
        QVERIFY(faded.isDynamic());
        QCOMPARE(faded.resolved(Appearance::darkAqua()), Color::fromRGB255(52, 54, 57, 0.22));
        QVERIFY(faded != c);
        QCOMPARE(Color::systemRed(), Color::systemRed());
        QVERIFY(Color::systemRed() != Color::systemOrange());
    }

    void appearanceNamesTellDarkness_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dark");
        QTest::newRow("aqua") << int(Appearance::Kind::aqua) << "NSAppearanceNameAqua" << false;
        QTest::newRow("dark aqua") << int(Appearance::Kind::darkAqua) << "NSAppearanceNameDarkAqua" << true;
        QTest::newRow("vibrant light") << int(Appearance::Kind::vibrantLight) << "NSAppearanceNameVibrantLight"
                                       << false;
        QTest::newRow("vibrant dark") << int(Appearance::Kind::vibrantDark) << "NSAppearanceNameVibrantDark" << true;
    }

    void appearanceNamesTellDarkness()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(bool, dark);
        const Appearance a { Appearance::Kind(kind) };
        QCOMPARE(a.name(), name);
        QCOMPARE(a.isDark(), dark);
    }

    void arcsRunTheWayAsked_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("clockwise");
        QTest::addColumn<Point>("through"); // a point the arc passes
        QTest::addColumn<Point>("notThrough");
        QTest::newRow("counter-clockwise quarter")
            << 0.0 << kPi / 2 << false << Point { 7.071, 7.071 } << Point { -10, 0 };
        QTest::newRow("clockwise three quarters")
            << 0.0 << kPi / 2 << true << Point { -10, 0 } << Point { 7.071, 7.071 };
        QTest::newRow("counter-clockwise wraps") << kPi << 0.0 << false << Point { 0, -10 } << Point { 0, 10 };
    }

    void arcsRunTheWayAsked()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(bool, clockwise);
        QFETCH(Point, through);
        QFETCH(Point, notThrough);
        Path p;
        p.addArc({ 0, 0 }, 10, start, end, clockwise);
        QCOMPARE(p.elements().front().kind, PathElement::Kind::moveTo);
        QVERIFY(fuzzyEqual(p.elements().front().points[0], Point { 10 * std::cos(start), 10 * std::sin(start) }, 1e-9));
        QVERIFY(fuzzyEqual(*p.currentPoint(), Point { 10 * std::cos(end), 10 * std::sin(end) }, 1e-9));
        // Stroking a thin line along the arc must cover `through` and not `notThrough`.
        const QPainterPath outline = QPainterPathStroker(QPen(Qt::black, 0.5)).createStroke(p.toQPainterPath());
        QVERIFY(outline.contains(through.toQPointF()));
        QVERIFY(!outline.contains(notThrough.toQPointF()));
    }

    void pathBasics()
    {
        Path closedMove;
        closedMove.moveTo({ 1, 1 });
        closedMove.closeSubpath();
        QCOMPARE(closedMove.elementCount(), 2);
        QCOMPARE(closedMove.elements()[1].kind, PathElement::Kind::closeSubpath);

        const Path rounded = Path::roundedRect(Rect(0, 0, 10, 4), 8, 8); // radii limited to 5 and 2
        QCOMPARE(rounded.boundingBox(), Rect(0, 0, 10, 4));
        QVERIFY(rounded.contains({ 5, 2 }));
        QVERIFY(!rounded.contains({ 0.2, 0.2 }));

        Path line;
        line.moveTo({ 0, 0 });
        line.lineTo({ 10, 0 });
        line.lineTo({ 10, 10 });
        const Path half = line.trimmed(0.25, 0.75);
        QVERIFY(fuzzyEqual(half.elements().front().points[0], Point { 5, 0 }));
        QVERIFY(fuzzyEqual(*half.currentPoint(), Point { 10, 5 }));
        QVERIFY(line.trimmed(0.6, 0.4).isEmpty());

        Path other;
        other.moveTo({ 0, 10 });
        other.lineTo({ 20, 10 });
        other.lineTo({ 20, 20 });
        const Path mid = Path::interpolated(line, other, 0.5);
        QCOMPARE(*mid.currentPoint(), Point(15, 15));
        QCOMPARE(Path::interpolated(line, closedMove, 0.5), line); // different structures switch at the end
        QCOMPARE(Path::interpolated(line, closedMove, 1.0), closedMove);
    }

    void bezierPathElementsAndDegreeArcs()
    {
        BezierPath p;
        p.moveTo({ 0, 0 });
        p.curveTo({ 10, 0 }, { 2, 5 }, { 8, 5 });
        p.closePath();
        QCOMPARE(p.elementCount(), 3);
        Point pts[3];
        QCOMPARE(p.element(1, pts), BezierPath::ElementKind::curveTo);
        QCOMPARE(pts[0], Point(2, 5));
        QCOMPARE(pts[1], Point(8, 5));
        QCOMPARE(pts[2], Point(10, 0));

        BezierPath arc;
        arc.appendArc({ 0, 0 }, 10, 90, 180); // counter-clockwise, from the top to the left
        QCOMPARE(arc.element(0), BezierPath::ElementKind::moveTo);
        const Rect box = arc.bounds();
        QVERIFY(fuzzyEqual(box, Rect(-10, 0, 10, 10), 1e-6));
    }

    void painterDrawsWhatItIsTold_data()
    {
        QTest::addColumn<Drawing>("draw");
        QTest::addColumn<QList<Sample>>("samples");

        QTest::newRow("rounded rectangle")
            << Drawing([](GraphicsContext &c) { c.fillRoundedRect(Rect(0, 0, 20, 20), 6, 6, Color::red()); })
            << QList<Sample> { { 10, 10, Qt::red }, { 0, 0, Qt::transparent }, { 19, 19, Qt::transparent } };

        QTest::newRow("clip") << Drawing([](GraphicsContext &c) {
            c.save();
            c.clipToRect(Rect(0, 0, 10, 20));
            c.fillRect(Rect(0, 0, 20, 20), Color::blue());
            c.restore();
            c.fillRect(Rect(15, 15, 5, 5), Color::green()); // the clip ended with restore
        }) << QList<Sample> { { 5, 5, Qt::blue }, { 15, 5, Qt::transparent }, { 17, 17, Qt::green } };

        QTest::newRow("translate and scale") << Drawing([](GraphicsContext &c) {
            c.translate(10, 0);
            c.scale(2, 1);
            c.fillRect(Rect(0, 0, 4, 5), Color::red());
        }) << QList<Sample> { { 16, 2, Qt::red }, { 8, 2, Qt::transparent }, { 19, 2, Qt::transparent } };

        QTest::newRow("alpha") << Drawing([](GraphicsContext &c) {
            c.fillRect(Rect(0, 0, 20, 20), Color::white());
            c.setAlpha(0.5);
            c.fillRect(Rect(0, 0, 20, 20), Color::black());
        }) << QList<Sample> { { 10, 10, QColor(128, 128, 128) } };

        QTest::newRow("mask by alpha") << Drawing([](GraphicsContext &c) {
            c.beginTransparencyLayer();
            c.fillRect(Rect(0, 0, 20, 20), Color::red());
            c.beginMaskContent();
            c.fillRect(Rect(0, 0, 20, 10), Color::black());
            c.endTransparencyLayer();
        }) << QList<Sample> { { 10, 5, Qt::red }, { 10, 15, Qt::transparent } };

        QTest::newRow("group opacity") << Drawing([](GraphicsContext &c) {
            c.fillRect(Rect(0, 0, 20, 20), Color::white());
            c.beginTransparencyLayer(0.5);
            c.fillRect(Rect(0, 0, 15, 15), Color::black());
            c.fillRect(Rect(5, 5, 15, 15), Color::black());
            c.endTransparencyLayer();
        }) << QList<Sample> { { 10, 10, QColor(128, 128, 128) }, { 2, 2, QColor(128, 128, 128) } };

        QTest::newRow("shadow falls below") << Drawing([](GraphicsContext &c) {
            c.beginTransparencyLayer(1, Shadow { { 0, -6 }, 0, Color::black() });
            c.fillRect(Rect(5, 10, 10, 5), Color::red());
            c.endTransparencyLayer();
        }) << QList<Sample> { { 10, 12, Qt::red }, { 10, 6, Qt::black }, { 10, 17, Qt::transparent } };

        QTest::newRow("source atop tints only what is there") << Drawing([](GraphicsContext &c) {
            c.beginTransparencyLayer();
            c.fillRect(Rect(0, 0, 10, 20), Color::black());
            c.setCompositeOperation(CompositeOperation::sourceAtop);
            c.fillRect(Rect(0, 0, 20, 20), Color::green());
            c.endTransparencyLayer();
        }) << QList<Sample> { { 5, 10, Qt::green }, { 15, 10, Qt::transparent } };

        QTest::newRow("gradient stays between its ends")
            << Drawing([](GraphicsContext &c) {
                   c.drawLinearGradient(Gradient { { Color::red(), Color::blue() }, {} }, { 5, 0 }, { 15, 0 });
               })
            << QList<Sample> { { 2, 10, Qt::transparent }, { 18, 10, Qt::transparent },
                   { 6, 10, QColor(217, 0, 38), 12 } };

        QTest::newRow("gradient extended") << Drawing([](GraphicsContext &c) {
            c.drawLinearGradient(Gradient { { Color::red(), Color::blue() }, {} }, { 5, 0 }, { 15, 0 }, { true, true });
        }) << QList<Sample> { { 2, 10, Qt::red }, { 18, 10, Qt::blue } };

        QTest::newRow("dashes are in points") << Drawing([](GraphicsContext &c) {
            Path p;
            p.moveTo({ 0, 10 });
            p.lineTo({ 20, 10 });
            StrokeStyle s;
            s.color = Color::red();
            s.lineWidth = 4;
            s.dashPattern = { 5, 5 };
            c.strokePath(p, s);
        }) << QList<Sample> { { 2, 10, Qt::red }, { 7, 10, Qt::transparent }, { 12, 10, Qt::red } };
    }

    void painterDrawsWhatItIsTold()
    {
        QFETCH(Drawing, draw);
        QFETCH(QList<Sample>, samples);
        for (double scale : { 1.0, 2.0 }) {
            const QImage img = paint({ 20, 20 }, draw, scale);
            for (const Sample &s : samples) {
                const QColor got = pixelFromBottom(img, int(s.x * scale + scale / 2), int(s.y * scale + scale / 2));
                QVERIFY2(near(got, s.color, s.tolerance),
                    qPrintable(QStringLiteral("scale %1, point %2,%3: %4, expected %5")
                                   .arg(scale)
                                   .arg(s.x)
                                   .arg(s.y)
                                   .arg(got.name(QColor::HexArgb), s.color.name(QColor::HexArgb))));
            }
        }
    }

    void recorderKeepsStateWithEachCall()
    {
        RecordingContext rec(2.0);
        QCOMPARE(rec.backingScale(), 2.0);
        rec.save();
        rec.translate(5, 7);
        rec.setAlpha(0.5);
        rec.fillRoundedRect(Rect(0, 0, 4, 4), 1, 2, Color::red());
        rec.restore();
        StrokeStyle s;
        s.lineWidth = 3;
        rec.strokeRect(Rect(1, 1, 2, 2), s);
        {
            ScopedCurrentContext current(rec);
            QCOMPARE(GraphicsContext::current(), &rec);
            BezierPath::withOval(Rect(0, 0, 2, 2)).fill(*GraphicsContext::current());
        }
        QCOMPARE(GraphicsContext::current(), nullptr);

        QCOMPARE(rec.calls().size(), size_t(3));
        const DrawCall &fill = rec.calls()[0];
        QCOMPARE(fill.kind, DrawCall::Kind::fillRoundedRect);
        QCOMPARE(fill.radiusX, 1.0);
        QCOMPARE(fill.radiusY, 2.0);
        QCOMPARE(fill.alpha, 0.5);
        QCOMPARE(fill.baseRect(), Rect(5, 7, 4, 4));
        const DrawCall &stroke = rec.calls()[1];
        QCOMPARE(stroke.kind, DrawCall::Kind::strokePath);
        QCOMPARE(stroke.stroke.lineWidth, 3.0);
        QCOMPARE(stroke.alpha, 1.0);
        QCOMPARE(stroke.baseRect(), Rect(1, 1, 2, 2));
        QCOMPARE(rec.calls()[2].kind, DrawCall::Kind::fillPath);
        QCOMPARE(rec.calls()[2].color, Color::black()); // the context's default fill colour
    }
};

QTEST_MAIN(GraphicsTest)
#include "graphics_test.moc"
