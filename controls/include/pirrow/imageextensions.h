#pragma once

#include <platform/ui/color.h>
#include <platform/ui/image.h>

namespace pirrow {

/// Image helpers of the controls.
class ImageExtensions {
public:
    /// A template image becomes a coloured copy (no longer a template); any other image is returned as
    /// it is (the same object).
    static platform::ui::Image tinted(const platform::ui::Image &image, const platform::ui::Color &color);
    /// The image redrawn whole into a new image of `width` × `height` points.
    static platform::ui::Image resized(const platform::ui::Image &image, double width, double height);

    ImageExtensions() = delete;
};

} // namespace pirrow
