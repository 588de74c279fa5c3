#pragma once

#include <platform/ui/bezierpath.h>
#include <platform/ui/path.h>

namespace olvane {

/// Path helpers.
class BezierPathExtensions {
public:
    /// A new path built element by element: moves, lines, cubic curves (to the element's third point,
    /// through its first two) and closes.
    static platform::ui::Path cgPath(const platform::ui::BezierPath &path);

    BezierPathExtensions() = delete;
};

} // namespace olvane
