#include "pirrow/gauge.h"

#include "pirrow/colors.h"
#include "ringlayers_p.h"

namespace pirrow {

using namespace platform::ui;

Gauge::Gauge(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    setWantsLayer(true);
}

void Gauge::awakeFromNib() { setWantsLayer(true); }

void Gauge::setColor(std::optional<Color> color)
{
    m_color = std::move(color);
    layout();
}

void Gauge::setLineWidth(double width)
{
    m_lineWidth = width;
    layout();
}

void Gauge::setValue(double value)
{
    if (value == m_value)
        return;
    m_value = value < 0 ? 0 : value > 1 ? 1 : value;
    layout();
}

void Gauge::layout()
{
    View::layout();
    if (m_backgroundLayer)
        m_backgroundLayer->removeFromSuperlayer();
    if (m_progressLayer)
        m_progressLayer->removeFromSuperlayer();
    m_backgroundLayer = ShapeLayer::create();
    m_progressLayer = ShapeLayer::create();
    drawBackground();
    drawProgress();
    layer()->addSublayer(m_backgroundLayer);
    layer()->addSublayer(m_progressLayer);
}

void Gauge::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

double Gauge::radius() const { return bounds().width() / 2 - 2 * m_lineWidth - 2; }

void Gauge::drawBackground()
{
    const Point center { bounds().width() / 2, bounds().height() / 2 };
    const std::optional<Color> track = m_color ? std::optional<Color>(m_color->withAlphaComponent(0.1)) : std::nullopt;
    detail::configureRing(
        *m_backgroundLayer, *this, m_lineWidth, track, detail::gaugeTrack(center, radius()), LineCap::round);
}

void Gauge::drawProgress()
{
    const Point center { bounds().width() / 2, bounds().height() / 2 };
    detail::configureRing(*m_progressLayer, *this, m_lineWidth, m_color.value_or(Colors::teal()),
        detail::gaugeFill(center, radius(), m_value), LineCap::round);
}

} // namespace pirrow
