#include "controlstestsupport.h"
#include "pirrow/animatedlabel.h"
#include "pirrow/gradienttext.h"

#include <platform/core/clock.h>
#include <platform/ui/textfield.h>
#include <platform/ui/transition.h>

#include <QTest>

using namespace platform::ui;
using namespace pirrow;
using pirrowtest::pixelFromBottom;

namespace {

/// The most opaque pixel among the columns from `x0` to `x1` (exclusive).
QColor strongest(const QImage &image, int x0, int x1)
{
    QColor best(0, 0, 0, 0);
    for (int x = x0; x < x1; ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = pixelFromBottom(image, x, y);
            if (c.alpha() > best.alpha())
                best = c;
        }
    return best;
}

} // namespace

class AnimatedLabelTest : public QObject {
    Q_OBJECT

private slots:
    void titleSetsTheText_data()
    {
        QTest::addColumn<std::optional<QString>>("title");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text") << std::optional<QString>(QStringLiteral("Ready")) << QStringLiteral("Ready");
        QTest::newRow("none") << std::optional<QString>() << QString();
    }

    void titleSetsTheText()
    {
        QFETCH(std::optional<QString>, title);
        QFETCH(QString, shown);
        AnimatedLabel label(Rect(0, 0, 100, 20));
        label.setStringValue(QStringLiteral("before"));
        label.setTitle(title);
        QCOMPARE(label.stringValue(), shown);
        // Without a layer there is nothing to fade.
        QVERIFY(!label.layer());
    }

    void aLayerBackedLabelFades()
    {
        platform::ManualClock clock;
        platform::ScopedClock scoped(clock);
        AnimatedLabel label(Rect(0, 0, 100, 20));
        label.setWantsLayer(true);
        label.setTitle(QStringLiteral("one"));
        const auto *fade = dynamic_cast<const Transition *>(label.layer()->animation(QStringLiteral("kCATransitionFade")));
        QVERIFY(fade);
        QCOMPARE(fade->duration(), 0.75);
        QCOMPARE(fade->timingFunction(), TimingFunction::named(TimingFunction::Name::easeInEaseOut));

        label.setDuration(2);
        QCOMPARE(label.layer()->animation(QStringLiteral("kCATransitionFade"))->duration(), 0.75);
        label.setTitle(QStringLiteral("two"));
        QCOMPARE(label.layer()->animationKeys(), QStringList { QStringLiteral("kCATransitionFade") });
        QCOMPARE(label.layer()->animation(QStringLiteral("kCATransitionFade"))->duration(), 2.0);
        QCOMPARE(label.stringValue(), QStringLiteral("two"));
    }

    void gradientTextTakesItsNaturalSize()
    {
        const QString text = QStringLiteral("Two lines\nof gradient text");
        GradientText view(text);
        TextField reference;
        reference.setStringValue(text);
        reference.setFont(GradientText::defaultFont());
        reference.setAlignment(TextAlignment::center);
        QCOMPARE(view.frame().size, reference.fittingSize());
        TextField oneLine;
        oneLine.setStringValue(QStringLiteral("of gradient text"));
        oneLine.setFont(GradientText::defaultFont());
        QVERIFY(view.frame().height() > oneLine.fittingSize().height * 1.5);
        QCOMPARE(view.font().pointSize(), 24.0);
        QVERIFY(view.font().isBold());
    }

    void gradientRunsLeftToRight()
    {
        GradientText view(QStringLiteral("MMMMMMMMMM"), { Color::red(), Color::blue() });
        const QImage image = view.renderToImage();
        const int w = image.width();
        const QColor left = strongest(image, 0, w / 8);
        const QColor right = strongest(image, w - w / 8, w);
        QVERIFY(left.alpha() > 200 && right.alpha() > 200);
        QVERIFY2(left.red() > 180 && left.blue() < 80, qPrintable(left.name()));
        QVERIFY2(right.blue() > 180 && right.red() < 80, qPrintable(right.name()));
        // Only the glyphs are painted: there is clear space between them.
        int clear = 0;
        for (int x = 0; x < w; ++x)
            clear += pixelFromBottom(image, x, image.height() / 2).alpha() == 0;
        QVERIFY(clear > 0);
    }

    void oneColourPaintsTheWholeText()
    {
        GradientText view(QStringLiteral("MMMM"), { Color::green() });
        const QImage image = view.renderToImage();
        const QColor left = strongest(image, 0, image.width() / 4);
        const QColor right = strongest(image, image.width() * 3 / 4, image.width());
        for (const QColor &c : { left, right })
            QVERIFY2(c.alpha() > 200 && c.green() > 230 && c.red() < 20 && c.blue() < 20,
                qPrintable(c.name(QColor::HexArgb)));
    }
};

QTEST_MAIN(AnimatedLabelTest)
#include "animatedlabel_test.moc"
