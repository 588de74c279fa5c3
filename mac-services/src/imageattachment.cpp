#include "olvane/imageattachment.h"

#include <cmath>

namespace olvane {

ImageAttachment::ImageAttachment(const platform::ui::Image &image, const std::optional<platform::ui::Font> &font)
{
    if (!font)
        return;
    const platform::ui::Size size = image.size();
    // Rounded before halving, halves away from zero: y lands on a multiple of 0.5.
    const double d = std::round(font->capHeight() - size.height);
    m_bounds = platform::ui::Rect(0, d * 0.5, size.width, size.height);
    m_image = image;
}

} // namespace olvane
