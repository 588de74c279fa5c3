#include "apptestsupport.h"
#include "quenby/contentviewcontroller.h"
#include "quenby/page.h"
#include "quenby/sidebarviewcontroller.h"
#include "quenby/splitviewcontroller.h"
#include "quenby/windowcontroller.h"

#include <dorsk/sentrel.h>
#include <platform/desktop/hotkeys.h>
#include <platform/desktop/memoryhotkeys.h>
#include <platform/ui/alert.h>
#include <tavrin/webrequest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
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
