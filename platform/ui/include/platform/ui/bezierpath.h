#pragma once

#include "platform/ui/color.h"
#include "platform/ui/path.h"
#include "platform/ui/strokestyle.h"

#include <vector>

namespace platform::ui {

class GraphicsContext;

/// A path that carries its own stroke attributes and draws itself, in the drawing code's own
/// vocabulary: elements are moves, lines, cubic curves and closes (a curve's end is its third point).
/// Arcs take degrees. A value type.
class BezierPath {
public:
    enum class ElementKind { moveTo, lineTo, curveTo, closePath };

    BezierPath() = default;
    static BezierPath withRect(const Rect &r);
    static BezierPath withRoundedRect(const Rect &r, double radiusX, double radiusY);
    static BezierPath withOval(const Rect &r);

    void moveTo(Point p);
    void lineTo(Point p);
    void curveTo(Point end, Point control1, Point control2);
    void closePath();
    void appendRect(const Rect &r);
    void appendRoundedRect(const Rect &r, double radiusX, double radiusY);
    void appendOval(const Rect &r);
    /// An arc from `startAngle` to `endAngle` in degrees, counter-clockwise unless `clockwise`.
    void appendArc(Point center, double radius, double startAngle, double endAngle, bool clockwise = false);
    void appendPath(const BezierPath &other);

    int elementCount() const { return int(m_elements.size()); }
    /// The kind of element `index`; its points (up to three) are written to `points` when given.
    ElementKind element(int index, Point *points = nullptr) const;
    bool isEmpty() const { return m_elements.empty(); }
    Rect bounds() const;
    bool contains(Point p) const;

    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    LineCap lineCapStyle() const { return m_lineCap; }
    void setLineCapStyle(LineCap c) { m_lineCap = c; }
    LineJoin lineJoinStyle() const { return m_lineJoin; }
    void setLineJoinStyle(LineJoin j) { m_lineJoin = j; }
    double miterLimit() const { return m_miterLimit; }
    void setMiterLimit(double m) { m_miterLimit = m; }
    FillRule windingRule() const { return m_windingRule; }
    void setWindingRule(FillRule r) { m_windingRule = r; }
    void setLineDash(std::vector<double> pattern, double phase);
    const std::vector<double> &lineDashPattern() const { return m_dash; }
    double lineDashPhase() const { return m_dashPhase; }

    /// Fills with the context's fill colour.
    void fill(GraphicsContext &context) const;
    /// Strokes with the context's stroke colour and this path's stroke attributes.
    void stroke(GraphicsContext &context) const;
    /// Intersects the context's clip with this path.
    void addClip(GraphicsContext &context) const;

    /// The same geometry as a plain path (for drawing; the element-by-element conversion the
    /// libraries use is theirs).
    Path geometry() const;

private:
    struct Element {
        ElementKind kind;
        std::array<Point, 3> points;
    };
    std::vector<Element> m_elements;
    double m_lineWidth = 1;
    LineCap m_lineCap = LineCap::butt;
    LineJoin m_lineJoin = LineJoin::miter;
    double m_miterLimit = 10;
    FillRule m_windingRule = FillRule::nonZero;
    std::vector<double> m_dash;
    double m_dashPhase = 0;

    void appendFrom(const Path &p, bool skipFirstMove);
    std::optional<Point> currentPoint() const;
};

} // namespace platform::ui
