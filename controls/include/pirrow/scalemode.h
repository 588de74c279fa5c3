#pragma once

#include <QHashFunctions>

#include <array>
#include <optional>

namespace pirrow {

/// The steps to which graphs round their bounds. Each case has a real raw value; equality and
/// hashing go by it.
enum class ScaleMode {
    none,
    one,
    two,
    three,
    four,
    five,
    ten,
    fifteen,
    twenty,
    twentyFive,
    thirty,
    thirtyFive,
    fourty,
    fourtyFive,
    fifty,
    hundred,
    thousand,
    kilobytes,
    megabytes
};

/// Every case in declaration order.
const std::array<ScaleMode, 19> &allScaleModes();
/// 0, 1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 100, 1000, 2^20 (kilobytes), 2^30 (megabytes).
double rawValue(ScaleMode mode);
/// The case whose raw value equals `raw` exactly, or none (also for NaN).
std::optional<ScaleMode> scaleModeFromRawValue(double raw);

inline size_t qHash(ScaleMode mode, size_t seed = 0) { return ::qHash(rawValue(mode), seed); }

} // namespace pirrow
