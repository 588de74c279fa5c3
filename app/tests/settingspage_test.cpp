#include "apptestsupport.h"
#include "quenby/modetileview.h"
#include "quenby/settingsviewcontroller.h"

#include <olvane/iautostartcontroller.h>
#include <pirrow/simpletileview.h>
#include <platform/core/notificationcenter.h>
#include <platform/core/timer.h>
#include <platform/desktop/memoryusernotificationcenter.h>
#include <platform/desktop/usernotificationcenter.h>
#include <platform/ui/alert.h>
#include <platform/ui/image.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

/// Closes every alert that shows up while it lives and keeps their titles.
struct AlertCatcher {
    QStringList titles;
    QTimer timer;
    AlertCatcher()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *alert = platform::ui::Alert::active()) {
                titles << alert->messageText();
                alert->done(platform::ui::Alert::kFirstButtonResponse);
            }
        });
        timer.start();
    }
};

/// Start at login as the test sees it.
class RecordingAutoStart final : public olvane::IAutoStartController {
public:
    bool isEnabled() const override { return enabled; }
    void takeOverFromLauncher() override { }
    void setEnabled(bool on) override { enabled = on; }
    void enable() override { enabled = true; }
    void disable() override { enabled = false; }
    bool enabled = false;
};

/// The application's controller with a start-at-login controller the test reads.
class AutoStartController final : public quenby::IController {
public:
    explicit AutoStartController(quenby::IController &real)
        : m_real(real)
    {
    }
    ammerl::IInternalFinder &internalFinder() const override { return m_real.internalFinder(); }
    olvane::IAutoStartController &autoStart() const override { return start; }
    const std::vector<quenby::Observer *> &observers() const override { return m_real.observers(); }
    quenby::IDataModel &model() const override { return m_real.model(); }
    olvane::IMenuBarItemController &menuBar() const override { return m_real.menuBar(); }
    const ammerl::InternalBattery *internalBattery() const override { return m_real.internalBattery(); }
    const quenby::SampleRing &consumption() const override { return m_real.consumption(); }
    const quenby::SampleRing &acConsumption() const override { return m_real.acConsumption(); }
    double maxConsumption() const override { return m_real.maxConsumption(); }
    void refresh() override { m_real.refresh(); }
    void addObserver(quenby::Observer *observer) override { m_real.addObserver(observer); }
    void removeObserver(quenby::Observer *observer) override { m_real.removeObserver(observer); }
    mutable RecordingAutoStart start;

private:
    quenby::IController &m_real;
};

} // namespace

Q_DECLARE_METATYPE(SwitchOf)

