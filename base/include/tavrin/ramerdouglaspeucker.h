#pragma once

#include "tavrin/point.h"

#include <QList>

namespace tavrin {

/// Thins a polyline: keeps the points that carry its shape and drops those within `epsilon` of the
/// line between kept neighbours (perpendicular distance to the infinite line, not the segment).
class RamerDouglasPeucker {
public:
    /// The kept points in input order; the first always, the last when there are two or more.
    /// Empty for an empty list or an epsilon that is negative or not a number.
    static QList<Point> simplify(const QList<Point> &points, double epsilon);
    /// Appends to `result` the points kept after points[first], up to and including points[last].
    /// Appends nothing when first >= last, an index lies outside the list or epsilon is not >= 0.
    static void simplifyRange(
        qsizetype first, qsizetype last, const QList<Point> &points, QList<Point> &result, double epsilon);

    RamerDouglasPeucker() = delete;
};

} // namespace tavrin
