#include "olvane/apprunnermonitor.h"
#include "olvane/apps.h"
#include "platform/core/plist.h"
#include "platform/core/timer.h"
#include "platform/desktop/memoryworkspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using olvane::App;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void makeBundle(const QString &path, const platform::Value::Dictionary &info)
{
    writeFile(
        path + "/Contents/Info.plist", platform::plist::serialize(platform::Value(info), platform::plist::Format::Xml));
}

platform::Value::Dictionary identified(const QString &identifier)
{
    return { { QStringLiteral("CFBundleIdentifier"), platform::Value(identifier) } };
}

QStringList names(const QList<std::shared_ptr<App>> &apps)
{
    QStringList result;
    for (const auto &app : apps)
        result << app->name + "=" + app->identifier;
    return result;
}

class RecordingMonitorDelegate : public olvane::AppRunnerMonitorDelegate {
public:
    void appRunningStateChecked(const QString &bundleIdentifier, bool running) override
    {
        checks << bundleIdentifier + (running ? " runs" : " stopped");
    }
    QStringList checks;
};

} // namespace

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

    void bundles()
    {
        QTemporaryDir dir;
        const QString applications = dir.filePath("Applications");
        platform::ScopedApplicationsFolder folder(applications);
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        auto editorInfo = identified("org.example.editor");
        editorInfo.insert({ QStringLiteral("CFBundleShortVersionString"), platform::Value("1.2") });
        editorInfo.insert({ QStringLiteral("NSHumanReadableCopyright"), platform::Value("(c) Example") });
        makeBundle(applications + "/Editor.app", editorInfo);
        makeBundle(applications + "/Editor.app/Contents/PlugIns/Share.appex", identified("org.example.editor.share"));
        makeBundle(applications + "/Editor.app/Contents/XPCServices/Render.xpc", identified("com.apple.render"));
        makeBundle(applications + "/Editor.app/Contents/Resources/.Hidden.app", identified("org.example.hidden"));
        makeBundle(applications + "/Tools/Calc.app.app", identified("com.applesoft.calc"));
        makeBundle(applications + "/System.app", identified("com.apple.system"));
        makeBundle(applications + "/Broken.app", { { QStringLiteral("CFBundleIdentifier"), platform::Value(7) } });
        writeFile(applications + "/Garbled.app/Contents/Info.plist", "<plist><dict>");
        QDir().mkpath(applications + "/Empty.app/Contents");

        const auto skipping = Apps::installedApps(true);
        QCOMPARE(names(skipping), (QStringList { "Editor=org.example.editor", "Calc=com.applesoft.calc" }));
        const std::shared_ptr<App> &editor = skipping.first();
        // Every ".app" goes from the name, also the one in ".appex".
        QCOMPARE(names(editor->children), QStringList { "Shareex=org.example.editor.share" });
        QCOMPARE(editor->version, std::optional<QString>("1.2"));
        QCOMPARE(editor->copyright, std::optional<QString>("(c) Example"));
        QCOMPARE(editor->binaryFile, std::optional(QUrl::fromLocalFile(applications + "/Editor.app")));
        QCOMPARE(editor->baseUrl, std::optional(QUrl::fromLocalFile(applications + "/Editor.app")));
        QVERIFY(editor->installed.has_value());
        QVERIFY(editor->icon.has_value());
        QVERIFY(!skipping.last()->version.has_value());

        const auto all = Apps::installedApps(false);
        QCOMPARE(all.size(), 3);
        QCOMPARE(names(all.first()->children),
            (QStringList { "Shareex=org.example.editor.share", "Render.xpc=com.apple.render" }));

        QCOMPARE(Apps::bundleIdentifier(QUrl::fromLocalFile(applications + "/System.app")),
            std::optional<QString>("com.apple.system"));
        QCOMPARE(Apps::bundleIdentifier(QUrl::fromLocalFile(applications + "/Broken.app")), std::optional<QString>());
        QCOMPARE(Apps::bundleIdentifier(QUrl::fromLocalFile(applications + "/Garbled.app")), std::optional<QString>());
        QVERIFY(!App::fromBundle(QUrl::fromLocalFile(applications + "/Empty.app"), false, false));
    }

    void sizes()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("Bundle.app/Contents/MacOS/run"), QByteArray(100, 'x'));
        writeFile(dir.filePath("container.plist"), QByteArray(10, 'x'));
        writeFile(dir.filePath("Caches/a"), QByteArray(5, 'x'));
        writeFile(dir.filePath("cache-file"), QByteArray(2, 'x'));
        App app("Bundle", "org.example.bundle");
        app.binaryFile = QUrl::fromLocalFile(dir.filePath("Bundle.app"));
        app.container = QUrl::fromLocalFile(dir.filePath("container.plist"));
        app.preferences = QUrl::fromLocalFile(dir.filePath("missing.plist"));
        app.caches = { QUrl::fromLocalFile(dir.filePath("Caches")), QUrl::fromLocalFile(dir.filePath("cache-file")),
            QUrl::fromLocalFile(dir.filePath("gone")) };

        QCOMPARE(App::size(app.binaryFile), quint64(100));
        QCOMPARE(App::size(app.preferences), quint64(0));
        QCOMPARE(App::size(app.savedState), quint64(0));
        QCOMPARE(app.cachesSize(), quint64(7));
        QCOMPARE(app.totalSize(), quint64(117));
    }

    void productInArchive()
    {
        QTemporaryDir dir;
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        QDir().mkpath(dir.filePath("Archive/Products/Applications/Tool.app/Contents"));
        const auto product = Apps::productInArchive(QUrl::fromLocalFile(dir.filePath("Archive")));
        QVERIFY(product);
        QCOMPARE(product->name, QStringLiteral("Tool"));
        QCOMPARE(workspace.iconRequests(), QStringList { dir.filePath("Archive/Products/Applications/Tool.app") });
        QVERIFY(!Apps::productInArchive(QUrl::fromLocalFile(dir.filePath("Nothing"))));
    }

    void terminateAndProcesses()
    {
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        workspace.setRunningApplications({ { 40, "org.example.editor", "/a/E.app", "/a/E.app/Contents/MacOS/E" } });
        workspace.setProcessNames({ "systemd", "Editor" });

        QVERIFY(!Apps::terminate("org.example.other"));
        QVERIFY(Apps::terminate("org.example.editor"));
        QCOMPARE(workspace.terminated(), QList<qint64> { 40 });
        QVERIFY(!Apps::isRunning("org.example.editor"));

        QVERIFY(Apps::isProcessRunning("Editor"));
        QVERIFY(!Apps::isProcessRunning("editor"));
        QVERIFY(!Apps::isProcessRunning("Edit"));
    }

    void processNamesFromProc()
    {
        // The kernel keeps the first 15 bytes of a command name.
        const QString own = QCoreApplication::applicationName().left(15);
        QVERIFY(Apps::isProcessRunning(own));
        QVERIFY(!Apps::isProcessRunning(own + "-no-such-process"));
    }

    void runnerMonitor()
    {
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        workspace.setRunningApplications({ { 40, "org.example.editor", "/a/E.app", "/a/E.app/Contents/MacOS/E" },
            { 41, std::nullopt, "/a/N.app", "/a/N.app/Contents/MacOS/N" } });
        olvane::AppRunnerMonitor monitor({ "org.example.editor", "org.example.other" }, 5.0);
        auto delegate = std::make_shared<RecordingMonitorDelegate>();
        monitor.delegate = delegate;

        QVERIFY(!monitor.timer());
        monitor.start();
        platform::Timer *timer = monitor.timer();
        QVERIFY(timer && timer->isValid());
        QCOMPARE(timer->interval(), std::chrono::milliseconds(5000));
        monitor.start();
        QCOMPARE(monitor.timer(), timer);

        timer->fire();
        timer->fire();
        QCOMPARE(delegate->checks,
            (QStringList { "org.example.editor runs", "org.example.other stopped", "org.example.editor runs",
                "org.example.other stopped" }));
        monitor.stop();
        QVERIFY(!monitor.timer());

        delegate.reset(); // held weakly: nobody left to tell
        monitor.refresh();
    }
};

QTEST_MAIN(AppsTest)
#include "apps_test.moc"
