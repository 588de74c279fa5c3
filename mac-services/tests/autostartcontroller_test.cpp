#include "olvane/autostartcontrollerfactory.h"
#include "olvane/loginitemautostartcontroller.h"
#include "olvane/mainappautostartcontroller.h"
#include "platform/core/systemversion.h"
#include "platform/desktop/memorydistributednotificationcenter.h"
#include "platform/desktop/memoryloginitems.h"
#include "platform/desktop/memoryworkspace.h"

#include <QTest>

using olvane::LoginItemAutoStartController;
using olvane::MainAppAutoStartController;
using platform::DistributedNotification;
using platform::LoginService;
using platform::LoginServiceStatus;
using platform::RunningApplication;
using platform::Value;

namespace {
const QString kMainId = QStringLiteral("com.velmorn.quenby");
const QString kLauncherId = QStringLiteral("com.velmorn.quenbylauncher");

Value job(const Value &label, std::optional<Value> onDemand)
{
    Value::Dictionary d { { QStringLiteral("Label"), label } };
    if (onDemand)
        d[QStringLiteral("OnDemand")] = *onDemand;
    return Value(d);
}

RunningApplication app(std::optional<QString> identifier)
{
    return { 100, std::move(identifier), QStringLiteral("/x/Some.app"),
        QStringLiteral("/x/Some.app/Contents/MacOS/Some") };
}

// Every stand-in the controllers touch, in memory, installed for one test.
struct Fixture {
    platform::MemoryLoginItems items;
    platform::ScopedLoginItems itemsGuard { items };
    platform::MemoryWorkspace workspace;
    platform::ScopedWorkspace workspaceGuard { workspace };
    platform::MemoryDistributedNotificationCenter center;
    platform::ScopedDistributedNotificationCenter centerGuard { center };
};
}

Q_DECLARE_METATYPE(std::optional<Value>)

class AutoStartControllerTest : public QObject {
    Q_OBJECT
private slots:
    void launcherJobDecides_data()
    {
        QTest::addColumn<std::optional<Value>>("jobs");
        QTest::addColumn<bool>("enabled");
        const Value yes(true);
        const auto list
            = [](std::initializer_list<Value> jobs) { return std::optional<Value>(Value(Value::Array(jobs))); };
        QTest::newRow("no job list") << std::optional<Value>() << false;
        QTest::newRow("not a list") << std::optional<Value>(Value(42)) << false;
        QTest::newRow("a job that is not a dictionary spoils the list")
            << list({ job(kLauncherId, yes), Value("stray") }) << false;
        QTest::newRow("empty") << list({}) << false;
        QTest::newRow("exact label, on") << list({ job(kLauncherId, yes) }) << true;
        QTest::newRow("exact label, off") << list({ job(kLauncherId, Value(false)) }) << false;
        QTest::newRow("longer label containing the launcher")
            << list({ job("application.com.velmorn.quenbylauncher.1234.5678", yes) }) << true;
        QTest::newRow("label inside the launcher's identifier") << list({ job(kMainId, yes) }) << false;
        QTest::newRow("different case") << list({ job("com.velmorn.QuenbyLauncher", yes) }) << false;
        QTest::newRow("first match without OnDemand decides")
            << list({ job(kLauncherId, std::nullopt), job(kLauncherId + ".2", yes) }) << false;
        QTest::newRow("first match with a text OnDemand decides")
            << list({ job(kLauncherId, Value("true")), job(kLauncherId, yes) }) << false;
        QTest::newRow("OnDemand as number one") << list({ job(kLauncherId, Value(1)) }) << true;
        QTest::newRow("OnDemand as number two") << list({ job(kLauncherId, Value(2)) }) << false;
        QTest::newRow("label that is no text is skipped")
            << list({ job(Value(7), Value(false)), job(kLauncherId, yes) }) << true;
        QTest::newRow("job without label is skipped")
            << list({ Value(Value::Dictionary { { "OnDemand", Value(false) } }), job(kLauncherId, yes) }) << true;
        QTest::newRow("other jobs only") << list({ job("org.example.tool", yes) }) << false;
    }

    void launcherJobDecides()
    {
        QFETCH(std::optional<Value>, jobs);
        QFETCH(bool, enabled);
        Fixture f;
        f.items.setJobDictionaries(jobs);
        QCOMPARE(LoginItemAutoStartController(kMainId, kLauncherId).isEnabled(), enabled);
    }

