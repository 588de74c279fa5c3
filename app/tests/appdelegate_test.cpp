#include "apptestsupport.h"
#include "quenby/appnotifications.h"
#include "quenby/baseview.h"
#include "quenby/doublebatterydeviceview.h"
#include "quenby/internalbatteryview.h"
#include "quenby/menubarview.h"
#include "quenby/singlebatterydeviceview.h"

#include <pirrow/about.h>
#include <pirrow/aboutviewcontroller.h>
#include <pirrow/gradientdialog.h>
#include <platform/core/bundle.h>
#include <platform/ui/imageview.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/textfield.h>
#include <platform/ui/window.h>
#include <tavrin/images.h>
#include <tavrin/notifications.h>

#include <QSignalSpy>
#include <QTest>

using namespace apptest;
using olvane::MenuBarItem;
using platform::ui::View;
using quenby::Settings;

namespace {

// What an item shows, as "<view class>:<identifier of the record>" per hosted view (the combined item:
// per view inside it), or "image:<symbol>" for an image.
QStringList content(const MenuBarItem &item)
{
    QStringList shown;
    if (item.image() && item.views().isEmpty())
        shown << QStringLiteral("image");
    QList<View *> views;
    for (View *view : item.views()) {
        if (auto *combined = qobject_cast<quenby::MenuBarView *>(view))
            views << combined->batteryViews();
        else
            views << view;
    }
    for (View *view : views) {
        if (auto *device = qobject_cast<quenby::BaseView *>(view))
            shown << QString::fromLatin1(view->metaObject()->className()).section(QStringLiteral("::"), -1)
                    + QLatin1Char(':') + device->device()->serial();
        else if (qobject_cast<quenby::InternalBatteryView *>(view))
            shown << QStringLiteral("InternalBatteryView");
    }
    return shown;
}

double symbolWidth(const std::shared_ptr<fennic::BatteryDevice> &device) { return device->image().size().width; }

} // namespace

class AppDelegateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void launchBuildsTheItemsOfTheAppMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("singleItem");
        QTest::addColumn<QStringList>("identifiers");
        QTest::addColumn<QList<QStringList>>("contents");

        const QStringList separate { kPods, kKeyboard, kPeripheralSerial, kInternal };
        const QList<QStringList> separateViews { { "DoubleBatteryDeviceView:" + kPods },
            { "SingleBatteryDeviceView:" + kKeyboard }, { "SingleBatteryDeviceView:" + kPeripheralSerial },
            { "InternalBatteryView" } };
        const QList<QStringList> combinedViews { { "DoubleBatteryDeviceView:" + kPods,
            "SingleBatteryDeviceView:" + kKeyboard, "SingleBatteryDeviceView:" + kPeripheralSerial,
            "InternalBatteryView" } };
        for (const int mode : { 0, 1, 3 }) {
            QTest::addRow("mode %d", mode) << mode << false << separate << separateViews;
            QTest::addRow("mode %d, single item", mode) << mode << true << QStringList { "" } << combinedViews;
        }
        QTest::newRow("mode 2") << 2 << false << QStringList { "" } << QList<QStringList> { { "image" } };
        QTest::newRow("mode 2, single item") << 2 << true << QStringList { "" } << QList<QStringList> { { "image" } };
    }
    void launchBuildsTheItemsOfTheAppMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, singleItem);
        QFETCH(QStringList, identifiers);
        QFETCH(QList<QStringList>, contents);
        AppRig rig([&] {
            Settings::setAppMode(mode);
            Settings::setSingleItem(singleItem);
        });
        rig.internal->battery = battery(69);
        rig.addThreeAccessories();
        rig.launch();

        QCOMPARE(rig.identifiers(), identifiers);
        QCOMPARE(rig.bar.items().size(), identifiers.size());
        QList<QStringList> shown;
        for (const auto &item : rig.menuBar().items()) {
            shown << content(*item);
            QCOMPARE(item->menu(), rig.delegate->menu());
        }
        QCOMPARE(shown, contents);

        // Lengths: every status item is as wide as its views say; the combined item as all of them.
        const auto pods = rig.controller().model().devices().at(kPods);
        const auto keyboard = rig.controller().model().devices().at(kKeyboard);
        const auto mouse = rig.controller().model().devices().at(kPeripheralSerial);
        QList<double> expected;
        switch (mode) {
        case 1:
            expected = { 104, 54, 54, 50 };
            break;
        case 2:
            expected = { platform::ui::StatusItem::variableLength };
            break;
        case 3: {
            const double extra = singleItem ? 22 : 14;
            expected = { symbolWidth(pods) + 20, symbolWidth(keyboard) + extra, symbolWidth(mouse) + extra, 36 };
            break;
        }
        default: {
            const auto views = singleItem
                ? qobject_cast<quenby::MenuBarView *>(rig.menuBar().firstItem()->views().first())->batteryViews()
                : QList<View *> {};
            for (int i = 0; i < 3; ++i) {
                View *view = singleItem ? views.at(i) : rig.menuBar().item(i)->views().first();
                const double width = qobject_cast<quenby::BaseView *>(view)->itemWidth();
                QVERIFY(width > 20);
                expected << width;
            }
            QVERIFY(expected.first() >= quenby::DoubleBatteryDeviceView::kMinimumCompactWidth);
            expected << 60;
        }
        }
        if (singleItem && mode != 2) {
            double sum = 0;
            for (const double width : expected)
                sum += width;
            QCOMPARE(rig.lengths(), QList<double> { sum });
            const auto *combined = qobject_cast<quenby::MenuBarView *>(rig.menuBar().firstItem()->views().first());
            double x = 0;
            for (View *view : combined->batteryViews()) {
                QCOMPARE(view->frame().x(), x);
                x += view->frame().width();
            }
            QCOMPARE(combined->frame().width(), sum);
        } else {
            QCOMPARE(rig.lengths(), expected);
        }
        if (mode == 2)
            QVERIFY(rig.menuBar().firstItem()->image() && !rig.menuBar().firstItem()->image()->isBlank());
    }

    void refreshesWithTheSameDevicesOnlyRedraw()
    {
        AppRig rig;
        rig.internal->battery = battery(69);
        int level = 80;
        rig.accessories = [&level] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> {
                single(QStringLiteral("Magic Keyboard"), kKeyboard, std::uint8_t(level)),
                pair(QStringLiteral("AirPods Pro"), kPods, 70, 60),
            };
        };
        rig.launch();
        const auto items = rig.menuBar().items();
        QList<View *> views;
        for (const auto &item : items)
            views << item->views();
        QCOMPARE(items.size(), 3);

        for (int i = 0; i < 10; ++i) {
            --level;
            rig.internal->battery = battery(68 - i);
            rig.tick();
            QCOMPARE(rig.menuBar().items(), items);
            QList<View *> now;
            for (const auto &item : rig.menuBar().items())
                now << item->views();
            QCOMPARE(now, views);
        }
        const auto &devices = rig.controller().model().devices();
        for (View *view : views) {
            if (auto *device = qobject_cast<quenby::BaseView *>(view)) {
                QCOMPARE(device->device(), devices.at(device->device()->serial()));
            } else {
                auto *internal = qobject_cast<quenby::InternalBatteryView *>(view);
                QVERIFY(internal);
                QCOMPARE(internal->battery()->charge(), std::optional<std::int64_t>(59));
            }
        }
        QCOMPARE(devices.at(kKeyboard)->batteryLevel(), std::optional<std::uint8_t>(70));
    }

    void aTickRedrawsOnlyTheItemsWhoseRecordsDrawDifferently()
    {
        AppRig rig;
        rig.internal->battery = battery(69);
        int level = 80;
        rig.accessories = [&level] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> {
                single(QStringLiteral("Magic Keyboard"), kKeyboard, std::uint8_t(level)),
                pair(QStringLiteral("AirPods Pro"), kPods, 70, 60),
            };
        };
        rig.launch();
        QCoreApplication::processEvents();
        QMap<QString, std::shared_ptr<QSignalSpy>> pictures;
        for (const auto &item : rig.menuBar().items())
            pictures.insert(identifierOf(*item),
                std::make_shared<QSignalSpy>(item->item().get(), &platform::ui::StatusItem::pictureChanged));
        QCOMPARE(pictures.keys(), (QList<QString> { kKeyboard, kPods, kInternal }));
        const auto redrawn = [&] {
            QCoreApplication::processEvents();
            QStringList list;
            for (auto it = pictures.begin(); it != pictures.end(); ++it) {
                if (!it.value()->isEmpty())
                    list << it.key();
                it.value()->clear();
            }
            return list;
        };

        // New records that draw the same: no picture is made, the tray is handed nothing.
        rig.tick();
        rig.tick();
        QCOMPARE(redrawn(), QStringList());
        --level;
        rig.tick();
        QCOMPARE(redrawn(), QStringList { kKeyboard });
        rig.internal->battery = battery(69, true);
        rig.tick();
        QCOMPARE(redrawn(), QStringList { kInternal });
        rig.tick();
        QCOMPARE(redrawn(), QStringList());
    }

    void addingOrRemovingADeviceRebuildsTheItems()
    {
        AppRig rig;
        bool withPods = false;
        rig.accessories = [&withPods] {
            std::vector<std::shared_ptr<fennic::BatteryDevice>> list { single(
                QStringLiteral("Magic Keyboard"), kKeyboard, 80) };
            if (withPods)
                list.push_back(pair(QStringLiteral("AirPods Pro"), kPods, 70, 60));
            return list;
        };
        rig.launch();
        QCOMPARE(rig.identifiers(), QStringList { kKeyboard });
        View *keyboardView = rig.menuBar().firstItem()->views().first();

        withPods = true;
        rig.tick();
        QCOMPARE(rig.identifiers(), (QStringList { kPods, kKeyboard }));
        QVERIFY(!rig.menuBar().firstItem()->views().contains(keyboardView));

        withPods = false;
        rig.tick();
        QCOMPARE(rig.identifiers(), QStringList { kKeyboard });
        QCOMPARE(rig.bar.items().size(), 1);
    }

    void theApplicationIconStandsInWhenNothingIsShown_data()
    {
        QTest::addColumn<bool>("hasBattery");
        QTest::addColumn<bool>("withDevices");
        QTest::addColumn<QStringList>("ignored");
        QTest::addColumn<QStringList>("identifiers");
        QTest::newRow("no devices, no battery") << false << false << QStringList() << QStringList { "" };
        QTest::newRow("every device ignored, no battery")
            << false << true << QStringList { kKeyboard, kPods } << QStringList { "" };
        QTest::newRow("every device and the battery ignored")
            << true << true << QStringList { kKeyboard, kPods, kInternal } << QStringList { "" };
        QTest::newRow("no devices, battery ignored")
            << true << false << QStringList { kInternal } << QStringList { "" };
        QTest::newRow("no devices, battery shown") << true << false << QStringList() << QStringList { kInternal };
        QTest::newRow("every device ignored, battery shown")
            << true << true << QStringList { kKeyboard, kPods } << QStringList { kInternal };
    }
    void theApplicationIconStandsInWhenNothingIsShown()
    {
        QFETCH(bool, hasBattery);
        QFETCH(bool, withDevices);
        QFETCH(QStringList, ignored);
        QFETCH(QStringList, identifiers);
        AppRig rig([&] {
            for (const QString &identifier : ignored)
                Settings::addIgnoredDevice(identifier);
        });
        if (hasBattery)
            rig.internal->battery = battery(50);
        if (withDevices) {
            rig.accessories = [] {
                return std::vector<std::shared_ptr<fennic::BatteryDevice>> { single(QStringLiteral("Magic Keyboard"),
                                                                                 kKeyboard, 80),
                    pair(QStringLiteral("AirPods Pro"), kPods, 70, 60) };
            };
        }
        rig.launch();
        QCOMPARE(rig.identifiers(), identifiers);
        const auto first = rig.menuBar().firstItem();
        const bool icon = identifiers == QStringList { "" };
        QCOMPARE(first->views().isEmpty(), icon);
        QCOMPARE(first->image().has_value(), icon);
        if (icon)
            QCOMPARE(first->length(), platform::ui::StatusItem::variableLength);
    }

    void aDeviceWithoutNameGetsNoItemOfItsOwnButShowsInTheCombinedItem_data()
    {
        QTest::addColumn<bool>("singleItem");
        QTest::addColumn<QStringList>("contents");
        QTest::newRow("separate items") << false << QStringList { "SingleBatteryDeviceView:" + kKeyboard };
        QTest::newRow("single item") << true
                                     << QStringList { "SingleBatteryDeviceView:AA-00-00-00-00-09",
                                            "SingleBatteryDeviceView:" + kKeyboard };
    }
    void aDeviceWithoutNameGetsNoItemOfItsOwnButShowsInTheCombinedItem()
    {
        QFETCH(bool, singleItem);
        QFETCH(QStringList, contents);
        AppRig rig([&] { Settings::setSingleItem(singleItem); });
        rig.accessories = [] {
            auto nameless = single(QStringLiteral("x"), QStringLiteral("AA-00-00-00-00-09"), 50);
            nameless->setName(QString());
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> {
                single(QStringLiteral("Magic Keyboard"), kKeyboard, 80), nameless
            };
        };
        rig.launch();
        QStringList shown;
        for (const auto &item : rig.menuBar().items())
            shown << content(*item);
        QCOMPARE(shown, contents);
    }

    void theFirstItemDropsTheApplicationIconWhenItShowsADevice()
    {
        AppRig rig([] { Settings::setAppMode(2); });
        rig.addThreeAccessories();
        rig.launch();
        const auto first = rig.menuBar().firstItem();
        QVERIFY(first->image());

        Settings::setAppMode(1);
        tavrin::Notifications::post(QString::fromLatin1(quenby::kModeChanged));
        QCOMPARE(rig.menuBar().firstItem(), first);
        QCOMPARE(content(*first), QStringList { "DoubleBatteryDeviceView:" + kPods });
        QVERIFY(!first->image());
        QVERIFY(!first->item()->button()->image());
        QCOMPARE(first->length(), 104.0);
    }

    void aDeviceShownAgainAfterTheIconGetsItsView()
    {
        AppRig rig([] {
            Settings::addIgnoredDevice(kKeyboard);
            Settings::addIgnoredDevice(kPods);
        });
        rig.accessories = [] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> { single(QStringLiteral("Magic Keyboard"),
                                                                             kKeyboard, 80),
                pair(QStringLiteral("AirPods Pro"), kPods, 70, 60) };
        };
        rig.launch();
        QCOMPARE(rig.identifiers(), QStringList { "" });

        // The keyboard had the first item before everything was hidden.
        Settings::removeIgnoredDevice(kKeyboard);
        rig.delegate->rebuildStatusItems();
        Settings::addIgnoredDevice(kKeyboard);
        rig.delegate->rebuildStatusItems();
        QCOMPARE(rig.identifiers(), QStringList { "" });

        tavrin::Notifications::postWithObject(
            QString::fromLatin1(quenby::kMenuBarItemClicked), platform::Value(quenby::identifierHash(kKeyboard)));
        QCOMPARE(rig.identifiers(), QStringList { kKeyboard });
        QCOMPARE(content(*rig.menuBar().firstItem()), QStringList { "SingleBatteryDeviceView:" + kKeyboard });
        rig.tick();
        QCOMPARE(content(*rig.menuBar().firstItem()), QStringList { "SingleBatteryDeviceView:" + kKeyboard });
    }

    void aModeChangeBuildsEveryItemAnew()
    {
        AppRig rig;
        rig.internal->battery = battery(50);
        rig.addThreeAccessories();
        rig.launch();
        QList<QPointer<View>> before;
        for (const auto &item : rig.menuBar().items())
            for (View *view : item->views())
                before << view;
        QCOMPARE(before.size(), 4);

        tavrin::Notifications::post(QString::fromLatin1(quenby::kModeChanged));
        QCOMPARE(rig.identifiers(), (QStringList { kPods, kKeyboard, kPeripheralSerial, kInternal }));
        for (const QPointer<View> &view : before)
            QVERIFY(!view || !view->superview());
    }

    void theTimerDrivesTheRefreshUntilTermination()
    {
        AppRig rig;
        QVERIFY(!rig.delegate->timer());
        int level = 80;
        rig.accessories = [&level] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> { single(
                QStringLiteral("Magic Keyboard"), kKeyboard, std::uint8_t(level)) };
        };
        rig.delegate->applicationDidFinishLaunching();
        QVERIFY(rig.delegate->timer());
        QCOMPARE(rig.delegate->timer()->interval(), std::chrono::milliseconds(2000));
        QVERIFY(rig.delegate->timer()->repeats());
        level = 30;
        rig.delegate->timer()->fire();
        QCOMPARE(rig.controller().model().devices().at(kKeyboard)->batteryLevel(), std::optional<std::uint8_t>(30));

        rig.delegate->applicationWillTerminate();
        QVERIFY(!rig.delegate->timer());
        Settings::setAppMode(2);
        tavrin::Notifications::post(QString::fromLatin1(quenby::kModeChanged));
        QVERIFY(rig.menuBar().firstItem()->image() == std::nullopt);
    }

    void aWakeRefreshesTheControllerOnly()
    {
        AppRig rig;
        int level = 80;
        rig.accessories = [&level] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> { single(
                QStringLiteral("Magic Keyboard"), kKeyboard, std::uint8_t(level)) };
        };
        rig.launch();
        auto *view = qobject_cast<quenby::BaseView *>(rig.menuBar().firstItem()->views().first());
        const auto shown = view->device();

        level = 30;
        emit rig.workspace.willSleep();
        QCOMPARE(rig.controller().model().devices().at(kKeyboard)->batteryLevel(), std::optional<std::uint8_t>(80));
        emit rig.workspace.didWake();
        QCOMPARE(rig.controller().model().devices().at(kKeyboard)->batteryLevel(), std::optional<std::uint8_t>(30));
        // No redraw check: the view keeps its record until the next tick.
        QCOMPARE(view->device(), shown);
        rig.tick();
        QCOMPARE(view->device()->batteryLevel(), std::optional<std::uint8_t>(30));

        rig.delegate->applicationWillTerminate();
        level = 10;
        emit rig.workspace.didWake();
        QCOMPARE(rig.controller().model().devices().at(kKeyboard)->batteryLevel(), std::optional<std::uint8_t>(30));
    }

    void theAboutPanelsCopyrightSpeaksTheUsersLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("app");
        QTest::addColumn<std::optional<QString>>("copyright");
        QTest::newRow("German") << "de"
                                << "Quenby.app"
                                << std::optional<QString>(QStringLiteral("Copyright © 2026 Velmorn. Alle Rechte vorbehalten."));
        QTest::newRow("English") << "en"
                                 << "Quenby.app"
                                 << std::optional<QString>(QStringLiteral("Copyright © 2026 Velmorn. All rights reserved."));
        QTest::newRow("no copyright to translate") << "de"
                                                   << "NoCopyright.app" << std::optional<QString>();
    }
    void theAboutPanelsCopyrightSpeaksTheUsersLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, app);
        QFETCH(std::optional<QString>, copyright);
        platform::Bundle::setPreferredLanguages({ language });
        const auto info
            = quenby::AppDelegate::aboutInformation(platform::Bundle(QStringLiteral(QUENBY_TEST_DATA "/") + app));
        platform::Bundle::setPreferredLanguages({});
        QVERIFY(info);
        QCOMPARE((*info)[QStringLiteral("NSHumanReadableCopyright")].toString(), copyright);
        QCOMPARE((*info)[QStringLiteral("CFBundleName")].toString(), std::optional<QString>(QStringLiteral("Quenby")));
        if (!copyright)
            return;
        pirrow::About::show(info, QString());
        auto *about = dynamic_cast<pirrow::AboutViewController *>(pirrow::GradientDialog::shared().viewController().get());
        QVERIFY(about);
        QCOMPARE(about->lblCopyright()->stringValue(), *copyright);
        pirrow::GradientDialog::shared().window()->close();
        QTRY_VERIFY(!pirrow::GradientDialog::shared().window());
    }

    // The hint pictures the status bar large enough to read, on a wallpaper that sets it apart from the
    // dialog in either appearance (a light strip on a light dialog was lost).
    void theFirstStartPictureStandsOutOfTheDialog_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void theFirstStartPictureStandsOutOfTheDialog()
    {
        QFETCH(bool, dark);
        platform::ui::ScopedAppearance look(dark ? platform::ui::Appearance::darkAqua() : platform::ui::Appearance::aqua());
        AppRig rig([] {
            platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kWasStartedKey), false);
            Settings::reload();
        });
        rig.delegate->applicationDidFinishLaunching();
        const QPointer<platform::ui::Window> window = pirrow::GradientDialog::shared().window();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        platform::MainQueue::drain();
        QCoreApplication::processEvents();

        platform::ui::ImageView *scene = nullptr;
        for (auto *view : window->findChildren<platform::ui::ImageView *>())
            if (view->image() && (!scene || view->frame().size.height > scene->frame().size.height))
                scene = view;
        QVERIFY(scene);
        QVERIFY2(scene->frame().size.height >= 56, qPrintable(QString::number(scene->frame().size.height)));
        QVERIFY(scene->frame().size.width >= 300);

        const QImage shot = window->grab().toImage();
        const auto lightness = [&](QWidget *widget, QPoint at) {
            return shot.pixelColor(widget->mapTo(window.data(), at) * shot.devicePixelRatio()).lightness();
        };
        // The dialog's own background beside the picture, the wallpaper at its foot, the bar at its top.
        const int dialog = lightness(scene, QPoint(-8, scene->height() / 2));
        const int wallpaper = lightness(scene, QPoint(scene->width() / 2, scene->height() - 6));
        const int bar = lightness(scene, QPoint(6, 12));
        QVERIFY2(std::abs(wallpaper - dialog) >= 30, qPrintable(QStringLiteral("%1 %2").arg(wallpaper).arg(dialog)));
        QVERIFY2(std::abs(bar - wallpaper) >= 30, qPrintable(QStringLiteral("%1 %2").arg(bar).arg(wallpaper)));
        window->close();
        QTRY_VERIFY(!pirrow::GradientDialog::shared().window());
    }

    void theFirstStartHintShowsOnce()
    {
        AppRig rig([] {
            platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kWasStartedKey), false);
            Settings::reload();
        });
        rig.delegate->applicationDidFinishLaunching();
        const QPointer<platform::ui::Window> window = pirrow::GradientDialog::shared().window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(platform::UserDefaults::standard().boolean(QString::fromLatin1(quenby::kWasStartedKey)));
        window->close();
        QVERIFY(QTest::qWaitFor([&] { return !pirrow::GradientDialog::shared().window(); }, 5000));

        // The next start.
        Settings::reload();
        rig.delegate->showFirstStartHint();
        QVERIFY(!pirrow::GradientDialog::shared().window());
    }
};

QTEST_MAIN(AppDelegateTest)
#include "appdelegate_test.moc"
