#include "hiddevice_p.h"
#include "platform/bluetooth/bluezcentral.h"
#include "sysfsattributes_p.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace platform {

namespace {
    // Generic Desktop and Digitizer pages, and the usages of the kinds an accessory can be.
    constexpr int kGenericDesktop = 0x01;
    constexpr int kDigitizer = 0x0D;
    constexpr int kUsageMouse = 0x02;
    constexpr int kUsageKeyboard = 0x06;
    constexpr int kUsageKeypad = 0x07;
    constexpr int kUsageTouchPad = 0x05;
    constexpr int kUsageJoystick = 0x04;
    constexpr int kUsageGamePad = 0x05;
    // Telephony Device and Consumer pages: a headset, headphones.
    constexpr int kTelephony = 0x0B;
    constexpr int kConsumer = 0x0C;
    constexpr int kUsageHeadset = 0x05;
    constexpr int kUsageHeadphone = 0x05;
    // The USB interface class of audio functions.
    constexpr int kUsbClassAudio = 0x01;

    // Checked by hand: each regular expression would be compiled on its first use, at the start.
    bool isHexDigit(QChar c, bool lowerCaseToo)
    {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (lowerCaseToo && u >= 'a' && u <= 'f');
    }

    // Six pairs of hexadecimal digits, either case, joined by colons.
    bool isBluetoothAddress(const QString &text)
    {
        if (text.size() != 17)
            return false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i % 3 == 2 ? text.at(i) != QLatin1Char(':') : !isHexDigit(text.at(i), true))
                return false;
        }
        return true;
    }

    QHash<QString, QString> ueventFields(const QByteArray &bytes)
    {
        QHash<QString, QString> fields;
        for (const QByteArray &line : bytes.split('\n')) {
            const int equals = line.indexOf('=');
            if (equals > 0)
                fields.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
        }
        return fields;
    }
}

bool HidDevice::isHidDeviceName(const QString &name)
{
    // "BBBB:VVVV:PPPP.NNNN", upper-case hexadecimal; the instance number may grow past four digits.
    if (name.size() < 19)
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool separator = i == 4 || i == 9 || i == 14;
        if (separator ? c != QLatin1Char(i == 14 ? '.' : ':') : !isHexDigit(c, false))
            return false;
    }
    return true;
}

std::optional<HidDevice> HidDevice::at(const QString &directory)
{
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    if (canonical.isEmpty())
        return std::nullopt;
    const auto uevent = SysfsAttributes::readFile(canonical + QStringLiteral("/uevent"));
    if (!uevent)
        return std::nullopt;
    return fromUevent(*uevent, canonical);
}

std::optional<HidDevice> HidDevice::fromUevent(const QByteArray &uevent, const QString &path)
{
    const auto fields = ueventFields(uevent);

    // HID_ID is bus:vendor:product in hexadecimal, e.g. 0005:0000004C:0000030D.
    const QStringList id = fields.value(QStringLiteral("HID_ID")).split(QLatin1Char(':'));
    if (id.size() != 3)
        return std::nullopt;
    bool okBus = false;
    bool okVendor = false;
    bool okProduct = false;
    HidDevice device;
    const uint bus = id[0].toUInt(&okBus, 16);
    device.m_bus = static_cast<quint16>(bus);
    device.m_vendorId = id[1].toUInt(&okVendor, 16);
    device.m_productId = id[2].toUInt(&okProduct, 16);
    if (!okBus || bus > 0xFFFF || !okVendor || !okProduct)
        return std::nullopt;

    device.m_path = path;
    device.m_name = fields.value(QStringLiteral("HID_NAME")).trimmed();
    device.m_uniq = fields.value(QStringLiteral("HID_UNIQ")).trimmed();
    device.m_driver = fields.value(QStringLiteral("DRIVER")).trimmed();
    device.m_behindHidDevice = !path.isEmpty() && isHidDeviceName(QFileInfo(QFileInfo(path).path()).fileName());
    return device;
}

QString HidDevice::transport() const
{
    if (m_bus == kBusBluetooth)
        return QStringLiteral("Bluetooth");
    if (m_bus == kBusUsb && !m_behindHidDevice)
        return QStringLiteral("USB");
    return QStringLiteral("Wireless");
}

