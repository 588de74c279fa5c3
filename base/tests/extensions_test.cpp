// Bundle, layer, rectangle and location helpers.
#include "tavrin/bundleextensions.h"
#include "tavrin/layerextensions.h"
#include "tavrin/locationcoordinate2d.h"
#include "tavrin/rectextensions.h"

#include <platform/ui/shapelayer.h>

#include <QTest>

using namespace tavrin;
using namespace platform::ui;

namespace {
QString bundlePath(const char *name)
{
    return QStringLiteral(QUENBY_SOURCE_DIR "/base/tests/data/bundles/") + QLatin1String(name);
}

std::shared_ptr<Layer> redSquare()
{
    auto l = Layer::create();
    l->setFrame(Rect(0, 0, 10, 10));
    l->setBackgroundColor(Color::red());
    return l;
}
} // namespace

class ExtensionsTest : public QObject {
    Q_OBJECT

private slots:
    void bundleNamesAndVersions_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::newRow("both") << bundlePath("named.app") << "Quenby"
                              << "2.4.1";
        QTest::newRow("numbers instead of texts") << bundlePath("numberversion.app") << "Unknown App"
                                                  << "Unknown Version";
        QTest::newRow("neither") << bundlePath("noname.app") << "Unknown App"
                                 << "Unknown Version";
        QTest::newRow("no information at all") << bundlePath("missing.app") << "Unknown App"
                                               << "Unknown Version";
    }

    void bundleNamesAndVersions()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, version);
        const platform::Bundle bundle(path, path + QStringLiteral("/Contents/Resources"));
        QCOMPARE(BundleExtensions::appName(bundle), name);
        QCOMPARE(BundleExtensions::appVersion(bundle), version);
    }

    void colourOfOnePointOfALayer()
    {
        const auto red = redSquare();
        const Color inside = LayerExtensions::colorAt(*red, { 5, 5 });
        QCOMPARE(inside, Color::fromRGBA(1, 0, 0, 1));
        QCOMPARE(LayerExtensions::colorAt(*red, { 15, 5 }), Color::fromRGBA(0, 0, 0, 0));
        QCOMPARE(LayerExtensions::colorAt(*red, { -1, 5 }), Color::fromRGBA(0, 0, 0, 0));

        // Components stay premultiplied: half-transparent red reads as red 0.5, alpha 0.5.
        auto half = redSquare();
        half->setBackgroundColor(Color::fromRGBA(1, 0, 0, 0.5));
        const Color c = LayerExtensions::colorAt(*half, { 2, 2 });
        QVERIFY(std::abs(c.redComponent() - 0.5) < 0.01);
        QVERIFY(std::abs(c.alphaComponent() - 0.5) < 0.01);

        // The point is in the layer's own space: a sublayer's colour at its place.
        auto root = Layer::create();
        root->setBounds(Rect(0, 0, 40, 40));
        auto dot = redSquare();
        dot->setFrame(Rect(30, 30, 5, 5));
        root->addSublayer(dot);
        QCOMPARE(LayerExtensions::colorAt(*root, { 32, 32 }), Color::red());
        QCOMPARE(LayerExtensions::colorAt(*root, { 20, 20 }), Color::clear());
    }

    void bitmapOfALayer()
    {
        auto l = redSquare();
        l->setFrame(Rect(0, 0, 12.7, 6.2));
        const Image img = LayerExtensions::image(*l);
        QCOMPARE(img.size(), Size(12.7, 6.2));
        QCOMPARE(img.bitmap(12 / 12.7).size(), QSize(12, 6));

        // The picture shows the layer as it looks: its sublayers in their places, the bottom (y 0) at
        // the bottom, the part of the bounds that is shown when the bounds do not start at 0.
        auto root = Layer::create();
        root->setFrame(Rect(0, 0, 20, 10));
        auto blue = Layer::create();
        blue->setFrame(Rect(0, 0, 5, 4)); // lower left
        blue->setBackgroundColor(Color::blue());
        root->addSublayer(blue);
        auto green = Layer::create();
        green->setFrame(Rect(14, 6, 6, 4)); // upper right
        green->setBackgroundColor(Color::green());
        root->addSublayer(green);
        const QImage px = LayerExtensions::image(*root).bitmap(1).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(px.size(), QSize(20, 10));
        QCOMPARE(px.pixelColor(2, 8), QColor(Qt::blue)); // lower left, counted from the top row
        QCOMPARE(px.pixelColor(17, 2), QColor(Qt::green)); // upper right
        QCOMPARE(px.pixelColor(10, 5).alpha(), 0); // between them: clear
        QCOMPARE(px.pixelColor(2, 2).alpha(), 0);
        QCOMPARE(px.pixelColor(17, 8).alpha(), 0);

        root->setBounds(Rect(10, 0, 20, 10)); // shows x 10 to 30 of its own space
        const QImage shifted = LayerExtensions::image(*root).bitmap(1).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shifted.pixelColor(7, 2), QColor(Qt::green));
        QCOMPARE(shifted.pixelColor(2, 8).alpha(), 0);
        auto empty = Layer::create();
        QVERIFY(LayerExtensions::image(*empty).isBlank());
        auto huge = Layer::create();
        huge->setFrame(Rect(0, 0, 1e9, 10));
        QVERIFY(LayerExtensions::image(*huge).isBlank());
        auto endless = Layer::create();
        endless->setFrame(Rect(0, 0, std::numeric_limits<double>::infinity(), 10));
        QVERIFY(LayerExtensions::image(*endless).isBlank());
    }

    void rectangleCentre() { QCOMPARE(RectExtensions::center(Rect(10, 20, 100, 50)), Point(60, 45)); }

    void distancesOnTheEarth()
    {
        const LocationCoordinate2D berlin { 52.5200, 13.4050 };
        const LocationCoordinate2D paris { 48.8566, 2.3522 };
        QCOMPARE(berlin.distance(berlin), 0.0);
        QVERIFY(std::abs(berlin.distance(paris) - 878000) < 5000);
        QCOMPARE(berlin.distance(paris), paris.distance(berlin));
    }
};

QTEST_MAIN(ExtensionsTest)
#include "extensions_test.moc"
