#pragma once

#include <QString>

#include <cstdint>

namespace pirrow {

/// Data-rate units of the controls library.
class Utilities {
public:
    /// The unit a rate (bytes per second) is divided by for display: with `bits` the rate is counted in
    /// bits on the ladder 1000, 10^6, 10^9, 10^12, else in bytes on 1024, 2^20, 2^30, 2^40. Each unit
    /// is taken at single precision (so 10^12 bits give 999999995904). Rates too large to count in
    /// bits stay on the top step.
    static double dataRateDivisor(std::uint64_t value, bool bits);
    /// The text of that unit: "b/s", "Kb/s", "Mb/s", "Gb/s", "Tb/s" or "B/s", "KB/s", "MB/s", "GB/s", "TB/s".
    static QString dataRateUnit(std::uint64_t value, bool bits);

    Utilities() = delete;
};

} // namespace pirrow
