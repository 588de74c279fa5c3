#include "pirrow/pointaxis.h"

#include "axistext_p.h"

namespace pirrow {

using platform::ui::Color;
using platform::ui::Path;
using platform::ui::Rect;

PointAxis::PointAxis(std::vector<AxisPoint> points, double max)
    : m_points(std::move(points))
    , m_max(max)
{
}

void PointAxis::removeLayers()
{
    for (const auto &layer : m_layers)
        layer->removeFromSuperlayer();
    m_layers.clear();
}

void PointAxis::clear()
{
    removeLayers();
    m_points.clear();
}

void PointAxis::draw(const std::shared_ptr<platform::ui::Layer> &layer, double)
{
    removeLayers();
    if (!layer || m_points.empty())
        return;
    const double W = layer->bounds().width(), H = layer->bounds().height();
    const platform::ui::Font font = platform::ui::Font::systemFont(m_fontSize, m_fontWeight);
    Path ticks;
    for (const AxisPoint &point : m_points) {
        if (point.value() > m_max)
            return;
        const double x = W * (point.value() / m_max) - m_tickRadius / 2;
        ticks.moveTo({ x, H - 24 });
        ticks.lineTo({ x, H - 21 });
        if (const auto text = point.text()) {
            const auto size = measuredText(*text, font, { 64, 20 });
            Rect frame(x - size.width / 2, layer->frame().height() - 24 + 2 + size.height / 2, size.width, 20);
            if (frame.maxX() > W)
                frame.origin.x = W - size.width - 1;
            auto label = axisTextLayer(*text, font, Color::secondaryLabel(), platform::ui::TextAlignment::center);
            label->setWrapped(false);
            label->setFrame(frame);
            layer->addSublayer(label);
            m_layers.push_back(label);
        }
    }
    m_tickLayer->setPath(ticks);
    m_tickLayer->setStrokeColor(Color::tertiaryLabel());
    m_tickLayer->setFillColor(std::nullopt);
    m_layers.push_back(m_tickLayer);
    layer->addSublayer(m_tickLayer);
}

} // namespace pirrow
