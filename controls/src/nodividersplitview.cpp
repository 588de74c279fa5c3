#include "pirrow/nodividersplitview.h"

namespace pirrow {

using namespace platform::ui;

NoDividerSplitView::NoDividerSplitView(const Rect &frame, QWidget *parent)
    : SplitView(frame, parent)
{
}

double NoDividerSplitView::dividerThickness() const { return 0; }

void NoDividerSplitView::drawDividerInRect(GraphicsContext &, const Rect &) { }

} // namespace pirrow
