#include "platform/ui/path.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {
    constexpr double kPi = 3.14159265358979323846;
    // Control-point distance that makes a cubic curve follow a quarter circle of radius 1.
    constexpr double kKappa = 0.5522847498307936;
} // namespace

Path Path::rect(const Rect &r)
{
    Path p;
    p.addRect(r);
    return p;
}

Path Path::roundedRect(const Rect &r, double radiusX, double radiusY)
{
    Path p;
    p.addRoundedRect(r, radiusX, radiusY);
    return p;
}

Path Path::ellipse(const Rect &r)
{
    Path p;
    p.addEllipse(r);
    return p;
}

void Path::moveTo(Point p)
{
    m_elements.push_back({ PathElement::Kind::moveTo, { p, {}, {} } });
    m_subpathStart = p;
}

void Path::lineTo(Point p)
{
    if (!currentPoint()) {
        moveTo(p);
        return;
    }
    m_elements.push_back({ PathElement::Kind::lineTo, { p, {}, {} } });
}

void Path::quadCurveTo(Point control, Point end)
{
    if (!currentPoint())
        moveTo(control);
    m_elements.push_back({ PathElement::Kind::quadCurveTo, { control, end, {} } });
}

void Path::curveTo(Point control1, Point control2, Point end)
{
    if (!currentPoint())
        moveTo(control1);
    m_elements.push_back({ PathElement::Kind::curveTo, { control1, control2, end } });
}

void Path::closeSubpath()
{
    if (m_elements.empty() || m_elements.back().kind == PathElement::Kind::closeSubpath)
        return;
    m_elements.push_back({ PathElement::Kind::closeSubpath, {} });
}

void Path::addRect(const Rect &r0)
{
    const Rect r = r0.standardized();
    moveTo({ r.minX(), r.minY() });
    lineTo({ r.maxX(), r.minY() });
    lineTo({ r.maxX(), r.maxY() });
    lineTo({ r.minX(), r.maxY() });
    closeSubpath();
}

void Path::addRoundedRect(const Rect &r0, double rx, double ry)
{
    const Rect r = r0.standardized();
    rx = std::clamp(rx, 0.0, r.width() / 2);
    ry = std::clamp(ry, 0.0, r.height() / 2);
    if (rx <= 0 || ry <= 0) {
        addRect(r);
        return;
    }
    const double kx = rx * kKappa, ky = ry * kKappa;
    const double x0 = r.minX(), x1 = r.maxX(), y0 = r.minY(), y1 = r.maxY();
    moveTo({ x0 + rx, y0 });
    lineTo({ x1 - rx, y0 });
    curveTo({ x1 - rx + kx, y0 }, { x1, y0 + ry - ky }, { x1, y0 + ry });
    lineTo({ x1, y1 - ry });
    curveTo({ x1, y1 - ry + ky }, { x1 - rx + kx, y1 }, { x1 - rx, y1 });
    lineTo({ x0 + rx, y1 });
    curveTo({ x0 + rx - kx, y1 }, { x0, y1 - ry + ky }, { x0, y1 - ry });
    lineTo({ x0, y0 + ry });
    curveTo({ x0, y0 + ry - ky }, { x0 + rx - kx, y0 }, { x0 + rx, y0 });
    closeSubpath();
}

void Path::addEllipse(const Rect &r0)
{
    const Rect r = r0.standardized();
    const double rx = r.width() / 2, ry = r.height() / 2;
    const double cx = r.midX(), cy = r.midY();
    const double kx = rx * kKappa, ky = ry * kKappa;
    moveTo({ cx + rx, cy });
    curveTo({ cx + rx, cy + ky }, { cx + kx, cy + ry }, { cx, cy + ry });
    curveTo({ cx - kx, cy + ry }, { cx - rx, cy + ky }, { cx - rx, cy });
    curveTo({ cx - rx, cy - ky }, { cx - kx, cy - ry }, { cx, cy - ry });
    curveTo({ cx + kx, cy - ry }, { cx + rx, cy - ky }, { cx + rx, cy });
    closeSubpath();
}

