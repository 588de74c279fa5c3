#include "platform/ui/visualeffectview.h"

#include "platform/ui/graphicscontext.h"

namespace platform::ui {

VisualEffectView::VisualEffectView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void VisualEffectView::setMaterial(Material material)
{
    if (m_material == material)
        return;
    m_material = material;
    setNeedsDisplay();
}

void VisualEffectView::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    setNeedsDisplay();
}

void VisualEffectView::setEmphasized(bool emphasized)
{
    if (m_emphasized == emphasized)
        return;
    m_emphasized = emphasized;
    setNeedsDisplay();
}

Color VisualEffectView::materialColor() const
{
    switch (m_material) {
    case Material::selection:
        return m_emphasized ? Color::selectedContentBackground() : Color::unemphasizedSelectedContentBackground();
    case Material::titlebar:
    case Material::menu:
    case Material::popover:
    case Material::sidebar:
        return Color::controlBackground();
    case Material::windowBackground:
        break;
    }
    return Color::windowBackground();
}

void VisualEffectView::drawRect(GraphicsContext &context, const Rect &) { context.fillRect(bounds(), materialColor()); }

} // namespace platform::ui
