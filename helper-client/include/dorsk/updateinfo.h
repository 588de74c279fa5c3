#pragma once

#include "platform/core/value.h"

#include <QString>

namespace dorsk {

/// The outcome of an update check; coded with the keys "isUpdateAvailable" and "serverVersion".
struct UpdateInfo {
    bool isUpdateAvailable = false;
    QString serverVersion;

    platform::Value encoded() const;
    static UpdateInfo decode(const platform::Value &value);

    bool operator==(const UpdateInfo &) const = default;
};

} // namespace dorsk
