#pragma once

#include <QString>

#include <cstdint>

namespace tavrin {

/// Byte counts and transfer rates as short texts ("1.5 KB", "512 KB/s", "8.25 Mb/s"). Numbers are
/// written without a locale: "." as decimal separator, no grouping.
class DiskUtilities {
public:
    /// Binary steps of 1024 from "B" to "EB"; fractions trimmed of trailing zeros ("1.5 KB", "8 GB").
    static QString byteCountString(std::uint64_t bytes);

    /// The rate of `bytes` over `seconds`; "-" when the seconds are not above 0 or the rate does not
    /// fit 64 bits.
    static QString transferRateString(std::uint64_t bytes, double seconds, bool bits);
    /// Bits: decimal steps and "b" ("8.25 Mb/s"), "0 b/s" from 10^12 bits per second on; bytes:
    /// binary steps and "B" ("512 KB/s"). Decimals are never trimmed ("2.00 MB/s").
    static QString transferRateString(std::uint64_t bytesPerSecond, bool bits);
    static QString transferRateIntegerString(std::uint64_t bytes, double seconds, bool bits);
    /// As transferRateString with whole numbers, except gigabytes per second ("%.2f GB/s").
    static QString transferRateIntegerString(std::uint64_t bytesPerSecond, bool bits);

    DiskUtilities() = delete;
};

} // namespace tavrin
