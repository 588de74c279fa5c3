#include "pirrow/tileview.h"

#include "pirrow/colors.h"
#include "pirrow/tileviewdelegate.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/trackingarea.h>

namespace pirrow {

using namespace platform::ui;

TileViewDelegate::~TileViewDelegate() = default;

TileView::TileView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void TileView::awakeFromNib()
{
    addTrackingArea(std::make_shared<TrackingArea>(bounds(),
        TrackingArea::mouseEnteredAndExited | TrackingArea::activeAlways | TrackingArea::inVisibleRect, this));
}

void TileView::setRadius(double radius)
{
    m_radius = radius;
    setNeedsDisplay();
}

void TileView::setSelected(bool selected)
{
    m_isSelected = selected;
    setNeedsDisplay();
}

void TileView::resetHover()
{
    if (!m_enableHover)
        return;
    m_mouseOver = false;
    setNeedsDisplay();
}

void TileView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    setNeedsDisplay();
}

void TileView::drawRect(GraphicsContext &context, const Rect &)
{
    const Rect b = bounds();
    const Color fill = m_mouseOver ? Colors::secondaryBackground() : Colors::background();
    context.fillRoundedRect(b, m_radius, m_radius, fill);
    if (m_isSelected) {
        StrokeStyle selection;
        selection.color = Color::link().resolved(effectiveAppearance());
        selection.lineWidth = 3;
        context.strokePath(Path::roundedRect(b.insetBy(1, 1), m_radius, m_radius), selection);
    }
}

void TileView::mouseDown(const MouseEvent &event)
{
    if (!m_disableInteraction)
        View::mouseDown(event);
    if (!m_isSelectable)
        return;
    if (const auto delegate = m_delegate.lock())
        delegate->tileViewClicked(this);
}

void TileView::mouseEntered(const MouseEvent &event)
{
    View::mouseEntered(event);
    if (!m_enableHover)
        return;
    m_mouseOver = true;
    setNeedsDisplay();
    if (const auto delegate = m_delegate.lock())
        delegate->tileViewMouseEntered(this);
}

void TileView::mouseExited(const MouseEvent &event)
{
    View::mouseExited(event);
    if (!m_enableHover)
        return;
    m_mouseOver = false;
    setNeedsDisplay();
    if (const auto delegate = m_delegate.lock())
        delegate->tileViewMouseExited(this);
}

} // namespace pirrow
