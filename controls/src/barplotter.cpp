#include "pirrow/barplotter.h"

#include "barplottergeometry_p.h"
#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"

namespace pirrow {

using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::ShapeLayer;

BarPlotter::BarPlotter(const platform::ui::Color &color)
    : m_color(color)
    , m_lineWidth(2 * Constants::onePixel())
{
}

void BarPlotter::setData(const PlotterData &values)
{
    m_data = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void BarPlotter::removeBars() { removeBarLayers(m_barLayers); }

void BarPlotter::clear()
{
    removeBars();
    m_delegate = nullptr;
    m_data.clear();
}

Path BarPlotter::barPath(const Layer &layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double slot = W / double(m_data.size());
    const double gap = 0.2 * slot;
    return Path::rect(
        barRect(gap / 2 + double(index) * slot, slot - gap, H, bottomInset, m_data.at(index), max, collapsed));
}

std::shared_ptr<ShapeLayer> BarPlotter::makeBar(
    const Layer *layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    if (index >= m_data.size() || (m_data[index] && *m_data[index] == 0) || !layer)
        return nullptr;
    auto bar = strokedBar(*layer, barPath(*layer, index, max, collapsed, bottomInset), m_lineWidth);
    bar->setStrokeColor(m_color);
    bar->setFillColor(m_color.withAlphaComponent(m_fillAlpha));
    return bar;
}

void BarPlotter::draw(const std::shared_ptr<Layer> &layer, double, double max, double bottomInset)
{
    removeBars();
    if (m_data.empty())
        return;
    const bool collapsed = m_animationDuration && !m_alreadyAnimated;
    addBars(
        layer.get(), m_data.size(), [&](size_t i) { return makeBar(layer.get(), i, max, collapsed, bottomInset); },
        m_barLayers);
}

void BarPlotter::animate(const std::shared_ptr<Layer> &layer, double max, double bottomInset)
{
    if (!layer || !m_animationDuration || !m_timingFunction || m_alreadyAnimated)
        return;
    growBars(
        m_barLayers, m_data.size(), [&](size_t i) { return barPath(*layer, i, max, false, bottomInset); },
        *m_animationDuration, *m_timingFunction);
    m_alreadyAnimated = true;
}

} // namespace pirrow
