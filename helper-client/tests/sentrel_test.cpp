#include "dorsk/sentrel.h"
#include "httptestserver.h"
#include "platform/core/plist.h"
#include "platform/desktop/memorydistributednotificationcenter.h"
#include "platform/desktop/memoryworkspace.h"
#include "tavrin/webrequest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using dorsk::Sentrel;
using dorsk::UpdateInfo;
using platform::RunningApplication;
using platform::Value;
using quenbytest::HttpTestServer;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray info(const Value &version, platform::plist::Format format = platform::plist::Format::Xml)
{
    Value::Dictionary d { { "CFBundleIdentifier", Value("com.velmorn.helper") },
        { "CFBundleExecutable", Value("Sentrel") } };
    if (!version.isNull())
        d["CFBundleShortVersionString"] = version;
    return platform::plist::serialize(Value(d), format);
}

RunningApplication running(qint64 pid, std::optional<QString> identifier)
{
    return { pid, std::move(identifier), QStringLiteral("/x/App.app"),
        QStringLiteral("/x/App.app/Contents/MacOS/App") };
}

template <typename T> bool settle(const QFuture<T> &future)
{
    return QTest::qWaitFor([&] { return future.isFinished(); }, 10000);
}
}

class SentrelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_applications;
    std::optional<platform::ScopedApplicationsFolder> m_folder;
    std::unique_ptr<platform::MemoryWorkspace> m_workspace;
    std::optional<platform::ScopedWorkspace> m_workspaceGuard;
    std::unique_ptr<platform::MemoryDistributedNotificationCenter> m_center;
    std::optional<platform::ScopedDistributedNotificationCenter> m_centerGuard;
    std::unique_ptr<HttpTestServer> m_server;
    std::optional<dorsk::ScopedSentrelWebsite> m_website;

    QString infoPath() const { return m_applications->path() + "/Sentrel.app/Contents/Info.plist"; }
    void install(const QByteArray &plist) { QVERIFY(writeFile(infoPath(), plist)); }

