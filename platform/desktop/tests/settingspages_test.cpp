#include "../src/settingspages_p.h"
#include "platform/desktop/fileicons.h"

#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using settingspages::Desktop;

class SettingsPagesTest : public QObject {
    Q_OBJECT
private slots:
    void pages_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("page"); // "-" for none
        const QString p = "x-apple.systempreferences:";
        QTest::newRow("settings as a whole") << "x-apple.systempreferences:"
                                             << "";
        QTest::newRow("scheme name without colon is no URL of it") << "x-apple.systempreferences"
                                                                   << "-";
        QTest::newRow("notifications") << p + "com.apple.preference.notifications"
                                       << "notifications";
        QTest::newRow("privacy overview") << p + "com.apple.preference.security?Privacy"
                                          << "privacy";
        QTest::newRow("privacy and security") << p + "com.apple.settings.PrivacySecurity.extension"
                                              << "privacy";
        QTest::newRow("sharing") << p + "com.apple.Sharing-Settings.extension"
                                 << "sharing";
        QTest::newRow("camera") << p + "com.apple.preference.security?Privacy_Camera"
                                << "camera";
        QTest::newRow("microphone") << p + "com.apple.preference.security?Privacy_Microphone"
                                    << "microphone";
        QTest::newRow("location") << p + "com.apple.preference.security?Privacy_LocationServices"
                                  << "location";
        QTest::newRow("diagnostics") << p + "com.apple.preference.security?Privacy_Diagnostics"
                                     << "diagnostics";
        QTest::newRow("full disk access has no page") << p + "com.apple.preference.security?Privacy_AllFiles"
                                                      << "-";
        QTest::newRow("contacts have no page") << p + "com.apple.preference.security?Privacy_Contacts"
                                               << "-";
        QTest::newRow("anchor case matters") << p + "com.apple.preference.security?privacy_camera"
                                             << "-";
        QTest::newRow("unknown pane") << p + "com.apple.preference.battery"
                                      << "-";
        QTest::newRow("privacy pane file") << "file:///System/Library/PreferencePanes/Privacy.prefPane"
                                           << "privacy";
        QTest::newRow("sharing pane file") << "file:///System/Library/PreferencePanes/SharingPref.prefPane"
                                           << "sharing";
        QTest::newRow("other pane file") << "file:///System/Library/PreferencePanes/Displays.prefPane"
                                         << "-";
        QTest::newRow("web page") << "https://velmorn.example/"
                                  << "-";
        QTest::newRow("ordinary file") << "file:///home/bob/Privacy.prefPane"
                                       << "-";
    }

    void pages()
    {
        QFETCH(QString, url);
        QFETCH(QString, page);
        const std::optional<QString> found = settingspages::pageFor(QUrl(url));
        QCOMPARE(found.value_or("-"), page);
    }

    void settingsUrlsAreRecognised()
    {
        QVERIFY(settingspages::isSettingsUrl(QUrl("x-apple.systempreferences:com.apple.preference.battery")));
        QVERIFY(settingspages::isSettingsUrl(QUrl("file:///System/Library/PreferencePanes/Displays.prefPane")));
        QVERIFY(!settingspages::isSettingsUrl(QUrl("file:///home/bob/notes.txt")));
        QVERIFY(!settingspages::isSettingsUrl(QUrl("https://velmorn.example/")));
    }

    void commands_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<Desktop>("desktop");
        QTest::addColumn<QStringList>("command"); // empty for none
        QTest::newRow("gnome: whole") << "" << Desktop::Gnome << QStringList { "gnome-control-center" };
        QTest::newRow("gnome: sharing") << "sharing" << Desktop::Gnome
                                        << QStringList { "gnome-control-center", "sharing" };
        QTest::newRow("kde: whole") << "" << Desktop::Kde << QStringList { "systemsettings" };
        QTest::newRow("kde: notifications")
            << "notifications" << Desktop::Kde << QStringList { "systemsettings", "kcm_notifications" };
        QTest::newRow("kde: no privacy page") << "privacy" << Desktop::Kde << QStringList {};
        QTest::newRow("unknown page") << "battery" << Desktop::Gnome << QStringList {};
    }

    void commands()
    {
        QFETCH(QString, page);
        QFETCH(Desktop, desktop);
        QFETCH(QStringList, command);
        QCOMPARE(settingspages::commandFor(page, desktop).value_or(QStringList {}), command);
    }

    void settingsIconsStandForTheSettings()
    {
        QCOMPARE(FileIcons::iconNamesForFile("/System/Applications/System Settings.app").value(0),
            QString("preferences-system"));
        QCOMPARE(FileIcons::iconNamesForFile("/System/Library/PreferencePanes/SharingPref.prefPane").value(0),
            QString("preferences-system-sharing"));
        QVERIFY(FileIcons::iconForFile("/System/Library/PreferencePanes/SharingPref.prefPane").hasContent());
    }

    void fileIconsFollowTheContent()
    {
        QTemporaryDir dir;
        QVERIFY(FileIcons::iconNamesForFile(dir.path()).contains("folder"));
        QVERIFY(FileIcons::iconNamesForFile(dir.filePath("missing")).isEmpty());
        QCOMPARE(FileIcons::iconNamesForContentType("text/plain").value(0), QString("text-plain"));
        QVERIFY(FileIcons::iconNamesForContentType("no/such-type").isEmpty());
        // Without a theme icon a drawn picture stands in.
        const ui::Image unknown = FileIcons::iconForContentType("no/such-type");
        QVERIFY(unknown.hasContent());
        QCOMPARE(unknown.size(), (ui::Size { 32, 32 }));
        QVERIFY(FileIcons::iconForFileType("txt").hasContent());
    }
};

QTEST_MAIN(SettingsPagesTest)
#include "settingspages_test.moc"
