#include "pirrow/doublegauge.h"

#include "ringlayers_p.h"

namespace pirrow {

using namespace platform::ui;

DoubleGauge::DoubleGauge(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_backgroundLayerInner(ShapeLayer::create())
    , m_backgroundLayerOuter(ShapeLayer::create())
    , m_progressLayerInner(ShapeLayer::create())
    , m_progressLayerOuter(ShapeLayer::create())
    , m_colorInner(Color::separator())
    , m_colorOuter(Color::separator())
{
    setWantsLayer(true);
}

void DoubleGauge::awakeFromNib() { setWantsLayer(true); }

void DoubleGauge::setLineWidth(double width)
{
    m_lineWidth = width;
    layout();
}

void DoubleGauge::setValue1(double value)
{
    m_value1 = value;
    layout();
}

void DoubleGauge::setValue2(double value)
{
    m_value2 = value;
    layout();
}

void DoubleGauge::setColorInner(const Color &color)
{
    m_colorInner = color;
    layout();
}

void DoubleGauge::setColorOuter(const Color &color)
{
    m_colorOuter = color;
    layout();
}

void DoubleGauge::attach(const std::shared_ptr<ShapeLayer> &ring, void (DoubleGauge::*configure)())
{
    ring->removeFromSuperlayer();
    (this->*configure)();
    layer()->addSublayer(ring);
}

void DoubleGauge::layout()
{
    View::layout();
    attach(m_backgroundLayerInner, &DoubleGauge::drawInnerBackground);
    attach(m_backgroundLayerOuter, &DoubleGauge::drawOuterBackground);
    attach(m_progressLayerInner, &DoubleGauge::drawInnerProgress);
    attach(m_progressLayerOuter, &DoubleGauge::drawOuterProgress);
}

void DoubleGauge::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

namespace {

Point centerOf(const View &view) { return { view.bounds().width() / 2, view.bounds().height() / 2 }; }

} // namespace

// The ring of value1 has the larger radius; the one of value2 lies two line widths further in.
void DoubleGauge::drawInnerBackground()
{
    const double r = bounds().width() / 2 - 2 * m_lineWidth - 2;
    detail::configureRing(*m_backgroundLayerInner, *this, m_lineWidth, m_colorInner.withAlphaComponent(0.1),
        detail::gaugeTrack(centerOf(*this), r), LineCap::round);
}

void DoubleGauge::drawOuterBackground()
{
    const double r = bounds().width() / 2 - 4 * m_lineWidth - 2;
    detail::configureRing(*m_backgroundLayerOuter, *this, m_lineWidth, m_colorOuter.withAlphaComponent(0.1),
        detail::gaugeTrack(centerOf(*this), r), LineCap::round);
}

void DoubleGauge::drawInnerProgress()
{
    const double r = bounds().width() / 2 - 2 * m_lineWidth - 2;
    detail::configureRing(*m_progressLayerInner, *this, m_lineWidth, m_colorInner,
        detail::gaugeFill(centerOf(*this), r, m_value1), LineCap::round);
}

void DoubleGauge::drawOuterProgress()
{
    const double r = bounds().width() / 2 - 4 * m_lineWidth - 2;
    detail::configureRing(*m_progressLayerOuter, *this, m_lineWidth, m_colorOuter,
        detail::gaugeFill(centerOf(*this), r, m_value2), LineCap::round);
}

} // namespace pirrow
