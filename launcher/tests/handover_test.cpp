#include "../../platform/core/tests/copytree.h"
#include "platform/core/plist.h"
#include "platform/desktop/dbusdistributednotificationcenter.h"
#include "platform/desktop/linuxworkspace.h"

#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

using platform::Value;

namespace {
const QString kBin = QStringLiteral(QUENBY_BIN_DIR);
const QString kBuiltLauncher = kBin + "/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app";
// Long enough for a process to start, find the others and talk over the bus on a loaded machine.
constexpr int kBound = 30000;

Value info(const QString &bundle)
{
    QFile file(bundle + "/Contents/Info.plist");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return platform::plist::parse(file.readAll());
}

// Quenby.app in a temporary folder: the stand-in program as its executable, and a copy of the built
// launcher bundle in its login items.
struct Installation {
    Installation()
    {
        app = QFileInfo(root.path()).canonicalFilePath() + "/Quenby.app";
        launcher = app + "/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher";
        log = root.path() + "/steps.log";
        ok = platform::copyTree(kBuiltLauncher, app + "/Contents/Library/LoginItems/QuenbyLauncher.app")
            && QDir().mkpath(app + "/Contents/MacOS")
            && QFile::copy(kBin + "/fake_quenby", app + "/Contents/MacOS/Quenby");
        QFile plist(app + "/Contents/Info.plist");
        ok = ok && plist.open(QIODevice::WriteOnly)
            && plist.write(platform::plist::serialize(Value(Value::Dictionary {
                                                          { "CFBundleIdentifier", Value("com.velmorn.quenby") },
                                                          { "CFBundleExecutable", Value("Quenby") },
                                                      }),
                   platform::plist::Format::Xml))
                > 0;
    }

    ~Installation()
    {
        for (const qint64 pid : applicationPids())
            ::kill(pid_t(pid), SIGTERM);
    }

    // The processes running the stand-in application of this installation.
    QList<qint64> applicationPids() const
    {
        QList<qint64> pids;
        for (const auto &running : platform::LinuxWorkspace().runningApplications()) {
            if (running.bundlePath == app)
                pids << running.processIdentifier;
        }
        return pids;
    }

    int countInLog(const QByteArray &step) const
    {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        int count = 0;
        for (const QByteArray &line : file.readAll().split('\n'))
            count += line.startsWith(step + ' ') ? 1 : 0;
        return count;
    }

    void prepare(QProcess &process, bool handOver = true) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUENBY_FAKE_APP_LOG", log);
        env.insert("QUENBY_FAKE_APP_HANDOVER", handOver ? "1" : "0");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }

    QTemporaryDir root;
    QString app, launcher, log;
    bool ok = false;
};
}

class HandOverTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "needs a session bus (dbus-run-session)");
    }

    void init()
    {
        // The launcher looks for the application among all of the user's processes. In its own process
        // namespace (see main) this test sees only what it started; without one, a Quenby started
        // elsewhere (a developer's session, another checkout's test) would make every case quit early.
        for (const auto &running : platform::LinuxWorkspace().runningApplications())
            QVERIFY2(running.bundleIdentifier.value_or(QString()) != QLatin1String("com.velmorn.quenby"),
                qPrintable("another Quenby is running and no private process namespace could be made: "
                    + running.bundlePath));
    }

    void buildPlacesTheLauncherInsideTheApplication()
    {
        const Value app = info(kBin + "/Quenby.app");
        QCOMPARE(app["CFBundleIdentifier"].toString(), QStringLiteral("com.velmorn.quenby"));
        QVERIFY(QFileInfo(kBin + "/Quenby.app/Contents/MacOS/" + *app["CFBundleExecutable"].toString()).isExecutable());

        const Value launcher = info(kBuiltLauncher);
        QCOMPARE(launcher["CFBundleIdentifier"].toString(), QStringLiteral("com.velmorn.quenbylauncher"));
        QCOMPARE(launcher["CFBundleName"].toString(), QStringLiteral("QuenbyLauncher"));
        QCOMPARE(launcher["CFBundleExecutable"].toString(), QStringLiteral("QuenbyLauncher"));
        QVERIFY(QFileInfo(kBuiltLauncher + "/Contents/MacOS/QuenbyLauncher").isExecutable());
        for (const char *lib : { "Tavrin", "Olvane" }) {
            const QString strings = kBuiltLauncher
                + QStringLiteral("/Contents/Resources/%1_%1.bundle/en.lproj/Localizable.strings").arg(lib);
            QVERIFY2(QFile::exists(strings), qPrintable(strings));
        }
    }

    void startsTheApplicationAndQuitsOnItsKillMe()
    {
        const Installation inst;
        QVERIFY(inst.ok);
        QProcess launcher;
        inst.prepare(launcher);
        launcher.start(inst.launcher);
        QVERIFY(launcher.waitForStarted(kBound));
        QVERIFY2(launcher.waitForFinished(kBound), "the launcher did not quit");
        QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher.exitCode(), 0);
        QCOMPARE(inst.countInLog("started"), 1);
        // The application notes its hand-over only after posting, so the launcher may be gone first.
        QTRY_COMPARE_WITH_TIMEOUT(inst.countInLog("handed over"), 1, kBound);
        QCOMPARE(inst.applicationPids().size(), 1);
    }

    void quitsAtOnceWhenTheApplicationRuns()
    {
        const Installation inst;
        QVERIFY(inst.ok);
        QProcess application;
        inst.prepare(application);
        application.start(inst.app + "/Contents/MacOS/Quenby");
        // Its hand-over found no launcher and posted nothing; only the launcher's own check can end it now.
        QTRY_COMPARE_WITH_TIMEOUT(inst.countInLog("ready"), 1, kBound);

        QProcess launcher;
        inst.prepare(launcher);
        launcher.start(inst.launcher);
        QVERIFY2(launcher.waitForFinished(kBound), "the launcher did not quit");
        QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher.exitCode(), 0);
        QCOMPARE(inst.countInLog("started"), 1);
        QCOMPARE(inst.applicationPids(), QList<qint64> { application.processId() });
        application.terminate();
        QVERIFY(application.waitForFinished(kBound));
    }

    void killMeForAnotherApplicationLeavesItRunning()
    {
        const Installation inst;
        QVERIFY(inst.ok);
        QProcess launcher;
        inst.prepare(launcher, false);
        launcher.start(inst.launcher);
        // The application started, so the launcher has been listening since before it opened it.
        QTRY_COMPARE_WITH_TIMEOUT(inst.countInLog("ready"), 1, kBound);
        QCOMPARE(inst.countInLog("handed over"), 0);

        platform::DBusDistributedNotificationCenter center(QDBusConnection::sessionBus());
        center.post("killme", QStringLiteral("com.example.other"));
        center.post("killme");
        center.post("KILLME", QStringLiteral("com.velmorn.quenby"));
        // Nothing can show that a notification was ignored; give it the time it takes to obey the right
        // one, which follows.
        constexpr int kReaction = 2000;
        QVERIFY2(!launcher.waitForFinished(kReaction), "the launcher quit on a notification not meant for it");
        center.post("killme", QStringLiteral("com.velmorn.quenby"));
        QVERIFY2(launcher.waitForFinished(kReaction), "the launcher did not quit on the application's killme");
        QCOMPARE(launcher.exitCode(), 0);
    }

    void outsideAnApplicationItEndsCleanly()
    {
        // Placed right under /tmp, the bundle path is too short to lie in an application bundle.
        QTemporaryDir shallow(QStringLiteral("/tmp/qlXXXXXX"));
        QVERIFY(shallow.isValid());
        const QString bundle = shallow.path() + "/QuenbyLauncher.app";
        QVERIFY(platform::copyTree(kBuiltLauncher, bundle));
        QProcess launcher;
        launcher.start(bundle + "/Contents/MacOS/QuenbyLauncher");
        QVERIFY2(launcher.waitForFinished(kBound), "the launcher did not quit");
        QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher.exitCode(), 1);
        QVERIFY(launcher.readAllStandardError().contains("does not lie inside an application bundle"));
    }
};

namespace {
constexpr const char *kIsolated = "QUENBY_HANDOVER_ISOLATED";

// A process namespace of our own (with a /proc that lists only its processes) keeps every Quenby and
// launcher running elsewhere on the machine out of sight of the processes under test. It needs user
// namespaces; where the kernel or a container forbids them the test runs in the open.
void reexecInOwnProcessNamespace(char *argv[])
{
    if (qEnvironmentVariableIsSet(kIsolated))
        return;
    ::setenv(kIsolated, "1", 1);
    const char *unshare[] = { "unshare", "--map-current-user", "--pid", "--fork", "--mount-proc", "--kill-child" };
    QByteArray probe;
    for (const char *part : unshare)
        probe += QByteArray(part) + ' ';
    if (std::system((probe + "true >/dev/null 2>&1").constData()) != 0)
        return;
    std::vector<char *> command;
    for (const char *part : unshare)
        command.push_back(const_cast<char *>(part));
    command.push_back(const_cast<char *>("--"));
    for (char **arg = argv; *arg; ++arg)
        command.push_back(*arg);
    command.push_back(nullptr);
    ::execvp(command.front(), command.data());
}
}

int main(int argc, char *argv[])
{
    reexecInOwnProcessNamespace(argv);
    QCoreApplication application(argc, argv);
    HandOverTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "handover_test.moc"
