#include "hiddevice_p.h"
#include "platform/bluetooth/bluezcentral.h"
#include "sysfsattributes_p.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace platform {

namespace {
    // Generic Desktop and Digitizer pages, and the usages of the kinds an accessory can be.
    constexpr int kGenericDesktop = 0x01;
    constexpr int kDigitizer = 0x0D;
    constexpr int kMouse = 0x02;
    constexpr int kKeyboard = 0x06;
    constexpr int kKeypad = 0x07;
    constexpr int kTouchPad = 0x05;

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
    static const QRegularExpression pattern(QStringLiteral("^[0-9A-F]{4}:[0-9A-F]{4}:[0-9A-F]{4}\\.[0-9A-F]{4,}$"));
    return pattern.match(name).hasMatch();
}

std::optional<HidDevice> HidDevice::at(const QString &directory)
{
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    if (canonical.isEmpty())
        return std::nullopt;
    const auto uevent = SysfsAttributes::readFile(canonical + QStringLiteral("/uevent"));
    if (!uevent)
        return std::nullopt;
    const auto fields = ueventFields(*uevent);

    // HID_ID is bus:vendor:product in hexadecimal, e.g. 0005:0000004C:0000030D.
    const QStringList id = fields.value(QStringLiteral("HID_ID")).split(QLatin1Char(':'));
    if (id.size() != 3)
        return std::nullopt;
    bool okBus = false;
    bool okVendor = false;
    bool okProduct = false;
    HidDevice device;
    device.m_bus = static_cast<quint16>(id[0].toUInt(&okBus, 16));
    device.m_vendorId = id[1].toUInt(&okVendor, 16);
    device.m_productId = id[2].toUInt(&okProduct, 16);
    if (!okBus || !okVendor || !okProduct)
        return std::nullopt;

    device.m_path = canonical;
    device.m_name = fields.value(QStringLiteral("HID_NAME")).trimmed();
    device.m_uniq = fields.value(QStringLiteral("HID_UNIQ")).trimmed();
    device.m_behindHidDevice = isHidDeviceName(QFileInfo(QFileInfo(canonical).path()).fileName());
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
    static const QRegularExpression address(QStringLiteral("^([0-9A-Fa-f]{2}:){5}[0-9A-Fa-f]{2}$"));
    if (m_bus != kBusBluetooth || !address.match(m_uniq).hasMatch())
        return std::nullopt;
    return m_uniq.toUpper();
}

std::optional<HidDevice::Usage> HidDevice::primaryUsage(const QByteArray &descriptor)
{
    // Short items only carry what matters here: the global Usage Page, the local Usage and the main
    // Collection. Locals are forgotten after every main item, as the HID rules say.
    int page = 0;
    std::optional<Usage> firstLocalUsage;
    qsizetype i = 0;
    while (i < descriptor.size()) {
        const auto prefix = static_cast<quint8>(descriptor[i]);
        if (prefix == 0xFE) { // long item: size, tag, data
            if (i + 1 >= descriptor.size())
                return std::nullopt;
            i += 3 + static_cast<quint8>(descriptor[i + 1]);
            continue;
        }
        const int size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        const int type = (prefix >> 2) & 0x03;
        const int tag = (prefix >> 4) & 0x0F;
        if (i + size >= descriptor.size())
            return std::nullopt;
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
            if (tag == 0xA && data == 0x01 && firstLocalUsage) // Collection (Application)
                return firstLocalUsage;
            firstLocalUsage.reset();
        }
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
    if (usage == Usage { kGenericDesktop, kMouse })
        return QStringLiteral("Mouse");
    if (usage == Usage { kGenericDesktop, kKeyboard } || usage == Usage { kGenericDesktop, kKeypad })
        return QStringLiteral("Keyboard");
    if (usage == Usage { kDigitizer, kTouchPad })
        return QStringLiteral("Trackpad");
    return std::nullopt;
}

Value::Dictionary HidDevice::properties() const
{
    Value::Dictionary p {
        { QStringLiteral("VendorID"), Value(static_cast<qint64>(m_vendorId)) },
        { QStringLiteral("ProductID"), Value(static_cast<qint64>(m_productId)) },
        { QStringLiteral("Transport"), Value(transport()) },
    };
    if (!m_name.isEmpty())
        p[QStringLiteral("Product")] = Value(m_name);
    if (const auto usage = primaryUsage()) {
        p[QStringLiteral("PrimaryUsagePage")] = Value(usage->page);
        p[QStringLiteral("PrimaryUsage")] = Value(usage->usage);
        if (const auto category = accessoryCategory(*usage))
            p[QStringLiteral("Accessory Category")] = Value(*category);
    }
    if (const auto address = bluetoothAddress()) {
        // The same identifier the Bluetooth central gives this device, so a Low Energy peripheral
        // finds its HID side by it.
        p[QStringLiteral("PhysicalDeviceUniqueID")]
            = Value(BluezCentral::identifierForAddress(*address).toString(QUuid::WithoutBraces).toUpper());
    }
    return p;
}

} // namespace platform
