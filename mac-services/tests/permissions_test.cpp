#include "../src/permissionprobes_p.h"
#include "olvane/permissions.h"
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

    void protectedFolders()
    {
        const QStringList &folders = Permissions::protectedFolders();
        QCOMPARE(folders.size(), 8);
        QCOMPARE(folders.first(), QString("~/Library/Application Support/com.apple.TCC/"));
        QCOMPARE(folders.last(), QString("~/Library/Safari/"));
        for (const QString &folder : folders)
            QVERIFY(folder.startsWith("~/") && folder.endsWith('/'));
    }

    void listingVerdict_data()
    {
        // Folders a, b, c under the home; "-" for a folder that does not exist, "file" for a plain file.
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<bool>("verdict");
        QTest::addColumn<int>("listed");
        QTest::newRow("nothing exists: nothing listed") << QStringList { "-", "-", "-" } << false << 0;
        QTest::newRow("plain files are skipped") << QStringList { "file", "file", "-" } << false << 0;
        QTest::newRow("one listable folder") << QStringList { "-", "ok", "-" } << true << 1;
        QTest::newRow("a later EPERM wins") << QStringList { "ok", "eperm", "ok" } << false << 2;
        QTest::newRow("EACCES counts as access") << QStringList { "eacces", "ok", "-" } << true << 2;
        QTest::newRow("no underlying error counts as access") << QStringList { "bare" } << true << 1;
        QTest::newRow("another domain counts as access") << QStringList { "other", "-" } << true << 1;
        QTest::newRow("EPERM first stops at once") << QStringList { "eperm", "ok" } << false << 1;
    }

    void listingVerdict()
    {
        QFETCH(QStringList, kinds);
        QFETCH(bool, verdict);
        QFETCH(int, listed);
        QTemporaryDir home;
        QStringList folders;
        QHash<QString, QString> script;
        for (int i = 0; i < kinds.size(); ++i) {
            const QString name = QString("Folder%1").arg(i);
            folders << "~/Library/" + name + "/";
            const QString path = home.path() + "/Library/" + name;
            if (kinds.at(i) == "file") {
                QDir().mkpath(home.path() + "/Library");
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
            } else if (kinds.at(i) != "-") {
                QVERIFY(QDir().mkpath(path));
                script.insert(path, kinds.at(i));
            }
        }
        QStringList asked;
        const bool answer = permissionprobes::canListFolders(folders, home.path(), [&](const QString &path) {
            asked << path;
            return outcome(script.value(path, "ok"));
        });
        QCOMPARE(answer, verdict);
        QCOMPARE(asked.size(), listed);
    }

    void theRealProbeLooksUnderTheHome()
    {
        QTemporaryDir home;
        const QByteArray previous = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        const bool withoutFolders = Permissions::canListProtectedFolders();
        QDir().mkpath(home.path() + "/Library/Cookies");
        const bool withCookies = Permissions::canListProtectedFolders();
        qputenv("HOME", previous);
        QVERIFY(!withoutFolders);
        QVERIFY(withCookies);
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
