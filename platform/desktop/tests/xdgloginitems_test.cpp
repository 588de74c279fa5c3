#include "platform/core/atomicfile.h"
#include "platform/core/plist.h"
#include "platform/desktop/xdgloginitems.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using platform::LoginService;
using platform::LoginServiceStatus;
using platform::Value;
using platform::XdgLoginItems;

namespace platform {
char *toString(LoginServiceStatus status) { return QTest::toString(QByteArray::number(int(status))); }
}

namespace {
const QString kMainId = QStringLiteral("com.velmorn.quenby");
const QString kLauncherId = QStringLiteral("com.velmorn.quenbylauncher");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An application bundle with an Info.plist and a runnable executable; an empty identifier leaves it out.
QString makeBundle(const QString &bundlePath, const QString &identifier, const QString &executable)
{
    Value::Dictionary info { { QStringLiteral("CFBundleExecutable"), Value(executable) },
        { QStringLiteral("CFBundleName"), Value(executable) } };
    if (!identifier.isEmpty())
        info[QStringLiteral("CFBundleIdentifier")] = Value(identifier);
    writeFile(
        bundlePath + "/Contents/Info.plist", platform::plist::serialize(Value(info), platform::plist::Format::Xml));
    const QString exe = bundlePath + "/Contents/MacOS/" + executable;
    writeFile(exe, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner | QFile::ExeUser);
    return exe;
}

// A main application with its launcher inside, and an autostart folder, under one temporary folder.
struct Fixture {
    explicit Fixture(const QString &folder = QStringLiteral("apps"))
    {
        app = root.path() + '/' + folder + "/Quenby.app";
        appExe = makeBundle(app, kMainId, QStringLiteral("Quenby"));
        launcherExe = makeBundle(
            app + "/Contents/Library/LoginItems/QuenbyLauncher.app", kLauncherId, QStringLiteral("QuenbyLauncher"));
        autostart = root.path() + "/config/autostart";
    }
    XdgLoginItems items() const { return XdgLoginItems(app, autostart); }
    QString entry(const QString &id) const { return autostart + '/' + id + ".desktop"; }

    QTemporaryDir root;
    QString app, appExe, launcherExe, autostart;
};

LoginService serviceFor(bool main) { return main ? LoginService::mainApp() : LoginService::loginItem(kLauncherId); }

// The "OnDemand" of the job labelled `label`, or empty when there is no such job.
std::optional<bool> onDemand(const XdgLoginItems &items, const QString &label)
{
    const auto jobs = items.jobDictionaries();
    if (!jobs || !jobs->toArray())
        return std::nullopt;
    for (const Value &job : *jobs->toArray()) {
        if (job[QStringLiteral("Label")].toString() == label)
            return job[QStringLiteral("OnDemand")].toBool();
    }
    return std::nullopt;
}

QString execLine(const QByteArray &entry)
{
    for (const QByteArray &line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    }
    return {};
}
}

class XdgLoginItemsTest : public QObject {
    Q_OBJECT
private slots:
    void enablingWritesAValidEntry_data()
    {
        QTest::addColumn<bool>("main");
        QTest::addColumn<QString>("folder");
        QTest::newRow("launcher") << false << "apps";
        QTest::newRow("main application") << true << "apps";
        QTest::newRow("launcher, odd folder") << false << "My Apps \"quoted\" $HOME 100% `tick` back\\slash";
        QTest::newRow("main application, odd folder") << true << "Grüße; (x) & 'y' #z";
    }

