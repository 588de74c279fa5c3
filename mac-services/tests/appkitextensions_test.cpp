#include "olvane/appearanceextensions.h"
#include "olvane/bezierpathextensions.h"
#include "olvane/colorextensions.h"
#include "olvane/imageextensions.h"
#include "olvane/menubaritemcontroller.h"
#include "olvane/menuitemextensions.h"
#include "olvane/screenextensions.h"
#include "olvane/storyboardextensions.h"
#include "olvane/urlextensions.h"
#include "olvane/viewextensions.h"

#include <platform/core/atomicfile.h>
#include <platform/core/systemversion.h>
#include <platform/ui/screen.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/transaction.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace olvane;
using namespace platform::ui;

namespace {
// A 10 × 10 template whose left half is black.
Image leftHalf()
{
    QImage img(10, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter(&img).fillRect(0, 0, 5, 10, Qt::black);
    Image i = Image::fromQImage(img);
    i.setTemplate(true);
    return i;
}

class PageController : public ViewController { };
class OtherController : public ViewController { };

std::vector<LayoutAttribute> attributes(const std::vector<std::shared_ptr<LayoutConstraint>> &cs)
{
    std::vector<LayoutAttribute> out;
    for (const auto &c : cs)
        out.push_back(c->firstAttribute());
    return out;
}
} // namespace

class AppKitExtensionsTest : public QObject {
    Q_OBJECT

private slots:
    void colours()
    {
        QCOMPARE(ColorExtensions::fromRGB(255, 255, 255), Color::fromRGBA(1, 1, 1, 1));
        QCOMPARE(ColorExtensions::fromRGB(51, 0, 102), Color::fromRGBA(0.2, 0, 0.4, 1));
        QCOMPARE(ColorExtensions::fromRGBA(255, 0, 0, 0.5), Color::fromRGBA(1, 0, 0, 0.5));
        {
            StatusBar bar;
            ScopedAppearance dark(Appearance::darkAqua());
            QCOMPARE(ColorExtensions::menuBarContentColor(), Color::black()); // no status item: a light bar
            olvane::MenuBarItemController controller(bar);
            QCOMPARE(ColorExtensions::menuBarContentColor(), Color::white());
        }
        const Color r = ColorExtensions::random();
        QCOMPARE(r.alphaComponent(), 1.0);
        QCOMPARE(std::fmod(std::round(r.redComponent() * 255 * 1000), 1000.0), 0.0);
        QCOMPARE(ColorExtensions::inverted(Color::fromRGBA(0.2, 0.4, 1, 0.3)), Color::fromRGBA(0.8, 0.6, 0, 0.3));
        {
            ScopedAppearance dark(Appearance::darkAqua());
            QCOMPARE(ColorExtensions::inverted(Color::text()), Color::fromRGBA(0, 0, 0, 1)); // white text in the dark
        }
    }

    void theEmptyImageIsOneObject()
    {
        QVERIFY(ImageExtensions::empty().isSameObject(ImageExtensions::empty()));
        QVERIFY(ImageExtensions::empty().isBlank());
        QVERIFY(!Image().isSameObject(ImageExtensions::empty()));
    }

    void tinting()
    {
        const Image shape = leftHalf();
        const Image red = ImageExtensions::tinted(shape, Color::red());
        QVERIFY(!red.isTemplate());
        QCOMPARE(red.size(), shape.size());
        QCOMPARE(red.bitmap(1).pixelColor(2, 5), QColor(Qt::red));
        QCOMPARE(red.bitmap(1).pixelColor(8, 5).alpha(), 0);
        QVERIFY(ImageExtensions::tinted(red, Color::blue()).isSameObject(red));
        QCOMPARE(ImageExtensions::accentTinted(shape).bitmap(1).pixelColor(2, 5),
            Color::controlAccent().resolved().toQColor());
    }

    void resizing()
    {
        Image shape = leftHalf();
        const Image wide = ImageExtensions::resized(shape, 20, 10);
        shape.setSize({ 4, 4 }); // later changes of the source do not reach the copy
        QCOMPARE(wide.size(), Size(20, 10));
        const QImage px = wide.bitmap(1);
        QCOMPARE(px.size(), QSize(20, 10));
        QCOMPARE(px.pixelColor(8, 5), QColor(Qt::black));
        QCOMPARE(px.pixelColor(12, 5).alpha(), 0);
        QVERIFY(!wide.isTemplate());
        QCOMPARE(ImageExtensions::resizedToHeight(leftHalf(), 30).size(), Size(30, 30));
        const Image tall = Image::fromQImage(QImage(10, 20, QImage::Format_ARGB32));
        QCOMPARE(ImageExtensions::resizedToHeight(tall, 10).size(), Size(5, 10));
    }

