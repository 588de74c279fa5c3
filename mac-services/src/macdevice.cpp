#include "olvane/macdevice.h"

#include "platform/core/coding.h"

namespace olvane {

platform::Value MacDevice::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(QStringLiteral("model"), model);
    encoder.set(QStringLiteral("description"), description);
    return encoder.value();
}

MacDevice MacDevice::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    return { decoder.decodeString(QStringLiteral("model")), decoder.decodeString(QStringLiteral("description")) };
}

} // namespace olvane
