#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace fennic {

/// Company names of the vendor identifiers the accessories report.
class Manufacturers {
public:
    Manufacturers() = delete;

    /// The table's company name for `vendorId`, or empty when the table has none.
    static std::optional<QString> name(std::uint16_t vendorId);
    /// The table's company name, or the localised "UNKNOWN_MANUFACTURER".
    static QString manufacturerName(std::uint16_t vendorId);
};

} // namespace fennic
