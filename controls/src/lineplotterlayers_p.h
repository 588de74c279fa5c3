#pragma once

#include "pirrow/gradientlayer.h"

#include <platform/ui/layer.h>
#include <platform/ui/path.h>
#include <platform/ui/shapelayer.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

// Drawing steps the line plotters have in common. The templates read the plotter's public line settings, so each
// plotter keeps its own members and API.
namespace pirrow::linelayers {

/// Takes the stroke, the fill and the markers of the last drawing off their layer and forgets the markers.
inline void detach(const std::shared_ptr<GradientLayer> &stroke, const std::shared_ptr<GradientLayer> &fill,
    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &markers)
{
    if (stroke)
        stroke->removeFromSuperlayer();
    if (fill)
        fill->removeFromSuperlayer();
    for (const auto &marker : markers)
        marker->removeFromSuperlayer();
    markers.clear();
}

/// The y of a value between `min` (bottom line) and `max` (top); a missing or NaN value, or a zero span that has no
/// scale, sits on the bottom line rather than at infinity.
inline double yPosition(
    std::optional<double> value, double min, double max, double height, double bottomInset, double lineWidth)
{
    const double base = height - bottomInset - lineWidth;
    const double span = max - min;
    if (!value || std::isnan(*value) || span == 0)
        return base;
    return base - (*value - min) / span * base;
}

/// Closes `path` into the area under it, down to the bottom line and a line width past both sides.
inline void closeDown(platform::ui::Path &path, const platform::ui::Layer &layer, double lineWidth, double bottomInset)
{
    const double W = layer.bounds().width(), H = layer.bounds().height();
    path.lineTo({ W + lineWidth, H - bottomInset });
    path.lineTo({ -lineWidth, H - bottomInset });
    path.closeSubpath();
}

/// Strokes `path` on `stroke` with the plotter's line settings and leaves it unfilled.
template <typename Plotter>
void styleLine(GradientLayer &stroke, const Plotter &plotter, const platform::ui::Path &path)
{
    stroke.setStrokeColor(plotter.strokeColor());
    stroke.setFillColor(std::nullopt);
    stroke.setPath(path);
    stroke.setLineWidth(plotter.lineWidth());
    stroke.setLineJoin(plotter.lineJoin());
    stroke.setLineDashPhase(plotter.lineDashPhase());
    stroke.setLineDashPattern(plotter.lineDashPattern());
    stroke.setStartPoint(plotter.strokeStartPoint());
    stroke.setEndPoint(plotter.strokeEndPoint());
}

/// Fills the closed `path` on `fill`, without an outline, along the plotter's fill direction.
template <typename Plotter> void styleFill(GradientLayer &fill, const Plotter &plotter, const platform::ui::Path &path)
{
    fill.setPath(path);
    fill.setLineWidth(0);
    fill.setStrokeColor(platform::ui::Color::clear());
    fill.setFillColor(platform::ui::Color::black());
    fill.setStartPoint(plotter.fillStartPoint());
    fill.setEndPoint(plotter.fillEndPoint());
}

} // namespace pirrow::linelayers
