#include "pirrow/uiprogressview.h"

#include <platform/ui/strokestyle.h>

namespace pirrow {

using namespace platform::ui;

UIProgressView::UIProgressView(double lineWidth, double progress, const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_lineWidth(lineWidth)
    , m_progress(progress)
{
}

void UIProgressView::paint(GraphicsContext &context, Size size, double lineWidth, double progress)
{
    const double y = size.height / 2;
    // The colour follows the value as given; only the length is kept to 0…1 (NaN draws as 0).
    const Color color = progress > 0.2 ? Color::systemGreen() : Color::systemRed();
    const double p = (progress >= 0 && progress <= 1) ? progress : 0;

    StrokeStyle style;
    style.lineWidth = lineWidth;
    style.lineCap = LineCap::round;
    style.lineJoin = LineJoin::miter;
    style.miterLimit = 10;

    Path track;
    track.moveTo({ lineWidth, y });
    track.lineTo({ size.width - lineWidth, y });
    style.color = color.withAlphaComponent(color.alphaComponent() * 0.1);
    context.strokePath(track, style);

    Path bar;
    bar.moveTo({ lineWidth, y });
    bar.lineTo({ (size.width - lineWidth) * p, y });
    style.color = color;
    context.strokePath(bar, style);
}

void UIProgressView::drawRect(GraphicsContext &context, const Rect &) { paint(context, bounds().size, m_lineWidth, m_progress); }

} // namespace pirrow