    // Both families switched through every entry point; "isEnabled" read back through the controller.
    void switching_data()
    {
        QTest::addColumn<bool>("mainFamily");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("enabledAfter");
        const auto NR = int(LoginServiceStatus::NotRegistered);
        const auto EN = int(LoginServiceStatus::Enabled);
        const auto RA = int(LoginServiceStatus::RequiresApproval);
        const QString on = "setLoginItemEnabled com.velmorn.quenbylauncher true";
        const QString off = "setLoginItemEnabled com.velmorn.quenbylauncher false";
        QTest::newRow("launcher: enable") << false << NR << "enable" << QStringList { on } << true;
        QTest::newRow("launcher: disable") << false << EN << "disable" << QStringList { off } << false;
        QTest::newRow("launcher: set on") << false << NR << "setEnabled(true)" << QStringList { on } << true;
        QTest::newRow("launcher: set off") << false << EN << "setEnabled(false)" << QStringList { off } << false;
        QTest::newRow("launcher: set on twice") << false << EN << "setEnabled(true)" << QStringList { on } << true;
        QTest::newRow("main: enable") << true << NR << "enable" << QStringList { "register main" } << true;
        QTest::newRow("main: disable") << true << EN << "disable" << QStringList { "unregister main" } << false;
        QTest::newRow("main: set on") << true << NR << "setEnabled(true)" << QStringList { "register main" } << true;
        QTest::newRow("main: set off") << true << EN << "setEnabled(false)" << QStringList { "unregister main" }
                                       << false;
        QTest::newRow("main: set off while approval is due")
            << true << RA << "setEnabled(false)" << QStringList { "openSystemSettingsLoginItems" } << false;
        QTest::newRow("main: set on while approval is due")
            << true << RA << "setEnabled(true)" << QStringList { "openSystemSettingsLoginItems" } << false;
        QTest::newRow("main: enable does not look at approval")
            << true << RA << "enable" << QStringList { "register main" } << false;
        QTest::newRow("main: disable does not look at approval")
            << true << RA << "disable" << QStringList { "unregister main" } << false;
    }

    void switching()
    {
        QFETCH(bool, mainFamily);
        QFETCH(int, before);
        QFETCH(QString, operation);
        QFETCH(QStringList, calls);
        QFETCH(bool, enabledAfter);
        Fixture f;
        std::unique_ptr<olvane::IAutoStartController> controller;
        if (mainFamily) {
            f.items.setStatus(LoginService::mainApp(), LoginServiceStatus(before));
            controller = std::make_unique<MainAppAutoStartController>(kLauncherId, LoginService::mainApp());
        } else {
            f.items.setLoginItemEnabled(kLauncherId, LoginServiceStatus(before) == LoginServiceStatus::Enabled);
            f.items.clearCalls();
            controller = std::make_unique<LoginItemAutoStartController>(kMainId, kLauncherId);
        }
        QCOMPARE(controller->isEnabled(), LoginServiceStatus(before) == LoginServiceStatus::Enabled);

        if (operation == "enable")
            controller->enable();
        else if (operation == "disable")
            controller->disable();
        else
            controller->setEnabled(operation == "setEnabled(true)");
        QCOMPARE(f.items.calls(), calls);
        QCOMPARE(controller->isEnabled(), enabledAfter);
    }

    void failuresAreDropped()
    {
        Fixture f;
        MainAppAutoStartController controller(kLauncherId, LoginService::mainApp());
        f.items.setRegisterError(LoginService::mainApp(), QStringLiteral("refused"));
        controller.setEnabled(true);
        controller.enable();
        QVERIFY(!controller.isEnabled());
        f.items.setStatus(LoginService::mainApp(), LoginServiceStatus::NotFound);
        controller.setEnabled(false);
        QCOMPARE(f.items.calls(), (QStringList { "register main", "register main", "unregister main" }));
    }

    // The switch acts on mainItem; whether start at login is on is always the application's own service.
    void enabledIsTheApplicationsOwnService()
    {
        Fixture f;
        const LoginService other = LoginService::loginItem(QStringLiteral("com.example.other"));
        MainAppAutoStartController controller(other);
        QCOMPARE(controller.mainItem(), other);
        controller.enable();
        QCOMPARE(f.items.status(other), LoginServiceStatus::Enabled);
        QVERIFY(!controller.isEnabled());
        f.items.setStatus(LoginService::mainApp(), LoginServiceStatus::Enabled);
        QVERIFY(controller.isEnabled());
        controller.setMainItem(LoginService::mainApp());
        controller.disable();
        QVERIFY(!controller.isEnabled());
    }

