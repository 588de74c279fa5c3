#pragma once

#include "platform/core/value.h"

#include <QString>

namespace olvane {

/// One row of the Mac model table: a model identifier ("MacBookPro18,3") and its description.
struct MacDevice {
    QString model;
    QString description;

    bool operator==(const MacDevice &) const = default;

    /// {"model", "description"}.
    platform::Value encoded() const;
    /// Both keys are required texts; throws platform::DecodingError otherwise.
    static MacDevice decode(const platform::Value &value);
};

} // namespace olvane
