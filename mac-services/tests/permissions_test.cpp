#include "../src/permissionprobes_p.h"
#include "olvane/permissions.h"
#include "olvane/systemroot.h"
#include "olvane/systemsettings.h"

#include <platform/core/systemversion.h>
#include <platform/desktop/memoryworkspace.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace olvane;
using permissionprobes::Listing;
using permissionprobes::UnderlyingError;

Q_DECLARE_METATYPE(olvane::PrivacyPage)
Q_DECLARE_METATYPE(olvane::SystemSettingsPage)

namespace {
// What the scripted lister answers for a folder: "ok", "eperm", "eacces", "bare" (no underlying error)
// or "other" (an error of another domain with code 1).
Listing outcome(const QString &kind)
{
    if (kind == "eperm")
        return { false, UnderlyingError { permissionprobes::kPosixDomain, EPERM } };
    if (kind == "eacces")
        return { false, UnderlyingError { permissionprobes::kPosixDomain, EACCES } };
    if (kind == "bare")
        return { false, std::nullopt };
    if (kind == "other")
        return { false, UnderlyingError { "NSCocoaErrorDomain", 1 } };
    return {};
}
}

class PermissionsTest : public QObject {
    Q_OBJECT
private slots:
    void rawValuesRoundTrip()
    {
        const QStringList expected { "Privacy", "Privacy_Accessibility", "Privacy_AllFiles", "Privacy_Assistive",
            "Privacy_Calendars", "Privacy_Camera", "Privacy_Contacts", "Privacy_Diagnostics", "Privacy_LinkedIn",
            "Privacy_LocationServices", "Privacy_Microphone", "Privacy_Reminders", "Privacy_SystemServices" };
        QSet<PrivacyPage> pages;
        for (int i = 0; i < expected.size(); ++i) {
            const auto page = PrivacyPage(i);
            QCOMPARE(rawValue(page), expected.at(i));
            QCOMPARE(privacyPageFromRawValue(expected.at(i)), std::optional<PrivacyPage>(page));
            pages.insert(page);
        }
        QCOMPARE(pages.size(), 13);
        QCOMPARE(privacyPageFromRawValue("Privacy_AllFiles"), std::optional<PrivacyPage>(PrivacyPage::allFiles));
    }

