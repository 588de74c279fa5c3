#pragma once

#include "platform/ui/affinetransform.h"
#include "platform/ui/geometry.h"

#include <QPainterPath>

#include <array>
#include <vector>

namespace platform::ui {

enum class FillRule { nonZero, evenOdd };

/// One element of a path with up to three points: a move or line uses point 0; a quadratic curve
/// has its control point at 0 and its end at 1; a cubic curve its control points at 0 and 1 and its
/// end at 2; closing a subpath uses none.
struct PathElement {
    enum class Kind { moveTo, lineTo, quadCurveTo, curveTo, closeSubpath };
    Kind kind = Kind::moveTo;
    std::array<Point, 3> points {};

    friend bool operator==(const PathElement &, const PathElement &) = default;
};

/// A geometric path in points: subpaths of lines and Bézier curves. Arcs, ellipses and rounded
/// rectangles are added as cubic curves. A value type; copies are independent.
class Path {
public:
    Path() = default;

    static Path rect(const Rect &r);
    static Path roundedRect(const Rect &r, double radiusX, double radiusY);
    static Path ellipse(const Rect &r);

    void moveTo(Point p);
    void lineTo(Point p);
    void quadCurveTo(Point control, Point end);
    void curveTo(Point control1, Point control2, Point end);
    void closeSubpath();
    void addRect(const Rect &r);
    /// Radii are limited to half the width and height.
    void addRoundedRect(const Rect &r, double radiusX, double radiusY);
    void addEllipse(const Rect &r);
    /// An arc around `center` from `startAngle` to `endAngle` (radians, counter-clockwise from the
    /// x axis in a y-up space). `clockwise` runs the other way. Joined to the current point by a line,
    /// or begun with a move when the path has none.
    void addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise);
    void addLines(const std::vector<Point> &points);
    void addPath(const Path &other, const AffineTransform &transform = {});

    const std::vector<PathElement> &elements() const { return m_elements; }
    int elementCount() const { return int(m_elements.size()); }
    bool isEmpty() const { return m_elements.empty(); }
    /// The end point of the last element, or empty when there is none.
    std::optional<Point> currentPoint() const;
    /// The smallest rectangle holding every point on the path (curves included, control points not).
    Rect boundingBox() const;
    bool contains(Point p, FillRule rule = FillRule::nonZero) const;
    /// The path with every point mapped.
    Path transformed(const AffineTransform &t) const;
    /// The part from fraction `start` to fraction `end` (0…1) of the path's length, curves flattened.
    Path trimmed(double start, double end) const;
    /// Whether both have the same sequence of element kinds (so they can be blended point by point).
    bool hasSameStructure(const Path &other) const;
    /// Point-by-point blend of two paths of the same structure at fraction t (else `t < 1 ? a : b`).
    static Path interpolated(const Path &a, const Path &b, double t);

    QPainterPath toQPainterPath(FillRule rule = FillRule::nonZero) const;
    static Path fromQPainterPath(const QPainterPath &p);

    friend bool operator==(const Path &, const Path &) = default;

private:
    std::vector<PathElement> m_elements;
    std::optional<Point> m_subpathStart;
};

QDebug operator<<(QDebug d, const Path &p);

} // namespace platform::ui
