#include "tavrin/diskutilities.h"

#include "tavrin/constants.h"

#include <platform/core/format.h>

#include <cmath>
#include <optional>

namespace tavrin {

namespace {
    // The bit rate b = 8r is never formed: for r above 2^61 - 1 it would wrap. Every step below
    // compares r with the bit threshold divided by 8, which is exact for these thresholds.
    constexpr std::uint64_t kBitsPerByte = 8;

    QString trimmed(QString number)
    {
        while (number.endsWith(QLatin1Char('0')))
            number.chop(1);
        if (!number.isEmpty() && !number.back().isDigit())
            number.chop(1);
        return number;
    }

    std::optional<std::uint64_t> rateOf(std::uint64_t bytes, double seconds)
    {
        if (!(seconds > 0))
            return std::nullopt;
        const double rate = static_cast<double>(bytes) * (1.0 / seconds);
        // 2^64 as a double; a quotient at or beyond it (or not a number) has no 64-bit rate.
        if (!(rate < 18446744073709551616.0))
            return std::nullopt;
        return static_cast<std::uint64_t>(rate);
    }

    double scaled(std::uint64_t n, int power) { return std::ldexp(static_cast<double>(n), -power); }
}

QString DiskUtilities::byteCountString(std::uint64_t n)
{
    if (n == 0)
        return QStringLiteral("0 B");
    if (n <= 1023)
        return platform::format("%llu B", static_cast<unsigned long long>(n));

    struct Step {
        std::uint64_t atMost;
        int power;
        bool oneDecimal;
        const char *unit;
    };
    static constexpr Step steps[] = {
        { (std::uint64_t(1) << 20) - 1, 10, false, "KB" },
        { (std::uint64_t(1) << 30) - 1, 20, true, "MB" },
        { (std::uint64_t(1) << 40) - 1, 30, false, "GB" },
        { (std::uint64_t(1) << 50) - 1, 40, false, "TB" },
        { (std::uint64_t(1) << 60) - 1, 50, false, "PB" },
        { UINT64_MAX, 60, false, "EB" },
    };
    for (const Step &step : steps) {
        if (n <= step.atMost) {
            const double value = scaled(n, step.power);
            const QString number = step.oneDecimal ? platform::format("%.1f", value) : platform::format("%.2f", value);
            return trimmed(number) + QLatin1Char(' ') + QLatin1String(step.unit);
        }
    }
    return kNoValue; // not reached: the last step takes every count
}

QString DiskUtilities::transferRateString(std::uint64_t r, bool bits)
{
    if (bits) {
        if (r <= 999 / kBitsPerByte)
            return platform::format("%llu b/s", static_cast<unsigned long long>(r * kBitsPerByte));
        if (r <= 999'999 / kBitsPerByte)
            return platform::format("%llu Kb/s", static_cast<unsigned long long>(r / 125));
        if (r <= 999'999'999 / kBitsPerByte)
            return platform::format("%.2f Mb/s", static_cast<double>(r * kBitsPerByte) / 1e6);
        if (r < 125'000'000'000ULL)
            return platform::format("%.2f Gb/s", static_cast<double>(r * kBitsPerByte) / 1e9);
        return QStringLiteral("0 b/s");
    }
    if (r <= 1023)
        return platform::format("%llu B/s", static_cast<unsigned long long>(r));
    if (r <= 1'048'575)
        return platform::format("%llu KB/s", static_cast<unsigned long long>(r >> 10));
    if (r <= 1'073'741'823)
        return platform::format("%.2f MB/s", scaled(r, 20));
    return platform::format("%.2f GB/s", scaled(r, 30));
}

QString DiskUtilities::transferRateIntegerString(std::uint64_t r, bool bits)
{
    if (bits) {
        if (r <= 999 / kBitsPerByte)
            return platform::format("%llu b/s", static_cast<unsigned long long>(r * kBitsPerByte));
        if (r <= 999'999 / kBitsPerByte)
            return platform::format("%llu Kb/s", static_cast<unsigned long long>(r / 125));
        if (r <= 999'999'999 / kBitsPerByte)
            return platform::format("%llu Mb/s", static_cast<unsigned long long>(r / 125'000));
        return platform::format("%llu Gb/s", static_cast<unsigned long long>(r / 125'000'000));
    }
    if (r <= 1023)
        return platform::format("%llu B/s", static_cast<unsigned long long>(r));
    if (r <= 1'048'575)
        return platform::format("%llu KB/s", static_cast<unsigned long long>(r >> 10));
    if (r <= 1'073'741'823)
        return platform::format("%llu MB/s", static_cast<unsigned long long>(r >> 20));
    return platform::format("%.2f GB/s", scaled(r, 30));
}

QString DiskUtilities::transferRateString(std::uint64_t bytes, double seconds, bool bits)
{
    const auto rate = rateOf(bytes, seconds);
    return rate ? transferRateString(*rate, bits) : kNoValue;
}

QString DiskUtilities::transferRateIntegerString(std::uint64_t bytes, double seconds, bool bits)
{
    const auto rate = rateOf(bytes, seconds);
    return rate ? transferRateIntegerString(*rate, bits) : kNoValue;
}

} // namespace tavrin
