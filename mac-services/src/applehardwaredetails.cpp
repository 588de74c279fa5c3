#include "olvane/applehardwaredetails.h"

#include "platform/core/coding.h"

namespace olvane {

platform::Value AppleHardwareDetails::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(QStringLiteral("processor"), processor);
    encoder.set(QStringLiteral("description"), description);
    encoder.set(QStringLiteral("marketingModel"), marketingModel);
    encoder.set(QStringLiteral("model"), model);
    return encoder.value();
}

AppleHardwareDetails AppleHardwareDetails::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    return { decoder.decodeString(QStringLiteral("processor")), decoder.decodeString(QStringLiteral("description")),
        decoder.decodeString(QStringLiteral("marketingModel")), decoder.decodeString(QStringLiteral("model")) };
}

} // namespace olvane
