#include "fennic/lowenergydevice.h"

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
        return platform::SystemVersion::current().isAtLeast(12) ? QStringLiteral("computermouse")
                                                                : QStringLiteral("cursorarrow");
    if (m_isKeyboard)
        return QStringLiteral("keyboard");
    return baseImageName();
}

} // namespace fennic
