#include "pirrow/positivenegativeplotter.h"

#include "lineplotterlayers_p.h"
#include "pirrow/colors.h"
#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"
#include "plotterthinning_p.h"

#include <cmath>

namespace pirrow {

using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::Point;

PositiveNegativePlotter::PositiveNegativePlotter(const Color &positive, const Color &negative)
    : m_positive(positive)
    , m_negative(negative)
    , m_lineWidth(4 * Constants::onePixel())
    , m_strokeColor(Colors::teal())
    , m_initialThickness(2 * Constants::onePixel())
{
}

void PositiveNegativePlotter::setData(const PlotterData &values)
{
    m_data = values;
    m_mData = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void PositiveNegativePlotter::setDrawNilMode(DrawNilMode mode)
{
    m_drawNilMode = mode;
    if (m_delegate)
        m_delegate->plotterNeedsRedraw(*this);
}

void PositiveNegativePlotter::clear()
{
    if (m_strokeLayer)
        m_strokeLayer->removeFromSuperlayer();
    if (m_initialLayer)
        m_initialLayer->removeFromSuperlayer();
    m_delegate = nullptr;
    m_data.clear();
    m_mData.clear();
    m_calculatedPoints.clear();
}

double PositiveNegativePlotter::yPosition(
    std::optional<double> value, double min, double max, double height, double bottomInset) const
{
    return linelayers::yPosition(value, min, max, height, bottomInset, m_lineWidth);
}

void PositiveNegativePlotter::truncate(double width)
{
    if (m_truncated)
        return;
    m_mData = thinnedPlotterData(m_data, width, m_minimumDistance);
}

void PositiveNegativePlotter::draw(const std::shared_ptr<Layer> &layer, double min, double max, double bottomInset)
{
    if (!layer)
        return;
    m_calculatedPoints.clear();
    if (m_strokeLayer)
        m_strokeLayer->removeFromSuperlayer();
    if (m_initialLayer)
        m_initialLayer->removeFromSuperlayer();
    if (!(max > 0 && max >= min))
        return;

    Color line = Color::black();
    if (!m_data.empty() && m_data.back()) {
        const double last = *m_data.back();
        if (last > m_initial)
            line = m_positive;
        else if (last < m_initial)
            line = m_negative;
    }
    m_strokeLayer = std::make_shared<GradientLayer>(layer, std::vector<Color> { line, line }, layer->bounds());
    m_initialLayer = std::make_shared<GradientLayer>(
        layer, std::vector<Color> { Color::separator(), Color::separator() }, layer->bounds());
    drawInitial(*layer, min, max, bottomInset);
    drawLine(*layer, min, max, bottomInset);
}

void PositiveNegativePlotter::drawInitial(Layer &layer, double min, double max, double bottomInset)
{
    if (!m_initialLayer)
        return;
    const double y = yPosition(m_initial, min, max, layer.bounds().height(), bottomInset) + 1.0;
    Path path;
    path.moveTo({ 0, y });
    path.lineTo({ layer.frame().width(), y });
    GradientLayer &reference = *m_initialLayer;
    reference.setStrokeColor(m_initialColor);
    reference.setFillColor(std::nullopt);
    reference.setLineWidth(m_initialThickness);
    reference.setLineDashPhase(m_initialLineDashPhase);
    reference.setLineDashPattern(m_initialLineDashPattern);
    reference.setPath(path);
}

void PositiveNegativePlotter::drawLine(Layer &layer, double min, double max, double bottomInset)
{
    if (m_truncateData && !m_truncated)
        truncate(layer.frame().width());
    const size_t n = m_mData.size();
    if (n < 2 || !m_strokeLayer)
        return;
    if (m_drawNilMode != DrawNilMode::drawMinValue && !m_mData.front())
        return;
    const double W = layer.bounds().width(), H = layer.bounds().height(), lw = m_lineWidth;
    const double step = (W - 2 * lw) / double(n - 1);
    Path path;
    const Point first { 0, yPosition(m_mData.front(), min, max, H, bottomInset) + 1.0 };
    path.moveTo(first);
    m_calculatedPoints.push_back(first);
    for (size_t j = 1; j < n; ++j) {
        if (!m_mData[j] && m_drawNilMode == DrawNilMode::stop)
            break;
        const Point p { j == n - 1 ? W + lw : double(j) * step + 1.0,
            yPosition(m_mData[j], min, max, H, bottomInset) + lw * 0.5 };
        path.lineTo(p);
        m_calculatedPoints.push_back(p);
    }
    linelayers::styleLine(*m_strokeLayer, *this, path);
}

} // namespace pirrow
