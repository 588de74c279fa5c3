#include "olvane/windowextensions.h"

#include <platform/ui/view.h> // window.h holds views by QPointer
#include <platform/ui/window.h>

namespace olvane {

double WindowExtensions::titleBarHeight(const platform::ui::Window &window)
{
    return double(window.frameGeometry().height() - window.geometry().height()) + window.titlebarHeight();
}

} // namespace olvane