    void unknownRawValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("other letter case") << "privacy_allfiles";
        QTest::newRow("empty") << "";
        QTest::newRow("padded") << " Privacy";
        QTest::newRow("anchor without prefix") << "AllFiles";
    }

    void unknownRawValues()
    {
        QFETCH(QString, text);
        QCOMPARE(privacyPageFromRawValue(text), std::nullopt);
    }

    void settingsUrls_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("url");
        const QString security = "x-apple.systempreferences:com.apple.preference.security?";
        QTest::newRow("notifications") << "notifications"
                                       << "x-apple.systempreferences:com.apple.preference.notifications";
        QTest::newRow("privacy has no underscore") << "privacy" << security + "Privacy";
        QTest::newRow("full disk access") << "allFiles" << security + "Privacy_AllFiles";
        QTest::newRow("location") << "LocationServices" << security + "Privacy_LocationServices";
    }

    void settingsUrls()
    {
        QFETCH(QString, which);
        QFETCH(QString, url);
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        if (which == "notifications")
            Permissions::openNotificationSettings();
        else if (which == "privacy")
            Permissions::openPrivacySettings(PrivacyPage::privacy);
        else if (which == "allFiles")
            Permissions::openPrivacySettings(PrivacyPage::allFiles);
        else
            Permissions::openPrivacySettings(PrivacyPage::LocationServices);
        QCOMPARE(workspace.openedUrls().size(), 1);
        QCOMPARE(workspace.openedUrls().first().toString(), url);
    }

    void otherUsersHomes_data()
    {
        QTest::addColumn<QByteArray>("passwd");
        QTest::addColumn<QStringList>("homes");
        const QByteArray system = "root:x:0:0:root:/root:/bin/bash\n"
                                  "daemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n"
                                  "nobody:x:65534:65534:nobody:/nonexistent:/usr/sbin/nologin\n";
        QTest::newRow("system accounts are no people") << system << QStringList();
        QTest::newRow("own account left out") << system + "me:x:1500:1500::/home/me:/bin/sh\n" << QStringList();
        QTest::newRow("others, three levels deep too") << system
                + "bob:x:1000:1000:Bob,,,:/home/bob:/bin/bash\n"
                  "alice:x:1001:1001::/home/staff/alice/:/bin/zsh\n"
                                                       << QStringList { "/home/bob/", "/home/staff/alice/" };
        QTest::newRow("damaged lines are skipped") << QByteArray(
            "carol:x:1002\nerin:x:abc:1:: /home/erin:/bin/sh\ndave:x:1003:1003::relative:/bin/sh\n"
            "frank:x:1004:1004::/:/bin/sh\n") << QStringList();
    }

    void otherUsersHomes()
    {
        QFETCH(QByteArray, passwd);
        QFETCH(QStringList, homes);
        QCOMPARE(permissionprobes::otherUsersHomes(passwd, 1500), homes);
    }

    void listingVerdict_data()
    {
        // Folders a, b, c; "-" for a folder that does not exist, "file" for a plain file, "open" for a
        // folder everybody may list; the others are closed to other users and answer as scripted.
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<bool>("verdict");
        QTest::addColumn<int>("listed");
        QTest::newRow("nothing exists: nothing listed") << QStringList { "-", "-", "-" } << false << 0;
        QTest::newRow("plain files are skipped") << QStringList { "file", "file", "-" } << false << 0;
        QTest::newRow("folders open to everybody prove nothing") << QStringList { "open", "open" } << false << 0;
        QTest::newRow("one listable folder") << QStringList { "-", "ok", "-" } << true << 1;
        QTest::newRow("a later refusal wins") << QStringList { "ok", "eacces", "ok" } << false << 2;
        QTest::newRow("EPERM is a refusal too") << QStringList { "ok", "eperm" } << false << 2;
        QTest::newRow("no underlying error counts as access") << QStringList { "bare" } << true << 1;
        QTest::newRow("another domain counts as access") << QStringList { "other", "-" } << true << 1;
        QTest::newRow("a refusal first stops at once") << QStringList { "eacces", "ok" } << false << 1;
    }

    void listingVerdict()
    {
        QFETCH(QStringList, kinds);
        QFETCH(bool, verdict);
        QFETCH(int, listed);
        QTemporaryDir root;
        QStringList folders;
        QHash<QString, QString> script;
        for (int i = 0; i < kinds.size(); ++i) {
            const QString path = root.path() + QString("/Folder%1").arg(i);
            folders << path + "/";
            if (kinds.at(i) == "file") {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
            } else if (kinds.at(i) != "-") {
                QVERIFY(QDir().mkpath(path));
                const bool open = kinds.at(i) == "open";
                QVERIFY(QFile::setPermissions(path,
                    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                        | (open ? QFile::ReadOther | QFile::ExeOther : QFile::Permissions())));
                script.insert(path, kinds.at(i));
            }
        }
        QStringList asked;
        const bool answer = permissionprobes::canListFolders(folders, [&](const QString &path) {
            asked << path;
            return outcome(script.value(path, "ok"));
        });
        QCOMPARE(answer, verdict);
        QCOMPARE(asked.size(), listed);
    }

    void theRealProbesLookBelowTheSystemRoot()
    {
        QTemporaryDir root;
        const olvane::ScopedSystemRoot guard(root.path());
        QVERIFY(!Permissions::canListProtectedFolders());
        QVERIFY(!Permissions::canReadPrivacyDatabase());

        // Another person's home, closed to others, named by the password file of the tree.
        QVERIFY(QDir().mkpath(root.path() + "/etc"));
        QFile passwd(root.path() + "/etc/passwd");
        QVERIFY(passwd.open(QIODevice::WriteOnly));
        passwd.write("root:x:0:0:root:/root:/bin/bash\nzoe:x:4242:4242::/home/zoe:/bin/sh\n");
        passwd.close();
        QVERIFY(Permissions::protectedFolders().contains("/home/zoe/"));
        QVERIFY(QDir().mkpath(root.path() + "/home/zoe"));
        QVERIFY(QFile::setPermissions(root.path() + "/home/zoe", QFile::ReadOwner | QFile::ExeOwner));
        // The tree's folders are the test's own, so the listing succeeds.
        QVERIFY(Permissions::canListProtectedFolders());

        QFile shadow(root.path() + "/etc/shadow");
        QVERIFY(shadow.open(QIODevice::WriteOnly));
        shadow.close();
        QVERIFY(QFile::setPermissions(shadow.fileName(), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(Permissions::canReadPrivacyDatabase()); // the tree's files are the test's own
    }

    void readingAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable");
        QTest::newRow("empty file") << "empty" << true;
        QTest::newRow("file with contents") << "full" << true;
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("folder") << "folder" << false;
    }

    void readingAFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        QTemporaryDir dir;
        const QString path = dir.filePath("TCC.db");
        if (kind == "empty" || kind == "full") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == "full")
                file.write("SQLite format 3");
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        }
        QCOMPARE(permissionprobes::canReadFile(path), readable);
    }

    void settingsPages_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<SystemSettingsPage>("page");
        QTest::addColumn<QUrl>("url");
        const QString s = "x-apple.systempreferences:";
        const QString panes = "/System/Library/PreferencePanes/";
        QTest::newRow("13: privacy") << 13 << SystemSettingsPage::privacy
                                     << QUrl(s + "com.apple.settings.PrivacySecurity.extension");
        QTest::newRow("13: sharing") << 13 << SystemSettingsPage::sharing
                                     << QUrl(s + "com.apple.Sharing-Settings.extension");
        QTest::newRow("13: full disk access")
            << 13 << SystemSettingsPage::fullDiskAccess << QUrl(s + "com.apple.preference.security?Privacy_AllFiles");
        QTest::newRow("12: privacy") << 12 << SystemSettingsPage::privacy
                                     << QUrl::fromLocalFile(panes + "Privacy.prefPane");
        QTest::newRow("12: full disk access is the privacy pane")
            << 12 << SystemSettingsPage::fullDiskAccess << QUrl::fromLocalFile(panes + "Privacy.prefPane");
        QTest::newRow("12: sharing") << 12 << SystemSettingsPage::sharing
                                     << QUrl::fromLocalFile(panes + "SharingPref.prefPane");
    }

    void settingsPages()
    {
        QFETCH(int, major);
        QFETCH(SystemSettingsPage, page);
        QFETCH(QUrl, url);
        platform::ScopedSystemVersion version(major);
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        SystemSettings::openPage(page);
        QCOMPARE(workspace.openedUrls(), QList<QUrl> { url });
        QCOMPARE(url.isLocalFile(), major < 13);
    }

    void settingsAsAWhole()
    {
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        SystemSettings::open();
        QCOMPARE(workspace.openedUrls().size(), 1);
        QCOMPARE(workspace.openedUrls().first().scheme(), QString("x-apple.systempreferences"));
    }

    void settingsIcon()
    {
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        SystemSettings::icon();
        {
            platform::ScopedSystemVersion older(12, 6);
            SystemSettings::icon();
        }
        QCOMPARE(workspace.iconRequests(),
            (QStringList {
                "/System/Applications/System Settings.app", "/System/Library/PreferencePanes/SharingPref.prefPane" }));
    }
};

QTEST_GUILESS_MAIN(PermissionsTest)
#include "permissions_test.moc"