    void handOverFromThirteenOn_data()
    {
        QTest::addColumn<bool>("hasStarter");
        QTest::addColumn<int>("launcherStatus");
        QTest::addColumn<QString>("unregisterError");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("mainEnabled");
        const QStringList moved { "unregister com.velmorn.quenbylauncher", "register main" };
        QTest::newRow("enabled launcher moves over") << true << int(LoginServiceStatus::Enabled) << "" << moved << true;
        QTest::newRow("registration follows a failed unregistration")
            << true << int(LoginServiceStatus::Enabled) << "busy" << moved << true;
        QTest::newRow("launcher not registered")
            << true << int(LoginServiceStatus::NotRegistered) << "" << QStringList() << false;
        QTest::newRow("launcher awaiting approval")
            << true << int(LoginServiceStatus::RequiresApproval) << "" << QStringList() << false;
        QTest::newRow("launcher not found")
            << true << int(LoginServiceStatus::NotFound) << "" << QStringList() << false;
        QTest::newRow("no launcher to move")
            << false << int(LoginServiceStatus::Enabled) << "" << QStringList() << false;
    }

    void handOverFromThirteenOn()
    {
        QFETCH(bool, hasStarter);
        QFETCH(int, launcherStatus);
        QFETCH(QString, unregisterError);
        QFETCH(QStringList, calls);
        QFETCH(bool, mainEnabled);
        Fixture f;
        const LoginService launcher = LoginService::loginItem(kLauncherId);
        f.items.setStatus(launcher, LoginServiceStatus(launcherStatus));
        f.items.setUnregisterError(launcher, unregisterError);
        f.workspace.setRunningApplications({ app(kLauncherId) });
        auto controller = hasStarter ? MainAppAutoStartController(kLauncherId, LoginService::mainApp())
                                     : MainAppAutoStartController(LoginService::mainApp());
        controller.takeOverFromLauncher();
        QCOMPARE(f.items.calls(), calls);
        QCOMPARE(controller.isEnabled(), mainEnabled);
        QVERIFY(f.center.posted().isEmpty());
    }

    void handOverBeforeThirteen_data()
    {
        QTest::addColumn<std::optional<QString>>("bundleIdentifier");
        QTest::addColumn<QList<std::optional<QString>>>("running");
        QTest::addColumn<QList<DistributedNotification>>("posted");
        using Ids = QList<std::optional<QString>>;
        const DistributedNotification killMe { "killme", kMainId };
        QTest::newRow("launcher running")
            << std::optional(kMainId) << Ids { std::nullopt, "org.example", kLauncherId } << QList { killMe };
        QTest::newRow("launcher not running")
            << std::optional(kMainId) << Ids { std::nullopt, kMainId } << QList<DistributedNotification>();
        QTest::newRow("nothing running") << std::optional(kMainId) << Ids {} << QList<DistributedNotification>();
        QTest::newRow("identifier differs in case")
            << std::optional(kMainId) << Ids { "com.velmorn.QuenbyLauncher" } << QList<DistributedNotification>();
        QTest::newRow("longer identifier")
            << std::optional(kMainId) << Ids { kLauncherId + ".helper" } << QList<DistributedNotification>();
        QTest::newRow("application without identifier posts without object")
            << std::optional<QString>() << Ids { kLauncherId }
            << QList { DistributedNotification { "killme", std::nullopt } };
    }

    void handOverBeforeThirteen()
    {
        QFETCH(std::optional<QString>, bundleIdentifier);
        QFETCH(QList<std::optional<QString>>, running);
        QFETCH(QList<DistributedNotification>, posted);
        Fixture f;
        QList<RunningApplication> apps;
        for (const auto &id : running)
            apps << app(id);
        f.workspace.setRunningApplications(apps);
        f.items.setLoginItemEnabled(kLauncherId, true);
        f.items.clearCalls();
        LoginItemAutoStartController(bundleIdentifier, kLauncherId).takeOverFromLauncher();
        QCOMPARE(f.center.posted(), posted);
        QCOMPARE(f.items.calls(), QStringList());
    }

    void familyFollowsTheSystemVersion_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("mainFamily");
        QTest::newRow("11.5") << 11 << 5 << false;
        QTest::newRow("12.7") << 12 << 7 << false;
        QTest::newRow("13.0") << 13 << 0 << true;
        QTest::newRow("15.0") << 15 << 0 << true;
    }

    void familyFollowsTheSystemVersion()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(bool, mainFamily);
        Fixture f;
        platform::ScopedSystemVersion version(major, minor);
        const auto controller = olvane::makeAutoStartController(kMainId, kLauncherId);
        if (mainFamily) {
            const auto *main = dynamic_cast<MainAppAutoStartController *>(controller.get());
            QVERIFY(main);
            QCOMPARE(main->starterIdentifier(), std::optional(kLauncherId));
            QCOMPARE(main->mainItem(), LoginService::mainApp());
        } else {
            const auto *item = dynamic_cast<LoginItemAutoStartController *>(controller.get());
            QVERIFY(item);
            QCOMPARE(item->bundleIdentifier(), std::optional(kMainId));
            QCOMPARE(item->starterIdentifier(), kLauncherId);
        }
    }
};

QTEST_GUILESS_MAIN(AutoStartControllerTest)
#include "autostartcontroller_test.moc"
