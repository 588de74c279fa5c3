#include "pirrow/disabledscrollview.h"

namespace pirrow {

using namespace platform::ui;

DisabledScrollView::DisabledScrollView(const Rect &frame, QWidget *parent)
    : ScrollView(frame, parent)
{
}

void DisabledScrollView::scrollWheel(const ScrollWheelEvent &) { }

} // namespace pirrow
