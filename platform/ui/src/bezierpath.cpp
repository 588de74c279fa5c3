#include "platform/ui/bezierpath.h"

#include "platform/ui/graphicscontext.h"

namespace platform::ui {

namespace {
    constexpr double kDegrees = 3.14159265358979323846 / 180.0;
}

BezierPath BezierPath::withRect(const Rect &r)
{
    BezierPath p;
    p.appendRect(r);
    return p;
}

BezierPath BezierPath::withRoundedRect(const Rect &r, double radiusX, double radiusY)
{
    BezierPath p;
    p.appendRoundedRect(r, radiusX, radiusY);
    return p;
}

BezierPath BezierPath::withOval(const Rect &r)
{
    BezierPath p;
    p.appendOval(r);
    return p;
}

void BezierPath::moveTo(Point p) { m_elements.push_back({ ElementKind::moveTo, { p, {}, {} } }); }

void BezierPath::lineTo(Point p) { m_elements.push_back({ ElementKind::lineTo, { p, {}, {} } }); }

void BezierPath::curveTo(Point end, Point control1, Point control2)
{
    m_elements.push_back({ ElementKind::curveTo, { control1, control2, end } });
}

void BezierPath::closePath() { m_elements.push_back({ ElementKind::closePath, {} }); }

void BezierPath::appendFrom(const Path &p, bool skipFirstMove)
{
    bool skipped = !skipFirstMove;
    for (const PathElement &e : p.elements()) {
        switch (e.kind) {
        case PathElement::Kind::moveTo:
            if (!skipped) {
                skipped = true;
                break;
            }
            moveTo(e.points[0]);
            break;
        case PathElement::Kind::lineTo:
            lineTo(e.points[0]);
            break;
        case PathElement::Kind::quadCurveTo: {
            // Raise the quadratic curve to a cubic one with the same shape.
            const Point p0 = currentPoint().value_or(e.points[0]);
            const Point c = e.points[0], end = e.points[1];
            curveTo(end, p0 + (c - p0) * (2.0 / 3.0), end + (c - end) * (2.0 / 3.0));
            break;
        }
        case PathElement::Kind::curveTo:
            curveTo(e.points[2], e.points[0], e.points[1]);
            break;
        case PathElement::Kind::closeSubpath:
            closePath();
            break;
        }
    }
}

std::optional<Point> BezierPath::currentPoint() const
{
    std::optional<Point> subpathStart;
    std::optional<Point> current;
    for (const Element &e : m_elements) {
        switch (e.kind) {
        case ElementKind::moveTo:
            subpathStart = current = e.points[0];
            break;
        case ElementKind::lineTo:
            current = e.points[0];
            break;
        case ElementKind::curveTo:
            current = e.points[2];
            break;
        case ElementKind::closePath:
            current = subpathStart;
            break;
        }
    }
    return current;
}

void BezierPath::appendRect(const Rect &r) { appendFrom(Path::rect(r), false); }

void BezierPath::appendRoundedRect(const Rect &r, double radiusX, double radiusY)
{
    appendFrom(Path::roundedRect(r, radiusX, radiusY), false);
}

void BezierPath::appendOval(const Rect &r) { appendFrom(Path::ellipse(r), false); }

void BezierPath::appendArc(Point center, double radius, double startAngle, double endAngle, bool clockwise)
{
    Path arc;
    const std::optional<Point> current = currentPoint();
    if (current)
        arc.moveTo(*current);
    arc.addArc(center, radius, startAngle * kDegrees, endAngle * kDegrees, clockwise);
    appendFrom(arc, current.has_value());
}

void BezierPath::appendPath(const BezierPath &other)
{
    m_elements.insert(m_elements.end(), other.m_elements.begin(), other.m_elements.end());
}

BezierPath::ElementKind BezierPath::element(int index, Point *points) const
{
    const Element &e = m_elements.at(size_t(index));
    if (points) {
        const int n = e.kind == ElementKind::curveTo ? 3 : e.kind == ElementKind::closePath ? 0 : 1;
        for (int i = 0; i < n; ++i)
            points[i] = e.points[size_t(i)];
    }
    return e.kind;
}

Path BezierPath::geometry() const
{
    Path p;
    for (const Element &e : m_elements) {
        switch (e.kind) {
        case ElementKind::moveTo:
            p.moveTo(e.points[0]);
            break;
        case ElementKind::lineTo:
            p.lineTo(e.points[0]);
            break;
        case ElementKind::curveTo:
            p.curveTo(e.points[0], e.points[1], e.points[2]);
            break;
        case ElementKind::closePath:
            p.closeSubpath();
            break;
        }
    }
    return p;
}

Rect BezierPath::bounds() const { return geometry().boundingBox(); }

bool BezierPath::contains(Point p) const { return geometry().contains(p, m_windingRule); }

void BezierPath::setLineDash(std::vector<double> pattern, double phase)
{
    m_dash = std::move(pattern);
    m_dashPhase = phase;
}

void BezierPath::fill(GraphicsContext &context) const
{
    context.fillPath(geometry(), context.fillColor(), m_windingRule);
}

void BezierPath::stroke(GraphicsContext &context) const
{
    StrokeStyle style;
    style.color = context.strokeColor();
    style.lineWidth = m_lineWidth;
    style.lineCap = m_lineCap;
    style.lineJoin = m_lineJoin;
    style.miterLimit = m_miterLimit;
    style.dashPattern = m_dash;
    style.dashPhase = m_dashPhase;
    context.strokePath(geometry(), style);
}

void BezierPath::addClip(GraphicsContext &context) const { context.clipToPath(geometry(), m_windingRule); }

} // namespace platform::ui
