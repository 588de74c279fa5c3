#include "pirrow/constants.h"

#include <platform/ui/screen.h>

namespace pirrow {

double Constants::onePixel()
{
    static const double s_onePixel = 1.0 / platform::ui::Screen::mainBackingScaleFactor();
    return s_onePixel;
}

} // namespace pirrow
