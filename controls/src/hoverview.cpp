#include "pirrow/hoverview.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/trackingarea.h>

namespace pirrow {

using namespace platform::ui;

HoverView::HoverView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_hoverColor(Color::dynamic(QStringLiteral("highlightColor"), Color::white(), Color::fromWhite(0.7)))
{
}

void HoverView::awakeFromNib()
{
    addTrackingArea(std::make_shared<TrackingArea>(bounds(),
        TrackingArea::mouseEnteredAndExited | TrackingArea::activeAlways | TrackingArea::inVisibleRect, this));
}

void HoverView::setRadius(double radius)
{
    m_radius = radius;
    setNeedsDisplay();
}

void HoverView::resetHover()
{
    if (!m_enableHover)
        return;
    m_mouseOver = false;
    setNeedsDisplay();
}

void HoverView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    setNeedsDisplay();
}

void HoverView::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    if (m_mouseOver) {
        context.fillRoundedRect(bounds(), m_radius, m_radius, m_hoverColor);
        return;
    }
    View::drawRect(context, dirtyRect);
}

void HoverView::mouseEntered(const MouseEvent &event)
{
    View::mouseEntered(event);
    if (!m_enableHover)
        return;
    m_mouseOver = true;
    setNeedsDisplay();
}

void HoverView::mouseExited(const MouseEvent &event)
{
    View::mouseExited(event);
    if (!m_enableHover)
        return;
    m_mouseOver = false;
    setNeedsDisplay();
}

} // namespace pirrow
