#pragma once

#include "platform/registry/registryentry.h"

#include <QString>

#include <optional>

namespace olvane {

/// Typed reads of registry entry properties that hold raw bytes. The entry stays the caller's.
class IOKitHelper {
public:
    IOKitHelper() = delete;

    /// The property's first four bytes as a little-endian unsigned number (missing bytes count as
    /// zero, so empty data is 0); none when the property is missing or not data.
    static std::optional<quint32> numberProperty(const platform::RegistryEntry &entry, const QString &key);
    /// The property's bytes as UTF-8 text; none when it is missing, not data or not valid UTF-8.
    static std::optional<QString> stringProperty(const platform::RegistryEntry &entry, const QString &key);
};

} // namespace olvane