std::optional<QString> HidDevice::bluetoothAddress() const
{
    if (m_bus != kBusBluetooth || !isBluetoothAddress(m_uniq))
        return std::nullopt;
    return m_uniq.toUpper();
}

std::vector<HidDevice::Collection> HidDevice::collections(const QByteArray &descriptor)
{
    // Short items only carry what matters here: the global Usage Page, the local Usage and the main
    // Collection. Locals are forgotten after every main item, as the HID rules say.
    std::vector<Collection> found;
    int page = 0;
    std::optional<Usage> firstLocalUsage;
    qsizetype i = 0;
    while (i < descriptor.size()) {
        const auto prefix = static_cast<quint8>(descriptor[i]);
        if (prefix == 0xFE) { // long item: size, tag, data
            if (i + 1 >= descriptor.size())
                break;
            i += 3 + static_cast<quint8>(descriptor[i + 1]);
            continue;
        }
        const int size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        const int type = (prefix >> 2) & 0x03;
        const int tag = (prefix >> 4) & 0x0F;
        if (i + size >= descriptor.size())
            break;
        quint32 data = 0;
        for (int b = 0; b < size; ++b)
            data |= quint32(static_cast<quint8>(descriptor[i + 1 + b])) << (8 * b);
        i += 1 + size;

        if (type == 1 && tag == 0x0) { // Usage Page
            page = static_cast<int>(data);
        } else if (type == 2 && tag == 0x0) { // Usage; a four-byte one carries its own page
            if (!firstLocalUsage)
                firstLocalUsage = size == 4 ? Usage { int(data >> 16), int(data & 0xFFFF) } : Usage { page, int(data) };
        } else if (type == 0) {
            // Collection: Application (1) or Logical (2).
            if (tag == 0xA && (data == 0x01 || data == 0x02) && firstLocalUsage)
                found.push_back({ *firstLocalUsage, data == 0x01 });
            firstLocalUsage.reset();
        }
    }
    return found;
}

std::optional<HidDevice::Usage> HidDevice::primaryUsage(const QByteArray &descriptor)
{
    for (const Collection &collection : collections(descriptor)) {
        if (collection.application)
            return collection.usage;
    }
    return std::nullopt;
}

std::optional<HidDevice::Usage> HidDevice::primaryUsage() const
{
    const auto descriptor = SysfsAttributes::readFile(m_path + QStringLiteral("/report_descriptor"));
    if (!descriptor)
        return std::nullopt;
    return primaryUsage(*descriptor);
}

std::optional<QString> HidDevice::accessoryCategory(const Usage &usage)
{
    if (usage == Usage { kGenericDesktop, kUsageMouse })
        return QString::fromLatin1(kMouse);
    if (usage == Usage { kGenericDesktop, kUsageKeyboard } || usage == Usage { kGenericDesktop, kUsageKeypad })
        return QString::fromLatin1(kKeyboard);
    if (usage == Usage { kDigitizer, kUsageTouchPad })
        return QString::fromLatin1(kTrackpad);
    if (usage == Usage { kGenericDesktop, kUsageJoystick } || usage == Usage { kGenericDesktop, kUsageGamePad })
        return QString::fromLatin1(kGameController);
    return std::nullopt;
}

std::optional<QString> HidDevice::accessoryCategory(const std::vector<InputCapabilities> &inputs)
{
    // Event codes of the kernel's input layer.
    constexpr int kRelX = 0x00;
    constexpr int kRelY = 0x01;
    constexpr int kAbsMtPositionX = 0x35;
    constexpr int kAbsMtPositionY = 0x36;
    constexpr int kBtnLeft = 0x110;
    constexpr int kBtnJoystick = 0x120;
    constexpr int kBtnGamepad = 0x130;
    constexpr int kPropDirect = 0x01;

    // A game controller also has a touch pad and motion sensors, a mouse with a touch surface also
    // multitouch positions, and a mouse with programmable buttons also a keyboard: the kinds are
    // taken in this order across all input devices of the HID device.
    const auto any = [&](auto test) { return std::any_of(inputs.begin(), inputs.end(), test); };
    if (any([&](const InputCapabilities &c) { return c.hasKey(kBtnGamepad) || c.hasKey(kBtnJoystick); }))
        return QString::fromLatin1(kGameController);
    if (any([&](const InputCapabilities &c) {
            return c.hasRelative(kRelX) && c.hasRelative(kRelY) && c.hasKey(kBtnLeft);
        }))
        return QString::fromLatin1(kMouse);
    if (any([&](const InputCapabilities &c) {
            return c.hasAbsolute(kAbsMtPositionX) && c.hasAbsolute(kAbsMtPositionY) && !c.hasProperty(kPropDirect);
        }))
        return QString::fromLatin1(kTrackpad);
    if (any([](const InputCapabilities &c) { return c.hasKeyboardKeys(); }))
        return QString::fromLatin1(kKeyboard);
    return std::nullopt;
}

