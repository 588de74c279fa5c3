#include "pirrow/curvedlineplotter.h"

#include "lineplotterlayers_p.h"
#include "pirrow/colors.h"
#include "pirrow/constants.h"
#include "pirrow/layerextensions.h"
#include "pirrow/plotterdelegate.h"
#include "pirrow/screenextensions.h"
#include "plotterthinning_p.h"

#include <algorithm>
#include <cmath>

namespace pirrow {

using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::ShapeLayer;

namespace {

    /// A quadratic segment from the path's current point, as the cubic that traces it.
    void addQuadAsCubic(Path &path, Point start, Point control, Point end)
    {
        const Point c1 { start.x + 2.0 / 3 * (control.x - start.x), start.y + 2.0 / 3 * (control.y - start.y) };
        const Point c2 { end.x + 2.0 / 3 * (control.x - end.x), end.y + 2.0 / 3 * (control.y - end.y) };
        path.curveTo(c1, c2, end);
    }

} // namespace

CurvedLinePlotter::CurvedLinePlotter(std::vector<Color> colors)
    : m_colors(std::move(colors))
    , m_fillColors { Colors::teal().withAlphaComponent(0.6), Colors::cyan().withAlphaComponent(0.25) }
    , m_lineWidth(4 * Constants::onePixel())
    , m_strokeColor(Colors::teal())
{
}

CurvedLinePlotter::CurvedLinePlotter(std::vector<Color> colors, bool fillArea)
    : CurvedLinePlotter(std::move(colors))
{
    m_fillArea = fillArea;
}

void CurvedLinePlotter::setData(const PlotterData &values)
{
    m_data = values;
    m_mData = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void CurvedLinePlotter::setPoints(std::vector<Point> points)
{
    m_points = std::move(points);
    if (m_delegate)
        m_delegate->plotterNeedsRedraw(*this);
}

void CurvedLinePlotter::clear()
{
    linelayers::detach(m_strokeLayer, m_fillLayer, m_markerLayers);
    m_delegate = nullptr;
    m_data.clear();
    m_mData.clear();
    m_points.clear();
    m_calculatedPoints.clear();
}

void CurvedLinePlotter::draw(const std::shared_ptr<Layer> &layer, double min, double max, double bottomInset)
{
    m_calculatedPoints.clear();
    linelayers::detach(m_strokeLayer, m_fillLayer, m_markerLayers);
    if (!layer || !(max > 0 && max >= min))
        return;

    m_strokeLayer = std::make_shared<GradientLayer>(layer, m_colors, layer->bounds());
    if (m_fillArea)
        m_fillLayer = std::make_shared<GradientLayer>(layer, m_fillColors, layer->bounds());
    if (!m_points.empty()) {
        drawFromPoints(*layer, max, bottomInset);
        if (m_fillArea)
            drawFillFromPoints(*layer, bottomInset);
    } else {
        drawLine(*layer, min, max, bottomInset);
        if (m_fillArea)
            drawFill(*layer, min, max, bottomInset);
    }
}

double CurvedLinePlotter::yPosition(
    std::optional<double> value, double min, double max, double height, double bottomInset) const
{
    const double base = height - bottomInset;
    if (!value)
        return base - m_lineWidth;
    if (std::isnan(*value))
        return base - 2 * m_lineWidth;
    // A zero span has no scale: such values lie on the bottom of the plot area.
    if (max == min)
        return base - m_lineWidth;
    return (base - m_lineWidth) * (1 - (*value - min) / (max - min));
}

void CurvedLinePlotter::addMarker(Layer &layer, double x, double y)
{
    if (!m_strokeLayer || m_lineJoinMarker != LineJoinMarker::circle)
        return;
    auto marker = ShapeLayer::create();
    marker->setFrame(layer.bounds());
    marker->setContentsScale(ScreenExtensions::mainScale());
    marker->setFillColor(LayerExtensions::colorAt(*m_strokeLayer->gradientLayer(), { x, y }));
    marker->setStrokeColor(std::nullopt);
    const double r = m_lineJoinMarkerThickness;
    marker->setPath(Path::ellipse(Rect(x - r, y - r, 2 * r, 2 * r)));
    m_markerLayers.push_back(marker);
    layer.addSublayer(marker);
}

void CurvedLinePlotter::truncate(double width)
{
    if (m_truncated)
        return;
    m_mData = thinnedPlotterData(m_data, width, m_minimumDistance);
}

std::vector<Point> CurvedLinePlotter::valuePoints(const Layer &layer, double min, double max, double bottomInset) const
{
    const size_t n = m_mData.size();
    const double W = layer.bounds().width(), H = layer.bounds().height(), lw = m_lineWidth;
    const double step = (W - 2 * lw) / double(n - 1);
    std::vector<Point> points;
    points.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double x = i == 0 ? 0 : i == n - 1 ? W + lw : double(i) * step;
        points.push_back({ x, yPosition(m_mData[i], min, max, H, bottomInset) + lw / 2 });
    }
    return points;
}

Path CurvedLinePlotter::curve(Layer &layer, Point move, const std::vector<Point> &points, bool markers, double min)
{
    Path path;
    path.moveTo(move);
    Point p = points.front();
    Point current = move;
    for (size_t i = 1; i < points.size(); ++i) {
        const Point q = points[i];
        const Point m { (p.x + q.x) / 2, (p.y + q.y) / 2 };
        const Point k1 { (p.x + m.x) / 2, std::max(0.0, p.y) };
        addQuadAsCubic(path, current, k1, m);
        const Point k2 { (m.x + q.x) / 2, std::max(0.0, q.y) };
        addQuadAsCubic(path, m, k2, q);
        current = q;
        if (markers && i < points.size() - 1 && m_mData[i] && *m_mData[i] > min) {
            addMarker(layer, p.x, p.y);
            addMarker(layer, q.x, q.y);
        }
        p = q;
    }
    return path;
}

void CurvedLinePlotter::drawLine(Layer &layer, double min, double max, double bottomInset)
{
    if (m_truncateData && !m_truncated)
        truncate(layer.frame().width());
    if (m_mData.size() < 2)
        return;
    const auto points = valuePoints(layer, min, max, bottomInset);
    const Path path = curve(layer, points.front(), points, true, min);
    linelayers::styleLine(*m_strokeLayer, *this, path);
}

void CurvedLinePlotter::drawFill(Layer &layer, double min, double max, double bottomInset)
{
    if (m_mData.size() < 2 || !m_fillLayer)
        return;
    const auto points = valuePoints(layer, min, max, bottomInset);
    Path path = curve(layer, { 0, points.front().y + m_lineWidth / 2 }, points, true, min);
    linelayers::closeDown(path, layer, m_lineWidth, bottomInset);
    m_fillLayer->setColors(m_fillColors);
    linelayers::styleFill(*m_fillLayer, *this, path);
}

std::vector<Point> CurvedLinePlotter::freePoints(const Layer &layer) const
{
    // The first position is drawn from the left edge and the last one line width past the right one.
    std::vector<Point> points = m_calculatedPoints;
    points.back().x = layer.bounds().width() + m_lineWidth;
    return points;
}

void CurvedLinePlotter::drawFromPoints(Layer &layer, double max, double bottomInset)
{
    const double W = layer.bounds().width(), H = layer.bounds().height(), lw = m_lineWidth;
    for (const Point &p : m_points)
        m_calculatedPoints.push_back({ std::isnan(p.x) ? W - lw : p.x / m_maxX * W,
            std::isnan(p.y) ? H - bottomInset - 2 * lw : (H - bottomInset - lw) * (1 - p.y / max) });
    if (m_calculatedPoints.empty())
        return;
    const auto points = freePoints(layer);
    std::vector<Point> through { Point { 0, points.front().y } };
    through.insert(through.end(), points.begin(), points.end());
    const Path path = curve(layer, through.front(), through, false, 0);
    linelayers::styleLine(*m_strokeLayer, *this, path);
}

void CurvedLinePlotter::drawFillFromPoints(Layer &layer, double bottomInset)
{
    if (m_calculatedPoints.empty() || !m_fillLayer)
        return;
    const auto points = freePoints(layer);
    std::vector<Point> through { Point { 0, points.front().y } };
    through.insert(through.end(), points.begin(), points.end());
    Path path = curve(layer, through.front(), through, false, 0);
    linelayers::closeDown(path, layer, m_lineWidth, bottomInset);
    m_fillLayer->setColors(m_fillColors);
    linelayers::styleFill(*m_fillLayer, *this, path);
}

} // namespace pirrow
