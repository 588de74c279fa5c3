#include "pirrow/linkbutton.h"

namespace pirrow {

using namespace platform::ui;

LinkButton::LinkButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
{
}

void LinkButton::resetCursorRects()
{
    addCursorRect(bounds(), isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace pirrow
