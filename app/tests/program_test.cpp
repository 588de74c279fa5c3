#include "../../platform/desktop/tests/dbusmock.h"

#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const QString kProgram = QStringLiteral(QUENBY_BIN_DIR "/Quenby.app/Contents/MacOS/Quenby");
const QString kDesk = QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json");
const QString kIdentifier = QStringLiteral("com.velmorn.quenby");

// Settings as a user has them: some choices, but no first-start mark, so a start writes at once.
const QByteArray kSettings = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>QuenbyAppMode</key>
	<integer>1</integer>
	<key>QuenbyCustomNames</key>
	<dict>
		<key>aa-01</key>
		<string>Desk mouse</string>
	</dict>
	<key>Threshold</key>
	<integer>35</integer>
</dict>
</plist>
)";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A home of its own: the program's settings and start-at-login entry go there, not to the user's.
QProcessEnvironment homeIn(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}

bool mayMountInANamespace()
{
    QTemporaryDir point;
    QProcess probe;
    probe.start(QStringLiteral("unshare"), { "-Urm", "sh", "-c", "mount -t tmpfs -o size=64k tmpfs \"$0\"", point.path() });
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}
}

// The program's own start: which machine it runs on, and what a machine it cannot use does.
class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void aMachineItCannotUseStopsItWithTheReason_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("not JSON") << QByteArrayLiteral("registry:");
        QTest::newRow("malformed section") << QByteArrayLiteral("{\"powerSources\": {}}");
    }
    void aMachineItCannotUseStopsItWithTheReason()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("machine.json"));
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        QProcess program;
        program.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        program.start(kProgram, { QStringLiteral("--fixture"), path });
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(error.contains(QStringLiteral("Quenby: ") + path), qPrintable(error));
    }

    void answersOnTheTerminalWithoutADisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("answer");
        QTest::newRow("help") << "--help" << "--fixture <file>";
        QTest::newRow("version") << "--version" << "Quenby 1.0.0";
    }
    void answersOnTheTerminalWithoutADisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, answer);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            environment.remove(QString::fromLatin1(name));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(kProgram, { option });
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(out.contains(answer), qPrintable(out));
    }

    // Qt's own way is a core dump after a screenful of advice.
    void startWithoutADisplaySaysSoInOneLine_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display named") << QString();
        QTest::newRow("a display nobody serves") << QStringLiteral(":4711");
    }
    void startWithoutADisplaySaysSoInOneLine()
    {
        QFETCH(QString, display);
        if (!display.isEmpty() && QFile::exists(QStringLiteral("/tmp/.X11-unix/X4711")))
            QSKIP("display :4711 is served here");
        QTemporaryDir home;
        QProcessEnvironment environment = homeIn(home.path());
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE" })
            environment.remove(QString::fromLatin1(name));
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(kProgram, { QStringLiteral("--fixture"), kDesk });
        QVERIFY(program.waitForFinished(30000));
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QStringList lines = error.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == 1 && lines.first().startsWith(QStringLiteral("Quenby: no display found")),
            qPrintable(error));
    }

    // The settings folder on a full file system (a small tmpfs in a mount namespace of the test's own): the
    // start-up write fails, the file keeps every byte, the failure is said once, and the change is written
    // as soon as there is room again.
    void fullFileSystemKeepsTheSettingsByteForByte()
    {
        if (!mayMountInANamespace())
            QSKIP("no mount namespace here; platform_userdefaults_test covers the same path with an injected failure");
        QTemporaryDir home;
        const QString config = home.filePath(QStringLiteral("config"));
        const QString out = home.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(config) && QDir().mkpath(out));
        QVERIFY(writeFile(home.filePath(QStringLiteral("settings.plist")), kSettings));

        const QString script = QStringLiteral(R"(set -e
mount -t tmpfs -o size=128k tmpfs "$CONFIG"
mkdir -p "$CONFIG/quenby"
plist="$CONFIG/quenby/com.velmorn.quenby.plist"
cp "$HOME/settings.plist" "$plist"
dd if=/dev/zero of="$CONFIG/fill" bs=4k 2>/dev/null || true
"$PROGRAM" --fixture "$DESK" & pid=$!
read -r _ || true
cp "$plist" "$OUT/full.plist"
rm -f "$CONFIG/fill"
for i in $(seq 200); do grep -q QuenbyWasStarted "$plist" && break; sleep 0.1; done
cp "$plist" "$OUT/freed.plist"
kill $pid; wait $pid || true
)");
        QProcessEnvironment environment = homeIn(home.path());
        environment.insert(QStringLiteral("CONFIG"), config);
        environment.insert(QStringLiteral("OUT"), out);
        environment.insert(QStringLiteral("PROGRAM"), kProgram);
        environment.insert(QStringLiteral("DESK"), kDesk);
        QProcess sandbox;
        sandbox.setProcessEnvironment(environment);
        sandbox.start(QStringLiteral("unshare"), { "-Urm", "bash", "-c", script });
        QVERIFY(sandbox.waitForStarted(30000));
        const QString plist = QStringLiteral("com.velmorn.quenby.plist");
        QString error;
        const auto reported = [&] {
            return error.split(u'\n').filter(plist).filter(QStringLiteral("No space left on device")).size();
        };
        // The start-up write comes within seconds; a program that fails silently gets the same time.
        const bool said = QTest::qWaitFor(
            [&] {
                error += QString::fromUtf8(sandbox.readAllStandardError());
                return reported() > 0 || sandbox.state() == QProcess::NotRunning;
            },
            30000);
        Q_UNUSED(said); // the file is checked first, then the report
        QTest::qWait(2500); // a retry or two on the full disk
        sandbox.write("go\n");
        sandbox.closeWriteChannel();
        QVERIFY(sandbox.waitForFinished(60000));
        error += QString::fromUtf8(sandbox.readAllStandardError());

        QCOMPARE(readFile(out + QStringLiteral("/full.plist")), kSettings);
        QVERIFY2(reported() == 1, qPrintable("the full disk is not reported once: " + error));
        const QByteArray freed = readFile(out + QStringLiteral("/freed.plist"));
        QVERIFY2(freed.contains("<key>QuenbyWasStarted</key>") && freed.contains("<string>Desk mouse</string>")
                && freed.contains("<integer>35</integer>"),
            freed.constData());
    }

    // Another program holding the settings lock must not freeze this one: it keeps answering a second
    // start at once, and writes its settings once the lock is free.
    void heldSettingsLockLeavesTheProgramAnswering()
    {
        DBusMock bus;
        QVERIFY2(bus.startBus(), qPrintable(bus.error()));
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("config/quenby"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("/com.velmorn.quenby.plist"), kSettings));
        const int lock = ::open(QFile::encodeName(folder + QStringLiteral("/.com.velmorn.quenby.plist.lock")).constData(),
            O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
        struct Release {
            int fd;
            ~Release() { ::close(fd); }
        } release { lock };

        QProcessEnvironment environment = homeIn(home.path());
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(kProgram, { QStringLiteral("--fixture"), kDesk });
        QVERIFY(program.waitForStarted(30000));
        const auto activate = [&](int timeout) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                kIdentifier, QStringLiteral("/"), QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
            call << QVariantMap();
            return bus.bus().call(call, QDBus::Block, timeout).type() == QDBusMessage::ReplyMessage;
        };
        QVERIFY2(QTest::qWaitFor([&] { return bus.bus().interface()->isServiceRegistered(kIdentifier).value(); }, 60000),
            "the program did not take its name");
        // The first answer may wait for the start to finish; a program stuck on the lock never answers.
        QVERIFY2(activate(30000), "no answer while another program holds the settings lock");
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(activate(1000), qPrintable(QStringLiteral("answer %1 took longer than a second").arg(i + 2)));
            QTest::qWait(200);
        }
        QCOMPARE(readFile(folder + QStringLiteral("/com.velmorn.quenby.plist")), kSettings);

        ::flock(lock, LOCK_UN);
        QVERIFY2(QTest::qWaitFor(
                     [&] { return readFile(folder + QStringLiteral("/com.velmorn.quenby.plist")).contains("QuenbyWasStarted"); },
                     15000),
            "the settings were not written once the lock was free");
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
    }

    // A device whose name holds markup runs low: the desktop's notification server (here one that reads
    // markup in the body) gets the name escaped, and learns which application speaks and its icon.
    void lowBatteryNotificationEscapesTheNameAndNamesTheApplication()
    {
        DBusMock bus;
        QVERIFY2(bus.startBus(), qPrintable(bus.error()));
        const QString server = QStringLiteral("org.freedesktop.Notifications");
        QVERIFY2(bus.startTemplate(QStringLiteral("notification_daemon"), server), qPrintable(bus.error()));
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("config/quenby"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("/com.velmorn.quenby.plist"),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>QuenbyEnableNotifications</key><true/><key>QuenbyWasStarted</key><true/></dict></plist>
)"));
        QProcessEnvironment environment = homeIn(home.path());
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(kProgram, { QStringLiteral("--fixture"), QStringLiteral(QUENBY_TEST_DATA "/markupname.json") });
        QVERIFY(program.waitForStarted(30000));
        const auto notifications = [&] {
            QList<DBusMock::Call> found;
            for (const DBusMock::Call &call : bus.calls(server, QStringLiteral("/org/freedesktop/Notifications")))
                if (call.method == QLatin1String("Notify"))
                    found << call;
            return found;
        };
        QVERIFY2(QTest::qWaitFor([&] { return !notifications().isEmpty(); }, 60000), "no notification arrived");
        program.terminate();
        QVERIFY(program.waitForFinished(30000));

        const QVariantList args = notifications().first().args;
        const QString body = args.value(4).toString();
        QVERIFY2(body.contains(QStringLiteral("&lt;a href=\"https://example.com\"&gt;Mouse&lt;/a&gt; &amp; &lt;img"))
                && !body.contains(u'<'),
            qPrintable(body));
        QCOMPARE(args.value(2).toString(), kIdentifier); // app_icon: the installed icon's name
        QCOMPARE(qdbus_cast<QVariantMap>(args.value(6)).value(QStringLiteral("desktop-entry")).toString(), kIdentifier);
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "program_test.moc"
