#include "olvane/bezierpathextensions.h"

namespace olvane {

using platform::ui::BezierPath;
using platform::ui::Path;
using platform::ui::Point;

Path BezierPathExtensions::cgPath(const BezierPath &path)
{
    Path out;
    Point points[3];
    for (int i = 0; i < path.elementCount(); ++i) {
        switch (path.element(i, points)) {
        case BezierPath::ElementKind::moveTo:
            out.moveTo(points[0]);
            break;
        case BezierPath::ElementKind::lineTo:
            out.lineTo(points[0]);
            break;
        case BezierPath::ElementKind::curveTo:
            out.curveTo(points[0], points[1], points[2]);
            break;
        case BezierPath::ElementKind::closePath:
            out.closeSubpath();
            break;
        }
    }
    return out;
}

} // namespace olvane
