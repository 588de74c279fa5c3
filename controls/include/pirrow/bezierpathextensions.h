#pragma once

#include <platform/ui/bezierpath.h>
#include <platform/ui/path.h>

namespace pirrow {

/// Path helpers of the controls and the graph framework.
class BezierPathExtensions {
public:
    /// A new path built element by element (moves, lines, cubic curves to their third point, closes).
    static platform::ui::Path cgPath(const platform::ui::BezierPath &path);

    BezierPathExtensions() = delete;
};

} // namespace pirrow
