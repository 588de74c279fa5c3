#include "pirrow/noninteractiveview.h"

namespace pirrow {

NonInteractiveView::NonInteractiveView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace pirrow
