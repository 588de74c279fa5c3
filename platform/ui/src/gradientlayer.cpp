#include "platform/ui/gradientlayer.h"

#include "platform/ui/graphicscontext.h"

#include <cmath>

namespace platform::ui {

GradientLayer::GradientLayer(const GradientLayer &o, int tag)
    : Layer(o, tag)
    , m_colors(o.m_colors)
    , m_locations(o.m_locations)
    , m_startPoint(o.m_startPoint)
    , m_endPoint(o.m_endPoint)
    , m_type(o.m_type)
{
}

std::shared_ptr<Layer> GradientLayer::makeCopy() const { return std::shared_ptr<Layer>(new GradientLayer(*this, 0)); }

void GradientLayer::setColors(std::vector<Color> colors)
{
    for (Color &c : colors)
        c = c.resolved();
    if (m_colors == colors)
        return;
    m_colors = std::move(colors);
    changed();
}

void GradientLayer::setLocations(std::vector<double> locations)
{
    if (m_locations == locations)
        return;
    m_locations = std::move(locations);
    changed();
}

void GradientLayer::setStartPoint(Point p) { setAnimated(QStringLiteral("startPoint"), m_startPoint, p); }

void GradientLayer::setEndPoint(Point p) { setAnimated(QStringLiteral("endPoint"), m_endPoint, p); }

void GradientLayer::setType(Type t)
{
    if (m_type == t)
        return;
    m_type = t;
    changed();
}

void GradientLayer::drawInContext(GraphicsContext &context) const
{
    if (m_colors.empty())
        return;
    const Rect b = bounds();
    if (b.isEmpty())
        return;
    Gradient g { m_colors, m_locations.size() == m_colors.size() ? m_locations : std::vector<double>() };
    const Point start { b.x() + m_startPoint.x * b.width(), b.y() + m_startPoint.y * b.height() };
    const Point end { b.x() + m_endPoint.x * b.width(), b.y() + m_endPoint.y * b.height() };
    context.save();
    context.clipToRect(b);
    if (m_type == Type::radial)
        context.drawRadialGradient(g, start, 0, start, std::hypot(end.x - start.x, end.y - start.y), { true, true });
    else
        context.drawLinearGradient(g, start, end, { true, true });
    context.restore();
}

std::optional<LayerValue> GradientLayer::valueForKey(const QString &k) const
{
    if (k == QLatin1String("startPoint"))
        return m_startPoint;
    if (k == QLatin1String("endPoint"))
        return m_endPoint;
    return Layer::valueForKey(k);
}

bool GradientLayer::setValueForKey(const QString &k, const LayerValue &v)
{
    const Point *p = std::get_if<Point>(&v);
    if (k == QLatin1String("startPoint") && p)
        m_startPoint = *p;
    else if (k == QLatin1String("endPoint") && p)
        m_endPoint = *p;
    else
        return Layer::setValueForKey(k, v);
    changed();
    return true;
}

} // namespace platform::ui
