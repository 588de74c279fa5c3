#include "pirrow/colortheme.h"

namespace pirrow {

std::optional<ColorTheme> colorThemeFromRawValue(int raw)
{
    if (raw < 0 || raw > 4)
        return std::nullopt;
    return ColorTheme(raw);
}

} // namespace pirrow
