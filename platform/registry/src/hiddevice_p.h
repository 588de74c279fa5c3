#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QUuid>

#include <optional>

namespace platform {

/// One HID device as the kernel shows it under /sys/bus/hid/devices: its identity from the uevent
/// file, its place (what it hangs below) and the first application collection of its report
/// descriptor, which says what kind of device it is.
class HidDevice {
public:
    static constexpr quint16 kBusUsb = 0x03;
    static constexpr quint16 kBusBluetooth = 0x05;

    struct Usage {
        int page = 0;
        int usage = 0;
        bool operator==(const Usage &) const = default;
    };

    /// The HID device in `directory` (symbolic links followed); empty when the directory holds none
    /// (no uevent, or one without a well-formed HID_ID).
    static std::optional<HidDevice> at(const QString &directory);

    /// The canonical directory.
    const QString &path() const { return m_path; }
    quint16 bus() const { return m_bus; }
    quint32 vendorId() const { return m_vendorId; }
    quint32 productId() const { return m_productId; }
    /// HID_NAME; empty when the kernel has none.
    const QString &name() const { return m_name; }
    /// HID_UNIQ: the Bluetooth address, a serial number or nothing.
    const QString &uniq() const { return m_uniq; }
    /// Whether the device hangs below another HID device, as the devices paired to a wireless
    /// receiver do: their bus is the receiver's USB, but they are not on a cable.
    bool isBehindHidDevice() const { return m_behindHidDevice; }

    /// "USB" for a device on a USB cable, "Bluetooth" for one on Bluetooth, "Wireless" otherwise.
    QString transport() const;
    /// The Bluetooth address (upper case) of a Bluetooth device whose uniq is one.
    std::optional<QString> bluetoothAddress() const;
    /// The usage page and usage of the first application collection.
    std::optional<Usage> primaryUsage() const;
    /// "Keyboard", "Mouse" or "Trackpad" when a primary usage says so.
    static std::optional<QString> accessoryCategory(const Usage &usage);
    /// The properties of the device's registry entry.
    Value::Dictionary properties() const;

    /// Whether a directory name has the kernel's form for HID devices (bus:vendor:product.instance).
    static bool isHidDeviceName(const QString &name);
    /// The first application collection of a report descriptor; empty when there is none or the
    /// descriptor ends inside an item.
    static std::optional<Usage> primaryUsage(const QByteArray &descriptor);

private:
    QString m_path;
    quint16 m_bus = 0;
    quint32 m_vendorId = 0;
    quint32 m_productId = 0;
    QString m_name;
    QString m_uniq;
    bool m_behindHidDevice = false;
};

} // namespace platform
