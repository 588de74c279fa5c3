#include "fennic/doublebatterydevice.h"

#include "fennic/manufacturers.h"
#include "platform/core/systemversion.h"

#include <tavrin/images.h>

namespace fennic {

DoubleBatteryDevice::DoubleBatteryDevice(const QString &name, const QString &serial, std::uint16_t vendorId,
    std::optional<std::int64_t> productId, std::optional<std::uint8_t> firstLevel,
    std::optional<std::uint8_t> secondLevel, const std::optional<QString> &typeText)
    : BatteryDevice(DeviceType::headphones, name)
    , m_firstLevel(firstLevel)
    , m_secondLevel(secondLevel)
{
    setSerial(serial);
    setManufacturer(Manufacturers::manufacturerName(vendorId));
    setProductId(productId);
    if (typeText) {
        if (const auto type = deviceTypeFromRawText(*typeText))
            setType(*type);
    }
}

DoubleBatteryDevice::DoubleBatteryDevice(
    BaseFields fields, std::optional<std::uint8_t> first, std::optional<std::uint8_t> second)
    : BatteryDevice(std::move(fields))
    , m_firstLevel(first)
    , m_secondLevel(second)
{
}

std::shared_ptr<DoubleBatteryDevice> DoubleBatteryDevice::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    BaseFields base = decodeBase(decoder);
    auto level = [&](const QString &key) -> std::optional<std::uint8_t> {
        if (!decoder.contains(key))
            throw platform::DecodingError(QStringLiteral("missing key \"%1\"").arg(key));
        if (decoder.isNull(key))
            return std::nullopt;
        return decoder.decodeExact<std::uint8_t>(key);
    };
    const auto first = level(QStringLiteral("firstLevel"));
    const auto second = level(QStringLiteral("secondLevel"));
    return std::shared_ptr<DoubleBatteryDevice>(new DoubleBatteryDevice(std::move(base), first, second));
}

void DoubleBatteryDevice::encode(platform::KeyedEncoder &encoder) const
{
    BatteryDevice::encode(encoder);
    encoder.setOrNull(QStringLiteral("firstLevel"), m_firstLevel);
    encoder.setOrNull(QStringLiteral("secondLevel"), m_secondLevel);
}

QString DoubleBatteryDevice::leftImageName() const
{
    const QString n = name().toLower();
    if (n.contains(QLatin1String("airpods")) && n.contains(QLatin1String("pro")))
        return QStringLiteral("airpodpro.left");
    if (n.contains(QLatin1String("airpods")))
        return QStringLiteral("airpod.left");
    if (n.contains(QLatin1String("beats")) && platform::SystemVersion::current().isAtLeast(12))
        return QStringLiteral("beats.powerbeatspro.left");
    return QStringLiteral("l.circle.fill");
}

QString DoubleBatteryDevice::rightImageName() const
{
    const QString n = name().toLower();
    if (n.contains(QLatin1String("airpods")) && n.contains(QLatin1String("pro")))
        return QStringLiteral("airpodpro.right");
    if (n.contains(QLatin1String("airpods")))
        return QStringLiteral("airpod.right");
    if (n.contains(QLatin1String("beats")) && platform::SystemVersion::current().isAtLeast(12))
        return QStringLiteral("beats.powerbeatspro.right");
    return QStringLiteral("r.circle.fill");
}

platform::ui::Image DoubleBatteryDevice::leftImage() const { return tavrin::Images::symbol(leftImageName()); }

platform::ui::Image DoubleBatteryDevice::rightImage() const { return tavrin::Images::symbol(rightImageName()); }

} // namespace fennic
