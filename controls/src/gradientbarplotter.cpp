#include "pirrow/gradientbarplotter.h"

#include "barplottergeometry_p.h"
#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"
#include "pirrow/screenextensions.h"

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

void GradientBarPlotter::removeBars()
{
    for (const auto &mask : m_maskingLayers) {
        if (mask) {
            mask->removeAllAnimations();
            mask->removeFromSuperlayer();
        }
    }
    for (const auto &gradient : m_gradientLayers)
        if (gradient)
            gradient->removeFromSuperlayer();
    m_maskingLayers.clear();
    m_gradientLayers.clear();
}

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
    const double scale = ScreenExtensions::mainScale();
    auto mask = ShapeLayer::create();
    mask->setFrame(layer->bounds());
    mask->setPath(barPath(*layer, index, max, collapsed, bottomInset));
    mask->setStrokeColor(platform::ui::Color::clear());
    mask->setFillColor(platform::ui::Color::black());
    mask->setContentsScale(scale);
    auto gradient = platform::ui::GradientLayer::create();
    gradient->setFrame(layer->bounds());
    gradient->setContentsScale(scale);
    gradient->setColors(m_colors);
    gradient->setStartPoint({ 0.5, 0 });
    gradient->setEndPoint({ 0.5, 1 });
    gradient->setMask(mask);
    return { mask, gradient };
}

void GradientBarPlotter::drawBars(const std::shared_ptr<Layer> &layer, double max, bool collapsed, double bottomInset)
{
    if (!layer || m_data.empty())
        return;
    for (size_t i = 0; i < m_data.size(); ++i) {
        auto [mask, gradient] = makeBar(layer.get(), i, max, collapsed, bottomInset);
        m_maskingLayers.push_back(mask);
        m_gradientLayers.push_back(gradient);
        if (gradient)
            layer->addSublayer(gradient);
    }
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
    for (size_t i = 0; i < m_maskingLayers.size() && i < m_data.size(); ++i)
        if (const auto &mask = m_maskingLayers[i])
            mask->addAnimation(
                growAnimation(barPath(*layer, i, max, false, bottomInset), *m_animationDuration, *m_timingFunction),
                QStringLiteral("path"));
    m_alreadyAnimated = true;
}

} // namespace pirrow
