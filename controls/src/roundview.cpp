#include "pirrow/roundview.h"

namespace pirrow {

using namespace platform::ui;

RoundView::RoundView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_color(Color::secondaryLabel())
{
    update();
}

void RoundView::setColor(const Color &color)
{
    m_color = color;
    update();
}

void RoundView::setLineWidth(double width)
{
    m_lineWidth = width;
    update();
}

void RoundView::setRadius(double radius)
{
    m_radius = radius;
    update();
}

void RoundView::setBorderColor(std::optional<Color> color)
{
    m_borderColor = std::move(color);
    update();
}

void RoundView::update()
{
    setWantsLayer(true);
    const auto l = layer();
    const Appearance appearance = effectiveAppearance();
    l->setCornerRadius(m_radius);
    l->setBackgroundColor(m_color.resolved(appearance));
    l->setBorderColor(m_borderColor ? std::optional<Color>(m_borderColor->resolved(appearance)) : std::nullopt);
    l->setBorderWidth(m_lineWidth);
}

void RoundView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    update();
}

} // namespace pirrow
