#include "platform/ui/shapelayer.h"

#include "platform/ui/graphicscontext.h"

#include <algorithm>

namespace platform::ui {

ShapeLayer::ShapeLayer(const ShapeLayer &o, int tag)
    : Layer(o, tag)
    , m_path(o.m_path)
    , m_fillColor(o.m_fillColor)
    , m_fillRule(o.m_fillRule)
    , m_strokeColor(o.m_strokeColor)
    , m_lineWidth(o.m_lineWidth)
    , m_lineCap(o.m_lineCap)
    , m_lineJoin(o.m_lineJoin)
    , m_miterLimit(o.m_miterLimit)
    , m_dash(o.m_dash)
    , m_dashPhase(o.m_dashPhase)
    , m_strokeStart(o.m_strokeStart)
    , m_strokeEnd(o.m_strokeEnd)
{
}

std::shared_ptr<Layer> ShapeLayer::makeCopy() const { return std::shared_ptr<Layer>(new ShapeLayer(*this, 0)); }

void ShapeLayer::setPath(std::optional<Path> p)
{
    if (m_path == p)
        return;
    const auto from = p && m_path ? actionFrom(QStringLiteral("path")) : std::nullopt;
    m_path = std::move(p);
    didChange(QStringLiteral("path"), from);
}

void ShapeLayer::setFillColor(std::optional<Color> c)
{
    if (c)
        c = c->resolved();
    if (m_fillColor == c)
        return;
    const auto from = actionFrom(QStringLiteral("fillColor"));
    m_fillColor = c;
    didChange(QStringLiteral("fillColor"), from);
}

void ShapeLayer::setFillRule(FillRule r)
{
    if (m_fillRule == r)
        return;
    m_fillRule = r;
    changed();
}

void ShapeLayer::setStrokeColor(std::optional<Color> c)
{
    if (c)
        c = c->resolved();
    if (m_strokeColor == c)
        return;
    const auto from = actionFrom(QStringLiteral("strokeColor"));
    m_strokeColor = c;
    didChange(QStringLiteral("strokeColor"), from);
}

void ShapeLayer::setLineWidth(double w) { setAnimated(QStringLiteral("lineWidth"), m_lineWidth, w); }

void ShapeLayer::setLineCap(LineCap c)
{
    if (m_lineCap == c)
        return;
    m_lineCap = c;
    changed();
}

void ShapeLayer::setLineJoin(LineJoin j)
{
    if (m_lineJoin == j)
        return;
    m_lineJoin = j;
    changed();
}

void ShapeLayer::setMiterLimit(double m) { setAnimated(QStringLiteral("miterLimit"), m_miterLimit, m); }

void ShapeLayer::setLineDashPattern(std::vector<double> pattern)
{
    if (m_dash == pattern)
        return;
    m_dash = std::move(pattern);
    changed();
}

void ShapeLayer::setLineDashPhase(double phase) { setAnimated(QStringLiteral("lineDashPhase"), m_dashPhase, phase); }

void ShapeLayer::setStrokeStart(double s) { setAnimated(QStringLiteral("strokeStart"), m_strokeStart, s); }

void ShapeLayer::setStrokeEnd(double e) { setAnimated(QStringLiteral("strokeEnd"), m_strokeEnd, e); }

void ShapeLayer::drawInContext(GraphicsContext &context) const
{
    if (!m_path || m_path->isEmpty())
        return;
    if (m_fillColor && m_fillColor->alphaComponent() > 0)
        context.fillPath(*m_path, *m_fillColor, m_fillRule);
    if (m_strokeColor && m_strokeColor->alphaComponent() > 0 && m_lineWidth > 0) {
        const double start = std::clamp(m_strokeStart, 0.0, 1.0);
        const double end = std::clamp(m_strokeEnd, 0.0, 1.0);
        if (end <= start)
            return;
        StrokeStyle s;
        s.color = *m_strokeColor;
        s.lineWidth = m_lineWidth;
        s.lineCap = m_lineCap;
        s.lineJoin = m_lineJoin;
        s.miterLimit = m_miterLimit;
        s.dashPattern = m_dash;
        s.dashPhase = m_dashPhase;
        context.strokePath(start <= 0 && end >= 1 ? *m_path : m_path->trimmed(start, end), s);
    }
}

std::optional<LayerValue> ShapeLayer::valueForKey(const QString &k) const
{
    if (k == QLatin1String("path"))
        return m_path ? std::optional<LayerValue>(*m_path) : std::nullopt;
    if (k == QLatin1String("fillColor"))
        return m_fillColor.value_or(Color::clear());
    if (k == QLatin1String("strokeColor"))
        return m_strokeColor.value_or(Color::clear());
    if (k == QLatin1String("lineWidth"))
        return m_lineWidth;
    if (k == QLatin1String("strokeStart"))
        return m_strokeStart;
    if (k == QLatin1String("strokeEnd"))
        return m_strokeEnd;
    if (k == QLatin1String("lineDashPhase"))
        return m_dashPhase;
    if (k == QLatin1String("miterLimit"))
        return m_miterLimit;
    return Layer::valueForKey(k);
}

bool ShapeLayer::setValueForKey(const QString &k, const LayerValue &v)
{
    const double *d = std::get_if<double>(&v);
    const Color *c = std::get_if<Color>(&v);
    bool ok = true;
    if (k == QLatin1String("path") && std::holds_alternative<Path>(v))
        m_path = std::get<Path>(v);
    else if (k == QLatin1String("fillColor") && c)
        m_fillColor = c->resolved();
    else if (k == QLatin1String("strokeColor") && c)
        m_strokeColor = c->resolved();
    else if (k == QLatin1String("lineWidth") && d)
        m_lineWidth = *d;
    else if (k == QLatin1String("strokeStart") && d)
        m_strokeStart = *d;
    else if (k == QLatin1String("strokeEnd") && d)
        m_strokeEnd = *d;
    else if (k == QLatin1String("lineDashPhase") && d)
        m_dashPhase = *d;
    else if (k == QLatin1String("miterLimit") && d)
        m_miterLimit = *d;
    else
        ok = false;
    if (!ok)
        return Layer::setValueForKey(k, v);
    changed();
    return true;
}

} // namespace platform::ui
