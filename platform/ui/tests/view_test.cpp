#include "platform/ui/graphicscontext.h"
#include "platform/ui/recordingcontext.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/text.h"
#include "platform/ui/view.h"
#include "uitestsupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::inkBounds;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;

namespace {

// Fills a fixed rectangle in a fixed colour.
class FillView : public View {
public:
    explicit FillView(const Rect &frame, Rect fill, Color color = Color::red())
        : View(frame)
        , m_fill(fill)
        , m_color(color)
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(m_fill, m_color); }

private:
    Rect m_fill;
    Color m_color;
};

// A plain container, flipped or not.
class FlippableView : public View {
public:
    FlippableView(const Rect &frame, bool flipped)
        : View(frame)
        , m_flipped(flipped)
    {
    }
    bool isFlipped() const override { return m_flipped; }

private:
    bool m_flipped;
};

// Draws a text at the top of a tall rectangle.
class TextView : public View {
public:
    using View::View;
    QString text = QStringLiteral("Hg");
    Rect rect { 4, 4, 60, 52 };
    void drawRect(GraphicsContext &ctx, const Rect &) override
    {
        TextAttributes a;
        a.font = Font::systemFont(14);
        a.foregroundColor = Color::black();
        ctx.drawText(text, rect, a);
    }
};

// Counts its hooks, and fills with an appearance-dependent colour.
class HookView : public View {
public:
    using View::View;
    int layouts = 0;
    int appearanceChanges = 0;
    int draws = 0;
    void layout() override
    {
        ++layouts;
        View::layout();
    }
    void viewDidChangeEffectiveAppearance() override { ++appearanceChanges; }
    void drawRect(GraphicsContext &ctx, const Rect &) override
    {
        ++draws;
        ctx.fillRect(bounds(), Color::dynamic(QStringLiteral("test.fill"), Color::white(), Color::black()));
    }
};

class ClickView : public View {
public:
    using View::View;
    bool handles = true;
    std::vector<QString> events;
    std::vector<Point> locations;
    void mouseDown(const MouseEvent &e) override
    {
        if (!handles) {
            View::mouseDown(e);
            return;
        }
        events.push_back(QStringLiteral("down"));
        locations.push_back(e.location);
    }
    void mouseUp(const MouseEvent &e) override
    {
        if (!handles) {
            View::mouseUp(e);
            return;
        }
        events.push_back(QStringLiteral("up"));
        locations.push_back(e.location);
    }
    void mouseEntered(const MouseEvent &e) override
    {
        events.push_back(QStringLiteral("entered"));
        locations.push_back(e.location);
    }
    void mouseExited(const MouseEvent &) override { events.push_back(QStringLiteral("exited")); }
};

