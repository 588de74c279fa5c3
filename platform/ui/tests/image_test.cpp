#include "platform/core/bundle.h"
#include "platform/ui/image.h"
#include "platform/ui/paintercontext.h"
#include "platform/ui/recordingcontext.h"
#include "uitestsupport.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;

namespace {
const QString kData = QStringLiteral(QUENBY_SOURCE_DIR "/platform/ui/tests/data/images");

QImage solid(QSize pixels, QColor color, double dpr = 1)
{
    QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(color);
    img.setDevicePixelRatio(dpr);
    return img;
}

// Left half opaque black, right half clear: a small template shape.
Image halfShape()
{
    QImage img(10, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter(&img).fillRect(0, 0, 5, 10, Qt::black);
    Image i = Image::fromQImage(img);
    i.setTemplate(true);
    return i;
}
} // namespace

class ImageTest : public QObject {
    Q_OBJECT

private slots:
    void handlesShareOneObject()
    {
        Image a = Image::fromQImage(solid({ 4, 4 }, Qt::red));
        Image b = a;
        QVERIFY(a.isSameObject(b));
        b.setSize({ 8, 2 });
        QCOMPARE(a.size(), Size(8, 2));
        b.setTemplate(true);
        QVERIFY(a.isTemplate());
        const Image c = a.copy();
        QVERIFY(!c.isSameObject(a));
        QCOMPARE(c.size(), Size(8, 2));
        QVERIFY(c.isTemplate());
        QVERIFY(!Image().isSameObject(Image()));
        QVERIFY(Image().isBlank());
    }

    void sizesFollowTheDevicePixelRatio()
    {
        QCOMPARE(Image::fromQImage(solid({ 20, 10 }, Qt::red, 2)).size(), Size(10, 5));
        QCOMPARE(Image::fromQImage(solid({ 20, 10 }, Qt::red), Size { 4, 4 }).size(), Size(4, 4));
        QCOMPARE(Image::fromSvg("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 12 6'/>").size(), Size(12, 6));
        QVERIFY(Image::fromSvg("garbage").isBlank());
    }

    void bitmapsAreRenderedForTheScale()
    {
        const Image svg = Image::fromFile(kData + QStringLiteral("/badge.svg"));
        QCOMPARE(svg.size(), Size(20, 10));
        const QImage at2 = svg.bitmap(2);
        QCOMPARE(at2.size(), QSize(40, 20));
        QCOMPARE(at2.devicePixelRatio(), 2.0);
        QVERIFY(near(at2.pixelColor(5, 10), Qt::red));
        QVERIFY(near(at2.pixelColor(30, 10), Qt::transparent));
        QVERIFY(Image().bitmap(1).isNull());

        // Fewer pixels than points (a picture drawn smaller than it is): the whole picture, smaller, not
        // its top-left part (QPainter takes a device-pixel ratio below 1 for 1).
        const QImage atHalf = svg.bitmap(0.5);
        QCOMPARE(atHalf.size(), QSize(10, 5));
        QCOMPARE(atHalf.devicePixelRatio(), 0.5);
        QVERIFY(near(atHalf.pixelColor(1, 2), Qt::red));
        QVERIFY(near(atHalf.pixelColor(8, 2), Qt::transparent));
    }

    void loadsFromFilesAndBundles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(solid({ 8, 8 }, Qt::blue).save(dir.filePath(QStringLiteral("dot.png"))));
        QVERIFY(solid({ 16, 16 }, Qt::green).save(dir.filePath(QStringLiteral("mark@2x.png"))));
        QVERIFY(QFile::copy(kData + QStringLiteral("/badge.svg"), dir.filePath(QStringLiteral("badge.svg"))));
        const platform::Bundle bundle(dir.path(), dir.path());

        const Image dot = Image::named(bundle, QStringLiteral("dot"));
        QCOMPARE(dot.size(), Size(8, 8));
        const Image mark = Image::named(bundle, QStringLiteral("mark"));
        QCOMPARE(mark.size(), Size(8, 8)); // two pixels per point
        QVERIFY(near(mark.bitmap(1).pixelColor(4, 4), Qt::green));
        QCOMPARE(Image::named(bundle, QStringLiteral("badge")).size(), Size(20, 10));
        QCOMPARE(Image::named(bundle, QStringLiteral("dot.png")).size(), Size(8, 8));
        QVERIFY(Image::named(bundle, QStringLiteral("missing")).isBlank());
        QVERIFY(Image::fromFile(kData + QStringLiteral("/broken.png")).isBlank());
    }

    void drawingOnTopComposesWithTheContent()
    {
        const Image shape = halfShape();
        Image tinted = shape.copy();
        tinted.drawOnTop([](GraphicsContext &c) {
            c.setCompositeOperation(CompositeOperation::sourceAtop);
            c.fillRect(Rect(0, 0, 10, 10), Color::red());
        });
        const QImage px = tinted.bitmap(1);
        QVERIFY(near(px.pixelColor(2, 5), Qt::red));
        QVERIFY(near(px.pixelColor(8, 5), Qt::transparent));
        QVERIFY(near(shape.bitmap(1).pixelColor(2, 5), Qt::black)); // the original is untouched
    }

    void drawnImagesLandUprightInTheirRectangle()
    {
        // An image whose top half is red: drawn into the lower left quarter of a y-up surface.
        QImage topRed(10, 10, QImage::Format_ARGB32_Premultiplied);
        topRed.fill(Qt::blue);
        QPainter(&topRed).fillRect(0, 0, 10, 5, Qt::red);
        const Image img = Image::fromQImage(topRed);
        QImage out(20, 20, QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::transparent);
        {
            QPainter p(&out);
            PainterContext ctx(p, { 20, 20 }, 1);
            img.draw(ctx, Point { 0, 0 });
            img.draw(ctx, Rect(10, 10, 10, 10), Rect(0, 5, 10, 5)); // its upper half, stretched
        }
        QVERIFY(near(pixelFromBottom(out, 5, 8), Qt::red));
        QVERIFY(near(pixelFromBottom(out, 5, 2), Qt::blue));
        QVERIFY(near(pixelFromBottom(out, 15, 12), Qt::red));
        QVERIFY(near(pixelFromBottom(out, 15, 18), Qt::red));

        RecordingContext rec;
        img.draw(rec, Point { 3, 4 });
        QCOMPARE(rec.calls(DrawCall::Kind::image).size(), size_t(1));
        QCOMPARE(rec.calls()[0].rect, Rect(3, 4, 10, 10));
        QVERIFY(rec.calls()[0].image.isSameObject(img));
    }
};

QTEST_MAIN(ImageTest)
#include "image_test.moc"
