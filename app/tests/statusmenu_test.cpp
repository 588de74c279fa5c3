#include "apptestsupport.h"
#include "quenby/appnotifications.h"
#include "quenby/customcontentview.h"
#include "quenby/doublebatteryviewcontroller.h"
#include "quenby/singlebatteryviewcontroller.h"
#include "quenby/statusdot.h"

#include <dorsk/sentrel.h>
#include <platform/core/plist.h>
#include <platform/ui/imageview.h>
#include <platform/ui/menu.h>
#include <platform/ui/textfield.h>
#include <tavrin/notifications.h>

#include <QDir>
#include <QMenu>
#include <QPalette>
#include <QFile>
#include <QTest>

#include <cmath>

using namespace apptest;
using platform::ui::Menu;
using platform::ui::MenuItem;
using quenby::Settings;

namespace {

MenuItem *rowShowing(const quenby::AppDelegate &delegate, const QString &name)
{
    for (const auto &controller : delegate.menuViewControllers()) {
        QString shown;
        if (auto *row = dynamic_cast<quenby::SingleBatteryViewController *>(controller.get()))
            shown = row->nameField()->stringValue();
        else if (auto *pairRow = dynamic_cast<quenby::DoubleBatteryViewController *>(controller.get()))
            shown = pairRow->nameField()->stringValue();
        if (shown == name)
            return MenuItem::enclosingMenuItem(controller->view());
    }
    return nullptr;
}

void installSentrel(const QString &folder) { QDir().mkpath(folder + QStringLiteral("/Sentrel.app/Contents")); }

double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const QStringList kTail { "-", "Contact", "Our other apps", "About Quenby", "-", "Quit" };

} // namespace

class StatusMenuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void rowsForDevicesBatteryAndHelper_data()
    {
        QTest::addColumn<bool>("accessories");
        QTest::addColumn<bool>("hasBattery");
        QTest::addColumn<QStringList>("ignored");
        QTest::addColumn<QString>("helper");
        QTest::addColumn<QStringList>("expected");
        const QStringList head { "Open Quenby", "-" };
        const QString hint = QStringLiteral("Click a device to show or hide it in the status bar (off)");
        const QString download = QStringLiteral("Get Sentrel for more devices…");
        // The battery is a device here too: its row is where it is hidden from the status bar.
        QTest::newRow("battery, no accessories: its row, not \"none\"")
            << false << true << QStringList() << "missing"
            << head + QStringList { hint, "Battery 69 % green", "-", download } + kTail;
        QTest::newRow("nothing at all") << false << false << QStringList() << "missing"
                                        << head + QStringList { "No devices found (off)", "-", download } + kTail;
        QTest::newRow("battery hidden, no accessories: it can be shown again")
            << false << true << QStringList { kInternal } << "missing"
            << head + QStringList { hint, "Battery 69 % red", "-", download } + kTail;
        QTest::newRow("three accessories and the battery, by name") << true << true << QStringList() << "missing"
                                                                    << head
                + QStringList { hint, "Battery 69 % green", "AirPods Pro 70 % 60 % green", "Magic Keyboard 80 % green",
                      "Pebble Mouse 40 % green", "-", download }
                + kTail;
        QTest::newRow("hidden accessories are listed with the red dot")
            << true << false << QStringList { kKeyboard, kPods } << "missing"
            << head
                + QStringList { hint, "AirPods Pro 70 % 60 % red", "Magic Keyboard 80 % red", "Pebble Mouse 40 % green",
                      "-", download }
                + kTail;
        QTest::newRow("helper installed, not running")
            << false << false << QStringList() << "installed"
            << head + QStringList { "No devices found (off)", "-", "Start Sentrel" } + kTail;
        QTest::newRow("helper running") << false << false << QStringList() << "running"
                                        << head + QStringList { "No devices found (off)", "-", "Quit Sentrel" } + kTail;
    }
    void rowsForDevicesBatteryAndHelper()
    {
        QFETCH(bool, accessories);
        QFETCH(bool, hasBattery);
        QFETCH(QStringList, ignored);
        QFETCH(QString, helper);
        QFETCH(QStringList, expected);
        AppRig rig([&] {
            for (const QString &identifier : ignored)
                Settings::addIgnoredDevice(identifier);
        });
        if (hasBattery)
            rig.internal->battery = battery(69);
        if (accessories)
            rig.addThreeAccessories();
        if (helper != QStringLiteral("missing"))
            installSentrel(rig.applications.path());
        if (helper == QStringLiteral("running"))
            rig.workspace.setRunningApplications(
                { { 42, dorsk::Sentrel::bundleIdentifier, rig.applications.path() + "/Sentrel.app",
                    rig.applications.path() + "/Sentrel.app/Contents/MacOS/Sentrel" } });
        rig.launch();

        rig.delegate->menu()->open();
        QCOMPARE(describe(*rig.delegate), expected);
        QCOMPARE(rig.delegate->contactItem()->title(), QStringLiteral("Contact"));
    }

    void plainRowsRunTheirActions_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("opened");
        QTest::newRow("contact") << "Contact"
                                 << "https://velmorn.example/contact";
        QTest::newRow("other apps") << "Our other apps" << pirrowDeveloperPage();
        QTest::newRow("download") << "Get Sentrel for more devices…"
                                  << "https://sentrel.velmorn.example/";
    }
    void plainRowsRunTheirActions()
    {
        QFETCH(QString, title);
        QFETCH(QString, opened);
        AppRig rig;
        rig.launch();
        Menu &menu = *rig.delegate->menu();
        menu.open();
        MenuItem *row = nullptr;
        for (MenuItem *item : menu.items())
            if (item->title() == title)
                row = item;
        QVERIFY(row);
        menu.clickItem(row);
        QVERIFY(!menu.isOpen());
        platform::MainQueue::drain();
        QCOMPARE(menu.numberOfItems(), 0);
        QCOMPARE(rig.workspace.openedUrls().size(), 1);
        QCOMPARE(rig.workspace.openedUrls().first().toString(), opened);
    }

    void clickingARowHidesTheDeviceAndTheNextOpeningShowsIt()
    {
        AppRig rig;
        rig.internal->battery = battery(69);
        rig.addThreeAccessories();
        rig.launch();
        QCOMPARE(rig.identifiers(), (QStringList { kPods, kKeyboard, kPeripheralSerial, kInternal }));
        Menu &menu = *rig.delegate->menu();

        menu.open();
        menu.clickItem(rowShowing(*rig.delegate, QStringLiteral("Magic Keyboard")));
        QCOMPARE(Settings::ignoredDevices(), QStringList { kKeyboard });
        QCOMPARE(platform::UserDefaults::standard().value(QString::fromLatin1(quenby::kIgnoredDevicesKey)),
            platform::Value(platform::Value::Array { platform::Value(kKeyboard) }));
        QCOMPARE(rig.identifiers(), (QStringList { kPods, kPeripheralSerial, kInternal }));
        platform::MainQueue::drain();
        QVERIFY(!menu.isOpen());
        QCOMPARE(menu.numberOfItems(), 0);
        QVERIFY(rig.delegate->menuViewControllers().empty());

        // The next refreshes keep it hidden.
        rig.tick();
        QCOMPARE(rig.identifiers(), (QStringList { kPods, kPeripheralSerial, kInternal }));

        menu.open();
        QVERIFY(describe(*rig.delegate).contains(QStringLiteral("Magic Keyboard 80 % red")));
        menu.clickItem(rowShowing(*rig.delegate, QStringLiteral("Magic Keyboard")));
        platform::MainQueue::drain();
        QVERIFY(Settings::ignoredDevices().isEmpty());
        QCOMPARE(rig.identifiers(), (QStringList { kPods, kKeyboard, kPeripheralSerial, kInternal }));
        menu.open();
        QVERIFY(describe(*rig.delegate).contains(QStringLiteral("Magic Keyboard 80 % green")));
    }

    void theBatteryRowStandsForInternal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("the battery") << "Battery";
        QTest::newRow("a Low Energy device") << "Pebble Mouse";
        QTest::newRow("earbuds") << "AirPods Pro";
    }
    void theBatteryRowStandsForInternal()
    {
        QFETCH(QString, name);
        AppRig rig;
        rig.internal->battery = battery(69);
        rig.addThreeAccessories();
        rig.launch();
        const QString identifier = name == QStringLiteral("Battery") ? kInternal
            : name == QStringLiteral("Pebble Mouse")                 ? kPeripheralSerial
                                                                     : kPods;
        QList<qint64> clicks;
        QObject observer;
        tavrin::Notifications::addObserver(&observer, QString::fromLatin1(quenby::kMenuBarItemClicked),
            [&](const platform::Notification &n) { clicks << *n.object.value()->toInteger(); });
        Menu &menu = *rig.delegate->menu();
        menu.open();
        menu.clickItem(rowShowing(*rig.delegate, name));
        QCOMPARE(clicks, QList<qint64> { quenby::identifierHash(identifier) });
        QCOMPARE(Settings::ignoredDevices(), QStringList { identifier });
        QVERIFY(!rig.identifiers().contains(identifier));
    }

    void aClickThatCarriesNoNumberChangesNothing_data()
    {
        QTest::addColumn<platform::NotificationObject>("object");
        QTest::newRow("no object") << platform::NotificationObject();
        QTest::newRow("a text") << platform::NotificationObject(platform::Value(kKeyboard));
        QTest::newRow("an unknown number") << platform::NotificationObject(platform::Value(qint64(12345)));
    }
    void aClickThatCarriesNoNumberChangesNothing()
    {
        QFETCH(platform::NotificationObject, object);
        AppRig rig;
        rig.addThreeAccessories();
        rig.launch();
        const QStringList before = rig.identifiers();
        tavrin::Notifications::postWithObject(QString::fromLatin1(quenby::kMenuBarItemClicked), object);
        QVERIFY(Settings::ignoredDevices().isEmpty());
        QCOMPARE(rig.identifiers(), before);
    }

    void choosingADeviceRowAsAMenuActionChangesNothing()
    {
        AppRig rig;
        rig.addThreeAccessories();
        rig.launch();
        Menu &menu = *rig.delegate->menu();
        menu.open();
        MenuItem *row = rowShowing(*rig.delegate, QStringLiteral("Magic Keyboard"));
        QCOMPARE(row->tag(), quenby::identifierTag(kKeyboard));
        QVERIFY(row->sendAction());
        QVERIFY(Settings::ignoredDevices().isEmpty());
    }

    void theHighlightedRowTurnsWhite()
    {
        AppRig rig;
        rig.addThreeAccessories();
        rig.launch();
        Menu &menu = *rig.delegate->menu();
        menu.open();
        auto *keyboard
            = dynamic_cast<quenby::SingleBatteryViewController *>(rig.delegate->menuViewControllers().at(1).get());
        auto *pods
            = dynamic_cast<quenby::DoubleBatteryViewController *>(rig.delegate->menuViewControllers().at(0).get());
        QVERIFY(keyboard && pods);
        pods->leftIcon()->setContentTintColor(platform::ui::Color::red());

        menu.highlightItem(rowShowing(*rig.delegate, QStringLiteral("AirPods Pro")));
        QCOMPARE(pods->nameField()->textColor(), platform::ui::Color::white());
        QCOMPARE(pods->left()->textColor(), platform::ui::Color::white());
        QCOMPARE(*pods->leftIcon()->contentTintColor(), platform::ui::Color::white());
        QCOMPARE(keyboard->nameField()->textColor(), platform::ui::Color::label());

        menu.highlightItem(rowShowing(*rig.delegate, QStringLiteral("Magic Keyboard")));
        QCOMPARE(keyboard->batteryField()->textColor(), platform::ui::Color::white());
        QCOMPARE(pods->nameField()->textColor(), platform::ui::Color::label());
        QCOMPARE(*pods->leftIcon()->contentTintColor(), platform::ui::Color::label());

        menu.highlightItem(nullptr);
        QCOMPARE(keyboard->batteryField()->textColor(), platform::ui::Color::label());
    }

    void inADarkAppearanceRowsReadOnTheMenusBackground()
    {
        AppRig rig;
        platform::ui::ScopedAppearance dark(platform::ui::Appearance::darkAqua());
        platform::ui::SystemAppearance::instance().setAppliesPalette(true);
        rig.addThreeAccessories();
        rig.internal->battery = battery(69);
        rig.launch();
        Menu &menu = *rig.delegate->menu();
        menu.popUp(QPoint(100, 100));
        QMenu *shown = menu.presentedMenu();
        QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
        const QColor background = shown->palette().color(QPalette::Window);
        QVERIFY(background.lightnessF() < 0.5);
        int fields = 0;
        for (const auto &controller : rig.delegate->menuViewControllers()) {
            QList<platform::ui::View *> pending { controller->view() };
            while (!pending.isEmpty()) {
                platform::ui::View *view = pending.takeFirst();
                pending.append(view->subviews());
                auto *field = qobject_cast<platform::ui::TextField *>(view);
                if (!field)
                    continue;
                ++fields;
                platform::ui::ScopedDrawingAppearance drawing(field->effectiveAppearance());
                const QColor text = field->textColor().toQColor();
                QVERIFY2(contrast(text, background) >= 4.5, qPrintable(field->stringValue()));
            }
        }
        QCOMPARE(fields, 2 + 3 + 2 + 2); // battery, pods, keyboard, mouse: name and level(s)
        menu.cancelTracking();
        platform::ui::SystemAppearance::instance().setAppliesPalette(false);
    }

    void theHighlightSpansTheMenu()
    {
        AppRig rig;
        rig.addThreeAccessories();
        rig.launch();
        Menu &menu = *rig.delegate->menu();
        menu.popUp(QPoint(100, 100));
        QMenu *shown = menu.presentedMenu();
        QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
        MenuItem *row = rowShowing(*rig.delegate, QStringLiteral("Magic Keyboard"));
        QVERIFY(row);
        menu.highlightItem(row);
        auto *content = row->view();
        // The row is as wide as the menu's rows are, and so is the highlight behind its labels.
        const QRect rowRect = shown->actionGeometry(shown->actions().at(menu.items().indexOf(row)));
        QVERIFY(rowRect.width() > 0);
        QCOMPARE(int(std::lround(content->frame().width())), rowRect.width());
        const QImage pixels = content->grab().toImage();
        const QColor left = pixels.pixelColor(3, pixels.height() / 2);
        const QColor right = pixels.pixelColor(pixels.width() - 4, pixels.height() / 2);
        QCOMPARE(right, left);
        QVERIFY(left != shown->palette().color(QPalette::Window));
        menu.cancelTracking();
    }

    // A row is never blank: without a level it names the device and shows no value.
    void rowsWithoutTheirLevelsNameTheirDevices()
    {
        platform::ScopedUserDefaultsDirectory defaults;
        Settings::reload();
        auto single = std::make_shared<quenby::SingleBatteryViewController>();
        auto keyboard = apptest::single(QStringLiteral("Magic Keyboard"), kKeyboard, 80);
        keyboard->setBatteryLevel(std::nullopt);
        single->setBattery(keyboard);
        single->view();
        single->update();
        QCOMPARE(single->nameField()->stringValue(), QStringLiteral("Magic Keyboard"));
        QCOMPARE(single->batteryField()->stringValue(), QStringLiteral("-"));

        auto computer = std::make_shared<quenby::SingleBatteryViewController>();
        ammerl::AppleInternalBattery unknown;
        computer->setInternalBattery(&unknown);
        computer->view();
        computer->update();
        QCOMPARE(computer->nameField()->stringValue(), QStringLiteral("Battery"));
        QCOMPARE(computer->batteryField()->stringValue(), QStringLiteral("-"));

        auto twin = std::make_shared<quenby::DoubleBatteryViewController>();
        twin->setBattery(pair(QStringLiteral("AirPods Pro"), kPods, 70, std::nullopt));
        twin->view();
        twin->update();
        QCOMPARE(twin->nameField()->stringValue(), QStringLiteral("AirPods Pro"));
        QCOMPARE(twin->left()->stringValue(), QStringLiteral("70 %"));
        QCOMPARE(twin->right()->stringValue(), QStringLiteral("-"));
        QVERIFY(twin->leftIcon()->image());
        Settings::reload();
    }

private:
    static QString pirrowDeveloperPage();
};

QString StatusMenuTest::pirrowDeveloperPage()
{
    return QStringLiteral("https://apps.store.example/us/developer/velmorn/id1436815702");
}

QTEST_MAIN(StatusMenuTest)
#include "statusmenu_test.moc"
