#pragma once

#include <QDialog>

#include <memory>
#include <optional>

class QLineEdit;
class QPushButton;

namespace fennic {
class BatteryDevice;
}

namespace quenby {

/// The sheet in which the user names a device; the name is kept by the device's serial.
class NameViewController final : public QDialog {
    Q_OBJECT
public:
    explicit NameViewController(std::shared_ptr<fennic::BatteryDevice> device, QWidget *parent = nullptr);
    ~NameViewController() override;

    QLineEdit *textField() const { return m_textField; }
    QPushButton *button() const { return m_button; }
    /// Saves the name unless it is the one the device had, tells the status items, and closes.
    void buttonClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::shared_ptr<fennic::BatteryDevice> m_device;
    std::optional<QString> m_initialName;
    QLineEdit *m_textField = nullptr;
    QPushButton *m_button = nullptr;
};

} // namespace quenby
