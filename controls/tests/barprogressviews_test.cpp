#include "controlstestsupport.h"
#include "pirrow/horizontalprogressview.h"
#include "pirrow/progressview.h"
#include "pirrow/stackedsegmentview.h"
#include "pirrow/verticalprogressview.h"

#include <QTest>

using namespace platform::ui;
using namespace pirrow;
using pirrowtest::near;
using pirrowtest::pixelFromBottom;

namespace {

Path line(Point from, Point to)
{
    Path p;
    p.moveTo(from);
    p.lineTo(to);
    return p;
}

} // namespace

class BarProgressViewsTest : public QObject {
    Q_OBJECT

private slots:
    void progressViewLayers_data()
    {
        QTest::addColumn<bool>("roundCorners");
        QTest::addColumn<double>("cornerRadius");
        QTest::newRow("round") << true << 4.0;
        QTest::newRow("square") << false << 0.0;
    }

    void progressViewLayers()
    {
        QFETCH(bool, roundCorners);
        QFETCH(double, cornerRadius);
        ProgressView bar(Rect(0, 0, 200, 8));
        bar.setColor(Color::red());
        bar.setRoundCorners(roundCorners);
        bar.setValue(0.25);

        QVERIFY(bar.layer()->masksToBounds());
        QCOMPARE(bar.layer()->cornerRadius(), cornerRadius);
        QCOMPARE(bar.layer()->sublayers().size(), size_t(2));
        QCOMPARE(bar.layer()->sublayers()[0], std::static_pointer_cast<Layer>(bar.bgLayer()));
        QCOMPARE(bar.layer()->sublayers()[1], std::static_pointer_cast<Layer>(bar.progressLayer()));

        QCOMPARE(*bar.bgLayer()->strokeColor(), Color::red().withAlphaComponent(0.2));
        QVERIFY(!bar.bgLayer()->fillColor());
        QCOMPARE(bar.bgLayer()->lineWidth(), 8.0);
        QCOMPARE(*bar.bgLayer()->path(), Path::rect(Rect(0, 0, 200, 8)));

        QCOMPARE(*bar.progressLayer()->path(), line({ 0, 4 }, { 200, 4 }));
        QCOMPARE(bar.progressLayer()->lineCap(), LineCap::butt);
        QCOMPARE(bar.progressLayer()->lineWidth(), 8.0);
        QCOMPARE(*bar.progressLayer()->strokeColor(), Color::red());
        QCOMPARE(bar.progressLayer()->strokeEnd(), 0.25);
    }

