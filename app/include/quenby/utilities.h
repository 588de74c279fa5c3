#pragma once

#include <QColor>

#include <cstdint>

namespace quenby {

/// Drawing rules shared by the application's battery views.
class Utilities {
public:
    Utilities() = delete;

    /// The colour of a level bar. Without level colours it is the menu bar's text colour (white on a
    /// dark bar, black on a light one); with them, green above 19 % or while charging, red otherwise.
    /// The limit is fixed: it does not follow the low-battery threshold.
    static QColor levelColor(std::uint8_t level, bool useLevelColors, bool darkMenuBar, bool charging);
};

} // namespace quenby