void sendMove(QWidget *w, QPointF pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void recorderKeepsTheFilledRectangle()
    {
        FillView view(Rect(0, 0, 20, 20), Rect(0, 0, 10, 5));
        RecordingContext rec;
        view.render(rec);
        const auto fills = rec.calls(DrawCall::Kind::fillRect);
        QCOMPARE(fills.size(), size_t(1));
        QCOMPARE(fills[0].rect, Rect(0, 0, 10, 5));
        QCOMPARE(fills[0].baseRect(), Rect(0, 0, 10, 5));
        QCOMPARE(fills[0].color, Color::red());
    }

    void filledRectangleCoversTheBottomRows()
    {
        FillView view(Rect(0, 0, 20, 20), Rect(0, 0, 10, 5));
        const QImage img = view.renderToImage(1.0);
        QCOMPARE(img.size(), QSize(20, 20));
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool filled = x < 10 && y < 5;
                QVERIFY2(near(pixelFromBottom(img, x, y), filled ? QColor(Qt::red) : QColor(Qt::transparent)),
                    qPrintable(QStringLiteral("pixel %1,%2 from the bottom").arg(x).arg(y)));
            }
        }
    }

    void renderingFollowsTheDevicePixelRatio()
    {
        FillView view(Rect(0, 0, 20, 20), Rect(0, 0, 10, 5));
        const QImage img = view.renderToImage(2.0);
        QCOMPARE(img.size(), QSize(40, 40));
        QCOMPARE(img.devicePixelRatio(), 2.0);
        QVERIFY(near(pixelFromBottom(img, 18, 8), Qt::red));
        QVERIFY(near(pixelFromBottom(img, 21, 8), Qt::transparent));
        QVERIFY(near(pixelFromBottom(img, 18, 11), Qt::transparent));
    }

    void textIsDrawnUprightFromTheTopOfItsRectangle_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }

    void textIsDrawnUprightFromTheTopOfItsRectangle()
    {
        QFETCH(double, scale);
        TextView view(Rect(0, 0, 80, 60));
        RecordingContext rec;
        view.render(rec);
        const auto texts = rec.calls(DrawCall::Kind::text);
        QCOMPARE(texts.size(), size_t(1));
        QCOMPARE(texts[0].text, QStringLiteral("Hg"));
        QCOMPARE(texts[0].rect, view.rect);

        // The ink must sit in the first line band at the top of the rectangle, starting at its left
        // edge. Mirrored text would land at the bottom of the rectangle (or run right to left).
        const QImage img = view.renderToImage(scale);
        const QRect ink = inkBounds(img);
        QVERIFY(!ink.isEmpty());
        const TextAttributes attrs { Font::systemFont(14), Color::black(), std::nullopt };
        const Size textSize = Text::size(QStringLiteral("Hg"), attrs);
        const double rectTopRow = (60 - (view.rect.y() + view.rect.height())) * scale; // y-down device row
        QVERIFY2(ink.top() >= rectTopRow - 1 && ink.bottom() <= rectTopRow + textSize.height * scale + 1,
            qPrintable(QStringLiteral("ink rows %1-%2, expected within %3-%4")
                           .arg(ink.top())
                           .arg(ink.bottom())
                           .arg(rectTopRow)
                           .arg(rectTopRow + textSize.height * scale)));
        QVERIFY(ink.left() >= view.rect.x() * scale - 1 && ink.left() <= (view.rect.x() + 3) * scale);
        QVERIFY(ink.right() <= (view.rect.x() + textSize.width) * scale + 1);
    }

    void subviewsAreDrawnAtTheirFramesAboveTheirSuperview()
    {
        FillView root(Rect(0, 0, 30, 30), Rect(0, 0, 30, 30), Color::blue());
        auto *child = new FillView(Rect(10, 20, 5, 5), Rect(0, 0, 5, 5), Color::green());
        root.addSubview(child);
        QCOMPARE(child->superview(), &root);
        QCOMPARE(root.subviews(), QList<View *> { child });

        RecordingContext rec;
        root.render(rec);
        const auto fills = rec.calls(DrawCall::Kind::fillRect);
        QCOMPARE(fills.size(), size_t(2));
        QCOMPARE(fills[1].baseRect(), Rect(10, 20, 5, 5));

        const QImage img = root.renderToImage(1.0);
        QVERIFY(near(pixelFromBottom(img, 12, 22), Qt::green));
        QVERIFY(near(pixelFromBottom(img, 12, 18), Qt::blue));
        // Qt geometry is the frame measured from the superview's top.
        QCOMPARE(child->geometry(), QRect(10, 5, 5, 5));
    }

    void onScreenPaintingMatchesTheRenderedPicture()
    {
        FillView root(Rect(0, 0, 30, 30), Rect(0, 0, 30, 30), Color::blue());
        root.setWantsLayer(true);
        root.layer()->setCornerRadius(6);
        root.layer()->setMasksToBounds(true);
        root.addSubview(new FillView(Rect(10, 20, 5, 5), Rect(0, 0, 5, 5), Color::green()));
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        const QImage onScreen = root.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage rendered = root.renderToImage(1.0);
        for (const QPoint p : { QPoint(12, 7), QPoint(12, 12), QPoint(25, 25) })
            QCOMPARE(onScreen.pixelColor(p), rendered.pixelColor(p));
        QVERIFY(near(onScreen.pixelColor(12, 7), Qt::green));
    }

    void hiddenSubviewsAreNotDrawn()
    {
        FillView root(Rect(0, 0, 30, 30), Rect(0, 0, 0, 0));
        auto *child = new FillView(Rect(0, 0, 10, 10), Rect(0, 0, 10, 10));
        root.addSubview(child);
        child->setHidden(true);
        RecordingContext rec;
        root.render(rec);
        QVERIFY(rec.calls(DrawCall::Kind::fillRect).size() == 1); // the root's empty fill only
        QVERIFY(child->isHiddenOrHasHiddenAncestor());
    }

    void flippedSuperviewPlacesSubviewsFromItsTop()
    {
        class Flipped : public View {
        public:
            using View::View;
            bool isFlipped() const override { return true; }
        };
        Flipped root(Rect(0, 0, 30, 30));
        auto *child = new FillView(Rect(0, 0, 10, 5), Rect(0, 0, 10, 5));
        root.addSubview(child);
        const QImage img = root.renderToImage(1.0);
        QVERIFY(near(img.pixelColor(2, 2), Qt::red)); // top-left in Qt rows
        QVERIFY(near(pixelFromBottom(img, 2, 2), Qt::transparent));
        QCOMPARE(child->geometry(), QRect(0, 0, 10, 5));
    }

    void frameChangesKeepSubviewsAnchoredAtTheBottom()
    {
        View root(Rect(0, 0, 40, 40));
        auto *child = new View(Rect(5, 5, 10, 10));
        root.addSubview(child);
        QCOMPARE(child->geometry(), QRect(5, 25, 10, 10));
        root.setFrameSize({ 40, 60 });
        QCOMPARE(child->geometry(), QRect(5, 45, 10, 10));
        QCOMPARE(root.bounds(), Rect(0, 0, 40, 60));
    }

    void convertsPointsBetweenViews()
    {
        View root(Rect(0, 0, 100, 100));
        auto *a = new View(Rect(10, 20, 50, 50));
        auto *b = new View(Rect(5, 5, 10, 10));
        root.addSubview(a);
        a->addSubview(b);
        QCOMPARE(b->convertPointTo({ 1, 2 }, &root), Point(16, 27));
        QCOMPARE(root.convertPointTo({ 16, 27 }, b), Point(1, 2));
        QCOMPARE(b->convertPoint({ 16, 27 }, nullptr), Point(1, 2));
        QCOMPARE(root.hitTest({ 16, 27 }), b);
        QCOMPARE(root.hitTest({ 90, 90 }), &root);
    }

    void layoutRunsFirstAfterConstructionAndAfterSizeChanges()
    {
        HookView view(Rect(0, 0, 10, 10));
        QCOMPARE(view.layouts, 0);
        view.layoutSubtreeIfNeeded();
        QCOMPARE(view.layouts, 1);
        view.layoutSubtreeIfNeeded();
        QCOMPARE(view.layouts, 1);
        view.setFrameSize({ 20, 10 });
        QVERIFY(view.needsLayout());
        QCoreApplication::processEvents();
        QCOMPARE(view.layouts, 2);
    }

    void appearanceChangeRerendersWithoutRecreatingTheView()
    {
        ScopedAppearance dark(Appearance::darkAqua());
        HookView view(Rect(0, 0, 10, 10));
        QImage img = view.renderToImage(1.0);
        QVERIFY(near(pixelFromBottom(img, 5, 5), Qt::black));
        QSignalSpy redraws(&view, &View::displayRequested);
        {
            ScopedAppearance light(Appearance::aqua());
            QCOMPARE(view.appearanceChanges, 1);
            QVERIFY(view.needsDisplay());
            QVERIFY(redraws.count() >= 1);
            img = view.renderToImage(1.0);
            QVERIFY(near(pixelFromBottom(img, 5, 5), Qt::white));
        }
        QCOMPARE(view.appearanceChanges, 2);
        img = view.renderToImage(1.0);
        QVERIFY(near(pixelFromBottom(img, 5, 5), Qt::black));
    }

    void ownAppearanceOverridesTheApplicationsForTheSubtree()
    {
        ScopedAppearance light(Appearance::aqua());
        View root(Rect(0, 0, 20, 20));
        auto *child = new HookView(Rect(0, 0, 10, 10));
        root.addSubview(child);
        root.setAppearance(Appearance::darkAqua());
        QCOMPARE(child->effectiveAppearance(), Appearance::darkAqua());
        QCOMPARE(child->appearanceChanges, 1);
        RecordingContext rec;
        root.render(rec);
        QCOMPARE(rec.calls(DrawCall::Kind::fillRect).at(0).color, Color::black());
        QCOMPARE(rec.calls(DrawCall::Kind::fillRect).at(0).appearance, Appearance::darkAqua());
    }

    void mouseDownGoesToTheViewOrOnToItsSuperview()
    {
        ClickView root(Rect(0, 0, 40, 40));
        auto *child = new ClickView(Rect(10, 10, 10, 10));
        root.addSubview(child);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));

        QTest::mouseClick(child, Qt::LeftButton, {}, QPoint(2, 3));
        QCOMPARE(child->events, (std::vector<QString> { QStringLiteral("down"), QStringLiteral("up") }));
        QCOMPARE(child->locations.at(0), Point(2, 7)); // y up: 10 - 3
        QVERIFY(root.events.empty());

        child->handles = false;
        child->events.clear();
        QTest::mousePress(child, Qt::LeftButton, {}, QPoint(2, 3));
        QCOMPARE(root.events, std::vector<QString> { QStringLiteral("down") });
        QCOMPARE(root.locations.at(0), Point(12, 17));
        QTest::mouseRelease(child, Qt::LeftButton, {}, QPoint(2, 3));
    }

    void trackingAreasReportEnteringAndLeaving()
    {
        ClickView view(Rect(0, 0, 40, 40));
        view.addTrackingArea(std::make_shared<TrackingArea>(
            Rect(0, 0, 20, 20), TrackingArea::mouseEnteredAndExited | TrackingArea::activeAlways, &view));
        sendMove(&view, QPointF(30, 5)); // y up 35: outside
        QVERIFY(view.events.empty());
        sendMove(&view, QPointF(5, 35)); // y up 5: inside
        QCOMPARE(view.events, std::vector<QString> { QStringLiteral("entered") });
        QCOMPARE(view.locations.at(0), Point(5, 5));
        sendMove(&view, QPointF(6, 34)); // still inside: nothing new
        QCOMPARE(view.events.size(), size_t(1));
        sendMove(&view, QPointF(30, 35));
        QCOMPARE(view.events, (std::vector<QString> { QStringLiteral("entered"), QStringLiteral("exited") }));
    }

    void pinningConstraintsFollowTheSuperview()
    {
        View root(Rect(0, 0, 100, 50));
        auto *child = new View(Rect(0, 0, 10, 10));
        root.addSubview(child);
        LayoutConstraint::activate({ child->topAnchor().constraintEqualTo(root.topAnchor(), 5),
            child->bottomAnchor().constraintEqualTo(root.bottomAnchor(), -10),
            child->leadingAnchor().constraintEqualTo(root.leadingAnchor(), 20),
            child->trailingAnchor().constraintEqualTo(root.trailingAnchor(), -30) });
        QCOMPARE(root.constraints().size(), size_t(4));
        root.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame(), Rect(20, 10, 50, 35));
        root.setFrameSize({ 200, 100 });
        root.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame(), Rect(20, 10, 150, 85));
    }

    void ownSizeConstraintsApplyInAPlainContainer_data()
    {
        QTest::addColumn<bool>("containerHasConstraints");
        QTest::addColumn<bool>("flipped");
        QTest::newRow("plain container") << false << false;
        QTest::newRow("plain flipped container") << false << true;
        QTest::newRow("container that pins another view") << true << false;
    }

    // The own size keeps the view's top-left corner where it was unless the container's constraints
    // place it: in a y-up container the top edge is at y + height.
    void ownSizeConstraintsApplyInAPlainContainer()
    {
        QFETCH(bool, containerHasConstraints);
        QFETCH(bool, flipped);
        FlippableView root(Rect(0, 0, 200, 100), flipped);
        auto *child = new View(Rect(10, 20, 5, 5));
        root.addSubview(child);
        if (containerHasConstraints) {
            auto *other = new View(Rect(0, 0, 1, 1));
            root.addSubview(other);
            other->leadingAnchor().constraintEqualTo(root.leadingAnchor(), 3)->setActive(true);
        }
        child->setTranslatesAutoresizingMaskIntoConstraints(false);
        const auto width = child->widthAnchor().constraintEqualToConstant(40);
        const auto height = child->heightAnchor().constraintEqualToConstant(12);
        LayoutConstraint::activate({ width, height });
        QCOMPARE(child->constraints().size(), size_t(2)); // held by the child itself
        root.layoutSubtreeIfNeeded();
        // Top edge 25 (y-up) or 20 (flipped) as before; 12 high below it.
        const double y = flipped ? 20 : 13;
        QCOMPARE(child->frame(), Rect(10, y, 40, 12));

        // A new constant on the child's own constraint lays the container out again.
        width->setConstant(64);
        QVERIFY(root.needsLayout());
        root.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame(), Rect(10, y, 64, 12));

        // Without its own constraint the view keeps the size it has.
        height->setActive(false);
        root.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame(), Rect(10, y, 64, 12));
    }

    void ownSizeAndContainerEdgesCombine()
    {
        View root(Rect(0, 0, 200, 100));
        auto *child = new View(Rect(0, 0, 5, 5));
        root.addSubview(child);
        LayoutConstraint::activate({ child->trailingAnchor().constraintEqualTo(root.trailingAnchor(), -8),
            child->topAnchor().constraintEqualTo(root.topAnchor(), 6), child->widthAnchor().constraintEqualToConstant(50),
            child->heightAnchor().constraintEqualToConstant(20) });
        root.layoutSubtreeIfNeeded();
        // Right edge 8 from the right, top 6 below the top: x = 200 - 8 - 50, y = 100 - 6 - 20.
        QCOMPARE(child->frame(), Rect(142, 74, 50, 20));
    }
};

QTEST_MAIN(ViewTest)
#include "view_test.moc"
