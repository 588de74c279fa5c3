#include "fennic/lowenergydevice.h"

#include "fennic/classofdevice.h"
#include "localization_p.h"
#include "platform/core/clock.h"
#include "platform/core/systemversion.h"

#include <olvane/mobiledevices.h>

namespace fennic {

namespace {
    QString nameOr(const std::shared_ptr<platform::Peripheral> &peripheral)
    {
        const auto name = peripheral ? peripheral->name() : std::nullopt;
        return name ? *name : localized(QStringLiteral("UNKNOWN"));
    }

    QString mouseSymbol()
    {
        return platform::SystemVersion::current().isAtLeast(12) ? QStringLiteral("computermouse")
                                                                : QStringLiteral("cursorarrow");
    }

    // The GAP Appearance: a category in the upper ten bits, a subcategory in the lower six.
    std::optional<QString> symbolOfAppearance(quint16 appearance)
    {
        switch (appearance) {
        case 0x0087: // computer: tablet
            return QStringLiteral("ipad");
        case 0x03C1: // keyboard
            return QStringLiteral("keyboard");
        case 0x03C2: // mouse
            return mouseSymbol();
        case 0x03C5: // digitizer tablet
        case 0x03C9: // touchpad
            return QStringLiteral("rectangle");
        case 0x0941: // earbud
            return QStringLiteral("airpods");
        default:
            break;
        }
        switch (appearance >> 6) {
        case 0x001:
            return QStringLiteral("iphone");
        case 0x002:
            return QStringLiteral("laptopcomputer");
        case 0x003:
            return QStringLiteral("applewatch");
        case 0x025: // wearable audio: headsets, headphones, neck bands
            return QStringLiteral("headphones");
        default:
            return std::nullopt;
        }
    }