    void enablingWritesAValidEntry()
    {
        QFETCH(bool, main);
        QFETCH(QString, folder);
        const Fixture f(folder);
        XdgLoginItems items = f.items();
        const QString id = main ? kMainId : kLauncherId;
        const LoginService service = serviceFor(main);

        QCOMPARE(items.status(service), LoginServiceStatus::NotRegistered);
        if (main)
            QVERIFY2(items.registerService(service), qPrintable(items.registerService(service).error));
        else
            QVERIFY(items.setLoginItemEnabled(kLauncherId, true));

        QVERIFY(QFile::exists(f.entry(id)));
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), { f.entry(id) });
        QVERIFY2(validate.waitForFinished(30000), "desktop-file-validate is missing (scripts/setup installs it)");
        const QByteArray report = validate.readAllStandardOutput() + validate.readAllStandardError();
        QVERIFY2(validate.exitCode() == 0 && !report.contains("error"), report.constData());
        QVERIFY2(!report.contains("warning"), report.constData());
        // Session settings list the entry with the application's installed icon and a line saying what it does.
        const QByteArray written = readFile(f.entry(id));
        QVERIFY2(written.contains("\nIcon=" + kMainId.toUtf8() + "\n"), written.constData());
        QVERIFY2(written.contains("\nComment=Starts "), written.constData());

        QCOMPARE(items.status(service), LoginServiceStatus::Enabled);
        QCOMPARE(onDemand(items, id), std::optional<bool>(true));
        // The other family's entry is untouched.
        QCOMPARE(onDemand(items, main ? kLauncherId : kMainId), std::nullopt);
        QCOMPARE(items.status(serviceFor(!main)), LoginServiceStatus::NotRegistered);
    }

    // A full disk while the entry is rewritten: the entry stays as it was and the failure says why.
    void failedWriteKeepsTheEntry()
    {
        const Fixture f;
        XdgLoginItems items = f.items();
        QVERIFY(items.registerService(LoginService::mainApp()));
        const QByteArray before = readFile(f.entry(kMainId));
        platform::LoginResult result;
        {
            platform::ScopedFileWriteFailure full(platform::FileWriteStep::Write, ENOSPC);
            result = items.registerService(LoginService::mainApp());
        }
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(f.entry(kMainId)), qPrintable(result.error));
        QCOMPARE(readFile(f.entry(kMainId)), before);
        QCOMPARE(QDir(f.autostart).entryList(QDir::Files | QDir::Hidden), QStringList { kMainId + ".desktop" });
    }

    // The Exec line spelled out by hand, so that quoting and reading back cannot be wrong in the same way.
    void execIsQuotedAndEscaped_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("spelled");
        QTest::newRow("plain") << "apps"
                               << "apps";
        QTest::newRow("space") << "my apps"
                               << "my apps";
        QTest::newRow("double quote") << "a\"b"
                                      << "a\\\\\"b";
        QTest::newRow("dollar") << "$HOME"
                                << "\\\\$HOME";
        QTest::newRow("backtick") << "a`b"
                                  << "a\\\\`b";
        QTest::newRow("backslash") << "a\\b"
                                   << "a\\\\\\\\b";
        QTest::newRow("percent") << "100%"
                                 << "100%%";
    }

    void execIsQuotedAndEscaped()
    {
        QFETCH(QString, folder);
        QFETCH(QString, spelled);
        const Fixture f(folder);
        XdgLoginItems items = f.items();
        QVERIFY(items.setLoginItemEnabled(kLauncherId, true));
        const QString prefix = f.root.path() + '/';
        QCOMPARE(execLine(readFile(f.entry(kLauncherId))),
            '"' + prefix + spelled
                + "/Quenby.app/Contents/Library/LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher\"");
    }

    void disablingRemovesTheEntry_data()
    {
        QTest::addColumn<bool>("main");
        QTest::newRow("launcher") << false;
        QTest::newRow("main application") << true;
    }

    void disablingRemovesTheEntry()
    {
        QFETCH(bool, main);
        const Fixture f;
        XdgLoginItems items = f.items();
        const LoginService service = serviceFor(main);
        QVERIFY(items.registerService(service));
        QVERIFY(items.registerService(service)); // again over our own entry
        QVERIFY(items.unregisterService(service));
        QVERIFY(!QFile::exists(f.entry(main ? kMainId : kLauncherId)));
        QCOMPARE(items.status(service), LoginServiceStatus::NotRegistered);
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(Value(Value::Array {})));
        // Nothing left to remove is not a failure.
        QVERIFY(items.unregisterService(service));
        QVERIFY(items.setLoginItemEnabled(kLauncherId, false));
    }

    // Entries under our name that we did not write: never rewritten nor removed, never read as enabled.
    void foreignEntriesAreLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a desktop entry") << QByteArray("this is not a desktop entry\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other group first")
            << QByteArray("[Other]\nA=b\n[Desktop Entry]\nType=Application\nName=Q\nExec=@LAUNCHER@\n");
        QTest::newRow("key outside a group") << QByteArray("Exec=@LAUNCHER@\n[Desktop Entry]\nType=Application\n");
        QTest::newRow("repeated key") << QByteArray(
            "[Desktop Entry]\nType=Application\nType=Application\nName=Q\nExec=@LAUNCHER@\n");
        QTest::newRow("not UTF-8") << QByteArray("[Desktop Entry]\nType=Application\nName=\xff\xfe\nExec=@LAUNCHER@\n");
        QTest::newRow("link, not application")
            << QByteArray("[Desktop Entry]\nType=Link\nName=Q\nURL=file:///\nExec=@LAUNCHER@\n");
        QTest::newRow("another program") << QByteArray(
            "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/sh -c true\n");
        QTest::newRow("another bundle") << QByteArray("[Desktop Entry]\nType=Application\nName=Other\nExec=@OTHER@\n");
        QTest::newRow("quote left open") << QByteArray(
            "[Desktop Entry]\nType=Application\nName=Q\nExec=\"@LAUNCHER@\n");
        QTest::newRow("relative program")
            << QByteArray("[Desktop Entry]\nType=Application\nName=Q\nExec=QuenbyLauncher\n");
        QTest::newRow("someone else's owner mark") << QByteArray(
            "[Desktop Entry]\nType=Application\nName=Q\nExec=/bin/true\nX-Quenby-Bundle-Identifier=com.example\n");
    }

    void foreignEntriesAreLeftAlone()
    {
        QFETCH(QByteArray, content);
        const Fixture f;
        const QString other = makeBundle(
            f.root.path() + "/Other.app", QStringLiteral("com.example.other"), QStringLiteral("QuenbyLauncher"));
        content.replace("@LAUNCHER@", f.launcherExe.toUtf8()).replace("@OTHER@", other.toUtf8());
        writeFile(f.entry(kLauncherId), content);
        XdgLoginItems items = f.items();

        QCOMPARE(items.status(LoginService::loginItem(kLauncherId)), LoginServiceStatus::NotRegistered);
        QCOMPARE(onDemand(items, kLauncherId), std::optional<bool>(false));
        QVERIFY(!items.setLoginItemEnabled(kLauncherId, true));
        QCOMPARE(readFile(f.entry(kLauncherId)), content);
        const auto result = items.registerService(LoginService::loginItem(kLauncherId));
        QVERIFY(!result);
        QVERIFY2(result.error.contains(f.entry(kLauncherId)), qPrintable(result.error));
        QVERIFY(!items.setLoginItemEnabled(kLauncherId, false));
        QVERIFY(!items.unregisterService(LoginService::loginItem(kLauncherId)));
        QCOMPARE(readFile(f.entry(kLauncherId)), content);
    }

    // Entries that are ours and start the right program: read as enabled, and ours to remove.
    void entriesThatStartTheBundleAreOurs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("hand-written, unquoted, with arguments")
            << QByteArray("[Desktop Entry]\nType=Application\nName=Q\nExec=@LAUNCHER@ --hidden %U\n");
        QTest::newRow("spaces around the separator and comments")
            << QByteArray("# written by hand\n[Desktop Entry]\nType = Application\nName=Q\nExec = @LAUNCHER@\n");
        QTest::newRow("CRLF and a second group") << QByteArray(
            "[Desktop Entry]\r\nType=Application\r\nName=Q\r\nExec=\"@LAUNCHER@\"\r\n[Desktop Action x]\r\nName=x\r\n");
        QTest::newRow("localised keys") << QByteArray(
            "[Desktop Entry]\nType=Application\nName=Q\nName[de]=Q\nExec=@LAUNCHER@\nHidden=false\n");
    }

    void entriesThatStartTheBundleAreOurs()
    {
        QFETCH(QByteArray, content);
        const Fixture f;
        writeFile(f.entry(kLauncherId), content.replace("@LAUNCHER@", f.launcherExe.toUtf8()));
        XdgLoginItems items = f.items();
        QCOMPARE(items.status(LoginService::loginItem(kLauncherId)), LoginServiceStatus::Enabled);
        QCOMPARE(onDemand(items, kLauncherId), std::optional<bool>(true));
        QVERIFY(items.setLoginItemEnabled(kLauncherId, false));
        QVERIFY(!QFile::exists(f.entry(kLauncherId)));
    }

    // Our entries that do not start anything now: read as off, and rewritten when switched on.
    void ourSwitchedOffEntriesAreRewritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("hidden") << QByteArray(
            "[Desktop Entry]\nType=Application\nName=Q\nExec=@LAUNCHER@\nHidden=true\n");
        QTest::newRow("switched off in the desktop's settings") << QByteArray(
            "[Desktop Entry]\nType=Application\nName=Q\nExec=@LAUNCHER@\nX-GNOME-Autostart-enabled=false\n");
        QTest::newRow("copy that was moved away")
            << QByteArray("[Desktop Entry]\nType=Application\nName=Q\nExec=\"/gone/Quenby.app/Contents/Library/"
                          "LoginItems/QuenbyLauncher.app/Contents/MacOS/QuenbyLauncher\"\n"
                          "X-Quenby-Bundle-Identifier=com.velmorn.quenbylauncher\n");
    }

    void ourSwitchedOffEntriesAreRewritten()
    {
        QFETCH(QByteArray, content);
        const Fixture f;
        writeFile(f.entry(kLauncherId), content.replace("@LAUNCHER@", f.launcherExe.toUtf8()));
        XdgLoginItems items = f.items();
        QCOMPARE(items.status(LoginService::loginItem(kLauncherId)), LoginServiceStatus::NotRegistered);
        QCOMPARE(onDemand(items, kLauncherId), std::optional<bool>(false));
        QVERIFY(items.setLoginItemEnabled(kLauncherId, true));
        QCOMPARE(items.status(LoginService::loginItem(kLauncherId)), LoginServiceStatus::Enabled);
        QVERIFY(readFile(f.entry(kLauncherId)).contains(f.launcherExe.toUtf8()));
    }

    void servicesWithoutAProgramAreNotFound_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("main");
        QTest::addColumn<QString>("identifier");
        QTest::newRow("no launcher inside the application") << "no launcher" << false << kLauncherId;
        QTest::newRow("unknown login item") << "" << false << "com.example.unknown";
        QTest::newRow("identifier that leaves the folder") << "" << false << "../../escape";
        QTest::newRow("hidden file") << "" << false << ".escape";
        QTest::newRow("main bundle without identifier") << "no identifier" << true << "";
        QTest::newRow("main bundle without executable") << "no executable" << true << "";
        QTest::newRow("not running from a bundle, launcher") << "no bundle" << false << kLauncherId;
        QTest::newRow("not running from a bundle, main") << "no bundle" << true << "";
    }

    void servicesWithoutAProgramAreNotFound()
    {
        QFETCH(QString, setup);
        QFETCH(bool, main);
        QFETCH(QString, identifier);
        Fixture f;
        if (setup == "no launcher")
            QVERIFY(QDir(f.app + "/Contents/Library").removeRecursively());
        if (setup == "no identifier")
            makeBundle(f.app, QString(), QStringLiteral("Quenby"));
        if (setup == "no executable")
            QVERIFY(QFile::remove(f.appExe));
        // The test runs outside any bundle, so the default main bundle is none.
        XdgLoginItems items = setup == "no bundle" ? XdgLoginItems({}, f.autostart) : f.items();
        const LoginService service = main ? LoginService::mainApp() : LoginService::loginItem(identifier);

        QCOMPARE(items.status(service), LoginServiceStatus::NotFound);
        const auto result = items.registerService(service);
        QVERIFY(!result);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(!QDir(f.autostart).exists() || QDir(f.autostart).isEmpty());
        QVERIFY(!QFile::exists(f.root.path() + "/escape.desktop"));
    }

    void jobDictionariesListEveryEntry()
    {
        const Fixture f;
        XdgLoginItems items = f.items();
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(Value(Value::Array {})));
        writeFile(f.autostart + "/org.example.Tool.desktop",
            "[Desktop Entry]\nType=Application\nName=Tool\nExec=/bin/true\n");
        writeFile(f.autostart + "/notes.txt", "not an entry");
        QVERIFY(items.setLoginItemEnabled(kLauncherId, true));

        const auto job = [](const char *label, bool on) {
            return Value(Value::Dictionary { { "Label", Value(label) }, { "OnDemand", Value(on) } });
        };
        const Value expected(Value::Array { job("com.velmorn.quenbylauncher", true), job("org.example.Tool", false) });
        QCOMPARE(items.jobDictionaries(), std::optional<Value>(expected));
    }

    void autostartFolderFollowsTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << QByteArray("/tmp/cfg") << "/tmp/cfg/autostart";
        QTest::newRow("unset") << QByteArray() << QDir::homePath() + "/.config/autostart";
        QTest::newRow("relative is ignored") << QByteArray("cfg") << QDir::homePath() + "/.config/autostart";
    }

    void autostartFolderFollowsTheEnvironment()
    {
        QFETCH(QByteArray, configHome);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        if (configHome.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", configHome);
        const XdgLoginItems items;
        if (wasSet)
            qputenv("XDG_CONFIG_HOME", saved);
        else
            qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(items.autostartDirectory(), expected);
    }
};

QTEST_GUILESS_MAIN(XdgLoginItemsTest)
#include "xdgloginitems_test.moc"
