#include "pirrow/hoverdisplaymode.h"

namespace pirrow {

std::optional<HoverDisplayMode> hoverDisplayModeFromRawValue(int raw)
{
    if (raw < 0 || raw > 2)
        return std::nullopt;
    return HoverDisplayMode(raw);
}

} // namespace pirrow