    std::optional<QString> symbolOfClass(quint32 value)
    {
        const ClassOfDevice cod(value);
        switch (cod.major()) {
        case MajorClass::phone:
            return QStringLiteral("iphone");
        case MajorClass::computer:
            return QStringLiteral("laptopcomputer");
        case MajorClass::audioVideo:
            switch (cod.deviceType()) {
            case BluetoothDeviceType::wearableHeadsetDevice:
            case BluetoothDeviceType::handsFreeDevice:
            case BluetoothDeviceType::headphones:
                return QStringLiteral("headphones");
            default:
                return std::nullopt;
            }
        case MajorClass::peripheral:
            if (cod.category() == BluetoothDeviceType::keyboard
                || cod.category() == BluetoothDeviceType::comboKeyboardPointingDevice)
                return QStringLiteral("keyboard");
            if (cod.category() == BluetoothDeviceType::pointingDevice)
                return mouseSymbol();
            if (cod.deviceType() == BluetoothDeviceType::digitizerTablet)
                return QStringLiteral("rectangle");
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }

    // BlueZ's icon names, which it makes from the class or the appearance.
    std::optional<QString> symbolOfIcon(const QString &icon)
    {
        if (icon == QLatin1String("audio-headset") || icon == QLatin1String("audio-headphones"))
            return QStringLiteral("headphones");
        if (icon == QLatin1String("phone"))
            return QStringLiteral("iphone");
        if (icon == QLatin1String("computer"))
            return QStringLiteral("laptopcomputer");
        if (icon == QLatin1String("input-keyboard"))
            return QStringLiteral("keyboard");
        if (icon == QLatin1String("input-mouse"))
            return mouseSymbol();
        if (icon == QLatin1String("input-tablet"))
            return QStringLiteral("rectangle");
        return std::nullopt;
    }

    // The most telling first: the appearance names earbuds, the class a headset, the icon either.
    std::optional<QString> symbolOfKind(const platform::Peripheral::KindHints &hints)
    {
        std::optional<QString> symbol;
        if (hints.appearance)
            symbol = symbolOfAppearance(*hints.appearance);
        if (!symbol && hints.deviceClass)
            symbol = symbolOfClass(*hints.deviceClass);
        if (!symbol && hints.icon)
            symbol = symbolOfIcon(*hints.icon);
        return symbol;
    }
}

QString LowEnergyDevice::rawText(PropertyKey key)
{
    switch (key) {
    case PropertyKey::serialNumber:
        return QStringLiteral("serialNumber");
    case PropertyKey::hardwareRevision:
        return QStringLiteral("hardwareRevision");
    case PropertyKey::softwareRevision:
        return QStringLiteral("softwareRevision");
    case PropertyKey::firmware:
        return QStringLiteral("firmware");
    case PropertyKey::bluetoothSerial:
        break;
    }
    return QStringLiteral("bluetoothSerial");
}

std::optional<LowEnergyDevice::PropertyKey> LowEnergyDevice::propertyKeyFromRawText(const QString &text)
{
    for (auto key : { PropertyKey::serialNumber, PropertyKey::hardwareRevision, PropertyKey::softwareRevision,
             PropertyKey::firmware, PropertyKey::bluetoothSerial }) {
        if (rawText(key) == text)
            return key;
    }
    return std::nullopt;
}

const QStringList &LowEnergyDevice::logitechKeyboards()
{
    static const QStringList s_words { "K835", "Keys", "KEYS", "K860", "K600", "K375s", "CRAFT", "K780", "K280e",
        "K480", "K380", "K830", "K400", "K740", "K750", "K800", "K270", "K360" };
    return s_words;
}

const QStringList &LowEnergyDevice::logitechMice()
{
    static const QStringList s_words { "M575", "M350", "Anywhere", "M190", "Master", "M705", "MASTER", "Vertical",
        "M590", "M545", "M171", "ERGO", "M500", "M720", "M187", "M330", "M535", "M220", "M510", "M280", "M235", "M325",
        "M185" };
    return s_words;
}

LowEnergyDevice::LowEnergyDevice(std::shared_ptr<platform::Peripheral> peripheral)
    : BatteryDevice(DeviceType::undefined, QString())
    , m_peripheral(std::move(peripheral))
{
    if (m_peripheral)
        setSerial(m_peripheral->identifierString());
    setName(nameOr(m_peripheral));
    m_model = nameOr(m_peripheral);
    m_lastUpdate = platform::Clock::current().timestamp();
}

LowEnergyDevice::LowEnergyDevice(BaseFields fields)
    : BatteryDevice(std::move(fields))
{
}

std::shared_ptr<LowEnergyDevice> LowEnergyDevice::decode(const platform::Value &value)
{
    return std::shared_ptr<LowEnergyDevice>(new LowEnergyDevice(decodeBase(platform::KeyedDecoder(value))));
}

std::map<LowEnergyDevice::PropertyKey, QString> LowEnergyDevice::properties() const
{
    std::map<PropertyKey, QString> out;
    auto add = [&](PropertyKey key, const std::optional<QString> &text) {
        if (text)
            out[key] = *text;
    };
    add(PropertyKey::softwareRevision, m_softwareRevision);
    add(PropertyKey::hardwareRevision, m_hardwareRevision);
    add(PropertyKey::firmware, m_firmwareRevision);
    add(PropertyKey::serialNumber, m_serialNumber);
    add(PropertyKey::bluetoothSerial, m_bluetoothSerial);
    return out;
}

QString LowEnergyDevice::kindName() const
{
    if (m_isMouse)
        return localized(QStringLiteral("POINTING_DEVICE"));
    if (m_isKeyboard)
        return localized(QStringLiteral("KEYBOARD"));
    if (m_model) {
        const auto device = olvane::MobileDevices::device(*m_model);
        if (dynamic_cast<const olvane::Tablet *>(device.get()))
            return localized(QStringLiteral("TABLET"));
        if (dynamic_cast<const olvane::Watch *>(device.get()))
            return localized(QStringLiteral("APPLE_WATCH"));
        if (dynamic_cast<const olvane::Phone *>(device.get()))
            return localized(QStringLiteral("IPHONE"));
        if (dynamic_cast<const olvane::Audio *>(device.get()))
            return localized(QStringLiteral("IPOD"));
    }
    return localized(QStringLiteral("UNKNOWN"));
}

QString LowEnergyDevice::imageName() const
{
    if (internalName()) {
        const auto device = olvane::MobileDevices::device(*internalName());
        if (dynamic_cast<const olvane::Tablet *>(device.get()))
            return QStringLiteral("ipad");
        if (dynamic_cast<const olvane::Watch *>(device.get()))
            return QStringLiteral("applewatch");
        if (dynamic_cast<const olvane::Phone *>(device.get()))
            return QStringLiteral("iphone");
        if (dynamic_cast<const olvane::Audio *>(device.get()))
            return QStringLiteral("ipod");
    }
    if (manufacturer() && manufacturer()->contains(QLatin1String("Logitech"))) {
        const QStringList words = name().split(QLatin1Char(' '));
        for (const QString &word : words) {
            if (logitechMice().contains(word))
                return QStringLiteral("cursorarrow");
            if (logitechKeyboards().contains(word))
                return QStringLiteral("keyboard");
        }
    }
    if (m_isMouse)
        return mouseSymbol();
    if (m_isKeyboard)
        return QStringLiteral("keyboard");
    // Where the name tells no kind, what the system knows of the device does.
    const QString byName = baseImageName();
    if (byName == QLatin1String(kGenericSymbol) && m_peripheral) {
        if (auto symbol = symbolOfKind(m_peripheral->kindHints()))
            return *symbol;
    }
    return byName;
}

} // namespace fennic
