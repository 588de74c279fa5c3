#include "platform/ui/scrollview.h"

#include "platform/ui/graphicscontext.h"

#include <algorithm>

namespace platform::ui {

// ---- ClipView

ClipView::ClipView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_backgroundColor(Color::controlBackground())
{
}

void ClipView::setDocumentView(View *view)
{
    if (view == m_documentView)
        return;
    if (m_documentView) {
        View *old = m_documentView;
        old->removeFromSuperview();
        old->deleteLater();
    }
    m_documentView = view;
    if (view) {
        addSubview(view);
        setBoundsOrigin(constrainScrollPoint(Point()));
    }
    setNeedsLayout();
    setNeedsDisplay();
}

void ClipView::setDrawsBackground(bool on)
{
    m_drawsBackground = on;
    setNeedsDisplay();
}

void ClipView::setBackgroundColor(const Color &color)
{
    m_backgroundColor = color;
    setNeedsDisplay();
}

Rect ClipView::documentRect() const { return m_documentView ? m_documentView->frame() : Rect(); }

Point ClipView::constrainScrollPoint(Point origin) const
{
    const Rect doc = documentRect();
    const Size size = bounds().size;
    const double maxX = std::max(doc.x(), doc.maxX() - size.width);
    const double maxY = std::max(doc.y(), doc.maxY() - size.height);
    return { std::clamp(origin.x, doc.x(), maxX), std::clamp(origin.y, doc.y(), maxY) };
}

void ClipView::scrollToPoint(Point origin) { setBoundsOrigin(constrainScrollPoint(origin)); }

bool ClipView::isFlipped() const { return m_documentView && m_documentView->isFlipped(); }

void ClipView::drawRect(GraphicsContext &context, const Rect &)
{
    if (m_drawsBackground)
        context.fillRect(bounds(), m_backgroundColor);
}

void ClipView::layout()
{
    View::layout();
    if (m_documentView) {
        // The document may size itself to the clip (a table takes its width).
        m_documentView->setNeedsLayout();
        m_documentView->layoutSubtreeIfNeeded();
        scrollToPoint(bounds().origin);
    }
}

// ---- ScrollView

ScrollView::ScrollView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_contentView(new ClipView(Rect(Point(), frame.size)))
    , m_backgroundColor(Color::controlBackground())
{
    addSubview(m_contentView);
}

View *ScrollView::headerView() const
{
    if (!m_headerClipView)
        return nullptr;
    const auto subs = m_headerClipView->subviews();
    return subs.isEmpty() ? nullptr : subs.front();
}

void ScrollView::setHeaderView(View *view)
{
    if (view == headerView())
        return;
    if (m_headerClipView) {
        ClipView *old = m_headerClipView;
        old->removeFromSuperview();
        // The header goes back to its table, which owns it while no scroll view shows it.
        if (View *header = headerView(); header && header != view)
            header->removeFromSuperview();
        old->deleteLater();
        m_headerClipView = nullptr;
    }
    if (view) {
        m_headerClipView = new ClipView;
        m_headerClipView->setDrawsBackground(false);
        addSubview(m_headerClipView);
        m_headerClipView->addSubview(view);
    }
    setNeedsLayout();
}

void ScrollView::setDrawsBackground(bool on)
{
    m_drawsBackground = on;
    setNeedsDisplay();
}

void ScrollView::setBackgroundColor(const Color &color)
{
    m_backgroundColor = color;
    setNeedsDisplay();
}

void ScrollView::layout()
{
    View::layout();
    tile();
}

void ScrollView::tile()
{
    const Size size = bounds().size;
    double top = 0;
    if (View *header = headerView()) {
        const double h = header->frame().height();
        m_headerClipView->setFrame(Rect(0, 0, size.width, h));
        header->setFrame(Rect(0, 0, size.width, h));
        top = h;
    }
    m_contentView->setFrame(Rect(0, top, size.width, std::max(0.0, size.height - top)));
}

void ScrollView::drawRect(GraphicsContext &context, const Rect &)
{
    if (m_drawsBackground)
        context.fillRect(bounds(), m_backgroundColor);
}

void ScrollView::scrollWheel(const ScrollWheelEvent &event)
{
    const Point before = m_contentView->bounds().origin;
    // Towards the top: up in a flipped document (smaller y), down in a y-up one (larger y).
    const double dy = m_contentView->isFlipped() ? -event.deltaY : event.deltaY;
    m_contentView->scrollToPoint({ before.x - event.deltaX, before.y + dy });
    if (m_contentView->bounds().origin == before)
        View::scrollWheel(event); // nothing moved: the views above may scroll
    else
        setNeedsDisplay();
}

} // namespace platform::ui
