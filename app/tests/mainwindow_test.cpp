#include "../../platform/desktop/tests/dbusmock.h"
#include "apptestsupport.h"
#include "darkdesktoppalette.h"
#include "quenby/contentviewcontroller.h"
#include "quenby/devicecell.h"
#include "quenby/devicesviewcontroller.h"
#include "quenby/internalviewcontroller.h"
#include "quenby/modetileview.h"
#include "quenby/page.h"
#include "quenby/settingsviewcontroller.h"
#include "quenby/sidebarviewcontroller.h"
#include "quenby/splitviewcontroller.h"
#include "quenby/windowcontroller.h"

#include <dorsk/sentrel.h>
#include <pirrow/graphview.h>
#include <pirrow/idataplotter.h>
#include <pirrow/simpletileview.h>
#include <platform/desktop/hotkeys.h>
#include <platform/desktop/memoryhotkeys.h>
#include <platform/ui/alert.h>
#include <platform/ui/imageview.h>
#include <platform/ui/systemappearance.h>
#include <tavrin/webrequest.h>

#include <QApplication>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPromise>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace apptest;
using quenby::Page;
using quenby::SplitViewController;

namespace {

QString text(const char *key) { return platform::localized(QStringLiteral("QuenbyApp"), QString::fromLatin1(key)); }

/// A page that counts how often it was made and keeps the controller it was handed.
class ProbePage final : public Page, public quenby::IControllable {
public:
    explicit ProbePage(int *made) { ++*made; }
    quenby::IController *controller() const override { return m_controller; }
    void setController(quenby::IController *controller) override { m_controller = controller; }

private:
    quenby::IController *m_controller = nullptr;
};

/// Registers probe pages under the four page names for the life of the guard.
struct ProbePages {
    std::map<QString, int> made;
    ProbePages()
    {
        for (const char *name : { "Devices", "Internal", "Settings", "MoreDevices" }) {
            int *counter = &made[QString::fromLatin1(name)];
            SplitViewController::registerPage(
                QString::fromLatin1(name), [counter] { return std::make_unique<ProbePage>(counter); });
        }
    }
    ~ProbePages()
    {
        for (const auto &[name, count] : made)
            SplitViewController::registerPage(name, {});
    }
};

void installSentrel(const AppRig &rig, const QString &version)
{
    const QString contents = rig.applications.path() + QStringLiteral("/Sentrel.app/Contents");
    QDir().mkpath(contents);
    QFile plist(contents + QStringLiteral("/Info.plist"));
    QVERIFY(plist.open(QIODevice::WriteOnly));
    const QByteArray entry = version.isEmpty()
        ? QByteArray()
        : "<key>CFBundleShortVersionString</key><string>" + version.toUtf8() + "</string>";
    plist.write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entry + "</dict></plist>\n");
}

QStringList rows(const QTreeWidget &tree)
{
    QStringList list;
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        const auto *group = tree.topLevelItem(g);
        list << group->text(0);
        for (int i = 0; i < group->childCount(); ++i)
            list << QStringLiteral("  ") + group->child(i)->text(0);
    }
    return list;
}

QTreeWidgetItem *row(const QTreeWidget &tree, const QString &title)
{
    const auto found = tree.findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

/// The application palette for the lifetime of the guard. A running application tells its widgets
/// of the change; a test never enters the application's event loop, so the guard tells them.
struct ScopedPalette {
    QPalette previous = QApplication::palette();
    explicit ScopedPalette(const QPalette &palette) { set(palette); }
    ~ScopedPalette() { set(previous); }
    static void set(const QPalette &palette)
    {
        QApplication::setPalette(palette);
        for (QWidget *widget : QApplication::allWidgets()) {
            QEvent changed(QEvent::ApplicationPaletteChange);
            QCoreApplication::sendEvent(widget, &changed);
        }
    }
};

// The lightness of a window pixel at a widget's point, as the user sees it.
int lightnessAt(QWidget &window, QWidget *widget, QPoint point)
{
    const QImage shot = window.grab().toImage();
    const QPoint at = widget->mapTo(&window, point) * shot.devicePixelRatio();
    return shot.pixelColor(at).lightness();
}

// The window at 900 × 600 with the rig's controller, shown and settled.
bool showOn(quenby::WindowController &window, AppRig &rig)
{
    window.resize(900, 600);
    window.contentViewController()->setController(&rig.controller());
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    platform::MainQueue::drain();
    return exposed;
}

// The mean lightness of a symbol's ink (its opaque pixels); -1 without ink.
int inkLightness(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    long sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200) {
                sum += c.lightness();
                ++count;
            }
        }
    }
    return count ? int(sum / count) : -1;
}

