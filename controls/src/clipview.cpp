#include "pirrow/clipview.h"

#include <platform/ui/screen.h>
#include <platform/ui/shapelayer.h>

#include <cmath>

namespace pirrow {

using namespace platform::ui;

ClipView::ClipView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    update();
}

void ClipView::setRadius(double radius)
{
    m_radius = radius;
    layout();
}

Path ClipView::clipPath(Size size, double r)
{
    const double w = size.width;
    const double h = size.height;
    Path path;
    path.moveTo({ w, h });
    path.lineTo({ w, r });
    // Clockwise from 0° to 270°: the lower right corner; then from 270° to 180°: the lower left one.
    path.addArc({ w - r, r }, r, 0, 1.5 * M_PI, true);
    path.lineTo({ r, 0 });
    path.addArc({ r, r }, r, 1.5 * M_PI, M_PI, true);
    path.lineTo({ 0, h });
    path.closeSubpath();
    return path;
}

void ClipView::update()
{
    setWantsLayer(true);
    auto mask = ShapeLayer::create();
    mask->setPath(clipPath(bounds().size, m_radius));
    mask->setContentsScale(Screen::mainBackingScaleFactor());
    layer()->setMask(mask);
}

void ClipView::layout()
{
    View::layout();
    update();
}

} // namespace pirrow