void Path::addArc(Point c, double radius, double startAngle, double endAngle, bool clockwise)
{
    double sweep = endAngle - startAngle;
    if (clockwise) {
        if (sweep > 0)
            sweep = std::fmod(sweep, 2 * kPi) - 2 * kPi;
        if (sweep <= -2 * kPi)
            sweep = -2 * kPi;
    } else {
        if (sweep < 0)
            sweep = 2 * kPi + std::fmod(sweep, 2 * kPi);
        if (sweep >= 2 * kPi)
            sweep = 2 * kPi;
    }
    const Point start { c.x + radius * std::cos(startAngle), c.y + radius * std::sin(startAngle) };
    if (currentPoint())
        lineTo(start);
    else
        moveTo(start);
    const int segments = std::max(1, int(std::ceil(std::abs(sweep) / (kPi / 2) - 1e-9)));
    const double step = sweep / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    double a = startAngle;
    for (int i = 0; i < segments; ++i) {
        const double b = a + step;
        const Point p0 { c.x + radius * std::cos(a), c.y + radius * std::sin(a) };
        const Point p3 { c.x + radius * std::cos(b), c.y + radius * std::sin(b) };
        const Point c1 { p0.x - k * radius * std::sin(a), p0.y + k * radius * std::cos(a) };
        const Point c2 { p3.x + k * radius * std::sin(b), p3.y - k * radius * std::cos(b) };
        m_elements.push_back({ PathElement::Kind::curveTo, { c1, c2, p3 } });
        a = b;
    }
}

void Path::addLines(const std::vector<Point> &points)
{
    for (size_t i = 0; i < points.size(); ++i) {
        if (i == 0)
            moveTo(points[i]);
        else
            lineTo(points[i]);
    }
}

void Path::addPath(const Path &other, const AffineTransform &transform)
{
    const Path t = transform.isIdentity() ? other : other.transformed(transform);
    for (const PathElement &e : t.m_elements) {
        m_elements.push_back(e);
        if (e.kind == PathElement::Kind::moveTo)
            m_subpathStart = e.points[0];
    }
}

std::optional<Point> Path::currentPoint() const
{
    if (m_elements.empty())
        return std::nullopt;
    const PathElement &e = m_elements.back();
    switch (e.kind) {
    case PathElement::Kind::moveTo:
    case PathElement::Kind::lineTo:
        return e.points[0];
    case PathElement::Kind::quadCurveTo:
        return e.points[1];
    case PathElement::Kind::curveTo:
        return e.points[2];
    case PathElement::Kind::closeSubpath:
        return m_subpathStart;
    }
    return std::nullopt;
}

