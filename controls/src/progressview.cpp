#include "pirrow/progressview.h"

#include "barlayers_p.h"

namespace pirrow {

using namespace platform::ui;

ProgressView::ProgressView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_bgLayer(ShapeLayer::create())
    , m_progressLayer(ShapeLayer::create())
    , m_color(Color::controlAccent())
{
    detail::prepareBar(*this, m_bgLayer, m_progressLayer);
}

void ProgressView::setColor(const Color &color)
{
    m_color = color;
    layout();
}

void ProgressView::setRoundCorners(bool on)
{
    m_roundCorners = on;
    layout();
}

void ProgressView::setAlpha(double alpha)
{
    m_alpha = alpha;
    layout();
}

void ProgressView::setValue(double value)
{
    m_value = value;
    layout();
}

void ProgressView::layout()
{
    View::layout();
    const double w = bounds().width();
    const double h = bounds().height();
    detail::layoutBar(*this, *m_bgLayer, *m_progressLayer, m_roundCorners ? h * 0.5 : 0,
        m_color.withAlphaComponent(m_alpha), m_color, { 0, h / 2 }, { w, h / 2 }, m_value);
}

void ProgressView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

} // namespace pirrow
