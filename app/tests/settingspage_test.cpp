#include "apptestsupport.h"
#include "quenby/settingsviewcontroller.h"

#include <pirrow/simpletileview.h>
#include <platform/core/notificationcenter.h>
#include <platform/core/timer.h>
#include <platform/desktop/memoryusernotificationcenter.h>
#include <platform/desktop/usernotificationcenter.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace apptest;
using quenby::Settings;
using quenby::SettingsViewController;

namespace {

struct ModeChangedCounter {
    int count = 0;
    platform::NotificationCenter::Token token = platform::NotificationCenter::defaultCenter().addObserver(
        QStringLiteral("ModeChanged"), [this](const platform::Notification &) { ++count; });
    ~ModeChangedCounter() { platform::NotificationCenter::defaultCenter().removeObserver(token); }
};

/// A shown settings page on a fresh application; notifications not yet allowed.
struct PageRig {
    platform::MemoryUserNotificationCenter notifications;
    platform::ScopedUserNotificationCenter useNotifications { notifications };
    AppRig app;
    SettingsViewController page;
    explicit PageRig(const std::function<void()> &settings = {}, bool battery = true)
        : app(settings)
    {
        if (battery)
            app.internal->battery = apptest::battery(80);
        app.launch();
        page.setController(&app.controller());
        page.show();
        platform::MainQueue::drain();
    }
    std::uint8_t storedThreshold() const
    {
        return std::uint8_t(platform::UserDefaults::standard().integer(QString::fromLatin1(quenby::kThresholdKey)));
    }
};

using SwitchOf = QCheckBox *(SettingsViewController::*)() const;

} // namespace

Q_DECLARE_METATYPE(SwitchOf)

class SettingsPageTest : public QObject {
    Q_OBJECT

private slots:
    void tilesChooseTheDisplayMode_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<int>("mode");
        QTest::newRow("compact") << 0 << 0;
        QTest::newRow("icon and text") << 1 << 1;
        QTest::newRow("app icon") << 2 << 2;
        QTest::newRow("vertical") << 3 << 3;
    }
    void tilesChooseTheDisplayMode()
    {
        QFETCH(int, tile);
        QFETCH(int, mode);
        // Start from a mode other than the one chosen.
        PageRig rig([mode] { Settings::setAppMode(mode == 1 ? 3 : 1); });
        pirrow::SimpleTileView *tiles[4]
            = { rig.page.tileCompact(), rig.page.tileIconAndText(), rig.page.tileAppIcon(), rig.page.tileVertical() };
        QVERIFY(tiles[mode == 1 ? 3 : 1]->isSelected());
        ModeChangedCounter changed;
        rig.page.tileClicked(tiles[tile]);
        QCOMPARE(changed.count, 1);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(tiles[i]->isSelected(), i == tile);
        QCOMPARE(platform::UserDefaults::standard().integer(QString::fromLatin1(quenby::kAppModeKey)), mode);
        Settings::reload();
        QCOMPARE(Settings::appMode(), mode);
        QCOMPARE(rig.page.switchBars()->isEnabled(), mode == 0);
        QCOMPARE(rig.page.switchColored()->isEnabled(), mode == 0);
        QCOMPARE(rig.page.switchColoredVertical()->isEnabled(), mode == 3);
    }

    void switchesWriteTheirSetting_data()
    {
        QTest::addColumn<SwitchOf>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("posts");
        QTest::newRow("bars") << &SettingsViewController::switchBars << quenby::kBarModeKey << 1;
        QTest::newRow("level colours") << &SettingsViewController::switchColored << quenby::kUseLevelColorsKey << 1;
        QTest::newRow("vertical colours")
            << &SettingsViewController::switchColoredVertical << "UseVerticalColorsKey" << 1;
        QTest::newRow("single item") << &SettingsViewController::singleItem << quenby::kSingleItemKey << 1;
        QTest::newRow("imperial") << &SettingsViewController::switchImperial << quenby::kImperialKey << 0;
        QTest::newRow("notifications")
            << &SettingsViewController::batteryAlert << quenby::kEnableNotificationsKey << 0;
    }
    void switchesWriteTheirSetting()
    {
        QFETCH(SwitchOf, control);
        QFETCH(QString, key);
        QFETCH(int, posts);
        PageRig rig;
        QCheckBox *box = (rig.page.*control)();
        const bool before = box->isChecked();
        QCOMPARE(platform::UserDefaults::standard().boolean(key), before);
        ModeChangedCounter changed;
        box->setEnabled(true);
        box->click();
        QCOMPARE(platform::UserDefaults::standard().boolean(key), !before);
        QCOMPARE(changed.count, posts);
        box->click();
        QCOMPARE(platform::UserDefaults::standard().boolean(key), before);
        QCOMPARE(changed.count, 2 * posts);
    }

    void thresholdSegments_data()
    {
        QTest::addColumn<int>("segment");
        QTest::addColumn<int>("threshold");
        QTest::newRow("lowest") << 0 << 10;
        QTest::newRow("fifth") << 4 << 30;
        QTest::newRow("highest") << SettingsViewController::kThresholdSegments - 1 << 50;
    }
    void thresholdSegments()
    {
        QFETCH(int, segment);
        QFETCH(int, threshold);
        PageRig rig;
        ModeChangedCounter changed;
        rig.page.thresholds()->setCurrentIndex(segment);
        emit rig.page.thresholds()->activated(segment);
        QCOMPARE(int(rig.storedThreshold()), threshold);
        QCOMPARE(int(Settings::threshold()), threshold);
        QCOMPARE(changed.count, 0);
    }

    void storedThresholdSelectsItsSegment_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("segment");
        QTest::newRow("20") << 20 << 2;
        QTest::newRow("25") << 25 << 3;
        QTest::newRow("below every segment") << 5 << 0;
    }
    void storedThresholdSelectsItsSegment()
    {
        QFETCH(int, stored);
        QFETCH(int, segment);
        PageRig rig([stored] { Settings::setThreshold(std::uint8_t(stored)); });
        QCOMPARE(rig.page.thresholds()->currentIndex(), segment);
    }

    void imperialRowFollowsTheBattery_data()
    {
        QTest::addColumn<bool>("battery");
        QTest::newRow("laptop") << true;
        QTest::newRow("desktop") << false;
    }
    void imperialRowFollowsTheBattery()
    {
        QFETCH(bool, battery);
        PageRig rig({}, battery);
        rig.page.hide();
        rig.page.show();
        QCOMPARE(rig.page.switchImperial()->isVisible(), battery);
        QCOMPARE(rig.page.labelImperial()->isVisible(), battery);
        QCOMPARE(rig.page.lineImperial()->isVisible(), battery);
    }

    void authorizeButtonFollowsThePermissionWhileShown()
    {
        PageRig rig;
        QVERIFY(rig.page.authorizeButton()->isVisible());
        QVERIFY(rig.page.timer() && rig.page.timer()->isValid());
        rig.notifications.setAuthorizationStatus(platform::AuthorizationStatus::Authorized);
        rig.notifications.setAlertStyle(platform::AlertStyle::Banner);
        rig.page.timer()->fire();
        platform::MainQueue::drain();
        QVERIFY(!rig.page.authorizeButton()->isVisible());
        rig.page.hide();
        QVERIFY(!rig.page.timer());
    }
};

QTEST_MAIN(SettingsPageTest)
#include "settingspage_test.moc"
