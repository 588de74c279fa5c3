#include "pirrow/textutilities.h"

namespace pirrow {

using namespace platform::ui;

TextAttributes TextUtilities::attributes(TextAlignment alignment, const Color &color, bool bold, double size)
{
    TextAttributes a;
    a.font = bold ? Font::boldSystemFont(size) : Font::systemFont(size);
    a.foregroundColor = color;
    ParagraphStyle style = ParagraphStyle::defaultStyle();
    style.alignment = alignment;
    a.paragraphStyle = style;
    return a;
}

} // namespace pirrow
