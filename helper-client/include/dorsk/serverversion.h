#pragma once

#include "platform/core/value.h"

#include <QString>

namespace dorsk {

/// The version file on the maker's web site: a JSON object whose "version" is a text; other members
/// are ignored.
struct ServerVersion {
    QString version;

    /// Throws platform::DecodingError when the value is not an object with a text "version".
    static ServerVersion decode(const platform::Value &value);
};

} // namespace dorsk
