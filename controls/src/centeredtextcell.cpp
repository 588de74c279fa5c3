#include "pirrow/centeredtextcell.h"

#include <platform/ui/text.h>

namespace pirrow {

using namespace platform::ui;

CenteredTextCell::CenteredTextCell(const QString &text, const TextAttributes &attributes)
    : m_text(text)
    , m_attributes(attributes)
{
}

CenteredTextCell::~CenteredTextCell() = default;

Rect CenteredTextCell::plainTitleRectForBounds(const Rect &bounds) const
{
    return Rect(bounds.origin.x + 2, bounds.origin.y, std::max(0.0, bounds.width() - 4), bounds.height());
}

Rect CenteredTextCell::titleRectForBounds(const Rect &bounds) const
{
    const Rect plain = plainTitleRectForBounds(bounds);
    const double textHeight = Text::size(m_text, m_attributes).height;
    return Rect(plain.origin.x, bounds.origin.y + (bounds.height() - textHeight) / 2, plain.width(), plain.height());
}

void CenteredTextCell::drawInterior(GraphicsContext &context, const Rect &cellFrame) const
{
    Text::draw(context, m_text, titleRectForBounds(cellFrame), m_attributes);
}

} // namespace pirrow
