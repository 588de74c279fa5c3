#include "pirrow/imageextensions.h"

#include <olvane/imageextensions.h>

namespace pirrow {

platform::ui::Image ImageExtensions::tinted(const platform::ui::Image &image, const platform::ui::Color &color)
{
    return olvane::ImageExtensions::tinted(image, color);
}

platform::ui::Image ImageExtensions::resized(const platform::ui::Image &image, double width, double height)
{
    return olvane::ImageExtensions::resized(image, width, height);
}

} // namespace pirrow
