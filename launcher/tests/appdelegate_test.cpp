#include "appdelegate.h"
#include "platform/desktop/memorydistributednotificationcenter.h"
#include "platform/desktop/memoryworkspace.h"

#include <QSignalSpy>
#include <QTest>

using platform::DistributedNotification;
using platform::RunningApplication;
using quenbylauncher::AppDelegate;

namespace {
const QString kInside = QStringLiteral("/opt/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app");

struct Fixture {
    platform::MemoryWorkspace workspace;
    platform::ScopedWorkspace workspaceGuard { workspace };
    platform::MemoryDistributedNotificationCenter center;
    platform::ScopedDistributedNotificationCenter centerGuard { center };
};

RunningApplication running(const QString &identifier)
{
    return { 42, identifier, QStringLiteral("/opt/X.app"), QStringLiteral("/opt/X.app/Contents/MacOS/X") };
}

void drain()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
}

Q_DECLARE_METATYPE(std::optional<QString>)

class AppDelegateTest : public QObject {
    Q_OBJECT
private slots:
    void quitsAtOnceWhenTheApplicationRuns()
    {
        Fixture f;
        f.workspace.setRunningApplications({ running("org.example.other"), running("com.velmorn.quenby") });
        AppDelegate delegate(kInside);
        QSignalSpy ended(&delegate, &AppDelegate::terminationRequested);
        delegate.applicationDidFinishLaunching();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 0);
        QVERIFY(f.workspace.openedApplications().isEmpty());

        // Nothing listens: a later "killme" does not ask a second time.
        f.center.receive({ "killme", "com.velmorn.quenby" });
        drain();
        QCOMPARE(ended.count(), 1);
    }

    void opensTheApplicationAndWaitsForItsKillMe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<std::optional<QString>>("object");
        QTest::addColumn<bool>("ends");
        QTest::newRow("killme from the application")
            << "killme" << std::optional<QString>("com.velmorn.quenby") << true;
        QTest::newRow("killme for another application")
            << "killme" << std::optional<QString>("com.example.other") << false;
        QTest::newRow("killme without object") << "killme" << std::optional<QString>() << false;
        QTest::newRow("identifier in another case")
            << "killme" << std::optional<QString>("com.velmorn.Quenby") << false;
        QTest::newRow("another notification")
            << "TerminateHelper" << std::optional<QString>("com.velmorn.quenby") << false;
    }

    void opensTheApplicationAndWaitsForItsKillMe()
    {
        QFETCH(QString, name);
        QFETCH(std::optional<QString>, object);
        QFETCH(bool, ends);
        Fixture f;
        f.workspace.setRunningApplications({ running("com.velmorn.quenbylauncher"), running("com.velmorn.quenbyx") });
        AppDelegate delegate(kInside + "/");
        QSignalSpy ended(&delegate, &AppDelegate::terminationRequested);
        delegate.applicationDidFinishLaunching();
        QCOMPARE(f.workspace.openedApplications(), QStringList { "/opt/Quenby.app" });
        drain();
        QCOMPARE(ended.count(), 0);

        f.center.receive({ name, object });
        drain();
        QCOMPARE(ended.count(), ends ? 1 : 0);
        if (ends)
            QCOMPARE(ended.first().first().toInt(), 0);
        QVERIFY(f.center.posted().isEmpty());
    }

    void openingFailureKeepsItWaiting()
    {
        Fixture f;
        f.workspace.setOpenFails(true);
        AppDelegate delegate(kInside);
        QSignalSpy ended(&delegate, &AppDelegate::terminationRequested);
        delegate.startMainApplication();
        drain();
        QCOMPARE(ended.count(), 0);
        f.center.receive({ "killme", "com.velmorn.quenby" });
        drain();
        QCOMPARE(ended.count(), 1);
    }

    void applicationIsFourComponentsUp_data()
    {
        QTest::addColumn<QString>("bundle");
        QTest::addColumn<std::optional<QString>>("application");
        QTest::newRow("inside an application") << kInside << std::optional<QString>("/opt/Quenby.app");
        QTest::newRow("deeper") << "/home/u/Apps/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app"
                                << std::optional<QString>("/home/u/Apps/Quenby.app");
        QTest::newRow("doubled slashes and a trailing one")
            << "//opt//Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app/"
            << std::optional<QString>("/opt/Quenby.app");
        QTest::newRow("one folder left") << "/a/b/c/d/e" << std::optional<QString>("/a");
        QTest::newRow("only the root left") << "/b/c/d/e" << std::optional<QString>();
        QTest::newRow("three components") << "/tmp/x/QuenbyLauncher.app" << std::optional<QString>();
        QTest::newRow("root") << "/" << std::optional<QString>();
        QTest::newRow("empty") << "" << std::optional<QString>();
    }

    void applicationIsFourComponentsUp()
    {
        QFETCH(QString, bundle);
        QFETCH(std::optional<QString>, application);
        QCOMPARE(AppDelegate::mainApplicationPath(bundle), application);
    }

    void outsideAnApplicationItEndsWithoutOpening()
    {
        Fixture f;
        AppDelegate delegate(QStringLiteral("/tmp/QuenbyLauncher.app"));
        QSignalSpy ended(&delegate, &AppDelegate::terminationRequested);
        delegate.applicationDidFinishLaunching();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 1);
        QVERIFY(f.workspace.openedApplications().isEmpty());
    }
};

QTEST_GUILESS_MAIN(AppDelegateTest)
#include "appdelegate_test.moc"
