#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QUuid>

#include <functional>
#include <optional>
#include <vector>

namespace platform {

/// What one input device (a /sys/class/input/inputN below a HID device) can report, from the bit
/// maps of its capabilities folder and its properties file.
class InputCapabilities {
public:
    /// Parses the kernel's bit-map texts: hexadecimal words, the most significant first, separated by
    /// blanks. A text that is no bit map counts as empty.
    static InputCapabilities fromTexts(
        const QByteArray &key, const QByteArray &rel, const QByteArray &abs, const QByteArray &properties);
    /// The input devices below the HID device in `hidDirectory`, in name order.
    static std::vector<InputCapabilities> below(const QString &hidDirectory);

    bool hasKey(int code) const { return test(m_key, code); }
    bool hasRelative(int code) const { return test(m_rel, code); }
    bool hasAbsolute(int code) const { return test(m_abs, code); }
    bool hasProperty(int code) const { return test(m_properties, code); }
    /// The keys of a keyboard: every key from Escape to S, as udev's input_id reads a keyboard.
    bool hasKeyboardKeys() const;

private:
    static std::vector<quint64> bitmap(const QByteArray &text);
    static bool test(const std::vector<quint64> &words, int bit);

    std::vector<quint64> m_key;
    std::vector<quint64> m_rel;
    std::vector<quint64> m_abs;
    std::vector<quint64> m_properties;
};

/// One HID device as the kernel shows it under /sys/bus/hid/devices: its identity from the uevent
/// file, its place (what it hangs below) and what kind of device it is: from the first application
/// collection of its report descriptor, else a headset collection in it, else what its input devices
/// can report, else its driver, else an audio interface beside it on its USB device, else what BlueZ
/// says of it.
class HidDevice {
public:
    /// The "Accessory Category" texts. A game controller is a kind of its own, which the accessory
    /// records do not have: it gets the raw text of their undefined kind rather than another kind.
    static constexpr const char *kMouse = "Mouse";
    static constexpr const char *kKeyboard = "Keyboard";
    static constexpr const char *kTrackpad = "Trackpad";
    static constexpr const char *kHeadset = "Headset";
    static constexpr const char *kHeadphones = "Headphones";
    static constexpr const char *kGameController = "undefined";

    /// BlueZ's icon name for the device with a Bluetooth address (upper case); none when BlueZ does
    /// not know it or cannot be asked.
    using BluetoothIcon = std::function<std::optional<QString>(const QString &address)>;

    static constexpr quint16 kBusUsb = 0x03;
    static constexpr quint16 kBusBluetooth = 0x05;

    struct Usage {
        int page = 0;
        int usage = 0;
        bool operator==(const Usage &) const = default;
    };
    /// A collection of a report descriptor: its usage, and whether it is an application collection
    /// (else a logical one; physical and other collections are left out).
    struct Collection {
        Usage usage;
        bool application = false;
        bool operator==(const Collection &) const = default;
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
    /// The driver bound to the device (DRIVER in the uevent file); empty when none is.
    const QString &driver() const { return m_driver; }
    /// Whether the device hangs below another HID device, as the devices paired to a wireless
    /// receiver do: their bus is the receiver's USB, but they are not on a cable.
    bool isBehindHidDevice() const { return m_behindHidDevice; }

    /// "USB" for a device on a USB cable, "Bluetooth" for one on Bluetooth, "Wireless" otherwise.
    QString transport() const;
    /// The Bluetooth address (upper case) of a Bluetooth device whose uniq is one.
    std::optional<QString> bluetoothAddress() const;
    /// The usage page and usage of the first application collection.
    std::optional<Usage> primaryUsage() const;
    /// "Keyboard", "Mouse", "Trackpad" or a game controller when a primary usage says so.
    static std::optional<QString> accessoryCategory(const Usage &usage);
    /// The category the input devices show: any with gamepad or joystick buttons makes a game
    /// controller, else one with relative X and Y and a left button a mouse, else one with multitouch
    /// positions that is no touch screen a trackpad, else one with a keyboard's keys a keyboard.
    static std::optional<QString> accessoryCategory(const std::vector<InputCapabilities> &inputs);
    /// The category a driver serves; none for drivers of several kinds.
    static std::optional<QString> accessoryCategory(const QString &driver, quint32 productId);
    /// "Headset" for a Telephony Headset collection anywhere in the descriptor, "Headphones" for a
    /// Consumer Headphone one (a headset's first collection is mostly Consumer Control, its volume keys).
    static std::optional<QString> audioCategory(const std::vector<Collection> &collections);
    /// "Headset" when the USB device the HID device sits on also has an Audio interface (class 01), as
    /// wired and wireless headsets and their receivers do.
    static std::optional<QString> audioCategory(const std::vector<int> &usbInterfaceClasses);
    /// The interface classes of the USB device whose interface the HID device sits on directly, in
    /// name order; empty for a device on another bus or behind another HID device (a receiver's
    /// other interfaces tell nothing of the devices paired to it).
    std::vector<int> usbInterfaceClasses() const;
    /// The category of BlueZ's icon names for input devices.
    static std::optional<QString> accessoryCategoryOfIcon(const QString &icon);

    /// The properties of the device's registry entry; `icon` is asked only when nothing on the
    /// machine's side tells the kind.
    Value::Dictionary properties(const BluetoothIcon &icon = {}) const;

    /// A device from the text of a uevent file, placed at `path`; empty without a well-formed HID_ID.
    static std::optional<HidDevice> fromUevent(const QByteArray &uevent, const QString &path = QString());

    /// Whether a directory name has the kernel's form for HID devices (bus:vendor:product.instance).
    static bool isHidDeviceName(const QString &name);
    /// The first application collection of a report descriptor; empty when there is none before the
    /// end or before an item that the descriptor cuts short.
    static std::optional<Usage> primaryUsage(const QByteArray &descriptor);
    /// The application and logical collections of a report descriptor in order, up to its end or to an
    /// item that it cuts short.
    static std::vector<Collection> collections(const QByteArray &descriptor);

private:
    QString m_path;
    quint16 m_bus = 0;
    quint32 m_vendorId = 0;
    quint32 m_productId = 0;
    QString m_name;
    QString m_uniq;
    QString m_driver;
    bool m_behindHidDevice = false;
};

} // namespace platform
