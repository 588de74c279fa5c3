#pragma once

#include "platform/core/value.h"

#include <QString>

#include <cstdint>

namespace dorsk {

/// Network traffic of one process as the helper application reports it; counts in bytes.
///
/// Coded as a dictionary whose keys are the field names ("pid", "name", "sent", "received"), all
/// required, the numbers non-negative.
class ProcessTrafficInfo {
public:
    ProcessTrafficInfo(std::uint64_t pid, QString name, std::uint64_t sent, std::uint64_t received);

    std::uint64_t pid() const { return m_pid; }
    const QString &name() const { return m_name; }
    std::uint64_t sent() const { return m_sent; }
    std::uint64_t received() const { return m_received; }
    /// Sent plus received.
    std::uint64_t total() const { return m_sent + m_received; }

    platform::Value encoded() const;
    /// Throws platform::DecodingError when a key is missing or a value has the wrong type or sign.
    static ProcessTrafficInfo decode(const platform::Value &value);

    bool operator==(const ProcessTrafficInfo &) const = default;

private:
    std::uint64_t m_pid;
    QString m_name;
    std::uint64_t m_sent;
    std::uint64_t m_received;
};

} // namespace dorsk
