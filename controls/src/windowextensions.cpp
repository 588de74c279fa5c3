#include "pirrow/windowextensions.h"

#include <olvane/windowextensions.h>

namespace pirrow {

double WindowExtensions::titlebarHeight(const platform::ui::Window &window)
{
    return olvane::WindowExtensions::titleBarHeight(window);
}

} // namespace pirrow
