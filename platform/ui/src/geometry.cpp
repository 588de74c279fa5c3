#include "platform/ui/geometry.h"

#include <algorithm>

namespace platform::ui {

Rect Rect::intersected(const Rect &o) const
{
    if (!intersects(o))
        return {};
    const double x0 = std::max(minX(), o.minX());
    const double y0 = std::max(minY(), o.minY());
    return Rect(x0, y0, std::min(maxX(), o.maxX()) - x0, std::min(maxY(), o.maxY()) - y0);
}

Rect Rect::united(const Rect &o) const
{
    if (isEmpty())
        return o.standardized();
    if (o.isEmpty())
        return standardized();
    const double x0 = std::min(minX(), o.minX());
    const double y0 = std::min(minY(), o.minY());
    return Rect(x0, y0, std::max(maxX(), o.maxX()) - x0, std::max(maxY(), o.maxY()) - y0);
}

bool fuzzyEqual(const Point &a, const Point &b, double eps)
{
    return fuzzyEqual(a.x, b.x, eps) && fuzzyEqual(a.y, b.y, eps);
}

bool fuzzyEqual(const Rect &a, const Rect &b, double eps)
{
    return fuzzyEqual(a.origin, b.origin, eps) && fuzzyEqual(a.size.width, b.size.width, eps)
        && fuzzyEqual(a.size.height, b.size.height, eps);
}

QDebug operator<<(QDebug d, const Point &p)
{
    QDebugStateSaver s(d);
    d.nospace() << "Point(" << p.x << ", " << p.y << ')';
    return d;
}

QDebug operator<<(QDebug d, const Size &sz)
{
    QDebugStateSaver s(d);
    d.nospace() << "Size(" << sz.width << " x " << sz.height << ')';
    return d;
}

QDebug operator<<(QDebug d, const Rect &r)
{
    QDebugStateSaver s(d);
    d.nospace() << "Rect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
    return d;
}

QDebug operator<<(QDebug d, const EdgeInsets &e)
{
    QDebugStateSaver s(d);
    d.nospace() << "EdgeInsets(top " << e.top << ", left " << e.left << ", bottom " << e.bottom << ", right " << e.right
                << ')';
    return d;
}

} // namespace platform::ui