namespace {

QImage pictureOf(const quenby::ModeTileView *tile)
{
    const auto image = tile->picture()->image();
    return image ? image->bitmap(2.0) : QImage();
}

// More than one colour: something was drawn on the strip.
bool drawn(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.pixel(x, y) != pixels.pixel(0, 0))
                return true;
    return false;
}

} // namespace

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

    void eachTilePicturesItsModeWithACaption()
    {
        PageRig rig([] { Settings::setAppMode(1); });
        const quenby::ModeTileView *tiles[4] = { qobject_cast<quenby::ModeTileView *>(rig.page.tileCompact()),
            qobject_cast<quenby::ModeTileView *>(rig.page.tileIconAndText()),
            qobject_cast<quenby::ModeTileView *>(rig.page.tileAppIcon()),
            qobject_cast<quenby::ModeTileView *>(rig.page.tileVertical()) };
        QSet<QString> captions;
        QList<QImage> pictures;
        for (const auto *tile : tiles) {
            QVERIFY(tile);
            const QString caption = tile->caption()->stringValue();
            QVERIFY(!caption.isEmpty());
            captions << caption;
            const QImage picture = pictureOf(tile);
            QVERIFY(drawn(picture));
            for (const QImage &other : std::as_const(pictures))
                QVERIFY(picture != other);
            pictures << picture;
            // Picture and caption lie inside the tile, the picture above the caption.
            const auto frame = tile->picture()->frame();
            QVERIFY(frame.minX() >= 0 && frame.maxX() <= tile->bounds().maxX() && frame.maxY() <= tile->bounds().maxY());
            QVERIFY(tile->picture()->frame().minY() >= tile->caption()->frame().maxY());
            QVERIFY(!tile->picture()->imageRect().isEmpty());
            // The strip has an edge of its own, so a light bar does not melt into a light tile.
            const QColor edge = picture.pixelColor(picture.width() / 2, 1);
            const QColor inside = picture.pixelColor(6, picture.height() / 2);
            QVERIFY2(std::abs(edge.lightness() - inside.lightness()) >= 15, qPrintable(caption));
        }
        QCOMPARE(captions.size(), 4);
        // The application icon alone is the narrowest status bar.
        for (int mode : { 0, 1, 3 })
            QVERIFY(pictures[2].width() < pictures[mode].width());
        // Drawing the other modes neither changed nor stored the chosen one.
        QCOMPARE(Settings::appMode(), 1);
        QCOMPARE(platform::UserDefaults::standard().integer(QString::fromLatin1(quenby::kAppModeKey)), 1);
    }

    void thePicturesFollowTheLookSwitches()
    {
        PageRig rig;
        auto *compact = qobject_cast<quenby::ModeTileView *>(rig.page.tileCompact());
        auto *appIcon = qobject_cast<quenby::ModeTileView *>(rig.page.tileAppIcon());
        const QImage compactBefore = pictureOf(compact), appIconBefore = pictureOf(appIcon);
        rig.page.switchBars()->click();
        QVERIFY(pictureOf(compact) != compactBefore);
        QCOMPARE(pictureOf(appIcon), appIconBefore);
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
        QTest::newRow("notifications") << &SettingsViewController::batteryAlert << quenby::kEnableNotificationsKey << 0;
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

    // The imperial switch has a label of its own; it must read like the other switches: box at their x, its
    // text right of the box, and a click on the text flips it and stores the choice.
    void imperialRowReadsLikeTheOtherSwitches()
    {
        PageRig rig;
        rig.page.resize(820, 560);
        QVERIFY(QTest::qWaitForWindowExposed(&rig.page));
        QCheckBox *box = rig.page.switchImperial();
        QLabel *label = rig.page.labelImperial();
        const int column = rig.page.batteryAlert()->mapTo(&rig.page, QPoint(0, 0)).x();
        QCOMPARE(box->mapTo(&rig.page, QPoint(0, 0)).x(), column);
        QVERIFY(label->mapTo(&rig.page, QPoint(0, 0)).x() >= box->mapTo(&rig.page, QPoint(box->width(), 0)).x());
        const bool before = Settings::imperial();
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(box->isChecked(), !before);
        QCOMPARE(platform::UserDefaults::standard().boolean(QString::fromLatin1(quenby::kImperialKey)), !before);
        // The button asking for notifications is a button, not a bar across the page.
        QVERIFY2(rig.page.authorizeButton()->width() < rig.page.width() / 2,
            qPrintable(QString::number(rig.page.authorizeButton()->width())));
    }

    void startAtLoginGoesToTheController()
    {
        PageRig rig;
        AutoStartController controller(rig.app.controller());
        controller.start.enabled = true;
        rig.page.setController(&controller);
        rig.page.hide();
        rig.page.show();
        QVERIFY(rig.page.switchAutoLogin()->isChecked());
        rig.page.switchAutoLogin()->click();
        QVERIFY(!controller.start.enabled);
        // The switch follows what the controller reports, not what was clicked.
        controller.start.enabled = true;
        rig.page.updateControls();
        QVERIFY(rig.page.switchAutoLogin()->isChecked());
        rig.page.setController(&rig.app.controller());
    }

    void permissionRequest_data()
    {
        QTest::addColumn<bool>("grants");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<int>("settingsOpened");
        QTest::newRow("granted") << true << false << false << 0;
        QTest::newRow("refused") << false << false << true << 0;
        QTest::newRow("failed") << false << true << true << 1;
    }
    void permissionRequest()
    {
        QFETCH(bool, grants);
        QFETCH(bool, fails);
        QFETCH(bool, alert);
        QFETCH(int, settingsOpened);
        PageRig rig;
        rig.notifications.setUserGrants(grants);
        if (grants)
            rig.notifications.setAlertStyle(platform::AlertStyle::Banner);
        if (fails)
            rig.notifications.setAuthorizationError(platform::UserNotificationError { QStringLiteral("denied"), {} });
        const bool notificationsBefore = Settings::enableNotifications();
        AlertCatcher catcher;
        rig.page.authorizeButton()->click();
        platform::MainQueue::drain();
        QCOMPARE(catcher.titles.isEmpty(), !alert);
        if (alert)
            QCOMPARE(catcher.titles,
                QStringList { platform::localized(QStringLiteral("QuenbyApp"), QStringLiteral("PERMISSIONS_TITLE")) });
        QCOMPARE(rig.app.workspace.openedUrls().size(), settingsOpened);
        QCOMPARE(rig.page.authorizeButton()->isVisible(), !grants);
        QCOMPARE(Settings::enableNotifications(), notificationsBefore);
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
