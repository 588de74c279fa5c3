#pragma once

#include <QString>

#include <cstdint>

namespace tavrin {

/// The text shown wherever a value is missing or cannot be computed.
inline const QString kNoValue = QStringLiteral("-");
/// The empty text.
inline const QString kEmpty = QString();

/// Fixed unit constants.
struct Constants {
    static constexpr std::int64_t kilobyte = 1024;
    static constexpr std::int64_t megabyte = 1048576;
    static constexpr std::int64_t gigabyte = 1073741824;
    static constexpr std::int64_t terabyte = 1099511627776;
    static constexpr std::int64_t petabyte = 1125899906842624;
    static constexpr std::int64_t exabyte = 1152921504606846976;
    static constexpr std::int64_t thousand = 1000;
    static constexpr std::int64_t million = 1000000;
    static constexpr std::int64_t billion = 1000000000;
    static constexpr std::int64_t trillion = 1000000000000;
    static constexpr std::int64_t quadrillion = 1000000000000000;
    static constexpr std::int64_t quintillion = 1000000000000000000;
};

} // namespace tavrin
