#include "pirrow/utilities.h"

#include "pirrow/constants.h"

#include <array>
#include <limits>

namespace pirrow {

namespace {
    struct Step {
        double divisor;
        const char *unit;
    };

    // The step of the ladder a rate falls on: below the first unit the divisor is 1.
    Step step(std::uint64_t value, bool bits)
    {
        static const std::array<std::int64_t, 4> byteUnits { Constants::kilobyte, Constants::megabyte,
            Constants::gigabyte, Constants::terabyte };
        static const std::array<std::int64_t, 4> bitUnits { Constants::kilobit, Constants::megabit, Constants::gigabit,
            Constants::terabit };
        static const std::array<const char *, 5> byteTexts { "B/s", "KB/s", "MB/s", "GB/s", "TB/s" };
        static const std::array<const char *, 5> bitTexts { "b/s", "Kb/s", "Mb/s", "Gb/s", "Tb/s" };
        const auto &units = bits ? bitUnits : byteUnits;
        const auto &texts = bits ? bitTexts : byteTexts;
        // Counting in bits multiplies by 8; a rate that would overflow is beyond every unit.
        const bool overflows = bits && value > std::numeric_limits<std::uint64_t>::max() / 8;
        const std::uint64_t v = bits && !overflows ? value * 8 : value;
        int i = 0;
        while (i < 4 && (overflows || v >= std::uint64_t(units[size_t(i)])))
            ++i;
        if (i == 0)
            return { 1.0, texts[0] };
        return { double(float(units[size_t(i - 1)])), texts[size_t(i)] };
    }
} // namespace

double Utilities::dataRateDivisor(std::uint64_t value, bool bits) { return step(value, bits).divisor; }

QString Utilities::dataRateUnit(std::uint64_t value, bool bits) { return QString::fromLatin1(step(value, bits).unit); }

} // namespace pirrow
