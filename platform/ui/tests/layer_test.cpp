#include "platform/core/clock.h"
#include "platform/ui/basicanimation.h"
#include "platform/ui/gradientlayer.h"
#include "platform/ui/layer.h"
#include "platform/ui/paintercontext.h"
#include "platform/ui/recordingcontext.h"
#include "platform/ui/shapelayer.h"
#include "platform/ui/textlayer.h"
#include "platform/ui/transaction.h"
#include "platform/ui/transition.h"
#include "platform/ui/view.h"
#include "uitestsupport.h"

#include <QPainter>
#include <QTest>

#include <functional>

using namespace platform::ui;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;
using namespace std::chrono_literals;

namespace {
struct Sample {
    int x; // device pixels from the left
    int y; // device pixels from the bottom
    QColor color;
};
using Builder = std::function<std::shared_ptr<Layer>()>;
using Check = std::function<void(const Layer &root)>;

QImage render(const Layer &layer, Size size, double scale = 1)
{
    QImage img(int(size.width * scale), int(size.height * scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PainterContext ctx(p, size, scale);
    layer.renderInContext(ctx);
    return img;
}

std::shared_ptr<Layer> square(Rect frame, Color color)
{
    auto l = Layer::create();
    l->setFrame(frame);
    l->setBackgroundColor(color);
    return l;
}

std::shared_ptr<Layer> root40(std::optional<Color> background = std::nullopt)
{
    auto root = Layer::create();
    root->setBounds(Rect(0, 0, 40, 40));
    root->setBackgroundColor(background);
    return root;
}
} // namespace

Q_DECLARE_METATYPE(Builder)
Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(QList<Sample>)

class LayerTest : public QObject {
    Q_OBJECT

private slots:
    void treesDrawAsTheirPropertiesSay_data()
    {
        QTest::addColumn<Builder>("build");
        QTest::addColumn<Check>("check");
        QTest::addColumn<QList<Sample>>("samples");

        QTest::newRow("background") << Builder([] { return root40(Color::red()); })
                                    << Check([](const Layer &r) { QCOMPARE(r.backgroundColor(), Color::red()); })
                                    << QList<Sample> { { 20, 20, Qt::red }, { 2, 2, Qt::red } };

        QTest::newRow("corner radius") << Builder([] {
            auto r = root40(Color::blue());
            r->setCornerRadius(12);
            return r;
        }) << Check([](const Layer &r) { QCOMPARE(r.cornerRadius(), 12.0); })
                                       << QList<Sample> { { 20, 20, Qt::blue }, { 20, 2, Qt::blue },
                                              { 1, 1, Qt::transparent }, { 38, 38, Qt::transparent } };

        QTest::newRow("mask") << Builder([] {
            auto r = root40(Color::green());
            auto m = ShapeLayer::create();
            m->setPath(Path::rect(Rect(0, 0, 20, 40)));
            r->setMask(m);
            return r;
        }) << Check([](const Layer &r) {
            QVERIFY(r.mask());
            QCOMPARE(r.mask()->superlayer(), nullptr);
            QVERIFY(r.sublayers().empty());
        }) << QList<Sample> { { 10, 20, Qt::green }, { 30, 20, Qt::transparent } };

        QTest::newRow("gradient across") << Builder([] {
            auto g = GradientLayer::create();
            g->setFrame(Rect(0, 0, 40, 40));
            g->setColors({ Color::red(), Color::blue() });
            g->setStartPoint({ 0, 0.5 });
            g->setEndPoint({ 1, 0.5 });
            return std::static_pointer_cast<Layer>(g);
        }) << Check([](const Layer &r) { QCOMPARE(static_cast<const GradientLayer &>(r).colors().size(), size_t(2)); })
                                         << QList<Sample> { { 0, 20, QColor(253, 0, 2) }, { 39, 20, QColor(2, 0, 253) },
                                                { 20, 20, QColor(121, 0, 134) } };

        QTest::newRow("gradient runs upward by default") << Builder([] {
            auto g = GradientLayer::create();
            g->setFrame(Rect(0, 0, 40, 40));
            g->setColors({ Color::red(), Color::blue() });
            return std::static_pointer_cast<Layer>(g);
        }) << Check([](const Layer &r) {
            QCOMPARE(static_cast<const GradientLayer &>(r).startPoint(), Point(0.5, 0));
        }) << QList<Sample> { { 20, 0, QColor(253, 0, 2) }, { 20, 39, QColor(2, 0, 253) } };

        QTest::newRow("hidden sublayer") << Builder([] {
            auto r = root40(Color::white());
            auto s = square(Rect(0, 0, 20, 20), Color::red());
            s->setHidden(true);
            r->addSublayer(s);
            return r;
        }) << Check([](const Layer &r) { QVERIFY(r.sublayers().at(0)->isHidden()); })
                                         << QList<Sample> { { 10, 10, Qt::white } };

        QTest::newRow("opacity") << Builder([] {
            auto r = root40(Color::white());
            auto s = square(Rect(0, 0, 20, 20), Color::black());
            s->setOpacity(0.5);
            r->addSublayer(s);
            return r;
        }) << Check([](const Layer &r) { QCOMPARE(r.sublayers().at(0)->opacity(), 0.5); })
                                 << QList<Sample> { { 10, 10, QColor(128, 128, 128) }, { 30, 30, Qt::white } };

        QTest::newRow("group opacity of overlapping sublayers") << Builder([] {
            auto r = root40(Color::white());
            auto group = Layer::create();
            group->setFrame(Rect(0, 0, 40, 40));
            group->setOpacity(0.5);
            group->addSublayer(square(Rect(0, 0, 30, 30), Color::black()));
            group->addSublayer(square(Rect(10, 10, 30, 30), Color::black()));
            r->addSublayer(group);
            return r;
        }) << Check([](const Layer &r) {
            QCOMPARE(r.sublayers().at(0)->sublayers().size(), size_t(2));
        }) << QList<Sample> { { 20, 20, QColor(128, 128, 128) }, { 5, 5, QColor(128, 128, 128) } };

        QTest::newRow("newest sublayer on top") << Builder([] {
            auto r = root40();
            r->addSublayer(square(Rect(0, 0, 30, 30), Color::red()));
            r->addSublayer(square(Rect(10, 10, 30, 30), Color::blue()));
            return r;
        }) << Check([](const Layer &r) { QCOMPARE(r.sublayers().at(1)->superlayer(), &r); })
                                                << QList<Sample> { { 20, 20, Qt::blue }, { 5, 5, Qt::red } };

        QTest::newRow("inserted below") << Builder([] {
            auto r = root40();
            auto top = square(Rect(10, 10, 30, 30), Color::blue());
            r->addSublayer(top);
            r->insertSublayerBelow(square(Rect(0, 0, 30, 30), Color::red()), top.get());
            return r;
        }) << Check([](const Layer &r) { QCOMPARE(r.sublayers().at(1)->backgroundColor(), Color::blue()); })
                                        << QList<Sample> { { 20, 20, Qt::blue }, { 5, 5, Qt::red } };

        QTest::newRow("masks to bounds") << Builder([] {
            auto r = root40();
            auto clip = Layer::create();
            clip->setFrame(Rect(0, 0, 20, 20));
            clip->setMasksToBounds(true);
            clip->addSublayer(square(Rect(0, 0, 40, 40), Color::red()));
            r->addSublayer(clip);
            return r;
        }) << Check([](const Layer &r) { QVERIFY(r.sublayers().at(0)->masksToBounds()); })
                                         << QList<Sample> { { 10, 10, Qt::red }, { 30, 30, Qt::transparent } };

        QTest::newRow("border above the background") << Builder([] {
            auto r = root40(Color::white());
            r->setBorderWidth(4);
            r->setBorderColor(Color::black());
            return r;
        }) << Check([](const Layer &r) {
            QCOMPARE(r.borderWidth(), 4.0);
        }) << QList<Sample> { { 1, 20, Qt::black }, { 20, 38, Qt::black }, { 20, 20, Qt::white } };

        QTest::newRow("stroke end") << Builder([] {
            auto s = ShapeLayer::create();
            s->setFrame(Rect(0, 0, 40, 40));
            Path p;
            p.moveTo({ 0, 20 });
            p.lineTo({ 40, 20 });
            s->setPath(p);
            s->setFillColor(std::nullopt);
            s->setStrokeColor(Color::red());
            s->setLineWidth(6);
            s->setStrokeEnd(0.5);
            return std::static_pointer_cast<Layer>(s);
        }) << Check([](const Layer &r) { QCOMPARE(static_cast<const ShapeLayer &>(r).strokeEnd(), 0.5); })
                                    << QList<Sample> { { 10, 20, Qt::red }, { 30, 20, Qt::transparent } };

        QTest::newRow("position and anchor") << Builder([] {
            auto r = root40();
            auto s = square(Rect(0, 0, 10, 10), Color::red());
            s->setPosition({ 30, 30 });
            r->addSublayer(s);
            return r;
        }) << Check([](const Layer &r) { QCOMPARE(r.sublayers().at(0)->frame(), Rect(25, 25, 10, 10)); })
                                             << QList<Sample> { { 30, 30, Qt::red }, { 20, 20, Qt::transparent } };

        QTest::newRow("rotated about the anchor") << Builder([] {
            auto r = root40();
            auto s = square(Rect(10, 18, 20, 4), Color::red()); // a horizontal bar through the centre
            s->setTransform(AffineTransform::rotation(3.14159265358979 / 2));
            r->addSublayer(s);
            return r;
        }) << Check([](const Layer &r) {
            QVERIFY(fuzzyEqual(r.sublayers().at(0)->frame(), Rect(18, 10, 4, 20), 1e-6));
        }) << QList<Sample> { { 20, 12, Qt::red }, { 12, 20, Qt::transparent } };
    }

    void treesDrawAsTheirPropertiesSay()
    {
        QFETCH(Builder, build);
        QFETCH(Check, check);
        QFETCH(QList<Sample>, samples);
        const std::shared_ptr<Layer> root = build();
        check(*root);
        if (QTest::currentTestFailed())
            return;
        const QImage img = render(*root, { 40, 40 });
        for (const Sample &s : samples) {
            const QColor got = pixelFromBottom(img, s.x, s.y);
            QVERIFY2(near(got, s.color, 4),
                qPrintable(QStringLiteral("pixel %1,%2: %3, expected %4")
                               .arg(s.x)
                               .arg(s.y)
                               .arg(got.name(QColor::HexArgb), s.color.name(QColor::HexArgb))));
        }
    }

    void textLayerDrawsItsStringAtTheTopOfItsBounds()
    {
        auto t = TextLayer::create();
        t->setFrame(Rect(0, 0, 100, 40));
        t->setString(QStringLiteral("42%"));
        t->setFontSize(12);
        t->setForegroundColor(Color::red());
        RecordingContext rec;
        t->renderInContext(rec);
        const auto texts = rec.calls(DrawCall::Kind::text);
        QCOMPARE(texts.size(), size_t(1));
        QCOMPARE(texts[0].text, QStringLiteral("42%"));
        QCOMPARE(texts[0].rect, Rect(0, 0, 100, 40));
        QCOMPARE(texts[0].attributes.effectiveFont().pointSize(), 12.0);
        QCOMPARE(texts[0].color, Color::red());
    }

    void treeOperationsKeepParentsAndOrder()
    {
        auto root = Layer::create();
        auto a = Layer::create();
        auto b = Layer::create();
        auto c = Layer::create();
        root->addSublayer(a);
        root->addSublayer(b);
        root->insertSublayer(c, 1);
        QCOMPARE(root->sublayers(), (std::vector<std::shared_ptr<Layer>> { a, c, b }));
        root->insertSublayerAbove(a, b.get());
        QCOMPARE(root->sublayers(), (std::vector<std::shared_ptr<Layer>> { c, b, a }));
        b->addSublayer(a); // moves
        QCOMPARE(root->sublayers(), (std::vector<std::shared_ptr<Layer>> { c, b }));
        QCOMPARE(a->superlayer(), b.get());
        QCOMPARE(a->rootLayer(), root.get());
        a->addSublayer(root); // a cycle is refused
        QVERIFY(a->sublayers().empty());
        c->removeFromSuperlayer();
        QCOMPARE(c->superlayer(), nullptr);
        QCOMPARE(root->sublayers().size(), size_t(1));
        std::weak_ptr<Layer> gone = b;
        b.reset();
        root->setSublayers({});
        QVERIFY(gone.expired());
        QCOMPARE(a->superlayer(), nullptr); // its superlayer died
    }

    void explicitAnimationRunsOnTheClock()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto layer = Layer::create();
        Transaction::withoutActions([&] { layer->setOpacity(0); });
        BasicAnimation fade(QStringLiteral("opacity"));
        fade.setFromValue(1.0);
        fade.setToValue(0.0);
        fade.setDuration(0.3);
        layer->addAnimation(fade, QStringLiteral("fade"));

        QCOMPARE(std::get<double>(*layer->presentationValue(QStringLiteral("opacity"))), 1.0);
        QCOMPARE(layer->opacity(), 0.0);
        clock.advance(150ms);
        QVERIFY(fuzzyEqual(std::get<double>(*layer->presentationValue(QStringLiteral("opacity"))), 0.5));
        QVERIFY(layer->hasRunningAnimations());
        clock.advance(150ms);
        QCOMPARE(std::get<double>(*layer->presentationValue(QStringLiteral("opacity"))), 0.0);
        QVERIFY(!layer->hasRunningAnimations());
        QCOMPARE(layer->animation(QStringLiteral("fade")), nullptr); // removed on completion
    }

    void implicitAnimationStartsFromWhatIsShown()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto root = root40(Color::white());
        auto s = square(Rect(0, 0, 40, 40), Color::black());
        root->addSublayer(s);
        render(*root, { 40, 40 }); // shown once: from now on changes animate

        Transaction::begin();
        Transaction::setAnimationDuration(0.3);
        Transaction::setAnimationTimingFunction(TimingFunction::linear());
        s->setOpacity(0);
        Transaction::commit();

        QCOMPARE(s->opacity(), 0.0);
        QCOMPARE(std::get<double>(*s->presentationValue(QStringLiteral("opacity"))), 1.0);
        QVERIFY(near(pixelFromBottom(render(*root, { 40, 40 }), 20, 20), Qt::black));
        clock.advance(150ms);
        QVERIFY(near(pixelFromBottom(render(*root, { 40, 40 }), 20, 20), QColor(128, 128, 128), 4));
        clock.advance(200ms);
        QCOMPARE(std::get<double>(*s->presentationValue(QStringLiteral("opacity"))), 0.0);
        QVERIFY(near(pixelFromBottom(render(*root, { 40, 40 }), 20, 20), Qt::white));
    }

