#include "pirrow/screenextensions.h"

#include <platform/ui/screen.h>

namespace pirrow {

double ScreenExtensions::mainScale() { return platform::ui::Screen::mainBackingScaleFactor(); }

} // namespace pirrow