Rect Path::boundingBox() const
{
    if (m_elements.empty())
        return {};
    if (std::all_of(m_elements.begin(), m_elements.end(), [](const PathElement &e) {
            return e.kind != PathElement::Kind::quadCurveTo && e.kind != PathElement::Kind::curveTo;
        })) {
        // Lines only: the extremes of the points, also for degenerate (zero-area) paths.
        double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
        bool first = true;
        for (const PathElement &e : m_elements) {
            if (e.kind == PathElement::Kind::closeSubpath)
                continue;
            const Point p = e.points[0];
            if (first) {
                x0 = x1 = p.x;
                y0 = y1 = p.y;
                first = false;
            }
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        return Rect(x0, y0, x1 - x0, y1 - y0);
    }
    return Rect::fromQRectF(toQPainterPath().boundingRect());
}

bool Path::contains(Point p, FillRule rule) const { return toQPainterPath(rule).contains(p.toQPointF()); }

Path Path::transformed(const AffineTransform &t) const
{
    Path out = *this;
    for (PathElement &e : out.m_elements)
        for (Point &p : e.points)
            p = t.map(p);
    if (out.m_subpathStart)
        out.m_subpathStart = t.map(*out.m_subpathStart);
    return out;
}

Path Path::trimmed(double start, double end) const
{
    start = std::clamp(start, 0.0, 1.0);
    end = std::clamp(end, 0.0, 1.0);
    if (start <= 0 && end >= 1)
        return *this;
    Path out;
    if (end <= start)
        return out;
    const QList<QPolygonF> polys = toQPainterPath().toSubpathPolygons();
    double total = 0;
    for (const QPolygonF &poly : polys)
        for (int i = 1; i < poly.size(); ++i)
            total += QLineF(poly[i - 1], poly[i]).length();
    if (total <= 0)
        return out;
    const double from = start * total, to = end * total;
    double walked = 0;
    for (const QPolygonF &poly : polys) {
        bool drawing = false;
        for (int i = 1; i < poly.size(); ++i) {
            const QLineF seg(poly[i - 1], poly[i]);
            const double len = seg.length();
            const double s0 = walked, s1 = walked + len;
            walked = s1;
            if (len <= 0 || s1 < from || s0 > to)
                continue;
            const double t0 = std::max(0.0, (from - s0) / len);
            const double t1 = std::min(1.0, (to - s0) / len);
            const QPointF a = seg.pointAt(t0), b = seg.pointAt(t1);
            if (!drawing) {
                out.moveTo(Point::fromQPointF(a));
                drawing = true;
            }
            out.lineTo(Point::fromQPointF(b));
        }
    }
    return out;
}

bool Path::hasSameStructure(const Path &other) const
{
    return std::equal(m_elements.begin(), m_elements.end(), other.m_elements.begin(), other.m_elements.end(),
        [](const PathElement &a, const PathElement &b) { return a.kind == b.kind; });
}

Path Path::interpolated(const Path &a, const Path &b, double t)
{
    if (!a.hasSameStructure(b))
        return t < 1 ? a : b;
    Path out = a;
    for (size_t i = 0; i < out.m_elements.size(); ++i)
        for (size_t j = 0; j < 3; ++j) {
            const Point pa = a.m_elements[i].points[j], pb = b.m_elements[i].points[j];
            out.m_elements[i].points[j] = { pa.x + (pb.x - pa.x) * t, pa.y + (pb.y - pa.y) * t };
        }
    return out;
}

QPainterPath Path::toQPainterPath(FillRule rule) const
{
    QPainterPath p;
    p.setFillRule(rule == FillRule::evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    for (const PathElement &e : m_elements) {
        switch (e.kind) {
        case PathElement::Kind::moveTo:
            p.moveTo(e.points[0].toQPointF());
            break;
        case PathElement::Kind::lineTo:
            p.lineTo(e.points[0].toQPointF());
            break;
        case PathElement::Kind::quadCurveTo:
            p.quadTo(e.points[0].toQPointF(), e.points[1].toQPointF());
            break;
        case PathElement::Kind::curveTo:
            p.cubicTo(e.points[0].toQPointF(), e.points[1].toQPointF(), e.points[2].toQPointF());
            break;
        case PathElement::Kind::closeSubpath:
            p.closeSubpath();
            break;
        }
    }
    return p;
}

Path Path::fromQPainterPath(const QPainterPath &qp)
{
    Path p;
    for (int i = 0; i < qp.elementCount(); ++i) {
        const QPainterPath::Element e = qp.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            p.moveTo({ e.x, e.y });
            break;
        case QPainterPath::LineToElement:
            p.lineTo({ e.x, e.y });
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = qp.elementAt(i + 1);
            const QPainterPath::Element end = qp.elementAt(i + 2);
            p.curveTo({ e.x, e.y }, { c2.x, c2.y }, { end.x, end.y });
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return p;
}

QDebug operator<<(QDebug d, const Path &p)
{
    QDebugStateSaver s(d);
    d.nospace() << "Path(" << p.elementCount() << " elements, box " << p.boundingBox() << ')';
    return d;
}

} // namespace platform::ui
