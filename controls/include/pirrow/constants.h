#pragma once

#include <cstdint>

namespace pirrow {

/// Shared sizes and units of the controls library.
class Constants {
public:
    static constexpr std::int64_t kilobyte = 1024;
    static constexpr std::int64_t megabyte = 1048576;
    static constexpr std::int64_t gigabyte = 1073741824;
    static constexpr std::int64_t terabyte = 1099511627776;
    static constexpr std::int64_t kilobit = 1000;
    static constexpr std::int64_t megabit = 1000000;
    static constexpr std::int64_t gigabit = 1000000000;
    static constexpr std::int64_t terabit = 1000000000000;

    /// One device pixel in points: 1 divided by the main screen's backing scale (1 without a screen),
    /// worked out at the first call and kept for the life of the process.
    static double onePixel();

    Constants() = delete;
};

} // namespace pirrow
