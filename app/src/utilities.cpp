#include "quenby/utilities.h"

namespace quenby {

QColor Utilities::levelColor(std::uint8_t level, bool useLevelColors, bool darkMenuBar, bool charging)
{
    if (!useLevelColors)
        return darkMenuBar ? QColor(255, 255, 255) : QColor(0, 0, 0);
    if (level > 19 || charging)
        return darkMenuBar ? QColor(16, 172, 16) : QColor(0, 156, 0);
    return QColor(255, 0, 40);
}

} // namespace quenby