// The desktop's settings portal switching the colour scheme, as the desktop's settings do.
bool setColorScheme(const QDBusConnection &bus, uint scheme)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.freedesktop.DBus.Mock"),
        QStringLiteral("SetColorScheme"));
    call << scheme;
    return bus.call(call).type() == QDBusMessage::ReplyMessage;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sideBarListsThePagesThatApply_data()
    {
        QTest::addColumn<bool>("controllerSet");
        QTest::addColumn<bool>("battery");
        QTest::addColumn<bool>("sentrel");
        QTest::addColumn<QStringList>("expected");
        const QString devices = text("DEVICES"), other = text("OTHER"), mine = "  " + text("MY_DEVICES"),
                      internal = "  " + text("INTERNAL_BATTERY"), settings = "  " + text("SETTINGS"),
                      more = "  " + text("MORE_DEVICES");
        QTest::newRow("laptop, no Sentrel")
            << true << true << false << QStringList { devices, mine, internal, other, settings, more };
        QTest::newRow("desktop, no Sentrel")
            << true << false << false << QStringList { devices, mine, other, settings, more };
        QTest::newRow("laptop with Sentrel")
            << true << true << true << QStringList { devices, mine, internal, other, settings };
        QTest::newRow("no controller yet")
            << false << true << false << QStringList { devices, mine, other, settings, more };
    }
    void sideBarListsThePagesThatApply()
    {
        QFETCH(bool, controllerSet);
        QFETCH(bool, battery);
        QFETCH(bool, sentrel);
        QFETCH(QStringList, expected);
        AppRig rig;
        if (battery)
            rig.internal->battery = apptest::battery(80);
        if (sentrel)
            installSentrel(rig, QStringLiteral("1.0"));

        struct Recorder final : quenby::SideBarDelegate {
            QStringList told;
            void sideBarItemSelected(const QString &title) override { told << title; }
        } recorder;
        quenby::SideBarViewController sideBar;
        sideBar.setDelegate(&recorder);
        if (controllerSet)
            sideBar.setController(&rig.controller());
        sideBar.show();

        QCOMPARE(rows(*sideBar.outlineView()), expected);
        QCOMPARE(sideBar.groups().size(), 2);
        // The first item is selected without switching pages.
        const auto selected = sideBar.outlineView()->selectedItems();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first()->text(0), text("MY_DEVICES"));
        QVERIFY(recorder.told.isEmpty());
        QCOMPARE(sideBar.outlineView()->visualItemRect(selected.first()).height(),
            quenby::SideBarViewController::kRowHeight);
        QCOMPARE(sideBar.outlineView()->visualItemRect(sideBar.outlineView()->topLevelItem(0)).height(),
            quenby::SideBarViewController::kRowHeight);

        // A group header is no choice; an item is.
        sideBar.outlineView()->setCurrentItem(row(*sideBar.outlineView(), text("OTHER")));
        QVERIFY(recorder.told.isEmpty());
        sideBar.outlineView()->setCurrentItem(row(*sideBar.outlineView(), text("SETTINGS")));
        QCOMPARE(recorder.told, QStringList { text("SETTINGS") });

        // Showing it again follows the state of that moment.
        sideBar.hide();
        rig.internal->battery.reset();
        sideBar.show();
        QVERIFY(!row(*sideBar.outlineView(), text("INTERNAL_BATTERY")));
    }

    // Through the real window: the window's content gets the controller before Qt shows the side bar.
    void theWindowOffersTheInternalBatteryPageOnALaptop_data()
    {
        QTest::addColumn<bool>("battery");
        QTest::newRow("laptop") << true;
        QTest::newRow("desktop") << false;
    }
    void theWindowOffersTheInternalBatteryPageOnALaptop()
    {
        QFETCH(bool, battery);
        AppRig rig;
        if (battery) {
            auto laptop = apptest::battery(80);
            laptop.setAmperage(-1500);
            laptop.setVoltage(12.3456);
            rig.internal->battery = laptop;
        }
        rig.launch();
        rig.tick();

        quenby::WindowController window;
        window.contentViewController()->setController(&rig.controller());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tree = window.contentViewController()->sideBarViewController()->outlineView();
        QTreeWidgetItem *item = row(*tree, text("INTERNAL_BATTERY"));
        QCOMPARE(item != nullptr, battery);
        if (!item)
            return;

        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        auto *page = dynamic_cast<quenby::InternalViewController *>(
            window.contentViewController()->contentViewController()->currentViewController());
        QVERIFY(page);
        QVERIFY(page->isVisible());
        QCOMPARE(window.windowTitle(), text("INTERNAL_BATTERY"));
        QCOMPARE(page->voltage()->text(), QStringLiteral("12.346 V"));
        QCOMPARE(page->amperageInfo()->text(), text("DISCHARGE_RATE"));
        QCOMPARE(page->amperage()->text(), QStringLiteral("1500 mA"));
        // Each of the three refreshes drew about 18.5 W from the battery; the graph shows them.
        const auto drawn = page->consumptionGraph()->firstPlotter()->data();
        QCOMPARE(drawn, rig.controller().consumption().values());
        QCOMPARE(std::count_if(drawn.begin(), drawn.end(), [](const auto &v) { return v.has_value(); }), 3);
        QCOMPARE(page->consumptionGraph()->maxValue(), 20.0);
    }

    // The user switches the desktop to dark while the window is open: side bar, pages, cells and
    // tiles take the dark palette, nothing stays light.
    void theWindowFollowsADarkPalette()
    {
        AppRig rig;
        rig.internal->battery = apptest::battery(80);
        rig.addThreeAccessories();
        rig.launch();
        quenby::WindowController window;
        QVERIFY(showOn(window, rig));

        ScopedPalette dark(darkDesktopPalette());
        platform::ui::ScopedAppearance darkLook(platform::ui::Appearance::darkAqua());
        auto *split = window.contentViewController();
        auto *tree = split->sideBarViewController()->outlineView();
        auto *content = split->contentViewController();
        constexpr int kDark = 90;

        // The side bar: its empty foot and the selected row.
        QVERIFY(lightnessAt(window, tree->viewport(), QPoint(20, tree->viewport()->height() - 10)) < kDark);
        const QRect selected = tree->visualItemRect(tree->selectedItems().first());
        QVERIFY(lightnessAt(window, tree->viewport(), QPoint(selected.right() - 6, selected.center().y())) < kDark);
        // One colour across the selected row, its indentation included (never the key window's accent).
        const QImage shot = window.grab().toImage();
        const auto pixel = [&](int x) {
            return shot.pixelColor(
                tree->viewport()->mapTo(&window, QPoint(x, selected.center().y())) * shot.devicePixelRatio());
        };
        QCOMPARE(pixel(2), pixel(selected.right() - 6));

        // The devices page and a cell, beside their contents.
        auto *devices = dynamic_cast<quenby::DevicesViewController *>(content->currentViewController());
        QVERIFY(devices);
        QVERIFY(!devices->cells().isEmpty());
        QWidget *cell = devices->cells().first();
        QVERIFY(lightnessAt(window, cell, QPoint(8, cell->height() - 6)) < kDark);
        QVERIFY(lightnessAt(window, devices, QPoint(devices->width() - 4, devices->height() - 4)) < kDark);

        for (const char *key : { "INTERNAL_BATTERY", "SETTINGS", "MORE_DEVICES" }) {
            split->showPage(text(key));
            QWidget *page = content->currentViewController();
            QVERIFY2(lightnessAt(window, page, QPoint(page->width() - 4, 4)) < kDark, key);
        }
        split->showPage(text("SETTINGS"));
        auto *settings = dynamic_cast<quenby::SettingsViewController *>(content->currentViewController());
        QVERIFY(settings);
        QWidget *tile = settings->tileAppIcon()->parentWidget();
        QVERIFY(lightnessAt(window, tile, QPoint(tile->width() / 2, 4)) < kDark);
    }

    // The desktop's colour scheme switches while the window is open: every symbol the window tints
    // (the side bar's rows, the device cells' pictures and gear) takes the new text colour at once.
    void theSymbolsFollowAColourSchemeChangeAtOnce()
    {
        DBusMock mock;
        QVERIFY2(mock.startBus(), qPrintable(mock.error()));
        QVERIFY2(mock.startTemplate(QStringLiteral(QUENBY_SOURCE_DIR "/platform/ui/tests/data/settings_portal.py"),
                     QStringLiteral("org.freedesktop.portal.Desktop")),
            qPrintable(mock.error()));
        AppRig rig;
        rig.addThreeAccessories();
        rig.launch();
        platform::ui::SystemAppearance &appearance = platform::ui::SystemAppearance::instance();
        // The program's own set-up: the palette follows the scheme, nothing is forced.
        appearance.setForced(std::nullopt);
        appearance.setAppliesPalette(true);
        appearance.usePortal(mock.bus());
        quenby::WindowController window;
        QVERIFY(showOn(window, rig));
        auto *tree = window.contentViewController()->sideBarViewController()->outlineView();
        auto *devices = dynamic_cast<quenby::DevicesViewController *>(
            window.contentViewController()->contentViewController()->currentViewController());
        QVERIFY(devices && !devices->cells().isEmpty());
        const auto inks = [&] {
            QList<int> found;
            const QSize size = tree->iconSize();
            for (int g = 0; g < tree->topLevelItemCount(); ++g) {
                for (int i = 0; i < tree->topLevelItem(g)->childCount(); ++i)
                    found << inkLightness(tree->topLevelItem(g)->child(i)->icon(0).pixmap(size));
            }
            quenby::DeviceCell *cell = devices->cells().first();
            found << inkLightness(cell->iconView()->pixmap()) << inkLightness(cell->gearButton()->icon().pixmap(16));
            return found;
        };
        const auto allAre = [](const QList<int> &lightness, bool light) {
            return std::all_of(
                lightness.begin(), lightness.end(), [light](int l) { return l >= 0 && (light ? l > 160 : l < 96); });
        };
        QVERIFY(allAre(inks(), false));

        for (const auto &[scheme, light] : { std::pair(1u, true), std::pair(2u, false), std::pair(1u, true) }) {
            QVERIFY(setColorScheme(mock.bus(), scheme));
            QTRY_VERIFY_WITH_TIMEOUT(appearance.portalColorScheme() == scheme, 5000);
            // Once the palette changed, no later event may be needed: the user sees the symbols now.
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::palette().color(QPalette::Window).lightness() < 128, light, 5000);
            QCoreApplication::processEvents();
            const QList<int> found = inks();
            QStringList texts;
            for (int lightness : found)
                texts << QString::number(lightness);
            QVERIFY2(allAre(found, light),
                qPrintable(
                    QStringLiteral("scheme %1: ink lightness %2").arg(scheme).arg(texts.join(QLatin1Char(' ')))));
        }

        // The settings page's pictures of the status bar follow too: a dark strip now, a light one after.
        auto *split = window.contentViewController();
        split->showPage(text("SETTINGS"));
        auto *settings
            = dynamic_cast<quenby::SettingsViewController *>(split->contentViewController()->currentViewController());
        QVERIFY(settings);
        auto *tile = dynamic_cast<quenby::ModeTileView *>(settings->tileAppIcon());
        QVERIFY(tile);
        const auto stripLightness = [tile] {
            const QImage picture = tile->picture()->image()->bitmap(2);
            return picture.pixelColor(picture.width() / 2, 3).lightness();
        };
        QVERIFY(stripLightness() < 96);
        QVERIFY(setColorScheme(mock.bus(), 2u));
        QTRY_COMPARE_WITH_TIMEOUT(appearance.portalColorScheme(), std::optional<uint>(2u), 5000);
        QCoreApplication::processEvents();
        QVERIFY(stripLightness() > 160);

        appearance.usePortal(QDBusConnection(QString()));
        appearance.setAppliesPalette(false);
    }

    void everyPageFitsBesideTheSideBar_data()
    {
        QTest::addColumn<bool>("smallest");
        QTest::newRow("first size") << false;
        QTest::newRow("smallest size") << true;
    }

    // Going from page to page, at the window's first size and at its smallest, the side bar keeps its
    // width and no page gets less room than its controls need (the settings page's mode tiles stand in
    // one row).
    void everyPageFitsBesideTheSideBar()
    {
        QFETCH(bool, smallest);
        AppRig rig;
        rig.internal->battery = apptest::battery(80);
        rig.addThreeAccessories();
        rig.launch();
        rig.tick();
        quenby::WindowController window;
        window.contentViewController()->setController(&rig.controller());
        if (smallest)
            window.resize(window.minimumSize());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        platform::MainQueue::drain();

        auto *split = window.contentViewController();
        const QWidget *sideBar = split->sideBarViewController();
        const int sideBarWidth = sideBar->width();
        QVERIFY(sideBarWidth >= sideBar->minimumWidth());
        for (const char *key : { "SETTINGS", "MY_DEVICES", "INTERNAL_BATTERY", "MORE_DEVICES", "SETTINGS" }) {
            split->showPage(text(key));
            platform::MainQueue::drain();
            QCoreApplication::processEvents();
            const QWidget *page = split->contentViewController()->currentViewController();
            QVERIFY(page);
            QVERIFY2(sideBar->width() == sideBarWidth,
                qPrintable(
                    QStringLiteral("%1: side bar %2 wide, was %3").arg(key).arg(sideBar->width()).arg(sideBarWidth)));
            QVERIFY2(page->width() >= page->minimumSizeHint().width(),
                qPrintable(QStringLiteral("%1: %2 wide, needs %3")
                               .arg(key)
                               .arg(page->width())
                               .arg(page->minimumSizeHint().width())));
        }
    }

    void pagesAreMadeOnceAndGetTheController()
    {
        AppRig rig;
        ProbePages probes;
        SplitViewController split;
        split.setController(&rig.controller());
        split.show();

        // Shown, the window starts on the devices page.
        auto *content = split.contentViewController();
        auto *devices = dynamic_cast<ProbePage *>(content->currentViewController());
        QVERIFY(devices);
        QCOMPARE(devices->controller(), &rig.controller());
        QCOMPARE(split.windowTitle(), text("MY_DEVICES"));

        auto *tree = split.sideBarViewController()->outlineView();
        tree->setCurrentItem(row(*tree, text("SETTINGS")));
        QWidget *settings = content->currentViewController();
        QVERIFY(settings != devices);
        QVERIFY(settings->isVisible());
        QVERIFY(!devices->isVisible());
        tree->setCurrentItem(row(*tree, text("MY_DEVICES")));
        QCOMPARE(content->currentViewController(), devices);
        tree->setCurrentItem(row(*tree, text("SETTINGS")));
        QCOMPARE(content->currentViewController(), settings);
        QCOMPARE(probes.made[QStringLiteral("Settings")], 1);
        QCOMPARE(probes.made[QStringLiteral("Devices")], 1);
        QCOMPARE(split.viewControllers().size(), std::size_t(2));
        QCOMPARE(split.windowTitle(), text("SETTINGS"));

        // A group header, an unknown text and a page that cannot be made change nothing.
        tree->setCurrentItem(row(*tree, text("DEVICES")));
        split.showPage(QStringLiteral("Nothing"));
        SplitViewController::registerPage(QStringLiteral("MoreDevices"), {});
        split.showPage(text("MORE_DEVICES"));
        QCOMPARE(content->currentViewController(), settings);
        QCOMPARE(split.viewControllers().size(), std::size_t(2));
    }

    // The highlighted row names the page on show, whoever switched it and however often the window
    // was shown.
    void theSideBarSelectionFollowsThePage()
    {
        AppRig rig;
        rig.internal->battery = apptest::battery(80);
        ProbePages probes;
        SplitViewController split;
        split.setController(&rig.controller());
        split.show();
        auto *content = split.contentViewController();
        auto *tree = split.sideBarViewController()->outlineView();
        const auto selected = [tree] {
            const auto items = tree->selectedItems();
            return items.size() == 1 ? items.first()->text(0) : QStringLiteral("(%1 rows)").arg(items.size());
        };
        QCOMPARE(selected(), text("MY_DEVICES"));
        QWidget *devices = content->currentViewController();

        split.showPage(text("SETTINGS"));
        QWidget *settings = content->currentViewController();
        QCOMPARE(selected(), text("SETTINGS"));

        // A click on a page that cannot be made leaves the page and puts the highlight back.
        SplitViewController::registerPage(QStringLiteral("MoreDevices"), {});
        QTest::mouseClick(
            tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(row(*tree, text("MORE_DEVICES"))).center());
        QCOMPARE(content->currentViewController(), settings);
        QCOMPARE(selected(), text("SETTINGS"));

        // Shown again, the side bar rebuilds its rows and still names the page on show.
        split.hide();
        split.show();
        QCOMPARE(content->currentViewController(), settings);
        QCOMPARE(selected(), text("SETTINGS"));

        // A page whose row is gone by the next showing gives way to the devices page.
        split.showPage(text("INTERNAL_BATTERY"));
        QCOMPARE(selected(), text("INTERNAL_BATTERY"));
        split.hide();
        rig.internal->battery.reset();
        split.show();
        QCOMPARE(selected(), text("MY_DEVICES"));
        QCOMPARE(content->currentViewController(), devices);
        QCOMPARE(split.windowTitle(), text("MY_DEVICES"));
    }

    void commandQQuitsOnlyWhileTheContentShows()
    {
        platform::MemoryHotKeys keys;
        platform::ScopedHotKeys useKeys(keys);
        int quits = 0;
        quenby::ContentViewController content;
        content.setTerminate([&quits] { ++quits; });
        content.show();
        keys.press(12, 256);
        platform::MainQueue::drain();
        QCOMPARE(quits, 1);
        keys.press(13, 256); // W: not ours
        platform::MainQueue::drain();
        QCOMPARE(quits, 1);
        content.hide();
        keys.press(12, 256);
        platform::MainQueue::drain();
        QCOMPARE(quits, 1);
    }

    void updateCheck_data()
    {
        QTest::addColumn<QString>("installed"); // empty: Info.plist without a version
        QTest::addColumn<QString>("server"); // empty: the fetch fails
        QTest::addColumn<bool>("offered");
        QTest::newRow("1.10 after 1.9") << "1.9"
                                        << "1.10" << true;
        QTest::newRow("same version") << "1.9"
                                      << "1.9" << false;
        QTest::newRow("server older") << "2.0"
                                      << "1.10" << false;
        QTest::newRow("fetch fails") << "1.0"
                                     << "" << false;
        QTest::newRow("no installed version") << ""
                                              << "2.0" << false;
    }
    void updateCheck()
    {
        QFETCH(QString, installed);
        QFETCH(QString, server);
        QFETCH(bool, offered);
        AppRig rig;
        installSentrel(rig, installed);
        quenby::WindowController window;
        window.show();
        window.runHelperUpdateCheck(server.isEmpty() ? QtFuture::makeExceptionalFuture<QString>(
                                        tavrin::WebError(tavrin::WebError::Code::CannotConnectToHost, {}))
                                                     : QtFuture::makeReadyFuture(server));
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        auto *alert = platform::ui::Alert::active();
        QCOMPARE(alert != nullptr, offered);
        if (!alert)
            return;
        QCOMPARE(alert->informativeText(), text("HELPER_UPDATE_INFO").arg(server));
        // "YES" opens the download page.
        for (auto *button : alert->buttons())
            if (button->text() == platform::localized(QStringLiteral("Olvane"), QStringLiteral("YES")))
                button->click();
        QCOMPARE(rig.workspace.openedUrls().size(), 1);
    }

    void anAnswerAfterTheWindowClosedIsDropped()
    {
        AppRig rig;
        installSentrel(rig, QStringLiteral("1.0"));
        QPromise<QString> answer;
        answer.start();
        {
            quenby::WindowController window;
            window.show();
            window.runHelperUpdateCheck(answer.future());
        }
        // A newer helper, offered after the window went: nothing to ask and nowhere to ask it.
        answer.addResult(QStringLiteral("2.0"));
        answer.finish();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QVERIFY(platform::ui::Alert::active() == nullptr);
        QVERIFY(rig.workspace.openedUrls().isEmpty());
    }

    void updateCheckRunsOnceAndOnlyWithSentrel()
    {
        AppRig rig;
        {
            quenby::WindowController window;
            window.checkHelperVersion();
            QVERIFY(!window.hasCheckedHelperVersion());
        }
        installSentrel(rig, QStringLiteral("1.0"));
        // Nothing listens there: the fetch fails at once and says nothing.
        dorsk::ScopedSentrelWebsite offline(QStringLiteral("http://127.0.0.1:9"));
        quenby::WindowController window;
        QVERIFY(!window.hasCheckedHelperVersion());
        QTRY_VERIFY_WITH_TIMEOUT(window.hasCheckedHelperVersion(), 3000);
    }

    void openingTwiceBringsTheSameWindowForward()
    {
        AppRig rig;
        rig.launch();
        ProbePages probes;
        rig.delegate->open();
        QPointer<quenby::WindowController> first = rig.delegate->windowController();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->frameAutosaveName(), QStringLiteral("FrameMainWindow"));
        QCOMPARE(first->contentViewController()->controller(), &rig.controller());
        rig.delegate->open();
        QCOMPARE(rig.delegate->windowController(), first.data());
        QCOMPARE(probes.made[QStringLiteral("Devices")], 1);

        first->close();
        QVERIFY(!rig.delegate->windowController());
        QTRY_VERIFY(first.isNull());
        QVERIFY(platform::UserDefaults::standard().string(QStringLiteral("NSWindow Frame FrameMainWindow")));
        rig.delegate->open();
        QVERIFY(rig.delegate->windowController());
        QCOMPARE(probes.made[QStringLiteral("Devices")], 2);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