    void roundingClipsTheCorners()
    {
        QImage full(20, 20, QImage::Format_ARGB32_Premultiplied);
        full.fill(Qt::blue);
        const Image rounded = ImageExtensions::rounded(Image::fromQImage(full), 8, 8);
        QCOMPARE(rounded.size(), Size(20, 20));
        const QImage px = rounded.bitmap(1);
        QCOMPARE(px.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(px.pixelColor(19, 19).alpha(), 0);
        QCOMPARE(px.pixelColor(10, 10), QColor(Qt::blue));
        QCOMPARE(px.pixelColor(10, 0), QColor(Qt::blue));
    }

    void pngBytes()
    {
        const std::optional<QByteArray> png
            = ImageExtensions::pngData(ImageExtensions::tinted(leftHalf(), Color::green()));
        QVERIFY(png);
        QImage back;
        QVERIFY(back.loadFromData(*png, "PNG"));
        QCOMPARE(back.size(), QSize(10, 10));
        QCOMPARE(back.pixelColor(2, 2), QColor(Qt::green));
        QVERIFY(!ImageExtensions::pngData(Image()));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.png"));
        ImageExtensions::writePNG(leftHalf(), path);
        QVERIFY(QFile::exists(path));
        ImageExtensions::writePNG(Image(), dir.filePath(QStringLiteral("none.png")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.png"))));
        ImageExtensions::writePNG(leftHalf(), dir.filePath(QStringLiteral("no/such/folder/x.png"))); // dropped

        // A write that fails on the way keeps the picture written before, whole.
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray before = written.readAll();
        written.close();
        {
            platform::ScopedFileWriteFailure full(platform::FileWriteStep::Write, ENOSPC);
            ImageExtensions::writePNG(ImageExtensions::tinted(leftHalf(), Color::green()), path);
        }
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary file left
    }

    void hierarchicalColourFromVersion12()
    {
        const Image shape = leftHalf();
        {
            platform::ScopedSystemVersion old(11, 6);
            QVERIFY(ImageExtensions::withHierarchicalColor(shape, Color::red()).isSameObject(shape));
        }
        platform::ScopedSystemVersion current(12, 0);
        const Image coloured = ImageExtensions::withHierarchicalColor(shape, Color::red());
        QCOMPARE(coloured.bitmap(1).pixelColor(2, 5), QColor(Qt::red));
    }

    void separatorItems()
    {
        std::unique_ptr<MenuItem> item(MenuItemExtensions::separator());
        QVERIFY(item->isSeparatorItem());
        std::unique_ptr<MenuItem> another(MenuItemExtensions::separator());
        QVERIFY(item.get() != another.get());
    }

    void storyboardsByType()
    {
        Storyboard::registerInitialController(
            QStringLiteral("OlvaneTestPages"), [] { return std::make_unique<PageController>(); });
        Storyboard::registerController(QStringLiteral("OlvaneTestPages"), QStringLiteral("Other"),
            [] { return std::make_unique<OtherController>(); });
        QVERIFY(StoryboardExtensions::instantiateInitial<PageController>(QStringLiteral("OlvaneTestPages")));
        QVERIFY(!StoryboardExtensions::instantiateInitial<OtherController>(QStringLiteral("OlvaneTestPages")));
        QVERIFY(StoryboardExtensions::instantiate<OtherController>(
            QStringLiteral("OlvaneTestPages"), QStringLiteral("Other")));
        QVERIFY(!StoryboardExtensions::instantiate<PageController>(
            QStringLiteral("OlvaneTestPages"), QStringLiteral("Other")));
        QVERIFY(!StoryboardExtensions::instantiate<OtherController>(
            QStringLiteral("OlvaneTestPages"), QStringLiteral("Missing")));
        QVERIFY(!StoryboardExtensions::instantiateInitial<PageController>(QStringLiteral("NoSuchStoryboard")));
        QVERIFY(StoryboardExtensions::instantiateInitialViewController(QStringLiteral("OlvaneTestPages")));
        Storyboard::unregisterStoryboard(QStringLiteral("OlvaneTestPages"));
    }

    void pinningWithoutASuperviewChangesNothing()
    {
        View loose(Rect(0, 0, 10, 10));
        ViewExtensions::pinToSuperview(loose);
        ViewExtensions::centerInSuperview(loose, 5, 5);
        QVERIFY(loose.translatesAutoresizingMaskIntoConstraints());
        QVERIFY(loose.constraints().empty());
    }

    void pinningFollowsTheSuperview_data()
    {
        QTest::addColumn<EdgeInsets>("insets");
        QTest::addColumn<Rect>("frame");
        QTest::newRow("flush") << EdgeInsets { 0, 0, 0, 0 } << Rect(0, 0, 100, 60);
        // top + 10 moves the top edge down; bottom − 5 moves the bottom edge up; left + 4 and right − 6 inward.
        QTest::newRow("inset") << EdgeInsets { 10, 4, -5, -6 } << Rect(4, 5, 90, 45);
        // Positive bottom and right values move those edges outward.
        QTest::newRow("outward") << EdgeInsets { 0, 0, 5, 6 } << Rect(0, -5, 106, 65);
    }

    void pinningFollowsTheSuperview()
    {
        QFETCH(EdgeInsets, insets);
        QFETCH(Rect, frame);
        View super(Rect(0, 0, 100, 60));
        auto *child = new View(Rect(1, 1, 1, 1));
        super.addSubview(child);
        ViewExtensions::pinToSuperviewWithInsets(*child, insets.top, insets.left, insets.bottom, insets.right);
        QVERIFY(!child->translatesAutoresizingMaskIntoConstraints());
        QCOMPARE(attributes(super.constraints()),
            (std::vector<LayoutAttribute> {
                LayoutAttribute::top, LayoutAttribute::bottom, LayoutAttribute::leading, LayoutAttribute::trailing }));
        super.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame(), frame);
        super.setFrameSize({ 200, 60 });
        super.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame().width(), frame.width() + 100);
    }

    void centring()
    {
        View super(Rect(0, 0, 100, 60));
        auto *child = new View(Rect(0, 0, 1, 1));
        super.addSubview(child);
        ViewExtensions::centerInSuperview(*child, 20, 10);
        super.layoutSubtreeIfNeeded();
        QCOMPARE(child->frame(), Rect(40, 25, 20, 10));
    }

    void removingAllSubviews()
    {
        View super(Rect(0, 0, 10, 10));
        ViewExtensions::removeAllSubviews(super);
        QVERIFY(super.subviews().isEmpty());

        QPointer<View> a = new View(Rect(0, 0, 1, 1));
        QPointer<View> b = new View(Rect(0, 0, 1, 1));
        super.addSubview(a);
        super.addSubview(b);
        ViewExtensions::removeAllSubviews(super);
        QVERIFY(super.subviews().isEmpty());
        QVERIFY(a && b); // still there until the event loop runs
        View other(Rect(0, 0, 10, 10));
        other.addSubview(b); // kept by being put into another view
        QCoreApplication::sendPostedEvents();
        QVERIFY(!a);
        QVERIFY(b);
        QCOMPARE(b->superview(), &other);
    }

    void darkness_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("viewIsDark"); // exactly the dark appearance
        QTest::addColumn<bool>("appearanceIsDark"); // any dark name
        QTest::newRow("aqua") << int(Appearance::Kind::aqua) << false << false;
        QTest::newRow("dark aqua") << int(Appearance::Kind::darkAqua) << true << true;
        QTest::newRow("vibrant dark") << int(Appearance::Kind::vibrantDark) << false << true;
    }

