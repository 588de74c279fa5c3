#pragma once

#include "platform/core/value.h"

#include <optional>

namespace ammerl {

/// The charger's set points as the smart battery reports them in "ChargerData".
struct ChargerData {
    std::optional<double> chargingVoltage; ///< "ChargingVoltage" (millivolts), held in volts
    std::optional<double> vacVoltageLimit; ///< "VacVoltageLimit" (millivolts), held in volts
    std::optional<double> chargingCurrent; ///< "ChargingCurrent", milliamperes

    ChargerData() = default;
    explicit ChargerData(const platform::Value::Dictionary &dictionary);

    /// Writes each field whose key holds a number; the others keep their values.
    void load(const platform::Value::Dictionary &dictionary);

    /// Keyed coding: one key per field, named after it, written only when present.
    platform::Value encode() const;
    /// Throws platform::DecodingError when the value is not a dictionary or a key holds another type.
    static ChargerData decode(const platform::Value &value);

    bool operator==(const ChargerData &) const = default;
};

} // namespace ammerl
