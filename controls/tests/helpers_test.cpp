#include "pirrow/bezierpathextensions.h"
#include "pirrow/imageextensions.h"
#include "pirrow/layerextensions.h"
#include "pirrow/maskedoverlayview.h"
#include "pirrow/viewextensions.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/paintercontext.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/transaction.h>

#include <QPainter>
#include <QTest>

#include <stdexcept>

using namespace pirrow;
using namespace platform::ui;

namespace {
class Disc : public View {
public:
    using View::View;
    void drawRect(GraphicsContext &ctx, const Rect &) override
    {
        ctx.fillPath(Path::ellipse(bounds()), Color::black());
    }
};

class Fill : public View {
public:
    Fill(const Rect &frame, Color color)
        : View(frame)
        , m_color(color)
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), m_color); }

private:
    Color m_color;
};

QColor fromBottom(const QImage &img, int x, int y) { return img.pixelColor(x, img.height() - 1 - y); }
} // namespace

class HelpersTest : public QObject {
    Q_OBJECT

private slots:
    void pathsAndImages()
    {
        BezierPath p;
        p.moveTo({ 0, 0 });
        p.curveTo({ 9, 1 }, { 2, 2 }, { 3, 3 });
        p.closePath();
        const Path cg = BezierPathExtensions::cgPath(p);
        QCOMPARE(cg.elementCount(), 3);
        QCOMPARE(cg.elements()[1].points[2], Point(9, 1));

        QImage half(10, 10, QImage::Format_ARGB32_Premultiplied);
        half.fill(Qt::transparent);
        QPainter(&half).fillRect(0, 0, 5, 10, Qt::black);
        Image shape = Image::fromQImage(half);
        QVERIFY(ImageExtensions::tinted(shape, Color::red()).isSameObject(shape)); // not a template
        shape.setTemplate(true);
        const Image red = ImageExtensions::tinted(shape, Color::red());
        QVERIFY(!red.isTemplate());
        QCOMPARE(red.bitmap(1).pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(ImageExtensions::resized(red, 4, 8).size(), Size(4, 8));
    }

    void darknessByName_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("dark");
        QTest::newRow("aqua") << int(Appearance::Kind::aqua) << false;
        QTest::newRow("dark aqua") << int(Appearance::Kind::darkAqua) << true;
        QTest::newRow("vibrant dark") << int(Appearance::Kind::vibrantDark) << true;
        QTest::newRow("vibrant light") << int(Appearance::Kind::vibrantLight) << false;
    }

    void darknessByName()
    {
        QFETCH(int, kind);
        QFETCH(bool, dark);
        View view { Rect(0, 0, 1, 1) };
        view.setAppearance(Appearance(Appearance::Kind(kind)));
        QCOMPARE(ViewExtensions::isDark(view), dark);
    }

    void roundedLayerBackgrounds()
    {
        View plain { Rect(0, 0, 40, 40) };
        ViewExtensions::roundCorners(plain);
        QVERIFY(plain.wantsLayer());
        QCOMPARE(plain.layer()->cornerRadius(), 8.0);

        View view { Rect(0, 0, 40, 40) };
        view.setAppearance(Appearance::darkAqua());
        const Color dependent = Color::dynamic(QStringLiteral("test.card"), Color::white(), Color::blue());
        ViewExtensions::roundCornersWithBackground(view, dependent, 12);
        QCOMPARE(view.layer()->cornerRadius(), 12.0);
        QCOMPARE(view.layer()->backgroundColor(), Color::blue()); // resolved for the view's dark appearance
        const QImage img = view.renderToImage(1);
        QCOMPARE(fromBottom(img, 20, 20), QColor(Qt::blue));
        QCOMPARE(fromBottom(img, 0, 0).alpha(), 0);

        View other { Rect(0, 0, 10, 10) };
        ViewExtensions::setLayerBackgroundColor(other, Color::green());
        QVERIFY(other.wantsLayer());
        QCOMPARE(other.layer()->cornerRadius(), 0.0);
        QCOMPARE(other.layer()->backgroundColor(), Color::green());
    }

    void subviewHelpersWithoutSubviewsOrSuperview()
    {
        View view { Rect(0, 0, 10, 10) };
        ViewExtensions::removeAllSubviews(view);
        QVERIFY(view.subviews().isEmpty());
        ViewExtensions::pinToSuperview(view);
        QVERIFY(view.translatesAutoresizingMaskIntoConstraints());
        QVERIFY(view.constraints().empty());
    }

    void colourOfALayerPoint()
    {
        auto red = Layer::create();
        red->setFrame(Rect(0, 0, 10, 10));
        red->setBackgroundColor(Color::red());
        QCOMPARE(LayerExtensions::colorAt(*red, { 5, 5 }), Color::fromRGBA(1, 0, 0, 1));
        QCOMPARE(LayerExtensions::colorAt(*red, { 20, 5 }), Color::fromRGBA(0, 0, 0, 0));
    }

    void transactionsWithoutActions()
    {
        auto root = Layer::create();
        auto l = Layer::create();
        root->addSublayer(l);
        QImage scratch(4, 4, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&scratch);
            PainterContext ctx(p, { 4, 4 }, 1);
            root->renderInContext(ctx); // shown once, so changes would animate
        }
        const int value = Transaction::withoutActions([&] {
            l->setOpacity(0.3);
            return 7;
        });
        QCOMPARE(value, 7);
        QVERIFY(l->animationKeys().isEmpty());
        bool thrown = false;
        try {
            Transaction::withoutActions([&]() -> int { throw std::runtime_error("failed"); });
        } catch (const std::runtime_error &) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(Transaction::depth(), 0); // committed before the error passed on
        QVERIFY(!Transaction::disableActions());
    }

    void maskedOverlayPaintsThroughTheContent()
    {
        auto masked = ViewExtensions::maskedOverlay(
            std::make_unique<Disc>(Rect(0, 0, 40, 20)), std::make_unique<Fill>(Rect(0, 0, 5, 5), Color::red()));
        QCOMPARE(masked->frame(), Rect(0, 0, 40, 20));
        const QImage img = masked->renderToImage(1);
        QCOMPARE(fromBottom(img, 20, 10), QColor(Qt::red)); // inside the disc: the overlay
        QCOMPARE(fromBottom(img, 1, 1).alpha(), 0); // outside: nothing, the disc itself unseen
        QCOMPARE(fromBottom(img, 38, 18).alpha(), 0);
        auto *view = static_cast<MaskedOverlayView *>(masked.get());
        QCOMPARE(view->overlay()->frame(), Rect(0, 0, 40, 20)); // the overlay takes the content's size
    }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
