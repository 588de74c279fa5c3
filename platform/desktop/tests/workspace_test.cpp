#include "platform/core/plist.h"
#include "platform/core/value.h"
#include "platform/desktop/linuxworkspace.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QProcess>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using platform::LinuxWorkspace;
using platform::RunningApplication;
using platform::Value;
using platform::Workspace;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
const QString kIdleApp = QStringLiteral(QUENBY_BIN_DIR "/idle_app");
const QString kDistnoteTool = QStringLiteral(QUENBY_BIN_DIR "/distnote_tool");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray infoPlist(Value::Dictionary info, platform::plist::Format format = platform::plist::Format::Binary)
{
    return platform::plist::serialize(Value(std::move(info)), format);
}

// A bundle whose executable is a copy of the idle program.
bool makeIdleBundle(const QString &bundle, const Value::Dictionary &info)
{
    const QString executable = bundle + QStringLiteral("/Contents/MacOS/Idle");
    QDir().mkpath(QFileInfo(executable).absolutePath());
    return writeFile(bundle + QStringLiteral("/Contents/Info.plist"), infoPlist(info))
        && QFile::copy(kIdleApp, executable);
}

// A process in a process table of our own; the command name may hold spaces and parentheses, the
// start time is field 22 of the stat file.
bool addProcess(const QString &procRoot, qint64 pid, const QString &executable, int started)
{
    const QString dir = procRoot + "/" + QString::number(pid);
    QDir(dir).removeRecursively();
    return QDir().mkpath(dir) && QFile::link(executable, dir + "/exe")
        && writeFile(dir + "/stat",
            QStringLiteral("%1 (a (b) c) S%2 %3 0 0\n").arg(pid).arg(QString(" 0").repeated(18)).arg(started).toUtf8());
}

QList<RunningApplication> runningFrom(const QString &bundle)
{
    QList<RunningApplication> found;
    for (const RunningApplication &app : LinuxWorkspace().runningApplications()) {
        if (app.bundlePath == bundle)
            found.append(app);
    }
    return found;
}

bool openAndWait(Workspace &workspace, const QString &bundle)
{
    std::optional<bool> result;
    workspace.openApplication(bundle, [&](bool ok) { result = ok; });
    if (result)
        return false; // must not complete inside the call
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 5000))
        return false;
    return *result;
}
}

class WorkspaceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QList<qint64> m_started;
    // Processes whose connections the session bus announced.
    std::vector<qint64> m_connected;

