#pragma once

#include <QDebug>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <cmath>

namespace platform::ui {

// Geometry in points. Unless a type says otherwise, coordinates grow to the right and upward, with
// the origin at the bottom left of the surface they belong to (a view's bounds, a layer's bounds, an
// image). Conversions to Qt's y-down rectangles need the height of the enclosing surface and live in
// the types that know it (View, the graphics contexts).

struct Point {
    double x = 0;
    double y = 0;

    friend constexpr bool operator==(const Point &, const Point &) = default;
    constexpr Point operator+(const Point &o) const { return { x + o.x, y + o.y }; }
    constexpr Point operator-(const Point &o) const { return { x - o.x, y - o.y }; }
    constexpr Point operator*(double f) const { return { x * f, y * f }; }
    QPointF toQPointF() const { return { x, y }; }
    static Point fromQPointF(const QPointF &p) { return { p.x(), p.y() }; }
};

struct Size {
    double width = 0;
    double height = 0;

    friend constexpr bool operator==(const Size &, const Size &) = default;
    constexpr Size operator*(double f) const { return { width * f, height * f }; }
    /// True when either side is zero or negative (nothing can be drawn in it).
    constexpr bool isEmpty() const { return !(width > 0 && height > 0); }
    QSizeF toQSizeF() const { return { width, height }; }
    static Size fromQSizeF(const QSizeF &s) { return { s.width(), s.height() }; }
};

/// Distances from the four edges, as for a view's content: top and bottom are measured from the
/// visual top and bottom whatever the coordinate direction.
struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    friend constexpr bool operator==(const EdgeInsets &, const EdgeInsets &) = default;
};

/// A rectangle given by its origin (the corner with the smallest x and y) and its size.
struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point o, Size s)
        : origin(o)
        , size(s)
    {
    }
    constexpr Rect(double x0, double y0, double w, double h)
        : origin { x0, y0 }
        , size { w, h }
    {
    }

    friend constexpr bool operator==(const Rect &, const Rect &) = default;

    constexpr double x() const { return origin.x; }
    constexpr double y() const { return origin.y; }
    constexpr double width() const { return size.width; }
    constexpr double height() const { return size.height; }
    constexpr double minX() const { return std::min(origin.x, origin.x + size.width); }
    constexpr double minY() const { return std::min(origin.y, origin.y + size.height); }
    constexpr double maxX() const { return std::max(origin.x, origin.x + size.width); }
    constexpr double maxY() const { return std::max(origin.y, origin.y + size.height); }
    constexpr double midX() const { return origin.x + size.width / 2; }
    constexpr double midY() const { return origin.y + size.height / 2; }
    constexpr Point center() const { return { midX(), midY() }; }
    constexpr bool isEmpty() const { return size.isEmpty(); }

    /// The same rectangle with a non-negative width and height.
    constexpr Rect standardized() const { return Rect(minX(), minY(), maxX() - minX(), maxY() - minY()); }
    /// Whether the point lies inside; the minimum edges belong to the rectangle, the maximum ones do not.
    constexpr bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
    constexpr bool intersects(const Rect &o) const
    {
        return !isEmpty() && !o.isEmpty() && minX() < o.maxX() && o.minX() < maxX() && minY() < o.maxY()
            && o.minY() < maxY();
    }
    /// Shrinks by dx on the left and right and dy at the bottom and top (negative values grow).
    constexpr Rect insetBy(double dx, double dy) const
    {
        const Rect s = standardized();
        return Rect(s.origin.x + dx, s.origin.y + dy, s.size.width - 2 * dx, s.size.height - 2 * dy);
    }
    constexpr Rect offsetBy(double dx, double dy) const
    {
        return Rect(origin.x + dx, origin.y + dy, size.width, size.height);
    }
    /// The common part, or an empty rectangle at the origin when there is none.
    Rect intersected(const Rect &o) const;
    /// The smallest rectangle holding both; an empty rectangle does not count.
    Rect united(const Rect &o) const;
    /// Shrinks by the insets in a y-up space: `top` is taken from maxY, `bottom` from minY.
    constexpr Rect inset(const EdgeInsets &in) const
    {
        const Rect s = standardized();
        return Rect(s.origin.x + in.left, s.origin.y + in.bottom, s.size.width - in.left - in.right,
            s.size.height - in.top - in.bottom);
    }

    /// This rectangle as a Qt rectangle with the same numbers (no flipping).
    QRectF toQRectF() const { return { origin.x, origin.y, size.width, size.height }; }
    static Rect fromQRectF(const QRectF &r) { return Rect(r.x(), r.y(), r.width(), r.height()); }
    /// The rectangle in a y-down space of the given height (and back: the mapping is its own inverse).
    constexpr Rect flipped(double containerHeight) const
    {
        return Rect(origin.x, containerHeight - origin.y - size.height, size.width, size.height);
    }
};

/// Whether two numbers agree to within a small tolerance (for geometry computed in floating point).
inline bool fuzzyEqual(double a, double b, double eps = 1e-9)
{
    return std::abs(a - b) <= eps * std::max({ 1.0, std::abs(a), std::abs(b) });
}
bool fuzzyEqual(const Point &a, const Point &b, double eps = 1e-9);
bool fuzzyEqual(const Rect &a, const Rect &b, double eps = 1e-9);

QDebug operator<<(QDebug d, const Point &p);
QDebug operator<<(QDebug d, const Size &s);
QDebug operator<<(QDebug d, const Rect &r);
QDebug operator<<(QDebug d, const EdgeInsets &e);

} // namespace platform::ui
