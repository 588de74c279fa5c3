#pragma once

#include <QFrame>

#include <QColor>
#include <QString>

#include <memory>
#include <optional>

class QLabel;
class QToolButton;

namespace fennic {
class BatteryDevice;
}
namespace pirrow {
class GradientProgressView;
}

namespace quenby {

class NameViewController;

/// A cell of the devices page: icon, manufacturer, model and one or two charge bars; one-battery
/// devices also show a charging bolt. The gear opens the rename sheet.
class DeviceCell final : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 144;

    /// `bars` is 1 for a one-battery device, 2 for a device with two batteries.
    explicit DeviceCell(int bars, QWidget *parent = nullptr);
    ~DeviceCell() override;

    /// Shows a one-battery or Low Energy device.
    void showSingle(const std::shared_ptr<fennic::BatteryDevice> &device);
    /// Shows a device with both of its two levels.
    void showDouble(const std::shared_ptr<fennic::BatteryDevice> &device, double upper, double lower);

    /// 1 or 2, as made.
    int bars() const { return m_upper ? 2 : 1; }
    const std::shared_ptr<fennic::BatteryDevice> &device() const { return m_device; }
    QLabel *iconView() const { return m_icon; }
    QLabel *manufacturer() const { return m_manufacturer; }
    QLabel *model() const { return m_model; }
    QLabel *chargingBolt() const { return m_bolt; }
    pirrow::GradientProgressView *progressViewUpper() const { return m_upper; }
    pirrow::GradientProgressView *progressViewLower() const { return m_lower; }
    QToolButton *gearButton() const { return m_gear; }
    bool isCharging() const { return m_isCharging; }

    /// Opens the rename sheet for the cell's device (none without a device). The sheet belongs to the
    /// window, not to the cell, so it outlives a cell that a refresh takes away.
    NameViewController *gearClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    /// Icon, gear and bolt in the palette's text colour.
    void paintSymbols();
    void showCommon(const std::shared_ptr<fennic::BatteryDevice> &device);

    std::shared_ptr<fennic::BatteryDevice> m_device;
    QLabel *m_icon = nullptr;
    QLabel *m_manufacturer = nullptr;
    QLabel *m_model = nullptr;
    QLabel *m_bolt = nullptr;
    pirrow::GradientProgressView *m_upper = nullptr;
    pirrow::GradientProgressView *m_lower = nullptr;
    QToolButton *m_gear = nullptr;
    bool m_isCharging = false;
    // What the pictures show now.
    struct Painted {
        std::optional<QString> image;
        bool charging = false;
        QRgb ink = 0;
    };
    std::optional<Painted> m_painted;
};

} // namespace quenby
