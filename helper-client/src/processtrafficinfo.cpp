#include "dorsk/processtrafficinfo.h"

#include "platform/core/coding.h"

namespace dorsk {

ProcessTrafficInfo::ProcessTrafficInfo(std::uint64_t pid, QString name, std::uint64_t sent, std::uint64_t received)
    : m_pid(pid)
    , m_name(std::move(name))
    , m_sent(sent)
    , m_received(received)
{
}

platform::Value ProcessTrafficInfo::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(QStringLiteral("pid"), m_pid);
    encoder.set(QStringLiteral("name"), m_name);
    encoder.set(QStringLiteral("sent"), m_sent);
    encoder.set(QStringLiteral("received"), m_received);
    return encoder.value();
}

ProcessTrafficInfo ProcessTrafficInfo::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    return { decoder.decodeExact<std::uint64_t>(QStringLiteral("pid")), decoder.decodeString(QStringLiteral("name")),
        decoder.decodeExact<std::uint64_t>(QStringLiteral("sent")),
        decoder.decodeExact<std::uint64_t>(QStringLiteral("received")) };
}

} // namespace dorsk