std::optional<QString> HidDevice::accessoryCategory(const QString &driver, quint32 productId)
{
    static const QStringList gameControllers { QStringLiteral("sony"), QStringLiteral("playstation"),
        QStringLiteral("nintendo"), QStringLiteral("xpadneo"), QStringLiteral("steam") };
    if (gameControllers.contains(driver))
        return QString::fromLatin1(kGameController);
    if (driver == QLatin1String("apple"))
        return QString::fromLatin1(kKeyboard);
    if (driver == QLatin1String("magicmouse")) {
        // One driver for the mice and the trackpads: the model tells which.
        switch (productId) {
        case 0x030D: // Magic Mouse
        case 0x0269: // Magic Mouse 2
        case 0x0310: // Magic Mouse 2 with USB-C
            return QString::fromLatin1(kMouse);
        case 0x030E: // Magic Trackpad
        case 0x0265: // Magic Trackpad 2
        case 0x0324: // Magic Trackpad 2 with USB-C
            return QString::fromLatin1(kTrackpad);
        default:
            break;
        }
    }
    return std::nullopt;
}

std::optional<QString> HidDevice::audioCategory(const std::vector<Collection> &collections)
{
    for (const Collection &collection : collections) {
        if (collection.usage == Usage { kTelephony, kUsageHeadset })
            return QString::fromLatin1(kHeadset);
        if (collection.usage == Usage { kConsumer, kUsageHeadphone })
            return QString::fromLatin1(kHeadphones);
    }
    return std::nullopt;
}

std::optional<QString> HidDevice::audioCategory(const std::vector<int> &usbInterfaceClasses)
{
    if (std::find(usbInterfaceClasses.begin(), usbInterfaceClasses.end(), kUsbClassAudio) != usbInterfaceClasses.end())
        return QString::fromLatin1(kHeadset);
    return std::nullopt;
}

