#include "pirrow/horizontalline.h"

#include "pirrow/constants.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/graphicscontext.h>

namespace pirrow {

using namespace platform::ui;

HorizontalLine::HorizontalLine(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_lineWidth(2 * Constants::onePixel())
    , m_color(Color::tertiaryLabel())
{
}

void HorizontalLine::setLineWidth(double width)
{
    m_lineWidth = width;
    setNeedsDisplay();
}

void HorizontalLine::setColor(const Color &color)
{
    m_color = color;
    setNeedsDisplay();
}

void HorizontalLine::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    const double w = bounds().width();
    const double y = bounds().height() / 2 - m_lineWidth / 2;
    context.setStrokeColor(m_color);
    BezierPath line;
    line.moveTo({ 0, y });
    line.lineTo({ w, y });
    line.setLineWidth(m_lineWidth);
    line.stroke(context);
}

} // namespace pirrow
