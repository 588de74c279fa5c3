#include "platform/ui/splitview.h"

#include "platform/ui/graphicscontext.h"

#include <algorithm>

namespace platform::ui {

namespace {
    // A thin or invisible divider is still easy to grab.
    constexpr double kGrabMargin = 3;
} // namespace

SplitView::SplitView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void SplitView::setVertical(bool vertical)
{
    m_vertical = vertical;
    setNeedsLayout();
    setNeedsDisplay();
}

double SplitView::dividerThickness() const { return 1; }

void SplitView::drawDividerInRect(GraphicsContext &context, const Rect &rect)
{
    context.fillRect(rect, Color::separator());
}

Rect SplitView::dividerRect(int index) const
{
    const auto panes = subviews();
    if (index < 0 || index + 1 >= panes.size())
        return {};
    const Rect pane = panes.at(index)->frame();
    const double t = std::max(0.0, dividerThickness());
    const Rect b = bounds();
    return m_vertical ? Rect(pane.maxX(), b.y(), t, b.height()) : Rect(b.x(), pane.maxY(), b.width(), t);
}

void SplitView::adjustSubviews()
{
    const auto panes = subviews();
    if (panes.isEmpty())
        return;
    const Rect b = bounds();
    const double t = std::max(0.0, dividerThickness());
    const double room = std::max(0.0, along(b) - t * double(panes.size() - 1));
    std::vector<double> sizes;
    double fixed = 0;
    for (int i = 0; i + 1 < panes.size(); ++i) {
        sizes.push_back(std::max(0.0, along(panes.at(i)->frame())));
        fixed += sizes.back();
    }
    if (fixed > room && fixed > 0)
        for (double &s : sizes)
            s *= room / fixed;
    double used = 0;
    for (double s : sizes)
        used += s;
    sizes.push_back(std::max(0.0, room - used));
    double pos = 0;
    for (int i = 0; i < panes.size(); ++i) {
        const double s = sizes[size_t(i)];
        panes.at(i)->setFrame(m_vertical ? Rect(pos, 0, s, b.height()) : Rect(0, pos, b.width(), s));
        pos += s + t;
    }
    setNeedsDisplay();
}

void SplitView::setPosition(double position, int dividerIndex)
{
    const auto panes = subviews();
    if (dividerIndex < 0 || dividerIndex + 1 >= panes.size())
        return;
    View *before = panes.at(dividerIndex);
    View *after = panes.at(dividerIndex + 1);
    const double t = std::max(0.0, dividerThickness());
    const double lo = startOf(before->frame());
    const double hi = startOf(after->frame()) + along(after->frame());
    const double p = std::clamp(position, lo, std::max(lo, hi - t));
    const Rect bf = before->frame(), af = after->frame();
    if (m_vertical) {
        before->setFrame(Rect(lo, bf.y(), p - lo, bf.height()));
        after->setFrame(Rect(p + t, af.y(), hi - p - t, af.height()));
    } else {
        before->setFrame(Rect(bf.x(), lo, bf.width(), p - lo));
        after->setFrame(Rect(af.x(), p + t, af.width(), hi - p - t));
    }
    setNeedsDisplay();
}

void SplitView::layout()
{
    View::layout();
    adjustSubviews();
}

void SplitView::drawRect(GraphicsContext &context, const Rect &)
{
    for (int i = 0; i + 1 < subviews().size(); ++i)
        drawDividerInRect(context, dividerRect(i));
}

int SplitView::dividerAt(Point p) const
{
    for (int i = 0; i + 1 < subviews().size(); ++i) {
        const Rect d = dividerRect(i);
        const Rect grab = m_vertical ? d.insetBy(-kGrabMargin, 0) : d.insetBy(0, -kGrabMargin);
        if (grab.contains(p))
            return i;
    }
    return -1;
}

void SplitView::mouseDown(const MouseEvent &event)
{
    m_dragging = dividerAt(event.location);
    if (m_dragging < 0)
        View::mouseDown(event);
}

void SplitView::mouseDragged(const MouseEvent &event)
{
    if (m_dragging < 0) {
        View::mouseDragged(event);
        return;
    }
    setPosition(m_vertical ? event.location.x : event.location.y, m_dragging);
}

void SplitView::mouseUp(const MouseEvent &event)
{
    if (m_dragging < 0)
        View::mouseUp(event);
    m_dragging = -1;
}

} // namespace platform::ui
