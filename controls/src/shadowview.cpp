#include "pirrow/shadowview.h"

namespace pirrow {

using namespace platform::ui;

ShadowView::ShadowView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void ShadowView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    update();
}

void ShadowView::setShadowRadius(double radius)
{
    m_shadowRadius = radius;
    update();
}

void ShadowView::update()
{
    setWantsLayer(true);
    const auto l = layer();
    const bool dark = effectiveAppearance().isDark();
    l->setBackgroundColor(dark ? Color::fromRGB255(28, 27, 29) : Color::white());
    l->setCornerRadius(m_cornerRadius);
    l->setShadowOpacity(0.15f);
    l->setShadowColor(dark ? Color::white() : Color::shadow().resolved(effectiveAppearance()));
    l->setShadowOffset({ 0, 0 });
    l->setShadowRadius(m_shadowRadius);
}

void ShadowView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    update();
}

void ShadowView::viewDidMoveToSuperview()
{
    View::viewDidMoveToSuperview();
    update();
}

} // namespace pirrow
