#include "pirrow/maskedoverlayview.h"

#include <platform/ui/graphicscontext.h>

namespace pirrow {

using platform::ui::Rect;
using platform::ui::View;

MaskedOverlayView::MaskedOverlayView(std::unique_ptr<View> content, std::unique_ptr<View> overlay)
    : View(Rect(0, 0, content ? content->frame().width() : 0, content ? content->frame().height() : 0))
    , m_content(std::move(content))
    , m_overlay(std::move(overlay))
{
    // Either part asking to be redrawn redraws the whole.
    for (View *part : { m_content.get(), m_overlay.get() })
        if (part)
            connect(part, &View::displayRequested, this, [this] { setNeedsDisplay(); });
}

MaskedOverlayView::~MaskedOverlayView() = default;

void MaskedOverlayView::layout()
{
    View::layout();
    if (m_content)
        m_content->setFrame(Rect(0, 0, bounds().width(), bounds().height()));
    if (m_overlay)
        m_overlay->setFrame(Rect(0, 0, bounds().width(), bounds().height()));
}

void MaskedOverlayView::drawRect(platform::ui::GraphicsContext &context, const Rect &)
{
    if (!m_content || !m_overlay)
        return;
    // The parts are not in this view's tree: they draw in its appearance.
    m_content->setAppearance(effectiveAppearance());
    m_overlay->setAppearance(effectiveAppearance());
    context.beginTransparencyLayer();
    m_overlay->render(context);
    context.beginMaskContent();
    m_content->render(context);
    context.endTransparencyLayer();
}

} // namespace pirrow
