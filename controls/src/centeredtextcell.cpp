#include "pirrow/centeredtextcell.h"

#include <platform/ui/text.h>
#include <platform/ui/view.h>

namespace pirrow {

using namespace platform::ui;

Rect CenteredTextCell::titleRectForBounds(const Rect &bounds) const
{
    const Rect plain = TextFieldCell::titleRectForBounds(bounds);
    const double textHeight = Text::size(stringValue(), attributes()).height;
    return Rect(plain.x(), bounds.y() + (bounds.height() - textHeight) / 2, plain.width(), plain.height());
}

void CenteredTextCell::drawInterior(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    TextAttributes a = attributes();
    a.foregroundColor = controlView ? textColor().resolved(controlView->effectiveAppearance()) : textColor().resolved();
    Text::draw(context, stringValue(), titleRectForBounds(cellFrame), a);
}

} // namespace pirrow
