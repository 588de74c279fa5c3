#pragma once

#include "platform/core/value.h"

#include <QString>

namespace olvane {

/// Hardware names of a Mac model as the system's server-information resources give them.
struct AppleHardwareDetails {
    QString processor;
    QString description;
    QString marketingModel;
    QString model;

    bool operator==(const AppleHardwareDetails &) const = default;

    platform::Value encoded() const;
    /// All four keys are required texts; throws platform::DecodingError otherwise.
    static AppleHardwareDetails decode(const platform::Value &value);
};

} // namespace olvane