std::vector<int> HidDevice::usbInterfaceClasses() const
{
    // A HID device on USB sits in its interface's folder (1-8:1.3), which sits in the USB device's
    // (1-8) beside the device's other interfaces (1-8:1.0 ...). The kernel writes each class as two
    // hexadecimal digits.
    std::vector<int> classes;
    if (m_bus != kBusUsb || m_behindHidDevice || m_path.isEmpty())
        return classes;
    const QFileInfo interface(QFileInfo(m_path).path());
    const auto readClass = [](const QString &interfaceDirectory) -> std::optional<int> {
        const auto text = SysfsAttributes::readFile(interfaceDirectory + QStringLiteral("/bInterfaceClass"));
        bool ok = false;
        const int value = text ? text->trimmed().toInt(&ok, 16) : 0;
        return ok && value >= 0 && value <= 0xFF ? std::optional<int>(value) : std::nullopt;
    };
    if (!readClass(interface.filePath()))
        return classes; // not on a USB interface
    const QDir device(interface.path());
    const QString prefix = device.dirName() + QLatin1Char(':');
    for (const QString &name :
        device.entryList({ prefix + QLatin1Char('*') }, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (const auto value = readClass(device.filePath(name)))
            classes.push_back(*value);
    }
    return classes;
}

std::optional<QString> HidDevice::accessoryCategoryOfIcon(const QString &icon)
{
    if (icon == QLatin1String("input-mouse"))
        return QString::fromLatin1(kMouse);
    if (icon == QLatin1String("input-keyboard"))
        return QString::fromLatin1(kKeyboard);
    if (icon == QLatin1String("input-gaming"))
        return QString::fromLatin1(kGameController);
    // BlueZ names a pointing device of the digitizer kind a tablet; among accessories that report a
    // battery that is a touch surface to point with.
    if (icon == QLatin1String("input-tablet"))
        return QString::fromLatin1(kTrackpad);
    return std::nullopt;
}

Value::Dictionary HidDevice::properties(const BluetoothIcon &icon) const
{
    Value::Dictionary p {
        { QStringLiteral("VendorID"), Value(static_cast<qint64>(m_vendorId)) },
        { QStringLiteral("ProductID"), Value(static_cast<qint64>(m_productId)) },
        { QStringLiteral("Transport"), Value(transport()) },
    };
    if (!m_name.isEmpty())
        p[QStringLiteral("Product")] = Value(m_name);
    std::optional<QString> category;
    std::vector<Collection> found;
    if (const auto descriptor = SysfsAttributes::readFile(m_path + QStringLiteral("/report_descriptor")))
        found = collections(*descriptor);
    const auto application
        = std::find_if(found.begin(), found.end(), [](const Collection &c) { return c.application; });
    if (application != found.end()) {
        p[QStringLiteral("PrimaryUsagePage")] = Value(application->usage.page);
        p[QStringLiteral("PrimaryUsage")] = Value(application->usage.usage);
        category = accessoryCategory(application->usage);
    }
    if (!category)
        category = audioCategory(found);
    if (!category && !m_path.isEmpty())
        category = accessoryCategory(InputCapabilities::below(m_path));
    if (!category)
        category = accessoryCategory(m_driver, m_productId);
    // After the driver: a game controller (some have audio on their USB cable) is known by then.
    if (!category)
        category = audioCategory(usbInterfaceClasses());
    const auto address = bluetoothAddress();
    if (!category && address && icon) {
        if (const auto name = icon(*address))
            category = accessoryCategoryOfIcon(*name);
    }
    if (category)
        p[QStringLiteral("Accessory Category")] = Value(*category);
    if (address) {
        // The same identifier the Bluetooth central gives this device, so a Low Energy peripheral
        // finds its HID side by it.
        p[QStringLiteral("PhysicalDeviceUniqueID")]
            = Value(BluezCentral::identifierForAddress(*address).toString(QUuid::WithoutBraces).toUpper());
    }
    return p;
}

InputCapabilities InputCapabilities::fromTexts(
    const QByteArray &key, const QByteArray &rel, const QByteArray &abs, const QByteArray &properties)
{
    InputCapabilities c;
    c.m_key = bitmap(key);
    c.m_rel = bitmap(rel);
    c.m_abs = bitmap(abs);
    c.m_properties = bitmap(properties);
    return c;
}

std::vector<InputCapabilities> InputCapabilities::below(const QString &hidDirectory)
{
    std::vector<InputCapabilities> out;
    const QDir inputs(hidDirectory + QStringLiteral("/input"));
    for (const QString &name : inputs.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString dir = inputs.filePath(name);
        const auto read = [&](const char *file) {
            return SysfsAttributes::readFile(dir + QLatin1Char('/') + QLatin1String(file)).value_or(QByteArray());
        };
        out.push_back(fromTexts(
            read("capabilities/key"), read("capabilities/rel"), read("capabilities/abs"), read("properties")));
    }
    return out;
}

bool InputCapabilities::hasKeyboardKeys() const
{
    // Bits 1 to 31 of the first word: Escape, the number row, Q to P, A to S.
    return !m_key.empty() && (m_key.front() & 0xFFFFFFFEull) == 0xFFFFFFFEull;
}

std::vector<quint64> InputCapabilities::bitmap(const QByteArray &text)
{
    const QList<QByteArray> words = text.simplified().split(' ');
    std::vector<quint64> out;
    out.reserve(static_cast<std::size_t>(words.size()));
    // The kernel writes the most significant word first; keep the least significant first. A bit map
    // longer than any the kernel writes (a few hundred words for the key codes) is no bit map.
    if (words.size() > 64)
        return {};
    for (auto it = words.crbegin(); it != words.crend(); ++it) {
        if (it->isEmpty())
            continue;
        bool ok = false;
        const quint64 word = it->toULongLong(&ok, 16);
        if (!ok)
            return {};
        out.push_back(word);
    }
    return out;
}

bool InputCapabilities::test(const std::vector<quint64> &words, int bit)
{
    if (bit < 0)
        return false;
    const auto index = static_cast<std::size_t>(bit / 64);
    return index < words.size() && ((words[index] >> (bit % 64)) & 1u) != 0;
}

} // namespace platform
