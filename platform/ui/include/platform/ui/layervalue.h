#pragma once

#include "platform/ui/affinetransform.h"
#include "platform/ui/color.h"
#include "platform/ui/geometry.h"
#include "platform/ui/path.h"

#include <variant>

namespace platform::ui {

/// A value of an animatable layer property.
using LayerValue = std::variant<double, Point, Size, Rect, Color, Path, AffineTransform>;

/// The value at fraction `t` between `from` and `to` (t may leave 0…1 for overshooting timing).
/// Numbers, points, sizes, rectangles, colours (component-wise, resolved) and transforms (entry-wise)
/// blend; paths blend point by point when they have the same structure. Values of different kinds, and
/// paths that cannot blend, switch from `from` to `to` at t = 1.
LayerValue interpolate(const LayerValue &from, const LayerValue &to, double t);

QDebug operator<<(QDebug d, const LayerValue &v);

} // namespace platform::ui
