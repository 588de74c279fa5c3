#include "pirrow/capsuleplotter.h"

#include "barplottergeometry_p.h"
#include "gradientbars_p.h"
#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"

namespace pirrow {

using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::ShapeLayer;

CapsulePlotter::CapsulePlotter(std::vector<platform::ui::Color> colors)
    : m_colors(std::move(colors))
{
}

void CapsulePlotter::setData(const PlotterData &values)
{
    m_data = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void CapsulePlotter::removeBars() { gradientbars::remove(m_maskingLayers, m_gradientLayers); }

void CapsulePlotter::clear()
{
    removeBars();
    m_delegate = nullptr;
    m_data.clear();
}

Path CapsulePlotter::barPath(const Layer &layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double slot = W / double(m_data.size());
    const double gap = 0.4 * slot;
    const auto &value = m_data.at(index);
    const double x = gap / 2 + double(index) * slot, width = slot - gap;
    if (collapsed || !value)
        return Path::rect(barRect(x, width, H, bottomInset, value, max, true));
    const platform::ui::Rect r = barRect(x, width, H, bottomInset, value, max, false);
    return Path::roundedRect(r, width / 2, width / 2);
}

std::pair<std::shared_ptr<ShapeLayer>, std::shared_ptr<platform::ui::GradientLayer>> CapsulePlotter::makeBar(
    const Layer *layer, size_t index, double max, bool collapsed, double bottomInset) const
{
    if (index >= m_data.size() || !layer)
        return {};
    return gradientbars::make(*layer, barPath(*layer, index, max, collapsed, bottomInset), m_colors);
}

void CapsulePlotter::drawBars(const std::shared_ptr<Layer> &layer, double max, bool collapsed, double bottomInset)
{
    if (!layer || m_data.empty())
        return;
    gradientbars::add(
        *layer, m_data.size(), [&](size_t i) { return makeBar(layer.get(), i, max, collapsed, bottomInset); },
        m_maskingLayers, m_gradientLayers);
}

void CapsulePlotter::draw(const std::shared_ptr<Layer> &layer, double, double max, double bottomInset)
{
    removeBars();
    drawBars(layer, max, m_animationDuration && !m_alreadyAnimated, bottomInset);
}

void CapsulePlotter::animate(const std::shared_ptr<Layer> &layer, double max, double bottomInset)
{
    if (!layer || !m_animationDuration || !m_timingFunction || m_alreadyAnimated)
        return;
    growBars(
        m_maskingLayers, m_data.size(), [&](size_t i) { return barPath(*layer, i, max, false, bottomInset); },
        *m_animationDuration, *m_timingFunction);
    m_alreadyAnimated = true;
}

} // namespace pirrow
