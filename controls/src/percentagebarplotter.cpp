#include "pirrow/percentagebarplotter.h"

#include "pirrow/constants.h"
#include "pirrow/plotterdelegate.h"
#include "pirrow/screenextensions.h"

namespace pirrow {

PercentageBarPlotter::PercentageBarPlotter(const platform::ui::Color &color)
    : m_color(color)
    , m_lineWidth(2 * Constants::onePixel())
{
}

void PercentageBarPlotter::setData(const PlotterData &)
{
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void PercentageBarPlotter::draw(const std::shared_ptr<platform::ui::Layer> &layer, double, double, double)
{
    if (!layer)
        return;
    m_barLayer->removeFromSuperlayer();
    if (!(m_end - m_start >= m_minDelta))
        return;
    const double W = layer->bounds().width(), H = layer->bounds().height();
    m_barLayer->setFrame(layer->bounds());
    m_barLayer->setContentsScale(ScreenExtensions::mainScale());
    m_barLayer->setPath(
        platform::ui::Path::rect(platform::ui::Rect(W * m_start, m_lineWidth / 2, W * (m_end - m_start), H)));
    m_barLayer->setLineWidth(m_lineWidth);
    m_barLayer->setStrokeColor(m_color);
    m_barLayer->setFillColor(m_color.withAlphaComponent(m_fillAlpha));
    layer->addSublayer(m_barLayer);
}

void PercentageBarPlotter::clear()
{
    m_barLayer->removeFromSuperlayer();
    m_delegate = nullptr;
    m_data.clear();
}

} // namespace pirrow
