#include "pirrow/dotview.h"

#include <platform/ui/graphicscontext.h>

#include <cmath>

namespace pirrow {

using namespace platform::ui;

DotView::DotView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void DotView::setCount(int count)
{
    m_count = count;
    setNeedsDisplay();
}

void DotView::setSelectedDot(int index)
{
    m_selectedDot = index;
    setNeedsDisplay();
}

void DotView::setDistance(double distance)
{
    m_distance = distance;
    setNeedsDisplay();
}

double DotView::firstDotX() const
{
    const double row = m_count * diameter() + (m_count - 1) * m_distance;
    return std::trunc(bounds().width() * 0.5) - std::trunc(row * 0.5 + 1);
}

Rect DotView::dotRect(int index) const
{
    return Rect(firstDotX() + index * (m_distance + diameter()), 1, diameter(), diameter());
}

std::optional<int> DotView::dotAt(double x) const
{
    for (int i = 0; i < m_count; ++i) {
        const Rect r = dotRect(i);
        if (r.minX() <= x && x < r.minX() + r.width())
            return i;
    }
    return std::nullopt;
}

void DotView::drawRect(GraphicsContext &context, const Rect &)
{
    for (int i = 0; i < m_count; ++i) {
        const Color fill = i == m_selectedDot ? Color::controlAccent() : Color::separator();
        context.fillPath(Path::ellipse(dotRect(i)), fill);
    }
}

void DotView::mouseDown(const MouseEvent &event)
{
    const Point p = convertPoint(event.locationInWindow, nullptr);
    const auto dot = dotAt(p.x);
    if (!dot)
        return;
    setSelectedDot(*dot);
    if (const auto delegate = m_delegate.lock())
        delegate->showPage(*dot);
}

} // namespace pirrow
