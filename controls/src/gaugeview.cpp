#include "pirrow/gaugeview.h"

#include "ringlayers_p.h"

namespace pirrow {

using namespace platform::ui;

GaugeView::GaugeView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_backgroundLayer(ShapeLayer::create())
    , m_progressLayer(ShapeLayer::create())
{
}

void GaugeView::setLineWidth(double width)
{
    m_lineWidth = width;
    layout();
}

void GaugeView::setUseRoundCap(bool on)
{
    m_useRoundCap = on;
    layout();
}

void GaugeView::setValue(double value)
{
    if (value == m_value)
        return;
    m_value = value < 0 ? 0 : value;
    updateLayers();
}

void GaugeView::layout()
{
    View::layout();
    updateLayers();
}

void GaugeView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

void GaugeView::updateLayers()
{
    setWantsLayer(true);
    m_backgroundLayer->removeFromSuperlayer();
    m_progressLayer->removeFromSuperlayer();
    layer()->addSublayer(m_backgroundLayer);
    layer()->addSublayer(m_progressLayer);
    drawBackground();
    drawProgress();
}

void GaugeView::drawBackground()
{
    const double r = bounds().width() / 2 - m_lineWidth / 2 - 1;
    detail::configureRing(*m_backgroundLayer, *this, m_lineWidth, Color::quaternaryLabel(),
        detail::ringTrack({ bounds().width() / 2, bounds().height() / 2 }, r), LineCap::round);
}

void GaugeView::drawProgress()
{
    const double r = bounds().width() / 2 - m_lineWidth / 2 - 1;
    detail::configureRing(*m_progressLayer, *this, m_lineWidth, Color::controlAccent(),
        detail::ringFill({ bounds().width() / 2, bounds().height() / 2 }, r),
        m_useRoundCap ? LineCap::round : LineCap::butt);
    m_progressLayer->setStrokeStart(0);
    m_progressLayer->setStrokeEnd(m_value);
}

} // namespace pirrow
