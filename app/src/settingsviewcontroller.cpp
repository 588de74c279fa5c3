#include "quenby/settingsviewcontroller.h"

#include "localization_p.h"
#include "quenby/appnotifications.h"
#include "quenby/icontroller.h"
#include "quenby/modetileview.h"
#include "quenby/settings.h"
#include "viewhost_p.h"

#include <olvane/alert.h>
#include <olvane/iautostartcontroller.h>
#include <olvane/permissions.h>
#include <pirrow/simpletileview.h>
#include <pirrow/simpletileviewdelegate.h>
#include <platform/core/mainqueue.h>
#include <platform/core/timer.h>
#include <platform/core/userdefaults.h>
#include <tavrin/notifications.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

namespace quenby {

namespace {

    // Display mode of each tile, in the order of m_tiles.
    constexpr int kTileModes[4] = { 0, 1, 2, 3 };

    void modeChanged() { tavrin::Notifications::post(QString::fromLatin1(kModeChanged)); }

    void setOn(QCheckBox *box, bool on)
    {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }

} // namespace

class SettingsViewController::TileForwarder final : public pirrow::SimpleTileViewDelegate {
public:
    explicit TileForwarder(SettingsViewController *owner)
        : m_owner(owner)
    {
    }
    void tileClicked(pirrow::SimpleTileView *tile) override
    {
        if (m_owner)
            m_owner->tileClicked(tile);
    }
    void tileMouseEntered(pirrow::SimpleTileView *) override { }
    void tileMouseExited(pirrow::SimpleTileView *) override { }

private:
    QPointer<SettingsViewController> m_owner;
};

SettingsViewController::SettingsViewController(QWidget *parent)
    : Page(parent)
    , m_switchBars(new QCheckBox(localized(QStringLiteral("SHOW_BARS")), this))
    , m_switchColored(new QCheckBox(localized(QStringLiteral("LEVEL_COLORS")), this))
    , m_switchColoredVertical(new QCheckBox(localized(QStringLiteral("VERTICAL_COLORS")), this))
    , m_switchAutoLogin(new QCheckBox(localized(QStringLiteral("START_AT_LOGIN")), this))
    , m_switchImperial(new QCheckBox(this))
    , m_batteryAlert(new QCheckBox(localized(QStringLiteral("LOW_BATTERY_NOTIFICATIONS")), this))
    , m_singleItem(new QCheckBox(localized(QStringLiteral("SINGLE_ITEM")), this))
    , m_labelImperial(new QLabel(localized(QStringLiteral("IMPERIAL_UNITS")), this))
    , m_lineImperial(new QFrame(this))
    , m_thresholds(new QComboBox(this))
    , m_authorizeButton(new QPushButton(localized(QStringLiteral("ALLOW_NOTIFICATIONS")), this))
    , m_tileForwarder(std::make_shared<TileForwarder>(this))
{
    auto *layout = new QVBoxLayout(this);
    auto *tiles = new QHBoxLayout;
    for (auto &tile : m_tiles) {
        auto *host = new ViewHost<ModeTileView>(this);
        host->setFixedSize(int(ModeTileView::kWidth), int(ModeTileView::kHeight));
        tiles->addWidget(host);
        tile = host->view();
    }
    layout->addLayout(tiles);
    for (QCheckBox *box : { m_switchBars, m_switchColored, m_switchColoredVertical, m_singleItem })
        layout->addWidget(box);
    m_lineImperial->setFrameShape(QFrame::HLine);
    layout->addWidget(m_lineImperial);
    // The switch comes first, like every other switch of the page, at the check box's own distance from
    // its label; a click on the label flips it as a check box's own text would.
    auto *imperial = new QHBoxLayout;
    imperial->setSpacing(style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_switchImperial));
    imperial->addWidget(m_switchImperial);
    imperial->addWidget(m_labelImperial);
    imperial->addStretch(1);
    m_labelImperial->installEventFilter(this);
    layout->addLayout(imperial);
    layout->addWidget(m_batteryAlert);
    auto *threshold = new QHBoxLayout;
    threshold->addWidget(new QLabel(localized(QStringLiteral("THRESHOLD")), this));
    for (int segment = 0; segment < kThresholdSegments; ++segment)
        m_thresholds->addItem(QStringLiteral("%1 %").arg((segment + 2) * 5));
    threshold->addWidget(m_thresholds);
    threshold->addStretch(1);
    layout->addLayout(threshold);
    layout->addWidget(m_authorizeButton, 0, Qt::AlignLeft);
    layout->addWidget(m_switchAutoLogin);
    layout->addStretch(1);

    for (QCheckBox *box : { m_switchBars, m_switchColored, m_switchColoredVertical, m_singleItem, m_switchImperial,
             m_batteryAlert, m_switchAutoLogin })
        connect(box, &QCheckBox::toggled, this, [this, box] { switchChanged(box); });
    connect(m_thresholds, &QComboBox::activated, this, [this] { thresholdChanged(); });
    connect(m_authorizeButton, &QPushButton::clicked, this, [this] { authorizeClicked(); });
}

