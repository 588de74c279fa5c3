#include "dbusmock.h"
#include "dorsk/helperdatamodel.h"
#include "dorsk/helpernotifications.h"
#include "dorsk/sentrel.h"
#include "olvane/distributednotifications.h"
#include "platform/core/plist.h"
#include "platform/desktop/dbusdistributednotificationcenter.h"
#include "platform/desktop/linuxworkspace.h"
#include "samplelists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using dorsk::HelperNotifications;
using dorsk::Sentrel;
using dorsktest::encodedDevices;
using olvane::DistributedNotifications;
using platform::Value;

namespace {
const QString kFakeHelper = QStringLiteral(QUENBY_BIN_DIR "/fake_sentrel");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool settle(const std::function<bool()> &done) { return QTest::qWaitFor(done, 10000); }

// Gone from the process table, or a zombie waiting for its parent.
bool hasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}
}

// The helper application as a second process: installed in a temporary applications folder,
// started, asked for its lists and told to quit through the session bus.
class HelperProcessTest : public QObject {
    Q_OBJECT

    // A bus of our own: other tests post on the shared session bus at the same time.
    DBusMock m_bus;
    QTemporaryDir m_root;
    std::optional<platform::ScopedApplicationsFolder> m_folder;
    std::optional<platform::ScopedUserDefaultsDirectory> m_defaults;
    // The workspace follows applications on the bus the helper joins.
    std::optional<platform::LinuxWorkspace> m_workspace;
    std::optional<platform::ScopedWorkspace> m_workspaceGuard;
    std::unique_ptr<platform::DBusDistributedNotificationCenter> m_center;
    std::optional<platform::ScopedDistributedNotificationCenter> m_centerGuard;
    QStringList m_heard;

    QList<qint64> helperProcesses() const
    {
        QList<qint64> pids;
        const QString bundle = QFileInfo(Sentrel::installPath()).canonicalFilePath();
        for (const platform::RunningApplication &app : m_workspace->runningApplications()) {
            if (app.bundlePath == bundle)
                pids.append(app.processIdentifier);
        }
        return pids;
    }

private slots:
    void initTestCase()
    {
        if (!m_bus.startBus())
            QSKIP(qPrintable(m_bus.error()));
        // The helper inherits our environment: it meets us on this bus and opens the same store.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
        m_center = std::make_unique<platform::DBusDistributedNotificationCenter>(m_bus.bus());
        m_centerGuard.emplace(*m_center);
        m_workspace.emplace(QStringLiteral("/proc"), m_bus.bus());
        m_workspaceGuard.emplace(*m_workspace);

        QVERIFY(m_root.isValid());
        m_folder.emplace(m_root.path() + "/Applications");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.path() + "/config"));
        m_defaults.emplace(m_root.path() + "/config/quenby");

        const Value::Dictionary info { { "CFBundleIdentifier", Value("com.velmorn.helper") },
            { "CFBundleExecutable", Value("Sentrel") }, { "CFBundleShortVersionString", Value("2.0.9") } };
        QVERIFY(writeFile(Sentrel::installPath() + "/Contents/Info.plist", platform::plist::serialize(Value(info))));
        QVERIFY(QDir().mkpath(Sentrel::installPath() + "/Contents/MacOS"));
        QVERIFY(QFile::copy(kFakeHelper, Sentrel::installPath() + "/Contents/MacOS/Sentrel"));

        for (const QString &name : { HelperNotifications::helperStarted, HelperNotifications::helperStopped,
                 HelperNotifications::responseBatteries, QStringLiteral("probe") }) {
            DistributedNotifications::addObserver(
                this, [this](const DistributedNotifications::Notification &n) { m_heard.append(n.name); }, name);
        }
        // Our own post comes back once the bus matches our signals for us.
        DistributedNotifications::post(QStringLiteral("probe"));
        QVERIFY(settle([&] { return m_heard.contains(QStringLiteral("probe")); }));
    }

    void cleanupTestCase()
    {
        for (qint64 pid : helperProcesses())
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        m_centerGuard.reset();
        m_center.reset();
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    void helperRunsOnceAnswersAndQuits()
    {
        QVERIFY(Sentrel::isInstalled());
        QCOMPARE(Sentrel::installedVersion(), std::optional<QString>(QStringLiteral("2.0.9")));
        QVERIFY(!Sentrel::isRunning());

        Sentrel::launch();
        QVERIFY(settle([&] { return m_heard.contains(HelperNotifications::helperStarted); }));
        // Seen by the first question after it spoke, and by a workspace that comes later.
        QVERIFY(Sentrel::isRunning());
        QVERIFY(platform::LinuxWorkspace(QStringLiteral("/proc"), m_bus.bus()).isApplicationRunning(Sentrel::bundleIdentifier));
        Sentrel::launch();
        const QList<qint64> helpers = helperProcesses();
        QCOMPARE(helpers.size(), 1);

        // What the application's refresh does: ask, then read what the helper stored.
        dorsk::HelperDataModel store;
        QCOMPARE(store.singleBatteryDevices(), std::nullopt);
        DistributedNotifications::post(HelperNotifications::requestBatteries);
        QVERIFY(settle([&] { return m_heard.contains(HelperNotifications::responseBatteries); }));
        QCOMPARE(store.sensors(), dorsktest::sampleSensors());
        QCOMPARE(store.fans(), dorsktest::sampleFans());
        QCOMPARE(store.traffic(), dorsktest::sampleTraffic());
        QVERIFY(store.singleBatteryDevices());
        QCOMPARE(encodedDevices(*store.singleBatteryDevices()), encodedDevices(dorsktest::sampleSingles()));
        QVERIFY(store.doubleBatteryDevices());
        QCOMPARE(encodedDevices(*store.doubleBatteryDevices()), encodedDevices(dorsktest::sampleDoubles()));

        Sentrel::quit();
        QVERIFY(settle([&] { return m_heard.contains(HelperNotifications::helperStopped); }));
        // Once the process has ended, the first question says so.
        QVERIFY(settle([&] { return hasEnded(helpers.first()); }));
        QVERIFY(!Sentrel::isRunning());
        QCOMPARE(helperProcesses().size(), 0);
    }
};

QTEST_GUILESS_MAIN(HelperProcessTest)
#include "helperprocess_test.moc"