    void changesWithoutActionsShowAtOnce()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto root = root40();
        auto s = square(Rect(0, 0, 40, 40), Color::black());
        root->addSublayer(s);
        render(*root, { 40, 40 });
        const double result = Transaction::withoutActions([&] {
            s->setOpacity(0.25);
            return s->opacity();
        });
        QCOMPARE(result, 0.25);
        QCOMPARE(Transaction::depth(), 0);
        QVERIFY(s->animationKeys().isEmpty());
        QCOMPARE(std::get<double>(*s->presentationValue(QStringLiteral("opacity"))), 0.25);
    }

    void freshLayersAndRootLayersDoNotAnimateImplicitly()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto root = root40();
        auto s = square(Rect(0, 0, 10, 10), Color::black());
        root->addSublayer(s);
        s->setOpacity(0.5); // never shown yet
        root->setOpacity(0.5); // has no superlayer
        QVERIFY(s->animationKeys().isEmpty());
        QVERIFY(root->animationKeys().isEmpty());
    }

    void forwardFillHoldsTheEndValue()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto shape = ShapeLayer::create();
        BasicAnimation grow(QStringLiteral("strokeEnd"));
        grow.setFromValue(0.2);
        grow.setToValue(0.7);
        grow.setDuration(0.5);
        grow.setTimingFunction(TimingFunction::named(TimingFunction::Name::easeInEaseOut));
        grow.setFillMode(FillMode::forwards);
        grow.setRemovedOnCompletion(false);
        Transaction::withoutActions([&] { shape->setStrokeEnd(0); });
        shape->addAnimation(grow, QStringLiteral("strokeEnd"));
        clock.advance(250ms);
        QVERIFY(fuzzyEqual(std::get<double>(*shape->presentationValue(QStringLiteral("strokeEnd"))), 0.45));
        clock.advance(1s);
        QCOMPARE(std::get<double>(*shape->presentationValue(QStringLiteral("strokeEnd"))), 0.7);
        QCOMPARE(shape->strokeEnd(), 0.0);
        QVERIFY(shape->animation(QStringLiteral("strokeEnd")));
        QVERIFY(!shape->hasRunningAnimations());
    }

    void animationsWithoutFromValueStartAtTheShownValue()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto layer = Layer::create();
        layer->setPosition({ 10, 10 });
        BasicAnimation move(QStringLiteral("position"));
        move.setToValue(Point { 30, 10 });
        move.setDuration(1);
        move.setRepeatCount(std::numeric_limits<double>::infinity());
        layer->addAnimation(move, QStringLiteral("movement"));
        clock.advance(500ms);
        QCOMPARE(std::get<Point>(*layer->presentationValue(QStringLiteral("position"))), Point(20, 10));
        clock.advance(1000ms); // the second cycle, half way
        QCOMPARE(std::get<Point>(*layer->presentationValue(QStringLiteral("position"))), Point(20, 10));
        QVERIFY(layer->hasRunningAnimations());
        layer->removeAllAnimations();
        QCOMPARE(std::get<Point>(*layer->presentationValue(QStringLiteral("position"))), Point(10, 10));
    }

    void rotationKeyPathTurnsTheLayer()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto layer = Layer::create();
        BasicAnimation spin(QStringLiteral("transform.rotation.z"));
        spin.setToValue(-6.283185307179586);
        spin.setDuration(0.6);
        spin.setRepeatCount(std::numeric_limits<double>::infinity());
        layer->addAnimation(spin, QStringLiteral("rotation"));
        clock.advance(150ms);
        const AffineTransform t = std::get<AffineTransform>(*layer->presentationValue(QStringLiteral("transform")));
        QVERIFY(fuzzyEqual(t.rotationAngle(), -3.14159265358979 / 2, 1e-6)); // a quarter turn clockwise
    }

    void timingFunctionsShapeProgress_data()
    {
        QTest::addColumn<int>("name");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("expected");
        using N = TimingFunction::Name;
        QTest::newRow("linear middle") << int(N::linear) << 0.5 << 0.5;
        QTest::newRow("ease in-out middle") << int(N::easeInEaseOut) << 0.5 << 0.5;
        QTest::newRow("ease in-out early") << int(N::easeInEaseOut) << 0.25 << 0.129;
        QTest::newRow("ease in starts slowly") << int(N::easeIn) << 0.5 << 0.315;
        QTest::newRow("ease out starts fast") << int(N::easeOut) << 0.5 << 0.685;
        QTest::newRow("ends are fixed") << int(N::defaultTiming) << 1.0 << 1.0;
    }

    void timingFunctionsShapeProgress()
    {
        QFETCH(int, name);
        QFETCH(double, t);
        QFETCH(double, expected);
        const double got = TimingFunction::named(TimingFunction::Name(name)).evaluate(t);
        QVERIFY2(std::abs(got - expected) < 0.002, qPrintable(QString::number(got)));
    }

    void fadeTransitionCrossFadesFromWhatWasShown()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        auto l = square(Rect(0, 0, 20, 20), Color::red());
        Transition fade;
        fade.setDuration(1);
        l->addAnimation(fade, QStringLiteral("kCATransitionFade"));
        Transaction::withoutActions([&] { l->setBackgroundColor(Color::blue()); });
        QVERIFY(near(pixelFromBottom(render(*l, { 20, 20 }), 10, 10), Qt::red));
        clock.advance(500ms);
        QVERIFY(near(pixelFromBottom(render(*l, { 20, 20 }), 10, 10), QColor(128, 0, 128), 6));
        clock.advance(500ms);
        QVERIFY(near(pixelFromBottom(render(*l, { 20, 20 }), 10, 10), Qt::blue));
        QVERIFY(l->animationKeys().isEmpty());
    }

    void viewsCrossFadeTheirOwnDrawing()
    {
        class Swatch : public View {
        public:
            using View::View;
            Color color = Color::red();
            void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), color); }
        };
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        Swatch view(Rect(0, 0, 20, 20));
        view.setWantsLayer(true);
        Transition fade;
        fade.setDuration(1);
        view.layer()->addAnimation(fade, QStringLiteral("fade"));
        view.color = Color::blue();
        view.setNeedsDisplay();
        clock.advance(250ms);
        QVERIFY(near(pixelFromBottom(view.renderToImage(), 10, 10), QColor(191, 0, 64), 6));
    }

    void viewRepaintsWhileItsLayersAnimate()
    {
        View view(Rect(0, 0, 20, 20));
        view.setWantsLayer(true);
        auto s = square(Rect(0, 0, 20, 20), Color::red());
        view.layer()->addSublayer(s);
        view.renderToImage();
        QVERIFY(!view.needsDisplay());
        BasicAnimation fade(QStringLiteral("opacity"));
        fade.setDuration(10);
        fade.setFromValue(0.0);
        s->addAnimation(fade);
        QVERIFY(view.needsDisplay());
        QCOMPARE(view.layer()->frame(), Rect(0, 0, 20, 20));
    }
};

QTEST_MAIN(LayerTest)
#include "layer_test.moc"
