#pragma once

#include <platform/ui/color.h>
#include <platform/ui/image.h>
#include <platform/ui/layer.h>

namespace tavrin {

/// Pictures of layers.
class LayerExtensions {
public:
    /// A bitmap of the layer at one pixel per point: the frame's width and height truncated to whole
    /// pixels, the image sized as the frame in points. Blank when the size is not finite, not positive
    /// or beyond 16384 pixels a side.
    static platform::ui::Image image(const platform::ui::Layer &layer);
    /// The colour of the one-pixel square whose lower-left corner is `point` (layer coordinates), as the
    /// layer renders it: premultiplied components as they are; fully transparent black where nothing is drawn.
    static platform::ui::Color colorAt(const platform::ui::Layer &layer, platform::ui::Point point);

    LayerExtensions() = delete;
};

} // namespace tavrin
