#include "olvane/appearanceextensions.h"

#include <platform/ui/appearance.h>

namespace olvane {

bool AppearanceExtensions::isDark()
{
    return platform::ui::Appearance::current().name().toLower().contains(QLatin1String("dark"));
}

} // namespace olvane
