#include "pirrow/straightlineplotter.h"

#include "lineplotterlayers_p.h"
#include "pirrow/colors.h"
#include "pirrow/constants.h"
#include "pirrow/layerextensions.h"
#include "pirrow/plotterdelegate.h"
#include "pirrow/screenextensions.h"
#include "plotterthinning_p.h"

#include <cmath>

namespace pirrow {

using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::ShapeLayer;

StraightLinePlotter::StraightLinePlotter(std::vector<Color> colors)
    : m_colors(std::move(colors))
    , m_fillColors { Colors::teal().withAlphaComponent(0.6), Colors::cyan().withAlphaComponent(0.25) }
    , m_lineWidth(4 * Constants::onePixel())
    , m_strokeColor(Colors::teal())
{
}

StraightLinePlotter::StraightLinePlotter(const Color &strokeColor, bool fillArea)
    : StraightLinePlotter(std::vector<Color> { Colors::teal(), Colors::cyan() })
{
    m_strokeColor = strokeColor;
    m_fillArea = fillArea;
}

void StraightLinePlotter::setData(const PlotterData &values)
{
    m_data = values;
    m_mData = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void StraightLinePlotter::setDrawNilMode(DrawNilMode mode)
{
    m_drawNilMode = mode;
    if (m_delegate)
        m_delegate->plotterNeedsRedraw(*this);
}

void StraightLinePlotter::setPoints(std::vector<Point> points)
{
    m_points = std::move(points);
    if (m_delegate)
        m_delegate->plotterNeedsRedraw(*this);
}

void StraightLinePlotter::clear()
{
    linelayers::detach(m_strokeLayer, m_fillLayer, m_markerLayers);
    m_delegate = nullptr;
    m_data.clear();
    m_mData.clear();
    setPoints({});
    m_calculatedPoints.clear();
}

void StraightLinePlotter::draw(const std::shared_ptr<Layer> &layer, double min, double max, double bottomInset)
{
    if (!layer)
        return;
    m_calculatedPoints.clear();
    linelayers::detach(m_strokeLayer, m_fillLayer, m_markerLayers);
    if (!(max > 0 && max >= min))
        return;

    m_strokeLayer = std::make_shared<GradientLayer>(layer, m_colors, layer->bounds());
    if (m_fillArea)
        m_fillLayer = std::make_shared<GradientLayer>(layer, m_fillColors, layer->bounds());
    if (!m_points.empty()) {
        drawFromPoints(*layer, max, bottomInset);
    } else {
        drawLine(*layer, min, max, bottomInset);
        if (m_fillArea)
            drawFill(*layer, min, max, bottomInset);
    }
}

double StraightLinePlotter::yPosition(
    std::optional<double> value, double min, double max, double height, double bottomInset) const
{
    return linelayers::yPosition(value, min, max, height, bottomInset, m_lineWidth);
}

void StraightLinePlotter::addMarker(Layer &layer, double x, double y)
{
    if (!m_strokeLayer || m_lineJoinMarker != LineJoinMarker::circle)
        return;
    auto marker = ShapeLayer::create();
    marker->setFrame(layer.bounds());
    marker->setContentsScale(ScreenExtensions::mainScale());
    marker->setFillColor(LayerExtensions::colorAt(*m_strokeLayer->gradientLayer(), { x, y }));
    marker->setStrokeColor(std::nullopt);
    const double r = m_lineJoinMarkerThickness;
    Path path;
    path.moveTo({ x, y });
    path.addEllipse(Rect(x - r, y - r, 2 * r, 2 * r));
    marker->setPath(path);
    m_markerLayers.push_back(marker);
    layer.addSublayer(marker);
}

void StraightLinePlotter::addCircle(Layer &layer, const Color &color, double radius, double x, double y)
{
    auto circle = ShapeLayer::create();
    circle->setFrame(layer.bounds());
    circle->setContentsScale(ScreenExtensions::mainScale());
    circle->setFillColor(color);
    circle->setStrokeColor(std::nullopt);
    Path path;
    path.moveTo({ x, y });
    path.addEllipse(Rect(x - radius, y - radius, 2 * radius, 2 * radius));
    circle->setPath(path);
    m_markerLayers.push_back(circle);
    layer.addSublayer(circle);
}

void StraightLinePlotter::truncate(double width)
{
    if (m_truncated)
        return;
    m_mData = thinnedPlotterData(m_data, width, m_minimumDistance);
}

std::optional<Path> StraightLinePlotter::walk(
    Layer &layer, double min, double max, double bottomInset, bool recordPoints)
{
    const size_t n = m_mData.size();
    if (n < 2)
        return std::nullopt;
    const bool stops = m_drawNilMode != DrawNilMode::drawMinValue;
    if (stops && !m_mData.front())
        return std::nullopt;

    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double lw = m_lineWidth;
    const double step = (W - 2 * lw) / double(n - 1);
    Path path;
    Point previous { 0, yPosition(m_mData.front(), min, max, H, bottomInset) + 1.0 };
    path.moveTo(previous);
    if (recordPoints)
        m_calculatedPoints.push_back(previous);
    for (size_t j = 1; j < n; ++j) {
        const auto &v = m_mData[j];
        if (!v && m_drawNilMode == DrawNilMode::stop)
            break;
        if (!v && m_drawNilMode == DrawNilMode::stopAndHighlightPreviousValue) {
            addCircle(layer, m_strokeColor.withAlphaComponent(0.25), m_outerMarkerRadius, previous.x, previous.y);
            addCircle(layer, m_strokeColor, m_innerMarkerRadius, previous.x, previous.y);
            break;
        }
        const bool last = j == n - 1;
        const Point point { last ? W + lw : double(j) * step + 1.0, yPosition(v, min, max, H, bottomInset) + lw * 0.5 };
        path.lineTo(point);
        if (recordPoints)
            m_calculatedPoints.push_back(point);
        if (!last && v && *v > min)
            addMarker(layer, point.x, point.y);
        previous = point;
    }
    return path;
}

void StraightLinePlotter::drawLine(Layer &layer, double min, double max, double bottomInset)
{
    if (m_truncateData && !m_truncated)
        truncate(layer.frame().width());
    auto path = walk(layer, min, max, bottomInset, true);
    if (!path || !m_strokeLayer)
        return;
    linelayers::styleLine(*m_strokeLayer, *this, *path);
}

void StraightLinePlotter::drawFill(Layer &layer, double min, double max, double bottomInset)
{
    auto path = walk(layer, min, max, bottomInset, false);
    if (!path || !m_fillLayer)
        return;
    linelayers::closeDown(*path, layer, m_lineWidth, bottomInset);
    linelayers::styleFill(*m_fillLayer, *this, *path);
}

void StraightLinePlotter::drawFromPoints(Layer &layer, double max, double bottomInset)
{
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double lw = m_lineWidth;
    const double base = H - bottomInset - lw;
    Path path;
    for (const Point &p : m_points) {
        const Point mapped { std::isnan(p.x) ? W - lw : p.x / m_maxX * W,
            std::isnan(p.y) ? base : base - p.y / max * base };
        m_calculatedPoints.push_back(mapped);
        if (path.isEmpty())
            path.moveTo(mapped);
        else
            path.lineTo(mapped);
    }
    if (!m_strokeLayer)
        return;
    GradientLayer &stroke = *m_strokeLayer;
    stroke.setColors(m_colors);
    if (m_fillArea) {
        linelayers::closeDown(path, layer, lw, bottomInset);
    } else {
        stroke.setFillColor(std::nullopt);
    }
    stroke.setPath(path);
    stroke.setLineWidth(lw);
    stroke.setLineJoin(m_lineJoin);
    stroke.setLineDashPhase(m_lineDashPhase);
    stroke.setLineDashPattern(m_lineDashPattern);
    stroke.setStartPoint(m_strokeStartPoint);
    stroke.setEndPoint(m_strokeEndPoint);
}

} // namespace pirrow
