#include "pirrow/gradientbarplotter.h"

#include "barplottergeometry_p.h"
#include "gradientbars_p.h"
#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"

namespace pirrow {

using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::ShapeLayer;

GradientBarPlotter::GradientBarPlotter(std::vector<platform::ui::Color> colors)
    : m_colors(std::move(colors))
{
}

void GradientBarPlotter::setData(const PlotterData &values)
{
    m_data = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void GradientBarPlotter::removeBars() { gradientbars::remove(m_maskingLayers, m_gradientLayers); }

void GradientBarPlotter::clear()
{
    removeBars();
    m_delegate = nullptr;
    m_data.clear();
}

Path GradientBarPlotter::barPath(const Layer &layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double slot = W / double(m_data.size());
    const double gap = 0.2 * slot;
    const auto &value = m_data.at(index);
    return Path::rect(barRect(gap / 2 + double(index) * slot, slot - gap, H, bottomInset, value, max, collapsed));
}

std::pair<std::shared_ptr<ShapeLayer>, std::shared_ptr<platform::ui::GradientLayer>> GradientBarPlotter::makeBar(
    const Layer *layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    if (index >= m_data.size() || (m_data[index] && *m_data[index] == 0) || !layer)
        return {};
    return gradientbars::make(*layer, barPath(*layer, index, max, collapsed, bottomInset), m_colors);
}

void GradientBarPlotter::drawBars(const std::shared_ptr<Layer> &layer, double max, bool collapsed, double bottomInset)
{
    if (!layer || m_data.empty())
        return;
    gradientbars::add(
        *layer, m_data.size(), [&](size_t i) { return makeBar(layer.get(), i, max, collapsed, bottomInset); },
        m_maskingLayers, m_gradientLayers);
}

void GradientBarPlotter::draw(const std::shared_ptr<Layer> &layer, double, double max, double bottomInset)
{
    removeBars();
    drawBars(layer, max, m_animationDuration && !m_alreadyAnimated, bottomInset);
}

void GradientBarPlotter::animate(const std::shared_ptr<Layer> &layer, double max, double bottomInset)
{
    if (!layer || !m_animationDuration || !m_timingFunction || m_alreadyAnimated)
        return;
    growBars(
        m_maskingLayers, m_data.size(), [&](size_t i) { return barPath(*layer, i, max, false, bottomInset); },
        *m_animationDuration, *m_timingFunction);
    m_alreadyAnimated = true;
}

} // namespace pirrow
