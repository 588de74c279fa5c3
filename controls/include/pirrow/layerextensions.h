#pragma once

#include <platform/ui/color.h>
#include <platform/ui/layer.h>

namespace pirrow {

/// Layer helpers of the graph framework.
class LayerExtensions {
public:
    /// The colour the layer shows on the one-pixel square at `point` (layer coordinates), premultiplied;
    /// fully transparent where it shows nothing.
    static platform::ui::Color colorAt(const platform::ui::Layer &layer, platform::ui::Point point);

    LayerExtensions() = delete;
};

} // namespace pirrow
