#pragma once

#include "quenby/icontrollable.h"
#include "quenby/page.h"

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace platform {
class Timer;
}
namespace pirrow {
class SimpleTileView;
}

namespace quenby {

/// The settings page: display-mode tiles, switches for the status items' look and the program's
/// behaviour, the low-battery threshold, and the request for notification permission. Every change
/// is written at once; display changes post "ModeChanged".
class SettingsViewController final : public Page, public IControllable {
    Q_OBJECT
public:
    /// Thresholds offered: 10 % to 50 % in steps of 5.
    static constexpr int kThresholdSegments = 9;

    explicit SettingsViewController(QWidget *parent = nullptr);
    ~SettingsViewController() override;

    IController *controller() const override { return m_controller; }
    void setController(IController *controller) override { m_controller = controller; }

    pirrow::SimpleTileView *tileCompact() const { return m_tiles[0]; }
    pirrow::SimpleTileView *tileIconAndText() const { return m_tiles[1]; }
    pirrow::SimpleTileView *tileAppIcon() const { return m_tiles[2]; }
    pirrow::SimpleTileView *tileVertical() const { return m_tiles[3]; }
    QCheckBox *switchBars() const { return m_switchBars; }
    QCheckBox *switchColored() const { return m_switchColored; }
    QCheckBox *switchColoredVertical() const { return m_switchColoredVertical; }
    QCheckBox *switchAutoLogin() const { return m_switchAutoLogin; }
    QCheckBox *switchImperial() const { return m_switchImperial; }
    QCheckBox *batteryAlert() const { return m_batteryAlert; }
    QCheckBox *singleItem() const { return m_singleItem; }
    QLabel *labelImperial() const { return m_labelImperial; }
    QFrame *lineImperial() const { return m_lineImperial; }
    QComboBox *thresholds() const { return m_thresholds; }
    QPushButton *authorizeButton() const { return m_authorizeButton; }
    platform::Timer *timer() const { return m_timer.get(); }

    /// A display-mode tile was clicked.
    void tileClicked(pirrow::SimpleTileView *tile);
    /// Re-reads whether notifications may appear (the timer's tick).
    void refresh();
    void updateControls();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void viewWillAppear() override;
    void viewWillDisappear() override;

private:
    class TileForwarder;

    /// Draws each tile's mode with the look settings of this moment.
    void drawTiles();
    void switchChanged(QCheckBox *sender);
    void thresholdChanged();
    void authorizeClicked();
    void checkPermission();

    pirrow::SimpleTileView *m_tiles[4] = {};
    QCheckBox *m_switchBars = nullptr;
    QCheckBox *m_switchColored = nullptr;
    QCheckBox *m_switchColoredVertical = nullptr;
    QCheckBox *m_switchAutoLogin = nullptr;
    QCheckBox *m_switchImperial = nullptr;
    QCheckBox *m_batteryAlert = nullptr;
    QCheckBox *m_singleItem = nullptr;
    QLabel *m_labelImperial = nullptr;
    QFrame *m_lineImperial = nullptr;
    QComboBox *m_thresholds = nullptr;
    QPushButton *m_authorizeButton = nullptr;
    std::shared_ptr<TileForwarder> m_tileForwarder;
    IController *m_controller = nullptr;
    std::unique_ptr<platform::Timer> m_timer;
};

} // namespace quenby
