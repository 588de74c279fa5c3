#include "olvane/apps.h"
#include "platform/desktop/memoryworkspace.h"

#include <QTest>

using olvane::Apps;
using platform::RunningApplication;

class AppsTest : public QObject {
    Q_OBJECT
private slots:
    void runningIsAnExactMatch_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<qint64>("pid");
        QTest::newRow("first of two with the identifier") << "com.velmorn.quenby" << qint64(20);
        QTest::newRow("other application") << "org.example.editor" << qint64(30);
        QTest::newRow("different case") << "com.velmorn.Quenby" << qint64(0);
        QTest::newRow("prefix of a running one") << "com.velmorn" << qint64(0);
        QTest::newRow("longer than a running one") << "com.velmorn.quenby.helper" << qint64(0);
        QTest::newRow("empty does not match an application without identifier") << "" << qint64(0);
    }

    void runningIsAnExactMatch()
    {
        QFETCH(QString, identifier);
        QFETCH(qint64, pid);
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        const auto app = [](qint64 id, std::optional<QString> bundleIdentifier) {
            return RunningApplication { id, std::move(bundleIdentifier), "/a/X.app", "/a/X.app/Contents/MacOS/X" };
        };
        workspace.setRunningApplications({ app(10, std::nullopt), app(20, "com.velmorn.quenby"),
            app(25, "com.velmorn.quenby"), app(30, "org.example.editor") });

        const auto found = Apps::runningApplication(identifier);
        QCOMPARE(found ? found->processIdentifier : 0, pid);
        QCOMPARE(Apps::isRunning(identifier), pid != 0);
    }
};

QTEST_GUILESS_MAIN(AppsTest)
#include "apps_test.moc"