    void darkness()
    {
        QFETCH(int, kind);
        QFETCH(bool, viewIsDark);
        QFETCH(bool, appearanceIsDark);
        View view(Rect(0, 0, 1, 1));
        view.setAppearance(Appearance(Appearance::Kind(kind)));
        QCOMPARE(ViewExtensions::isDark(view), viewIsDark);
        ScopedDrawingAppearance drawing { Appearance(Appearance::Kind(kind)) };
        QCOMPARE(AppearanceExtensions::isDark(), appearanceIsDark);
    }

    void movingTheAnchorKeepsTheLayerInPlace()
    {
        View plain(Rect(0, 0, 20, 10));
        ViewExtensions::setAnchorPoint(plain, 0, 0); // no layer: nothing
        QVERIFY(!plain.layer());

        View view(Rect(0, 0, 20, 10));
        view.setWantsLayer(true);
        const Rect before = view.layer()->frame();
        ViewExtensions::setAnchorPoint(view, 0, 0);
        QCOMPARE(view.layer()->anchorPoint(), Point(0, 0));
        QCOMPARE(view.layer()->position(), Point(0, 0));
        QCOMPARE(view.layer()->frame(), before);

        Transaction::withoutActions([&] { view.layer()->setTransform(AffineTransform::scaling(2, 2)); });
        ViewExtensions::setAnchorPoint(view, 0.5, 0.5);
        QCOMPARE(view.layer()->position(), Point(20, 10)); // offsets count in the scaled space
    }

