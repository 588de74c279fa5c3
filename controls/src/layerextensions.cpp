#include "pirrow/layerextensions.h"

#include <tavrin/layerextensions.h>

namespace pirrow {

platform::ui::Color LayerExtensions::colorAt(const platform::ui::Layer &layer, platform::ui::Point point)
{
    return tavrin::LayerExtensions::colorAt(layer, point);
}

} // namespace pirrow
