#include "pirrow/verticalprogressview.h"

#include "barlayers_p.h"

namespace pirrow {

using namespace platform::ui;

VerticalProgressView::VerticalProgressView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_bgLayer(ShapeLayer::create())
    , m_progressLayer(ShapeLayer::create())
{
    detail::prepareBar(*this, m_bgLayer, m_progressLayer);
}

void VerticalProgressView::setValue(double value)
{
    m_value = value;
    layout();
}

void VerticalProgressView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    layout();
}

void VerticalProgressView::layout()
{
    View::layout();
    const double w = bounds().width();
    const double h = bounds().height();
    // The line is as wide as the view is high, like the horizontal bars; the root layer clips it.
    detail::layoutBar(*this, *m_bgLayer, *m_progressLayer, m_cornerRadius, Color::quaternaryLabel(),
        Color::controlAccent(), { w / 2, 0 }, { w / 2, h }, m_value);
}

void VerticalProgressView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

} // namespace pirrow
