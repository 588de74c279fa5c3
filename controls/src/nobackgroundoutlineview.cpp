#include "pirrow/nobackgroundoutlineview.h"

#include "listbackgrounds_p.h"

namespace pirrow {

using namespace platform::ui;

NoBackgroundOutlineView::NoBackgroundOutlineView(const Rect &frame, QWidget *parent)
    : OutlineView(frame, parent)
{
    NoBackgroundOutlineView::removeBackground();
}

void NoBackgroundOutlineView::removeBackground()
{
    detail::clearEnclosingScrollView(*this);
    setBackgroundColor(Color::clear());
}

} // namespace pirrow
