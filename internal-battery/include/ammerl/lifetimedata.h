#pragma once

#include "platform/core/value.h"

#include <cstdint>
#include <optional>

namespace ammerl {

/// The battery's lifetime statistics ("BatteryData" → "LifetimeData"), as reported, without unit
/// conversion. A number wider than its field is cut to the field's width.
struct LifetimeData {
    std::optional<std::uint64_t> updateTime;
    std::optional<std::int64_t> averageTemperature;
    std::optional<std::int64_t> cycleCountLastQmax;
    std::optional<std::uint32_t> maximumChargeCurrent;
    std::optional<std::int32_t> maximumDischargeCurrent;
    std::optional<std::uint32_t> maximumPackVoltage;
    std::optional<std::int8_t> maximumTemperature;
    std::optional<std::uint32_t> minimumPackVoltage;
    std::optional<std::int8_t> minimumTemperature;

    LifetimeData() = default;
    explicit LifetimeData(const platform::Value::Dictionary &dictionary);

    /// Writes each field whose key (the field's name with an upper-case initial) holds a number;
    /// the others keep their values.
    void load(const platform::Value::Dictionary &dictionary);

    /// Keyed coding: one key per field, named after it, written only when present.
    platform::Value encode() const;
    /// Throws platform::DecodingError when the value is not a dictionary, a key holds another type or a
    /// number does not fit its field.
    static LifetimeData decode(const platform::Value &value);

    bool operator==(const LifetimeData &) const = default;
};

} // namespace ammerl
