#include "platform/desktop/memoryloginitems.h"
#include "platform/desktop/xdgloginitems.h"

#include <QTest>

using platform::LoginItems;
using platform::LoginService;
using platform::LoginServiceStatus;
using platform::MemoryLoginItems;
using platform::ScopedLoginItems;
using platform::Value;

namespace platform {
char *toString(LoginServiceStatus status) { return QTest::toString(QByteArray::number(int(status))); }
}

class LoginItemsTest : public QObject {
    Q_OBJECT
private slots:
    void servicesTalkToTheCurrentBackend()
    {
        QVERIFY(dynamic_cast<platform::XdgLoginItems *>(&LoginItems::current()));
        MemoryLoginItems outer;
        MemoryLoginItems inner;
        {
            ScopedLoginItems outerGuard(outer);
            {
                ScopedLoginItems innerGuard(inner);
                QVERIFY(LoginService::mainApp().registerService());
            }
            LoginService::loginItem(QStringLiteral("a")).unregisterService();
            LoginService::openSystemSettingsLoginItems();
            QCOMPARE(LoginService::mainApp().status(), LoginServiceStatus::NotRegistered);
        }
        QCOMPARE(inner.calls(), QStringList { "register main" });
        QCOMPARE(outer.calls(), (QStringList { "unregister a", "openSystemSettingsLoginItems" }));
        QVERIFY(dynamic_cast<platform::XdgLoginItems *>(&LoginItems::current()));
    }

    void registeringFollowsTheStatus_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("registers");
        QTest::addColumn<int>("afterRegister");
        QTest::addColumn<int>("afterUnregister");
        const auto row = [](const char *name, LoginServiceStatus before, bool registers,
                             LoginServiceStatus afterRegister, LoginServiceStatus afterUnregister) {
            QTest::newRow(name) << int(before) << registers << int(afterRegister) << int(afterUnregister);
        };
        row("not registered", LoginServiceStatus::NotRegistered, true, LoginServiceStatus::Enabled,
            LoginServiceStatus::NotRegistered);
        row("enabled", LoginServiceStatus::Enabled, true, LoginServiceStatus::Enabled,
            LoginServiceStatus::NotRegistered);
        row("approval is not granted by registering", LoginServiceStatus::RequiresApproval, true,
            LoginServiceStatus::RequiresApproval, LoginServiceStatus::NotRegistered);
        row("not found", LoginServiceStatus::NotFound, false, LoginServiceStatus::NotFound,
            LoginServiceStatus::NotFound);
    }

    void registeringFollowsTheStatus()
    {
        QFETCH(int, before);
        QFETCH(bool, registers);
        QFETCH(int, afterRegister);
        QFETCH(int, afterUnregister);
        MemoryLoginItems items;
        const LoginService main = LoginService::mainApp();
        items.setStatus(main, LoginServiceStatus(before));
        QCOMPARE(bool(items.registerService(main)), registers);
        QCOMPARE(items.status(main), LoginServiceStatus(afterRegister));
        QCOMPARE(bool(items.unregisterService(main)), registers);
        QCOMPARE(items.status(main), LoginServiceStatus(afterUnregister));
        // The main application never shows up as a login item.
        QCOMPARE(items.status(LoginService::loginItem(QStringLiteral("x"))), LoginServiceStatus::NotRegistered);
    }

    void scriptedErrorsChangeNothing()
    {
        MemoryLoginItems items;
        const LoginService launcher = LoginService::loginItem(QStringLiteral("com.example.launcher"));
        items.setRegisterError(launcher, QStringLiteral("denied"));
        const auto result = items.registerService(launcher);
        QVERIFY(!result);
        QCOMPARE(result.error, QStringLiteral("denied"));
        QCOMPARE(items.status(launcher), LoginServiceStatus::NotRegistered);
        QVERIFY(items.registerService(LoginService::mainApp()));

        items.setRegisterError(launcher, {});
        QVERIFY(items.registerService(launcher));
        items.setUnregisterError(launcher, QStringLiteral("busy"));
        QVERIFY(!items.unregisterService(launcher));
        QCOMPARE(items.status(launcher), LoginServiceStatus::Enabled);
    }

    // Login items switched on by identifier are the login-item services of that identifier and the jobs listed.
    void jobsFollowTheLoginItems()
    {
        MemoryLoginItems items;
        QVERIFY(items.setLoginItemEnabled(QStringLiteral("b"), true));
        QVERIFY(items.setLoginItemEnabled(QStringLiteral("a"), true));
        QVERIFY(items.setLoginItemEnabled(QStringLiteral("c"), true));
        QVERIFY(items.setLoginItemEnabled(QStringLiteral("c"), false));
        QVERIFY(items.registerService(LoginService::mainApp()));
        QCOMPARE(items.status(LoginService::loginItem(QStringLiteral("a"))), LoginServiceStatus::Enabled);
        QCOMPARE(items.status(LoginService::loginItem(QStringLiteral("c"))), LoginServiceStatus::NotRegistered);

        const auto job = [](const char *label) {
            return Value(Value::Dictionary { { "Label", Value(label) }, { "OnDemand", Value(true) } });
        };
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(Value(Value::Array { job("a"), job("b") })));
        QVERIFY(items.unregisterService(LoginService::loginItem(QStringLiteral("a"))));
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(Value(Value::Array { job("b") })));

        items.setJobDictionaries(std::nullopt);
        QCOMPARE(items.jobDictionaries(), std::nullopt);
        items.setJobDictionaries(Value(42));
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(Value(42)));
        items.clearScriptedJobs();
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(Value(Value::Array { job("b") })));
    }
};

QTEST_GUILESS_MAIN(LoginItemsTest)
#include "loginitems_test.moc"
