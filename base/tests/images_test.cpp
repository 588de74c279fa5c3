#include "tavrin/images.h"

#include <platform/ui/paintercontext.h>
#include <platform/ui/recordingcontext.h>

#include <QFile>
#include <QIcon>
#include <QTest>

using namespace tavrin;
using platform::ui::Color;
using platform::ui::Image;
using platform::ui::Rect;
using platform::ui::Size;

namespace {
// Every symbol name the system's views and records ask for.
const QStringList kUsedSymbols { QStringLiteral("airpod.left"), QStringLiteral("airpod.right"),
    QStringLiteral("airpodpro.left"), QStringLiteral("airpodpro.right"), QStringLiteral("airpods"),
    QStringLiteral("airpods.chargingcase"), QStringLiteral("airpodsmax"), QStringLiteral("airpodspro"),
    QStringLiteral("airpodspro.chargingcase.wireless"), QStringLiteral("applewatch"), QStringLiteral("battery.100"),
    QStringLiteral("beats.headphones"), QStringLiteral("beats.powerbeats"), QStringLiteral("beats.powerbeats3"),
    QStringLiteral("beats.powerbeatspro"), QStringLiteral("beats.powerbeatspro.left"),
    QStringLiteral("beats.powerbeatspro.right"), QStringLiteral("bolt.fill"), QStringLiteral("computermouse"),
    QStringLiteral("cursorarrow"), QStringLiteral("dot.radiowaves.right"), QStringLiteral("fanblades.fill"),
    QStringLiteral("gear"), QStringLiteral("headphones"), QStringLiteral("ipad"), QStringLiteral("iphone"),
    QStringLiteral("ipod"), QStringLiteral("keyboard"), QStringLiteral("l.circle.fill"),
    QStringLiteral("laptopcomputer"), QStringLiteral("line.3.crossed.swirl.circle.fill"), QStringLiteral("magicmouse"),
    QStringLiteral("questionmark"), QStringLiteral("r.circle.fill"), QStringLiteral("rectangle"),
    QStringLiteral("staroflife.fill"), QStringLiteral("thermometer") };

int inkPixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).alpha() > 128)
                ++n;
    return n;
}

struct ThemeGuard {
    explicit ThemeGuard(const QString &name, const QString &path = QStringLiteral(QUENBY_SOURCE_DIR "/base/tests/data/icons"))
        : previousPaths(QIcon::themeSearchPaths())
        , previousName(QIcon::themeName())
    {
        QIcon::setThemeSearchPaths({ path });
        QIcon::setThemeName(name);
    }
    ~ThemeGuard()
    {
        QIcon::setThemeSearchPaths(previousPaths);
        QIcon::setThemeName(previousName);
    }
    QStringList previousPaths;
    QString previousName;
};
} // namespace

class ImagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QIcon::setThemeName(QStringLiteral("no-such-theme")); // only the library's own drawings
    }

    void everyUsedSymbolHasAPicture_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : kUsedSymbols)
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyUsedSymbolHasAPicture()
    {
        QFETCH(QString, name);
        QVERIFY(Images::knowsSymbol(name));
        const Image img = Images::symbol(name);
        QVERIFY(img.hasContent());
        QVERIFY(!img.size().isEmpty());
        QVERIFY(img.isTemplate());
        const QImage px = img.bitmap(2);
        QVERIFY2(inkPixels(px) > px.width() * px.height() / 20, "the picture is (nearly) empty");
    }

    void unknownNamesGiveABlankImage()
    {
        QTest::ignoreMessage(QtWarningMsg, "unknown symbol name \"no.such.symbol\"");
        const Image img = Images::symbol(QStringLiteral("no.such.symbol"));
        QVERIFY(img.isBlank());
        QVERIFY(Images::tintedSymbol(QStringLiteral("no.such.symbol"), Color::red()).isBlank());
        QVERIFY(Images::symbolWithConfiguration(QStringLiteral("no.such.symbol"), 20, 0).isBlank());
        QVERIFY(Images::iconNames(QStringLiteral("no.such.symbol")).isEmpty());
    }

    void tintingColoursTemplatesOnly()
    {
        const Image bolt = Images::symbol(QStringLiteral("bolt.fill"));
        const Image red = Images::tinted(Color::red(), bolt);
        QVERIFY(!red.isSameObject(bolt));
        QVERIFY(!red.isTemplate());
        QVERIFY(bolt.isTemplate());
        QCOMPARE(red.size(), bolt.size());
        // Where the bolt has paint it is red now; where it has none it stays clear.
        const QImage px = red.bitmap(2);
        const QImage shape = bolt.bitmap(2);
        int checked = 0;
        for (int y = 0; y < px.height(); ++y)
            for (int x = 0; x < px.width(); ++x) {
                if (shape.pixelColor(x, y).alpha() == 255) {
                    QCOMPARE(px.pixelColor(x, y), QColor(Qt::red));
                    ++checked;
                } else if (shape.pixelColor(x, y).alpha() == 0) {
                    QCOMPARE(px.pixelColor(x, y).alpha(), 0);
                }
            }
        QVERIFY(checked > 20);
        QVERIFY(Images::tinted(Color::blue(), red).isSameObject(red)); // not a template: untouched
        QVERIFY(!Images::tintedSymbol(QStringLiteral("gear"), Color::green()).isTemplate());
    }

    // Symbols are made once and handed out as copies: what one caller does to its picture never shows
    // in the next caller's.
    void aSymbolChangedByOneCallerIsNotTheNextOnes()
    {
        Image first = Images::symbol(QStringLiteral("gear"));
        const Size size = first.size();
        const int ink = inkPixels(first.bitmap(2));
        QVERIFY(!first.isSameObject(Images::symbol(QStringLiteral("gear"))));
        first.setSize(Size { 100, 100 });
        first.setTemplate(false);
        first.drawOnTop([](platform::ui::GraphicsContext &ctx) { ctx.fillRect(Rect(0, 0, 100, 100), Color::red()); });

        const Image next = Images::symbol(QStringLiteral("gear"));
        QCOMPARE(next.size(), size);
        QVERIFY(next.isTemplate());
        QVERIFY(next.isSymbolImage());
        QCOMPARE(inkPixels(next.bitmap(2)), ink);
        QCOMPARE(next.bitmap(2).pixelColor(0, 0).alpha(), 0);
    }

    void configurationScalesAndWeighs()
    {
        const Image standard = Images::symbol(QStringLiteral("keyboard"));
        const Image large = Images::symbolWithConfiguration(QStringLiteral("keyboard"), 26, 0);
        QCOMPARE(large.size(), (Size { standard.size().width * 2, standard.size().height * 2 }));
        const Image light
            = Images::symbolWithConfiguration(QStringLiteral("keyboard"), 13, platform::ui::FontWeight::ultraLight);
        const Image heavy
            = Images::symbolWithConfiguration(QStringLiteral("keyboard"), 13, platform::ui::FontWeight::heavy);
        QVERIFY(inkPixels(heavy.bitmap(4)) > inkPixels(standard.bitmap(4)));
        QVERIFY(inkPixels(standard.bitmap(4)) > inkPixels(light.bitmap(4)));
        const Image sizedTint = Images::tintedSymbol(QStringLiteral("keyboard"), Color::red(), 26, 0);
        QCOMPARE(sizedTint.size(), large.size());
        QVERIFY(!sizedTint.isTemplate());
    }

    void theUsersIconThemeComesFirst()
    {
        ThemeGuard theme(QStringLiteral("quenby-test"));
        QCOMPARE(Images::iconNames(QStringLiteral("keyboard")).value(0), QStringLiteral("input-keyboard-symbolic"));
        const Image keyboard = Images::symbol(QStringLiteral("keyboard"));
        QVERIFY(keyboard.isTemplate()); // a symbolic icon
        QCOMPARE(keyboard.size(), Images::symbolWithConfiguration(QStringLiteral("keyboard"), 13, 0).size());
        const QImage px = keyboard.bitmap(1);
        QCOMPARE(px.pixelColor(px.width() / 2, px.height() / 2), QColor(Qt::green));
        // A symbol the theme lacks still comes from the library's drawings (black).
        const QImage gear = Images::symbol(QStringLiteral("gear")).bitmap(2);
        QCOMPARE(gear.pixelColor(gear.width() / 2, 2).rgb() & 0xffffff, 0u);
    }

    // On a real desktop the theme must not draw two different symbols alike: a two-battery device's
    // left and right pictures, or earbuds and headphones, have to stay apart.
    void aRealThemeKeepsDistinctSymbolsApart_data()
    {
        QTest::addColumn<QString>("one");
        QTest::addColumn<QString>("other");
        QTest::newRow("left and right earbud") << "airpod.left" << "airpod.right";
        QTest::newRow("left and right pro earbud") << "airpodpro.left" << "airpodpro.right";
        QTest::newRow("left and right ear hook") << "beats.powerbeatspro.left" << "beats.powerbeatspro.right";
        QTest::newRow("earbuds and headphones") << "airpods" << "headphones";
        QTest::newRow("pointer and mouse") << "cursorarrow" << "computermouse";
        QTest::newRow("two mice") << "magicmouse" << "computermouse";
    }
    void aRealThemeKeepsDistinctSymbolsApart()
    {
        QFETCH(QString, one);
        QFETCH(QString, other);
        if (!QFile::exists(QStringLiteral("/usr/share/icons/Adwaita/index.theme")))
            QSKIP("the Adwaita icon theme is not installed");
        ThemeGuard theme(QStringLiteral("Adwaita"), QStringLiteral("/usr/share/icons"));
        QVERIFY(QIcon::hasThemeIcon(QStringLiteral("audio-headphones-symbolic")));
        QVERIFY(QIcon::hasThemeIcon(QStringLiteral("input-mouse-symbolic")));
        const QImage a = Images::symbol(one).bitmap(2).convertToFormat(QImage::Format_ARGB32);
        const QImage b = Images::symbol(other).bitmap(2).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(inkPixels(a) > 0);
        QVERIFY(inkPixels(b) > 0);
        QVERIFY2(a != b, qPrintable(one + QStringLiteral(" and ") + other + QStringLiteral(" draw the same")));
    }

    // Where the theme's icon means what the symbol means, the user's theme still comes first.
    void aRealThemeDrawsTheSymbolsItMeans()
    {
        if (!QFile::exists(QStringLiteral("/usr/share/icons/Adwaita/index.theme")))
            QSKIP("the Adwaita icon theme is not installed");
        const QImage own = Images::symbol(QStringLiteral("headphones")).bitmap(2);
        ThemeGuard theme(QStringLiteral("Adwaita"), QStringLiteral("/usr/share/icons"));
        const Image themed = Images::symbol(QStringLiteral("headphones"));
        const QImage px = themed.bitmap(2).convertToFormat(QImage::Format_ARGB32);
        const QSize pixels = px.size();
        const QImage adwaita = QIcon::fromTheme(QStringLiteral("audio-headphones-symbolic"))
                                   .pixmap(pixels)
                                   .toImage()
                                   .convertToFormat(QImage::Format_ARGB32)
                                   .scaled(pixels);
        QVERIFY(px != own.convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(inkPixels(px), inkPixels(adwaita));
    }

    void namedImagesThatAreMissingGiveABlankImage()
    {
        QTest::ignoreMessage(QtWarningMsg, "no image named \"no-such-image\" in the program's resources");
        QVERIFY(Images::named(QStringLiteral("no-such-image")).isBlank());
    }
};

QTEST_MAIN(ImagesTest)
#include "images_test.moc"
