#include "pirrow/horizontalprogressview.h"

#include "barlayers_p.h"

namespace pirrow {

using namespace platform::ui;

HorizontalProgressView::HorizontalProgressView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_bgLayer(ShapeLayer::create())
    , m_progressLayer(ShapeLayer::create())
{
    detail::prepareBar(*this, m_bgLayer, m_progressLayer);
}

void HorizontalProgressView::setValue(double value)
{
    m_value = value;
    layout();
}

void HorizontalProgressView::setColor(std::optional<Color> color)
{
    m_color = std::move(color);
    layout();
}

void HorizontalProgressView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    layout();
}

void HorizontalProgressView::layout()
{
    View::layout();
    const double w = bounds().width();
    const double h = bounds().height();
    const Color track = m_color ? m_color->withAlphaComponent(0.22) : Color::quaternaryLabel();
    const Color fill = m_color ? *m_color : Color::controlAccent();
    detail::layoutBar(*this, *m_bgLayer, *m_progressLayer, m_cornerRadius, track, fill, { 0, h / 2 }, { w, h / 2 },
        m_value);
}

void HorizontalProgressView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

} // namespace pirrow
