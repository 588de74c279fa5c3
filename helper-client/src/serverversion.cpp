#include "dorsk/serverversion.h"

#include "platform/core/coding.h"

namespace dorsk {

ServerVersion ServerVersion::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    return { decoder.decodeString(QStringLiteral("version")) };
}

} // namespace dorsk
