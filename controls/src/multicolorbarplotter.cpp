#include "pirrow/multicolorbarplotter.h"

#include "barplottergeometry_p.h"
#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"

namespace pirrow {

using platform::ui::Color;
using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::ShapeLayer;

MultiColorBarPlotter::MultiColorBarPlotter(std::vector<Color> colors)
    : m_colors(std::move(colors))
    , m_lineWidth(2 * Constants::onePixel())
    , m_coloringMode(ColoringMode::array)
{
}

MultiColorBarPlotter::MultiColorBarPlotter(std::vector<std::shared_ptr<ColorRange>> ranges)
    : m_colorRanges(std::move(ranges))
    , m_lineWidth(2 * Constants::onePixel())
    , m_coloringMode(ColoringMode::ranges)
{
}

void MultiColorBarPlotter::setData(const PlotterData &values)
{
    m_data = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void MultiColorBarPlotter::removeBars() { removeBarLayers(m_barLayers); }

void MultiColorBarPlotter::clear()
{
    removeBars();
    m_delegate = nullptr;
    m_data.clear();
}

Path MultiColorBarPlotter::barPath(
    const Layer &layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double slot = W / double(m_data.size());
    return Path::rect(barRect(
        double(index) * slot + m_offset / 2, slot - m_offset, H, bottomInset, m_data.at(index), max, collapsed));
}

std::shared_ptr<ShapeLayer> MultiColorBarPlotter::makeBar(
    const Layer *layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    if (index >= m_data.size() || (m_data[index] && *m_data[index] == 0) || !layer)
        return nullptr;
    auto bar = strokedBar(*layer, barPath(*layer, index, max, collapsed, bottomInset), m_lineWidth);
    const auto paint = [&](const Color &c) {
        bar->setStrokeColor(c);
        bar->setFillColor(c.withAlphaComponent(m_fillAlpha));
    };
    const auto &value = m_data[index];
    if (m_coloringMode == ColoringMode::ranges) {
        if (value) {
            const auto range = ColorRange::find(m_colorRanges, *value);
            paint(range ? range->color() : Color::systemBlue());
        }
    } else if (m_colors.size() == m_data.size()) {
        paint(m_colors[index]);
    } else if (!m_colors.empty()) {
        paint(m_colors.front());
    }
    return bar;
}

void MultiColorBarPlotter::draw(const std::shared_ptr<Layer> &layer, double, double max, double bottomInset)
{
    removeBars();
    if (m_data.empty())
        return;
    const bool collapsed = m_animationDuration && !m_alreadyAnimated;
    addBars(
        layer.get(), m_data.size(), [&](size_t i) { return makeBar(layer.get(), i, max, collapsed, bottomInset); },
        m_barLayers);
}

void MultiColorBarPlotter::animate(const std::shared_ptr<Layer> &layer, double max, double bottomInset)
{
    if (!layer || !m_animationDuration || !m_timingFunction || m_alreadyAnimated)
        return;
    growBars(
        m_barLayers, m_data.size(), [&](size_t i) { return barPath(*layer, i, max, false, bottomInset); },
        *m_animationDuration, *m_timingFunction);
    m_alreadyAnimated = true;
}

} // namespace pirrow