private slots:
    void init()
    {
        m_applications = std::make_unique<QTemporaryDir>();
        m_folder.emplace(m_applications->path());
        m_workspace = std::make_unique<platform::MemoryWorkspace>();
        m_workspaceGuard.emplace(*m_workspace);
        m_center = std::make_unique<platform::MemoryDistributedNotificationCenter>();
        m_centerGuard.emplace(*m_center);
        m_server = std::make_unique<HttpTestServer>();
        QVERIFY(m_server->start());
        m_website.emplace(m_server->baseUrl());
    }

    void cleanup()
    {
        m_website.reset();
        m_server.reset();
        m_centerGuard.reset();
        m_center.reset();
        m_workspaceGuard.reset();
        m_workspace.reset();
        m_folder.reset();
        m_applications.reset();
    }

    void installedFollowsTheApplicationsFolder()
    {
        QCOMPARE(Sentrel::installPath(), m_applications->path() + "/Sentrel.app");
        QVERIFY(!Sentrel::isInstalled());
        install(info(Value("2.0")));
        QVERIFY(Sentrel::isInstalled());
    }

    void installedVersion_data()
    {
        QTest::addColumn<QByteArray>("plist"); // empty: no Info.plist
        QTest::addColumn<std::optional<QString>>("version");
        const auto text = [](const char *s) { return std::optional<QString>(QString::fromLatin1(s)); };
        QTest::newRow("XML") << info(Value("2.0.10")) << text("2.0.10");
        QTest::newRow("binary") << info(Value("2.1"), platform::plist::Format::Binary) << text("2.1");
        QTest::newRow("version as number") << info(Value(2.1)) << std::optional<QString>();
        QTest::newRow("no version") << info(Value()) << std::optional<QString>();
        QTest::newRow("empty dictionary")
            << platform::plist::serialize(Value(Value::Dictionary {})) << std::optional<QString>();
        QTest::newRow("array") << platform::plist::serialize(Value(Value::Array { Value("2.0") }))
                               << std::optional<QString>();
        QTest::newRow("malformed") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>CFBundleShort")
                                   << std::optional<QString>();
        QTest::newRow("no Info.plist") << QByteArray() << std::optional<QString>();
    }

    void installedVersion()
    {
        QFETCH(QByteArray, plist);
        QFETCH(std::optional<QString>, version);
        QVERIFY(QDir().mkpath(m_applications->path() + "/Sentrel.app/Contents"));
        if (!plist.isEmpty())
            install(plist);
        QCOMPARE(Sentrel::installedVersion(), version);
    }

    void isRunning_data()
    {
        QTest::addColumn<QList<RunningApplication>>("applications");
        QTest::addColumn<bool>("isRunning");
        QTest::newRow("nothing runs") << QList<RunningApplication> {} << false;
        QTest::newRow("the helper among others")
            << QList<RunningApplication> { running(10, QStringLiteral("com.velmorn.quenby")), running(11, std::nullopt),
                   running(12, QStringLiteral("com.velmorn.helper")) }
            << true;
        QTest::newRow("identifier in other case")
            << QList<RunningApplication> { running(10, QStringLiteral("com.velmorn.Helper")) } << false;
        QTest::newRow("longer identifier")
            << QList<RunningApplication> { running(10, QStringLiteral("com.velmorn.helper2")) } << false;
        QTest::newRow("no identifier") << QList<RunningApplication> { running(10, std::nullopt) } << false;
    }

    void isRunning()
    {
        QFETCH(QList<RunningApplication>, applications);
        QFETCH(bool, isRunning);
        m_workspace->setRunningApplications(applications);
        QCOMPARE(Sentrel::isRunning(), isRunning);
    }

    void launch_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("alreadyRunning");
        QTest::addColumn<bool>("opens");
        QTest::newRow("installed, not running") << true << false << true;
        QTest::newRow("installed and running") << true << true << false;
        QTest::newRow("not installed") << false << false << false;
    }

    void launch()
    {
        QFETCH(bool, installed);
        QFETCH(bool, alreadyRunning);
        QFETCH(bool, opens);
        if (installed)
            install(info(Value("2.0")));
        if (alreadyRunning)
            m_workspace->setRunningApplications({ running(42, QStringLiteral("com.velmorn.helper")) });
        Sentrel::launch();
        QCOMPARE(m_workspace->openedApplications(), opens ? QStringList { Sentrel::installPath() } : QStringList {});
    }

    void quitPostsTerminateWithoutObject()
    {
        Sentrel::quit();
        QCOMPARE(m_center->posted(),
            (QList<platform::DistributedNotification> { { QStringLiteral("TerminateHelper"), std::nullopt } }));
    }

    void downloadPageIsTheHelpersSiteOverHttps()
    {
        m_website.reset();
        Sentrel::openDownloadPage();
        QCOMPARE(m_workspace->openedUrls(), QList<QUrl> { QUrl(QStringLiteral("https://sentrel.velmorn.example/")) });
        QCOMPARE(Sentrel::versionFileUrl(), QStringLiteral("https://velmorn.example/files/helper.json"));
    }

    void serverVersion_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("version");
        QTest::newRow("version file") << 200 << QByteArray("{\"version\": \"2.1\"}") << "2.1";
        QTest::newRow("other members ignored")
            << 200 << QByteArray("{\"build\": 7, \"version\": \"2.0.10\"}") << "2.0.10";
        QTest::newRow("error status with a version file") << 500 << QByteArray("{\"version\": \"2.1\"}") << "2.1";
        QTest::newRow("empty object") << 200 << QByteArray("{}") << "0.0.0";
        QTest::newRow("version as number") << 200 << QByteArray("{\"version\": 2.1}") << "0.0.0";
        QTest::newRow("HTML page") << 404 << QByteArray("<html><body>Not found</body></html>") << "0.0.0";
        QTest::newRow("empty body") << 200 << QByteArray() << "0.0.0";
        QTest::newRow("array") << 200 << QByteArray("[\"2.1\"]") << "0.0.0";
    }

    void serverVersion()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, version);
        m_server->route("/files/helper.json", { status, body, {}, false });
        QFuture<QString> future = Sentrel::serverVersion();
        QVERIFY(settle(future));
        QCOMPARE(future.result(), version);
        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().target, QByteArray("/files/helper.json"));
    }

    void serverVersionWithoutNetworkFails()
    {
        m_website.emplace(QStringLiteral("http://127.0.0.1:%1").arg(quenbytest::closedPort()));
        QFuture<QString> future = Sentrel::serverVersion();
        QVERIFY(settle(future));
        QVERIFY_THROWS_EXCEPTION(tavrin::WebError, future.result());
        QFuture<UpdateInfo> check = Sentrel::checkForUpdate();
        QVERIFY(settle(check));
        QVERIFY_THROWS_EXCEPTION(tavrin::WebError, check.result());
    }

    void checkForUpdate_data()
    {
        QTest::addColumn<std::optional<QString>>("installed");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("available");
        QTest::addColumn<QString>("serverVersion");
        const auto text = [](const char *s) { return std::optional<QString>(QString::fromLatin1(s)); };
        QTest::newRow("older offer by number")
            << text("2.0.10") << QByteArray("{\"version\": \"2.0.9\"}") << false << "2.0.9";
        QTest::newRow("newer offer by number")
            << text("2.0.9") << QByteArray("{\"version\": \"2.0.10\"}") << true << "2.0.10";
        QTest::newRow("same version") << text("2.1") << QByteArray("{\"version\": \"2.1\"}") << false << "2.1";
        QTest::newRow("longer text is newer")
            << text("1.2") << QByteArray("{\"version\": \"1.2.0\"}") << true << "1.2.0";
        QTest::newRow("nothing installed")
            << std::optional<QString>() << QByteArray("{\"version\": \"9.9\"}") << false << "0.0.0";
        QTest::newRow("answer that is no version file") << text("1.0") << QByteArray("<html/>") << false << "0.0.0";
    }

    void checkForUpdate()
    {
        QFETCH(std::optional<QString>, installed);
        QFETCH(QByteArray, answer);
        QFETCH(bool, available);
        QFETCH(QString, serverVersion);
        if (installed)
            install(info(Value(*installed)));
        m_server->route("/files/helper.json", { 200, answer, {}, false });
        QFuture<UpdateInfo> future = Sentrel::checkForUpdate();
        QVERIFY(settle(future));
        QCOMPARE(future.result(), (UpdateInfo { available, serverVersion }));
    }
};

QTEST_GUILESS_MAIN(SentrelTest)
#include "sentrel_test.moc"
