#include "pirrow/nobackgroundscrollview.h"

namespace pirrow {

using namespace platform::ui;

NoBackgroundScrollView::NoBackgroundScrollView(const Rect &frame, QWidget *parent)
    : ScrollView(frame, parent)
{
    setDrawsBackground(false);
    contentView()->setDrawsBackground(false);
}

} // namespace pirrow
