#include "pirrow/singlelinetextfieldcell.h"

#include "bottomline_p.h"

namespace pirrow {

using namespace platform::ui;

Size SingleLineTextFieldCell::cellSize() const
{
    const Size plain = TextFieldCell::cellSize();
    return { plain.width, plain.height + borderThickness };
}

void SingleLineTextFieldCell::drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    detail::drawBottomLineCell(*this, context, cellFrame, controlView, borderThickness);
}

} // namespace pirrow
