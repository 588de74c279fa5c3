#include "pirrow/singlelinesecuretextfieldcell.h"

#include "bottomline_p.h"

namespace pirrow {

using namespace platform::ui;

Size SingleLineSecureTextFieldCell::cellSize() const
{
    const Size plain = SecureTextFieldCell::cellSize();
    return { plain.width, plain.height + borderThickness };
}

void SingleLineSecureTextFieldCell::drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    detail::drawBottomLineCell(*this, context, cellFrame, controlView, borderThickness);
}

} // namespace pirrow
