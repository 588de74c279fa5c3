#pragma once

#include <platform/ui/geometry.h>

namespace tavrin {

/// Rectangle helpers.
class RectExtensions {
public:
    /// The rectangle's mid x and mid y.
    static platform::ui::Point center(const platform::ui::Rect &rect) { return { rect.midX(), rect.midY() }; }

    RectExtensions() = delete;
};

} // namespace tavrin
