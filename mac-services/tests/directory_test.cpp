#include "../src/directory_p.h"
#include "olvane/directory.h"

#include <platform/desktop/workspace.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using olvane::Directory;

namespace {
// Sets (or, with an empty value, clears) an environment variable for the lifetime of the guard.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name))
    {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_previous;
};
}

class DirectoryTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_homePath;
    std::unique_ptr<olvane::directory::ScopedAccountHome> m_account;
    std::unique_ptr<ScopedEnv> m_envHome, m_config, m_cache, m_data, m_state;

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        // A home three levels down, as on machines that group their users' folders.
        m_homePath = m_root.path() + "/staff/alice";
        QVERIFY(QDir().mkpath(m_homePath));
        m_account = std::make_unique<olvane::directory::ScopedAccountHome>(m_homePath);
        m_envHome = std::make_unique<ScopedEnv>("HOME", QFile::encodeName(m_homePath));
        m_config = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", QByteArray());
        m_cache = std::make_unique<ScopedEnv>("XDG_CACHE_HOME", QByteArray());
        m_data = std::make_unique<ScopedEnv>("XDG_DATA_HOME", QByteArray());
        m_state = std::make_unique<ScopedEnv>("XDG_STATE_HOME", QByteArray());
    }

    void realHome_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three levels stay whole") << "/home/staff/alice"
                                                 << "/home/staff/alice"
                                                 << "/home/staff/alice";
        QTest::newRow("sandbox home below the real one") << "/home/bob/.var/app/org.x/data"
                                                         << "/home/bob"
                                                         << "/home/bob";
        QTest::newRow("a changed HOME is not the user's folder") << "/tmp/elsewhere"
                                                                 << "/var/lib/carol"
                                                                 << "/var/lib/carol";
        QTest::newRow("account home is cleaned") << "/x"
                                                 << "//home//bob/"
                                                 << "/home/bob";
        QTest::newRow("no account: the process's home") << "/home/staff/alice/"
                                                        << ""
                                                        << "/home/staff/alice";
        QTest::newRow("relative texts count for nothing") << "alice"
                                                          << "staff/alice"
                                                          << "/home/login";
        QTest::newRow("nothing at all: the login's folder") << ""
                                                            << ""
                                                            << "/home/login";
    }

    void realHome()
    {
        QFETCH(QString, home);
        QFETCH(QString, account);
        QFETCH(QString, expected);
        QCOMPARE(olvane::directory::realHome(home, account, "login"), expected);
    }

    void theUserFolderComesFromThePasswordDatabase()
    {
        // Without the test's stand-in the password database itself answers, whatever HOME says.
        const QString previous = m_homePath;
        m_account.reset();
        const passwd *entry = ::getpwuid(::getuid());
        QVERIFY(entry && entry->pw_dir);
        const QString expected = QDir::cleanPath(QString::fromLocal8Bit(entry->pw_dir));
        QVERIFY(expected != m_homePath);
        QCOMPARE(Directory::path(Directory::user), expected);
        QCOMPARE(Directory::path(Directory::caches), expected + "/.cache");
        m_account = std::make_unique<olvane::directory::ScopedAccountHome>(previous);
    }

    void xdgVariablesMustBeAbsolute_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absolute") << "/srv/conf/"
                                  << "/srv/conf";
        QTest::newRow("relative is ignored") << "conf"
                                             << "/fallback";
        QTest::newRow("empty is ignored") << ""
                                          << "/fallback";
    }

    void xdgVariablesMustBeAbsolute()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(olvane::directory::xdgFolder(value, "/fallback"), expected);
    }

    void foldersBelowTheHome_data()
    {
        QTest::addColumn<int>("directory");
        QTest::addColumn<QString>("relative");
        QTest::newRow("user") << int(Directory::user) << "";
        QTest::newRow("library") << int(Directory::library) << "/.local";
        QTest::newRow("preferences") << int(Directory::preferences) << "/.config";
        QTest::newRow("caches") << int(Directory::caches) << "/.cache";
        QTest::newRow("applicationSupport") << int(Directory::applicationSupport) << "/.local/share";
        QTest::newRow("containers") << int(Directory::containers) << "/.var/app";
        QTest::newRow("savedState") << int(Directory::savedState) << "/.local/state";
        QTest::newRow("trash") << int(Directory::trash) << "/.local/share/Trash";
        QTest::newRow("appleMusicCache") << int(Directory::appleMusicCache) << "/.cache/com.apple.Music";
        QTest::newRow("safariCache is lower case") << int(Directory::safariCache) << "/.cache/com.apple.safari";
        QTest::newRow("spotifyCache") << int(Directory::spotifyCache) << "/.cache/com.spotify.client";
        QTest::newRow("mailAttachments") << int(Directory::mailAttachments)
                                         << "/.var/app/com.apple.mail/Data/Library/Mail Downloads";
        QTest::newRow("userLaunchAgents") << int(Directory::userLaunchAgents) << "/.config/autostart";
        QTest::newRow("userLaunchDaemons") << int(Directory::userLaunchDaemons) << "/.config/systemd/user";
        QTest::newRow("xcode") << int(Directory::xcode) << "/.local/Developer/Xcode";
        QTest::newRow("documents") << int(Directory::documents) << "/Documents";
        QTest::newRow("downloads") << int(Directory::downloads) << "/Downloads";
        QTest::newRow("safari") << int(Directory::safari) << "/.local/Safari";
        QTest::newRow("appleMapsCache") << int(Directory::appleMapsCache) << "/.var/app/com.apple.Maps";
    }

    void foldersBelowTheHome()
    {
        QFETCH(int, directory);
        QFETCH(QString, relative);
        const auto which = Directory::Case(directory);
        const QString expected = m_homePath + relative;
        QCOMPARE(Directory::path(which), expected);
        QVERIFY(Directory::url(which).isLocalFile());
        // Folders are folder URLs; the Safari folder alone is named by its text.
        QCOMPARE(Directory::url(which).path().endsWith('/'), which != Directory::safari);
        QCOMPARE(Directory::name(which), expected.section('/', -1));
    }

    void mailAttachmentsName() { QCOMPARE(Directory::name(Directory::mailAttachments), QString("Mail Downloads")); }

    void xdgVariablesMoveTheirFolders()
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/srv/config");
        ScopedEnv cache("XDG_CACHE_HOME", "relative/cache");
        QCOMPARE(Directory::path(Directory::preferences), QString("/srv/config"));
        QCOMPARE(Directory::path(Directory::userLaunchAgents), QString("/srv/config/autostart"));
        QCOMPARE(Directory::path(Directory::caches), m_homePath + "/.cache");
    }

    void userDirectoriesComeFromTheirFile()
    {
        QVERIFY(QDir(m_homePath).mkpath(".config"));
        QFile file(m_homePath + "/.config/user-dirs.dirs");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# written by xdg-user-dirs-update\n"
                   "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                   "XDG_DOWNLOAD_DIR=\"$HOME/\"\n");
        file.close();
        QCOMPARE(Directory::path(Directory::documents), m_homePath + "/Dokumente");
        // A user directory set to the home itself means "not set".
        QCOMPARE(Directory::path(Directory::downloads), m_homePath + "/Downloads");
        QVERIFY(file.remove());
    }

    void applicationsFollowTheApplicationsFolder()
    {
        platform::ScopedApplicationsFolder folder("/opt/apps");
        QCOMPARE(Directory::path(Directory::applications), QString("/opt/apps"));
        QCOMPARE(Directory::url(Directory::applications), QUrl::fromLocalFile("/opt/apps/"));
    }

    void everyCaseHasAPath()
    {
        const QList<Directory::Case> cases = Directory::allCases();
        QCOMPARE(cases.size(), 22);
        for (Directory::Case c : cases)
            QVERIFY2(QDir::isAbsolutePath(Directory::path(c)), qPrintable(QString::number(int(c))));
    }
};

QTEST_GUILESS_MAIN(DirectoryTest)
#include "directory_test.moc"
