#pragma once

#include "platform/core/value.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace ammerl {

/// The connected power adapter as the smart battery reports it. Every field is empty when its key is
/// missing or holds a value of another type.
struct AdapterDetails {
    std::optional<QString> serial; ///< "SerialString"
    std::optional<std::int64_t> watts; ///< "Watts", watts
    std::optional<QString> description; ///< "Description"
    std::optional<QString> name; ///< "Name"
    std::optional<float> voltage; ///< "AdapterVoltage" (millivolts), held in volts
    std::optional<bool> isWireless; ///< "IsWireless"
    std::optional<QString> hwVersion; ///< "HwVersion"
    std::optional<QString> manufacturer; ///< "Manufacturer"

    AdapterDetails() = default;
    explicit AdapterDetails(const platform::Value::Dictionary &dictionary);

    /// Keyed coding: one key per field, named after it, written only when present.
    platform::Value encode() const;
    /// Throws platform::DecodingError when the value is not a dictionary or a key holds another type.
    static AdapterDetails decode(const platform::Value &value);

    bool operator==(const AdapterDetails &) const = default;
};

} // namespace ammerl