    void progressViewFillsItsShareInFullColour()
    {
        ProgressView bar(Rect(0, 0, 200, 8));
        bar.setColor(Color::red());
        bar.setValue(0.25);
        const QImage image = bar.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 25, 4), Qt::red));
        QVERIFY(near(pixelFromBottom(image, 47, 4), Qt::red));
        const QColor track = pixelFromBottom(image, 120, 4);
        QVERIFY2(std::abs(track.alpha() - 51) <= 4, qPrintable(QString::number(track.alpha())));
    }

    void aValueChangeDoesNotAnimate()
    {
        ProgressView bar(Rect(0, 0, 200, 8));
        bar.renderToImage();
        bar.setValue(0.6);
        QVERIFY(bar.progressLayer()->animationKeys().isEmpty());
        QCOMPARE(std::get<double>(*bar.progressLayer()->presentationValue(QStringLiteral("strokeEnd"))), 0.6);
    }

    void horizontalBarColours()
    {
        HorizontalProgressView bar(Rect(0, 0, 100, 6));
        bar.setAppearance(Appearance::darkAqua());
        QCOMPARE(bar.layer()->cornerRadius(), 4.0);
        bar.setColor(Color::red());
        QCOMPARE(*bar.progressLayer()->strokeColor(), Color::red());
        QCOMPARE(*bar.bgLayer()->strokeColor(), Color::red().withAlphaComponent(0.22));

        bar.setColor(std::nullopt);
        QCOMPARE(*bar.progressLayer()->strokeColor(), Color::controlAccent().resolved(Appearance::darkAqua()));
        QCOMPARE(*bar.bgLayer()->strokeColor(), Color::quaternaryLabel().resolved(Appearance::darkAqua()));

        bar.setCornerRadius(1);
        QCOMPARE(bar.layer()->cornerRadius(), 1.0);
    }

    void verticalBarFillsFromTheBottom()
    {
        VerticalProgressView bar(Rect(0, 0, 10, 100));
        bar.setAppearance(Appearance::aqua());
        bar.setValue(0.5);
        QCOMPARE(*bar.progressLayer()->path(), line({ 5, 0 }, { 5, 100 }));
        // Both lines are as wide as the view is high; the clipping keeps them inside.
        QCOMPARE(bar.progressLayer()->lineWidth(), 100.0);
        QCOMPARE(bar.bgLayer()->lineWidth(), 100.0);

        const QImage image = bar.renderToImage();
        const QColor accent = Color::controlAccent().resolved(Appearance::aqua()).toQColor();
        QVERIFY(near(pixelFromBottom(image, 5, 20), accent));
        QVERIFY(near(pixelFromBottom(image, 5, 45), accent));
        QVERIFY(!near(pixelFromBottom(image, 5, 75), accent, 40));
    }

    void singleValueBarsFollowTheAppearance()
    {
        VerticalProgressView bar(Rect(0, 0, 10, 100));
        bar.setAppearance(Appearance::aqua());
        bar.layoutSubtreeIfNeeded();
        bar.setAppearance(Appearance::darkAqua());
        QCOMPARE(*bar.bgLayer()->strokeColor(), Color::quaternaryLabel().resolved(Appearance::darkAqua()));
    }

    void stackedSegmentsSitSideBySide()
    {
        StackedSegmentView view(Rect(0, 0, 100, 10));
        view.setAppearance(Appearance::aqua());
        view.setSegments({ { 0.2, Color::red() }, { 0.5, Color::blue() } });
        view.layoutSubtreeIfNeeded();

        QCOMPARE(view.layer()->cornerRadius(), 8.0);
        QCOMPARE(view.layers().size(), size_t(3));
        QCOMPARE(view.layer()->sublayers().size(), size_t(3));
        const auto background = std::static_pointer_cast<ShapeLayer>(view.layers()[0]);
        QCOMPARE(*background->path(), Path::roundedRect(Rect(0, 0, 100, 10), 8, 8));
        QCOMPARE(*background->fillColor(), Color::separator().resolved(Appearance::aqua()));
        QCOMPARE(*std::static_pointer_cast<ShapeLayer>(view.layers()[1])->path(), Path::rect(Rect(0, 0, 20, 10)));
        QCOMPARE(*std::static_pointer_cast<ShapeLayer>(view.layers()[2])->path(), Path::rect(Rect(20, 0, 50, 10)));

        view.setBackgroundColor(Color::green());
        const QImage image = view.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 10, 5), Qt::red));
        QVERIFY(near(pixelFromBottom(image, 45, 5), Qt::blue));
        QVERIFY(near(pixelFromBottom(image, 85, 5), Qt::green));
    }

    void stackedSegmentsReplaceTheirLayersOnEveryPass()
    {
        StackedSegmentView view(Rect(0, 0, 100, 10));
        view.setSegments({ { 0.6, Color::red() }, { 0.6, Color::blue() } });
        const auto first = view.layers();
        view.layout();
        view.layout();
        QCOMPARE(view.layers().size(), size_t(3));
        QCOMPARE(view.layer()->sublayers().size(), size_t(3));
        for (const auto &old : first)
            QVERIFY(!old->superlayer());
        // Shares past the whole run off the right edge and are clipped there.
        QCOMPARE(std::static_pointer_cast<ShapeLayer>(view.layers()[2])->path()->boundingBox(), Rect(60, 0, 60, 10));
        const QImage image = view.renderToImage();
        QVERIFY(near(pixelFromBottom(image, 90, 5), Qt::blue));
    }

    void stackedBackgroundFollowsTheAppearanceAtOnce()
    {
        StackedSegmentView view(Rect(0, 0, 100, 10));
        view.setAppearance(Appearance::aqua());
        view.layoutSubtreeIfNeeded();
        view.setAppearance(Appearance::darkAqua());
        const auto background = std::static_pointer_cast<ShapeLayer>(view.layers()[0]);
        QCOMPARE(*background->fillColor(), Color::separator().resolved(Appearance::darkAqua()));
        QVERIFY(Color::separator().resolved(Appearance::darkAqua()) != Color::separator().resolved(Appearance::aqua()));
    }
};

QTEST_MAIN(BarProgressViewsTest)
#include "barprogressviews_test.moc"
