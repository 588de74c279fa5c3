#pragma once

#include "platform/core/value.h"

#include <QString>

#include <cstdint>

namespace dorsk {

/// One fan as the helper application reports it; speeds in revolutions per minute.
///
/// Coded as a dictionary whose keys are the field names, all required.
struct Fan {
    QString identifier;
    QString name;
    std::int64_t rpm = 0;
    std::int64_t min = 0;
    std::int64_t max = 0;
    std::int64_t target = 0;

    /// An empty name becomes the localised word for a fan. Decoding keeps names as stored.
    Fan(QString identifier, QString name, std::int64_t rpm, std::int64_t min, std::int64_t max, std::int64_t target);

    /// Where the speed lies between min and max, from 0 to 1 (clamped). With max equal to min a speed
    /// above gives 1, below gives 0 and equal gives NaN.
    float fillRatio() const;

    platform::Value encoded() const;
    /// Throws platform::DecodingError when a key is missing or a value has the wrong type.
    static Fan decode(const platform::Value &value);

    bool operator==(const Fan &) const = default;

private:
    Fan() = default;
};

} // namespace dorsk
