#include "fennic/batterydevice.h"

#include "fennic/doublebatterydevice.h"
#include "fennic/singlebatterydevice.h"
#include "localization_p.h"
#include "platform/core/systemversion.h"

#include <tavrin/images.h>

#include <QHash>
#include <QUuid>

namespace fennic {

namespace {
    QString kindNameKey(DeviceType type)
    {
        switch (type) {
        case DeviceType::keyboard:
            return QStringLiteral("KEYBOARD");
        case DeviceType::mouse:
            return QStringLiteral("MOUSE");
        case DeviceType::trackpad:
            return QStringLiteral("TRACKPAD");
        case DeviceType::headphones:
            return QStringLiteral("HEADPHONES");
        case DeviceType::headset:
            return QStringLiteral("HEADSET");
        case DeviceType::chargingCase:
            return QStringLiteral("CHARGING_CASE");
        case DeviceType::undefined:
        case DeviceType::lowEnergy:
            break;
        }
        return QStringLiteral("UNKNOWN");
    }

    bool hasNewSymbols() { return platform::SystemVersion::current().isAtLeast(12); }

    QString mouseSymbol() { return hasNewSymbols() ? QStringLiteral("magicmouse") : QStringLiteral("cursorarrow"); }
}

BatteryDevice::BatteryDevice(DeviceType type, const std::optional<QString> &name)
    : m_type(type)
    , m_serial(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper())
{
    if (name && !name->isEmpty()) {
        m_name = *name;
    } else {
        m_name = localized(kindNameKey(type));
        if (m_name.isEmpty())
            m_name = localized(QStringLiteral("UNKNOWN"));
    }
}

BatteryDevice::BatteryDevice(BaseFields fields)
    : m_isCharging(fields.isCharging)
    , m_type(fields.type)
    , m_batteryLevel(fields.batteryLevel)
    , m_name(std::move(fields.name))
    , m_productId(fields.productId)
    , m_vendorId(fields.vendorId)
    , m_serial(std::move(fields.serial))
    , m_manufacturer(std::move(fields.manufacturer))
{
}

BatteryDevice::~BatteryDevice() = default;

BatteryDevice::BaseFields BatteryDevice::decodeBase(const platform::KeyedDecoder &decoder)
{
    BaseFields f;
    f.isCharging = decoder.decodeBool(QStringLiteral("isCharging"));
    const QString typeText = decoder.decodeString(QStringLiteral("type"));
    const auto type = deviceTypeFromRawText(typeText);
    if (!type)
        throw platform::DecodingError(QStringLiteral("unknown device type \"%1\"").arg(typeText));
    f.type = *type;
    f.batteryLevel = decoder.decodeExactIfPresent<std::uint8_t>(QStringLiteral("batteryLevel"));
    f.name = decoder.decodeString(QStringLiteral("name"));
    f.productId = decoder.decodeIntegerIfPresent(QStringLiteral("productId"));
    f.serial = decoder.decodeString(QStringLiteral("serial"));
    f.manufacturer = decoder.decodeStringIfPresent(QStringLiteral("manufacturer"));
    f.vendorId = decoder.decodeExactIfPresent<std::uint16_t>(QStringLiteral("vendorId"));
    return f;
}

std::shared_ptr<BatteryDevice> BatteryDevice::decode(const platform::Value &value)
{
    // The constructor is protected; the record is built only once every key has been read.
    struct Decoded : BatteryDevice {
        explicit Decoded(BaseFields f)
            : BatteryDevice(std::move(f))
        {
        }
    };
    return std::make_shared<Decoded>(decodeBase(platform::KeyedDecoder(value)));
}

void BatteryDevice::encode(platform::KeyedEncoder &encoder) const
{
    encoder.set(QStringLiteral("isCharging"), m_isCharging);
    encoder.set(QStringLiteral("type"), rawText(m_type));
    encoder.setIfPresent(QStringLiteral("batteryLevel"), m_batteryLevel);
    encoder.set(QStringLiteral("name"), m_name);
    encoder.setIfPresent(QStringLiteral("productId"), m_productId);
    encoder.set(QStringLiteral("serial"), m_serial);
    encoder.setIfPresent(QStringLiteral("manufacturer"), m_manufacturer);
    encoder.setIfPresent(QStringLiteral("vendorId"), m_vendorId);
}

platform::Value BatteryDevice::encoded() const
{
    platform::KeyedEncoder encoder;
    encode(encoder);
    return encoder.value();
}

bool BatteryDevice::operator==(const BatteryDevice &other) const
{
    return m_serial.toLower() == other.m_serial.toLower();
}

std::size_t BatteryDevice::hashValue() const { return qHash(m_serial.toLower()); }

std::size_t qHash(const BatteryDevice &device, std::size_t seed) { return qHash(device.serial().toLower(), seed); }

QString BatteryDevice::imageName() const { return baseImageName(); }

platform::ui::Image BatteryDevice::image() const { return tavrin::Images::symbol(imageName()); }

QString BatteryDevice::baseImageName() const
{
    const bool newSymbols = hasNewSymbols();
    switch (m_type) {
    case DeviceType::keyboard:
        return QStringLiteral("keyboard");
    case DeviceType::mouse:
        return mouseSymbol();
    case DeviceType::trackpad:
        return QStringLiteral("rectangle");
    case DeviceType::headphones:
    case DeviceType::headset:
        return QStringLiteral("headphones");
    case DeviceType::chargingCase:
        if (!newSymbols)
            return QStringLiteral("bolt.fill");
        return m_name.toLower().contains(QLatin1String("pro")) ? QStringLiteral("airpodspro.chargingcase.wireless")
                                                               : QStringLiteral("airpods.chargingcase");
    case DeviceType::lowEnergy:
        return QLatin1String(kGenericSymbol);
    case DeviceType::undefined:
        break;
    }

    const QString name = m_name.toLower();
    auto has = [&](const char *word) { return name.contains(QLatin1String(word)); };
    if (has("airpods2"))
        return newSymbols ? QStringLiteral("airpods.chargingcase") : QStringLiteral("bolt.fill");
    if (has("airpods") && has("pro"))
        return newSymbols ? QStringLiteral("airpodspro") : QStringLiteral("airpods");
    if (has("airpods") && has("max"))
        return newSymbols ? QStringLiteral("airpodsmax") : QStringLiteral("headphones");
    if (has("airpods"))
        return QStringLiteral("airpods");
    if (has("beats") && has("solo"))
        return newSymbols ? QStringLiteral("beats.headphones") : QStringLiteral("headphones");
    if (has("beats") && has("power"))
        return newSymbols ? QStringLiteral("beats.powerbeats") : QStringLiteral("headphones");
    if (has("magic") && has("mouse"))
        return mouseSymbol();
    return QLatin1String(kGenericSymbol);
}

const std::vector<std::shared_ptr<BatteryDevice>> &BatteryDevice::testDevices()
{
    static const std::vector<std::shared_ptr<BatteryDevice>> s_devices {
        std::make_shared<SingleBatteryDevice>(
            DeviceType::keyboard, QStringLiteral("Test Keyboard"), platform::Value(100)),
        std::make_shared<SingleBatteryDevice>(
            DeviceType::mouse, QStringLiteral("Test Magic Mouse"), platform::Value(66)),
        std::make_shared<SingleBatteryDevice>(
            DeviceType::trackpad, QStringLiteral("Test Trackpad"), platform::Value(33)),
        std::make_shared<DoubleBatteryDevice>(
            QStringLiteral("Test AirPods"), QStringLiteral("00-11-22-33"), 615, std::nullopt, 50, 50),
    };
    return s_devices;
}

} // namespace fennic
