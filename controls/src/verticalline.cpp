#include "pirrow/verticalline.h"

#include "pirrow/constants.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/graphicscontext.h>

namespace pirrow {

using namespace platform::ui;

VerticalLine::VerticalLine(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_lineWidth(2 * Constants::onePixel())
    , m_color(Color::tertiaryLabel())
{
}

void VerticalLine::setLineWidth(double width)
{
    m_lineWidth = width;
    setNeedsDisplay();
}

void VerticalLine::setColor(const Color &color)
{
    m_color = color;
    setNeedsDisplay();
}

void VerticalLine::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    const double h = bounds().height();
    const double x = bounds().width() / 2 - m_lineWidth / 2;
    context.setStrokeColor(m_color);
    BezierPath line;
    line.moveTo({ x, 0 });
    line.lineTo({ x, h });
    line.setLineWidth(m_lineWidth);
    line.stroke(context);
}

} // namespace pirrow
