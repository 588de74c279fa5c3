#include "pirrow/searchtextfieldcell.h"

namespace pirrow {

using namespace platform::ui;

void SearchTextFieldCell::drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    drawInterior(context, Rect(0, 0, cellFrame.width(), cellFrame.height()), controlView);
}

} // namespace pirrow
