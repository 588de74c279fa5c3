#include "platform/ui/graphicscontext.h"
#include "platform/ui/layoutconstraint.h"
#include "platform/ui/menu.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/text.h"
#include "uitestsupport.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;
using platform::ui::test::near;
using platform::ui::test::pixelFromBottom;

namespace {

class FillView : public View {
public:
    FillView(const Rect &frame, Color color)
        : View(frame)
        , m_color(color)
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), m_color); }

private:
    Color m_color;
};

// A 10 × 10 square, opaque black, meant to take the bar's text colour.
Image templateSquare()
{
    Image image = Image::withDrawing(
        Size { 10, 10 }, [](GraphicsContext &ctx, const Rect &b) { ctx.fillRect(b, Color::black()); });
    image.setTemplate(true);
    return image;
}

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class StatusItemTest : public QObject {
    Q_OBJECT
private slots:
    void barListsItemsUntilRemovedOrReleased()
    {
        StatusBar bar;
        QCOMPARE(bar.thickness(), 22.0);
        QSignalSpy changed(&bar, &StatusBar::itemsChanged);
        auto first = bar.statusItem(StatusItem::variableLength);
        auto second = bar.statusItem(30);
        auto third = bar.statusItem(40);
        QCOMPARE(bar.items(), QList<StatusItem *>({ first.get(), second.get(), third.get() }));

        bar.removeStatusItem(second.get());
        QCOMPARE(second->statusBar(), nullptr);
        QCOMPARE(second->length(), 30.0); // a removed item keeps its content
        third.reset();
        QCOMPARE(bar.items(), QList<StatusItem *>({ first.get() }));
        bar.removeStatusItem(second.get()); // not on the bar any more: nothing
        QCOMPARE(changed.count(), 5);
    }

    void width_data()
    {
        QTest::addColumn<double>("length");
        QTest::addColumn<QString>("content");
        QTest::addColumn<double>("width");
        QTest::newRow("fixed length") << 30.0 << "image" << 30.0;
        QTest::newRow("variable, nothing in the button") << -1.0 << "" << 0.0;
        QTest::newRow("variable, image and padding") << -1.0 << "image" << 18.0;
        QTest::newRow("variable, image not drawn") << -1.0 << "image noImage" << 0.0;
        QTest::newRow("variable, hosted views do not count") << -1.0 << "view" << 0.0;
        QTest::newRow("variable, fixed-width constraint wins") << -1.0 << "image constraint" << 45.0;
        QTest::newRow("square") << -2.0 << "image" << 22.0;
    }

    void width()
    {
        QFETCH(double, length);
        QFETCH(QString, content);
        QFETCH(double, width);
        StatusBar bar;
        auto item = bar.statusItem(length);
        StatusBarButton *button = item->button();
        if (content.contains("image"))
            button->setImage(templateSquare());
        if (content.contains("noImage"))
            button->setImagePosition(ImagePosition::noImage);
        if (content.contains("view"))
            button->addSubview(new FillView(Rect(0, 0, 60, 22), Color::red()));
        if (content.contains("constraint"))
            button->widthAnchor().constraintEqualToConstant(45)->setActive(true);
        QCOMPARE(item->width(), width);
        drain();
        QCOMPARE(button->frame(), Rect(0, 0, width, 22));
    }

    void titleWidensAVariableItem()
    {
        StatusBar bar;
        auto item = bar.statusItem(StatusItem::variableLength);
        item->button()->setImage(templateSquare());
        item->button()->setTitle(QStringLiteral("80%"));
        TextAttributes attributes;
        attributes.font = StatusBarButton::menuBarFont();
        const double title = Text::size(QStringLiteral("80%"), attributes).width;
        QVERIFY(title > 10);
        QCOMPARE(item->width(), 10 + StatusBarButton::kImageSpacing + title + 2 * StatusBarButton::kContentPadding);
        item->button()->setImagePosition(ImagePosition::imageOnly);
        QCOMPARE(item->width(), 18.0);
    }

    void pictureIsTheButtonContentAtWidthTimesThickness()
    {
        StatusBar bar;
        auto item = bar.statusItem(30);
        item->button()->addSubview(new FillView(Rect(0, 0, 20, 22), Color::red()));
        item->button()->addSubview(new FillView(Rect(20, 0, 10, 22), Color::blue()));
        const QImage picture = item->picture(2.0);
        QCOMPARE(picture.size(), QSize(60, 44));
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QVERIFY(near(pixelFromBottom(picture, 10, 20), Qt::red));
        QVERIFY(near(pixelFromBottom(picture, 50, 20), Qt::blue));
        bar.setThickness(24);
        QCOMPARE(item->picture(1.0).size(), QSize(30, 24));
        QCOMPARE(item->button()->frame(), Rect(0, 0, 30, 24));
    }

    void emptyItemHasNoPicture()
    {
        StatusBar bar;
        auto item = bar.statusItem(StatusItem::variableLength);
        QVERIFY(item->picture().isNull());
    }

    void templateImageTakesTheBarsTextColour_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light bar: dark shape") << false;
        QTest::newRow("dark bar: light shape") << true;
    }

    void templateImageTakesTheBarsTextColour()
    {
        QFETCH(bool, dark);
        ScopedAppearance appearance(dark ? Appearance::darkAqua() : Appearance::aqua());
        StatusBar bar;
        auto item = bar.statusItem(StatusItem::variableLength);
        item->button()->setImage(templateSquare());
        const QImage picture = item->picture(1.0);
        QCOMPARE(picture.size(), QSize(18, 22));
        const QColor centre = pixelFromBottom(picture, 9, 11);
        QVERIFY2(centre.alpha() > 180, qPrintable(centre.name(QColor::HexArgb)));
        QCOMPARE(centre.lightness() > 128, dark);
        // Padding stays clear.
        QCOMPARE(pixelFromBottom(picture, 1, 11).alpha(), 0);
    }

    void trayPictureIsDrawnForThePanel_data()
    {
        QTest::addColumn<bool>("darkScheme");
        QTest::addColumn<int>("panel"); // 0 unknown, 1 dark, 2 light
        QTest::addColumn<bool>("lightShape");
        QTest::addColumn<QColor>("plate"); // transparent: none
        const QColor dark = QColor::fromRgba(StatusItem::kDarkTrayPlate);
        const QColor light = QColor::fromRgba(StatusItem::kLightTrayPlate);
        QTest::newRow("light scheme, unknown panel: dark shape on a light plate") << false << 0 << false << light;
        QTest::newRow("dark scheme, unknown panel: light shape on a dark plate") << true << 0 << true << dark;
        // A panel the host told wins over the scheme, and needs no plate.
        QTest::newRow("light scheme, dark panel: light shape") << false << 1 << true << QColor(Qt::transparent);
        QTest::newRow("dark scheme, light panel: dark shape") << true << 2 << false << QColor(Qt::transparent);
        QTest::newRow("dark scheme, dark panel: light shape") << true << 1 << true << QColor(Qt::transparent);
    }

    void trayPictureIsDrawnForThePanel()
    {
        QFETCH(bool, darkScheme);
        QFETCH(int, panel);
        QFETCH(bool, lightShape);
        QFETCH(QColor, plate);
        ScopedAppearance appearance(darkScheme ? Appearance::darkAqua() : Appearance::aqua());
        StatusBar bar;
        auto item = bar.statusItem(StatusItem::variableLength);
        item->button()->setImage(templateSquare());
        QSignalSpy changed(item.get(), &StatusItem::pictureChanged);
        if (panel != 0) {
            bar.setPanelAppearance(panel == 1 ? Appearance::darkAqua() : Appearance::aqua());
            // The item redraws for the panel it is now on.
            QTRY_COMPARE(changed.count(), 1);
        }
        // Told before or after the item was made: the same.
        auto later = bar.statusItem(StatusItem::variableLength);
        later->button()->setImage(templateSquare());
        for (const auto &shown : { item, later }) {
            const QImage square = shown->trayPicture(2.0);
            QCOMPARE(square.size(), QSize(44, 44));
            const QColor centre = square.pixelColor(22, 22);
            QVERIFY2(centre.alpha() == 255, qPrintable(centre.name(QColor::HexArgb)));
            QCOMPARE(centre.lightness() > 128, lightShape);
            // The plate: top to bottom, one point short of the left and right edges.
            for (const QPoint at : { QPoint(22, 0), QPoint(22, 43), QPoint(3, 22), QPoint(40, 22) })
                QCOMPARE(square.pixelColor(at), plate);
            for (const QPoint at : { QPoint(1, 22), QPoint(42, 22) })
                QCOMPARE(square.pixelColor(at).alpha(), 0);
        }
        // Back to an unknown panel: the scheme decides again.
        bar.setPanelAppearance(std::nullopt);
        QCOMPARE(item->trayPicture(1.0).pixelColor(11, 11).lightness() > 128, darkScheme);
    }

    void pictureChangesAreReportedOnceFromTheEventLoop()
    {
        StatusBar bar;
        auto item = bar.statusItem(StatusItem::variableLength);
        auto *hosted = new FillView(Rect(0, 0, 10, 22), Color::red());
        item->button()->addSubview(hosted);
        drain();
        QSignalSpy changed(item.get(), &StatusItem::pictureChanged);
        item->button()->setTitle(QStringLiteral("A"));
        item->button()->setImage(templateSquare());
        item->setLength(40);
        QCOMPARE(changed.count(), 0);
        drain();
        QCOMPARE(changed.count(), 1);
        hosted->setNeedsDisplay();
        drain();
        QCOMPARE(changed.count(), 2);
    }

    void clickOpensTheMenuOrSendsTheButtonsAction()
    {
        StatusBar bar;
        auto item = bar.statusItem(30);
        QObject *sender = nullptr;
        item->button()->setAction([&](QObject *s) { sender = s; });
        item->click(QPoint(10, 10));
        QCOMPARE(sender, item->button());

        sender = nullptr;
        auto menu = std::make_shared<Menu>();
        menu->addItem(QStringLiteral("Quit"));
        item->setMenu(menu);
        item->click(QPoint(10, 10));
        QCOMPARE(sender, nullptr);
        QVERIFY(menu->isOpen());
        QVERIFY(menu->presentedMenu() && menu->presentedMenu()->isVisible());
        menu->cancelTracking();
    }

    void visibilityIsReported()
    {
        StatusBar bar;
        auto item = bar.statusItem(30);
        QSignalSpy spy(item.get(), &StatusItem::visibilityChanged);
        item->setVisible(false);
        item->setVisible(false);
        item->setVisible(true);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
        QCOMPARE(spy.at(1).at(0).toBool(), true);
    }
};

QTEST_MAIN(StatusItemTest)
#include "statusitem_test.moc"
