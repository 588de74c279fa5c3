#include "platform/ui/imageview.h"
#include "platform/ui/systemappearance.h"
#include "uitestsupport.h"

#include <QTest>

using namespace platform::ui;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;

namespace {

// A square of the given colour filling `size`.
Image square(Size size, const Color &color, bool isTemplate)
{
    Image image
        = Image::withDrawing(size, [color](GraphicsContext &ctx, const Rect &bounds) { ctx.fillRect(bounds, color); });
    image.setTemplate(isTemplate);
    return image;
}

} // namespace

class ImageViewTest : public QObject {
    Q_OBJECT

private slots:
    void imageFitsTheBoundsWithoutGrowing_data()
    {
        QTest::addColumn<Size>("imageSize");
        QTest::addColumn<Rect>("expected");
        QTest::newRow("too wide and high: scaled down, centred") << Size { 40, 40 } << Rect(5, 0, 10, 10);
        QTest::newRow("wider than high") << Size { 40, 10 } << Rect(0, 2.5, 20, 5);
        QTest::newRow("small: kept at its size, centred") << Size { 6, 4 } << Rect(7, 3, 6, 4);
    }
    void imageFitsTheBoundsWithoutGrowing()
    {
        QFETCH(Size, imageSize);
        QFETCH(Rect, expected);
        ImageView view(Rect(0, 0, 20, 10));
        view.setImage(square(imageSize, Color::black(), false));
        QCOMPARE(view.imageRect(), expected);
    }

    void templateImagesTakeTheTintOtherImagesKeepTheirColours_data()
    {
        QTest::addColumn<bool>("isTemplate");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("template") << true << QColor(255, 0, 0);
        QTest::newRow("plain image") << false << QColor(0, 0, 255);
    }
    void templateImagesTakeTheTintOtherImagesKeepTheirColours()
    {
        QFETCH(bool, isTemplate);
        QFETCH(QColor, expected);
        ImageView view(Rect(0, 0, 20, 20));
        view.setImage(square(Size { 20, 20 }, Color::blue(), isTemplate));
        view.setContentTintColor(Color::red());
        const QImage picture = view.renderToImage();
        QVERIFY2(near(pixelFromBottom(picture, 10, 10), expected), qPrintable(pixelFromBottom(picture, 10, 10).name()));
    }

    void untintedTemplateFollowsTheLabelColourOfItsAppearance()
    {
        ImageView view(Rect(0, 0, 20, 20));
        view.setAppearance(Appearance::darkAqua());
        view.setImage(square(Size { 20, 20 }, Color::blue(), true));
        const QColor label = Color::label().resolved(Appearance::darkAqua()).toQColor();
        const QColor seen = pixelFromBottom(view.renderToImage(), 10, 10);
        QCOMPARE(seen.rgb(), label.rgb());
    }

    void withoutImageNothingIsDrawn()
    {
        ImageView view(Rect(0, 0, 20, 20));
        const QImage picture = view.renderToImage();
        QCOMPARE(pixelFromBottom(picture, 10, 10).alpha(), 0);
    }
};

QTEST_MAIN(ImageViewTest)
#include "imageview_test.moc"
