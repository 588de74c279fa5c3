#include "olvane/menubarhostview.h"

#include "olvane/viewextensions.h"

#include <platform/ui/layer.h>
#include <platform/ui/menuitem.h>

using platform::ui::VisualEffectView;

namespace olvane {

MenuBarHostView::MenuBarHostView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    installEffectView();
}

void MenuBarHostView::setEmphasized(bool emphasized)
{
    m_isEmphasized = emphasized;
    setNeedsDisplay();
}

void MenuBarHostView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    if (m_effectView && m_effectView->layer())
        m_effectView->layer()->setCornerRadius(radius);
}

void MenuBarHostView::installEffectView()
{
    auto *effect = new VisualEffectView;
    effect->setState(VisualEffectView::State::active);
    effect->setMaterial(VisualEffectView::Material::selection);
    effect->setEmphasized(m_isEmphasized);
    effect->setBlendingMode(VisualEffectView::BlendingMode::behindWindow);
    effect->setWantsLayer(true);
    effect->layer()->setMasksToBounds(true);
    if (effect->layer())
        effect->layer()->setCornerRadius(3.0);
    // Below every other subview.
    const QList<View *> others = subviews();
    if (others.isEmpty())
        addSubview(effect);
    else
        addSubview(effect, Ordering::below, others.first());
    m_effectView = effect;
    ViewExtensions::pinToSuperview(*effect);
}

void MenuBarHostView::drawRect(platform::ui::GraphicsContext &, const platform::ui::Rect &)
{
    if (!m_effectView)
        return;
    const platform::ui::MenuItem *item = platform::ui::MenuItem::enclosingMenuItem(this);
    m_effectView->setHidden(!(item && item->isHighlighted()));
}

} // namespace olvane