    void bezierPathsBecomePaths()
    {
        BezierPath closedMove;
        closedMove.moveTo({ 3, 4 });
        closedMove.closePath();
        const Path p = BezierPathExtensions::cgPath(closedMove);
        QCOMPARE(p.elementCount(), 2);
        QCOMPARE(p.elements()[1].kind, PathElement::Kind::closeSubpath);

        BezierPath curve;
        curve.moveTo({ 0, 0 });
        curve.curveTo({ 10, 0 }, { 2, 5 }, { 8, 5 });
        curve.lineTo({ 10, 10 });
        const Path c = BezierPathExtensions::cgPath(curve);
        QCOMPARE(c.elements()[1].kind, PathElement::Kind::curveTo);
        QCOMPARE(c.elements()[1].points[2], Point(10, 0)); // the third point is the end
        QCOMPARE(c.elements()[1].points[0], Point(2, 5));
        QCOMPARE(*c.currentPoint(), Point(10, 10));
        QVERIFY(BezierPathExtensions::cgPath(BezierPath()).isEmpty());
    }

    void pointsPerInchOfTheMainScreen_data()
    {
        QTest::addColumn<bool>("hasScreen");
        QTest::addColumn<double>("widthInPoints");
        QTest::addColumn<double>("widthInMillimetres");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("pointsPerInch");
        QTest::newRow("laptop panel") << true << 1440.0 << 286.0 << 2.0 << 1440.0 / 286.0 * 25.4;
        // Points, not pixels: the backing scale does not enter.
        QTest::newRow("same panel at scale 1") << true << 1440.0 << 286.0 << 1.0 << 1440.0 / 286.0 * 25.4;
        QTest::newRow("24-inch monitor") << true << 1920.0 << 527.0 << 1.0 << 1920.0 / 527.0 * 25.4;
        QTest::newRow("no physical size reported") << true << 1024.0 << 0.0 << 1.0 << 0.0;
        QTest::newRow("no screen") << false << 0.0 << 0.0 << 1.0 << 0.0;
    }

    void pointsPerInchOfTheMainScreen()
    {
        QFETCH(bool, hasScreen);
        QFETCH(double, widthInPoints);
        QFETCH(double, widthInMillimetres);
        QFETCH(double, scale);
        QFETCH(double, pointsPerInch);
        platform::ui::ScopedMainScreen::Facts facts;
        if (hasScreen)
            facts.frame = platform::ui::Rect(0, 0, widthInPoints, 900);
        facts.physicalSize = platform::ui::Size { widthInMillimetres, 180 };
        facts.backingScaleFactor = scale;
        const platform::ui::ScopedMainScreen screen(facts);
        QVERIFY2(std::abs(ScreenExtensions::pointsPerInch() - pointsPerInch) < 1e-9,
            qPrintable(QString::number(ScreenExtensions::pointsPerInch())));
    }

    void symbolicLinks()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("file.txt"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(file, link));
        QVERIFY(UrlExtensions::isSymbolicLink(QUrl::fromLocalFile(link)));
        QVERIFY(!UrlExtensions::isSymbolicLink(QUrl::fromLocalFile(QFileInfo(file).canonicalFilePath())));
        QVERIFY(!UrlExtensions::isSymbolicLink(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing")))));
        QVERIFY(!UrlExtensions::isSymbolicLink(QUrl(QStringLiteral("https://example.com/x"))));
    }
};

QTEST_MAIN(AppKitExtensionsTest)
#include "appkitextensions_test.moc"
