#include "olvane/screenextensions.h"

#include <platform/ui/screen.h>

namespace olvane {

double ScreenExtensions::pointsPerInch()
{
    const auto frame = platform::ui::Screen::mainFrame();
    const auto physical = platform::ui::Screen::mainPhysicalSize();
    if (!frame || !physical || physical->width <= 0)
        return 0;
    return frame->width() / physical->width * 25.4;
}

} // namespace olvane
