#pragma once

#include "fennic/batterydevice.h"
#include "platform/bluetooth/peripheral.h"

#include <QStringList>

#include <map>

namespace fennic {

class LowEnergyFinder;

/// The record of one connected Bluetooth Low Energy peripheral, keyed by the peripheral's identifier
/// text. Besides the base fields it keeps the peripheral, the Device Information texts, what the HID
/// registry says about it and the time of its last sign of life. Only the base fields are encoded.
class LowEnergyDevice final : public BatteryDevice {
public:
    /// The keys of properties().
    enum class PropertyKey { serialNumber, hardwareRevision, softwareRevision, firmware, bluetoothSerial };
    static QString rawText(PropertyKey key);
    static std::optional<PropertyKey> propertyKeyFromRawText(const QString &text);

    /// Model words that mark a Logitech keyboard, and a Logitech mouse.
    static const QStringList &logitechKeyboards();
    static const QStringList &logitechMice();

    /// A record for the peripheral: named by it (or the localised "UNKNOWN"), serial = its identifier
    /// text, last sign of life = now.
    explicit LowEnergyDevice(std::shared_ptr<platform::Peripheral> peripheral);

    /// A stored record: the base keys only; no peripheral, last update 0.
    static std::shared_ptr<LowEnergyDevice> decode(const platform::Value &value);

    const std::shared_ptr<platform::Peripheral> &peripheral() const { return m_peripheral; }
    void setPeripheral(std::shared_ptr<platform::Peripheral> peripheral) { m_peripheral = std::move(peripheral); }
    const std::optional<QString> &model() const { return m_model; }
    void setModel(std::optional<QString> model) { m_model = std::move(model); }
    /// Seconds since 1970.
    double lastUpdate() const { return m_lastUpdate; }
    void setLastUpdate(double seconds) { m_lastUpdate = seconds; }
    const std::optional<QString> &hardwareRevision() const { return m_hardwareRevision; }
    void setHardwareRevision(std::optional<QString> text) { m_hardwareRevision = std::move(text); }
    const std::optional<QString> &serialNumber() const { return m_serialNumber; }
    void setSerialNumber(std::optional<QString> text) { m_serialNumber = std::move(text); }
    const std::optional<QString> &softwareRevision() const { return m_softwareRevision; }
    void setSoftwareRevision(std::optional<QString> text) { m_softwareRevision = std::move(text); }
    const std::optional<QString> &firmwareRevision() const { return m_firmwareRevision; }
    void setFirmwareRevision(std::optional<QString> text) { m_firmwareRevision = std::move(text); }
    bool isMouse() const { return m_isMouse; }
    void setMouse(bool mouse) { m_isMouse = mouse; }
    bool isKeyboard() const { return m_isKeyboard; }
    void setKeyboard(bool keyboard) { m_isKeyboard = keyboard; }
    const std::optional<QString> &bluetoothSerial() const { return m_bluetoothSerial; }
    void setBluetoothSerial(std::optional<QString> text) { m_bluetoothSerial = std::move(text); }
    /// Made from an advertisement and not connected yet.
    bool isDiscovered() const { return m_isDiscovered; }
    /// A connection to the peripheral completed.
    bool isConnected() const { return m_isConnected; }

    /// The present texts among serial number, revisions and extra serial.
    std::map<PropertyKey, QString> properties() const;
    /// The localised kind: pointing device, keyboard, or the phone, tablet, watch or iPod kind of the model.
    QString kindName() const;
    /// A phone, tablet, watch or iPod symbol by model identifier; Logitech model words; the HID flags;
    /// else the base choice.
    QString imageName() const override;

private:
    friend class LowEnergyFinder;
    explicit LowEnergyDevice(BaseFields fields);

    std::shared_ptr<platform::Peripheral> m_peripheral;
    std::optional<QString> m_model;
    double m_lastUpdate = 0;
    std::optional<QString> m_hardwareRevision;
    std::optional<QString> m_serialNumber;
    std::optional<QString> m_softwareRevision;
    std::optional<QString> m_firmwareRevision;
    bool m_isMouse = false;
    bool m_isKeyboard = false;
    std::optional<QString> m_bluetoothSerial;
    bool m_isDiscovered = false;
    bool m_isConnected = false;
};

} // namespace fennic
