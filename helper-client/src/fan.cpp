#include "dorsk/fan.h"

#include "localization_p.h"
#include "platform/core/coding.h"

namespace dorsk {

Fan::Fan(
    QString identifier_, QString name_, std::int64_t rpm_, std::int64_t min_, std::int64_t max_, std::int64_t target_)
    : identifier(std::move(identifier_))
    , name(name_.isEmpty() ? localized(QStringLiteral("FAN")) : std::move(name_))
    , rpm(rpm_)
    , min(min_)
    , max(max_)
    , target(target_)
{
}

float Fan::fillRatio() const
{
    const float ratio = static_cast<float>(rpm - min) / static_cast<float>(max - min);
    if (ratio < 0.0F)
        return 0.0F;
    if (ratio > 1.0F)
        return 1.0F;
    return ratio;
}

platform::Value Fan::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(QStringLiteral("identifier"), identifier);
    encoder.set(QStringLiteral("name"), name);
    encoder.set(QStringLiteral("rpm"), rpm);
    encoder.set(QStringLiteral("min"), min);
    encoder.set(QStringLiteral("max"), max);
    encoder.set(QStringLiteral("target"), target);
    return encoder.value();
}

Fan Fan::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    Fan fan;
    fan.identifier = decoder.decodeString(QStringLiteral("identifier"));
    fan.name = decoder.decodeString(QStringLiteral("name"));
    fan.rpm = decoder.decodeExact<std::int64_t>(QStringLiteral("rpm"));
    fan.min = decoder.decodeExact<std::int64_t>(QStringLiteral("min"));
    fan.max = decoder.decodeExact<std::int64_t>(QStringLiteral("max"));
    fan.target = decoder.decodeExact<std::int64_t>(QStringLiteral("target"));
    return fan;
}

} // namespace dorsk
