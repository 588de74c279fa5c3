#include "ringlayers_p.h"

#include "pirrow/bezierpathextensions.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/screen.h>

namespace pirrow::detail {

using namespace platform::ui;

Path gaugeTrack(Point center, double radius)
{
    BezierPath path;
    path.appendArc(center, radius, -45, -135);
    return BezierPathExtensions::cgPath(path);
}

Path gaugeFill(Point center, double radius, double value)
{
    const double sweep = value * 270;
    BezierPath path;
    if (225 - sweep > 0) {
        path.appendArc(center, radius, 225, 225 - sweep, true);
    } else {
        path.appendArc(center, radius, 225, 0, true);
        path.appendArc(center, radius, 0, 585 - sweep, true);
    }
    return BezierPathExtensions::cgPath(path);
}

Path ringTrack(Point center, double radius)
{
    BezierPath path;
    path.appendArc(center, radius, 0, 360);
    return BezierPathExtensions::cgPath(path);
}

Path ringFill(Point center, double radius)
{
    BezierPath path;
    path.appendArc(center, radius, 90, 90.000001, true);
    return BezierPathExtensions::cgPath(path);
}

void configureRing(ShapeLayer &layer, const View &view, double lineWidth, const std::optional<Color> &stroke,
    const Path &path, LineCap cap)
{
    layer.setContentsScale(Screen::mainBackingScaleFactor());
    layer.setFrame(view.bounds());
    layer.setLineWidth(lineWidth);
    layer.setFillColor(std::nullopt);
    layer.setStrokeColor(stroke ? std::optional<Color>(stroke->resolved(view.effectiveAppearance())) : std::nullopt);
    layer.setPath(path);
    layer.setLineCap(cap);
}

} // namespace pirrow::detail
