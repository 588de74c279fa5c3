#include "pirrow/colorview.h"

namespace pirrow {

using namespace platform::ui;

ColorView::ColorView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_color(Color::separator())
{
    update();
}

void ColorView::setColor(const Color &color)
{
    m_color = color;
    if (const auto l = layer())
        l->setBackgroundColor(m_color.resolved(effectiveAppearance()));
}

void ColorView::update()
{
    setWantsLayer(true);
    layer()->setBackgroundColor(m_color.resolved(effectiveAppearance()));
    layer()->setCornerRadius(bounds().height() / 2);
    layer()->setMasksToBounds(true);
}

void ColorView::layout()
{
    View::layout();
    update();
}

void ColorView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    update();
}

} // namespace pirrow
