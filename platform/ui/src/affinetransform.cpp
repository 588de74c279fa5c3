#include "platform/ui/affinetransform.h"

#include <algorithm>
#include <cmath>

namespace platform::ui {

AffineTransform AffineTransform::rotation(double radians)
{
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return { c, s, -s, c, 0, 0 };
}

AffineTransform AffineTransform::concatenated(const AffineTransform &o) const
{
    // (this ∘ o)(p) = this(o(p))
    return { m_a * o.m_a + m_c * o.m_b, m_b * o.m_a + m_d * o.m_b, m_a * o.m_c + m_c * o.m_d, m_b * o.m_c + m_d * o.m_d,
        m_a * o.m_tx + m_c * o.m_ty + m_tx, m_b * o.m_tx + m_d * o.m_ty + m_ty };
}

AffineTransform AffineTransform::inverted() const
{
    const double det = determinant();
    if (det == 0)
        return *this;
    const double ia = m_d / det, ib = -m_b / det, ic = -m_c / det, id = m_a / det;
    return { ia, ib, ic, id, -(ia * m_tx + ic * m_ty), -(ib * m_tx + id * m_ty) };
}

double AffineTransform::rotationAngle() const { return std::atan2(m_b, m_a); }

Rect AffineTransform::mapRect(const Rect &r) const
{
    const Point p[4] = { map({ r.minX(), r.minY() }), map({ r.maxX(), r.minY() }), map({ r.minX(), r.maxY() }),
        map({ r.maxX(), r.maxY() }) };
    double x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (const Point &q : p) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

QDebug operator<<(QDebug d, const AffineTransform &t)
{
    QDebugStateSaver s(d);
    d.nospace() << "AffineTransform(" << t.a() << ", " << t.b() << ", " << t.c() << ", " << t.d() << ", " << t.tx()
                << ", " << t.ty() << ')';
    return d;
}

} // namespace platform::ui