SettingsViewController::~SettingsViewController() = default;

bool SettingsViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_labelImperial && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_switchImperial->isEnabled()) {
        m_switchImperial->click();
        return true;
    }
    return Page::eventFilter(watched, event);
}

void SettingsViewController::viewWillAppear()
{
    for (auto *tile : m_tiles)
        tile->setDelegate(m_tileForwarder);
    {
        const QSignalBlocker quiet(m_thresholds);
        // A stored threshold below 10 has no segment of its own: it shows the lowest one.
        const int segment = int(Settings::threshold()) / 5 - 2;
        m_thresholds->setCurrentIndex(std::clamp(segment, 0, kThresholdSegments - 1));
    }
    const int mode = Settings::appMode();
    for (int i = 0; i < 4; ++i) {
        m_tiles[i]->setEnableSelection(true);
        m_tiles[i]->setSelected(kTileModes[i] == (mode >= 1 && mode <= 3 ? mode : 0));
    }
    updateControls();
    checkPermission();
    m_timer = platform::Timer::scheduled(std::chrono::milliseconds(1000), true, [this] { refresh(); });
}

void SettingsViewController::viewWillDisappear()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
}

void SettingsViewController::drawTiles()
{
    for (int i = 0; i < 4; ++i)
        static_cast<ModeTileView *>(m_tiles[i])->showMode(kTileModes[i]);
}

void SettingsViewController::updateControls()
{
    drawTiles();
    const int mode = Settings::appMode();
    m_switchBars->setEnabled(mode == 0);
    m_switchColored->setEnabled(mode == 0);
    m_switchColoredVertical->setEnabled(mode == 3);
    setOn(m_switchColoredVertical, Settings::useVerticalColors());
    const bool battery = m_controller && m_controller->internalBattery();
    m_lineImperial->setVisible(battery);
    m_switchImperial->setVisible(battery);
    m_labelImperial->setVisible(battery);
    const auto &defaults = platform::UserDefaults::standard();
    setOn(m_switchColored, defaults.boolean(QString::fromLatin1(kUseLevelColorsKey)));
    setOn(m_switchBars, defaults.boolean(QString::fromLatin1(kBarModeKey)));
    setOn(m_switchAutoLogin, m_controller && m_controller->autoStart().isEnabled());
    setOn(m_switchImperial, Settings::imperial());
    setOn(m_batteryAlert, Settings::enableNotifications());
    setOn(m_singleItem, Settings::singleItem());
}

void SettingsViewController::tileClicked(pirrow::SimpleTileView *tile)
{
    for (int i = 0; i < 4; ++i) {
        if (m_tiles[i] != tile)
            continue;
        for (int j = 0; j < 4; ++j)
            m_tiles[j]->setSelected(j == i);
        Settings::setAppMode(kTileModes[i]);
        modeChanged();
        break;
    }
    updateControls();
}

void SettingsViewController::switchChanged(QCheckBox *sender)
{
    const bool on = sender->isChecked();
    if (sender == m_switchBars) {
        Settings::setBarMode(on);
        modeChanged();
        drawTiles();
    } else if (sender == m_switchColored) {
        Settings::setUseLevelColors(on);
        modeChanged();
        drawTiles();
    } else if (sender == m_switchColoredVertical) {
        Settings::setUseVerticalColors(on);
        modeChanged();
        drawTiles();
    } else if (sender == m_singleItem) {
        Settings::setSingleItem(on);
        modeChanged();
        drawTiles();
    } else if (sender == m_switchImperial) {
        Settings::setImperial(on);
    } else if (sender == m_batteryAlert) {
        Settings::setEnableNotifications(!Settings::enableNotifications());
    } else if (sender == m_switchAutoLogin) {
        if (m_controller)
            m_controller->autoStart().setEnabled(on);
    }
}

void SettingsViewController::thresholdChanged()
{
    Settings::setThreshold(std::uint8_t((m_thresholds->currentIndex() + 2) * 5));
}

void SettingsViewController::refresh() { checkPermission(); }

void SettingsViewController::checkPermission()
{
    QPointer<SettingsViewController> self(this);
    tavrin::Notifications::checkAlertsEnabled([self](bool enabled) {
        platform::MainQueue::async([self, enabled] {
            if (self)
                self->m_authorizeButton->setVisible(!enabled);
        });
    });
}

void SettingsViewController::authorizeClicked()
{
    QPointer<SettingsViewController> self(this);
    tavrin::Notifications::requestAuthorization([self](const tavrin::Notifications::AuthorizationResult &result) {
        platform::MainQueue::async([self] {
            if (self)
                self->checkPermission();
        });
        const bool *granted = std::get_if<bool>(&result);
        if (granted && *granted)
            return;
        if (!granted)
            olvane::Permissions::openNotificationSettings();
        platform::MainQueue::async([] {
            olvane::Alert::info(
                localized(QStringLiteral("PERMISSIONS_TITLE")), localized(QStringLiteral("PERMISSIONS_INFO")));
        });
    });
}

} // namespace quenby
