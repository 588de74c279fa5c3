#include "dorsk/updateinfo.h"

#include "platform/core/coding.h"

namespace dorsk {

platform::Value UpdateInfo::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(QStringLiteral("isUpdateAvailable"), isUpdateAvailable);
    encoder.set(QStringLiteral("serverVersion"), serverVersion);
    return encoder.value();
}

UpdateInfo UpdateInfo::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    return { decoder.decodeBool(QStringLiteral("isUpdateAvailable")),
        decoder.decodeString(QStringLiteral("serverVersion")) };
}

} // namespace dorsk