public slots:
    void nameOwnerChanged(const QString &name, const QString &, const QString &newOwner)
    {
        if (name.startsWith(':') && newOwner == name)
            m_connected.push_back(QDBusConnection::sessionBus().interface()->servicePid(name).value());
    }

    QString path(const QString &relative) const { return m_root.path() + QLatin1Char('/') + relative; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        Value::Dictionary helper { { "CFBundleIdentifier", Value("com.velmorn.helper") } };
        QVERIFY(writeFile(path("Apps/Sentrel.app/Contents/Info.plist"), infoPlist(helper)));
        Value::Dictionary launcher { { "CFBundleIdentifier", Value("com.velmorn.quenbylauncher") } };
        QVERIFY(writeFile(path("Apps/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/Info.plist"),
            infoPlist(launcher, platform::plist::Format::Xml)));
        Value::Dictionary app { { "CFBundleIdentifier", Value("com.velmorn.quenby") } };
        QVERIFY(writeFile(path("Apps/Quenby.app/Contents/Info.plist"), infoPlist(app)));
        QVERIFY(writeFile(path("Apps/Broken.app/Contents/Info.plist"), "<plist><dict><key>CFBundle"));
        Value::Dictionary numeric { { "CFBundleIdentifier", Value(5) } };
        QVERIFY(writeFile(path("Apps/Numeric.app/Contents/Info.plist"), infoPlist(numeric)));
    }

    void cleanupTestCase()
    {
        for (qint64 pid : std::as_const(m_started))
            ::kill(static_cast<pid_t>(pid), SIGTERM);
    }

    void runningApplicationFromProcessTable_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("bundle"); // empty: not an application
        QTest::addColumn<std::optional<QString>>("identifier");
        const auto id = [](const char *s) { return std::optional<QString>(QString::fromLatin1(s)); };
        QTest::newRow("executable in a bundle") << "Apps/Sentrel.app/Contents/MacOS/Sentrel"
                                                << "Apps/Sentrel.app" << id("com.velmorn.helper");
        QTest::newRow("executable replaced on disk") << "Apps/Sentrel.app/Contents/MacOS/Sentrel (deleted)"
                                                     << "Apps/Sentrel.app" << id("com.velmorn.helper");
        QTest::newRow("nested login item is its own application")
            << "Apps/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher"
            << "Apps/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app" << id("com.velmorn.quenbylauncher");
        QTest::newRow("bundle without Info.plist") << "Apps/Bare.app/Contents/MacOS/Bare"
                                                   << "Apps/Bare.app" << std::optional<QString>();
        QTest::newRow("Info.plist that does not parse") << "Apps/Broken.app/Contents/MacOS/Broken"
                                                        << "Apps/Broken.app" << std::optional<QString>();
        QTest::newRow("identifier that is not text") << "Apps/Numeric.app/Contents/MacOS/Numeric"
                                                     << "Apps/Numeric.app" << std::optional<QString>();
        QTest::newRow("program outside any bundle") << "usr/bin/sleep"
                                                    << "" << std::optional<QString>();
        QTest::newRow("tool in the bundle's resources") << "Apps/Sentrel.app/Contents/Resources/tool"
                                                        << "" << std::optional<QString>();
        QTest::newRow("MacOS folder of something that is not an app") << "Apps/Sentrel.bundle/Contents/MacOS/Sentrel"
                                                                      << "" << std::optional<QString>();
    }

    void runningApplicationFromProcessTable()
    {
        QFETCH(QString, executable);
        QFETCH(QString, bundle);
        QFETCH(std::optional<QString>, identifier);
        QTemporaryDir proc;
        QVERIFY(QDir().mkpath(proc.path() + "/4711"));
        QVERIFY(QFile::link(path(executable), proc.path() + "/4711/exe"));
        // Entries that are not processes, and a process whose executable cannot be read.
        QVERIFY(QDir().mkpath(proc.path() + "/self"));
        QVERIFY(QDir().mkpath(proc.path() + "/net"));
        QVERIFY(QDir().mkpath(proc.path() + "/2"));

        const QList<RunningApplication> running = LinuxWorkspace(proc.path()).runningApplications();
        if (bundle.isEmpty()) {
            QCOMPARE(running.size(), 0);
            return;
        }
        QCOMPARE(running.size(), 1);
        QCOMPARE(running.first().processIdentifier, 4711);
        QCOMPARE(running.first().bundlePath, path(bundle));
        QCOMPARE(running.first().executablePath, path(executable).remove(QStringLiteral(" (deleted)")));
        QCOMPARE(running.first().bundleIdentifier, identifier);
    }

    void runningApplicationsComeInProcessOrder()
    {
        QTemporaryDir proc;
        for (const char *pid : { "100", "9", "10" }) {
            QVERIFY(QDir().mkpath(proc.path() + "/" + pid));
            QVERIFY(QFile::link(path("Apps/Sentrel.app/Contents/MacOS/Sentrel"), proc.path() + "/" + pid + "/exe"));
        }
        QList<qint64> pids;
        for (const RunningApplication &app : LinuxWorkspace(proc.path()).runningApplications())
            pids.append(app.processIdentifier);
        QCOMPARE(pids, (QList<qint64> { 9, 10, 100 }));
    }

    void processesAreRememberedByPidAndStartTime()
    {
        QTemporaryDir proc;
        const QString sentrel = path("Apps/Sentrel.app/Contents/MacOS/Sentrel");
        const QString quenby = path("Apps/Quenby.app/Contents/MacOS/Quenby");
        const auto process = [&](qint64 pid, const QString &executable, int started) {
            QVERIFY(addProcess(proc.path(), pid, executable, started));
        };
        const auto pids = [](const QList<RunningApplication> &running) {
            QList<qint64> list;
            for (const auto &app : running)
                list.append(app.processIdentifier);
            return list;
        };
        LinuxWorkspace workspace(proc.path());
        process(10, sentrel, 500);
        process(20, "/usr/bin/sh", 600);
        process(30, "/usr/bin/sleep", 700);
        QCOMPARE(pids(workspace.runningApplications()), QList<qint64> {10});

        // A starter script that execs the application is seen as what it became on the next look.
        process(20, quenby, 600);
        QCOMPARE(pids(workspace.runningApplications()), (QList<qint64> { 10, 20 }));

        // A pid used again by another process, an application that ended and a new one.
        process(10, "/usr/bin/sleep", 900);
        QDir(proc.path() + "/20").removeRecursively();
        process(40, sentrel, 950);
        const QList<RunningApplication> running = workspace.runningApplications();
        QCOMPARE(pids(running), QList<qint64> {40});
        QCOMPARE(running.first().bundleIdentifier, std::optional<QString>(QStringLiteral("com.velmorn.helper")));

        // A process looked at twice is settled: later calls only list the table.
        QVERIFY(QFile::remove(proc.path() + "/30/exe"));
        QVERIFY(QFile::link(sentrel, proc.path() + "/30/exe"));
        QCOMPARE(pids(workspace.runningApplications()), QList<qint64> {40});
        // A fresh workspace, knowing nothing, gives what the table says now.
        QCOMPARE(pids(LinuxWorkspace(proc.path()).runningApplications()), (QList<qint64> { 30, 40 }));
    }

    void applicationsAreFollowed_data()
    {
        QTest::addColumn<bool>("onBus");
        QTest::newRow("on the session bus") << true;
        QTest::newRow("without a bus") << false;
    }

    // On the bus the first question looks at the processes behind its connections and later ones are
    // learnt of as they connect; without a bus every question reads the table. Either way an
    // application's end, or its pid taken by another program, is seen by the next question. Our
    // process table holds the bus clients' real pids.
    void applicationsAreFollowed()
    {
        QFETCH(bool, onBus);
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (onBus && !bus.isConnected())
            QSKIP("no session bus");
        QVERIFY(!onBus
            || bus.connect("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                this, SLOT(nameOwnerChanged(QString, QString, QString))));
        const QString helper = QStringLiteral("com.velmorn.helper");
        const QString quenby = QStringLiteral("com.velmorn.quenby");
        m_connected.clear();
        QTemporaryDir proc;
        // A client on the bus (the bus tells of its connection before the question, as before a refresh).
        const auto connect = [&](QProcess &client, const QString &executable, int started) {
            client.start(kDistnoteTool, { "observe", "a=never.posted" });
            QVERIFY(client.waitForStarted(5000));
            QVERIFY(addProcess(proc.path(), client.processId(), executable, started));
            QVERIFY(!onBus || QTest::qWaitFor([&] {
                return std::find(m_connected.begin(), m_connected.end(), client.processId()) != m_connected.end();
            }, 5000));
        };

        QProcess first;
        connect(first, path("Apps/Sentrel.app/Contents/MacOS/Sentrel"), 500);
        const qint64 firstPid = first.processId();
        QVERIFY(addProcess(proc.path(), 11, "/usr/bin/sleep", 510));
        LinuxWorkspace workspace(proc.path(), onBus ? bus : QDBusConnection("no bus"));
        QVERIFY(workspace.isApplicationRunning(helper));
        QVERIFY(!workspace.isApplicationRunning(quenby));

        // Its pid is used again by another program.
        QVERIFY(addProcess(proc.path(), firstPid, "/usr/bin/sleep", 900));
        QVERIFY(!workspace.isApplicationRunning(helper));

        QProcess second;
        connect(second, path("Apps/Quenby.app/Contents/MacOS/Quenby"), 700);
        const qint64 secondPid = second.processId();
        QVERIFY(workspace.isApplicationRunning(quenby));
        // It ends: gone from the table, and the next question knows.
        second.kill();
        QVERIFY(second.waitForFinished(5000));
        QVERIFY(QDir(proc.path() + "/" + QString::number(secondPid)).removeRecursively());
        QVERIFY(!workspace.isApplicationRunning(quenby));
        QVERIFY(!workspace.isApplicationRunning(helper));
        first.kill();
        first.waitForFinished(5000);
        bus.disconnect("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameOwnerChanged", this,
            SLOT(nameOwnerChanged(QString, QString, QString)));
    }

    void onlyTheUsersOwnProcessesCount()
    {
        QTemporaryDir proc;
        const uint me = ::getuid();
        for (const auto &[pid, uid] : { std::pair { 10, me }, std::pair { 11, me + 1 } }) {
            const QString dir = proc.path() + "/" + QString::number(pid);
            QVERIFY(QDir().mkpath(dir));
            QVERIFY(QFile::link(path("Apps/Sentrel.app/Contents/MacOS/Sentrel"), dir + "/exe"));
            QVERIFY(writeFile(dir + "/status",
                QStringLiteral("Name:\tSentrel\nUmask:\t0022\nUid:\t%1\t%1\t%1\t%1\n").arg(uid).toUtf8()));
        }
        const QList<RunningApplication> running = LinuxWorkspace(proc.path()).runningApplications();
        QCOMPARE(running.size(), 1);
        QCOMPARE(running.first().processIdentifier, 10);
    }

    void openedApplicationRunsOnceAndIsSeenUntilItEnds()
    {
        const QString bundle = path("Real/Idle.app");
        QVERIFY(makeIdleBundle(bundle,
            { { "CFBundleIdentifier", Value("org.quenby.test.idle") }, { "CFBundleExecutable", Value("Idle") } }));
        const QString canonical = QFileInfo(bundle).canonicalFilePath();
        LinuxWorkspace workspace;
        QVERIFY(runningFrom(canonical).isEmpty());

        QVERIFY(openAndWait(workspace, bundle));
        QVERIFY(QTest::qWaitFor([&] { return !runningFrom(canonical).isEmpty(); }, 5000));
        const RunningApplication app = runningFrom(canonical).first();
        m_started.append(app.processIdentifier);
        QCOMPARE(app.bundleIdentifier, std::optional<QString>(QStringLiteral("org.quenby.test.idle")));
        QCOMPARE(app.executablePath, canonical + "/Contents/MacOS/Idle");

        // Opening a running application starts no second process.
        QVERIFY(openAndWait(workspace, bundle));
        QCOMPARE(runningFrom(canonical).size(), 1);

        QCOMPARE(::kill(static_cast<pid_t>(app.processIdentifier), SIGTERM), 0);
        QVERIFY(QTest::qWaitFor([&] { return runningFrom(canonical).isEmpty(); }, 5000));
    }

    void openingFailsWithoutARunnableExecutable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("hasInfo");
        QTest::addColumn<std::optional<QString>>("executable");
        const auto text = [](const char *s) { return std::optional<QString>(QString::fromLatin1(s)); };
        QTest::newRow("no Info.plist") << "NoInfo" << false << std::optional<QString>();
        QTest::newRow("no executable named") << "NoName" << true << std::optional<QString>();
        QTest::newRow("executable missing") << "Missing" << true << text("Elsewhere");
        QTest::newRow("executable outside MacOS") << "Escape" << true << text("../Resources/Idle");
        QTest::newRow("executable is a folder") << "Folder" << true << text("..");
    }

    void openingFailsWithoutARunnableExecutable()
    {
        QFETCH(QString, name);
        QFETCH(bool, hasInfo);
        QFETCH(std::optional<QString>, executable);
        const QString bundle = path("Failing/" + name + ".app");
        // A real executable where an escaping name would lead, so only the check stops it.
        QVERIFY(QDir().mkpath(bundle + "/Contents/MacOS"));
        QVERIFY(QDir().mkpath(bundle + "/Contents/Resources"));
        QVERIFY(QFile::copy(kIdleApp, bundle + "/Contents/Resources/Idle"));
        if (hasInfo) {
            Value::Dictionary info { { "CFBundleIdentifier", Value("org.quenby.test.failing") } };
            if (executable)
                info["CFBundleExecutable"] = Value(*executable);
            QVERIFY(writeFile(bundle + "/Contents/Info.plist", infoPlist(info)));
        }
        LinuxWorkspace workspace;
        QVERIFY(!openAndWait(workspace, bundle));
    }

    void openingAMissingBundleFails()
    {
        LinuxWorkspace workspace;
        QVERIFY(!openAndWait(workspace, path("Nowhere/Gone.app")));
    }

    void applicationsFolder()
    {
        const QByteArray saved = qgetenv("QUENBY_APPLICATIONS_FOLDER");
        qunsetenv("QUENBY_APPLICATIONS_FOLDER");
        QCOMPARE(Workspace::applicationsFolder(), QDir::homePath() + "/Applications");
        qputenv("QUENBY_APPLICATIONS_FOLDER", "/opt/apps/");
        QCOMPARE(Workspace::applicationsFolder(), QStringLiteral("/opt/apps"));
        {
            platform::ScopedApplicationsFolder guard(m_root.path());
            QCOMPARE(Workspace::applicationsFolder(), m_root.path());
        }
        QCOMPARE(Workspace::applicationsFolder(), QStringLiteral("/opt/apps"));
        if (saved.isNull())
            qunsetenv("QUENBY_APPLICATIONS_FOLDER");
        else
            qputenv("QUENBY_APPLICATIONS_FOLDER", saved);
    }
};

QTEST_GUILESS_MAIN(WorkspaceTest)
#include "workspace_test.moc"
